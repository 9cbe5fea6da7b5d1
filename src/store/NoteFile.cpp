#include "store/NoteFile.h"

#include "platform/Codec.h"
#include "store/MemoFile.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::store {
namespace {

constexpr const char* kForbidden = "\\/:,;*?\"<>|";

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const std::vector<std::string>& DefaultNoteTitles() {
  static const std::vector<std::string> titles = {"目標", "重要", "購入", "アイデア", "秘密"};
  return titles;
}

std::string NoteListPath(const std::string& note_folder) { return platform::JoinPath(note_folder, kNoteListName); }

std::string NotePath(const std::string& note_folder, const std::string& title) {
  return platform::JoinPath(note_folder, title + kNoteExtension);
}

std::string NoteName(const std::string& title) { return "「" + title + "」"; }

std::optional<std::string> CheckNoteTitle(const std::string& title) {
  // Only ASCII bytes can be forbidden characters: UTF-8 never uses them inside a character.
  if (title.find_first_of(kForbidden) != std::string::npos) {
    std::string text = "タブ名には次の文字は使えません。　　";
    for (const char* p = kForbidden; *p; ++p) {
      if (p != kForbidden) text += ' ';
      text += *p;
    }
    return text;
  }
  for (unsigned char c : title)
    if (c < 0x20 || c == 0x7F) return std::string("タブ名には制御文字は使えません。");
  std::string bad;
  if (!platform::Utf8ToCp932(title, &bad)) return UnencodableMessage("タブ名", bad);
  return std::nullopt;
}

bool SameNoteTitle(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

bool NoteIsProtected(std::size_t index, std::size_t count, bool protection) {
  return protection && count >= 2 && index + 1 == count;
}

bool NoteListExists(platform::FileSystem& fs, const std::string& note_folder) {
  return fs.Exists(NoteListPath(note_folder));
}

std::vector<std::string> LoadNoteTitles(platform::FileSystem& fs, const std::string& note_folder) {
  std::vector<std::string> lines;
  if (!LoadLinesIfExists(fs, NoteListPath(note_folder), lines)) return DefaultNoteTitles();
  std::vector<std::string> titles;
  for (const auto& line : lines) {
    if (Trim(line).empty()) continue;
    // A title that could not have been typed ("../x", "a/b", a control character) would name a
    // file outside the note folder: it is no tab.
    std::string title = platform::Cp932ToUtf8(line);
    if (!CheckNoteTitle(title)) titles.push_back(std::move(title));
  }
  return titles;
}

void SaveNoteTitles(platform::FileSystem& fs, const std::string& note_folder, const std::vector<std::string>& titles) {
  SaveLines(fs, NoteListPath(note_folder), EncodeFreeText(titles, kNoteListName));
}

bool NoteExists(platform::FileSystem& fs, const std::string& note_folder, const std::string& title) {
  return fs.Exists(NotePath(note_folder, title));
}

std::vector<std::string> LoadNote(platform::FileSystem& fs, const std::string& note_folder, const std::string& title) {
  return LoadFreeText(fs, NotePath(note_folder, title));
}

bool SaveNote(platform::FileSystem& fs, const std::string& note_folder, const std::string& title,
              const std::vector<std::string>& lines) {
  return SaveFreeText(fs, NotePath(note_folder, title), lines, NoteName(title));
}

}  // namespace kal::store
