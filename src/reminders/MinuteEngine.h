// The minute engine: what the main window's one-second timer (`TimSch`) does, as a pure function
// of the remembered state, the clock reading and the data it is given.
//
// Each tick (whatever its second) the engine works through every minute since the last one it
// processed, so the work of a minute runs exactly once:
//  - the first tick processes its own minute;
//  - minutes missed while the program was busy or the machine slept are caught up, at most the
//    last kCatchUpMinutes of them; older ones are dropped, and when the dropped minutes (of the
//    last day) held alarms they come back as one MissedAlarms action;
//  - a clock set back by up to a day never replays a minute: nothing is processed until the
//    clock passes the last processed minute again (a clock set back further starts afresh).
//
// The actions of one processed minute, in this order:
//   DateChange   the minute's date differs from the remembered date (whole dates compared)
//   Alarm        every schedule alarm due at the minute, today's list then tomorrow's
//   Signal       the time signal, only for the current minute (a signal for a past minute would
//                show a wrong time)
//   Addon        every enabled add-on whose timing is the minute "hh:nn", in file order
//   NowLine      the current-time line of the vertical views may move (NowLine on, ScrUd off)
//   Refresh      the periodic refresh: every UdTime-th minute while ScrUd is on
//   MinutePassed always, last: views and panels that follow the clock hook in here
// Before the first minute of the first tick after the window was shown, StartAddon actions run
// the enabled "START" add-ons once. Of NowLine, Refresh and MinutePassed at most one each comes
// out of one tick (the last minute's), however many minutes it caught up.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "reminders/Addon.h"
#include "reminders/AlarmCheck.h"
#include "store/DateText.h"

namespace kal::reminders {

inline constexpr int kCatchUpMinutes = 5;
// A clock set back by more than this many minutes is taken as a corrected clock: the engine
// starts again from the new time.
inline constexpr std::int64_t kSetBackLimit = 24 * 60;

// A minute as a count: day number (from 30 December 1899) × 1440 + minute of the day.
std::int64_t MinuteCount(const store::Date& date, int minute_of_day);
std::int64_t MinuteCount(const platform::LocalDateTime& at);

// What the engine remembers between ticks (the main window keeps it; the CLI too).
struct EngineState {
  std::optional<std::int64_t> last;  // the last minute processed
  std::optional<store::Date> today;  // the date of the last date change (or of the first tick)
  bool start_addons_done = false;
  int refresh_counter = 0;
};

// What the engine reads. `alarm_lines` gives a date's alarm list (DayAlarmLines); the window
// answers today's from the month model and reads other days from the month files.
struct EngineInputs {
  std::function<std::vector<std::string>(const store::Date&)> alarm_lines;
  std::vector<int> alarm_offsets;        // the alarm table
  int alarm_mode = 0;                    // Alarm Mode (2: also at the start time)
  int signal_mode = 0;                   // Signal Mode
  std::vector<std::string> signal_list;  // SigTime.tbl, used with Mode 3
  std::vector<AddonEntry> addons;
  bool window_shown = true;              // START add-ons wait for the first show
  bool now_line = false;                 // the shown view's NowLine
  bool scr_ud = true;                    // View ScrUd
  int ud_time = 3;                       // View UdTime (minutes; 0 counts as 1)
};

enum class ActionKind { StartAddon, DateChange, Alarm, Signal, Addon, NowLine, Refresh, MinutePassed, MissedAlarms };

struct MinuteAction {
  ActionKind kind = ActionKind::MinutePassed;
  store::Date date{};                  // the minute's date (DateChange: the new date)
  int minute = 0;                      // the minute of the day, 0..1439
  AlarmNotice alarm;                   // Alarm
  std::string text;                    // Signal: its text (may be empty)
  AddonEntry addon;                    // StartAddon, Addon
  std::vector<AlarmNotice> missed;     // MissedAlarms: the alarms of the dropped minutes
};

// One tick at `now`. Updates `state` (the START flag before the StartAddon actions are returned,
// so a failing add-on is never started again) and returns what to do, in order.
std::vector<MinuteAction> Tick(EngineState& state, const platform::LocalDateTime& now, const EngineInputs& inputs);

// The message that reports alarms dropped after a long gap (caption "開始時刻の通知").
std::string MissedAlarmsMessage(const std::vector<AlarmNotice>& missed);

}  // namespace kal::reminders
