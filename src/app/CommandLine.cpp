#include "app/CommandLine.h"

#include "app/Folders.h"
#include "store/IniFile.h"

namespace kal::app {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cl;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--program-folder" && i + 1 < args.size()) {
      cl.program_folder = args[++i];
    } else if (args[i] == "--activate") {
      cl.activate = true;
    } else if (args[i] == "--quit-after-first-paint") {
      cl.quit_after_first_paint = true;
    } else if (args[i] == "--cycle-views-then-quit") {
      cl.cycle_views_then_quit = true;
    } else {
      positional.push_back(args[i]);
    }
  }
  for (std::size_t i = 0; i < positional.size() && i < 2; ++i) {
    if (positional[i] == "/2") cl.allow_second_instance = true;
    if (store::SameName(positional[i], "/U")) cl.per_user_folder = true;
  }
  return cl;
}

std::string ResolveProgramFolder(const CommandLine& cl, const std::string& executable_folder,
                                 const std::string& per_user_root, platform::FileSystem& fs,
                                 platform::Dialogs& dialogs) {
  if (!cl.program_folder.empty()) {
    std::string folder = AbsoluteFolder(cl.program_folder);
    if (!fs.IsDirectory(folder)) fs.MakeDirs(folder.substr(0, folder.size() - 1));
    return folder;
  }
  std::string fallback = WithTrailingSeparator(executable_folder);
  if (!cl.per_user_folder || per_user_root.empty() || !fs.IsDirectory(per_user_root)) return fallback;
  std::string folder = WithTrailingSeparator(per_user_root) + "Kalendor";
  if (fs.IsDirectory(folder)) return folder + "/";
  if (!fs.MakeDirs(folder)) return fallback;
  folder += "/";
  dialogs.Info("フォルダ \"" + folder + "\" を作成しました。", "確認");
  return folder;
}

}  // namespace kal::app
