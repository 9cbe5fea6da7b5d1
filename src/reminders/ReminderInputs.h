// The data the minute engine reads, loaded from the program's folders and settings (the window
// at start-up and after the settings dialog, the CLI once).
#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "reminders/MinuteEngine.h"
#include "store/Settings.h"

namespace kal::reminders {

struct ReminderFolders {
  std::string program;  // Addon.lst
  std::string data;     // the month files (alarm lists)
  std::string table;    // Alarm.tbl, SigTime.tbl
};

// The alarm table, the alarm and signal modes, the signal list (only with signal mode 3), the
// add-ons, ScrUd/UdTime, and alarm lists read from the month files of the data folder through
// `fs` (which must outlive the inputs). A file that exists but cannot be read throws
// store::FileError; with `errors`, its message is added there instead and only that piece falls
// back (the built-in alarm table, no signal list, no add-ons), so alarms still come.
EngineInputs LoadEngineInputs(platform::FileSystem& fs, const store::Settings& settings, const ReminderFolders& folders,
                              std::vector<std::string>* errors = nullptr);

// Runs the engine through every minute from `from` to `to` inclusive, as a window left running
// through them (its START add-ons already run, nothing before `from` replayed), and returns the
// actions of each minute in order.
std::vector<MinuteAction> RunMinutes(const EngineInputs& inputs, const platform::LocalDateTime& from,
                                     const platform::LocalDateTime& to);

}  // namespace kal::reminders
