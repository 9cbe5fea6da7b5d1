// The program's own data files as import sources: a month file's records and Holiday.dat's lines
// merged into the current data.
#include <cstdio>
#include <stdexcept>

#include "import/ImportRun.h"
#include "store/HolidayFile.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"

namespace kal::import {
namespace {

constexpr const char* kBadData = "不正なデータがあるため処理できません。";
constexpr const char* kBadStartDate = "開始日に誤りがあるため処理できません。";

}  // namespace

void ConvertMonthRecord(ImportRun& run, const SourceRecord& record, RecordOutcome& out) {
  const std::string& line = record.raw;
  const store::ScheduleTexts texts = store::ReadScheduleTexts(line);
  out.title = texts.title;
  out.date = texts.day;
  const store::Date month = run.request.data_month.value_or(store::MakeDate(2000, 1, 1));
  const int day = store::Day(line);
  const int year = store::YearOf(month), month_number = store::MonthOf(month);
  if (day < 1 || day > store::DaysInMonth(year, month_number) || store::FieldBytes(line, 1, 2).size() != 2)
    return run.Fail(out, record, kBadStartDate, texts.day);
  out.date = store::DateText(store::MakeDate(year, month_number, day));

  store::ScheduleFields fields = store::ReadScheduleLine(line);
  fields.day = day;
  fields.link.clear();  // a file link of another folder is not carried over
  if (fields.span > static_cast<int>(kMaxSpanDays)) return run.FailNoValue(out, record, kBadData);
  try {
    store::BuildScheduleLine(fields);  // codes out of their ranges
  } catch (const std::invalid_argument&) {
    return run.FailNoValue(out, record, kBadData);
  }
  StoreImportedSchedule(run, record, out, fields, record.memo, year, month_number);
}

void ConvertHolidayRecord(ImportRun& run, const SourceRecord& record, RecordOutcome& out) {
  const std::string line(store::TrimRight(record.raw));
  out.title = store::FieldToEnd(line, 16);
  out.date = TrimText(store::Field(line, 1, 2)) + "/" + TrimText(store::Field(line, 3, 2));
  auto rule = store::ParseHolidayLine(line);
  const bool week_ok = rule && ((rule->week >= 0 && rule->week <= 5) || rule->week == store::kHolidayWeekLast);
  if (!rule || !week_ok) return run.FailNoValue(out, record, kBadData);
  if (rule->month >= 1 && rule->month <= 12 && rule->day >= 1 && rule->day <= 31) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d/%02d", rule->month, rule->day);
    out.date = text;
  }
  AddHolidayLine(run, out, line, [&](const std::string& existing) { return store::TrimRight(existing) == line; });
}

}  // namespace kal::import
