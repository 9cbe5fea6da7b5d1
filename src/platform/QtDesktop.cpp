#include "platform/QtDesktop.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
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
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

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

std::uint32_t QtHotKey::KeySymOf(int key) {
  if (key >= 'A' && key <= 'Z') return static_cast<std::uint32_t>(key - 'A' + 'a');
  if (key >= '0' && key <= '9') return static_cast<std::uint32_t>(key);
  if (key >= 112 && key <= 135) return 0xFFBEu + static_cast<std::uint32_t>(key - 112);  // F1 .. F24
  if (key >= 0x60 && key <= 0x69) return 0xFFB0u + static_cast<std::uint32_t>(key - 0x60);  // KP_0 .. KP_9
  static const std::pair<int, std::uint32_t> kKeys[] = {
      {0x20, 0x0020}, {0x21, 0xFF55}, {0x22, 0xFF56}, {0x23, 0xFF57}, {0x24, 0xFF50}, {0x25, 0xFF51},
      {0x26, 0xFF52}, {0x27, 0xFF53}, {0x28, 0xFF54}, {0x2D, 0xFF63}, {0x2E, 0xFFFF},
  };
  for (const auto& [code, keysym] : kKeys) {
    if (code == key) return keysym;
  }
  return 0;
}

struct QtHotKey::Grab : QAbstractNativeEventFilter {
  xcb_connection_t* connection = nullptr;
  xcb_window_t root = 0;
  xcb_keycode_t code = 0;
  std::uint16_t modifiers = 0;
  QtHotKey* owner = nullptr;

  static constexpr std::uint16_t kLocks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                             XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    constexpr std::uint16_t kMods = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1;
    if (press->detail != code || (press->state & kMods) != modifiers) return false;
    if (owner->on_pressed) owner->on_pressed();
    return true;
  }

  void Ungrab() {
    for (const std::uint16_t lock : kLocks) xcb_ungrab_key(connection, code, root, modifiers | lock);
    xcb_flush(connection);
  }
};

QtHotKey::QtHotKey() = default;
QtHotKey::~QtHotKey() { Unregister(); }

bool QtHotKey::Register(int shortcut) {
  Unregister();
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return false;
  xcb_connection_t* connection = x11->connection();
  const std::uint32_t keysym = KeySymOf(shortcut & 0xFF);
  if (keysym == 0) return false;

  // The key code that carries the keysym.
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const xcb_keycode_t first = setup->min_keycode;
  const int count = setup->max_keycode - setup->min_keycode + 1;
  xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, first, static_cast<std::uint8_t>(count)), nullptr);
  if (mapping == nullptr) return false;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping);
  const int per_code = mapping->keysyms_per_keycode;
  xcb_keycode_t code = 0;
  for (int i = 0; i < count && code == 0; ++i) {
    for (int j = 0; j < per_code; ++j) {
      if (syms[i * per_code + j] == keysym) {
        code = static_cast<xcb_keycode_t>(first + i);
        break;
      }
    }
  }
  std::free(mapping);
  if (code == 0) return false;

  auto grab = std::make_unique<Grab>();
  grab->connection = connection;
  grab->root = xcb_setup_roots_iterator(setup).data->root;
  grab->code = code;
  grab->owner = this;
  if (shortcut & 0x2000) grab->modifiers |= XCB_MOD_MASK_SHIFT;
  if (shortcut & 0x4000) grab->modifiers |= XCB_MOD_MASK_CONTROL;
  if (shortcut & 0x8000) grab->modifiers |= XCB_MOD_MASK_1;
  // A key another program holds fails with an access error: nothing stays grabbed.
  bool held = false;
  for (const std::uint16_t lock : Grab::kLocks) {
    xcb_void_cookie_t cookie = xcb_grab_key_checked(connection, 1, grab->root, grab->modifiers | lock, code,
                                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
      std::free(error);
      held = true;
    }
  }
  if (held) {
    grab->Ungrab();
    return false;
  }
  qApp->installNativeEventFilter(grab.get());
  grab_ = std::move(grab);
  return true;
}

void QtHotKey::Unregister() {
  if (!grab_) return;
  if (qApp) qApp->removeNativeEventFilter(grab_.get());
  grab_->Ungrab();
  grab_.reset();
}

// ---- task bar ------------------------------------------------------------------------------

void KeepOffTaskBar(QWidget* window, bool off) {
  auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (window == nullptr || x11 == nullptr || x11->connection() == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  auto atom = [connection](const char* name) -> xcb_atom_t {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    if (reply == nullptr) return XCB_ATOM_NONE;
    const xcb_atom_t value = reply->atom;
    std::free(reply);
    return value;
  };
  const xcb_atom_t state = atom("_NET_WM_STATE");
  const xcb_atom_t skip = atom("_NET_WM_STATE_SKIP_TASKBAR");
  if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE) return;
  const auto id = static_cast<xcb_window_t>(window->winId());

  // The property, which the toolkit keeps (with its own states) when it maps the window.
  std::vector<xcb_atom_t> states;
  if (xcb_get_property_reply_t* reply = xcb_get_property_reply(
          connection, xcb_get_property(connection, 0, id, state, XCB_ATOM_ATOM, 0, 64), nullptr)) {
    if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
      const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
      states.assign(values, values + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
  }
  std::erase(states, skip);
  if (off) states.push_back(skip);
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                      static_cast<std::uint32_t>(states.size()), states.data());

  // The request to the window manager, for a window it manages already.
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = id;
  message.type = state;
  message.data.data32[0] = off ? 1 : 0;  // _NET_WM_STATE_ADD / _REMOVE
  message.data.data32[1] = skip;
  message.data.data32[3] = 1;  // from an application
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
}

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
