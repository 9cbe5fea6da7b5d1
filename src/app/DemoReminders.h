// The demonstration folder's reminder: a schedule that starts a few minutes after the folder is
// written, with an alarm shortly before its start and one at its start, so that a program
// started on the folder shows the notification window at once.
#pragma once

#include <string>

#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace kal::app {

// Minutes from `now` to the demonstration schedule's start, and its alarms: alarm code 3 (3
// minutes before, default alarm table) and alarm code 1 (at the start).
inline constexpr int kDemoReminderStartsIn = 5;

// Adds the schedule "もうすぐ始まる予定" to the month file of the minute `now` +
// kDemoReminderStartsIn (which may be tomorrow's), keeping the file sorted. Throws
// store::FileError.
void AddDemoReminder(platform::FileSystem& fs, const std::string& folder, const platform::LocalDateTime& now);

}  // namespace kal::app
