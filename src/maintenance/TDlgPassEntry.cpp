#include "maintenance/TDlgPassEntry.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "maintenance/QtPasswordEdit.h"
#include "platform/Codec.h"

namespace kal::maintenance {

TDlgPassEntry::TDlgPassEntry(platform::FileSystem& files, platform::Dialogs& dialogs, std::string program_folder,
                             QWidget* parent)
    : QDialog(parent),
      files_(files),
      dialogs_(dialogs),
      program_folder_(std::move(program_folder)),
      stored_(ReadStoredPassword(files, program_folder_)) {
  setObjectName(QStringLiteral("TDlgPassEntry"));
  setWindowTitle(QString::fromUtf8(kEntryCaption));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  if (parent != nullptr) setFont(parent->font());
  auto* form = new QFormLayout;
  if (stored_.kind != StoredKind::None) {
    EdtCurrentPasswd = MakePasswordEdit(this, "EdtCurrentPasswd");
    form->addRow(QStringLiteral("現在のパスワード:"), EdtCurrentPasswd);
  }
  EdtNewPasswd = MakePasswordEdit(this, "EdtNewPasswd");
  EdtAgainPasswd = MakePasswordEdit(this, "EdtAgainPasswd");
  form->addRow(QStringLiteral("新しいパスワード:"), EdtNewPasswd);
  form->addRow(QStringLiteral("パスワードの確認入力:"), EdtAgainPasswd);
  QHBoxLayout* buttons = PasswordButtons(this, BtnOk, BtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  connect(BtnOk, &QPushButton::clicked, this, &TDlgPassEntry::BtnOkClick);
  (EdtCurrentPasswd ? EdtCurrentPasswd : EdtNewPasswd)->setFocus();
}

void TDlgPassEntry::BtnOkClick() {
  const std::string current = EdtCurrentPasswd ? EdtCurrentPasswd->text().toStdString() : std::string();
  const EntryCheck check = CheckRegistration(stored_, current, EdtNewPasswd->text().toStdString(),
                                             EdtAgainPasswd->text().toStdString());
  if (!check.message.empty()) {
    dialogs_.Error(check.message, kInputErrorCaption);
    QLineEdit* field = check.focus == EntryField::Current ? EdtCurrentPasswd
                       : check.focus == EntryField::Again ? EdtAgainPasswd
                                                          : EdtNewPasswd;
    if (field) {
      field->selectAll();
      field->setFocus();
    }
    return;
  }
  std::string error;
  const auto bytes = platform::Utf8ToCp932(EdtNewPasswd->text().toStdString());
  if (!bytes || !StorePassword(files_, program_folder_, *bytes, &error)) {
    dialogs_.Error("パスワードファイルが書き込めません。\n" + error, "エラー");
    return;
  }
  accept();
}

}  // namespace kal::maintenance
