// The main window's list commands: the list and search dialog for each kind.
#include <QAction>
#include <QMenu>

#include "app/TFrmMain.h"
#include "listing/TDlgList.h"
#include "mainwindow/TFrmMainLayout.h"

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
    // The add-on list needs the add-on store.
    if (!listing::KindAvailable(c.kind) && c.kind == ListKind::Addon) continue;
    a->setEnabled(true);
    for (QObject* p = a->parent(); p != nullptr; p = p->parent())
      if (auto* menu = qobject_cast<QMenu*>(p)) menu->menuAction()->setEnabled(true);
    connect(a, &QAction::triggered, this,
            [this, kind = static_cast<int>(c.kind), mode = static_cast<int>(c.mode)] { ShowDlgList(kind, mode); });
  }
}

void TFrmMain::ShowDlgList(int kind, int mode) {
  listing::TDlgList dialog({ports_.dialogs, ports_.files, ports_.shell, ports_.clock}, session_,
                           static_cast<listing::ListKind>(kind), static_cast<listing::ListMode>(mode), selected_date_,
                           geometry().top(), geometry().left(), this);
  dialog.exec();
  if (dialog.SavedLayout()) session_.settings.list = *dialog.SavedLayout();
  if (dialog.Modified() == listing::kModified) {
    // The ToDo list and the add-on table are reloaded here too once they are held by the window.
    if (layout_ != nullptr) layout_->SchUpdate();
    if (on_schedules_changed) on_schedules_changed();
  }
}

}  // namespace kal::app
