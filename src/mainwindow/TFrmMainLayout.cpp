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
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

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
#include "store/TextFile.h"
#include "mainwindow/QtCalendarGrid.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DatePattern.h"
#include "mainwindow/GridDays.h"
#include "store/TextFile.h"

namespace kal::mainwindow {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr int kSizeTop = 403;
constexpr int kSizeRight = 168;
constexpr int kSizeNote = 250;
constexpr int kSizeSchList = 54;
constexpr int kSizeTodo = 410;
constexpr int kSizeCalendar = 128;
constexpr int kNavHeight = 26;
constexpr int kNavButton = 24;

// The toolbar in order: caption, menu item it runs, hint (empty: the menu caption without its
// accelerator). An empty caption is a separator; "#n" the view mode n.
struct ToolRow {
  const char* caption;
  const char* action;
  const char* hint;
};
constexpr ToolRow kToolRows[] = {
    {"印刷", "MenPrint", "印刷"}, {"プレビュー", "MenPreview", ""}, {"", "", ""},
    {"予定追加", "MenSchAdd", ""}, {"メモ編集", "MenMemoEdit", ""}, {"ToDo追加", "MenTodoAdd", ""},
    {"ノート編集", "MenNoteEdit", ""}, {"", "", ""}, {"予定一覧", "MenSchList", ""},
    {"祝日一覧", "MenHolidayList", ""}, {"メモ一覧", "MenMemoList", ""}, {"ToDo一覧", "MenTodoList", ""},
    {"天気一覧", "MenWeatherList", ""}, {"", "", ""}, {"#1", "", ""}, {"#2", "", ""}, {"#3", "", ""},
    {"#4", "", ""}, {"#5", "", ""}, {"#6", "", ""}, {"#7", "", ""}, {"#8", "", ""}, {"", "", ""},
    {"土日半分", "MenSatSun", ""}, {"土日なし", "MenSatSunNo", ""}, {"幅調整", "MenAutoWidth", ""},
    {"件名改行", "MenCr", ""}, {"", "", ""}, {"SL表示", "MenSchListView", "スケジュールリスト表示"},
    {"UP表示", "MenUnderPanel", ""}, {"SP表示", "MenSidePanel", ""}, {"全表示", "MenPanelMode", ""},
    {"", "", ""}, {"ミニカレ", "MenMiniMode", ""}, {"常駐", "MenTray", ""}, {"", "", ""},
    {"チェック済", "MenCatChecked", ""}, {"未チェック", "MenCatUnchecked", ""}, {"全分類", "MenCatAll", ""},
    {"", "", ""}, {"検索", "MenSearch", ""}, {"時刻表示", "MenTimeSignal", ""}, {"情報更新", "MenRefresh", ""},
    {"", "", ""}, {"行間設定", "MenLinePitch", ""}, {"分類設定", "MenCategory", ""}, {"環境設定", "MenSetup", ""},
};
static_assert(std::size(kToolRows) == 47);

// The menu caption without its accelerator ("(&X)") and a trailing "...".
QString HintOf(QString caption) {
  const int amp = caption.indexOf(QStringLiteral("(&"));
  if (amp >= 0) caption.truncate(amp);
  caption.remove(QStringLiteral("..."));
  return caption.trimmed();
}

bool Flag(const std::string& flags, std::size_t n) { return n >= flags.size() || flags[n] == '1'; }

}  // namespace

// The navigation bar: the period caption centred, the month and year buttons beside it.
class NavigationBar : public QWidget {
 public:
  explicit NavigationBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PnlMonSch"));
    setFixedHeight(kNavHeight);
    setAutoFillBackground(true);
    const char* names[] = {"BtnBeforeYear", "BtnBeforeMonth", "BtnNowMonth", "BtnNextMonth", "BtnNextYear"};
    const char* arrows[] = {"≪", "＜", "", "＞", "≫"};
    for (int i = 0; i < 5; ++i) {
      buttons[i] = new QToolButton(this);
      buttons[i]->setObjectName(U(names[i]));
      buttons[i]->setText(U(arrows[i]));
      buttons[i]->setAutoRaise(true);
      buttons[i]->setFixedSize(kNavButton, kNavHeight - 4);
    }
    QFont font = buttons[2]->font();
    font.setPointSize(12);
    font.setBold(true);
    buttons[2]->setFont(font);
    buttons[2]->setFixedHeight(kNavHeight - 2);
  }
  void SetCaption(const QString& text) {
    buttons[2]->setText(text);
    const int width = buttons[2]->fontMetrics().horizontalAdvance(text) + 20;
    widest_shown = (mode == kModeMonthly || mode == kModeMonthly3) ? std::max(widest_shown, width) : width;
    buttons[2]->setFixedWidth(widest_shown);
    Place();
  }
  void Place() {
    const NavigationGeometry g = NavigationLayout(mode, width(), buttons[2]->width(), widest_caption, kNavButton, false);
    buttons[0]->move(g.before_year, 2);
    buttons[1]->move(g.before_month, 2);
    buttons[2]->move(g.caption, 1);
    buttons[3]->move(g.next_month, 2);
    buttons[4]->move(g.next_year, 2);
  }
  QToolButton* buttons[5] = {};
  int mode = kModeMonthly;
  int widest_caption = 260;
  int widest_shown = 0;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    Place();
  }
};

