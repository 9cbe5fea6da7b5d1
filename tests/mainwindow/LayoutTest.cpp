#include "mainwindow/Layout.h"

#include <gtest/gtest.h>

#include <numeric>

#include "mainwindow/ViewModes.h"
#include "store/Settings.h"

namespace kal::mainwindow {
namespace {

int Sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }

store::Settings Defaults() { return store::DefaultSettings(store::SettingsDefaults{"/p/", "IPAexGothic", 9}); }

// ---- Date placement --------------------------------------------------------------------------

TEST(MonthWeekRows, FiveOrSixRowsUnderBothWeekStarts) {
  struct Case {
    int year, month, str_week, rows;
  } cases[] = {
      {2026, 2, 0, 4 + 1},  // Sunday 1 February 2026, 28 days: five rows (the count's minimum)
      {2026, 2, 1, 5},      // Monday start: Sunday the 1st stands last in the first row
      {2026, 8, 0, 6},      // Saturday 1 August, 31 days, Sunday start: six weeks
      {2026, 8, 1, 6},      // Monday start: the 1st is the sixth position; 5 + 31 > 35
      {2026, 3, 0, 5},      // Sunday 1 March: 31 days fit in five Sunday-first weeks
      {2026, 3, 1, 6},      // Monday start: lead 6 + 31 = 37
      {2027, 2, 1, 5},      // Monday 1 February 2027: exactly four weeks, shown as five rows
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MonthWeekRows(c.year, c.month, c.str_week, 5), c.rows) << c.year << "/" << c.month << " " << c.str_week;
    EXPECT_EQ(MonthWeekRows(c.year, c.month, c.str_week, 6), 6);
  }
}

TEST(DateTable, MonthViewStartsTheFirstRowInThePreviousMonth) {
  // August 2026 starts on a Saturday.
  const DateTable monday = BuildDateTable(kModeMonthly, 2026, 8, 20, 6, 1, false);
  EXPECT_EQ(monday.first(), store::MakeDate(2026, 7, 27));
  EXPECT_EQ(monday.rows[0][5], store::MakeDate(2026, 8, 1));
  EXPECT_EQ(monday.last(), store::MakeDate(2026, 9, 6));
  const DateTable sunday = BuildDateTable(kModeMonthly, 2026, 8, 20, 6, 0, false);
  EXPECT_EQ(sunday.first(), store::MakeDate(2026, 7, 26));
  EXPECT_EQ(sunday.rows[0][6], store::MakeDate(2026, 8, 1));
}

TEST(DateTable, WeeklyViewAnchorsOnTheSelectedDayClampedToTheMonth) {
  // Selected day 31 in a 30-day month is clamped to 30 September 2026 (a Wednesday).
  const DateTable t = BuildDateTable(kModeWeekly, 2026, 9, 31, 2, 1, false);
  EXPECT_EQ(t.anchor, store::MakeDate(2026, 9, 30));
  EXPECT_EQ(t.first(), store::MakeDate(2026, 9, 28));
  EXPECT_EQ(t.last(), store::MakeDate(2026, 10, 11));
  const DateTable daily = BuildDateTable(kModeDaily, 2026, 12, 30, 1, 1, false, 4);
  ASSERT_EQ(daily.rows.size(), 1u);
  ASSERT_EQ(daily.rows[0].size(), 4u);
  EXPECT_EQ(daily.rows[0][0], store::MakeDate(2026, 12, 30));
  EXPECT_EQ(daily.rows[0][3], store::MakeDate(2027, 1, 2));  // across the year end
}

TEST(DateTable, HiddenWeekEndsMapTheFirstColumnToMonday) {
  for (int str_week : {0, 1}) {
    EXPECT_EQ(WeekdayAtPosition(ColumnPosition(0, true, str_week), str_week), 2) << str_week;
    EXPECT_EQ(WeekdayAtPosition(ColumnPosition(4, true, str_week), str_week), 6) << str_week;
  }
  EXPECT_EQ(WeekdayAtPosition(ColumnPosition(0, false, 0), 0), 1);  // Sunday first
  EXPECT_EQ(WeekdayAtPosition(ColumnPosition(6, false, 1), 1), 1);  // Sunday last
}

// ---- Grid shapes --------------------------------------------------------------------------------

TEST(GridShape, ModesThreeAndFour) {
  store::Settings s = Defaults();
  GridShape month = ShapeFor(kModeMonthly, s, 2026, 8, false);
  EXPECT_EQ(month.rows, 7);  // August 2026 needs six weeks
  EXPECT_EQ(month.columns, 8);  // week-number column (WeekOfYear on by default) + 7
  EXPECT_EQ(month.fixed_width, kWeekNumberWidth);
  s.view_mode(kModeMonthly).week_of_year = false;
  s.view_mode(kModeWeekly).sat_sun_no = true;
  s.view_mode(kModeWeekly).week_no = 3;
  GridShape weekly = ShapeFor(kModeWeekly, s, 2026, 8, false);
  EXPECT_EQ(weekly.rows, 4);
  EXPECT_EQ(weekly.columns, 5);
  EXPECT_EQ(weekly.fixed_columns, 0);
}

