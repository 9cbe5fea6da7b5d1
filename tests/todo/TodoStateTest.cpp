#include "todo/TodoState.h"

#include <gtest/gtest.h>

#include "model/MonthModel.h"
#include "support/TempFolder.h"
#include "todo/TodoMarkList.h"
#include "todo/TodoFile.h"

namespace kal::todo {
namespace {

using test::Sjis;

Date D(int y, int m, int d) { return store::MakeDate(y, m, d); }
const Date kToday = D(2024, 5, 10);  // a Friday

// A not-done record with a limit ("" for none), a start ("" for none) and a subject.
std::string Rec(const std::string& limit, const std::string& start, const std::string& subject, bool done = false) {
  TodoFields f;
  if (!limit.empty()) f.limit = store::ParseDateText(limit);
  if (!start.empty()) f.start = store::ParseDateText(start);
  f.done = done;
  f.done_date = kToday;
  f.subject = subject;
  return BuildTodoRecord(f).line;
}

ClassifyOptions NoWaiting() {
  ClassifyOptions o;
  o.warn_term = 3;
  o.wait_date = false;
  return o;
}

TEST(TodoState, WarnTermDecidesTheStatesByLimit) {
  struct Case {
    const char* limit;
    int state;
  } cases[] = {
      {"2024/05/09", kStateOverdue}, {"2024/01/01", kStateOverdue}, {"2024/05/10", kStateDueToday},
      {"2024/05/11", kStateWarning}, {"2024/05/13", kStateWarning}, {"2024/05/14", kStateRunning},
      {"", kStateNoLimit},
  };
  std::vector<std::string> records;
  for (const auto& c : cases) records.push_back(Rec(c.limit, "", c.limit));
  records.push_back(Rec("2024/05/09", "", "done", true));
  const Classification r = ClassifyTodos(records, kToday, NoWaiting());
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(r.items[i].state, cases[i].state) << cases[i].limit;
  EXPECT_EQ(r.items.back().state, kStateDone);
  EXPECT_EQ(r.items.back().tab, kTabDone);
  EXPECT_EQ(r.counts, (std::array<int, 3>{7, 1, 0}));
}

TEST(TodoState, WaitCountKeepsTheFirstDatedItemsAndPutsTheRestAside) {
  ClassifyOptions o = NoWaiting();
  o.wait_count = true;
  o.wait_cnt = 5;
  std::vector<std::string> records;
  for (int day = 11; day <= 18; ++day) records.push_back(Rec("2024/05/" + std::to_string(day), "", "d"));
  records.insert(records.begin() + 2, Rec("2024/05/12", "", "done", true));  // done records do not count
  records.push_back(Rec("", "", "undated"));
  SortTodoList(records);
  const Classification r = ClassifyTodos(records, kToday, o);
  std::vector<int> tabs;
  for (const auto& c : r.items) tabs.push_back(c.tab);
  // File order: 11, 12, 12 (done), 13, 14, 15, 16, 17, 18, undated.
  EXPECT_EQ(tabs, (std::vector<int>{0, 0, 1, 0, 0, 2, 2, 2, 2, 0}));
  EXPECT_EQ(r.counts, (std::array<int, 3>{5, 1, 4}));
  // A waiting item keeps a warning state from its limit; 進行中 becomes 待機.
  EXPECT_EQ(r.items[5].state, kStateWaiting);  // 2024/05/15: beyond the warning range
  EXPECT_EQ(StateByLimit(D(2024, 5, 12), kToday, 3, true), kStateWarning);
}

TEST(TodoState, WaitDayPutsFarLimitsAside) {
  ClassifyOptions o = NoWaiting();
  o.wait_task = true;
  o.wait_day = 10;
  const std::vector<std::string> records = {Rec("2024/05/20", "", "ten"), Rec("2024/05/21", "", "eleven"),
                                            Rec("", "", "none")};
  const Classification r = ClassifyTodos(records, kToday, o);
  EXPECT_FALSE(r.items[0].waiting);
  EXPECT_TRUE(r.items[1].waiting);
  EXPECT_EQ(r.items[1].state, kStateWaiting);
  EXPECT_FALSE(r.items[2].waiting);
}

TEST(TodoState, AFutureStartWaitsOnlyWithWaitDate) {
  const std::vector<std::string> records = {Rec("2024/05/30", "2024/05/11", "tomorrow"),
                                            Rec("2024/05/30", "2024/05/10", "today"),
                                            Rec("", "2024/05/11", "undated tomorrow"), Rec("", "", "undated")};
  ClassifyOptions on = NoWaiting();
  on.wait_date = true;
  const Classification with = ClassifyTodos(records, kToday, on);
  EXPECT_EQ(with.items[0].tab, kTabWaiting);
  EXPECT_EQ(with.items[0].state, kStateWaiting);
  EXPECT_EQ(with.items[1].tab, kTabNotDone);
  EXPECT_EQ(with.items[2].tab, kTabWaiting);
  EXPECT_EQ(with.items[2].state, kStateNoLimit);
  EXPECT_EQ(with.items[3].tab, kTabNotDone);

  const Classification without = ClassifyTodos(records, kToday, NoWaiting());
  EXPECT_EQ(without.items[0].tab, kTabNotDone);
  EXPECT_EQ(without.items[0].state, kStateRunning);
  EXPECT_EQ(without.counts, (std::array<int, 3>{4, 0, 0}));
}

TEST(TodoState, ADamagedLimitCountsAsNoLimit) {
  std::string record = Rec("2024/05/09", "", "bad");
  record.replace(0, 10, "2024/05/3x");
  const Classification r = ClassifyTodos({record}, kToday, NoWaiting());
  EXPECT_EQ(r.items[0].state, kStateNoLimit);
  EXPECT_TRUE(TodoMarks({record}, r).empty());
}

TEST(TodoState, TabCaptionsShowTheCountInTwoColumns) {
  EXPECT_EQ(TabCaption(kTabNotDone, 3), "未処理 [ 3件]");
  EXPECT_EQ(TabCaption(kTabDone, 12), "処理済 [12件]");
  EXPECT_EQ(TabCaption(kTabWaiting, 0), "待機 [ 0件]");
}

TEST(TodoMarks, OneMarkPerDatedRecordWithItsMarkState) {
  ClassifyOptions o = NoWaiting();
  o.wait_count = true;
  o.wait_cnt = 2;  // only the first dated item stays
  const std::vector<std::string> records = {Rec("2024/05/09", "", "late"), Rec("2024/05/10", "", "today"),
                                            Rec("2024/05/01", "", "done", true), Rec("", "", "none")};
  const auto marks = TodoMarks(records, ClassifyTodos(records, kToday, o));
  ASSERT_EQ(marks.size(), 3u);
  EXPECT_EQ(marks[0].date, D(2024, 5, 9));
  EXPECT_EQ(marks[0].state, kStateOverdue);
  EXPECT_EQ(marks[0].index, 0);
  EXPECT_EQ(marks[0].record, records[0]);
  EXPECT_EQ(marks[1].state, kStateWaiting);  // put aside by the count, though due today
  EXPECT_EQ(marks[2].state, kStateDone);
  EXPECT_EQ(marks[2].index, 2);
}

TEST(TodoMarks, TheMonthModelPlacesThemOnTheirLimitDays) {
  test::TempFolder dir;
  const std::vector<std::string> records = {Rec("2024/05/09", "", "late"), Rec("2024/07/01", "", "far")};
  store::ModelRequest request;
  request.view_mode = store::kModeMonthly;
  request.selected = kToday;
  request.today = kToday;
  request.data_folder = dir.path();
  request.memo_folder = dir.path();
  request.todo_marks = TodoMarks(records, ClassifyTodos(records, kToday, NoWaiting()));
  store::MonthModel model;
  platform::PosixFileSystem fs;
  store::SchUpdate(model, fs, request);
  const auto& entries = model.cell(9, 5).entries;
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0], "T18" + std::string("0000") + records[0]);
  EXPECT_EQ(model.SlotOf(2024, 7), 0);  // July is not on screen: no mark anywhere
}

