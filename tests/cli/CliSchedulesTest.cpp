#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "support/CliRun.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

using test::Sjis;

test::CliRun Cli(std::vector<std::string> args) { return test::RunCliCapture(args); }

std::string Build(const store::ScheduleFields& f) {
  store::BuildResult r = store::BuildScheduleLine(f);
  EXPECT_TRUE(r.ok);
  return r.line;
}

TEST(CliSchedules, PrintsEveryLineAsStoredWithItsMemo) {
  test::TempFolder dir;
  store::ScheduleFields plain;
  plain.day = 3;
  plain.title = "朝会";
  store::ScheduleFields timed;
  timed.day = 3;
  timed.start = "09:00";
  timed.end = "09:30";
  timed.category = "仕事";
  timed.font_style = 3;
  timed.line_style = 1;
  timed.alarm1 = 2;
  timed.alarm2 = 1;
  timed.title = "打合せ";
  timed.place = "会議室\tA";
  timed.detail = 1;
  timed.link = "/home/u/a.txt";
  store::ScheduleFields multi;
  multi.day = 20;
  multi.title = "出張";
  multi.span = 3;
  multi.text_colour = 0x0000FF;
  multi.bar_colour = 0x80FF80;
  multi.bar_style = 2;
  dir.Write("202401.sch", store::JoinLines({Build(plain), Build(timed), "xx damaged", Build(multi)}));
  dir.Write("202401.dtl", store::JoinLines({Sjis("001,一行目,\"two\\words\"")}));

  test::CliRun r = Cli({"--program-folder", dir.path(), "schedules", "202401"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "0\t03\t\t\t\t0\t0\t0\t0\t朝会\t\t\t\t\t\t\t\t\n"
            "1\t03\t09:00\t09:30\t仕事\t3\t1\t2\t1\t打合せ\t会議室 A\t001\t\t\t\t\t/home/u/a.txt\t一行目\\ntwo\\\\words\n"
            "3\t20\t\t\t\t0\t0\t0\t0\t出張\t\t000\t03\t$0000FF\t$80FF80\t2\t\t\n");
  // The damaged line is reported once and skipped.
  EXPECT_EQ(r.err, dir.path() + "202401.sch: 3行目は日付が正しくないため読み飛ばしました。\n");
}

TEST(CliSchedules, AMissingMonthIsEmptyAndAnUnreadableOneAnError) {
  test::TempFolder dir;
  test::CliRun missing = Cli({"--program-folder", dir.path(), "schedules", "202402"});
  EXPECT_EQ(missing.status, 0);
  EXPECT_EQ(missing.out, "");
  dir.MakeFolder("202402.sch");
  test::CliRun unreadable = Cli({"--program-folder", dir.path(), "schedules", "202402"});
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_NE(unreadable.err.find("202402.sch"), std::string::npos);
  EXPECT_EQ(unreadable.out, "");
}

TEST(CliSchedules, WantsOneMonthStem) {
  for (auto bad : {std::vector<std::string>{"schedules"}, {"schedules", "202413"}, {"schedules", "2024-1"},
                   {"schedules", "202401", "x"}})
    EXPECT_EQ(Cli(bad).status, 2);
}

}  // namespace
}  // namespace kal::cli
