#include "catalogues/Icons.h"

#include <gtest/gtest.h>

#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

// Any bytes starting with "BM" pass as an image here; the window decodes real bitmaps.
bool LooksLikeBitmap(const std::string& bytes) { return bytes.rfind("BM", 0) == 0; }

std::string Line(const char* name, int icon) {
  std::string line = std::string(name) + std::string(14 - std::string(name).size(), ' ') + "1 ";
  line += std::string(16, ' ');
  if (icon > 0) line += IconNumberText(icon);
  return line;
}

TEST(IconNames, BuiltInNamesAndFileNames) {
  EXPECT_EQ(BuiltInIconName(1), "祝日");
  EXPECT_EQ(BuiltInIconName(3), "記念日1");
  EXPECT_EQ(BuiltInIconName(5), "記念日3");
  EXPECT_EQ(BuiltInIconName(6), "");
  EXPECT_EQ(IconFileName(7), "Klcat007.bmp");
  EXPECT_EQ(IconFileName(99), "Klcat099.bmp");
}

TEST(IconFiles, OnlyNumberedNamesCount) {
  test::TempFolder dir;
  for (const char* name : {"Klcat006.bmp", "KLCAT008.BMP", "Klcatabc.bmp", "Klcat000.bmp", "Klcat100.bmp",
                           "Klcat07.bmp", "Klcat009.bmp.bak"})
    dir.Write(name, "BM");
  platform::PosixFileSystem fs;
  auto files = IconFiles(fs, dir.path());
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files.at(6), dir / "Klcat006.bmp");
  EXPECT_EQ(files.at(8), dir / "KLCAT008.BMP");
  // Writing number 8 goes to the file already there rather than beside it.
  EXPECT_EQ(IconWritePath(fs, dir.path(), 8), dir / "KLCAT008.BMP");
  EXPECT_EQ(IconWritePath(fs, dir.path(), 9), dir / "Klcat009.bmp");
}

TEST(IconLoadPlan, OverridesFirstThenUsedIconsWithFiles) {
  test::TempFolder dir;
  for (const char* name : {"Klcat002.bmp", "Klcat010.bmp", "Klcat020.bmp", "Klcat030.bmp"}) dir.Write(name, "BM");
  platform::PosixFileSystem fs;
  // Icon 3 has no file: it keeps its built-in image and is not loaded; 11 has no file: no image;
  // 30 has a file but no category uses it.
  std::vector<std::string> lines = {Line("A", 20), Line("B", 3), Line("C", 11), Line("D", 10), Line("E", 20),
                                    Line("F", 0)};
  auto plan = IconLoadPlan(fs, dir.path(), lines);
  std::vector<IconFile> expected = {{2, dir / "Klcat002.bmp"}, {10, dir / "Klcat010.bmp"}, {20, dir / "Klcat020.bmp"}};
  EXPECT_EQ(plan, expected);
}

TEST(IconList, BuiltInsThenUsedThenUnusedFiles) {
  test::TempFolder dir;
  for (const char* name : {"Klcat001.bmp", "Klcat007.bmp", "Klcat009.bmp", "Klcat012.bmp"}) dir.Write(name, "BM");
  platform::PosixFileSystem fs;
  std::vector<std::string> lines = {Line("A", 12), Line("B", 4), Line("C", 8)};
  auto list = BuildIconList(fs, dir.path(), lines);
  std::vector<IconListEntry> expected = {
      {1, IconKind::BuiltIn, dir / "Klcat001.bmp"}, {2, IconKind::BuiltIn, ""}, {3, IconKind::BuiltIn, ""},
      {4, IconKind::BuiltIn, ""},                   {5, IconKind::BuiltIn, ""}, {8, IconKind::InUse, ""},
      {12, IconKind::InUse, dir / "Klcat012.bmp"},  {7, IconKind::Unused, dir / "Klcat007.bmp"},
      {9, IconKind::Unused, dir / "Klcat009.bmp"},
  };
  EXPECT_EQ(list, expected);
}

TEST(IconList, ButtonsFollowTheKindOfIcon) {
  struct Case {
    IconListEntry entry;
    bool change, remove;
  } cases[] = {
      {{1, IconKind::BuiltIn, ""}, true, false},
      {{1, IconKind::BuiltIn, "/x/Klcat001.bmp"}, true, true},
      {{8, IconKind::InUse, "/x/Klcat008.bmp"}, true, false},
      {{9, IconKind::Unused, "/x/Klcat009.bmp"}, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry.number);
    EXPECT_EQ(IconButtonsFor(c.entry).change, c.change);
    EXPECT_EQ(IconButtonsFor(c.entry).remove, c.remove);
  }
}

