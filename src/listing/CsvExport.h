// CSV export of the list dialog's rows: schedules, memos, ToDo items and weather records.
//
// The file is CP932 text, lines ended by CR LF, following RFC 4180 quoting:
// - schedule style: every field is a double quote, the text with each inner double quote
//   doubled, a double quote and a comma, so that every line ends with a comma (the header with
//   the alarm captions appended ends without one);
// - list style (memos, ToDo items, weather): fields joined by commas; a field holding a
//   character of code 32 or lower, a double quote or a comma is quoted with inner quotes doubled.
// A memo of several lines is one field whose lines are joined by LF inside the quotes.
//
// Schedule lines: start date, start time, end date, end time, title, place, category, memo, and
// with CsvAlarm "True"/"False", the alarm date and the alarm time.
// - CsvStrTime and no start time (an all-day schedule): 00:00 of the first day to 00:00 of the
//   day after the last day.
// - CsvEndTime: a missing end time is the start time plus one hour; an end that passes midnight
//   moves the end date to the next day; a time that cannot be read gives 00:00.
// - An end time earlier than the start time of a one-day schedule ends on the next day.
// - The alarm moment is the start moment less the lead time of the schedule's alarm code in the
//   alarm table (minutes exactly, so a 90-minute lead stays 90); it may fall on the day before.
#pragma once

#include <string>
#include <vector>

#include "listing/ExportRows.h"

namespace kal::listing {

// The three switches of section File.
struct CsvSwitches {
  bool str_time = false;  // CsvStrTime
  bool end_time = false;  // CsvEndTime
  bool alarm = false;     // CsvAlarm
};

// The whole file, CP932 bytes. Throws ExportError when a text holds a character that CP932
// cannot hold.
std::string ScheduleCsv(const std::vector<ScheduleItem>& items, const CsvSwitches& switches,
                        const std::vector<int>& alarm_offsets);
std::string MemoCsv(const std::vector<MemoItem>& items);
std::string TodoCsv(const std::vector<TodoItem>& items);
std::string WeatherCsv(const std::vector<ListRow>& rows);

// The UTF-8 fields of one schedule line (before quoting), for the CLI and the tests.
std::vector<std::string> ScheduleCsvFields(const ScheduleItem& item, const CsvSwitches& switches,
                                           const std::vector<int>& alarm_offsets);

// UTF-8 text to CP932; ExportError naming the first character that cannot be held.
std::string ExportBytes(const std::string& utf8);

}  // namespace kal::listing
