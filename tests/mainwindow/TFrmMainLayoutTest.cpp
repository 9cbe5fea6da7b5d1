#include "mainwindow/TFrmMainLayout.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include "app/DemoFolder.h"
#include "app/TFrmMain.h"
#include "mainwindow/Layout.h"
#include "mainwindow/QtCalendarGrid.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/IniFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::mainwindow {
namespace {

class TFrmMainLayoutTest : public ::testing::Test {
 protected:
  std::unique_ptr<app::TFrmMain> Make() {
    app::Session session = app::ReadSession(dir.path(), app::kDefaultFontName, files, clock.Now().date).session;
    return std::make_unique<app::TFrmMain>(app::MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
  }
  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 8, 20), 9, 0, 0}};
};

TEST_F(TFrmMainLayoutTest, HidingBothMemoAndNotesIsRefused) {
  auto w = Make();
  store::ViewModeSettings& v = const_cast<store::Settings&>(w->session().settings).view_mode(4);
  v.under_panel = true;
  v.note_panel = true;
  v.memo_panel = true;
  w->Layout()->GridCheck();
  w->Action(QStringLiteral("MenNotePanel"))->trigger();
  EXPECT_FALSE(v.note_panel);
  EXPECT_TRUE(dialogs.shown.empty());
  w->Action(QStringLiteral("MenMemoPanel"))->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "メモ欄とノートを同時に非表示することはできません。");
  EXPECT_EQ(dialogs.shown[0].caption, "エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_TRUE(v.memo_panel);  // nothing changed
  EXPECT_TRUE(w->Action(QStringLiteral("MenMemoPanel"))->isChecked());
}

TEST_F(TFrmMainLayoutTest, PanelModeShowsBothWhenOneIsHidden) {
  auto w = Make();
  store::ViewModeSettings& v = const_cast<store::Settings&>(w->session().settings).view_mode(4);
  v.under_panel = false;
  v.side_panel = true;
  w->Layout()->GridCheck();
  EXPECT_FALSE(w->Action(QStringLiteral("MenPanelMode"))->isChecked());
  EXPECT_FALSE(w->Action(QStringLiteral("MenNotePanel"))->isEnabled());  // only with the under panel
  w->Action(QStringLiteral("MenPanelMode"))->trigger();
  EXPECT_TRUE(v.under_panel);
  EXPECT_TRUE(v.side_panel);
  EXPECT_TRUE(w->Action(QStringLiteral("MenPanelMode"))->isChecked());
  EXPECT_TRUE(w->Action(QStringLiteral("MenNotePanel"))->isEnabled());
  w->Action(QStringLiteral("MenSidePanel"))->trigger();
  EXPECT_FALSE(w->Action(QStringLiteral("MenPanelMode"))->isChecked());
  EXPECT_FALSE(w->Action(QStringLiteral("MenMiniCur"))->isEnabled());  // side calendars need the side panel
  EXPECT_TRUE(w->session().layout_changed);
}

TEST_F(TFrmMainLayoutTest, ModeChangeAppliesTheModesLayoutAndCountMenu) {
  auto w = Make();
  EXPECT_EQ(w->Layout()->Mode(), 4);
  QMenu* count = w->Menu(QStringLiteral("MenCount"));
  EXPECT_EQ(count->title(), QStringLiteral("表示週数(&I)"));
  ASSERT_EQ(count->actions().size(), 2);
  EXPECT_EQ(count->actions()[0]->objectName(), QStringLiteral("PopWek5"));
  EXPECT_TRUE(count->actions()[0]->isChecked());
  w->Action(QStringLiteral("MenMonthly2"))->trigger();
  EXPECT_EQ(w->Layout()->Mode(), 6);
  EXPECT_EQ(w->session().settings.window.grid_mode, 6);
  EXPECT_EQ(count->title(), QStringLiteral("表示月数(&I)"));
  EXPECT_EQ(count->actions().size(), 12);
  EXPECT_EQ(w->Action(QStringLiteral("MenNowMonth"))->text(), QStringLiteral("今月(&H)"));
  EXPECT_FALSE(w->Action(QStringLiteral("MenSatSun"))->isEnabled());  // week ends only in modes 2 to 4
  w->Action(QStringLiteral("MenYearly"))->trigger();
  EXPECT_FALSE(count->menuAction()->isVisible());
  EXPECT_EQ(w->Action(QStringLiteral("MenNowMonth"))->text(), QStringLiteral("今年(&H)"));
  EXPECT_FALSE(w->Action(QStringLiteral("MenNextYear"))->isVisible());
  EXPECT_EQ(w->Layout()->ViewsShown()[5], true);
  EXPECT_EQ(w->Layout()->ViewsShown()[2], false);
  // Choosing a count stores it and re-applies the mode.
  w->Action(QStringLiteral("MenWeekly"))->trigger();
  count->actions()[3]->trigger();  // "4"
  EXPECT_EQ(w->session().settings.view_mode(3).week_no, 4);
  EXPECT_EQ(w->Layout()->Grid()->Picture().cells.size(), 4u);
}

