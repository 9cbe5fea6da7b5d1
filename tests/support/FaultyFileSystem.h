// The real file system with failures on chosen paths, to test that nothing is lost.
#pragma once

#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace kal::test {

class FaultyFileSystem : public platform::PosixFileSystem {
 public:
  std::set<std::string> unreadable;  // Read() answers Error
  std::set<std::string> unwritable;  // WriteAtomic() fails, leaving the file as it was
  int writes = 0;                    // successful writes

  platform::ReadResult Read(const std::string& path) override {
    if (unreadable.count(path)) {
      platform::ReadResult r;
      r.status = platform::ReadResult::Status::Error;
      r.error = "Input/output error";
      return r;
    }
    return PosixFileSystem::Read(path);
  }
  bool WriteAtomic(const std::string& path, const std::string& bytes, std::string* error) override {
    if (unwritable.count(path)) {
      if (error) *error = "No space left on device";
      return false;
    }
    bool ok = PosixFileSystem::WriteAtomic(path, bytes, error);
    if (ok) ++writes;
    return ok;
  }
};

}  // namespace kal::test
