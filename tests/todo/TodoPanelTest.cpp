#include "todo/TodoPanel.h"

#include <gtest/gtest.h>

namespace kal::todo {
namespace {

Date D(int y, int m, int d) { return store::MakeDate(y, m, d); }
const Date kToday = D(2024, 5, 10);

std::string Rec(const std::string& limit, const std::string& subject, bool done = false, int progress = 0,
                int memo = 0, const std::string& link = "", const std::string& start = "") {
  TodoFields f;
  if (!limit.empty()) f.limit = store::ParseDateText(limit);
  if (!start.empty()) f.start = store::ParseDateText(start);
  f.done = done;
  f.done_date = D(2024, 5, 1);
  f.progress = progress;
  f.memo = memo;
  f.subject = subject;
  f.link = link;
  f.category = "仕事";
  return BuildTodoRecord(f).line;
}

store::TodoSettings Defaults() {
  return store::DefaultSettings(store::SettingsDefaults{"/p/", "Font", 9}).todo;
}

std::string Header(const std::vector<TodoColumn>& columns) {
  std::string text;
  for (const auto& c : columns) text += (c.header.empty() ? "#" + std::to_string(c.header_image) : c.header) + "|";
  return text;
}

TEST(TodoPanelColumns, EachTabShowsItsDefaultColumns) {
  const store::TodoSettings s = Defaults();
  EXPECT_EQ(Header(TodoColumns(s.tabs[kTabNotDone], false)), "期限|残日数|#9|件名|進捗|#10|");
  EXPECT_EQ(Header(TodoColumns(s.tabs[kTabDone], false)), "期限|件名|処理日|#10|");
  EXPECT_EQ(Header(TodoColumns(s.tabs[kTabWaiting], false)), "期限|開始日|#9|件名|#10|");
  const auto columns = TodoColumns(s.tabs[kTabNotDone], false);
  EXPECT_EQ(columns[1].width, 52);
  EXPECT_EQ(columns[1].align, CellAlign::Right);
  EXPECT_EQ(columns[4].align, CellAlign::Right);
  EXPECT_EQ(TodoColumns(s.tabs[kTabNotDone], true)[4].align, CellAlign::Centre);  // the progress bar
  EXPECT_EQ(FirstColumnWidth(s.tabs[kTabNotDone]), 40);
}

TEST(TodoPanelCells, ShowEachFieldAsTheListShowsIt) {
  const std::string record = Rec("2024/05/07", "請求書", true, 3, 0, "", "2024/05/01");
  struct Case {
    int field;
    std::string style, text;
  } cases[] = {
      {kFieldLimit, "yyyy/mm/dd", "2024/05/07"}, {kFieldLimit, "m/d(aaa)", "5/7(火)"},
      {kFieldDaysLeft, "", "-3"},                {kFieldStart, "yyyy/mm/dd", "2024/05/01"},
      {kFieldPriority, "", "A"},                 {kFieldSubject, "", "請求書"},
      {kFieldCategory, "", "仕事"},              {kFieldProgress, "", " 30%"},
      {kFieldDoneDate, "yyyy/mm/dd", "2024/05/01"}, {kFieldMemo, "", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TodoCellText(record, c.field, kToday, c.style), c.text) << c.field;

  const std::string open = Rec("", "いつか", false, 10);
  EXPECT_EQ(TodoCellText(open, kFieldLimit, kToday, "yyyy/mm/dd"), "期限なし  ");
  EXPECT_EQ(TodoCellText(open, kFieldDaysLeft, kToday, ""), "");
  EXPECT_EQ(TodoCellText(open, kFieldStart, kToday, "yyyy/mm/dd"), "");
  EXPECT_EQ(TodoCellText(open, kFieldDoneDate, kToday, "yyyy/mm/dd"), "");  // not done
  EXPECT_EQ(TodoCellText(open, kFieldProgress, kToday, ""), "100%");
  EXPECT_EQ(TodoCellText(Rec("2024/05/10", "x"), kFieldDaysLeft, kToday, ""), "0");
}

TEST(TodoPanelRows, ListTheTabsRecordsWithTicksIconsAndMarks) {
  store::TodoSettings s = Defaults();
  const std::vector<std::string> records = {Rec("2024/05/09", "late", false, 0, 3), Rec("2024/05/02", "done", true),
                                            Rec("2024/05/30", "later", false, 0, 0, "/a.txt", "2024/05/20")};
  const Classification classes = ClassifyTodos(records, kToday, ClassifyOptionsOf(s));
  const auto columns = TodoColumns(s.tabs[kTabNotDone], false);
  auto open = TodoRows(records, classes, kTabNotDone, s, columns, kToday);
  ASSERT_EQ(open.size(), 1u);
  EXPECT_EQ(open[0].index, 0u);
  EXPECT_EQ(open[0].Caption(), " 0");
  EXPECT_EQ(open[0].icon, kStateOverdue);
  EXPECT_FALSE(open[0].checked);
  EXPECT_TRUE(open[0].memo);
  EXPECT_EQ(open[0].cells, (std::vector<std::string>{"2024/05/09", "-1", "A", "late", "  0%", ""}));

  auto done = TodoRows(records, classes, kTabDone, s, TodoColumns(s.tabs[kTabDone], false), kToday);
  ASSERT_EQ(done.size(), 1u);
  EXPECT_TRUE(done[0].checked);
  EXPECT_EQ(done[0].icon, kStateDone);

  auto waiting = TodoRows(records, classes, kTabWaiting, s, TodoColumns(s.tabs[kTabWaiting], false), kToday);
  ASSERT_EQ(waiting.size(), 1u);  // its start is in the future
  EXPECT_EQ(waiting[0].icon, kStateWaiting);
  EXPECT_TRUE(waiting[0].link);

  s.tabs[kTabNotDone].icon = 0;
  EXPECT_EQ(TodoRows(records, classes, kTabNotDone, s, columns, kToday)[0].icon, 0);
}

TEST(TodoPanelSort, ComparesCellTextOnlyAndClicksReverseFirst) {
  auto row = [](std::size_t index, std::string cell) {
    TodoRow r;
    r.index = index;
    r.cells = {std::move(cell)};
    return r;
  };
  std::vector<TodoRow> rows = {row(0, "9"), row(1, "10"), row(2, "-3"), row(3, "10")};
  const TextCompare bytes = [](const std::string& a, const std::string& b) { return a.compare(b); };
  SortTodoRows(rows, 0, 1, bytes);
  std::vector<std::size_t> order;
  for (const auto& r : rows) order.push_back(r.index);
  EXPECT_EQ(order, (std::vector<std::size_t>{2, 1, 3, 0}));  // "10" before "9"; equal rows keep their order
  SortTodoRows(rows, 0, -1, bytes);
  order.clear();
  for (const auto& r : rows) order.push_back(r.index);
  EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 3, 2}));

