#include "catalogues/TDlgCatSet.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

using test::Sjis;

class TDlgCatSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("Category.tbl", Sjis("未分類        1 \r\n"
                                   "打ち合わせ    1 0000000016777164\r\n"
                                   "休暇          0 0000025500000000003\r\n"));
  }
  void Click(TDlgCatSet& dlg, const char* name) {
    QPushButton* b = dlg.Button(name);
    ASSERT_NE(b, nullptr) << name;
    b->click();
  }
  std::string Table() const { return dir.Read("Category.tbl"); }

  test::TempFolder dir;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;
};

TEST_F(TDlgCatSetTest, ShowsTheTableWithItsCheckBoxesAndButtons) {
  TDlgCatSet dlg(fs, dialogs, dir.path());
  EXPECT_EQ(dlg.windowTitle(), QString("分類の設定"));
  ASSERT_EQ(dlg.LstCat()->count(), 3);
  EXPECT_EQ(dlg.LstCat()->item(1)->text(), QString("打ち合わせ"));
  EXPECT_EQ(dlg.LstCat()->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(dlg.LstCat()->item(2)->checkState(), Qt::Unchecked);
  const char* texts[][2] = {{"BtnAdd", "追加"},         {"BtnDelete", "削除"},          {"BtnRename", "名前の変更"},
                            {"BtnUp", "上へ"},          {"BtnDown", "下へ"},            {"BtnTextColor", "文字色"},
                            {"BtnBackColor", "背景色"}, {"BtnColorClear", "色クリア"},  {"BtnIconSet", "アイコンの登録"},
                            {"BtnIconDelete", "アイコンの削除"}, {"BtnOk", "登録"},     {"BtnCancel", "キャンセル"}};
  for (auto& t : texts) {
    ASSERT_NE(dlg.Button(t[0]), nullptr) << t[0];
    EXPECT_EQ(dlg.Button(t[0])->text(), QString::fromUtf8(t[1]));
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TDlgCatSetTest, AddAppendsSelectsAndRegisterSaves) {
  TDlgCatSet dlg(fs, dialogs, dir.path());
  dialogs.input_texts.push_back("Meeting");
  Click(dlg, "BtnAdd");
  ASSERT_EQ(dlg.LstCat()->count(), 4);
  EXPECT_EQ(dlg.LstCat()->currentRow(), 3);
  EXPECT_EQ(dlg.LstCat()->item(3)->checkState(), Qt::Checked);
  const std::string before = Table();
  EXPECT_EQ(Table(), before);  // nothing saved yet
  Click(dlg, "BtnOk");
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(Table(), Sjis("未分類        1 \r\n"
                          "打ち合わせ    1 0000000016777164\r\n"
                          "休暇          0 0000025500000000003\r\n"
                          "Meeting       1 \r\n"));
}

TEST_F(TDlgCatSetTest, DuplicateNameIsRefusedWithItsMessage) {
  TDlgCatSet dlg(fs, dialogs, dir.path());
  dialogs.input_texts.push_back("休暇");
  Click(dlg, "BtnAdd");
  EXPECT_EQ(dlg.LstCat()->count(), 3);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "「休暇」はすでに登録済みです。");
  EXPECT_EQ(dialogs.shown[0].caption, "分類の重複");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
}

TEST_F(TDlgCatSetTest, UntickingABoxIsWrittenByRegister) {
  TDlgCatSet dlg(fs, dialogs, dir.path());
  dlg.LstCat()->item(0)->setCheckState(Qt::Unchecked);
  dlg.LstCat()->item(2)->setCheckState(Qt::Checked);
  Click(dlg, "BtnOk");
  EXPECT_EQ(Table(), Sjis("未分類        0 \r\n"
                          "打ち合わせ    1 0000000016777164\r\n"
                          "休暇          1 0000025500000000003\r\n"));
}

TEST_F(TDlgCatSetTest, ColourAndIconButtonsRewriteTheSelectedLine) {
  TDlgCatSet dlg(fs, dialogs, dir.path());
  int chooser_calls = 0;
  dlg.SetIconChooser([&](const std::vector<std::string>& lines) -> std::optional<int> {
    ++chooser_calls;
    EXPECT_EQ(lines.size(), 3u);
    return 7;
  });
  dlg.LstCat()->setCurrentRow(0);
  dialogs.colours.push_back(16777164);
  Click(dlg, "BtnBackColor");  // background only: the text colour becomes "00000000"
  Click(dlg, "BtnIconSet");
  EXPECT_EQ(chooser_calls, 1);
  EXPECT_EQ(dlg.Editor().lines()[0], Sjis("未分類        1 0000000016777164007"));
  dlg.LstCat()->setCurrentRow(2);
  Click(dlg, "BtnColorClear");
  Click(dlg, "BtnIconDelete");
  dlg.LstCat()->setCurrentRow(1);
  dialogs.colours.push_back(0x0000FF);
  Click(dlg, "BtnTextColor");
  Click(dlg, "BtnOk");
  EXPECT_EQ(Table(), Sjis("未分類        1 0000000016777164007\r\n"
                          "打ち合わせ    1 0000025516777164\r\n"
                          "休暇          0                 \r\n"));
}

TEST_F(TDlgCatSetTest, MoveRenameAndDelete) {
  TDlgCatSet dlg(fs, dialogs, dir.path());
  dlg.LstCat()->setCurrentRow(2);
  Click(dlg, "BtnUp");
  EXPECT_EQ(dlg.LstCat()->currentRow(), 1);
  EXPECT_EQ(dlg.LstCat()->item(1)->text(), QString("休暇"));
  dialogs.input_texts.push_back("夏休み");
  Click(dlg, "BtnRename");
  EXPECT_EQ(dlg.LstCat()->item(1)->text(), QString("夏休み"));
  dlg.LstCat()->setCurrentRow(0);
  Click(dlg, "BtnDelete");
  EXPECT_EQ(dlg.LstCat()->count(), 2);
  Click(dlg, "BtnOk");
  EXPECT_EQ(Table(), Sjis("夏休み        0 0000025500000000003\r\n"
                          "打ち合わせ    1 0000000016777164\r\n"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TDlgCatSetTest, DoubleClickRenames) {
  TDlgCatSet dlg(fs, dialogs, dir.path());
  dlg.LstCat()->setCurrentRow(0);
  dialogs.input_texts.push_back("その他");
  emit dlg.LstCat()->itemDoubleClicked(dlg.LstCat()->item(0));
  EXPECT_EQ(dlg.Editor().lines()[0], Sjis("その他        1 "));
}

TEST_F(TDlgCatSetTest, ButtonsWithoutASelectionDoNothing) {
  TDlgCatSet dlg(fs, dialogs, dir.path());
  dlg.LstCat()->setCurrentRow(-1);
  dialogs.input_texts.push_back("x");
  dialogs.colours.push_back(1);
  bool asked = false;
  dlg.SetIconChooser([&](const std::vector<std::string>&) -> std::optional<int> {
    asked = true;
    return 7;
  });
  const auto before = dlg.Editor().lines();
  for (const char* name : {"BtnDelete", "BtnRename", "BtnUp", "BtnDown", "BtnTextColor", "BtnBackColor",
                           "BtnColorClear", "BtnIconSet", "BtnIconDelete"})
    Click(dlg, name);
  EXPECT_EQ(dlg.Editor().lines(), before);
  EXPECT_FALSE(asked);
  EXPECT_EQ(dialogs.input_texts.size(), 1u);
}

TEST_F(TDlgCatSetTest, CancelWritesNothing) {
  const std::string before = Table();
  TDlgCatSet dlg(fs, dialogs, dir.path());
  dialogs.input_texts.push_back("New");
  Click(dlg, "BtnAdd");
  Click(dlg, "BtnCancel");
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(Table(), before);
}

TEST_F(TDlgCatSetTest, FailedRegisterIsReportedAndTheDialogStaysOpen) {
  TDlgCatSet dlg(fs, dialogs, dir.path());
  fs.unwritable.insert(dir / "Category.tbl");
  Click(dlg, "BtnOk");
  EXPECT_NE(dlg.result(), QDialog::Accepted);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("Category.tbl"), std::string::npos);
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
}

TEST_F(TDlgCatSetTest, UnreadableIconBitmapIsReportedAtOpen) {
  dir.Write("Klcat003.bmp", "damaged");
  TDlgCatSet dlg(fs, dialogs, dir.path());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, dir / "Klcat003.bmp" + " Read Error");
  EXPECT_EQ(dialogs.shown[0].caption, "ERROR");
  EXPECT_EQ(dlg.LstCat()->count(), 3);
}

}  // namespace
}  // namespace kal::catalogues
