#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "support/CliRun.h"
#include "store/HolidayFile.h"
#include "store/TextFile.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

test::CliRun Cli(std::vector<std::string> args) { return test::RunCliCapture(args); }

TEST(CliHolidayCheck, PrintsTheFiveChecksForEveryDate) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  auto lines = store::BuiltInHolidayLines();
  lines.push_back(test::Sjis("            061土曜休み"));
  store::SaveLines(fs, dir / "Holiday.dat", lines);
  auto r = Cli({"--program-folder", dir.path(), "holiday-check", "2019/04/28", "2019/05/07"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "2019/04/28\t0\t0\t0\t0\t0\n"
            "2019/04/29\t1\t0\t0\t0\t1\n"
            "2019/04/30\t0\t0\t0\t1\t1\n"
            "2019/05/01\t1\t0\t0\t0\t1\n"
            "2019/05/02\t0\t0\t0\t1\t1\n"
            "2019/05/03\t1\t0\t0\t0\t1\n"
            "2019/05/04\t1\t1\t0\t0\t1\n"
            "2019/05/05\t1\t0\t0\t0\t1\n"
            "2019/05/06\t0\t0\t1\t0\t1\n"
            "2019/05/07\t0\t0\t0\t0\t0\n");
}

TEST(CliHolidayCheck, OneDateAndAMissingFile) {
  test::TempFolder dir;
  // Without Holiday.dat only the equinox days are public holidays.
  EXPECT_EQ(Cli({"--program-folder", dir.path(), "holiday-check", "2024/03/20"}).out, "2024/03/20\t1\t0\t0\t0\t1\n");
  EXPECT_EQ(Cli({"--program-folder", dir.path(), "holiday-check", "2024/01/01"}).out, "2024/01/01\t0\t0\t0\t0\t0\n");
}

TEST(CliHolidayCheck, DamagedLinesAreReportedAndSkipped) {
  test::TempFolder dir;
  dir.Write("Holiday.dat", "xx\r\n 1 11949    000x\r\n");
  auto r = Cli({"--program-folder", dir.path(), "holiday-check", "2024/01/01"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "2024/01/01\t1\t0\t0\t0\t1\n");
  EXPECT_NE(r.err.find("1 行目"), std::string::npos);
}

TEST(CliHolidayCheck, WrongArgumentsAndUnreadableFile) {
  test::TempFolder dir;
  EXPECT_EQ(Cli({"--program-folder", dir.path(), "holiday-check"}).status, 2);
  EXPECT_EQ(Cli({"--program-folder", dir.path(), "holiday-check", "2024/02/30"}).status, 2);
  EXPECT_EQ(Cli({"--program-folder", dir.path(), "holiday-check", "2024/02/03", "2024/02/01"}).status, 2);
  dir.MakeFolder("Holiday.dat");
  auto r = Cli({"--program-folder", dir.path(), "holiday-check", "2024/01/01"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err, "");
}

}  // namespace
}  // namespace kal::cli
