#include "calendar/Repeat.h"

#include <gtest/gtest.h>

#include <set>

#include "store/HolidayFile.h"

namespace kal::calendar {
namespace {

using store::Date;
using store::MakeDate;

std::vector<Date> Dates(std::initializer_list<std::array<int, 3>> list) {
  std::vector<Date> out;
  for (auto& d : list) out.push_back(MakeDate(d[0], d[1], d[2]));
  return out;
}

HolidayOracle Holidays(std::set<Date> public_days, std::set<Date> private_days = {}) {
  HolidayOracle oracle;
  oracle.is_public_holiday = [public_days](const Date& d) { return public_days.count(d) > 0; };
  oracle.is_private_holiday = [private_days](const Date& d) { return private_days.count(d) > 0; };
  return oracle;
}

RepeatRule Monthly(Date from, Date to, int day, bool every_other = false) {
  RepeatRule rule;
  rule.from = from;
  rule.to = to;
  rule.pattern = RepeatPattern::Month;
  rule.cycle = RepeatCycle::ByDate;
  rule.day = day;
  rule.every_other = every_other;
  return rule;
}

TEST(Repeat, Day31EveryMonthSkipsShortMonths) {
  const Date from = MakeDate(2023, 1, 31);
  auto result = RepeatDates(Monthly(from, RepeatDefaultEnd(RepeatPattern::Month, from), 31), {});
  EXPECT_EQ(result.dates, Dates({{2023, 1, 31}, {2023, 3, 31}, {2023, 5, 31}, {2023, 7, 31}, {2023, 8, 31},
                                 {2023, 10, 31}, {2023, 12, 31}, {2024, 1, 31}}));
  EXPECT_EQ(RepeatCountText(result), "まで 8件");
}

TEST(Repeat, Day31EveryOtherMonthNeverStoresADateTwice) {
  // September and November fall on active passes but lack a 31st.
  const Date from = MakeDate(2023, 1, 31);
  auto result = RepeatDates(Monthly(from, MakeDate(2024, 1, 31), 31, true), {});
  EXPECT_EQ(result.dates, Dates({{2023, 1, 31}, {2023, 3, 31}, {2023, 5, 31}, {2023, 7, 31}, {2024, 1, 31}}));
  auto shorter = RepeatDates(Monthly(from, MakeDate(2024, 1, 30), 31, true), {});
  EXPECT_EQ(shorter.dates, Dates({{2023, 1, 31}, {2023, 3, 31}, {2023, 5, 31}, {2023, 7, 31}}));
}

TEST(Repeat, MissingDayInTheStartMonthProducesNothing) {
  auto result = RepeatDates(Monthly(MakeDate(2024, 2, 10), MakeDate(2025, 2, 10), 30), {});
  EXPECT_TRUE(result.dates.empty());
  EXPECT_FALSE(result.counted);
  EXPECT_EQ(RepeatCountText(result), "まで 件");
  EXPECT_EQ(RepeatCheck(Monthly(MakeDate(2024, 2, 10), MakeDate(2025, 2, 10), 30), result),
            "登録するスケジュールがありません。");
}

TEST(Repeat, FirstDateBeforeThePeriodStartIsProduced) {
  auto result = RepeatDates(Monthly(MakeDate(2024, 1, 20), MakeDate(2024, 3, 31), 5), {});
  EXPECT_EQ(result.dates, Dates({{2024, 1, 5}, {2024, 2, 5}, {2024, 3, 5}}));
}

TEST(Repeat, LastDayOfMonth) {
  RepeatRule rule = Monthly(MakeDate(2024, 1, 15), MakeDate(2024, 4, 30), 1);
  rule.last = true;
  EXPECT_EQ(RepeatDates(rule, {}).dates, Dates({{2024, 1, 31}, {2024, 2, 29}, {2024, 3, 31}, {2024, 4, 30}}));
}

TEST(Repeat, LastFridayOfEveryMonth) {
  RepeatRule rule = Monthly(MakeDate(2024, 1, 1), MakeDate(2024, 12, 31), 1);
  rule.cycle = RepeatCycle::ByWeekday;
  rule.weekday = 5;
  rule.last = true;
  EXPECT_EQ(RepeatDates(rule, {}).dates,
            Dates({{2024, 1, 26}, {2024, 2, 23}, {2024, 3, 29}, {2024, 4, 26}, {2024, 5, 31}, {2024, 6, 28},
                   {2024, 7, 26}, {2024, 8, 30}, {2024, 9, 27}, {2024, 10, 25}, {2024, 11, 29}, {2024, 12, 27}}));
}

TEST(Repeat, DailyWeeklyAndYearly) {
  struct Case {
    const char* what;
    RepeatRule rule;
    std::vector<Date> dates;
  };
  RepeatRule daily;
  daily.from = MakeDate(2024, 1, 1);
  daily.to = RepeatDefaultEnd(RepeatPattern::Day, daily.from, 5);
  daily.pattern = RepeatPattern::Day;
  RepeatRule daily_other = daily;
  daily_other.every_other = true;
  RepeatRule weekly;
  weekly.from = MakeDate(2024, 1, 7);  // a Sunday
  weekly.to = MakeDate(2024, 1, 31);
  weekly.pattern = RepeatPattern::Week;
  weekly.weekday = 3;  // 水曜日
  RepeatRule weekly_other = weekly;
  weekly_other.every_other = true;
  RepeatRule leap_day;
  leap_day.from = MakeDate(2024, 1, 10);
  leap_day.to = MakeDate(2032, 12, 31);
  leap_day.pattern = RepeatPattern::Year;
  leap_day.month = 2;
  leap_day.day = 29;
  RepeatRule coming_of_age = leap_day;  // second Monday of January
  coming_of_age.to = MakeDate(2027, 1, 31);
  coming_of_age.month = 1;
  coming_of_age.cycle = RepeatCycle::ByWeekday;
  coming_of_age.weekday = 1;
  coming_of_age.day = 2;
  for (const Case& c : {
           Case{"daily", daily, Dates({{2024, 1, 1}, {2024, 1, 2}, {2024, 1, 3}, {2024, 1, 4}, {2024, 1, 5}})},
           Case{"every other day", daily_other, Dates({{2024, 1, 1}, {2024, 1, 3}, {2024, 1, 5}})},
           Case{"weekly", weekly, Dates({{2024, 1, 10}, {2024, 1, 17}, {2024, 1, 24}, {2024, 1, 31}})},
           Case{"every other week", weekly_other, Dates({{2024, 1, 10}, {2024, 1, 24}})},
           Case{"29 February", leap_day, Dates({{2024, 2, 29}, {2028, 2, 29}, {2032, 2, 29}})},
           Case{"second Monday", coming_of_age, Dates({{2024, 1, 8}, {2025, 1, 13}, {2026, 1, 12}, {2027, 1, 11}})},
       }) {
    EXPECT_EQ(RepeatDates(c.rule, {}).dates, c.dates) << c.what;
  }
}

// Every Sunday from 28 April to 12 May 2024, moved off public holidays and Sundays.
RepeatRule GoldenWeekSundays() {
  RepeatRule rule;
  rule.from = MakeDate(2024, 4, 28);
  rule.to = MakeDate(2024, 5, 12);
  rule.pattern = RepeatPattern::Week;
  rule.weekday = 0;
  rule.shift = RepeatShift::After;
  rule.on_public_holiday = true;
  rule.on_sunday = true;
  return rule;
}

TEST(Repeat, ShiftToTheNextDayPassesTheSubstituteHoliday) {
  RepeatRule rule = GoldenWeekSundays();
  auto golden_week = Holidays({MakeDate(2024, 4, 29), MakeDate(2024, 5, 3), MakeDate(2024, 5, 4),
                               MakeDate(2024, 5, 5), MakeDate(2024, 5, 6)});
  auto result = RepeatDates(rule, golden_week);
  EXPECT_EQ(result.dates, Dates({{2024, 4, 30}, {2024, 5, 7}, {2024, 5, 13}}));
  rule.shift = RepeatShift::Before;
  EXPECT_EQ(RepeatDates(rule, golden_week).dates, Dates({{2024, 4, 27}, {2024, 5, 2}, {2024, 5, 11}}));
}

TEST(Repeat, TheRealHolidayListShiftsTheSameWay) {
  // The built-in Holiday.dat: 5 May 2024 is a Sunday holiday and 6 May its substitute.
  const HolidayList list = HolidayList::FromFileLines(store::BuiltInHolidayLines(), HolidaySettings{});
  EXPECT_EQ(RepeatDates(GoldenWeekSundays(), HolidayOracleOf(list)).dates, Dates({{2024, 4, 30}, {2024, 5, 7}, {2024, 5, 13}}));
}

TEST(Repeat, SkipDropsSaturdaysAndLowersTheCount) {
  RepeatRule rule;
  rule.from = MakeDate(2024, 6, 1);  // a Saturday
  rule.to = MakeDate(2024, 6, 10);
  rule.pattern = RepeatPattern::Day;
  EXPECT_EQ(RepeatCountText(RepeatDates(rule, {})), "まで 10件");
  rule.shift = RepeatShift::Skip;
  rule.on_saturday = true;
  auto result = RepeatDates(rule, {});
  EXPECT_EQ(RepeatCountText(result), "まで 8件");
  for (const Date& d : result.dates) EXPECT_NE(store::WeekdayNumber(d), 7);
}

TEST(Repeat, PrivateHolidaysMoveOnlyWhenTicked) {
  RepeatRule rule = Monthly(MakeDate(2024, 8, 1), MakeDate(2024, 9, 30), 13);
  rule.shift = RepeatShift::After;
  rule.on_public_holiday = true;
  auto obon = Holidays({}, {MakeDate(2024, 8, 13), MakeDate(2024, 8, 14), MakeDate(2024, 8, 15)});
  EXPECT_EQ(RepeatDates(rule, obon).dates, Dates({{2024, 8, 13}, {2024, 9, 13}}));
  rule.on_private_holiday = true;
  EXPECT_EQ(RepeatDates(rule, obon).dates, Dates({{2024, 8, 16}, {2024, 9, 13}}));
}

TEST(Repeat, ShiftThatNeverFindsAFreeDayDropsTheOccurrence) {
  RepeatRule rule = Monthly(MakeDate(2024, 1, 10), MakeDate(2024, 3, 31), 10);
  rule.shift = RepeatShift::After;
  rule.on_private_holiday = true;
  HolidayOracle always;
  always.is_private_holiday = [](const Date&) { return true; };
  auto result = RepeatDates(rule, always);
  EXPECT_TRUE(result.dates.empty());
  EXPECT_TRUE(result.counted);
  EXPECT_EQ(RepeatCountText(result), "まで 0件");
  // A private holiday of exactly 366 days is walked through; one day more is not.
  HolidayOracle long_break;
  long_break.is_private_holiday = [](const Date& d) {
    return d >= MakeDate(2024, 1, 10) && d < store::AddDays(MakeDate(2024, 1, 10), kRepeatShiftLimitDays);
  };
  rule.to = MakeDate(2024, 1, 31);
  EXPECT_EQ(RepeatDates(rule, long_break).dates, Dates({{2025, 1, 10}}));
}

TEST(Repeat, ChecksInTheDialogsOrder) {
  RepeatRule rule = Monthly(MakeDate(2024, 1, 10), MakeDate(2024, 1, 10), 10);
  EXPECT_EQ(RepeatCheck(rule, RepeatDates(rule, {})), "期間の入力に誤りがあります。");
  rule.to = MakeDate(2024, 3, 10);
  rule.shift = RepeatShift::Skip;
  EXPECT_EQ(RepeatCheck(rule, RepeatDates(rule, {})), "振替条件を選択して下さい。");
  rule.on_sunday = true;
  EXPECT_EQ(RepeatCheck(rule, RepeatDates(rule, {})), std::nullopt);
}

TEST(Repeat, DefaultPeriodAndWeekdayChoice) {
  EXPECT_EQ(RepeatDefaultEnd(RepeatPattern::Day, MakeDate(2024, 1, 25)), MakeDate(2024, 2, 3));
  EXPECT_EQ(RepeatDefaultEnd(RepeatPattern::Week, MakeDate(2024, 1, 31)), MakeDate(2025, 1, 31));
  EXPECT_EQ(RepeatDefaultEnd(RepeatPattern::Month, MakeDate(2024, 2, 29)), MakeDate(2025, 2, 28));
  EXPECT_EQ(RepeatDefaultEnd(RepeatPattern::Year, MakeDate(2024, 2, 29)), MakeDate(2034, 2, 28));
  auto last_friday = WeekdayChoiceOf(MakeDate(2024, 5, 31));
  EXPECT_TRUE(last_friday.last);
  EXPECT_EQ(last_friday.weekday, 5);
  auto fourth_friday = WeekdayChoiceOf(MakeDate(2024, 5, 24));
  EXPECT_FALSE(fourth_friday.last);
  EXPECT_EQ(fourth_friday.occurrence, 4);
  EXPECT_EQ(WeekdayChoiceOf(MakeDate(2024, 5, 1)).occurrence, 1);
  EXPECT_EQ(NthWeekdayOfMonth(2024, 2, 4, 1, true), MakeDate(2024, 2, 29));  // a fifth Thursday
  EXPECT_EQ(NthWeekdayOfMonth(2024, 2, 5, 1, true), MakeDate(2024, 2, 23));
}

}  // namespace
}  // namespace kal::calendar
