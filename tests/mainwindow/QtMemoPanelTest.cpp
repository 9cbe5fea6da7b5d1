#include "mainwindow/QtMemoPanel.h"

#include <QApplication>
#include <QDateEdit>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>

#include <gtest/gtest.h>

#include "mainwindow/TDlgMemo.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/QtTestHelpers.h"
#include "support/FaultyFileSystem.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;
using test::Sjis;

using test::TypeText;

struct QtMemoPanelFixture : ::testing::Test {
  test::TempFolder memo, data;
  test::FaultyFileSystem fs;
  test::FakeDialogs dialogs;
  store::Settings settings;
  MemoBox box{fs};
  std::unique_ptr<QtMemoPanel> panel;

  QtMemoPanelFixture() {
    settings.memo.daily_title = "yyyy/mm/dd(aaa)";
    settings.memo.monthly_title = "yyyy年m月";
    settings.memo.icon_color = 3;
    settings.memo.tab = true;
    settings.color.mem = {0x000000, 0xFFFFE0};
    box.SetFolders(memo.path(), data.path());
    panel = std::make_unique<QtMemoPanel>(box, dialogs, settings);
    panel->stored_colour = [this](const store::Date& d) { return store::StoredMemoColour(fs, data.path(), d); };
  }
};

TEST_F(QtMemoPanelFixture, TypedTextIsSavedWhenTheSelectionMoves) {
  memo.WriteLines("20240503.mem", {"既存"});
  panel->SelectDay(MakeDate(2024, 5, 3));
  EXPECT_EQ(panel->TabMemo->tabText(0), QStringLiteral("2024/05/03(金)"));
  EXPECT_EQ(panel->TabMemo->tabText(1), QStringLiteral("2024年5月"));
  EXPECT_EQ(panel->MemDaily->toPlainText(), QStringLiteral("既存\n"));
  EXPECT_FALSE(panel->TabMemo->tabIcon(0).isNull());  // the day has a memo
  EXPECT_TRUE(panel->TabMemo->tabIcon(1).isNull());
  EXPECT_EQ(panel->MemDaily->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xAA));  // default 黄

  panel->MemDaily->moveCursor(QTextCursor::End);
  TypeText(panel->MemDaily, QStringLiteral("買い物\nメモ"));
  EXPECT_TRUE(box.modified());
  panel->SelectDay(MakeDate(2024, 5, 4));
  EXPECT_EQ(memo.Read("20240503.mem"), Sjis("既存") + "\r\n" + Sjis("買い物") + "\r\n" + Sjis("メモ") + "\r\n");
  EXPECT_EQ(panel->MemDaily->toPlainText(), QString());
  EXPECT_TRUE(panel->TabMemo->tabIcon(0).isNull());
  EXPECT_TRUE(dialogs.shown.empty());

  // Clearing the box and moving away deletes the memo.
  panel->SelectDay(MakeDate(2024, 5, 3));
  panel->MemDaily->selectAll();
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QApplication::sendEvent(panel->MemDaily, &del);
  EXPECT_EQ(panel->MemDaily->toPlainText(), QString());
  panel->SelectDay(MakeDate(2024, 5, 4));
  EXPECT_FALSE(memo.Exists("20240503.mem"));
}

TEST_F(QtMemoPanelFixture, TheMonthTabAndTheColours) {
  std::vector<std::string> day_lines(32, "00");
  day_lines[3] = "00   1";
  data.Write("202405.day", store::JoinLines(day_lines));
  memo.WriteLines("20240503.mem", {"赤い日"});
  panel->SelectDay(MakeDate(2024, 5, 3));
  EXPECT_EQ(panel->MemDaily->palette().color(QPalette::Base), QColor(0xFF, 0xCC, 0xCC));  // 赤's fill

  int calendar_refreshed = 0;
  panel->on_left_modified = [&] { ++calendar_refreshed; };
  panel->MemDaily->moveCursor(QTextCursor::End);
  TypeText(panel->MemDaily, QStringLiteral("！"));
  panel->TabMemo->setCurrentIndex(1);  // saves the day memo and has the calendar redrawn
  EXPECT_EQ(calendar_refreshed, 1);
  EXPECT_EQ(memo.Read("20240503.mem"), Sjis("赤い日") + "\r\n" + Sjis("！") + "\r\n");
  EXPECT_EQ(box.tab(), kMemoTabMonth);
  EXPECT_EQ(panel->MemDaily->palette().color(QPalette::Base), QColor(0xE0, 0xFF, 0xFF));  // MEM back
  TypeText(panel->MemDaily, QStringLiteral("五月の目標"));
  panel->TabMemo->setCurrentIndex(0);  // the tab change saves
  EXPECT_EQ(memo.Read("202405.mem"), Sjis("五月の目標") + "\r\n");
  EXPECT_EQ(panel->MemDaily->toPlainText(), QStringLiteral("赤い日\n！\n"));
  EXPECT_FALSE(panel->TabMemo->tabIcon(1).isNull());
  EXPECT_EQ(calendar_refreshed, 1);  // the month memo's save needs no redraw
}

