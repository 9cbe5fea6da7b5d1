// Files held in memory: a FileSystem for tests and fuzz targets that read and write many small
// folders quickly. Paths are compared as given; a folder exists when a file lies under it.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace kal::test {

class MemoryFileSystem : public platform::FileSystem {
 public:
  std::map<std::string, std::string> files;

  platform::ReadResult Read(const std::string& path) override {
    platform::ReadResult r;
    auto it = files.find(path);
    if (it == files.end()) return r;
    r.status = platform::ReadResult::Status::Ok;
    r.bytes = it->second;
    return r;
  }
  bool WriteAtomic(const std::string& path, const std::string& bytes, std::string*) override {
    files[path] = bytes;
    return true;
  }
  bool Exists(const std::string& path) override { return files.count(path) || IsDirectory(path); }
  bool IsDirectory(const std::string& path) override {
    std::string folder = path.empty() || path.back() == '/' ? path : path + "/";
    for (const auto& [name, bytes] : files) {
      if (name.rfind(folder, 0) == 0) return true;
    }
    return folder == "/";
  }
  std::vector<std::string> List(const std::string& folder, const std::string& pattern) override {
    std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files) {
      if (name.rfind(prefix, 0) != 0) continue;
      std::string rest = name.substr(prefix.size());
      if (rest.find('/') == std::string::npos && platform::WildcardMatch(pattern, rest)) names.push_back(rest);
    }
    return names;
  }
  bool Copy(const std::string& from, const std::string& to, std::string*) override {
    auto it = files.find(from);
    if (it == files.end()) return false;
    files[to] = it->second;
    return true;
  }
  bool Remove(const std::string& path) override {
    files.erase(path);
    return true;
  }
  bool MakeDirs(const std::string&) override { return true; }
  bool SetHidden(const std::string&, bool) override { return true; }
};

}  // namespace kal::test
