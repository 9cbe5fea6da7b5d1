// A dense program folder for measuring the program against years of data: the demonstration
// folder (settings, categories, icons, notes), then every month of `years` years filled through
// the program's own file writers. Each run with the same arguments writes the same bytes.
#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::app {

struct DenseFolderSize {
  int years = 30;                // the last year is the year after `today`'s
  int schedules_per_month = 300; // a tenth multi-day, a tenth with a memo (detail line)
  int todo_items = 2000;         // a tenth with a memo, a fifth done
  int holiday_lines = 200;       // Holiday.dat holds this many lines (built-in ones included)
};

// What was written, for the caller's report.
struct DenseFolderCount {
  int months = 0;
  int schedules = 0;
  int multi_day = 0;
  int details = 0;
  int day_memos = 0;
  int weather_days = 0;
  int todo_items = 0;
  int holiday_lines = 0;
};

// Writes the demonstration folder around `today` into `folder` and then, for every month of the
// years: the month file, its detail file, a day file with weather on every day, and a day memo on
// every Sunday; Holiday.dat filled with private holidays and anniversaries up to the line count;
// and a ToDo list of the given size. Throws store::FileError.
DenseFolderCount BuildDenseFolder(platform::FileSystem& fs, const std::string& folder, const store::Date& today,
                                  const DenseFolderSize& size = {});

}  // namespace kal::app
