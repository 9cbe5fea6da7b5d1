// The commands of kalendor-cli; each is a thin call into the core.
#pragma once

#include <string>
#include <vector>

#include "cli/Cli.h"

namespace kal::cli {

int RunFormat(CliContext& context, const std::vector<std::string>& args);

}  // namespace kal::cli
