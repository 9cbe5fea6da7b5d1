#include "store/DateText.h"

#include <gtest/gtest.h>

#include "store/Colour.h"

namespace kal::store {
namespace {

TEST(DateText, RoundTripsAndRefusesBadDates) {
  EXPECT_EQ(DateText(MakeDate(2024, 2, 9)), "2024/02/09");
  EXPECT_EQ(ParseDateText("2024/02/29"), MakeDate(2024, 2, 29));
  EXPECT_EQ(ParseDateText("2024/2/9"), MakeDate(2024, 2, 9));
  for (const char* bad : {"2023/02/29", "2024/13/01", "2024-01-01", "24/01/01", "2024/01/01x", ""})
    EXPECT_FALSE(ParseDateText(bad)) << bad;
  EXPECT_EQ(TimeText(9, 5), "09:05");
  EXPECT_EQ(ParseTimeText("9:5"), (TimeOfDay{9, 5}));
  EXPECT_FALSE(ParseTimeText("24:00"));
  EXPECT_EQ(MonthStem(2024, 1), "202401");
}

TEST(DateText, DayNumbersAndWeekdays) {
  EXPECT_EQ(DayNumber(MakeDate(1899, 12, 30)), 0);
  EXPECT_EQ(DayNumber(MakeDate(2000, 1, 1)), 36526);
  EXPECT_EQ(FromDayNumber(36526), MakeDate(2000, 1, 1));
  EXPECT_EQ(WeekdayNumber(MakeDate(2026, 12, 13)), 1);  // Sunday
  EXPECT_EQ(WeekdayNumber(MakeDate(2026, 12, 12)), 7);  // Saturday
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(AddMonths(MakeDate(2024, 3, 31), -1), MakeDate(2024, 2, 29));
}

TEST(Colour, TextsInBlueGreenRedOrder) {
  EXPECT_EQ(ColourText(0x0000FF), "$0000FF");
  EXPECT_EQ(ColourText(0xE1FFFF), "$E1FFFF");
  EXPECT_EQ(ParseColourText("$ff8080", 0), 0xFF8080);
  EXPECT_EQ(ParseColourText("$", 7), 7);
  EXPECT_EQ(ParseColourText("FF8080", 7), 7);
  EXPECT_EQ(ParseColourText("$12G456", 7), 7);
}

}  // namespace
}  // namespace kal::store
