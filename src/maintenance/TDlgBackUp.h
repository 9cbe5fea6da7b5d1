// "バックアップとデータ削除": the backup of the data folders (upper group) and the deletion of
// old schedules and memos (lower group), over the core in Backup.h and DataDeletion.h.
#pragma once

#include <QDialog>

#include "app/Folders.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kal::maintenance {

struct BackupPorts {
  platform::FileSystem& files;
  platform::Dialogs& dialogs;
  const platform::Clock& clock;
};

class TDlgBackUp : public QDialog {
  Q_OBJECT

 public:
  // `backup_path` is the last backup folder (BackupPath); `settings_file` receives the new one.
  TDlgBackUp(BackupPorts ports, app::Folders folders, std::string settings_file, const std::string& backup_path,
             QWidget* parent = nullptr);

  // Whether files were deleted (the main window reloads).
  bool data_deleted() const { return data_deleted_; }

  QLineEdit* EdtBackupPath = nullptr;
  QPushButton* BtnSelectBk = nullptr;
  QCheckBox* ChkDated = nullptr;
  QPushButton* BtnBackup = nullptr;
  QLabel* LblBackup = nullptr;
  QComboBox* CmbDataDel = nullptr;
  QPushButton* BtnDataDel = nullptr;
  QLabel* LblWarning = nullptr;
  QPushButton* BtnOk = nullptr;

  void BtnSelectBkClick();
  void BtnBackupClick();
  void BtnDataDelClick();

 private:
  BackupPorts ports_;
  app::Folders folders_;
  std::string settings_file_;
  bool data_deleted_ = false;
};

}  // namespace kal::maintenance
