#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QHelpEvent>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/TFrmMain.h"
#include "app/TFrmMainTray.h"
#include "mainwindow/QtCalendarGrid.h"
#include "mainwindow/QtMemoPanel.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/QtDesktop.h"
#include "store/ScheduleFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

class TFrmMainTrayTest : public ::testing::Test {
 protected:
  std::unique_ptr<TFrmMain> Make(const std::function<void(store::Settings&)>& adjust = {}) {
    Session session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    session.settings.window.state = 2;  // normal, not maximised
    session.settings.window.pos_mode = 5;
    session.settings.window.top = 40;
    session.settings.window.left = 30;
    session.settings.window.width = 900;
    session.settings.window.height = 640;
    session.settings.mini.width = 172;
    session.settings.mini.height = 156;
    session.settings.mini.pos_mode = 5;
    session.settings.mini.top = 50;
    session.settings.mini.left = 700;
    if (adjust) adjust(session.settings);
    return std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
  }

  // Shown, with its first-show work done.
  void ShowReady(TFrmMain& w) {
    w.show();
    ASSERT_TRUE(test::WaitUntil([&] { return !w.Initialising(); }));
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 0, 0}};
};

// ---- Mini mode ---------------------------------------------------------------------------------

TEST_F(TFrmMainTrayTest, MiniModeOnAndOffRestoresTheNormalWindow) {
  auto w = Make();
  w->TraySetup(false);
  ShowReady(*w);
  const QRect normal = w->geometry();
  const QPoint normal_at = w->frameGeometry().topLeft();
  ASSERT_EQ(normal.size(), QSize(900, 640));

  w->Action(Q("MenMiniMode"))->trigger();
  ASSERT_TRUE(w->MiniModeOn());
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->size(), QSize(172, 156));
  EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(700, 50));
  EXPECT_EQ(w->windowTitle(), Q("2026年12月10日(木)"));
  EXPECT_TRUE(w->menuBar()->isHidden());
  EXPECT_TRUE(w->statusBar()->isHidden());
  EXPECT_TRUE(w->Layout()->ToolBar()->isHidden());
  EXPECT_EQ(w->Layout()->Mode(), 4) << "mini mode shows the month view";
  EXPECT_TRUE(w->testAttribute(Qt::WA_QuitOnClose)) << "closing the mini window ends the program";
  EXPECT_TRUE(w->session().layout_changed);

  // The user moves and sizes the mini window; leaving stores it and brings the normal one back.
  w->move(300, 200);
  w->resize(200, 180);
  w->Action(Q("MenMiniMode"))->trigger();
  EXPECT_FALSE(w->MiniModeOn());
  EXPECT_EQ(w->size(), normal.size());
  EXPECT_EQ(w->frameGeometry().topLeft(), normal_at);
  EXPECT_EQ(w->windowTitle(), Q("Kalendor"));
  EXPECT_FALSE(w->menuBar()->isHidden());
  EXPECT_FALSE(w->Layout()->ToolBar()->isHidden());
  const store::MiniSettings& mini = w->session().settings.mini;
  EXPECT_EQ((std::array{mini.left, mini.top, mini.width, mini.height}), (std::array{300, 200, 200, 180}));

  // Closing the window still ends the program after the tool window of mini mode.
  EXPECT_TRUE(w->testAttribute(Qt::WA_QuitOnClose));

  // F12 and F3 belong to the window as well as to the menu bar, which mini mode hides.
  EXPECT_TRUE(w->actions().contains(w->Action(Q("MenMiniMode"))));
  EXPECT_TRUE(w->actions().contains(w->Action(Q("MenTray"))));

  // Entering again comes back at the stored mini place.
  w->SmallSize();
  EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(300, 200));
  EXPECT_EQ(w->size(), QSize(200, 180));
}

