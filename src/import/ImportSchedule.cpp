// The schedule target: one record becomes one line of the month file of its start date (and its
// memo one line of that month's detail file), built by the store's schedule line builder.
#include "import/ImportRun.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"

namespace kal::import {
namespace {

enum Field : std::size_t { kStartDate, kStartTime, kEndDate, kEndTime, kTitle, kPlace, kCategory, kMemo };

constexpr const char* kBadStartDate = "開始日に誤りがあるため処理できません。";
constexpr const char* kBadStartTime = "開始時刻に誤りがあるため処理できません。";
constexpr const char* kBadEndTime = "終了時刻に誤りがあるため処理できません。";
constexpr const char* kEndBeforeStart = "終了日が開始日より前のため処理できません。";
constexpr const char* kSpanTooLong = "期間が62日を超えるため処理できません。";

// The time field's text: blank stays blank; a readable time becomes "hh:nn".
std::optional<std::string> TimeField(const std::string& value) {
  if (TrimText(value).empty()) return std::string();
  return ParseImportTime(value);
}

bool SameSchedule(const std::string& a, const std::string& b) {
  return store::FieldBytes(a, 1, 2) == store::FieldBytes(b, 1, 2) &&
         store::Trim(store::FieldBytes(a, 3, 5)) == store::Trim(store::FieldBytes(b, 3, 5)) &&
         store::Trim(store::FieldBytes(a, 31, 40)) == store::Trim(store::FieldBytes(b, 31, 40));
}

}  // namespace

void ConvertSchedule(ImportRun& run, const SourceRecord& record, RecordOutcome& out) {
  const std::string start_value = run.Value(record, kStartDate);
  out.date = TrimText(start_value);
  out.title = TrimText(run.Value(record, kTitle));

  const auto start = ParseImportDate(start_value);
  if (!start) return run.Fail(out, record, kBadStartDate, start_value);
  out.date = store::DateText(*start);

  store::ScheduleFields fields;
  fields.day = store::DayOf(*start);
  const std::string start_time = run.Value(record, kStartTime);
  auto start_field = TimeField(start_time);
  if (!start_field) return run.Fail(out, record, kBadStartTime, start_time);
  const std::string end_time = run.Value(record, kEndTime);
  auto end_field = TimeField(end_time);
  if (!end_field) return run.Fail(out, record, kBadEndTime, end_time);
  fields.start = *start_field;
  fields.end = *end_field;

  // An end date that is not a date counts as the start date: a single-day schedule.
  const std::string end_value = run.Value(record, kEndDate);
  if (auto end = ParseImportDate(end_value)) {
    const int days = store::DayNumber(*end) - store::DayNumber(*start) + 1;
    if (days < 1) return run.Fail(out, record, kEndBeforeStart, end_value);
    if (days > static_cast<int>(kMaxSpanDays)) return run.Fail(out, record, kSpanTooLong, end_value);
    if (days > 1) fields.span = days;
  }
  fields.title = out.title;
  fields.place = TrimText(run.Value(record, kPlace));
  fields.category = TrimText(run.Value(record, kCategory));

  std::vector<std::string> memo = MemoLines(run.Value(record, kMemo));
  StoreImportedSchedule(run, record, out, fields, memo, store::YearOf(*start), store::MonthOf(*start));
}

void StoreImportedSchedule(ImportRun& run, const SourceRecord& record, RecordOutcome& out,
                           store::ScheduleFields fields, const std::vector<std::string>& memo, int year, int month) {
  fields.detail = 0;
  store::BuildResult built = store::BuildScheduleLine(fields);
  if (!built) return run.Refuse(out, record, built.message);
  std::string bad;
  if (!store::MemoIsEmpty(memo) && !store::BuildDetailLine(0, memo, &bad))
    return run.Refuse(out, record, store::UnencodableMessage(store::kMemoName, bad));

  const std::string month_path = store::MonthFilePath(run.request.folders.data, year, month);
  std::vector<std::string>& month_lines = run.files.Lines(month_path);
  if (run.request.options.skip_duplicates) {
    for (const auto& line : month_lines) {
      if (SameSchedule(line, built.line)) {
        out.status = RecordStatus::Duplicate;
        return;
      }
    }
  }
  if (month_lines.size() >= store::kMaxMonthLines) return run.Refuse(out, record, store::kMonthFullMessage);

  if (!store::MemoIsEmpty(memo)) {
    const int number = store::FreeDetailNumber(month_lines);
    if (number > store::kMaxDetailNumber) {
      out.message = store::kMemoFullMessage;  // stored without its memo
    } else {
      const std::string detail_path = store::DetailFilePath(run.request.folders.data, year, month);
      std::vector<std::string>& details = run.files.Lines(detail_path);
      const std::string key = store::DetailNumberField(number);
      // A line left behind with this number belongs to no schedule any more.
      std::erase_if(details, [&](const std::string& l) { return l.compare(0, 3, key) == 0; });
      details.push_back(*store::BuildDetailLine(number, memo));
      run.files.Touch(detail_path, ImportFiles::Order::Sorted);
      fields.detail = number;
      built = store::BuildScheduleLine(fields);
    }
  }
  month_lines.push_back(built.line);
  run.files.Touch(month_path, ImportFiles::Order::Sorted);
  out.status = RecordStatus::Import;
  run.CollectCategory(fields.category);
}

}  // namespace kal::import
