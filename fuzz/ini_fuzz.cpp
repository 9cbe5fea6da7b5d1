// The settings-file reader (Kalendor.ini, colour schemes, Klprint.ini).
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "app/Startup.h"
#include "store/IniFile.h"
#include "store/Settings.h"
#include "store/TextFile.h"

using namespace kal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::MemoryFileSystem fs;
  fs.files["/prog/Kalendor.ini"] = std::string(reinterpret_cast<const char*>(data), size);
  store::IniFile ini = store::IniFile::Load(fs, "/prog/Kalendor.ini");

  // Lines as written read back as the same file.
  const std::vector<std::string> lines = ini.Lines();
  fuzz::Check(store::IniFile::FromLines(lines).Lines() == lines, "settings lines round trip");

  (void)ini.ReadInteger("Main", "Left", 0);
  (void)ini.ReadBool("Main", "Tray", false);
  (void)ini.ReadString("Folder", "DataFolder", "");
  // Start-up reads the file the same way: version handling, every key, the folders.
  const app::SessionRead read = app::ReadSession("/prog/", app::kDefaultFontName, fs,
                                                 std::chrono::year_month_day{std::chrono::year{2024} / 5 / 1});
  const auto rows = store::SettingsRows(read.session.settings);
  fuzz::Check(!rows.empty(), "settings listed");
  store::IniFile written;
  store::WriteSettings(written, read.session.settings, [](const store::SettingKey&) { return true; });
  store::Settings again = store::DefaultSettings({"/prog/", app::kDefaultFontName, 9});
  store::LoadSettings(written, again, store::LoadPhase::StartUp, {"/prog/", app::kDefaultFontName, 9});
  fuzz::Check(store::SettingsRows(again) == rows, "settings written and read back are the same");

  ini.WriteString("Main", "Version", "5.71");
  ini.WriteInteger("Main", "Top", -3);
  fuzz::Check(ini.ReadInteger("main", "TOP", 0) == -3, "a written key reads back");
  ini.DeleteKey("Main", "Top");
  ini.EraseSection("Monthly");
  fuzz::Check(!ini.SectionExists("Monthly"), "an erased section is gone");
  return 0;
}
