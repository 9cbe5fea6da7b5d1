// Add-ons (アドオン): programs the user registers to be run by Kalendor, kept in Addon.lst.
//
// Addon.lst lives in the program folder: CP932, one add-on per line, CR LF, kept sorted in the
// order of sorted line files after every change. Positions are 1-based bytes:
//
//   pos  width  field
//     1    5    timing  "KIDOU" before start-up, "START" after start-up, "CALEN" the calendar's
//                       right-click menu, or a time "hh:nn" (every day at that minute)
//     6    1    enabled "1" / "0"
//     7    1    wait    "1": Kalendor waits (its window disabled) until the add-on ends
//     8    1    reserved, one blank (kept as stored when a line is rewritten)
//     9  <=128  program the program or document path, with arguments if the user typed them;
//                       trailing blanks removed; readers use at most 128 bytes
//
// Only enabled entries run by themselves; the Tools menu offers every entry. Users of this store:
// the add-on entry dialog (AddonForm.h), the add-on page of the list dialog, the Tools and
// calendar menus, and the minute engine (MinuteEngine.h) for "START" and timed entries.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::reminders {

inline constexpr const char* kAddonFileName = "Addon.lst";
inline constexpr const char* kTimingBeforeStart = "KIDOU";
inline constexpr const char* kTimingAfterStart = "START";
inline constexpr const char* kTimingCalendar = "CALEN";
inline constexpr std::size_t kAddonProgramMax = 128;

// One line of Addon.lst, its fields decoded to UTF-8.
struct AddonEntry {
  std::string timing;   // "KIDOU", "START", "CALEN" or "hh:nn" (as stored, trailing blanks removed)
  bool enabled = false;
  bool wait = true;     // a missing digit counts as waiting
  char reserved = ' ';  // byte 8 as stored
  std::string program;  // at most 128 bytes of the line, trailing blanks removed
  std::string line;     // the whole line (CP932)

  friend bool operator==(const AddonEntry&, const AddonEntry&) = default;
};

std::string AddonListPath(const std::string& program_folder);

AddonEntry ReadAddonLine(const std::string& line);
// The lines of Addon.lst in file order; empty without the file. Throws store::FileError when
// it exists but cannot be read.
std::vector<std::string> LoadAddonLines(platform::FileSystem& fs, const std::string& program_folder);
std::vector<AddonEntry> LoadAddons(platform::FileSystem& fs, const std::string& program_folder);
// Sorts the lines and replaces the file atomically. Throws store::FileError.
void SaveAddonLines(platform::FileSystem& fs, const std::string& program_folder, std::vector<std::string> lines);

// The line of an entry: timing (5) + enabled + wait + reserved + program. Nothing when the
// program holds a character CP932 cannot hold (`bad` names it) or takes more than 128 bytes.
std::optional<std::string> BuildAddonLine(const std::string& timing, bool enabled, bool wait,
                                          const std::string& program, char reserved = ' ',
                                          std::string* bad = nullptr);

// Lines equal when ASCII letters are compared without regard to case (double-byte characters
// exactly).
bool SameAddonLine(const std::string& a, const std::string& b);

// The enabled entries of a timing ("KIDOU", "START", "CALEN" or "hh:nn"), in file order.
std::vector<AddonEntry> EnabledAddons(const std::vector<AddonEntry>& entries, const std::string& timing);

// A menu item that runs an add-on.
struct AddonMenuItem {
  std::string caption;                 // UTF-8
  std::string command;                 // the program field
  std::vector<std::string> arguments;  // extra arguments (the calendar menu's dates)
  bool wait = true;

  friend bool operator==(const AddonMenuItem&, const AddonMenuItem&) = default;
};

// The Tools menu's add-on items: every entry (enabled or not) in file order, one per program path
// (paths compared without regard to case); caption = the program's file name with extension.
// They always wait.
std::vector<AddonMenuItem> ToolsMenuAddons(const std::vector<AddonEntry>& entries);

// The calendar's right-click menu items: one per enabled "CALEN" entry in file order; caption =
// the program's file name without extension; arguments = the selected date "yyyy/mm/dd", or the
// first and last dates of a selected range of days.
std::vector<AddonMenuItem> CalendarMenuAddons(const std::vector<AddonEntry>& entries, const store::Date& first,
                                              const std::optional<store::Date>& last);

// The file name of a program field (the first word when the field is not a path that names a
// file of its own: `"/opt/my tool/run" --x` gives "run"), with or without its extension.
std::string AddonFileName(const std::string& program, bool with_extension);

}  // namespace kal::reminders
