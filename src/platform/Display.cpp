#include "platform/Display.h"

#include <dlfcn.h>

#include <cstdlib>

namespace kal::platform {

std::string DisplayProblem(const std::function<std::string(const char*)>& env,
                           const std::function<bool(const std::string&)>& x_reachable) {
  const std::string platform = env("QT_QPA_PLATFORM");
  const std::string x_display = env("DISPLAY");
  const std::string wayland = env("WAYLAND_DISPLAY");
  const auto starts = [&](const char* prefix) { return platform.rfind(prefix, 0) == 0; };

  if (starts("xcb")) {
    if (x_display.empty()) return "QT_QPA_PLATFORM asks for X11 but DISPLAY is not set.";
    if (!x_reachable(x_display)) return "cannot connect to the X display \"" + x_display + "\".";
    return {};
  }
  if (starts("wayland")) {
    return wayland.empty() ? "QT_QPA_PLATFORM asks for Wayland but WAYLAND_DISPLAY is not set." : "";
  }
  if (!platform.empty()) return {};  // offscreen, vnc and the like need no display
  if (!wayland.empty()) return {};
  if (x_display.empty()) return "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).";
  if (!x_reachable(x_display)) return "cannot connect to the X display \"" + x_display + "\".";
  return {};
}

std::string DisplayProblem() {
  return DisplayProblem(
      [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v != nullptr ? v : "");
      },
      XDisplayReachable);
}

bool XDisplayReachable(const std::string& display) {
  void* xcb = ::dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
  if (xcb == nullptr) return true;
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  auto connect = reinterpret_cast<Connect>(::dlsym(xcb, "xcb_connect"));
  auto has_error = reinterpret_cast<HasError>(::dlsym(xcb, "xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<Disconnect>(::dlsym(xcb, "xcb_disconnect"));
  bool reachable = true;
  if (connect != nullptr && has_error != nullptr && disconnect != nullptr) {
    void* connection = connect(display.empty() ? nullptr : display.c_str(), nullptr);
    reachable = connection != nullptr && has_error(connection) == 0;
    // xcb_connect always returns a connection object, which must be freed even on error.
    if (connection != nullptr) disconnect(connection);
  }
  ::dlclose(xcb);
  return reachable;
}

}  // namespace kal::platform
