// The main window's ToDo commands: the ToDo panel attached to the window's ToDo list, the entry
// dialog in every kind, the copies between ToDo items and schedules, and the ToDo state kept at
// exit.
#include <QAction>

#include "app/TFrmMain.h"
#include "mainwindow/DayPanel.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "schedule/TDlgSchInput.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "todo/QtTodoPanel.h"
#include "todo/TDlgTodoInput.h"

namespace kal::app {
namespace {

// Dialogs open just below and right of the window's top-left corner.
void PlaceBelow(QWidget& dialog, const QWidget& window) { dialog.move(window.pos() + QPoint(16, 24)); }

}  // namespace

void TFrmMain::TodoAttach() {
  todo::QtTodoPanel* panel = layout_->TodoPanel();
  if (panel == nullptr) return;
  todo::TodoPanelHost host;
  host.files = &ports_.files;
  host.dialogs = &ports_.dialogs;
  host.clock = &ports_.clock;
  host.settings = &session_.settings;
  host.layout_changed = &session_.layout_changed;
  host.todo_folder = session_.folders.todo;
  host.program_folder = session_.program_folder;
  host.categories = &categories_;
  host.on_calendar_refresh = [this] { layout_->SchUpdate(); };
  host.on_entry = [this](todo::TodoEntryKind kind, std::optional<todo::TodoRef> ref, std::optional<bool> shown_done) {
    std::optional<std::string> record;
    std::optional<std::size_t> index;
    if (ref) {
      record = ref->line;
      index = ref->index;
    }
    ShowDlgTodoInput(static_cast<int>(kind), record, index, shown_done);
  };
  host.on_to_schedule = [this](const todo::TodoRef& ref) { TodoToSchedule(ref.line); };
  host.on_move_to = [this](const store::Date& date) {
    SetSelectedDate(date);
    layout_->SchUpdate();
  };
  panel->Attach(std::move(host));
  panel->Reload();
  if (QAction* add = Action(QStringLiteral("MenTodoAdd"))) {
    add->setEnabled(true);
    connect(add, &QAction::triggered, this, [this] { ShowDlgTodoInput(0); });
  }
}

const std::vector<store::TodoMark>* TFrmMain::TodoMarks() const {
  todo::QtTodoPanel* panel = layout_ != nullptr ? layout_->TodoPanel() : nullptr;
  return panel != nullptr ? &panel->Marks() : nullptr;
}

void TFrmMain::TodoExitState(store::ExitState& state) const {
  todo::QtTodoPanel* panel = layout_->TodoPanel();
  if (panel == nullptr) return;
  panel->ApplyPending();  // a tick is never lost at exit
  state.todo_tab = panel->CurrentTab();
  state.todo_column_widths = panel->ColumnWidths();
  state.todo_tabs_marked = panel->MarkedTabs();
}

bool TFrmMain::ShowDlgTodoInput(int kind, const std::optional<std::string>& record, std::optional<std::size_t> index,
                                std::optional<bool> shown_done) {
  todo::QtTodoPanel* panel = layout_->TodoPanel();
  const store::Date today = ports_.clock.Now().date;
  todo::TodoOpenRequest request;
  request.kind = static_cast<todo::TodoEntryKind>(kind);
  request.date = selected_date_;
  request.shown_done = shown_done;
  try {
    // The panel's ticks are applied and saved first, so that the dialog edits the stored record.
    if (panel != nullptr) panel->ApplyPending();
    std::vector<std::string> records = todo::LoadTodoRecords(ports_.files, session_.folders.todo);
    if (record && index) {
      std::string line = *record;
      // A tick applied just now rewrote the record in place: take it as stored.
      if (*index < records.size() && todo::WithDone(line, todo::TodoDone(records[*index]), today) == records[*index])
        line = records[*index];
      if (*index >= records.size() || records[*index] != line) {
        todo::ShowTodoStale(ports_.dialogs);
        if (panel != nullptr) panel->Reload();
        return false;
      }
      request.source = todo::TodoRef{*index, line};
    }
    const std::vector<std::string> memos = todo::LoadTodoMemos(ports_.files, session_.folders.todo);
    std::vector<std::string> source_memo;
    if (request.source) source_memo = todo::TodoMemoOf(memos, todo::TodoMemoNumber(request.source->line));
    return ShowTodoForm(todo::OpenTodoForm(request, today, source_memo, memos.size()));
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    return false;
  }
}

// The entry dialog over a form; after OK (or a refusal that found the list changed) the panel
// and the calendar are read again. Throws store::FileError.
bool TFrmMain::ShowTodoForm(todo::TodoForm form) {
  static platform::PosixProcesses processes;
  todo::TDlgTodoInput dialog({ports_.dialogs, ports_.files, ports_.shell, processes, ports_.clock}, session_,
                             std::move(form), this);
  PlaceBelow(dialog, *this);
  const bool stored = dialog.exec() == QDialog::Accepted;
  if (stored || dialog.NeedsReload()) {
    if (todo::QtTodoPanel* panel = layout_->TodoPanel()) panel->Reload();
    layout_->SchUpdate();
  }
  return stored;
}

void TFrmMain::TodoEntryEdit(const std::string& entry) {
  if (entry.size() < 7 || entry[2] != '8') return;
  const std::size_t index = static_cast<std::size_t>(std::stoi(entry.substr(3, 4)));
  // A day entry's record: its done flag decides the done box.
  ShowDlgTodoInput(static_cast<int>(todo::TodoEntryKind::Edit), entry.substr(7), index);
}

bool TFrmMain::ScheduleToTodo(const std::string& entry) {
  if (entry.size() < 7 || entry[2] != '5') return false;
  // The schedule's own month file: that of its first day, also for a day of a multi-day bar
  // shown in a later month.
  const store::Date first = mainwindow::ScheduleDaysOf(entry, selected_date_).first;
  const int year = store::YearOf(first), month = store::MonthOf(first);
  const std::size_t index = static_cast<std::size_t>(std::stoi(entry.substr(3, 4)));
  try {
    const std::vector<std::string> lines =
        store::LoadLines(ports_.files, store::MonthFilePath(session_.folders.data, year, month));
    if (index >= lines.size() || !mainwindow::EntryMatchesLine(entry, lines[index])) {
      ports_.dialogs.Error(store::kStaleMessage, store::kStaleCaption);
      layout_->RefreshClick();
      return false;
    }
    const std::string& line = lines[index];
    std::vector<std::string> memo;
    if (const int number = store::DetailNumber(line); number > 0)
      memo = store::ReadDetail(ports_.files, session_.folders.data, year, month, number);
    return ShowTodoForm(todo::TodoFormFromSchedule(selected_date_, ports_.clock.Now().date, line, memo));
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    return false;
  }
}

bool TFrmMain::TodoToSchedule(const std::string& record) {
  try {
    const std::vector<std::string> memos = todo::LoadTodoMemos(ports_.files, session_.folders.todo);
    const todo::ScheduleFromTodo copy = todo::ScheduleCopyOf(record, ports_.clock.Now().date, memos);
    schedule::OpenRequest request;
    request.mode = schedule::EntryMode::TodoCopy;
    request.date = copy.date;
    request.todo_category = copy.category;
    request.todo_title = copy.title;
    request.todo_link = copy.link;
    request.todo_memo = copy.memo;
    schedule::TDlgSchInput dialog({ports_.dialogs, ports_.files, ports_.shell, ports_.clock}, session_, request, this);
    PlaceBelow(dialog, *this);
    const bool stored = dialog.exec() == QDialog::Accepted;
    if (stored) {
      layout_->SchUpdate();
      if (on_schedules_changed) on_schedules_changed();
    }
    return stored;
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    return false;
  }
}

void TFrmMain::TodoCommand(const std::string& command, const std::optional<std::string>& entry) {
  if (command == "PopTodoAdd") {
    ShowDlgTodoInput(static_cast<int>(todo::TodoEntryKind::New));
  } else if (command == "PopTodoRep" && entry) {
    TodoEntryEdit(*entry);
  } else if (command == "PopSchToTodo" && entry) {
    ScheduleToTodo(*entry);
  } else if (command == "PopTodoToSch" && entry && entry->size() > 7 && (*entry)[2] == '8') {
    TodoToSchedule(entry->substr(7));
  } else if (command == "PopDelete" && entry && entry->size() > 7 && (*entry)[2] == '8') {
    if (todo::QtTodoPanel* panel = layout_->TodoPanel())
      panel->DeleteRecord(todo::TodoRef{static_cast<std::size_t>(std::stoi(entry->substr(3, 4))), entry->substr(7)});
  }
}

}  // namespace kal::app
