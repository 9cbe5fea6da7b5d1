// The mini calendar of mini mode: the compact month grid that replaces the window's calendar
// while the window is small. Its shape (week rows, the optional week-number column), its cells
// (the day number alone, centred, in the `Mini` font, underlined for days with entries when
// `SchLine` is on, with the colours and day marks of the month grid) and its tooltip
// (`SmallTips`). The grid widget only paints what these give.
#pragma once

#include <string>
#include <vector>

#include "mainwindow/CellContents.h"
#include "store/DateText.h"
#include "store/Settings.h"

namespace kal::mainwindow {

inline constexpr int kMiniNavHeight = 18;      // the navigation bar
inline constexpr int kMiniMonthButton = 24;    // its month buttons (no year buttons)
inline constexpr int kMiniWeekColumn = 16;     // [Mini] WeekOfYear: the week-number column
inline constexpr int kMiniHeaderHeight = 14;   // the weekday row

struct MiniShape {
  int week_rows = 5;      // data rows: 5, or 6 when the month needs them (or MonthNo is 6)
  int fixed_columns = 0;  // 1 with the week-number column
  int fixed_width = 0;
  int header_height = kMiniHeaderHeight;
  friend bool operator==(const MiniShape&, const MiniShape&) = default;
};
MiniShape MiniGridShape(const store::Settings& settings, int year, int month);

// Row heights of the mini calendar, header first: the rule of the month grid without grid lines
// (every week row (height - header) / rows, the last one pixel more while everything fits, then
// one pixel less at a time from the last row up until it does).
std::vector<int> MiniRowHeights(int height, int header_height, int week_rows);

// The day numbers' pixel height with [Mini] FontSizeAuto: the smaller of the row height and the
// column width, less one (never below 6).
int MiniDayPixels(int row_height, int column_width);

// A cell of the mini calendar. `day_pixels` is the pixel height of the day number with
// FontSizeAuto (see MiniDayPixels); without it the `Mini` font keeps its own size.
CellContents MiniCell(const CellDay& day, const CellContext& context, int day_pixels);

// `SmallTips`: the tip of a day in mini mode. " yyyy年m月d日 (aaa) ", the rokuyo and a blank
// (month view's "六曜" on), the weather text; then each on a line of its own after a blank: the
// names of holidays and anniversaries, the solar terms but the equinoxes, the full text of
// schedules and ToDo items followed by a blank; then, for a day with a memo, " < yyyy/m/dのメモ >"
// and the memo's lines between blanks. Lines are separated by "\r". The colour is the back colour
// of the day's kind, or TOD for today when `Today` is on.
Hint SmallTips(const CellDay& day, const store::Settings& settings, const Date& today,
               const std::vector<std::string>& memo_lines, const std::vector<std::string>& alarm_texts = {});

}  // namespace kal::mainwindow
