#include "mainwindow/MemoBox.h"

#include <gtest/gtest.h>

#include "mainwindow/MemoDialogForm.h"
#include "store/TextFile.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;
using store::MemoId;
using test::Sjis;

struct MemoBoxFixture : ::testing::Test {
  test::TempFolder memo, data;
  test::FaultyFileSystem fs;
  MemoBox box{fs};
  MemoBoxFixture() { box.SetFolders(memo.path(), data.path()); }
};

TEST_F(MemoBoxFixture, TypingAndMovingTheSelectionSavesTheDayMemo) {
  memo.WriteLines("20240503.mem", {"既存のメモ"});
  EXPECT_FALSE(box.SelectDay(MakeDate(2024, 5, 3)));
  EXPECT_EQ(box.text(), "既存のメモ\n");
  EXPECT_FALSE(box.modified());

  box.SetText("既存のメモ\n追記\n");
  EXPECT_TRUE(box.modified());
  EXPECT_FALSE(box.SelectDay(MakeDate(2024, 5, 4)));
  EXPECT_EQ(memo.Read("20240503.mem"), Sjis("既存のメモ") + "\r\n" + Sjis("追記") + "\r\n");
  EXPECT_EQ(box.text(), "");
  EXPECT_FALSE(box.HasMemo(kMemoTabDay));

  // A day left without a change writes nothing.
  EXPECT_FALSE(box.SelectDay(MakeDate(2024, 5, 3)));
  const int writes = fs.writes;
  EXPECT_FALSE(box.SelectDay(MakeDate(2024, 5, 5)));
  EXPECT_EQ(fs.writes, writes);
}

TEST_F(MemoBoxFixture, ClearingTheBoxDeletesTheFileAndOneEmptyLineIsKept) {
  memo.WriteLines("20240503.mem", {"消すメモ"});
  box.SelectDay(MakeDate(2024, 5, 3));
  box.SetText("");
  box.SelectDay(MakeDate(2024, 5, 4));
  EXPECT_FALSE(memo.Exists("20240503.mem"));

  box.SetText("\n");
  box.SelectDay(MakeDate(2024, 5, 5));
  EXPECT_EQ(memo.Read("20240504.mem"), "\r\n");
}

TEST_F(MemoBoxFixture, TheTwoTabsEditTheDayAndTheMonthMemo) {
  box.SelectDay(MakeDate(2024, 5, 3));
  box.SetText("日のメモ");
  EXPECT_FALSE(box.SetTab(kMemoTabMonth));  // the tab change saves the day memo
  EXPECT_EQ(memo.Read("20240503.mem"), Sjis("日のメモ") + "\r\n");
  EXPECT_EQ(box.Path(kMemoTabMonth), memo / "202405.mem");
  box.SetText("月のメモ\n");
  box.SelectDay(MakeDate(2024, 6, 1));  // tab 1 stays: the month memo of June is shown
  EXPECT_EQ(memo.Read("202405.mem"), Sjis("月のメモ") + "\r\n");
  EXPECT_EQ(box.ShownId(), MemoId::OfMonth(2024, 6));
  EXPECT_TRUE(box.HasMemo(kMemoTabDay) == false);
}

TEST_F(MemoBoxFixture, AnEditedBoxAndAListDeleteOfTheSameMemo) {
  memo.WriteLines("20240503.mem", {"古い内容"});
  box.SelectDay(MakeDate(2024, 5, 3));
  box.SetText("書きかけの内容\n");
  // The command saves the box first, deletes the memo, and the box is read again afterwards.
  ASSERT_FALSE(box.Save());
  EXPECT_EQ(memo.Read("20240503.mem"), Sjis("書きかけの内容") + "\r\n");
  EXPECT_TRUE(store::DeleteMemo(fs, memo.path(), data.path(), MemoId::OfDay(MakeDate(2024, 5, 3))));
  EXPECT_FALSE(box.Reload());
  EXPECT_EQ(box.text(), "");
  // The deleted memo never comes back from the box.
  box.SelectDay(MakeDate(2024, 5, 4));
  EXPECT_FALSE(memo.Exists("20240503.mem"));
}

