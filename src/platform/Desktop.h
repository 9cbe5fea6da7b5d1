// Notification-area icon, global hot key and the single-instance lock.
#pragma once

#include <functional>
#include <string>

namespace kal::platform {

class Tray {
 public:
  virtual ~Tray() = default;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void SetTip(const std::string& tip) = 0;
  // The icon shows a day number (0: the program's own icon).
  virtual void SetDayNumber(int day) = 0;
  virtual void Balloon(const std::string& title, const std::string& text, int seconds) = 0;
  // Called on a click (left) or a double click of the icon.
  std::function<void()> on_click;
  std::function<void()> on_double_click;
};

class HotKey {
 public:
  virtual ~HotKey() = default;
  // Registers a system-wide hot key (bit 15 Alt, bit 14 Ctrl, bit 13 Shift, low byte the
  // virtual key). False when the desktop does not allow it.
  virtual bool Register(int shortcut) = 0;
  virtual void Unregister() = 0;
  std::function<void()> on_pressed;
};

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // Takes the named lock. False when another process holds it; that process has then been sent
  // a wake-up request.
  virtual bool Acquire(const std::string& name) = 0;
  // Called in the running instance when another start asked it to come forward.
  std::function<void()> on_wake_up;
};

}  // namespace kal::platform
