#include "catalogues/TDlgIconList.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

std::string BitmapBytes(QColor fill) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(fill);
  image.setPixelColor(0, 15, Qt::white);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes.toStdString();
}

QStringList Captions(const TDlgIconList& dlg) {
  QStringList captions;
  for (int i = 0; i < dlg.LstIcon()->count(); ++i) captions << dlg.LstIcon()->item(i)->text();
  return captions;
}

class TDlgIconListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("Klcat006.bmp", BitmapBytes(Qt::red));
    dir.Write("Klcat008.bmp", BitmapBytes(Qt::green));
    dir.Write("Klcat010.bmp", BitmapBytes(Qt::blue));
    dir.Write("new.bmp", BitmapBytes(Qt::yellow));
  }
  // Category 1 uses 010, category 2 uses 003 (built in, no file).
  std::vector<std::string> lines{"A             1                 010", "B             1                 003"};
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
};

TEST_F(TDlgIconListTest, ListsBuiltInsUsedAndUnusedIconsWithTheNote) {
  TDlgIconList dlg(fs, dialogs, dir.path(), lines);
  EXPECT_EQ(dlg.windowTitle(), QString("アイコン一覧"));
  EXPECT_EQ(Captions(dlg), (QStringList{"001", "002", "003", "004", "005", "010", "006", "008"}));
  EXPECT_EQ(dlg.LstIcon()->item(6)->foreground().color(), QColor(Qt::gray));
  EXPECT_NE(dlg.LstIcon()->item(5)->foreground().color(), QColor(Qt::gray));
  auto* note = dlg.findChild<QLabel*>("LblNote");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->text().toStdString(), kIconListNote);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TDlgIconListTest, ButtonsFollowTheSelection) {
  dir.Write("Klcat001.bmp", BitmapBytes(Qt::cyan));
  TDlgIconList dlg(fs, dialogs, dir.path(), lines);
  EXPECT_FALSE(dlg.BtnChange()->isEnabled());
  EXPECT_FALSE(dlg.BtnDelete()->isEnabled());
  struct Case {
    int number;
    bool change, remove;
  } cases[] = {{1, true, true}, {2, true, false}, {10, true, false}, {6, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    ASSERT_TRUE(dlg.SelectNumber(c.number));
    EXPECT_EQ(dlg.BtnChange()->isEnabled(), c.change);
    EXPECT_EQ(dlg.BtnDelete()->isEnabled(), c.remove);
  }
}

TEST_F(TDlgIconListTest, AddTakesTheFirstFreeNumber) {
  TDlgIconList dlg(fs, dialogs, dir.path(), lines);
  dialogs.file_names.push_back(dir / "new.bmp");
  dlg.BtnAdd()->click();
  EXPECT_EQ(dir.Read("Klcat007.bmp"), dir.Read("new.bmp"));
  EXPECT_EQ(Captions(dlg), (QStringList{"001", "002", "003", "004", "005", "010", "006", "007", "008"}));
  EXPECT_EQ(dlg.LstIcon()->currentItem()->text(), QString("007"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TDlgIconListTest, AddOfAFileThatIsNotAnImageIsReported) {
  dir.Write("text.bmp", "plain text");
  TDlgIconList dlg(fs, dialogs, dir.path(), lines);
  dialogs.file_names.push_back(dir / "text.bmp");
  dlg.BtnAdd()->click();
  EXPECT_FALSE(dir.Exists("Klcat007.bmp"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, dir / "text.bmp" + " Read Error");
  EXPECT_EQ(dialogs.shown[0].caption, "ERROR");
}

TEST_F(TDlgIconListTest, ChangeOfABuiltInWritesItsOverride) {
  TDlgIconList dlg(fs, dialogs, dir.path(), lines);
  ASSERT_TRUE(dlg.SelectNumber(4));
  dialogs.file_names.push_back(dir / "new.bmp");
  dlg.BtnChange()->click();
  EXPECT_EQ(dir.Read("Klcat004.bmp"), dir.Read("new.bmp"));
  // The rebuilt list keeps 004 selected and now offers to delete its override.
  EXPECT_EQ(dlg.LstIcon()->currentItem()->text(), QString("004"));
  EXPECT_TRUE(dlg.BtnDelete()->isEnabled());
}

TEST_F(TDlgIconListTest, DeleteOfAnOverrideAsksAndSaysItReturnsAfterARestart) {
  dir.Write("Klcat002.bmp", BitmapBytes(Qt::cyan));
  TDlgIconList dlg(fs, dialogs, dir.path(), lines);
  ASSERT_TRUE(dlg.SelectNumber(2));
  dlg.BtnDelete()->click();
  EXPECT_FALSE(dir.Exists("Klcat002.bmp"));
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, "アイコン番号: 002 を削除しますか？");
  EXPECT_EQ(dialogs.shown[0].caption, "削除");
  EXPECT_EQ(dialogs.shown[0].buttons, platform::MsgButtons::YesNo);
  EXPECT_EQ(dialogs.shown[1].text, "002 は再起動することで表示されます。");
  EXPECT_EQ(dialogs.shown[1].caption, "確認");
}

TEST_F(TDlgIconListTest, DeleteOfAnUnusedIconAnsweredNoKeepsIt) {
  TDlgIconList dlg(fs, dialogs, dir.path(), lines);
  ASSERT_TRUE(dlg.SelectNumber(8));
  dialogs.answers.push_back(platform::MsgAnswer::No);
  dlg.BtnDelete()->click();
  EXPECT_TRUE(dir.Exists("Klcat008.bmp"));
  dlg.BtnDelete()->click();
  EXPECT_FALSE(dir.Exists("Klcat008.bmp"));
  EXPECT_FALSE(Captions(dlg).contains("008"));
}

TEST_F(TDlgIconListTest, OkNeedsASelectionAndReturnsTheNumber) {
  TDlgIconList dlg(fs, dialogs, dir.path(), lines);
  dlg.BtnOk()->click();
  EXPECT_NE(dlg.result(), QDialog::Accepted);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "アイコンを選択して下さい。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  ASSERT_TRUE(dlg.SelectNumber(8));
  dlg.BtnOk()->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.ChosenNumber(), 8);
}

TEST_F(TDlgIconListTest, UnreadableFileIsReportedAndStillListed) {
  dir.Write("Klcat009.bmp", "damaged");
  TDlgIconList dlg(fs, dialogs, dir.path(), lines);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, dir / "Klcat009.bmp" + " Read Error");
  EXPECT_TRUE(Captions(dlg).contains("009"));
}

}  // namespace
}  // namespace kal::catalogues
