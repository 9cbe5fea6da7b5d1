// Multi-day schedules: a schedule of 1 to 62 days drawn as a bar in a band (lane) that it keeps on
// every day it covers. It is stored once, in the month file of its first day; the month model
// repeats it on every covered day with the day's position in the span.
//
// Band placement runs while the model loads its months in day order, earlier months first, so a
// bar that is already running holds its band on every later day and later bars choose around it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/DateText.h"
#include "model/MonthModel.h"

namespace kal::calendar {

using store::Date;

// How a bar goes on from the last day of its slot's month.
enum class SlotChain {
  Calendar,     // slots are calendar months: the next slot, slot 12 followed by slot 1
  Consecutive,  // slots 1 to 12 in order: a bar stops at the end of slot 12 (multi-month, yearly)
  SameMonth,    // a bar stops at the end of its slot's month (same month over several years)
};
SlotChain ChainOf(int view_mode, bool mini);

struct BarRoute {
  SlotChain chain = SlotChain::Calendar;
  // The yearly views' pass over December of the previous year (held in slot 12): its bars go on
  // into January in slot 1.
  bool from_previous_december = false;
};

// The day after (slot, day) along the route; false when the bar stops there. A slot the view
// does not hold stops a bar too.
bool NextBarDay(const store::MonthModel& model, const BarRoute& route, int& slot, int& day);

// The lowest band not taken by the bars already on a day: the walk over the day's banded entries
// from the first, where each bar whose band equals the running number advances it.
int FreeBand(const std::vector<std::string>& day_list);

// The day entry of a bar on one day: band + "5" + index + the line's first 130 bytes (padded)
// + the position as two digits, then, `with_link`, the link mark and the link from the line.
std::string BarEntry(int band, int index, std::string_view line, int position, bool with_link);

// Band placement (`ExtendDaySet`) of a multi-day line starting on `day` of `slot`: the free
// band, then one entry per covered day along the route. Nothing is placed when all 100 bands are
// taken; the return value is then nothing.
std::optional<int> ExtendDaySet(store::MonthModel& model, const BarRoute& route, std::string_view line, int index,
                                int slot, int day);

// A bar of an earlier month that reaches into a held month.
struct EarlierBar {
  std::string line;  // CP932
  int index = 0;     // line index in its month file
  int elapsed = 0;   // days of the span that lie before day 1 of the held month
};

// Spill-in: the bars of earlier months, in order, take bands from `first_band` on (no gap search)
// and show from day 1 of `slot` with their positions continuing (line's first 130 bytes and the
// position only, no link). A bar that would need band 100 or more is not placed and is added to
// `unplaced`. Returns the next band number.
int SpillIn(store::MonthModel& model, const BarRoute& route, int slot, const std::vector<EarlierBar>& bars,
            int first_band, std::vector<std::string>* unplaced);

// ---- Selection over a grid of dates -----------------------------------------------------------

struct GridCell {
  int column = 0;
  int row = 0;
  friend bool operator==(const GridCell&, const GridCell&) = default;
};

// The cells of a calendar grid in reading order (left to right, row by row; in the vertical
// yearly view top to bottom, column by column) with the date each shows; a cell of a day the
// month does not have, or a hidden Saturday and Sunday, has no date or is left out.
struct DateGrid {
  std::vector<GridCell> cells;
  std::vector<std::optional<Date>> dates;  // one per cell
  bool rows_apart = false;  // the same-month view: each row is another year, selections stay in a row

  void Add(GridCell cell, std::optional<Date> date);
  // The cell's position in reading order; -1 when it is not in the grid.
  int Find(GridCell cell) const;
};

// The highlight of a bar (`ExtendDaySelect`): its band and the cells its days cover, from its first
// shown day to its last in reading order (within the cell's row in the same-month view).
struct BarHighlight {
  int band = -1;
  std::vector<GridCell> cells;
};
BarHighlight ExtendDaySelect(const DateGrid& grid, std::string_view entry, GridCell cell);

// The range selection of the main window.
struct RangeSelection {
  bool selecting = false;  // a range is being built: the anchor is set
  bool exists = false;     // a range is selected
  GridCell anchor;
  GridCell end;
  Date first{};
  Date last{};
  std::vector<GridCell> marked;  // cells drawn with the SEL colour
};

// `ExtendCellSelect` (not in mini mode): a range that exists is cleared (its marks removed, not
// selecting any more); while selecting, a cell other than the anchor (in the same-month view
// only one in the anchor's row) makes the range from the earlier to the later cell; otherwise the
// cell becomes the anchor. Cells without a date are ignored.
void ExtendCellSelect(RangeSelection& selection, const DateGrid& grid, GridCell current, bool mini);

}  // namespace kal::calendar
