#include <gtest/gtest.h>

#include "listing/ExportTime.h"
#include "listing/ICalendarExport.h"

namespace kal::listing {
namespace {

const platform::LocalDateTime kStampUtc{store::MakeDate(2024, 5, 1), 3, 4, 5};

ScheduleItem Schedule(const std::string& start, const std::string& end) {
  ScheduleItem s;
  s.date = store::MakeDate(2024, 5, 3);
  s.start = start;
  s.end = end;
  s.title = "会議";
  return s;
}

// The lines of the single VEVENT between its BEGIN and the DTSTAMP (unfolded).
std::vector<std::string> EventLines(const std::string& ics) {
  std::string unfolded;
  for (std::size_t i = 0; i < ics.size(); ++i) {
    if (ics.compare(i, 3, "\r\n ") == 0) {
      i += 2;
      continue;
    }
    unfolded += ics[i];
  }
  std::vector<std::string> lines;
  std::size_t pos = unfolded.find("BEGIN:VEVENT\r\n") + 14;
  while (true) {
    const std::size_t end = unfolded.find("\r\n", pos);
    std::string line = unfolded.substr(pos, end - pos);
    if (line.rfind("DTSTAMP", 0) == 0) break;
    lines.push_back(line);
    pos = end + 2;
  }
  return lines;
}

TEST(ICalendarExport, ScheduleGoldenFile) {
  ScheduleItem s = Schedule("10:00", "11:30");
  s.place = "本社";
  s.category = "仕事";
  s.memo = {"議題1", "議題2"};
  const std::string ics = ScheduleICalendar({s}, kStampUtc);
  EventUids uids;
  const std::string uid = uids.Next("schedule", "20240503", "10:00", "会議");
  EXPECT_EQ(ics,
            "BEGIN:VCALENDAR\r\n"
            "PRODID:-//TOKIWARE//Kalendor 5.71//EN\r\n"
            "VERSION:2.0\r\n"
            "BEGIN:VEVENT\r\n"
            "DTSTART:20240503T010000Z\r\n"
            "DTEND:20240503T023000Z\r\n"
            "SUMMARY:会議\r\n"
            "LOCATION:本社\r\n"
            "CATEGORIES:仕事\r\n"
            "DESCRIPTION:議題1\\n議題2\r\n"
            "DTSTAMP:20240501T030405Z\r\n"
            "UID:" + uid + "\r\n"
            "CLASS:PUBLIC\r\n"
            "END:VEVENT\r\n"
            "END:VCALENDAR\r\n");
  EXPECT_EQ(ics.find("METHOD"), std::string::npos);
}

TEST(ICalendarExport, ScheduleStartAndEnd) {
  ScheduleItem multi = Schedule("", "");
  multi.span = 3;
  ScheduleItem multi_timed = Schedule("09:00", "17:00");
  multi_timed.span = 2;
  struct Case {
    const char* name;
    ScheduleItem item;
    std::vector<std::string> want;
  } cases[] = {
      {"all day", Schedule("", ""), {"DTSTART;VALUE=DATE:20240503", "DTEND;VALUE=DATE:20240504"}},
      {"all-day range", multi, {"DTSTART;VALUE=DATE:20240503", "DTEND;VALUE=DATE:20240506"}},
      {"no end time: no DTEND", Schedule("08:00", ""), {"DTSTART:20240502T230000Z"}},
      {"07:00 is the previous day in UTC", Schedule("07:00", "08:00"),
       {"DTSTART:20240502T220000Z", "DTEND:20240502T230000Z"}},
      {"end time only", Schedule("", "15:00"), {"DTSTART:20240503T060000Z"}},
      {"end not after start", Schedule("10:00", "09:00"), {"DTSTART:20240503T010000Z"}},
      {"equal end", Schedule("10:00", "10:00"), {"DTSTART:20240503T010000Z"}},
      {"unreadable end", Schedule("10:00", "1O:00"), {"DTSTART:20240503T010000Z"}},
      {"unreadable start makes the event date-only", Schedule("x", "11:00"),
       {"DTSTART;VALUE=DATE:20240503", "DTEND;VALUE=DATE:20240504"}},
      {"hours past 24 are the next day", Schedule("23:00", "25:30"),
       {"DTSTART:20240503T140000Z", "DTEND:20240503T163000Z"}},
      {"two days", multi_timed, {"DTSTART:20240503T000000Z", "DTEND:20240504T080000Z"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto lines = EventLines(ScheduleICalendar({c.item}, kStampUtc));
    lines.pop_back();  // SUMMARY
    EXPECT_EQ(lines, c.want);
  }
}

TEST(ICalendarExport, TextIsEscapedAndLongLinesFoldedOnCharacterBoundaries) {
  EXPECT_EQ(EscapeText("会議;A,B\\C"), "会議\\;A\\,B\\\\C");
  EXPECT_EQ(EscapeText("a\r\nb\nc"), "a\\nb\\nc");

  std::string kanji;
  for (int i = 0; i < 40; ++i) kanji += "漢";
  const std::string folded = FoldLine("SUMMARY:" + kanji);
  std::size_t pos = 0;
  std::string unfolded;
  int pieces = 0;
  while (pos < folded.size()) {
    const std::size_t end = folded.find("\r\n", pos);
    ASSERT_NE(end, std::string::npos);
    std::string piece = folded.substr(pos, end - pos);
    EXPECT_LE(piece.size(), 75u);
    if (pieces > 0) {
      ASSERT_EQ(piece[0], ' ');
      piece.erase(0, 1);
    }
    // Each piece is whole characters: it starts on a lead byte.
    EXPECT_NE(static_cast<unsigned char>(piece[0]) & 0xC0, 0x80);
    unfolded += piece;
    pos = end + 2;
    ++pieces;
  }
  EXPECT_EQ(unfolded, "SUMMARY:" + kanji);
  EXPECT_EQ(pieces, 2);  // 8 + 120 octets: 75 (8 + 22 kanji = 74, the 23rd would pass) then the rest
  EXPECT_EQ(folded.substr(0, folded.find("\r\n")).size(), 74u);
  // A line of exactly 75 octets stays whole.
  EXPECT_EQ(FoldLine(std::string(75, 'a')), std::string(75, 'a') + "\r\n");
  EXPECT_EQ(FoldLine(std::string(76, 'a')), std::string(75, 'a') + "\r\n a\r\n");
}

TEST(ICalendarExport, UidsAreStableAsciiAndUnique) {
  ScheduleItem a = Schedule("10:00", "");
  const std::string first = ScheduleICalendar({a, a, Schedule("11:00", "")}, kStampUtc);
  const std::string again = ScheduleICalendar({a, a, Schedule("11:00", "")},
                                              platform::LocalDateTime{store::MakeDate(2025, 1, 1), 0, 0, 0});
  std::vector<std::string> uids, uids_again;
  for (auto* pair : {&first, &again}) {
    auto& out = pair == &first ? uids : uids_again;
    for (std::size_t p = pair->find("UID:"); p != std::string::npos; p = pair->find("UID:", p + 1))
      out.push_back(pair->substr(p + 4, pair->find("\r\n", p) - p - 4));
  }
  ASSERT_EQ(uids.size(), 3u);
  EXPECT_EQ(uids, uids_again);
  EXPECT_NE(uids[0], uids[1]);
  EXPECT_NE(uids[0], uids[2]);
  EXPECT_EQ(uids[1], uids[0].substr(0, 16) + "-2@kalendor.local");
  for (const auto& u : uids) {
    EXPECT_TRUE(u.ends_with("@kalendor.local"));
    for (unsigned char c : u) EXPECT_LT(c, 0x80);
  }
}

store::HolidayLine Rule(int month, int day, const std::string& first, const std::string& last, int week = 0,
                        int weekday = 0, int cls = 0, const std::string& name = "祝日") {
  store::HolidayLine r;
  r.month = month;
  r.day = day;
  r.first_year = first;
  r.last_year = last;
  r.week = week;
  r.weekday = weekday;
  r.holiday_class = cls;
  r.name = name;
  return r;
}

TEST(ICalendarExport, HolidayRulesAsRRule) {
  struct Case {
    const char* name;
    store::HolidayLine rule;
    std::string first;  // DTSTART date
    std::string rrule;
  } cases[] = {
      {"3 May 1948-2030", Rule(5, 3, "1948", "2030"), "19480503",
       "FREQ=YEARLY;INTERVAL=1;BYMONTH=05;BYMONTHDAY=03;UNTIL=20301231"},
      {"second Monday of January from 2000", Rule(1, 0, "2000", "", 2, 1), "20000110",
       "FREQ=YEARLY;INTERVAL=1;BYMONTH=01;BYDAY=MO;BYSETPOS=2"},
      {"last Friday of every month", Rule(99, 0, "2024", "", 9, 5), "20240126",
       "FREQ=MONTHLY;INTERVAL=1;BYDAY=FR;BYSETPOS=-1"},
      {"month end", Rule(99, 32, "2023", "2024"), "20230131", "FREQ=MONTHLY;INTERVAL=1;BYMONTHDAY=-1;UNTIL=20241231"},
      {"every month on the 31st", Rule(99, 31, "2024", ""), "20240131", "FREQ=MONTHLY;INTERVAL=1;BYMONTHDAY=31"},
      {"every Wednesday", Rule(0, 0, "2024", "", 0, 3), "20240103", "FREQ=WEEKLY;INTERVAL=1;BYDAY=WE"},
      {"29 February from a common year", Rule(2, 29, "2021", ""), "20240229",
       "FREQ=YEARLY;INTERVAL=1;BYMONTH=02;BYMONTHDAY=29"},
      {"no first year starts in 1901", Rule(11, 3, "", ""), "19011103",
       "FREQ=YEARLY;INTERVAL=1;BYMONTH=11;BYMONTHDAY=03"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HolidayItem item;
    item.rule = c.rule;
    item.category = "祝日";
    const auto lines = EventLines(HolidayICalendar({item}, kStampUtc));
    const auto next = store::AddDays(*store::ParseDateText(c.first.substr(0, 4) + "/" + c.first.substr(4, 2) + "/" +
                                                           c.first.substr(6, 2)),
                                     1);
    EXPECT_EQ(lines, (std::vector<std::string>{"DTSTART;VALUE=DATE:" + c.first,
                                               "DTEND;VALUE=DATE:" + CompactDate(next), "RRULE:" + c.rrule,
                                               "SUMMARY:祝日", "CATEGORIES:祝日"}));
  }
}

TEST(ICalendarExport, HolidaySummariesAndRulesWithoutADate) {
  HolidayItem anniversary;
  anniversary.rule = Rule(6, 10, "2000", "", 0, 0, 2, "結婚記念日（%d年目）");
  anniversary.category = "記念日1";
  HolidayItem never;  // the 31st of April never comes
  never.rule = Rule(4, 31, "2000", "");
  never.category = "祝日";
  HolidayItem computed;
  computed.date = store::MakeDate(2030, 3, 20);
  computed.name = "春分の日";
  computed.category = "祝日";
  int events = 0;
  const std::string ics = HolidayICalendar({anniversary, never, computed}, kStampUtc, &events);
  EXPECT_EQ(events, 2);
  EXPECT_NE(ics.find("SUMMARY:結婚記念日（%d年目）\r\nCATEGORIES:記念日1\r\n"), std::string::npos);
  EXPECT_NE(ics.find("BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20300320\r\nDTEND;VALUE=DATE:20300321\r\n"
                     "SUMMARY:春分の日\r\nCATEGORIES:祝日\r\nDTSTAMP:20240501T030405Z\r\n"),
            std::string::npos);
  EXPECT_EQ(ics.find("BYMONTHDAY=31"), std::string::npos);
}

}  // namespace
}  // namespace kal::listing
