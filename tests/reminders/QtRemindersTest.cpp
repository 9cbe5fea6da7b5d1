#include "reminders/QtReminders.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <sys/stat.h>

#include "reminders/ReminderFixtures.h"
#include "reminders/TDlgAlarm.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/FakeShell.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::reminders {
namespace {

using test::AlarmLine;
using test::At;

class FakeSound : public platform::Sound {
 public:
  std::vector<std::string> played;
  int beeps = 0;
  bool playable = true;
  bool Play(const std::string& file) override {
    played.push_back(file);
    return playable;
  }
  void Beep() override { ++beeps; }
};

QStringList Rows(QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

void Click(QWidget* w) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
}

class RemindersTest : public ::testing::Test {
 protected:
  RemindersTest()
      : clock(At(2026, 12, 11, 9, 49, 58)),
        reminders({dialogs, shell, files, clock, processes, sound}, &window) {
    settings.alarm.type = 0;
    settings.alarm.pos = 3;
    settings.alarm.mode = 0;
    settings.alarm.stay_on_top = true;
    settings.signal.mode = 0;
    settings.signal.type = 0;
    settings.view.scr_ud = false;
  }
  ~RemindersTest() override { QApplication::processEvents(); }

  void Load() { reminders.Load(settings, {dir.path(), dir.path(), dir.path()}); }
  // Sets the clock and runs one tick of TimSch.
  void TickAt(int h, int m, int s = 0, int day = 11) {
    clock.Set(At(2026, 12, day, h, m, s));
    reminders.TimSchTimer();
  }

  test::TempFolder dir;
  test::FakeDialogs dialogs;
  test::FakeShell shell;
  test::FakeProcesses processes;
  FakeSound sound;
  platform::PosixFileSystem files;
  platform::FixedClock clock;
  store::Settings settings;
  QWidget window;
  Reminders reminders;
};

TEST_F(RemindersTest, AnAlarmShowsItsWindowAtItsMinuteWithCaptionAndTexts) {
  dir.Write("202612.sch", store::JoinLines({AlarmLine(11, "10:00", 5, 0, "定例会議", "仕事", "第二会議室")}));
  Load();
  TickAt(9, 49, 58);
  EXPECT_EQ(reminders.Window(), nullptr);
  TickAt(9, 50, 0);
  TDlgAlarm* w = reminders.Window();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->objectName(), QString("DlgAlarm"));
  EXPECT_FALSE(w->IsSignal());
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle(), QString("「仕事」の開始時刻の通知"));
  EXPECT_EQ(w->MessageLabel()->text(), QString("9時50分です。\nスケジュールの開始時刻 10分前です。"));
  EXPECT_EQ(w->MessageLabel()->palette().color(QPalette::WindowText), QColor(0, 0, 255));  // before the start: blue
  EXPECT_EQ(Rows(w->ScheduleList()), (QStringList{"件名:  定例会議", "時間:  10:00 ～ 23:59", "場所:  第二会議室"}));
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  // The same minute again (the next second) shows nothing new.
  TickAt(9, 50, 1);
  EXPECT_EQ(reminders.Window(), w);
  // A click on the message closes it.
  Click(w->MessageLabel());
  EXPECT_TRUE(test::WaitUntil([&] { return reminders.Window() == nullptr; }));
}

