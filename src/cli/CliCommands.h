// The commands of kalendor-cli; each is a thin call into the core.
#pragma once

#include <string>
#include <vector>

#include "cli/Cli.h"

namespace kal::cli {

// The data folder of the program folder's settings, with a trailing "/".
std::string DataFolder(CliContext& context);
// The category folder (Category.tbl, Klcat*.bmp) and the table folder (the entry tables,
// Alarm.tbl), with a trailing "/".
std::string CategoryFolder(CliContext& context);
std::string TableFolder(CliContext& context);

int RunFormat(CliContext& context, const std::vector<std::string>& args);
int RunSchedules(CliContext& context, const std::vector<std::string>& args);
int RunCategories(CliContext& context, const std::vector<std::string>& args);
int RunAlarmOffsets(CliContext& context, const std::vector<std::string>& args);

}  // namespace kal::cli
