// What the notification window (TDlgAlarm) is shown with: its kind, texts and the settings of
// section Alarm or Signal. The settings dialog's test buttons build one from the settings it is
// editing; the minute's work builds one from the settings in force.
#pragma once

#include <optional>
#include <string>

#include "reminders/AlarmAnimation.h"
#include "reminders/AlarmCheck.h"
#include "store/Settings.h"

namespace kal::reminders {

// The window settings of one kind (section Alarm or Signal).
struct NotificationSettings {
  AlarmStyle style = AlarmStyle::Roll;  // Type 0..2 (the alarm's balloon, 3, never comes here)
  int position = 3;                     // Pos 0..4
  std::string wav;                      // played once in place; empty: silent
  bool clear = false;                   // leave by itself after show_time
  int show_time = 10;                   // seconds
  bool stay_on_top = true;
  // Signal only.
  std::string form = "h:nn";            // the time's date-time pattern
  bool text_only = true;                // Font: the text alone on a see-through background
  std::string font_name;                // FontName as stored (comma text of five items)
};

NotificationSettings AlarmWindowSettings(const store::Settings& settings);
NotificationSettings SignalWindowSettings(const store::Settings& settings);

// The alarm's Type 3: a tray balloon instead of the window.
inline constexpr int kAlarmTypeBalloon = 3;

// FontName of the signal: font name, size, style bits (1 bold, 2 italic, 4 underline, 8 strike
// out), text colour and background colour ($BBGGRR or decimal). Used only when it holds exactly
// five items; nothing otherwise (the default font and colours stay).
struct SignalFont {
  std::string name;
  int size = 0;
  int style = 0;
  int text_colour = 0;
  int back_colour = 0;
  friend bool operator==(const SignalFont&, const SignalFont&) = default;
};
std::optional<SignalFont> ReadSignalFont(const std::string& font_name);

// The see-through key colour of a text-only signal: black, or silver ($C0C0C0) when the text
// itself is black.
int SignalKeyColour(int text_colour);

}  // namespace kal::reminders
