#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <sys/stat.h>

#include "app/TFrmMain.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "reminders/QtReminders.h"
#include "reminders/TDlgAlarm.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

class TFrmMainRemindersTest : public ::testing::Test {
 protected:
  std::unique_ptr<TFrmMain> Make() {
    Session session = ReadSession(dir.path(), kDefaultFontName, files, clock.Now().date).session;
    session.settings.alarm.type = 0;
    return std::make_unique<TFrmMain>(MainWindowPorts{dialogs, shell, files, clock}, std::move(session));
  }
  void Set(int h, int m, int s) { clock.Set(platform::LocalDateTime{store::MakeDate(2026, 12, 10), h, m, s}); }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  platform::PosixFileSystem files;
  platform::FixedClock clock{platform::LocalDateTime{store::MakeDate(2026, 12, 10), 9, 0, 0}};
};

TEST_F(TFrmMainRemindersTest, TheTimerShowsTheAlarmOfTodaysScheduleFromTheMonthModel) {
  store::ScheduleFields f;
  f.day = 10;
  f.start = "09:10";
  f.end = "10:00";
  f.alarm1 = 5;  // 10 minutes
  f.title = "打合せ";
  f.category = "仕事";
  dir.Write("202612.sch", store::JoinLines({store::BuildScheduleLine(f).line}));
  Set(8, 59, 0);
  auto w = Make();
  reminders::Reminders* hub = w->ReminderHub();
  ASSERT_NE(hub, nullptr);
  EXPECT_EQ(hub->Timer()->objectName(), QString("TimSch"));
  EXPECT_EQ(hub->Timer()->interval(), 1000);
  w->show();
  ASSERT_TRUE(test::WaitUntil([&] { return hub->Timer()->isActive(); }));  // switched on after the first show
  hub->Timer()->stop();  // ticked by hand below
  Set(8, 59, 30);
  hub->TimSchTimer();
  EXPECT_EQ(hub->Window(), nullptr);
  // The schedule is today's, so the month model's alarm list holds it.
  Set(9, 0, 47);
  hub->TimSchTimer();
  ASSERT_NE(hub->Window(), nullptr);
  EXPECT_EQ(hub->Window()->windowTitle(), QString("「仕事」の開始時刻の通知"));
  EXPECT_EQ(hub->Window()->MessageLabel()->text(), QString("9時00分です。\nスケジュールの開始時刻 10分前です。"));
  // A window of its own, so that it shows while the main window is minimised or in the tray.
  EXPECT_EQ(hub->Window()->parentWidget(), nullptr);
  w->showMinimized();
  QApplication::processEvents();
  EXPECT_TRUE(hub->Window()->isVisible());
  EXPECT_EQ(w->StatusPanel(1)->text(), QString("09:00:47"));
}

TEST_F(TFrmMainRemindersTest, TheToolsMenuOffersTheTimeAndEveryAddon) {
  dir.Write("Addon.lst", "09:3001 /opt/tools/Report.sh\r\nCALEN11 /opt/tools/report.SH\r\nSTART10 /usr/bin/xeyes\r\n");
  auto w = Make();
  QMenu* tools = w->Menu(QStringLiteral("MenTool"));
  emit tools->aboutToShow();
  QStringList captions;
  for (QAction* a : tools->actions()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(captions, (QStringList{"検索(&F)", "時刻の表示(&G)", "-", "バックアップとデータ削除(&B)",
                                   "バックアップデータのリストア(&R)", "-", "サーバーと同期(&Y)", "同期の設定(&O)...", "-",
                                   "アドオン一覧(&A)", "Report.sh", "xeyes"}));
  // Opening it again rebuilds the items rather than adding more.
  dir.Write("Addon.lst", "START10 /usr/bin/xclock\r\n");
  emit tools->aboutToShow();
  EXPECT_EQ(tools->actions().size(), 11);
  EXPECT_EQ(tools->actions().back()->text(), QString("xclock"));

  QAction* signal = w->Action(QStringLiteral("MenTimeSignal"));
  ASSERT_TRUE(signal->isEnabled());
  signal->trigger();
  ASSERT_NE(w->ReminderHub()->Window(), nullptr);
  EXPECT_TRUE(w->ReminderHub()->Window()->IsSignal());
  EXPECT_EQ(w->ReminderHub()->Window()->MessageLabel()->text(), QString("9:00"));
}

TEST_F(TFrmMainRemindersTest, AMissingToolsMenuProgramIsReported) {
  dir.Write("Addon.lst", "START10 /nowhere/tool --x\r\n");
  auto w = Make();
  QMenu* tools = w->Menu(QStringLiteral("MenTool"));
  emit tools->aboutToShow();
  tools->actions().back()->trigger();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "\"/nowhere/tool --x\" は起動できません。");
  EXPECT_EQ(dialogs.shown[0].caption, "アプリ実行エラー");
  EXPECT_TRUE(w->isEnabled());
}

}  // namespace
}  // namespace kal::app
