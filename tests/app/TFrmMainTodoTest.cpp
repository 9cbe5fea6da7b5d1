#include "app/TFrmMain.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QTabBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "listing/TDlgList.h"
#include "mainwindow/GridDays.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "schedule/TDlgSchInput.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"
#include "todo/QtTodoPanel.h"
#include "todo/TDlgTodoInput.h"

namespace kal::app {
namespace {

using test::Sjis;

std::string Rec(const std::string& limit, const std::string& subject, bool done = false) {
  todo::TodoFields f;
  if (!limit.empty()) f.limit = store::ParseDateText(limit);
  f.done = done;
  f.done_date = store::MakeDate(2026, 12, 1);
  f.subject = subject;
  return todo::BuildTodoRecord(f).line;
}

class TFrmMainTodoTest : public ::testing::Test {
 protected:
  TFrmMainTodoTest() {
    records = {Rec("2026/12/08", "請求"), Rec("2026/12/10", "電話"), Rec("2026/12/24", "済", true), Rec("", "いつか")};
    dir.Write("Todokl.dat", store::JoinLines(records));
  }
  std::unique_ptr<TFrmMain> Make() {
    Session session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    return std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
  }
  // The ToDo entries of a day in the window's month model: order key ("D": SchOrder is on by
  // default, marks before the schedules), index.
  static std::vector<std::string> TodoEntries(const TFrmMain& w, const store::Date& date) {
    std::vector<std::string> out;
    for (const auto& e : w.Model().Day(date).entries)
      if (e.size() > 7 && e[2] == '8') out.push_back(e.substr(0, 2) + " " + e.substr(3, 4));
    return out;
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 0, 0}};
  std::vector<std::string> records;
};

TEST_F(TFrmMainTodoTest, ThePanelShowsTheListAndTheCalendarMarksLimits) {
  auto w = Make();
  todo::QtTodoPanel* panel = w->Layout()->TodoPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->TabTodo->tabText(0), QString::fromUtf8("未処理 [ 3件]"));
  EXPECT_EQ(panel->LtvTodo->topLevelItemCount(), 3);
  EXPECT_EQ(TodoEntries(*w, store::MakeDate(2026, 12, 8)), std::vector<std::string>{"D1 0000"});
  EXPECT_EQ(TodoEntries(*w, store::MakeDate(2026, 12, 10)), std::vector<std::string>{"D2 0001"});
  EXPECT_EQ(TodoEntries(*w, store::MakeDate(2026, 12, 24)), std::vector<std::string>{"D6 0002"});
  EXPECT_TRUE(w->Action(QStringLiteral("MenTodoAdd"))->isEnabled());
}

TEST_F(TFrmMainTodoTest, ATickChangesTheMarkWhenApplied) {
  auto w = Make();
  todo::QtTodoPanel* panel = w->Layout()->TodoPanel();
  panel->LtvTodo->topLevelItem(1)->setCheckState(0, Qt::Checked);  // 電話 (sorted by limit)
  panel->SetTab(todo::kTabDone);
  EXPECT_TRUE(todo::TodoDone(panel->Records()[1]));
  EXPECT_EQ(TodoEntries(*w, store::MakeDate(2026, 12, 10)), std::vector<std::string>{"D6 0001"});
}

TEST_F(TFrmMainTodoTest, TheToDoListReadsThePanelsTicksAndThePanelFollowsItsDelete) {
  auto w = Make();
  todo::QtTodoPanel* panel = w->Layout()->TodoPanel();
  panel->LtvTodo->topLevelItem(1)->setCheckState(0, Qt::Checked);  // 電話, pending
  QStringList listed;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* list = qobject_cast<listing::TDlgList*>(test::FindModal());
    if (list == nullptr) return;
    for (int i = 0; i < list->LtvList->topLevelItemCount(); ++i) listed << list->LtvList->topLevelItem(i)->text(6);
    // 請求 deleted from the list (the question answered Yes).
    list->LtvList->clearSelection();
    list->LtvList->topLevelItem(0)->setSelected(true);
    list->MenDel->trigger();
    list->reject();
  });
  w->Action(QStringLiteral("MenTodoList"))->trigger();
  // The tick was saved before the list read the file: 電話 is no longer open.
  EXPECT_EQ(listed, (QStringList{QString::fromUtf8("請求"), QString::fromUtf8("いつか")}));
  const auto stored = store::SplitLines(dir.Read("Todokl.dat"));
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(todo::TodoSubject(stored[0]), "電話");
  EXPECT_TRUE(todo::TodoDone(stored[0]));
  // The panel was read again: only いつか is open.
  EXPECT_EQ(panel->TabTodo->tabText(0), QString::fromUtf8("未処理 [ 1件]"));
  EXPECT_EQ(panel->Records().size(), 3u);
}

