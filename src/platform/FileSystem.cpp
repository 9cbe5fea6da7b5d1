#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

namespace kal::platform {
namespace {

std::string Reason(int err) { return std::strerror(err); }

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

char Fold(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

ReadResult PosixFileSystem::Read(const std::string& path) {
  ReadResult result;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) {
      result.status = ReadResult::Status::Missing;
    } else {
      result.status = ReadResult::Status::Error;
      result.error = Reason(errno);
    }
    return result;
  }
  struct stat st{};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    result.status = ReadResult::Status::Error;
    result.error = Reason(EISDIR);
    return result;
  }
  if (st.st_size > 0) result.bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      result.status = ReadResult::Status::Error;
      result.error = Reason(errno);
      result.bytes.clear();
      ::close(fd);
      return result;
    }
    if (n == 0) break;
    result.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  result.status = ReadResult::Status::Ok;
  return result;
}

bool PosixFileSystem::WriteAtomic(const std::string& path, const std::string& bytes, std::string* error) {
  // The rename would replace a file the user made read-only (a write-protected file can be
  // replaced by anyone who may write in its folder): such a file refuses the write instead.
  if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
    if (error) *error = Reason(errno);
    return false;
  }
  std::string temp_template = JoinPath(FolderOf(path), ".kalendor-XXXXXX");
  std::vector<char> temp(temp_template.begin(), temp_template.end());
  temp.push_back('\0');
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    if (error) *error = Reason(errno);
    return false;
  }
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  struct stat st{};
  mode_t mode = 0644;
  if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
  else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);
  bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  int saved = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && ::rename(temp.data(), path.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(temp.data());
    if (error) *error = Reason(saved);
    return false;
  }
  return true;
}

bool PosixFileSystem::Exists(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0;
}

bool PosixFileSystem::IsDirectory(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> PosixFileSystem::List(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return names;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == ".." || !WildcardMatch(pattern, name)) continue;
    struct stat st{};
    if (::stat(JoinPath(folder, name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

bool PosixFileSystem::Copy(const std::string& from, const std::string& to, std::string* error) {
  ReadResult source = Read(from);
  if (!source.ok()) {
    if (error) *error = source.missing() ? Reason(ENOENT) : source.error;
    return false;
  }
  return WriteAtomic(to, source.bytes, error);
}

bool PosixFileSystem::Remove(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

bool PosixFileSystem::MakeDirs(const std::string& path) {
  if (path.empty()) return false;
  std::string partial;
  std::size_t pos = 0;
  while (pos != std::string::npos) {
    pos = path.find('/', pos + 1);
    partial = path.substr(0, pos);
    if (partial.empty() || IsDirectory(partial)) continue;
    if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return IsDirectory(path);
}

bool PosixFileSystem::SetHidden(const std::string& path, bool hidden) {
  return ::chmod(path.c_str(), hidden ? 0600 : 0644) == 0;
}

}  // namespace kal::platform
