#include "todo/TodoPanel.h"

#include <algorithm>
#include <cstdio>

#include "platform/Codec.h"
#include "store/DatePattern.h"

namespace kal::todo {
namespace {

struct FieldInfo {
  const char* header;
  CellAlign align;
  int image;
};
constexpr std::array<FieldInfo, kTodoFieldCount> kFields = {{
    {"期限", CellAlign::Left, 0},
    {"残日数", CellAlign::Right, 0},
    {"開始日", CellAlign::Left, 0},
    {"", CellAlign::Centre, kImagePriority},
    {"件名", CellAlign::Left, 0},
    {"分類", CellAlign::Left, 0},
    {"進捗", CellAlign::Right, 0},
    {"処理日", CellAlign::Left, 0},
    {"", CellAlign::Centre, kImageMemo},
    {"", CellAlign::Centre, kImageLink},
}};

bool FlagOn(const std::string& flags, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < flags.size() && flags[static_cast<std::size_t>(i)] == '1';
}

std::string DateCell(const std::optional<Date>& date, const std::string& stored, const std::string& style) {
  if (date) return store::FormatDatePattern(style, *date);
  return platform::Cp932ToUtf8(stored);  // a damaged date shows as stored
}

}  // namespace

int FirstColumnWidth(const store::TodoTabSettings& tab) { return tab.icon ? 40 : 30; }

std::vector<TodoColumn> TodoColumns(const store::TodoTabSettings& tab, bool graph) {
  std::vector<TodoColumn> columns;
  for (int field = 0; field < kTodoFieldCount; ++field) {
    if (!FlagOn(tab.item, field)) continue;
    const FieldInfo& info = kFields[static_cast<std::size_t>(field)];
    TodoColumn c;
    c.field = field;
    c.header = info.header;
    c.align = (field == kFieldProgress && graph) ? CellAlign::Centre : info.align;
    c.header_image = info.image;
    const std::size_t i = static_cast<std::size_t>(field);
    c.width = std::max(1, i < tab.item_width.size() ? tab.item_width[i] : 40);
    columns.push_back(c);
  }
  return columns;
}

std::string ProgressText(int progress) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%3d%%", std::clamp(progress, 0, 10) * 10);
  return buffer;
}

std::string TodoCellText(std::string_view record, int field, const Date& today, const std::string& date_style) {
  switch (field) {
    case kFieldLimit: {
      const std::string stored = LimitField(record);
      return DateCell(TodoLimit(record), stored, date_style);
    }
    case kFieldDaysLeft: {
      auto limit = TodoLimit(record);
      return limit ? std::to_string(store::DayNumber(*limit) - store::DayNumber(today)) : "";
    }
    case kFieldStart: return DateCell(TodoStart(record), TodoStartText(record), date_style);
    case kFieldPriority: return kPriorityLetters[TodoPriority(record)];
    case kFieldSubject: return TodoSubject(record);
    case kFieldCategory: return TodoCategory(record);
    case kFieldProgress: return ProgressText(TodoProgress(record));
    case kFieldDoneDate:
      return TodoDone(record) ? DateCell(TodoDoneDate(record), TodoDoneDateText(record), date_style) : "";
    default: return "";
  }
}

std::vector<TodoRow> TodoRows(const std::vector<std::string>& records, const Classification& classes, TodoTab tab,
                              const store::TodoSettings& settings, const std::vector<TodoColumn>& columns,
                              const Date& today) {
  std::vector<TodoRow> rows;
  const bool icons = settings.tabs[static_cast<std::size_t>(tab)].icon != 0;
  for (std::size_t i = 0; i < records.size() && i < classes.items.size(); ++i) {
    const TodoClass& c = classes.items[i];
    if (c.tab != tab) continue;
    const std::string& record = records[i];
    TodoRow row;
    row.index = i;
    row.record = record;
    row.state = c.state;
    row.checked = TodoDone(record);
    row.memo = TodoMemoNumber(record) > 0;
    row.link = !TodoLink(record).empty();
    row.progress = TodoProgress(record);
    row.category = TodoCategory(record);
    if (icons) row.icon = tab == kTabNotDone ? c.state : (tab == kTabDone ? kStateDone : kStateWaiting);
    for (const auto& column : columns) row.cells.push_back(TodoCellText(record, column.field, today, settings.date_style));
    rows.push_back(std::move(row));
  }
  return rows;
}

