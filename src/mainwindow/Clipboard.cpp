#include "mainwindow/Clipboard.h"

#include <algorithm>
#include <iterator>

#include "mainwindow/DayPanel.h"
#include "model/MonthModel.h"
#include "platform/Codec.h"
#include "store/CommaText.h"
#include "store/DatePattern.h"
#include "store/LineOrder.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "todo/TodoFile.h"

namespace kal::mainwindow {
namespace {

using store::Date;

constexpr int kLatestMinute = 36 * 60 + 59;

// Where the line the buffer took is now: at its index, else the first byte-identical line.
std::optional<std::size_t> FindTaken(const std::vector<std::string>& lines, std::size_t index,
                                     const std::string& line) {
  if (index < lines.size() && lines[index] == line) return index;
  auto it = std::find(lines.begin(), lines.end(), line);
  if (it == lines.end()) return std::nullopt;
  return static_cast<std::size_t>(std::distance(lines.begin(), it));
}

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<std::size_t>(std::distance(lines.begin(), std::find(lines.begin(), lines.end(), line)));
}

// The memo lines of a body ("," + comma text, CP932).
std::vector<std::string> BodyLines(const std::string& body) {
  if (body.empty()) return {};
  std::vector<std::string> items = store::FromCommaText(platform::Cp932ToUtf8("0" + body));
  if (!items.empty()) items.erase(items.begin());
  return items;
}

// The ToDo memo line of `number` after its four digits; empty when there is none.
std::string TodoMemoBody(const std::vector<std::string>& memo_lines, int number) {
  if (number <= 0) return {};
  const auto at = todo::FindTodoMemo(memo_lines, number);
  return at ? memo_lines[*at].substr(4) : std::string();
}

// The last day of a span starting on `first` lies more than one month after it.
bool SpansThreeMonths(const Date& first, int span) {
  const Date last = store::AddDays(first, span - 1);
  const int first_month = store::MonthOf(first);
  const int last_month = store::MonthOf(last);
  if (store::YearOf(last) == store::YearOf(first)) return last_month > first_month + 1;
  return last_month > first_month - 11;
}

PasteStatus PasteSchedule(ClipPorts& ports, ClipBuffer& buffer, const PasteTarget& target) {
  const std::string& record = buffer.record;
  if (store::IsMultiDay(record)) {
    const int span = std::max(store::ReadScheduleLine(record).span, 1);
    if (SpansThreeMonths(target.date, span)) {
      ports.dialogs.Error(kPasteSpanMessage, kPasteErrorCaption);
      return PasteStatus::Refused;
    }
  }
  const int year = store::YearOf(target.date), month = store::MonthOf(target.date);
  const bool same_file = buffer.year == year && buffer.month == month;
  const std::string target_path = store::MonthFilePath(ports.data_folder, year, month);
  const std::string source_path = store::MonthFilePath(ports.data_folder, buffer.year, buffer.month);
  std::vector<std::string> lines = store::LoadLines(ports.fs, target_path);

  // The cut line must still be there, byte for byte.
  std::vector<std::string> source_lines;
  std::optional<std::size_t> source_at;
  if (buffer.cut) {
    if (!same_file) source_lines = store::LoadLines(ports.fs, source_path);
    source_at = FindTaken(same_file ? lines : source_lines, buffer.index, record);
    if (!source_at) {
      ports.dialogs.Error(store::kStaleMessage, store::kStaleCaption);
      return PasteStatus::Stale;
    }
  }
  const std::size_t remaining = lines.size() - (buffer.cut && same_file ? 1 : 0);
  if (remaining >= store::kMaxMonthLines) {
    ports.dialogs.Error(store::kMonthFullMessage, store::kFullCaption);
    return PasteStatus::Refused;
  }

  // The memo goes along: a cut within its month keeps its number and line; otherwise the memo
  // is written under the smallest number free in the target month.
  const int old_number = store::DetailNumber(record);
  std::string body = buffer.memo_body;
  if (buffer.cut && old_number > 0) {
    const std::string current = store::DetailBody(
        store::LoadLines(ports.fs, store::DetailFilePath(ports.data_folder, buffer.year, buffer.month)), old_number);
    if (!current.empty()) body = current;
  }
  int number = 0;
  if (buffer.cut && same_file) {
    number = old_number;
  } else if (old_number > 0 && !body.empty()) {
    number = store::FreeDetailNumber(lines);
    if (number > store::kMaxDetailNumber) {
      ports.dialogs.Error(store::kMemoFullMessage, store::kFullCaption);
      return PasteStatus::Refused;
    }
  }

  std::string line = store::WithDay(record, store::DayOf(target.date));
  if (target.row) {
    const auto times = PasteTimes(record, target);
    line = store::WithTimes(line, times.first, times.second);
  }
  if (old_number > 0) line = store::WithDetailNumber(line, number);

  // New place first.
  if (number > 0 && !(buffer.cut && same_file))
    store::StoreDetailLine(ports.fs, ports.data_folder, year, month, number, body);
  if (buffer.cut && same_file) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*source_at));
  lines.push_back(line);
  store::SortLines(lines);
  store::SaveLines(ports.fs, target_path, lines);
  // Then the old one.
  if (buffer.cut && !same_file) {
    source_lines.erase(source_lines.begin() + static_cast<std::ptrdiff_t>(*source_at));
    store::SaveLines(ports.fs, source_path, source_lines);
    store::SchMemoDel(ports.fs, ports.data_folder, buffer.year, buffer.month, record);
  }

  buffer.cut = false;
  buffer.record = line;
  buffer.year = year;
  buffer.month = month;
  buffer.index = IndexOf(lines, line);
  buffer.memo_body = number > 0 ? body : std::string();
  return PasteStatus::Pasted;
}

