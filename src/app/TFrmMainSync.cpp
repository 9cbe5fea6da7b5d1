// The main window's calendar sync: the Tools menu's sync and sync-settings commands, the
// automatic sync every N minutes on the minute engine, progress and result in the status bar.
#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QTime>

#include "app/TFrmMain.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Dialogs.h"
#include "platform/SecretStore.h"
#include "reminders/QtReminders.h"
#include "store/TextFile.h"
#include "sync/QtCalDavServer.h"
#include "sync/SyncEngine.h"
#include "sync/SyncSetup.h"
#include "sync/TDlgSyncSetup.h"

namespace kal::app {

struct TFrmMainSyncParts {
  platform::LibSecretStore own_secrets;
  platform::SecretStore* secrets = &own_secrets;
  TFrmMain::SyncServerMaker make_server = [](const sync::ServerAccount& account) {
    return sync::MakeQtCalDavServer(account);
  };
  std::string session_password;  // typed this session when the desktop keeps no secrets
  int minutes = 0;               // since the last sync
  bool running = false;
};

namespace {
QString U(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

void TFrmMain::SyncAttach() {
  sync_ = std::make_shared<TFrmMainSyncParts>();
  for (const char* name : {"MenSync", "MenSyncSetup"}) Action(QString::fromUtf8(name))->setEnabled(true);
  connect(Action(QStringLiteral("MenSync")), &QAction::triggered, this, &TFrmMain::MenSyncClick);
  connect(Action(QStringLiteral("MenSyncSetup")), &QAction::triggered, this, &TFrmMain::MenSyncSetupClick);
  if (reminders_) {
    connect(reminders_, &reminders::Reminders::MinutePassed, this, [this] {
      ++sync_->minutes;
      if (sync::AutoSyncDue(session_.settings.sync, sync_->minutes)) SyncRun(true);
    });
  }
}

void TFrmMain::SetSyncPorts(platform::SecretStore* secrets, SyncServerMaker make_server) {
  if (secrets) sync_->secrets = secrets;
  if (make_server) sync_->make_server = std::move(make_server);
}

void TFrmMain::MenSyncClick() { SyncRun(false); }

void TFrmMain::MenSyncSetupClick() {
  sync::TDlgSyncSetup dialog({ports_.files, ports_.dialogs, *sync_->secrets}, session_.settings_file, session_.settings,
                             this);
  if (dialog.exec() == QDialog::Accepted && !dialog.session_password().empty())
    sync_->session_password = dialog.session_password();
}

void TFrmMain::SyncRun(bool automatic) {
  if (sync_->running) return;
  const store::SyncSettings& settings = session_.settings.sync;
  QLabel* status = StatusPanel(0);
  if (settings.url.empty() || settings.user.empty()) {
    if (!automatic) ports_.dialogs.Info(sync::kNoSettingsMessage, sync::kSyncCaption);
    return;
  }
  sync_->minutes = 0;
  std::optional<std::string> password = sync_->secrets->Lookup(settings.url, settings.user);
  if (!password && !sync_->session_password.empty()) password = sync_->session_password;
  if (!password) {
    if (automatic) {
      status->setText(QStringLiteral("同期: パスワードが未入力のため自動同期しませんでした"));
      return;
    }
    bool ok = false;
    const QString typed =
        QInputDialog::getText(this, U(sync::kSyncCaption), U(settings.user + sync::kPasswordPrompt), QLineEdit::Password,
                              QString(), &ok);
    if (!ok) return;
    password = typed.toStdString();
  }

  sync_->running = true;
  status->setText(QStringLiteral("同期中…"));
  sync::SyncRequest request;
  request.url = settings.url;
  request.user = settings.user;
  request.calendar = settings.calendar;
  request.program_folder = session_.program_folder;
  request.data_folder = session_.folders.data;
  request.now = ports_.clock.Now();
  request.progress = [status](const std::string& text) {
    status->setText(U(text));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  sync::SyncReport report;
  try {
    std::unique_ptr<sync::CalDavServer> server = sync_->make_server({settings.url, settings.user, *password});
    report = sync::RunSync(ports_.files, ports_.dialogs, *server, request);
  } catch (const store::FileError& e) {
    report.error = e.what();
  }
  sync_->running = false;
  const QString time = QStringLiteral(" %1:%2")
                           .arg(request.now.hour, 2, 10, QLatin1Char('0'))
                           .arg(request.now.minute, 2, 10, QLatin1Char('0'));
  if (report.pulled > 0 || report.conflicts > 0) layout_->SchUpdate();
  if (!report.completed()) {
    // A password typed for this sync that the server refused is not kept.
    if (report.login_refused) sync_->session_password.clear();
    else if (!sync_->secrets->Lookup(settings.url, settings.user)) sync_->session_password = *password;
    const std::string first_line = report.error.substr(0, report.error.find('\n'));
    status->setText(U("同期できませんでした: " + first_line) + time);
    if (!automatic) ports_.dialogs.Error(report.error, sync::kSyncCaption);
    return;
  }
  if (!sync_->secrets->Lookup(settings.url, settings.user)) sync_->session_password = *password;
  QString text = U(sync::SummaryText(report));
  if (!report.notices.empty()) text += QStringLiteral("、取り込めない予定 %1 件").arg(report.notices.size());
  status->setText(text + time);
  if (!automatic && !report.notices.empty()) {
    std::string all = "次の予定は同期できませんでした。";
    for (const std::string& n : report.notices) all += "\n" + n;
    ports_.dialogs.Info(all, sync::kSyncCaption);
  }
}

}  // namespace kal::app
