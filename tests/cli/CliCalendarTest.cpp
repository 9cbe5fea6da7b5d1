#include <gtest/gtest.h>

#include <algorithm>
#include "cli/Cli.h"
#include "store/HolidayFile.h"
#include "support/CliRun.h"

namespace kal::cli {
namespace {

// Each run gets an empty program folder: no settings, no holidays.
test::CliRun Cli(std::vector<std::string> args) {
  test::TempFolder folder;
  return test::RunCliIn(folder, std::move(args));
}

TEST(CliRokuyo, ListsEveryDateWithItsLabelAndEmptyOutsideTheTable) {
  auto r = Cli({"rokuyo", "2024/01/10", "2024/01/12"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "2024/01/10\t先負\n2024/01/11\t赤口\n2024/01/12\t先勝\n");
  EXPECT_EQ(Cli({"rokuyo", "2050/12/31", "2051/01/01"}).out, "2050/12/31\t仏滅\n2051/01/01\t\n");
  EXPECT_EQ(Cli({"rokuyo", "2024/01/10"}).status, 2);
  EXPECT_EQ(Cli({"rokuyo", "2024/02/30", "2024/03/01"}).status, 2);
}

TEST(CliSekki, TwentyFourTermsWithReadings) {
  auto r = Cli({"sekki", "2024"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("2024/01/06\t小寒しょうかん\n2024/01/20\t大寒だいかん\n", 0), 0u);
  EXPECT_NE(r.out.find("2024/03/20\t春分しゅんぶん\n"), std::string::npos);
  EXPECT_NE(r.out.find("2024/09/22\t秋分しゅうぶん\n"), std::string::npos);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 24);
  EXPECT_EQ(Cli({"sekki", "24"}).status, 2);
}

TEST(CliStatus, UsesTodayAndDropsTheLeadingBlank) {
  auto r = Cli({"--today", "2024/06/15", "status", "2024/12/31", "yyyy/m/d p日目 残りr日 t あとq日"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "2024/12/31 366日目 残り0日 辰 あと199日\n");
  EXPECT_EQ(Cli({"status", "2024/01/01", "未設定"}).out, "未設定\n");
}

TEST(CliRepeat, PrintsDatesThenTheCount) {
  auto r = Cli({"repeat", "--from", "2023/01/31", "--to", "2024/01/31", "--every", "隔", "--pattern", "月", "--day",
                "31"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2023/01/31\n2023/03/31\n2023/05/31\n2023/07/31\n2024/01/31\ncount\t5\n");

  auto last_friday = Cli({"repeat", "--from", "2024/01/01", "--to", "2024/03/31", "--every", "毎", "--pattern", "月",
                          "--cycle", "weekday", "--weekday", "5", "--day", "最終"});
  EXPECT_EQ(last_friday.out, "2024/01/26\n2024/02/23\n2024/03/29\ncount\t3\n");

  auto weekdays_only = Cli({"repeat", "--from", "2024/06/01", "--to", "2024/06/30", "--every", "毎", "--pattern", "日",
                            "--days", "5", "--shift", "skip", "--on", "土曜,日曜"});
  EXPECT_EQ(weekdays_only.out, "2024/06/03\n2024/06/04\n2024/06/05\ncount\t3\n");

  auto after_weekend = Cli({"repeat", "--from", "2024/06/01", "--to", "2024/06/02", "--every", "毎", "--pattern",
                            "日", "--shift", "after", "--on", "土曜,日曜"});
  EXPECT_EQ(after_weekend.out, "2024/06/03\n2024/06/03\ncount\t2\n");
}

TEST(CliRepeat, DefaultsComeFromTheStartDate) {
  // By weekday without --day: the start is the fifth Friday of May, which reads as the last.
  auto r = Cli({"repeat", "--from", "2024/05/31", "--to", "2024/07/31", "--every", "毎", "--pattern", "月", "--cycle",
                "weekday"});
  EXPECT_EQ(r.out, "2024/05/31\n2024/06/28\n2024/07/26\ncount\t3\n");
  auto yearly = Cli({"repeat", "--from", "2024/03/10", "--to", "2026/12/31", "--every", "毎", "--pattern", "年"});
  EXPECT_EQ(yearly.out, "2024/03/10\n2025/03/10\n2026/03/10\ncount\t3\n");
}

TEST(CliRepeat, RefusalsGoToStandardError) {
  auto none = Cli({"repeat", "--from", "2024/02/10", "--to", "2025/02/10", "--every", "毎", "--pattern", "月", "--day",
                   "30"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "登録するスケジュールがありません。\n");
  auto period = Cli({"repeat", "--from", "2024/02/10", "--to", "2024/02/10", "--every", "毎", "--pattern", "月"});
  EXPECT_EQ(period.status, 1);
  EXPECT_EQ(period.err, "期間の入力に誤りがあります。\n");
  auto conditions = Cli({"repeat", "--from", "2024/02/10", "--to", "2024/05/10", "--every", "毎", "--pattern", "月",
                         "--shift", "skip"});
  EXPECT_EQ(conditions.err, "振替条件を選択して下さい。\n");
  EXPECT_EQ(Cli({"repeat", "--from", "2024/02/10", "--every", "毎", "--pattern", "月"}).status, 2);
  EXPECT_EQ(Cli({"repeat", "--from", "2024/02/10", "--to", "2024/05/10", "--every", "毎", "--pattern", "月", "--day",
                 "第1", "--cycle", "date"})
                .status,
            2);
  EXPECT_EQ(Cli({"repeat", "--from", "2024/02/10", "--to", "2024/05/10", "--every", "毎", "--pattern", "月", "--on",
                 "祭日"})
                .status,
            2);
}

}  // namespace
}  // namespace kal::cli

namespace kal::cli {
namespace {

TEST(CliRepeat, ShiftsOffThePublicHolidaysOfTheDataFolder) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  ASSERT_TRUE(store::CreateHolidayFile(fs, dir.path()));
  // Every Monday of January 2027: 11 January is 成人の日, moved to the next working day.
  auto r = test::RunCliIn(dir, {"repeat", "--from", "2027/01/04", "--to", "2027/01/25", "--every", "毎", "--pattern",
                                "週", "--weekday", "1", "--shift", "after", "--on", "祝日"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2027/01/04\n2027/01/12\n2027/01/18\n2027/01/25\ncount\t4\n");
}

}  // namespace
}  // namespace kal::cli