PasteStatus PasteTodo(ClipPorts& ports, ClipBuffer& buffer, const Date& target) {
  std::vector<std::string> records = todo::LoadTodoRecords(ports.fs, ports.todo_folder);
  std::optional<std::size_t> source_at;
  if (buffer.cut) {
    source_at = FindTaken(records, buffer.index, buffer.record);
    if (!source_at) {
      todo::ShowTodoStale(ports.dialogs);
      return PasteStatus::Stale;
    }
  }
  const int old_number = todo::TodoMemoNumber(buffer.record);
  std::optional<std::vector<std::string>> memos;
  int number = old_number;
  if (buffer.cut) {
    // The item keeps its number and its memo line; the buffer takes the memo as it is now.
    if (old_number > 0) {
      const std::string current = TodoMemoBody(todo::LoadTodoMemos(ports.fs, ports.todo_folder), old_number);
      if (!current.empty()) buffer.memo_body = current;
    }
  } else if (old_number > 0 && !buffer.memo_body.empty()) {
    number = todo::FreeTodoMemoNumber(records);
    if (number > todo::kMaxMemoNumber) {
      ports.dialogs.Error(todo::kMemoOverflowMessage, todo::kMemoOverflowCaption);
      return PasteStatus::Refused;
    }
    memos = todo::LoadTodoMemos(ports.fs, ports.todo_folder);
    todo::RemoveTodoMemo(*memos, number);  // a line left behind belongs to no item any more
    memos->push_back(todo::MemoNumberField(number) + buffer.memo_body);
    store::SortLines(*memos);
  } else {
    number = 0;
  }

  const std::string record = todo::MovedTodoRecord(buffer.record, target, number);
  if (source_at) records.erase(records.begin() + static_cast<std::ptrdiff_t>(*source_at));
  records.push_back(record);
  todo::SortTodoList(records);
  todo::SaveTodoFiles(ports.fs, ports.todo_folder, memos, records);

  buffer.cut = false;
  buffer.record = record;
  buffer.index = IndexOf(records, record);
  if (number == 0) buffer.memo_body.clear();
  return PasteStatus::Pasted;
}

