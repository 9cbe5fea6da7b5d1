#include "app/TFrmMain.h"
#include "app/TFrmMainTray.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QShowEvent>
#include <QStatusBar>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "catalogues/QtCategoryIcons.h"
#include "mainwindow/DayPanel.h"
#include "mainwindow/HelpCommands.h"
#include "mainwindow/MemoBox.h"
#include "mainwindow/NoteBook.h"
#include "mainwindow/QtMemoPanel.h"
#include "mainwindow/QtNotePanel.h"
#include "mainwindow/GridDays.h"
#include "mainwindow/TFrmMainLayout.h"
#include "mainwindow/TDlgVersion.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/TextFile.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "schedule/TDlgSchInput.h"

namespace kal::app {

namespace {

// One row of the menu table. A row with an empty name and caption is a separator; a row whose
// `submenu` is set opens a submenu of the rows up to the next kEnd row.
enum class Kind { Item, Check, Radio, Separator, Submenu, End };

struct MenuRow {
  Kind kind;
  const char* name;
  const char* caption;
  const char* shortcut;
};

constexpr MenuRow Item(const char* name, const char* caption, const char* shortcut = "") {
  return {Kind::Item, name, caption, shortcut};
}
constexpr MenuRow Check(const char* name, const char* caption, const char* shortcut = "") {
  return {Kind::Check, name, caption, shortcut};
}
constexpr MenuRow Radio(const char* name, const char* caption, const char* shortcut = "") {
  return {Kind::Radio, name, caption, shortcut};
}
constexpr MenuRow Sub(const char* name, const char* caption) { return {Kind::Submenu, name, caption, ""}; }
constexpr MenuRow Sep() { return {Kind::Separator, "", "", ""}; }
constexpr MenuRow End() { return {Kind::End, "", "", ""}; }

struct TopMenu {
  const char* name;
  const char* caption;
  std::initializer_list<MenuRow> rows;
};

// The menu bar, menu by menu, in order. The top-level captions carry a blank on each side.
const std::initializer_list<TopMenu>& MenuTable() {
  static const std::initializer_list<TopMenu> table = {
      {"MenFile", " ファイル(&F) ",
       {Sub("MenImport", "インポート(&I)"), Item("MenImportSch", "スケジュール(&S)"),
        Item("MenImportHoliday", "祝日・休日・記念日(&H)"), Item("MenImportTodo", "ToDo(&T)"),
        Item("MenImportWeather", "天気情報(&W)"), End(), Item("MenExport", "エクスポート(&E)"), Sep(),
        Item("MenPrint", "スケジュール表の印刷(&P)"), Item("MenPreview", "印刷プレビュー(&V)"), Sep(),
        Item("MenExit", "終了(&X)")}},
      {"MenEdit", " 編集(&E) ",
       {Item("MenSchAdd", "スケジュールの追加(&A)"), Item("MenMemoEdit", "メモの編集(&M)"),
        Item("MenTodoAdd", "ToDoの追加(&T)"), Item("MenNoteEdit", "ノートの編集(&N)"), Sep(),
        Item("MenSchList", "スケジュール一覧(&S)"), Item("MenHolidayList", "祝日・休日・記念日一覧(&H)"),
        Item("MenMemoList", "メモ一覧(&M)"), Item("MenTodoList", "ToDo一覧(&O)"),
        Item("MenWeatherList", "天気情報一覧(&W)")}},
      {"MenView", " 表示(&V) ",
       {Check("MenToolBar", "ツールバー(&T)"), Check("MenStatusBar", "ステータスバー(&S)"), Sep(),
        Check("MenMiniBef", "前月ミニカレンダー(&B)"), Check("MenMiniCur", "当月ミニカレンダー(&C)"),
        Check("MenMiniNxt", "次月ミニカレンダー(&X)"), Sep(), Check("MenSchListView", "スケジュールリスト(&L)"),
        Check("MenNotePanel", "ノート(&N)"), Check("MenMemoPanel", "メモ欄(&E)"), Sep(),
        Radio("MenDaily", "複数日バーチカル(&R)", "Ctrl+R"), Radio("MenVertical", "週間バーチカル(&U)", "Ctrl+U"),
        Radio("MenWeekly", "複数週間(&W)", "Ctrl+W"), Radio("MenMonthly", "月間(&M)", "Ctrl+M"),
        Radio("MenMonthly2", "複数月(&P)", "Ctrl+P"), Radio("MenMonthly3", "複数年同月(&Q)", "Ctrl+Q"),
        Radio("MenYearly", "年間横表示(&Y)", "Ctrl+Y"), Radio("MenYearly2", "年間縦表示(&F)", "Ctrl+F"), Sep(),
        Check("MenSatSun", "土・日を平日の1/2表示(&H)"), Check("MenSatSunNo", "土・日を表示しない(&V)"),
        Check("MenAutoWidth", "選択日の幅を自動調整(&A)"), Check("MenCr", "件名を折り返して表示(&V)"), Sep(),
        Check("MenUnderPanel", "アンダーパネル表示(&F)", "F8"), Check("MenSidePanel", "サイドパネル表示(&S)", "F9"),
        Check("MenPanelMode", "アンダー・サイドパネル表示(&P)", "F10"), Sep(),
        Check("MenMiniMode", "ミニカレンダー(&N)", "F12"), Item("MenTray", "タスクトレイに格納(&K)", "F3"), Sep(),
        Item("MenRefresh", "最新の情報に更新(&Z)", "F5")}},
      {"MenMove", " 移動(&G) ",
       {Item("MenNowMonth", "今月(&H)", "Home"), Item("MenNextMonth", "次月(&N)", "Ctrl+N"),
        Item("MenBeforeMonth", "前月(&B)", "Ctrl+B"), Sep(), Item("MenNextYear", "次年(&Y)", "Ctrl+Alt+N"),
        Item("MenBeforeYear", "前年(&Z)", "Ctrl+Alt+B"), Sep(), Item("MenJump", "指定した日付へ移動(&J)", "Ctrl+J")}},
      {"MenTool", " ツール(&T) ",
       {Item("MenSearch", "検索(&F)"), Item("MenTimeSignal", "時刻の表示(&G)"), Sep(),
        Item("MenBackup", "バックアップとデータ削除(&B)"), Item("MenRestore", "バックアップデータのリストア(&R)"), Sep(),
        Item("MenSync", "サーバーと同期(&Y)"), Item("MenSyncSetup", "同期の設定(&O)..."), Sep(),
        Item("MenAddonList", "アドオン一覧(&A)")}},
      {"MenSetting", " 設定(&S) ",
       {Item("MenSetup", "環境設定(&E)"), Item("MenCategory", "分類の設定(&W)"), Sep(), Sub("MenLinePitch", "行間設定"),
        Radio("MenLinePitch1", "1"), Radio("MenLinePitch2", "2"), Radio("MenLinePitch3", "3"),
        Radio("MenLinePitch4", "4"), Radio("MenLinePitch5", "5"), Radio("MenLinePitch6", "6"),
        Radio("MenLinePitch7", "7"), Radio("MenLinePitch8", "8"), End(), Sub("MenCount", "表示"), End(),
        Sub("MenSizeReset", "画面サイズの初期化"), Item("MenSizeResetCurrent", "表示中の画面サイズを初期化"),
        Item("MenSizeResetAll", "すべての画面サイズを初期化"), Item("MenSizeResetMini", "ミニカレンダーのサイズを初期化"),
        End(), Sep(), Item("MenPassword", "パスワード登録(&P)"), Sep(), Item("MenCatChecked", "チェック済みの分類を表示(&X)"),
        Item("MenCatUnchecked", "未チェックの分類を表示(&Y)"), Item("MenCatAll", "すべての分類を表示(&Z)")}},
      {"MenHelpMenu", " ヘルプ(&H) ",
       {Item("MenHelp", "Kalendor ヘルプ(&H)", "F1"), Item("MenWebHelp", "Webオンラインヘルプ(&W)"), Sep(),
        Item("MenVersion", "バージョン情報(&A)...")}},
  };
  return table;
}

QString U(const char* s) { return QString::fromUtf8(s); }

}  // namespace

TFrmMain::TFrmMain(MainWindowPorts ports, Session session, QWidget* parent)
    : QMainWindow(parent),
      ports_(ports),
      session_(std::move(session)),
      selected_date_(ports.clock.Now().date),
      tray_(std::make_unique<TFrmMainTrayParts>()) {
  setObjectName(QStringLiteral("TFrmMain"));
  const std::string& title = session_.settings.window.title;
  title_ = QString::fromStdString(title.empty() ? std::string(kDefaultTitle) : title);
  setWindowTitle(title_);
  PlaceWindow();

  BuildMenu();

  central_ = new QWidget(this);
  central_->setObjectName(QStringLiteral("PnlTop"));
  auto* layout = new QVBoxLayout(central_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  setCentralWidget(central_);

  BuildStatusBar();

  mainwindow::LayoutHost host;
  host.window = this;
  host.central = central_;
  host.action = [this](const QString& name) { return Action(name); };
  host.menu = [this](const QString& name) { return Menu(name); };
  host.settings = &session_.settings;
  host.layout_changed = &session_.layout_changed;
  host.dialogs = &ports_.dialogs;
  host.files = &ports_.files;
  host.clock = &ports_.clock;
  host.program_folder = session_.program_folder;
  host.data_folder = session_.folders.data;
  host.memo_folder = session_.folders.memo;
  host.category_folder = session_.folders.category;
  host.table_folder = session_.folders.table;
  host.on_selected = [this](const store::Date& date) {
    selected_date_ = date;
    TraySelectedChanged();
  };
  host.on_cell_double_click = [this] { DaySchAdd(); };
  host.on_grid_menu = [this](QMenu* menu, const store::Date& date) { GridMenuAddons(menu, date); };
  host.on_new_at_time = [this](const std::string& start, const std::string& end) {
    ShowDlgSchInput(0, std::nullopt, std::nullopt, {start, end});
  };
  host.on_edit_entry = [this](const std::optional<std::string>& entry) { SchListEdit(entry); };
  host.on_schedule_list = [this] { ShowDlgList(1, 1); };
  BuildMemoPanels();
  host.note_panel = note_panel_;
  host.memo_panel = memo_panel_;
  host.on_memo_day = [this](const store::Date& date) { MemoDaySelect(date); };
  host.on_grid_popup = [this](QMenu* menu) {
    GridPopupMemo(menu);
    GridPopupTray(menu);
  };
  host.on_memo_double_click = [this] { ShowDlgMemo(true); };
  host.on_todo_command = [this](const std::string& command, const std::optional<std::string>& entry) {
    TodoCommand(command, entry);
  };
  ClipboardAttach(host);
  model_ = std::make_unique<mainwindow::GridModel>();
  layout_ = new mainwindow::MainLayout(std::move(host), this);
  CategoryLoad();
  mainwindow::DaySource days;
  days.reload = [this](int mode, const store::Date& selected, int) { ModelReload(mode, selected); };
  days.day = [this](const store::Date& date) { return model_->Day(date); };
  days.holds = [this](int year, int month) { return model_->Holds(year, month); };
  days.memo_of = [this](const mainwindow::DayEntry& entry, const store::Date& date) {
    return mainwindow::EntryMemo(ports_.files, session_.folders.data, entry, date);
  };
  // The ToDo list first: the calendar's one rebuild at start carries its ToDo marks.
  TodoAttach();
  layout_->SetDaySource(std::move(days));
  ConnectMemoCommands();
  RemindersCreate();
  SyncAttach();
}

// The month model rebuilt for the view (`SchUpdate`); damaged lines and the band limit are
// reported once it is done.
void TFrmMain::ModelReload(int mode, const store::Date& selected) {
  MemDailyUpdate();
  try {
    const store::Date today = ports_.clock.Now().date;
    const auto messages = model_->Reload(ports_.files, session_.settings, mode, selected, today,
                                         session_.folders.data, session_.folders.memo, TodoMarks());
    alarms_date_ = today;
    for (const auto& m : messages) ports_.dialogs.Error(m.text, m.caption);
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
}

TFrmMain::~TFrmMain() { RemindersDestroy(); }

// The category table and its icons, for the grids and the side panel's list.
void TFrmMain::CategoryLoad() {
  category_icons_ = std::make_unique<catalogues::CategoryIcons>();
  try {
    categories_ = catalogues::LoadCategoryTable(ports_.files, session_.folders.category);
    category_icons_->Load(ports_.files, ports_.dialogs, session_.folders.category, categories_.lines());
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
  layout_->SetCategories(&categories_, category_icons_.get());
}

void TFrmMain::BuildMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MenMain"));
  for (const TopMenu& top : MenuTable()) {
    QMenu* menu = bar->addMenu(U(top.caption));
    menu->setObjectName(U(top.name));
    menu->menuAction()->setObjectName(U(top.name));
    QMenu* current = menu;
    QActionGroup* group = nullptr;
    for (const MenuRow& row : top.rows) {
      switch (row.kind) {
        case Kind::Separator:
          current->addSeparator();
          group = nullptr;
          continue;
        case Kind::Submenu: {
          QMenu* sub = current->addMenu(U(row.caption));
          sub->setObjectName(U(row.name));
          sub->menuAction()->setObjectName(U(row.name));
          current = sub;
          group = nullptr;
          continue;
        }
        case Kind::End:
          current = menu;
          group = nullptr;
          continue;
        default:
          break;
      }
      QAction* action = current->addAction(U(row.caption));
      action->setObjectName(U(row.name));
      if (row.shortcut[0] != '\0') action->setShortcut(QKeySequence(U(row.shortcut)));
      if (row.kind == Kind::Check || row.kind == Kind::Radio) action->setCheckable(true);
      if (row.kind == Kind::Radio) {
        if (group == nullptr) group = new QActionGroup(current);
        group->addAction(action);
      }
      // Each command is enabled by the code that carries it out.
      action->setEnabled(false);
    }
  }

  // The default view mode until the settings say otherwise.
  Action(QStringLiteral("MenMonthly"))->setChecked(true);

  // Submenus whose items are all still disabled are disabled with them.
  for (QMenu* sub : bar->findChildren<QMenu*>()) {
    if (sub->parent() == bar) continue;
    bool any = false;
    for (QAction* a : sub->actions()) any = any || (!a->isSeparator() && a->isEnabled());
    sub->menuAction()->setEnabled(any);
  }

  auto enable = [this](const char* name, void (TFrmMain::*handler)()) {
    QAction* a = Action(U(name));
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, handler);
  };
  enable("MenExit", &TFrmMain::MenExitClick);
  enable("MenVersion", &TFrmMain::MenVersionClick);
  enable("MenHelp", &TFrmMain::MenHelpClick);
  enable("MenWebHelp", &TFrmMain::MenWebHelpClick);
  enable("MenSchAdd", &TFrmMain::DaySchAdd);
  ConnectListCommands();
  enable("MenPrint", &TFrmMain::MenPrintClick);
  enable("MenPreview", &TFrmMain::MenPreviewClick);
  enable("MenBackup", &TFrmMain::MenBackupClick);
  enable("MenRestore", &TFrmMain::MenRestoreClick);
  enable("MenPassword", &TFrmMain::MenPasswordClick);
  ImportMenuConnect();
}

void TFrmMain::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("SbrBottom"));
  bar->setSizeGripEnabled(true);
  panels_[0] = new QLabel(bar);
  panels_[0]->setObjectName(QStringLiteral("SbrPanel0"));
  panels_[0]->setMinimumWidth(0);
  panels_[1] = new QLabel(bar);
  panels_[1]->setObjectName(QStringLiteral("SbrPanel1"));
  panels_[1]->setFixedWidth(120);
  for (QLabel* panel : panels_) panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  // The text panel takes what is left of the 760 + 120 pixels when the window is narrower.
  bar->addWidget(panels_[0], 1);
  bar->addPermanentWidget(panels_[1], 0);
}