TEST(GridShape, YearAndMultiMonthModes) {
  store::Settings s = Defaults();
  EXPECT_EQ(ShapeFor(kModeYearly, s, 2026, 1, false), (GridShape{13, 32, 1, 1, 16, 28, false, 31}));
  EXPECT_EQ(ShapeFor(kModeYearly, s, 2026, 1, true).header_height, 0);
  EXPECT_EQ(ShapeFor(kModeMonthly2, s, 2026, 1, false).rows, 7);
  // February always has 29 day columns in mode 7, so 29 February is reachable.
  EXPECT_EQ(ShapeFor(kModeMonthly3, s, 2027, 2, false).columns, 30);
  EXPECT_EQ(ShapeFor(kModeMonthly3, s, 2027, 4, false).columns, 31);
  EXPECT_EQ(ShapeFor(kModeYearly2, s, 2026, 1, true).fixed_width, 0);
  EXPECT_EQ(ShapeFor(kModeYearly2, s, 2026, 1, false).fixed_width, 24);
}

TEST(ViewModeTable, CountsAndHints) {
  store::Settings s = Defaults();
  EXPECT_EQ(ModeCount(s, kModeMonthly), 5);
  SetModeCount(s, kModeWeekly, 9);  // brought into range
  EXPECT_EQ(ModeCount(s, kModeWeekly), 6);
  EXPECT_EQ(PeriodHints(kModeDaily, 3)[0], "前の3日");
  EXPECT_EQ(PeriodHints(kModeDaily, 3)[2], "次の3日");
  EXPECT_EQ(PeriodHints(kModeYearly2, 0)[1], "今年");
  EXPECT_EQ(std::string(ViewModeOf(0).section), "Monthly");
  EXPECT_EQ(std::string(ViewModeOf(7).count_caption), "表示年数(&I)");
}

// ---- Column widths ----------------------------------------------------------------------------

TEST(ColumnWidths, EqualSharesAndFit) {
  ColumnInput in;
  in.width = 703;
  in.fixed_width = 20;
  in.fixed_columns = 1;
  const std::vector<int> w = ColumnWidths(in);
  ASSERT_EQ(w.size(), 8u);
  EXPECT_EQ(w[0], 20);
  for (std::size_t i = 1; i < w.size(); ++i) EXPECT_EQ(w[i], 97);  // (703 - 20) / 7
  EXPECT_LE(Sum(w), in.width);
  in.mini = true;  // one pixel more each, then the fit trims from the right
  const std::vector<int> mini = ColumnWidths(in);
  EXPECT_LE(Sum(mini), in.width);
  EXPECT_EQ(mini[1], 98);
  EXPECT_EQ(mini[7], 97);
}

TEST(ColumnWidths, HalfWidthWeekEnds) {
  ColumnInput in;
  in.width = 700;
  in.half_week_ends = true;
  in.saturday_column = 5;
  in.sunday_column = 6;
  const std::vector<int> w = ColumnWidths(in);
  ASSERT_EQ(w.size(), 7u);
  EXPECT_EQ(w[5], w[6]);
  EXPECT_EQ(w[5], 50);                      // (700 / 7) / 2
  EXPECT_EQ(w[0], (700 - 100 - 1) / 5);     // the weekdays absorb the rest
  EXPECT_LE(Sum(w), 700);
  // Sunday first: Sunday is column 0.
  in.sunday_column = 0;
  in.saturday_column = 6;
  const std::vector<int> s = ColumnWidths(in);
  EXPECT_EQ(s[0], 50);
  EXPECT_EQ(s[6], 50);
  EXPECT_EQ(s[1], 119);
}

TEST(ColumnWidths, TinyAndZeroWidthsEndAtTheMinimum) {
  for (int width : {0, 10, 48, -5}) {
    ColumnInput in;
    in.width = width;
    in.day_columns = 7;
    const std::vector<int> w = ColumnWidths(in);
    ASSERT_EQ(w.size(), 7u);
    for (int c : w) EXPECT_EQ(c, kMinimumCellSize) << width;
  }
  ColumnInput none;
  none.day_columns = 0;  // never divides by zero
  EXPECT_EQ(ColumnWidths(none).size(), 1u);
}

TEST(ColumnWidths, AutoWidthWidensTheSelectedColumn) {
  ColumnInput in;
  in.width = 700;
  const std::vector<int> w = AutoColumnWidths(in, 2, 300);
  EXPECT_EQ(w[2], 302);
  EXPECT_EQ(w[0], (700 - 302) / 6);
  EXPECT_LE(Sum(w), 700);
  // Capped so that every other column keeps its minimum.
  const std::vector<int> capped = AutoColumnWidths(in, 2, 5000);
  EXPECT_EQ(capped[2], 700 - 7 * 7);
  EXPECT_LE(Sum(capped), 700);
  for (int c : capped) EXPECT_GE(c, kMinimumCellSize);
}

