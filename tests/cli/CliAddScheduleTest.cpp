#include <gtest/gtest.h>

#include "support/CliRun.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

using test::RunCliIn;
using test::Sjis;

std::string Pad(const std::string& cp932, std::size_t width) {
  std::string s = cp932;
  s.resize(width, ' ');
  return s;
}

std::vector<std::string> With(std::vector<std::string> args) {
  args.insert(args.begin(), {"--today", "2024/05/10", "--now", "12:00", "add-schedule"});
  return args;
}

TEST(CliAddSchedule, StoresASingleDayScheduleAndPrintsItsIndex) {
  test::TempFolder dir;
  dir.Write("202405.sch", "01          " + Sjis("仕事") + "          0000early\r\n");
  auto run = RunCliIn(dir, With({"--date", "2024/05/20", "--start", "9:00", "--end", "10:00", "--title", "会議",
                                 "--place", "本社", "--bold", "--strikeout", "--alarm1", "2", "--alarm2", "5",
                                 "--memo", "一行目\n二行目", "--link", "a.txt"}));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "2024/05/20\t1\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(dir.Read("202405.sch"), "01          " + Sjis("仕事") + "          0000early\r\n" + "2009:0010:00" +
                                        Pad("", 14) + "1225" + Pad(Sjis("会議"), 40) + Pad(Sjis("本社"), 40) +
                                        "001" + Pad("", 19) + "0a.txt\r\n");
  EXPECT_EQ(dir.Read("202405.dtl"), Sjis("001,一行目,二行目\r\n"));
}

TEST(CliAddSchedule, MultiDaySeriesWithCategoryColoursAndBackground) {
  test::TempFolder dir;
  dir.Write("Category.tbl", Pad(Sjis("旅行"), 14) + "1 " + "00000255" + "00065280" + "\r\n");
  auto run = RunCliIn(dir, With({"--date", "2024/05/30", "--end-date", "2024/06/01", "--title", "出張", "--category",
                                 "旅行", "--bar-style", "4", "--every", "毎", "--pattern", "月", "--to",
                                 "2024/07/31", "--background", "休日"}));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "2024/05/30\t0\n2024/06/30\t0\n2024/07/30\t0\n");
  const std::string tail = Pad(Sjis("出張"), 40) + Pad("", 40) + "000" + "03" + "$0000FF" + "$00FF00" + "4\r\n";
  EXPECT_EQ(dir.Read("202405.sch"), "30          " + Pad(Sjis("旅行"), 14) + "0000" + tail);
  EXPECT_EQ(dir.Read("202407.sch"), "30          " + Pad(Sjis("旅行"), 14) + "0000" + tail);
  EXPECT_FALSE(dir.Exists("202405.day")) << "a multi-day schedule has no day background";
}

TEST(CliAddSchedule, BackgroundChoiceWritesTheDayFile) {
  test::TempFolder dir;
  auto run = RunCliIn(dir, With({"--date", "2024/05/03", "--title", "x", "--background", "カスタム",
                                 "--background-colour", "$00FFFF"}));
  ASSERT_EQ(run.status, 0) << run.err;
  std::string expected;
  for (int i = 0; i < 32; ++i) expected += i == 3 ? "09    $00FFFF\r\n" : "00\r\n";
  EXPECT_EQ(dir.Read("202405.day"), expected);
}

TEST(CliAddSchedule, ARefusedCheckPrintsTheDialogsMessageAndWritesNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"--date", "2024/05/20", "--title", ""}, "件名が未入力です。\n"},
      {{"--date", "2024/05/20", "--title", "x", "--alarm1", "1"}, "開始時刻を入力して下さい。\n"},
      {{"--date", "2024/11/30", "--end-date", "2025/01/02", "--title", "x"}, "3ヶ月にまたがる期間は設定できません。\n"},
      {{"--date", "2024/05/20", "--end-date", "2024/05/19", "--title", "x"}, "開始 ≦ 終了でなければなりません。\n"},
      {{"--date", "2024/05/20", "--end-date", "2024/05/22", "--title", "x", "--pattern", "日"},
       "連日のスケジュールは登録できません。\n"},
      {{"--date", "2024/05/20", "--title", "x", "--shift", "after", "--pattern", "月"}, "振替条件を選択して下さい。\n"},
      {{"--date", "2024/05/20", "--title", "x", "--every", "毎"}, "期間の入力に誤りがあります。\n"},
      {{"--date", "2024/05/20", "--title", "😀"}, "件名に保存できない文字「😀」が含まれています。\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    test::TempFolder dir;
    auto run = RunCliIn(dir, With(c.args));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.message);
    EXPECT_FALSE(dir.Exists("202405.sch"));
    EXPECT_FALSE(dir.Exists("202411.sch"));
  }
}

TEST(CliAddSchedule, APastAlarmTodayIsStoredWithItsCodesAndAPastDateWithout) {
  test::TempFolder dir;
  auto today = RunCliIn(dir, With({"--date", "2024/05/10", "--start", "09:00", "--title", "a", "--alarm1", "3"}));
  ASSERT_EQ(today.status, 0) << today.err;
  auto past = RunCliIn(dir, With({"--date", "2024/05/09", "--start", "09:00", "--title", "b", "--alarm2", "3"}));
  ASSERT_EQ(past.status, 0) << past.err;
  EXPECT_EQ(dir.Read("202405.sch"), "0909:00     " + Pad("", 14) + "0000b\r\n" + "1009:00     " + Pad("", 14) +
                                        "0030a\r\n");
}

TEST(CliAddSchedule, UsageErrors) {
  test::TempFolder dir;
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--title", "x"},
           {"--date", "2024/05/20"},
           {"--date", "2024/05/20", "--title", "x", "--alarm1", "10"},
           {"--date", "2024/05/20", "--title", "x", "--bar-style", "6"},
           {"--date", "2024/05/20", "--title", "x", "--text-colour", "red"},
           {"--date", "2024/05/20", "--title", "x", "--background", "青"},
           {"--date", "2024/05/20", "--title", "x", "--pattern", "時"},
           {"--date", "2024/05/20", "--title", "x", "--nonsense", "1"},
       }) {
    auto run = RunCliIn(dir, With(args));
    EXPECT_EQ(run.status, 2) << args.back();
  }
  EXPECT_FALSE(dir.Exists("202405.sch"));
}

TEST(CliAddSchedule, AnAlarmPositionBeyondTheTableIsRefused) {
  test::TempFolder dir;
  dir.Write("Alarm.tbl", "  5\r\n 10\r\n");
  auto run = RunCliIn(dir, With({"--date", "2024/05/20", "--start", "10:00", "--title", "x", "--alarm1", "3"}));
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(run.err.empty());
  EXPECT_FALSE(dir.Exists("202405.sch"));
}

}  // namespace
}  // namespace kal::cli