TEST_F(QtMemoPanelFixture, AFailedSaveIsShownAndTheTextStays) {
  panel->SelectDay(MakeDate(2024, 5, 3));
  TypeText(panel->MemDaily, QStringLiteral("絵文字"));
  QKeyEvent emoji(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("😀"));  // one key, two UTF-16 units
  QApplication::sendEvent(panel->MemDaily, &emoji);
  EXPECT_FALSE(panel->Save());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "2024年5月3日のメモに保存できない文字「😀」が含まれています。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(panel->MemDaily->toPlainText(), QStringLiteral("絵文字") + QString::fromUtf8("😀"));
  EXPECT_FALSE(memo.Exists("20240503.mem"));
}

TEST_F(QtMemoPanelFixture, ReadOnlyWhileAnExternalEditorRuns) {
  panel->SelectDay(MakeDate(2024, 5, 3));
  box.SetExternalEditor(box.Path(kMemoTabDay), true);
  panel->Reload();
  EXPECT_TRUE(panel->MemDaily->isReadOnly());
  box.SetExternalEditor(box.Path(kMemoTabDay), false);
  panel->Reload();
  EXPECT_FALSE(panel->MemDaily->isReadOnly());
}

// ---- TDlgMemo -------------------------------------------------------------------------------------

TEST_F(QtMemoPanelFixture, MemoDialogTemplateDateChangeAndOk) {
  memo.WriteLines("MemoTemp.txt", {"■予定"});
  memo.WriteLines("20240504.mem", {"四日のメモ"});
  MemoDialogForm form(fs);
  ASSERT_FALSE(form.OpenMemo(memo.path(), store::MemoId::OfDay(MakeDate(2024, 5, 3))));
  MemoDialogLook look;
  look.tab_inserts = false;
  TDlgMemo dlg(dialogs, form, look);
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("2024年5月3日のメモ"));
  EXPECT_EQ(dlg.MemText->toPlainText(), QStringLiteral("■予定\n"));
  EXPECT_TRUE(dlg.MemText->tabChangesFocus());
  ASSERT_NE(dlg.DtpDate, nullptr);
  EXPECT_EQ(dlg.DtpDate->text(), QStringLiteral("2024年5月3日(金)"));

  // Unsaved text of the 3rd is dropped when the date moves.
  dlg.MemText->moveCursor(QTextCursor::End);
  TypeText(dlg.MemText, QStringLiteral("捨てる"));
  dlg.DtpDate->setDate(QDate(2024, 5, 4));
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("2024年5月4日のメモ"));
  EXPECT_EQ(dlg.MemText->toPlainText(), QStringLiteral("四日のメモ\n"));
  dlg.MemText->moveCursor(QTextCursor::End);
  TypeText(dlg.MemText, QStringLiteral("追記"));
  dlg.BtnOk->click();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(memo.Read("20240504.mem"), Sjis("四日のメモ") + "\r\n" + Sjis("追記") + "\r\n");
  EXPECT_FALSE(memo.Exists("20240503.mem"));
}

TEST_F(QtMemoPanelFixture, MemoDialogRefusesAnUnstorableCharacterAndStaysOpen) {
  MemoDialogForm form(fs);
  ASSERT_FALSE(form.OpenMemo(memo.path(), store::MemoId::OfMonth(2024, 5)));
  TDlgMemo dlg(dialogs, form, MemoDialogLook{});
  EXPECT_EQ(dlg.DtpDate, nullptr);
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("2024年5月のメモ"));
  dlg.MemText->setPlainText(QString::fromUtf8("🎉"));
  dlg.BtnOk->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "2024年5月のメモに保存できない文字「🎉」が含まれています。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_NE(dlg.result(), QDialog::Accepted);
  EXPECT_FALSE(memo.Exists("202405.mem"));

  // A file that cannot be read: the dialog is not shown at all.
  dialogs.shown.clear();
  memo.WriteLines("202406.mem", {"x"});
  fs.unreadable.insert(memo / "202406.mem");
  auto failed = form.OpenMemo(memo.path(), store::MemoId::OfMonth(2024, 6));
  EXPECT_FALSE(ShowDlgMemo(dialogs, form, failed, MemoDialogLook{}, nullptr, QPoint(0, 0)));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
}

}  // namespace
}  // namespace kal::mainwindow
