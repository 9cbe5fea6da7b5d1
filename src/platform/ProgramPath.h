// Finding programs on disk: whether a path is a program that can be started, and the search of
// a bare program name along PATH.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kal::platform {

// A regular file (after following links) that the user may execute.
bool IsExecutableFile(const std::string& path);
// A regular file or a folder exists at `path`.
bool PathExists(const std::string& path);
// The program a name stands for: a name holding "/" names itself (when it is an executable
// file); a bare name is searched along the PATH environment variable.
std::optional<std::string> FindExecutable(const std::string& name);

// Splits a command field into words without a shell: blanks separate them, double or single
// quotes group a word with blanks in it (a quote of the other kind inside quotes is kept), and
// nothing else (";", "$", "|") means anything.
std::vector<std::string> SplitCommandLine(const std::string& text);

}  // namespace kal::platform
