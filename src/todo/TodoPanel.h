// The rules of the ToDo panel (PnlTodo) under the calendar: which columns each tab shows, the
// text of every cell, the rows of the current tab, their sorting, colours and icons, the pending
// done ticks, the pop-up menu's visible and enabled items, the column choice and the delete
// confirmation. The Qt panel only shows what these answer.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/DateText.h"
#include "store/Settings.h"
#include "todo/TodoFile.h"
#include "todo/TodoState.h"

namespace kal::todo {

// The ten data columns, in their fixed order.
enum TodoField : int {
  kFieldLimit = 0,
  kFieldDaysLeft = 1,
  kFieldStart = 2,
  kFieldPriority = 3,
  kFieldSubject = 4,
  kFieldCategory = 5,
  kFieldProgress = 6,
  kFieldDoneDate = 7,
  kFieldMemo = 8,
  kFieldLink = 9,
};
inline constexpr int kTodoFieldCount = 10;

enum class CellAlign { Left, Centre, Right };

// Images of the program's small image list used by the panel.
inline constexpr int kImageCheckColumn = 8;
inline constexpr int kImagePriority = 9;
inline constexpr int kImageMemo = 10;
inline constexpr int kImageLink = 18;

struct TodoColumn {
  int field = 0;
  std::string header;  // empty for columns with a header image
  CellAlign align = CellAlign::Left;
  int header_image = 0;  // 0 none
  int width = 40;        // pixels, at least 1
};

// The first column's width: 30, or 40 when the tab shows icons.
int FirstColumnWidth(const store::TodoTabSettings& tab);
// The shown data columns of a tab, in field order (the first column is not among them).
std::vector<TodoColumn> TodoColumns(const store::TodoTabSettings& tab, bool graph);

// The text of one cell.
std::string TodoCellText(std::string_view record, int field, const Date& today, const std::string& date_style);

struct TodoRow {
  std::size_t index = 0;    // record index
  std::string record;       // the record as listed
  int state = kStateNoLimit;
  int icon = 0;             // 0 none, else the state image 1..7
  bool checked = false;     // the row's check box
  bool memo = false;        // a memo mark is drawn in the memo column
  bool link = false;        // a file mark is drawn in the link column
  int progress = 0;         // 0..10, for the bar
  std::string category;     // for category colours
  std::vector<std::string> cells;  // one per shown data column

  std::string Caption() const { return " " + std::to_string(index); }
};

// The rows the tab lists, in file order, with their cells for `columns`.
std::vector<TodoRow> TodoRows(const std::vector<std::string>& records, const Classification& classes, TodoTab tab,
                              const store::TodoSettings& settings, const std::vector<TodoColumn>& columns,
                              const Date& today);

// Compares two cell texts (<0, 0, >0); the panel passes the platform's locale-aware comparison.
using TextCompare = std::function<int(const std::string&, const std::string&)>;
// Sorts by the cells of data column `column` (0-based among the shown data columns), ascending
// for direction 1 and descending for -1; rows that compare equal keep their order.
void SortTodoRows(std::vector<TodoRow>& rows, std::size_t column, int direction, const TextCompare& compare);

// The sort column setting (prefix + Column) is a list column position where 0 would be the
// first column: 1 is the first data column. Each position keeps its own direction, initially
// ascending; a click reverses the clicked position's direction and then sorts by it.
struct SortState {
  std::vector<int> directions;  // by list column position
  // Returns the new direction of `position` (1 and above).
  int Click(int position);
};
// The sort position to use: reset to 1 (and the direction to ascending) when it is not smaller
// than the number of list columns (the data columns plus the first).
void MendSortPosition(store::TodoTabSettings& tab, std::size_t data_columns);

// The done ticks that differ from the stored flags: on 未処理 and 待機 a ticked row is to be
// marked done; on 処理済 an unticked row is to be marked not done.
std::vector<DoneChange> PendingChanges(const std::vector<TodoRow>& rows, TodoTab tab);

// Row colours: text and background, each nothing for the list's default.
struct RowColours {
  std::optional<int> text;
  std::optional<int> back;
  bool strike = false;  // a ticked row on 未処理 and 待機 with state colours on
};
// With TNoColor the state colours, else the category's (looked up by the caller: `category_text`
// and `category_back` are the table's colours of the row's category, nothing when none).
RowColours TodoRowColours(const store::TodoSettings& settings, const TodoRow& row, TodoTab tab,
                          std::optional<int> category_text, std::optional<int> category_back);

// "  0%" … "100%".
std::string ProgressText(int progress);

// ---- The pop-up menu PopTod ------------------------------------------------------------------

struct TodoMenu {
  bool rep = false, copy = false, to_schedule = false;  // exactly one row
  bool del = false, check = false;                      // one or more rows
  std::string check_caption;                            // 処理済にする / 未処理にする
  bool update = false;                                  // a pending change exists
  bool move_to_limit = false;                           // one row with a limit
  bool progress = false;                                // one row
  int progress_value = -1;                              // ticked item 0..10 (-1 none)
  std::array<bool, 11> item_checks{};                   // アイコン, then the ten columns
  bool tabs_at_bottom = false;
};
TodoMenu TodoMenuFor(TodoTab tab, const std::vector<const TodoRow*>& selected, bool pending,
                     const store::TodoSettings& settings);

inline constexpr const char* kLastColumnMessage = "1項目以上を選択しなければなりません。";
inline constexpr const char* kLastColumnCaption = "エラー";

// Toggles item 0 (the icon) or a column 1..10 of the tab's settings. False (and nothing changed)
// when the last shown column would be hidden.
bool ToggleTodoItem(store::TodoTabSettings& tab, int item);

// ---- Deleting ----------------------------------------------------------------------------------

inline constexpr const char* kDeleteCaption = "ToDoの削除";
// "「件名」を削除します。\nよろしいですか？" or "3件のToDoを削除します。\nよろしいですか？".
std::string DeleteQuestion(const std::vector<std::string>& records);

}  // namespace kal::todo
