// The commands of kalendor-cli; each is a thin call into the core.
#pragma once

#include <string>
#include <vector>

#include "calendar/PublicHoliday.h"
#include "cli/Cli.h"

namespace kal::cli {

// The data folder of the program folder's settings, with a trailing "/".
std::string DataFolder(CliContext& context);

int RunFormat(CliContext& context, const std::vector<std::string>& args);

// holiday-check FROM [TO]: the five holiday checks for every date, with the lines of Holiday.dat.
int RunHolidayCheck(CliContext& context, const std::vector<std::string>& args);
int RunHolidayCheck(CliContext& context, const std::vector<std::string>& args,
                    const calendar::HolidaySettings& settings);

}  // namespace kal::cli
