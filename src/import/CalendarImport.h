// Reading iCalendar (RFC 5545) and vCalendar 1.0 files into the records the schedule import
// converts: eight text fields per event, in the order of the schedule import's target fields.
//
// iCalendar is parsed by libical (folding, escapes, parameters, nested components, time zones):
// - a UTC time ("Z") becomes Japan Standard Time; a TZID is resolved through the file's own
//   VTIMEZONE, else libical's zone database, Windows zone names ("Tokyo Standard Time" ..) mapped
//   to their IANA names; a floating time and a DATE value are taken as they are;
// - only the VEVENT's own properties are read: VALARM and VTIMEZONE never reach the memo;
// - an all-day event (DATE values, or 00:00 to 00:00 of a later day) becomes an all-day schedule
//   over its real days: the exclusive end is moved back to the last day;
// - an event that cannot be taken (a repetition, no DTSTART, an end before its start, a time
//   zone that cannot be found) is kept with status Refused and its reason, and reading goes on;
//   an event cut off by the end of the file is reported in `problems`.
// vCalendar is read by a reader of its own: folded lines, quoted-printable with soft line breaks
// and literal characters, and the CHARSET parameter (SHIFT_JIS, UTF-8; without one, UTF-8 when
// the bytes are valid UTF-8, else Shift_JIS); times with "Z" are UTC, others local.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kal::import {

// One event as the schedule import takes it; texts UTF-8. The description's lines are joined
// by LF.
struct CalendarEvent {
  enum class Status { Importable = 1, Refused = 9 };
  std::string start_date, start_time, end_date, end_time;  // "yyyy/mm/dd", "hh:nn" or empty
  std::string summary, location, categories, description;
  Status status = Status::Importable;
  std::string message;  // the reason of a refusal

  friend bool operator==(const CalendarEvent&, const CalendarEvent&) = default;
};

struct CalendarReadResult {
  std::vector<CalendarEvent> events;   // in file order
  std::vector<std::string> problems;   // things lost from the file, for the user (Japanese)
  bool parsed = true;                  // false: the file is not a calendar at all
};

inline constexpr const char* kRepeatingRefusal = "繰り返しの予定は取り込めません。";
inline constexpr const char* kNoStartRefusal = "開始日時がないため取り込めません。";
inline constexpr const char* kEndBeforeStartRefusal = "終了日時が開始日時より前のため取り込めません。";
inline constexpr const char* kUnknownZoneRefusal = "タイムゾーンが分からないため取り込めません。";
inline constexpr const char* kUnterminatedProblem =
    "ファイルが予定の途中で終わっているため、最後の予定は取り込めません。";
inline constexpr const char* kNotCalendarProblem = "カレンダーのファイルとして読めません。";

CalendarReadResult ReadICalendar(std::string_view bytes);
CalendarReadResult ReadVCalendar(std::string_view bytes);

// The IANA name of a Windows time-zone name, or the name itself when it is not one we know.
std::string IanaZoneName(const std::string& name);

}  // namespace kal::import