PasteStatus PasteMemo(ClipPorts& ports, ClipBuffer& buffer, const Date& target) {
  const store::MemoId to = store::MemoId::OfDay(target);
  if (buffer.memo == to) {
    ports.dialogs.Error(kMemoSameMessage, kMemoCopyCaption);
    return PasteStatus::Refused;
  }
  if (store::MemoExists(ports.fs, ports.memo_folder, to) &&
      !ports.dialogs.Confirm(kMemoOverwriteQuestion, kMemoCopyCaption))
    return PasteStatus::Cancelled;
  const std::string from_path = store::MemoPath(ports.memo_folder, buffer.memo);
  std::string error;
  if (!ports.fs.Copy(from_path, store::MemoPath(ports.memo_folder, to), &error)) {
    ports.dialogs.Message(kMemoCopyError, kMemoCopyCaption, platform::MsgIcon::Warning, platform::MsgButtons::Ok);
    return PasteStatus::Refused;
  }
  // The target takes the memo's own colour; a memo without one leaves the target at the default.
  if (buffer.memo_colour > 0) {
    store::StoreMemoColour(ports.fs, ports.data_folder, target, buffer.memo_colour);
  } else {
    store::ResetMemoColour(ports.fs, ports.data_folder, target);
  }
  if (buffer.cut) {
    if (buffer.memo_colour > 0) store::ResetMemoColour(ports.fs, ports.data_folder, buffer.memo.date());
    store::RemoveFile(ports.fs, from_path);
  }
  buffer.cut = false;
  buffer.memo = to;
  return PasteStatus::Pasted;
}

}  // namespace

// ---- Filling the buffer ------------------------------------------------------------------------

std::optional<ClipBuffer> TakeSchedule(ClipPorts& ports, std::string_view entry, const Date& date, bool cut) {
  if (entry.size() < store::kEntryPrefix || store::EntryKind(entry) != store::kEntrySchedule) return std::nullopt;
  const Date first = ScheduleDaysOf(entry, date).first;
  const int year = store::YearOf(first), month = store::MonthOf(first);
  const std::vector<std::string> lines =
      store::LoadLines(ports.fs, store::MonthFilePath(ports.data_folder, year, month));
  const int index = store::EntryIndex(entry);
  if (index < 0 || static_cast<std::size_t>(index) >= lines.size() ||
      !EntryMatchesLine(entry, lines[static_cast<std::size_t>(index)])) {
    ports.dialogs.Error(store::kStaleMessage, store::kStaleCaption);
    return std::nullopt;
  }
  ClipBuffer buffer;
  buffer.kind = ClipKind::Schedule;
  buffer.cut = cut;
  buffer.record = lines[static_cast<std::size_t>(index)];
  buffer.year = year;
  buffer.month = month;
  buffer.index = static_cast<std::size_t>(index);
  if (const int number = store::DetailNumber(buffer.record); number > 0)
    buffer.memo_body =
        store::DetailBody(store::LoadLines(ports.fs, store::DetailFilePath(ports.data_folder, year, month)), number);
  return buffer;
}

std::optional<ClipBuffer> TakeTodo(ClipPorts& ports, std::string_view entry, bool cut) {
  if (entry.size() < store::kEntryPrefix || store::EntryKind(entry) != store::kEntryTodo) return std::nullopt;
  const std::vector<std::string> records = todo::LoadTodoRecords(ports.fs, ports.todo_folder);
  const int index = store::EntryIndex(entry);
  const std::string_view record = store::EntryPayload(entry);
  if (index < 0 || static_cast<std::size_t>(index) >= records.size() ||
      records[static_cast<std::size_t>(index)] != record) {
    todo::ShowTodoStale(ports.dialogs);
    return std::nullopt;
  }
  ClipBuffer buffer;
  buffer.kind = ClipKind::Todo;
  buffer.cut = cut;
  buffer.record = std::string(record);
  buffer.index = static_cast<std::size_t>(index);
  buffer.memo_body = TodoMemoBody(todo::LoadTodoMemos(ports.fs, ports.todo_folder), todo::TodoMemoNumber(record));
  return buffer;
}

