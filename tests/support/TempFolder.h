// A temporary folder for one test, removed afterwards, with helpers to write fixture files.
#pragma once

#include <string>
#include <vector>

namespace kal::test {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, with a trailing "/".
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

  // Writes raw bytes (creating missing folders).
  void Write(const std::string& name, const std::string& bytes) const;
  // Writes UTF-8 lines as CP932 with CR LF after each line.
  void WriteLines(const std::string& name, const std::vector<std::string>& utf8_lines) const;
  // The raw bytes of a file ("" when missing).
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;
  void MakeFolder(const std::string& name) const;

 private:
  std::string path_;
};

// UTF-8 to CP932 for expected bytes in tests.
std::string Sjis(const std::string& utf8);

}  // namespace kal::test
