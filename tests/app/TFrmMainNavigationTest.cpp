// The main window's navigation: keys and clicks through a month, the period caption and status
// text, the schedule list of the selected day, its delete, and the entry dialog from a double
// click or Enter.
#include "app/TFrmMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

#include <optional>

#include "listing/TDlgList.h"
#include "mainwindow/QtCalendarGrid.h"
#include "mainwindow/QtSchList.h"
#include "mainwindow/TDlgJump.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "schedule/TDlgSchInput.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

using store::MakeDate;

QString U(const char* s) { return QString::fromUtf8(s); }

class TFrmMainNavigationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    session.settings.window.grid_mode = 4;
    session.settings.view_mode(4).sch_list = true;
    session.settings.view.status_bar_form = "yyyy/mm/dd(aaa)";
    session.settings.view.del_msg = true;
    store::ScheduleFields f;
    f.day = 15;
    f.start = "10:00";
    f.end = "11:00";
    f.title = "会議";
    store::ScheduleFields g = f;
    g.day = 15;
    g.start = "14:00";
    g.title = "来客";
    files.MakeDirs(session.folders.data);
    store::SaveLines(files, store::MonthFilePath(session.folders.data, 2026, 12),
                     {store::BuildScheduleLine(f).line, store::BuildScheduleLine(g).line});
    w = std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, session);
    w->resize(1000, 760);
    w->show();
    test::WaitUntil([&] { return !w->Initialising(); }, 1000);
    QApplication::processEvents();
    grid = w->findChild<mainwindow::QtCalendarGrid*>(QStringLiteral("GrdSch"));
    list = w->findChild<mainwindow::QtSchList*>(QStringLiteral("LtvSchList"));
  }

  // What the schedule entry dialog showed when `gesture` opened it; the dialog is cancelled.
  struct SeenEntry {
    QString caption, title;
    QDate date;
  };
  SeenEntry EntryDialogOpenedBy(const std::function<void()>& gesture) {
    SeenEntry seen;
    QTimer::singleShot(0, [&] {
      test::WaitUntil([&] { return test::FindModal() != nullptr; });
      auto* dlg = qobject_cast<schedule::TDlgSchInput*>(test::FindModal());
      if (dlg == nullptr) return;
      seen.caption = dlg->windowTitle();
      seen.title = dlg->CmbTitle->currentText();
      seen.date = dlg->DtpSchFromDate->date();
      dlg->BtnCancel->click();
    });
    gesture();
    return seen;
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(grid, &press);
  }
  QPoint CellPoint(const store::Date& date) {
    const auto& dates = grid->Picture().dates;
    for (std::size_t r = 0; r < dates.size(); ++r)
      for (std::size_t c = 0; c < dates[r].size(); ++c)
        if (dates[r][c] == date) {
          const QRect rect = grid->CellRect(static_cast<int>(r), static_cast<int>(c));
          return QPoint(rect.left() + rect.width() / 3, rect.bottom() - 20);
        }
    ADD_FAILURE() << "not shown: " << store::DateText(date);
    return {};
  }
  void Click(const store::Date& date) {
    const QPointF p(CellPoint(date));
    QMouseEvent press(QEvent::MouseButtonPress, p, grid->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, grid->mapToGlobal(p), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid, &release);
  }
  void DoubleClick(const store::Date& date) {
    Click(date);
    const QPointF p(CellPoint(date));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, p, grid->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid, &dbl);
  }
  // A point on the first item line of a shown day; the grid reports which line it is.
  std::optional<QPoint> ItemPoint(const store::Date& date) {
    const QPoint cell = CellPoint(date);
    int row = 0, column = 0;
    grid->CellAt(cell, &row, &column);
    const QRect rect = grid->CellRect(row, column);
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      int r = 0, c = 0, line = 0;
      const QPoint p(rect.left() + 30, y);
      if (grid->LineAt(p, &r, &c, &line) && line >= 0) return p;
    }
    return std::nullopt;
  }
  std::string Selected() const { return store::DateText(w->SelectedDate()); }
  QString Caption() const { return w->findChild<QToolButton*>(QStringLiteral("BtnNowMonth"))->text(); }
  QString Status() const { return w->findChild<QLabel*>(QStringLiteral("SbrPanel0"))->text(); }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{MakeDate(2026, 12, 10), 9, 0, 0}};
  Session session;
  std::unique_ptr<TFrmMain> w;
  mainwindow::QtCalendarGrid* grid = nullptr;
  mainwindow::QtSchList* list = nullptr;
};