TEST(TodoWarnings, OneLinePerDueItemUpToThePopLevel) {
  const std::vector<std::string> records = {Rec("2024/05/07", "", "請求書"), Rec("2024/05/10", "", "電話"),
                                            Rec("2024/05/12", "", "会議準備"), Rec("2024/05/30", "", "先")};
  const Classification r = ClassifyTodos(records, kToday, NoWaiting());
  EXPECT_EQ(StartupWarnings(records, r, kToday, 0), "");
  EXPECT_EQ(StartupWarnings(records, r, kToday, 1), "\n【ToDoの警告】\n2024年5月7日(火)の「請求書」の期限を 3日過ぎています。\n");
  EXPECT_EQ(StartupWarnings(records, r, kToday, 3),
            "\n【ToDoの警告】\n"
            "2024年5月7日(火)の「請求書」の期限を 3日過ぎています。\n"
            "2024年5月10日(金)の「電話」の期限です。\n"
            "2024年5月12日(日)の「会議準備」の期限まであと 2日です。\n");
  // A waiting item gives no line.
  ClassifyOptions o = NoWaiting();
  o.wait_date = true;
  const std::vector<std::string> later = {Rec("2024/05/09", "2024/05/11", "まだ")};
  EXPECT_EQ(StartupWarnings(later, ClassifyTodos(later, kToday, o), kToday, 3), "");
}

}  // namespace
}  // namespace kal::todo
