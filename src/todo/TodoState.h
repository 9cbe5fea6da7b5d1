// The classification of the ToDo list: the seven ToDo states, the wait rules that put items
// aside on the 待機 tab, the three tabs and their counts, the state colours, the calendar's ToDo
// marks and the warning lines of the start-up message. One pass in file order answers all of
// them, so the panel, the calendar marks and kalendor-cli always agree.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/DateText.h"
#include "store/Settings.h"

namespace kal::todo {

using store::Date;

// States 1..7.
enum TodoStateNumber : int {
  kStateOverdue = 1,   // 期限切れ
  kStateDueToday = 2,  // 期限
  kStateWarning = 3,   // 警告
  kStateRunning = 4,   // 進行中
  kStateNoLimit = 5,   // 期限なし
  kStateDone = 6,      // 処理済
  kStateWaiting = 7,   // 待機
};
inline constexpr std::array<const char*, 7> kTodoStateNames = {"期限切れ", "期限", "警告", "進行中",
                                                               "期限なし", "処理済", "待機"};
// The default text and background colours of states 1..7 ($FFFFFF: no background of its own).
inline constexpr int kNoStateBackground = 0xFFFFFF;

// Tabs of the panel.
enum TodoTab : int { kTabNotDone = 0, kTabDone = 1, kTabWaiting = 2 };
inline constexpr std::array<const char*, 3> kTodoTabNames = {"未処理", "処理済", "待機"};

// What the classification takes from the settings (section ToDo).
struct ClassifyOptions {
  int warn_term = 3;
  bool wait_task = false;
  int wait_day = 10;
  bool wait_count = false;
  int wait_cnt = 5;
  bool wait_date = true;
};
ClassifyOptions ClassifyOptionsOf(const store::TodoSettings& settings);

struct TodoClass {
  int state = kStateNoLimit;  // as the panel shows it (a waiting record keeps 1..3 or 5, 7 for 4)
  int mark_state = 0;         // the calendar mark's state (6 done, 7 waiting, else 1..4); 0 no mark
  bool waiting = false;
  TodoTab tab = kTabNotDone;
};

struct Classification {
  std::vector<TodoClass> items;     // one per record, in file order
  std::array<int, 3> counts{};      // 未処理, 処理済, 待機
};

// The state of a not-done record by its limit: before today 1, today 2, within WarnTerm days 3,
// otherwise 4 (7 when waiting); no limit 5.
int StateByLimit(const std::optional<Date>& limit, const Date& today, int warn_term, bool waiting);

// The wait rules in file order and the state of every record.
Classification ClassifyTodos(const std::vector<std::string>& records, const Date& today,
                             const ClassifyOptions& options);

// "未処理 [ 3件]".
std::string TabCaption(TodoTab tab, int count);

// The state colours (text, back) of a state 1..7 from the settings.
store::ColourPair StateColours(const store::TodoSettings& settings, int state);

// The start-up warning text: "\n【ToDoの警告】\n" and one line per not-done, non-waiting record
// of state 1..3 not above the `Pop` level; empty when there is none or the level is 0.
std::string StartupWarnings(const std::vector<std::string>& records, const Classification& classes,
                            const Date& today, int pop_level);

}  // namespace kal::todo
