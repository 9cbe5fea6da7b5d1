// The work of the kill test's writer: one generation stores a schedule (or deletes the oldest),
// a ToDo item with its memo, a day memo and the settings, each through the program's own
// writers. A generation depends only on the files it finds and its number, so the test can
// replay it on a copy of the folder and know every content a file may hold.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace kal::test {

// The files a generation writes, relative to the folder.
inline constexpr const char* kKillMonthFile = "data/202405.sch";
inline constexpr const char* kKillDetailFile = "data/202405.dtl";
inline constexpr const char* kKillTodoFile = "todo/Todokl.dat";
inline constexpr const char* kKillTodoMemoFile = "todo/Todokl.dtl";
inline constexpr const char* kKillSettingsFile = "Kalendor.ini";

// The generation the settings file records (0 when there is none yet).
int KillGeneration(platform::FileSystem& fs, const std::string& folder);

// Writes generation `generation` into `folder` (with a trailing "/"). Throws on any failure.
void WriteKillGeneration(platform::FileSystem& fs, const std::string& folder, int generation);

}  // namespace kal::test
