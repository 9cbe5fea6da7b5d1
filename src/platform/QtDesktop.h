// Tray icon, global hot key and single-instance lock on a Qt desktop.
#pragma once

#include <QIcon>
#include <QString>

#include <cstdint>
#include <memory>

#include "platform/Desktop.h"

class QLocalServer;
class QLockFile;
class QSystemTrayIcon;
class QWidget;

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

// The system-wide hot key on X11: the key is grabbed on the root window through xcb (with and
// without Caps Lock and Num Lock) and its presses are taken from Qt's native events. Elsewhere
// (Wayland, offscreen) registration fails and the caller treats the hot key as unavailable; a
// desktop shortcut can run "kalendor --activate" instead.
class QtHotKey : public HotKey {
 public:
  QtHotKey();
  ~QtHotKey() override;
  // False when the desktop is not X11, the key has no key code, or another program holds it.
  bool Register(int shortcut) override;
  void Unregister() override;

  // The X keysym of a hot key's key code (letters, digits, F1 to F24, Space, the cursor and
  // editing keys, the keypad's digits); 0 for a code the hot key does not take.
  static std::uint32_t KeySymOf(int key);

 private:
  struct Grab;
  std::unique_ptr<Grab> grab_;
};

// Keeps a top-level window's button off the task bar (or lets it back): on X11 the window's
// _NET_WM_STATE_SKIP_TASKBAR, set on the window before it is mapped (called from its show event)
// and asked of the window manager for a window already shown. Nothing elsewhere.
void KeepOffTaskBar(QWidget* window, bool off);

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
