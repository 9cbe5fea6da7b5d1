#include <gtest/gtest.h>

#include <sstream>

#include "cli/Cli.h"
#include "store/Settings.h"
#include "support/CliRun.h"

namespace kal::cli {
namespace {

struct Listing {
  int status;
  std::vector<std::string> lines;
  std::string err;
};

Listing Settings(const test::TempFolder& folder, std::vector<std::string> extra = {}) {
  std::vector<std::string> args = {"--program-folder", folder.path(), "settings"};
  args.insert(args.end(), extra.begin(), extra.end());
  test::CliRun r = test::RunCliCapture(args);
  std::vector<std::string> lines;
  std::istringstream in(r.out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return {r.status, lines, r.err};
}

bool Has(const Listing& r, const std::string& line) {
  return std::find(r.lines.begin(), r.lines.end(), line) != r.lines.end();
}

TEST(CliSettings, ListsTheHeldValuesOfAHandMadeFolder) {
  test::TempFolder folder;
  folder.MakeFolder("data");  // a data folder that does not exist stops every command
  folder.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "DataPath=data\\", "RelativePath=1", "[Window]",
                                     "GridMode=0", "Title=\"予定\ttab\"", "[View]", "MemoMark=★",
                                     "SchItemWidth=1,2,3,4,5,6,7,8,9", "[Color]", "SUN=$123456"});
  Listing r = Settings(folder);
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_FALSE(r.lines.empty());
  EXPECT_EQ(r.lines.front(), "Kalendor\tVer\t5.71");
  EXPECT_EQ(r.lines[1], "Kalendor\tRelativePath\t1");
  EXPECT_TRUE(Has(r, "Kalendor\tDataPath\tdata\\\\"));
  EXPECT_TRUE(Has(r, "Kalendor\tMemoPath\tdata\\\\"));
  EXPECT_TRUE(Has(r, "Kalendor\tCatePath\t" + folder.path()));
  EXPECT_TRUE(Has(r, "Window\tGridMode\t1"));
  EXPECT_TRUE(Has(r, "Window\tTitle\t予定\\ttab"));
  EXPECT_TRUE(Has(r, "Window\tSysFont\tIPAexGothic,9,0"));
  EXPECT_TRUE(Has(r, "View\tMemoMark\t★"));
  EXPECT_TRUE(Has(r, "View\tSchItemWidth\t1,2,3,4,5,6,7,8,9,32"));
  EXPECT_TRUE(Has(r, "Color\tSUN\t$123456,$E0D0FE"));
  EXPECT_TRUE(Has(r, "Font\tSch\tIPAexGothic,9,0"));
  EXPECT_EQ(r.lines.back(), "Color\tVHD\t$804000,$F8EDE4");
  EXPECT_EQ(r.lines.size(), store::SettingsKeys({}).size());
}

TEST(CliSettings, SectionsFollowTheTableOrderWithViewsInModeOrder) {
  test::TempFolder folder;
  Listing r = Settings(folder);
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> sections;
  for (const auto& line : r.lines) {
    std::string section = line.substr(0, line.find('\t'));
    if (sections.empty() || sections.back() != section) sections.push_back(section);
  }
  EXPECT_EQ(sections, (std::vector<std::string>{"Kalendor", "Window", "Mini", "Tray", "View", "Daily", "Vertical",
                                                "Weekly", "Monthly", "Yearly", "Monthly2", "Monthly3", "Yearly2", "ToDo",
                                                "Memo", "Note", "Alarm", "Signal", "File", "List", "Sync", "Font", "Color"}));
  // A missing file: every default, the data folder being the program folder.
  EXPECT_EQ(r.lines.front(), "Kalendor\tVer\t0.00");
  EXPECT_TRUE(Has(r, "Kalendor\tDataPath\t" + folder.path()));
  EXPECT_TRUE(Has(r, "Yearly2\tItemView\t1100000001111101000011110001011"));
}

TEST(CliSettings, AnOldVersionLosesItsDisplayItemsAsAtStartUp) {
  test::TempFolder folder;
  folder.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.60", "[Daily]", "ItemView=0000000000000000000000000000000",
                                     "LinePitch=7"});
  Listing r = Settings(folder);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(Has(r, "Daily\tItemView\t1111111101111111111111111111100"));
  EXPECT_TRUE(Has(r, "Daily\tLinePitch\t7"));
  // The listing never writes the file.
  EXPECT_NE(folder.Read("Kalendor.ini").find("ItemView=000"), std::string::npos);
}

TEST(CliSettings, ArgumentsAreAUsageErrorAndAnUnreadableFileAnError) {
  test::TempFolder folder;
  EXPECT_EQ(Settings(folder, {"extra"}).status, 2);
  folder.MakeFolder("Kalendor.ini");
  Listing r = Settings(folder);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.lines.empty());
  EXPECT_FALSE(r.err.empty());
}

}  // namespace
}  // namespace kal::cli
