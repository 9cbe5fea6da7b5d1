#include "todo/QtTodoPanel.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTabBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::todo {
namespace {

using test::Sjis;

Date D(int y, int m, int d) { return store::MakeDate(y, m, d); }

std::string Rec(const std::string& limit, const std::string& subject, bool done = false,
                const std::string& start = "", int memo = 0) {
  TodoFields f;
  if (!limit.empty()) f.limit = store::ParseDateText(limit);
  if (!start.empty()) f.start = store::ParseDateText(start);
  f.done = done;
  f.done_date = D(2024, 5, 1);
  f.subject = subject;
  f.memo = memo;
  return BuildTodoRecord(f).line;
}

// A ToDo folder with every state: overdue, today, warning, running, no limit, done, waiting.
class QtTodoPanelTest : public ::testing::Test {
 protected:
  QtTodoPanelTest() {
    records = {Rec("2024/05/08", "期限切れ"), Rec("2024/05/10", "今日"),     Rec("2024/05/12", "警告"),
               Rec("2024/05/30", "進行中"),   Rec("2024/06/30", "待機", false, "2024/06/01"),
               Rec("2024/05/02", "済み", true), Rec("", "いつか", false, "", 1)};
    dir.Write("Todokl.dat", store::JoinLines(records));
    dir.Write("Todokl.dtl", Sjis("0001,メモ\r\n"));
    settings = store::DefaultSettings(store::SettingsDefaults{dir.path(), "Font", 9});
    TodoPanelHost host;
    host.files = &files;
    host.dialogs = &dialogs;
    host.clock = &clock;
    host.settings = &settings;
    host.layout_changed = &layout_changed;
    host.todo_folder = dir.path();
    host.program_folder = dir.path();
    host.on_calendar_refresh = [this] { ++refreshes; };
    host.on_entry = [this](TodoEntryKind kind, std::optional<TodoRef> ref, std::optional<bool> shown) {
      entries.push_back({kind, ref ? static_cast<int>(ref->index) : -1, shown});
    };
    panel.Attach(host);
    panel.resize(700, 300);
    panel.show();
    panel.Reload();
  }

  std::vector<std::string> Subjects() const {
    std::vector<std::string> subjects;
    for (const auto& row : panel.Rows()) subjects.push_back(TodoSubject(row.record));
    return subjects;
  }
  std::vector<std::string> Stored() { return store::SplitLines(dir.Read("Todokl.dat")); }
  QTreeWidgetItem* ItemOf(const std::string& subject) {
    for (int i = 0; i < panel.LtvTodo->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = panel.LtvTodo->topLevelItem(i);
      if (item->text(4) == QString::fromStdString(subject)) return item;
    }
    return nullptr;
  }

  struct Entry {
    TodoEntryKind kind;
    int index;
    std::optional<bool> shown;
  };
  test::TempFolder dir;
  test::FakeDialogs dialogs;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{D(2024, 5, 10), 9, 0, 0}};
  store::Settings settings;
  bool layout_changed = false;
  int refreshes = 0;
  std::vector<Entry> entries;
  std::vector<std::string> records;
  QtTodoPanel panel;
};

