// Whether the window can be shown: is there a display for the windowing system to use?
#pragma once

#include <functional>
#include <string>

namespace kal::platform {

// Empty when a display is available, else what is missing (one English line for stderr).
// `env` reads an environment variable ("" when unset); `x_reachable` tries to connect to an X
// display ("" is the default display).
std::string DisplayProblem(const std::function<std::string(const char*)>& env,
                           const std::function<bool(const std::string&)>& x_reachable);

// The same for this process: its environment and a real connection attempt.
std::string DisplayProblem();

// Connects to the X display and disconnects again (through libxcb when it is installed; without
// it the display is taken to be there).
bool XDisplayReachable(const std::string& display);

}  // namespace kal::platform
