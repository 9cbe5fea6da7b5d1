// "同期の設定": the calendar server's address, user, password, calendar and the interval of the
// automatic sync. The fields live on a page widget of their own (TDlgSyncSetupPage), so that the
// settings dialog can carry the same page; this dialog shows it with OK and キャンセル.
#pragma once

#include <QDialog>
#include <QWidget>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/SecretStore.h"
#include "store/Settings.h"
#include "sync/SyncSetup.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kal::sync {

class TDlgSyncSetupPage : public QWidget {
  Q_OBJECT

 public:
  // `secret_service`: the desktop keeps passwords (otherwise a note says the password is asked
  // for each sync).
  TDlgSyncSetupPage(const store::SyncSettings& settings, bool secret_service, QWidget* parent = nullptr);

  QLineEdit* EdtSyncUrl = nullptr;
  QLineEdit* EdtSyncUser = nullptr;
  QLineEdit* EdtSyncPassword = nullptr;
  QLineEdit* EdtSyncCalendar = nullptr;
  QSpinBox* SpnSyncInterval = nullptr;
  QLabel* LblSyncNote = nullptr;

  SyncSetupForm Form() const;
  // Puts the focus on a field a check refused.
  void FocusField(SetupField field);
};

class TDlgSyncSetup : public QDialog {
  Q_OBJECT

 public:
  struct Ports {
    platform::FileSystem& files;
    platform::Dialogs& dialogs;
    platform::SecretStore& secrets;
  };
  TDlgSyncSetup(Ports ports, const std::string& settings_file, store::Settings& settings, QWidget* parent = nullptr);

  TDlgSyncSetupPage* Page = nullptr;
  QPushButton* BtnOk = nullptr;
  QPushButton* BtnCancel = nullptr;

  // The password typed when the secret service could not keep it (for this session only).
  const std::string& session_password() const { return session_password_; }

  void BtnOkClick();

 private:
  Ports ports_;
  std::string settings_file_;
  store::Settings& settings_;
  std::string session_password_;
};

}  // namespace kal::sync
