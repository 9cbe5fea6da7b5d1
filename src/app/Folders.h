// The program folder, the six data folders and the folder sets (*.fld).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/IniFile.h"

namespace kal::app {

// The folder values as the settings hold them (section Kalendor).
struct FolderValues {
  int relative_path = 0;
  std::string data, memo, todo, note, category, table;
  friend bool operator==(const FolderValues&, const FolderValues&) = default;
};

// Resolved folders (absolute, each with a trailing "/") and the derived file names.
struct Folders {
  std::string program, data, memo, todo, note, category, table;
  std::string category_file;  // category folder + "Category.tbl"
  std::string holiday_file;   // data folder + "Holiday.dat"
  std::string todo_file;      // ToDo folder + "Todokl.dat"
};

// A folder value made usable here: "\" separators become "/", a relative value resolves against
// the program folder (the program's working folder), an empty one is the program folder itself,
// and the result ends with "/".
std::string ResolveFolder(const std::string& value, const std::string& program_folder);

// An absolute form of a folder given on the command line, with a trailing "/".
std::string AbsoluteFolder(const std::string& folder);

// A folder with one trailing separator ("" stays "").
std::string WithTrailingSeparator(std::string folder);

Folders ResolveFolders(const FolderValues& values, const std::string& program_folder);
// Recomputes the three derived file names from the folders.
void FileNameSet(Folders& folders);

// The folder check of every settings load: true when every non-empty value is an existing folder.
bool FoldersExist(const FolderValues& values, const std::string& program_folder, platform::FileSystem& fs);
inline constexpr const char* kMissingFolderMessage = "指定したデータフォルダは存在しません。\n環境設定を確認して下さい。";

// Named sets (folder sets "*.fld", colour sets "*.col"): the names of the files of `folder` with
// the `extension` (".fld"), the extension taken off, sorted.
std::vector<std::string> SetFileNames(platform::FileSystem& fs, const std::string& folder, const std::string& extension);

// Folder sets: "*.fld" files in the program folder, one value per line.
// The names of the sets (file names without the final ".fld"), sorted.
std::vector<std::string> FolderSetNames(platform::FileSystem& fs, const std::string& program_folder);
// A name typed for a new set (folder sets and colour sets): refused when empty, when it starts
// with a dot (a hidden file) or when it holds a path separator, "..", or a control character.
bool ValidSetName(const std::string& name);

enum class FolderSetStatus { Ok, Missing, TooShort, MissingFolder };
struct FolderSetLoad {
  FolderSetStatus status = FolderSetStatus::Missing;
  FolderValues values;
};
// Reads a set and checks its folders (lines 2 onwards must be empty or existing folders).
FolderSetLoad LoadFolderSet(platform::FileSystem& fs, const std::string& program_folder, const std::string& name);
// Writes a set: line 1 "1"/"0", then the six folders, each non-empty one with a trailing separator.
void SaveFolderSet(platform::FileSystem& fs, const std::string& program_folder, const std::string& name,
                   const FolderValues& values);

// Switches to a folder set: loads and checks it (showing "指定したデータフォルダは存在しません。"
// with the caption "フォルダエラー" for a missing folder), then writes RelativePath and the six
// folder keys to the settings file and flushes it. Returns the new values, or nothing when the
// set is refused (the caller unticks it).
std::optional<FolderValues> SwitchFolderSet(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                            const std::string& program_folder, const std::string& settings_file,
                                            const std::string& name);

// Writes RelativePath and the six folder keys of section Kalendor.
void WriteFolderValues(store::IniFile& ini, const FolderValues& values);

}  // namespace kal::app
