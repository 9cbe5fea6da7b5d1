#include <gtest/gtest.h>

#include "cli/Cli.h"
#include "support/CliRun.h"

namespace kal::cli {
namespace {

TEST(CliFolders, PrintsTheResolvedFoldersOfAHandMadeProgramFolder) {
  test::TempFolder dir;
  dir.MakeFolder("Data");
  dir.MakeFolder("Todo");
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "RelativePath=1", "DataPath=Data\\", "TodoPath=Todo",
                                  "CatePath=" + dir.path() + "Data/"});
  test::CliRun r = test::RunCliIn(dir, {"folders"});
  EXPECT_EQ(r.status, 0);
  const std::string p = dir.path();
  EXPECT_EQ(r.out, "program\t" + p + "\ndata\t" + p + "Data/\nmemo\t" + p + "Data/\ntodo\t" + p +
                           "Todo/\nnote\t" + p + "Data/\ncategory\t" + p + "Data/\ntable\t" + p +
                           "\ncategoryfile\t" + p + "Data/Category.tbl\nholidayfile\t" + p +
                           "Data/Holiday.dat\ntodofile\t" + p + "Todo/Todokl.dat\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliFolders, AMissingFolderIsReportedAndTheCommandGoesOn) {
  test::TempFolder dir;
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "DataPath=gone"});
  test::CliRun r = test::RunCliIn(dir, {"schedules", "202401"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "指定したデータフォルダは存在しません。\n環境設定を確認して下さい。\n");
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace kal::cli