TEST_F(TFrmMainTrayTest, MiniCalendarHasItsOwnCellsAndNavigationBar) {
  dir.WriteLines("20261215.mem", {"買い物"});
  auto w = Make();
  w->TraySetup(false);
  ShowReady(*w);
  QWidget* nav = w->findChild<QWidget*>(Q("PnlMonSch"));
  ASSERT_NE(nav, nullptr);
  const int normal_nav = nav->height();
  w->SmallSize();
  QCoreApplication::processEvents();

  // The navigation bar: 18 pixels, 24-pixel month buttons, no year buttons, "yyyy年 m月".
  EXPECT_EQ(nav->height(), 18);
  EXPECT_TRUE(nav->findChild<QWidget*>(Q("BtnBeforeYear"))->isHidden());
  EXPECT_TRUE(nav->findChild<QWidget*>(Q("BtnNextYear"))->isHidden());
  EXPECT_EQ(nav->findChild<QWidget*>(Q("BtnBeforeMonth"))->width(), 24);
  auto* caption = nav->findChild<QToolButton*>(Q("BtnNowMonth"));
  EXPECT_EQ(caption->text(), Q("2026年 12月"));
  EXPECT_FALSE(caption->font().bold());

  // The compact cells: day numbers only, every week row of the month within the small window.
  const mainwindow::GridPicture& picture = w->Layout()->Grid()->Picture();
  EXPECT_TRUE(picture.mini);
  ASSERT_EQ(picture.cells.size(), 5u);
  ASSERT_EQ(picture.headers.size(), 7u);
  EXPECT_EQ(picture.headers[0].text, "月");
  for (const auto& row : picture.cells) {
    for (const mainwindow::CellContents& cell : row) EXPECT_TRUE(cell.lines.empty());
  }
  EXPECT_EQ(picture.cells[1][3].date_text, "10");  // Thursday of the second week
  EXPECT_EQ(w->Layout()->Grid()->SelectedRow(), 1);
  EXPECT_EQ(w->Layout()->Grid()->SelectedColumn(), 3);
  int rows = 0;
  for (const int h : picture.row_heights) rows += h;
  EXPECT_LE(rows, w->Layout()->Grid()->height());
  EXPECT_EQ(w->Layout()->Grid()->height() + 18, w->height()) << "the calendar fills the mini window";

  // The tip of a day with a memo (the month view shows the rokuyo).
  EXPECT_EQ(w->Layout()->MiniTip(store::MakeDate(2026, 12, 15)).text,
            " 2026年12月15日 (火) 大安 \r < 2026/12/15のメモ >\r 買い物 ");

  // Moving through the months works; view mode and panel commands wait for the normal window.
  nav->findChild<QToolButton*>(Q("BtnNextMonth"))->click();
  EXPECT_EQ(caption->text(), Q("2027年 1月"));
  w->Action(Q("MenWeekly"))->trigger();
  EXPECT_EQ(w->Layout()->Mode(), 4);
  w->Action(Q("MenSidePanel"))->trigger();
  EXPECT_TRUE(w->Layout()->Region(Q("PnlRight"))->isHidden());

  w->SmallSize();
  EXPECT_EQ(nav->height(), normal_nav);
  EXPECT_FALSE(nav->findChild<QWidget*>(Q("BtnBeforeYear"))->isHidden());
  EXPECT_FALSE(w->Layout()->Grid()->Picture().mini);
  EXPECT_FALSE(w->Layout()->Region(Q("PnlRight"))->isHidden());
}

TEST_F(TFrmMainTrayTest, WithoutMouseTipTheMiniTipIsTheSelectedDays) {
  dir.WriteLines("20261210.mem", {"会議室の予約"});
  auto w = Make([](store::Settings& s) { s.view.mouse_tip = false; });
  w->TraySetup(false);
  ShowReady(*w);
  w->SmallSize();
  QWidget* grid = w->Layout()->Grid();
  // Wherever the pointer rests (here over the 1st), the tip tells of the selected 10th.
  const QRect first = w->Layout()->Grid()->CellRect(0, 1);
  QHelpEvent help(QEvent::ToolTip, first.center(), grid->mapToGlobal(first.center()));
  QCoreApplication::sendEvent(grid, &help);
  EXPECT_EQ(QToolTip::text(), Q(" 2026年12月10日 (木) 赤口 \n < 2026/12/10のメモ >\n 会議室の予約 "));
  QToolTip::hideText();
}

