#include "store/IniFile.h"

#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::store {
namespace {

using Lines = std::vector<std::string>;

TEST(IniFile, ReadsWithoutRegardToCaseAndKeepsUnknownLines) {
  IniFile ini = IniFile::FromLines({"; comment", "[Kalendor]", "Ver = 5.71 ", "todopath=D:\\Todo\\", "",
                                    "[window]", "Height=abc", "Width=$10", "Top=-5", "x=1", "X=2"});
  EXPECT_EQ(ini.ReadString("KALENDOR", "Ver", ""), "5.71");
  EXPECT_EQ(ini.ReadString("Kalendor", "TodoPath", ""), "D:\\Todo\\");
  EXPECT_EQ(ini.ReadInteger("Window", "Height", 680), 680);
  EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 16);
  EXPECT_EQ(ini.ReadInteger("Window", "Top", 1), -5);
  EXPECT_EQ(ini.ReadInteger("Window", "X", 0), 1);  // the first occurrence wins
  EXPECT_FALSE(ini.Value("Window", "Missing"));
  EXPECT_FALSE(ini.Value("Nowhere", "Ver"));
  EXPECT_EQ(ini.Lines()[0], "; comment");
}

TEST(IniFile, BoolIsAnyNonZeroNumber) {
  IniFile ini = IniFile::FromLines({"[V]", "a=1", "b=0", "c=2", "d=yes", "e="});
  EXPECT_TRUE(ini.ReadBool("V", "a", false));
  EXPECT_FALSE(ini.ReadBool("V", "b", true));
  EXPECT_TRUE(ini.ReadBool("V", "c", false));
  EXPECT_TRUE(ini.ReadBool("V", "d", true));
  EXPECT_FALSE(ini.ReadBool("V", "e", false));
}

TEST(IniFile, WritesInPlaceAppendsNewKeysAndSections) {
  IniFile ini = IniFile::FromLines({"[Window]", "Height=1", "Other=keep", "", "[View]", "ToolBar=1"});
  ini.WriteInteger("window", "height", 700);
  ini.WriteInteger("Window", "Width", 900);
  ini.WriteBool("Tray", "TaskTray", true);
  EXPECT_EQ(ini.Lines(), (Lines{"[Window]", "Height=700", "Other=keep", "Width=900", "", "[View]", "ToolBar=1",
                                "[Tray]", "TaskTray=1"}));
  ini.EraseSection("view");
  ini.DeleteKey("Window", "OTHER");
  EXPECT_EQ(ini.Lines(), (Lines{"[Window]", "Height=700", "Width=900", "", "[Tray]", "TaskTray=1"}));
}

TEST(IniFile, FlushesCp932AtomicallyAndStopsOnAnUnreadableFile) {
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  IniFile ini;
  ini.WriteString("View", "MemoMark", "◆");
  ini.Flush(fs, dir / "Kalendor.ini");
  EXPECT_EQ(dir.Read("Kalendor.ini"), "[View]\r\nMemoMark=\x81\x9F\r\n");
  EXPECT_EQ(IniFile::Load(fs, dir / "Kalendor.ini").ReadString("View", "MemoMark", ""), "◆");
  EXPECT_TRUE(IniFile::Load(fs, dir / "none.ini").Lines().empty());
  fs.unreadable.insert(dir / "Kalendor.ini");
  EXPECT_THROW(IniFile::Load(fs, dir / "Kalendor.ini"), FileError);
}

TEST(IniFile, IntegerConversion) {
  struct Case {
    const char* text;
    std::optional<int> value;
  } cases[] = {{"12", 12}, {" -3 ", -3}, {"+4", 4}, {"$FF", 255}, {"0x10", 16}, {"$FFFFFFFF", -1},
               {"1.5", std::nullopt}, {"", std::nullopt}, {"99999999999", std::nullopt}, {"$", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace kal::store
