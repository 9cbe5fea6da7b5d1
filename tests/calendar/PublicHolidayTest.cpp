#include "calendar/PublicHoliday.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "calendar/Equinox.h"
#include "support/TempFolder.h"

namespace kal::calendar {
namespace {

using store::MakeDate;

HolidayList BuiltIn(HolidaySettings settings = {}) {
  return HolidayList::FromFileLines(store::BuiltInHolidayLines(), settings);
}

std::set<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::set<std::string> words;
  for (std::string w; in >> w;) words.insert(w);
  return words;
}

std::string Compact(const Date& d) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", store::YearOf(d), store::MonthOf(d), store::DayOf(d));
  return buf;
}

char KindLetter(PublicHolidayKind k) {
  switch (k) {
    case PublicHolidayKind::Listed: return 'L';
    case PublicHolidayKind::Equinox: return 'E';
    case PublicHolidayKind::Substitute: return 'S';
    case PublicHolidayKind::Citizens: return 'C';
    default: return '-';
  }
}

// Equinox days 1949 to 2050 worked out independently from the astronomical equinox instant in
// Japan Standard Time: March day - 20 and September day - 22, one digit per year.
constexpr const char* kSpringFrom1949 =
    "111111111110111011101110111011101110111011100110011001100110011001100110011000100010001000100010001000";
constexpr const char* kAutumnFrom1949 =
    "112111211121112111211121112111211111111111111111111111111111111011101110111011101110111011101110011001";

TEST(Equinox, GivesTheTrueEquinoxDayEveryYearFrom1949To2050) {
  for (int y = 1949; y <= 2050; ++y) {
    SCOPED_TRACE(y);
    EXPECT_EQ(EquinoxDay(y, 3), 20 + (kSpringFrom1949[y - 1949] - '0'));
    EXPECT_EQ(EquinoxDay(y, 9), 22 + (kAutumnFrom1949[y - 1949] - '0'));
  }
  EXPECT_EQ(EquinoxDay(2024, 4), 0);
}

TEST(Equinox, EarlyYearsAreNotShiftedADay) {
  // Years where a formula based on 1980 goes wrong: 21 March and 23 or 24 September are right.
  struct Case { int year, spring, autumn; };
  for (auto c : {Case{1949, 21, 23}, Case{1951, 21, 24}, Case{1965, 21, 23}, Case{1979, 21, 24},
                 Case{2024, 20, 22}, Case{2012, 20, 22}, Case{2026, 20, 23}}) {
    SCOPED_TRACE(c.year);
    auto list = BuiltIn();
    EXPECT_EQ(list.KindOf(MakeDate(c.year, 3, c.spring)), PublicHolidayKind::Equinox);
    EXPECT_EQ(list.KindOf(MakeDate(c.year, 9, c.autumn)), PublicHolidayKind::Equinox);
    EXPECT_FALSE(HolidayCheck(0, list, MakeDate(c.year, 3, c.spring == 21 ? 20 : 21)));
  }
}

// Every substitute and citizens' holiday from 1973 to 2050 (from the published holiday
// calendar; the built-in set gives exactly these).
constexpr const char* kSubstitutes =
    "19730430 19730924 19740506 19740916 19741104 19751124 19761011 19780102 19780116 19790212 "
    "19790430 19801124 19810504 19820322 19821011 19840102 19840116 19840430 19840924 19850506 "
    "19850916 19851104 19861124 19870504 19880321 19890102 19890116 19900212 19900430 19900924 "
    "19901224 19910506 19910916 19911104 19920504 19931011 19950102 19950116 19960212 19960506 "
    "19960916 19961104 19970721 19971124 19980504 19990322 19991011 20010212 20010430 20010924 "
    "20011224 20020506 20020916 20021104 20031124 20050321 20060102 20070212 20070430 20070924 "
    "20071224 20080506 20081124 20090506 20100322 20120102 20120430 20121224 20130506 20131104 "
    "20140506 20141124 20150506 20160321 20170102 20180212 20180430 20180924 20181224 20190506 "
    "20190812 20191104 20200224 20200506 20210809 20230102 20240212 20240506 20240812 20240923 "
    "20241104 20250224 20250506 20251124 20260506 20270322 20290212 20290430 20290924 20300506 "
    "20300812 20301104 20310224 20310506 20311124 20330321 20340102 20350212 20350430 20350924 "
    "20360506 20361124 20370506 20400102 20400430 20410506 20410812 20411104 20420224 20420506 "
    "20421124 20430506 20440321 20450102 20460212 20460430 20460924 20470506 20470812 20471104 "
    "20480224 20480506 20500321";