TEST_F(QtTodoPanelTest, FillsTheTabsWithTheirCountsColumnsAndIcons) {
  EXPECT_EQ(panel.TabTodo->tabText(0), QString::fromUtf8("未処理 [ 5件]"));
  EXPECT_EQ(panel.TabTodo->tabText(1), QString::fromUtf8("処理済 [ 1件]"));
  EXPECT_EQ(panel.TabTodo->tabText(2), QString::fromUtf8("待機 [ 1件]"));
  EXPECT_EQ(Subjects(), (std::vector<std::string>{"期限切れ", "今日", "警告", "進行中", "いつか"}));
  QTreeWidget* list = panel.LtvTodo;
  EXPECT_EQ(list->columnCount(), 7);
  EXPECT_EQ(list->headerItem()->text(1), QString::fromUtf8("期限"));
  EXPECT_EQ(list->headerItem()->text(2), QString::fromUtf8("残日数"));
  EXPECT_EQ(list->columnWidth(0), 40);
  QTreeWidgetItem* overdue = list->topLevelItem(0);
  EXPECT_EQ(overdue->text(2), QStringLiteral("-2"));
  EXPECT_FALSE(overdue->icon(0).isNull());
  EXPECT_EQ(overdue->foreground(1).color(), QColor(255, 0, 0));      // state 1: red text
  EXPECT_EQ(list->topLevelItem(1)->background(1).color(), QColor(255, 128, 128));  // state 2: $8080FF
  EXPECT_EQ(panel.Rows()[4].state, kStateNoLimit);
  EXPECT_TRUE(panel.Rows()[4].memo);

  panel.SetTab(kTabWaiting);
  EXPECT_EQ(Subjects(), std::vector<std::string>{"待機"});
  EXPECT_EQ(panel.LtvTodo->headerItem()->text(2), QString::fromUtf8("開始日"));
  panel.SetTab(kTabDone);
  EXPECT_EQ(Subjects(), std::vector<std::string>{"済み"});
  EXPECT_EQ(panel.LtvTodo->topLevelItem(0)->checkState(0), Qt::Checked);
}

TEST_F(QtTodoPanelTest, ATickIsSavedAsDoneWithTodayWhenTheTabChanges) {
  ItemOf("警告")->setCheckState(0, Qt::Checked);
  EXPECT_EQ(Stored(), records);  // pending until an apply moment
  panel.SetTab(kTabDone);
  std::vector<std::string> expected = records;
  expected[2] = records[2].substr(0, 23) + "1" + "2024/05/10" + records[2].substr(34);
  EXPECT_EQ(Stored(), expected);
  EXPECT_GE(refreshes, 1);
  EXPECT_EQ(Subjects(), (std::vector<std::string>{"済み", "警告"}));
  EXPECT_EQ(panel.TabTodo->tabText(1), QString::fromUtf8("処理済 [ 2件]"));

  // Unticked on 処理済 it goes back, keeping its done date.
  panel.LtvTodo->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
  panel.Reload();
  EXPECT_EQ(Stored()[2], records[2].substr(0, 23) + "0" + "2024/05/10" + records[2].substr(34));
}

TEST_F(QtTodoPanelTest, AReloadAppliesPendingTicksFirst) {
  ItemOf("今日")->setCheckState(0, Qt::Checked);
  panel.Reload();  // the three-minute refresh
  EXPECT_TRUE(TodoDone(Stored()[1]));
}

TEST_F(QtTodoPanelTest, AHeaderClickReversesThenSorts) {
  panel.SortByColumn(4);  // 件名: never sorted, so descending first
  EXPECT_EQ(settings.todo.tabs[0].column, 4);
  EXPECT_EQ(settings.todo.tabs[0].order, -1);
  const std::vector<std::string> descending = Subjects();
  panel.SortByColumn(4);
  std::vector<std::string> ascending = Subjects();
  std::reverse(ascending.begin(), ascending.end());
  EXPECT_EQ(ascending, descending);
  EXPECT_TRUE(panel.MarkedTabs()[0]);
  EXPECT_EQ(panel.LtvTodo->header()->sortIndicatorSection(), 4);

  panel.SortByColumn(2);  // 残日数 as text: "-2" "0" "2" "20", the empty cell first
  EXPECT_EQ(Subjects().front(), "進行中");  // descending: "20"
}

