#include "listing/ICalendarExport.h"

#include <cstdint>
#include <cstdio>

#include "listing/ExportTime.h"
#include "platform/Codec.h"

namespace kal::listing {

namespace {

constexpr const char* kEol = "\r\n";
constexpr std::size_t kFoldOctets = 75;
constexpr int kNoFirstYear = 1901;
// A rule repeats within 28 years; a little more covers leap days across a century.
constexpr int kSearchYears = 40;

const char* const kWeekdayCodes[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

std::string TwoDigits(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

std::string DateValue(const Date& d) { return ";VALUE=DATE:" + CompactDate(d); }

std::string Text(const std::string& name, const std::string& value) { return FoldLine(name + ":" + EscapeText(value)); }

std::string Event(const std::string& body) { return std::string("BEGIN:VEVENT") + kEol + body + "CLASS:PUBLIC" + kEol + "END:VEVENT" + kEol; }

std::string Calendar(const std::string& events) {
  return std::string("BEGIN:VCALENDAR") + kEol + kProdId + kEol + "VERSION:2.0" + kEol + events + "END:VCALENDAR" +
         kEol;
}

std::uint64_t Fnv1a(const std::string& s) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : s) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

}  // namespace

std::string UtcStamp(const platform::LocalDateTime& utc) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "T%02d%02d%02dZ", utc.hour, utc.minute, utc.second);
  return CompactDate(utc.date) + buf;
}

std::string EscapeText(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case ';': out += "\\;"; break;
      case ',': out += "\\,"; break;
      case '\r':
        if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n': out += "\\n"; break;
      default:
        // Control characters other than TAB are not allowed in a TEXT value.
        out += ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) ? ' ' : c;
    }
  }
  return out;
}

std::string FoldLine(const std::string& line) {
  std::string out;
  std::size_t pos = 0, room = kFoldOctets;
  while (line.size() - pos > room) {
    std::size_t cut = pos;
    while (cut < line.size()) {
      const std::size_t n = platform::Utf8CharLength(static_cast<unsigned char>(line[cut]));
      if (cut + n - pos > room) break;
      cut += n;
    }
    out.append(line, pos, cut - pos);
    out += kEol;
    out += ' ';
    pos = cut;
    room = kFoldOctets - 1;
  }
  out.append(line, pos, std::string::npos);
  return out + kEol;
}

std::string EventUids::Next(const std::string& kind, const std::string& date, const std::string& start,
                            const std::string& title) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%016llx",
                static_cast<unsigned long long>(Fnv1a(kind + '\x1f' + date + '\x1f' + start + '\x1f' + title)));
  std::string uid = buf;
  const int n = ++seen_[uid];
  if (n > 1) uid += "-" + std::to_string(n);
  return uid + "@kalendor.local";
}

std::string HolidayRRule(const store::HolidayLine& r) {
  std::string rule;
  const std::string day_code = kWeekdayCodes[(r.weekday % 7 + 7) % 7];
  const std::string setpos = r.week == store::kHolidayWeekLast ? "-1" : std::to_string(r.week);
  if (r.month == 0) {
    rule = "FREQ=WEEKLY;INTERVAL=1;BYDAY=" + day_code;
  } else if (r.month == store::kHolidayMonthEvery) {
    if (r.day == store::kHolidayLastDay)
      rule = "FREQ=MONTHLY;INTERVAL=1;BYMONTHDAY=-1";
    else if (r.day != 0)
      rule = "FREQ=MONTHLY;INTERVAL=1;BYMONTHDAY=" + TwoDigits(r.day);
    else
      rule = "FREQ=MONTHLY;INTERVAL=1;BYDAY=" + day_code + ";BYSETPOS=" + setpos;
  } else if (r.day != 0) {
    rule = "FREQ=YEARLY;INTERVAL=1;BYMONTH=" + TwoDigits(r.month) + ";BYMONTHDAY=" + TwoDigits(r.day);
  } else {
    rule = "FREQ=YEARLY;INTERVAL=1;BYMONTH=" + TwoDigits(r.month) + ";BYDAY=" + day_code + ";BYSETPOS=" + setpos;
  }
  if (!r.last_year.empty()) rule += ";UNTIL=" + r.last_year + "1231";
  return rule;
}

