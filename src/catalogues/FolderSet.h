// The folder page of the settings dialog: the path mode, the folder chooser's result and the
// named folder sets (*.fld, format and reading in app/Folders.h, the same reading as a switch of
// folder sets from the side panel).
#pragma once

#include <optional>
#include <string>

#include "app/Folders.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/Settings.h"

namespace kal::catalogues {

// A folder written relative to the program folder ("" for the program folder itself, otherwise
// with a trailing separator).
std::string RelativeFolderValue(const std::string& value, const std::string& program_folder);
// A folder written as a full path (an empty one is the program folder), with a trailing separator.
std::string AbsoluteFolderValue(const std::string& value, const std::string& program_folder);
// Rewrites the six folders for the path mode (0 full paths, 1 relative) and sets RelativePath.
void SetPathMode(store::KalendorSettings& k, int relative_path, const std::string& program_folder);
// A folder from the chooser as the page enters it.
std::string ChosenFolderValue(const std::string& chosen, int relative_path, const std::string& program_folder);

app::FolderValues FolderValuesOf(const store::KalendorSettings& k);
void SetFolderValues(store::KalendorSettings& k, const app::FolderValues& values);

inline constexpr const char* kFolderSetExtension = ".fld";
inline constexpr const char* kFolderErrorCaption = "フォルダエラー";

// Choosing a set in the list: the set read and checked as a switch reads it (six or seven lines,
// every folder existing). A set that fails is refused with a message; a missing one gives nothing.
std::optional<app::FolderValues> FolderSetChoose(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                                 const std::string& program_folder, const std::string& name);

// "登録(&V)": checks the folders (as OK does; "指定したデータフォルダは存在しません。"), asks for
// the name (input box "データフォルダ名の保存"), asks before overwriting, writes the set. Returns
// the name written, with the index of the missing folder in `missing` when the check failed.
std::optional<std::string> FolderSetSave(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                         const std::string& program_folder, const store::KalendorSettings& k,
                                         const std::string& current_name, std::optional<std::size_t>* missing = nullptr);

}  // namespace kal::catalogues