TEST_F(QtTodoPanelTest, DeletingAsksFirstAndRemovesTheRecordAndItsMemo) {
  ItemOf("いつか")->setSelected(true);
  dialogs.answers = {platform::MsgAnswer::No};
  panel.DeleteSelected();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "「いつか」を削除します。\nよろしいですか？");
  EXPECT_EQ(dialogs.shown[0].caption, "ToDoの削除");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Warning);
  EXPECT_EQ(Stored(), records);

  ItemOf("いつか")->setSelected(true);
  panel.DeleteSelected();
  EXPECT_EQ(Stored().size(), records.size() - 1);
  EXPECT_EQ(dir.Read("Todokl.dtl"), "");

  settings.view.del_msg = false;
  ItemOf("期限切れ")->setSelected(true);
  ItemOf("今日")->setSelected(true);
  panel.DeleteSelected();
  EXPECT_EQ(dialogs.shown.size(), 2u);  // nothing more asked
  EXPECT_EQ(Stored().size(), records.size() - 3);
}

TEST_F(QtTodoPanelTest, ThePopupFollowsTheSelection) {
  auto visible = [](QMenu* menu, const char* name) {
    for (QAction* a : menu->findChildren<QAction*>(QString::fromUtf8(name)))
      if (a->objectName() == QString::fromUtf8(name)) return a->isVisible();
    ADD_FAILURE() << name;
    return false;
  };
  std::unique_ptr<QMenu> none(panel.BuildPopup(nullptr));
  EXPECT_TRUE(visible(none.get(), "PopTodNew"));
  EXPECT_FALSE(visible(none.get(), "PopTodRep"));
  EXPECT_FALSE(visible(none.get(), "PopTodDel"));
  EXPECT_FALSE(visible(none.get(), "PopTodUpdate"));

  ItemOf("いつか")->setSelected(true);
  ItemOf("いつか")->setCheckState(0, Qt::Checked);
  std::unique_ptr<QMenu> one(panel.BuildPopup(nullptr));
  EXPECT_TRUE(visible(one.get(), "PopTodRep"));
  EXPECT_TRUE(visible(one.get(), "PopTodUpdate"));
  EXPECT_FALSE(visible(one.get(), "PopTodCal"));  // no limit

  // The progress item writes the value in place.
  for (QAction* a : one->findChildren<QAction*>(QStringLiteral("PopTodPer7"))) a->trigger();
  EXPECT_EQ(TodoProgress(Stored()[6]), 7);
  EXPECT_TRUE(TodoDone(Stored()[6]));  // the pending tick was applied first
}

TEST_F(QtTodoPanelTest, EnterAndDoubleClickEditTheRowAsTicked) {
  QTreeWidgetItem* item = ItemOf("警告");
  item->setSelected(true);
  item->setCheckState(0, Qt::Checked);
  panel.EditSelected();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].kind, TodoEntryKind::Edit);
  EXPECT_EQ(entries[0].index, 2);
  EXPECT_EQ(entries[0].shown, true);
  panel.LtvTodo->clearSelection();
  panel.EditSelected();
  EXPECT_EQ(entries.back().kind, TodoEntryKind::New);
}

TEST_F(QtTodoPanelTest, TheLastColumnCannotBeHidden) {
  settings.todo.tabs[0].item = "0000100000";
  panel.RebuildColumns();
  panel.ToggleItem(5);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "1項目以上を選択しなければなりません。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(panel.LtvTodo->columnCount(), 2);
  panel.ToggleItem(1);
  EXPECT_EQ(settings.todo.tabs[0].item, "1000100000");
  EXPECT_EQ(panel.LtvTodo->columnCount(), 3);
  EXPECT_TRUE(layout_changed);
}

TEST_F(QtTodoPanelTest, StartupWarningsFollowThePopLevel) {
  EXPECT_EQ(panel.StartupWarnings(), "");  // Pop 0
  settings.todo.pop = 2;
  EXPECT_EQ(panel.StartupWarnings(),
            "\n【ToDoの警告】\n2024年5月8日(水)の「期限切れ」の期限を 2日過ぎています。\n"
            "2024年5月10日(金)の「今日」の期限です。\n");
}

}  // namespace
}  // namespace kal::todo
