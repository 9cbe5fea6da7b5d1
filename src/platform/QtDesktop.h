// Tray icon, global hot key and single-instance lock on a Qt desktop.
#pragma once

#include <QIcon>
#include <QString>

#include <memory>

#include "platform/Desktop.h"

class QLocalServer;
class QLockFile;
class QSystemTrayIcon;

namespace kal::platform {

class QtTray : public Tray {
 public:
  QtTray();
  ~QtTray() override;
  void Show() override;
  void Hide() override;
  void SetTip(const std::string& tip) override;
  void SetDayNumber(int day) override;
  void Balloon(const std::string& title, const std::string& text, int seconds) override;

  bool Visible() const;
  QSystemTrayIcon* Icon() const { return icon_.get(); }

  // The tray picture: a small calendar leaf with the day number; 0 gives the application's
  // own icon (or the empty leaf when it has none).
  static QIcon DayIcon(int day);

 private:
  std::unique_ptr<QSystemTrayIcon> icon_;
};

// Qt has no system-wide hot key on X11 or Wayland (that needs XGrabKey through xcb or a desktop
// portal, neither of which Qt Widgets offers), so registration always fails here and the caller
// treats the hot key as unavailable.
class QtHotKey : public HotKey {
 public:
  bool Register(int shortcut) override;
  void Unregister() override;
};

// A named lock in a per-user runtime folder (QLockFile, released when the process ends, a lock
// left by a dead process is taken over) plus a local socket of the same name: a second start
// connects to it and closes again, which is the wake-up request.
class QtSingleInstance : public SingleInstance {
 public:
  // `runtime_folder`: where the lock file and the socket live; empty uses the user's runtime
  // folder ($XDG_RUNTIME_DIR, else a private folder "kalendor-runtime-<uid>" under the
  // temporary folder).
  explicit QtSingleInstance(std::string runtime_folder = {});
  ~QtSingleInstance() override;
  bool Acquire(const std::string& name) override;

  const std::string& RuntimeFolder() const { return folder_; }

 private:
  std::string folder_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace kal::platform
