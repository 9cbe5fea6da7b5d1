#include "mainwindow/TFrmMainLayout.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QKeySequence>
#include <QMenu>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <set>
#include <string_view>

#include "app/Folders.h"
#include "calendar/DateLabels.h"
#include "catalogues/Category.h"
#include "catalogues/QtCategoryCell.h"
#include "catalogues/QtCategoryIcons.h"
#include "mainwindow/DayPanel.h"
#include "mainwindow/Layout.h"
#include "mainwindow/QtGridKeys.h"
#include "mainwindow/QtSchList.h"
#include "mainwindow/QtToolIcons.h"
#include "mainwindow/TDlgJump.h"
#include "catalogues/ItemTable.h"
#include "store/MemoFile.h"
#include "store/TextFile.h"
#include "mainwindow/QtCalendarGrid.h"
#include "mainwindow/QtTimeline.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DatePattern.h"
#include "mainwindow/GridDays.h"

#include "mainwindow/TFrmMainParts.h"

namespace kal::mainwindow {

using namespace layout_parts;

MainLayout::MainLayout(LayoutHost host, QObject* parent) : QObject(parent), host_(std::move(host)) {
  const platform::LocalDateTime now = host_.clock->Now();
  selected_ = now.date;
  displayed_year_ = store::YearOf(selected_);
  displayed_month_ = store::MonthOf(selected_);
  anchor_day_ = store::DayOf(selected_);
  mode_ = ClampMode(host_.settings->window.grid_mode);
  list_shown_ = std::clamp(host_.settings->window.top_list, 0, 2);
  BuildToolBar();
  BuildRegions();
  ConnectMenu();
  host_.action(U(ViewModeOf(mode_).menu_name))->setChecked(true);
  GridCheck();
  ShowList(list_shown_);
  ApplyBarFont();
  SchUpdate();
}

MainLayout::~MainLayout() = default;

store::ViewModeSettings& MainLayout::Current() { return host_.settings->view_mode(mode_); }

void MainLayout::SetChanged() {
  if (host_.layout_changed != nullptr && !applying_) *host_.layout_changed = true;
}

QWidget* MainLayout::Region(const QString& name) const { return host_.central->findChild<QWidget*>(name); }

void MainLayout::BuildRegions() {
  QWidget* central = host_.central;
  auto* root = qobject_cast<QVBoxLayout*>(central->layout());
  if (root == nullptr) root = new QVBoxLayout(central);
  root->setContentsMargins(0, 0, 0, 0);

  spl_x_ = new QSplitter(Qt::Vertical, central);
  spl_x_->setObjectName(QStringLiteral("SplX"));
  spl_x_->setChildrenCollapsible(false);
  root->addWidget(spl_x_);

  spl_h_ = new QSplitter(Qt::Horizontal);
  spl_h_->setObjectName(QStringLiteral("SplH"));
  spl_h_->setChildrenCollapsible(false);
  auto* top_holder = new QWidget;
  top_holder->setObjectName(QStringLiteral("PnlTopArea"));
  auto* top_layout = new QVBoxLayout(top_holder);
  top_layout->setContentsMargins(0, 0, 0, 0);
  top_layout->addWidget(spl_h_);
  spl_x_->addWidget(top_holder);
  pnl_top_ = top_holder;

  // Calendar side: schedule list, navigation bar, main grid.
  spl_t_ = new QSplitter(Qt::Vertical);
  spl_t_->setObjectName(QStringLiteral("SplT"));
  spl_t_->setChildrenCollapsible(false);
  auto* list = new QtSchList;
  {
    std::vector<int> widths = host_.settings->view.sch_item_width;
    widths.resize(kSchListColumns, 100);
    list->SetColumns(host_.settings->view.sch_item.empty() ? kDefaultSchItem : host_.settings->view.sch_item, widths);
  }
  ltv_sch_list_ = list;
  sch_list_ = list;
  connect(list, &QtSchList::columnsChanged, this, [this](const QString& flags) {
    host_.settings->view.sch_item = flags.toStdString();
    SetChanged();
    DaySchEdit();
  });
  connect(list, &QtSchList::editRequested, this, [this](int) {
    if (!host_.on_edit_entry) return;
    const SchListRow* row = ltv_sch_list_->SelectedRow();
    const CellDay day = days_.day ? days_.day(selected_) : CellDay{};
    if (row != nullptr && row->entry_position < day.entries.size())
      host_.on_edit_entry(day.entries[row->entry_position]);
    else
      host_.on_edit_entry(std::nullopt);
  });
  connect(list, &QtSchList::deleteRequested, this, [this](int) { DeleteSelectedEntry(); });
  QStringList working = {QStringLiteral("PopSchRepL"), QStringLiteral("PopDeleteL")};
  if (host_.on_todo_command) working << QStringLiteral("PopSchToTodoL") << QStringLiteral("PopTodoRepL");
  list->SetWorkingCommands(working);
  connect(list, &QtSchList::commandChosen, this, [this](const QString& name) {
    if (name == QStringLiteral("PopSchRepL") || name == QStringLiteral("PopTodoRepL")) {
      emit ltv_sch_list_->editRequested(0);
    } else if (name == QStringLiteral("PopSchToTodoL") && host_.on_todo_command) {
      const SchListRow* row = ltv_sch_list_->SelectedRow();
      const CellDay day = days_.day ? days_.day(selected_) : CellDay{};
      if (row != nullptr && row->entry_position < day.entries.size())
        host_.on_todo_command("PopSchToTodo", day.entries[row->entry_position]);
    }
  });
  spl_t_->addWidget(list);
  auto* calendar = new QWidget;
  calendar->setObjectName(QStringLiteral("PnlLeft"));
  auto* cal_layout = new QVBoxLayout(calendar);
  cal_layout->setContentsMargins(0, 0, 0, 0);
  cal_layout->setSpacing(0);
  nav_ = new NavigationBar(calendar);
  cal_layout->addWidget(nav_);
  grid_ = new QtCalendarGrid(calendar);
  grid_->setObjectName(QStringLiteral("GrdSch"));
  grid_->SetSources(host_.settings, nullptr);
  grid_->setFocusPolicy(Qt::StrongFocus);
  cal_layout->addWidget(grid_, 1);
  BuildTimeline(calendar, cal_layout);
  BuildDragDrop();
  GridKeyHost keys;
  keys.context = [this] { return NavShape(); };
  keys.state = [this] { return Nav(); };
  keys.apply = [this](const NavState& state) { ApplyNav(state); };
  keys.today = [this] { NowPeriod(); };
  keys.activate = [this] {
    if (host_.on_cell_double_click) host_.on_cell_double_click();
  };
  keys.remove = [this] { DeleteSelectedEntry(); };
  // Down in the header of a timeline view moves into the timeline.
  keys.focus = [this](NavFocus focus) {
    if (focus == NavFocus::Timeline && scr_ver_->isVisible()) {
      if (grd_ver_->CurrentRow() < 0) grd_ver_->SetCurrent(0, grid_->SelectedColumn());
      grd_ver_->setFocus();
    } else if (focus == NavFocus::Header) {
      grid_->setFocus();
    }
  };
  keys_ = new QtGridKeys(std::move(keys), this);
  keys_->Watch(grid_);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
    QMenu* menu = BuildGridPopup(point);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(grid_->mapToGlobal(point));
  });
  connect(grid_, &QtCalendarGrid::ItemDoubleClicked, this, [this](int row, int column, int line) {
    // An item opens by its kind; the memo corner (line -1) edits the day's memo.
    if (line == -1) {
      if (host_.on_memo_double_click) host_.on_memo_double_click();
      return;
    }
    const std::optional<std::string> entry = EntryAt(row, column, line);
    if (entry && entry->size() > 2 && (*entry)[2] == '5' && host_.on_edit_entry) host_.on_edit_entry(entry);
  });
  spl_t_->addWidget(calendar);
  spl_t_->setStretchFactor(1, 1);
  spl_h_->addWidget(spl_t_);

  pnl_right_ = new QWidget;
  pnl_right_->setObjectName(QStringLiteral("PnlRight"));
  BuildSidePanel(pnl_right_);
  // The side calendars pass their keys to the main grid.
  for (QtCalendarGrid* side : side_grids_)
    if (side != nullptr) keys_->Watch(side);
  spl_h_->addWidget(pnl_right_);
  spl_h_->setStretchFactor(0, 1);

  pnl_bottom_ = new QWidget;
  pnl_bottom_->setObjectName(QStringLiteral("PnlBottom"));
  BuildUnderPanel(pnl_bottom_);
  spl_x_->addWidget(pnl_bottom_);
  // The top area keeps its height (TopHeight); the under panel takes what the window adds.
  spl_x_->setStretchFactor(0, 0);
  spl_x_->setStretchFactor(1, 1);

  // Navigation and selection.
  connect(nav_->buttons[0], &QToolButton::clicked, this, [this] { StepPeriod(-1, true); });
  connect(nav_->buttons[1], &QToolButton::clicked, this, [this] { StepPeriod(-1, false); });
  connect(nav_->buttons[2], &QToolButton::clicked, this, [this] { NowPeriod(); });
  connect(nav_->buttons[3], &QToolButton::clicked, this, [this] { StepPeriod(1, false); });
  connect(nav_->buttons[4], &QToolButton::clicked, this, [this] { StepPeriod(1, true); });
  connect(grid_, &QtCalendarGrid::CellClicked, this, [this](int row, int column) {
    if (row < static_cast<int>(shown_dates_.size()) && column < static_cast<int>(shown_dates_[static_cast<std::size_t>(row)].size())) {
      selected_ = shown_dates_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
      if (host_.on_selected) host_.on_selected(selected_);
      PaintSideCalendars();
      RefreshMemo();
      DaySchEdit();
      QTimer::singleShot(0, this, [this] { SizeChange(); });
    }
  });
  // Automatic row height follows the cell under the mouse while tooltips are on.
  connect(grid_, &QtCalendarGrid::HoverCellChanged, this, [this] {
    if (host_.settings->view.mouse_tip && mode_ >= kModeWeekly) SizeChange();
  });
  connect(grid_, &QtCalendarGrid::CellDoubleClicked, this, [this] {
    if (host_.on_cell_double_click) host_.on_cell_double_click();
  });
  grid_->installEventFilter(new ResizeWatcher(this, [this] { SizeChange(); }));
  // The stored sizes take effect once the window has its size.
  host_.window->installEventFilter(new ShowWatcher(this, [this] { ApplySizes(); }));
  for (QSplitter* s : {spl_x_, spl_h_, spl_t_, spl_c_, spl_b_, spl_m_}) {
    connect(s, &QSplitter::splitterMoved, this, [this, s] { SplitterMoved(s); });
  }
  grid_->item_hint = [this](int row, int column, const CellLine& line) {
    const Date date = shown_dates_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    std::vector<std::string> memo;
    if (days_.memo_of) memo = days_.memo_of(line.entry, date);
    return GrdHint(line.entry, date, memo, {}, host_.settings->view.memo_mark);
  };
  grid_->memo_hint = [this](int row, int column) {
    const Date date = shown_dates_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    std::vector<std::string> lines;
    try {
      lines = store::LoadMemo(*host_.files, host_.memo_folder, store::MemoId::OfDay(date));
    } catch (const store::FileError&) {
    }
    const CellContents& cell = grid_->Picture().cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    return MemoIconHint(date, host_.settings->memo.daily_title, lines, cell.memo_fill);
  };
}

