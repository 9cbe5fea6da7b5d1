#include "mainwindow/Navigation.h"

#include <algorithm>
#include <charconv>

#include "calendar/DateLabels.h"
#include "store/Colour.h"
#include "store/DatePattern.h"

namespace kal::mainwindow {

using store::AddDays;
using store::AddMonths;
using store::DayOf;
using store::DaysInMonth;
using store::MakeDate;
using store::MonthOf;
using store::YearOf;

namespace {

int Clamp(int value, int low, int high) { return std::min(std::max(value, low), high); }

int DaysBetween(const Date& from, const Date& to) {
  return static_cast<int>((std::chrono::sys_days{to} - std::chrono::sys_days{from}).count());
}

// The date of (year, month) with `day`, clamped to the month's last day.
Date ClampedDate(int year, int month, int day) {
  return MakeDate(year, month, std::min(day, DaysInMonth(year, month)));
}

int MonthsBetween(const Date& from, const Date& to) {
  return (YearOf(to) - YearOf(from)) * 12 + (MonthOf(to) - MonthOf(from));
}

bool IsLastDay(const Date& d) { return DayOf(d) == DaysInMonth(YearOf(d), MonthOf(d)); }

Date LastDayOf(int year, int month) { return MakeDate(year, month, DaysInMonth(year, month)); }

bool WeekdayShown(const NavContext& ctx, const Date& d) {
  if (!ctx.weekend_hidden) return true;
  const int wd = store::WeekdayNumber(d);
  return wd != 1 && wd != 7;
}

// Modes 3 and 4 and mini mode: a calendar of week rows.
bool IsWeekGrid(const NavContext& ctx) { return ctx.mini || ctx.mode == 3 || ctx.mode == 4; }
bool IsTimeline(const NavContext& ctx) { return !ctx.mini && (ctx.mode == 1 || ctx.mode == 2); }

int WeekRows(const NavContext& ctx, const Date& displayed) {
  if (ctx.mini || ctx.mode == 4) return MonthRowCount(ctx, displayed);
  return Clamp(ctx.week_count, 1, 6);
}

// Shown day positions of one week row, first to last (0..6 from the row's first date).
std::vector<int> ShownPositions(const NavContext& ctx, const Date& row_first) {
  std::vector<int> positions;
  for (int p = 0; p < 7; ++p)
    if (WeekdayShown(ctx, AddDays(row_first, p))) positions.push_back(p);
  return positions;
}

bool Visible(const NavContext& ctx, const NavState& s, const Date& d) {
  const ShownRange range = ShownDates(ctx, s.displayed);
  return DaysBetween(range.first, d) >= 0 && DaysBetween(d, range.last) >= 0;
}

// The next (+1) or previous (-1) day whose column is shown.
Date NextShownDay(const NavContext& ctx, Date d, int direction) {
  do d = AddDays(d, direction);
  while (!WeekdayShown(ctx, d));
  return d;
}

// Selects `d` in the week grid; the view follows when `d` is not on screen (mode 4 moves to the
// date's month, mode 3 makes the date's week the first row).
NavState SelectInWeekGrid(const NavContext& ctx, const NavState& s, const Date& d) {
  NavState next{s.displayed, d};
  if (!Visible(ctx, s, d)) {
    if (ctx.mode == 3 && !ctx.mini) {
      // Moving down keeps the date in the last row; moving up puts it in the first.
      const ShownRange range = ShownDates(ctx, s.displayed);
      if (DaysBetween(range.last, d) > 0) {
        const int weeks = (DaysBetween(range.last, d) + 6) / 7;
        next.displayed = AddDays(s.displayed, 7 * weeks);
      } else {
        next.displayed = d;
      }
    } else {
      next.displayed = d;
    }
  } else if (ctx.mini || ctx.mode == 4) {
    next.displayed = MakeDate(YearOf(s.displayed), MonthOf(s.displayed), 1);
  }
  if (ctx.mini || ctx.mode == 4) next.displayed = MakeDate(YearOf(next.displayed), MonthOf(next.displayed), 1);
  return next;
}

KeyResult Moved(const NavState& before, const NavState& after, NavFocus focus = NavFocus::Keep) {
  return KeyResult{after, !(before == after), focus};
}

KeyResult WeekGridKey(const NavContext& ctx, const NavState& s, NavKey key) {
  const ShownRange range = ShownDates(ctx, s.displayed);
  const int offset = DaysBetween(range.first, s.selected);
  const int rows = WeekRows(ctx, s.displayed);
  const int row = Clamp(offset / 7, 0, rows - 1);
  const Date row_first = AddDays(range.first, row * 7);
  const std::vector<int> shown = ShownPositions(ctx, row_first);
  const int pos = offset - row * 7;
  const bool mode3 = ctx.mode == 3 && !ctx.mini;
  switch (key) {
    case NavKey::Right:
      if (pos < shown.back()) return Moved(s, NavState{s.displayed, NextShownDay(ctx, s.selected, 1)});
      if (row < rows - 1) return Moved(s, NavState{s.displayed, AddDays(row_first, 7 + shown.front())});
      if (mode3) {
        // The view moves one week down; the first cell of the last row is selected.
        const Date anchor = AddDays(s.displayed, 7);
        return Moved(s, NavState{anchor, AddDays(row_first, 7 + shown.front())});
      }
      return Moved(s, SelectInWeekGrid(ctx, s, NextShownDay(ctx, s.selected, 1)));
    case NavKey::Left:
      if (pos > shown.front()) return Moved(s, NavState{s.displayed, NextShownDay(ctx, s.selected, -1)});
      if (row > 0) return Moved(s, NavState{s.displayed, AddDays(row_first, -7 + shown.back())});
      if (mode3) {
        const Date first = AddDays(row_first, -7);
        return Moved(s, NavState{first, AddDays(first, shown.back())});
      }
      return Moved(s, SelectInWeekGrid(ctx, s, NextShownDay(ctx, s.selected, -1)));
    case NavKey::Up:
      return Moved(s, SelectInWeekGrid(ctx, s, AddDays(s.selected, -7)));
    case NavKey::Down:
      return Moved(s, SelectInWeekGrid(ctx, s, AddDays(s.selected, 7)));
    default:
      return Moved(s, s);
  }
}

// Mode 5: twelve month rows of the displayed year, day columns.
KeyResult YearRowsKey(const NavState& s, NavKey key) {
  const int y = YearOf(s.selected), m = MonthOf(s.selected), d = DayOf(s.selected);
  Date next = s.selected;
  switch (key) {
    case NavKey::Right: next = AddDays(s.selected, 1); break;  // the last day leads to the next row or year
    case NavKey::Left:
      if (d > 1 || m > 1) next = AddDays(s.selected, -1);
      break;
    case NavKey::Up: next = m > 1 ? ClampedDate(y, m - 1, d) : AddDays(s.selected, -31); break;
    case NavKey::Down: next = m < 12 ? ClampedDate(y, m + 1, d) : AddDays(s.selected, 31); break;
    default: break;
  }
  return Moved(s, NavState{MakeDate(YearOf(next), 1, 1), next});
}

// Mode 8: 31 day rows, twelve month columns of the displayed year.
KeyResult YearColumnsKey(const NavState& s, NavKey key) {
  const int y = YearOf(s.selected), m = MonthOf(s.selected), d = DayOf(s.selected);
  Date next = s.selected;
  switch (key) {
    case NavKey::Right:
      if (m < 12) next = ClampedDate(y, m + 1, d);
      else if (d < 31) next = MakeDate(y, 1, d + 1);
      else next = AddDays(s.selected, 1);
      break;
    case NavKey::Left:
      if (m > 1) next = ClampedDate(y, m - 1, d);
      else if (d > 1) next = MakeDate(y, 12, d - 1);
      break;
    case NavKey::Up: next = d > 1 ? MakeDate(y, m, d - 1) : AddDays(s.selected, -31); break;
    case NavKey::Down:
      if (d == 31) next = AddDays(s.selected, 31);
      else if (d < DaysInMonth(y, m)) next = MakeDate(y, m, d + 1);  // a blank cell below keeps the cell
      break;
    default: break;
  }
  return Moved(s, NavState{MakeDate(YearOf(next), 1, 1), next});
}

// Mode 6: month rows from the displayed month, day columns.
KeyResult MonthRowsKey(const NavContext& ctx, const NavState& s, NavKey key) {
  const int count = Clamp(ctx.month_count, 1, 12);
  const int row = MonthsBetween(s.displayed, s.selected);
  const int y = YearOf(s.selected), m = MonthOf(s.selected), d = DayOf(s.selected);
  NavState next = s;
  switch (key) {
    case NavKey::Right:
      if (!IsLastDay(s.selected) || row < count - 1) {
        next.selected = AddDays(s.selected, 1);
      } else {
        next.selected = AddDays(s.selected, 1);
        next.displayed = AddMonths(s.displayed, 1);
      }
      break;
    case NavKey::Left:
      if (d > 1 || row > 0) next.selected = AddDays(s.selected, -1);
      break;
    case NavKey::Up:
      next.selected = AddMonths(MakeDate(y, m, 1), -1);
      next.selected = ClampedDate(YearOf(next.selected), MonthOf(next.selected), d);
      if (row == 0) next.displayed = AddMonths(s.displayed, -1);
      break;
    case NavKey::Down:
      next.selected = AddMonths(MakeDate(y, m, 1), 1);
      next.selected = ClampedDate(YearOf(next.selected), MonthOf(next.selected), d);
      if (row >= count - 1) next.displayed = AddMonths(s.displayed, 1);
      break;
    default: break;
  }
  next.displayed = MakeDate(YearOf(next.displayed), MonthOf(next.displayed), 1);
  return Moved(s, next);
}

// Mode 7: year rows (the displayed year at the top, older below) of one month, day columns.
KeyResult SameMonthKey(const NavContext& ctx, const NavState& s, NavKey key) {
  const int count = Clamp(ctx.year_count, 1, 12);
  const int row = YearOf(s.displayed) - YearOf(s.selected);
  const int y = YearOf(s.selected), m = MonthOf(s.selected), d = DayOf(s.selected);
  NavState next = s;
  switch (key) {
    case NavKey::Right:
      if (!IsLastDay(s.selected)) {
        next.selected = AddDays(s.selected, 1);
      } else {
        next.selected = AddDays(s.selected, 1);  // day 1 of the next month, same row
        next.displayed = AddMonths(MakeDate(YearOf(s.displayed), MonthOf(s.displayed), 1), 1);
      }
      break;
    case NavKey::Left:
      if (d > 1) {
        next.selected = AddDays(s.selected, -1);
      } else {
        next.selected = AddDays(s.selected, -1);  // the last day of the previous month
        next.displayed = AddMonths(MakeDate(YearOf(s.displayed), MonthOf(s.displayed), 1), -1);
      }
      break;
    case NavKey::Up:
      next.selected = ClampedDate(y + 1, m, d);
      if (row == 0) next.displayed = MakeDate(YearOf(s.displayed) + 1, MonthOf(s.displayed), 1);
      break;
    case NavKey::Down:
      next.selected = ClampedDate(y - 1, m, d);
      if (row >= count - 1) next.displayed = MakeDate(YearOf(s.displayed) - 1, MonthOf(s.displayed), 1);
      break;
    default: break;
  }
  next.displayed = MakeDate(YearOf(next.displayed), MonthOf(next.displayed), 1);
  return Moved(s, next);
}

KeyResult TimelineKey(const NavContext& ctx, const NavState& s, NavKey key, bool in_header,
                      bool first_timeline_row) {
  const ShownRange range = ShownDates(ctx, s.displayed);
  switch (key) {
    case NavKey::Right: {
      if (DaysBetween(s.selected, range.last) > 0 &&
          DaysBetween(NextShownDay(ctx, s.selected, 1), range.last) >= 0)
        return Moved(s, NavState{s.displayed, NextShownDay(ctx, s.selected, 1)});
      const NavState step = PeriodStep(ctx, s, 1);
      return Moved(s, step);
    }
    case NavKey::Left: {
      if (DaysBetween(range.first, s.selected) > 0 &&
          DaysBetween(range.first, NextShownDay(ctx, s.selected, -1)) >= 0)
        return Moved(s, NavState{s.displayed, NextShownDay(ctx, s.selected, -1)});
      NavState step = PeriodStep(ctx, s, -1);
      const ShownRange before = ShownDates(ctx, step.displayed);
      Date last = before.last;
      while (!WeekdayShown(ctx, last)) last = AddDays(last, -1);
      step.selected = last;
      return Moved(s, step);
    }
    case NavKey::Up:
      return KeyResult{s, false, !in_header && first_timeline_row ? NavFocus::Header : NavFocus::Keep};
    case NavKey::Down:
      return KeyResult{s, false, in_header ? NavFocus::Timeline : NavFocus::Keep};
    default:
      return Moved(s, s);
  }
}

}  // namespace

NavContext NavContextOf(const store::Settings& settings, int mode, bool mini) {
  NavContext ctx;
  ctx.mode = mode;
  ctx.mini = mini;
  ctx.day_count = Clamp(settings.view_mode(1).day_no, 1, 7);
  ctx.week_count = Clamp(settings.view_mode(3).week_no, 1, 6);
  ctx.month_rows = Clamp(settings.view_mode(4).month_no, 5, 6);
  ctx.month_count = Clamp(settings.view_mode(6).mon_no, 1, 12);
  ctx.year_count = Clamp(settings.view_mode(7).year_no, 1, 12);
  ctx.monday_first = settings.view.str_week == 1;
  ctx.weekend_hidden = !mini && (mode == 2 || mode == 3 || mode == 4) && settings.view_mode(mode).sat_sun_no;
  return ctx;
}

Date WeekStart(const Date& date, bool monday_first) {
  const int wd = store::WeekdayNumber(date);  // 1 Sunday .. 7 Saturday
  const int back = monday_first ? (wd + 5) % 7 : wd - 1;
  return AddDays(date, -back);
}

int MonthRowCount(const NavContext& ctx, const Date& displayed) {
  const int y = YearOf(displayed), m = MonthOf(displayed);
  const Date first = MakeDate(y, m, 1);
  const int lead = DaysBetween(WeekStart(first, ctx.monday_first), first);
  const int needed = (lead + DaysInMonth(y, m) + 6) / 7;
  return Clamp(std::max(Clamp(ctx.month_rows, 5, 6), needed), 5, 6);
}

ShownRange ShownDates(const NavContext& ctx, const Date& displayed) {
  const int y = YearOf(displayed), m = MonthOf(displayed);
  if (ctx.mini || ctx.mode == 4) {
    const Date first = WeekStart(MakeDate(y, m, 1), ctx.monday_first);
    return {first, AddDays(first, 7 * MonthRowCount(ctx, displayed) - 1)};
  }
  switch (ctx.mode) {
    case 1: return {displayed, AddDays(displayed, Clamp(ctx.day_count, 1, 7) - 1)};
    case 2: {
      const Date first = WeekStart(displayed, ctx.monday_first);
      return {first, AddDays(first, 6)};
    }
    case 3: {
      const Date first = WeekStart(displayed, ctx.monday_first);
      return {first, AddDays(first, 7 * Clamp(ctx.week_count, 1, 6) - 1)};
    }
    case 6: {
      const Date last_month = AddMonths(MakeDate(y, m, 1), Clamp(ctx.month_count, 1, 12) - 1);
      return {MakeDate(y, m, 1), LastDayOf(YearOf(last_month), MonthOf(last_month))};
    }
    case 7: return {MakeDate(y, m, 1), LastDayOf(y, m)};
    default: return {MakeDate(y, 1, 1), MakeDate(y, 12, 31)};
  }
}

NavState PeriodStep(const NavContext& ctx, const NavState& s, int direction) {
  const int dir = direction < 0 ? -1 : 1;
  if (ctx.mini || ctx.mode == 4 || ctx.mode == 6 || ctx.mode == 7) {
    const Date base = ClampedDate(YearOf(s.displayed), MonthOf(s.displayed), DayOf(s.selected));
    const Date next = AddMonths(base, dir);
    return {next, next};
  }
  switch (ctx.mode) {
    case 5:
    case 8: {
      const Date next = AddMonths(ClampedDate(YearOf(s.displayed), MonthOf(s.selected), DayOf(s.selected)), 12 * dir);
      return {next, next};
    }
    case 3: {
      const Date next = AddDays(ShownDates(ctx, s.displayed).first, 7 * Clamp(ctx.week_count, 1, 6) * dir);
      return {next, next};
    }
    case 2: {
      const Date next = AddDays(WeekStart(s.displayed, ctx.monday_first), 7 * dir);
      Date sel = next;
      while (!WeekdayShown(ctx, sel)) sel = AddDays(sel, 1);
      return {next, sel};
    }
    default: {
      const Date next = AddDays(s.displayed, Clamp(ctx.day_count, 1, 7) * dir);
      return {next, next};
    }
  }
}

std::optional<NavState> YearStep(const NavContext& ctx, const NavState& s, int direction) {
  const int dir = direction < 0 ? -1 : 1;
  if (ctx.mini || ctx.mode == 4 || ctx.mode == 6 || ctx.mode == 7) {
    const Date base = ClampedDate(YearOf(s.displayed), MonthOf(s.displayed), DayOf(s.selected));
    const Date next = AddMonths(base, 12 * dir);
    return NavState{next, next};
  }
  if (ctx.mode == 3) {
    const Date next = AddMonths(s.selected, 12 * dir);
    return NavState{next, next};
  }
  return std::nullopt;
}

NavState TodayState(const Date& today) { return {today, today}; }
NavState JumpState(const Date& chosen) { return {chosen, chosen}; }

KeyResult KeyMove(const NavContext& ctx, const NavState& state, NavKey key, bool in_header,
                  bool first_timeline_row) {
  if (key == NavKey::PageUp || key == NavKey::PageDown) {
    const NavState next = PeriodStep(ctx, state, key == NavKey::PageUp ? -1 : 1);
    return KeyResult{next, !(next == state), NavFocus::Keep};
  }
  if (IsTimeline(ctx)) return TimelineKey(ctx, state, key, in_header, first_timeline_row);
  if (IsWeekGrid(ctx)) return WeekGridKey(ctx, state, key);
  switch (ctx.mode) {
    case 5: return YearRowsKey(state, key);
    case 6: return MonthRowsKey(ctx, state, key);
    case 7: return SameMonthKey(ctx, state, key);
    default: return YearColumnsKey(state, key);
  }
}

std::optional<NavState> WheelMove(const NavContext& ctx, const NavState& s, bool down) {
  if (IsTimeline(ctx)) return std::nullopt;
  bool first_row = false, last_row = false;
  if (IsWeekGrid(ctx)) {
    const int rows = WeekRows(ctx, s.displayed);
    const int row = DaysBetween(ShownDates(ctx, s.displayed).first, s.selected) / 7;
    first_row = row == 0;
    last_row = row >= rows - 1;
  } else if (ctx.mode == 5) {
    first_row = MonthOf(s.selected) == 1;
    last_row = MonthOf(s.selected) == 12;
  } else if (ctx.mode == 8) {
    first_row = DayOf(s.selected) == 1;
    last_row = DayOf(s.selected) == 31;
  } else if (ctx.mode == 6) {
    const int row = MonthsBetween(s.displayed, s.selected);
    first_row = row == 0;
    last_row = row >= Clamp(ctx.month_count, 1, 12) - 1;
  } else if (ctx.mode == 7) {
    const int row = YearOf(s.displayed) - YearOf(s.selected);
    first_row = row == 0;
    last_row = row >= Clamp(ctx.year_count, 1, 12) - 1;
  }
  if (down ? !last_row : !first_row) return std::nullopt;
  if (ctx.mini || ctx.mode == 4) return SelectInWeekGrid(ctx, s, AddDays(s.selected, down ? 7 : -7));
  switch (ctx.mode) {
    case 3:
      if (down) return KeyMove(ctx, s, NavKey::Down).state;
      return SelectInWeekGrid(ctx, s, AddDays(s.selected, -7));
    case 6: return KeyMove(ctx, s, down ? NavKey::Down : NavKey::Up).state;
    case 7: return KeyMove(ctx, s, down ? NavKey::Down : NavKey::Up).state;
    default: {
      const Date next = AddDays(s.selected, down ? 31 : -31);
      return NavState{MakeDate(YearOf(next), 1, 1), next};
    }
  }
}

// ---- The period caption -------------------------------------------------------------------------

namespace {

std::string AfterFirst(const std::string& text, const std::string& mark) {
  const std::size_t at = text.find(mark);
  if (at == std::string::npos) return text;
  std::size_t from = at + mark.size();
  if (from < text.size() && text[from] == ' ') ++from;
  return text.substr(from);
}

std::string UpToFirst(const std::string& text, const std::string& mark) {
  const std::size_t at = text.find(mark);
  if (at == std::string::npos) return text;
  return text.substr(0, at + mark.size());
}

// The first `count` characters of a UTF-8 text.
std::string FirstChars(const std::string& text, std::size_t count) {
  std::size_t i = 0, chars = 0;
  while (i < text.size() && chars < count) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    i += c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    ++chars;
  }
  return text.substr(0, std::min(i, text.size()));
}

std::string RangeCaption(const NavContext& ctx, const ShownRange& range, int form) {
  const bool dated = form == 3;
  const bool mode6 = ctx.mode == 6 && !ctx.mini;
  const std::string pattern = dated ? calendar::YearPattern(form) : calendar::YearPattern(form) + " m月 d日(aaa)";
  std::string first = store::FormatDatePattern(pattern, range.first);
  std::string last = store::FormatDatePattern(pattern, range.last);
  if (dated) {
    if (mode6) {
      first = FirstChars(first, 7);
      last = FirstChars(last, 7);
    }
    return first == last ? first : first + "  -  " + last;
  }
  if (mode6) {
    first = UpToFirst(first, "月");
    last = UpToFirst(last, "月");
  }
  if (first == last) return first;
  if (YearOf(range.first) == YearOf(range.last)) {
    if (MonthOf(range.first) == MonthOf(range.last) && !mode6)
      last = AfterFirst(last, "月");
    else
      last = AfterFirst(last, form == 0 ? "年)" : "年");
  }
  return first + " ～ " + last;
}

}  // namespace

