#include "listing/ListRows.h"

#include <gtest/gtest.h>

#include "listing/ListFixtures.h"
#include "store/HolidayFile.h"
#include "support/TempFolder.h"

namespace kal::listing {
namespace {

using store::MakeDate;
using test::Cells;
using test::Sch;
using test::SchLine;
using test::Sjis;

TEST(ListFileNames, OnlyExactStemsAreTaken) {
  struct Case {
    const char* name;
    bool month_file;
    bool memo_file;
  };
  const Case cases[] = {
      {"202401.sch", true, false},   {"202401.SCH", true, false},     {"202401 (2).sch", false, false},
      {"20241.sch", false, false},   {"202413.sch", false, false},    {"2024011.sch", false, false},
      {"x202401.sch", false, false}, {"202401.sch.bak", false, false}, {"20240503.mem", false, true},
      {"202405.Mem", false, true},   {"2024053.mem", false, false},   {"20240230.mem", false, false},
      {"20240503 .mem", false, false}, {"MemoTemp.txt", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MonthFileStem(c.name).has_value(), c.month_file) << c.name;
    EXPECT_EQ(MemoFileStem(c.name).has_value(), c.memo_file) << c.name;
  }
  EXPECT_EQ(*MonthFileStem("202401.SCH"), "202401");
  EXPECT_EQ(*MemoFileStem("202405.Mem"), "202405");
}

TEST(ScheduleRows, CellsOfASingleAndAMultiDaySchedule) {
  const std::vector<std::string> lines = {
      SchLine(Sch{.day = 5, .title = "歯医者", .start = "09:00", .end = "09:30", .place = "駅前", .category = "通院",
                  .detail = 7, .alarm1 = 5, .alarm2 = 9, .link = "/home/a/x.pdf"}),
      SchLine(Sch{.day = 30, .title = "出張", .span = 3}),
  };
  const auto rows = ScheduleRowsOfMonth("202401", lines, {0, 1, 3, 5, 10, 15, 20, 30, 60});
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].key(), "202401050000007");
  EXPECT_EQ(Cells(rows[0]), (std::vector<std::string>{"2024/01/05(金)", "09:00", "2024/01/05(金)", "09:30", "歯医者",
                                                        "駅前", "通院", "有", "10 分", "1 時間", "有"}));
  // A three-day schedule from 30 January ends on 1 February.
  EXPECT_EQ(rows[1].key(), "202401300001000");
  EXPECT_EQ(rows[1].cells[1], "2024/01/30(火)");
  EXPECT_EQ(rows[1].cells[3], "2024/02/01(木)");
  EXPECT_EQ(rows[1].cells[8], "");
  EXPECT_EQ(rows[1].line, lines[1]);
}

TEST(ScheduleRows, ADateThatCannotBeFormedShowsDateError) {
  const auto rows = ScheduleRowsOfMonth("202402", {SchLine(Sch{.day = 30})}, {});
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].cells[1], "日付エラー");
  EXPECT_EQ(rows[0].cells[3], "");
}

TEST(ScheduleRows, ViewsReadTheirMonthFilesAndSkipStrayNames) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  folder.Write("202401.sch", test::JoinCrLf({SchLine(Sch{.day = 5, .title = "一月五日"}),
                                             SchLine(Sch{.day = 9, .title = "一月九日"})}));
  folder.Write("202403.sch", test::JoinCrLf({SchLine(Sch{.day = 1, .title = "三月"})}));
  folder.Write("202312.sch", test::JoinCrLf({SchLine(Sch{.day = 31, .title = "大晦日"})}));
  // A copy the user made by hand must never be read as January.
  folder.Write("202401 (2).sch", test::JoinCrLf({SchLine(Sch{.day = 5, .title = "写し"})}));
  const ListSource source = test::SourceIn(fs, folder, MakeDate(2024, 1, 9));
  auto titles = [&](int view) {
    std::vector<std::string> t;
    for (const auto& r : ScheduleRows(source, view)) t.push_back(r.cells[5]);
    return t;
  };
  EXPECT_EQ(titles(1), (std::vector<std::string>{"一月九日"}));
  EXPECT_EQ(titles(2), (std::vector<std::string>{"一月五日", "一月九日"}));
  EXPECT_EQ(titles(3), (std::vector<std::string>{"一月五日", "一月九日", "三月"}));
  EXPECT_EQ(titles(4), (std::vector<std::string>{"大晦日", "一月五日", "一月九日", "三月"}));
  // A day without records is empty.
  EXPECT_TRUE(ScheduleRows(test::SourceIn(fs, folder, MakeDate(2024, 1, 6)), 1).empty());
}

