#include "mainwindow/SideCalendars.h"

#include <algorithm>

#include "model/MonthModel.h"

namespace kal::mainwindow {

std::array<Date, 3> SideCalendarMonths(const Date& centre) {
  const Date first = store::MakeDate(store::YearOf(centre), store::MonthOf(centre), 1);
  return {store::AddMonths(first, -1), first, store::AddMonths(first, 1)};
}

std::vector<Date> RangeMarkedDays(const NavContext& ctx, const Date& displayed) {
  std::vector<Date> days;
  if (ctx.mini || ctx.mode < 1 || ctx.mode > 4) return days;
  const ShownRange range = ShownDates(ctx, displayed);
  const bool drop_week_ends = ctx.weekend_hidden && ctx.mode >= 2;
  for (Date d = range.first; store::DayNumber(d) <= store::DayNumber(range.last); d = store::AddDays(d, 1)) {
    const int weekday = store::WeekdayNumber(d);
    if (drop_week_ends && (weekday == 1 || weekday == 7)) continue;
    days.push_back(d);
  }
  return days;
}

bool SideDayMarked(const std::vector<Date>& marked, const Date& day, int year, int month) {
  if (store::YearOf(day) != year || store::MonthOf(day) != month) return false;
  return std::binary_search(marked.begin(), marked.end(), day,
                            [](const Date& a, const Date& b) { return store::DayNumber(a) < store::DayNumber(b); });
}

int SideCalendarHolding(const std::array<Date, 3>& months, const std::array<bool, 3>& shown, const Date& selected) {
  auto holds = [&](int i) {
    const Date& m = months[static_cast<std::size_t>(i)];
    return store::YearOf(m) == store::YearOf(selected) && store::MonthOf(m) == store::MonthOf(selected);
  };
  if (holds(1)) return 1;
  for (int i : {0, 2})
    if (shown[static_cast<std::size_t>(i)] && holds(i)) return i;
  return -1;
}

bool SideDayUnderlined(const std::vector<std::string>& entries) {
  return std::any_of(entries.begin(), entries.end(), [](const std::string& e) {
    const char kind = store::EntryKind(e);
    return kind == store::kEntrySchedule || kind == store::kEntryTodo;
  });
}

}  // namespace kal::mainwindow