std::string SchHeader(const NavContext& ctx, const NavState& s, const CaptionInput& input) {
  const int y = YearOf(s.displayed), m = MonthOf(s.displayed);
  if (ctx.mini) return calendar::MonthHeading(input.monthly_bar_form, y, m, true);
  switch (ctx.mode) {
    case 4: return calendar::MonthHeading(input.monthly_bar_form, y, m);
    case 5:
    case 8: return calendar::YearHeading(input.weekly_bar_form, MakeDate(y, 1, 1));
    case 7: {
      const int oldest = y - (Clamp(ctx.year_count, 1, 12) - 1);
      if (input.weekly_bar_form == 3)
        return std::to_string(oldest) + " - " + std::to_string(y) + "/" + std::to_string(m);
      return calendar::YearHeading(input.weekly_bar_form, MakeDate(oldest, m, 1)) + " ～ " +
             calendar::YearHeading(input.weekly_bar_form, MakeDate(y, m, 1)) + " " + std::to_string(m) + "月";
    }
    default: {
      int form = input.weekly_bar_form;
      if (form < 0 || form > 3) form = 0;
      return RangeCaption(ctx, ShownDates(ctx, s.displayed), form);
    }
  }
}

std::optional<BarFont> MonthlyBarFont(const store::ViewSettings& view) {
  const auto items = store::MonthlyBarFontItems(view);
  if (!items) return std::nullopt;
  auto number = [](const std::string& text, int fallback) {
    int value = fallback;
    const char* b = text.data();
    const char* e = b + text.size();
    if (std::from_chars(b, e, value).ec != std::errc{}) return fallback;
    return value;
  };
  BarFont font;
  font.name = (*items)[0];
  font.size = number((*items)[1], 9);
  font.style = number((*items)[2], 0);
  const std::string& colour = (*items)[3];
  font.colour = !colour.empty() && colour[0] == '$' ? store::ParseColourText(colour, 0) : number(colour, 0);
  return font;
}

int CaptionButtonWidth(int mode, int text_width, int& widest) {
  const int width = text_width + 20;
  if (mode == 4 || mode == 7) {
    widest = std::max(widest, width);
    return widest;
  }
  return width;
}

}  // namespace kal::mainwindow