TEST_F(MemoBoxFixture, AFailedSaveKeepsTheTextAndTheMemo) {
  box.SelectDay(MakeDate(2024, 5, 3));
  box.SetText("顔文字😀\n");
  auto failed = box.SelectDay(MakeDate(2024, 5, 4));
  ASSERT_TRUE(failed);
  EXPECT_EQ(*failed, "2024年5月3日のメモに保存できない文字「😀」が含まれています。");
  EXPECT_EQ(box.ShownId(), MemoId::OfDay(MakeDate(2024, 5, 3)));  // still bound to its memo
  EXPECT_TRUE(box.modified());
  EXPECT_EQ(box.text(), "顔文字😀\n");
  EXPECT_FALSE(memo.Exists("20240503.mem"));

  box.SetText("顔文字\n");
  EXPECT_FALSE(box.SelectDay(MakeDate(2024, 5, 4)));
  EXPECT_EQ(memo.Read("20240503.mem"), Sjis("顔文字") + "\r\n");
}

TEST_F(MemoBoxFixture, AnUnreadableMemoMakesTheBoxReadOnly) {
  memo.WriteLines("20240503.mem", {"読めない"});
  fs.unreadable.insert(memo / "20240503.mem");
  auto failed = box.SelectDay(MakeDate(2024, 5, 3));
  ASSERT_TRUE(failed);
  EXPECT_NE(failed->find("20240503.mem"), std::string::npos);
  EXPECT_TRUE(box.read_only());
  box.SetText("上書き");
  EXPECT_FALSE(box.modified());
  box.SelectDay(MakeDate(2024, 5, 4));
  fs.unreadable.clear();
  EXPECT_EQ(memo.Read("20240503.mem"), Sjis("読めない") + "\r\n");
  EXPECT_FALSE(box.read_only());
}

TEST_F(MemoBoxFixture, ReadOnlyWhileAnExternalEditorRunsMiniModeDoesNotSave) {
  box.SelectDay(MakeDate(2024, 5, 3));
  box.SetExternalEditor(box.Path(kMemoTabDay), true);
  EXPECT_TRUE(box.read_only());
  box.SetText("x");
  EXPECT_FALSE(box.modified());
  box.SetTab(kMemoTabMonth);  // another file: editable
  EXPECT_FALSE(box.read_only());
  box.SetTab(kMemoTabDay);
  EXPECT_TRUE(box.read_only());
  box.SetExternalEditor(box.Path(kMemoTabDay), false);
  EXPECT_FALSE(box.read_only());

  box.SetMiniMode(true);
  box.SetText("ミニ");
  EXPECT_FALSE(box.Save());
  EXPECT_FALSE(memo.Exists("20240503.mem"));
  box.SetMiniMode(false);
  EXPECT_FALSE(box.Save());
  EXPECT_TRUE(memo.Exists("20240503.mem"));
}

TEST(MemoBoxRules, CaptionsColoursAndTheMemoToEdit) {
  EXPECT_EQ(MemoTabCaption("未設定", MakeDate(2024, 5, 3)), "未設定");
  EXPECT_EQ(MemoTabCaption("yyyy/mm/dd(aaa)", MakeDate(2024, 5, 3)), "2024/05/03(金)");
  EXPECT_EQ(MemoTabCaption("m月のメモ", MakeDate(2024, 5, 3)), "5月のメモ");

  store::Settings s;
  s.color.mem = {0x112233, 0xFFFFE0};
  s.memo.icon_color = 3;
  EXPECT_EQ(MemoBoxColours(s, kMemoTabMonth, 1, true), std::make_pair(0x112233, 0xFFFFE0));
  EXPECT_EQ(MemoBoxColours(s, kMemoTabDay, 1, true), std::make_pair(0x112233, 0xCCCCFF));   // 赤
  EXPECT_EQ(MemoBoxColours(s, kMemoTabDay, 0, true), std::make_pair(0x112233, 0xAAFFFF));   // default 黄
  EXPECT_EQ(MemoBoxColours(s, kMemoTabDay, 5, false), std::make_pair(0x112233, 0xAAFFFF));  // no memo

  const auto day = MakeDate(2024, 5, 3);
  EXPECT_EQ(MemoToEdit(day, kMemoTabMonth, false), MemoId::OfMonth(2024, 5));
  EXPECT_EQ(MemoToEdit(day, kMemoTabMonth, true), MemoId::OfDay(day));
  EXPECT_EQ(MemoToEdit(day, kMemoTabDay, false), MemoId::OfDay(day));
  EXPECT_EQ(ExternalEditor(true, "/usr/bin/mousepad"), "/usr/bin/mousepad");
  EXPECT_FALSE(ExternalEditor(true, ""));
  EXPECT_FALSE(ExternalEditor(false, "/usr/bin/mousepad"));
}

