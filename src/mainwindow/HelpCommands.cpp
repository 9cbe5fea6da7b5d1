#include "mainwindow/HelpCommands.h"

namespace kal::mainwindow {

std::string WebHelpAddress() { return std::string(kMakerHomePage) + "help/Kalendor.html"; }

void OpenHelpFile(const std::string& program_folder, platform::FileSystem& files, platform::Shell& shell,
                  platform::Dialogs& dialogs) {
  const std::string file = platform::JoinPath(program_folder, kHelpFileName);
  if (!files.Exists(file)) {
    dialogs.Error("ヘルプファイル \"" + file + "\" が見つかりません。", "エラー");
    return;
  }
  shell.Open(file);
}

}  // namespace kal::mainwindow
