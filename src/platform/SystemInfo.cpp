#include "platform/SystemInfo.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace kal::platform {

std::string PerUserDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
  return {};
}

std::string ExecutableFolder() {
  std::vector<char> buffer(4096);
  ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return "./";
  std::string path(buffer.data(), static_cast<std::size_t>(n));
  return path.substr(0, path.find_last_of('/') + 1);
}

std::string UserName() {
  if (passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name) return pw->pw_name;
  if (const char* user = std::getenv("USER")) return user;
  return {};
}

}  // namespace kal::platform