namespace {

// Re-lays out the grids when their size changes.
class ResizeWatcher : public QObject {
 public:
  ResizeWatcher(QObject* parent, std::function<void()> on_resize) : QObject(parent), on_resize_(std::move(on_resize)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) on_resize_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> on_resize_;
};

// Runs once, after the window is first shown and laid out.
class ShowWatcher : public QObject {
 public:
  ShowWatcher(QObject* parent, std::function<void()> on_show) : QObject(parent), on_show_(std::move(on_show)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && !done_) {
      done_ = true;
      QTimer::singleShot(0, this, on_show_);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> on_show_;
  bool done_ = false;
};

}  // namespace

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

// ---- Building --------------------------------------------------------------------------------

void MainLayout::BuildToolBar() {
  toolbar_ = new QToolBar(host_.window);
  toolbar_->setObjectName(QStringLiteral("TbrTool"));
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  // Pictures only, 26 x 22 buttons; with captions (ButtonCap) 60 x 36 buttons, the caption under
  // the picture, or beside it when CapList is on.
  const bool captions = host_.settings->view.button_cap;
  const Qt::ToolButtonStyle style = !captions                         ? Qt::ToolButtonIconOnly
                                    : host_.settings->view.cap_list ? Qt::ToolButtonTextBesideIcon
                                                                    : Qt::ToolButtonTextUnderIcon;
  toolbar_->setToolButtonStyle(style);
  toolbar_->setIconSize(QSize(16, 16));
  QFont font = toolbar_->font();
  font.setPointSize(8);
  toolbar_->setFont(font);
  host_.window->addToolBar(Qt::TopToolBarArea, toolbar_);
  const std::string& shown = host_.settings->view.tool_bar_icon;
  auto* modes = new QActionGroup(toolbar_);
  for (std::size_t i = 0; i < std::size(kToolRows); ++i) {
    const ToolRow& row = kToolRows[i];
    const bool visible = shown.empty() || (i < shown.size() ? shown[i] == '1' : true);
    if (row.caption[0] == '\0') {
      QAction* sep = toolbar_->addSeparator();
      sep->setVisible(visible);
      continue;
    }
    QAction* menu_action = nullptr;
    QString caption = U(row.caption);
    QString hint = U(row.hint);
    if (row.caption[0] == '#') {
      const ViewModeInfo& info = ViewModeOf(row.caption[1] - '0');
      menu_action = host_.action(U(info.menu_name));
      caption = U(info.tool_caption);
      hint = U(info.tool_hint);
    } else if (QString(U(row.action)) == QStringLiteral("MenLinePitch")) {
      QMenu* pitch = host_.menu(QStringLiteral("MenLinePitch"));
      auto* button = new QToolButton(toolbar_);
      button->setText(caption);
      button->setIcon(ToolIcon(QStringLiteral("MenLinePitch")));
      button->setToolButtonStyle(style);
      button->setToolTip(U("行間設定"));
      button->setMenu(pitch);
      button->setPopupMode(QToolButton::InstantPopup);
      button->setObjectName(QStringLiteral("TbtLinePitch"));
      QAction* holder = toolbar_->addWidget(button);
      holder->setVisible(visible);
      continue;
    } else {
      menu_action = host_.action(U(row.action));
    }
    if (menu_action == nullptr) continue;
    if (hint.isEmpty()) hint = HintOf(menu_action->text());
    QAction* tool = toolbar_->addAction(caption);
    tool->setObjectName(QStringLiteral("Tbt") + menu_action->objectName().mid(3));
    tool->setIcon(ToolIcon(menu_action->objectName()));
    tool->setToolTip(hint);
    tool->setVisible(visible);
    // The mode buttons and these toggles are drawn pressed while their setting is on.
    static const QStringList pressed = {QStringLiteral("MenSatSun"),      QStringLiteral("MenAutoWidth"),
                                        QStringLiteral("MenCr"),          QStringLiteral("MenSchListView"),
                                        QStringLiteral("MenUnderPanel"),  QStringLiteral("MenSidePanel"),
                                        QStringLiteral("MenPanelMode"),   QStringLiteral("MenMiniMode")};
    tool->setCheckable(row.caption[0] == '#' || pressed.contains(menu_action->objectName()));
    if (row.caption[0] == '#') modes->addAction(tool);
    connect(tool, &QAction::triggered, this, [menu_action, this] {
      menu_action->trigger();
      SyncMenu();
    });
    tool_links_.emplace_back(tool, menu_action);
  }
  // The drop-down button keeps room for its arrow; captions longer than the button widen it.
  for (QToolButton* b : toolbar_->findChildren<QToolButton*>()) {
    if (b->objectName() == QStringLiteral("qt_toolbar_ext_button")) continue;
    if (captions) {
      b->setMinimumSize(60, 36);
    } else {
      b->setFixedSize(b->menu() != nullptr ? QSize(34, 22) : QSize(26, 22));
    }
  }
}

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
  list->SetWorkingCommands({QStringLiteral("PopSchRepL"), QStringLiteral("PopDeleteL")});
  connect(list, &QtSchList::commandChosen, this, [this](const QString& name) {
    if (name == QStringLiteral("PopSchRepL")) emit ltv_sch_list_->editRequested(0);
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
  GridKeyHost keys;
  keys.context = [this] { return NavShape(); };
  keys.state = [this] { return Nav(); };
  keys.apply = [this](const NavState& state) { ApplyNav(state); };
  keys.today = [this] { NowPeriod(); };
  keys.activate = [this] {
    if (host_.on_cell_double_click) host_.on_cell_double_click();
  };
  keys.remove = [this] { DeleteSelectedEntry(); };
  keys_ = new QtGridKeys(std::move(keys), this);
  keys_->Watch(grid_);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
    QMenu* menu = BuildGridPopup(point);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(grid_->mapToGlobal(point));
  });
  connect(grid_, &QtCalendarGrid::ItemDoubleClicked, this, [this](int row, int column, int line) {
    // An item opens by its kind; the memo corner belongs to the memo box.
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
    const std::string path = host_.memo_folder + store::FormatDatePattern("yyyymmdd", date) + ".mem";
    std::vector<std::string> lines;
    try {
      lines = store::LoadTextLines(*host_.files, path);
    } catch (const store::FileError&) {
    }
    const CellContents& cell = grid_->Picture().cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    return MemoIconHint(date, host_.settings->memo.daily_title, lines, cell.memo_fill);
  };
}

void MainLayout::BuildSidePanel(QWidget* parent) {
  auto* layout = new QVBoxLayout(parent);
  layout->setContentsMargins(0, 0, 0, 0);
  spl_c_ = new QSplitter(Qt::Vertical, parent);
  spl_c_->setObjectName(QStringLiteral("SplC"));
  spl_c_->setChildrenCollapsible(false);
  layout->addWidget(spl_c_);
  auto* calendars = new QWidget;
  calendars->setObjectName(QStringLiteral("PnlCalendars"));
  auto* cal_layout = new QVBoxLayout(calendars);
  cal_layout->setContentsMargins(0, 0, 0, 0);
  cal_layout->setSpacing(0);
  const char* panels[] = {"PnlBef", "PnlCur", "PnlNxt"};
  const char* bars[] = {"PnlBefDate", "PnlCurDate", "PnlNxtDate"};
  const char* grids[] = {"GrdBef", "GrdCur", "GrdNxt"};
  for (int i = 0; i < 3; ++i) {
    auto* panel = new QWidget(calendars);
    panel->setObjectName(U(panels[i]));
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    auto* bar = new QLabel(panel);
    bar->setObjectName(U(bars[i]));
    bar->setAlignment(Qt::AlignCenter);
    bar->setFixedHeight(18);
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, catalogues::BgrColour(host_.settings->color.vhd.back));
    pal.setColor(QPalette::WindowText, catalogues::BgrColour(host_.settings->color.vhd.text));
    bar->setPalette(pal);
    auto* grid = new QtCalendarGrid(panel);
    grid->setObjectName(U(grids[i]));
    grid->SetSources(host_.settings, nullptr);
    v->addWidget(bar);
    v->addWidget(grid, 1);
    panel->setFixedHeight(std::max(host_.settings->window.cal_height, 60));
    cal_layout->addWidget(panel);
    side_panels_[static_cast<std::size_t>(i)] = panel;
    side_bars_[static_cast<std::size_t>(i)] = bar;
    side_grids_[static_cast<std::size_t>(i)] = grid;
    grid->installEventFilter(new ResizeWatcher(this, [this] { PaintSideCalendars(); }));
  }
  cal_layout->addStretch(0);
  spl_c_->addWidget(calendars);

