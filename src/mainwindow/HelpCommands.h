// The help commands of the main window's help menu.
#pragma once

#include <string>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace kal::mainwindow {

inline constexpr const char* kHelpFileName = "Kalendor.chm";

// The maker's home page (the about box's link) and the web help page below it.
inline constexpr const char* kMakerHomePage = "https://kalendor.example/";
std::string WebHelpAddress();

// Opens the help file in the program folder with its associated program; when the file is
// missing, says so ("ヘルプファイル "<file>" が見つかりません。", caption "エラー").
void OpenHelpFile(const std::string& program_folder, platform::FileSystem& files, platform::Shell& shell,
                  platform::Dialogs& dialogs);

}  // namespace kal::mainwindow
