#include "import/CalendarImport.h"

#include <libical/ical.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>

#include "platform/Codec.h"
#include "store/DateText.h"

namespace kal::import {

namespace {

constexpr int kJstMinutes = 9 * 60;

// A moment as the file gives it, already in Japan Standard Time (or floating).
struct When {
  store::Date date{};
  std::optional<int> minutes;  // nothing for a DATE value
};

struct RawEvent {
  std::optional<When> start, end;
  bool repeating = false;
  bool unknown_zone = false;
  std::string summary, location, categories, description;
};

When Shifted(const store::Date& date, int minutes) {
  int days = minutes / 1440, rest = minutes % 1440;
  if (rest < 0) {
    rest += 1440;
    --days;
  }
  return {store::AddDays(date, days), rest};
}

std::string TimeField(int minutes) { return store::TimeText(minutes / 60, minutes % 60); }

bool Before(const When& a, const When& b) {
  const int da = store::DayNumber(a.date), db = store::DayNumber(b.date);
  if (da != db) return da < db;
  return a.minutes.value_or(0) < b.minutes.value_or(0);
}

std::string NormalisedLines(std::string text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += '\n';
    } else {
      out += text[i];
    }
  }
  return out;
}

CalendarEvent Finish(const RawEvent& raw) {
  CalendarEvent e;
  e.summary = raw.summary;
  e.location = raw.location;
  e.categories = raw.categories;
  e.description = NormalisedLines(raw.description);
  auto refuse = [&](const char* reason) {
    e.status = CalendarEvent::Status::Refused;
    e.message = reason;
  };
  if (!raw.start) {
    refuse(kNoStartRefusal);
    return e;
  }
  When start = *raw.start;
  std::optional<When> end = raw.end;
  e.start_date = store::DateText(start.date);
  if (!start.minutes) {
    // An all-day event: DTEND is the day after its last day.
    store::Date last = start.date;
    if (end && store::DayNumber(end->date) > store::DayNumber(start.date)) last = store::AddDays(end->date, -1);
    e.end_date = store::DateText(last);
  } else if (end && end->minutes && *start.minutes == 0 && *end->minutes == 0 &&
             store::DayNumber(end->date) > store::DayNumber(start.date)) {
    // Midnight to midnight is an all-day schedule over the days between.
    e.end_date = store::DateText(store::AddDays(end->date, -1));
  } else {
    e.start_time = TimeField(*start.minutes);
    if (end) {
      e.end_date = store::DateText(end->date);
      if (end->minutes) e.end_time = TimeField(*end->minutes);
    }
    if (end && Before(*end, start)) refuse(kEndBeforeStartRefusal);
  }
  if (raw.unknown_zone) refuse(kUnknownZoneRefusal);
  if (raw.repeating) refuse(kRepeatingRefusal);
  return e;
}

// --- iCalendar through libical -----------------------------------------------------------------

struct IcalFree {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

std::optional<When> IcalWhen(icalcomponent* calendar, icalproperty* p, bool& unknown_zone) {
  if (!p) return std::nullopt;
  icalvalue* v = icalproperty_get_value(p);
  if (!v) return std::nullopt;
  icaltimetype t = icalvalue_get_datetime(v);
  if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t)) return std::nullopt;
  const store::Date date = store::MakeDate(t.year, t.month, t.day);
  if (t.is_date) return When{date, std::nullopt};
  const int minutes = t.hour * 60 + t.minute;
  if (icaltime_is_utc(t)) return Shifted(date, minutes + kJstMinutes);
  icalparameter* tzid = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
  if (!tzid || !icalparameter_get_tzid(tzid)) return When{date, minutes};  // floating
  const std::string id = icalparameter_get_tzid(tzid);
  icaltimezone* zone = calendar ? icalcomponent_get_timezone(calendar, id.c_str()) : nullptr;
  if (!zone) zone = icaltimezone_get_builtin_timezone(IanaZoneName(id).c_str());
  if (!zone) {
    unknown_zone = true;
    return When{date, minutes};
  }
  icaltimetype local = t;
  local.zone = zone;
  const icaltimetype utc = icaltime_convert_to_zone(local, icaltimezone_get_utc_timezone());
  return Shifted(store::MakeDate(utc.year, utc.month, utc.day), utc.hour * 60 + utc.minute + kJstMinutes);
}

