// The day positions of the four many-month views: the year across (mode 5, one row per month),
// the year down (mode 8, one column per month), several consecutive months (mode 6) and the same
// month over several years (mode 7), with the labels of their fixed row and column and the date
// line of their cells. A position beyond the length of its month holds no date: it is drawn
// blank and cannot be selected.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "mainwindow/CellContents.h"
#include "store/DateText.h"

namespace kal::mainwindow {

using store::Date;

struct ManyMonthGrid {
  int mode = 5;
  std::vector<Date> months;                             // day 1 of each month, in row (mode 8: column) order
  std::vector<std::vector<std::optional<Date>>> dates;  // [data row][data column]
  std::vector<std::string> row_labels;                  // the fixed column, per data row
  std::vector<std::string> column_labels;               // the fixed row, per data column
  int rows() const { return static_cast<int>(dates.size()); }
  int columns() const { return dates.empty() ? 0 : static_cast<int>(dates.front().size()); }
};

// The grid of mode 5, 6, 7 or 8 for the displayed month (year, month) and the mode's count
// (MonNo in mode 6, YearNo in mode 7, brought into 1..12; ignored otherwise):
// - mode 5: January to December of the year, days 1..31 across, labels "1月".."12月";
// - mode 8: the same months as columns (labels "1月".."12月"), days 1..31 down (labels "1".."31");
// - mode 6: `count` months from the displayed one, across years, labels by month;
// - mode 7: the displayed month of the displayed year, then of each earlier year, labels
//   "yyyy年"; as many day columns as the month has, February always 29.
ManyMonthGrid ManyMonthDays(int mode, int year, int month, int count);

// The cell (data row, data column) holding a date; nothing when the grid does not show it.
std::optional<std::pair<int, int>> ManyMonthCell(const ManyMonthGrid& grid, const Date& date);
// The month (day 1) a cell belongs to: its row's, or in mode 8 its column's.
Date ManyMonthOfCell(const ManyMonthGrid& grid, int row, int column);

// The date line of a cell: the day number "%2d" with the display item "日にち", then the weekday
// with "曜日" ("月".."日" with `japanese`, else "MON".."SUN"), joined by a blank; "" when neither
// is on.
std::string ManyMonthDateLine(const Date& date, std::string_view flags, bool japanese);

// Mode 8 without "六曜": the cell's first item line (a holiday name, schedule or ToDo item; not a
// multi-day bar) moves up onto the date line, after two blanks, so that the short day rows still
// show it.
void MoveFirstLineToDateLine(CellContents& cell);

}  // namespace kal::mainwindow
