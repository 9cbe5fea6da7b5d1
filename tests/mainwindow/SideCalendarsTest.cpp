#include "mainwindow/SideCalendars.h"

#include <gtest/gtest.h>

#include "model/MonthModel.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;

NavContext Ctx(int mode) {
  NavContext c;
  c.mode = mode;
  return c;
}

TEST(SideCalendars, MonthsAroundTheCentreAcrossYearEnds) {
  const auto months = SideCalendarMonths(MakeDate(2027, 1, 20));
  EXPECT_EQ(months[0], MakeDate(2026, 12, 1));
  EXPECT_EQ(months[1], MakeDate(2027, 1, 1));
  EXPECT_EQ(months[2], MakeDate(2027, 2, 1));
}

TEST(SideCalendars, RangeMarkingPerMode) {
  // Mode 1, four days from 30 March 2027: two in March, two in April.
  NavContext daily = Ctx(1);
  daily.day_count = 4;
  const auto marked = RangeMarkedDays(daily, MakeDate(2027, 3, 30));
  ASSERT_EQ(marked.size(), 4u);
  EXPECT_TRUE(SideDayMarked(marked, MakeDate(2027, 3, 31), 2027, 3));
  EXPECT_TRUE(SideDayMarked(marked, MakeDate(2027, 4, 2), 2027, 4));
  // A day of the next month shown in the trailing cells of March's calendar is not marked there.
  EXPECT_FALSE(SideDayMarked(marked, MakeDate(2027, 4, 2), 2027, 3));
  EXPECT_FALSE(SideDayMarked(marked, MakeDate(2027, 4, 3), 2027, 4));

  // Mode 2 with the week ends hidden: Monday to Friday only.
  NavContext weekly = Ctx(2);
  weekly.weekend_hidden = true;
  const auto week = RangeMarkedDays(weekly, MakeDate(2027, 3, 10));  // Monday-first week of 8 to 14 March
  ASSERT_EQ(week.size(), 5u);
  EXPECT_EQ(week.front(), MakeDate(2027, 3, 8));
  EXPECT_EQ(week.back(), MakeDate(2027, 3, 12));

  // Mode 4: the whole month and the week rows' days of the months around it.
  const auto month = RangeMarkedDays(Ctx(4), MakeDate(2027, 3, 1));
  for (int day = 1; day <= 31; ++day) EXPECT_TRUE(SideDayMarked(month, MakeDate(2027, 3, day), 2027, 3)) << day;
  EXPECT_FALSE(SideDayMarked(month, MakeDate(2027, 2, 28), 2027, 2));  // March 2027 starts on a Monday
  EXPECT_TRUE(SideDayMarked(month, MakeDate(2027, 4, 4), 2027, 4));     // the last row runs to Sunday 4 April

  // No marking in modes 5 to 8 nor in mini mode.
  for (int mode : {5, 6, 7, 8}) EXPECT_TRUE(RangeMarkedDays(Ctx(mode), MakeDate(2027, 3, 1)).empty()) << mode;
  NavContext mini = Ctx(4);
  mini.mini = true;
  EXPECT_TRUE(RangeMarkedDays(mini, MakeDate(2027, 3, 1)).empty());
}

TEST(SideCalendars, SelectedDayIsFramedOnlyInTheCalendarHoldingIt) {
  const auto months = SideCalendarMonths(MakeDate(2027, 5, 1));
  const std::array<bool, 3> all{true, true, true};
  EXPECT_EQ(SideCalendarHolding(months, all, MakeDate(2027, 5, 31)), 1);
  EXPECT_EQ(SideCalendarHolding(months, all, MakeDate(2027, 4, 30)), 0);
  EXPECT_EQ(SideCalendarHolding(months, all, MakeDate(2027, 6, 1)), 2);
  EXPECT_EQ(SideCalendarHolding(months, {true, true, false}, MakeDate(2027, 6, 1)), -1);
  EXPECT_EQ(SideCalendarHolding(months, all, MakeDate(2028, 5, 1)), -1);
}

TEST(SideCalendars, OnlySchedulesAndTodoItemsUnderlineADay) {
  const std::string holiday = store::MakeEntry("00", '0', 9999, "name");
  const std::string anniversary = store::MakeEntry("CC", '2', 1, "name");
  const std::string term = store::MakeEntry("CC", '6', 9999, "name");
  EXPECT_FALSE(SideDayUnderlined({holiday, anniversary, term}));
  EXPECT_TRUE(SideDayUnderlined({holiday, store::MakeEntry("T5", '8', 0, "todo")}));
  EXPECT_TRUE(SideDayUnderlined({store::MakeEntry("SC", '5', 3, "15")}));
  EXPECT_FALSE(SideDayUnderlined({}));
}

}  // namespace
}  // namespace kal::mainwindow
