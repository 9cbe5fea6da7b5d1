// The main window: menu bar, status bar and the central area that holds the calendar.
#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/Startup.h"
#include "catalogues/Category.h"
#include "mainwindow/Clipboard.h"
#include "store/DateText.h"
#include "store/ScheduleFile.h"
#include "store/Settings.h"
#include "todo/TodoForm.h"

class QAction;
class QLabel;
class QMenu;
class QPrinter;

namespace kal::platform {
class Clock;
class Dialogs;
class FileSystem;
class Shell;
}  // namespace kal::platform

namespace kal::catalogues {
class CategoryIcons;
}
namespace kal::platform {
class Processes;
}
namespace kal::store {
struct TodoMark;
}
namespace kal::mainwindow {
struct LayoutHost;
class GridModel;
class MainLayout;
class MemoBox;
class NoteBook;
class QtMemoPanel;
class QtNotePanel;
}
namespace kal::platform {
class Processes;
class Sound;
}  // namespace kal::platform
namespace kal::reminders {
class Reminders;
}

namespace kal::import {
enum class ImportTarget;
}  // namespace kal::import

namespace kal::app {
struct TFrmMainTrayParts;
struct TFrmMainSyncParts;
}
namespace kal::platform {
class SecretStore;
}
namespace kal::sync {
class CalDavServer;
struct ServerAccount;
}

namespace kal::app {

// The window title when [Window] Title is empty.
inline constexpr const char* kDefaultTitle = "Kalendor";

// What the window needs of the rest of the program, handed in by the start-up code.
struct MainWindowPorts {
  platform::Dialogs& dialogs;
  platform::Shell& shell;
  platform::FileSystem& files;
  const platform::Clock& clock;
};

class TFrmMain : public QMainWindow {
  Q_OBJECT

 public:
  // The window owns the session of the start-up: the settings as read and the folders.
  TFrmMain(MainWindowPorts ports, Session session, QWidget* parent = nullptr);

  const Session& session() const { return session_; }
  // True from creation until the first show has finished.
  bool Initialising() const { return initialising_; }
  ~TFrmMain() override;

  // Called once, just after the window has been shown for the first time (the first-show work
  // of the start-up: side list, panels, initial-settings dialog on a first run).
  std::function<void()> on_first_show;
  // Called when the window is about to close (the exit-time save). The close always goes on.
  std::function<void()> on_close_query;
  // Called by BringForward when the window is hidden in the task tray; without it the window is
  // simply shown again.
  std::function<void()> on_show_from_tray;

  // A menu item or menu by its component name ("MenExit", "MenView", ...); nullptr when unknown.
  QAction* Action(const QString& name) const;
  QMenu* Menu(const QString& name) const;

  // The area below the tool and navigation bars where the calendar and the panels go.
  QWidget* CentralArea() const { return central_; }

  // Status bar panels 0 (the text panel) and 1 (the panel the program draws itself).
  QLabel* StatusPanel(int index) const;

  // The regions, view modes and grids of the window.
  mainwindow::MainLayout* Layout() const { return layout_; }
  const catalogues::CategoryTable& Categories() const { return categories_; }
  const mainwindow::GridModel& Model() const { return *model_; }

  // The title from the settings (the folder-set switch appends " - " + the set's name).
  const QString& BaseTitle() const { return title_; }

  // The wake-up request of a second start: restore from the tray or from minimised, then come
  // to the front.
  void BringForward();

  // "終了(&X)": closes the window through the normal close sequence.
  void MenExitClick();
  // "バージョン情報(&A)...": the about box.
  void MenVersionClick();
  // Maintenance: the backup dialog, the restore (after which the window closes without writing
  // anything of what it holds over the restored files) and the password registration.
  void MenBackupClick();
  void MenRestoreClick();
  void MenPasswordClick();
  // "Kalendor ヘルプ(&H)": the help file beside the program.
  void MenHelpClick();
  // "Webオンラインヘルプ(&W)".
  void MenWebHelpClick();
  // "スケジュール表の印刷(&P)" (`CalenderPrint`) and "印刷プレビュー(&V)" (`PrintPreview`) for the
  // view shown (TFrmMainPrint.cpp).
  void MenPrintClick();
  void MenPreviewClick();

  // The selected date of the calendar: today (from the clock) when the window is created.
  const store::Date& SelectedDate() const { return selected_date_; }
  void SetSelectedDate(const store::Date& date);

  // Opens the schedule entry dialog for the selected date: mode 0 new, 1 change, 3 copy. Change
  // and copy take the selected schedule's line (without one they open as new); a new schedule
  // over a selected range of days (`range_end`) is multi-day. Returns true when schedules were
  // stored; `on_schedules_changed` has then been called. A new schedule from a half hour of the
  // timeline takes its `times` (start, end "hh:mm").
  bool ShowDlgSchInput(int mode, const std::optional<store::OldSchedule>& source = std::nullopt,
                       const std::optional<store::Date>& range_end = std::nullopt,
                       const std::pair<std::string, std::string>& times = {});
  // "スケジュールの追加(&A)".
  void DaySchAdd();
  // "スケジュールの訂正(&R)" and the copy command for a selected schedule line.
  void DaySchRep(const store::OldSchedule& source);
  void DaySchCopy(const store::OldSchedule& source);
  // The schedule list's edit (`LtvSchListUpdate`): a row's schedule in the entry dialog, or a new
  // schedule on the selected day when no row is chosen.
  void SchListEdit(const std::optional<std::string>& entry);
  // The list and search dialog (`ShowDlgList`): kind 1 schedule .. 6 add-on, mode 1 list, 2
  // search, 3 export, opened on the selected date. When it changed data the calendar is rebuilt.
  void ShowDlgList(int kind, int mode);

