// The ToDo target: one record becomes one line of the ToDo list (Todokl.dat in the ToDo folder),
// its memo one line of Todokl.dtl.
//
// Record layout (1-based positions, widths): limit date 1/10 ("yyyy/mm/dd" or "期限なし  "),
// start date 11/10, priority 21/1, progress 22/2, done flag 24/1, done date 25/10, category 35/14,
// memo number 49/4, four blanks 53/4, subject 57 (at most 80 bytes).
//
// Every check of the target runs here; memo numbers, memo lines and the file names come from the
// ToDo store (todo/TodoFile.h), and the files are written with the other targets' atomic saves.
#include <algorithm>
#include <set>

#include "import/ImportRun.h"
#include "platform/Codec.h"
#include "platform/FileSystem.h"
#include "store/CommaText.h"
#include "store/Record.h"
#include "todo/TodoFile.h"

namespace kal::import {
namespace {

enum Field : std::size_t { kState, kLimit, kStart, kPriority, kTitle, kCategory, kProgress, kDone, kMemo };

constexpr const char* kNoLimit = "期限なし  ";

bool StartsWith(const std::string& text, const std::string& head) { return text.compare(0, head.size(), head) == 0; }

std::string Reason(std::size_t field) {
  const TargetField& f = TargetFields(ImportTarget::Todo)[field];
  return f.name + f.format + "に誤りがあるため処理できません。";
}

std::string Digits(int value, int width) {
  std::string text = std::to_string(value);
  return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') + text;
}

}  // namespace

// Adds a ToDo line made of `head` (its first 48 bytes: limit date to category), the number of its
// memo (stored when not empty) and the subject, unless it is a duplicate.
void StoreImportedTodo(ImportRun& run, const SourceRecord& record, RecordOutcome& out, const std::string& head,
                       const std::string& subject, const std::vector<std::string>& memo,
                       const std::string& category);

void ConvertTodo(ImportRun& run, const SourceRecord& record, RecordOutcome& out) {
  out.title = TrimText(run.Value(record, kTitle));
  const std::string limit_value = TrimText(run.Value(record, kLimit));
  out.date = limit_value;

  const std::string state = TrimText(run.Value(record, kState));
  char done;
  if (StartsWith(state, "未処理")) done = '0';
  else if (StartsWith(state, "処理済")) done = '1';
  else return run.Fail(out, record, Reason(kState), state);

  std::string limit;
  if (StartsWith(limit_value, "期限")) {
    limit = kNoLimit;
  } else if (auto date = ParseImportDate(limit_value)) {
    limit = store::DateText(*date);
  } else {
    return run.Fail(out, record, Reason(kLimit), limit_value);
  }
  out.date = std::string(store::TrimRight(limit));
  limit = *platform::Utf8ToCp932(limit);

  std::string start(10, ' ');
  const std::string start_value = TrimText(run.Value(record, kStart));
  if (!start_value.empty()) {
    auto date = ParseImportDate(start_value);
    if (!date) return run.Fail(out, record, Reason(kStart), start_value);
    start = store::DateText(*date);
  }

  const std::string priority_value = TrimText(run.Value(record, kPriority));
  if (priority_value.empty() || priority_value[0] < 'A' || priority_value[0] > 'D')
    return run.Fail(out, record, "優先度に誤りがあるため処理できません。", priority_value);
  const char priority = static_cast<char>('0' + (priority_value[0] - 'A'));

  const std::string progress_value = run.Value(record, kProgress);
  std::string progress_text = TrimText(progress_value);
  for (auto pos = progress_text.find('%'); pos != std::string::npos; pos = progress_text.find('%'))
    progress_text.erase(pos, 1);
  progress_text = TrimText(progress_text);
  if (progress_text.empty() || progress_text.size() > 3 ||
      progress_text.find_first_not_of("0123456789") != std::string::npos || std::stoi(progress_text) > 100)
    return run.Fail(out, record, "進捗に誤りがあるため処理できません。", progress_value);
  const std::string progress = Digits(std::stoi(progress_text) / 10, 2);

  std::string done_date(10, ' ');
  const std::string done_value = TrimText(run.Value(record, kDone));
  if (!done_value.empty()) {
    auto date = ParseImportDate(done_value);
    if (!date) return run.Fail(out, record, Reason(kDone), done_value);
    done_date = store::DateText(*date);
  } else if (done == '1') {
    done_date = store::DateText(run.request.today);
  }

  std::string bad;
  auto category = store::FieldText(TrimText(run.Value(record, kCategory)), 14, &bad);
  if (!category) return run.Refuse(out, record, store::UnencodableMessage("分類", bad));
  auto subject = store::FieldText(out.title, 80, &bad);
  if (!subject) return run.Refuse(out, record, store::UnencodableMessage("件名", bad));
  std::vector<std::string> memo = MemoLines(run.Value(record, kMemo));
  const std::string head = limit + start + priority + progress + done + done_date + store::PadField(*category, 14);
  StoreImportedTodo(run, record, out, head, *subject, memo, TrimText(run.Value(record, kCategory)));
}

void StoreImportedTodo(ImportRun& run, const SourceRecord& record, RecordOutcome& out, const std::string& head,
                       const std::string& subject, const std::vector<std::string>& memo,
                       const std::string& category) {
  std::string bad;
  if (!memo.empty() && !todo::BuildTodoMemoLine(0, memo, &bad))
    return run.Refuse(out, record, store::UnencodableMessage(todo::kMemoName, bad));
  const std::string todo_path = todo::TodoFilePath(run.request.folders.todo);
  std::vector<std::string>& todo_lines = run.files.Lines(todo_path);
  if (run.request.options.skip_duplicates) {
    const std::string limit_key(store::TrimRight(head.substr(0, 10)));
    const std::string subject_key(store::Trim(subject));
    for (const auto& line : todo_lines) {
      if (store::FieldBytes(line, 1, 10) == limit_key && store::Trim(store::FieldBytes(line, 57, 80)) == subject_key) {
        out.status = RecordStatus::Duplicate;
        return;
      }
    }
  }

  int memo_number = 0;
  if (!memo.empty()) {
    memo_number = todo::FreeTodoMemoNumber(todo_lines);
    if (memo_number > todo::kMaxMemoNumber) {
      memo_number = 0;
      out.message = todo::kMemoOverflowMessage;  // stored without its memo
    } else {
      const std::string memo_path = todo::TodoMemoFilePath(run.request.folders.todo);
      std::vector<std::string>& memos = run.files.Lines(memo_path);
      // A line left behind with this number belongs to no item any more.
      todo::RemoveTodoMemo(memos, memo_number);
      memos.push_back(*todo::BuildTodoMemoLine(memo_number, memo));
      run.files.Touch(memo_path, ImportFiles::Order::Sorted);
    }
  }

  const std::string line = store::PadField(head, 48) + todo::MemoNumberField(memo_number) + "    " + subject;
  todo_lines.push_back(std::string(store::TrimRight(line)));
  run.files.Touch(todo_path, ImportFiles::Order::Sorted);
  out.status = RecordStatus::Import;
  run.CollectCategory(category);
}

// A record of Todokl.dat or of the old Todo.dat, from another folder. Its line is read by the
// layout of its format and rebuilt in the layout of Todokl.dat.
void ConvertTodoRecord(ImportRun& run, const SourceRecord& record, RecordOutcome& out) {
  const std::string& raw = record.raw;
  const bool old = run.request.old_todo_format;
  auto field = [&](std::size_t pos_new, std::size_t pos_old, std::size_t width) {
    return std::string(raw.size() >= (old ? pos_old : pos_new) ? raw.substr((old ? pos_old : pos_new) - 1, width) : "");
  };
  const std::string limit = field(1, 1, 10);
  out.date = std::string(store::TrimRight(platform::Cp932ToUtf8(limit)));
  out.title = store::Field(raw, old ? 41 : 57, 80);
  if (limit != *platform::Utf8ToCp932(kNoLimit) && !store::ParseDateText(limit))
    return run.Fail(out, record, "期限に誤りがあるため処理できません。", out.date);
  const std::string start = old ? std::string(10, ' ') : store::PadField(field(11, 0, 10), 10);
  const std::string priority = field(21, 11, 1), progress = field(22, 12, 2), done = field(24, 14, 1);
  const bool ok = priority.size() == 1 && priority >= "0" && priority <= "3" && progress.size() == 2 &&
                  progress.find_first_not_of("0123456789") == std::string::npos && progress <= "10" &&
                  (done == "0" || done == "1");
  if (!ok) return run.FailNoValue(out, record, "不正なデータがあるため処理できません。");
  const std::string head = limit + start + priority + progress + done + store::PadField(field(25, 15, 10), 10) +
                           store::PadField(field(35, 25, 14), 14);
  const std::string subject(store::TrimRight(field(57, 41, 80)));
  StoreImportedTodo(run, record, out, head, subject, record.memo, store::Field(head, 35, 14));
}

}  // namespace kal::import
