// Note files: free-text pages with a title, not tied to a date, in the note folder (NotePath).
//
// Files:
//   "Note.lst"       the note titles in tab order, one a line (CP932, CR LF)
//   title + ".not"   the text of the note with that title, one line a line (CP932, CR LF)
// A note whose file does not exist is an empty note; a note saved empty has its file deleted.
// Without "Note.lst" the tabs are 目標, 重要, 購入, アイデア, 秘密; the list is written the first
// time the titles change. Blank lines of "Note.lst" are no titles and are skipped, and so are lines
// that CheckNoteTitle refuses (a path such as "../x" would lead out of the note folder).
//
// Titles are file names: a title may not hold \ / : , ; * ? " < > |, nor a control character,
// nor a character that CP932 cannot hold (CheckNoteTitle gives the message). Two notes may not
// have titles that differ only in letter case.
//
// A missing file reads as empty; a file that exists but cannot be read throws FileError, and so
// does a failed write or delete. Every write is atomic.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace kal::store {

inline constexpr const char* kNoteListName = "Note.lst";
inline constexpr const char* kNoteExtension = ".not";

// 目標, 重要, 購入, アイデア, 秘密.
const std::vector<std::string>& DefaultNoteTitles();

std::string NoteListPath(const std::string& note_folder);
// note folder + title + ".not".
std::string NotePath(const std::string& note_folder, const std::string& title);
// "「title」", the note's name in messages.
std::string NoteName(const std::string& title);

// The refusal of a title (caption "エラー"), or nothing when it can be a note's title:
// "タブ名には次の文字は使えません。　　\ / : , ; * ? " < > |" for a forbidden character, and
// messages for a control character or a character that CP932 cannot hold. An empty title is
// not checked here (the commands ignore it).
std::optional<std::string> CheckNoteTitle(const std::string& title);
// Whether two titles are the same without regard to the case of ASCII letters.
bool SameNoteTitle(const std::string& a, const std::string& b);

// With protection on (setting Password of section Note) the last of two or more tabs is protected.
bool NoteIsProtected(std::size_t index, std::size_t count, bool protection);

bool NoteListExists(platform::FileSystem& fs, const std::string& note_folder);
// The titles of "Note.lst", or the five default titles when it does not exist.
std::vector<std::string> LoadNoteTitles(platform::FileSystem& fs, const std::string& note_folder);
// Writes "Note.lst".
void SaveNoteTitles(platform::FileSystem& fs, const std::string& note_folder, const std::vector<std::string>& titles);

bool NoteExists(platform::FileSystem& fs, const std::string& note_folder, const std::string& title);
// The note's lines (UTF-8); empty when it has no file.
std::vector<std::string> LoadNote(platform::FileSystem& fs, const std::string& note_folder, const std::string& title);
// Stores the note's lines; no lines delete the file. Returns whether the file exists afterwards.
bool SaveNote(platform::FileSystem& fs, const std::string& note_folder, const std::string& title,
              const std::vector<std::string>& lines);

}  // namespace kal::store
