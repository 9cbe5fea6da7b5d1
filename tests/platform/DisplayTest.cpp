#include "platform/Display.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <map>

namespace kal::platform {
namespace {

struct DisplayCase {
  std::map<std::string, std::string> env;
  bool x_up;
  std::string problem;  // "" when the window can be shown
};

TEST(Display, TellsWhetherThereIsADisplayToUse) {
  const DisplayCase cases[] = {
      {{}, true, "no display found (neither DISPLAY nor WAYLAND_DISPLAY is set)."},
      {{{"DISPLAY", ":0"}}, true, ""},
      {{{"DISPLAY", ":7"}}, false, "cannot connect to the X display \":7\"."},
      {{{"WAYLAND_DISPLAY", "wayland-0"}}, false, ""},
      {{{"QT_QPA_PLATFORM", "offscreen"}}, false, ""},
      {{{"QT_QPA_PLATFORM", "xcb"}}, true, "QT_QPA_PLATFORM asks for X11 but DISPLAY is not set."},
      {{{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":1"}}, false, "cannot connect to the X display \":1\"."},
      {{{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", ":1"}}, true, ""},
      {{{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":1"}}, true,
       "QT_QPA_PLATFORM asks for Wayland but WAYLAND_DISPLAY is not set."},
  };
  for (const auto& c : cases) {
    std::string probed;
    const std::string problem = DisplayProblem(
        [&](const char* name) {
          auto it = c.env.find(name);
          return it == c.env.end() ? std::string() : it->second;
        },
        [&](const std::string& display) {
          probed = display;
          return c.x_up;
        });
    EXPECT_EQ(problem, c.problem) << "DISPLAY=" << (c.env.count("DISPLAY") ? c.env.at("DISPLAY") : "");
    if (!probed.empty()) {
      EXPECT_EQ(probed, c.env.at("DISPLAY"));
    }
  }
}

TEST(Display, AnUnreachableXDisplayIsReportedNotFatal) {
  void* xcb = ::dlopen("libxcb.so.1", RTLD_LAZY);
  if (xcb == nullptr) GTEST_SKIP() << "libxcb is not installed";
  ::dlclose(xcb);
  // Nothing listens on display 987.
  EXPECT_FALSE(XDisplayReachable(":987"));
}

}  // namespace
}  // namespace kal::platform
