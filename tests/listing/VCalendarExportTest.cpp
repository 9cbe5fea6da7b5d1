#include <gtest/gtest.h>

#include "listing/ICalendarExport.h"
#include "listing/VCalendarExport.h"

namespace kal::listing {
namespace {

ScheduleItem Schedule(const std::string& start, const std::string& end) {
  ScheduleItem s;
  s.date = store::MakeDate(2024, 5, 3);
  s.start = start;
  s.end = end;
  return s;
}

TEST(VCalendarExport, GoldenFileWithShiftJisQuotedPrintable) {
  ScheduleItem s = Schedule("10:00", "11:30");
  s.title = "A b";
  s.place = "本社";  // 96 7B 8E D0
  s.memo = {"一", "二", "三"};  // 88 EA, 93 F1, 8E 4F
  EventUids uids;
  std::string uid_qp;
  for (unsigned char c : uids.Next("schedule", "20240503", "10:00", "A b")) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "=%02X", c);
    uid_qp += buf;
  }
  EXPECT_EQ(ScheduleVCalendar({s}),
            "BEGIN:VCALENDAR\r\n"
            "PRODID:-//TOKIWARE//Kalendor 5.71//EN\r\n"
            "VERSION:1.0\r\n"
            "BEGIN:VEVENT\r\n"
            "DTSTART:20240503T010000Z\r\n"
            "DTEND:20240503T023000Z\r\n"
            "SUMMARY;ENCODING=QUOTED-PRINTABLE:=41=20=62\r\n"
            "LOCATION;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=96=7B=8E=D0\r\n"
            "DESCRIPTION;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=88=EA=0D=0A=\r\n"
            "=93=F1=0D=0A=\r\n"
            "=8E=4F\r\n"
            "UID;ENCODING=QUOTED-PRINTABLE:" + uid_qp + "\r\n"
            "CLASS:PUBLIC\r\n"
            "END:VEVENT\r\n"
            "END:VCALENDAR\r\n");
}

TEST(VCalendarExport, SeparatorsAreEscapedBeforeEncoding) {
  EXPECT_EQ(VCalendarEscape("会議;A,B\\C"), "会議\\;A\\,B\\\\C");
  // ";" is 3B, "\\" is 5C.
  EXPECT_EQ(QuotedPrintableValue("a;b"), ";ENCODING=QUOTED-PRINTABLE:=61=5C=3B=62");
}

TEST(VCalendarExport, Times) {
  ScheduleItem multi = Schedule("", "");
  multi.span = 2;
  struct Case {
    const char* name;
    ScheduleItem item;
    std::string want;
  } cases[] = {
      {"all day", Schedule("", ""), "DTSTART:20240502T150000Z\r\nDTEND:20240503T150000Z\r\n"},
      {"all-day range", multi, "DTSTART:20240502T150000Z\r\nDTEND:20240504T150000Z\r\n"},
      {"no end time", Schedule("08:00", ""), "DTSTART:20240502T230000Z\r\nDTEND:20240502T230000Z\r\n"},
      {"unreadable start", Schedule("8時", "10:00"), "DTSTART:20240503T000000Z\r\nDTEND:20240503T010000Z\r\n"},
      {"hour past 24", Schedule("24:30", ""), "DTSTART:20240503T153000Z\r\nDTEND:20240503T153000Z\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string v = ScheduleVCalendar({c.item});
    EXPECT_NE(v.find("BEGIN:VEVENT\r\n" + c.want + "UID"), std::string::npos) << v;
  }
}

}  // namespace
}  // namespace kal::listing
