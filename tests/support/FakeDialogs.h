// A message-box and chooser port for tests: records every box and answers from a script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace kal::test {

struct ShownMessage {
  std::string text;
  std::string caption;
  platform::MsgIcon icon;
  platform::MsgButtons buttons;
};

class FakeDialogs : public platform::Dialogs {
 public:
  // Answers given to message boxes in order; when the script is empty a box gets its first
  // button (Ok or Yes).
  std::deque<platform::MsgAnswer> answers;
  std::vector<ShownMessage> shown;

  // Results of the choosers in order; an empty optional means the user cancelled.
  std::deque<std::optional<std::string>> file_names;
  std::deque<std::optional<int>> colours;
  std::deque<std::optional<std::string>> input_texts;

  // The file and folder choosers opened, in order: title, filter text and initial path.
  struct Chooser {
    std::string title, filter, initial;
  };
  std::vector<Chooser> choosers;

  platform::MsgAnswer Message(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                              platform::MsgButtons buttons) override;
  std::optional<std::string> OpenFileName(const std::string&, const platform::FileFilter&,
                                          const std::string&) override;
  std::optional<std::string> SaveFileName(const std::string&, const platform::FileFilter&,
                                          const std::string&) override;
  std::optional<std::string> FolderName(const std::string&, const std::string&) override;
  std::optional<int> Colour(int initial_bgr) override;
  std::optional<std::string> InputText(const std::string&, const std::string&, const std::string&) override;

 private:
  std::optional<std::string> NextFileName();
};

}  // namespace kal::test
