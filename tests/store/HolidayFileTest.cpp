#include "store/HolidayFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "store/LineOrder.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::store {
namespace {

using test::Sjis;

HolidayLine Parse(const std::string& utf8_line) {
  auto h = ParseHolidayLine(Sjis(utf8_line));
  EXPECT_TRUE(h.has_value()) << utf8_line;
  return h.value_or(HolidayLine{});
}

TEST(HolidayLine, ReadsEveryField) {
  auto h = Parse(" 1  2000    210成人の日");
  EXPECT_EQ(h.month, 1);
  EXPECT_EQ(h.day, 0);
  EXPECT_EQ(h.first_year, "2000");
  EXPECT_EQ(h.last_year, "");
  EXPECT_EQ(h.week, 2);
  EXPECT_EQ(h.weekday, 1);
  EXPECT_EQ(h.holiday_class, 0);
  EXPECT_EQ(h.name, "成人の日");
}

TEST(HolidayLine, DamagedLinesAreSkippedAndNamed) {
  std::vector<std::string> lines = {Sjis(" 1 11949    000元日"), "ab 11949    000x", " 1 1", Sjis(" 1 11949    007x"),
                                    "", Sjis("1340        000x"), Sjis(" 5 3194a    000x"), Sjis(" 5 31949    000憲法"),
                                    Sjis("00 11949    000x"), Sjis(" 5 01949    000x")};
  std::vector<int> damaged;
  auto parsed = ParseHolidayLines(lines, &damaged);
  ASSERT_EQ(parsed.size(), 2u);
  EXPECT_EQ(parsed[0].index, 0);
  EXPECT_EQ(parsed[1].index, 7);  // the index stays the line number in the file
  EXPECT_EQ(damaged, (std::vector<int>{1, 2, 3, 4, 5, 6, 8, 9}));
}

struct MatchCase {
  const char* line;
  int y, m, d;
  bool matches;
};

TEST(HolidayLine, RuleKindsMatchTheirDates) {
  const MatchCase cases[] = {
      // every week on Saturday (weekday 6)
      {"            061土曜", 2024, 6, 1, true},
      {"            061土曜", 2024, 6, 8, true},
      {"            061土曜", 2024, 6, 2, false},
      // every month on the 15th; every year on 3 November
      {"9915        002給料日", 2024, 2, 15, true},
      {"9915        002給料日", 2024, 2, 16, false},
      {"11 31949    000文化の日", 2024, 11, 3, true},
      {"11 31949    000文化の日", 2024, 10, 3, false},
      // every month on its last day: 30 April, 29 February in a leap year, not 28 February then
      {"9932        002月末", 2024, 4, 30, true},
      {"9932        002月末", 2024, 2, 29, true},
      {"9932        002月末", 2024, 2, 28, false},
      {"9932        002月末", 2023, 2, 28, true},
      {" 432        002x", 2024, 4, 30, false},  // "32" only with every month
      // second Monday of January; third Sunday of June
      {" 1  2000    210成人の日", 2024, 1, 8, true},
      {" 1  2000    210成人の日", 2024, 1, 15, false},
      {" 6          302父の日", 2024, 6, 16, true},
      // last Monday: the fifth when the month has one, else the fourth
      {"99          912最終月曜", 2024, 4, 29, true},
      {"99          912最終月曜", 2024, 4, 22, false},
      {"99          912最終月曜", 2024, 2, 26, true},
      {"99          552第5金曜", 2024, 3, 29, true},
      {"99          552第5金曜", 2024, 2, 23, false},  // February 2024 has four Fridays
      // years: open, bounded, before the first year
      {" 429198920060001", 2006, 4, 29, true},
      {" 429198920060001", 2007, 4, 29, false},
      {" 429198920060001", 1988, 4, 29, false},
      {" 2142000    002x", 1999, 2, 14, false},
      {" 214    1990002x", 1700, 2, 14, true},
  };
  for (const auto& c : cases) {
    auto h = Parse(c.line);
    EXPECT_EQ(HolidayLineMatches(h, MakeDate(c.y, c.m, c.d)), c.matches) << c.line << " " << c.y << "/" << c.m << "/" << c.d;
  }
}

TEST(HolidayLine, DaysInAMonth) {
  EXPECT_EQ(HolidayDaysInMonth(Parse("            061土曜"), 2024, 6), (std::vector<int>{1, 8, 15, 22, 29}));
  EXPECT_EQ(HolidayDaysInMonth(Parse("9931        002x"), 2024, 4), std::vector<int>{});
  EXPECT_EQ(HolidayDaysInMonth(Parse("99          552x"), 2024, 2), std::vector<int>{});
  EXPECT_EQ(HolidayDaysInMonth(Parse(" 5 720252025000x"), 2024, 5), std::vector<int>{});
}

TEST(HolidayLine, EntriesOfAMonthInFileOrder) {
  auto lines = ParseHolidayLines({Sjis("            002日曜"), Sjis(" 6 12000    002創立%d周年"), Sjis(" 7 1        000x")});
  auto entries = HolidayEntriesInMonth(lines, 2024, 6);
  ASSERT_EQ(entries.size(), 6u);
  EXPECT_EQ(entries[0].day, 2);
  EXPECT_EQ(entries[3].day, 23);
  EXPECT_EQ(entries[4].day, 30);
  EXPECT_EQ(entries[5].day, 1);
  EXPECT_EQ(entries[5].index, 1);
  EXPECT_EQ(entries[5].holiday_class, 2);
  EXPECT_EQ(entries[5].name, "創立24周年");
}

TEST(HolidayLine, AnniversaryNamesFillInTheYearsThemselves) {
  EXPECT_EQ(HolidayShownName(Parse(" 6 12000    002創立%d周年"), 2024), "創立24周年");
  EXPECT_EQ(HolidayShownName(Parse(" 6 12000    002%d年目 100%% %s %5d %"), 2024), "24年目 100% %s %5d %");
  EXPECT_EQ(HolidayShownName(Parse(" 6 1        002創立%d周年"), 2024), "創立%d周年");  // no first year
  EXPECT_EQ(HolidayShownName(Parse(" 6 12000    000祝%d"), 2024), "祝%d");          // not an anniversary
}

TEST(BuiltInHolidays, FortyOneLinesInTheirOrderWithExactBytes) {
  const auto& lines = BuiltInHolidayLines();
  ASSERT_EQ(lines.size(), 41u);
  EXPECT_EQ(lines[0], Sjis(" 1  2000    210成人の日"));
  EXPECT_EQ(lines[1], Sjis(" 1 11949    000元日"));
  EXPECT_EQ(lines[12], Sjis(" 5          202母の日"));
  EXPECT_EQ(lines[40], Sjis("1225        002クリスマス"));
  int public_holidays = 0;
  for (const auto& l : lines) {
    ASSERT_TRUE(ParseHolidayLine(l).has_value()) << l;
    if (l[14] == '0') ++public_holidays;
  }
  EXPECT_EQ(public_holidays, 32);
}

TEST(HolidayFileCommands, CreatesTheFileOnlyWhenMissing) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  EXPECT_TRUE(CreateHolidayFile(fs, dir.path()));
  const std::string bytes = dir.Read("Holiday.dat");
  const std::string head = Sjis(" 1  2000    210成人の日\r\n 1 11949    000元日\r\n");
  EXPECT_EQ(bytes.substr(0, head.size()), head);
  EXPECT_EQ(bytes.substr(bytes.size() - 12), Sjis("クリスマス\r\n"));
  dir.Write("Holiday.dat", "x\r\n");
  EXPECT_FALSE(CreateHolidayFile(fs, dir.path().substr(0, dir.path().size() - 1)));  // no trailing separator
  EXPECT_EQ(dir.Read("Holiday.dat"), "x\r\n");
}