std::string Joined(icalcomponent* event, icalproperty_kind kind, const char* separator) {
  std::string out;
  for (icalproperty* p = icalcomponent_get_first_property(event, kind); p;
       p = icalcomponent_get_next_property(event, kind)) {
    icalvalue* v = icalproperty_get_value(p);
    const char* s = v ? icalvalue_get_text(v) : nullptr;
    if (!s) continue;
    if (!out.empty()) out += separator;
    out += s;
  }
  return out;
}

void CollectEvents(icalcomponent* c, icalcomponent* calendar, std::vector<icalcomponent*>& events,
                   std::vector<icalcomponent*>& calendars) {
  const icalcomponent_kind kind = icalcomponent_isa(c);
  if (kind == ICAL_VEVENT_COMPONENT) {
    events.push_back(c);
    calendars.push_back(calendar);
    return;
  }
  if (kind == ICAL_VCALENDAR_COMPONENT) calendar = c;
  if (kind != ICAL_VCALENDAR_COMPONENT && kind != ICAL_XROOT_COMPONENT) return;
  for (icalcomponent* s = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); s;
       s = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
    CollectEvents(s, calendar, events, calendars);
}

// The lines that open and close events (such lines are never folded): how many of each, and
// where the last opening line starts.
struct EventFrames {
  int begins = 0, ends = 0;
  std::size_t last_begin = 0;
  bool calendar_begin = false, calendar_end = false;
};
EventFrames FramesOf(std::string_view bytes) {
  EventFrames f;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string line(bytes.substr(pos, end - pos));
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    std::transform(line.begin(), line.end(), line.begin(), [](unsigned char c) { return std::toupper(c); });
    if (line == "BEGIN:VEVENT") {
      ++f.begins;
      f.last_begin = pos;
    }
    if (line == "END:VEVENT") ++f.ends;
    if (line == "BEGIN:VCALENDAR") f.calendar_begin = true;
    if (line == "END:VCALENDAR") f.calendar_end = true;
    pos = end + 1;
  }
  return f;
}

}  // namespace

std::string IanaZoneName(const std::string& name) {
  static const std::map<std::string, std::string> windows = {
      {"Tokyo Standard Time", "Asia/Tokyo"},
      {"Korea Standard Time", "Asia/Seoul"},
      {"China Standard Time", "Asia/Shanghai"},
      {"Taipei Standard Time", "Asia/Taipei"},
      {"Singapore Standard Time", "Asia/Singapore"},
      {"India Standard Time", "Asia/Kolkata"},
      {"AUS Eastern Standard Time", "Australia/Sydney"},
      {"Hawaiian Standard Time", "Pacific/Honolulu"},
      {"Pacific Standard Time", "America/Los_Angeles"},
      {"Mountain Standard Time", "America/Denver"},
      {"Central Standard Time", "America/Chicago"},
      {"Eastern Standard Time", "America/New_York"},
      {"GMT Standard Time", "Europe/London"},
      {"W. Europe Standard Time", "Europe/Berlin"},
      {"Romance Standard Time", "Europe/Paris"},
      {"Central Europe Standard Time", "Europe/Budapest"},
      {"UTC", "UTC"},
  };
  auto it = windows.find(name);
  return it == windows.end() ? name : it->second;
}

