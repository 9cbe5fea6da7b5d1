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

// A data folder or program folder that does not exist stops every command that reads them, with
// the message and exit status 1, and nothing is created.
TEST(CliFolders, AMissingFolderStopsTheCommand) {
  test::TempFolder dir;
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "DataPath=gone"});
  const std::string ini = dir.Read("Kalendor.ini");
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"schedules", "202401"}, {"folders"}, {"todos"}, {"settings"},
        {"add-schedule", "--date", "2024/01/05", "--title", "x"}}) {
    test::CliRun r = test::RunCliIn(dir, command);
    EXPECT_EQ(r.status, 1) << command[0];
    EXPECT_EQ(r.err, "指定したデータフォルダは存在しません。\n環境設定を確認して下さい。\n") << command[0];
    EXPECT_EQ(r.out, "") << command[0];
  }
  EXPECT_FALSE(dir.Exists("gone"));
  EXPECT_EQ(dir.Read("Kalendor.ini"), ini);
}

TEST(CliFolders, AProgramFolderThatDoesNotExistStopsTheCommand) {
  test::TempFolder dir;
  const std::string missing = dir.path() + "nowhere/";
  for (const std::vector<std::string>& command :
       {std::vector<std::string>{"schedules", "202401"}, {"folders"}, {"memos", "202401"},
        {"set-memo", "2024/01/05", "x"}}) {
    std::vector<std::string> args = {"--program-folder", missing};
    args.insert(args.end(), command.begin(), command.end());
    test::CliRun r = test::RunCliCapture(args);
    EXPECT_EQ(r.status, 1) << command[0];
    EXPECT_EQ(r.err, "プログラムフォルダが見つかりません: " + missing + "\n") << command[0];
    EXPECT_EQ(r.out, "") << command[0];
  }
  EXPECT_FALSE(dir.Exists("nowhere"));
}

}  // namespace
}  // namespace kal::cli
