#include "reminders/QtReminders.h"

#include <QTimer>
#include <QWidget>

#include "platform/ProgramPath.h"
#include "reminders/TDlgAlarm.h"
#include "store/TextFile.h"

namespace kal::reminders {
namespace {

std::string ClockText(const platform::LocalDateTime& t) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buffer;
}

constexpr const char* kMissedCaption = "開始時刻の通知";

}  // namespace

Reminders::Reminders(ReminderPorts ports, QWidget* window)
    : QObject(window), ports_(ports), window_parent_(window), runner_(ports.processes, ports.shell, ports.dialogs) {
  setObjectName(QStringLiteral("Reminders"));
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("TimSch"));
  timer_->setInterval(1000);
  connect(timer_, &QTimer::timeout, this, &Reminders::TimSchTimer);
  poll_ = new QTimer(this);
  poll_->setInterval(100);
  connect(poll_, &QTimer::timeout, this, &Reminders::PollAddons);
}

Reminders::~Reminders() {
  timer_->stop();
  if (window_) {
    disconnect(window_, nullptr, this, nullptr);
    delete window_.data();
  }
}

void Reminders::Load(const store::Settings& settings, const ReminderFolders& folders) {
  settings_ = settings;
  folders_ = folders;
  std::vector<std::string> errors;
  inputs_ = LoadEngineInputs(ports_.files, settings, folders, &errors);
  for (const auto& e : errors) ports_.dialogs.Error(e, store::kFileErrorCaption);
  // Today's list is the month model's; other days (tomorrow's early alarms, caught-up minutes
  // of another date) come from the month files. A file that cannot be read has been reported by
  // the calendar's reload and gives no alarms here.
  inputs_.alarm_lines = [this](const store::Date& date) -> std::vector<std::string> {
    if (today_alarms) {
      if (auto lines = today_alarms(date)) return *lines;
    }
    try {
      return LoadDayAlarmLines(ports_.files, folders_.data, date);
    } catch (const store::FileError&) {
      return {};
    }
  };
}

