#include "maintenance/DataDeletion.h"

#include <gtest/gtest.h>

#include "support/CliRun.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::maintenance {
namespace {

using platform::MsgAnswer;
using store::MakeDate;

app::Folders Shared(const test::TempFolder& dir) {
  app::Folders f;
  f.program = f.data = f.memo = f.todo = f.note = f.category = f.table = dir.path();
  app::FileNameSet(f);
  return f;
}

TEST(DataDeletion, LimitMonthFollowsTheMonthsBack) {
  struct Case {
    int y, m, n;
    YearMonth limit;
  };
  const Case cases[] = {{2024, 3, 3, {2023, 12}}, {2024, 3, 2, {2024, 1}}, {2024, 3, 1, {2024, 2}},
                        {2024, 5, 12, {2023, 5}}, {2024, 1, 12, {2023, 1}}, {2024, 12, 12, {2023, 12}},
                        {2024, 6, 6, {2023, 12}}, {2024, 7, 6, {2024, 1}}};
  for (const Case& c : cases) EXPECT_EQ(DeletionLimit(MakeDate(c.y, c.m, 15), c.n), c.limit) << c.y << c.m << c.n;
}

TEST(DataDeletion, OnlyExactMonthAndDayNamesCount) {
  EXPECT_EQ(MonthOfFileName("202312.sch", ".sch"), (YearMonth{2023, 12}));
  EXPECT_EQ(MonthOfFileName("202312.SCH", ".sch"), (YearMonth{2023, 12}));
  for (const char* bad : {"202401 (2).sch", "2023121.sch", "20231231.sch", "202313.sch", "abcdef.sch", "202312.day"})
    EXPECT_FALSE(MonthOfFileName(bad, ".sch")) << bad;
}

TEST(DataDeletion, ThreeMonthsBackOnTheFifteenthOfMarch) {
  test::TempFolder dir;
  for (const char* name : {"202312.sch", "202312.dtl", "202312.day", "202401.sch", "202401.dtl", "20231231.mem",
                           "202312.mem", "20240101.mem", "202401.mem", "202311.sch", "202401 (2).sch", "Holiday.dat",
                           "Todokl.dtl"})
    dir.Write(name, "x");
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  dialogs.answers = {MsgAnswer::Yes};
  const DeletionResult result = BtnDataDelClick(fs, dialogs, Shared(dir), MakeDate(2024, 3, 15), 3);
  const std::vector<std::string> expected = {dir / "202311.sch", dir / "202312.sch", dir / "202312.dtl",
                                             dir / "202312.mem", dir / "20231231.mem"};
  EXPECT_EQ(result.deleted, expected);
  for (const char* kept : {"202312.day", "202401.sch", "202401.dtl", "20240101.mem", "202401.mem", "202401 (2).sch",
                           "Holiday.dat", "Todokl.dtl"})
    EXPECT_TRUE(dir.Exists(kept)) << kept;
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, "2023年12月以前のスケジュールとメモを削除します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown[0].caption, "データの削除");
  EXPECT_EQ(dialogs.shown[1].text, "データ削除完了しました。");
}

TEST(DataDeletion, NoOldFilesAsksNothingAndNoDeletesNothing) {
  test::TempFolder dir;
  dir.Write("202405.sch", "x");
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  BtnDataDelClick(fs, dialogs, Shared(dir), MakeDate(2024, 5, 15), 12);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "削除するデータはありません。");

  dir.Write("202305.sch", "x");
  test::FakeDialogs no;
  no.answers = {MsgAnswer::No};
  const DeletionResult result = BtnDataDelClick(fs, no, Shared(dir), MakeDate(2024, 5, 15), 12);
  EXPECT_TRUE(result.asked);
  EXPECT_EQ(no.shown[0].text, "2023年 5月以前のスケジュールとメモを削除します。\nよろしいですか？");
  EXPECT_TRUE(dir.Exists("202305.sch"));
}

TEST(CliDeleteOld, ListsThenDeletesWithYes) {
  test::TempFolder dir;
  for (const char* name : {"202312.sch", "202312.dtl", "20231231.mem", "202401.sch"}) dir.Write(name, "x");
  const auto listed = test::RunCliIn(dir, {"--today", "2024/03/15", "delete-old", "3"});
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out, "202312.sch\n202312.dtl\n20231231.mem\n");
  EXPECT_TRUE(dir.Exists("202312.sch"));
  const auto deleted = test::RunCliIn(dir, {"--today", "2024/03/15", "delete-old", "3", "--yes"});
  EXPECT_EQ(deleted.out, listed.out);
  EXPECT_FALSE(dir.Exists("202312.sch"));
  EXPECT_FALSE(dir.Exists("20231231.mem"));
  EXPECT_TRUE(dir.Exists("202401.sch"));
  EXPECT_EQ(test::RunCliIn(dir, {"delete-old", "4"}).status, 2);
}

}  // namespace
}  // namespace kal::maintenance
