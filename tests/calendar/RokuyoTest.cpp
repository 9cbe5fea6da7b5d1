#include "calendar/Rokuyo.h"

#include <gtest/gtest.h>

#include <chrono>

#include "calendar/NewMoonTable.h"

namespace kal::calendar {
namespace {

using store::MakeDate;

std::string NameOn(int y, int m, int d) { return RokuyoName(RokuyoIndex(MakeDate(y, m, d))); }

TEST(NewMoonTable, FixedRowsComeOutAsPrinted) {
  struct Row {
    int year, month, first, second, first_index, second_index;
  };
  for (const Row& r : {Row{1901, 1, 20, 0, 6, 0}, Row{2024, 1, 11, 0, 6, 0}, Row{2024, 2, 10, 0, 1, 0},
                       Row{2024, 12, 1, 31, 5, 6}, Row{2050, 12, 14, 0, 5, 0}}) {
    const NewMoonRow* row = NewMoonRowOf(r.year, r.month);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->first_day, r.first) << r.year << "/" << r.month;
    EXPECT_EQ(row->second_day, r.second) << r.year << "/" << r.month;
    EXPECT_EQ(row->first_index, r.first_index) << r.year << "/" << r.month;
    EXPECT_EQ(row->second_index, r.second_index) << r.year << "/" << r.month;
  }
  EXPECT_EQ(NewMoonRowOf(1900, 12), nullptr);
  EXPECT_EQ(NewMoonRowOf(2051, 1), nullptr);
}

// Every lunar month lasts 29 or 30 days, and its first day's index is the previous one's
// successor, or the same for a leap month. Only a February can hold no start.
TEST(NewMoonTable, StartsFormAnUnbrokenSequenceOfLunarMonths) {
  using namespace std::chrono;
  LunarStart previous = kLunarStartBeforeTable;
  int leap_months = 0;
  int empty_months = 0;
  for (int y = kNewMoonTableFirstYear; y <= kNewMoonTableLastYear; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const NewMoonRow* row = NewMoonRowOf(y, m);
      if (row->first_day == 0) {
        EXPECT_EQ(m, 2) << y;
        EXPECT_EQ(row->second_day, 0);
        ++empty_months;
        continue;
      }
      EXPECT_TRUE(row->second_day == 0 || row->second_day > row->first_day) << y << "/" << m;
      for (auto [day, index] : {std::pair{row->first_day, row->first_index}, {row->second_day, row->second_index}}) {
        if (day == 0) continue;
        ASSERT_LE(day, store::DaysInMonth(y, m));
        const auto length = (sys_days{MakeDate(y, m, day)} -
                             sys_days{MakeDate(previous.year, previous.month, previous.day)}).count();
        EXPECT_TRUE(length == 29 || length == 30) << y << "/" << m << "/" << int(day);
        if (index == previous.index) ++leap_months;
        else EXPECT_EQ(index, previous.index % 6 + 1) << y << "/" << m << "/" << int(day);
        previous = {y, m, day, index};
      }
    }
  }
  // 150 years of the lunisolar calendar hold 55 leap months; February 2014 is one month without a start.
  EXPECT_EQ(leap_months, 55);
  EXPECT_GE(empty_months, 1);
  EXPECT_EQ(NewMoonRowOf(2014, 2)->first_day, 0);
}

TEST(Rokuyo, NamesAndRange) {
  EXPECT_EQ(RokuyoName(1), "先勝");
  EXPECT_EQ(RokuyoName(6), "赤口");
  EXPECT_EQ(RokuyoName(0), "");
  EXPECT_EQ(RokuyoIndex(MakeDate(1900, 12, 31)), 0);
  EXPECT_EQ(RokuyoIndex(MakeDate(2051, 1, 1)), 0);
  EXPECT_NE(RokuyoIndex(MakeDate(1901, 1, 1)), 0);
  EXPECT_NE(RokuyoIndex(MakeDate(2050, 12, 31)), 0);
}

