#include "mainwindow/GridCommands.h"

#include <stdexcept>

#include "model/MonthModel.h"

namespace kal::mainwindow {

ItemKind ItemKindOf(char entry_kind) {
  if (entry_kind >= '0' && entry_kind <= '4') return ItemKind::Holiday;
  if (entry_kind == store::kEntrySchedule) return ItemKind::Schedule;
  if (entry_kind == store::kEntrySolarTerm) return ItemKind::SolarTerm;
  if (entry_kind == store::kEntryTodo) return ItemKind::Todo;
  return ItemKind::None;
}

DoubleClickAction DoubleClickOn(const DoubleClickInput& input) {
  if (input.day_has_memo && input.in_memo_corner) return DoubleClickAction::EditMemo;
  if (input.entries.empty()) return DoubleClickAction::NewSchedule;
  if (input.selected_item != ItemKind::None && input.selected_item != ItemKind::SolarTerm)
    return DoubleClickAction::EditItem;
  if (input.mode == 1 || input.mode == 2)
    if (!input.timeline_cell_has_block) return DoubleClickAction::NewSchedule;
  for (const std::string& entry : input.entries) {
    if (store::EntryKind(entry) != store::kEntrySchedule) continue;
    if (!store::EntryIsBar(entry) || store::EntryPosition(entry) == 1) return DoubleClickAction::ScheduleList;
  }
  return DoubleClickAction::NewSchedule;
}

bool InMemoCorner(int x, int y, int cell_width, int cell_height) {
  return x >= cell_width - 18 && x < cell_width && y >= cell_height - 18 && y < cell_height;
}

std::vector<MenuItemState> PopGrdItems(const PopGrdInput& in) {
  const bool full = !in.mini;  // in mini mode only the always-present items stay
  const bool schedule = full && in.item == ItemKind::Schedule;
  const bool todo = full && in.item == ItemKind::Todo;
  const bool holiday = full && in.item == ItemKind::Holiday;
  const bool cut_copy = full && (in.item == ItemKind::Schedule || in.item == ItemKind::Todo || in.day_has_memo);
  const bool paste = full && in.clipboard_has_data;
  const bool del = full && (in.item != ItemKind::None || in.day_has_memo);
  const bool memo_colour = full && in.day_has_memo;
  return {
      {"PopSchAdd", "スケジュールの追加(&A)", "", true, true},
      {"PopSchRep", "スケジュールの訂正(&R)", "", schedule, schedule},
      {"PopSchToTodo", "スケジュールをToDoにコピー(&U)", "", schedule, schedule},
      {"PopMemoEdit", "メモの編集(&M)", "", true, true},
      {"PopTodoAdd", "ToDoの追加(&N)", "", true, true},
      {"PopTodoRep", "ToDoの訂正(&O)", "", todo, todo},
      {"PopTodoToSch", "ToDoをスケジュールにコピー(&Y)", "", todo, todo},
      {"PopHolidayAdd", "祝日・休日・記念日の追加(&H)", "", true, true},
      {"PopHolidayRep", "祝日・休日・記念日の訂正(&L)", "", holiday, holiday},
      {"PopSchList", "スケジュール一覧(&E)", "", true, true},
      {"PopCut", "切り取り(&T)", "Ctrl+X", true, cut_copy},
      {"PopCopy", "コピー(&C)", "Ctrl+C", true, cut_copy},
      {"PopPaste", "貼り付け(&P)", "Ctrl+V", true, paste},
      {"PopDelete", "削除(&D)", "Ctrl+D", true, del},
      {"PopDayColour", "この日の背景色を設定(&V)", "", true, true},
      {"PopMemoColour", "メモアイコンの色(&Z)", "", true, memo_colour},
      {"PopWeather", "天気情報の入力(&W)", "", true, true},
      {"PopMini", "ミニカレンダー(&S)", "F12", true, true},
      {"PopTray", "タスクトレイに格納(&R)", "F3", true, true},
  };
}

std::vector<MenuItemState> PopSchItems(ItemKind row) {
  const bool schedule = row == ItemKind::Schedule;
  const bool todo = row == ItemKind::Todo;
  const bool holiday = row == ItemKind::Holiday;
  const bool any = row != ItemKind::None;
  return {
      {"PopSchRepL", "スケジュールの訂正(&R)", "", schedule, schedule},
      {"PopSchToTodoL", "スケジュールをToDoにコピー(&S)", "", schedule, schedule},
      {"PopTodoRepL", "ToDoの訂正(&T)", "", todo, todo},
      {"PopHolidayRepL", "祝日・休日・記念日の訂正(&H)", "", holiday, holiday},
      {"PopDeleteL", "削除(&D)", "", true, any},
      {"PopColumns", "表示項目の設定(&M)", "", true, true},
  };
}

const MenuItemState& ItemNamed(const std::vector<MenuItemState>& items, std::string_view name) {
  for (const MenuItemState& item : items)
    if (item.name == name) return item;
  throw std::out_of_range("no menu item " + std::string(name));
}

}  // namespace kal::mainwindow
