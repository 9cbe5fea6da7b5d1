#include "mainwindow/TrayRules.h"

#include <gtest/gtest.h>

#include "model/MonthModel.h"
#include "store/ScheduleFile.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;

// ---- Which command hides, shows or minimises -----------------------------------------------

struct CommandCase {
  const char* what;
  WindowCommand command;
  TrayState state;
  WindowNow now;
  WindowAction expected;
};

TEST(TrayRulesTest, WindowCommandsPerSettingCombination) {
  const TrayState plain{true, false, false};
  const TrayState close_tray{true, true, false};
  const TrayState task_bar{true, false, true};
  const TrayState both_no_tray{false, true, true};
  const WindowNow shown{true, false}, hidden{false, false}, minimised{true, true};
  const CommandCase cases[] = {
      {"close ends the program", WindowCommand::CloseButton, plain, shown, WindowAction::Close},
      {"close with CloseTray hides", WindowCommand::CloseButton, close_tray, shown, WindowAction::Hide},
      {"close with TaskBar alone ends", WindowCommand::CloseButton, task_bar, shown, WindowAction::Close},
      {"close with CloseTray, no tray minimises", WindowCommand::CloseButton, both_no_tray, shown,
       WindowAction::Minimise},
      {"minimise minimises", WindowCommand::MinimiseButton, plain, shown, WindowAction::Minimise},
      {"minimise with CloseTray alone minimises", WindowCommand::MinimiseButton, close_tray, shown,
       WindowAction::Minimise},
      {"minimise with TaskBar hides", WindowCommand::MinimiseButton, task_bar, shown, WindowAction::Hide},
      {"minimise with TaskBar, no tray minimises", WindowCommand::MinimiseButton, both_no_tray, shown,
       WindowAction::Minimise},
      {"F3 hides", WindowCommand::TrayCommand, plain, shown, WindowAction::Hide},
      {"F3 without tray minimises", WindowCommand::TrayCommand, both_no_tray, shown, WindowAction::Minimise},
      {"tray click on a shown window hides", WindowCommand::TrayClick, plain, shown, WindowAction::Hide},
      {"tray click on a hidden window shows", WindowCommand::TrayClick, plain, hidden, WindowAction::Show},
      {"activate shows a hidden window", WindowCommand::Activate, plain, hidden, WindowAction::Show},
      {"activate restores a minimised one", WindowCommand::Activate, task_bar, minimised, WindowAction::Restore},
      {"activate raises a shown one", WindowCommand::Activate, close_tray, shown, WindowAction::Raise},
      {"activate without tray still shows a hidden window", WindowCommand::Activate, both_no_tray, hidden,
       WindowAction::Show},
  };
  for (const CommandCase& c : cases) {
    EXPECT_EQ(WindowCommandAction(c.command, c.state, c.now), c.expected) << c.what;
  }
}

TEST(TrayRulesTest, TaskBarButtonOnlyGoesWithATray) {
  EXPECT_TRUE(TaskBarButtonHidden({true, false, true}));
  EXPECT_FALSE(TaskBarButtonHidden({false, false, true})) << "without a tray the task bar is the way back";
  EXPECT_FALSE(TaskBarButtonHidden({true, true, false}));
}

TEST(TrayRulesTest, WithoutATrayNoCommandEverHides) {
  for (int command = 0; command <= static_cast<int>(WindowCommand::Activate); ++command) {
    for (int bits = 0; bits < 4; ++bits) {
      for (const WindowNow now : {WindowNow{true, false}, WindowNow{true, true}, WindowNow{false, false}}) {
        const TrayState state{false, (bits & 1) != 0, (bits & 2) != 0};
        EXPECT_NE(WindowCommandAction(static_cast<WindowCommand>(command), state, now), WindowAction::Hide)
            << "command " << command << " settings " << bits;
      }
    }
  }
}

// Clicking the tray icon twice hides and shows the window again.
TEST(TrayRulesTest, TwoTrayClicksHideThenShow) {
  WindowNow now{true, false};
  const TrayState state{};
  ASSERT_EQ(WindowCommandAction(WindowCommand::TrayClick, state, now), WindowAction::Hide);
  now.visible = false;
  EXPECT_EQ(WindowCommandAction(WindowCommand::TrayClick, state, now), WindowAction::Show);
}