std::optional<ClipBuffer> TakeMemo(ClipPorts& ports, const Date& date, bool cut) {
  const store::MemoId id = store::MemoId::OfDay(date);
  if (!store::MemoExists(ports.fs, ports.memo_folder, id)) return std::nullopt;
  ClipBuffer buffer;
  buffer.kind = ClipKind::Memo;
  buffer.cut = cut;
  buffer.memo = id;
  buffer.memo_colour = store::StoredMemoColour(ports.fs, ports.data_folder, date);
  return buffer;
}

// ---- Pasting -----------------------------------------------------------------------------------

std::pair<std::string, std::string> PasteTimes(std::string_view line, const PasteTarget& target) {
  const int row = target.row.value_or(0);
  const int start = RowHour(target.range, row) * 60 + RowMinute(row);
  const std::string start_text = HourMinuteText(start);
  const store::ScheduleTexts times = store::ReadScheduleTexts(line);
  // A multi-day schedule ends on its last day: its end stays.
  if (store::IsMultiDay(line)) return {start_text, times.end};
  int minutes = target.def_time * 60;
  const auto from = TimelineMinutes(times.start);
  const auto to = TimelineMinutes(times.end);
  if (from && to && *to >= *from) minutes = *to - *from;
  return {start_text, HourMinuteText(std::min(start + minutes, kLatestMinute))};
}

PasteStatus Paste(ClipPorts& ports, ClipBuffer& buffer, const PasteTarget& target) {
  switch (buffer.kind) {
    case ClipKind::Schedule: return PasteSchedule(ports, buffer, target);
    case ClipKind::Todo: return PasteTodo(ports, buffer, target.date);
    case ClipKind::Memo: return PasteMemo(ports, buffer, target.date);
    case ClipKind::None: break;
  }
  return PasteStatus::Refused;
}

std::string DropQuestion(ClipKind kind, bool copy) {
  const char* name = kind == ClipKind::Todo ? "ToDo" : kind == ClipKind::Memo ? "メモ" : "スケジュール";
  return std::string("この") + name + "を" + (copy ? "コピー" : "移動") + "します。\nよろしいですか？";
}

std::string ClipText(const ClipBuffer& buffer, const std::vector<std::string>& memo_lines) {
  std::vector<std::string> lines;
  if (buffer.kind == ClipKind::Schedule) {
    const store::ScheduleFields f = store::ReadScheduleLine(buffer.record);
    const Date first = store::MakeDate(buffer.year, buffer.month, std::clamp(f.day, 1, 31));
    std::string head = store::FormatDatePattern("yyyy/mm/dd(aaa)", first);
    if (f.span > 0) {
      if (!f.start.empty()) head += " " + f.start;
      head += " ～ " + store::FormatDatePattern("yyyy/mm/dd(aaa)", store::AddDays(first, f.span - 1));
      if (!f.end.empty()) head += " " + f.end;
    } else if (!f.start.empty()) {
      head += " " + f.start + (f.end.empty() ? "" : "-" + f.end);
    }
    lines.push_back(head + " " + f.title);
    if (!f.place.empty()) lines.push_back("場所: " + f.place);
    if (!f.category.empty()) lines.push_back("分類: " + f.category);
    for (const std::string& l : BodyLines(buffer.memo_body)) lines.push_back(l);
  } else if (buffer.kind == ClipKind::Todo) {
    const todo::TodoFields f = todo::ReadTodoRecord(buffer.record);
    std::string head = "ToDo ";
    head += f.limit ? store::FormatDatePattern("yyyy/mm/dd(aaa)", *f.limit) : std::string(todo::kNoLimitLabel);
    head += " " + f.subject;
    head += std::string(" (") + todo::kPriorityLetters[std::clamp(f.priority, 0, 3)] + ") [" +
            std::to_string(f.progress * 10) + "%]";
    if (f.done) head += " 処理済";
    lines.push_back(head);
    if (!f.category.empty()) lines.push_back("分類: " + f.category);
    for (const std::string& l : BodyLines(buffer.memo_body)) lines.push_back(l);
  } else if (buffer.kind == ClipKind::Memo) {
    lines = memo_lines;
  }
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
  return text;
}

}  // namespace kal::mainwindow
