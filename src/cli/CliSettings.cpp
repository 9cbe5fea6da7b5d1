#include "cli/CliCommands.h"
#include "store/IniFile.h"
#include "store/Settings.h"

namespace kal::cli {

int RunSettings(CliContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) throw UsageError{"settings takes no arguments"};
  auto ini = store::IniFile::Load(context.files, context.program_folder + "Kalendor.ini");
  // Start-up reads the file after the version check, which may drop keys of old versions.
  store::MigrateSettingsVersion(ini);
  store::Settings settings;
  store::LoadSettings(ini, settings, store::LoadPhase::StartUp, SettingsDefaultsOf(context));
  for (const auto& row : store::SettingsRows(settings)) PrintRow(*context.out, {row[0], row[1], row[2]});
  return 0;
}

store::SettingsDefaults SettingsDefaultsOf(const CliContext& context) {
  return store::SettingsDefaults{context.program_folder, kMainFontName, 9};
}

}  // namespace kal::cli