TEST_F(TFrmMainTrayTest, TitleBarDoubleClickOfTheMiniWindowBringsTheNormalWindowBack) {
  // The desktop turns a double click on the mini window's title bar into a maximise request.
  for (const bool title_bar : {true, false}) {
    auto w = Make([title_bar](store::Settings& s) { s.mini.title_bar = title_bar; });
    w->TraySetup(false);
    ShowReady(*w);
    const QRect normal = w->geometry();
    w->SmallSize();
    w->showMaximized();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(w->isMaximized()) << title_bar;
    EXPECT_EQ(w->MiniModeOn(), !title_bar) << title_bar;
    if (title_bar) {
      EXPECT_EQ(w->geometry().size(), normal.size());
    } else {
      EXPECT_EQ(w->size(), QSize(172, 156));
    }
  }
}

TEST_F(TFrmMainTrayTest, DoubleClickOnTheNavigationBarSwitchesMiniMode) {
  for (const bool title_bar : {true, false}) {
    auto w = Make([title_bar](store::Settings& s) { s.mini.title_bar = title_bar; });
    w->TraySetup(false);
    ShowReady(*w);
    QWidget* nav = w->findChild<QWidget*>(Q("PnlMonSch"));
    ASSERT_NE(nav, nullptr);
    // At its left end, away from the buttons, in both sizes.
    const QPoint free_spot(2, 8);
    auto double_click = [&] {
      QMouseEvent dbl(QEvent::MouseButtonDblClick, free_spot, nav->mapToGlobal(free_spot), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(nav, &dbl);
    };
    double_click();
    EXPECT_EQ(w->MiniModeOn(), title_bar) << title_bar;
    if (!title_bar) continue;
    EXPECT_EQ(w->size(), QSize(172, 156));
    double_click();
    EXPECT_FALSE(w->MiniModeOn());
    EXPECT_EQ(w->size(), QSize(900, 640));
  }
}

TEST_F(TFrmMainTrayTest, EnteringMiniModeSavesTheMemoBox) {
  auto w = Make();
  w->TraySetup(false);
  ShowReady(*w);
  test::TypeText(w->MemoPanel()->MemDaily, Q("打ち合わせ"));
  w->SmallSize();
  EXPECT_EQ(dir.Read("20261210.mem"), test::Sjis("打ち合わせ") + "\r\n");
  w->SmallSize();
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TFrmMainTrayTest, MiniModeKeepsTheStoredViewModeAndTheSizeReset) {
  auto w = Make();
  w->TraySetup(false);
  ShowReady(*w);
  w->Layout()->GridModeClick(3);
  w->SmallSize();
  EXPECT_EQ(w->Layout()->Mode(), 4);
  w->Action(Q("MenSizeResetMini"))->trigger();
  w->SmallSize();
  EXPECT_EQ(w->Layout()->Mode(), 3) << "leaving mini mode applies the stored view mode again";
  EXPECT_EQ(w->session().settings.mini.width, 172);
  EXPECT_EQ(w->session().settings.mini.height, 156);
}

TEST_F(TFrmMainTrayTest, GridPopupSwitchesMiniModeAndHidesOnlyWithATray) {
  auto w = Make();
  w->TraySetup(false);
  ShowReady(*w);
  std::unique_ptr<QMenu> menu(w->Layout()->BuildGridPopup(QPoint(5, 5)));
  QAction* tray = menu->findChild<QAction*>(Q("PopTray"));
  ASSERT_NE(tray, nullptr);
  EXPECT_FALSE(tray->isEnabled());
  EXPECT_EQ(tray->toolTip(), Q("通知領域(タスクトレイ)がないため使用できません"));
  QAction* mini = menu->findChild<QAction*>(Q("PopMini"));
  ASSERT_NE(mini, nullptr);
  EXPECT_EQ(mini->text(), Q("ミニカレンダー(&S)"));
  mini->trigger();
  EXPECT_TRUE(w->MiniModeOn());
  std::unique_ptr<QMenu> again(w->Layout()->BuildGridPopup(QPoint(5, 5)));
  EXPECT_EQ(again->findChild<QAction*>(Q("PopMini"))->text(), Q("元のサイズに戻す(&S)"));
}

// ---- Hiding into the tray --------------------------------------------------------------------

TEST_F(TFrmMainTrayTest, WithoutATrayNothingHidesTheWindowOutOfReach) {
  auto w = Make([](store::Settings& s) {
    s.tray.close_tray = true;
    s.window.task_bar = true;
  });
  w->TraySetup(false);
  ShowReady(*w);
  QAction* tray = w->Action(Q("MenTray"));
  EXPECT_FALSE(tray->isEnabled());
  EXPECT_EQ(tray->toolTip(), Q("通知領域(タスクトレイ)がないため使用できません"));

  w->TaskTraySet();
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(w->isMinimized());

  w->showNormal();
  w->close();  // the close button with CloseTray
  EXPECT_TRUE(w->isVisible()) << "the window is minimised, not closed or hidden";
  EXPECT_TRUE(w->isMinimized());

  // The hot key and a second start bring it back.
  w->FormActive();
  EXPECT_FALSE(w->isMinimized());
}

TEST_F(TFrmMainTrayTest, CloseButtonHidesIntoTheTrayAndExitStillEnds) {
  auto w = Make([](store::Settings& s) { s.tray.close_tray = true; });
  int close_queries = 0;
  w->on_close_query = [&] { ++close_queries; };
  w->TraySetup(true);
  ShowReady(*w);
  EXPECT_TRUE(w->Action(Q("MenTray"))->isEnabled());

  w->close();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(close_queries, 0);

  // The tray menu names what its items would do now.
  QMenu* menu = w->TrayMenu();
  emit menu->aboutToShow();
  EXPECT_EQ(menu->findChild<QAction*>(Q("PopTraySize"))->text(), Q("タスクトレイから出す(&S)"));
  EXPECT_EQ(menu->findChild<QAction*>(Q("PopTrayMini"))->text(), Q("ミニカレンダー(&N)"));

  // Two tray clicks: shown, then hidden again.
  w->MainFormShow();
  EXPECT_TRUE(w->isVisible());
  emit menu->aboutToShow();
  EXPECT_EQ(menu->findChild<QAction*>(Q("PopTraySize"))->text(), Q("タスクトレイに入れる(&R)"));
  w->MainFormShow();
  EXPECT_FALSE(w->isVisible());

  // "終了(&X)" of the tray menu ends the program even with CloseTray.
  w->FormActive();
  ASSERT_TRUE(w->isVisible());
  menu->findChild<QAction*>(Q("PopTrayExit"))->trigger();
  EXPECT_EQ(close_queries, 1);
  EXPECT_FALSE(w->isVisible());
}

TEST_F(TFrmMainTrayTest, TheTrayMiniItemFromTheTrayShowsTheMiniCalendar) {
  auto w = Make();
  w->TraySetup(true);
  ShowReady(*w);
  w->TaskTraySet();
  ASSERT_FALSE(w->isVisible());
  QMenu* menu = w->TrayMenu();
  menu->findChild<QAction*>(Q("PopTrayMini"))->trigger();
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(w->MiniModeOn());
  emit menu->aboutToShow();
  EXPECT_EQ(menu->findChild<QAction*>(Q("PopTrayMini"))->text(), Q("元のサイズに戻す(&S)"));
}

TEST_F(TFrmMainTrayTest, TrayPasswordWithoutAPasswordFileWarnsAndShows) {
  auto w = Make([](store::Settings& s) { s.tray.passwd2 = true; });
  w->TraySetup(true);
  ShowReady(*w);
  w->TaskTraySet();
  QMenu* menu = w->TrayMenu();
  emit menu->aboutToShow();
  EXPECT_FALSE(menu->findChild<QAction*>(Q("PopTraySchAdd"))->isEnabled());

  w->MainFormShow();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "パスワード入力画面表示設定になっていますが、\nパスワードが設定されていません。");
  EXPECT_EQ(dialogs.shown[0].caption, "パスワード設定エラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  EXPECT_TRUE(w->isVisible());
  emit menu->aboutToShow();
  EXPECT_TRUE(menu->findChild<QAction*>(Q("PopTraySchAdd"))->isEnabled());
}

TEST_F(TFrmMainTrayTest, TrayPasswordRefusedKeepsTheWindowInTheTray) {
  auto w = Make([](store::Settings& s) { s.tray.passwd2 = true; });
  ASSERT_TRUE(files.WriteAtomic(w->session().program_folder + "Kalendor.pwd", "x\r\n", nullptr));
  std::deque<bool> answers = {false, true};
  int asked = 0;
  bool exit_while_asked = true;
  w->TrayParts().ask_password = [&] {
    ++asked;
    // While the password is asked the tray menu does nothing and a further click is ignored.
    emit w->TrayMenu()->aboutToShow();
    exit_while_asked = w->TrayMenu()->findChild<QAction*>(Q("PopTrayExit"))->isEnabled();
    w->MainFormShow();
    const bool ok = answers.front();
    answers.pop_front();
    return ok;
  };
  w->TraySetup(true);
  ShowReady(*w);
  w->TaskTraySet();
  QMenu* menu = w->TrayMenu();

  w->MainFormShow();
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(exit_while_asked);
  EXPECT_FALSE(w->isVisible());
  emit menu->aboutToShow();
  EXPECT_FALSE(menu->findChild<QAction*>(Q("PopTraySchAdd"))->isEnabled());

  w->FormActive();  // the hot key asks as well
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(w->isVisible());
  emit menu->aboutToShow();
  EXPECT_TRUE(menu->findChild<QAction*>(Q("PopTraySchAdd"))->isEnabled());
  EXPECT_TRUE(menu->findChild<QAction*>(Q("PopTrayExit"))->isEnabled());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TFrmMainTrayTest, MinimisingWithTaskBarHidesIntoTheTray) {
  auto w = Make([](store::Settings& s) { s.window.task_bar = true; });
  w->TraySetup(true);
  ShowReady(*w);
  w->showMinimized();
  EXPECT_TRUE(test::WaitUntil([&] { return !w->isVisible(); }));
  w->FormActive();
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->isMinimized());
}

