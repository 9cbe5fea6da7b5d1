#include "app/Startup.h"

#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

using platform::MsgIcon;

class StartupTest : public ::testing::Test {
 protected:
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 0, 0}};

  Session Start() {
    CommandLine cl;
    cl.program_folder = dir.path();
    return StartSession(cl, "/opt/kalendor", "", kDefaultFontName, {fs, dialogs, clock});
  }
};

TEST_F(StartupTest, ResolvesFoldersFromTheSettings) {
  dir.MakeFolder("Data");
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "RelativePath=1", "DataPath=Data\\"});
  Session s = Start();
  EXPECT_FALSE(s.first_run);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(s.program_folder, dir.path());
  EXPECT_EQ(s.settings_file, dir / "Kalendor.ini");
  EXPECT_EQ(s.folders.data, dir / "Data/");
  EXPECT_EQ(s.folders.memo, dir / "Data/");  // the memo folder defaults to the data folder read
  EXPECT_EQ(s.folders.category, dir.path());
  EXPECT_EQ(s.folders.holiday_file, dir / "Data/Holiday.dat");
}

TEST_F(StartupTest, AMissingFileIsAFirstRunWithDefaults) {
  Session s = Start();
  EXPECT_TRUE(s.first_run);
  EXPECT_EQ(s.folders.data, dir.path());
  EXPECT_FALSE(dir.Exists("Kalendor.ini"));  // start-up writes nothing
  EXPECT_EQ(s.settings.window.grid_mode, 4);
}

TEST_F(StartupTest, AMissingFolderIsReportedOnceAndLoadingGoesOn) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "DataPath=nowhere", "MemoPath=neither"});
  Session s = Start();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "指定したデータフォルダは存在しません。\n環境設定を確認して下さい。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Error);
  EXPECT_EQ(s.folders.data, dir / "nowhere/");
}

TEST_F(StartupTest, AnOldVersionLosesItsOldKeysInTheFile) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.60", "[Monthly]", "ItemView=0000", "RightWidth=200"});
  Session s = Start();
  EXPECT_TRUE(s.first_run);
  EXPECT_EQ(dir.Read("Kalendor.ini"), "[Kalendor]\r\nVer=5.60\r\n[Monthly]\r\nRightWidth=200\r\n");
  EXPECT_EQ(s.settings.view_mode(4).right_width, 200);
}

TEST_F(StartupTest, PasswordSettingWithoutAPasswordFile) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[View]", "Passwd=1"});
  Start();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "パスワード入力画面表示設定になっていますが、\nパスワードが設定されていません。");
  EXPECT_EQ(dialogs.shown[0].caption, "パスワード設定エラー");
}

TEST_F(StartupTest, YearTurnMarksTheLayoutForSaving) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[Window]", "Now=2026"});
  clock.Set({store::MakeDate(2027, 1, 7), 8, 0, 0});
  EXPECT_TRUE(Start().layout_changed);
  clock.Set({store::MakeDate(2027, 1, 8), 8, 0, 0});
  EXPECT_FALSE(Start().layout_changed);
}

TEST_F(StartupTest, AnUnreadableSettingsFileStopsStartUp) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71"});
  fs.unreadable.insert(dir / "Kalendor.ini");
  EXPECT_THROW(Start(), store::FileError);
  EXPECT_EQ(fs.writes, 0);
}

}  // namespace
}  // namespace kal::app