void SortTodoRows(std::vector<TodoRow>& rows, std::size_t column, int direction, const TextCompare& compare) {
  std::stable_sort(rows.begin(), rows.end(), [&](const TodoRow& a, const TodoRow& b) {
    const std::string& x = column < a.cells.size() ? a.cells[column] : std::string();
    const std::string& y = column < b.cells.size() ? b.cells[column] : std::string();
    return compare(x, y) * direction < 0;
  });
}

int SortState::Click(int position) {
  const std::size_t p = static_cast<std::size_t>(std::max(position, 0));
  if (directions.size() <= p) directions.resize(p + 1, 1);
  directions[p] = -directions[p];
  return directions[p];
}

void MendSortPosition(store::TodoTabSettings& tab, std::size_t data_columns) {
  if (tab.column < 1 || static_cast<std::size_t>(tab.column) >= data_columns + 1) {
    tab.column = 1;
    tab.order = 1;
  }
}

std::vector<DoneChange> PendingChanges(const std::vector<TodoRow>& rows, TodoTab tab) {
  std::vector<DoneChange> changes;
  for (const auto& row : rows) {
    if (tab == kTabDone ? !row.checked : row.checked) changes.push_back({{row.index, row.record}, tab != kTabDone});
  }
  return changes;
}

RowColours TodoRowColours(const store::TodoSettings& settings, const TodoRow& row, TodoTab tab,
                          std::optional<int> category_text, std::optional<int> category_back) {
  RowColours colours;
  if (settings.t_no_color) {
    const store::ColourPair pair = StateColours(settings, row.state);
    colours.text = pair.text;
    if (pair.back != kNoStateBackground) colours.back = pair.back;
    colours.strike = tab != kTabDone && row.checked;
  } else {
    colours.text = category_text;
    colours.back = category_back;
  }
  return colours;
}

TodoMenu TodoMenuFor(TodoTab tab, const std::vector<const TodoRow*>& selected, bool pending,
                     const store::TodoSettings& settings) {
  TodoMenu menu;
  const bool one = selected.size() == 1;
  menu.rep = menu.copy = menu.to_schedule = menu.progress = one;
  menu.del = menu.check = !selected.empty();
  menu.check_caption = tab == kTabDone ? "未処理にする(&H)" : "処理済にする(&H)";
  menu.update = pending;
  menu.move_to_limit = one && TodoLimit(selected[0]->record).has_value();
  menu.progress_value = one ? TodoProgress(selected[0]->record) : -1;
  const store::TodoTabSettings& t = settings.tabs[static_cast<std::size_t>(tab)];
  menu.item_checks[0] = t.icon != 0;
  for (int i = 0; i < kTodoFieldCount; ++i) menu.item_checks[static_cast<std::size_t>(i + 1)] = FlagOn(t.item, i);
  menu.tabs_at_bottom = settings.list_tab;
  return menu;
}

bool ToggleTodoItem(store::TodoTabSettings& tab, int item) {
  if (item == 0) {
    tab.icon = tab.icon ? 0 : 1;
    return true;
  }
  if (item < 1 || item > kTodoFieldCount) return false;
  tab.item.resize(kTodoFieldCount, '0');
  const std::size_t i = static_cast<std::size_t>(item - 1);
  if (tab.item[i] == '1' && std::count(tab.item.begin(), tab.item.end(), '1') == 1) return false;
  tab.item[i] = tab.item[i] == '1' ? '0' : '1';
  return true;
}

std::string DeleteQuestion(const std::vector<std::string>& records) {
  if (records.size() == 1) return "「" + TodoSubject(records[0]) + "」を削除します。\nよろしいですか？";
  return std::to_string(records.size()) + "件のToDoを削除します。\nよろしいですか？";
}

}  // namespace kal::todo