TEST_F(TFrmMainTodoTest, APendingTickIsSavedAtClose) {
  auto w = Make();
  w->Layout()->TodoPanel()->LtvTodo->topLevelItem(1)->setCheckState(0, Qt::Checked);
  w->close();
  const auto stored = store::SplitLines(dir.Read("Todokl.dat"));
  EXPECT_TRUE(todo::TodoDone(stored[1]));
  EXPECT_EQ(todo::TodoDoneDateText(stored[1]), "2026/12/10");
}

TEST_F(TFrmMainTodoTest, AScheduleOfABarFromTheMonthBeforeIsCopiedWithItsMemo) {
  // A three-day bar from 30 November with a memo; December's own file holds another line at index 0.
  store::ScheduleFields bar;
  bar.day = 30;
  bar.span = 3;
  bar.title = "出張";
  bar.category = "仕事";
  bar.detail = 1;
  dir.Write("202611.sch", store::JoinLines({store::BuildScheduleLine(bar).line}));
  dir.Write("202611.dtl", Sjis("001,新幹線,ホテル\r\n"));
  store::ScheduleFields other;
  other.day = 2;
  other.title = "別件";
  dir.Write("202612.sch", store::JoinLines({store::BuildScheduleLine(other).line}));
  auto w = Make();
  w->SetSelectedDate(store::MakeDate(2026, 12, 2));
  std::string entry;
  for (const auto& e : w->Model().Day(store::MakeDate(2026, 12, 2)).entries)
    if (e.size() > 7 && e[2] == '5' && store::Field(e.substr(7), 31, 40) == "出張") entry = e;
  ASSERT_FALSE(entry.empty());

  QString caption, subject, memo;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* dlg = qobject_cast<todo::TDlgTodoInput*>(test::FindModal());
    if (dlg == nullptr) return;
    caption = dlg->windowTitle();
    subject = dlg->CmbTitle->currentText();
    memo = dlg->MemTodo->toPlainText();
    dlg->BtnOk->click();
  });
  EXPECT_TRUE(w->ScheduleToTodo(entry));
  EXPECT_EQ(caption, QString::fromUtf8("スケジュールをToDoにコピー"));
  EXPECT_EQ(subject, QString::fromUtf8("出張"));
  EXPECT_EQ(memo, QString::fromUtf8("新幹線\nホテル"));
  const auto stored = store::SplitLines(dir.Read("Todokl.dat"));
  ASSERT_EQ(stored.size(), records.size() + 1);
  EXPECT_EQ(dir.Read("Todokl.dtl"), Sjis("0001,新幹線,ホテル\r\n"));
  EXPECT_EQ(dir.Read("202611.dtl"), Sjis("001,新幹線,ホテル\r\n"));  // the source's memo untouched
}

TEST_F(TFrmMainTodoTest, AToDoItemIsCopiedToASchedule) {
  auto w = Make();
  QString caption, title;
  QDate date;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* dlg = qobject_cast<schedule::TDlgSchInput*>(test::FindModal());
    if (dlg == nullptr) return;
    caption = dlg->windowTitle();
    title = dlg->CmbTitle->currentText();
    date = dlg->DtpSchFromDate->date();
    dlg->BtnOk->click();
  });
  EXPECT_TRUE(w->TodoToSchedule(records[3]));  // いつか: no limit, so today
  EXPECT_EQ(caption, QString::fromUtf8("ToDoをスケジュールにコピー"));
  EXPECT_EQ(title, QString::fromUtf8("いつか"));
  EXPECT_EQ(date, QDate(2026, 12, 10));
  const auto december = store::LoadLines(files, store::MonthFilePath(dir.path(), 2026, 12));
  ASSERT_EQ(december.size(), 1u);
  EXPECT_EQ(store::ReadScheduleLine(december[0]).title, "いつか");
  EXPECT_EQ(store::SplitLines(dir.Read("Todokl.dat")), records);  // the source is never changed
}

}  // namespace
}  // namespace kal::app
