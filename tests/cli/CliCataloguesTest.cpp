#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

using test::Sjis;

struct CliRun {
  int status;
  std::string out, err;
};

CliRun Cli(std::vector<std::string> args) {
  std::ostringstream out, err;
  int status = RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(CliCategories, PrintsTheTableInOrder) {
  test::TempFolder dir;
  dir.Write("Category.tbl", Sjis("未分類        1 \r\n"
                                 "打ち合わせ    0 0000000016777164\r\n"
                                 "Red\\Tab       1 00000255        007\r\n"
                                 "Short\r\n"));
  CliRun r = Cli({"--program-folder", dir.path(), "categories"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "0\t未分類\t\t\t0\t1\n"
            "1\t打ち合わせ\t$000000\t$FFFFCC\t0\t0\n"
            "2\tRed\\\\Tab\t$0000FF\t\t7\t1\n"
            "3\tShort\t\t\t0\t0\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliCategories, MissingTableIsEmptyAndArgumentsAreAUsageError) {
  test::TempFolder dir;
  CliRun r = Cli({"--program-folder", dir.path(), "categories"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(Cli({"--program-folder", dir.path(), "categories", "x"}).status, 2);
}

TEST(CliCategories, UnreadableTableExitsWithItsMessage) {
  test::TempFolder dir;
  dir.MakeFolder("Category.tbl");
  CliRun r = Cli({"--program-folder", dir.path(), "categories"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Category.tbl"), std::string::npos);
  EXPECT_EQ(r.out, "");
}

TEST(CliAlarmOffsets, BuiltInListWithoutTheFile) {
  test::TempFolder dir;
  CliRun r = Cli({"--program-folder", dir.path(), "alarm-offsets"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "0\n1\n3\n5\n10\n15\n20\n30\n60\n");
}

TEST(CliAlarmOffsets, FileOrderAndBadLinesReportedAndSkipped) {
  test::TempFolder dir;
  dir.Write("Alarm.tbl", "  5\r\nlater\r\n120\r\n  0\r\n");
  CliRun r = Cli({"--program-folder", dir.path(), "alarm-offsets"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "5\n120\n0\n");
  EXPECT_EQ(r.err, dir / "Alarm.tbl" + ": 2行目はアラーム前分(0～360)ではないため読み飛ばしました。\n");
}

}  // namespace
}  // namespace kal::cli
