#include "mainwindow/ManyMonthDays.h"

#include <gtest/gtest.h>

namespace kal::mainwindow {
namespace {

using store::MakeDate;

TEST(ManyMonthDays, FebruaryOfTheSameMonthViewHas29ColumnsOverLeapAndCommonYears) {
  const ManyMonthGrid grid = ManyMonthDays(7, 2025, 2, 3);  // 2025, 2024 (leap), 2023
  ASSERT_EQ(grid.rows(), 3);
  ASSERT_EQ(grid.columns(), 29);
  EXPECT_EQ(grid.row_labels, (std::vector<std::string>{"2025年", "2024年", "2023年"}));
  EXPECT_EQ(grid.column_labels.back(), "29");
  EXPECT_EQ(grid.dates[0][28], std::nullopt);                       // no 29 February 2025
  EXPECT_EQ(grid.dates[1][28], std::optional<Date>(MakeDate(2024, 2, 29)));
  EXPECT_EQ(grid.dates[2][27], std::optional<Date>(MakeDate(2023, 2, 28)));
  EXPECT_EQ(ManyMonthCell(grid, MakeDate(2024, 2, 29)), std::make_pair(1, 28));
  // Other months have as many columns as they have days; 2000 was a leap year, 1900 was not.
  EXPECT_EQ(ManyMonthDays(7, 2027, 4, 6).columns(), 30);
  EXPECT_EQ(ManyMonthDays(7, 2027, 12, 1).columns(), 31);
  const ManyMonthGrid century = ManyMonthDays(7, 2000, 2, 12);
  EXPECT_TRUE(century.dates[0][28].has_value());
  EXPECT_EQ(century.row_labels[11], "1989年");
}

TEST(ManyMonthDays, MultiMonthRowsRunAcrossTheYearEnd) {
  const ManyMonthGrid grid = ManyMonthDays(6, 2026, 11, 3);
  ASSERT_EQ(grid.rows(), 3);
  ASSERT_EQ(grid.columns(), 31);
  EXPECT_EQ(grid.row_labels, (std::vector<std::string>{"11月", "12月", "1月"}));
  EXPECT_EQ(grid.dates[2][0], std::optional<Date>(MakeDate(2027, 1, 1)));
  EXPECT_EQ(grid.dates[0][30], std::nullopt);  // 31 November
  EXPECT_EQ(ManyMonthOfCell(grid, 2, 5), MakeDate(2027, 1, 1));
  // The count is brought into 1..12.
  EXPECT_EQ(ManyMonthDays(6, 2026, 1, 0).rows(), 1);
  EXPECT_EQ(ManyMonthDays(6, 2026, 1, 40).rows(), 12);
}

TEST(ManyMonthDays, YearViewsAcrossAndDown) {
  const ManyMonthGrid across = ManyMonthDays(5, 2028, 7, 0);
  ASSERT_EQ(across.rows(), 12);
  ASSERT_EQ(across.columns(), 31);
  EXPECT_EQ(across.row_labels[0], "1月");
  EXPECT_EQ(across.dates[1][28], std::optional<Date>(MakeDate(2028, 2, 29)));
  EXPECT_EQ(across.dates[1][29], std::nullopt);
  EXPECT_EQ(across.dates[3][30], std::nullopt);  // 31 April

  // Mode 8: one column per month, the days down; the column of a cell gives its month.
  const ManyMonthGrid down = ManyMonthDays(8, 2027, 3, 0);
  ASSERT_EQ(down.rows(), 31);
  ASSERT_EQ(down.columns(), 12);
  EXPECT_EQ(down.column_labels.front(), "1月");
  EXPECT_EQ(down.column_labels.back(), "12月");
  EXPECT_EQ(down.row_labels[30], "31");
  EXPECT_EQ(down.dates[4][11], std::optional<Date>(MakeDate(2027, 12, 5)));
  EXPECT_EQ(down.dates[28][1], std::nullopt);  // 29 February 2027
  EXPECT_EQ(down.dates[30][10], std::nullopt);  // 31 November
  EXPECT_EQ(ManyMonthCell(down, MakeDate(2027, 6, 30)), std::make_pair(29, 5));
  EXPECT_EQ(ManyMonthOfCell(down, 0, 5), MakeDate(2027, 6, 1));
  EXPECT_EQ(ManyMonthCell(down, MakeDate(2028, 1, 1)), std::nullopt);
}

TEST(ManyMonthDays, DateLineByDisplayItems) {
  const Date d = MakeDate(2027, 3, 3);  // a Wednesday
  std::string flags(31, '0');
  EXPECT_EQ(ManyMonthDateLine(d, flags, true), "");
  flags[30] = '1';  // 日にち
  EXPECT_EQ(ManyMonthDateLine(d, flags, true), " 3");
  flags[29] = '1';  // 曜日
  EXPECT_EQ(ManyMonthDateLine(d, flags, true), " 3 水");
  EXPECT_EQ(ManyMonthDateLine(d, flags, false), " 3 WED");
  flags[30] = '0';
  EXPECT_EQ(ManyMonthDateLine(MakeDate(2027, 3, 7), flags, true), "日");
}

TEST(ManyMonthDays, FirstItemMovesOntoTheDateLineButBarsStay) {
  CellContents cell;
  cell.date_text = " 3 水";
  CellLine bar;
  bar.bar = true;
  bar.text = "出張";
  CellLine lane;
  lane.band = -2;
  CellLine first;
  first.text = "会議";
  CellLine second;
  second.text = "来客";
  cell.lines = {bar, lane, first, second};
  MoveFirstLineToDateLine(cell);
  EXPECT_EQ(cell.date_text, " 3 水  会議");
  ASSERT_EQ(cell.lines.size(), 3u);
  EXPECT_EQ(cell.lines[2].text, "来客");
  CellContents empty;
  MoveFirstLineToDateLine(empty);
  EXPECT_EQ(empty.date_text, "");
}

}  // namespace
}  // namespace kal::mainwindow
