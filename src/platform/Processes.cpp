#include <spawn.h>
#include <sys/wait.h>

#include "platform/Shell.h"

extern char** environ;

namespace kal::platform {

long PosixProcesses::Start(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return 0;
  return static_cast<long>(pid);
}

bool PosixProcesses::Running(long handle) {
  if (handle <= 0) return false;
  int status = 0;
  pid_t r = ::waitpid(static_cast<pid_t>(handle), &status, WNOHANG);
  return r == 0;
}

}  // namespace kal::platform
