// Shell, process and sound ports for tests: record what was asked of them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace kal::test {

class FakeShell : public platform::Shell {
 public:
  std::vector<std::string> opened;
  bool open_result = true;
  std::optional<std::string> associated;

  bool Open(const std::string& target) override {
    opened.push_back(target);
    return open_result;
  }
  std::optional<std::string> AssociatedProgram(const std::string&) override { return associated; }
};

class FakeProcesses : public platform::Processes {
 public:
  struct Started {
    std::string program;
    std::vector<std::string> arguments;
  };
  std::vector<Started> started;
  long next_handle = 100;  // 0 makes every start fail
  bool running = true;

  long Start(const std::string& program, const std::vector<std::string>& arguments) override {
    if (next_handle == 0) return 0;
    started.push_back({program, arguments});
    return next_handle++;
  }
  bool Running(long) override { return running; }
};

}  // namespace kal::test
