#include "cli/CliCommands.h"

namespace kal::cli {

int RunSettings(CliContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) throw UsageError{"settings takes no arguments"};
  for (const auto& row : store::SettingsRows(SessionOf(context).settings))
    PrintRow(*context.out, {row[0], row[1], row[2]});
  return 0;
}

}  // namespace kal::cli
