#include "catalogues/CategoryEditor.h"

#include <gtest/gtest.h>

#include "catalogues/Category.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using test::Sjis;

class CategoryEditorTest : public ::testing::Test {
 protected:
  test::FakeDialogs dialogs;
  CategoryEditor editor{{Sjis("未分類        1 "), Sjis("出張・外出    1 0000000013434828"),
                         Sjis("休暇          0 0000025500000000003")}};
};

TEST_F(CategoryEditorTest, AddAppendsATickedCategoryAndSelectsIt) {
  dialogs.input_texts.push_back("  Meeting  ");
  EXPECT_TRUE(editor.Add(dialogs));
  EXPECT_EQ(editor.lines().back(), "Meeting       1");
  EXPECT_EQ(editor.selected(), 3u);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(CategoryEditorTest, AddWithAnEmptyOrCancelledAnswerDoesNothing) {
  dialogs.input_texts.push_back("   ");
  dialogs.input_texts.push_back(std::nullopt);
  EXPECT_FALSE(editor.Add(dialogs));
  EXPECT_FALSE(editor.Add(dialogs));
  EXPECT_EQ(editor.lines().size(), 3u);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(CategoryEditor, DuplicatesAreFoundAsEntriesMatchThem) {
  // Equal ignoring blanks around it, equal without regard to case, equal after the 14-byte cut.
  struct Case {
    const char* existing;
    const char* answer;
    const char* named;
  } cases[] = {
      {"休暇          0", "休暇   ", "休暇"},
      {"meeting       1", "MEETING", "MEETING"},
      {"Project-Alpha-1", "project-alpha-2", "project-alpha-2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    CategoryEditor editor({Sjis(c.existing)});
    test::FakeDialogs dialogs;
    dialogs.input_texts.push_back(c.answer);
    EXPECT_FALSE(editor.Add(dialogs));
    EXPECT_EQ(editor.lines().size(), 1u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "「" + std::string(c.named) + "」はすでに登録済みです。");
    EXPECT_EQ(dialogs.shown[0].caption, "分類の重複");
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Error);
  }
}

TEST_F(CategoryEditorTest, NameThatCannotBeStoredIsRefused) {
  dialogs.input_texts.push_back("旅行😀");
  EXPECT_FALSE(editor.Add(dialogs));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "分類名に保存できない文字「😀」が含まれています。");
  EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
  EXPECT_EQ(editor.lines().size(), 3u);
}

TEST_F(CategoryEditorTest, ButtonsNeedASelection) {
  dialogs.input_texts.push_back("x");
  dialogs.colours.push_back(1);
  const auto before = editor.lines();
  EXPECT_FALSE(editor.Delete());
  EXPECT_FALSE(editor.Rename(dialogs));
  EXPECT_FALSE(editor.MoveUp());
  EXPECT_FALSE(editor.MoveDown());
  EXPECT_FALSE(editor.ChooseTextColour(dialogs));
  EXPECT_FALSE(editor.ChooseBackColour(dialogs));
  EXPECT_FALSE(editor.ClearColours());
  EXPECT_FALSE(editor.SetIcon(7));
  EXPECT_FALSE(editor.DeleteIcon());
  EXPECT_EQ(editor.lines(), before);
  // The scripted answers were never asked for.
  EXPECT_EQ(dialogs.input_texts.size(), 1u);
  EXPECT_EQ(dialogs.colours.size(), 1u);
}

TEST_F(CategoryEditorTest, DeleteRemovesTheSelectedCategoryWithoutAsking) {
  editor.Select(1);
  EXPECT_TRUE(editor.Delete());
  ASSERT_EQ(editor.lines().size(), 2u);
  EXPECT_EQ(editor.lines()[1], Sjis("休暇          0 0000025500000000003"));
  EXPECT_EQ(editor.selected(), std::nullopt);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(CategoryEditorTest, RenameReplacesTheNameAndKeepsTheRest) {
  editor.Select(2);
  dialogs.input_texts.push_back("Vacation");
  EXPECT_TRUE(editor.Rename(dialogs));
  EXPECT_EQ(editor.lines()[2], "Vacation      0 0000025500000000003");
}

TEST_F(CategoryEditorTest, RenameUnchangedDuplicateAndCaseOnly) {
  editor.Select(2);
  dialogs.input_texts.push_back("休暇");
  EXPECT_FALSE(editor.Rename(dialogs));
  EXPECT_TRUE(dialogs.shown.empty());

  dialogs.input_texts.push_back("未分類");
  EXPECT_FALSE(editor.Rename(dialogs));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "「未分類」はすでに登録済みです。");

  // Changing only the case of a name is not a duplicate of itself.
  CategoryEditor ascii({"work          1"});
  ascii.Select(0);
  dialogs.input_texts.push_back("Work");
  EXPECT_TRUE(ascii.Rename(dialogs));
  EXPECT_EQ(ascii.lines()[0], "Work          1");
}

TEST_F(CategoryEditorTest, MoveUpAndDownSwapAndStopAtTheEnds) {
  editor.Select(0);
  EXPECT_FALSE(editor.MoveUp());
  EXPECT_TRUE(editor.MoveDown());
  EXPECT_EQ(editor.selected(), 1u);
  EXPECT_EQ(editor.lines()[0], Sjis("出張・外出    1 0000000013434828"));
  EXPECT_EQ(editor.lines()[1], Sjis("未分類        1 "));
  editor.Select(2);
  EXPECT_FALSE(editor.MoveDown());
  EXPECT_TRUE(editor.MoveUp());
  EXPECT_EQ(editor.lines()[1], Sjis("休暇          0 0000025500000000003"));
}

TEST_F(CategoryEditorTest, TextColourIsWrittenAsEightDigits) {
  editor.Select(0);  // no colours, 16 bytes
  dialogs.colours.push_back(0x0000FF);
  EXPECT_TRUE(editor.ChooseTextColour(dialogs));
  EXPECT_EQ(editor.lines()[0], Sjis("未分類        1 00000255"));
  // A cancelled chooser changes nothing.
  EXPECT_FALSE(editor.ChooseTextColour(dialogs));
  EXPECT_EQ(editor.lines()[0], Sjis("未分類        1 00000255"));
}

TEST_F(CategoryEditorTest, BackgroundOnlyStoresTheTextColourAsZeros) {
  editor.Select(0);
  dialogs.colours.push_back(16777164);
  EXPECT_TRUE(editor.ChooseBackColour(dialogs));
  EXPECT_EQ(editor.lines()[0], Sjis("未分類        1 0000000016777164"));
  // A text colour already set is kept, and the icon after the colours stays.
  editor.Select(2);
  dialogs.colours.push_back(1);
  EXPECT_TRUE(editor.ChooseBackColour(dialogs));
  EXPECT_EQ(editor.lines()[2], Sjis("休暇          0 0000025500000001003"));
}

TEST_F(CategoryEditorTest, ClearColoursBlanksBothAndKeepsTheIcon) {
  editor.Select(2);
  EXPECT_TRUE(editor.ClearColours());
  EXPECT_EQ(editor.lines()[2], Sjis("休暇          0                 003"));
  EXPECT_EQ(ReadCategoryLine(editor.lines()[2]).icon, 3);
}

TEST_F(CategoryEditorTest, IconIsWrittenAtPositionThirtyThree) {
  editor.Select(0);
  EXPECT_TRUE(editor.SetIcon(7));
  EXPECT_EQ(editor.lines()[0], Sjis("未分類        1                 007"));
  editor.Select(2);
  EXPECT_TRUE(editor.SetIcon(12));
  EXPECT_EQ(editor.lines()[2], Sjis("休暇          0 0000025500000000012"));
  EXPECT_TRUE(editor.DeleteIcon());
  EXPECT_EQ(editor.lines()[2], Sjis("休暇          0 0000025500000000"));
  EXPECT_FALSE(editor.SetIcon(0));
  EXPECT_FALSE(editor.SetIcon(100));
}

TEST_F(CategoryEditorTest, RegisterWritesFlagsAndTheFieldsAsStored) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  CategoryEditor e({"Fresh         1", "Old           1", "Coloured      1 00000001000000020049999"});
  e.SetChecked(1, false);
  e.Register(fs, dir.path());
  // Fields the line lacks stay absent; anything past the icon field is dropped.
  EXPECT_EQ(dir.Read("Category.tbl"), "Fresh         1 \r\nOld           0 \r\nColoured      1 0000000100000002004\r\n");
}

TEST_F(CategoryEditorTest, NothingIsWrittenBeforeRegister) {
  test::TempFolder dir;
  dialogs.input_texts.push_back("New");
  editor.Add(dialogs);
  EXPECT_FALSE(dir.Exists("Category.tbl"));
}

}  // namespace
}  // namespace kal::catalogues
