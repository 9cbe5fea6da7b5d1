#include "app/Startup.h"

#include "maintenance/Password.h"

namespace kal::app {

FolderValues FolderValuesOf(const store::Settings& settings) {
  const auto& k = settings.kalendor;
  return FolderValues{k.relative_path, k.data_path, k.memo_path, k.todo_path, k.note_path, k.cate_path, k.tbl_path};
}

SessionRead ReadSession(const std::string& program_folder, const std::string& main_font_name,
                        platform::FileSystem& files, const store::Date& today) {
  SessionRead read;
  Session& s = read.session;
  s.program_folder = WithTrailingSeparator(program_folder);
  s.settings_file = s.program_folder + "Kalendor.ini";
  read.ini = store::IniFile::Load(files, s.settings_file);

  // The version check runs before anything is read: it may drop the keys of older versions.
  std::vector<std::string> before = read.ini.Lines();
  s.first_run = store::MigrateSettingsVersion(read.ini);
  read.migrated = read.ini.Lines() != before;

  store::LoadSettings(read.ini, s.settings, store::LoadPhase::StartUp,
                      store::SettingsDefaults{s.program_folder, main_font_name, 9});
  s.layout_changed = store::YearTurnNeedsSave(s.settings.window.now, today);
  s.remembered_year = store::YearOf(today);
  s.folder_values = FolderValuesOf(s.settings);
  read.folders_exist = FoldersExist(s.folder_values, s.program_folder, files);
  s.folders = ResolveFolders(s.folder_values, s.program_folder);
  return read;
}

Session StartSession(const CommandLine& command_line, const std::string& executable_folder,
                     const std::string& per_user_root, const std::string& main_font_name, StartupPorts ports) {
  std::string program_folder =
      ResolveProgramFolder(command_line, executable_folder, per_user_root, ports.files, ports.dialogs);
  SessionRead read = ReadSession(program_folder, main_font_name, ports.files, ports.clock.Now().date);
  // Keys removed by the version check are gone from the file too, as they would be from a
  // settings file edited in place.
  if (read.migrated) read.ini.Flush(ports.files, read.session.settings_file);
  // An empty, damaged or unreadable password file is no password: the warning, never a lock
  // that any input opens.
  if (read.session.settings.view.passwd && !maintenance::PasswordSet(ports.files, read.session.program_folder))
    ports.dialogs.Error(kPasswordErrorMessage, kPasswordErrorCaption);
  if (!read.folders_exist) ports.dialogs.Error(kMissingFolderMessage, "エラー");
  return std::move(read.session);
}

void ReloadSession(Session& session, const std::string& main_font_name, StartupPorts ports) {
  store::IniFile ini = store::IniFile::Load(ports.files, session.settings_file);
  store::LoadSettings(ini, session.settings, store::LoadPhase::Reload,
                      store::SettingsDefaults{session.program_folder, main_font_name, 9});
  session.folder_values = FolderValuesOf(session.settings);
  if (!FoldersExist(session.folder_values, session.program_folder, ports.files))
    ports.dialogs.Error(kMissingFolderMessage, "エラー");
  session.folders = ResolveFolders(session.folder_values, session.program_folder);
}

void SaveExitLayout(Session& session, store::ExitState& state, platform::FileSystem& files) {
  if (state.initialising) return;
  state.layout_changed = state.layout_changed || session.layout_changed;
  state.remembered_year = session.remembered_year;
  store::IniFile ini = store::IniFile::Load(files, session.settings_file);
  if (store::SaveExitSettings(ini, session.settings, state)) ini.Flush(files, session.settings_file);
}

}  // namespace kal::app
