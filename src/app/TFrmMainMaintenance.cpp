// The main window's maintenance commands: backup and data deletion, restore, password.
#include "app/TFrmMain.h"

#include <QLineEdit>
#include <QTimer>

#include "maintenance/Backup.h"
#include "maintenance/TDlgBackUp.h"
#include "maintenance/TDlgPassEntry.h"
#include "mainwindow/TFrmMainLayout.h"

namespace kal::app {

void TFrmMain::MenBackupClick() {
  maintenance::TDlgBackUp dialog({ports_.files, ports_.dialogs, ports_.clock}, session_.folders,
                                 session_.settings_file, session_.settings.kalendor.backup_path, this);
  dialog.exec();
  // The next backup offers the folder just used.
  session_.settings.kalendor.backup_path = dialog.EdtBackupPath->text().toStdString();
  if (dialog.data_deleted()) layout_->SchUpdate();
}

void TFrmMain::MenRestoreClick() {
  const maintenance::RestoreResult result = maintenance::MenRestoreClick(
      ports_.files, ports_.dialogs, session_.folders, session_.settings.kalendor.backup_path);
  if (!result.done) return;
  // What the window holds (memo box, ToDo list, layout) must not be written over the restored
  // files: the program ends without its exit-time writes, and the user starts it again.
  restored_ = true;
  QTimer::singleShot(0, this, [this] { close(); });
}

void TFrmMain::MenPasswordClick() {
  maintenance::TDlgPassEntry dialog(ports_.files, ports_.dialogs, session_.program_folder, this);
  dialog.exec();
}

}  // namespace kal::app
