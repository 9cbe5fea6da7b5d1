// The settings file format (Kalendor.ini, colour schemes, Klprint.ini): sections in square
// brackets, then key=value lines, CP932. Section and key names are compared without regard to
// case; the first occurrence of a key wins; lines the program does not know (comments, keys of
// other versions) are kept as they are when the file is written back: every line read from the
// file and not changed since is written back as its own bytes, even bytes that are not CP932.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace kal::store {

class IniFile {
 public:
  IniFile() = default;

  // Reads the file; a missing file is an empty one. Throws FileError when it cannot be read.
  static IniFile Load(platform::FileSystem& fs, const std::string& path);
  static IniFile FromLines(const std::vector<std::string>& utf8_lines);

  // The value as written (blanks around it removed), when the key exists.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, const std::string& fallback) const;
  // A decimal (or "$" / "0x" hexadecimal) integer; `fallback` when the value does not convert.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // True for any non-zero number; `fallback` when the value is not a number.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  void WriteString(std::string_view section, std::string_view key, const std::string& value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  bool SectionExists(std::string_view section) const;
  void EraseSection(std::string_view section);
  void DeleteKey(std::string_view section, std::string_view key);

  // The file's lines (UTF-8) as they would be written.
  std::vector<std::string> Lines() const;
  // Writes the file atomically. Throws FileError.
  void Flush(platform::FileSystem& fs, const std::string& path) const;

 private:
  struct Entry {
    std::string text;  // the whole line as read or written
    std::string key;   // empty for a line that is not key=value
    std::string value;
    std::optional<std::string> raw = {};  // the line's bytes in the file while it is unchanged
  };
  struct Section {
    std::string header;  // the "[Name]" line; empty for the lines before the first section
    std::string name;
    std::vector<Entry> entries;
    std::optional<std::string> raw_header = {};
  };

  const Section* Find(std::string_view section) const;
  Section* Find(std::string_view section);
  std::vector<Section> sections_;
};

// Integer conversion with the settings file's rules (blanks around, sign, "$"/"0x" hex).
std::optional<int> ParseInteger(std::string_view text);

// ASCII case-insensitive equality (section and key names).
bool SameName(std::string_view a, std::string_view b);

}  // namespace kal::store
