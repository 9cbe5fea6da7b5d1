// What the grids take from the month model: a date's cell input, and the memo lines a tooltip
// shows for an entry.
#pragma once

#include <string>
#include <vector>

#include "mainwindow/CellContents.h"
#include "platform/FileSystem.h"
#include "store/MonthModel.h"

namespace kal::mainwindow {

// The day of the model's slot that holds the date's month: kind, rokuyo, memo flag, entries and
// day-file line. A month the model does not hold gives the date with its weekday kind only.
CellDay CellDayOf(const store::MonthModel& model, const Date& date);

// The memo lines of a schedule entry's detail (from the detail file of the month in which the
// schedule starts); empty when it has none or the file or line is missing or unreadable.
std::vector<std::string> EntryMemo(platform::FileSystem& fs, const std::string& data_folder, const DayEntry& entry,
                                   const Date& date);

}  // namespace kal::mainwindow