constexpr const char* kCitizens =
    "19880504 19890504 19900504 19910504 19930504 19940504 19950504 19960504 19990504 20000504 "
    "20010504 20020504 20040504 20050504 20060504 20090922 20150922 20190430 20190502 20260922 "
    "20320921 20370922 20430922 20490921";

// Public holidays per year 1949 to 2050, all kinds together (the one-off ceremonial holidays of
// 1959, 1989, 1990 and 1993 are not part of the built-in set).
constexpr int kCountsFrom1949[] = {
    9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  9,  11, 12, 12, 12, 12, 12, 12, 14, 15,
    13, 13, 12, 14, 14, 13, 13, 14, 12, 16, 15, 13, 13, 14, 16, 18, 17, 14, 15, 14, 16, 19, 16, 15, 17, 15,
    19, 18, 15, 15, 16, 16, 19, 17, 17, 16, 15, 18, 17, 17, 17, 17, 17, 20, 22, 18, 17, 16, 17, 21, 19, 18,
    17, 16, 19, 19, 19, 17, 17, 17, 19, 18, 18, 16, 16, 18, 19, 19, 18, 17, 17, 19, 19, 18, 17, 17};

TEST(PublicHolidays, EveryDayFrom1949To2050AgreesWithThePublishedCalendar) {
  const auto list = BuiltIn();
  const auto substitutes = Words(kSubstitutes);
  const auto citizens = Words(kCitizens);
  std::map<int, int> counts;
  for (Date d = MakeDate(1949, 1, 1); d <= MakeDate(2050, 12, 31); d = store::AddDays(d, 1)) {
    const auto kind = list.KindOf(d);
    const std::string c = Compact(d);
    ASSERT_EQ(kind == PublicHolidayKind::Substitute, substitutes.count(c) == 1) << c;
    ASSERT_EQ(kind == PublicHolidayKind::Citizens, citizens.count(c) == 1) << c;
    ASSERT_EQ(FurikaeCheck(list, d), kind == PublicHolidayKind::Substitute) << c;
    ASSERT_EQ(KokuminCheck(list, d), kind == PublicHolidayKind::Citizens) << c;
    ASSERT_EQ(ShukujitsuCheck(list, d), kind != PublicHolidayKind::None) << c;
    ASSERT_EQ(HolidayCheck(0, list, d), kind == PublicHolidayKind::Listed || kind == PublicHolidayKind::Equinox) << c;
    if (kind != PublicHolidayKind::None) ++counts[store::YearOf(d)];
  }
  for (int y = 1949; y <= 2050; ++y) EXPECT_EQ(counts[y], kCountsFrom1949[y - 1949]) << y;
}

TEST(PublicHolidays, RuleInvariantsHoldOverTheWholeRange) {
  const auto list = BuiltIn();
  for (Date d = MakeDate(1949, 1, 1); d <= MakeDate(2050, 12, 31); d = store::AddDays(d, 1)) {
    const auto kind = list.KindOf(d);
    if (kind == PublicHolidayKind::Substitute) {
      // A chain of public holidays right before it starts on a Sunday; only one day back before 2007.
      int k = 1;
      while (store::WeekdayNumber(store::AddDays(d, -k)) != 1) {
        ASSERT_TRUE(list.IsNationalHoliday(store::AddDays(d, -k))) << store::DateText(d);
        ++k;
      }
      ASSERT_TRUE(list.IsNationalHoliday(store::AddDays(d, -k))) << store::DateText(d);
      if (store::YearOf(d) < 2007) {
        ASSERT_EQ(k, 1) << store::DateText(d);
      }
    }
    if (kind == PublicHolidayKind::Citizens) {
      ASSERT_TRUE(list.IsNationalHoliday(store::AddDays(d, -1)) && list.IsNationalHoliday(store::AddDays(d, 1)))
          << store::DateText(d);
      ASSERT_GE(store::YearOf(d), 1986);
    }
  }
}

struct YearCase {
  int year;
  const char* days;  // mmdd + L listed, E equinox, S substitute, C citizens'
};

