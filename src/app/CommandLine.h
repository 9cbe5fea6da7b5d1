// The command line of the window and the choice of the program folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::app {

struct CommandLine {
  bool allow_second_instance = false;  // "/2"
  bool per_user_folder = false;        // "/U"
  std::string program_folder;          // --program-folder DIR (empty when not given)
  bool activate = false;               // --activate: bring the running window forward
  // Measuring switches for the benchmarks (TFrmMainMeasure.h); no menu or help shows them.
  bool quit_after_first_paint = false;  // --quit-after-first-paint
  bool cycle_views_then_quit = false;   // --cycle-views-then-quit
};

// "/2" and "/U" count as the first or second parameter (letters without regard to case);
// "--program-folder DIR", "--activate" and the measuring switches may stand anywhere.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The program folder, with a trailing "/":
// - --program-folder DIR: that folder (created with its parents when missing);
// - "/U" and the per-user data folder exists: its subfolder "Kalendor", created when missing
//   with the message "フォルダ "…" を作成しました。" (caption "確認"); when it cannot be
//   created, the executable's folder;
// - otherwise the executable's folder.
std::string ResolveProgramFolder(const CommandLine& command_line, const std::string& executable_folder,
                                 const std::string& per_user_root, platform::FileSystem& fs,
                                 platform::Dialogs& dialogs);

}  // namespace kal::app
