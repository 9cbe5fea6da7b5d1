// Runs kalendor-cli in-process and captures what it prints.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/TempFolder.h"

namespace kal::test {

struct CliRun {
  int status = 0;
  std::string out, err;
};

inline CliRun RunCliCapture(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = cli::RunCli(args, out, err);
  return {status, out.str(), err.str()};
}

// Runs with --program-folder set to `folder`.
inline CliRun RunCliIn(const TempFolder& folder, std::vector<std::string> args) {
  args.insert(args.begin(), {"--program-folder", folder.path()});
  return RunCliCapture(args);
}

}  // namespace kal::test
