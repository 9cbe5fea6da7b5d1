#include "support/FakeDialogs.h"

namespace kal::test {

platform::MsgAnswer FakeDialogs::Message(const std::string& text, const std::string& caption,
                                         platform::MsgIcon icon, platform::MsgButtons buttons) {
  shown.push_back({text, caption, icon, buttons});
  if (!answers.empty()) {
    platform::MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  return buttons == platform::MsgButtons::Ok || buttons == platform::MsgButtons::OkCancel
             ? platform::MsgAnswer::Ok
             : platform::MsgAnswer::Yes;
}

std::optional<std::string> FakeDialogs::NextFileName() {
  if (file_names.empty()) return std::nullopt;
  auto name = file_names.front();
  file_names.pop_front();
  return name;
}

std::optional<std::string> FakeDialogs::OpenFileName(const std::string&, const platform::FileFilter&,
                                                     const std::string&) {
  return NextFileName();
}
std::optional<std::string> FakeDialogs::SaveFileName(const std::string& title, const platform::FileFilter& filter,
                                                     const std::string& initial) {
  choosers.push_back({title, filter.text, initial});
  return NextFileName();
}
std::optional<std::string> FakeDialogs::FolderName(const std::string&, const std::string&) {
  return NextFileName();
}

std::optional<int> FakeDialogs::Colour(int) {
  if (colours.empty()) return std::nullopt;
  auto c = colours.front();
  colours.pop_front();
  return c;
}

std::optional<std::string> FakeDialogs::InputText(const std::string&, const std::string&, const std::string&) {
  if (input_texts.empty()) return std::nullopt;
  auto t = input_texts.front();
  input_texts.pop_front();
  return t;
}

}  // namespace kal::test
