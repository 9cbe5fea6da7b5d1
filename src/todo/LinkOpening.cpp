#include "todo/LinkOpening.h"

#include "store/Record.h"

namespace kal::todo {

std::vector<std::string> SplitCommandLine(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false, quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          word += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        word += c;
      }
    } else if (c == '"') {
      quoted = in_word = true;
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

LinkOpening DecideLinkOpening(const std::string& link, const std::function<std::string(const std::string&)>& full_path,
                              const std::function<bool(const std::string&)>& is_file,
                              const std::function<bool(const std::string&)>& is_executable) {
  LinkOpening opening;
  const std::string trimmed(store::Trim(link));
  if (trimmed.empty()) return opening;
  const std::string whole = full_path(trimmed);
  if (is_file(whole)) {
    opening.path = whole;
    opening.kind = is_executable(whole) ? LinkOpening::Kind::StartProgram : LinkOpening::Kind::OpenDocument;
    return opening;
  }
  std::vector<std::string> words = SplitCommandLine(trimmed);
  if (!words.empty()) {
    const std::string program = full_path(words[0]);
    if (is_file(program) && is_executable(program)) {
      opening.kind = LinkOpening::Kind::StartProgram;
      opening.path = program;
      opening.arguments.assign(words.begin() + 1, words.end());
      return opening;
    }
  }
  opening.kind = LinkOpening::Kind::NotFound;
  opening.path = whole;
  opening.message = "ファイル「" + trimmed + "」が見つかりません。";
  return opening;
}

}  // namespace kal::todo