TEST_F(TFrmMainTrayTest, MinimisedTitleIsTodaysDate) {
  auto w = Make();
  w->TraySetup(false);
  ShowReady(*w);
  w->showMinimized();
  EXPECT_EQ(w->windowTitle(), Q("2026/12/10(木)"));
  w->showNormal();
  EXPECT_EQ(w->windowTitle(), Q("Kalendor"));
}

// Offscreen there is no X11 to grab the key on: reported once in the status bar, the setting stays.
TEST_F(TFrmMainTrayTest, AHotKeyThatCannotBeRegisteredIsReportedOnce) {
  auto w = Make([](store::Settings& s) {
    s.tray.tray_act_key = 1;
    s.tray.hot_tray_act = 49235;
  });
  w->TraySetup(false);
  ShowReady(*w);
  const QString text = Q("ホットキー Ctrl+Alt+S を登録できませんでした(ほかのプログラムが使用中か、このデスクトップでは使えません)。");
  ASSERT_TRUE(test::WaitUntil([&] { return w->statusBar()->currentMessage() == text; }));
  w->statusBar()->clearMessage();
  w->TraySetup(false);  // set up again: not reported a second time
  QCoreApplication::processEvents();
  EXPECT_TRUE(w->statusBar()->currentMessage().isEmpty());
  EXPECT_EQ(w->session().settings.tray.tray_act_key, 1);
  EXPECT_EQ(w->session().settings.tray.hot_tray_act, 49235);
  EXPECT_TRUE(dialogs.shown.empty());
}

