#include "mainwindow/Navigation.h"

#include <gtest/gtest.h>

namespace kal::mainwindow {
namespace {

using store::MakeDate;

NavContext Ctx(int mode) {
  NavContext c;
  c.mode = mode;
  return c;
}

NavState St(const Date& displayed, const Date& selected) { return {displayed, selected}; }

std::string Text(const Date& d) { return store::DateText(d); }

// ---- Period steps -------------------------------------------------------------------------------

struct StepCase {
  const char* name;
  NavContext ctx;
  NavState from;
  int direction;
  Date displayed;
  Date selected;
};

TEST(PeriodStep, EveryModeStepsByItsPeriod) {
  NavContext weeks = Ctx(3);
  weeks.week_count = 2;
  NavContext days = Ctx(1);
  days.day_count = 3;
  NavContext mini = Ctx(2);
  mini.mini = true;
  const StepCase cases[] = {
      {"month back from 31 March", Ctx(4), St(MakeDate(2026, 3, 1), MakeDate(2026, 3, 31)), -1,
       MakeDate(2026, 2, 28), MakeDate(2026, 2, 28)},
      {"month back from 31 March, leap year", Ctx(4), St(MakeDate(2024, 3, 1), MakeDate(2024, 3, 31)), -1,
       MakeDate(2024, 2, 29), MakeDate(2024, 2, 29)},
      {"month forward over the year end", Ctx(4), St(MakeDate(2026, 12, 1), MakeDate(2026, 12, 10)), 1,
       MakeDate(2027, 1, 10), MakeDate(2027, 1, 10)},
      {"mini mode steps months whatever the mode", mini, St(MakeDate(2026, 5, 1), MakeDate(2026, 5, 31)), 1,
       MakeDate(2026, 6, 30), MakeDate(2026, 6, 30)},
      {"multi-month", Ctx(6), St(MakeDate(2026, 4, 1), MakeDate(2026, 6, 15)), 1, MakeDate(2026, 5, 15),
       MakeDate(2026, 5, 15)},
      {"same month over years", Ctx(7), St(MakeDate(2026, 1, 1), MakeDate(2024, 1, 31)), -1,
       MakeDate(2025, 12, 31), MakeDate(2025, 12, 31)},
      {"yearly", Ctx(5), St(MakeDate(2026, 1, 1), MakeDate(2026, 6, 15)), 1, MakeDate(2027, 6, 15),
       MakeDate(2027, 6, 15)},
      {"yearly, 29 February", Ctx(8), St(MakeDate(2024, 1, 1), MakeDate(2024, 2, 29)), -1, MakeDate(2023, 2, 28),
       MakeDate(2023, 2, 28)},
      // Thursday 10 December 2026; the first date shown is Monday 7 December.
      {"two weeks forward from the first date shown", weeks, St(MakeDate(2026, 12, 10), MakeDate(2026, 12, 17)), 1,
       MakeDate(2026, 12, 21), MakeDate(2026, 12, 21)},
      {"two weeks back", weeks, St(MakeDate(2026, 12, 10), MakeDate(2026, 12, 10)), -1, MakeDate(2026, 11, 23),
       MakeDate(2026, 11, 23)},
      {"weekly timeline back 7 days", Ctx(2), St(MakeDate(2026, 12, 10), MakeDate(2026, 12, 11)), -1,
       MakeDate(2026, 11, 30), MakeDate(2026, 11, 30)},
      {"day timeline by the day count", days, St(MakeDate(2026, 12, 30), MakeDate(2026, 12, 31)), 1,
       MakeDate(2027, 1, 2), MakeDate(2027, 1, 2)},
  };
  for (const StepCase& c : cases) {
    const NavState got = PeriodStep(c.ctx, c.from, c.direction);
    EXPECT_EQ(Text(got.displayed), Text(c.displayed)) << c.name;
    EXPECT_EQ(Text(got.selected), Text(c.selected)) << c.name;
  }
}

TEST(PeriodStep, PageKeysAreThePeriodSteps) {
  const NavState from = St(MakeDate(2026, 3, 1), MakeDate(2026, 3, 31));
  const KeyResult up = KeyMove(Ctx(4), from, NavKey::PageUp);
  EXPECT_TRUE(up.moved);
  EXPECT_EQ(Text(up.state.selected), "2026/02/28");
  EXPECT_EQ(Text(KeyMove(Ctx(4), from, NavKey::PageDown).state.selected), "2026/04/30");
}

TEST(YearStep, ModesWithYearButtonsStepAYear) {
  const NavState leap = St(MakeDate(2024, 2, 1), MakeDate(2024, 2, 29));
  EXPECT_EQ(Text(YearStep(Ctx(4), leap, 1)->selected), "2025/02/28");
  EXPECT_EQ(Text(YearStep(Ctx(6), leap, -1)->displayed), "2023/02/28");
  EXPECT_EQ(Text(YearStep(Ctx(7), leap, 1)->displayed), "2025/02/28");
  // Mode 3 takes the selected date's year with its month.
  const NavState weeks = St(MakeDate(2026, 12, 7), MakeDate(2026, 12, 17));
  EXPECT_EQ(Text(YearStep(Ctx(3), weeks, -1)->selected), "2025/12/17");
  EXPECT_EQ(Text(YearStep(Ctx(3), weeks, -1)->displayed), "2025/12/17");
  for (int mode : {1, 2, 5, 8}) EXPECT_FALSE(YearStep(Ctx(mode), leap, 1).has_value()) << mode;
}

TEST(TodayAndJump, BothDatesBecomeTheChosenDay) {
  EXPECT_EQ(TodayState(MakeDate(2026, 12, 10)), St(MakeDate(2026, 12, 10), MakeDate(2026, 12, 10)));
  EXPECT_EQ(JumpState(MakeDate(1999, 1, 31)), St(MakeDate(1999, 1, 31), MakeDate(1999, 1, 31)));
}

// ---- Shown dates --------------------------------------------------------------------------------

TEST(ShownDates, MonthViewGrowsToSixRowsOnlyWhenTheMonthNeedsThem) {
  NavContext monday = Ctx(4);
  NavContext sunday = Ctx(4);
  sunday.monday_first = false;
  // August 2026 begins on a Saturday: six weeks under both week starts.
  EXPECT_EQ(MonthRowCount(monday, MakeDate(2026, 8, 1)), 6);
  EXPECT_EQ(MonthRowCount(sunday, MakeDate(2026, 8, 1)), 6);
  // October 2026 begins on a Thursday: five weeks.
  EXPECT_EQ(MonthRowCount(monday, MakeDate(2026, 10, 1)), 5);
  // February 2026 begins on a Sunday: four weeks under Sunday-first, still five rows.
  EXPECT_EQ(MonthRowCount(sunday, MakeDate(2026, 2, 1)), 5);
  monday.month_rows = 6;
  EXPECT_EQ(MonthRowCount(monday, MakeDate(2026, 10, 1)), 6);
  const ShownRange october = ShownDates(Ctx(4), MakeDate(2026, 10, 20));
  EXPECT_EQ(Text(october.first), "2026/09/28");
  EXPECT_EQ(Text(october.last), "2026/11/01");
}

// ---- Keys ---------------------------------------------------------------------------------------

struct KeyCase {
  const char* name;
  NavContext ctx;
  NavState from;
  NavKey key;
  NavState to;
};

void CheckKeys(const std::vector<KeyCase>& cases) {
  for (const KeyCase& c : cases) {
    const KeyResult got = KeyMove(c.ctx, c.from, c.key);
    EXPECT_EQ(Text(got.state.displayed), Text(c.to.displayed)) << c.name;
    EXPECT_EQ(Text(got.state.selected), Text(c.to.selected)) << c.name;
    EXPECT_EQ(got.moved, !(c.from == c.to)) << c.name;
  }
}

TEST(KeyMove, MultiWeekViewScrollsByWeeksAtItsEdges) {
  NavContext two = Ctx(3);
  two.week_count = 2;
  NavContext one = Ctx(3);
  one.week_count = 1;
  const Date anchor = MakeDate(2026, 12, 10);  // rows 7..13 and 14..20 December
  CheckKeys({
      {"Right on the last cell moves the view a week down, cursor on the last row's first cell", two,
       St(anchor, MakeDate(2026, 12, 20)), NavKey::Right, St(MakeDate(2026, 12, 17), MakeDate(2026, 12, 21))},
      {"Right at the end of the first row goes to the next row", two, St(anchor, MakeDate(2026, 12, 13)),
       NavKey::Right, St(anchor, MakeDate(2026, 12, 14))},
      {"Right inside a row", two, St(anchor, MakeDate(2026, 12, 10)), NavKey::Right,
       St(anchor, MakeDate(2026, 12, 11))},
      {"Down in the last row moves the view, same column, last row", two, St(anchor, MakeDate(2026, 12, 16)),
       NavKey::Down, St(MakeDate(2026, 12, 17), MakeDate(2026, 12, 23))},
      {"Left on the first cell goes seven days back to the first row's last column", two,
       St(anchor, MakeDate(2026, 12, 7)), NavKey::Left, St(MakeDate(2026, 11, 30), MakeDate(2026, 12, 6))},
      {"Left at a later row's first column", two, St(anchor, MakeDate(2026, 12, 14)), NavKey::Left,
       St(anchor, MakeDate(2026, 12, 13))},
      {"Up in the first row goes seven days back", two, St(anchor, MakeDate(2026, 12, 9)), NavKey::Up,
       St(MakeDate(2026, 12, 2), MakeDate(2026, 12, 2))},
      {"Up in the second row stays in view", two, St(anchor, MakeDate(2026, 12, 16)), NavKey::Up,
       St(anchor, MakeDate(2026, 12, 9))},
      {"one week: Right on the last cell moves the view seven days", one, St(anchor, MakeDate(2026, 12, 13)),
       NavKey::Right, St(MakeDate(2026, 12, 17), MakeDate(2026, 12, 14))},
      {"one week: Down goes seven days forward", one, St(anchor, MakeDate(2026, 12, 9)), NavKey::Down,
       St(MakeDate(2026, 12, 17), MakeDate(2026, 12, 16))},
  });
}

TEST(KeyMove, MonthViewFollowsTheDateIntoTheNextOrPreviousMonth) {
  const Date october = MakeDate(2026, 10, 1);  // rows 28 September .. 1 November
  NavContext no_weekend = Ctx(4);
  no_weekend.weekend_hidden = true;
  CheckKeys({
      {"Right on the last cell: one day forward, into November", Ctx(4), St(october, MakeDate(2026, 11, 1)),
       NavKey::Right, St(MakeDate(2026, 11, 1), MakeDate(2026, 11, 2))},
      {"Right at a row's end: next row", Ctx(4), St(october, MakeDate(2026, 10, 4)), NavKey::Right,
       St(october, MakeDate(2026, 10, 5))},
      {"Left on the first cell: one day back", Ctx(4), St(october, MakeDate(2026, 9, 28)), NavKey::Left,
       St(MakeDate(2026, 9, 1), MakeDate(2026, 9, 27))},
      {"Up in the first row: seven days back", Ctx(4), St(october, MakeDate(2026, 10, 1)), NavKey::Up,
       St(MakeDate(2026, 9, 1), MakeDate(2026, 9, 24))},
      {"Down in the last row: seven days forward", Ctx(4), St(october, MakeDate(2026, 10, 29)), NavKey::Down,
       St(MakeDate(2026, 11, 1), MakeDate(2026, 11, 5))},
      {"Down inside the grid keeps the month", Ctx(4), St(october, MakeDate(2026, 10, 20)), NavKey::Down,
       St(october, MakeDate(2026, 10, 27))},
      {"a shown day of the next month is selected in place", Ctx(4), St(october, MakeDate(2026, 10, 31)),
       NavKey::Right, St(october, MakeDate(2026, 11, 1))},
      {"weekend hidden: Right from Friday to the next Monday", no_weekend, St(october, MakeDate(2026, 10, 2)),
       NavKey::Right, St(october, MakeDate(2026, 10, 5))},
      {"weekend hidden: Left from Monday to Friday", no_weekend, St(october, MakeDate(2026, 10, 5)), NavKey::Left,
       St(october, MakeDate(2026, 10, 2))},
  });
}

TEST(KeyMove, SameMonthViewUpOnTheTopRowShowsTheNextYear) {
  NavContext c = Ctx(7);
  c.year_count = 6;
  const Date march = MakeDate(2026, 3, 1);  // rows 2026 (top) .. 2021
  CheckKeys({
      {"Up on the top row", c, St(march, MakeDate(2026, 3, 15)), NavKey::Up,
       St(MakeDate(2027, 3, 1), MakeDate(2027, 3, 15))},
      {"Up below the top row", c, St(march, MakeDate(2023, 3, 15)), NavKey::Up, St(march, MakeDate(2024, 3, 15))},
      {"Down on the last row: previous year, last row", c, St(march, MakeDate(2021, 3, 15)), NavKey::Down,
       St(MakeDate(2025, 3, 1), MakeDate(2020, 3, 15))},
      {"Right on the last day: next month, first column", c, St(march, MakeDate(2024, 3, 31)), NavKey::Right,
       St(MakeDate(2026, 4, 1), MakeDate(2024, 4, 1))},
      {"Left on the first day: previous month, last column", c, St(march, MakeDate(2024, 3, 1)), NavKey::Left,
       St(MakeDate(2026, 2, 1), MakeDate(2024, 2, 29))},
      {"29 February up into a common year", c, St(MakeDate(2026, 2, 1), MakeDate(2024, 2, 29)), NavKey::Up,
       St(MakeDate(2026, 2, 1), MakeDate(2025, 2, 28))},
  });
}

TEST(KeyMove, MultiMonthViewMovesItsMonthsAtTheEdges) {
  NavContext c = Ctx(6);
  c.month_count = 6;
  const Date april = MakeDate(2026, 4, 1);  // rows April .. September
  CheckKeys({
      {"Down in the last row: next month, last row selected", c, St(april, MakeDate(2026, 9, 30)), NavKey::Down,
       St(MakeDate(2026, 5, 1), MakeDate(2026, 10, 30))},
      {"Up in the first row: previous month", c, St(april, MakeDate(2026, 4, 30)), NavKey::Up,
       St(MakeDate(2026, 3, 1), MakeDate(2026, 3, 30))},
      {"Up into a shorter month clamps", c, St(april, MakeDate(2026, 5, 31)), NavKey::Up,
       St(april, MakeDate(2026, 4, 30))},
      {"Right at a month's last day: next row", c, St(april, MakeDate(2026, 4, 30)), NavKey::Right,
       St(april, MakeDate(2026, 5, 1))},
      {"Right at the last row's last day: one day forward", c, St(april, MakeDate(2026, 9, 30)), NavKey::Right,
       St(MakeDate(2026, 5, 1), MakeDate(2026, 10, 1))},
      {"Left at the first row's first day: nothing", c, St(april, MakeDate(2026, 4, 1)), NavKey::Left,
       St(april, MakeDate(2026, 4, 1))},
      {"Left at a later row's first day: previous month's last day", c, St(april, MakeDate(2026, 7, 1)),
       NavKey::Left, St(april, MakeDate(2026, 6, 30))},
  });
}

TEST(KeyMove, YearlyViewsMoveByDaysMonthsAndYears) {
  const Date y2026 = MakeDate(2026, 1, 1);
  CheckKeys({
      {"mode 5: Right on 31 December", Ctx(5), St(y2026, MakeDate(2026, 12, 31)), NavKey::Right,
       St(MakeDate(2027, 1, 1), MakeDate(2027, 1, 1))},
      {"mode 5: Right at a month's last day", Ctx(5), St(y2026, MakeDate(2026, 2, 28)), NavKey::Right,
       St(y2026, MakeDate(2026, 3, 1))},
      {"mode 5: Left on 1 January does nothing", Ctx(5), St(y2026, MakeDate(2026, 1, 1)), NavKey::Left,
       St(y2026, MakeDate(2026, 1, 1))},
      {"mode 5: Up in January goes 31 days back", Ctx(5), St(y2026, MakeDate(2026, 1, 10)), NavKey::Up,
       St(MakeDate(2025, 1, 1), MakeDate(2025, 12, 10))},
      {"mode 5: Down into February clamps", Ctx(5), St(y2026, MakeDate(2026, 1, 31)), NavKey::Down,
       St(y2026, MakeDate(2026, 2, 28))},
      {"mode 5: Down in December goes 31 days forward", Ctx(5), St(y2026, MakeDate(2026, 12, 5)), NavKey::Down,
       St(MakeDate(2027, 1, 1), MakeDate(2027, 1, 5))},
      {"mode 8: Right in December goes to the next row's January", Ctx(8), St(y2026, MakeDate(2026, 12, 15)),
       NavKey::Right, St(y2026, MakeDate(2026, 1, 16))},
      {"mode 8: Right on 31 December", Ctx(8), St(y2026, MakeDate(2026, 12, 31)), NavKey::Right,
       St(MakeDate(2027, 1, 1), MakeDate(2027, 1, 1))},
      {"mode 8: Right onto a blank cell takes the cell above", Ctx(8), St(y2026, MakeDate(2026, 1, 30)),
       NavKey::Right, St(y2026, MakeDate(2026, 2, 28))},
      {"mode 8: Left in January goes to the previous row's December", Ctx(8), St(y2026, MakeDate(2026, 1, 15)),
       NavKey::Left, St(y2026, MakeDate(2026, 12, 14))},
      {"mode 8: Left on 1 January does nothing", Ctx(8), St(y2026, MakeDate(2026, 1, 1)), NavKey::Left,
       St(y2026, MakeDate(2026, 1, 1))},
      {"mode 8: Up in the first row goes 31 days back", Ctx(8), St(y2026, MakeDate(2026, 3, 1)), NavKey::Up,
       St(y2026, MakeDate(2026, 1, 29))},
      {"mode 8: Down onto a blank cell stays", Ctx(8), St(y2026, MakeDate(2026, 2, 28)), NavKey::Down,
       St(y2026, MakeDate(2026, 2, 28))},
  });
}

TEST(KeyMove, TimelinesStepAPeriodAtTheirEdgesAndMoveTheFocus) {
  NavContext days = Ctx(1);
  days.day_count = 3;
  CheckKeys({
      {"mode 2: Right on the last column", Ctx(2), St(MakeDate(2026, 12, 10), MakeDate(2026, 12, 13)),
       NavKey::Right, St(MakeDate(2026, 12, 14), MakeDate(2026, 12, 14))},
      {"mode 2: Left on the first column", Ctx(2), St(MakeDate(2026, 12, 10), MakeDate(2026, 12, 7)),
       NavKey::Left, St(MakeDate(2026, 11, 30), MakeDate(2026, 12, 6))},
      {"mode 1: Right inside", days, St(MakeDate(2026, 12, 10), MakeDate(2026, 12, 10)), NavKey::Right,
       St(MakeDate(2026, 12, 10), MakeDate(2026, 12, 11))},
      {"mode 1: Right on the last column", days, St(MakeDate(2026, 12, 10), MakeDate(2026, 12, 12)),
       NavKey::Right, St(MakeDate(2026, 12, 13), MakeDate(2026, 12, 13))},
  });
  const NavState s = St(MakeDate(2026, 12, 10), MakeDate(2026, 12, 10));
  EXPECT_EQ(KeyMove(Ctx(2), s, NavKey::Up, false, true).focus, NavFocus::Header);
  EXPECT_EQ(KeyMove(Ctx(2), s, NavKey::Up, false, false).focus, NavFocus::Keep);
  EXPECT_EQ(KeyMove(Ctx(2), s, NavKey::Down, true).focus, NavFocus::Timeline);
  EXPECT_EQ(KeyMove(Ctx(2), s, NavKey::Down, false).focus, NavFocus::Keep);
}

TEST(WheelMove, ActsOnlyFromTheEdgeRow) {
  const Date october = MakeDate(2026, 10, 1);
  EXPECT_FALSE(WheelMove(Ctx(4), St(october, MakeDate(2026, 10, 14)), true).has_value());
  EXPECT_FALSE(WheelMove(Ctx(4), St(october, MakeDate(2026, 10, 14)), false).has_value());
  const auto down = WheelMove(Ctx(4), St(october, MakeDate(2026, 10, 29)), true);
  ASSERT_TRUE(down);
  EXPECT_EQ(Text(down->selected), "2026/11/05");
  const auto up = WheelMove(Ctx(4), St(october, MakeDate(2026, 10, 1)), false);
  ASSERT_TRUE(up);
  EXPECT_EQ(Text(up->selected), "2026/09/24");

  NavContext years = Ctx(7);
  years.year_count = 3;
  const auto older = WheelMove(years, St(MakeDate(2026, 3, 1), MakeDate(2024, 3, 5)), true);
  ASSERT_TRUE(older);
  EXPECT_EQ(Text(older->selected), "2023/03/05");
  EXPECT_EQ(Text(older->displayed), "2025/03/01");
  const auto yearly = WheelMove(Ctx(5), St(MakeDate(2026, 1, 1), MakeDate(2026, 1, 20)), false);
  ASSERT_TRUE(yearly);
  EXPECT_EQ(Text(yearly->selected), "2025/12/20");
  EXPECT_FALSE(WheelMove(Ctx(2), St(october, october), true).has_value());
}

// ---- Caption ------------------------------------------------------------------------------------

struct CaptionCase {
  const char* name;
  NavContext ctx;
  Date displayed;
  int form;
  std::string caption;
};

TEST(SchHeader, TheFourYearPatternsAndTheirShortening) {
  NavContext weeks = Ctx(3);
  weeks.week_count = 2;
  NavContext months = Ctx(6);
  months.month_count = 6;
  NavContext one_month = Ctx(6);
  one_month.month_count = 1;
  NavContext years = Ctx(7);
  years.year_count = 6;
  NavContext one_day = Ctx(1);
  one_day.day_count = 1;
  NavContext mini = Ctx(5);
  mini.mini = true;
  const Date dec10 = MakeDate(2026, 12, 10);  // shows 7 .. 20 December
  const CaptionCase cases[] = {
      {"same month, pattern 0", weeks, dec10, 0, "2026年(令和8年) 12月 7日(月) ～ 20日(日)"},
      {"same month, pattern 1", weeks, dec10, 1, "2026年 12月 7日(月) ～ 20日(日)"},
      {"same month, pattern 2", weeks, dec10, 2, "令和8年 12月 7日(月) ～ 20日(日)"},
      {"pattern 3", weeks, dec10, 3, "2026/12/07  -  2026/12/20"},
      {"same year, pattern 0", weeks, MakeDate(2026, 11, 26), 0, "2026年(令和8年) 11月 23日(月) ～ 12月 6日(日)"},
      {"same year, pattern 1", weeks, MakeDate(2026, 11, 26), 1, "2026年 11月 23日(月) ～ 12月 6日(日)"},
      {"same year, pattern 2", weeks, MakeDate(2026, 11, 26), 2, "令和8年 11月 23日(月) ～ 12月 6日(日)"},
      {"across the year end", weeks, MakeDate(2026, 12, 24), 1, "2026年 12月 21日(月) ～ 2027年 1月 3日(日)"},
      {"one day shows one text", one_day, dec10, 1, "2026年 12月 10日(木)"},
      {"weekly timeline", Ctx(2), dec10, 1, "2026年 12月 7日(月) ～ 13日(日)"},
      {"multi-month cut after the month", months, MakeDate(2026, 4, 1), 1, "2026年 4月 ～ 9月"},
      {"multi-month, pattern 0", months, MakeDate(2026, 4, 1), 0, "2026年(令和8年) 4月 ～ 9月"},
      {"multi-month across years", months, MakeDate(2026, 10, 1), 1, "2026年 10月 ～ 2027年 3月"},
      {"multi-month, pattern 3, seven characters", months, MakeDate(2026, 4, 1), 3, "2026/04  -  2026/09"},
      {"multi-month of one month", one_month, MakeDate(2026, 4, 1), 1, "2026年 4月"},
      {"same month over years", years, MakeDate(2026, 12, 1), 1, "2021年 ～ 2026年 12月"},
      {"same month over years, pattern 0", years, MakeDate(2026, 12, 1), 0,
       "2021年(令和3年) ～ 2026年(令和8年) 12月"},
      {"same month over years, pattern 3", years, MakeDate(2026, 3, 1), 3, "2021 - 2026/3"},
      {"yearly", Ctx(5), dec10, 1, "2026年"},
      {"yearly, vertical, pattern 2", Ctx(8), dec10, 2, "令和8年"},
      {"month", Ctx(4), dec10, 1, "2026年 12月"},
      {"mini mode", mini, dec10, 2, "2026年 12月"},
  };
  for (const CaptionCase& c : cases) {
    CaptionInput input;
    input.weekly_bar_form = c.form;
    input.monthly_bar_form = "yyyy年 m月";
    EXPECT_EQ(SchHeader(c.ctx, St(c.displayed, c.displayed), input), c.caption) << c.name;
  }
}

TEST(SchHeader, MonthHeadingUsesTheMonthlyPattern) {
  CaptionInput input;
  input.monthly_bar_form = "yyyy/m eee";
  EXPECT_EQ(SchHeader(Ctx(4), St(MakeDate(2026, 4, 1), MakeDate(2026, 4, 1)), input), "2026/4 April");
}

TEST(MonthlyBarFont, OnlyFourItemsMakeAFont) {
  store::ViewSettings view;
  view.monthly_bar_font = {"ＭＳ ゴシック", "14", "1", "$0000FF"};
  EXPECT_EQ(MonthlyBarFont(view), (BarFont{"ＭＳ ゴシック", 14, 1, 0x0000FF}));
  view.monthly_bar_font = {"Arial", "12", "0", "255"};
  EXPECT_EQ(MonthlyBarFont(view)->colour, 255);
  view.monthly_bar_font = {"Arial", "12", "0"};
  EXPECT_FALSE(MonthlyBarFont(view).has_value());
}

TEST(CaptionButtonWidth, MonthViewsNeverShrink) {
  int widest = 0;
  EXPECT_EQ(CaptionButtonWidth(4, 100, widest), 120);
  EXPECT_EQ(CaptionButtonWidth(4, 80, widest), 120);
  EXPECT_EQ(CaptionButtonWidth(3, 80, widest), 100);
  EXPECT_EQ(CaptionButtonWidth(7, 150, widest), 170);
}

}  // namespace
}  // namespace kal::mainwindow
