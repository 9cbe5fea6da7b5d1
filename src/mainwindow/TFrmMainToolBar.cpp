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

namespace kal::mainwindow {

using namespace layout_parts;

namespace {

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

}  // namespace

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

std::vector<std::string> ToolButtonCaptions() {
  std::vector<std::string> captions;
  // The view-mode buttons by the names of their modes (menu order 1 to 8).
  static const char* const kModes[] = {"複数日バーチカル", "週間バーチカル", "複数週間", "月間",
                                       "年間横表示",       "複数月",         "複数年同月", "年間縦表示"};
  for (const ToolRow& row : kToolRows) {
    const std::string caption = row.caption;
    if (caption.size() == 2 && caption[0] == '#') captions.push_back(kModes[caption[1] - '1']);
    else captions.push_back(caption);
  }
  return captions;
}

}  // namespace kal::mainwindow