TEST_F(TFrmMainLayoutTest, TheMonthGridShowsTheMonthFromMonday) {
  auto w = Make();
  w->resize(1000, 800);
  w->show();
  const GridPicture& picture = w->Layout()->Grid()->Picture();
  // August 2026 needs six weeks from Monday 27 July.
  ASSERT_EQ(picture.cells.size(), 6u);
  ASSERT_EQ(picture.dates[0].size(), 7u);
  EXPECT_EQ(*picture.dates[0][0], store::MakeDate(2026, 7, 27));
  EXPECT_EQ(picture.headers[0].text, "月曜日");
  EXPECT_EQ(picture.row_labels.size(), 6u);
  EXPECT_EQ(w->Layout()->Grid()->SelectedRow(), 3);  // the 20th
  // Hidden week ends leave five columns, Monday first.
  w->Action(QStringLiteral("MenSatSunNo"))->trigger();
  EXPECT_EQ(w->Layout()->Grid()->Picture().headers.size(), 5u);
  EXPECT_EQ(w->Layout()->Grid()->Picture().headers[0].text, "月曜日");
  EXPECT_FALSE(w->Action(QStringLiteral("MenSatSun"))->isEnabled());
}

TEST_F(TFrmMainLayoutTest, ACellWhoseItemsDoNotFitRaisesItsRow) {
  app::BuildDemoFolder(files, dir.path(), store::MakeDate(2026, 8, 20));  // five schedules on the 18th
  auto w = Make();
  w->resize(760, 400);
  w->show();
  ASSERT_TRUE(test::WaitUntil([&] { return !w->Initialising(); }));
  const_cast<store::Settings&>(w->session().settings).view.mouse_tip = false;
  w->SetSelectedDate(store::MakeDate(2026, 8, 18));
  QtCalendarGrid* grid = w->Layout()->Grid();
  grid->repaint();
  const int row = grid->SelectedRow() + 1;
  ASSERT_EQ(row, 4);  // the week of 17 August
  // The plain shares would cut the day's lines; its row is raised to what they need, the others
  // give way, and every row stays inside the grid.
  const std::vector<int> plain = RowHeights(grid->height(), kHeaderHeight, 7);
  const int needed = grid->NeededHeight(row - 1, grid->SelectedColumn());
  ASSERT_GT(needed, plain[static_cast<std::size_t>(row)]);
  const std::vector<int>& heights = grid->Picture().row_heights;
  EXPECT_EQ(heights[static_cast<std::size_t>(row)], needed + 2);
  EXPECT_LT(heights[1], plain[1]);
  int total = 0;
  for (int h : heights) total += h;
  EXPECT_LE(total, grid->height());
  // A selected day whose lines fit gives the plain shares back.
  w->SetSelectedDate(store::MakeDate(2026, 8, 5));
  grid->repaint();
  w->Layout()->SizeChange();
  EXPECT_EQ(grid->Picture().row_heights, plain);
}

TEST_F(TFrmMainLayoutTest, AMonthViewReloadKeepsTheNextMonthWhenAPreviousMonthDayIsSelected) {
  app::BuildDemoFolder(files, dir.path(), store::MakeDate(2026, 8, 20));  // "キックオフ" on 2 September
  auto w = Make();
  QtCalendarGrid* grid = w->Layout()->Grid();
  grid->SetSelected(0, 0);
  emit grid->CellClicked(0, 0);  // 27 July, in the first row of August
  EXPECT_EQ(w->SelectedDate(), store::MakeDate(2026, 7, 27));
  w->Layout()->SchUpdate();
  const GridPicture& picture = grid->Picture();
  ASSERT_EQ(*picture.dates[5][2], store::MakeDate(2026, 9, 2));
  bool kick_off = false;
  for (const CellLine& line : picture.cells[5][2].lines) kick_off = kick_off || line.text == "10:00 キックオフ";
  EXPECT_TRUE(kick_off);
  EXPECT_EQ(w->Layout()->Grid()->SelectedRow(), 0);
}