CalendarReadResult ReadICalendar(std::string_view bytes) {
  CalendarReadResult result;
  std::string text(bytes);
  const EventFrames frames = FramesOf(bytes);
  if (frames.begins > frames.ends) {
    // The file ends inside its last event: that event is left out and the rest is read.
    result.problems.push_back(kUnterminatedProblem);
    text.resize(frames.last_begin);
    text += "END:VCALENDAR\r\n";
  } else if (frames.calendar_begin && !frames.calendar_end) {
    text += "\r\nEND:VCALENDAR\r\n";
  }
  std::unique_ptr<icalcomponent, IcalFree> root(icalparser_parse_string(text.c_str()));
  if (!root) {
    result.parsed = false;
    result.problems.push_back(kNotCalendarProblem);
    return result;
  }
  std::vector<icalcomponent*> events, calendars;
  CollectEvents(root.get(), nullptr, events, calendars);
  for (std::size_t i = 0; i < events.size(); ++i) {
    icalcomponent* ev = events[i];
    RawEvent raw;
    raw.start = IcalWhen(calendars[i], icalcomponent_get_first_property(ev, ICAL_DTSTART_PROPERTY), raw.unknown_zone);
    raw.end = IcalWhen(calendars[i], icalcomponent_get_first_property(ev, ICAL_DTEND_PROPERTY), raw.unknown_zone);
    if (!raw.end && raw.start) {
      if (icalproperty* d = icalcomponent_get_first_property(ev, ICAL_DURATION_PROPERTY)) {
        const icaldurationtype dur = icalproperty_get_duration(d);
        const int seconds = icaldurationtype_as_int(dur);
        if (raw.start->minutes)
          raw.end = Shifted(raw.start->date, *raw.start->minutes + seconds / 60);
        else
          raw.end = When{store::AddDays(raw.start->date, seconds / 86400), std::nullopt};
      }
    }
    raw.repeating = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY) != nullptr ||
                    icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY) != nullptr;
    raw.summary = Joined(ev, ICAL_SUMMARY_PROPERTY, " ");
    raw.location = Joined(ev, ICAL_LOCATION_PROPERTY, " ");
    raw.categories = Joined(ev, ICAL_CATEGORIES_PROPERTY, ",");
    raw.description = Joined(ev, ICAL_DESCRIPTION_PROPERTY, "\n");
    result.events.push_back(Finish(raw));
  }
  return result;
}

// --- vCalendar -----------------------------------------------------------------------------------

namespace {

struct VLine {
  std::string name;
  std::map<std::string, std::string> params;  // upper-case names; a bare parameter maps to ""
  std::string value;                          // raw, encoded
};

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}

bool IsQuotedPrintable(const VLine& l) {
  auto it = l.params.find("ENCODING");
  return (it != l.params.end() && Upper(it->second) == "QUOTED-PRINTABLE") || l.params.count("QUOTED-PRINTABLE");
}

// Logical lines: folded lines (a line starting with a blank or tab) joined, and a quoted-printable
// value whose line ends with "=" joined with the next line.
std::vector<VLine> VLines(std::string_view bytes) {
  std::vector<std::string> physical;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = bytes.size();
    physical.emplace_back(bytes.substr(pos, end - pos));
    pos = end;
    if (pos < bytes.size() && bytes[pos] == '\r') ++pos;
    if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
  }
  std::vector<VLine> out;
  for (std::size_t i = 0; i < physical.size(); ++i) {
    std::string line = physical[i];
    if (line.empty()) continue;
    if ((line[0] == ' ' || line[0] == '\t') && !out.empty()) {
      out.back().value += line.substr(1);
      continue;
    }
    VLine l;
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string head = line.substr(0, colon);
    l.value = line.substr(colon + 1);
    std::size_t semi = head.find(';');
    l.name = Upper(head.substr(0, semi));
    while (semi != std::string::npos) {
      const std::size_t next = head.find(';', semi + 1);
      const std::string p = head.substr(semi + 1, next == std::string::npos ? std::string::npos : next - semi - 1);
      const std::size_t eq = p.find('=');
      if (eq == std::string::npos)
        l.params[Upper(p)] = "";
      else
        l.params[Upper(p.substr(0, eq))] = p.substr(eq + 1);
      semi = next;
    }
    if (IsQuotedPrintable(l))
      while (!l.value.empty() && l.value.back() == '=' && i + 1 < physical.size()) {
        l.value.pop_back();
        l.value += physical[++i];
      }
    out.push_back(std::move(l));
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string DecodeQuotedPrintable(const std::string& v) {
  std::string out;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] == '=' && i + 2 < v.size() + 0 && HexDigit(v[i + 1]) >= 0 && HexDigit(v[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(v[i + 1]) * 16 + HexDigit(v[i + 2]));
      i += 2;
    } else {
      out += v[i];  // a literal character, or a stray "=" kept as it is
    }
  }
  return out;
}

