// What the grids take from the month model: a date's cell input, the memo lines a tooltip shows
// for an entry, and the week number of a row. The model itself stays behind this file, so that
// window code never includes it next to the toolkit's headers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "mainwindow/CellContents.h"
#include "platform/FileSystem.h"

namespace kal::store {
struct MonthModel;
struct TodoMark;
}

namespace kal::mainwindow {

// The day of the model's slot that holds the date's month: kind, rokuyo, memo flag, entries and
// day-file line. A month the model does not hold gives the date with its weekday kind only.
CellDay CellDayOf(const store::MonthModel& model, const Date& date);

// The memo lines of a schedule entry's detail (from the detail file of the month in which the
// schedule starts); empty when it has none or the file or line is missing or unreadable.
std::vector<std::string> EntryMemo(platform::FileSystem& fs, const std::string& data_folder, const DayEntry& entry,
                                   const Date& date);

// The number beside a week row (the month model's week-number rule).
int RowWeekNumber(const Date& first, const Date& last, bool week_of, int str_week);

// The month model of the main window with its rebuild for a view.
class GridModel {
 public:
  GridModel();
  ~GridModel();
  GridModel(const GridModel&) = delete;
  GridModel& operator=(const GridModel&) = delete;

  struct Message {
    std::string text;
    std::string caption;
  };
  // `SchUpdate` for the view: the messages to show once it is done (damaged lines, band limit).
  // Throws store::FileError when a file exists but cannot be read.
  std::vector<Message> Reload(platform::FileSystem& fs, const store::Settings& settings, int mode, const Date& selected,
                              const Date& today, const std::string& data_folder, const std::string& memo_folder,
                              const std::vector<store::TodoMark>* todo_marks = nullptr);
  CellDay Day(const Date& date) const { return CellDayOf(*model_, date); }
  // Whether the model holds the month (year, month) in one of its slots.
  bool Holds(int year, int month) const;
  const store::MonthModel& model() const { return *model_; }

 private:
  std::unique_ptr<store::MonthModel> model_;
};

}  // namespace kal::mainwindow
