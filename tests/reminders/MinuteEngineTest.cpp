#include "reminders/MinuteEngine.h"

#include <gtest/gtest.h>

#include <map>

#include "reminders/ReminderFixtures.h"

namespace kal::reminders {
namespace {

using test::AlarmLine;
using test::At;

// Inputs whose alarm lists come from a map of dates, counting the reads.
struct Fixture {
  std::map<int, std::vector<std::string>> lists;
  int reads = 0;
  EngineInputs inputs;

  Fixture() {
    inputs.alarm_offsets = {0, 1, 3, 5, 10, 15, 20, 30, 60};
    inputs.scr_ud = false;
    inputs.alarm_lines = [this](const store::Date& d) {
      ++reads;
      auto it = lists.find(store::DayNumber(d));
      return it == lists.end() ? std::vector<std::string>{} : it->second;
    };
  }
  void Put(int y, int m, int d, std::vector<std::string> lines) {
    lists[store::DayNumber(store::MakeDate(y, m, d))] = std::move(lines);
  }
};

// "hh:nn kind detail" for each action.
std::vector<std::string> Describe(const std::vector<MinuteAction>& actions) {
  std::vector<std::string> out;
  for (const auto& a : actions) {
    std::string s = store::TimeText(a.minute / 60, a.minute % 60) + " ";
    switch (a.kind) {
      case ActionKind::StartAddon: s += "start " + a.addon.program; break;
      case ActionKind::DateChange: s += "date " + store::DateText(a.date); break;
      case ActionKind::Alarm: s += "alarm " + a.alarm.title; break;
      case ActionKind::Signal: s += "signal " + a.text; break;
      case ActionKind::Addon: s += "addon " + a.addon.program; break;
      case ActionKind::NowLine: s += "nowline"; break;
      case ActionKind::Refresh: s += "refresh"; break;
      case ActionKind::MinutePassed: s += "minute"; break;
      case ActionKind::MissedAlarms:
        s += "missed";
        for (const auto& n : a.missed) s += " " + n.title;
        break;
    }
    out.push_back(s);
  }
  return out;
}

// Everything but the MinutePassed actions.
std::vector<std::string> Work(const std::vector<MinuteAction>& actions) {
  std::vector<std::string> out;
  for (auto& s : Describe(actions))
    if (s.find(" minute") == std::string::npos) out.push_back(s);
  return out;
}

TEST(MinuteEngine, EachMinuteRunsOnceWhateverSecondTheTicksLandOn) {
  Fixture f;
  f.Put(2026, 12, 11, {AlarmLine(11, "10:00", 5, 0, "会議")});  // due 09:50
  // Ticks once a second from a given second, or only on one second of each minute (a coarse
  // timer); the alarm comes once, at the first tick within 09:50.
  for (int second : {0, 13, 59}) {
    for (int step : {1, 60}) {
      SCOPED_TRACE(std::to_string(second) + "/" + std::to_string(step));
      EngineState state;
      std::vector<std::string> alarms;
      std::vector<int> seconds;
      for (int t = 9 * 3600 + 48 * 60 + second; t < 9 * 3600 + 53 * 60; t += step) {
        for (const auto& a : Tick(state, At(2026, 12, 11, t / 3600, t / 60 % 60, t % 60), f.inputs)) {
          if (a.kind == ActionKind::Alarm) {
            alarms.push_back(a.alarm.title);
            seconds.push_back(t % 60);
          }
        }
      }
      EXPECT_EQ(alarms, std::vector<std::string>{"会議"});
      EXPECT_EQ(seconds, std::vector<int>{step == 1 ? 0 : second});
    }
  }
}

TEST(MinuteEngine, TheFirstTickProcessesItsOwnMinute) {
  Fixture f;
  f.Put(2026, 12, 11, {AlarmLine(11, "10:00", 5, 0, "会議")});
  EngineState state;
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 9, 50, 42), f.inputs)), std::vector<std::string>{"09:50 alarm 会議"});
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 9, 50, 43), f.inputs)), std::vector<std::string>{});
}