TEST(HolidayFileCommands, UpdateKeepsEverythingButPublicHolidays) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.WriteLines("Holiday.dat", {" 1 11949    000元日", " 3 1        000手で足した祝日", " 820        001夏休み",
                                 " 6 12000    002創立%d周年"});
  test::FakeDialogs dialogs;
  ASSERT_TRUE(UpdatePublicHolidays(dialogs, fs, dir / "Holiday.dat"));
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, "最新の祝日情報に更新します。\n処理を続けますか？");
  EXPECT_EQ(dialogs.shown[0].caption, "確認");
  EXPECT_EQ(dialogs.shown[0].buttons, platform::MsgButtons::YesNo);
  EXPECT_EQ(dialogs.shown[1].text, "32件の祝日情報を登録しました。");
  EXPECT_EQ(dialogs.shown[1].icon, platform::MsgIcon::Information);

  auto lines = LoadLines(fs, dir / "Holiday.dat");
  ASSERT_EQ(lines.size(), 34u);
  int public_holidays = 0;
  for (const auto& l : lines) public_holidays += l[14] == '0';
  EXPECT_EQ(public_holidays, 32);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), Sjis(" 820        001夏休み")), 1);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), Sjis(" 3 1        000手で足した祝日")), 0);
  EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(), LineLess{}));
}

TEST(HolidayFileCommands, UpdateAnsweredNoChangesNothing) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.WriteLines("Holiday.dat", {" 3 1        000手で足した祝日"});
  test::FakeDialogs dialogs;
  dialogs.answers.push_back(platform::MsgAnswer::No);
  EXPECT_FALSE(UpdatePublicHolidays(dialogs, fs, dir / "Holiday.dat"));
  EXPECT_EQ(dir.Read("Holiday.dat"), Sjis(" 3 1        000手で足した祝日\r\n"));
}

