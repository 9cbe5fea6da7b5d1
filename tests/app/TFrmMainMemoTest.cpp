#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "app/TFrmMain.h"
#include "listing/TDlgList.h"
#include "mainwindow/TDlgMemo.h"
#include "mainwindow/QtMemoPanel.h"
#include "mainwindow/QtNotePanel.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/QtTestHelpers.h"
#include "support/FakeShell.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

using store::MakeDate;
using test::Sjis;

using test::TypeText;

class TFrmMainMemoTest : public ::testing::Test {
 protected:
  std::unique_ptr<TFrmMain> Make() {
    Session session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    session.settings.memo.daily_title = "m/d";
    auto w = std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
    w->SetProcesses(&processes);
    return w;
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  test::FakeProcesses processes;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 0, 0}};
};

TEST_F(TFrmMainMemoTest, TheMemoBoxFollowsTheSelectionAndSavesOnTheMove) {
  dir.WriteLines("20261210.mem", {"今日のメモ"});
  auto w = Make();
  mainwindow::QtMemoPanel* memo = w->MemoPanel();
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->TabMemo->tabText(0), QStringLiteral("12/10"));
  EXPECT_EQ(memo->MemDaily->toPlainText(), QStringLiteral("今日のメモ\n"));

  w->SetSelectedDate(MakeDate(2026, 12, 11));
  EXPECT_EQ(memo->TabMemo->tabText(0), QStringLiteral("12/11"));
  TypeText(memo->MemDaily, QStringLiteral("明日の準備"));
  w->SetSelectedDate(MakeDate(2026, 12, 12));  // the reload saves the box first
  EXPECT_EQ(dir.Read("20261211.mem"), Sjis("明日の準備") + "\r\n");
  EXPECT_EQ(memo->MemDaily->toPlainText(), QString());

  // The memo icon of the 11th is now in the model.
  w->SetSelectedDate(MakeDate(2026, 12, 11));
  EXPECT_EQ(memo->MemDaily->toPlainText(), QStringLiteral("明日の準備\n"));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TFrmMainMemoTest, AnEditedBoxIsSavedBeforeAMemoCommandAndReadAgainAfter) {
  dir.WriteLines("20261210.mem", {"元"});
  auto w = Make();
  mainwindow::QtMemoPanel* memo = w->MemoPanel();
  memo->MemDaily->moveCursor(QTextCursor::End);
  TypeText(memo->MemDaily, QStringLiteral("追記"));
  // A command on memo files (here the memo deletion) saves the box, deletes, and re-reads it.
  dialogs.answers.push_back(platform::MsgAnswer::Yes);
  w->MemoDelete();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "2026年12月10日 のメモを削除します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown[0].caption, "メモの削除");
  EXPECT_FALSE(dir.Exists("20261210.mem"));
  EXPECT_EQ(memo->MemDaily->toPlainText(), QString());
  w->SetSelectedDate(MakeDate(2026, 12, 11));
  EXPECT_FALSE(dir.Exists("20261210.mem"));  // nothing brings it back
}

TEST_F(TFrmMainMemoTest, TheMemoListEditsTheBoxAsTypedAndTheBoxShowsTheEdit) {
  dir.WriteLines("20261210.mem", {"元"});
  auto w = Make();
  mainwindow::QtMemoPanel* memo = w->MemoPanel();
  memo->MemDaily->moveCursor(QTextCursor::End);
  TypeText(memo->MemDaily, QStringLiteral("追記"));  // not saved yet
  QString listed, opened_with, caption;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* list = qobject_cast<listing::TDlgList*>(test::FindModal());
    if (list == nullptr) return;
    ASSERT_EQ(list->LtvList->topLevelItemCount(), 1);
    listed = list->LtvList->topLevelItem(0)->text(2);
    list->LtvList->setCurrentItem(list->LtvList->topLevelItem(0));
    QTimer::singleShot(0, [&] {
      test::WaitUntil([&] { return qobject_cast<mainwindow::TDlgMemo*>(test::FindModal()) != nullptr; });
      auto* dialog = qobject_cast<mainwindow::TDlgMemo*>(test::FindModal());
      if (dialog == nullptr) return;
      caption = dialog->windowTitle();
      opened_with = dialog->MemText->toPlainText();
      dialog->MemText->setPlainText(QStringLiteral("書き換え"));
      dialog->BtnOk->click();
    });
    list->MenRep->trigger();
    list->reject();
  });
  w->Action(QStringLiteral("MenMemoList"))->trigger();
  // The box was saved before the list read the memo files (the cell shows the lines run together).
  EXPECT_TRUE(listed.startsWith(QStringLiteral("元追記"))) << listed.toStdString();
  EXPECT_EQ(caption, QStringLiteral("2026年12月10日のメモ"));
  EXPECT_TRUE(opened_with.startsWith(QStringLiteral("元\n追記"))) << opened_with.toStdString();
  EXPECT_EQ(dir.Read("20261210.mem"), Sjis("書き換え") + "\r\n");
  // The box was read again after the list.
  EXPECT_EQ(memo->MemDaily->toPlainText(), QStringLiteral("書き換え\n"));
}

TEST_F(TFrmMainMemoTest, TheExternalEditorGetsTheMemoPathAndTheBoxIsReadOnlyMeanwhile) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[Memo]", "Exe=1", "ExeName=/usr/bin/editor"});
  auto w = Make();
  bool read_only_while_running = false;
  processes.running = true;
  // The wait polls; the first poll sees the box read-only, then the editor "ends".
  QTimer::singleShot(50, [&] {
    read_only_while_running = w->MemoPanel()->MemDaily->isReadOnly();
    processes.running = false;
  });
  w->ShowDlgMemo(false);
  ASSERT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(processes.started[0].program, "/usr/bin/editor");
  EXPECT_EQ(processes.started[0].arguments, (std::vector<std::string>{dir / "20261210.mem"}));
  EXPECT_TRUE(read_only_while_running);
  EXPECT_FALSE(w->MemoPanel()->MemDaily->isReadOnly());
}

TEST_F(TFrmMainMemoTest, TheNotesPanelAndTheMemoColour) {
  auto w = Make();
  mainwindow::QtNotePanel* notes = w->NotePanel();
  ASSERT_NE(notes, nullptr);
  EXPECT_EQ(notes->TabNote->count(), 5);
  EXPECT_EQ(notes->TabNote->tabText(0), QStringLiteral("目標"));

  dir.WriteLines("20261210.mem", {"色"});
  w->MemoColourSet(4);
  std::vector<std::string> expected(32, "00");
  expected[10] = "00   4";
  EXPECT_EQ(dir.Read("202612.day"), store::JoinLines(expected));
}

}  // namespace
}  // namespace kal::app