// ---- Menu ------------------------------------------------------------------------------------

void MainLayout::ConnectMenu() {
  auto bind = [this](const char* name, std::function<void()> handler) {
    QAction* a = host_.action(U(name));
    if (a == nullptr) return;
    a->setEnabled(true);
    // In mini mode only the moves through the calendar work: the mode, panel and size
    // commands wait until the window is back.
    static const std::set<std::string_view> kMoves = {"MenNowMonth",   "MenNextMonth", "MenBeforeMonth", "MenNextYear",
                                                      "MenBeforeYear", "MenJump",      "MenRefresh"};
    const bool moves = kMoves.count(name) != 0;
    connect(a, &QAction::triggered, this, [this, moves, handler = std::move(handler)] {
      if (mini_ && !moves) return;
      handler();
      SyncMenu();
    });
  };
  for (int mode = 1; mode <= store::kViewModeCount; ++mode) {
    bind(ViewModeOf(mode).menu_name, [this, mode] { GridModeClick(mode); });
  }
  bind("MenUnderPanel", [this] { UnderPanelClick(); });
  bind("MenSidePanel", [this] { SidePanelClick(); });
  bind("MenPanelMode", [this] { PanelModeClick(); });
  bind("MenSchListView", [this] { SchListClick(); });
  bind("MenNotePanel", [this] { NotePanelClick(); });
  bind("MenMemoPanel", [this] { MemoPanelClick(); });
  bind("MenMiniBef", [this] { MiniCalendarClick(0); });
  bind("MenMiniCur", [this] { MiniCalendarClick(1); });
  bind("MenMiniNxt", [this] { MiniCalendarClick(2); });
  bind("MenToolBar", [this] { ToolBarClick(); });
  bind("MenStatusBar", [this] { StatusBarClick(); });
  bind("MenSatSun", [this] { SatSunClick(); });
  bind("MenSatSunNo", [this] { SatSunNoClick(); });
  bind("MenAutoWidth", [this] { AutoWidthClick(); });
  bind("MenCr", [this] { CrClick(); });
  for (int pitch = 1; pitch <= 8; ++pitch) {
    const std::string name = "MenLinePitch" + std::to_string(pitch);
    bind(name.c_str(), [this, pitch] { LinePitchClick(pitch); });
  }
  bind("MenSizeResetCurrent", [this] { SizeResetCurrent(); });
  bind("MenSizeResetAll", [this] { SizeResetAll(); });
  bind("MenNowMonth", [this] { NowPeriod(); });
  bind("MenNextMonth", [this] { StepPeriod(1, false); });
  bind("MenBeforeMonth", [this] { StepPeriod(-1, false); });
  bind("MenNextYear", [this] { StepPeriod(1, true); });
  bind("MenBeforeYear", [this] { StepPeriod(-1, true); });
  bind("MenJump", [this] { JumpClick(); });
  bind("MenRefresh", [this] { RefreshClick(); });
  for (const char* sub : {"MenLinePitch", "MenSizeReset", "MenCount"}) {
    if (QMenu* m = host_.menu(U(sub))) m->menuAction()->setEnabled(true);
  }
  QMenu* pitch = host_.menu(QStringLiteral("MenLinePitch"));
  if (pitch != nullptr) {
    connect(pitch, &QMenu::aboutToShow, this, [this] {
      const int value = std::clamp(Current().line_pitch, 1, 8);
      host_.action(QStringLiteral("MenLinePitch") + QString::number(value))->setChecked(true);
    });
  }
}

