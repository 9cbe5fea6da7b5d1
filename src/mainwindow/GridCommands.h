// What the calendar's mouse gestures do: the double click (or Enter) on a cell, and the items
// of the grid's pop-up menu `PopGrd` and the schedule list's pop-up menu `PopSch` with their
// visible and enabled rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kal::mainwindow {

// The kind of a day entry as the commands treat it.
enum class ItemKind { None, Schedule, Todo, Holiday, SolarTerm };
// The kind of a day entry from its kind character ('0'..'4' holiday or anniversary, '5'
// schedule, '6' solar term, '8' ToDo).
ItemKind ItemKindOf(char entry_kind);

enum class DoubleClickAction { EditMemo, NewSchedule, EditItem, ScheduleList };

struct DoubleClickInput {
  int mode = 4;
  bool day_has_memo = false;
  bool in_memo_corner = false;           // the pointer is in the memo icon's 18 × 18 corner
  std::vector<std::string> entries;      // the day's entries, in list order
  ItemKind selected_item = ItemKind::None;
  bool timeline_cell_has_block = false;  // modes 1 and 2
};
// 1. the memo corner of a day with a memo edits the memo; 2. a day without entries starts a new
// schedule; 3. a selected cell item is edited; 4. in modes 1 and 2 an empty timeline cell starts
// a new schedule; 5. otherwise a day holding a one-day schedule or the first day of a multi-day
// one opens the schedule list, any other day starts a new schedule.
DoubleClickAction DoubleClickOn(const DoubleClickInput& input);

// The memo icon's corner: the 18 × 18 pixels at the bottom right of a cell.
bool InMemoCorner(int x, int y, int cell_width, int cell_height);

struct MenuItemState {
  std::string name;     // the component name
  std::string caption;  // with its accelerator
  std::string shortcut; // "Ctrl+X" style, empty for none
  bool visible = true;
  bool enabled = true;
  friend bool operator==(const MenuItemState&, const MenuItemState&) = default;
};

struct PopGrdInput {
  bool mini = false;
  ItemKind item = ItemKind::None;  // the selected cell item
  bool day_has_memo = false;
  bool clipboard_has_data = false; // a schedule, ToDo item or memo is in the clipboard buffer
};
// The items of `PopGrd` in menu order (without the add-on items, which follow them).
std::vector<MenuItemState> PopGrdItems(const PopGrdInput& input);

// The items of `PopSch` in menu order for the selected row's kind (None when no row is
// selected); the column items of "表示項目の設定(&M)" are checked by the list's flags.
std::vector<MenuItemState> PopSchItems(ItemKind row);

// The state of one item by name (a caller's error when there is no such item).
const MenuItemState& ItemNamed(const std::vector<MenuItemState>& items, std::string_view name);

}  // namespace kal::mainwindow