// ---- Tray menu -------------------------------------------------------------------------------

TEST(TrayRulesTest, TrayMenuCaptionsFollowWindowAndMiniMode) {
  EXPECT_EQ(TrayMenuCaptions(true, false).size, "タスクトレイに入れる(&R)");
  EXPECT_EQ(TrayMenuCaptions(false, false).size, "タスクトレイから出す(&S)");
  EXPECT_EQ(TrayMenuCaptions(true, false).mini, "ミニカレンダー(&N)");
  EXPECT_EQ(TrayMenuCaptions(false, true).mini, "元のサイズに戻す(&S)");
}

TEST(TrayRulesTest, TrayPasswordLocksItemsUntilAccepted) {
  TrayLock lock;
  lock.Hidden(false);
  EXPECT_TRUE(lock.ItemsEnabled()) << "hiding without Passwd2 keeps the items";
  lock.Hidden(true);
  EXPECT_FALSE(lock.ItemsEnabled());
  lock.Hidden(false);
  EXPECT_FALSE(lock.ItemsEnabled()) << "a wrong or cancelled password keeps them disabled";
  lock.Unlocked();
  EXPECT_TRUE(lock.ItemsEnabled());
}

// ---- Tray picture and texts ------------------------------------------------------------------

TEST(TrayRulesTest, TrayColourPerDayKind) {
  store::ColorSettings colours;
  colours.syu = {0x0000FF, 1};
  colours.kyu = {0x0080FF, 2};
  colours.sat = {0xFF0000, 3};
  colours.sun = {0x0000C0, 4};
  colours.day = {0x000000, 5};
  struct Case {
    int kind;
    int colour;
  };
  for (const Case c : {Case{store::kDayPublicHoliday, 0x0000FF}, Case{store::kDayPrivateHoliday, 0x0080FF},
                       Case{store::kDaySaturday, 0xFF0000}, Case{store::kDaySunday, 0x0000C0},
                       Case{store::kDayWeekday, 0x000000}}) {
    EXPECT_EQ(TrayDayColour(c.kind, colours), c.colour) << "kind " << c.kind;
  }
  // A holiday on a Sunday keeps the holiday's kind from the model.
  EXPECT_EQ(TrayDayKind(store::kDayPublicHoliday, 1), store::kDayPublicHoliday);
  // A day outside the loaded months falls back to its weekday.
  EXPECT_EQ(TrayDayKind(store::kDayNone, 1), store::kDaySunday);
  EXPECT_EQ(TrayDayKind(store::kDayNone, 7), store::kDaySaturday);
  EXPECT_EQ(TrayDayKind(store::kDayNone, 4), store::kDayWeekday);
}

TEST(TrayRulesTest, TipAndMinimisedTitle) {
  EXPECT_EQ(TrayTip(MakeDate(2026, 12, 13)), "2026年12月13日(日)");
  EXPECT_EQ(TrayTip(MakeDate(2027, 1, 4)), "2027年1月4日(月)");
  EXPECT_EQ(MinimisedTitle(MakeDate(2027, 1, 4)), "2027/1/4(月)");
}

TEST(TrayRulesTest, HotKeyValueParts) {
  const HotKeyParts ctrl_alt_s = HotKeyPartsOf(kDefaultHotKey);
  EXPECT_EQ(ctrl_alt_s, (HotKeyParts{true, true, false, 'S'}));
  EXPECT_EQ(HotKeyValue(ctrl_alt_s), kDefaultHotKey);
  EXPECT_EQ(HotKeyText(kDefaultHotKey), "Ctrl+Alt+S");
  EXPECT_EQ(HotKeyText(HotKeyValue({false, false, true, 123})), "Shift+F12");
  EXPECT_EQ(HotKeyText(0), "");
  struct Case {
    int key;
    const char* name;
  };
  for (const Case c : {Case{'A', "A"}, Case{'9', "9"}, Case{112, "F1"}, Case{135, "F24"}, Case{0x20, "Space"},
                       Case{0x21, "PageUp"}, Case{0x28, "Down"}, Case{0x2E, "Delete"}, Case{0x60, "Num 0"},
                       Case{0x69, "Num 9"}, Case{0xBA, "#186"}}) {
    EXPECT_EQ(HotKeyName(c.key), c.name) << c.key;
  }
  EXPECT_EQ(HotKeyText(0x8000 | 0x2000 | 0x24), "Shift+Alt+Home");
}