TEST(ScheduleRows, AlarmCodesBeyondTheTableLeaveTheCellEmpty) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  folder.WriteLines("Alarm.tbl", {"  5", " 90"});
  folder.Write("202401.sch", test::JoinCrLf({SchLine(Sch{.day = 2, .alarm1 = 2, .alarm2 = 3})}));
  const auto rows = ScheduleRows(test::SourceIn(fs, folder, MakeDate(2024, 1, 2)), 1);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].cells[9], "1 時間");
  EXPECT_EQ(rows[0].cells[10], "");
}

TEST(HolidayRows, PatternTexts) {
  const std::pair<const char*, const char*> cases[] = {
      {" 1 11949    000元日", "毎年 1月 1日"},       {" 1  2000    210成人の日", "毎年 1月第2月曜日"},
      {" 9  2003    910x", "毎年 9月最終月曜日"},    {"99 1        002月初", "毎月 1日"},
      {"9932        002月末", "毎月末日"},            {"99          332第3水曜", "毎月第3水曜日"},
      {"99          952最終金", "毎月最終金曜日"},   {"            002毎週", "毎週日曜日"},
  };
  for (const auto& [line, text] : cases) EXPECT_EQ(HolidayPatternText(Sjis(line)), text) << line;
}

TEST(HolidayRows, DatesInTheReferenceYearAndAnniversaryCounts) {
  const std::vector<std::string> lines = {
      Sjis(" 1 11949    000元日"),
      Sjis(" 1  2000    210成人の日"),
      Sjis(" 6 12000    002結婚%d周年 100%%"),
      Sjis(" 7 7        002七夕 %s"),
      Sjis(" 8 1    2020001旧休日"),
      Sjis("99 1        002月初"),
  };
  const auto rows = HolidayRowsOfLines(lines, 2030, kViewAll, {true, false});
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0].key(), "0000");
  EXPECT_EQ(Cells(rows[0]), (std::vector<std::string>{"2030/01/01(火)", "毎年 1月 1日", "元日", "祝日", "1949", ""}));
  EXPECT_EQ(rows[1].cells[1], "2030/01/14(月)");
  EXPECT_EQ(Cells(rows[4]), (std::vector<std::string>{"", "毎年 8月 1日", "旧休日", "休日", "", "2020"}));
  EXPECT_EQ(rows[5].key(), "0005");
  EXPECT_EQ(Cells(rows[5]), (std::vector<std::string>{"", "毎月 1日", "月初", "記念日1", "", ""}));
  // Only "%d" is replaced (and "%%"); any other "%" stays as written.
  EXPECT_EQ(rows[2].cells[3], "結婚30周年 100%");
  EXPECT_EQ(rows[3].cells[3], "七夕 %s");
}

TEST(HolidayRows, ViewsKeepTheirClasses) {
  const std::vector<std::string> lines = {Sjis(" 1 11949    000元日"), Sjis(" 8 1        001夏休み"),
                                          Sjis(" 2141990    002記念"), Sjis(" 3 3        004雛祭")};
  auto count = [&](int view) { return HolidayRowsOfLines(lines, 2024, view, {true, false}).size(); };
  EXPECT_EQ(count(1), 1u);
  EXPECT_EQ(count(2), 1u);
  EXPECT_EQ(count(3), 2u);
  EXPECT_EQ(count(4), 4u);
}

// The rows "自動設定" of the holiday engine.
std::vector<std::vector<std::string>> Computed(int year, calendar::HolidaySettings settings, int view = 1) {
  std::vector<std::vector<std::string>> out;
  for (const auto& r : HolidayRowsOfLines(store::BuiltInHolidayLines(), year, view, settings))
    if (r.key() == "9999") out.push_back({r.cells[1], r.cells[3], r.cells[2], r.cells[4], r.cells[5]});
  return out;
}

TEST(HolidayRows, AutomaticRowsOf2030) {
  const auto rows = Computed(2030, {true, true});
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"2030/03/20(水)", "春分の日", "自動設定", "祝日", "1949"}));
  std::vector<std::string> substitutes;
  bool autumn = false;
  for (const auto& r : rows) {
    if (r[1] == "秋分の日") autumn = r[0] == "2030/09/23(月)";
    if (r[1] == "振替休日") substitutes.push_back(r[0]);
  }
  EXPECT_TRUE(autumn);
  // In 2030 こどもの日, 山の日 and 文化の日 fall on a Sunday.
  EXPECT_EQ(substitutes, (std::vector<std::string>{"2030/05/06(月)", "2030/08/12(月)", "2030/11/04(月)"}));
  // Not in the 休日 and 記念日 views, and not with AutoHoliday off.
  EXPECT_TRUE(Computed(2030, {true, true}, 2).empty());
  EXPECT_TRUE(Computed(2030, {true, false}).empty());
  EXPECT_FALSE(Computed(2030, {true, true}, kViewAll).empty());
}

