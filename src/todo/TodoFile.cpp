#include "todo/TodoFile.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "platform/Codec.h"
#include "store/CommaText.h"
#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::todo {
namespace {

std::string Raw(std::string_view record, std::size_t pos, std::size_t width) {
  if (pos == 0 || pos > record.size()) return {};
  return std::string(record.substr(pos - 1, width));
}

const std::string& NoLimitBytes() {
  static const std::string bytes = *platform::Utf8ToCp932(kNoLimitText);
  return bytes;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A date field as stored: a strict "yyyy/mm/dd".
std::optional<Date> StrictDate(std::string_view field) {
  if (field.size() != 10 || field[4] != '/' || field[7] != '/') return std::nullopt;
  return store::ParseDateText(field);
}

std::string Digits(int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

bool SameAt(const std::vector<std::string>& records, const TodoRef& ref) {
  return ref.index < records.size() && records[ref.index] == ref.line;
}

bool EncodeInto(const std::string& utf8, std::size_t width, const char* name, std::string& out, TodoBuild& result) {
  std::string bad;
  auto cp932 = store::FieldText(utf8, width, &bad);
  if (!cp932) {
    result.ok = false;
    result.field = name;
    result.bad = bad;
    result.message = store::UnencodableMessage(name, bad);
    return false;
  }
  out = std::move(*cp932);
  return true;
}

}  // namespace

// ---- Reading ---------------------------------------------------------------------------------

std::string LimitField(std::string_view record) { return Raw(record, kLimitPos, kDateWidth); }

std::optional<Date> TodoLimit(std::string_view record) {
  const std::string field = LimitField(record);
  if (field == NoLimitBytes()) return std::nullopt;
  return StrictDate(field);
}

std::optional<Date> TodoStart(std::string_view record) { return StrictDate(TodoStartText(record)); }

std::string TodoStartText(std::string_view record) { return store::FieldBytes(record, kStartPos, kDateWidth); }

int TodoPriority(std::string_view record) {
  const std::string field = Raw(record, kPriorityPos, 1);
  if (!AllDigits(field)) return 0;
  return std::clamp(field[0] - '0', 0, 3);
}

int TodoProgress(std::string_view record) {
  const std::string field = store::FieldBytes(record, kProgressPos, kProgressWidth);
  std::string digits(store::Trim(field));
  if (!AllDigits(digits)) return 0;
  return std::clamp(std::stoi(digits), 0, 10);
}

bool TodoDone(std::string_view record) { return Raw(record, kDonePos, 1) == "1"; }

std::string TodoDoneDateText(std::string_view record) { return store::FieldBytes(record, kDoneDatePos, kDateWidth); }

std::optional<Date> TodoDoneDate(std::string_view record) { return StrictDate(TodoDoneDateText(record)); }

std::string TodoCategory(std::string_view record) { return store::Field(record, kCategoryPos, kCategoryWidth); }

std::string TodoCategoryField(std::string_view record) {
  return store::PadField(Raw(record, kCategoryPos, kCategoryWidth), kCategoryWidth);
}

int TodoMemoNumber(std::string_view record) {
  const std::string field = Raw(record, kMemoPos, kMemoWidth);
  if (field.size() != kMemoWidth || !AllDigits(field)) return 0;
  return std::stoi(field);
}

std::string TodoSubject(std::string_view record) { return store::Field(record, kSubjectPos, kSubjectWidth); }

std::string TodoLink(std::string_view record) { return store::Field(record, kLinkPos, kLinkWidth); }

TodoFields ReadTodoRecord(std::string_view record) {
  TodoFields f;
  f.limit = TodoLimit(record);
  f.start = TodoStart(record);
  f.priority = TodoPriority(record);
  f.progress = TodoProgress(record);
  f.done = TodoDone(record);
  if (auto d = TodoDoneDate(record)) f.done_date = *d;
  f.category = TodoCategory(record);
  f.memo = TodoMemoNumber(record);
  f.subject = TodoSubject(record);
  f.link = TodoLink(record);
  return f;
}

std::string TodoDamage(std::string_view record) {
  std::vector<std::string> what;
  const std::string limit = LimitField(record);
  if (limit != NoLimitBytes() && !StrictDate(limit)) what.push_back("期限");
  const std::string start = TodoStartText(record);
  if (!start.empty() && !StrictDate(start)) what.push_back("開始日");
  const std::string priority = Raw(record, kPriorityPos, 1);
  if (priority.size() != 1 || priority[0] < '0' || priority[0] > '3') what.push_back("優先度");
  const std::string progress = Raw(record, kProgressPos, kProgressWidth);
  if (progress.size() != 2 || !AllDigits(progress) || std::stoi(progress) > 10) what.push_back("進捗率");
  std::string text;
  for (const auto& w : what) {
    if (!text.empty()) text += "・";
    text += w;
  }
  return text;
}

std::string TodoDamageMessage(const std::string& path, std::size_t index, const std::string& what) {
  return path + ": " + std::to_string(index + 1) + "行目のToDoは" + what + "が正しくありません。";
}

// ---- Building --------------------------------------------------------------------------------

std::string MovedTodoRecord(std::string_view record, const Date& date, int memo) {
  std::string line(record);
  store::PadLine(line, kSubjectPos - 1);
  std::string out = store::DateText(date);
  out += line.substr(kStartPos - 1, kDoneDatePos - kStartPos);  // start, priority, progress, done flag
  out += store::DateText(date);
  out += line.substr(kCategoryPos - 1, kCategoryWidth);
  out += MemoNumberField(memo);
  out += line.substr(kMemoPos - 1 + kMemoWidth);  // the reserved blanks, subject and link
  return out;
}

std::string LimitFieldOf(const std::optional<Date>& limit) {
  return limit ? store::DateText(*limit) : NoLimitBytes();
}

std::string MemoNumberField(int number) { return Digits(std::clamp(number, 0, kMaxMemoNumber), 4); }

TodoBuild BuildTodoRecord(const TodoFields& f) {
  TodoBuild result;
  std::string category, subject, link;
  if (!EncodeInto(f.category, kCategoryWidth, kCategoryName, category, result)) return result;
  if (!EncodeInto(f.subject, kSubjectWidth, kSubjectName, subject, result)) return result;
  if (!EncodeInto(std::string(store::TrimRight(f.link)), kLinkWidth, kLinkName, link, result)) return result;
  std::string line = LimitFieldOf(f.limit);
  line += f.start ? store::DateText(*f.start) : std::string(kDateWidth, ' ');
  line += static_cast<char>('0' + std::clamp(f.priority, 0, 3));
  line += Digits(std::clamp(f.progress, 0, 10), 2);
  line += f.done ? '1' : '0';
  line += store::DateText(f.done_date);
  line += store::PadField(category, kCategoryWidth);
  line += MemoNumberField(f.memo);
  line += "    ";
  line += subject;
  link = std::string(store::TrimRight(link));
  if (!link.empty()) {
    store::PadLine(line, kLinkPos - 1);
    line += link;
  }
  result.ok = true;
  result.line = std::move(line);
  return result;
}

std::string WithProgress(std::string_view record, int progress) {
  std::string line(record.substr(0, std::min<std::size_t>(record.size(), kProgressPos - 1)));
  store::PadLine(line, kProgressPos - 1);
  line += Digits(std::clamp(progress, 0, 10), 2);
  if (record.size() >= kDonePos) line += record.substr(kDonePos - 1);
  return line;
}

std::string WithDone(std::string_view record, bool done, const Date& today) {
  std::string line(record.substr(0, std::min<std::size_t>(record.size(), kDonePos - 1)));
  store::PadLine(line, kDonePos - 1);
  line += done ? '1' : '0';
  const std::string stored = Raw(record, kDoneDatePos, kDateWidth);
  line += (done || stored.size() != kDateWidth) ? store::DateText(today) : stored;
  const std::size_t rest = kDoneDatePos - 1 + kDateWidth;
  if (record.size() > rest) line += record.substr(rest);
  return line;
}

// ---- The list --------------------------------------------------------------------------------

std::string TodoFilePath(const std::string& folder) { return platform::JoinPath(folder, kTodoFileName); }
std::string TodoMemoFilePath(const std::string& folder) { return platform::JoinPath(folder, kTodoMemoFileName); }

TodoLoad LoadTodoList(platform::FileSystem& fs, const std::string& folder) {
  TodoLoad load;
  const std::string path = TodoFilePath(folder);
  load.exists = store::LoadLinesIfExists(fs, path, load.records);
  for (std::size_t i = 0; i < load.records.size(); ++i) {
    std::string what = TodoDamage(load.records[i]);
    if (!what.empty()) load.damaged.emplace_back(i, TodoDamageMessage(path, i, what));
  }
  return load;
}

std::vector<std::string> LoadTodoRecords(platform::FileSystem& fs, const std::string& folder) {
  return store::LoadLines(fs, TodoFilePath(folder));
}

void SaveTodoList(platform::FileSystem& fs, const std::string& folder, const std::vector<std::string>& records) {
  store::SaveLines(fs, TodoFilePath(folder), records);
}

void SortTodoList(std::vector<std::string>& records) { store::SortLines(records); }

// ---- Memos -----------------------------------------------------------------------------------

std::vector<std::string> LoadTodoMemos(platform::FileSystem& fs, const std::string& folder) {
  return store::LoadLines(fs, TodoMemoFilePath(folder));
}

void SaveTodoMemos(platform::FileSystem& fs, const std::string& folder, const std::vector<std::string>& lines) {
  store::SaveLines(fs, TodoMemoFilePath(folder), lines);
}

std::optional<std::size_t> FindTodoMemo(const std::vector<std::string>& memo_lines, int number) {
  if (number <= 0) return std::nullopt;
  const std::string key = MemoNumberField(number);
  for (std::size_t i = 0; i < memo_lines.size(); ++i) {
    const std::string head = memo_lines[i].substr(0, kMemoWidth);
    if (head == key) return i;
    if (AllDigits(head) && head > key) break;
  }
  return std::nullopt;
}

std::vector<std::string> TodoMemoOf(const std::vector<std::string>& memo_lines, int number) {
  auto at = FindTodoMemo(memo_lines, number);
  if (!at) return {};
  std::vector<std::string> items = store::FromCommaText(platform::Cp932ToUtf8(memo_lines[*at]));
  if (items.empty()) return {};
  items.erase(items.begin());
  return items;
}

std::optional<std::string> BuildTodoMemoLine(int number, const std::vector<std::string>& memo, std::string* bad) {
  auto text = platform::Utf8ToCp932(store::ToCommaText(memo), bad);
  if (!text) return std::nullopt;
  return MemoNumberField(number) + "," + *text;
}

std::size_t RemoveTodoMemo(std::vector<std::string>& memo_lines, int number) {
  if (number <= 0) return 0;
  const std::string key = MemoNumberField(number) + ",";
  const auto before = memo_lines.size();
  std::erase_if(memo_lines, [&](const std::string& l) { return l.compare(0, key.size(), key) == 0; });
  return before - memo_lines.size();
}

int FreeTodoMemoNumber(const std::vector<std::string>& records) {
  std::set<int> used;
  for (const auto& r : records) {
    int n = TodoMemoNumber(r);
    if (n > 0) used.insert(n);
  }
  int candidate = 1;
  for (int n : used) {
    if (n > candidate) break;
    if (n == candidate) ++candidate;
  }
  return candidate;
}

// ---- Changes ---------------------------------------------------------------------------------

namespace {

// Puts a file back as it was read before a write (removes it when it did not exist).
void RestoreFile(platform::FileSystem& fs, const std::string& path, const platform::ReadResult& old) {
  if (old.ok()) {
    fs.WriteAtomic(path, old.bytes, nullptr);
  } else if (old.missing()) {
    fs.Remove(path);
  }
}

}  // namespace

void SaveTodoFiles(platform::FileSystem& fs, const std::string& folder,
                   const std::optional<std::vector<std::string>>& memo_lines,
                   const std::optional<std::vector<std::string>>& records) {
  const std::string memo_path = TodoMemoFilePath(folder);
  platform::ReadResult old_memo;
  if (memo_lines && records) old_memo = fs.Read(memo_path);
  if (memo_lines) store::SaveLines(fs, memo_path, *memo_lines);
  if (!records) return;
  try {
    SaveTodoList(fs, folder, *records);
  } catch (const store::FileError&) {
    if (memo_lines) RestoreFile(fs, memo_path, old_memo);
    throw;
  }
}

TodoResult ApplyDoneChanges(platform::FileSystem& fs, const std::string& folder,
                            const std::vector<DoneChange>& changes, const Date& today) {
  TodoResult result;
  result.records = LoadTodoRecords(fs, folder);
  for (const auto& c : changes) {
    if (!SameAt(result.records, c.ref)) {
      result.status = TodoStatus::Stale;
      return result;
    }
  }
  bool changed = false;
  for (const auto& c : changes) {
    std::string& line = result.records[c.ref.index];
    if (TodoDone(line) == c.done) continue;
    line = WithDone(line, c.done, today);
    changed = true;
  }
  if (!changed) return result;
  SaveTodoList(fs, folder, result.records);
  result.status = TodoStatus::Changed;
  return result;
}

TodoResult SetTodoProgress(platform::FileSystem& fs, const std::string& folder, const TodoRef& ref, int progress) {
  TodoResult result;
  result.records = LoadTodoRecords(fs, folder);
  if (!SameAt(result.records, ref)) {
    result.status = TodoStatus::Stale;
    return result;
  }
  std::string& line = result.records[ref.index];
  const std::string updated = WithProgress(line, progress);
  if (updated == line) return result;
  line = updated;
  SaveTodoList(fs, folder, result.records);
  result.status = TodoStatus::Changed;
  return result;
}

TodoResult DeleteTodos(platform::FileSystem& fs, const std::string& folder, const std::vector<TodoRef>& refs) {
  TodoResult result;
  result.records = LoadTodoRecords(fs, folder);
  for (const auto& ref : refs) {
    if (!SameAt(result.records, ref)) {
      result.status = TodoStatus::Stale;
      return result;
    }
  }
  if (refs.empty()) return result;
  std::vector<std::string> memos;
  bool memos_loaded = false;
  std::size_t removed = 0;
  const std::vector<std::string> old_records = result.records;
  // Marked first and dropped afterwards, so every index stays valid while the memos go. A mark
  // of its own (not the text "D") keeps a stored line that happens to read "D".
  std::vector<bool> marked(result.records.size(), false);
  for (const auto& ref : refs) {
    if (marked[ref.index]) continue;  // the same record chosen twice
    marked[ref.index] = true;
    const int number = TodoMemoNumber(result.records[ref.index]);
    if (number > 0) {
      if (!memos_loaded) {
        memos = LoadTodoMemos(fs, folder);
        memos_loaded = true;
      }
      removed += RemoveTodoMemo(memos, number);
    }
  }
  std::vector<std::string> kept;
  for (std::size_t i = 0; i < result.records.size(); ++i)
    if (!marked[i]) kept.push_back(std::move(result.records[i]));
  result.records = std::move(kept);
  SaveTodoList(fs, folder, result.records);
  if (removed > 0) {
    try {
      SaveTodoMemos(fs, folder, memos);
    } catch (const store::FileError&) {
      SaveTodoList(fs, folder, old_records);
      throw;
    }
  }
  result.status = TodoStatus::Changed;
  return result;
}

void ShowTodoStale(platform::Dialogs& dialogs) { dialogs.Error(kTodoStaleMessage, kTodoErrorCaption); }

}  // namespace kal::todo