TEST(TrayRulesTest, WantedHotKeyBySettings) {
  struct Case {
    int tray_act_key;
    int hot_tray_act;
    std::optional<int> expected;
  };
  for (const Case c : {Case{1, 0, kDefaultHotKey}, Case{1, 0x4000 | 'J', 0x4000 | 'J'}, Case{0, 0x4000 | 'J', {}},
                       Case{2, 49235, {}}}) {
    store::TraySettings tray;
    tray.tray_act_key = c.tray_act_key;
    tray.hot_tray_act = c.hot_tray_act;
    EXPECT_EQ(WantedHotKey(tray), c.expected) << c.tray_act_key << " " << c.hot_tray_act;
  }
}

TEST(TrayRulesTest, HotKeyFailureReportedOncePerKey) {
  EXPECT_EQ(HotKeyFailureText(kDefaultHotKey),
            "ホットキー Ctrl+Alt+S を登録できませんでした(ほかのプログラムが使用中か、このデスクトップでは使えません)。");
  HotKeyReports reports;
  EXPECT_TRUE(reports.FirstFailure(kDefaultHotKey));
  EXPECT_FALSE(reports.FirstFailure(kDefaultHotKey));
  EXPECT_TRUE(reports.FirstFailure(0x4000 | 'J')) << "a different key is reported again";
  EXPECT_FALSE(reports.FirstFailure(kDefaultHotKey)) << "going back to a reported key stays silent";
}

// ---- Time-signal tip ---------------------------------------------------------------------------

TEST(TrayRulesTest, NextSignalTime) {
  const std::vector<std::string> table = {"08:00", "12:15", "18:30"};
  struct Case {
    int mode;
    store::TimeOfDay now;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {2, {10, 40}, "11:00"}, {2, {10, 10}, "10:30"}, {2, {10, 30}, "11:00"}, {2, {23, 45}, "0:00"},
      {1, {23, 20}, "0:00"},  {1, {9, 0}, "10:00"},   {3, {12, 15}, "18:30"}, {3, {7, 59}, "8:00"},
      {3, {19, 0}, "8:00"},   {0, {10, 0}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextSignalTime(c.mode, c.now, table), c.expected) << c.mode << " " << c.now.hour << ":" << c.now.minute;
  }
  EXPECT_EQ(NextSignalTime(3, {10, 0}, {}), std::nullopt);
  EXPECT_EQ(SignalTip("11:00"), "次の時報は 11:00 です");
}

}  // namespace
}  // namespace kal::mainwindow

namespace kal::mainwindow {
namespace {

// A schedule line of today with a start, an end, an alarm code and a title.
std::string AlarmLine(const char* start, const char* end, int alarm, const char* title) {
  store::ScheduleFields f;
  f.day = 11;
  f.start = start;
  f.end = end;
  f.alarm1 = alarm;
  f.title = title;
  return store::BuildScheduleLine(f).line;
}

TEST(StatusAlarmMark, ShownUntilTheLastAlarmedStartPassesWithTheNextOneAsTip) {
  const std::vector<std::string> alarms = {AlarmLine("09:00", "10:00", 1, "朝会"), AlarmLine("13:30", "", 2, "歯医者"),
                                           AlarmLine("11:00", "12:00", 0, "無音")};
  struct Case {
    int hour, minute, second;
    AlarmMark mark;
  } cases[] = {
      {8, 0, 0, {true, "09:00-10:00 朝会"}},
      {9, 0, 0, {true, "13:30 歯医者"}},   // 09:00:00 has not passed yet; the tip is the next start
      {13, 30, 0, {true, ""}},             // the last start, at its own second 0
      {13, 30, 1, {false, ""}},
      {23, 59, 0, {false, ""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AlarmMarkOf(alarms, {c.hour, c.minute}, c.second), c.mark) << c.hour << ":" << c.minute;
  }
  EXPECT_FALSE(AlarmMarkOf({}, {0, 0}, 0).pending);
}

}  // namespace
}  // namespace kal::mainwindow
