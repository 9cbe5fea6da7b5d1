// The main window's reminders: the one-second timer `TimSch` that asks the minute engine what to
// do and does it (alarm and signal windows, tray balloons, add-on runs, the linked file at a
// schedule's start), the add-on runs of the menus, and the hooks other parts of the window use.
//
// Hooks (set by the main window; each may be empty; DateChanged and MinutePassed are also Qt
// signals for further listeners):
//   on_date_changed(date)   the first minute of a new date: reload the calendar, refill the ToDo
//                           panel, redraw the tray icon, rebuild the day's pop-up message
//   on_minute_passed(now)   once a minute, after the minute's work (timelines, ToDo states)
//   on_now_line()           the current-time line of a vertical view may move
//   on_refresh()            the periodic refresh, and after a waited add-on has ended
//   on_waiting(bool)        a waited add-on runs (true: disable the main window) or has ended
//   on_status_time(text)    "hh:mm:ss" for the status bar's second panel after a notification
//   balloon(balloon)        shows an alarm as a tray balloon; false when there is no tray (the
//                           window is shown instead)
// Data sources:
//   today_alarms(date)      the month model's alarm list when it holds that date as today,
//                           nothing otherwise (the month file is read instead)
//   now_line_view()         the shown view has its current-time line on
//   window_shown()          the main window has been shown once (START add-ons wait for it)
#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "reminders/Launch.h"
#include "reminders/MinuteEngine.h"
#include "reminders/NotificationQueue.h"
#include "reminders/NotificationSettings.h"
#include "reminders/ReminderInputs.h"
#include "store/Settings.h"

class QScreen;
class QTimer;
class QWidget;

namespace kal::reminders {

class TDlgAlarm;

struct ReminderPorts {
  platform::Dialogs& dialogs;
  platform::Shell& shell;
  platform::FileSystem& files;
  const platform::Clock& clock;
  platform::Processes& processes;
  platform::Sound& sound;
};

class Reminders : public QObject {
  Q_OBJECT

 public:
  // `window`: the main window (the notification windows appear on its screen).
  Reminders(ReminderPorts ports, QWidget* window);
  ~Reminders() override;

  // Reads the alarm table, the signal list, Addon.lst and the settings the minute's work uses
  // (start-up, and after the settings dialog). A file that cannot be read is reported.
  void Load(const store::Settings& settings, const ReminderFolders& folders);
  // Reads Addon.lst again (after the add-on dialog or the list dialog changed it).
  void ReloadAddons();
  const std::vector<AddonEntry>& Addons() const { return inputs_.addons; }

  // Switches TimSch on (the last step of start-up) and off (first thing on close).
  void Start();
  void Stop();
  QTimer* Timer() const { return timer_; }

  // One tick of TimSch.
  void TimSchTimer();

  // The enabled "KIDOU" add-ons, in file order (while the window is being created).
  void RunBeforeStart();
  // Runs an add-on from the Tools menu (always waited for) or the calendar menu.
  void RunMenuAddon(const AddonMenuItem& item);
  // "時刻の表示(&G)": the signal window now with an empty text, whatever the signal mode.
  void ShowSignalNow();
  // Shows an alarm as the minute's work would (also the settings dialog's test button, with the
  // settings given).
  void NotifyAlarm(const AlarmNotice& notice);

  // The notification window shown now, if any.
  TDlgAlarm* Window() const;
  const NotificationQueue& Queue() const { return queue_; }
  const EngineState& State() const { return state_; }

  std::function<void(const store::Date&)> on_date_changed;
  std::function<void(const platform::LocalDateTime&)> on_minute_passed;
  std::function<void()> on_now_line;
  std::function<void()> on_refresh;
  std::function<void(bool)> on_waiting;
  std::function<void(const std::string&)> on_status_time;
  std::function<bool(const AlarmBalloon&)> balloon;
  std::function<std::optional<std::vector<std::string>>(const store::Date&)> today_alarms;
  std::function<bool()> now_line_view;
  std::function<bool()> window_shown;

 signals:
  // For any number of listeners (ToDo panel, timelines, tray): emitted after the hooks above.
  // The first minute of a new date.
  void DateChanged(int year, int month, int day);
  // Once a minute, after the minute's work.
  void MinutePassed();

 private:
  void Do(const MinuteAction& action);
  void ShowAlarmWindow(const AlarmNotice& notice);
  void ShowSignalWindow(const std::string& text);
  void CloseWindowQuietly();
  QScreen* ScreenOfWindow() const;
  void WindowClosed();
  void OpenLinkAtStart(const AlarmNotice& notice);
  void StartAddon(const std::string& program, const std::vector<std::string>& extra, bool wait, bool refresh);
  void PollAddons();

  ReminderPorts ports_;
  QWidget* window_parent_;
  QTimer* timer_ = nullptr;
  QTimer* poll_ = nullptr;
  store::Settings settings_;
  ReminderFolders folders_;
  EngineInputs inputs_;
  EngineState state_;
  NotificationQueue queue_;
  AddonRunner runner_;
  QPointer<TDlgAlarm> window_;
  bool was_waiting_ = false;
};

}  // namespace kal::reminders
