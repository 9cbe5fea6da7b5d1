// The schedule target: one record becomes one line of the month file of its start date (and its
// memo one line of that month's detail file), built by the store's schedule line builder.
#include "import/ImportRun.h"
#include "import/ScheduleValues.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"

namespace kal::import {
namespace {

enum Field : std::size_t { kStartDate, kStartTime, kEndDate, kEndTime, kTitle, kPlace, kCategory, kMemo };

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

std::variant<ScheduleValues, ScheduleRefusal> ScheduleOfValues(const ScheduleRecordValues& v) {
  const std::string& start_value = v[kStartDate];
  const auto start = ParseImportDate(start_value);
  if (!start) return ScheduleRefusal{kBadStartDate, start_value};

  ScheduleValues out;
  out.date = *start;
  store::ScheduleFields& fields = out.fields;
  fields.day = store::DayOf(*start);
  auto start_field = TimeField(v[kStartTime]);
  if (!start_field) return ScheduleRefusal{kBadStartTime, v[kStartTime]};
  auto end_field = TimeField(v[kEndTime]);
  if (!end_field) return ScheduleRefusal{kBadEndTime, v[kEndTime]};
  fields.start = *start_field;
  fields.end = *end_field;

  // An end date that is not a date counts as the start date: a single-day schedule.
  if (auto end = ParseImportDate(v[kEndDate])) {
    const int days = store::DayNumber(*end) - store::DayNumber(*start) + 1;
    if (days < 1) return ScheduleRefusal{kEndBeforeStart, v[kEndDate]};
    if (days > static_cast<int>(kMaxSpanDays)) return ScheduleRefusal{kSpanTooLong, v[kEndDate]};
    if (days > 1) fields.span = days;
  }
  fields.title = TrimText(v[kTitle]);
  fields.place = TrimText(v[kPlace]);
  fields.category = TrimText(v[kCategory]);
  out.memo = MemoLines(v[kMemo]);
  return out;
}

std::variant<ScheduleValues, ScheduleRefusal> ScheduleOfEvent(const CalendarEvent& e) {
  if (e.status == CalendarEvent::Status::Refused) return ScheduleRefusal{e.message, e.summary};
  return ScheduleOfValues({e.start_date, e.start_time, e.end_date, e.end_time, e.summary, e.location, e.categories,
                           e.description});
}

void ConvertSchedule(ImportRun& run, const SourceRecord& record, RecordOutcome& out) {
  ScheduleRecordValues values;
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = run.Value(record, i);
  out.date = TrimText(values[kStartDate]);
  out.title = TrimText(values[kTitle]);
  auto converted = ScheduleOfValues(values);
  if (auto* refusal = std::get_if<ScheduleRefusal>(&converted))
    return run.Fail(out, record, refusal->reason, refusal->value);
  ScheduleValues& schedule = std::get<ScheduleValues>(converted);
  out.date = store::DateText(schedule.date);
  StoreImportedSchedule(run, record, out, schedule.fields, schedule.memo, store::YearOf(schedule.date),
                        store::MonthOf(schedule.date));
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