std::optional<Date> HolidayFirstDate(const store::HolidayLine& rule) {
  const int first = rule.first_year.empty() ? kNoFirstYear : std::stoi(rule.first_year);
  int last = first + kSearchYears;
  if (!rule.last_year.empty()) last = std::min(last, std::stoi(rule.last_year));
  for (int y = first; y <= last; ++y)
    for (int m = 1; m <= 12; ++m) {
      const auto days = store::HolidayDaysInMonth(rule, y, m);
      if (!days.empty()) return store::MakeDate(y, m, days.front());
    }
  return std::nullopt;
}

namespace {

// The properties of a schedule's event up to (without) DTSTAMP and UID.
std::string ScheduleEventBody(const ScheduleItem& item) {
  std::string body;
  const Date last = item.LastDay();
  const auto st = StoredMinutes(item.start), et = StoredMinutes(item.end);
  const bool all_day = item.start.empty() && item.end.empty();
  // The start: the start time, else the end time.
  const std::optional<int> begin = !item.start.empty() ? st : et;
  if (all_day || !begin) {
    body += "DTSTART" + DateValue(item.date) + kEol;
    body += "DTEND" + DateValue(store::AddDays(last, 1)) + kEol;
  } else {
    const Moment from = MakeMoment(item.date, *begin);
    body += "DTSTART:" + UtcStampFromJst(from) + kEol;
    if (!item.end.empty() && et) {
      const Moment to = MakeMoment(last, *et);
      if (to > from) body += "DTEND:" + UtcStampFromJst(to) + kEol;
    }
  }
  if (!item.title.empty()) body += Text("SUMMARY", item.title);
  if (!item.place.empty()) body += Text("LOCATION", item.place);
  if (!item.category.empty()) body += Text("CATEGORIES", item.category);
  if (!item.memo.empty()) {
    std::string memo;
    for (std::size_t i = 0; i < item.memo.size(); ++i) memo += (i ? "\n" : "") + item.memo[i];
    body += Text("DESCRIPTION", memo);
  }
  return body;
}

}  // namespace

std::string ScheduleICalendar(const std::vector<ScheduleItem>& items, const platform::LocalDateTime& dtstamp_utc) {
  const std::string stamp = std::string("DTSTAMP:") + UtcStamp(dtstamp_utc) + kEol;
  EventUids uids;
  std::string events;
  for (const auto& item : items) {
    std::string body = ScheduleEventBody(item);
    body += stamp;
    body += "UID:" + uids.Next("schedule", CompactDate(item.date), item.start, item.title) + kEol;
    events += Event(body);
  }
  return Calendar(events);
}

std::string ScheduleEventICalendar(const ScheduleItem& item, const std::string& uid,
                                   const platform::LocalDateTime& dtstamp_utc) {
  std::string body = ScheduleEventBody(item);
  body += std::string("DTSTAMP:") + UtcStamp(dtstamp_utc) + kEol;
  body += FoldLine("UID:" + uid);
  return Calendar(Event(body));
}

std::string HolidayICalendar(const std::vector<HolidayItem>& items, const platform::LocalDateTime& dtstamp_utc,
                             int* count) {
  const std::string stamp = std::string("DTSTAMP:") + UtcStamp(dtstamp_utc) + kEol;
  EventUids uids;
  std::string events;
  int n = 0;
  for (const auto& item : items) {
    std::string body;
    Date start = item.date;
    std::string name = item.name;
    if (item.rule) {
      const auto first = HolidayFirstDate(*item.rule);
      if (!first) continue;
      start = *first;
      name = item.rule->name;
    }
    body += "DTSTART" + DateValue(start) + kEol;
    body += "DTEND" + DateValue(store::AddDays(start, 1)) + kEol;
    if (item.rule) body += "RRULE:" + HolidayRRule(*item.rule) + kEol;
    body += Text("SUMMARY", name);
    body += Text("CATEGORIES", item.category);
    body += stamp;
    body += "UID:" + uids.Next(item.rule ? "holiday" : "computed-holiday", CompactDate(start), "", name) + kEol;
    events += Event(body);
    ++n;
  }
  if (count) *count = n;
  return Calendar(events);
}

}  // namespace kal::listing
