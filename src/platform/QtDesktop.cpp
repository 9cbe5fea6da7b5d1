#include "platform/QtDesktop.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>
#include <QSystemTrayIcon>

#include <sys/stat.h>
#include <unistd.h>

namespace kal::platform {

// ---- tray ----------------------------------------------------------------------------------

QtTray::QtTray() : icon_(std::make_unique<QSystemTrayIcon>()) {
  icon_->setIcon(DayIcon(0));
  QObject::connect(icon_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger && on_click) on_click();
    if (reason == QSystemTrayIcon::DoubleClick && on_double_click) on_double_click();
  });
}

QtTray::~QtTray() = default;

void QtTray::Show() { icon_->show(); }
void QtTray::Hide() { icon_->hide(); }
bool QtTray::Visible() const { return icon_->isVisible(); }
void QtTray::SetTip(const std::string& tip) { icon_->setToolTip(QString::fromStdString(tip)); }
void QtTray::SetDayNumber(int day) { icon_->setIcon(DayIcon(day)); }

void QtTray::Balloon(const std::string& title, const std::string& text, int seconds) {
  icon_->showMessage(QString::fromStdString(title), QString::fromStdString(text), QSystemTrayIcon::Information,
                     seconds * 1000);
}

QIcon QtTray::DayIcon(int day) {
  if (day <= 0 && !QApplication::windowIcon().isNull()) return QApplication::windowIcon();
  constexpr int kSize = 32;
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF leaf(1.5, 1.5, kSize - 3, kSize - 3);
  p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
  p.setBrush(Qt::white);
  p.drawRoundedRect(leaf, 3, 3);
  // The red band across the top of the leaf.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xD0, 0x20, 0x20));
  p.drawRoundedRect(QRectF(2, 2, kSize - 4, 8), 2, 2);
  p.drawRect(QRectF(2, 6, kSize - 4, 4));
  if (day > 0) {
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPixelSize(day >= 10 ? 17 : 19);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 10, kSize, kSize - 11), Qt::AlignCenter, QString::number(day));
  }
  p.end();
  return QIcon(pixmap);
}

// ---- hot key -------------------------------------------------------------------------------

bool QtHotKey::Register(int) { return false; }
void QtHotKey::Unregister() {}

// ---- single instance -----------------------------------------------------------------------

namespace {

// A lock name as a file name: letters, digits, '-' and '_' are kept, anything else becomes '_'.
QString FileStem(const std::string& name) {
  QString stem;
  for (const QChar c : QString::fromStdString(name)) {
    const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                       (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('_');
    stem += plain ? c : QLatin1Char('_');
  }
  return stem.isEmpty() ? QStringLiteral("_") : stem;
}

// $XDG_RUNTIME_DIR, else a folder of our own under the temporary folder that only this user
// can enter (one that another user made or that is a link is not used).
std::string DefaultRuntimeFolder() {
  const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!xdg.isEmpty() && QFileInfo(xdg).isDir()) return xdg.toStdString();
  const std::string folder = QDir::tempPath().toStdString() + "/kalendor-runtime-" + std::to_string(::getuid());
  ::mkdir(folder.c_str(), 0700);
  struct stat st {};
  if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
      (st.st_mode & 077) != 0) {
    return {};
  }
  return folder;
}

}  // namespace

QtSingleInstance::QtSingleInstance(std::string runtime_folder) : folder_(std::move(runtime_folder)) {
  if (folder_.empty()) folder_ = DefaultRuntimeFolder();
  if (folder_.empty()) folder_ = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).toStdString();
}

QtSingleInstance::~QtSingleInstance() {
  if (server_) server_->close();
}

bool QtSingleInstance::Acquire(const std::string& name) {
  const QString base = QDir(QString::fromStdString(folder_)).filePath(FileStem(name));
  const QString socket_path = base + QStringLiteral(".socket");

  auto lock = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
  // The lock is held for the whole run: only a dead owner makes it stale, never its age.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) {
    if (lock->error() != QLockFile::LockFailedError) {
      // The folder cannot hold a lock at all; the program runs without the guard rather than
      // refusing to start.
      return true;
    }
    QLocalSocket socket;
    socket.connectToServer(socket_path);
    if (socket.waitForConnected(2000)) {
      socket.disconnectFromServer();
      if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
    }
    return false;
  }
  lock_ = std::move(lock);

  // The lock is ours, so a socket file left behind is from a process that has died.
  QLocalServer::removeServer(socket_path);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
      peer->disconnectFromServer();
      peer->deleteLater();
      if (on_wake_up) on_wake_up();
    }
  });
  server_->listen(socket_path);
  return true;
}

}  // namespace kal::platform
