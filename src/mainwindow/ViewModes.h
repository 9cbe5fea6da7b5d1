// The eight view modes of the main window: their names, captions and period counts, the grid
// shape of each, and the placement of dates in the calendar grids of modes 1 to 4.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "store/DateText.h"
#include "store/Settings.h"

namespace kal::mainwindow {

using store::Date;

enum ViewMode : int {
  kModeDaily = 1,     // 複数日バーチカル
  kModeVertical = 2,  // 週間バーチカル
  kModeWeekly = 3,    // 複数週間
  kModeMonthly = 4,   // 月間
  kModeYearly = 5,    // 年間横表示
  kModeMonthly2 = 6,  // 複数月
  kModeMonthly3 = 7,  // 複数年同月
  kModeYearly2 = 8,   // 年間縦表示
};

// What the view-mode table says of one mode.
struct ViewModeInfo {
  int mode;
  const char* section;       // settings section
  const char* menu_name;     // component name of the " 表示(&V) " radio item
  const char* tool_caption;  // toolbar caption
  const char* tool_hint;     // toolbar hint (the menu caption without its accelerator)
  const char* count_caption; // caption of the count submenu; "" when the mode has no count
  int count_min;
  int count_max;
  const char* count_prefix;  // component-name prefix of the count items ("PopDay" ...)
  bool year_buttons;         // 次年 / 前年 shown
  bool printing;             // the print commands are allowed
};

// The row of a mode; an out-of-range number gives the month view's row.
const ViewModeInfo& ViewModeOf(int mode);
// A mode brought into 1..8 (the month view for anything else).
int ClampMode(int mode);

// The mode's period count as held by the settings (0 for modes without one), and its store.
int ModeCount(const store::Settings& settings, int mode);
void SetModeCount(store::Settings& settings, int mode, int count);

// The hints of the before, caption and next buttons, which are also the captions of the
// " 移動(&G) " items 前月 / 今月 / 次月 after a mode change ("前の3日" / "今日" / "次の3日" in mode 1).
std::array<std::string, 3> PeriodHints(int mode, int day_count);

// The view font key of a mode: Daily, Vertical, Weekly, Monthly for modes 1 to 4, else Yearly.
const std::vector<std::string>& ModeFontItems(const store::Settings& settings, int mode);

// ---- Grid shapes --------------------------------------------------------------------------

inline constexpr int kHeaderHeight = 16;
inline constexpr int kWeekNumberWidth = 20;
inline constexpr int kMiniWeekNumberWidth = 18;
inline constexpr int kMinimumCellSize = 7;

struct GridShape {
  int rows = 0;            // fixed rows included
  int columns = 0;         // fixed columns included
  int fixed_rows = 0;
  int fixed_columns = 0;
  int header_height = 0;   // height of the fixed row
  int fixed_width = 0;     // width of the fixed column (0 when there is none)
  bool timeline = false;   // modes 1 and 2: the main grid is the all-day header of the timeline
  int day_columns = 0;     // the day columns of modes 1 to 4 (7, 5, or N in mode 1)
  friend bool operator==(const GridShape&, const GridShape&) = default;
};

// Week rows of the month view for a month: the mode's count, grown to 6 when the month needs a
// sixth calendar week under the week start.
int MonthWeekRows(int year, int month, int str_week, int month_count);

// The shape of the main grid in a mode. `year`/`month` is the displayed month (mode 4's week
// rows and mode 7's columns); `day_item_on` is the display item "日にち" of the mode.
GridShape ShapeFor(int mode, const store::Settings& settings, int year, int month, bool day_item_on);

// ---- Date placement (modes 1 to 4) ----------------------------------------------------------

// Position 0..6 of a weekday number (1 Sunday .. 7 Saturday) in a week starting on Sunday
// (StrWeek 0) or on Monday (StrWeek 1).
int WeekPosition(int weekday_number, int str_week);
// The weekday number of position 0..6.
int WeekdayAtPosition(int position, int str_week);
// The weekday position shown in day column `column` (0-based after the fixed columns): with the
// week ends hidden the five columns are the weekday positions (Monday first under both starts).
int ColumnPosition(int column, bool sat_sun_no, int str_week);

// The date table of modes 1 to 4: rows of seven day positions (one row of N in mode 1).
// The anchor is day 1 of the displayed month in mode 4 and in mini mode, else the selected day,
// clamped to the last day of its month.
struct DateTable {
  int mode = kModeMonthly;
  int str_week = 1;
  std::vector<std::vector<Date>> rows;  // rows[row][position]
  Date anchor{};
  Date first() const { return rows.front().front(); }
  Date last() const { return rows.back().back(); }
};
DateTable BuildDateTable(int mode, int year, int month, int selected_day, int rows, int str_week, bool mini,
                         int day_count = 3);

}  // namespace kal::mainwindow