  // Called after the entry dialog stored schedules: the calendar is rebuilt.
  std::function<void()> on_schedules_changed;

  // ---- Memos and notes (TFrmMainMemo.cpp) ----
  // `MemDailyUpdate`: saves an edited memo box. Every command that reads or writes memo files
  // (list, import, deletion, backup, clipboard) calls it first and stops when it answers false
  // (the failure has been shown); afterwards it calls MemoBoxReload (a reload of the calendar
  // does that too), so the box and the command never overwrite each other.
  bool MemDailyUpdate();
  void MemoBoxReload();
  // `ShowDlgMemo`: "メモの編集(&M)": the memo dialog, or the external editor when one is set;
  // `from_grid` for the grid's pop-up menu and the memo corner (always the day memo).
  void ShowDlgMemo(bool from_grid);
  // `NoteReplace`: "ノートの編集(&N)": the current note in the memo dialog or the external editor.
  void NoteReplace();
  // The memo-icon colour (1..5) of the selected day (`PopGrdMemoColorClick`).
  void MemoColourSet(int colour);
  // `MemoDelete`: deletes the memo of the memo box's tab (after the DelMsg question), with the
  // day's memo-icon colour, and reloads. For the delete command when the memo box has the focus.
  void MemoDelete();
  mainwindow::QtMemoPanel* MemoPanel() const { return memo_panel_; }
  mainwindow::QtNotePanel* NotePanel() const { return note_panel_; }
  // The process starter of the external editors (the POSIX one unless a test sets another).
  void SetProcesses(platform::Processes* processes) { processes_ = processes; }
  // ToDo (TFrmMainTodo.cpp). The entry dialog for a new item, or a change or copy of a record
  // (the panel's pending ticks are applied and saved first); returns true when items were stored.
  bool ShowDlgTodoInput(int kind, const std::optional<std::string>& record = std::nullopt,
                        std::optional<std::size_t> index = std::nullopt, std::optional<bool> shown_done = std::nullopt);
  // "スケジュールをToDoにコピー": the schedule of a day entry (its own month file and index).
  bool ScheduleToTodo(const std::string& entry);
  // "ToDoをスケジュールにコピー": the schedule entry dialog in mode 5 for a ToDo record.
  bool TodoToSchedule(const std::string& record);
  // The edit of a ToDo day entry (kind "8") of the day panel or a calendar cell.
  void TodoEntryEdit(const std::string& entry);
  // The reminders: the one-second timer `TimSch`, alarms, the time signal and add-ons. Other
  // parts of the window hook in through its signals DateChanged and MinutePassed.
  reminders::Reminders* ReminderHub() const { return reminders_; }
  // "インポート(&I)": a file chosen for the target, shown in the import dialog; after an import
  // the categories and the calendar are reloaded (TFrmMainImport.cpp).
  void MenImportClick(import::ImportTarget target);

  // ---- Task tray, mini mode, hot key and status-bar marks (TFrmMainTray.cpp) ----
  // Adds the tray icon and its menu (`tray_available`: the desktop has a notification area;
  // without one the commands that would hide the window are disabled) and registers the hot key.
  void TraySetup(bool tray_available);
  bool TrayAvailable() const;
  // "タスクトレイに格納(&K)" (`TaskTraySet`): hides the window (minimises it without a tray).
  void TaskTraySet();
  // The tray click (`MainFormShow`): shows a hidden window, hides a shown one.
  void MainFormShow();
  // The hot key and a second start (`FormActive`).
  void FormActive();
  // `TrayHotKeySet`: (re-)registers the hot key of [Tray] TrayActKey and HotTrayAct, giving up
  // the one held before; with TrayActKey off none is held. Called at start and after the
  // settings change. A key that cannot be registered is reported once (a different key that
  // fails is reported again); the settings stay as they are.
  void TrayHotKeySet();
  // "ミニカレンダー(&N)" (`SmallSize`): switches mini mode.
  void SmallSize();
  bool MiniModeOn() const;
  // "ミニカレンダーのサイズを初期化".
  void MiniSizeResetClick();
  // The tray icon and tip for today (`IconTraySet`).
  void IconTraySet();
  QMenu* TrayMenu() const;
  // Status bar panel 1: the alarm mark (`pending`: today still has an alarm to come; `sound`:
  // alarm sounds are on) with the next alarm's text as its tip, and the time-signal mark.
  void SetAlarmMark(bool pending, bool sound, const QString& tip);
  void SetSignalMark(bool on, const QString& tip);
  // Both marks from today's alarm list, the time-signal setting and the clock (each refresh and
  // each minute).
  void StatusMarksUpdate();
  TFrmMainTrayParts& TrayParts() const { return *tray_; }

