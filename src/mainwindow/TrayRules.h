// The rules of the task tray: what each window command does with the window in each setting
// combination, the tray menu's captions and items, the tray picture's colour, the tray tip and
// the minimised title, the hot key's parts and the time-signal tip of the status bar.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "store/DateText.h"
#include "store/Settings.h"

namespace kal::mainwindow {

using store::Date;

// What is done with the main window.
enum class WindowAction {
  Close,     // the window closes (the program ends)
  Hide,      // hidden into the tray
  Minimise,  // minimised to the task bar
  Show,      // shown again from the tray
  Restore,   // restored from minimised
  Raise,     // already shown: brought to the front
};

// The commands that can hide, show or minimise the window.
enum class WindowCommand {
  CloseButton,     // the window's close button
  MinimiseButton,  // the window's minimise button
  TrayCommand,     // "タスクトレイに格納(&K)" (F3, toolbar "常駐", grid pop-up) and the tray menu's hide
  TrayClick,       // a left click on the tray icon
  Activate,        // the hot key or a second start (`FormActive`)
};

struct TrayState {
  bool tray_available = true;  // the desktop has a notification area
  bool close_tray = false;     // [Tray] CloseTray
  bool task_bar = false;       // [Window] TaskBar
};

struct WindowNow {
  bool visible = true;    // shown (not hidden into the tray)
  bool minimised = false;
};

// Without a notification area nothing is ever hidden: hiding minimises instead, so the window
// always stays within reach of the task bar.
WindowAction WindowCommandAction(WindowCommand command, const TrayState& state, const WindowNow& now);

// [Window] TaskBar: the window has no task-bar button, as long as the tray can bring it back.
bool TaskBarButtonHidden(const TrayState& state);

// The commands that hide the window (F3 and its toolbar and pop-up twins) are disabled without a
// notification area, with this tooltip.
inline constexpr const char* kNoTrayTip = "通知領域(タスクトレイ)がないため使用できません";

// The tray menu `PopTrayMain`.
struct TrayMenuText {
  std::string size;  // `PopTraySize`
  std::string mini;  // `PopTrayMini`
};
TrayMenuText TrayMenuCaptions(bool window_shown, bool mini_mode);

// The four tray items that open dialogs ("スケジュールの追加(&A)", "スケジュール一覧(&E)",
// "メモの編集(&M)", "環境設定(&S)") are disabled while the window is locked in the tray by the
// tray password.
class TrayLock {
 public:
  // `TaskTraySet`: hiding with Passwd2 on locks.
  void Hidden(bool passwd2) { locked_ = locked_ || passwd2; }
  // The password was accepted, or it is not needed (no password file, Passwd2 off).
  void Unlocked() { locked_ = false; }
  bool ItemsEnabled() const { return !locked_; }

 private:
  bool locked_ = false;
};

// The day kind of the tray day: the month model's kind when it holds the day, else the kind by
// weekday (1 Sunday ... 7 Saturday).
int TrayDayKind(int model_kind, int weekday_number);
// The text colour ($BBGGRR) of the day kind: SYU public holiday, KYU private holiday, SAT, SUN,
// DAY every other day.
int TrayDayColour(int day_kind, const store::ColorSettings& colours);

// The tray tip "yyyy年m月d日(aaa)" and the application title while minimised "yyyy/m/d(aaa)".
std::string TrayTip(const Date& today);
std::string MinimisedTitle(const Date& today);

// A hot key value: bit 15 Alt, bit 14 Ctrl, bit 13 Shift, the low byte the key code (letters and
// digits their upper-case ASCII code, F1 to F24 codes 112 to 135, Space 32, PageUp 33, PageDown
// 34, End 35, Home 36, Left 37, Up 38, Right 39, Down 40, Insert 45, Delete 46, the keypad's
// digits 96 to 105).
struct HotKeyParts {
  bool alt = false;
  bool ctrl = false;
  bool shift = false;
  int key = 0;
  friend bool operator==(const HotKeyParts&, const HotKeyParts&) = default;
};
inline constexpr int kDefaultHotKey = 49235;  // Ctrl+Alt+S
HotKeyParts HotKeyPartsOf(int shortcut);
int HotKeyValue(const HotKeyParts& parts);
// The name of a key code: "S", "7", "F12", "Space", "Num 0"; "#n" for a code without a name.
std::string HotKeyName(int key);
// "Ctrl+Alt+S"; empty for no key.
std::string HotKeyText(int shortcut);

// The hot key the settings ask for (`TrayHotKeySet`): HotTrayAct (Ctrl+Alt+S when 0) while
// TrayActKey is 1; nothing otherwise (any registered key is then given up).
std::optional<int> WantedHotKey(const store::TraySettings& tray);
// The report of a key that could not be registered (another program holds it, or the desktop
// has no global keys).
std::string HotKeyFailureText(int shortcut);
// A failed key is reported once: a later attempt for the same key stays silent, a different
// key that fails is reported again.
class HotKeyReports {
 public:
  // True the first time `shortcut` fails.
  bool FirstFailure(int shortcut) { return reported_.insert(shortcut).second; }

 private:
  std::set<int> reported_;
};

// The time of the next time signal "h:nn" after `now` for signal mode 1 (every full hour),
// 2 (every half hour) or 3 (the times of the signal table, "hh:nn" each, wrapping round to the
// table's first time); nothing in any other mode or with an empty table. Hour 24 is shown as 0.
std::optional<std::string> NextSignalTime(int mode, const store::TimeOfDay& now, const std::vector<std::string>& table);
// "次の時報は h:nn です".
std::string SignalTip(const std::string& time);

// The status bar's alarm mark: shown while today still has an alarmed schedule whose start
// (with seconds "00") has not passed; its tip is the next one starting after the current minute,
// "hh:nn-hh:nn 件名" (without "-hh:nn" when it has no end). `today_alarms` are the schedule lines
// of today's alarm list (CP932 bytes, as the month model holds them).
struct AlarmMark {
  bool pending = false;
  std::string tip;
  friend bool operator==(const AlarmMark&, const AlarmMark&) = default;
};
AlarmMark AlarmMarkOf(const std::vector<std::string>& today_alarms, const store::TimeOfDay& now, int second);

}  // namespace kal::mainwindow