// Dates whose lunar month and day are well known; the label follows from
// (lunar month + lunar day) mod 6: 0 大安, 1 赤口, 2 先勝, 3 友引, 4 先負, 5 仏滅.
TEST(Rokuyo, KnownDates) {
  struct Case {
    int y, m, d;
    const char* name;
  };
  for (const Case& c : {
           Case{2024, 1, 11, "赤口"},  // 12/1
           Case{2024, 1, 12, "先勝"},  // 12/2
           Case{2024, 2, 10, "先勝"},  // 1/1
           Case{2024, 2, 9, "大安"},   // 12/30, before February's first start
           Case{2024, 1, 1, "赤口"},   // 11/20
           Case{2023, 1, 1, "先負"},   // 12/10
           Case{2025, 1, 1, "先勝"},   // 12/2
           Case{2020, 1, 25, "先勝"},  // lunar new year
           Case{2021, 2, 12, "先勝"},
           Case{2022, 2, 1, "先勝"},
           Case{2023, 1, 22, "先勝"},
           Case{2025, 1, 29, "先勝"},
           Case{2023, 3, 22, "友引"},  // leap 2/1 starts like the 2nd month
           Case{2023, 4, 20, "先負"},  // 3/1
           Case{2033, 12, 22, "大安"}, // leap 11/1 of 2033
           Case{2034, 1, 20, "赤口"},  // 12/1
           Case{2034, 2, 19, "先勝"},  // 1/1
           Case{2014, 1, 31, "先勝"},  // 1/1
           Case{2014, 2, 1, "友引"},   // February 2014: no lunar month begins
           Case{2014, 2, 28, "大安"},  // 1/29
           Case{2014, 3, 1, "友引"},   // 2/1
           Case{1901, 1, 1, "先負"},   // 11/11, the 11th month began on 22 December 1900
           Case{2024, 12, 31, "赤口"}, // 12/1
       }) {
    EXPECT_EQ(NameOn(c.y, c.m, c.d), c.name) << c.y << "/" << c.m << "/" << c.d;
  }
}

TEST(RokuyoPass, ConsecutiveSlotsMatchTheDayByDayLabelsForEveryYear) {
  for (int y = 1901; y <= 2050; ++y) {
    std::vector<YearMonth> slots;
    for (int m = 1; m <= 12; ++m) slots.push_back({y, m});
    auto result = RokuyoPass(slots);
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; d <= 31; ++d) {
        int expected = d <= store::DaysInMonth(y, m) ? RokuyoIndex(MakeDate(y, m, d)) : 0;
        ASSERT_EQ(result[m - 1][d - 1], expected) << y << "/" << m << "/" << d;
      }
  }
}

TEST(RokuyoPass, SameMonthViewRunsInBeforeEverySlot) {
  // March of several years: each slot's days before its first lunar start continue from February,
  // including February 2014 with no start of its own.
  std::vector<YearMonth> slots;
  for (int y = 2010; y <= 2021; ++y) slots.push_back({y, 3});
  auto result = RokuyoPass(slots);
  for (std::size_t s = 0; s < slots.size(); ++s)
    for (int d = 1; d <= 31; ++d)
      EXPECT_EQ(result[s][d - 1], RokuyoIndex(MakeDate(slots[s].year, 3, d))) << slots[s].year << "/3/" << d;
  // A lone February 2014 takes its labels from the start on 31 January.
  auto february = RokuyoPass({{2014, 2}});
  EXPECT_EQ(february[0][0], 2);   // 友引
  EXPECT_EQ(february[0][27], 5);  // 大安
  EXPECT_EQ(february[0][28], 0);  // no 29 February
}

TEST(RokuyoPass, DaysOutsideTheTableGetNoneAndKeepTheRunningIndex) {
  auto result = RokuyoPass({{1900, 12}, {1901, 1}, {1901, 2}});
  for (int d = 0; d < 31; ++d) EXPECT_EQ(result[0][d], 0);
  EXPECT_EQ(result[1][0], 3);  // 1 January 1901, 先負
  EXPECT_EQ(result[1][19], 6);  // 20 January 1901, first start, 赤口
  auto end = RokuyoPass({{2050, 12}, {2051, 1}});
  EXPECT_EQ(end[0][13], 5);
  for (int d = 0; d < 31; ++d) EXPECT_EQ(end[1][d], 0);
}

}  // namespace
}  // namespace kal::calendar