TEST(HolidayRows, EquinoxesOfThe1970sComeFromTheEngine) {
  // Before 1980 the leap-year correction rounds down (floor division), as the calendar does.
  const auto rows = Computed(1979, {true, true});
  std::vector<std::string> equinoxes;
  for (const auto& r : rows)
    if (r[1] == "春分の日" || r[1] == "秋分の日") equinoxes.push_back(r[0]);
  EXPECT_EQ(equinoxes, (std::vector<std::string>{"1979/03/21(水)", "1979/09/24(月)"}));
}

TEST(MemoRows, ViewsAndJoinedText) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  folder.WriteLines("20240503.mem", {"一行目", "二行目"});
  folder.WriteLines("202405.mem", {"五月のメモ"});
  folder.WriteLines("20240601.mem", {"六月"});
  folder.WriteLines("20240503 (2).mem", {"写し"});
  folder.WriteLines("MemoTemp.txt", {"雛形"});
  const ListSource source = test::SourceIn(fs, folder, MakeDate(2024, 5, 3));
  auto keys = [&](int view) {
    std::vector<std::string> k;
    for (const auto& r : MemoRows(source, view)) k.push_back(r.key());
    return k;
  };
  EXPECT_EQ(keys(1), (std::vector<std::string>{"20240503"}));
  EXPECT_EQ(keys(2), (std::vector<std::string>{"202405", "20240503"}));
  EXPECT_EQ(keys(3), (std::vector<std::string>{"202405", "20240503", "20240601"}));
  const auto rows = MemoRows(source, 2);
  EXPECT_EQ(Cells(rows[0]), (std::vector<std::string>{"2024/05", "五月のメモ"}));
  EXPECT_EQ(Cells(rows[1]), (std::vector<std::string>{"2024/05/03(金)", "一行目二行目"}));
}

TEST(WeatherRows, TextsOfADayFile) {
  EXPECT_EQ(WeatherText(1, 1, 3), "晴れのち雨");
  EXPECT_EQ(WeatherText(2, 0, 0), "曇り");
  EXPECT_EQ(WeatherText(0, 2, 4), "雪");
  std::vector<std::string> lines(32, "00");
  lines[2] = "00112 " + std::string(9, ' ') + "25 12 30";
  const auto rows = WeatherRowsOfMonth(2024, 2, lines);
  ASSERT_EQ(rows.size(), 29u);  // every day of February 2024, none of the filler lines after it
  EXPECT_EQ(rows[1].key(), "20240202");
  EXPECT_EQ(Cells(rows[1]), (std::vector<std::string>{"2024/02/02(金)", "晴れのち曇り", "25℃", "12℃", "30%"}));
  EXPECT_EQ(Cells(rows[0]), (std::vector<std::string>{"2024/02/01(木)", "", "", "", ""}));
  EXPECT_EQ(WeatherRowsOfMonth(2024, 2, lines, 2).size(), 1u);
  EXPECT_EQ(WeatherRowsOfMonth(2024, 2, {"00", "00"}).size(), 1u);  // as far as the file has lines
}

TEST(TodoRows, StatesDatesAndNumbers) {
  const store::Date today = MakeDate(2024, 1, 10);
  std::vector<TodoListItem> items = {
      {.index = 0, .limit = "2024/01/12", .start = "2024/01/01", .priority = 1, .progress = 5, .category = "仕事",
       .memo_number = "0003", .title = "報告書"},
      {.index = 1, .limit = "2024/03/01", .priority = 0, .title = "遠い期限"},
      {.index = 2, .limit = "2024/01/20", .start = "2024/01/15", .title = "まだ先"},
      {.index = 3, .limit = kNoLimitText, .priority = 3, .title = "いつか", .link = "/x"},
      {.index = 4, .limit = "2024/01/05", .progress = 10, .done = true, .done_date = "2024/01/06", .title = "済"},
  };
  TodoWaitRules wait;
  wait.wait_task = true;
  wait.wait_day = 10;
  const auto rows = TodoRows(items, kViewAll, today, wait);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(Cells(rows[0]), (std::vector<std::string>{"未処理", "2024/01/12(金)", "2", "2024/01/01(月)", "B",
                                                        "報告書", "仕事", " 50%", "", "有", ""}));
  EXPECT_EQ(rows[1].cells[1], "待機");  // 51 days away, more than WaitDay
  EXPECT_EQ(rows[2].cells[1], "待機");  // starts after today
  EXPECT_EQ(Cells(rows[3]),
            (std::vector<std::string>{"未処理", "期限なし", "", "", "D", "いつか", "", "  0%", "", "", "有"}));
  EXPECT_EQ(Cells(rows[4]), (std::vector<std::string>{"処理済", "2024/01/05(金)", "-5", "", "A", "済", "", "100%",
                                                        "2024/01/06(土)", "", ""}));
  EXPECT_TRUE(rows[4].checked);
  EXPECT_EQ(TodoRows(items, 1, today, wait).size(), 4u);
  EXPECT_EQ(TodoRows(items, 2, today, wait).size(), 1u);
  // By count: from the WaitCnt-th listed row on.
  TodoWaitRules by_count;
  by_count.wait_date = false;
  by_count.wait_count = true;
  by_count.wait_cnt = 2;
  const auto counted = TodoRows(items, 1, today, by_count);
  EXPECT_EQ(counted[0].cells[1], "未処理");
  EXPECT_EQ(counted[1].cells[1], "待機");
  EXPECT_EQ(counted[3].cells[1], "未処理");  // no limit: never waiting
}

