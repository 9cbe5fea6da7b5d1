// The ToDo list of the demonstration folder: items in all seven states around a given day, some
// with memos, a file link, progress and a future start.
#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::todo {

// Writes Todokl.dat and Todokl.dtl into `folder`. Throws store::FileError.
void WriteDemoTodoList(platform::FileSystem& fs, const std::string& folder, const store::Date& today);

}  // namespace kal::todo