TEST_F(RemindersTest, TwoAlarmsInOneMinuteAreBothShownOneAfterTheOther) {
  dir.Write("202612.sch", store::JoinLines({AlarmLine(11, "10:00", 1, 0, "一つ目"), AlarmLine(11, "10:00", 1, 0, "二つ目")}));
  Load();
  TickAt(10, 0, 13);
  ASSERT_NE(reminders.Window(), nullptr);
  EXPECT_EQ(reminders.Window()->Notice().title, "一つ目");
  EXPECT_EQ(reminders.Window()->MessageLabel()->text(), QString("10時00分です。\nスケジュールの開始時刻です。"));
  EXPECT_EQ(reminders.Window()->MessageLabel()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(reminders.Window()->windowTitle(), QString("開始時刻の通知"));
  EXPECT_EQ(reminders.Queue().waiting(), 1u);
  reminders.Window()->close();
  ASSERT_TRUE(test::WaitUntil([&] { return reminders.Window() && reminders.Window()->Notice().title == "二つ目"; }));
  EXPECT_EQ(reminders.Queue().waiting(), 0u);
}

TEST_F(RemindersTest, TheStartOfAScheduleReplacesItsOwnEarlierAlarmLeftOpen) {
  dir.Write("202612.sch", store::JoinLines({AlarmLine(11, "10:00", 5, 1, "会議")}));
  Load();
  TickAt(9, 50, 0);
  ASSERT_NE(reminders.Window(), nullptr);
  TickAt(10, 0, 0);
  ASSERT_NE(reminders.Window(), nullptr);
  EXPECT_EQ(reminders.Window()->MessageLabel()->text(), QString("10時00分です。\nスケジュールの開始時刻です。"));
  EXPECT_EQ(reminders.Queue().waiting(), 0u);
}

TEST_F(RemindersTest, TheSignalNeverReplacesAnAlarmButAnAlarmReplacesTheSignal) {
  settings.signal.mode = 1;
  dir.Write("202612.sch", store::JoinLines({AlarmLine(11, "10:00", 1, 0, "会議"), AlarmLine(11, "11:05", 3, 0, "次")}));
  Load();
  TickAt(10, 0, 0);
  ASSERT_NE(reminders.Window(), nullptr);
  EXPECT_FALSE(reminders.Window()->IsSignal());
  Click(reminders.Window()->MessageLabel());
  ASSERT_TRUE(test::WaitUntil([&] { return reminders.Window() == nullptr; }));
  TickAt(11, 0, 0);
  ASSERT_NE(reminders.Window(), nullptr);
  EXPECT_TRUE(reminders.Window()->IsSignal());
  EXPECT_EQ(reminders.Window()->windowTitle(), QString("時報"));
  EXPECT_EQ(reminders.Window()->MessageLabel()->text(), QString("11:00"));
  EXPECT_TRUE(reminders.Window()->windowFlags() & Qt::FramelessWindowHint);
  TickAt(11, 2, 0);  // 11:05 with 3 minutes
  ASSERT_NE(reminders.Window(), nullptr);
  EXPECT_FALSE(reminders.Window()->IsSignal());
  EXPECT_EQ(reminders.Window()->Notice().title, "次");
}

TEST_F(RemindersTest, TheSoundPlaysOnceInPlaceAndAnUnplayableFileBeepsOnce) {
  settings.alarm.wav = "/nowhere/alarm.wav";
  settings.alarm.clear = true;
  settings.alarm.show_time = 1;
  dir.Write("202612.sch", store::JoinLines({AlarmLine(11, "10:00", 1, 0, "会議")}));
  sound.playable = false;
  Load();
  TickAt(10, 0, 0);
  TDlgAlarm* w = reminders.Window();
  ASSERT_NE(w, nullptr);
  w->AnimationTimer()->stop();  // driven by hand below
  for (int i = 0; i < 50; ++i) w->TimAlarmTimer();
  EXPECT_EQ(sound.played, std::vector<std::string>{"/nowhere/alarm.wav"});
  EXPECT_EQ(sound.beeps, 1);
  // With Clear, 通常 closes itself after ShowTime seconds in place (100 ticks).
  for (int i = 0; i < 60; ++i) w->TimAlarmTimer();
  EXPECT_TRUE(test::WaitUntil([&] { return reminders.Window() == nullptr; }));
  EXPECT_EQ(sound.beeps, 1);
}

TEST_F(RemindersTest, AtTheStartTheLinkedFileIsOpenedOrReportedMissing) {
  settings.alarm.file_open = true;
  dir.Write("doc.txt", "x");
  dir.Write("202612.sch", store::JoinLines({AlarmLine(11, "10:00", 1, 0, "ある", "", "", dir / "doc.txt"),
                                           AlarmLine(11, "10:01", 1, 0, "ない", "", "", dir / "gone.txt"),
                                           AlarmLine(11, "10:15", 5, 0, "前", "", "", dir / "doc.txt")}));
  Load();
  TickAt(10, 0, 0);
  EXPECT_EQ(shell.opened, std::vector<std::string>{dir / "doc.txt"});
  TickAt(10, 1, 0);
  ASSERT_TRUE(test::WaitUntil([&] { return !dialogs.shown.empty(); }));
  EXPECT_EQ(dialogs.shown[0].text, "\"" + dir / "gone.txt" + "\" は存在しません。");
  EXPECT_EQ(dialogs.shown[0].caption, "ファイルエラー");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
  TickAt(10, 5, 0);  // ten minutes before: not opened
  EXPECT_EQ(shell.opened.size(), 1u);
}

TEST_F(RemindersTest, TheBalloonStyleUsesTheTrayAndFallsBackToTheWindow) {
  settings.alarm.type = 3;
  dir.Write("202612.sch", store::JoinLines({AlarmLine(11, "10:00", 5, 0, "会議"), AlarmLine(11, "10:30", 5, 0, "二")}));
  Load();
  std::vector<AlarmBalloon> balloons;
  bool tray = true;
  reminders.balloon = [&](const AlarmBalloon& b) {
    if (tray) balloons.push_back(b);
    return tray;
  };
  TickAt(9, 50, 0);
  ASSERT_EQ(balloons.size(), 1u);
  EXPECT_EQ(balloons[0].title, "開始時刻の通知");
  EXPECT_EQ(reminders.Window(), nullptr);
  tray = false;
  TickAt(10, 20, 0);
  ASSERT_NE(reminders.Window(), nullptr);
  EXPECT_EQ(reminders.Window()->Notice().title, "二");
}

TEST_F(RemindersTest, AddonsRunWithoutWaitingInAnEventLoopAndTheHooksFire) {
  dir.Write("tool.sh", "#!/bin/sh\n");
  ::chmod((dir / "tool.sh").c_str(), 0755);
  dir.Write("Addon.lst", "10:0011 " + dir / "tool.sh" + "\r\nSTART10 " + dir / "tool.sh" + " start\r\n");
  settings.view.scr_ud = true;
  settings.view.ud_time = 2;
  Load();
  std::vector<bool> waiting;
  int refreshed = 0, minutes = 0;
  std::vector<std::string> dates;
  reminders.on_waiting = [&](bool w) { waiting.push_back(w); };
  reminders.on_refresh = [&] { ++refreshed; };
  reminders.on_minute_passed = [&](const platform::LocalDateTime&) { ++minutes; };
  reminders.on_date_changed = [&](const store::Date& d) { dates.push_back(store::DateText(d)); };
  bool shown = false;
  reminders.window_shown = [&] { return shown; };
  TickAt(9, 59, 0);
  EXPECT_TRUE(processes.started.empty());  // START waits for the first show
  shown = true;
  TickAt(9, 59, 1);
  ASSERT_EQ(processes.started.size(), 1u);
  EXPECT_EQ(processes.started[0].arguments, std::vector<std::string>{"start"});
  EXPECT_TRUE(waiting.empty());  // START entry without the wait flag
  TickAt(10, 0, 0);
  ASSERT_EQ(processes.started.size(), 2u);
  EXPECT_EQ(waiting, std::vector<bool>{true});
  EXPECT_EQ(refreshed, 1);  // the periodic refresh of the second minute
  processes.running = false;
  ASSERT_TRUE(test::WaitUntil([&] { return waiting.size() == 2; }));
  EXPECT_EQ(waiting, (std::vector<bool>{true, false}));
  EXPECT_EQ(refreshed, 2);  // the waited add-on has ended
  TickAt(0, 0, 3, 12);
  EXPECT_EQ(dates, std::vector<std::string>{"2026/12/12"});
  EXPECT_EQ(minutes, 3);
}

TEST_F(RemindersTest, TodaysListComesFromTheMonthModelWhenItHoldsToday) {
  dir.Write("202612.sch", store::JoinLines({AlarmLine(11, "10:00", 5, 0, "ファイル")}));
  Load();
  reminders.today_alarms = [](const store::Date& d) -> std::optional<std::vector<std::string>> {
    if (d != store::MakeDate(2026, 12, 11)) return std::nullopt;
    return std::vector<std::string>{AlarmLine(11, "10:00", 5, 0, "モデル")};
  };
  TickAt(9, 50, 0);
  ASSERT_NE(reminders.Window(), nullptr);
  EXPECT_EQ(reminders.Window()->Notice().title, "モデル");
}

TEST_F(RemindersTest, ShowSignalNowShowsTheTimeWhateverTheMode) {
  settings.signal.form = "hh時nn分";
  Load();
  clock.Set(At(2026, 12, 11, 9, 7, 30));
  reminders.ShowSignalNow();
  ASSERT_NE(reminders.Window(), nullptr);
  EXPECT_TRUE(reminders.Window()->IsSignal());
  EXPECT_EQ(reminders.Window()->MessageLabel()->text(), QString("09時07分"));
  // It keeps ticking: a second later in ticks, the time is rewritten.
  clock.Set(At(2026, 12, 11, 9, 8, 0));
  reminders.Window()->AnimationTimer()->stop();
  for (int i = 0; i < 100; ++i) reminders.Window()->TimAlarmTimer();
  EXPECT_EQ(reminders.Window()->MessageLabel()->text(), QString("09時08分"));
}

}  // namespace
}  // namespace kal::reminders
