// The main window's list commands: the list and search dialog for each kind.
#include <QAction>
#include <QMenu>

#include "app/TFrmMain.h"
#include "listing/TDlgList.h"
#include "mainwindow/TFrmMainLayout.h"
#include "reminders/QtReminders.h"
#include "todo/QtTodoPanel.h"

namespace kal::app {

void TFrmMain::ConnectListCommands() {
  using listing::ListKind;
  using listing::ListMode;
  const struct {
    const char* name;
    ListKind kind;
    ListMode mode;
  } commands[] = {
      {"MenSchList", ListKind::Schedule, ListMode::List},    {"MenHolidayList", ListKind::Holiday, ListMode::List},
      {"MenMemoList", ListKind::Memo, ListMode::List},       {"MenTodoList", ListKind::Todo, ListMode::List},
      {"MenWeatherList", ListKind::Weather, ListMode::List}, {"MenSearch", ListKind::Schedule, ListMode::Search},
      {"MenExport", ListKind::Schedule, ListMode::Export},   {"MenAddonList", ListKind::Addon, ListMode::List},
  };
  for (const auto& c : commands) {
    QAction* a = Action(QString::fromLatin1(c.name));
    if (a == nullptr) continue;
    a->setEnabled(true);
    for (QObject* p = a->parent(); p != nullptr; p = p->parent())
      if (auto* menu = qobject_cast<QMenu*>(p)) menu->menuAction()->setEnabled(true);
    connect(a, &QAction::triggered, this,
            [this, kind = static_cast<int>(c.kind), mode = static_cast<int>(c.mode)] { ShowDlgList(kind, mode); });
  }
}

void TFrmMain::ShowDlgList(int kind, int mode) {
  // The memo box is saved first, so that the list reads and edits the memo files as shown.
  if (!MemDailyUpdate()) return;
  todo::QtTodoPanel* todo_panel = layout_ != nullptr ? layout_->TodoPanel() : nullptr;
  // The ToDo panel's pending ticks are saved first, so that the list reads Todokl.dat as the
  // panel shows it.
  const bool ticks_saved = todo_panel != nullptr && todo_panel->ApplyPending();
  listing::TDlgList dialog({ports_.dialogs, ports_.files, ports_.shell, ports_.clock}, session_,
                           static_cast<listing::ListKind>(kind), static_cast<listing::ListMode>(mode), selected_date_,
                           geometry().top(), geometry().left(), this);
  dialog.exec();
  if (dialog.SavedLayout()) session_.settings.list = *dialog.SavedLayout();
  const bool modified = dialog.Modified() == listing::kModified;
  // The panel lists the ToDo file as it is now: after its own ticks were saved, or after the
  // list changed it.
  if (todo_panel != nullptr && (ticks_saved || modified)) todo_panel->Reload();
  if (modified) {
    MemoBoxReload();
    if (reminders_ != nullptr) reminders_->ReloadAddons();
    if (layout_ != nullptr) layout_->SchUpdate();
    if (on_schedules_changed) on_schedules_changed();
  }
}

}  // namespace kal::app
