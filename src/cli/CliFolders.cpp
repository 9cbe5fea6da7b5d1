#include "cli/CliCommands.h"

namespace kal::cli {

std::string DataFolder(CliContext& context) { return context.program_folder; }
std::string CategoryFolder(CliContext& context) { return context.program_folder; }
std::string TableFolder(CliContext& context) { return context.program_folder; }

}  // namespace kal::cli