TEST(IconAdd, TakesTheLowestFreeUserNumber) {
  test::TempFolder dir;
  dir.Write("Klcat006.bmp", "BM6");
  dir.Write("Klcat008.bmp", "BM8");
  dir.Write("new.bmp", "BMnew");
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  dialogs.file_names.push_back(dir / "new.bmp");
  auto number = IconAdd(fs, dialogs, dir.path(), {}, LooksLikeBitmap);
  EXPECT_EQ(number, 7);
  EXPECT_EQ(dir.Read("Klcat007.bmp"), "BMnew");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(IconAdd, NumbersUsedByACategoryWithoutAFileAreNotFree) {
  test::TempFolder dir;
  dir.Write("Klcat006.bmp", "BM");
  platform::PosixFileSystem fs;
  EXPECT_EQ(FreeUserIconNumber(fs, dir.path(), {Line("A", 7)}), 8);
}

TEST(IconAdd, RefusesWhenEveryUserNumberIsTaken) {
  test::TempFolder dir;
  for (int n = 6; n <= 99; ++n) dir.Write(IconFileName(n), "BMold");
  dir.Write("new.bmp", "BMnew");
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  dialogs.file_names.push_back(dir / "new.bmp");
  EXPECT_EQ(IconAdd(fs, dialogs, dir.path(), {}, LooksLikeBitmap), std::nullopt);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, kIconListFullMessage);
  EXPECT_EQ(dialogs.shown[0].caption, "アイコンの追加");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Error);
  EXPECT_EQ(dir.Read("Klcat099.bmp"), "BMold");
  EXPECT_EQ(dialogs.file_names.size(), 1u);  // no file chooser was shown
}

TEST(IconAdd, UnreadableChoiceIsReportedAndNotCopied) {
  test::TempFolder dir;
  dir.Write("notes.txt", "hello");
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  dialogs.file_names.push_back(dir / "notes.txt");
  dialogs.file_names.push_back(dir / "missing.bmp");
  EXPECT_EQ(IconAdd(fs, dialogs, dir.path(), {}, LooksLikeBitmap), std::nullopt);
  EXPECT_EQ(IconAdd(fs, dialogs, dir.path(), {}, LooksLikeBitmap), std::nullopt);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, dir / "notes.txt" + " Read Error");
  EXPECT_EQ(dialogs.shown[0].caption, "ERROR");
  EXPECT_EQ(dialogs.shown[1].text, dir / "missing.bmp" + " Read Error");
  EXPECT_FALSE(dir.Exists("Klcat006.bmp"));
}

TEST(IconAdd, FailedWriteIsAFileError) {
  test::TempFolder dir;
  dir.Write("new.bmp", "BM");
  test::FaultyFileSystem fs;
  fs.unwritable.insert(dir / "Klcat006.bmp");
  test::FakeDialogs dialogs;
  dialogs.file_names.push_back(dir / "new.bmp");
  EXPECT_THROW(IconAdd(fs, dialogs, dir.path(), {}, LooksLikeBitmap), store::FileError);
}

TEST(IconChange, OverridesABuiltInOrReplacesAUserIcon) {
  test::TempFolder dir;
  dir.Write("Klcat008.bmp", "BMold");
  dir.Write("new.bmp", "BMnew");
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  dialogs.file_names.push_back(dir / "new.bmp");
  dialogs.file_names.push_back(dir / "new.bmp");
  EXPECT_TRUE(IconChange(fs, dialogs, dir.path(), {3, IconKind::BuiltIn, ""}, LooksLikeBitmap));
  EXPECT_EQ(dir.Read("Klcat003.bmp"), "BMnew");
  EXPECT_TRUE(IconChange(fs, dialogs, dir.path(), {8, IconKind::InUse, dir / "Klcat008.bmp"}, LooksLikeBitmap));
  EXPECT_EQ(dir.Read("Klcat008.bmp"), "BMnew");
  // An icon not in use cannot be changed.
  dialogs.file_names.push_back(dir / "new.bmp");
  EXPECT_FALSE(IconChange(fs, dialogs, dir.path(), {9, IconKind::Unused, dir / "Klcat009.bmp"}, LooksLikeBitmap));
  EXPECT_FALSE(dir.Exists("Klcat009.bmp"));
}

TEST(IconDelete, AsksThenDeletesAndForABuiltInSaysItReturnsAfterARestart) {
  test::TempFolder dir;
  dir.Write("Klcat002.bmp", "BM");
  dir.Write("Klcat009.bmp", "BM");
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Yes};

  const IconListEntry builtin{2, IconKind::BuiltIn, dir / "Klcat002.bmp"};
  EXPECT_FALSE(IconDelete(fs, dialogs, builtin));
  EXPECT_TRUE(dir.Exists("Klcat002.bmp"));
  EXPECT_TRUE(IconDelete(fs, dialogs, builtin));
  EXPECT_FALSE(dir.Exists("Klcat002.bmp"));
  EXPECT_TRUE(IconDelete(fs, dialogs, {9, IconKind::Unused, dir / "Klcat009.bmp"}));
  EXPECT_FALSE(dir.Exists("Klcat009.bmp"));

  ASSERT_EQ(dialogs.shown.size(), 4u);
  EXPECT_EQ(dialogs.shown[0].text, "アイコン番号: 002 を削除しますか？");
  EXPECT_EQ(dialogs.shown[0].caption, "削除");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Warning);
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(dialogs.shown[2].text, "002 は再起動することで表示されます。");
  EXPECT_EQ(dialogs.shown[2].caption, "確認");
  EXPECT_EQ(dialogs.shown[2].icon, MsgIcon::Information);
  EXPECT_EQ(dialogs.shown[3].text, "アイコン番号: 009 を削除しますか？");
}

TEST(IconDelete, IconsInUseAndBuiltInsWithoutAFileCannotBeDeleted) {
  test::TempFolder dir;
  dir.Write("Klcat008.bmp", "BM");
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  EXPECT_FALSE(IconDelete(fs, dialogs, {8, IconKind::InUse, dir / "Klcat008.bmp"}));
  EXPECT_FALSE(IconDelete(fs, dialogs, {1, IconKind::BuiltIn, ""}));
  EXPECT_TRUE(dir.Exists("Klcat008.bmp"));
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace kal::catalogues