TEST(ListRows, TodoRowsComeFromTodoklDat) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  // limit, start, priority + progress + done flag, done date, category (14), memo number, 4 blanks, subject.
  auto record = [](const std::string& limit, const std::string& start, const std::string& flags,
                   const std::string& done_date, const std::string& category, const std::string& memo,
                   const std::string& subject) {
    std::string c = test::Sjis(category);
    c.resize(14, ' ');
    return test::Sjis(limit) + start + flags + done_date + c + memo + "    " + test::Sjis(subject);
  };
  const std::vector<std::string> records = {
      record("2024/01/12", "2024/01/01", "1050", "2024/01/01", "仕事", "0003", "報告書"),
      record("2024/13/45", "          ", "3000", "2024/01/01", "", "0000", "壊れた期限"),
      record("期限なし  ", "          ", "0101", "2024/01/06", "", "0000", "済んだ"),
  };
  folder.Write("Todokl.dat", test::JoinCrLf(records));
  const ListSource source = test::SourceIn(fs, folder, MakeDate(2024, 1, 10));
  const auto rows = ListRows(source, ListKind::Todo, kViewAll);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].key(), "0");
  EXPECT_EQ(Cells(rows[0]), (std::vector<std::string>{"未処理", "2024/01/12(金)", "2", "2024/01/01(月)", "B",
                                                        "報告書", "仕事", " 50%", "", "有", ""}));
  // A limit that is not a date reads as none; the row keeps the record's own bytes.
  EXPECT_EQ(rows[1].cells[2], "期限なし");
  EXPECT_EQ(rows[1].cells[5], "D");
  EXPECT_EQ(rows[1].line, records[1]);
  EXPECT_EQ(rows[2].key(), "2");
  EXPECT_EQ(rows[2].cells[1], "処理済");
  EXPECT_EQ(rows[2].cells[9], "2024/01/06(土)");
  EXPECT_EQ(ListRows(source, ListKind::Todo, 1).size(), 2u);
  // No Todokl.dat: no rows.
  test::TempFolder empty;
  EXPECT_TRUE(ListRows(test::SourceIn(fs, empty, MakeDate(2024, 1, 10)), ListKind::Todo, kViewAll).empty());
}

TEST(ListRows, AddonRowsComeFromAddonLst) {
  test::TempFolder folder;
  platform::PosixFileSystem fs;
  const std::vector<std::string> lines = {"12:3010 /usr/bin/backup --all", "CALEN01 " + Sjis("/opt/予定表/run"),
                                          "KIDOU11 /bin/true", "START00 /bin/sync"};
  folder.Write("Addon.lst", test::JoinCrLf(lines));
  const auto rows = ListRows(test::SourceIn(fs, folder, MakeDate(2024, 1, 10)), ListKind::Addon, 1);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].cells, (std::vector<std::string>{" 0", "有効", "12:30", "/usr/bin/backup --all"}));
  EXPECT_TRUE(rows[0].checked);
  EXPECT_EQ(rows[1].cells, (std::vector<std::string>{" 1", "無効", "スケジュール表", "/opt/予定表/run"}));
  EXPECT_FALSE(rows[1].checked);
  EXPECT_EQ(rows[2].cells[2], "起動前");
  EXPECT_EQ(rows[3].cells[2], "起動後");
  EXPECT_EQ(rows[3].line, lines[3]);
}

}  // namespace
}  // namespace kal::listing