// A desktop's hot keys: keys in `held` belong to another program.
struct FakeHotKeys {
  std::set<int> held;
  std::vector<std::string> log;  // "+value" registered, "-value" given up, "!value" refused
  int current = 0;
  std::function<void()>* press = nullptr;
};

class FakeHotKey : public platform::HotKey {
 public:
  explicit FakeHotKey(FakeHotKeys& keys) : keys_(keys) { keys_.press = &on_pressed; }
  bool Register(int shortcut) override {
    Unregister();
    if (keys_.held.count(shortcut) != 0) {
      keys_.log.push_back("!" + std::to_string(shortcut));
      return false;
    }
    keys_.current = shortcut;
    keys_.log.push_back("+" + std::to_string(shortcut));
    return true;
  }
  void Unregister() override {
    if (keys_.current == 0) return;
    keys_.log.push_back("-" + std::to_string(keys_.current));
    keys_.current = 0;
  }

 private:
  FakeHotKeys& keys_;
};

TEST_F(TFrmMainTrayTest, HotKeySetFollowsTheSettings) {
  FakeHotKeys keys;
  auto w = Make([](store::Settings& s) {
    s.tray.tray_act_key = 1;
    s.tray.hot_tray_act = 0;  // the default Ctrl+Alt+S
  });
  w->TrayParts().make_hot_key = [&] { return std::make_unique<FakeHotKey>(keys); };
  w->TraySetup(true);
  ShowReady(*w);
  EXPECT_EQ(keys.log, (std::vector<std::string>{"+49235"}));

  // The key brings a hidden window back.
  w->TaskTraySet();
  ASSERT_FALSE(w->isVisible());
  ASSERT_NE(keys.press, nullptr);
  (*keys.press)();
  EXPECT_TRUE(w->isVisible());

  // Unchanged settings keep the key as it is; a new key replaces the old one.
  w->TrayHotKeySet();
  EXPECT_EQ(keys.log.size(), 1u);
  store::Settings& s = const_cast<store::Settings&>(w->session().settings);
  s.tray.hot_tray_act = mainwindow::HotKeyValue({false, true, true, 'K'});
  w->TrayHotKeySet();
  EXPECT_EQ(keys.log, (std::vector<std::string>{"+49235", "-49235", "+24651"}));

  // Switched off: the key is given up, and switching it on again takes it anew.
  s.tray.tray_act_key = 0;
  w->TrayHotKeySet();
  EXPECT_EQ(keys.current, 0);
  EXPECT_EQ(keys.log.back(), "-24651");
  s.tray.tray_act_key = 1;
  w->TrayHotKeySet();
  EXPECT_EQ(keys.current, 24651);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TFrmMainTrayTest, AHeldHotKeyIsReportedOncePerKey) {
  FakeHotKeys keys;
  keys.held = {49235, 0x4000 | 'J'};
  auto w = Make([](store::Settings& s) {
    s.tray.tray_act_key = 1;
    s.tray.hot_tray_act = 49235;
  });
  w->TrayParts().make_hot_key = [&] { return std::make_unique<FakeHotKey>(keys); };
  w->TraySetup(true);
  ShowReady(*w);
  const QString held = Q("ホットキー Ctrl+Alt+S を登録できませんでした(ほかのプログラムが使用中か、このデスクトップでは使えません)。");
  ASSERT_TRUE(test::WaitUntil([&] { return w->statusBar()->currentMessage() == held; }));
  w->statusBar()->clearMessage();

  // The same key again (the settings closed with OK): tried once more, not reported again.
  w->TrayHotKeySet();
  QCoreApplication::processEvents();
  EXPECT_EQ(keys.log, (std::vector<std::string>{"!49235", "!49235"}));
  EXPECT_TRUE(w->statusBar()->currentMessage().isEmpty());
  store::Settings& s = const_cast<store::Settings&>(w->session().settings);
  EXPECT_EQ(s.tray.hot_tray_act, 49235) << "the setting stays";

  // Another key that fails is reported again; in mini mode, without a status bar, in a box.
  w->SmallSize();
  s.tray.hot_tray_act = 0x4000 | 'J';
  w->TrayHotKeySet();
  ASSERT_TRUE(test::WaitUntil([&] { return !dialogs.shown.empty(); }));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "ホットキー Ctrl+J を登録できませんでした(ほかのプログラムが使用中か、このデスクトップでは使えません)。");
  EXPECT_EQ(dialogs.shown[0].caption, "ホットキー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Warning);

  // Once the other program lets the key go, the next attempt takes it.
  keys.held.clear();
  w->TrayHotKeySet();
  EXPECT_EQ(keys.current, 0x4000 | 'J');
  QCoreApplication::processEvents();
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

// ---- Tray picture --------------------------------------------------------------------------------

TEST_F(TFrmMainTrayTest, TrayShowsTheDayNumberInTheSundayColour) {
  clock.Set(platform::LocalDateTime{store::MakeDate(2026, 12, 13), 9, 0, 0});
  auto w = Make([](store::Settings& s) {
    s.tray.tray_icon = true;
    s.color.sun.text = 0xFF0000;  // blue
    s.color.day.text = 0x00FF00;  // green
  });
  w->TraySetup(true);
  QSystemTrayIcon* icon = w->TrayParts().tray->Icon();
  EXPECT_EQ(icon->toolTip(), Q("2026年12月13日(日)"));
  auto count = [](const QImage& image, auto test) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += test(image.pixelColor(x, y)) ? 1 : 0;
    return n;
  };
  const QImage sunday = icon->icon().pixmap(16, 16).toImage();
  EXPECT_GT(count(sunday, [](const QColor& c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; }), 3);

  // At midnight the tray turns to Monday 14 in the weekday colour.
  clock.Set(platform::LocalDateTime{store::MakeDate(2026, 12, 14), 0, 1, 0});
  w->IconTraySet();
  EXPECT_EQ(icon->toolTip(), Q("2026年12月14日(月)"));
  const QImage monday = icon->icon().pixmap(16, 16).toImage();
  EXPECT_EQ(count(monday, [](const QColor& c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; }), 0);
  EXPECT_GT(count(monday, [](const QColor& c) { return c.green() > 200 && c.red() < 80 && c.blue() < 80; }), 3);
}

