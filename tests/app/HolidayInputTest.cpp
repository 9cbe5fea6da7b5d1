#include "app/HolidayInput.h"

#include <gtest/gtest.h>

#include "store/HolidayFile.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

using store::MakeDate;
using test::Sjis;

HolidayInput Valid() {
  HolidayInput in;
  in.title = "記念日";
  in.bunrui = 2;
  in.pattern = kEveryYear;
  in.cycle = kByDate;
  in.month = 5;
  in.day = 0;
  return in;
}

TEST(HolidayInput, ChecksGiveTheirMessageAndFocus) {
  struct Case {
    const char* what;
    HolidayInput input;
    const char* message;
    HolidayInputField focus;
  };
  auto with = [](auto change) {
    HolidayInput in = Valid();
    change(in);
    return in;
  };
  const Case cases[] = {
      {"31 April", with([](HolidayInput& i) { i.month = 3; i.day = 30; }), "ありえない日付が入力されています。",
       HolidayInputField::Day},
      {"30 February", with([](HolidayInput& i) { i.month = 1; i.day = 29; }), "ありえない日付が入力されています。",
       HolidayInputField::Day},
      {"years reversed", with([](HolidayInput& i) { i.from_year = "2020"; i.to_year = "2019"; }),
       "適用年月に誤りがあります。", HolidayInputField::FromYear},
      {"first year not four digits", with([](HolidayInput& i) { i.from_year = "99"; }), "適用年月に誤りがあります。",
       HolidayInputField::FromYear},
      {"last year not digits", with([](HolidayInput& i) { i.to_year = "２０２０"; }), "適用年月に誤りがあります。",
       HolidayInputField::ToYear},
      {"year with a blank", with([](HolidayInput& i) { i.to_year = "202 "; }), "適用年月に誤りがあります。",
       HolidayInputField::ToYear},
      {"no class", with([](HolidayInput& i) { i.bunrui = -1; }), "分類を選択して下さい。", HolidayInputField::Bunrui},
      {"blank name", with([](HolidayInput& i) { i.title = "  "; }), "件名が未入力です。", HolidayInputField::Title},
      // later failures overwrite earlier ones
      {"no class and no name", with([](HolidayInput& i) { i.bunrui = -1; i.title = ""; }), "件名が未入力です。",
       HolidayInputField::Title},
      {"years and no class", with([](HolidayInput& i) { i.from_year = "2021"; i.to_year = "2020"; i.bunrui = -1; }),
       "分類を選択して下さい。", HolidayInputField::Bunrui},
      // an impossible date skips the year and class checks
      {"31 April, no class", with([](HolidayInput& i) { i.month = 3; i.day = 30; i.bunrui = -1; }),
       "ありえない日付が入力されています。", HolidayInputField::Day},
  };
  for (const auto& c : cases) {
    auto failure = CheckHolidayInput(c.input);
    ASSERT_TRUE(failure.has_value()) << c.what;
    EXPECT_EQ(failure->message, c.message) << c.what;
    EXPECT_EQ(failure->focus, c.focus) << c.what;
  }
}

TEST(HolidayInput, AcceptedInput) {
  auto feb29 = Valid();
  feb29.month = 1;
  feb29.day = 28;
  EXPECT_EQ(CheckHolidayInput(feb29), std::nullopt);
  auto monthly31 = Valid();  // every month on the 31st; the hidden month list says April
  monthly31.pattern = kEveryMonth;
  monthly31.month = 3;
  monthly31.day = 30;
  EXPECT_EQ(CheckHolidayInput(monthly31), std::nullopt);
  auto years = Valid();
  years.from_year = "2000";
  years.to_year = "2000";
  EXPECT_EQ(CheckHolidayInput(years), std::nullopt);
}

TEST(HolidayInput, UnencodableNameIsRefused) {
  auto in = Valid();
  in.title = "😀";
  auto failure = CheckHolidayInput(in);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->focus, HolidayInputField::Title);
}

