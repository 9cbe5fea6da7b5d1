#include "app/Folders.h"

#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

using platform::MsgIcon;

TEST(Folders, ResolvesRelativeWindowsStyleAndEmptyValues) {
  FolderValues v{1, "Data\\", "", "/abs/todo", "notes", ".\\cat\\", "tbl"};
  Folders f = ResolveFolders(v, "/p/");
  EXPECT_EQ(f.program, "/p/");
  EXPECT_EQ(f.data, "/p/Data/");
  EXPECT_EQ(f.memo, "/p/");
  EXPECT_EQ(f.todo, "/abs/todo/");
  EXPECT_EQ(f.note, "/p/notes/");
  EXPECT_EQ(f.category, "/p/cat/");
  EXPECT_EQ(f.table, "/p/tbl/");
  EXPECT_EQ(f.category_file, "/p/cat/Category.tbl");
  EXPECT_EQ(f.holiday_file, "/p/Data/Holiday.dat");
  EXPECT_EQ(f.todo_file, "/abs/todo/Todokl.dat");
}

TEST(Folders, CheckFindsAValueThatIsNotAFolder) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  dir.MakeFolder("data");
  EXPECT_TRUE(FoldersExist({0, "data", "", "", "", "", ""}, dir.path(), fs));
  EXPECT_FALSE(FoldersExist({0, "data", "nomemo", "", "", "", ""}, dir.path(), fs));
}

class FolderSetTest : public ::testing::Test {
 protected:
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  void SetUp() override {
    dir.MakeFolder("d1");
    dir.MakeFolder("d2");
  }
};

TEST_F(FolderSetTest, NamesAreFileNamesWithoutTheFinalExtension) {
  dir.Write("仕事.fld", "");
  dir.Write("my.home.fld", "");
  dir.Write("other.txt", "");
  EXPECT_EQ(FolderSetNames(fs, dir.path()), (std::vector<std::string>{"my.home", "仕事"}));
}

TEST_F(FolderSetTest, RefusesUnsafeNames) {
  for (const char* bad : {"", "../x", "a/b", "a\\b", "..", "a\tb"}) EXPECT_FALSE(ValidFolderSetName(bad)) << bad;
  EXPECT_TRUE(ValidFolderSetName("仕事 2024"));
  EXPECT_EQ(LoadFolderSet(fs, dir.path(), "../x").status, FolderSetStatus::Missing);
}

TEST_F(FolderSetTest, LineCountsDecideAcceptance) {
  dir.WriteLines("five.fld", {"0", "d1", "d1", "d1", "d1"});
  EXPECT_EQ(LoadFolderSet(fs, dir.path(), "five").status, FolderSetStatus::TooShort);

  dir.WriteLines("six.fld", {"1", "d1\\", "", "d2", "d2", "d1"});
  FolderSetLoad six = LoadFolderSet(fs, dir.path(), "six");
  ASSERT_EQ(six.status, FolderSetStatus::Ok);
  EXPECT_EQ(six.values, (FolderValues{1, "d1\\", "", "d2", "d2", "d1", dir.path()}));

  dir.WriteLines("bad.fld", {"0", "d1", "nowhere", "d1", "d1", "d1", "d1"});
  EXPECT_EQ(LoadFolderSet(fs, dir.path(), "bad").status, FolderSetStatus::MissingFolder);
  EXPECT_EQ(LoadFolderSet(fs, dir.path(), "absent").status, FolderSetStatus::Missing);
}

TEST_F(FolderSetTest, SwitchWritesTheSettingsOrRefusesWithAMessage) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "todopath=old"});
  dir.WriteLines("ok.fld", {"1", "d1", "d1", "d2", "d2", "", "d1"});
  auto values = SwitchFolderSet(fs, dialogs, dir.path(), dir / "Kalendor.ini", "ok");
  ASSERT_TRUE(values);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(dir.Read("Kalendor.ini"),
            "[Kalendor]\r\nVer=5.71\r\ntodopath=d2\r\nRelativePath=1\r\nDataPath=d1\r\nMemoPath=d1\r\n"
            "NotePath=d2\r\nCatePath=\r\nTblPath=d1\r\n");

  dir.WriteLines("bad.fld", {"0", "d1", "d1", "gone", "d1", "d1", "d1"});
  EXPECT_FALSE(SwitchFolderSet(fs, dialogs, dir.path(), dir / "Kalendor.ini", "bad"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "指定したデータフォルダは存在しません。");
  EXPECT_EQ(dialogs.shown[0].caption, "フォルダエラー");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Error);
}