TEST(MinuteEngine, AGapCatchesUpTheLastFiveMinutesAndSummarisesOlderAlarms) {
  Fixture f;
  f.Put(2026, 12, 11, {AlarmLine(11, "10:00", 9, 0, "早朝"),   // 09:00, before the program ran
                       AlarmLine(11, "10:00", 7, 0, "前半"),   // 09:40: dropped
                       AlarmLine(11, "09:56", 3, 0, "後半"),   // 09:53: caught up
                       AlarmLine(11, "10:00", 4, 0, "今")});   // 09:55: the tick's own minute
  EngineState state;
  Tick(state, At(2026, 12, 11, 9, 30, 5), f.inputs);
  // The machine sleeps from 09:30 to 09:55: 09:51..09:55 are caught up, 09:31..09:50 dropped.
  EXPECT_EQ(Describe(Tick(state, At(2026, 12, 11, 9, 55, 31), f.inputs)),
            (std::vector<std::string>{"09:55 missed 前半", "09:53 alarm 後半", "09:55 alarm 今", "09:55 minute"}));
  // A gap of exactly five minutes drops nothing.
  EngineState exact;
  Tick(exact, At(2026, 12, 11, 9, 48, 0), f.inputs);
  EXPECT_EQ(Work(Tick(exact, At(2026, 12, 11, 9, 53, 0), f.inputs)), std::vector<std::string>{"09:53 alarm 後半"});
  // A gap without alarms in its dropped part gives no summary.
  EngineState quiet;
  Tick(quiet, At(2026, 12, 11, 10, 30, 0), f.inputs);
  EXPECT_EQ(Describe(Tick(quiet, At(2026, 12, 11, 11, 30, 0), f.inputs)), std::vector<std::string>{"11:30 minute"});
}

TEST(MinuteEngine, CaughtUpMinutesKeepTheirOwnAlarmsAndAddons) {
  Fixture f;
  f.Put(2026, 12, 11, {AlarmLine(11, "10:00", 5, 0, "後半")});  // 09:50
  AddonEntry timed = ReadAddonLine("09:5111 /bin/true");
  f.inputs.addons = {timed};
  EngineState state;
  Tick(state, At(2026, 12, 11, 9, 48, 59), f.inputs);
  // A busy minute and a half: 09:49, 09:50 and 09:51 are all processed at once, in order.
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 9, 51, 30), f.inputs)),
            (std::vector<std::string>{"09:50 alarm 後半", "09:51 addon /bin/true"}));
  // Each date's list was read once however many minutes were processed.
  EXPECT_LE(f.reads, 4);
}

TEST(MinuteEngine, AClockSetBackNeverReplaysAMinute) {
  Fixture f;
  f.Put(2026, 12, 11, {AlarmLine(11, "10:00", 5, 0, "会議"), AlarmLine(11, "10:10", 5, 0, "次")});
  EngineState state;
  Tick(state, At(2026, 12, 11, 9, 49, 0), f.inputs);
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 9, 50, 0), f.inputs)), std::vector<std::string>{"09:50 alarm 会議"});
  // Back by ten minutes: the minutes up to 09:50 were done; 09:51 onwards run again normally.
  EXPECT_EQ(Describe(Tick(state, At(2026, 12, 11, 9, 40, 0), f.inputs)), std::vector<std::string>{});
  EXPECT_EQ(Describe(Tick(state, At(2026, 12, 11, 9, 50, 0), f.inputs)), std::vector<std::string>{});
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 10, 0, 0), f.inputs)), std::vector<std::string>{"10:00 alarm 次"});
  // A clock corrected by more than a day starts afresh from the new time.
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 9, 9, 50, 0), f.inputs)), std::vector<std::string>{"09:50 date 2026/12/09"});
}

TEST(MinuteEngine, MidnightChangesTheDateOnceAndKeepsTomorrowsEarlyAlarm) {
  Fixture f;
  f.Put(2026, 12, 12, {AlarmLine(12, "00:10", 8, 0, "深夜"), AlarmLine(12, "00:03", 3, 0, "直後")});
  EngineState state;
  std::vector<std::string> seen;
  for (int m = 23 * 60 + 39; m < 24 * 60; ++m)
    for (auto& s : Work(Tick(state, At(2026, 12, 11, m / 60, m % 60, 30), f.inputs))) seen.push_back(s);
  for (int s = 0; s < 200; ++s)
    for (auto& w : Work(Tick(state, At(2026, 12, 12, 0, s / 60, s % 60), f.inputs))) seen.push_back(w);
  EXPECT_EQ(seen, (std::vector<std::string>{"23:40 alarm 深夜", "00:00 date 2026/12/12", "00:00 alarm 直後"}));
}

