// Moving through time in the main window: the period and year steps of every view mode, today,
// the go-to-date dialog's result, the cursor keys, PageUp/PageDown and the mouse wheel, and the
// period caption (`SchHeader`) with its font.
//
// The window keeps two dates. The displayed date anchors what the view shows:
//   mode 1     the first day column          mode 2, 3  a day of the first week shown
//   mode 4     the month shown (mini mode too) mode 5, 8  the year shown
//   mode 6     the month of the first row     mode 7     the month, in the year of the top row
// The selected date is the date of the current cell. Every function here is pure: it takes the
// two dates and the view's shape and returns the new pair.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/DateText.h"
#include "store/Settings.h"

namespace kal::mainwindow {

using store::Date;

// The shape of the current view, from the settings.
struct NavContext {
  int mode = 4;
  bool mini = false;
  int day_count = 3;     // Daily DayNo, 1..7
  int week_count = 2;    // Weekly WeekNo, 1..6
  int month_rows = 5;    // Monthly MonthNo, 5..6
  int month_count = 6;   // Monthly2 MonNo, 1..12
  int year_count = 6;    // Monthly3 YearNo, 1..12
  bool monday_first = true;    // View StrWeek 1
  bool weekend_hidden = false; // SatSunNo of the mode (modes 2, 3 and 4 only)
};
NavContext NavContextOf(const store::Settings& settings, int mode, bool mini);

struct NavState {
  Date displayed{};
  Date selected{};
  friend bool operator==(const NavState&, const NavState&) = default;
};

// The first and last date a view of days shows (modes 1 to 4, mini mode and mode 6; modes 5 and
// 8 give the year, mode 7 the month of the top row).
struct ShownRange {
  Date first{};
  Date last{};
};
ShownRange ShownDates(const NavContext& ctx, const Date& displayed);
// Week rows of the month view: the count, grown to 6 when the month needs a sixth week.
int MonthRowCount(const NavContext& ctx, const Date& displayed);
// The first date of the week holding `date`.
Date WeekStart(const Date& date, bool monday_first);

// Previous (-1) or next (+1) period: modes 4, 6, 7 and mini mode one month, modes 5 and 8 one
// year, mode 3 seven days times the week count from the first date shown, mode 2 seven days,
// mode 1 the day count. A selected day the new month lacks becomes its last day.
NavState PeriodStep(const NavContext& ctx, const NavState& state, int direction);
// Previous or next year: modes 4, 6, 7 (and mini mode) the displayed year, mode 3 the selected
// date's year with its month; nothing in the modes without year buttons.
std::optional<NavState> YearStep(const NavContext& ctx, const NavState& state, int direction);
// "今月(&H)" and the caption button: today becomes the displayed and selected date.
NavState TodayState(const Date& today);
// The go-to-date dialog's OK.
NavState JumpState(const Date& chosen);

enum class NavKey { Left, Right, Up, Down, PageUp, PageDown };

// Where the focus goes in the timeline views after Up in the timeline's first row or Down in
// the header.
enum class NavFocus { Keep, Header, Timeline };

struct KeyResult {
  NavState state;
  bool moved = false;  // the dates changed
  NavFocus focus = NavFocus::Keep;
};
// A key in the main grid (in the timeline views: `in_header` tells whether the header row has
// the focus, `first_timeline_row` whether the timeline's current row is its first).
KeyResult KeyMove(const NavContext& ctx, const NavState& state, NavKey key, bool in_header = true,
                  bool first_timeline_row = false);

// The mouse wheel on the main grid: acts only with the selection in the last row (down) or the
// first row (up); nothing when it does not act.
std::optional<NavState> WheelMove(const NavContext& ctx, const NavState& state, bool down);

// The period caption (`SchHeader`).
struct CaptionInput {
  int weekly_bar_form = 0;        // View WeeklyBarForm
  std::string monthly_bar_form;   // View MonthlyBarForm
};
std::string SchHeader(const NavContext& ctx, const NavState& state, const CaptionInput& input);

// The caption font (`MonthlyBarFont`): name, size in points, style bits (1 bold, 2 italic,
// 4 underline, 8 strike-out) and colour ($BBGGRR). A setting that is not exactly four items gives
// nothing, and the caption keeps the window's font.
struct BarFont {
  std::string name;
  int size = 9;
  int style = 0;
  int colour = 0;
  friend bool operator==(const BarFont&, const BarFont&) = default;
};
std::optional<BarFont> MonthlyBarFont(const store::ViewSettings& view);

// The caption button's width: the text width + 20, in modes 4 and 7 never narrower than the
// widest caption shown so far (`widest`, updated).
int CaptionButtonWidth(int mode, int text_width, int& widest);

}  // namespace kal::mainwindow
