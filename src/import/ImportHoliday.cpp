// The holiday target: one record becomes one dated rule of Holiday.dat.
#include <algorithm>
#include <cstdio>

#include "import/ImportRun.h"
#include "store/HolidayFile.h"
#include "store/Record.h"

namespace kal::import {
namespace {

enum Field : std::size_t { kDate, kTitle, kClass, kFirstYear, kLastYear };

constexpr const char* kBadDate = "日付に誤りがあるため処理できません。";
constexpr const char* kBadClass = "分類に誤りがあるため処理できません。";

// "祝日" 0, "休日" 1, "記念日" 2, "記念日1".."記念日3" 2..4; -1 otherwise.
int ClassOf(const std::string& value) {
  const std::string text = TrimText(value);
  if (text == "祝日") return 0;
  if (text == "休日") return 1;
  const std::string anniversary = "記念日";
  if (text.compare(0, anniversary.size(), anniversary) != 0) return -1;
  const std::string rest = text.substr(anniversary.size());
  if (!rest.empty() && rest[0] >= '1' && rest[0] <= '3') return 2 + (rest[0] - '1');
  return 2;
}

// A year field: blank, or four digits (the first four bytes of the value).
std::optional<std::string> YearField(const std::string& value) {
  const std::string text = TrimText(value);
  if (text.empty()) return std::string();
  if (text.size() < 4) return std::nullopt;
  const std::string year = text.substr(0, 4);
  if (year.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  return year;
}

std::string TwoDigits(int value) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%2d", value);
  return buf;
}

}  // namespace

void AddHolidayLine(ImportRun& run, RecordOutcome& out, const std::string& line,
                    const std::function<bool(const std::string&)>& same) {
  const std::string path = store::HolidayFilePath(run.request.folders.data);
  std::vector<std::string>& lines = run.files.Lines(path);
  // A data folder without Holiday.dat gets the built-in public holidays with the imported lines,
  // as the program would have created it at start-up.
  if (!run.files.Existed(path) && lines.empty()) lines = store::BuiltInHolidayLines();
  if (run.request.options.skip_duplicates && std::any_of(lines.begin(), lines.end(), same)) {
    out.status = RecordStatus::Duplicate;
    return;
  }
  lines.push_back(line);
  run.files.Touch(path, ImportFiles::Order::Sorted);
  out.status = RecordStatus::Import;
}

void ConvertHoliday(ImportRun& run, const SourceRecord& record, RecordOutcome& out) {
  const std::string date_value = TrimText(run.Value(record, kDate));
  out.date = date_value;
  out.title = TrimText(run.Value(record, kTitle));
  // "5/3" is read as a day of the year 2000 (a leap year, so 2/29 is a date).
  const auto date = ParseImportDate(date_value.size() < 8 ? "2000/" + date_value : date_value);
  if (!date) return run.Fail(out, record, kBadDate, date_value);
  const int month = store::MonthOf(*date), day = store::DayOf(*date);
  out.date = (month < 10 ? "0" : "") + std::to_string(month) + "/" + (day < 10 ? "0" : "") + std::to_string(day);

  const int holiday_class = ClassOf(run.Value(record, kClass));
  if (holiday_class < 0) return run.FailNoValue(out, record, kBadClass);
  std::string years;
  for (std::size_t field : {std::size_t{kFirstYear}, std::size_t{kLastYear}}) {
    auto year = YearField(run.Value(record, field));
    if (!year) {
      const TargetField& f = TargetFields(ImportTarget::Holiday)[field];
      return run.FailNoValue(out, record, f.name + f.format + " に誤りがあるため処理できません。");
    }
    years += store::PadField(*year, 4);
  }
  std::string bad;
  auto title = store::FieldText(out.title, store::kHolidayNameWidth, &bad);
  if (!title) return run.Refuse(out, record, store::UnencodableMessage("件名", bad));

  const std::string line = TwoDigits(month) + TwoDigits(day) + years + "00" +
                           static_cast<char>('0' + holiday_class) + std::string(store::TrimRight(*title));
  const std::string title_bytes(store::TrimRight(*title));
  AddHolidayLine(run, out, line, [&](const std::string& existing) {
    return store::Trim(store::FieldBytes(existing, 1, 2)) == store::Trim(TwoDigits(month)) &&
           store::Trim(store::FieldBytes(existing, 3, 2)) == store::Trim(TwoDigits(day)) &&
           store::FieldBytesToEnd(existing, 16) == title_bytes;
  });
}

}  // namespace kal::import
