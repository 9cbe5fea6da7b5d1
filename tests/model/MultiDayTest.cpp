#include "model/MultiDay.h"

#include <gtest/gtest.h>

#include "store/ScheduleFile.h"

namespace kal::calendar {
namespace {

using store::MakeDate;

std::string BarLine(int day, int span, const std::string& title) {
  store::ScheduleFields f;
  f.day = day;
  f.span = span;
  f.title = title;
  return store::BuildScheduleLine(f).line;
}

// A month-view grid: seven columns from Sunday, rows from `first` (a Sunday).
DateGrid WeekRows(Date first, int rows, bool hide_weekend = false) {
  DateGrid grid;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < 7; ++c) {
      if (hide_weekend && (c == 0 || c == 6)) continue;
      grid.Add({c, r + 1}, store::AddDays(first, r * 7 + c));
    }
  return grid;
}

std::vector<Date> DatesOf(const DateGrid& grid, const std::vector<GridCell>& cells) {
  std::vector<Date> out;
  for (const auto& c : cells) out.push_back(*grid.dates[static_cast<std::size_t>(grid.Find(c))]);
  return out;
}

std::vector<Date> Days(Date from, int count) {
  std::vector<Date> out;
  for (int i = 0; i < count; ++i) out.push_back(store::AddDays(from, i));
  return out;
}

TEST(ExtendDaySelect, MarksTheBarsDaysAcrossRows) {
  // Bar from 30 January 2025 over 5 days, picked on 1 February (position 3), band 02.
  const DateGrid grid = WeekRows(MakeDate(2025, 1, 26), 2);
  const std::string entry = BarEntry(2, 0, BarLine(30, 5, "出張"), 3, true);
  const BarHighlight h = ExtendDaySelect(grid, entry, {6, 1});
  EXPECT_EQ(h.band, 2);
  EXPECT_EQ(DatesOf(grid, h.cells), Days(MakeDate(2025, 1, 30), 5));
  EXPECT_EQ(h.cells.front(), (GridCell{4, 1}));
  EXPECT_EQ(h.cells.back(), (GridCell{1, 2}));

  // A single-day entry is no bar.
  EXPECT_EQ(ExtendDaySelect(grid, store::MakeEntry("SC", '5', 0, "x"), {6, 1}).band, -1);
}

TEST(ExtendDaySelect, WithTheWeekendHiddenTheStartMovesToTheNextRow) {
  // Bar from Saturday 1 February 2025 over 4 days: the shown part starts on Monday the 3rd.
  const DateGrid grid = WeekRows(MakeDate(2025, 1, 26), 2, true);
  const std::string entry = BarEntry(0, 0, BarLine(1, 4, "週末から"), 3, true);
  const BarHighlight h = ExtendDaySelect(grid, entry, {1, 2});
  EXPECT_EQ(h.cells.front(), (GridCell{1, 2}));
  EXPECT_EQ(DatesOf(grid, h.cells), Days(MakeDate(2025, 2, 3), 2));
}

// A yearly grid: rows January and February 2025, 31 day columns, non-existent days without a date.
DateGrid YearRows() {
  DateGrid grid;
  for (int m = 1; m <= 2; ++m)
    for (int d = 1; d <= 31; ++d)
      grid.Add({d, m}, d <= store::DaysInMonth(2025, m) ? std::optional<Date>(MakeDate(2025, m, d)) : std::nullopt);
  return grid;
}

TEST(ExtendDaySelect, SkipsDaysAMonthDoesNotHave) {
  const DateGrid grid = YearRows();
  const std::string entry = BarEntry(0, 0, BarLine(30, 5, "x"), 1, true);
  const BarHighlight h = ExtendDaySelect(grid, entry, {30, 1});
  EXPECT_EQ(h.cells, (std::vector<GridCell>{{30, 1}, {31, 1}, {1, 2}, {2, 2}, {3, 2}}));
}

TEST(ExtendDaySelect, TheSameMonthViewStaysInTheRow) {
  // Rows: January 2025 and January 2024; a bar from 30 January 2025 over 5 days.
  DateGrid grid;
  grid.rows_apart = true;
  for (int row = 1; row <= 2; ++row)
    for (int d = 1; d <= 31; ++d) grid.Add({d, row}, MakeDate(2026 - row, 1, d));
  const std::string entry = BarEntry(0, 0, BarLine(30, 5, "x"), 2, true);
  const BarHighlight h = ExtendDaySelect(grid, entry, {31, 1});
  EXPECT_EQ(h.cells, (std::vector<GridCell>{{30, 1}, {31, 1}}));
}

TEST(ExtendCellSelect, AReversedRangeRunsFromTheEarlierDay) {
  const DateGrid grid = WeekRows(MakeDate(2025, 3, 2), 2);  // 2 to 15 March
  RangeSelection s;
  ExtendCellSelect(s, grid, {1, 2}, false);  // 10 March: the anchor
  EXPECT_TRUE(s.selecting);
  EXPECT_FALSE(s.exists);
  EXPECT_EQ(s.first, MakeDate(2025, 3, 10));
  ExtendCellSelect(s, grid, {3, 1}, false);  // 5 March
  EXPECT_TRUE(s.exists);
  EXPECT_EQ(s.first, MakeDate(2025, 3, 5));
  EXPECT_EQ(s.last, MakeDate(2025, 3, 10));
  EXPECT_EQ(DatesOf(grid, s.marked), Days(MakeDate(2025, 3, 5), 6));
  // The next call clears the range.
  ExtendCellSelect(s, grid, {4, 2}, false);
  EXPECT_FALSE(s.exists);
  EXPECT_FALSE(s.selecting);
  EXPECT_TRUE(s.marked.empty());
}

TEST(ExtendCellSelect, TheAnchorAgainOrMiniModeMakeNoRange) {
  const DateGrid grid = WeekRows(MakeDate(2025, 3, 2), 2);
  RangeSelection s;
  ExtendCellSelect(s, grid, {2, 1}, true);
  EXPECT_FALSE(s.selecting);
  ExtendCellSelect(s, grid, {2, 1}, false);
  ExtendCellSelect(s, grid, {2, 1}, false);
  EXPECT_FALSE(s.exists);
  EXPECT_TRUE(s.selecting);
}

TEST(ExtendCellSelect, TheSameMonthViewTakesOnlyCellsOfTheAnchorsRow) {
  DateGrid grid;
  grid.rows_apart = true;
  for (int row = 1; row <= 2; ++row)
    for (int d = 1; d <= 31; ++d) grid.Add({d, row}, MakeDate(2026 - row, 3, d));
  RangeSelection s;
  ExtendCellSelect(s, grid, {4, 1}, false);
  ExtendCellSelect(s, grid, {8, 2}, false);  // another year's row: a new anchor
  EXPECT_FALSE(s.exists);
  EXPECT_EQ(s.anchor, (GridCell{8, 2}));
  EXPECT_EQ(s.first, MakeDate(2024, 3, 8));
  ExtendCellSelect(s, grid, {6, 2}, false);
  EXPECT_TRUE(s.exists);
  EXPECT_EQ(s.first, MakeDate(2024, 3, 6));
  EXPECT_EQ(s.last, MakeDate(2024, 3, 8));
  EXPECT_EQ(s.marked, (std::vector<GridCell>{{6, 2}, {7, 2}, {8, 2}}));
}

TEST(FreeBand, IsTheFirstGapAmongTheDaysBars) {
  const std::string line = BarLine(1, 3, "b");
  std::vector<std::string> day;
  EXPECT_EQ(FreeBand(day), 0);
  store::AddEntry(day, BarEntry(0, 0, line, 1, true));
  store::AddEntry(day, BarEntry(2, 1, line, 1, true));
  EXPECT_EQ(FreeBand(day), 1);
  store::AddEntry(day, BarEntry(1, 2, line, 1, true));
  EXPECT_EQ(FreeBand(day), 3);
}

}  // namespace
}  // namespace kal::calendar
