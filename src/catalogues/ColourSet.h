// Colour sets: files named after the set with the extension ".col" in the program folder, in the
// settings-file format: section Font with the 13 font keys and section Color with the 28 colour
// keys, written as the settings dialog's OK writes them, except that the keys the settings table
// marks as text only keep their text colour alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/Settings.h"

namespace kal::catalogues {

inline constexpr const char* kColourSetExtension = ".col";

std::vector<std::string> ColourSetNames(platform::FileSystem& fs, const std::string& program_folder);

// The file's lines as written (UTF-8).
std::vector<std::string> ColourSetLines(const store::Settings& settings);

// Loads a set into the fonts and the 28 colours (a key the file lacks takes its default; the other
// Color keys stay). False when there is no such set. Throws store::FileError.
bool LoadColourSet(platform::FileSystem& fs, const std::string& program_folder, const std::string& name,
                   const store::SettingsDefaults& defaults, store::Settings& settings);

// "登録(&V)": asks for the name (input box "配色の保存"), asks before overwriting a set of that
// name, and writes the set. Returns the name written; a write failure is shown.
std::optional<std::string> ColourSetSave(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                         const std::string& program_folder, const store::Settings& settings,
                                         const std::string& current_name);

}  // namespace kal::catalogues
