#include "mainwindow/ManyMonthDays.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "mainwindow/CellContents.h"

namespace kal::mainwindow {

ManyMonthGrid ManyMonthDays(int mode, int year, int month, int count) {
  ManyMonthGrid grid;
  grid.mode = mode;
  const Date displayed = store::MakeDate(year, month, 1);
  const int n = std::clamp(count, 1, 12);
  int day_columns = 31;
  switch (mode) {
    case 6:
      for (int i = 0; i < n; ++i) grid.months.push_back(store::AddMonths(displayed, i));
      break;
    case 7:
      for (int i = 0; i < n; ++i) grid.months.push_back(store::MakeDate(year - i, month, 1));
      day_columns = month == 2 ? 29 : store::DaysInMonth(year, month);
      break;
    default:  // 5 and 8
      for (int m = 1; m <= 12; ++m) grid.months.push_back(store::MakeDate(year, m, 1));
      break;
  }
  auto month_label = [](const Date& d) { return std::to_string(store::MonthOf(d)) + "月"; };
  auto day_of = [](const Date& first, int day) -> std::optional<Date> {
    const int y = store::YearOf(first), m = store::MonthOf(first);
    if (day > store::DaysInMonth(y, m)) return std::nullopt;
    return store::MakeDate(y, m, day);
  };
  if (mode == 8) {
    for (const Date& m : grid.months) grid.column_labels.push_back(month_label(m));
    for (int day = 1; day <= 31; ++day) {
      std::vector<std::optional<Date>> row;
      for (const Date& m : grid.months) row.push_back(day_of(m, day));
      grid.dates.push_back(std::move(row));
      grid.row_labels.push_back(std::to_string(day));
    }
    return grid;
  }
  for (int day = 1; day <= day_columns; ++day) grid.column_labels.push_back(std::to_string(day));
  for (const Date& m : grid.months) {
    std::vector<std::optional<Date>> row;
    for (int day = 1; day <= day_columns; ++day) row.push_back(day_of(m, day));
    grid.dates.push_back(std::move(row));
    grid.row_labels.push_back(mode == 7 ? std::to_string(store::YearOf(m)) + "年" : month_label(m));
  }
  return grid;
}

std::optional<std::pair<int, int>> ManyMonthCell(const ManyMonthGrid& grid, const Date& date) {
  for (std::size_t r = 0; r < grid.dates.size(); ++r)
    for (std::size_t c = 0; c < grid.dates[r].size(); ++c)
      if (grid.dates[r][c] && *grid.dates[r][c] == date) return std::make_pair(static_cast<int>(r), static_cast<int>(c));
  return std::nullopt;
}

Date ManyMonthOfCell(const ManyMonthGrid& grid, int row, int column) {
  const int index = grid.mode == 8 ? column : row;
  if (grid.months.empty()) return Date{};
  return grid.months[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(grid.months.size()) - 1))];
}

std::string ManyMonthDateLine(const Date& date, std::string_view flags, bool japanese) {
  static const std::array<const char*, 7> jp = {"日", "月", "火", "水", "木", "金", "土"};
  static const std::array<const char*, 7> en = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
  std::string text;
  if (ItemOn(flags, kItemDayNumber)) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%2d", store::DayOf(date));
    text = buffer;
  }
  if (ItemOn(flags, kItemWeekday)) {
    const auto w = static_cast<std::size_t>(store::WeekdayNumber(date) - 1);
    if (!text.empty()) text += " ";
    text += japanese ? jp[w] : en[w];
  }
  return text;
}

void MoveFirstLineToDateLine(CellContents& cell) {
  for (auto it = cell.lines.begin(); it != cell.lines.end(); ++it) {
    if (it->bar || it->band == -2) continue;  // bars and empty bar lanes keep their places
    cell.date_text += (cell.date_text.empty() ? "" : "  ") + it->text;
    cell.lines.erase(it);
    return;
  }
}

}  // namespace kal::mainwindow