void MainLayout::RebuildCountMenu() {
  QMenu* count = host_.menu(QStringLiteral("MenCount"));
  if (count == nullptr) return;
  for (QAction* a : count->actions()) a->deleteLater();
  count->clear();
  const ViewModeInfo& info = ViewModeOf(mode_);
  count->menuAction()->setVisible(info.count_max > 0);
  if (info.count_max == 0) return;
  count->setTitle(U(info.count_caption));
  auto* group = new QActionGroup(count);
  const int current = ModeCount(*host_.settings, mode_);
  for (int n = info.count_min; n <= info.count_max; ++n) {
    QAction* a = count->addAction(QString::number(n));
    a->setObjectName(U(info.count_prefix) + QString::number(n));
    a->setCheckable(true);
    a->setChecked(n == current);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, n] { CountClick(n); });
  }
}

// The checks and enables of the menu and the pressed toolbar buttons from the current settings.
void MainLayout::SyncMenu() {
  const store::ViewModeSettings& v = Current();
  const store::Settings& s = *host_.settings;
  auto set = [this](const char* name, bool checked, bool enabled = true) {
    if (QAction* a = host_.action(U(name))) {
      a->setChecked(checked);
      a->setEnabled(enabled);
    }
  };
  set("MenUnderPanel", v.under_panel);
  set("MenSidePanel", v.side_panel);
  set("MenPanelMode", v.under_panel && v.side_panel);
  set("MenSchListView", v.sch_list);
  set("MenNotePanel", v.note_panel, v.under_panel);
  set("MenMemoPanel", v.memo_panel, v.under_panel);
  set("MenMiniBef", v.mini_bef, v.side_panel && mode_ != kModeMonthly3);
  set("MenMiniCur", v.mini_cur, v.side_panel);
  set("MenMiniNxt", v.mini_nxt, v.side_panel && mode_ != kModeMonthly3);
  set("MenToolBar", s.view.tool_bar);
  set("MenStatusBar", s.window.status_bar);
  const bool week_modes = mode_ >= kModeVertical && mode_ <= kModeMonthly;
  set("MenSatSunNo", v.sat_sun_no, week_modes);
  set("MenSatSun", v.sat_sun, week_modes && !v.sat_sun_no);
  set("MenAutoWidth", mode_ >= kModeWeekly && v.auto_width, mode_ >= kModeWeekly && !v.cr);
  set("MenCr", v.cr);
  const int pitch = std::clamp(v.line_pitch, 1, 8);
  set(("MenLinePitch" + std::to_string(pitch)).c_str(), true);
  for (auto& [tool, menu] : tool_links_) {
    tool->setEnabled(menu->isEnabled());
    if (tool->isCheckable()) tool->setChecked(menu->isChecked());
  }
}

