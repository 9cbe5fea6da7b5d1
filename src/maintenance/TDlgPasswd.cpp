#include "maintenance/TDlgPasswd.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Startup.h"
#include "maintenance/QtPasswordEdit.h"

namespace kal::maintenance {

TDlgPasswd::TDlgPasswd(platform::FileSystem& files, platform::Dialogs& dialogs, const std::string& program_folder,
                       const char* label, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), entry_(files, program_folder) {
  setObjectName(QStringLiteral("TDlgPasswd"));
  setWindowTitle(QString::fromUtf8(kPasswdCaption));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  LblPasswd = new QLabel(QString::fromUtf8(label), this);
  LblPasswd->setObjectName(QStringLiteral("LblPasswd"));
  EdtPasswd = MakePasswordEdit(this, "EdtPasswd");
  LblPasswd->setBuddy(EdtPasswd);
  QHBoxLayout* buttons = PasswordButtons(this, BtnOk, BtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LblPasswd);
  layout->addWidget(EdtPasswd);
  layout->addLayout(buttons);
  connect(BtnOk, &QPushButton::clicked, this, &TDlgPasswd::BtnOkClick);
  EdtPasswd->setFocus();
}

void TDlgPasswd::BtnOkClick() {
  switch (entry_.Try(dialogs_, EdtPasswd->text().toStdString())) {
    case PasswordEntry::Outcome::Accepted:
      accept();
      return;
    case PasswordEntry::Outcome::Refused:
      reject();
      return;
    case PasswordEntry::Outcome::StayOpen:
      EdtPasswd->selectAll();
      EdtPasswd->setFocus();
      return;
  }
}

PasswordCheck AskPassword(platform::FileSystem& files, platform::Dialogs& dialogs, const std::string& program_folder,
                          const char* label, QWidget* parent) {
  if (!PasswordSet(files, program_folder)) {
    dialogs.Error(app::kPasswordErrorMessage, app::kPasswordErrorCaption);
    return PasswordCheck::NotSet;
  }
  TDlgPasswd dialog(files, dialogs, program_folder, label, parent);
  return dialog.exec() == QDialog::Accepted ? PasswordCheck::Passed : PasswordCheck::Refused;
}

}  // namespace kal::maintenance
