// kalendor-cli: a thin command-line front to the core.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace kal::cli {

// What every command gets: the options common to all commands and the ports.
struct CliContext {
  std::string program_folder;  // with a trailing "/"
  platform::FixedClock clock{platform::LocalDateTime{}};
  platform::PosixFileSystem files;
  std::ostream* out = nullptr;
  std::ostream* err = nullptr;
  std::optional<app::Session> session;  // read on first use (SessionOf)
};

// A failure the command reports with the system's own message (exit status 1).
struct CliError {
  std::string message;
};
// A wrong command line (exit status 2).
struct UsageError {
  std::string message;
};

using CommandFunction = std::function<int(CliContext&, const std::vector<std::string>& args)>;

struct Command {
  const char* name;
  const char* usage;
  CommandFunction run;
};

// Writes one output record: fields joined by TAB, backslash, TAB, CR and LF escaped, LF at the end.
void PrintRow(std::ostream& out, const std::vector<std::string>& fields);
std::string EscapeField(const std::string& field);

// Runs the command line (without the program name); returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The command table, in the order --help lists it.
const std::vector<Command>& Commands();

}  // namespace kal::cli
