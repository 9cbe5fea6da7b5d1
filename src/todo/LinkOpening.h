// What "開く" does with a file link, decided without a shell: an existing file is opened with the
// desktop's handler for its type, an executable regular file is started as a program, and a link
// whose first word names an executable is started with the rest split into arguments (double
// quotes group a word). Anything else gets a clear message.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kal::todo {

struct LinkOpening {
  enum class Kind { OpenDocument, StartProgram, NotFound, Empty };
  Kind kind = Kind::Empty;
  std::string path;                    // the document or the program
  std::vector<std::string> arguments;  // StartProgram
  std::string message;                 // NotFound: the message for the user
};

inline constexpr const char* kLinkErrorCaption = "エラー";

// Splits a command line into words: blanks separate, double quotes group ("" inside quotes is
// one quote).
std::vector<std::string> SplitCommandLine(const std::string& text);

// `full_path` resolves a link against the program folder; `is_file` and `is_executable` ask the
// file system about a path.
LinkOpening DecideLinkOpening(const std::string& link, const std::function<std::string(const std::string&)>& full_path,
                              const std::function<bool(const std::string&)>& is_file,
                              const std::function<bool(const std::string&)>& is_executable);

}  // namespace kal::todo
