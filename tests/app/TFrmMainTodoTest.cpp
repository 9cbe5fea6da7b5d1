#include "app/TFrmMain.h"

#include <QAction>
#include <QTabBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "mainwindow/GridDays.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/TempFolder.h"
#include "todo/QtTodoPanel.h"

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

TEST_F(TFrmMainTodoTest, APendingTickIsSavedAtClose) {
  auto w = Make();
  w->Layout()->TodoPanel()->LtvTodo->topLevelItem(1)->setCheckState(0, Qt::Checked);
  w->close();
  const auto stored = store::SplitLines(dir.Read("Todokl.dat"));
  EXPECT_TRUE(todo::TodoDone(stored[1]));
  EXPECT_EQ(todo::TodoDoneDateText(stored[1]), "2026/12/10");
}

}  // namespace
}  // namespace kal::app