// ---- View modes ------------------------------------------------------------------------------

void MainLayout::GridCheck() {
  applying_ = true;
  for (int m = 1; m <= store::kViewModeCount; ++m) {
    if (host_.action(U(ViewModeOf(m).menu_name))->isChecked()) mode_ = m;
  }
  host_.settings->window.grid_mode = mode_;
  views_shown_[static_cast<std::size_t>(mode_ - 1)] = true;
  const ViewModeInfo& info = ViewModeOf(mode_);
  const auto hints = PeriodHints(mode_, ModeCount(*host_.settings, mode_));
  host_.action(QStringLiteral("MenBeforeMonth"))->setText(Q(hints[0]) + U("(&B)"));
  host_.action(QStringLiteral("MenNowMonth"))->setText(Q(hints[1]) + U("(&H)"));
  host_.action(QStringLiteral("MenNextMonth"))->setText(Q(hints[2]) + U("(&N)"));
  host_.action(QStringLiteral("MenNextYear"))->setVisible(info.year_buttons);
  host_.action(QStringLiteral("MenBeforeYear"))->setVisible(info.year_buttons);
  nav_->buttons[1]->setToolTip(Q(hints[0]));
  nav_->buttons[2]->setToolTip(Q(hints[1]));
  nav_->buttons[3]->setToolTip(Q(hints[2]));
  nav_->buttons[0]->setToolTip(U("前年"));
  nav_->buttons[4]->setToolTip(U("次年"));
  nav_->buttons[0]->setVisible(info.year_buttons);
  nav_->buttons[4]->setVisible(info.year_buttons);
  nav_->mode = mode_;
  nav_->widest_shown = 0;
  ApplyPanels();
  RebuildCountMenu();
  SyncMenu();
  applying_ = false;
}

void MainLayout::GridModeClick(int mode) {
  mode = ClampMode(mode);
  if (mode == mode_) {
    SyncMenu();
    return;
  }
  host_.action(U(ViewModeOf(mode).menu_name))->setChecked(true);
  GridCheck();
  // The new view shows the selected day: the day-based views start from it, the month-based
  // views show its month (so a same-month view scrolled to another year does not hide it).
  displayed_year_ = store::YearOf(selected_);
  displayed_month_ = store::MonthOf(selected_);
  anchor_day_ = store::DayOf(selected_);
  if (list_shown_ == 1) RefreshList();
  SchUpdate();
  grid_->setFocus();
}

}  // namespace kal::mainwindow