// ---- Row heights ----------------------------------------------------------------------------------

TEST(RowHeights, SharesWithTheGridLineAllowance) {
  // 7 rows (header + 6 weeks): no allowance, the last row gets one more pixel when all fit.
  std::vector<int> h = RowHeights(616, 16, 7);
  ASSERT_EQ(h.size(), 7u);
  EXPECT_EQ(h[0], 16);
  EXPECT_EQ(h[1], 100);
  EXPECT_LE(Sum(h), 616);
  // 6 rows: one pixel less each; the last row one more.
  h = RowHeights(516, 16, 6);
  EXPECT_EQ(h[1], 99);
  EXPECT_EQ(h[5], 100);
  // 2 rows: three pixels less.
  h = RowHeights(216, 16, 2);
  EXPECT_EQ(h[1], 198);
}

TEST(RowHeights, SmallWindowsEndWithEveryRowAtItsMinimum) {
  for (int height : {0, 20, 50, -1}) {
    const std::vector<int> h = RowHeights(height, 16, 7);
    ASSERT_EQ(h.size(), 7u);
    for (std::size_t i = 1; i < h.size(); ++i) EXPECT_EQ(h[i], kMinimumCellSize) << height;
  }
  EXPECT_EQ(RowHeights(100, 16, 1).size(), 1u);
  EXPECT_TRUE(RowHeights(100, 16, 0).empty());
}

TEST(RowHeights, AutoHeightRaisesOneRowAndHandlesFewRows) {
  const std::vector<int> h = AutoRowHeights(616, 16, 7, 2, 250, false);
  EXPECT_EQ(h[2], 252);
  EXPECT_EQ(h[1], (600 - 252) / 5 - 1);
  EXPECT_LE(Sum(h), 616);
  // Yearly modes do not take the extra pixel off.
  EXPECT_EQ(AutoRowHeights(616, 16, 7, 2, 250, true)[1], (600 - 252) / 5);
  // Fewer than three rows: the plain distribution instead of a division by zero.
  EXPECT_EQ(AutoRowHeights(216, 16, 2, 1, 500, false), RowHeights(216, 16, 2));
  // A stored size from a larger screen: the raised row is capped.
  const std::vector<int> capped = AutoRowHeights(200, 16, 7, 6, 5000, false);
  EXPECT_LE(Sum(capped), 200);
  for (std::size_t i = 1; i < capped.size(); ++i) EXPECT_GE(capped[i], kMinimumCellSize);
}

TEST(FitSizes, SkipsTheChosenIndexAndStopsAtTheMinimum) {
  std::vector<int> sizes{50, 50, 50};
  FitSizes(sizes, 140, 7, 2);
  EXPECT_EQ(sizes, (std::vector<int>{45, 45, 50}));
  std::vector<int> stuck{7, 7, 100};
  FitSizes(stuck, 0, 7, 2);  // nothing can shrink: ends at once
  EXPECT_EQ(stuck, (std::vector<int>{7, 7, 100}));
}

TEST(SideCalendars, RowsAndSplitterHeights) {
  const std::vector<int> rows = SideCalendarRowHeights(128, 20, 7);
  EXPECT_EQ(rows.size(), 7u);
  EXPECT_LE(Sum(rows), 108);
  EXPECT_EQ(rows[0], 15);
  EXPECT_EQ(SideCalendarHeight(600, 200, 4, 3), 132);
  EXPECT_EQ(SideCalendarHeight(600, 200, 4, 0), 0);
}

TEST(Navigation, ButtonPositionsByMode) {
  const NavigationGeometry month = NavigationLayout(kModeMonthly, 600, 100, 160, 24, false);
  EXPECT_EQ(month.caption, 250);
  EXPECT_EQ(month.before_month, 250 - 16 - 24);
  EXPECT_EQ(month.next_month, 350 + 16);
  EXPECT_EQ(month.before_year, month.before_month - 16 - 24);
  EXPECT_EQ(month.next_year, month.next_month + 24 + 16);
  const NavigationGeometry weekly = NavigationLayout(kModeWeekly, 600, 100, 160, 24, false);
  EXPECT_EQ(weekly.before_month, 220 - 24 - 24);
  EXPECT_EQ(weekly.next_month, 380 + 24);
  const NavigationGeometry mini = NavigationLayout(kModeMonthly, 200, 100, 160, 24, true);
  EXPECT_EQ(mini.before_month, 4);
  EXPECT_EQ(mini.next_month, 171);
  EXPECT_EQ(mini.caption_width, 200 - 48 - 12);
}

}  // namespace
}  // namespace kal::mainwindow