TEST(MinuteEngine, DateChangeComparesWholeDates) {
  // The 11th of one month to the 11th of the next (a machine asleep for a month) is a new date,
  // changed with the first minute caught up.
  Fixture f;
  EngineState state;
  Tick(state, At(2026, 11, 11, 8, 0), f.inputs);
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 8, 0), f.inputs)), std::vector<std::string>{"07:56 date 2026/12/11"});
}

TEST(MinuteEngine, SignalsAlarmsAndAddonsComeInTheirOrder) {
  Fixture f;
  f.Put(2026, 12, 11, {AlarmLine(11, "14:10", 5, 0, "一"), AlarmLine(11, "14:05", 4, 0, "二")});
  f.inputs.signal_mode = 1;
  f.inputs.addons = {ReadAddonLine("14:0001 /bin/off"), ReadAddonLine("14:0011 /bin/on"),
                     ReadAddonLine("START11 /bin/first")};
  EngineState state;
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 14, 0, 7), f.inputs)),
            (std::vector<std::string>{"14:00 start /bin/first", "14:00 alarm 一", "14:00 alarm 二", "14:00 signal ",
                                      "14:00 addon /bin/on"}));
}

TEST(MinuteEngine, StartAddonsRunOnceAfterTheWindowIsShown) {
  Fixture f;
  f.inputs.addons = {ReadAddonLine("START11 /bin/a"), ReadAddonLine("START01 /bin/off"),
                     ReadAddonLine("KIDOU11 /bin/before")};
  f.inputs.window_shown = false;
  EngineState state;
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 8, 0, 1), f.inputs)), std::vector<std::string>{});
  f.inputs.window_shown = true;
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 8, 0, 2), f.inputs)), std::vector<std::string>{"08:00 start /bin/a"});
  EXPECT_TRUE(state.start_addons_done);
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 8, 1, 0), f.inputs)), std::vector<std::string>{});
}

TEST(MinuteEngine, PeriodicRefreshAndCurrentTimeLine) {
  Fixture f;
  f.inputs.scr_ud = true;
  f.inputs.ud_time = 3;
  f.inputs.now_line = true;
  EngineState state;
  std::vector<std::string> seen;
  for (int m = 0; m < 7; ++m)
    for (auto& s : Work(Tick(state, At(2026, 12, 11, 10, m, 0), f.inputs))) seen.push_back(s);
  // Every third minute; no current-time line while the periodic refresh is on.
  EXPECT_EQ(seen, (std::vector<std::string>{"10:02 refresh", "10:05 refresh"}));
  f.inputs.scr_ud = false;
  EXPECT_EQ(Describe(Tick(state, At(2026, 12, 11, 10, 7, 0), f.inputs)),
            (std::vector<std::string>{"10:07 nowline", "10:07 minute"}));
}

TEST(MinuteEngine, ASignalForAMinuteAlreadyPastIsNotShown) {
  Fixture f;
  f.inputs.signal_mode = 2;
  EngineState state;
  Tick(state, At(2026, 12, 11, 13, 58, 0), f.inputs);
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 14, 1, 0), f.inputs)), std::vector<std::string>{});
  EXPECT_EQ(Work(Tick(state, At(2026, 12, 11, 14, 30, 0), f.inputs)), std::vector<std::string>{"14:30 signal "});
}

TEST(MissedAlarmsMessage, ListsEachDroppedAlarm) {
  AlarmNotice n;
  n.date = store::MakeDate(2026, 12, 11);
  n.start = "10:00";
  n.title = "会議";
  n.due_minute = 9 * 60 + 40;
  EXPECT_EQ(MissedAlarmsMessage({n}),
            "次の開始時刻の通知は、時刻どおりに表示できませんでした。\n2026/12/11 10:00  会議 (9時40分に通知予定)");
}

}  // namespace
}  // namespace kal::reminders