// ---- Status bar marks ----------------------------------------------------------------------------

TEST_F(TFrmMainTrayTest, StatusBarMarksFollowTodaysAlarmsAndTheSignalMode) {
  store::ScheduleFields f;
  f.day = 10;
  f.start = "10:00";
  f.end = "11:00";
  f.alarm1 = 1;
  f.title = "会議";
  dir.Write("202612.sch", store::BuildScheduleLine(f).line + "\r\n");
  auto w = Make([](store::Settings& s) { s.signal.mode = 1; });
  w->TraySetup(false);
  ShowReady(*w);
  w->StatusMarksUpdate();
  QLabel* alarm = w->StatusPanel(1)->findChild<QLabel*>(Q("SbrAlarmMark"));
  QLabel* signal = w->StatusPanel(1)->findChild<QLabel*>(Q("SbrSignalMark"));
  ASSERT_NE(alarm, nullptr);
  EXPECT_FALSE(alarm->isHidden());
  EXPECT_EQ(alarm->toolTip(), Q("10:00-11:00 会議"));
  EXPECT_FALSE(signal->isHidden());
  EXPECT_EQ(signal->toolTip(), Q("次の時報は 10:00 です"));
  // Past its start the alarm mark goes.
  clock.Set(platform::LocalDateTime{store::MakeDate(2026, 12, 10), 10, 1, 0});
  w->StatusMarksUpdate();
  EXPECT_TRUE(alarm->isHidden());
}

TEST_F(TFrmMainTrayTest, StatusBarMarksFollowTheirSetters) {
  auto w = Make();
  w->TraySetup(false);
  ShowReady(*w);
  QLabel* alarm = w->StatusPanel(1)->findChild<QLabel*>(Q("SbrAlarmMark"));
  QLabel* signal = w->StatusPanel(1)->findChild<QLabel*>(Q("SbrSignalMark"));
  ASSERT_NE(alarm, nullptr);
  ASSERT_NE(signal, nullptr);
  EXPECT_TRUE(alarm->isHidden());
  EXPECT_TRUE(signal->isHidden());
  w->SetAlarmMark(true, true, Q("10:00 会議"));
  w->SetSignalMark(true, Q("次の時報は 10:00 です"));
  EXPECT_FALSE(alarm->isHidden());
  EXPECT_EQ(alarm->x(), 2);
  EXPECT_EQ(signal->x(), 24);
  EXPECT_EQ(alarm->toolTip(), Q("10:00 会議"));
  EXPECT_EQ(signal->toolTip(), Q("次の時報は 10:00 です"));
  w->SetAlarmMark(false, true, QString());
  EXPECT_TRUE(alarm->isHidden());
}

}  // namespace
}  // namespace kal::app
