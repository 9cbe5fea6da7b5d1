#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

TEST(CliFolders, PrintsTheResolvedFoldersOfAHandMadeProgramFolder) {
  test::TempFolder dir;
  dir.MakeFolder("Data");
  dir.MakeFolder("Todo");
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "RelativePath=1", "DataPath=Data\\", "TodoPath=Todo",
                                  "CatePath=" + dir.path() + "Data/"});
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"--program-folder", dir.path(), "folders"}, out, err), 0);
  const std::string p = dir.path();
  EXPECT_EQ(out.str(), "program\t" + p + "\ndata\t" + p + "Data/\nmemo\t" + p + "Data/\ntodo\t" + p +
                           "Todo/\nnote\t" + p + "Data/\ncategory\t" + p + "Data/\ntable\t" + p +
                           "\ncategoryfile\t" + p + "Data/Category.tbl\nholidayfile\t" + p +
                           "Data/Holiday.dat\ntodofile\t" + p + "Todo/Todokl.dat\n");
  EXPECT_EQ(err.str(), "");
}

TEST(CliFolders, AMissingFolderIsReportedAndTheCommandGoesOn) {
  test::TempFolder dir;
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "DataPath=gone"});
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"--program-folder", dir.path(), "schedules", "202401"}, out, err), 0);
  EXPECT_EQ(err.str(), "指定したデータフォルダは存在しません。\n環境設定を確認して下さい。\n");
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace kal::cli
