#include "sync/TDlgSyncSetup.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "store/TextFile.h"

namespace kal::sync {
namespace {
QString U(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TDlgSyncSetupPage::TDlgSyncSetupPage(const store::SyncSettings& s, bool secret_service, QWidget* parent)
    : QWidget(parent) {
  setObjectName(QStringLiteral("PnlSync"));
  auto* form = new QFormLayout;
  EdtSyncUrl = new QLineEdit(U(s.url), this);
  EdtSyncUrl->setObjectName(QStringLiteral("EdtSyncUrl"));
  EdtSyncUrl->setPlaceholderText(QStringLiteral("https://example.jp/dav/"));
  EdtSyncUser = new QLineEdit(U(s.user), this);
  EdtSyncUser->setObjectName(QStringLiteral("EdtSyncUser"));
  EdtSyncPassword = new QLineEdit(this);
  EdtSyncPassword->setObjectName(QStringLiteral("EdtSyncPassword"));
  EdtSyncPassword->setEchoMode(QLineEdit::Password);
  EdtSyncPassword->setPlaceholderText(secret_service ? QStringLiteral("変更しないときは空欄") : QString());
  EdtSyncCalendar = new QLineEdit(U(s.calendar), this);
  EdtSyncCalendar->setObjectName(QStringLiteral("EdtSyncCalendar"));
  EdtSyncCalendar->setPlaceholderText(QStringLiteral("空欄: 最初のカレンダー"));
  SpnSyncInterval = new QSpinBox(this);
  SpnSyncInterval->setObjectName(QStringLiteral("SpnSyncInterval"));
  SpnSyncInterval->setRange(0, kMaxInterval);
  SpnSyncInterval->setSuffix(QStringLiteral(" 分"));
  SpnSyncInterval->setSpecialValueText(QStringLiteral("自動同期しない"));
  SpnSyncInterval->setValue(s.interval);
  form->addRow(QStringLiteral("サーバーのアドレス(&U):"), EdtSyncUrl);
  form->addRow(QStringLiteral("ユーザー名(&N):"), EdtSyncUser);
  form->addRow(QStringLiteral("パスワード(&P):"), EdtSyncPassword);
  form->addRow(QStringLiteral("カレンダー(&C):"), EdtSyncCalendar);
  form->addRow(QStringLiteral("自動同期の間隔(&I):"), SpnSyncInterval);
  LblSyncNote = new QLabel(this);
  LblSyncNote->setObjectName(QStringLiteral("LblSyncNote"));
  LblSyncNote->setWordWrap(true);
  LblSyncNote->setText(secret_service ? QStringLiteral("パスワードはデスクトップのキーリングに保存します。")
                                      : U(kNoSecretServiceNote));
  auto* box = new QVBoxLayout(this);
  box->addLayout(form);
  box->addWidget(LblSyncNote);
  box->addStretch(1);
}

SyncSetupForm TDlgSyncSetupPage::Form() const {
  return {EdtSyncUrl->text().toStdString(), EdtSyncUser->text().toStdString(), EdtSyncCalendar->text().toStdString(),
          SpnSyncInterval->value(), EdtSyncPassword->text().toStdString()};
}

void TDlgSyncSetupPage::FocusField(SetupField field) {
  switch (field) {
    case SetupField::Url: EdtSyncUrl->setFocus(); break;
    case SetupField::User: EdtSyncUser->setFocus(); break;
    case SetupField::Calendar: EdtSyncCalendar->setFocus(); break;
    case SetupField::Password: EdtSyncPassword->setFocus(); break;
    case SetupField::Interval: SpnSyncInterval->setFocus(); break;
  }
}

TDlgSyncSetup::TDlgSyncSetup(Ports ports, const std::string& settings_file, store::Settings& settings, QWidget* parent)
    : QDialog(parent), ports_(ports), settings_file_(settings_file), settings_(settings) {
  setObjectName(QStringLiteral("DlgSyncSetup"));
  setWindowTitle(U(kSetupCaption));
  Page = new TDlgSyncSetupPage(settings.sync, ports_.secrets.Available(), this);
  BtnOk = new QPushButton(QStringLiteral("OK"), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  BtnOk->setDefault(true);
  BtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancel);
  auto* box = new QVBoxLayout(this);
  box->addWidget(Page);
  box->addLayout(buttons);
  resize(460, sizeHint().height());
  connect(BtnOk, &QPushButton::clicked, this, &TDlgSyncSetup::BtnOkClick);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgSyncSetup::BtnOkClick() {
  const SyncSetupForm form = Page->Form();
  if (auto failure = CheckSyncSetup(form)) {
    ports_.dialogs.Error(failure->message, "入力エラー");
    Page->FocusField(failure->field);
    return;
  }
  try {
    if (!StoreSyncSetup(ports_.files, ports_.secrets, settings_file_, form, settings_)) session_password_ = form.password;
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    return;
  }
  accept();
}

}  // namespace kal::sync
