// Message boxes and the standard choosers. Texts are UTF-8.
#pragma once

#include <optional>
#include <string>

namespace kal::platform {

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct FileFilter {
  std::string text;  // e.g. "CSVファイル (*.csv)|*.csv" style pairs joined by '|'
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // A modal message box; returns the button the user pressed.
  virtual MsgAnswer Message(const std::string& text, const std::string& caption, MsgIcon icon,
                            MsgButtons buttons) = 0;

  // Choosers; nothing when the user cancels.
  virtual std::optional<std::string> OpenFileName(const std::string& title, const FileFilter& filter,
                                                  const std::string& initial) = 0;
  // The save chooser does not ask about an existing file: the caller asks its own question.
  virtual std::optional<std::string> SaveFileName(const std::string& title, const FileFilter& filter,
                                                  const std::string& initial) = 0;
  virtual std::optional<std::string> FolderName(const std::string& title, const std::string& initial) = 0;
  virtual std::optional<int> Colour(int initial_bgr) = 0;
  virtual std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                               const std::string& initial) = 0;

  // Shorthands for the program's four kinds of report.
  void Error(const std::string& text, const std::string& caption) {
    Message(text, caption, MsgIcon::Error, MsgButtons::Ok);
  }
  void Info(const std::string& text, const std::string& caption) {
    Message(text, caption, MsgIcon::Information, MsgButtons::Ok);
  }
  bool Confirm(const std::string& text, const std::string& caption) {
    return Message(text, caption, MsgIcon::Warning, MsgButtons::YesNo) == MsgAnswer::Yes;
  }
};

}  // namespace kal::platform
