// "パスワード登録": registers the program's password. When one is set already, the current
// password is asked for first.
#pragma once

#include <QDialog>

#include "maintenance/Password.h"

class QLineEdit;
class QPushButton;

namespace kal::maintenance {

class TDlgPassEntry : public QDialog {
  Q_OBJECT

 public:
  TDlgPassEntry(platform::FileSystem& files, platform::Dialogs& dialogs, std::string program_folder,
                QWidget* parent = nullptr);

  QLineEdit* EdtCurrentPasswd = nullptr;  // shown only when a password is set
  QLineEdit* EdtNewPasswd = nullptr;
  QLineEdit* EdtAgainPasswd = nullptr;
  QPushButton* BtnOk = nullptr;
  QPushButton* BtnCancel = nullptr;

  void BtnOkClick();

 private:
  platform::FileSystem& files_;
  platform::Dialogs& dialogs_;
  std::string program_folder_;
  StoredPassword stored_;
};

}  // namespace kal::maintenance