TEST(PublicHolidays, FullYearsOfTheBuiltInSet) {
  const YearCase cases[] = {
      {2019, "0101L 0114L 0211L 0321E 0429L 0430C 0501L 0502C 0503L 0504L 0505L 0506S 0715L 0811L 0812S "
             "0916L 0923E 1014L 1022L 1103L 1104S 1123L"},
      {2020, "0101L 0113L 0211L 0223L 0224S 0320E 0429L 0503L 0504L 0505L 0506S 0723L 0724L 0810L 0921L "
             "0922E 1103L 1123L"},
      {2021, "0101L 0111L 0211L 0223L 0320E 0429L 0503L 0504L 0505L 0722L 0723L 0808L 0809S 0920L 0923E "
             "1103L 1123L"},
      {2024, "0101L 0108L 0211L 0212S 0223L 0320E 0429L 0503L 0504L 0505L 0506S 0715L 0811L 0812S 0916L "
             "0922E 0923S 1014L 1103L 1104S 1123L"},
      {2026, "0101L 0112L 0211L 0223L 0320E 0429L 0503L 0504L 0505L 0506S 0720L 0811L 0921L 0922C 0923E "
             "1012L 1103L 1123L"},
  };
  const auto list = BuiltIn();
  for (const auto& c : cases) {
    std::string got;
    for (Date d = MakeDate(c.year, 1, 1); d <= MakeDate(c.year, 12, 31); d = store::AddDays(d, 1)) {
      auto k = list.KindOf(d);
      if (k == PublicHolidayKind::None) continue;
      char buf[8];
      std::snprintf(buf, sizeof buf, "%02d%02d%c", store::MonthOf(d), store::DayOf(d), KindLetter(k));
      got += (got.empty() ? "" : " ") + std::string(buf);
    }
    EXPECT_EQ(got, c.days) << c.year;
  }
}

TEST(PublicHolidays, SubstituteWalkFrom2007AndSingleDayBefore) {
  const auto list = BuiltIn();
  // 2008: Sunday 4 May, 3 to 5 May public holidays: the walk reaches Tuesday 6 May.
  EXPECT_EQ(list.KindOf(MakeDate(2008, 5, 4)), PublicHolidayKind::Listed);
  EXPECT_EQ(list.KindOf(MakeDate(2008, 5, 6)), PublicHolidayKind::Substitute);
  EXPECT_TRUE(FurikaeCheck(list, MakeDate(2008, 5, 6)));
  // Sunday 3 May 1998: Monday 4 May is the substitute day, not a citizens' holiday.
  EXPECT_TRUE(FurikaeCheck(list, MakeDate(1998, 5, 4)));
  EXPECT_FALSE(KokuminCheck(list, MakeDate(1998, 5, 4)));
}

TEST(PublicHolidays, BeforeTheNewRulesOnlyTheNextDayIsLookedAt) {
  // A public holiday on Sunday 7 May 2006 followed by one on Monday 8 May: no substitute day.
  std::vector<std::string> lines = store::BuiltInHolidayLines();
  lines.push_back(" 5 720062006000Sunday");
  lines.push_back(" 5 820062006000Monday");
  lines.push_back(" 51120082008000Sunday");
  lines.push_back(" 51220082008000Monday");
  auto list = HolidayList::FromFileLines(lines, {});
  EXPECT_EQ(list.KindOf(MakeDate(2006, 5, 9)), PublicHolidayKind::None);
  EXPECT_FALSE(FurikaeCheck(list, MakeDate(2006, 5, 9)));
  EXPECT_EQ(list.KindOf(MakeDate(2008, 5, 13)), PublicHolidayKind::Substitute);
}

TEST(PublicHolidays, TheNewRulesHoldFromTheFirstDayOf2007) {
  std::vector<std::string> lines = store::BuiltInHolidayLines();
  lines.push_back(" 1 720072007000Sunday");   // with 成人の日 on Monday 8 January 2007
  lines.push_back(" 11320072007000Saturday");
  lines.push_back(" 11520072007000Monday");
  auto list = HolidayList::FromFileLines(lines, {});
  EXPECT_EQ(list.KindOf(MakeDate(2007, 1, 9)), PublicHolidayKind::Substitute);
  EXPECT_EQ(list.KindOf(MakeDate(2007, 1, 14)), PublicHolidayKind::Citizens);  // a Sunday
  // The same days a year earlier: no substitute past the Monday, no Sunday citizens' holiday.
  std::vector<std::string> old_lines = store::BuiltInHolidayLines();
  old_lines.push_back(" 1 820062006000Sunday");
  old_lines.push_back(" 1 920062006000Monday");
  old_lines.push_back(" 11420062006000Saturday");
  old_lines.push_back(" 11620062006000Monday");
  auto old_list = HolidayList::FromFileLines(old_lines, {});
  EXPECT_EQ(old_list.KindOf(MakeDate(2006, 1, 10)), PublicHolidayKind::None);
  EXPECT_EQ(old_list.KindOf(MakeDate(2006, 1, 15)), PublicHolidayKind::None);
}

