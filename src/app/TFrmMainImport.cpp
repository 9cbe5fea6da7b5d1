// The main window's import menu: the file chooser of the target, the import dialog, and the
// reload after an import.
#include <QAction>
#include <QMenu>

#include "app/TFrmMain.h"
#include "import/ImportForm.h"
#include "import/ImportSource.h"
#include "import/TDlgImport.h"
#include "mainwindow/TFrmMainLayout.h"
#include "store/TextFile.h"
#include "todo/QtTodoPanel.h"

namespace kal::app {

void TFrmMain::ImportMenuConnect() {
  const std::pair<const char*, import::ImportTarget> items[] = {
      {"MenImportSch", import::ImportTarget::Schedule},
      {"MenImportHoliday", import::ImportTarget::Holiday},
      {"MenImportTodo", import::ImportTarget::Todo},
      {"MenImportWeather", import::ImportTarget::Weather}};
  for (const auto& [name, target] : items) {
    QAction* action = Action(QString::fromLatin1(name));
    if (action == nullptr) continue;
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [this, target = target] { MenImportClick(target); });
  }
  if (QMenu* menu = Menu(QStringLiteral("MenImport"))) menu->menuAction()->setEnabled(true);
}

void TFrmMain::MenImportClick(import::ImportTarget target) {
  auto path = ports_.dialogs.OpenFileName("", platform::FileFilter{import::ImportFileFilter(target)},
                                          session_.folders.data);
  if (!path) return;
  std::optional<import::ImportSource> source;
  try {
    std::string error;
    source = import::OpenImportSource(ports_.files, target, *path, &error, session_.folders.data,
                                      session_.folders.todo);
    if (!source) {
      ports_.dialogs.Error(error, import::kImportErrorCaption);
      return;
    }
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    return;
  }
  for (const auto& problem : source->problems) ports_.dialogs.Error(problem, import::kImportErrorCaption);
  import::ImportForm form(target, std::move(*source),
                          {session_.folders.data, session_.folders.todo, session_.folders.category},
                          ports_.clock.Now().date);
  todo::QtTodoPanel* panel = layout_->TodoPanel();
  // The panel's ticks are saved first, so that the import adds to the stored list.
  if (target == import::ImportTarget::Todo && panel != nullptr) panel->ApplyPending();
  import::TDlgImport dialog(ports_.dialogs, ports_.files, std::move(form), this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (target == import::ImportTarget::Todo && panel != nullptr) panel->Reload();
  CategoryLoad();
  layout_->SchUpdate();
  if (on_schedules_changed) on_schedules_changed();
}

}  // namespace kal::app
