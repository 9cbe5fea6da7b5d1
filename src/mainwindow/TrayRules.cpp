#include "mainwindow/TrayRules.h"

#include "model/MonthModel.h"
#include "store/DatePattern.h"
#include "store/ScheduleFile.h"

namespace kal::mainwindow {

WindowAction WindowCommandAction(WindowCommand command, const TrayState& state, const WindowNow& now) {
  const WindowAction hide = state.tray_available ? WindowAction::Hide : WindowAction::Minimise;
  switch (command) {
    case WindowCommand::CloseButton:
      return state.close_tray ? hide : WindowAction::Close;
    case WindowCommand::MinimiseButton:
      return state.task_bar ? hide : WindowAction::Minimise;
    case WindowCommand::TrayCommand:
      return hide;
    case WindowCommand::TrayClick:
      if (!now.visible) return WindowAction::Show;
      return hide;
    case WindowCommand::Activate:
      if (!now.visible) return WindowAction::Show;
      if (now.minimised) return WindowAction::Restore;
      return WindowAction::Raise;
  }
  return WindowAction::Raise;
}

bool TaskBarButtonHidden(const TrayState& state) { return state.task_bar && state.tray_available; }

TrayMenuText TrayMenuCaptions(bool window_shown, bool mini_mode) {
  return TrayMenuText{window_shown ? "タスクトレイに入れる(&R)" : "タスクトレイから出す(&S)",
                      mini_mode ? "元のサイズに戻す(&S)" : "ミニカレンダー(&N)"};
}

int TrayDayKind(int model_kind, int weekday_number) {
  if (model_kind != store::kDayNone) return model_kind;
  if (weekday_number == 1) return store::kDaySunday;
  if (weekday_number == 7) return store::kDaySaturday;
  return store::kDayWeekday;
}

int TrayDayColour(int day_kind, const store::ColorSettings& colours) {
  switch (day_kind) {
    case store::kDayPublicHoliday: return colours.syu.text;
    case store::kDayPrivateHoliday: return colours.kyu.text;
    case store::kDaySaturday: return colours.sat.text;
    case store::kDaySunday: return colours.sun.text;
    default: return colours.day.text;
  }
}

std::string TrayTip(const Date& today) { return store::FormatDatePattern("yyyy年m月d日(aaa)", today); }
std::string MinimisedTitle(const Date& today) { return store::FormatDatePattern("yyyy/m/d(aaa)", today); }

HotKeyParts HotKeyPartsOf(int shortcut) {
  return HotKeyParts{(shortcut & 0x8000) != 0, (shortcut & 0x4000) != 0, (shortcut & 0x2000) != 0, shortcut & 0xFF};
}

int HotKeyValue(const HotKeyParts& parts) {
  return (parts.alt ? 0x8000 : 0) | (parts.ctrl ? 0x4000 : 0) | (parts.shift ? 0x2000 : 0) | (parts.key & 0xFF);
}

std::string HotKeyName(int key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= 112 && key <= 135) return "F" + std::to_string(key - 111);
  if (key >= 0x60 && key <= 0x69) return "Num " + std::to_string(key - 0x60);
  static const std::pair<int, const char*> kNames[] = {
      {0x20, "Space"}, {0x21, "PageUp"}, {0x22, "PageDown"}, {0x23, "End"},    {0x24, "Home"},   {0x25, "Left"},
      {0x26, "Up"},    {0x27, "Right"},  {0x28, "Down"},     {0x2D, "Insert"}, {0x2E, "Delete"},
  };
  for (const auto& [code, name] : kNames) {
    if (code == key) return name;
  }
  return "#" + std::to_string(key);
}

std::string HotKeyText(int shortcut) {
  const HotKeyParts parts = HotKeyPartsOf(shortcut);
  if (parts.key == 0) return {};
  std::string text;
  if (parts.ctrl) text += "Ctrl+";
  if (parts.shift) text += "Shift+";
  if (parts.alt) text += "Alt+";
  return text + HotKeyName(parts.key);
}

std::optional<int> WantedHotKey(const store::TraySettings& tray) {
  if (tray.tray_act_key != 1) return std::nullopt;
  return tray.hot_tray_act != 0 ? tray.hot_tray_act : kDefaultHotKey;
}

std::string HotKeyFailureText(int shortcut) {
  return "ホットキー " + HotKeyText(shortcut) +
         " を登録できませんでした(ほかのプログラムが使用中か、このデスクトップでは使えません)。";
}

namespace {

std::string SignalText(int hour, int minute) {
  return std::to_string(hour % 24) + ":" + (minute < 10 ? "0" : "") + std::to_string(minute);
}

}  // namespace

std::optional<std::string> NextSignalTime(int mode, const store::TimeOfDay& now, const std::vector<std::string>& table) {
  switch (mode) {
    case 1:
      return SignalText(now.hour + 1, 0);
    case 2:
      return now.minute >= 30 ? SignalText(now.hour + 1, 0) : SignalText(now.hour, 30);
    case 3: {
      std::optional<store::TimeOfDay> first;
      for (const std::string& line : table) {
        const auto t = store::ParseTimeText(line);
        if (!t) continue;
        if (!first) first = t;
        if (t->hour * 60 + t->minute > now.hour * 60 + now.minute) return SignalText(t->hour, t->minute);
      }
      if (first) return SignalText(first->hour, first->minute);
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

std::string SignalTip(const std::string& time) { return "次の時報は " + time + " です"; }

AlarmMark AlarmMarkOf(const std::vector<std::string>& today_alarms, const store::TimeOfDay& now, int second) {
  AlarmMark mark;
  const int current = now.hour * 60 + now.minute;
  int next_start = 24 * 60;
  for (const std::string& line : today_alarms) {
    const store::ScheduleFields fields = store::ReadScheduleLine(line);
    const std::optional<store::TimeOfDay> start = store::ParseTimeText(fields.start);
    if (!start || (fields.alarm1 == 0 && fields.alarm2 == 0)) continue;
    const int minute = start->hour * 60 + start->minute;
    if (minute > current || (minute == current && second == 0)) mark.pending = true;
    if (minute > current && minute < next_start) {
      next_start = minute;
      mark.tip = fields.start + (fields.end.empty() ? "" : "-" + fields.end) + " " + fields.title;
    }
  }
  return mark;
}

}  // namespace kal::mainwindow