QAction* TFrmMain::Action(const QString& name) const {
  for (QAction* a : menuBar()->findChildren<QAction*>(name)) {
    if (a->objectName() == name) return a;
  }
  return nullptr;
}

QMenu* TFrmMain::Menu(const QString& name) const { return menuBar()->findChild<QMenu*>(name); }

QLabel* TFrmMain::StatusPanel(int index) const {
  return index >= 0 && index < 2 ? panels_[index] : nullptr;
}

void TFrmMain::BringForward() {
  if (!isVisible()) {
    if (on_show_from_tray) {
      on_show_from_tray();
    } else {
      show();
    }
  } else if (isMinimized()) {
    setWindowState(windowState() & ~Qt::WindowMinimized);
  }
  raise();
  activateWindow();
}

void TFrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_once_ || event->spontaneous()) return;
  shown_once_ = true;
  // Runs once the window is on the screen, so that a dialog opened there (the initial settings)
  // stands in front of it.
  QTimer::singleShot(0, this, &TFrmMain::FormShow);
}

void TFrmMain::FormShow() {
  initialising_ = false;
  remembered_ = Geometry();
  if (session_.settings.window.state == 0) {
    started_maximised_ = true;
    showMaximized();
  }
  if (on_first_show) on_first_show();
  RemindersStart();
}

