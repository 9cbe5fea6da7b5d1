// Facts about the user and the program's installation.
#pragma once

#include <string>

namespace kal::platform {

// The per-user application-data folder ($XDG_DATA_HOME, else ~/.local/share), without a
// trailing separator; empty when neither is known.
std::string PerUserDataFolder();

// The folder of the running executable, with a trailing separator.
std::string ExecutableFolder();

// The logged-on user's name.
std::string UserName();

}  // namespace kal::platform
