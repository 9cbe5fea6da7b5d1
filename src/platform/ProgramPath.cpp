#include "platform/ProgramPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace kal::platform {

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
  return S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

bool PathExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

std::optional<std::string> FindExecutable(const std::string& name) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    if (IsExecutableFile(name)) return name;
    return std::nullopt;
  }
  const char* env = std::getenv("PATH");
  std::string_view paths = env ? env : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    const std::size_t colon = paths.find(':');
    std::string folder(paths.substr(0, colon));
    if (folder.empty()) folder = ".";
    const std::string candidate = folder + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    if (colon == std::string_view::npos) break;
    paths.remove_prefix(colon + 1);
  }
  return std::nullopt;
}

}  // namespace kal::platform
