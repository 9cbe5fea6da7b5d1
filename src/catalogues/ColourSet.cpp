#include "catalogues/ColourSet.h"

#include "app/Folders.h"
#include "catalogues/NamedSet.h"
#include "catalogues/SetupForm.h"
#include "store/IniFile.h"
#include "store/TextFile.h"

namespace kal::catalogues {

namespace {

bool InColourSet(const store::SettingKey& key) {
  return key.section == "Font" || (key.section == "Color" && key.type == store::SettingType::ColourPair);
}

}  // namespace

std::vector<std::string> ColourSetNames(platform::FileSystem& fs, const std::string& program_folder) {
  return app::SetFileNames(fs, program_folder, kColourSetExtension);
}

std::vector<std::string> ColourSetLines(const store::Settings& settings) {
  store::IniFile ini;
  store::WriteSettings(ini, settings, InColourSet);
  for (const auto& key : store::SettingsKeys(store::SettingsDefaults{})) {
    if (!key.text_only) continue;
    ini.WriteString(key.section, key.key, ini.Value(key.section, key.key).value_or("").substr(0, 7));
  }
  return ini.Lines();
}

bool LoadColourSet(platform::FileSystem& fs, const std::string& program_folder, const std::string& name,
                   const store::SettingsDefaults& defaults, store::Settings& settings) {
  const std::string path = SetFilePath(program_folder, name, kColourSetExtension);
  if (!app::ValidSetName(name) || !fs.Exists(path)) return false;
  const store::IniFile ini = store::IniFile::Load(fs, path);
  store::Settings read = store::DefaultSettings(defaults);
  store::LoadSettings(ini, read, store::LoadPhase::StartUp, defaults);
  settings.font = read.font;
  for (std::size_t i = 0; i < ColourAreas().size(); ++i) ColourOf(settings.color, i) = ColourOf(read.color, i);
  return true;
}

std::optional<std::string> ColourSetSave(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                         const std::string& program_folder, const store::Settings& settings,
                                         const std::string& current_name) {
  auto name = AskSetName(fs, dialogs, program_folder,
                         {"配色の保存", "作成した配色を保存する名前: ", current_name, kColourSetExtension});
  if (!name) return std::nullopt;
  try {
    store::SaveTextLines(fs, SetFilePath(program_folder, *name, kColourSetExtension), ColourSetLines(settings));
  } catch (const store::FileError& e) {
    dialogs.Error(e.what(), store::kFileErrorCaption);
    return std::nullopt;
  }
  return name;
}

}  // namespace kal::catalogues
