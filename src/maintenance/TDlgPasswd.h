// "Kalendor パスワード入力": asks for the program's password, three tries at most. The caller sets
// the label ("起動パスワードの入力:", "パスワードの入力:", "ノートのパスワードの入力:").
#pragma once

#include <QDialog>

#include "maintenance/Password.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kal::maintenance {

class TDlgPasswd : public QDialog {
  Q_OBJECT

 public:
  TDlgPasswd(platform::FileSystem& files, platform::Dialogs& dialogs, const std::string& program_folder,
             const char* label, QWidget* parent = nullptr);

  QLabel* LblPasswd = nullptr;
  QLineEdit* EdtPasswd = nullptr;
  QPushButton* BtnOk = nullptr;
  QPushButton* BtnCancel = nullptr;

  void BtnOkClick();

 private:
  platform::Dialogs& dialogs_;
  PasswordEntry entry_;
};

enum class PasswordCheck { Passed, Refused, NotSet };
// The password check of a lock (start-up, tray, notes): when no password is set, the warning
// "パスワード入力画面表示設定になっていますが、…" is shown and NotSet returned (the caller goes on);
// otherwise the dialog decides.
PasswordCheck AskPassword(platform::FileSystem& files, platform::Dialogs& dialogs, const std::string& program_folder,
                          const char* label, QWidget* parent = nullptr);

}  // namespace kal::maintenance