bool ValidUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const std::size_t n = platform::Utf8CharLength(c);
    if (n == 1 && c >= 0x80) return false;
    if (i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

std::string VText(const VLine& l) {
  const std::string bytes = IsQuotedPrintable(l) ? DecodeQuotedPrintable(l.value) : l.value;
  auto it = l.params.find("CHARSET");
  const std::string charset = it == l.params.end() ? "" : Upper(it->second);
  std::string text;
  if (charset == "UTF-8" || (charset.empty() && ValidUtf8(bytes)))
    text = bytes;
  else
    text = platform::Cp932ToUtf8(bytes);
  // vCalendar escapes only ";" (and sometimes ","); a backslash before them is dropped.
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == ';' || text[i + 1] == ',' || text[i + 1] == '\\')) {
      out += text[++i];
    } else {
      out += text[i];
    }
  }
  return out;
}

std::optional<When> VWhen(const std::string& value) {
  // yyyymmdd, or yyyymmddThhmmss with an optional "Z".
  if (value.size() < 8) return std::nullopt;
  for (int i = 0; i < 8; ++i)
    if (value[i] < '0' || value[i] > '9') return std::nullopt;
  const auto date = store::ParseDateText(value.substr(0, 4) + "/" + value.substr(4, 2) + "/" + value.substr(6, 2));
  if (!date) return std::nullopt;
  if (value.size() == 8) return When{*date, std::nullopt};
  if (value.size() < 13 || value[8] != 'T') return std::nullopt;
  const auto t = store::ParseTimeText(value.substr(9, 2) + ":" + value.substr(11, 2));
  if (!t) return std::nullopt;
  const int minutes = t->hour * 60 + t->minute;
  if (value.back() == 'Z' || value.back() == 'z') return Shifted(*date, minutes + kJstMinutes);
  return When{*date, minutes};
}

}  // namespace

CalendarReadResult ReadVCalendar(std::string_view bytes) {
  CalendarReadResult result;
  const std::vector<VLine> lines = VLines(bytes);
  if (lines.empty() || lines.front().name != "BEGIN" || Upper(lines.front().value) != "VCALENDAR") {
    result.parsed = false;
    result.problems.push_back(kNotCalendarProblem);
    return result;
  }
  std::optional<RawEvent> current;
  int nested = 0;  // components inside the event (an alarm, say): their lines are not the event's
  for (const auto& l : lines) {
    const std::string value = Upper(l.value);
    if (l.name == "BEGIN") {
      if (value == "VEVENT" && !current) {
        current.emplace();
        nested = 0;
      } else if (current) {
        ++nested;
      }
      continue;
    }
    if (l.name == "END") {
      if (current && nested > 0) {
        --nested;
      } else if (current && value == "VEVENT") {
        result.events.push_back(Finish(*current));
        current.reset();
      }
      continue;
    }
    if (!current || nested > 0) continue;
    RawEvent& e = *current;
    if (l.name == "DTSTART") {
      e.start = VWhen(l.value);
    } else if (l.name == "DTEND") {
      e.end = VWhen(l.value);
    } else if (l.name == "RRULE" || l.name == "RDATE") {
      e.repeating = true;
    } else if (l.name == "SUMMARY") {
      e.summary = VText(l);
    } else if (l.name == "LOCATION") {
      e.location = VText(l);
    } else if (l.name == "CATEGORIES") {
      e.categories = VText(l);
    } else if (l.name == "DESCRIPTION") {
      e.description = VText(l);
    }
  }
  if (current) result.problems.push_back(kUnterminatedProblem);
  return result;
}

}  // namespace kal::import