  pnl_list_ = new QWidget;
  pnl_list_->setObjectName(QStringLiteral("PnlList"));
  auto* list_layout = new QVBoxLayout(pnl_list_);
  list_layout->setContentsMargins(0, 2, 0, 0);
  list_layout->setSpacing(2);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(1);
  const char* names[] = {"TbtCat", "TbtItem", "TbtFolder"};
  const char* captions[] = {"分類", "項目", "切替"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QToolButton(pnl_list_);
    b->setObjectName(U(names[i]));
    b->setText(U(captions[i]));
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    buttons->addWidget(b);
    list_buttons_[static_cast<std::size_t>(i)] = b;
    connect(b, &QToolButton::clicked, this, [this, i] { ShowList(i); });
  }
  list_layout->addLayout(buttons);
  lst_cat_ = new QListWidget(pnl_list_);
  lst_cat_->setObjectName(QStringLiteral("LstCat"));
  list_layout->addWidget(lst_cat_, 1);
  spl_c_->addWidget(pnl_list_);
  spl_c_->setStretchFactor(1, 1);
  connect(lst_cat_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (applying_) return;
    const int row = item->data(Qt::UserRole).toInt();
    const bool on = item->checkState() == Qt::Checked;
    if (list_shown_ == 1) {
      Current().item_view = WithItem(Current().item_view, row, on);
      SetChanged();
      SchUpdate();
    } else if (list_shown_ == 0 && categories_ != nullptr) {
      try {
        catalogues::CategoryCheckSet(*host_.files, host_.category_folder, *categories_, static_cast<std::size_t>(row),
                                     on);
      } catch (const store::FileError& e) {
        host_.dialogs->Error(e.what(), store::kFileErrorCaption);
      }
      SchUpdate();
    }
  });
}

void MainLayout::BuildUnderPanel(QWidget* parent) {
  auto* layout = new QHBoxLayout(parent);
  layout->setContentsMargins(0, 0, 0, 0);
  spl_b_ = new QSplitter(Qt::Horizontal, parent);
  spl_b_->setObjectName(QStringLiteral("SplB"));
  spl_b_->setChildrenCollapsible(false);
  layout->addWidget(spl_b_);

  auto* todo = new QTabWidget;
  todo->setObjectName(QStringLiteral("PnlTodo"));
  for (const char* tab : {"未処理", "処理済", "待機"}) {
    auto* list = new QTreeWidget;
    list->setHeaderLabels({U("期限"), U("件名"), U("優先度"), U("進捗"), U("分類")});
    list->setRootIsDecorated(false);
    list->header()->resizeSection(1, 180);
    todo->addTab(list, U(tab));
  }
  pnl_todo_ = todo;
  spl_b_->addWidget(todo);

  spl_m_ = new QSplitter(Qt::Horizontal);
  spl_m_->setObjectName(QStringLiteral("SplM"));
  spl_m_->setChildrenCollapsible(false);
  auto* note = new QTabWidget;
  note->setObjectName(QStringLiteral("PnlNote"));
  auto* note_text = new QPlainTextEdit;
  note_text->setObjectName(QStringLiteral("MemNote"));
  note_text->setReadOnly(true);
  note->addTab(note_text, U("ノート"));
  pnl_note_ = note;
  spl_m_->addWidget(note);
  auto* memo = new QTabWidget;
  memo->setObjectName(QStringLiteral("TabMemo"));
  auto* memo_text = new QPlainTextEdit;
  memo_text->setObjectName(QStringLiteral("MemDaily"));
  memo_text->setReadOnly(true);
  memo->addTab(memo_text, QString());
  auto* memo_panel = new QWidget;
  memo_panel->setObjectName(QStringLiteral("PnlMemo"));
  auto* memo_layout = new QVBoxLayout(memo_panel);
  memo_layout->setContentsMargins(0, 0, 0, 0);
  memo_layout->addWidget(memo);
  pnl_memo_ = memo_panel;
  spl_m_->addWidget(memo_panel);
  spl_m_->setStretchFactor(1, 1);
  spl_b_->addWidget(spl_m_);
  spl_b_->setStretchFactor(1, 1);
}

// ---- Menu ------------------------------------------------------------------------------------

