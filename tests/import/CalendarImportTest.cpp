#include <gtest/gtest.h>

#include "import/CalendarImport.h"
#include "listing/ICalendarExport.h"
#include "listing/VCalendarExport.h"
#include "support/TempFolder.h"

namespace kal::import {
namespace {

using Status = CalendarEvent::Status;

CalendarEvent Event(std::string sd, std::string st, std::string ed, std::string et, std::string summary,
                    std::string location = "", std::string categories = "", std::string description = "") {
  CalendarEvent e;
  e.start_date = std::move(sd);
  e.start_time = std::move(st);
  e.end_date = std::move(ed);
  e.end_time = std::move(et);
  e.summary = std::move(summary);
  e.location = std::move(location);
  e.categories = std::move(categories);
  e.description = std::move(description);
  return e;
}

CalendarEvent Refused(CalendarEvent e, const char* reason) {
  e.status = Status::Refused;
  e.message = reason;
  return e;
}

std::string Crlf(const std::string& lf_text) {
  std::string out;
  for (char c : lf_text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A web calendar's file: its own VTIMEZONE, X-WR-TIMEZONE, UTC times, a repeating event, an
// alarm and a folded, escaped description.
TEST(CalendarImport, WebCalendarStyle) {
  const std::string ics = Crlf(
      "BEGIN:VCALENDAR\n"
      "PRODID:-//Example Web Calendar//EN\n"
      "VERSION:2.0\n"
      "CALSCALE:GREGORIAN\n"
      "X-WR-TIMEZONE:Asia/Tokyo\n"
      "BEGIN:VTIMEZONE\n"
      "TZID:Asia/Tokyo\n"
      "X-LIC-LOCATION:Asia/Tokyo\n"
      "BEGIN:STANDARD\n"
      "TZOFFSETFROM:+0900\n"
      "TZOFFSETTO:+0900\n"
      "TZNAME:JST\n"
      "DTSTART:19700101T000000\n"
      "END:STANDARD\n"
      "END:VTIMEZONE\n"
      "BEGIN:VEVENT\n"
      "DTSTART:20240503T010000Z\n"
      "DTEND:20240503T023000Z\n"
      "UID:a@example.com\n"
      "SUMMARY:定例会議\\, 第3回\n"
      "LOCATION:本社 3F\\; 会議室A\n"
      "DESCRIPTION:議題: 予算\\n出席者: 山田\\, 鈴木\\n資料は共有フォルダの\\\\報告書にあります。長い説\n"
      " 明が続きます。\n"
      "BEGIN:VALARM\n"
      "ACTION:DISPLAY\n"
      "DESCRIPTION:This is an event reminder\n"
      "TRIGGER:-P0DT0H10M0S\n"
      "END:VALARM\n"
      "END:VEVENT\n"
      "BEGIN:VEVENT\n"
      "DTSTART;TZID=Asia/Tokyo:20240506T090000\n"
      "DTEND;TZID=Asia/Tokyo:20240506T093000\n"
      "RRULE:FREQ=WEEKLY;BYDAY=MO\n"
      "SUMMARY:朝会\n"
      "END:VEVENT\n"
      "BEGIN:VEVENT\n"
      "DTSTART;TZID=Asia/Tokyo:20240507T233000\n"
      "DTEND;TZID=Asia/Tokyo:20240508T003000\n"
      "SUMMARY:夜間作業\n"
      "END:VEVENT\n"
      "END:VCALENDAR\n");
  const CalendarReadResult r = ReadICalendar(ics);
  EXPECT_TRUE(r.problems.empty());
  ASSERT_EQ(r.events.size(), 3u);
  EXPECT_EQ(r.events[0], Event("2024/05/03", "10:00", "2024/05/03", "11:30", "定例会議, 第3回", "本社 3F; 会議室A", "",
                               "議題: 予算\n出席者: 山田, 鈴木\n資料は共有フォルダの\\報告書にあります。長い説明が続きます。"));
  EXPECT_EQ(r.events[1], Refused(Event("2024/05/06", "09:00", "2024/05/06", "09:30", "朝会"), kRepeatingRefusal));
  EXPECT_EQ(r.events[2], Event("2024/05/07", "23:30", "2024/05/08", "00:30", "夜間作業"));
}

// A desktop mail suite's file: Windows zone names (with and without their VTIMEZONE) and
// all-day events as DATE values.
TEST(CalendarImport, DesktopMailSuiteStyle) {
  const std::string ics = Crlf(
      "BEGIN:VCALENDAR\n"
      "PRODID:-//Example Mail Suite//JA\n"
      "VERSION:2.0\n"
      "METHOD:PUBLISH\n"
      "BEGIN:VTIMEZONE\n"
      "TZID:Tokyo Standard Time\n"
      "BEGIN:STANDARD\n"
      "DTSTART:16010101T000000\n"
      "TZOFFSETFROM:+0900\n"
      "TZOFFSETTO:+0900\n"
      "END:STANDARD\n"
      "END:VTIMEZONE\n"
      "BEGIN:VEVENT\n"
      "DTSTART;TZID=Tokyo Standard Time:20240510T140000\n"
      "DTEND;TZID=Tokyo Standard Time:20240510T150000\n"
      "SUMMARY;LANGUAGE=ja:打ち合わせ\n"
      "CATEGORIES:仕事,重要\n"
      "END:VEVENT\n"
      "BEGIN:VEVENT\n"
      "DTSTART;VALUE=DATE:20240503\n"
      "DTEND;VALUE=DATE:20240506\n"
      "SUMMARY:連休\n"
      "END:VEVENT\n"
      "BEGIN:VEVENT\n"
      "DTSTART;VALUE=DATE:20240520\n"
      "DTEND;VALUE=DATE:20240521\n"
      "SUMMARY:終日\n"
      "END:VEVENT\n"
      "BEGIN:VEVENT\n"
      "DTSTART;TZID=Pacific Standard Time:20240115T170000\n"
      "DTEND;TZID=Pacific Standard Time:20240115T180000\n"
      "SUMMARY:US call\n"
      "END:VEVENT\n"
      "END:VCALENDAR\n");
  const CalendarReadResult r = ReadICalendar(ics);
  ASSERT_EQ(r.events.size(), 4u);
  EXPECT_EQ(r.events[0], Event("2024/05/10", "14:00", "2024/05/10", "15:00", "打ち合わせ", "", "仕事,重要"));
  EXPECT_EQ(r.events[1], Event("2024/05/03", "", "2024/05/05", "", "連休"));
  EXPECT_EQ(r.events[2], Event("2024/05/20", "", "2024/05/20", "", "終日"));
  // 17:00 in Los Angeles in January (UTC-8) is 10:00 of the next day in Japan.
  EXPECT_EQ(r.events[3], Event("2024/01/16", "10:00", "2024/01/16", "11:00", "US call"));
}

TEST(CalendarImport, FloatingTimesAndRefusals) {
  const std::string ics = Crlf(
      "BEGIN:VCALENDAR\nVERSION:2.0\n"
      "BEGIN:VEVENT\nDTSTART:20240601T100000\nDURATION:PT90M\nSUMMARY:floating\nEND:VEVENT\n"
      "BEGIN:VEVENT\nDTSTART:20240601T100000\nDTEND:20240601T090000\nSUMMARY:backwards\nEND:VEVENT\n"
      "BEGIN:VEVENT\nSUMMARY:no start\nEND:VEVENT\n"
      "BEGIN:VEVENT\nDTSTART;TZID=Mars/Olympus:20240601T100000\nSUMMARY:nowhere\nEND:VEVENT\n"
      "BEGIN:VEVENT\nDTSTART:20240602T000000\nDTEND:20240604T000000\nSUMMARY:midnight to midnight\nEND:VEVENT\n"
      "END:VCALENDAR\n");
  const CalendarReadResult r = ReadICalendar(ics);
  ASSERT_EQ(r.events.size(), 5u);
  EXPECT_EQ(r.events[0], Event("2024/06/01", "10:00", "2024/06/01", "11:30", "floating"));
  EXPECT_EQ(r.events[1],
            Refused(Event("2024/06/01", "10:00", "2024/06/01", "09:00", "backwards"), kEndBeforeStartRefusal));
  EXPECT_EQ(r.events[2], Refused(Event("", "", "", "", "no start"), kNoStartRefusal));
  EXPECT_EQ(r.events[3], Refused(Event("2024/06/01", "10:00", "", "", "nowhere"), kUnknownZoneRefusal));
  EXPECT_EQ(r.events[4], Event("2024/06/02", "", "2024/06/03", "", "midnight to midnight"));
}

TEST(CalendarImport, AFileCutOffInsideAnEventLosesOnlyThatEvent) {
  for (const std::string tail : {"", "END:VCALENDAR\n"}) {
    const CalendarReadResult r = ReadICalendar(Crlf(
        "BEGIN:VCALENDAR\nVERSION:2.0\n"
        "BEGIN:VEVENT\nDTSTART:20240601T010000Z\nSUMMARY:whole\nEND:VEVENT\n"
        "BEGIN:VEVENT\nDTSTART:20240602T010000Z\nSUMMARY:cut\n" + tail));
    ASSERT_EQ(r.events.size(), 1u) << tail;
    EXPECT_EQ(r.events[0].summary, "whole");
    EXPECT_EQ(r.problems, std::vector<std::string>{kUnterminatedProblem});
  }
  const CalendarReadResult v = ReadVCalendar(Crlf(
      "BEGIN:VCALENDAR\nVERSION:1.0\nBEGIN:VEVENT\nDTSTART:20240601T010000Z\nSUMMARY:whole\nEND:VEVENT\n"
      "BEGIN:VEVENT\nDTSTART:20240602T010000Z\nSUMMARY:cut\n"));
  ASSERT_EQ(v.events.size(), 1u);
  EXPECT_EQ(v.problems, std::vector<std::string>{kUnterminatedProblem});

  EXPECT_FALSE(ReadICalendar("not a calendar").parsed);
  EXPECT_FALSE(ReadVCalendar("not a calendar").parsed);
}

// A phone's vCalendar: Shift_JIS in quoted-printable with soft line breaks and literal
// characters, a UTF-8 value, an escaped semicolon, an alarm property.
TEST(CalendarImport, PhoneVCalendar) {
  const std::string vcs = Crlf(
      "BEGIN:VCALENDAR\nVERSION:1.0\n"
      "BEGIN:VEVENT\n"
      "DTSTART:20240503T010000Z\nDTEND:20240503T023000Z\n"
      "SUMMARY;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=89=EF=8Bc 2\n"  // 会議 with 議's trail byte literal
      "DESCRIPTION;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=88=EA=8D=73=96=DA=0D=0A=\n"
      "=93=F1=8D=73=96=DA\n"
      "LOCATION;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:caf=C3=A9=\n"
      " =E5=BA=97\n"
      "CATEGORIES:MEETING\\;WORK\n"
      "AALARM:20240503T005000Z\n"
      "END:VEVENT\n"
      "BEGIN:VEVENT\nDTSTART:20240504T090000\nDTEND:20240504T100000\nSUMMARY:local\nRRULE:W1 SA #0\nEND:VEVENT\n"
      "END:VCALENDAR\n");
  const CalendarReadResult r = ReadVCalendar(vcs);
  EXPECT_TRUE(r.problems.empty());
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[0],
            Event("2024/05/03", "10:00", "2024/05/03", "11:30", "会議 2", "café 店", "MEETING;WORK", "一行目\n二行目"));
  EXPECT_EQ(r.events[1], Refused(Event("2024/05/04", "09:00", "2024/05/04", "10:00", "local"), kRepeatingRefusal));
}

// Our own exports read back as the schedules they came from.
TEST(CalendarImport, RoundTripOfOurExports) {
  listing::ScheduleItem timed;
  timed.date = store::MakeDate(2024, 5, 3);
  timed.start = "07:00";
  timed.end = "08:30";
  timed.title = "会議;A,B\\C \"引用\"";
  timed.place = "本社";
  timed.category = "仕事";
  timed.memo = {"一行目", "二行目, 続き"};
  listing::ScheduleItem all_day;
  all_day.date = store::MakeDate(2024, 5, 4);
  all_day.span = 3;
  for (int i = 0; i < 40; ++i) all_day.title += "漢";
  listing::ScheduleItem open_end;
  open_end.date = store::MakeDate(2024, 5, 10);
  open_end.start = "23:30";
  open_end.title = "夜";

  const std::vector<CalendarEvent> want = {
      Event("2024/05/03", "07:00", "2024/05/03", "08:30", timed.title, "本社", "仕事", "一行目\n二行目, 続き"),
      Event("2024/05/04", "", "2024/05/06", "", all_day.title),
      Event("2024/05/10", "23:30", "", "", "夜"),
  };
  const auto ics = ReadICalendar(listing::ScheduleICalendar({timed, all_day, open_end}, {}));
  EXPECT_EQ(ics.events, want);
  EXPECT_TRUE(ics.problems.empty());

  // vCalendar writes DTEND equal to DTSTART when there is no end time.
  std::vector<CalendarEvent> vwant = want;
  vwant[2].end_date = "2024/05/10";
  vwant[2].end_time = "23:30";
  const auto vcs = ReadVCalendar(listing::ScheduleVCalendar({timed, all_day, open_end}));
  EXPECT_EQ(vcs.events, vwant);
}

TEST(CalendarImport, WindowsZoneNames) {
  EXPECT_EQ(IanaZoneName("Tokyo Standard Time"), "Asia/Tokyo");
  EXPECT_EQ(IanaZoneName("Asia/Tokyo"), "Asia/Tokyo");
}

}  // namespace
}  // namespace kal::import
