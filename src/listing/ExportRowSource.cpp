#include "listing/ExportRowSource.h"

#include <cstdio>

#include "store/DatePattern.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::listing {

namespace {

bool Digits(const std::string& s, std::size_t n) {
  if (s.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

// The month files of a view, as "yyyymm" stems in name order.
std::vector<std::string> MonthStems(platform::FileSystem& fs, const std::string& folder, int view,
                                    const Date& reference) {
  const int y = store::YearOf(reference), m = store::MonthOf(reference);
  if (view <= 2) return {store::MonthStem(y, m)};
  const std::string pattern = view == 3 ? std::to_string(y) + "*.sch" : "*.sch";
  std::vector<std::string> stems;
  for (const auto& name : fs.List(folder, pattern))
    if (name.size() == 10 && Digits(name, 6)) stems.push_back(name.substr(0, 6));
  return stems;
}

const char* const kClassNames[] = {"祝日", "休日", "記念日1", "記念日2", "記念日3"};

}  // namespace

std::vector<ListRow> ScheduleViewRows(platform::FileSystem& fs, const std::string& data_folder, int view,
                                      const Date& reference) {
  std::vector<ListRow> rows;
  for (const auto& stem : MonthStems(fs, data_folder, view, reference)) {
    const int y = std::stoi(stem.substr(0, 4)), m = std::stoi(stem.substr(4, 2));
    if (m < 1 || m > 12) continue;
    const auto lines = store::LoadLines(fs, store::MonthFilePath(data_folder, y, m));
    for (std::size_t i = 0; i < lines.size() && i < store::kMaxMonthLines; ++i) {
      const int day = store::Day(lines[i]);
      if (day == 0 || day > store::DaysInMonth(y, m)) continue;
      if (view == 1 && day != store::DayOf(reference)) continue;
      char key[24];
      std::snprintf(key, sizeof key, "%s%02d%04zu%03d", stem.c_str(), day, i, store::DetailNumber(lines[i]));
      rows.push_back({{key}});
    }
  }
  return rows;
}

std::vector<ListRow> HolidayViewRows(const calendar::HolidayList& holidays, int view, const Date& reference) {
  std::vector<ListRow> rows;
  for (const auto& line : holidays.lines()) {
    const int c = line.holiday_class;
    if (c < 0 || c > 4) continue;
    if ((view == 1 && c != 0) || (view == 2 && c != 1) || (view == 3 && c < 2)) continue;
    char key[8];
    std::snprintf(key, sizeof key, "%04d", line.index);
    rows.push_back({{key, "", "", line.name, kClassNames[c], line.first_year, line.last_year}});
  }
  if ((view == 1 || view == 4) && holidays.settings().auto_holiday) {
    const int y = store::YearOf(reference);
    for (const auto& h : calendar::ComputedHolidays(holidays, store::MakeDate(y, 1, 1), store::MakeDate(y, 12, 31)))
      rows.push_back({{"9999", store::FormatDatePattern("yyyy/mm/dd(aaa)", h.date), "自動設定", h.name, "祝日", "", ""}});
  }
  return rows;
}

std::vector<ListRow> MemoViewRows(platform::FileSystem& fs, const std::string& memo_folder, int view,
                                  const Date& reference) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%04d%02d%02d", store::YearOf(reference), store::MonthOf(reference),
                store::DayOf(reference));
  const std::string p = std::string(prefix).substr(0, view == 1 ? 8 : view == 2 ? 6 : view == 3 ? 4 : 0);
  std::vector<ListRow> rows;
  for (const auto& name : fs.List(memo_folder, "*.mem")) {
    const std::string stem = name.substr(0, name.size() - 4);
    if ((stem.size() != 8 && stem.size() != 6) || !Digits(stem, stem.size())) continue;
    if (stem.compare(0, p.size(), p) != 0 || (view == 1 && stem.size() != 8)) continue;
    rows.push_back({{stem}});
  }
  return rows;
}

}  // namespace kal::listing
