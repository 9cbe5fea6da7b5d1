// From process start to a loaded main window, and the settings work at exit.
#pragma once

#include <string>

#include "app/CommandLine.h"
#include "app/Folders.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/Settings.h"

namespace kal::app {

// The main window's font on this platform: the default of the font settings.
inline constexpr const char* kDefaultFontName = "IPAexGothic";

// What the main window keeps of start-up: the program folder, the settings as read, the folders.
struct Session {
  std::string program_folder;  // with a trailing "/"
  std::string settings_file;   // program folder + "Kalendor.ini"
  store::Settings settings;
  FolderValues folder_values;
  Folders folders;
  bool first_run = false;       // the stored version is not "5.71"
  bool layout_changed = false;  // the exit-time write must happen
  int remembered_year = 0;      // the year at start-up (or at the last day change)
};

struct StartupPorts {
  platform::FileSystem& files;
  platform::Dialogs& dialogs;
  const platform::Clock& clock;
};

// The folder values held by the settings.
FolderValues FolderValuesOf(const store::Settings& settings);

// The settings of a program folder read the way start-up reads them: the version handling (in
// memory), every key of the start-up phase, the folder values and the resolved folders.
// `migrated` tells whether the version handling removed keys; `folders_exist` the folder check.
struct SessionRead {
  Session session;
  store::IniFile ini;
  bool migrated = false;
  bool folders_exist = true;
};
SessionRead ReadSession(const std::string& program_folder, const std::string& main_font_name,
                        platform::FileSystem& files, const store::Date& today);

inline constexpr const char* kPasswordErrorMessage =
    "パスワード入力画面表示設定になっていますが、\nパスワードが設定されていません。";
inline constexpr const char* kPasswordErrorCaption = "パスワード設定エラー";

// Start-up: the program folder, the settings file with its version handling (written back at once
// when keys were removed), the start-up-only and every-load keys, the folder check (one message
// when a folder is missing; loading goes on) and the derived file names.
// Throws store::FileError when the settings file exists but cannot be read.
Session StartSession(const CommandLine& command_line, const std::string& executable_folder,
                     const std::string& per_user_root, const std::string& main_font_name, StartupPorts ports);

// The exit-time save: stores the column widths, decides whether the layout must be written and,
// when it must, writes it in its order and flushes the settings file. Nothing is written while
// the window is still initialising. Throws store::FileError.
void SaveExitLayout(Session& session, store::ExitState& state, platform::FileSystem& files);

// The every-load part again (after the settings dialog's OK).
void ReloadSession(Session& session, const std::string& main_font_name, StartupPorts ports);

}  // namespace kal::app