// ---- The memo dialog's form ---------------------------------------------------------------------

struct MemoDialogFixture : ::testing::Test {
  test::TempFolder memo;
  test::FaultyFileSystem fs;
  MemoDialogForm form{fs};
};

TEST_F(MemoDialogFixture, ADayWithoutAMemoStartsFromTheTemplateAndCancelCreatesNothing) {
  memo.WriteLines("MemoTemp.txt", {"■予定", "■反省"});
  ASSERT_FALSE(form.OpenMemo(memo.path(), MemoId::OfDay(MakeDate(2024, 5, 3))));
  EXPECT_EQ(form.caption(), "2024年5月3日のメモ");
  EXPECT_EQ(form.text(), "■予定\n■反省\n");
  EXPECT_TRUE(form.has_date());
  EXPECT_FALSE(memo.Exists("20240503.mem"));  // キャンセル: the form wrote nothing

  ASSERT_FALSE(form.OpenMemo(memo.path(), MemoId::OfMonth(2024, 5)));
  EXPECT_EQ(form.caption(), "2024年5月のメモ");
  EXPECT_EQ(form.text(), "■予定\n■反省\n");
  EXPECT_FALSE(form.has_date());

  ASSERT_FALSE(form.Ok("今月の目標\n"));
  EXPECT_EQ(memo.Read("202405.mem"), Sjis("今月の目標") + "\r\n");
  ASSERT_FALSE(form.OpenMemo(memo.path(), MemoId::OfMonth(2024, 5)));
  EXPECT_EQ(form.text(), "今月の目標\n");
}

TEST_F(MemoDialogFixture, ChangingTheDateDiscardsTheTextOfThePreviousDate) {
  memo.WriteLines("20240504.mem", {"四日"});
  ASSERT_FALSE(form.OpenMemo(memo.path(), MemoId::OfDay(MakeDate(2024, 5, 3))));
  EXPECT_EQ(form.text(), "");
  // The editor held unsaved text for the 3rd; the date moves to the 4th.
  ASSERT_FALSE(form.ChangeDate(MakeDate(2024, 5, 4)));
  EXPECT_EQ(form.caption(), "2024年5月4日のメモ");
  EXPECT_EQ(form.text(), "四日\n");
  ASSERT_FALSE(form.Ok("四日\n追加\n"));
  EXPECT_FALSE(memo.Exists("20240503.mem"));
  EXPECT_EQ(memo.Read("20240504.mem"), Sjis("四日") + "\r\n" + Sjis("追加") + "\r\n");

  // OK with an empty text deletes the memo.
  ASSERT_FALSE(form.Ok(""));
  EXPECT_FALSE(memo.Exists("20240504.mem"));
}

TEST_F(MemoDialogFixture, TemplateNoteAndRefusals) {
  ASSERT_FALSE(form.OpenTemplate(memo.path()));
  EXPECT_EQ(form.caption(), "デイリーメモ テンプレートの編集");
  EXPECT_EQ(form.text(), "");
  ASSERT_FALSE(form.Ok("■予定\n"));
  EXPECT_EQ(memo.Read("MemoTemp.txt"), Sjis("■予定") + "\r\n");

  memo.WriteLines("購入.not", {"牛乳"});
  ASSERT_FALSE(form.OpenNote(memo.path(), "購入"));
  EXPECT_EQ(form.caption(), "「購入」の編集");
  EXPECT_EQ(form.text(), "牛乳\n");
  auto refused = form.Ok("牛乳\n🥚\n");
  ASSERT_TRUE(refused);
  EXPECT_EQ(*refused, "「購入」に保存できない文字「🥚」が含まれています。");
  EXPECT_EQ(memo.Read("購入.not"), Sjis("牛乳") + "\r\n");

  // An unreadable file: the form refuses to open.
  fs.unreadable.insert(memo / "購入.not");
  EXPECT_TRUE(form.OpenNote(memo.path(), "購入"));
  fs.unreadable.insert(memo / "20240503.mem");
  memo.WriteLines("20240503.mem", {"x"});
  EXPECT_TRUE(form.OpenMemo(memo.path(), MemoId::OfDay(MakeDate(2024, 5, 3))));

  EXPECT_EQ(MemoDialogForm::MemoWidth(400, 300), 420);
  EXPECT_EQ(MemoDialogForm::MemoWidth(350, 300), 300);
}

}  // namespace
}  // namespace kal::mainwindow