  SortState state;
  EXPECT_EQ(state.Click(3), -1);  // never sorted: the first click sorts descending
  EXPECT_EQ(state.Click(3), 1);
  EXPECT_EQ(state.Click(2), -1);

  store::TodoTabSettings tab;
  tab.column = 5;
  tab.order = -1;
  MendSortPosition(tab, 5);
  EXPECT_EQ(tab.column, 5);
  MendSortPosition(tab, 4);
  EXPECT_EQ(tab.column, 1);
  EXPECT_EQ(tab.order, 1);
}

TEST(TodoPanelPending, TicksDifferingFromTheTabAreChanges) {
  auto row = [](std::size_t index, bool checked) {
    TodoRow r;
    r.index = index;
    r.record = "r" + std::to_string(index);
    r.checked = checked;
    return r;
  };
  const std::vector<TodoRow> rows = {row(0, true), row(1, false), row(2, true)};
  auto open = PendingChanges(rows, kTabNotDone);
  ASSERT_EQ(open.size(), 2u);
  EXPECT_EQ(open[0].ref.index, 0u);
  EXPECT_EQ(open[0].ref.line, "r0");
  EXPECT_TRUE(open[0].done);
  EXPECT_EQ(PendingChanges(rows, kTabWaiting).size(), 2u);
  auto done = PendingChanges(rows, kTabDone);
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0].ref.index, 1u);
  EXPECT_FALSE(done[0].done);
}

