// The file operations the program needs. Paths are UTF-8 strings in the platform's own form.
#pragma once

#include <string>
#include <vector>

namespace kal::platform {

struct ReadResult {
  enum class Status { Ok, Missing, Error };
  Status status = Status::Missing;
  std::string bytes;  // the whole file when Ok
  std::string error;  // the system's reason when Error

  bool ok() const { return status == Status::Ok; }
  bool missing() const { return status == Status::Missing; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads a whole file. A file that does not exist is Missing; anything else that stops the
  // read (a folder in its place, no permission, an I/O error) is Error.
  virtual ReadResult Read(const std::string& path) = 0;

  // Replaces the file atomically: the bytes go to a temporary file in the same folder, which is
  // flushed and renamed over `path`. On failure the old file is untouched and `error` says why.
  virtual bool WriteAtomic(const std::string& path, const std::string& bytes, std::string* error) = 0;

  virtual bool Exists(const std::string& path) = 0;
  virtual bool IsDirectory(const std::string& path) = 0;

  // Names (not paths) of the plain files in `folder` that match the wildcard `pattern`
  // ("*" and "?", letters compared without regard to case), sorted by byte order.
  virtual std::vector<std::string> List(const std::string& folder, const std::string& pattern) = 0;

  virtual bool Copy(const std::string& from, const std::string& to, std::string* error) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Creates the folder with its missing parents; true when it exists afterwards.
  virtual bool MakeDirs(const std::string& path) = 0;

  // The hidden attribute. On POSIX a hidden file is one only its owner may read.
  virtual bool SetHidden(const std::string& path, bool hidden) = 0;
};

class PosixFileSystem : public FileSystem {
 public:
  ReadResult Read(const std::string& path) override;
  bool WriteAtomic(const std::string& path, const std::string& bytes, std::string* error) override;
  bool Exists(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;
  std::vector<std::string> List(const std::string& folder, const std::string& pattern) override;
  bool Copy(const std::string& from, const std::string& to, std::string* error) override;
  bool Remove(const std::string& path) override;
  bool MakeDirs(const std::string& path) override;
  bool SetHidden(const std::string& path, bool hidden) override;
};

// Wildcard match of a file name ("*", "?"; ASCII letters folded).
bool WildcardMatch(const std::string& pattern, const std::string& name);

// Joins a folder and a name with one separator.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace kal::platform