void Reminders::ReloadAddons() {
  try {
    inputs_.addons = LoadAddons(ports_.files, folders_.program);
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
}

TDlgAlarm* Reminders::Window() const { return window_.data(); }

void Reminders::Start() { timer_->start(); }
void Reminders::Stop() { timer_->stop(); }

void Reminders::TimSchTimer() {
  inputs_.window_shown = window_shown ? window_shown() : true;
  inputs_.now_line = now_line_view && now_line_view();
  // The engine has taken the minutes it returns; a tick that comes while a message box of this
  // one is open finds nothing new to do for them.
  const std::vector<MinuteAction> actions = Tick(state_, ports_.clock.Now(), inputs_);
  for (const auto& a : actions) Do(a);
}

void Reminders::Do(const MinuteAction& a) {
  switch (a.kind) {
    case ActionKind::StartAddon: StartAddon(a.addon.program, {}, a.addon.wait, true); break;
    case ActionKind::DateChange:
      if (on_date_changed) on_date_changed(a.date);
      emit DateChanged(store::YearOf(a.date), store::MonthOf(a.date), store::DayOf(a.date));
      break;
    case ActionKind::Alarm: NotifyAlarm(a.alarm); break;
    case ActionKind::Signal:
      if (queue_.OfferSignal()) ShowSignalWindow(a.text);
      break;
    case ActionKind::Addon: StartAddon(a.addon.program, {}, a.addon.wait, true); break;
    case ActionKind::NowLine:
      if (on_now_line) on_now_line();
      break;
    case ActionKind::Refresh:
      if (on_refresh) on_refresh();
      break;
    case ActionKind::MinutePassed:
      if (on_minute_passed) on_minute_passed(ports_.clock.Now());
      emit MinutePassed();
      break;
    case ActionKind::MissedAlarms: {
      const std::string text = MissedAlarmsMessage(a.missed);
      QTimer::singleShot(0, this, [this, text] { ports_.dialogs.Info(text, kMissedCaption); });
      break;
    }
  }
}

void Reminders::NotifyAlarm(const AlarmNotice& notice) {
  const bool as_balloon = settings_.alarm.type == kAlarmTypeBalloon && balloon && balloon(AlarmBalloonOf(notice));
  if (as_balloon) {
    if (!settings_.alarm.wav.empty() && !ports_.sound.Play(settings_.alarm.wav)) ports_.sound.Beep();
  } else if (queue_.OfferAlarm(notice)) {
    ShowAlarmWindow(notice);
  }
  if (notice.at_start && settings_.alarm.file_open) OpenLinkAtStart(notice);
  if (on_status_time) on_status_time(ClockText(ports_.clock.Now()));
}

void Reminders::ShowSignalNow() {
  if (queue_.OfferSignal()) ShowSignalWindow("");
}

void Reminders::CloseWindowQuietly() {
  if (!window_) return;
  disconnect(window_, nullptr, this, nullptr);
  window_->close();
  window_ = nullptr;
}

void Reminders::ShowAlarmWindow(const AlarmNotice& notice) {
  CloseWindowQuietly();
  window_ = TDlgAlarm::ForAlarm(notice, AlarmWindowSettings(settings_), ports_.sound, ports_.clock);
  connect(window_, &QDialog::finished, this, &Reminders::WindowClosed);
  window_->Start(ScreenOfWindow());
}

void Reminders::ShowSignalWindow(const std::string& text) {
  CloseWindowQuietly();
  window_ = TDlgAlarm::ForSignal(text, SignalWindowSettings(settings_), ports_.sound, ports_.clock);
  connect(window_, &QDialog::finished, this, &Reminders::WindowClosed);
  window_->Start(ScreenOfWindow());
}

// The screen of the main window, where the notifications appear.
QScreen* Reminders::ScreenOfWindow() const { return window_parent_ ? window_parent_->screen() : nullptr; }

void Reminders::WindowClosed() {
  if (window_) disconnect(window_, nullptr, this, nullptr);
  window_ = nullptr;
  if (auto next = queue_.Closed()) ShowAlarmWindow(*next);
}

void Reminders::OpenLinkAtStart(const AlarmNotice& notice) {
  if (notice.link.empty()) return;
  if (platform::PathExists(notice.link)) {
    ports_.shell.Open(notice.link);
    return;
  }
  const std::string text = MissingLinkMessage(notice.link);
  QTimer::singleShot(0, this, [this, text] { ports_.dialogs.Error(text, kFileErrorCaption); });
}

// The "KIDOU" add-ons run while the window is being built. Nothing waits in a nested loop: a
// waited one keeps the window disabled until it ends, and the calendar is then read again so
// that what it wrote is shown.
void Reminders::RunBeforeStart() {
  for (const auto& e : EnabledAddons(inputs_.addons, kTimingBeforeStart)) StartAddon(e.program, {}, e.wait, true);
}

void Reminders::RunMenuAddon(const AddonMenuItem& item) { StartAddon(item.command, item.arguments, item.wait, true); }

void Reminders::StartAddon(const std::string& program, const std::vector<std::string>& extra, bool wait,
                           bool refresh) {
  runner_.Start(program, extra, wait, refresh);
  if (runner_.Waiting() && !was_waiting_) {
    was_waiting_ = true;
    if (on_waiting) on_waiting(true);
    poll_->start();
  }
}

void Reminders::PollAddons() {
  bool refresh = false;
  for (const auto& ended : runner_.Poll()) refresh = refresh || ended.refresh;
  if (refresh && on_refresh) on_refresh();
  if (!runner_.Waiting() && was_waiting_) {
    was_waiting_ = false;
    poll_->stop();
    if (on_waiting) on_waiting(false);
  }
}

}  // namespace kal::reminders
