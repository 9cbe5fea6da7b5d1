#include "listing/VCalendarExport.h"

#include "listing/CsvExport.h"
#include "listing/ExportTime.h"
#include "listing/ICalendarExport.h"

namespace kal::listing {

namespace {

constexpr const char* kEol = "\r\n";

std::string Encoded(const std::string& cp932) {
  static const char* const hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : cp932) {
    out += '=';
    out += hex[c >> 4];
    out += hex[c & 15];
  }
  return out;
}

std::string Parameters(const std::string& utf8) {
  bool ascii = true;
  for (unsigned char c : utf8) ascii = ascii && c < 0x80;
  return ascii ? ";ENCODING=QUOTED-PRINTABLE:" : ";CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:";
}

std::string UtcOrDate(const Date& date, std::optional<int> minutes) {
  if (!minutes) return CompactDate(date) + "T000000Z";
  return UtcStampFromJst(MakeMoment(date, *minutes));
}

}  // namespace

std::string VCalendarEscape(const std::string& utf8) {
  std::string out;
  for (char c : utf8) {
    if (c == '\\' || c == ';' || c == ',') out += '\\';
    out += c;
  }
  return out;
}

std::string QuotedPrintableValue(const std::string& utf8) {
  return Parameters(utf8) + Encoded(ExportBytes(VCalendarEscape(utf8)));
}

std::string ScheduleVCalendar(const std::vector<ScheduleItem>& items) {
  std::string out = std::string("BEGIN:VCALENDAR") + kEol + kProdId + kEol + "VERSION:1.0" + kEol;
  EventUids uids;
  for (const auto& item : items) {
    out += std::string("BEGIN:VEVENT") + kEol;
    const Date last = item.LastDay();
    if (item.start.empty() && item.end.empty()) {
      out += "DTSTART:" + UtcOrDate(item.date, 0) + kEol;
      out += "DTEND:" + UtcOrDate(store::AddDays(last, 1), 0) + kEol;
    } else {
      const std::string& st = item.start.empty() ? item.end : item.start;
      const std::string& et = item.end.empty() ? item.start : item.end;
      out += "DTSTART:" + UtcOrDate(item.date, StoredMinutes(st)) + kEol;
      out += "DTEND:" + UtcOrDate(last, StoredMinutes(et)) + kEol;
    }
    if (!item.title.empty()) out += "SUMMARY" + QuotedPrintableValue(item.title) + kEol;
    if (!item.place.empty()) out += "LOCATION" + QuotedPrintableValue(item.place) + kEol;
    if (!item.category.empty()) out += "CATEGORIES" + QuotedPrintableValue(item.category) + kEol;
    if (!item.memo.empty()) {
      std::string all;
      for (const auto& l : item.memo) all += l;
      out += "DESCRIPTION" + Parameters(all);
      for (std::size_t i = 0; i < item.memo.size(); ++i) {
        out += Encoded(ExportBytes(VCalendarEscape(item.memo[i])));
        out += i + 1 < item.memo.size() ? std::string("=0D=0A=") + kEol : std::string(kEol);
      }
    }
    out += "UID" + QuotedPrintableValue(uids.Next("schedule", CompactDate(item.date), item.start, item.title)) + kEol;
    out += std::string("CLASS:PUBLIC") + kEol + "END:VEVENT" + kEol;
  }
  return out + "END:VCALENDAR" + kEol;
}

}  // namespace kal::listing
