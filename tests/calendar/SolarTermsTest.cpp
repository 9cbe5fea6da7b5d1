#include "calendar/SolarTerms.h"

#include <gtest/gtest.h>

namespace kal::calendar {
namespace {

using store::MakeDate;

TEST(SolarTerms, DayFormula) {
  struct Case {
    int year, month, term, day;
  };
  for (const Case& c : {
           Case{2024, 3, 1, 20},   // 春分
           Case{2024, 9, 1, 22},   // 秋分
           Case{2024, 1, 0, 6},    // 小寒: January counts one year less
           Case{2024, 2, 0, 4},    // 立春
           Case{2024, 12, 1, 21},  // 冬至
           Case{2025, 2, 0, 3},    // 立春
           Case{2021, 2, 0, 3},    // 立春
           Case{2020, 3, 1, 20},   // 春分
           Case{1901, 1, 0, 6},
       }) {
    EXPECT_EQ(SolarTermDay(c.year, c.month, c.term), c.day) << c.year << "/" << c.month << " term " << c.term;
  }
}

TEST(SolarTerms, NamesWithReadingsInDateOrder) {
  EXPECT_EQ(SolarTermName(3, 1), "春分しゅんぶん");
  EXPECT_EQ(SolarTermName(6, 1), "夏至げし");
  auto terms = SolarTermsOfYear(2024);
  ASSERT_EQ(terms.size(), 24u);
  EXPECT_EQ(terms.front().date, MakeDate(2024, 1, 6));
  EXPECT_EQ(terms.front().name, "小寒しょうかん");
  EXPECT_EQ(terms[5].date, MakeDate(2024, 3, 20));
  EXPECT_EQ(terms[5].name, "春分しゅんぶん");
  EXPECT_EQ(terms.back().date, MakeDate(2024, 12, 21));
  EXPECT_EQ(terms.back().name, "冬至とうじ");
  for (std::size_t i = 1; i < terms.size(); ++i) EXPECT_LT(terms[i - 1].date, terms[i].date);
}

}  // namespace
}  // namespace kal::calendar
