#include "catalogues/TDlgItemSet.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QCoreApplication>
#include <QKeyEvent>

#include "support/FakeDialogs.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

using test::Sjis;

// Types text into a widget as key presses, the way a user does.
void Type(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &press);
  }
}

QStringList Items(const TDlgItemSet& dlg) {
  QStringList items;
  for (int i = 0; i < dlg.LstItem()->count(); ++i) items << dlg.LstItem()->item(i)->text();
  return items;
}

class TDlgItemSetTest : public ::testing::Test {
 protected:
  void Add(TDlgItemSet& dlg, const QString& text) {
    dlg.EdtItem()->setText(text);
    dlg.BtnAdd()->click();
  }
  test::TempFolder dir;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;
};

TEST_F(TDlgItemSetTest, OpensWithTheDefaultTableAndTheFirstEntrySelected) {
  TDlgItemSet dlg(fs, dialogs, dir.path(), ItemTableType::Alarm);
  EXPECT_EQ(dlg.windowTitle(), QString("アラーム一覧の編集"));
  EXPECT_EQ(dlg.LblItem()->text(), QString("追加するアラーム前分(1～360分): "));
  EXPECT_EQ(Items(dlg), (QStringList{"  0", "  1", "  3", "  5", " 10", " 15", " 20", " 30", " 60"}));
  EXPECT_EQ(dlg.LstItem()->currentRow(), 0);
  EXPECT_FALSE(dir.Exists("Alarm.tbl"));
}

TEST_F(TDlgItemSetTest, SignalTimeIsRewrittenAndTheEntryBoxCleared) {
  dir.Write("SigTime.tbl", Sjis("10:00 お茶の時間\r\n"));
  TDlgItemSet dlg(fs, dialogs, dir.path(), ItemTableType::SigTime);
  EXPECT_EQ(dlg.windowTitle(), QString("時報時刻の設定"));
  EXPECT_EQ(dlg.EdtItem()->maxLength(), 5);
  Add(dlg, "9:5");
  EXPECT_EQ(Items(dlg), (QStringList{"09:05", "10:00 お茶の時間"}));
  EXPECT_EQ(dlg.LstItem()->currentRow(), 0);
  EXPECT_TRUE(dlg.EdtItem()->text().isEmpty());
  dlg.BtnOk()->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dir.Read("SigTime.tbl"), Sjis("09:05\r\n10:00 お茶の時間\r\n"));
}

TEST_F(TDlgItemSetTest, WrongSignalTimeKeepsTheTextAndShowsTheMessage) {
  TDlgItemSet dlg(fs, dialogs, dir.path(), ItemTableType::SigTime);
  Add(dlg, "25:00");
  EXPECT_EQ(dlg.EdtItem()->text(), QString("25:00"));
  EXPECT_EQ(dlg.LstItem()->count(), 15);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "時刻を正しく入力して下さい。");
  EXPECT_EQ(dialogs.shown[0].caption, "入力エラー");
}

TEST_F(TDlgItemSetTest, AlarmRulesAndTheQuestionBeforeMovingCodes) {
  dir.Write("Alarm.tbl", "  0\r\n  3\r\n 10\r\n");
  TDlgItemSet dlg(fs, dialogs, dir.path(), ItemTableType::Alarm);
  Add(dlg, "90");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "60分以上を登録する場合は、60の倍数で入力して下さい。");
  dialogs.answers.push_back(platform::MsgAnswer::Yes);
  Add(dlg, "5");
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].caption, "確認");
  EXPECT_EQ(Items(dlg), (QStringList{"  0", "  3", "  5", " 10"}));
  EXPECT_EQ(dlg.LstItem()->currentRow(), 2);
  Add(dlg, "120");
  EXPECT_EQ(dialogs.shown.size(), 2u);  // at the end: nothing moves, nothing asked
  dlg.BtnOk()->click();
  EXPECT_EQ(dir.Read("Alarm.tbl"), "  0\r\n  3\r\n  5\r\n 10\r\n120\r\n");
}

TEST_F(TDlgItemSetTest, DeleteRemovesTheSelectedEntry) {
  dir.Write("SchPlace.tbl", Sjis("本社\r\n会議室A\r\n"));
  TDlgItemSet dlg(fs, dialogs, dir.path(), ItemTableType::SchPlace);
  EXPECT_EQ(dlg.LblItem()->text(), QString("追加する場所: "));
  dlg.LstItem()->setCurrentRow(1);
  dlg.BtnDelete()->click();
  EXPECT_EQ(dlg.LstItem()->count(), 1);
  dlg.BtnOk()->click();
  EXPECT_EQ(dir.Read("SchPlace.tbl"), Sjis("会議室A\r\n"));
}

TEST_F(TDlgItemSetTest, TitleTypingIsCutAtFortyBytes) {
  TDlgItemSet dlg(fs, dialogs, dir.path(), ItemTableType::SchTitle);
  Type(dlg.EdtItem(), QString(39, 'a') + QString("あ"));
  EXPECT_EQ(dlg.EdtItem()->text(), QString(39, 'a'));
  dlg.BtnAdd()->click();
  dlg.BtnOk()->click();
  EXPECT_EQ(dir.Read("SchTitle.tbl"), std::string(39, 'a') + "\r\n");
}

TEST_F(TDlgItemSetTest, CancelWritesNothingAndAFailedSaveKeepsTheDialogOpen) {
  {
    TDlgItemSet dlg(fs, dialogs, dir.path(), ItemTableType::SchTitle);
    Add(dlg, "定例会");
    dlg.BtnCancel()->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dir.Exists("SchTitle.tbl"));
  }
  TDlgItemSet dlg(fs, dialogs, dir.path(), ItemTableType::SchTitle);
  fs.unwritable.insert(dir / "SchTitle.tbl");
  Add(dlg, "定例会");
  dlg.BtnOk()->click();
  EXPECT_NE(dlg.result(), QDialog::Accepted);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("SchTitle.tbl"), std::string::npos);
}

}  // namespace
}  // namespace kal::catalogues
