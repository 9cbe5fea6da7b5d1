// The three side calendars (previous, current and next month): which months they show, which
// days the range marking colours, which calendar frames the selected day, which days are
// underlined for their entries, and which calendars are greyed because the view does not hold
// their month.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "mainwindow/Navigation.h"
#include "store/DateText.h"

namespace kal::mainwindow {

using store::Date;

// Day 1 of the previous, current and next month around the month of `centre`.
std::array<Date, 3> SideCalendarMonths(const Date& centre);

// The days that range marking colours (`MiniCalRangePaint`): the days the main view shows in
// modes 1 to 4 (mode 1 the N days from the first shown, mode 2 the shown week, mode 3 the shown
// weeks, mode 4 every week row of the month), without Saturdays and Sundays when the mode hides
// them; none in modes 5 to 8 and in mini mode. In ascending order.
std::vector<Date> RangeMarkedDays(const NavContext& ctx, const Date& displayed);

// Whether a day of a side calendar showing (year, month) takes the range colour: only a day of
// that month itself (days of the neighbouring months are marked in their own calendars).
bool SideDayMarked(const std::vector<Date>& marked, const Date& day, int year, int month);

// Which calendar (0 previous, 1 current, 2 next) frames the selected day: the current one when
// the day lies in its month, else a shown neighbour whose month holds it; -1 when none.
int SideCalendarHolding(const std::array<Date, 3>& months, const std::array<bool, 3>& shown, const Date& selected);

// `CalLine`: a day is underlined when it has a schedule or a ToDo entry (month-model day
// entries); holidays, anniversaries and solar terms do not count.
bool SideDayUnderlined(const std::vector<std::string>& entries);

}  // namespace kal::mainwindow
