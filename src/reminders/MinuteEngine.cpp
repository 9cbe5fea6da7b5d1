#include "reminders/MinuteEngine.h"

#include <algorithm>
#include <map>

#include "reminders/TimeSignal.h"

namespace kal::reminders {
namespace {

constexpr int kDayMinutes = 24 * 60;

// The alarm lists asked for during one tick, each date read once.
class LineCache {
 public:
  explicit LineCache(const EngineInputs& inputs) : inputs_(inputs) {}
  const std::vector<std::string>& Of(const store::Date& date) {
    const int key = store::DayNumber(date);
    auto it = cache_.find(key);
    if (it == cache_.end()) {
      it = cache_.emplace(key, inputs_.alarm_lines ? inputs_.alarm_lines(date) : std::vector<std::string>{}).first;
    }
    return it->second;
  }

 private:
  const EngineInputs& inputs_;
  std::map<int, std::vector<std::string>> cache_;
};

store::Date DateOf(std::int64_t count) { return store::FromDayNumber(static_cast<int>(count / kDayMinutes)); }
int MinuteOf(std::int64_t count) { return static_cast<int>(count % kDayMinutes); }

std::vector<AlarmNotice> DueAt(std::int64_t count, LineCache& lines, const EngineInputs& inputs) {
  const store::Date date = DateOf(count);
  return AlarmsDue(date, MinuteOf(count), lines.Of(date), lines.Of(store::AddDays(date, 1)), inputs.alarm_offsets,
                   inputs.alarm_mode);
}

}  // namespace

std::int64_t MinuteCount(const store::Date& date, int minute_of_day) {
  return static_cast<std::int64_t>(store::DayNumber(date)) * kDayMinutes + minute_of_day;
}

std::int64_t MinuteCount(const platform::LocalDateTime& at) { return MinuteCount(at.date, at.hour * 60 + at.minute); }

std::vector<MinuteAction> Tick(EngineState& state, const platform::LocalDateTime& now, const EngineInputs& inputs) {
  std::vector<MinuteAction> out;
  const std::int64_t current = MinuteCount(now);

  if (!state.start_addons_done && inputs.window_shown) {
    state.start_addons_done = true;
    for (const auto& e : EnabledAddons(inputs.addons, kTimingAfterStart)) {
      MinuteAction a;
      a.kind = ActionKind::StartAddon;
      a.date = now.date;
      a.minute = MinuteOf(current);
      a.addon = e;
      out.push_back(std::move(a));
    }
  }

  std::int64_t from = current;
  if (!state.last || current < *state.last - kSetBackLimit) {
    if (!state.today) state.today = now.date;
  } else if (current <= *state.last) {
    // The same minute again, or a clock set back: nothing is replayed. The date still follows
    // the clock, so the screen shows the right day.
    if (state.today != now.date) {
      state.today = now.date;
      MinuteAction a;
      a.kind = ActionKind::DateChange;
      a.date = now.date;
      a.minute = MinuteOf(current);
      out.push_back(std::move(a));
    }
    return out;
  } else {
    from = *state.last + 1;
  }
  state.last = current;

  LineCache lines(inputs);
  if (current - from >= kCatchUpMinutes) {
    const std::int64_t keep_from = current - kCatchUpMinutes + 1;
    MinuteAction missed;
    missed.kind = ActionKind::MissedAlarms;
    missed.date = now.date;
    missed.minute = MinuteOf(current);
    for (std::int64_t m = std::max(from, current - kDayMinutes); m < keep_from; ++m)
      for (auto& n : DueAt(m, lines, inputs)) missed.missed.push_back(std::move(n));
    if (!missed.missed.empty()) out.push_back(std::move(missed));
    from = keep_from;
  }

  bool refresh = false;
  for (std::int64_t m = from; m <= current; ++m) {
    const store::Date date = DateOf(m);
    const int minute = MinuteOf(m);
    auto action = [&](ActionKind kind) {
      MinuteAction a;
      a.kind = kind;
      a.date = date;
      a.minute = minute;
      return a;
    };
    if (state.today != date) {
      state.today = date;
      out.push_back(action(ActionKind::DateChange));
    }
    for (auto& n : DueAt(m, lines, inputs)) {
      MinuteAction a = action(ActionKind::Alarm);
      a.alarm = std::move(n);
      out.push_back(std::move(a));
    }
    if (m == current) {
      if (auto text = SignalDue(inputs.signal_mode, inputs.signal_list, minute)) {
        MinuteAction a = action(ActionKind::Signal);
        a.text = *text;
        out.push_back(std::move(a));
      }
    }
    for (const auto& e : EnabledAddons(inputs.addons, store::TimeText(minute / 60, minute % 60))) {
      MinuteAction a = action(ActionKind::Addon);
      a.addon = e;
      out.push_back(std::move(a));
    }
    if (inputs.scr_ud && ++state.refresh_counter >= std::max(1, inputs.ud_time)) {
      state.refresh_counter = 0;
      refresh = true;
    }
  }
  auto last_action = [&](ActionKind kind) {
    MinuteAction a;
    a.kind = kind;
    a.date = now.date;
    a.minute = MinuteOf(current);
    out.push_back(std::move(a));
  };
  if (inputs.now_line && !inputs.scr_ud) last_action(ActionKind::NowLine);
  if (refresh) last_action(ActionKind::Refresh);
  last_action(ActionKind::MinutePassed);
  return out;
}

std::string MissedAlarmsMessage(const std::vector<AlarmNotice>& missed) {
  std::string text = "次の開始時刻の通知は、時刻どおりに表示できませんでした。";
  for (const auto& n : missed) {
    text += "\n" + store::DateText(n.date) + " " + n.start + "  " + n.title + " (" +
            JapaneseClockText(n.due_minute) + "に通知予定)";
  }
  return text;
}

}  // namespace kal::reminders
