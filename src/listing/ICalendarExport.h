// iCalendar 2.0 export (RFC 5545) of schedules and holidays, UTF-8 without byte-order mark,
// lines ended by CR LF.
//
//   BEGIN:VCALENDAR / PRODID / VERSION:2.0, then per row one VEVENT, then END:VCALENDAR.
//   No METHOD is written: a published calendar would need an ORGANIZER, which the data lack.
//
// Every content line is folded at 75 octets, never inside a UTF-8 character; TEXT values escape
// backslash, semicolon, comma and line breaks (a memo's lines are one DESCRIPTION joined by \n).
//
// Schedules: local times are Japan Standard Time and are written as universal time (less nine
// hours); a stored hour from 24 on is the next day. An all-day schedule (no start and no end
// time) runs from its first day to the day after its last day as DATE values. A start time that
// cannot be read makes the whole event date-only, so DATE and DATE-TIME never mix in one event.
// DTEND is left out when the end time is missing or unreadable or not after the start.
//
// Holidays: a stored rule becomes one event whose DTSTART is the rule's first occurrence on or
// after 1 January of its first year (1901 when it has none), as the holiday engine gives it,
// with an RRULE (month-end BYMONTHDAY=-1, last week BYSETPOS=-1) and, with a last year, an UNTIL
// date. A rule that never gives a date is left out. A holiday the list computed is one event on
// its day. An anniversary's SUMMARY is its stored title, without a year count.
//
// DTSTAMP is the universal time of the export; a UID is a hash of kind, date, start and title
// followed by "@kalendor.local", so that exporting the same data again gives the same UIDs (a
// second equal event in one file gets "-2", "-3" .. before the "@").
#pragma once

#include <map>
#include <string>
#include <vector>

#include "listing/ExportRows.h"
#include "platform/Clock.h"

namespace kal::listing {

inline constexpr const char* kProdId = "PRODID:-//TOKIWARE//Kalendor 5.71//EN";

// yyyymmdd"T"hhmmss"Z" of a universal time.
std::string UtcStamp(const platform::LocalDateTime& utc);

// A TEXT value with backslash, semicolon, comma and line breaks escaped.
std::string EscapeText(const std::string& utf8);
// The line folded at 75 octets (continuations start with one blank), each piece ended by CR LF.
std::string FoldLine(const std::string& line);

// Stable event identifiers; `seen` counts equal hashes within one file.
class EventUids {
 public:
  std::string Next(const std::string& kind, const std::string& date, const std::string& start,
                   const std::string& title);

 private:
  std::map<std::string, int> seen_;
};

// The rule of a Holiday.dat line: the RRULE value without "RRULE:", UNTIL included.
std::string HolidayRRule(const store::HolidayLine& rule);
// The first date the rule gives on or after 1 January of its first year (1901 without one).
std::optional<Date> HolidayFirstDate(const store::HolidayLine& rule);

// The files; `dtstamp_utc` is the export's universal time. The count of events is returned in
// `events` when given.
std::string ScheduleICalendar(const std::vector<ScheduleItem>& items, const platform::LocalDateTime& dtstamp_utc);
// A calendar of one schedule's event under the given UID (the calendar sync stores each schedule
// as one resource on the server).
std::string ScheduleEventICalendar(const ScheduleItem& item, const std::string& uid,
                                   const platform::LocalDateTime& dtstamp_utc);
std::string HolidayICalendar(const std::vector<HolidayItem>& items, const platform::LocalDateTime& dtstamp_utc,
                             int* events = nullptr);

}  // namespace kal::listing