void MainLayout::ConnectMenu() {
  auto bind = [this](const char* name, std::function<void()> handler) {
    QAction* a = host_.action(U(name));
    if (a == nullptr) return;
    a->setEnabled(true);
    connect(a, &QAction::triggered, this, [this, handler = std::move(handler)] {
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

// ---- Panels ----------------------------------------------------------------------------------

void MainLayout::ApplyPanels() {
  const bool was = applying_;
  applying_ = true;
  store::ViewModeSettings& v = Current();
  const store::Settings& s = *host_.settings;
  pnl_bottom_->setVisible(v.under_panel);
  pnl_right_->setVisible(v.side_panel);
  sch_list_->setVisible(v.sch_list);
  if (!v.note_panel && !v.memo_panel) v.memo_panel = true;  // a damaged file: one of them stays
  pnl_note_->setVisible(v.note_panel);
  pnl_memo_->setVisible(v.memo_panel);
  side_panels_[0]->setVisible(v.mini_bef && mode_ != kModeMonthly3);
  side_panels_[1]->setVisible(v.mini_cur);
  side_panels_[2]->setVisible(v.mini_nxt && mode_ != kModeMonthly3);
  toolbar_->setVisible(s.view.tool_bar);
  host_.window->statusBar()->setVisible(s.window.status_bar);
  ApplySizes();
  applying_ = was;
}

void MainLayout::ApplySizes() {
  const bool was = applying_;
  applying_ = true;
  const store::ViewModeSettings& v = Current();
  const store::Settings& s = *host_.settings;
  const int total_h = std::max(spl_x_->height(), 1);
  if (v.under_panel) spl_x_->setSizes({v.top_height, std::max(total_h - v.top_height, 40)});
  const int total_w = std::max(spl_h_->width(), 1);
  if (v.side_panel) spl_h_->setSizes({std::max(total_w - v.right_width - spl_h_->handleWidth(), 40), v.right_width});
  if (v.sch_list && !s.view.auto_sch_height) {
    spl_t_->setSizes({s.window.sch_height, std::max(spl_t_->height() - s.window.sch_height, 40)});
  }
  if (v.note_panel && v.memo_panel) spl_m_->setSizes({v.note_width, std::max(spl_m_->width() - v.note_width, 40)});
  spl_b_->setSizes({s.window.todo_width, std::max(spl_b_->width() - s.window.todo_width, 40)});
  for (QWidget* panel : side_panels_) panel->setFixedHeight(std::max(s.window.cal_height, 60));
  applying_ = was;
}

void MainLayout::SplitterMoved(QSplitter* splitter) {
  if (applying_) return;
  store::ViewModeSettings& v = Current();
  store::Settings& s = *host_.settings;
  const QList<int> sizes = splitter->sizes();
  if (sizes.size() < 2) return;
  if (splitter == spl_h_ && v.side_panel) v.right_width = sizes[1];
  else if (splitter == spl_x_ && v.under_panel) v.top_height = sizes[0];
  else if (splitter == spl_m_ && v.memo_panel && v.note_panel) v.note_width = sizes[0];
  else if (splitter == spl_t_ && !s.view.auto_sch_height) s.window.sch_height = sizes[0];
  else if (splitter == spl_b_) s.window.todo_width = sizes[0];
  else if (splitter == spl_c_) {
    int shown = 0;
    for (QWidget* panel : side_panels_) shown += panel->isVisibleTo(pnl_right_) ? 1 : 0;
    if (shown == 0) return;
    s.window.cal_height = std::max(SideCalendarHeight(pnl_right_->height(), sizes[1], spl_c_->handleWidth(), shown), 60);
    for (QWidget* panel : side_panels_) panel->setFixedHeight(s.window.cal_height);
  }
  SetChanged();
}

void MainLayout::UnderPanelClick() {
  store::ViewModeSettings& v = Current();
  if (v.under_panel) v.top_height = pnl_top_->height();
  v.under_panel = !v.under_panel;
  SetChanged();
  ApplyPanels();
}

void MainLayout::SidePanelClick() {
  Current().side_panel = !Current().side_panel;
  SetChanged();
  ApplyPanels();
}

void MainLayout::PanelModeClick() {
  store::ViewModeSettings& v = Current();
  const bool both = v.under_panel && v.side_panel;
  if (v.under_panel && both) v.top_height = pnl_top_->height();
  v.under_panel = !both;
  v.side_panel = !both;
  host_.settings->window.panel_mode = !both;
  SetChanged();
  ApplyPanels();
}

void MainLayout::SchListClick() {
  Current().sch_list = !Current().sch_list;
  SetChanged();
  ApplyPanels();
}

void MainLayout::NotePanelClick() {
  store::ViewModeSettings& v = Current();
  if (v.note_panel && !v.memo_panel) {
    host_.dialogs->Error(kPanelRefusalText, kPanelRefusalCaption);
    return;
  }
  v.note_panel = !v.note_panel;
  SetChanged();
  ApplyPanels();
}

void MainLayout::MemoPanelClick() {
  store::ViewModeSettings& v = Current();
  if (v.memo_panel && !v.note_panel) {
    host_.dialogs->Error(kPanelRefusalText, kPanelRefusalCaption);
    return;
  }
  v.memo_panel = !v.memo_panel;
  SetChanged();
  ApplyPanels();
}

void MainLayout::MiniCalendarClick(int which) {
  store::ViewModeSettings& v = Current();
  bool& flag = which == 0 ? v.mini_bef : which == 1 ? v.mini_cur : v.mini_nxt;
  flag = !flag;
  SetChanged();
  ApplyPanels();
  PaintSideCalendars();
}

void MainLayout::ToolBarClick() {
  host_.settings->view.tool_bar = !host_.settings->view.tool_bar;
  SetChanged();
  ApplyPanels();
}

void MainLayout::StatusBarClick() {
  host_.settings->window.status_bar = !host_.settings->window.status_bar;
  SetChanged();
  ApplyPanels();
}

void MainLayout::SatSunClick() {
  Current().sat_sun = !Current().sat_sun;
  SetChanged();
  SizeChange();
}

void MainLayout::SatSunNoClick() {
  Current().sat_sun_no = !Current().sat_sun_no;
  SetChanged();
  SchUpdate();
}

void MainLayout::AutoWidthClick() {
  Current().auto_width = !Current().auto_width;
  SetChanged();
  SizeChange();
}

void MainLayout::CrClick() {
  Current().cr = !Current().cr;
  if (mode_ <= kModeVertical) Current().auto_width = false;
  SetChanged();
  SchUpdate();
}

void MainLayout::LinePitchClick(int pitch) {
  Current().line_pitch = std::clamp(pitch, 1, 8);
  SetChanged();
  SchUpdate();
}

void MainLayout::CountClick(int count) {
  SetModeCount(*host_.settings, mode_, count);
  SetChanged();
  GridCheck();
  SchUpdate();
}

void MainLayout::SizeResetCurrent() {
  store::ViewModeSettings& v = Current();
  v.top_height = kSizeTop;
  v.right_width = kSizeRight;
  v.note_width = kSizeNote;
  store::Settings& s = *host_.settings;
  if (!s.view.auto_sch_height) s.window.sch_height = kSizeSchList;
  s.window.todo_width = kSizeTodo;
  s.window.cal_height = kSizeCalendar;
  s.window.width = 920;
  s.window.height = 680;
  host_.window->showNormal();
  host_.window->resize(920, 680);
  SetChanged();
  ApplyPanels();
}

void MainLayout::SizeResetAll() {
  for (store::ViewModeSettings& v : host_.settings->views) {
    v.top_height = kSizeTop;
    v.right_width = kSizeRight;
    v.note_width = kSizeNote;
  }
  SizeResetCurrent();
}

// ---- Navigation ------------------------------------------------------------------------------

void MainLayout::SetSelectedDate(const Date& date) {
  selected_ = date;
  if (host_.on_selected) host_.on_selected(selected_);
  displayed_year_ = store::YearOf(date);
  displayed_month_ = store::MonthOf(date);
  anchor_day_ = store::DayOf(date);
  SchUpdate();
}

// The period caption's font and colour (`MonthlyBarFont`); the step buttons' arrows take the colour.
void MainLayout::ApplyBarFont() {
  const std::optional<BarFont> bar = MonthlyBarFont(host_.settings->view);
  if (!bar) return;
  QFont font(Q(bar->name));
  if (bar->size > 0) font.setPointSize(bar->size);
  font.setBold((bar->style & 1) != 0);
  font.setItalic((bar->style & 2) != 0);
  font.setUnderline((bar->style & 4) != 0);
  font.setStrikeOut((bar->style & 8) != 0);
  const QColor colour = catalogues::BgrColour(bar->colour);
  for (int i = 0; i < 5; ++i) {
    QToolButton* button = nav_->buttons[i];
    if (i == 2) button->setFont(font);
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, colour);
    button->setPalette(p);
  }
}

NavState MainLayout::Nav() const {
  const int day = std::min(anchor_day_, store::DaysInMonth(displayed_year_, displayed_month_));
  return NavState{store::MakeDate(displayed_year_, displayed_month_, std::max(day, 1)), selected_};
}

NavContext MainLayout::NavShape() const { return NavContextOf(*host_.settings, mode_, false); }

void MainLayout::ApplyNav(const NavState& state) {
  selected_ = state.selected;
  displayed_year_ = store::YearOf(state.displayed);
  displayed_month_ = store::MonthOf(state.displayed);
  anchor_day_ = store::DayOf(state.displayed);
  if (host_.on_selected) host_.on_selected(selected_);
  SchUpdate();
  grid_->setFocus();
}

void MainLayout::StepPeriod(int direction, bool years) {
  const NavContext shape = NavShape();
  if (years) {
    if (auto next = YearStep(shape, Nav(), direction)) ApplyNav(*next);
    return;
  }
  ApplyNav(PeriodStep(shape, Nav(), direction));
}

void MainLayout::NowPeriod() { ApplyNav(TodayState(host_.clock->Now().date)); }

void MainLayout::JumpClick() {
  if (auto chosen = TDlgJump::Choose(host_.clock->Now().date, host_.window)) ApplyNav(JumpState(*chosen));
}

void MainLayout::RefreshClick() {
  SchUpdate();
  grid_->setFocus();
}

void MainLayout::DaySchEdit() {
  const store::Settings& s = *host_.settings;
  const platform::LocalDateTime now = host_.clock->Now();
  if (auto* status = host_.window->findChild<QLabel*>(QStringLiteral("SbrPanel0")))
    status->setText(Q(StatusBarEdit(s, selected_, now.date)));
  if (ltv_sch_list_ == nullptr || !Current().sch_list) return;
  const CellDay day = days_.day ? days_.day(selected_) : CellDay{};
  DayListInput in;
  in.entries = &day.entries;
  in.selected = selected_;
  in.today = now.date;
  in.now_minutes = now.hour * 60 + now.minute;
  try {
    in.alarm_offsets = host_.table_folder.empty() ? catalogues::DefaultAlarmOffsets()
                                                  : catalogues::LoadAlarmOffsets(*host_.files, host_.table_folder);
  } catch (const store::FileError&) {
    in.alarm_offsets = catalogues::DefaultAlarmOffsets();
  }
  in.alarm_icon_item = ItemOn(Current().item_view, 8);
  in.sch_color = s.view.sch_color;
  in.categories = categories_;
  in.colours = s.color;
  ltv_sch_list_->SetCategoryIcons(icons_);
  const std::vector<SchListRow> rows = SchListRows(in);
  ltv_sch_list_->Fill(rows, SchListBackground(day.kind, day.day_line, s.color));
  if (s.view.auto_sch_height && spl_t_ != nullptr) {
    const QList<int> sizes = spl_t_->sizes();
    const int total = sizes.size() == 2 ? sizes[0] + sizes[1] : 0;
    if (total > 0) {
      const int height = SchListHeight(ltv_sch_list_->RowHeight(), static_cast<int>(rows.size()),
                                       ltv_sch_list_->NeededHeight(), total);
      if (height != sizes[0]) spl_t_->setSizes({height, total - height});
    }
  }
}

void MainLayout::DeleteSelectedEntry() {
  const SchListRow* row = ltv_sch_list_ != nullptr ? ltv_sch_list_->SelectedRow() : nullptr;
  if (row == nullptr) return;
  const CellDay day = days_.day ? days_.day(selected_) : CellDay{};
  if (row->entry_position >= day.entries.size()) return;
  DeleteEntry(day.entries[row->entry_position]);
}

std::optional<std::string> MainLayout::EntryAt(int row, int column, int line) const {
  const auto& cells = grid_->Picture().cells;
  if (row < 0 || column < 0 || line < 0 || static_cast<std::size_t>(row) >= cells.size() ||
      static_cast<std::size_t>(column) >= cells[static_cast<std::size_t>(row)].size())
    return std::nullopt;
  const CellContents& cell = cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  if (static_cast<std::size_t>(line) >= cell.lines.size()) return std::nullopt;
  const DayEntry& e = cell.lines[static_cast<std::size_t>(line)].entry;
  if (e.key.empty()) return std::nullopt;
  return e.key + e.kind + e.index + e.payload;
}

QMenu* MainLayout::BuildGridPopup(const QPoint& point) {
  int row = -1, column = -1, line = -2;
  std::optional<std::string> entry;
  if (grid_->CellAt(point, &row, &column)) {
    const auto& dates = grid_->Picture().dates;
    const auto& cells = grid_->Picture().cells;
    const bool blank = cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].blank;
    if (!blank && static_cast<std::size_t>(row) < dates.size() &&
        static_cast<std::size_t>(column) < dates[static_cast<std::size_t>(row)].size()) {
      if (const auto& date = dates[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]) {
        if (*date != selected_) {
          selected_ = *date;
          if (host_.on_selected) host_.on_selected(selected_);
          grid_->SetSelected(row, column);
          PaintSideCalendars();
          RefreshMemo();
          DaySchEdit();
        }
      }
    }
    int r = 0, c = 0;
    if (grid_->LineAt(point, &r, &c, &line) && r == row && c == column) entry = EntryAt(row, column, line);
  }
  const CellDay day = days_.day ? days_.day(selected_) : CellDay{};
  PopGrdInput input;
  input.item = entry && entry->size() > 2 ? ItemKindOf((*entry)[2]) : ItemKind::None;
  input.day_has_memo = day.memo;
  auto* menu = new QMenu(grid_);
  menu->setObjectName(QStringLiteral("PopGrd"));
  // The commands that exist so far; the others show their rule but stay disabled.
  const QStringList working = {QStringLiteral("PopSchAdd"), QStringLiteral("PopSchRep"), QStringLiteral("PopDelete")};
  int index = 0;
  for (const MenuItemState& state : PopGrdItems(input)) {
    if (index == 3 || index == 4 || index == 7 || index == 9 || index == 10 || index == 14 || index == 17)
      menu->addSeparator();
    ++index;
    QAction* a = menu->addAction(Q(state.caption));
    const QString name = Q(state.name);
    a->setObjectName(name);
    if (!state.shortcut.empty()) a->setShortcut(QKeySequence(Q(state.shortcut)));
    a->setVisible(state.visible);
    const bool deletable = state.name != "PopDelete" || input.item == ItemKind::Schedule || input.item == ItemKind::Holiday;
    a->setEnabled(state.enabled && working.contains(name) && deletable);
    if (state.name == "PopSchAdd") {
      connect(a, &QAction::triggered, this, [this] {
        if (host_.on_edit_entry) host_.on_edit_entry(std::nullopt);
      });
    } else if (state.name == "PopSchRep" && entry) {
      connect(a, &QAction::triggered, this, [this, e = *entry] {
        if (host_.on_edit_entry) host_.on_edit_entry(e);
      });
    } else if (state.name == "PopDelete" && entry) {
      connect(a, &QAction::triggered, this, [this, e = *entry] { DeleteEntry(e); });
    }
  }
  return menu;
}

void MainLayout::DeleteEntry(const std::string& entry) {
  DeleteResult result = DeleteResult::NotHandled;
  try {
    result = DeleteDayEntry(*host_.files, *host_.dialogs, host_.data_folder, entry, selected_,
                            host_.settings->view.del_msg);
  } catch (const store::FileError& e) {
    host_.dialogs->Error(e.what(), "エラー");
    return;
  }
  if (result == DeleteResult::Deleted || result == DeleteResult::Stale) SchUpdate();
}

// ---- List area -------------------------------------------------------------------------------

void MainLayout::ShowList(int which) {
  list_shown_ = std::clamp(which, 0, 2);
  list_buttons_[static_cast<std::size_t>(list_shown_)]->setChecked(true);
  RefreshList();
}

void MainLayout::RefreshList() {
  const bool was = applying_;
  applying_ = true;
  lst_cat_->clear();
  if (plain_delegate_ == nullptr) plain_delegate_ = new QStyledItemDelegate(lst_cat_);
  lst_cat_->setItemDelegate(plain_delegate_);
  if (list_shown_ == 1) {
    const std::string& flags = Current().item_view;
    for (int item : ListedDisplayItems(mode_)) {
      auto* row = new QListWidgetItem(U(DisplayItemCaptions()[static_cast<std::size_t>(item)]), lst_cat_);
      row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      row->setCheckState(ItemOn(flags, item) ? Qt::Checked : Qt::Unchecked);
      row->setData(Qt::UserRole, item);
    }
  } else if (list_shown_ == 0 && categories_ != nullptr) {
    if (category_delegate_ != nullptr) {
      category_delegate_->SetShowIcons(host_.settings->view.cat_icon != 0);
      lst_cat_->setItemDelegate(category_delegate_);
    }
    for (std::size_t i = 0; i < categories_->size(); ++i) {
      auto* row = new QListWidgetItem(Q(categories_->Entry(i).name), lst_cat_);
      row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
      row->setCheckState(categories_->Entry(i).checked ? Qt::Checked : Qt::Unchecked);
      row->setData(Qt::UserRole, static_cast<int>(i));
      row->setData(catalogues::kCategoryLineRole, catalogues::CategoryLineData(categories_->lines()[i]));
    }
    lst_cat_->setEnabled(catalogues::CategoryListEnabled(host_.settings->view.catchk));
  } else if (list_shown_ == 2) {
    lst_cat_->setEnabled(true);
    for (const std::string& name : app::FolderSetNames(*host_.files, host_.program_folder)) {
      new QListWidgetItem(Q(name), lst_cat_);
    }
  }
  if (list_shown_ != 0) lst_cat_->setEnabled(true);
  applying_ = was;
}

// The day memo of the selected date in the under panel.
void MainLayout::RefreshMemo() {
  if (auto* memo = host_.central->findChild<QTabWidget*>(QStringLiteral("TabMemo"))) {
    memo->setTabText(0, Q(store::FormatDatePattern(host_.settings->memo.daily_title, selected_)));
    std::vector<std::string> lines;
    try {
      lines = store::LoadTextLines(*host_.files, host_.memo_folder + store::FormatDatePattern("yyyymmdd", selected_) + ".mem");
    } catch (const store::FileError&) {
    }
    QStringList text;
    for (const std::string& l : lines) text << Q(l);
    if (auto* edit = memo->findChild<QPlainTextEdit*>(QStringLiteral("MemDaily"))) edit->setPlainText(text.join('\n'));
  }
}

// ---- Grids -----------------------------------------------------------------------------------

void MainLayout::SetDaySource(DaySource source) {
  days_ = std::move(source);
  SchUpdate();
}

void MainLayout::SetCategories(catalogues::CategoryTable* table, const catalogues::CategoryIcons* icons) {
  categories_ = table;
  icons_ = icons;
  if (plain_delegate_ == nullptr) plain_delegate_ = new QStyledItemDelegate(lst_cat_);
  lst_cat_->setItemDelegate(plain_delegate_);
  delete category_delegate_;
  category_delegate_ = new catalogues::CategoryCellDelegate(icons_, catalogues::kCellIconLeftList, lst_cat_);
  grid_->SetSources(host_.settings, icons);
  for (QtCalendarGrid* g : side_grids_) g->SetSources(host_.settings, icons);
  RefreshList();
  SchUpdate();
}

void MainLayout::SchUpdate() {
  // The month-based views hold the months of the displayed month (the month view its neighbours,
  // whichever day of the first or last week row is selected; the month-row views from their first
  // row); the day-based views the months around their first shown day.
  const Date model_date = mode_ >= kModeMonthly ? store::MakeDate(displayed_year_, displayed_month_, 1) : Nav().displayed;
  if (days_.reload) days_.reload(mode_, model_date, ModeCount(*host_.settings, mode_));
  PaintMainGrid();
  PaintSideCalendars();
  RefreshList();
  RefreshMemo();
  DaySchEdit();
}

void MainLayout::SizeChange() { PaintMainGrid(); }

std::string MainLayout::PeriodCaption() const {
  const store::Settings& s = *host_.settings;
  CaptionInput input;
  input.weekly_bar_form = s.view.weekly_bar_form;
  input.monthly_bar_form = s.view.monthly_bar_form;
  return SchHeader(NavShape(), Nav(), input);
}

void MainLayout::PaintMainGrid() {
  const store::Settings& s = *host_.settings;
  const store::ViewModeSettings& v = Current();
  const std::string& flags = v.item_view;
  const platform::LocalDateTime now = host_.clock->Now();
  const int str_week = s.view.str_week == 0 ? 0 : 1;
  const bool day_numbers = mode_ >= kModeYearly && ItemOn(flags, kItemDayNumber);  // "日にち": no header row
  const GridShape shape = ShapeFor(mode_, s, displayed_year_, displayed_month_, day_numbers);
  GridPicture picture;
  picture.fixed_columns = shape.fixed_columns;
  shown_dates_.clear();

  CellContext ctx;
  ctx.settings = &s;
  ctx.mode = mode_;
  ctx.today = now.date;
  ctx.now_minutes = now.hour * 60 + now.minute;
  ctx.displayed_year = displayed_year_;
  ctx.displayed_month = displayed_month_;
  ctx.categories = categories_;

  const int data_rows = shape.rows - shape.fixed_rows;
  int selected_row = -1;
  int selected_column = -1;
  if (mode_ <= kModeMonthly) {
    const DateTable table = BuildDateTable(mode_, displayed_year_, displayed_month_, store::DayOf(Nav().displayed),
                                           mode_ <= kModeVertical ? 1 : data_rows, str_week, false,
                                           ModeCount(s, kModeDaily));
    const int columns = shape.day_columns;
    for (int c = 0; c < columns; ++c) {
      const int position = mode_ == kModeDaily ? c : ColumnPosition(c, v.sat_sun_no, str_week);
      const int weekday = mode_ == kModeDaily ? store::WeekdayNumber(table.rows[0][static_cast<std::size_t>(c)])
                                              : WeekdayAtPosition(position, str_week);
      picture.headers.push_back(BuildHeaderCell(weekday, s, false));
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      std::vector<CellContents> row;
      std::vector<Date> dates;
      std::vector<std::optional<Date>> opt;
      for (int c = 0; c < columns; ++c) {
        const int position = mode_ == kModeDaily ? c : ColumnPosition(c, v.sat_sun_no, str_week);
        const Date date = table.rows[r][static_cast<std::size_t>(position)];
        CellDay day = days_.day ? days_.day(date) : CellDay{};
        day.date = date;
        if (!days_.day) {
          const int wd = store::WeekdayNumber(date);
          day.kind = wd == 1 ? 7 : wd == 7 ? 6 : 8;
        }
        ctx.first_cell = r == 0 && c == 0;
        row.push_back(BuildCell(day, ctx));
        dates.push_back(date);
        opt.emplace_back(date);
        if (date == selected_) {
          selected_row = static_cast<int>(r);
          selected_column = c;
        }
      }
      picture.cells.push_back(std::move(row));
      picture.dates.push_back(std::move(opt));
      shown_dates_.push_back(std::move(dates));
      if (shape.timeline) {
        picture.row_labels.push_back("");  // the time axis: its hours come with the timeline
      } else if (shape.fixed_columns > 0) {
        picture.row_labels.push_back(std::to_string(
            RowWeekNumber(table.rows[r].front(), table.rows[r].back(), s.view_mode(kModeMonthly).week_of, str_week)));
      }
    }
  } else {
    // Modes 5 to 8: one row (or column) per month or year, one cell per day number.
    const bool vertical = mode_ == kModeYearly2;
    const int months = vertical ? 12 : data_rows;
    const int day_count = vertical ? 31 : shape.day_columns;
    auto month_of = [&](int i) {
      switch (mode_) {
        case kModeMonthly2: return store::AddMonths(store::MakeDate(displayed_year_, displayed_month_, 1), i);
        case kModeMonthly3: return store::MakeDate(displayed_year_ - i, displayed_month_, 1);
        default: return store::MakeDate(displayed_year_, i + 1, 1);
      }
    };
    std::vector<std::vector<std::optional<Date>>> grid(static_cast<std::size_t>(vertical ? 31 : months));
    for (int m = 0; m < months; ++m) {
      const Date first = month_of(m);
      const int days = store::DaysInMonth(store::YearOf(first), store::MonthOf(first));
      for (int d = 1; d <= day_count; ++d) {
        std::optional<Date> date;
        if (d <= days) date = store::MakeDate(store::YearOf(first), store::MonthOf(first), d);
        if (vertical) grid[static_cast<std::size_t>(d - 1)].push_back(date);
        else grid[static_cast<std::size_t>(m)].push_back(date);
      }
    }
    const int columns = vertical ? 12 : day_count;
    for (int c = 0; c < columns; ++c) {
      HeaderCell h;
      const store::ColourPair& pair = s.color.dyh;
      h.text_colour = pair.text;
      h.back_colour = pair.back;
      h.japanese = true;
      h.text = vertical ? std::to_string(c + 1) + "月" : std::to_string(c + 1);
      picture.headers.push_back(h);
    }
    for (std::size_t r = 0; r < grid.size(); ++r) {
      std::vector<CellContents> row;
      std::vector<Date> dates;
      for (std::size_t c = 0; c < grid[r].size(); ++c) {
        CellDay day;
        if (grid[r][c]) {
          day = days_.day ? days_.day(*grid[r][c]) : CellDay{};
          day.date = grid[r][c];
          if (!days_.day) {
            const int wd = store::WeekdayNumber(*grid[r][c]);
            day.kind = wd == 1 ? 7 : wd == 7 ? 6 : 8;
          }
        } else {
          day.kind = 9;
        }
        ctx.displayed_year = grid[r][c] ? store::YearOf(*grid[r][c]) : displayed_year_;
        ctx.displayed_month = grid[r][c] ? store::MonthOf(*grid[r][c]) : displayed_month_;
        CellContents cell = BuildCell(day, ctx);
        cell.date_text = grid[r][c] && mode_ >= kModeYearly && ItemOn(flags, kItemDayNumber) ? cell.date_text : "";
        row.push_back(std::move(cell));
        dates.push_back(grid[r][c].value_or(Date{}));
        if (grid[r][c] && *grid[r][c] == selected_) {
          selected_row = static_cast<int>(r);
          selected_column = static_cast<int>(c);
        }
      }
      picture.cells.push_back(std::move(row));
      picture.dates.push_back(grid[r]);
      shown_dates_.push_back(std::move(dates));
      if (vertical) {
        picture.row_labels.push_back(std::to_string(r + 1));
      } else {
        const Date first = month_of(static_cast<int>(r));
        picture.row_labels.push_back(mode_ == kModeMonthly3 ? std::to_string(store::YearOf(first))
                                                            : std::to_string(store::MonthOf(first)) + "月");
      }
    }
  }

  // Sizes.
  ColumnInput columns;
  columns.width = grid_->width();
  columns.fixed_width = shape.fixed_width;
  columns.fixed_columns = shape.fixed_columns;
  columns.day_columns = static_cast<int>(picture.headers.size());
  const bool week_modes = mode_ >= kModeVertical && mode_ <= kModeMonthly;
  columns.half_week_ends = week_modes && v.sat_sun && !v.sat_sun_no;
  if (columns.half_week_ends) {
    columns.saturday_column = str_week == 0 ? 6 : 5;
    columns.sunday_column = str_week == 0 ? 0 : 6;
  }
  picture.column_widths = ColumnWidths(columns);
  picture.row_heights = RowHeights(grid_->height(), shape.header_height, static_cast<int>(picture.cells.size()) + 1);
  // Automatic row height: the cell under the mouse (with tooltips on), else the selected cell.
  int tall_row = selected_row;
  int tall_column = selected_column;
  if (s.view.mouse_tip && grid_->HoverRow() >= 0 && grid_->HoverRow() < static_cast<int>(picture.cells.size())) {
    tall_row = grid_->HoverRow();
    tall_column = grid_->HoverColumn();
  }
  if (mode_ >= kModeWeekly && tall_row >= 0) {
    const int needed = grid_->NeededHeight(tall_row, tall_column);
    if (needed > picture.row_heights[static_cast<std::size_t>(tall_row + 1)] && picture.cells.size() >= 2) {
      picture.row_heights = AutoRowHeights(grid_->height(), shape.header_height, static_cast<int>(picture.cells.size()) + 1,
                                           tall_row + 1, needed, mode_ == kModeYearly || mode_ == kModeYearly2);
    }
  }
  if (mode_ >= kModeWeekly && selected_row >= 0) {
    if (v.auto_width && !v.cr && grid_->WidestSelectedItem() >
                                     picture.column_widths[static_cast<std::size_t>(selected_column + shape.fixed_columns)]) {
      picture.column_widths = AutoColumnWidths(columns, selected_column, grid_->WidestSelectedItem());
    }
  }
  grid_->SetPicture(std::move(picture));
  grid_->SetSelected(selected_row, selected_column);
  nav_->SetCaption(Q(PeriodCaption()));
  nav_->setPalette(QPalette(catalogues::BgrColour(s.color.vhd.back)));
}

void MainLayout::PaintSideCalendars() {
  const store::Settings& s = *host_.settings;
  const int str_week = s.view.str_week == 0 ? 0 : 1;
  const platform::LocalDateTime now = host_.clock->Now();
  for (int i = 0; i < 3; ++i) {
    QtCalendarGrid* grid = side_grids_[static_cast<std::size_t>(i)];
    if (!grid->isVisibleTo(pnl_right_)) continue;
    const Date first = store::AddMonths(store::MakeDate(displayed_year_, displayed_month_, 1), i - 1);
    const int year = store::YearOf(first);
    const int month = store::MonthOf(first);
    side_bars_[static_cast<std::size_t>(i)]->setText(Q(calendar::MonthHeading("", year, month, true)));
    const DateTable table = BuildDateTable(kModeMonthly, year, month, 1, 6, str_week, true);
    GridPicture picture;
    picture.mini = true;
    CellContext ctx;
    ctx.settings = &s;
    ctx.mode = kModeMonthly;
    ctx.mini = true;
    ctx.today = now.date;
    ctx.displayed_year = year;
    ctx.displayed_month = month;
    for (int c = 0; c < 7; ++c) picture.headers.push_back(BuildHeaderCell(WeekdayAtPosition(c, str_week), s, true));
    for (const auto& week : table.rows) {
      std::vector<CellContents> row;
      std::vector<std::optional<Date>> dates;
      for (const Date& date : week) {
        CellDay day;
        const bool in_month = store::MonthOf(date) == month;
        if (in_month) {
          day = days_.day ? days_.day(date) : CellDay{};
          day.date = date;
          if (!days_.day) {
            const int wd = store::WeekdayNumber(date);
            day.kind = wd == 1 ? 7 : wd == 7 ? 6 : 8;
          }
        } else {
          day.kind = 9;
        }
        CellContents cell = BuildCell(day, ctx);
        if (!in_month) cell.back_colour = s.color.day.back;
        row.push_back(std::move(cell));
        dates.emplace_back(in_month ? std::optional<Date>(date) : std::nullopt);
      }
      picture.cells.push_back(std::move(row));
      picture.dates.push_back(std::move(dates));
    }
    ColumnInput columns;
    columns.width = grid->width();
    columns.mini = true;
    picture.column_widths = ColumnWidths(columns);
    const std::vector<int> rows = SideCalendarRowHeights(grid->height(), 0, 7);
    picture.row_heights = rows;
    grid->SetPicture(std::move(picture));
    int sel_row = -1;
    int sel_col = -1;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
      for (std::size_t c = 0; c < 7; ++c) {
        if (table.rows[r][c] == selected_) {
          sel_row = static_cast<int>(r);
          sel_col = static_cast<int>(c);
        }
      }
    }
    grid->SetSelected(sel_row, sel_col);
  }
}

}  // namespace kal::mainwindow
