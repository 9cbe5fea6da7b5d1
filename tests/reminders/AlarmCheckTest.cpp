#include "reminders/AlarmCheck.h"

#include <gtest/gtest.h>

#include "catalogues/ItemTable.h"
#include "reminders/ReminderFixtures.h"
#include "store/Record.h"
#include "store/TextFile.h"
#include "support/TempFolder.h"

namespace kal::reminders {
namespace {

using test::AlarmLine;
using test::Minute;

const store::Date kToday = store::MakeDate(2026, 12, 11);
const std::vector<int> kTable = catalogues::DefaultAlarmOffsets();  // 0 1 3 5 10 15 20 30 60

// Every minute of the day at which the lists notify something, with the titles and messages.
std::vector<std::string> DueAllDay(const std::vector<std::string>& today, const std::vector<std::string>& tomorrow,
                                   int mode, const std::vector<int>& table = kTable) {
  std::vector<std::string> out;
  for (int m = 0; m < 24 * 60; ++m)
    for (const auto& n : AlarmsDue(kToday, m, today, tomorrow, table, mode))
      out.push_back(store::TimeText(m / 60, m % 60) + " " + n.title + n.message + (n.at_start ? " [start]" : "") +
                    " " + store::DateText(n.date));
  return out;
}

TEST(AlarmsDue, LeadTimesGiveTheirMinuteAndMessage) {
  struct Case {
    int code;
    std::vector<std::string> expected;
  } cases[] = {
      {5, {"09:50 会議 10分前です。 2026/12/11"}},
      {9, {"09:00 会議 1時間前です。 2026/12/11"}},
      {1, {"10:00 会議です。 [start] 2026/12/11"}},
      {2, {"09:59 会議 1分前です。 2026/12/11"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(DueAllDay({AlarmLine(11, "10:00", c.code, 0, "会議")}, {}, 0), c.expected);
  }
}

TEST(AlarmsDue, ModeTwoAlsoNotifiesAtTheStart) {
  // Alarms of 10 and 30 minutes.
  const std::vector<std::string> today{AlarmLine(11, "10:00", 5, 8, "会議")};
  EXPECT_EQ(DueAllDay(today, {}, 2), (std::vector<std::string>{"09:30 会議 30分前です。 2026/12/11",
                                                               "09:50 会議 10分前です。 2026/12/11",
                                                               "10:00 会議です。 [start] 2026/12/11"}));
  // Mode 0 and 1 do not.
  EXPECT_EQ(DueAllDay(today, {}, 1).size(), 2u);
}

TEST(AlarmsDue, EverySchedulesAlarmInAMinuteIsNotifiedInListOrder) {
  const std::vector<std::string> today{AlarmLine(11, "10:00", 5, 0, "一"), AlarmLine(11, "09:55", 4, 0, "二"),
                                       AlarmLine(11, "10:00", 0, 5, "三")};
  auto due = AlarmsDue(kToday, Minute(9, 50), today, {}, kTable, 0);
  ASSERT_EQ(due.size(), 3u);
  EXPECT_EQ(due[0].title, "一");
  EXPECT_EQ(due[1].title, "二");
  EXPECT_EQ(due[1].lead, 5);
  EXPECT_EQ(due[2].title, "三");
}

TEST(AlarmsDue, OneScheduleIsNotifiedOnceAMinute) {
  // Both alarms at 0 minutes and the start-time alarm all fall at 10:00.
  EXPECT_EQ(DueAllDay({AlarmLine(11, "10:00", 1, 1, "会議")}, {}, 2),
            (std::vector<std::string>{"10:00 会議です。 [start] 2026/12/11"}));
}

TEST(AlarmsDue, ALeadPastMidnightComesTheEveningBefore) {
  // Tomorrow 00:10 with a 30-minute alarm: 23:40 today. Today's own 00:10 with 30 minutes has
  // its minute in yesterday, so today it never comes.
  const auto due = DueAllDay({AlarmLine(11, "00:10", 8, 0, "今日")}, {AlarmLine(12, "00:10", 8, 0, "明日")}, 0);
  EXPECT_EQ(due, (std::vector<std::string>{"23:40 明日 30分前です。 2026/12/12"}));
  // The start-time alarm of tomorrow's schedule is tomorrow's business.
  EXPECT_EQ(DueAllDay({}, {AlarmLine(12, "00:00", 1, 0, "明日")}, 2), std::vector<std::string>{});
}

TEST(AlarmsDue, CodesBeyondTheTableAndUntimedSchedulesNeverMatch) {
  const std::vector<int> table{0, 10};
  EXPECT_EQ(DueAllDay({AlarmLine(11, "10:00", 5, 0, "範囲外"), AlarmLine(11, "", 1, 2, "終日")}, {}, 2, table),
            (std::vector<std::string>{"10:00 範囲外です。 [start] 2026/12/11"}));
}

TEST(DayAlarmLines, TakesTheDaysAlarmedLinesInFileOrder) {
  test::TempFolder dir;
  const std::string a = AlarmLine(11, "10:00", 5, 0, "a"), b = AlarmLine(11, "09:00", 0, 0, "b"),
                    c = AlarmLine(12, "09:00", 1, 0, "c"), d = AlarmLine(11, "08:00", 0, 3, "d");
  dir.Write("202612.sch", store::JoinLines({a, b, c, d}));
  platform::PosixFileSystem fs;
  EXPECT_EQ(LoadDayAlarmLines(fs, dir.path(), kToday), (std::vector<std::string>{a, d}));
  EXPECT_EQ(LoadDayAlarmLines(fs, dir.path(), store::MakeDate(2027, 1, 1)), std::vector<std::string>{});
  EXPECT_EQ(DayAlarmLines({a}, 2026, 11, 31), std::vector<std::string>{});  // no such day
}

TEST(AlarmTexts, CaptionHeadlineListAndBalloon) {
  auto due = AlarmsDue(kToday, Minute(9, 50),
                       {AlarmLine(11, "10:00", 5, 0, "定例会議", "仕事", "第二会議室")}, {}, kTable, 0);
  ASSERT_EQ(due.size(), 1u);
  const AlarmNotice& n = due[0];
  EXPECT_EQ(AlarmCaption(n.category), "「仕事」の開始時刻の通知");
  EXPECT_EQ(AlarmCaption(""), "開始時刻の通知");
  EXPECT_EQ(AlarmHeadline(n), "9時50分です。\nスケジュールの開始時刻 10分前です。");
  EXPECT_EQ(AlarmListLines(n),
            (std::vector<std::string>{"件名:  定例会議", "時間:  10:00 ～ 23:59", "場所:  第二会議室"}));
  const AlarmBalloon b = AlarmBalloonOf(n);
  EXPECT_EQ(b.title, "開始時刻の通知");
  EXPECT_EQ(b.text,
            "9時50分です。\nスケジュール開始時刻  10分前です。\n\n 件名:  定例会議\n 時間:  10:00 ～ 23:59\n 場所:  第二会議室");
  EXPECT_FALSE(b.warning);
  EXPECT_EQ(MissingLinkMessage("/x/y.txt"), "\"/x/y.txt\" は存在しません。");
}

TEST(AlarmTexts, TheBalloonTextIsCutTo255BytesAtACharacterBoundary) {
  AlarmNotice n;
  n.title = std::string(40, 'x');
  n.place = "";
  for (int i = 0; i < 200; ++i) n.place += "あ";
  n.message = "です。";
  n.at_start = true;
  const AlarmBalloon b = AlarmBalloonOf(n);
  EXPECT_TRUE(b.warning);
  EXPECT_LE(store::Cp932Width(b.text), 255u);
  EXPECT_GE(store::Cp932Width(b.text), 254u);
  EXPECT_EQ(b.text.substr(b.text.size() - 3), "あ");
}

}  // namespace
}  // namespace kal::reminders
