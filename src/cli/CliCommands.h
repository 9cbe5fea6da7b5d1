// The commands of kalendor-cli; each is a thin call into the core.
#pragma once

#include <string>
#include <vector>

#include "cli/Cli.h"
#include "store/Settings.h"

namespace kal::cli {

// The data folder of the program folder's settings, with a trailing "/".
std::string DataFolder(CliContext& context);

// The main window's font on this platform: the default of the font settings.
inline constexpr const char* kMainFontName = "IPAexGothic";
// The run-dependent settings defaults of the program folder.
store::SettingsDefaults SettingsDefaultsOf(const CliContext& context);

int RunFormat(CliContext& context, const std::vector<std::string>& args);
int RunSchedules(CliContext& context, const std::vector<std::string>& args);
int RunRokuyo(CliContext& context, const std::vector<std::string>& args);
int RunSekki(CliContext& context, const std::vector<std::string>& args);
int RunStatus(CliContext& context, const std::vector<std::string>& args);
int RunRepeat(CliContext& context, const std::vector<std::string>& args);
int RunSettings(CliContext& context, const std::vector<std::string>& args);

}  // namespace kal::cli
