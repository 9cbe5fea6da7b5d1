// The ToDo panel PnlTodo under the calendar: the tab bar TabTodo (未処理, 処理済, 待機 with their
// counts) over the list LtvTodo (check boxes, state icons, the ten columns of each tab, sorting,
// the progress bar, memo and file marks) and its pop-up menu PopTod. Every rule comes from
// todo/TodoPanel.h and todo/TodoState.h; this class shows their answers and holds the in-memory
// ToDo list of the main window.
#pragma once

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "store/Settings.h"
#include "todo/TodoForm.h"
#include "todo/TodoMarkList.h"
#include "todo/TodoPanel.h"

class QMenu;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace kal::platform {
class Clock;
class Dialogs;
class FileSystem;
}  // namespace kal::platform

namespace kal::catalogues {
class CategoryTable;
}

namespace kal::todo {

// What the panel needs of the main window.
struct TodoPanelHost {
  platform::FileSystem* files = nullptr;
  platform::Dialogs* dialogs = nullptr;
  const platform::Clock* clock = nullptr;
  store::Settings* settings = nullptr;
  bool* layout_changed = nullptr;
  std::string todo_folder;
  std::string program_folder;  // Kltod001.bmp … Kltod007.bmp
  const catalogues::CategoryTable* categories = nullptr;
  // A ToDo change asks the calendar to rebuild its marks.
  std::function<void()> on_calendar_refresh;
  // The entry dialog: new (no record), change or copy of a record; `shown_done` the row's tick.
  std::function<void(TodoEntryKind kind, std::optional<TodoRef> record, std::optional<bool> shown_done)> on_entry;
  // "ToDoをスケジュールにコピー(&S)".
  std::function<void(const TodoRef& record)> on_to_schedule;
  // "スケジュール表の期限に移動(&J)".
  std::function<void(const Date& date)> on_move_to;
  // "ToDo一覧(&L)"; the item stays disabled without it.
  std::function<void()> on_list;
};

class QtTodoPanel : public QWidget {
  Q_OBJECT

 public:
  explicit QtTodoPanel(QWidget* parent = nullptr);
  ~QtTodoPanel() override;

  void Attach(TodoPanelHost host);

  // Reads Todokl.dat (after applying the pending ticks) and refills; no file empties the list.
  void Reload();
  // Applies and saves the pending ticks, classifies and lists the current tab.
  void Refill();
  // Rebuilds the current tab's columns from its settings, then refills.
  void RebuildColumns();
  // Applies the pending ticks in place and saves Todokl.dat when something changed; returns
  // whether anything changed (a calendar refresh is then requested).
  bool ApplyPending();

  // The in-memory ToDo list (file order) and its classification today.
  const std::vector<std::string>& Records() const { return records_; }
  // The calendar marks of the list as last filled.
  const std::vector<store::TodoMark>& Marks() const { return marks_.marks(); }
  // The warning lines of the start-up message (empty for Pop 0 or nothing due).
  std::string StartupWarnings() const;

  TodoTab CurrentTab() const { return tab_; }
  void SetTab(TodoTab tab);
  // The rows as listed (after sorting), and the selected ones.
  const std::vector<TodoRow>& Rows() const { return rows_; }
  std::vector<const TodoRow*> SelectedRows() const;
  // The shown column widths of the current tab by field (-1 where not shown), for the exit write.
  std::vector<int> ColumnWidths() const;
  const std::array<bool, 3>& MarkedTabs() const { return marked_; }

  // The pop-up menu PopTod for the current selection (built on every opening).
  QMenu* BuildPopup(QWidget* parent);

  // Commands.
  void EditSelected();       // double click, Enter, "ToDoの訂正(&R)"
  void DeleteSelected();     // "削除(&D)", the Delete key
  // A ToDo entry of a calendar cell or the day panel (its record index and record).
  void DeleteRecord(const TodoRef& record);
  void CheckSelected();      // "処理済にする(&H)" / "未処理にする(&H)"
  void SetProgress(int progress);
  void ToggleItem(int item);  // "表示項目の設定(&M)": 0 icon, 1..10 a column
  void SortByColumn(int section);

  QTabBar* TabTodo = nullptr;
  QTreeWidget* LtvTodo = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();
  void StoreWidths();
  void ApplyTabPosition();
  void LoadUserIcons();
  void ReportDamage(const TodoLoad& load);
  void ShowFileError(const std::string& message);
  void Delete(std::vector<TodoRef> refs);
  void RequestCalendar();
  void Classify();
  std::optional<TodoRef> SelectedRef() const;

  TodoPanelHost host_;
  std::vector<std::string> records_;
  Classification classes_;
  TodoMarkList marks_;
  std::vector<TodoRow> rows_;  // in list order
  std::vector<TodoColumn> columns_;
  TodoTab tab_ = kTabNotDone;
  std::array<SortState, 3> sort_states_;
  std::array<bool, 3> marked_{};
  std::set<std::string> damage_reported_;
  std::array<std::optional<QImage>, 8> user_icons_;
  bool filling_ = false;
  bool built_ = false;  // the columns of the current tab exist
};

}  // namespace kal::todo