TEST(HolidayInput, BuildsTheLineOfEachRuleKind) {
  struct Case {
    const char* what;
    int pattern, cycle, month, day, week;
    const char* from;
    const char* to;
    int bunrui;
    const char* line;
  };
  const Case cases[] = {
      {"every year by date", kEveryYear, kByDate, 10, 2, 0, "1949", "", 0, "11 31949    000名前"},
      {"every month last day", kEveryMonth, kByDate, 3, kLastDayChoice, 0, "", "", 2, "9932        002名前"},
      {"every month last Friday", kEveryMonth, kByWeekday, 0, kLastWeekChoice, 5, "", "", 2, "99          952名前"},
      {"every year 2nd Monday", kEveryYear, kByWeekday, 0, 1, 1, "2000", "", 0, " 1  2000    210名前"},
      {"every week Saturday", kEveryWeek, kByDate, 4, 9, 6, "", "", 1, "            061名前"},
  };
  for (const auto& c : cases) {
    HolidayInput in;
    in.title = "名前";
    in.bunrui = c.bunrui;
    in.pattern = c.pattern;
    in.cycle = c.cycle;
    in.month = c.month;
    in.day = c.day;
    in.week = c.week;
    in.from_year = c.from;
    in.to_year = c.to;
    EXPECT_EQ(BuildHolidayLine(in, false), Sjis(c.line)) << c.what;
    // Read back, the line shows the same controls.
    auto back = HolidayInputFromLine(Sjis(c.line), MakeDate(2024, c.month + 1, 1));
    EXPECT_EQ(BuildHolidayLine(back, false), Sjis(c.line)) << c.what;
  }
  // The monthly last day line matches 30 April and 29 February of a leap year.
  auto h = store::ParseHolidayLine(Sjis("9932        002名前"));
  ASSERT_TRUE(h);
  EXPECT_TRUE(store::HolidayLineMatches(*h, MakeDate(2024, 4, 30)));
  EXPECT_TRUE(store::HolidayLineMatches(*h, MakeDate(2024, 2, 29)));
}

TEST(HolidayInput, NewLinesAreTrimmedChangedLinesKeepTheNameAsTyped) {
  auto in = Valid();
  in.title = "名前  ";
  EXPECT_EQ(BuildHolidayLine(in, false), Sjis(" 6 1        002名前"));
  EXPECT_EQ(BuildHolidayLine(in, true), Sjis(" 6 1        002名前  "));
}

TEST(HolidayInput, OpensFromTheSelectedDate) {
  // Friday 27 September 2024: the fourth Friday.
  auto in = HolidayInputForDate(MakeDate(2024, 9, 27));
  EXPECT_EQ(in.pattern, kEveryYear);
  EXPECT_EQ(in.cycle, kByDate);
  EXPECT_EQ(in.month, 8);
  EXPECT_EQ(in.day, 26);
  EXPECT_EQ(in.week, 5);
  EXPECT_EQ(in.bunrui, -1);
  EXPECT_EQ(HolidayDayChoiceFor(MakeDate(2024, 9, 27), kByWeekday), 3);
  EXPECT_EQ(HolidayDialogCaption(0), "祝日・休日・記念日の追加");
  EXPECT_EQ(HolidayDialogCaption(1), "祝日・休日・記念日の訂正");
}

TEST(HolidayInput, OpensFromALine) {
  auto in = HolidayInputFromLine(Sjis(" 5 5        0005th"), MakeDate(2024, 1, 10));
  EXPECT_EQ(in.bunrui, 0);
  EXPECT_EQ(in.title, "5th");
  auto fifth = HolidayInputFromLine(Sjis("11  20002010542五回目"), MakeDate(2024, 1, 10));
  EXPECT_EQ(fifth.pattern, kEveryYear);
  EXPECT_EQ(fifth.cycle, kByWeekday);
  EXPECT_EQ(fifth.month, 10);
  EXPECT_EQ(fifth.day, 4);  // 第 5
  EXPECT_EQ(fifth.week, 4);
  EXPECT_EQ(fifth.from_year, "2000");
  EXPECT_EQ(fifth.to_year, "2010");
  EXPECT_EQ(fifth.bunrui, 2);
  EXPECT_EQ(fifth.title, "五回目");
}

TEST(HolidayInput, ListChoices) {
  EXPECT_EQ(HolidayDayChoices(kEveryMonth, kByDate).size(), 32u);
  EXPECT_EQ(HolidayDayChoices(kEveryMonth, kByDate).back(), "末日");
  EXPECT_EQ(HolidayDayChoices(kEveryYear, kByDate).back(), "31日");
  EXPECT_EQ(HolidayDayChoices(kEveryYear, kByWeekday),
            (std::vector<std::string>{"第 1", "第 2", "第 3", "第 4", "第 5", "最終"}));
  EXPECT_EQ(HolidayMonthChoices().front(), "1月");
  EXPECT_FALSE(HolidayMonthShown(kEveryMonth));
  EXPECT_TRUE(HolidayWeekShown(kEveryWeek, kByDate));
  EXPECT_FALSE(HolidayWeekShown(kEveryYear, kByDate));
}

}  // namespace
}  // namespace kal::app