TEST_F(FolderSetTest, SavesWithTrailingSeparatorsAndEmptyLines) {
  SaveFolderSet(fs, dir.path(), "set", {1, "d1", "", "d2/", "d2", "d1", "d1"});
  EXPECT_EQ(dir.Read("set.fld"), "1\r\nd1/\r\n\r\nd2/\r\nd2/\r\nd1/\r\nd1/\r\n");
}

TEST(CommandLine, SwitchesInFirstOrSecondPlace) {
  struct Case {
    std::vector<std::string> args;
    bool second, per_user;
    std::string folder;
  } cases[] = {
      {{}, false, false, ""},
      {{"/U"}, false, true, ""},
      {{"/2", "/u"}, true, true, ""},
      {{"x", "/U"}, false, true, ""},
      {{"x", "y", "/U"}, false, false, ""},
      {{"--program-folder", "/tmp/k", "/2"}, true, false, "/tmp/k"},
  };
  for (const auto& c : cases) {
    CommandLine cl = ParseCommandLine(c.args);
    EXPECT_EQ(cl.allow_second_instance, c.second);
    EXPECT_EQ(cl.per_user_folder, c.per_user);
    EXPECT_EQ(cl.program_folder, c.folder);
  }
}

// "--activate" stands anywhere and does not take a switch's place.
TEST(CommandLine, ActivateSwitch) {
  EXPECT_FALSE(ParseCommandLine({"/U"}).activate);
  const CommandLine cl = ParseCommandLine({"--activate", "/2", "/U"});
  EXPECT_TRUE(cl.activate);
  EXPECT_TRUE(cl.allow_second_instance);
  EXPECT_TRUE(cl.per_user_folder);
  EXPECT_TRUE(ParseCommandLine({"/U", "--program-folder", "/tmp/k", "--activate"}).activate);
}

// The measuring switches of the benchmarks stand anywhere and take no switch's place.
TEST(CommandLine, MeasuringSwitches) {
  const CommandLine plain = ParseCommandLine({"/2"});
  EXPECT_FALSE(plain.quit_after_first_paint);
  EXPECT_FALSE(plain.cycle_views_then_quit);
  const CommandLine quit = ParseCommandLine({"--quit-after-first-paint", "/2", "/U"});
  EXPECT_TRUE(quit.quit_after_first_paint);
  EXPECT_FALSE(quit.cycle_views_then_quit);
  EXPECT_TRUE(quit.allow_second_instance);
  EXPECT_TRUE(quit.per_user_folder);
  const CommandLine cycle = ParseCommandLine({"/2", "--program-folder", "/tmp/k", "--cycle-views-then-quit"});
  EXPECT_TRUE(cycle.cycle_views_then_quit);
  EXPECT_EQ(cycle.program_folder, "/tmp/k");
}

TEST(CommandLine, PerUserFolderIsCreatedOnceWithAMessage) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  CommandLine cl = ParseCommandLine({"/U"});
  std::string folder = ResolveProgramFolder(cl, "/opt/kalendor", dir.path(), fs, dialogs);
  EXPECT_EQ(folder, dir.path() + "Kalendor/");
  EXPECT_TRUE(dir.Exists("Kalendor"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "フォルダ \"" + folder + "\" を作成しました。");
  EXPECT_EQ(dialogs.shown[0].caption, "確認");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Information);
  EXPECT_EQ(ResolveProgramFolder(cl, "/opt/kalendor", dir.path(), fs, dialogs), folder);
  EXPECT_EQ(dialogs.shown.size(), 1u);
  // Without "/U", or when the per-user folder does not exist, the executable's folder.
  EXPECT_EQ(ResolveProgramFolder({}, "/opt/kalendor", dir.path(), fs, dialogs), "/opt/kalendor/");
  EXPECT_EQ(ResolveProgramFolder(cl, "/opt/kalendor", dir / "none", fs, dialogs), "/opt/kalendor/");
}

}  // namespace
}  // namespace kal::app
