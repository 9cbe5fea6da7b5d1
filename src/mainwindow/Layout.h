// The size arithmetic of the main window: column widths and row heights of the grids, the fit
// rules that keep every row and column visible, automatic width and height, the side calendars
// and the navigation bar. Every result is at least the minimum cell size, and no rule divides by
// a count that can be zero or loops without end.
#pragma once

#include <vector>

namespace kal::mainwindow {

// Shrinks the sizes one pixel at a time, from the last towards the first and around again,
// until their sum is at most `total` or every size is at `minimum`. Sizes below the minimum
// are first raised to it. `skip` (an index) is left alone; -1 for none.
void FitSizes(std::vector<int>& sizes, int total, int minimum, int skip = -1);

struct ColumnInput {
  int width = 0;              // W: the grid's client width
  int fixed_width = 0;        // F: width of the fixed column (0 when none)
  int fixed_columns = 0;      // 0 or 1
  int day_columns = 7;        // non-fixed columns
  bool half_week_ends = false;  // SatSun in modes 2 to 4 with the week ends shown
  int saturday_column = -1;   // indices among the day columns (0-based) of Saturday and Sunday
  int sunday_column = -1;
  bool mini = false;
};

// All column widths, fixed column first: equal shares, or half-width week ends, then the fit.
std::vector<int> ColumnWidths(const ColumnInput& in);

// Automatic width: the selected day column (0-based among the day columns) widened to `needed`
// + 2 (at most W - F x fixed - 7 x day columns); the others share the rest; then the fit,
// leaving the selected column alone. Returns all widths, fixed column first.
std::vector<int> AutoColumnWidths(const ColumnInput& in, int selected_column, int needed);

// Row heights of modes 3 to 8 and mini mode: header first, then the R - 1 data rows.
std::vector<int> RowHeights(int height, int header_height, int rows);

// Automatic row height: data row `row` (1-based, as in the grid) raised to `needed` + 2, at most
// H - header - 7 x R; the other data rows share the rest (one pixel less each unless
// `yearly_mode`), then the fit leaving that row alone.
std::vector<int> AutoRowHeights(int height, int header_height, int rows, int row, int needed, bool yearly_mode);

// Row heights of a side calendar: every row (header included) gets (height - date bar) / rows,
// then the fit.
std::vector<int> SideCalendarRowHeights(int panel_height, int date_bar_height, int rows);

// Height of each shown side calendar after the splitter below them moves.
int SideCalendarHeight(int side_panel_height, int list_height, int splitter_height, int shown);

// Buttons of the navigation bar: x of each (the caption button's width is given).
struct NavigationGeometry {
  int before_year = 0;
  int before_month = 0;
  int caption = 0;
  int caption_width = 0;
  int next_month = 0;
  int next_year = 0;
};
NavigationGeometry NavigationLayout(int mode, int bar_width, int caption_width, int widest_caption,
                                    int button_width, bool mini);

}  // namespace kal::mainwindow