// Size from [Window] Height and Width; position by PosMode on the screen's work area
// (0 top left, 1 top right, 2 centre, 3 bottom left, 4 bottom right, 5 the stored Top and Left).
void TFrmMain::PlaceWindow() {
  const auto& w = session_.settings.window;
  resize(w.width, w.height);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
  const int width = std::min(w.width, area.width());
  const int height = std::min(w.height, area.height());
  QPoint at;
  switch (w.pos_mode) {
    case 0: at = area.topLeft(); break;
    case 1: at = QPoint(area.right() - width + 1, area.top()); break;
    case 3: at = QPoint(area.left(), area.bottom() - height + 1); break;
    case 4: at = QPoint(area.right() - width + 1, area.bottom() - height + 1); break;
    case 5: at = QPoint(w.left, w.top); break;
    default: at = QPoint(area.left() + (area.width() - width) / 2, area.top() + (area.height() - height) / 2);
  }
  move(at);
}

store::WindowGeometry TFrmMain::Geometry() const {
  const QRect frame = frameGeometry();
  return store::WindowGeometry{frame.top(), frame.left(), height(), width()};
}

store::WindowShowState TFrmMain::ShowState() const {
  if (isMinimized()) return store::WindowShowState::Minimised;
  if (isMaximized()) return store::WindowShowState::Maximised;
  return store::WindowShowState::Normal;
}

