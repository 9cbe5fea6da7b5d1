// What the colour sets (*.col) and the folder sets (*.fld) of the settings dialog share: asking
// for a set's name and deleting a set. Both live in the program folder, named after the set.
#pragma once

#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::catalogues {

struct SetNameQuestion {
  std::string caption;  // of the input box
  std::string prompt;
  std::string initial;
  std::string extension;  // ".col" or ".fld"
};

inline constexpr const char* kBadSetNameMessage =
    "この名前は使えません。\n「/」「\\」「..」、先頭の「.」、制御文字は名前に使えません。";

// Asks for a set's name: an unusable name is refused (caption "入力エラー"), an existing set is
// overwritten only after name + " はすでに存在します。" + a line break + "上書きしますか？"
// (caption "確認", Yes/No). Nothing when the user cancels or says No.
std::optional<std::string> AskSetName(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                      const std::string& program_folder, const SetNameQuestion& question);

// The file of a set: program folder + name + extension.
std::string SetFilePath(const std::string& program_folder, const std::string& name, const std::string& extension);

// Deletes a set's file; an unusable name deletes nothing. True when the file is gone.
bool DeleteSetFile(platform::FileSystem& fs, const std::string& program_folder, const std::string& name,
                   const std::string& extension);

}  // namespace kal::catalogues