TEST_F(TFrmMainLayoutTest, SplittersStoreTheModesSizesAndSizeResetRestoresThem) {
  auto w = Make();
  w->resize(1000, 760);
  w->show();
  ASSERT_TRUE(test::WaitUntil([&] { return !w->Initialising(); }));
  store::Settings& s = const_cast<store::Settings&>(w->session().settings);
  s.view_mode(4).side_panel = true;
  s.view_mode(4).under_panel = true;
  w->Layout()->GridCheck();
  auto* side = w->findChild<QSplitter*>(QStringLiteral("SplH"));
  auto* top = w->findChild<QSplitter*>(QStringLiteral("SplX"));
  ASSERT_NE(side, nullptr);
  ASSERT_NE(top, nullptr);
  side->setSizes({700, 250});
  emit side->splitterMoved(700, 1);
  top->setSizes({450, 200});
  emit top->splitterMoved(450, 1);
  EXPECT_EQ(s.view_mode(4).right_width, side->sizes()[1]);
  EXPECT_EQ(s.view_mode(4).top_height, top->sizes()[0]);
  EXPECT_NE(s.view_mode(4).right_width, 168);
  EXPECT_EQ(s.view_mode(3).right_width, 168);  // another mode keeps its own
  EXPECT_TRUE(w->session().layout_changed);
  w->Action(QStringLiteral("MenSizeResetCurrent"))->trigger();
  EXPECT_EQ(s.view_mode(4).right_width, 168);
  EXPECT_EQ(s.view_mode(4).top_height, 403);
  EXPECT_EQ(s.view_mode(4).note_width, 250);
  EXPECT_EQ(s.window.todo_width, 410);
  EXPECT_EQ(s.window.cal_height, 128);
  EXPECT_EQ(w->size(), QSize(920, 680));
  s.view_mode(7).top_height = 500;
  w->Action(QStringLiteral("MenSizeResetAll"))->trigger();
  EXPECT_EQ(s.view_mode(7).top_height, 403);
}

TEST_F(TFrmMainLayoutTest, DisplayItemsListChangesTheCurrentMode) {
  auto w = Make();
  w->Layout()->ShowList(1);
  auto* list = w->findChild<QListWidget*>(QStringLiteral("LstCat"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 29);  // 曜日 and 日にち only in modes 5 to 8
  EXPECT_EQ(list->item(14)->text(), QStringLiteral("六曜"));
  list->item(14)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(w->session().settings.view_mode(4).item_view[14], '0');
  EXPECT_NE(w->session().settings.view_mode(3).item_view[14], '0');
  EXPECT_TRUE(w->session().layout_changed);
}

TEST_F(TFrmMainLayoutTest, TheToolBarFollowsToolBarIcon) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[View]", "ToolBarIcon=01111"});
  auto w = Make();
  QToolBar* bar = w->Layout()->ToolBar();
  ASSERT_NE(bar, nullptr);
  QAction* print = nullptr;
  QAction* preview = nullptr;
  QAction* monthly = nullptr;
  for (QAction* a : bar->actions()) {
    if (a->text() == QStringLiteral("印刷")) print = a;
    if (a->text() == QStringLiteral("プレビュー")) preview = a;
    if (a->text() == QStringLiteral("月間")) monthly = a;
  }
  ASSERT_NE(print, nullptr);
  ASSERT_NE(preview, nullptr);
  ASSERT_NE(monthly, nullptr);
  EXPECT_FALSE(print->isVisible());
  EXPECT_TRUE(preview->isVisible());
  EXPECT_TRUE(monthly->isVisible());  // beyond the string: shown
  EXPECT_EQ(print->toolTip(), QStringLiteral("印刷"));
  EXPECT_EQ(preview->toolTip(), QStringLiteral("印刷プレビュー"));
  EXPECT_TRUE(monthly->isChecked());
  // "UP表示" is drawn pressed while the under panel is shown; "土日なし" never is.
  QAction* under = nullptr;
  QAction* no_week_ends = nullptr;
  for (QAction* a : bar->actions()) {
    if (a->text() == QStringLiteral("UP表示")) under = a;
    if (a->text() == QStringLiteral("土日なし")) no_week_ends = a;
  }
  ASSERT_NE(under, nullptr);
  ASSERT_NE(no_week_ends, nullptr);
  EXPECT_FALSE(no_week_ends->isCheckable());
  const bool shown = w->session().settings.view_mode(4).under_panel;
  EXPECT_EQ(under->isChecked(), shown);
  under->trigger();
  EXPECT_EQ(w->session().settings.view_mode(4).under_panel, !shown);
  EXPECT_EQ(under->isChecked(), !shown);
  EXPECT_EQ(w->Action(QStringLiteral("MenUnderPanel"))->isChecked(), !shown);
}