TEST(PublicHolidays, CitizensHolidayBefore2007IsNeverASunday) {
  const auto list = BuiltIn();
  for (int y : {1986, 1997, 2003}) {
    SCOPED_TRACE(y);
    ASSERT_EQ(store::WeekdayNumber(MakeDate(y, 5, 4)), 1);
    EXPECT_EQ(list.KindOf(MakeDate(y, 5, 4)), PublicHolidayKind::None);
    EXPECT_FALSE(KokuminCheck(list, MakeDate(y, 5, 4)));
  }
  EXPECT_TRUE(KokuminCheck(list, MakeDate(1988, 5, 4)));
  EXPECT_FALSE(KokuminCheck(list, MakeDate(1985, 5, 4)));  // before the rule
}

TEST(PublicHolidays, DerivedDaysDoNotDependOnMonthBoundaries) {
  // A public holiday on Sunday 31 March 2024 (added by hand) gives Monday 1 April as substitute.
  std::vector<std::string> lines = store::BuiltInHolidayLines();
  lines.push_back(" 33120242024000年度末");
  auto list = HolidayList::FromFileLines(lines, {});
  EXPECT_EQ(list.KindOf(MakeDate(2024, 4, 1)), PublicHolidayKind::Substitute);
  auto computed = ComputedHolidays(list, MakeDate(2024, 4, 1), MakeDate(2024, 4, 1));
  ASSERT_EQ(computed.size(), 1u);
  EXPECT_EQ(computed[0].name, "振替休日");
  // 30 April 2019 between 昭和の日 and 新天皇即位, asked for alone.
  auto one = ComputedHolidays(BuiltIn(), MakeDate(2019, 4, 30), MakeDate(2019, 4, 30));
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].name, "国民の休日");
}

TEST(PublicHolidays, ComputedEntriesForARangeInDateOrder) {
  auto computed = ComputedHolidays(BuiltIn(), MakeDate(2019, 3, 1), MakeDate(2019, 9, 30));
  std::vector<std::string> got;
  for (const auto& c : computed) got.push_back(Compact(c.date) + " " + c.name);
  EXPECT_EQ(got, (std::vector<std::string>{"20190321 春分の日", "20190430 国民の休日", "20190502 国民の休日",
                                           "20190506 振替休日", "20190812 振替休日", "20190923 秋分の日"}));
}

TEST(PublicHolidays, SettingsSwitchTheComputedKinds) {
  auto no_equinox = BuiltIn({.auto_equinox = false, .auto_holiday = true});
  EXPECT_FALSE(HolidayCheck(0, no_equinox, MakeDate(2024, 3, 20)));
  EXPECT_FALSE(ShukujitsuCheck(no_equinox, MakeDate(2024, 9, 23)));  // no equinox, so no substitute
  EXPECT_TRUE(ComputedHolidays(no_equinox, MakeDate(2024, 3, 20), MakeDate(2024, 3, 20)).empty());

  auto no_auto = BuiltIn({.auto_equinox = true, .auto_holiday = false});
  EXPECT_TRUE(HolidayCheck(0, no_auto, MakeDate(2024, 3, 20)));
  EXPECT_FALSE(FurikaeCheck(no_auto, MakeDate(2019, 5, 6)));
  EXPECT_FALSE(KokuminCheck(no_auto, MakeDate(2019, 4, 30)));
  EXPECT_FALSE(ShukujitsuCheck(no_auto, MakeDate(2019, 4, 30)));
}

TEST(PublicHolidays, NoEquinoxBefore1949AndOnlyEquinoxesWithoutAFile) {
  HolidayList empty({}, {});
  EXPECT_FALSE(HolidayCheck(0, empty, MakeDate(1948, 3, 21)));
  EXPECT_TRUE(HolidayCheck(0, empty, MakeDate(2024, 3, 20)));
  EXPECT_FALSE(HolidayCheck(0, empty, MakeDate(2024, 1, 1)));
}

TEST(PublicHolidays, PrivateHolidaysAreOnlyClassOne) {
  std::vector<std::string> lines = store::BuiltInHolidayLines();
  lines.push_back("  " "  " "        " "061" "土曜休み");  // every Saturday
  auto list = HolidayList::FromFileLines(lines, {});
  EXPECT_TRUE(HolidayCheck(1, list, MakeDate(2024, 6, 1)));
  EXPECT_FALSE(HolidayCheck(1, list, MakeDate(2024, 6, 2)));
  EXPECT_FALSE(ShukujitsuCheck(list, MakeDate(2024, 6, 1)));
  EXPECT_TRUE(HolidayCheck(2, list, MakeDate(2024, 2, 14)));  // バレンタインデー
  EXPECT_FALSE(HolidayCheck(0, list, MakeDate(2024, 2, 14)));
}

}  // namespace
}  // namespace kal::calendar
