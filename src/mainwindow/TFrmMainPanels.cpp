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

#include "mainwindow/TFrmMainParts.h"
#include "todo/QtTodoPanel.h"

namespace kal::mainwindow {

using namespace layout_parts;

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
    // `GrdCalClick`: the clicked day becomes the displayed and the selected date.
    connect(grid, &QtCalendarGrid::CellClicked, this, [this, grid](int row, int column) {
      const auto& dates = grid->Picture().dates;
      if (row < 0 || row >= static_cast<int>(dates.size()) || column < 0 ||
          column >= static_cast<int>(dates[static_cast<std::size_t>(row)].size()))
        return;
      if (const auto& date = dates[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)])
        ApplyNav(NavState{*date, *date});
    });
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

  // The ToDo panel; the window attaches it to the ToDo list (TFrmMain::TodoAttach).
  todo_panel_ = new todo::QtTodoPanel;
  pnl_todo_ = todo_panel_;
  spl_b_->addWidget(todo_panel_);

  spl_m_ = new QSplitter(Qt::Horizontal);
  spl_m_->setObjectName(QStringLiteral("SplM"));
  spl_m_->setChildrenCollapsible(false);
  if (host_.note_panel != nullptr) {
    pnl_note_ = host_.note_panel;
  } else {
    auto* note = new QTabWidget;
    note->setObjectName(QStringLiteral("PnlNote"));
    auto* note_text = new QPlainTextEdit;
    note_text->setObjectName(QStringLiteral("MemNote"));
    note_text->setReadOnly(true);
    note->addTab(note_text, U("ノート"));
    pnl_note_ = note;
  }
  spl_m_->addWidget(pnl_note_);
  if (host_.memo_panel != nullptr) {
    pnl_memo_ = host_.memo_panel;
  } else {
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
  }
  spl_m_->addWidget(pnl_memo_);
  spl_m_->setStretchFactor(1, 1);
  spl_b_->addWidget(spl_m_);
  spl_b_->setStretchFactor(1, 1);
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

}  // namespace kal::mainwindow