TEST(TodoPanelColours, StateColoursOrCategoryColours) {
  store::TodoSettings s = Defaults();
  TodoRow row;
  row.state = kStateDueToday;
  row.checked = true;
  RowColours c = TodoRowColours(s, row, kTabNotDone, 0x123456, std::nullopt);
  EXPECT_EQ(c.text, 0x000000);
  EXPECT_EQ(c.back, 0x8080FF);
  EXPECT_TRUE(c.strike);
  row.state = kStateOverdue;
  c = TodoRowColours(s, row, kTabDone, std::nullopt, std::nullopt);
  EXPECT_EQ(c.text, 0x0000FF);
  EXPECT_FALSE(c.back.has_value());  // $FFFFFF: no background of its own
  EXPECT_FALSE(c.strike);
  s.t_no_color = false;
  c = TodoRowColours(s, row, kTabNotDone, 0x123456, std::nullopt);
  EXPECT_EQ(c.text, 0x123456);
  EXPECT_FALSE(c.back.has_value());
  EXPECT_FALSE(c.strike);
}

TEST(TodoPanelMenu, ItemsFollowTheSelection) {
  const store::TodoSettings s = Defaults();
  TodoRow dated, open;
  dated.record = Rec("2024/05/20", "a", false, 4);
  open.record = Rec("", "b");
  TodoMenu none = TodoMenuFor(kTabNotDone, {}, false, s);
  EXPECT_FALSE(none.rep || none.copy || none.to_schedule || none.del || none.check || none.update ||
               none.move_to_limit || none.progress);
  EXPECT_EQ(none.check_caption, "処理済にする(&H)");
  EXPECT_EQ(none.item_checks, (std::array<bool, 11>{true, true, true, false, true, true, false, true, false, true,
                                                    false}));
  TodoMenu one = TodoMenuFor(kTabDone, {&dated}, true, s);
  EXPECT_TRUE(one.rep && one.copy && one.to_schedule && one.del && one.check && one.update && one.move_to_limit);
  EXPECT_EQ(one.progress_value, 4);
  EXPECT_EQ(one.check_caption, "未処理にする(&H)");
  EXPECT_FALSE(TodoMenuFor(kTabNotDone, {&open}, false, s).move_to_limit);
  TodoMenu two = TodoMenuFor(kTabWaiting, {&dated, &open}, false, s);
  EXPECT_TRUE(two.del && two.check);
  EXPECT_FALSE(two.rep || two.copy || two.progress || two.move_to_limit);
}

TEST(TodoPanelMenu, TheLastShownColumnCannotBeHidden) {
  store::TodoTabSettings tab;
  tab.icon = 1;
  tab.item = "0000100000";
  EXPECT_FALSE(ToggleTodoItem(tab, 5));
  EXPECT_EQ(tab.item, "0000100000");
  EXPECT_TRUE(ToggleTodoItem(tab, 1));
  EXPECT_EQ(tab.item, "1000100000");
  EXPECT_TRUE(ToggleTodoItem(tab, 5));
  EXPECT_EQ(tab.item, "1000000000");
  EXPECT_TRUE(ToggleTodoItem(tab, 0));
  EXPECT_EQ(tab.icon, 0);
}

TEST(TodoPanelDelete, TheQuestionNamesOneItemOrCountsSeveral) {
  EXPECT_EQ(DeleteQuestion({Rec("", "請求書")}), "「請求書」を削除します。\nよろしいですか？");
  EXPECT_EQ(DeleteQuestion({Rec("", "a"), Rec("", "b"), Rec("", "c")}), "3件のToDoを削除します。\nよろしいですか？");
}

}  // namespace
}  // namespace kal::todo
