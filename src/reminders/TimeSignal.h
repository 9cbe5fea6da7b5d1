// The time signal (時報): on the hour, on the hour and half hour, or at the times of SigTime.tbl.
//
// SigTime.tbl (table folder, CP932, CR LF, ascending order): a time "hh:nn" in bytes 1 to 5,
// optionally followed by a text from byte 6 (at most 250 bytes) that the signal shows on a
// second line. The list is read only when the signal mode is 3.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace kal::reminders {

// Signal modes (section Signal, key Mode).
inline constexpr int kSignalOff = 0;
inline constexpr int kSignalHourly = 1;      // "HH時00分"
inline constexpr int kSignalHalfHourly = 2;  // "00分・30分"
inline constexpr int kSignalListed = 3;      // "時刻を設定"

inline constexpr const char* kSignalCaption = "時報";
inline constexpr std::size_t kSignalTextMax = 250;

// The lines of SigTime.tbl in the table folder (with a trailing separator); empty without the
// file. Throws store::FileError when it exists but cannot be read.
std::vector<std::string> LoadSignalList(platform::FileSystem& fs, const std::string& table_folder);

// Whether a signal is due at `minute` (0..1439), and its text (UTF-8, possibly empty): modes 1
// and 2 on the hour, mode 2 also on the half hour with an empty text; mode 3 at the first line
// of `list` whose first five bytes equal the time, with the rest of that line (trailing blanks
// removed, its leading blank kept) when it is not blank.
std::optional<std::string> SignalDue(int mode, const std::vector<std::string>& list, int minute);

// The signal window's label: the time in the date-time pattern `form` ("h:nn" when empty), and
// on a second line the text when it is not blank.
std::string SignalLabel(const std::string& form, const platform::LocalDateTime& now, const std::string& text);

}  // namespace kal::reminders
