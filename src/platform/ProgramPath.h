// Finding programs on disk: whether a path is a program that can be started, and the search of
// a bare program name along PATH.
#pragma once

#include <optional>
#include <string>

namespace kal::platform {

// A regular file (after following links) that the user may execute.
bool IsExecutableFile(const std::string& path);
// A regular file or a folder exists at `path`.
bool PathExists(const std::string& path);
// The program a name stands for: a name holding "/" names itself (when it is an executable
// file); a bare name is searched along the PATH environment variable.
std::optional<std::string> FindExecutable(const std::string& name);

}  // namespace kal::platform
