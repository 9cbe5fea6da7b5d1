// The notification window ("DlgAlarm") of schedule alarms and of the time signal: shown without
// blocking, placed and animated by AlarmAnimation over a 10-millisecond timer, playing its sound
// once in place, closed by a click on the message, Escape, the close button or, with Clear, by
// itself. Only one exists at a time: the owner (Reminders) closes the old before showing a new.
// It is a window of its own (no parent), so that it shows while the main window is minimised or
// hidden in the task tray.
#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/Shell.h"
#include "reminders/AlarmAnimation.h"
#include "reminders/AlarmCheck.h"
#include "reminders/NotificationSettings.h"

class QLabel;
class QListWidget;
class QScreen;
class QTimer;

namespace kal::reminders {

class TDlgAlarm : public QDialog {
  Q_OBJECT

 public:
  // An alarm: caption "「category」の開始時刻の通知" (or "開始時刻の通知"), the headline in red at
  // the start and blue before it, and the schedule's three lines.
  static TDlgAlarm* ForAlarm(const AlarmNotice& notice, const NotificationSettings& settings, platform::Sound& sound,
                             const platform::Clock& clock, QWidget* parent = nullptr);
  // A time signal: caption "時報", no border, the time in the Form pattern and the text on a
  // second line; it rewrites the time every second while shown.
  static TDlgAlarm* ForSignal(const std::string& text, const NotificationSettings& settings, platform::Sound& sound,
                              const platform::Clock& clock, QWidget* parent = nullptr);
  ~TDlgAlarm() override;

  // Places the window at its start place on `screen` (the primary screen when none is given)
  // and shows it without taking the focus; the animation timer starts. Call once.
  void Start(QScreen* screen = nullptr);
  // One 10-millisecond tick of the animation (the timer calls it; tests may call it directly).
  void TimAlarmTimer();

  bool IsSignal() const { return signal_; }
  AnimationPhase Phase() const;
  QLabel* MessageLabel() const { return message_; }
  QListWidget* ScheduleList() const { return list_; }
  QTimer* AnimationTimer() const { return timer_; }
  // The schedule shown (alarms).
  const AlarmNotice& Notice() const { return notice_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  TDlgAlarm(bool signal, const NotificationSettings& settings, platform::Sound& sound, const platform::Clock& clock,
            QWidget* parent);
  void BuildAlarm();
  void BuildSignal();
  void Relabel();

  bool signal_ = false;
  NotificationSettings settings_;
  platform::Sound& sound_;
  const platform::Clock& clock_;
  AlarmNotice notice_;
  std::string signal_text_;
  QLabel* message_ = nullptr;
  QListWidget* list_ = nullptr;
  QTimer* timer_ = nullptr;
  std::unique_ptr<AlarmAnimation> animation_;
};

}  // namespace kal::reminders
