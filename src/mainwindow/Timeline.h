// The timeline of the two vertical views (multi-day and weekly): the half-hour rows of the time
// range with their labels and core-hour shading, the placement of a day's timed schedules as
// blocks side by side, the block rectangles, the row heights, the current-time line and the row
// the timeline scrolls to. Everything here is a pure function of its arguments; the timeline
// widget and the page printer only draw what these give.
//
// Rows. A range from hour S (StrTime) to hour E (EndTime) has (E - S) x 2 + 2 rows; row r is the
// half hour from S + r / 2 o'clock, minutes 0-29 for even r and 30-59 for odd r. Hours may run
// past 23 (up to 36) for the hours after midnight; they are labelled h - 24.
//
// Positions inside a row are counted in five-minute steps: a row holds six. A block starts
// `start_offset` steps below the top of its start row and ends `end_gap` steps above the bottom
// of its end row.
//
// Placing the blocks of one day column (`PlaceBlocks`), for each entry of the day's item list in
// list order:
//  1. Entries the display items hide are skipped, and schedules and ToDo marks whose category the
//     category view hides. Schedules and ToDo marks take their category's colours and icon.
//  2. A single-day schedule is timed when its start time is "hh:mm" with hour <= 36 and minute
//     <= 59, and its end time is blank or of that form too. A blank end is the start plus the
//     default duration (DefTime hours). Everything else goes to the day's header list: holidays,
//     anniversaries, solar terms, ToDo marks, untimed and multi-day schedules.
//  3. A timed schedule also goes to the header when it starts after hour E, ends before hour S or
//     in the first five minutes of hour S, or ends before it starts.
//  4. The start row is the half hour holding the start (offset = minutes mod 30 / 5); the end row
//     the half hour holding the end, with the gap the steps left to that row's bottom (an end on
//     a row boundary ends the row before, gap 0). Rows outside the range are clamped to it.
//  5. Lane: the smallest lane that no block placed before it and overlapping it holds. Overlap is
//     judged on the span the block is drawn over: a block shorter than a row is drawn a row high
//     (upwards from its end when it has an end gap, downwards from its start otherwise).
//  6. Blocks that overlap, directly or through others, form a group that shares one lane count
//     (the highest lane of the group + 1); each block widens to the right over the lanes that no
//     block overlapping it holds, so that no two blocks are ever drawn over each other.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/DateText.h"
#include "store/Settings.h"

namespace kal::catalogues {
class CategoryTable;
}

