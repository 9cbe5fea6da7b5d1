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
    const std::string_view folder = paths.substr(0, colon);  // an empty entry is the current folder
    const std::string candidate = std::string(folder.empty() ? std::string_view(".") : folder) + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    if (colon == std::string_view::npos) break;
    paths.remove_prefix(colon + 1);
  }
  return std::nullopt;
}

std::vector<std::string> SplitCommandLine(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  char quote = 0;
  for (char c : text) {
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        word += c;
    } else if (c == '"' || c == '\'') {
      quote = c;
      in_word = true;
    } else if (c == ' ' || c == '\t') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

}  // namespace kal::platform
