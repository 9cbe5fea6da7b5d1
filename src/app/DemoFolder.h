// A demonstration program folder: settings, holidays, categories with colours and icons, a month
// of timed and untimed schedules with memos and multi-day bars, weather and day colours, and day
// memos around a given date, all written through the program's own file writers.
#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::app {

// Fills `folder` (created when missing; it becomes the program folder and the data folder) with
// the demonstration data around the month of `today`. Throws store::FileError.
void BuildDemoFolder(platform::FileSystem& fs, const std::string& folder, const store::Date& today);

// A 16x16 24-bit bitmap file: a filled disc of `colour` (BGR) with a white ring on a background
// of `transparent`, the bottom-left pixel's colour, which the icon loader makes transparent.
std::string DemoIconBitmap(int colour, int transparent = 0xFF00FF);

}  // namespace kal::app