namespace kal::mainwindow {

using store::Date;

inline constexpr int kStepsPerRow = 6;   // five-minute steps in a half-hour row
inline constexpr int kTimeAxisWidth = 48;

// ---- Rows ----------------------------------------------------------------------------------------

// The hours a timeline shows. `last` is never below `first`.
struct TimeRange {
  int first = 0;  // StrTime
  int last = 23;  // EndTime, up to 36
  int rows() const { return (last - first) * 2 + 2; }
  friend bool operator==(const TimeRange&, const TimeRange&) = default;
};

// What a vertical view takes from the settings: its own StrTime, EndTime, JustHeight and
// CellHeight (section Daily for mode 1, Vertical for mode 2) and the shared Vertical keys.
struct TimelineSettings {
  TimeRange range;
  int core_first = 9;    // StrTime2
  int core_last = 17;    // EndTime2
  int def_time = 1;      // DefTime, hours
  bool just_height = false;
  int cell_height = 15;
  bool round = true;
  bool trans = true;
  bool now_line = true;
};
// A stored EndTime below StrTime is taken as StrTime; a DefTime below 1 as 1; a CellHeight below
// 1 as 1.
TimelineSettings TimelineSettingsOf(const store::Settings& settings, int mode);

// A time of the timeline "hh:mm" (hour 0..36, minute 0..59) as minutes since midnight; nothing
// for any other text.
std::optional<int> TimelineMinutes(std::string_view text);
// "hh:mm" of minutes since midnight (the hour may pass 23).
std::string HourMinuteText(int minutes);

// The clock hour of a row (may be above 23) and its first minute (0 or 30).
int RowHour(const TimeRange& range, int row);
int RowMinute(int row);
// "hh:mm" of the row's start, with the hour as the row has it ("25:30" after midnight).
std::string RowTimeText(const TimeRange& range, int row);
// "hh:mm" `hours` later than the row's start.
std::string RowTimeTextPlus(const TimeRange& range, int row, int hours);
// The label of the time axis at a row: "h:00" (h - 24 from 24 on) on the first row of each hour,
// "" on the second.
std::string AxisLabel(const TimeRange& range, int row);
// Whether a row lies outside the core hours [core_first, core_last) and is shaded.
bool RowShaded(const TimelineSettings& settings, int row);

// The start and end times ("hh:mm") of a new schedule made from the timeline: a selected range
// of rows from `first_row` to `last_row` gives the first row's start and the time after the last
// row; a single current row (no `last_row`) gives its start and DefTime hours later.
std::pair<std::string, std::string> NewScheduleTimes(const TimelineSettings& settings, int first_row,
                                                     std::optional<int> last_row);

// ---- Block placement --------------------------------------------------------------------------

struct PlacedBlock {
  int entry_index = 0;   // position of the entry in the day's item list
  int start_row = 0;
  int end_row = 0;
  int start_offset = 0;  // steps from the top of the start row, 0..5
  int end_gap = 0;       // steps from the block's bottom to the bottom of the end row, 0..5
  int top_step = 0;      // the steps the block is drawn over, [top_step, bottom_step) from the
  int bottom_step = 0;   // range's top: at least one row (see the placement rules above)
  int lane = 0;          // 0-based
  int lane_span = 1;     // lanes the block is drawn over, from `lane` on
  int lane_count = 1;    // lanes of the block's group
  std::optional<int> text_colour;  // the category's colours ($BBGGRR); nothing when it sets none
  std::optional<int> back_colour;
  int icon = 0;          // category icon 1..99, 0 none
  friend bool operator==(const PlacedBlock&, const PlacedBlock&) = default;
};

struct DayTimeline {
  std::vector<PlacedBlock> blocks;       // in placement order
  std::vector<std::vector<int>> rows;    // per row: indexes into `blocks` of the blocks touching it
  std::vector<int> header;               // entry indexes of the untimed entries, in list order
};

struct PlacementOptions {
  TimeRange range;
  int def_time = 1;
  std::string flags;  // the mode's 31 display items
  const catalogues::CategoryTable* categories = nullptr;  // nothing: every category shown, no colours
  int category_mode = 2;                                  // View CatChk
};

// The blocks and header entries of one day column from the day's entries (the month model's day
// entries, CP932).
DayTimeline PlaceBlocks(const std::vector<std::string>& entries, const PlacementOptions& options);

// ---- Geometry ---------------------------------------------------------------------------------

struct BlockRect {
  int left = 0;
  int top = 0;
  int right = 0;   // exclusive
  int bottom = 0;  // exclusive
  friend bool operator==(const BlockRect&, const BlockRect&) = default;
};
// The rectangle of a block in a day column `cell_width` wide starting at x = `cell_left`, with
// rows `row_height` high starting at y = 0: its drawn steps times row_height / 6; lanes are
// (cell_width - 1) / lane_count wide (at least 1).
BlockRect BlockRectOf(const PlacedBlock& block, int cell_left, int cell_width, int row_height);

// The row height: with JustHeight the viewport height shared by the rows, else CellHeight; at
// least 1 whatever the inputs.
int TimelineRowHeight(const TimelineSettings& settings, int viewport_height);

// ---- The current time -------------------------------------------------------------------------

// Where the current-time line stands: the day column (0-based among `shown`) and the minutes from
// the start of the range. After midnight (hour <= 6) with a range past 23 the line stands in the
// previous day's column at hour + 24 when that day is shown and the hour is in the range;
// otherwise in today's column when today is shown and the time lies in the range.
struct NowSpot {
  int column = 0;
  int minutes = 0;  // from hour `range.first`
  int row() const { return minutes / 30; }
  friend bool operator==(const NowSpot&, const NowSpot&) = default;
};
std::optional<NowSpot> NowSpotOf(const TimeRange& range, const std::vector<Date>& shown, const Date& today, int hour,
                                 int minute);
// The y of the line for rows `row_height` high.
int NowLineY(const NowSpot& spot, int row_height);

// The row the timeline scrolls to when a view opens: the row of the current hour when the line
// stands in a shown column; else the first row of the earliest block; else the first core-hour
// row (clamped to the range).
int ScrollRow(const TimelineSettings& settings, const std::optional<NowSpot>& now,
              const std::vector<DayTimeline>& days);

}  // namespace kal::mainwindow