TEST_F(TFrmMainNavigationTest, KeysWalkThroughTheMonthAndTheCaptionFollows) {
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(Selected(), "2026/12/10");
  EXPECT_EQ(Caption(), U("2026年 12月"));
  EXPECT_EQ(Status(), U(" 2026/12/10(木)"));
  Key(Qt::Key_Right);
  Key(Qt::Key_Down);
  EXPECT_EQ(Selected(), "2026/12/18");
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  EXPECT_EQ(Selected(), "2027/01/01");  // shown in December's last row
  EXPECT_EQ(Caption(), U("2026年 12月"));
  Key(Qt::Key_Down);  // below the last row: January
  EXPECT_EQ(Selected(), "2027/01/08");
  EXPECT_EQ(Caption(), U("2027年 1月"));
  EXPECT_EQ(Status(), U(" 2027/01/08(金)"));
  Key(Qt::Key_PageUp);
  EXPECT_EQ(Selected(), "2026/12/08");
  EXPECT_EQ(Caption(), U("2026年 12月"));
  Key(Qt::Key_Home);
  EXPECT_EQ(Selected(), "2026/12/10");
  w->Action(QStringLiteral("MenBeforeMonth"))->trigger();
  EXPECT_EQ(Caption(), U("2026年 11月"));
  w->Action(QStringLiteral("MenNextYear"))->trigger();
  EXPECT_EQ(Caption(), U("2027年 11月"));
  EXPECT_EQ(Selected(), "2027/11/10");
}

TEST_F(TFrmMainNavigationTest, AClickedDayFillsTheScheduleList) {
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->topLevelItemCount(), 0);
  Click(MakeDate(2026, 12, 15));
  EXPECT_EQ(Selected(), "2026/12/15");
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(3), U("会議"));
  EXPECT_EQ(list->topLevelItem(1)->text(1), U("2026/12/15(火) 14:00"));
  EXPECT_EQ(list->KeyAt(1), QStringLiteral("SC50001202612" "5"));
  EXPECT_EQ(Status(), U(" 2026/12/15(火)"));
  Key(Qt::Key_Right);
  EXPECT_EQ(list->topLevelItemCount(), 0);
}

TEST_F(TFrmMainNavigationTest, TheListDeletesItsRowAfterTheConfirmation) {
  Click(MakeDate(2026, 12, 15));
  list->setCurrentItem(list->topLevelItem(0));
  dialogs.answers.push_back(platform::MsgAnswer::Yes);
  QKeyEvent ctrl_d(QEvent::KeyPress, Qt::Key_D, Qt::ControlModifier);
  QApplication::sendEvent(list, &ctrl_d);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "「会議」を削除します。\nよろしいですか？");
  EXPECT_EQ(store::LoadLines(files, store::MonthFilePath(session.folders.data, 2026, 12)).size(), 1u);
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(list->topLevelItem(0)->text(3), U("来客"));
}