void TFrmMain::closeEvent(QCloseEvent* event) {
  if (TrayCloseEvent(event)) return;
  RemindersStop();
  FormCloseQuery();
  event->accept();
}

void TFrmMain::FormCloseQuery() {
  if (restored_) return;
  MemDailyUpdate();
  if (on_close_query) on_close_query();
  store::ExitState state;
  TodoExitState(state);
  state.initialising = initialising_;
  state.show_state = ShowState();
  state.state_switched = state.show_state != store::WindowShowState::Minimised &&
                         (state.show_state == store::WindowShowState::Maximised) != started_maximised_;
  state.current = Geometry();
  state.remembered = remembered_;
  state.current_year = store::YearOf(ports_.clock.Now().date);
  state.layout_changed = session_.layout_changed;
  state.views_shown = layout_->ViewsShown();
  state.views_shown[static_cast<std::size_t>(session_.settings.window.grid_mode - 1)] = true;
  TrayExitState(state);
  try {
    SaveExitLayout(session_, state, ports_.files);
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
}

void TFrmMain::MenExitClick() {
  tray_->exiting = true;
  close();
}

void TFrmMain::MenVersionClick() {
  mainwindow::TDlgVersion dialog(this);
  dialog.exec();
}

void TFrmMain::MenHelpClick() {
  mainwindow::OpenHelpFile(session_.program_folder, ports_.files, ports_.shell, ports_.dialogs);
}

void TFrmMain::MenWebHelpClick() { ports_.shell.Open(mainwindow::WebHelpAddress()); }

bool TFrmMain::ShowDlgSchInput(int mode, const std::optional<store::OldSchedule>& source,
                               const std::optional<store::Date>& range_end,
                               const std::pair<std::string, std::string>& times) {
  schedule::OpenRequest request;
  request.mode = static_cast<schedule::EntryMode>(mode);
  request.date = selected_date_;
  if (mode == 1 || mode == 3) request.source = source;
  if (mode == 0) request.range_end = range_end;
  if (mode == 0) {
    request.start_time = times.first;
    request.end_time = times.second;
  }
  schedule::TDlgSchInput dialog({ports_.dialogs, ports_.files, ports_.shell, ports_.clock}, session_, request, this);
  const bool stored = dialog.exec() == QDialog::Accepted;
  if (stored || dialog.NeedsReload()) {
    layout_->SchUpdate();
    if (on_schedules_changed) on_schedules_changed();
  }
  return stored;
}

void TFrmMain::SetSelectedDate(const store::Date& date) {
  selected_date_ = date;
  if (layout_ != nullptr && !(layout_->SelectedDate() == date)) layout_->SetSelectedDate(date);
}

void TFrmMain::DaySchAdd() {
  // With the timeline focused, the new schedule takes its half hour or selected range.
  const auto times = layout_ != nullptr ? layout_->TimelineTimes() : std::nullopt;
  ShowDlgSchInput(0, std::nullopt, std::nullopt, times.value_or(std::pair<std::string, std::string>{}));
}
void TFrmMain::DaySchRep(const store::OldSchedule& source) { ShowDlgSchInput(1, source); }

void TFrmMain::SchListEdit(const std::optional<std::string>& entry) {
  if (!entry) {
    DaySchAdd();
    return;
  }
  if (entry->size() >= 7 && (*entry)[2] == '8') {
    TodoEntryEdit(*entry);
    return;
  }
  if (entry->size() < 7 || (*entry)[2] != '5') return;  // holidays open their own dialog
  // The schedule's line, from the month file of its first day; it must still be the line shown.
  const store::Date first = mainwindow::ScheduleDaysOf(*entry, selected_date_).first;
  const int year = store::YearOf(first), month = store::MonthOf(first);
  const std::size_t index = static_cast<std::size_t>(std::stoi(entry->substr(3, 4)));
  std::vector<std::string> lines;
  try {
    lines = store::LoadLines(ports_.files, store::MonthFilePath(session_.folders.data, year, month));
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), "エラー");
    return;
  }
  if (index >= lines.size() || !mainwindow::EntryMatchesLine(*entry, lines[index])) {
    ports_.dialogs.Error(store::kStaleMessage, store::kStaleCaption);
    layout_->RefreshClick();
    return;
  }
  DaySchRep(store::OldSchedule{year, month, index, lines[index]});
}
void TFrmMain::DaySchCopy(const store::OldSchedule& source) { ShowDlgSchInput(3, source); }

}  // namespace kal::app