TEST(HolidayFileCommands, ComputedEntriesCannotBeChangedOrDeleted) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.WriteLines("Holiday.dat", {" 1 11949    000元日"});
  HolidayEntryRef computed{0, kComputedIndex, "振替休日", MakeDate(2024, 5, 6)};
  EXPECT_EQ(HolidayChangeRefusal(computed), std::optional<std::string>("自動設定した祝日については訂正できません。"));
  test::FakeDialogs dialogs;
  EXPECT_FALSE(HolidayDel(dialogs, fs, dir / "Holiday.dat", computed, true));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "自動設定した祝日については削除できません。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(HolidayChangeRefusal({0, 0, "元日", MakeDate(2024, 1, 1)}), std::nullopt);

  test::FakeDialogs rep;
  const std::vector<std::string> lines = {Sjis(" 1 11949    000元日")};
  EXPECT_FALSE(HolidayRepAllowed(rep, lines, computed));
  ASSERT_EQ(rep.shown.size(), 1u);
  EXPECT_EQ(rep.shown[0].text, "自動設定した祝日については訂正できません。");
  EXPECT_EQ(rep.shown[0].caption, "エラー");
  EXPECT_TRUE(HolidayRepAllowed(rep, lines, {0, 0, "元日", MakeDate(2024, 1, 1)}));
  EXPECT_FALSE(HolidayRepAllowed(rep, lines, {0, 0, "元日", MakeDate(2024, 1, 2)}));  // not this line's date
  EXPECT_EQ(rep.shown.size(), 2u);
}

TEST(HolidayFileCommands, DeleteAsksThenRemovesTheLine) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.WriteLines("Holiday.dat", {" 1 11949    000元日", " 6 12000    002創立%d周年"});
  HolidayEntryRef entry{2, 1, "創立24周年", MakeDate(2024, 6, 1)};
  test::FakeDialogs dialogs;
  dialogs.answers.push_back(platform::MsgAnswer::No);
  EXPECT_FALSE(HolidayDel(dialogs, fs, dir / "Holiday.dat", entry, true));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "「創立24周年」を削除します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown[0].caption, "祝日・休日・記念日の削除");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Warning);
  EXPECT_EQ(LoadLines(fs, dir / "Holiday.dat").size(), 2u);

  EXPECT_TRUE(HolidayDel(dialogs, fs, dir / "Holiday.dat", entry, true));
  EXPECT_EQ(dir.Read("Holiday.dat"), Sjis(" 1 11949    000元日\r\n"));
}

TEST(HolidayFileCommands, DeleteRefusesALineThatChangedMeanwhile) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.WriteLines("Holiday.dat", {" 1 11949    000元日", " 2 11949    000別の祝日"});
  test::FakeDialogs dialogs;
  // The view showed line 1 as 建国記念の日; the file now holds something else there.
  EXPECT_TRUE(HolidayDel(dialogs, fs, dir / "Holiday.dat", {0, 1, "建国記念の日", MakeDate(2024, 2, 11)}, false));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(LoadLines(fs, dir / "Holiday.dat").size(), 2u);
}

TEST(HolidayFileCommands, DeleteStopsOnAnUnreadableFile) {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  dir.WriteLines("Holiday.dat", {" 1 11949    000元日"});
  fs.unreadable.insert(dir / "Holiday.dat");
  test::FakeDialogs dialogs;
  EXPECT_THROW(HolidayDel(dialogs, fs, dir / "Holiday.dat", {0, 0, "元日", MakeDate(2024, 1, 1)}, false), FileError);
  EXPECT_EQ(dir.Read("Holiday.dat"), Sjis(" 1 11949    000元日\r\n"));
}

TEST(HolidayFileCommands, StoreAddsOrReplacesAndSorts) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  std::vector<std::string> lines = {Sjis(" 1 11949    000元日"), Sjis("1225        002クリスマス")};
  HolidayStore(fs, dir / "Holiday.dat", lines, false, 0, Sjis(" 5 5        002こども"));
  EXPECT_EQ(dir.Read("Holiday.dat"),
            Sjis(" 1 11949    000元日\r\n 5 5        002こども\r\n1225        002クリスマス\r\n"));
  HolidayStore(fs, dir / "Holiday.dat", lines, true, 1, Sjis(" 224        002x"));
  EXPECT_EQ(dir.Read("Holiday.dat"), Sjis(" 1 11949    000元日\r\n 224        002x\r\n"));
}

}  // namespace
}  // namespace kal::store
