// Text data files: CP932, lines ended by CR LF, read and written whole.
//
// Lines stay as the file's own CP932 bytes. Only a file that does not exist reads as empty; a file
// that exists but cannot be read raises FileError, so that an operation stops instead of saving
// an empty list over the user's data. Every write replaces the file atomically.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace kal::store {

// A file that could not be read or written. what() is the message for the user.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kFileErrorCaption = "エラー";

std::string ReadErrorMessage(const std::string& path, const std::string& reason);
std::string WriteErrorMessage(const std::string& path, const std::string& reason);

// Splits file bytes into lines at LF, CR LF or a lone CR; a final line without an end is kept,
// the empty text after a final line end is not a line.
std::vector<std::string> SplitLines(std::string_view bytes);
// Each line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// The CP932 lines of a file; empty when it does not exist. Throws FileError when it cannot be read.
std::vector<std::string> LoadLines(platform::FileSystem& fs, const std::string& path);
// Whether the file exists; when it does, `lines` receives its lines. Throws FileError.
bool LoadLinesIfExists(platform::FileSystem& fs, const std::string& path, std::vector<std::string>& lines);
// Replaces the file with the lines. Throws FileError when it cannot be written.
void SaveLines(platform::FileSystem& fs, const std::string& path, const std::vector<std::string>& lines);

// The same for free-text files, decoded whole to UTF-8 lines (memos, notes, settings, tables).
std::vector<std::string> LoadTextLines(platform::FileSystem& fs, const std::string& path);
// Encodes UTF-8 lines; throws FileError naming the character when one cannot be held by CP932.
void SaveTextLines(platform::FileSystem& fs, const std::string& path, const std::vector<std::string>& lines);

}  // namespace kal::store