TEST_F(TFrmMainNavigationTest, AChangedLineIsRefusedAndTheViewReloads) {
  Click(MakeDate(2026, 12, 15));
  list->setCurrentItem(list->topLevelItem(1));
  // Another program rewrote the file meanwhile.
  store::ScheduleFields other;
  other.day = 3;
  other.title = "別件";
  store::SaveLines(files, store::MonthFilePath(session.folders.data, 2026, 12), {store::BuildScheduleLine(other).line});
  QKeyEvent ctrl_d(QEvent::KeyPress, Qt::Key_D, Qt::ControlModifier);
  QApplication::sendEvent(list, &ctrl_d);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, store::kStaleMessage);
  EXPECT_EQ(store::LoadLines(files, store::MonthFilePath(session.folders.data, 2026, 12)).size(), 1u);
  EXPECT_EQ(list->topLevelItemCount(), 0);  // reloaded: the 15th is empty now
}

TEST_F(TFrmMainNavigationTest, ADoubleClickOnAnEmptyDayOpensTheEntryDialogForIt) {
  const SeenEntry seen = EntryDialogOpenedBy([&] { DoubleClick(MakeDate(2026, 12, 22)); });
  EXPECT_EQ(seen.caption, U("スケジュールの追加"));
  EXPECT_EQ(seen.date, QDate(2026, 12, 22));
}

TEST_F(TFrmMainNavigationTest, EnterOpensTheEntryDialogForTheSelectedDay) {
  const SeenEntry seen = EntryDialogOpenedBy([&] {
    Key(Qt::Key_Left);
    Key(Qt::Key_Return);
  });
  EXPECT_EQ(seen.date, QDate(2026, 12, 9));
}

TEST_F(TFrmMainNavigationTest, ADoubleClickOnAScheduleOpensItForAChange) {
  const auto point = ItemPoint(MakeDate(2026, 12, 15));
  ASSERT_TRUE(point.has_value());
  const SeenEntry seen = EntryDialogOpenedBy([&] {
    const QPointF p(*point);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, p, grid->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(grid, &dbl);
  });
  EXPECT_EQ(seen.caption, U("スケジュールの訂正"));
  EXPECT_EQ(seen.title, U("会議"));
}

TEST_F(TFrmMainNavigationTest, EnterOnAListRowOpensItsScheduleForAChange) {
  Click(MakeDate(2026, 12, 15));
  list->setCurrentItem(list->topLevelItem(1));
  const SeenEntry seen = EntryDialogOpenedBy([&] {
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(list, &enter);
  });
  EXPECT_EQ(seen.caption, U("スケジュールの訂正"));
  EXPECT_EQ(seen.title, U("来客"));
}

TEST_F(TFrmMainNavigationTest, TheGridPopupFollowsTheItemUnderThePointer) {
  auto* layout = w->Layout();
  const auto on_item = ItemPoint(MakeDate(2026, 12, 15));
  ASSERT_TRUE(on_item.has_value());
  std::unique_ptr<QMenu> menu(layout->BuildGridPopup(*on_item));
  EXPECT_EQ(Selected(), "2026/12/15");  // the right button selects the cell first
  auto item = [&](const char* name) { return menu->findChild<QAction*>(QString::fromLatin1(name)); };
  EXPECT_TRUE(item("PopSchRep")->isVisible());
  EXPECT_TRUE(item("PopSchRep")->isEnabled());
  EXPECT_TRUE(item("PopDelete")->isEnabled());
  EXPECT_FALSE(item("PopTodoRep")->isVisible());
  EXPECT_FALSE(item("PopPaste")->isEnabled());
  EXPECT_EQ(item("PopDelete")->text(), U("削除(&D)"));
  dialogs.answers.push_back(platform::MsgAnswer::Yes);
  item("PopDelete")->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "スケジュールの削除");
  EXPECT_EQ(store::LoadLines(files, store::MonthFilePath(session.folders.data, 2026, 12)).size(), 1u);

  std::unique_ptr<QMenu> empty(layout->BuildGridPopup(CellPoint(MakeDate(2026, 12, 23))));
  EXPECT_EQ(Selected(), "2026/12/23");
  EXPECT_FALSE(empty->findChild<QAction*>(QStringLiteral("PopSchRep"))->isVisible());
  EXPECT_FALSE(empty->findChild<QAction*>(QStringLiteral("PopDelete"))->isEnabled());
  EXPECT_TRUE(empty->findChild<QAction*>(QStringLiteral("PopSchAdd"))->isEnabled());
  // "スケジュール一覧(&E)" opens the schedule list on the selected day.
  QAction* list = empty->findChild<QAction*>(QStringLiteral("PopSchList"));
  ASSERT_TRUE(list->isEnabled());
  QString status;
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    if (auto* dlg = qobject_cast<listing::TDlgList*>(test::FindModal())) {
      status = dlg->SbrPanel2->text();
      dlg->reject();
    }
  });
  list->trigger();
  EXPECT_EQ(status, U("2026年12月23日(水)のスケジュール [0件]"));
}

