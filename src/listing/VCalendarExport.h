// vCalendar 1.0 export of schedules: ASCII lines ended by CR LF.
//
//   BEGIN:VCALENDAR / PRODID / VERSION:1.0, one VEVENT per schedule, END:VCALENDAR.
//
// Text values are quoted-printable over the CP932 bytes of the text, every byte written as "="
// and two upper-case hexadecimal digits ("A b" is =41=20=62); a value that holds a character
// beyond ASCII also says CHARSET=SHIFT_JIS, so that readers decode it with the right code page.
// Backslash, semicolon and comma are escaped with a backslash before encoding, as readers split
// values at unescaped semicolons and commas.
// A memo's lines are one DESCRIPTION whose lines end with an encoded line break and a soft line
// break ("=0D=0A=").
//
// Times are universal time (Japan Standard Time less nine hours, a stored hour from 24 on the
// next day); an all-day schedule runs from 00:00 of its first day to 00:00 of the day after its
// last day; without an end time DTEND equals DTSTART; a time that cannot be read falls back to
// the date at 00:00 universal time. UIDs are those of the iCalendar export.
#pragma once

#include <string>
#include <vector>

#include "listing/ExportRows.h"

namespace kal::listing {

// Backslash, semicolon and comma with a backslash before them.
std::string VCalendarEscape(const std::string& utf8);
// ";[CHARSET=SHIFT_JIS;]ENCODING=QUOTED-PRINTABLE:" and the encoded CP932 bytes of the escaped text.
// Throws ExportError when a character cannot be held by CP932.
std::string QuotedPrintableValue(const std::string& utf8);

std::string ScheduleVCalendar(const std::vector<ScheduleItem>& items);

}  // namespace kal::listing
