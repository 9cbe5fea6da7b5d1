// The dialogs port of the command line and the memo texts of the commands.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace kal::cli {

// The dialogs port of the command line: an error box becomes the command's message; a question
// of OK (the schedule dialog's alarm whose start has passed) is answered No, which stores.
class CliDialogs final : public platform::Dialogs {
 public:
  std::vector<std::string> errors;

  platform::MsgAnswer Message(const std::string& text, const std::string&, platform::MsgIcon,
                              platform::MsgButtons buttons) override {
    if (buttons == platform::MsgButtons::YesNo || buttons == platform::MsgButtons::YesNoCancel)
      return platform::MsgAnswer::No;
    errors.push_back(text);
    return platform::MsgAnswer::Ok;
  }
  std::optional<std::string> OpenFileName(const std::string&, const platform::FileFilter&,
                                          const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFileName(const std::string&, const platform::FileFilter&,
                                          const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> FolderName(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<int> Colour(int) override { return std::nullopt; }
  std::optional<std::string> InputText(const std::string&, const std::string&, const std::string&) override {
    return std::nullopt;
  }
};

// A memo's lines joined by LF (the output field of a memo).
inline std::string JoinMemo(const std::vector<std::string>& lines) {
  std::string memo;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) memo += '\n';
    memo += lines[i];
  }
  return memo;
}

// A memo option's text split at LF (a CR before it dropped) into the memo's lines.
inline std::vector<std::string> MemoLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (true) {
    std::size_t lf = text.find('\n', start);
    std::string line = text.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (lf == std::string::npos) break;
    start = lf + 1;
  }
  return lines;
}

}  // namespace kal::cli
