// The main window's reminders: the one-second timer TimSch and what it drives, the Tools menu's
// time display and add-on items, and the add-on items of the calendar's pop-up menu.
// The month model first: its member `slots` must come before Qt's keyword macros.
#include "model/MonthModel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "app/TFrmMain.h"
#include "mainwindow/GridDays.h"
#include "mainwindow/TFrmMainLayout.h"
#include "app/TFrmMainTray.h"
#include "mainwindow/TrayRules.h"
#include "platform/QtShell.h"
#include "reminders/Addon.h"
#include "reminders/QtReminders.h"
#include "reminders/TimeSignal.h"
#include "store/TextFile.h"

namespace kal::app {
namespace {

// The Tools menu's fixed items: 検索, 時刻の表示, a separator, バックアップとデータ削除,
// バックアップデータのリストア, a separator, サーバーと同期, 同期の設定, a separator, アドオン一覧.
constexpr int kFixedToolItems = 10;

}  // namespace

void TFrmMain::RemindersCreate() {
  if (!own_processes_) own_processes_ = std::make_unique<platform::PosixProcesses>();
  if (processes_ == nullptr) processes_ = own_processes_.get();
  sound_ = std::make_unique<platform::QtSound>(*processes_);
  reminders_ = new reminders::Reminders(
      {ports_.dialogs, ports_.shell, ports_.files, ports_.clock, *processes_, *sound_}, this);
  reminders_->today_alarms = [this](const store::Date& date) -> std::optional<std::vector<std::string>> {
    if (date != alarms_date_) return std::nullopt;
    return model_->model().today_alarms;
  };
  reminders_->window_shown = [this] { return shown_once_; };
  reminders_->now_line_view = [this] {
    const int mode = layout_->Mode();
    return (mode == store::kModeDaily || mode == store::kModeVertical) &&
           session_.settings.view_mode(mode).now_line;
  };
  // A new date: everything is read again for it (the ToDo panel, the tray and the day's pop-up
  // message follow through the DateChanged signal).
  reminders_->on_date_changed = [this](const store::Date&) { layout_->SchUpdate(); };
  reminders_->on_refresh = [this] { layout_->SchUpdate(); };
  reminders_->on_waiting = [this](bool waiting) { setEnabled(!waiting); };
  reminders_->on_status_time = [this](const std::string& text) {
    StatusPanel(1)->setText(QString::fromStdString(text));
    StatusMarksUpdate();
  };
  connect(reminders_, &reminders::Reminders::MinutePassed, this, &TFrmMain::StatusMarksUpdate);
  reminders_->Load(session_.settings,
                   {session_.program_folder, session_.folders.data, session_.folders.table});
  reminders_->RunBeforeStart();

  QAction* signal = Action(QStringLiteral("MenTimeSignal"));
  signal->setEnabled(true);
  connect(signal, &QAction::triggered, reminders_, &reminders::Reminders::ShowSignalNow);
  QMenu* tools = Menu(QStringLiteral("MenTool"));
  tools->menuAction()->setEnabled(true);
  connect(tools, &QMenu::aboutToShow, this, &TFrmMain::MenToolPopup);
}

// The reminders use the process and sound ports, which go with the window's members: they are
// destroyed first.
void TFrmMain::RemindersDestroy() {
  delete reminders_;
  reminders_ = nullptr;
}

void TFrmMain::RemindersStart() {
  if (reminders_) reminders_->Start();
}

void TFrmMain::RemindersStop() {
  if (reminders_) reminders_->Stop();
}

// Each time the Tools menu opens: one item per add-on (enabled or not, one per program) after
// the fixed items; each runs its program and waits for it.
void TFrmMain::MenToolPopup() {
  QMenu* tools = Menu(QStringLiteral("MenTool"));
  const QList<QAction*> actions = tools->actions();
  for (int i = kFixedToolItems; i < actions.size(); ++i) {
    tools->removeAction(actions[i]);
    actions[i]->deleteLater();
  }
  reminders_->ReloadAddons();
  int n = 0;
  for (const auto& item : reminders::ToolsMenuAddons(reminders_->Addons())) {
    QAction* a = tools->addAction(QString::fromStdString(item.caption));
    a->setObjectName(QStringLiteral("MenAddon%1").arg(++n));
    a->setToolTip(QString::fromStdString(item.command));
    connect(a, &QAction::triggered, reminders_, [this, item] { reminders_->RunMenuAddon(item); });
  }
}

// The enabled "CALEN" add-ons after the fixed items of the calendar's pop-up menu; each gets the
// selected date on its command line.
void TFrmMain::GridMenuAddons(QMenu* menu, const store::Date& selected) {
  if (!reminders_) return;
  const auto items = reminders::CalendarMenuAddons(reminders_->Addons(), selected, std::nullopt);
  if (items.empty()) return;
  menu->addSeparator();
  int n = 0;
  for (const auto& item : items) {
    QAction* a = menu->addAction(QString::fromStdString(item.caption));
    a->setObjectName(QStringLiteral("PopAddon%1").arg(++n));
    connect(a, &QAction::triggered, reminders_, [this, item] { reminders_->RunMenuAddon(item); });
  }
}

// ---- Status bar marks -------------------------------------------------------------------------

void TFrmMain::StatusMarksUpdate() {
  if (tray_->alarm_mark == nullptr) return;
  const platform::LocalDateTime now = ports_.clock.Now();
  const store::TimeOfDay time{now.hour, now.minute};
  const bool today_held = alarms_date_ == now.date;
  const mainwindow::AlarmMark alarm =
      mainwindow::AlarmMarkOf(today_held ? model_->model().today_alarms : std::vector<std::string>{}, time, now.second);
  SetAlarmMark(alarm.pending, session_.settings.alarm.sound, QString::fromStdString(alarm.tip));
  const store::SignalSettings& signal = session_.settings.signal;
  std::vector<std::string> table;
  if (signal.mode == reminders::kSignalListed) {
    try {
      table = reminders::LoadSignalList(ports_.files, session_.folders.table);
    } catch (const store::FileError&) {
      // The reminders report an unreadable table; the mark then shows no next time.
    }
  }
  const std::optional<std::string> next = mainwindow::NextSignalTime(signal.mode, time, table);
  SetSignalMark(signal.mode != 0, next ? QString::fromStdString(mainwindow::SignalTip(*next)) : QString());
}

}  // namespace kal::app