TEST_F(TFrmMainLayoutTest, EveryToolBarButtonHasItsOwnPicture) {
  auto w = Make();
  QToolBar* bar = w->Layout()->ToolBar();
  ASSERT_NE(bar, nullptr);
  std::vector<std::pair<QString, QImage>> pictures;
  for (QAction* a : bar->actions()) {
    if (a->isSeparator()) continue;
    QIcon icon = a->icon();
    QString name = a->toolTip();
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a)); button != nullptr && icon.isNull()) {
      icon = button->icon();  // the line pitch drop-down is a widget of its own
      name = button->toolTip();
    }
    SCOPED_TRACE(name.toStdString());
    ASSERT_FALSE(icon.isNull());
    pictures.emplace_back(name, icon.pixmap(16, 16).toImage());
  }
  ASSERT_EQ(pictures.size(), 38u);  // 47 positions less 9 separators
  for (std::size_t i = 0; i < pictures.size(); ++i)
    for (std::size_t j = i + 1; j < pictures.size(); ++j)
      EXPECT_NE(pictures[i].second, pictures[j].second)
          << pictures[i].first.toStdString() << " / " << pictures[j].first.toStdString();
}

TEST_F(TFrmMainLayoutTest, TheToolBarButtonStyleFollowsButtonCapAndCapList) {
  struct Case {
    const char* button_cap;
    const char* cap_list;
    Qt::ToolButtonStyle style;
    QSize size;
  };
  const Case cases[] = {
      {"0", "0", Qt::ToolButtonIconOnly, QSize(26, 22)},
      {"0", "1", Qt::ToolButtonIconOnly, QSize(26, 22)},
      {"1", "0", Qt::ToolButtonTextUnderIcon, QSize(60, 36)},
      {"1", "1", Qt::ToolButtonTextBesideIcon, QSize(60, 36)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("ButtonCap=") + c.button_cap + " CapList=" + c.cap_list);
    dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[View]", std::string("ButtonCap=") + c.button_cap,
                                    std::string("CapList=") + c.cap_list});
    auto w = Make();
    w->show();
    QToolBar* bar = w->Layout()->ToolBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->toolButtonStyle(), c.style);
    EXPECT_EQ(bar->iconSize(), QSize(16, 16));
    QAction* print = nullptr;
    for (QAction* a : bar->actions())
      if (a->text() == QStringLiteral("印刷")) print = a;
    ASSERT_NE(print, nullptr);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(print));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolButtonStyle(), c.style);
    if (c.style == Qt::ToolButtonIconOnly) {
      EXPECT_EQ(button->size(), c.size);
    } else {
      EXPECT_GE(button->width(), c.size.width());
      EXPECT_GE(button->height(), c.size.height());
    }
    auto* pitch = bar->findChild<QToolButton*>(QStringLiteral("TbtLinePitch"));
    ASSERT_NE(pitch, nullptr);
    EXPECT_EQ(pitch->toolButtonStyle(), c.style);
    EXPECT_FALSE(pitch->icon().isNull());
    EXPECT_EQ(pitch->toolTip(), QStringLiteral("行間設定"));
  }
}

TEST_F(TFrmMainLayoutTest, ALayoutCommandIsWrittenAtExit) {
  dir.WriteLines("Kalendor.ini", {"[Kalendor]", "Ver=5.71", "[Window]", "Now=2026", "PosMode=5", "Top=40", "Left=30"});
  auto w = Make();
  w->show();
  ASSERT_TRUE(test::WaitUntil([&] { return !w->Initialising(); }));
  w->Action(QStringLiteral("MenLinePitch7"))->trigger();
  w->Action(QStringLiteral("MenWeekly"))->trigger();
  w->close();
  store::IniFile ini = store::IniFile::Load(files, dir / "Kalendor.ini");
  EXPECT_EQ(ini.ReadInteger("Monthly", "LinePitch", 0), 7);
  EXPECT_EQ(ini.ReadInteger("Window", "GridMode", 0), 3);
  EXPECT_TRUE(ini.Value("Weekly", "ItemView"));
}

}  // namespace
}  // namespace kal::mainwindow
