#include "store/DatePattern.h"

#include <gtest/gtest.h>

namespace kal::store {
namespace {

TEST(DatePattern, FormatsEveryLetter) {
  platform::LocalDateTime when;
  when.date = MakeDate(2019, 5, 1);
  when.hour = 7;
  when.minute = 5;
  when.second = 9;
  struct Case {
    const char* pattern;
    const char* text;
  } cases[] = {
      {"yyyy/mm/dd", "2019/05/01"},
      {"yy/m/d", "19/5/1"},
      {"aaa", "水"},
      {"aaaa", "水曜日"},
      {"ddd dddd", "水 水曜日"},
      {"hh:nn:ss", "07:05:09"},
      {"h:n:s", "7:5:9"},
      {"ggge年", "令和1年"},
      {"gee", "令01"},
      {"yyyy年(ggge年)", "2019年(令和1年)"},
      {"\"yyyy\"yyyy'mm'", "yyyy2019mm"},
      {"m月d日 aaaa", "5月1日 水曜日"},
      {"未設定", "未設定"},
      {"YYYY", "2019"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDatePattern(c.pattern, when), c.text) << c.pattern;
}

TEST(DatePattern, EraBoundaries) {
  struct Case {
    Date date;
    const char* text;
  } cases[] = {
      {MakeDate(1912, 7, 29), "明治45"}, {MakeDate(1912, 7, 30), "大正1"},
      {MakeDate(1926, 12, 24), "大正15"}, {MakeDate(1926, 12, 25), "昭和1"},
      {MakeDate(1989, 1, 7), "昭和64"},   {MakeDate(1989, 1, 8), "平成1"},
      {MakeDate(2019, 4, 30), "平成31"},  {MakeDate(2019, 5, 1), "令和1"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDatePattern("gge", c.date), c.text);
}

TEST(DatePattern, KnowsWhetherAPatternHasLetters) {
  EXPECT_FALSE(HasPatternLetters("未設定"));
  EXPECT_FALSE(HasPatternLetters("\"yyyy\""));
  EXPECT_FALSE(HasPatternLetters("aa"));
  EXPECT_TRUE(HasPatternLetters("yyyy年"));
  EXPECT_TRUE(HasPatternLetters("(aaa)"));
}

}  // namespace
}  // namespace kal::store
