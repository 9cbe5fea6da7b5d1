// The program's one password: the password file, registration and the entry with its three tries.
//
// Password file: "Kalendor.pwd" in the program folder, readable by its owner only. Its first line
// (further lines are ignored) is ASCII:
//
//   pbkdf2-sha256$<iterations>$<salt, 32 hex digits>$<hash, 64 hex digits>
//
// the PBKDF2-HMAC-SHA256 of the password's CP932 bytes with a random 16-byte salt. An older file
// holds instead the scrambled form of "hhmmss yymmdd" + the password, every byte combined with
// 0xD3 by exclusive or; it is still accepted, and replaced by the hashed form after the next right
// entry. An empty line, a line that is neither form, or an unreadable file counts as no password.
//
// A password is 1 to 8 bytes in CP932 (a Japanese character takes two), compared exactly (case
// and blanks included); at registration it must hold 4 characters or more without its leading and
// trailing blanks.
#pragma once

#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::maintenance {

inline constexpr const char* kPasswordFileName = "Kalendor.pwd";
inline constexpr std::size_t kPasswordBytes = 8;

// ---- The stored line ----------------------------------------------------------------------------

// The hashed line for a password (CP932 bytes) with the given salt (16 bytes) and iterations.
std::string HashLine(const std::string& password_bytes, const std::string& salt, int iterations);
// A new hashed line with a fresh random salt.
std::string NewHashLine(const std::string& password_bytes);
// The older scrambled line ("hhmmss yymmdd" + password, each byte ^ 0xD3).
std::string LegacyLine(const std::string& stamp13, const std::string& password_bytes);

enum class StoredKind { None, Hashed, Legacy };
struct StoredPassword {
  StoredKind kind = StoredKind::None;
  std::string line;  // the first line as stored
};
// The password file read; a missing, empty, unreadable or unrecognised file is None.
StoredPassword ReadStoredPassword(platform::FileSystem& fs, const std::string& program_folder);
// Whether `password_bytes` is the stored password (None matches nothing).
bool Matches(const StoredPassword& stored, const std::string& password_bytes);
// Writes the hashed line for a password as the whole file, owner-only. Error text on failure.
bool StorePassword(platform::FileSystem& fs, const std::string& program_folder, const std::string& password_bytes,
                   std::string* error);

// ---- Registration (TDlgPassEntry) ---------------------------------------------------------------

inline constexpr const char* kEntryCaption = "パスワード登録";
inline constexpr const char* kInputErrorCaption = "入力エラー";
inline constexpr const char* kTooShortMessage = "パスワードは４文字以上で入力して下さい。";
inline constexpr const char* kMismatchMessage = "新しいパスワードと再入力したパスワードが違います。";
inline constexpr const char* kCurrentWrongMessage = "現在のパスワードが違います。";
inline constexpr const char* kTooLongMessage = "パスワードは半角8文字（全角4文字）以内で入力して下さい。";
inline constexpr const char* kUnencodableMessage = "パスワードに使用できない文字が含まれています。";

enum class EntryField { Current, New, Again };
struct EntryCheck {
  std::string message;  // empty: accepted
  EntryField focus = EntryField::New;
};
// The OK check of registration, in order: the current password when one is set, then the
// length of the new one (CP932 bytes, then 4 characters without its outer blanks), then the
// repetition. `current` is ignored when no password is stored.
EntryCheck CheckRegistration(const StoredPassword& stored, const std::string& current_utf8,
                             const std::string& new_utf8, const std::string& again_utf8);

// ---- Entry (TDlgPasswd) -----------------------------------------------------------------------

inline constexpr const char* kPasswdCaption = "Kalendor パスワード入力";
inline constexpr const char* kMessageCaption = "Kalendor";
inline constexpr const char* kEmptyInputMessage = "パスワードを入力して下さい。";
inline constexpr const char* kInputTooLongMessage = "入力文字数が多すぎます。";
inline constexpr const char* kWrongMessage = "パスワードが違います。";
inline constexpr int kTries = 3;

// The labels the callers set.
inline constexpr const char* kStartupLabel = "起動パスワードの入力:";
inline constexpr const char* kTrayLabel = "パスワードの入力:";
inline constexpr const char* kNoteLabel = "ノートのパスワードの入力:";

// The state of one entry dialog: each OK is one Try.
class PasswordEntry {
 public:
  PasswordEntry(platform::FileSystem& fs, std::string program_folder);
  enum class Outcome { StayOpen, Accepted, Refused };
  // Checks the input and shows the message of a failure. A right entry of an older scrambled
  // file replaces the file by its hashed form. The third wrong password gives Refused.
  Outcome Try(platform::Dialogs& dialogs, const std::string& input_utf8);
  int failures() const { return failures_; }

 private:
  platform::FileSystem& fs_;
  std::string program_folder_;
  int failures_ = 0;
};

// Whether the password is set: a readable file with a recognised first line.
bool PasswordSet(platform::FileSystem& fs, const std::string& program_folder);

}  // namespace kal::maintenance