  // ---- The clipboard buffer (TFrmMainClipboard.cpp) ----
  const mainwindow::ClipBuffer& Clipboard() const { return clip_; }
  // Cut or copy of a day entry seen on `date` (nothing: the day's memo); false when nothing was
  // taken. With `to_desktop` its text goes to the desktop's clipboard too (not for a drag).
  bool ClipTake(const std::optional<std::string>& entry, const store::Date& date, bool cut, bool to_desktop = true);
  // `GrdPaste`: the buffer pasted on a day (and a half hour of the timeline), then the reload.
  void ClipPaste(const store::Date& date, std::optional<int> row);

  // ---- Calendar sync (TFrmMainSync.cpp) ----
  // "サーバーと同期(&Y)": one sync now, its progress and result in the status bar, a failure in a
  // message that names the server's answer. The automatic sync of every N minutes (the minute
  // engine's MinutePassed) runs the same with `automatic`: its failure goes to the status bar.
  void MenSyncClick();
  void SyncRun(bool automatic);
  // "同期の設定(&O)...": the sync settings page in a dialog of its own.
  void MenSyncSetupClick();
  // The secret service and the way to reach a server (tests hand in fakes; by default libsecret
  // and Qt Network).
  using SyncServerMaker = std::function<std::unique_ptr<sync::CalDavServer>(const sync::ServerAccount&)>;
  void SetSyncPorts(platform::SecretStore* secrets, SyncServerMaker make_server);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FormShow();
  void FormCloseQuery();
  void BuildMenu();
  void ImportMenuConnect();
  void BuildStatusBar();
  // The list commands of the menus and the tool bar (TFrmMainList.cpp).
  void ConnectListCommands();
  void CategoryLoad();
  void ModelReload(int mode, const store::Date& selected);
  void TodoAttach();
  void TodoCommand(const std::string& command, const std::optional<std::string>& entry);
  bool ShowTodoForm(todo::TodoForm form);
  const std::vector<store::TodoMark>* TodoMarks() const;
  void TodoExitState(store::ExitState& state) const;
  // The reminders' wiring (TFrmMainReminders.cpp).
  void RemindersCreate();
  void RemindersStart();
  void RemindersStop();
  void RemindersDestroy();
  void MenToolPopup();
  void GridMenuAddons(QMenu* menu, const store::Date& selected);
  void OpenPrintWindow(bool preview);
  void PlaceWindow();
  void BuildMemoPanels();
  void ConnectMemoCommands();
  void GridPopupMemo(QMenu* menu);
  void MemoDaySelect(const store::Date& date);
  bool RunExternalEditor(const std::string& program, const std::string& path);
  store::WindowGeometry Geometry() const;
  store::WindowShowState ShowState() const;

  MainWindowPorts ports_;
  Session session_;
  bool restored_ = false;  // a restore replaced the data files: close without the exit-time writes
  bool initialising_ = true;
  store::WindowGeometry remembered_;  // the normal window as placed at start-up
  bool started_maximised_ = false;
  QString title_;
  QWidget* central_ = nullptr;
  QLabel* panels_[2] = {nullptr, nullptr};
  bool shown_once_ = false;
  store::Date selected_date_{};
  catalogues::CategoryTable categories_;
  std::unique_ptr<catalogues::CategoryIcons> category_icons_;
  std::unique_ptr<mainwindow::GridModel> model_;
  mainwindow::MainLayout* layout_ = nullptr;
  std::unique_ptr<mainwindow::MemoBox> memo_box_;
  std::unique_ptr<mainwindow::NoteBook> note_book_;
  mainwindow::QtMemoPanel* memo_panel_ = nullptr;
  mainwindow::QtNotePanel* note_panel_ = nullptr;
  std::unique_ptr<platform::Processes> own_processes_;
  platform::Processes* processes_ = nullptr;
  std::unique_ptr<platform::Sound> sound_;
  reminders::Reminders* reminders_ = nullptr;
  store::Date alarms_date_{};  // the date the month model's alarm list belongs to
  std::unique_ptr<QPrinter> printer_;  // the printer chosen for printing, kept while the window lives

  std::unique_ptr<TFrmMainTrayParts> tray_;
  // The close button with CloseTray, the hot key registration failure and the selected-date
  // caption of mini mode (TFrmMainTray.cpp).
  bool TrayCloseEvent(QCloseEvent* event);
  void TrayExitState(store::ExitState& state);
  void SyncAttach();
  std::shared_ptr<TFrmMainSyncParts> sync_;
  void TraySelectedChanged();
  void GridPopupTray(QMenu* menu);

  void ClipboardAttach(mainwindow::LayoutHost& host);
  mainwindow::ClipPorts ClipboardPorts();
  std::pair<std::string, int> ClipLook(const store::Date& date, std::optional<int> row) const;
  mainwindow::ClipBuffer clip_;
};

}  // namespace kal::app
