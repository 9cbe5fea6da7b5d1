#include "calendar/DateLabels.h"

#include <gtest/gtest.h>

namespace kal::calendar {
namespace {

using store::MakeDate;

TEST(DateLabels, MonthNamesSignsAndAnimals) {
  EXPECT_EQ(EnglishMonthName(1), "January");
  EXPECT_EQ(EnglishMonthName(12), "December");
  EXPECT_EQ(TraditionalMonthName(6), "水無月");
  EXPECT_EQ(TraditionalMonthName(12), "師走");
  struct Case {
    int m, d;
    const char* sign;
  };
  for (const Case& c : {Case{12, 22, "やぎ座"}, Case{12, 31, "やぎ座"}, Case{1, 1, "やぎ座"}, Case{1, 19, "やぎ座"},
                        Case{1, 20, "みずがめ座"}, Case{3, 20, "うお座"}, Case{3, 21, "おひつじ座"},
                        Case{12, 21, "いて座"}, Case{2, 29, "うお座"}, Case{10, 23, "てんびん座"}}) {
    EXPECT_EQ(ZodiacSign(MakeDate(2024, c.m, c.d)), c.sign) << c.m << "/" << c.d;
  }
  EXPECT_EQ(YearAnimal(2024), "辰");
  EXPECT_EQ(YearAnimal(2020), "子");
  EXPECT_EQ(YearAnimal(2031), "亥");
}

TEST(DateLabels, MonthHeading) {
  EXPECT_EQ(MonthHeading("yyyy年 m月", 2024, 3), "2024年 3月");
  // The names are quoted, so their letters are not taken as pattern letters.
  EXPECT_EQ(MonthHeading("eee yyyy", 2024, 3), "March 2024");
  EXPECT_EQ(MonthHeading("yyyy年m月(rrr) eee", 2024, 12), "2024年12月(師走) December");
  EXPECT_EQ(MonthHeading("eee eee", 2024, 5), "May 06");  // only the first "eee"; the second is the era year
  EXPECT_EQ(MonthHeading("eee rrr", 2024, 3, true), "2024年 3月");
}

TEST(DateLabels, YearPatterns) {
  const auto date = MakeDate(2024, 5, 1);
  EXPECT_EQ(YearHeading(0, date), "2024年(令和6年)");
  EXPECT_EQ(YearHeading(1, date), "2024年");
  EXPECT_EQ(YearHeading(2, date), "令和6年");
  EXPECT_EQ(YearHeading(3, date), "2024/05/01");
  EXPECT_EQ(YearHeading(7, date), "2024年(令和6年)");
  EXPECT_EQ(YearHeading(2, MakeDate(1989, 1, 7)), "昭和64年");
}

TEST(DateLabels, StatusBarText) {
  const auto today = MakeDate(2024, 6, 15);
  struct Case {
    const char* pattern;
    int y, m, d;
    const char* text;
  };
  for (const Case& c : {
           Case{"p", 2024, 12, 31, " 366"},
           Case{"r", 2024, 12, 31, " 0"},
           Case{"p r", 2023, 12, 31, " 365 0"},
           Case{"t", 2024, 1, 1, " 辰"},
           Case{"q", 2024, 6, 25, " 10"},
           Case{"q", 2024, 6, 5, " -10"},
           Case{"q", 2024, 6, 15, " 0"},
           Case{"s", 2024, 1, 19, " やぎ座"},
           Case{"未設定", 2024, 1, 1, " 未設定"},
           // Only the first of each letter is replaced; the rest is formatted with the date.
           Case{"yyyy/mm/dd(aaa) p日目 残りr日 s t年 あとq日", 2024, 3, 1,
                " 2024/03/01(金) 61日目 残り305日 うお座 辰年 あと-106日"},
           Case{"pp", 2024, 1, 2, " 2p"},
           Case{"ggge年m月d日", 2019, 5, 1, " 令和1年5月1日"},
       }) {
    EXPECT_EQ(StatusBarText(c.pattern, MakeDate(c.y, c.m, c.d), today), c.text) << c.pattern;
  }
}

}  // namespace
}  // namespace kal::calendar