TEST_F(TFrmMainNavigationTest, TheSideCalendarsPassTheirKeysToTheMainGrid) {
  auto* side = w->findChild<mainwindow::QtCalendarGrid*>(QStringLiteral("GrdCur"));
  ASSERT_NE(side, nullptr);
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(side, &down);
  EXPECT_EQ(Selected(), "2026/12/17");
}

TEST_F(TFrmMainNavigationTest, TheMultiWeekViewStartsAtTheSelectedWeekAndScrollsByWeeks) {
  Click(MakeDate(2026, 12, 17));
  w->Action(QStringLiteral("MenWeekly"))->trigger();
  EXPECT_EQ(Caption(), U("2026年(令和8年) 12月 14日(月) ～ 27日(日)"));
  Click(MakeDate(2026, 12, 27));  // the last cell
  Key(Qt::Key_Right);             // the view moves a week; the cursor stays on the last row
  EXPECT_EQ(Selected(), "2026/12/28");
  EXPECT_EQ(Caption(), U("2026年(令和8年) 12月 21日(月) ～ 2027年(令和9年) 1月 3日(日)"));
  w->Action(QStringLiteral("MenBeforeMonth"))->trigger();  // back two weeks from the first date shown
  EXPECT_EQ(Selected(), "2026/12/07");
  EXPECT_EQ(Caption(), U("2026年(令和8年) 12月 7日(月) ～ 20日(日)"));
}

TEST_F(TFrmMainNavigationTest, TheSameMonthViewShowsTheNextYearOnUpFromItsTopRow) {
  w->Action(QStringLiteral("MenMonthly3"))->trigger();
  EXPECT_EQ(Caption(), U("2021年(令和3年) ～ 2026年(令和8年) 12月"));
  Key(Qt::Key_Up);
  EXPECT_EQ(Selected(), "2027/12/10");
  EXPECT_EQ(Caption(), U("2022年(令和4年) ～ 2027年(令和9年) 12月"));
  Key(Qt::Key_Down);
  EXPECT_EQ(Selected(), "2026/12/10");
  EXPECT_EQ(Caption(), U("2022年(令和4年) ～ 2027年(令和9年) 12月"));
  w->Action(QStringLiteral("MenYearly"))->trigger();  // the year of the selected day
  EXPECT_EQ(Caption(), U("2026年(令和8年)"));
}

TEST_F(TFrmMainNavigationTest, GoToDateShowsTheChosenDay) {
  QTimer::singleShot(0, [&] {
    test::WaitUntil([&] { return test::FindModal() != nullptr; });
    auto* dlg = qobject_cast<mainwindow::TDlgJump*>(test::FindModal());
    if (dlg == nullptr) return;
    dlg->DtpDate->setDate(QDate(2025, 3, 31));
    dlg->BtnOk->click();
  });
  w->Action(QStringLiteral("MenJump"))->trigger();
  EXPECT_EQ(Selected(), "2025/03/31");
  EXPECT_EQ(Caption(), U("2025年 3月"));
  w->Action(QStringLiteral("MenBeforeMonth"))->trigger();
  EXPECT_EQ(Selected(), "2025/02/28");
}

}  // namespace
}  // namespace kal::app
