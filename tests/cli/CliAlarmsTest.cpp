#include <gtest/gtest.h>

#include "reminders/ReminderFixtures.h"
#include "store/TextFile.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

namespace kal::cli {
namespace {

using test::AlarmLine;
using test::Sjis;

TEST(CliAlarms, PrintsEveryAlarmSignalAndAddonOfThePeriodInOrder) {
  test::TempFolder dir;
  dir.WriteLines("Kalendor.ini", {"[Signal]", "Mode=3", "[Alarm]", "Mode=2"});
  dir.WriteLines("SigTime.tbl", {"09:00 始業", "23:45"});
  dir.Write("Addon.lst", "09:0011 /usr/bin/report --day\r\n09:0001 /usr/bin/off\r\nSTART11 /usr/bin/start\r\n");
  dir.Write("202612.sch", store::JoinLines({AlarmLine(11, "09:10", 5, 0, "朝会"),     // 10 minutes: 09:00
                                             AlarmLine(11, "09:05", 4, 0, "点呼"),     // 5 minutes: 09:00
                                             AlarmLine(11, "09:30", 0, 0, "無し"),     // no alarm
                                             AlarmLine(12, "00:10", 8, 0, "夜\\間")}));  // 30 minutes: 23:40 of the 11th
  const test::CliRun r = test::RunCliIn(dir, {"alarms", "2026/12/11 08:59", "2026/12/11 23:59"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "2026/12/11 09:00\talarm\t2026/12/11\t09:10\t10\t朝会\n"
            "2026/12/11 09:00\talarm\t2026/12/11\t09:05\t5\t点呼\n"
            "2026/12/11 09:00\tsignal\t 始業\n"
            "2026/12/11 09:00\taddon\t/usr/bin/report --day\n"
            "2026/12/11 09:05\talarm\t2026/12/11\t09:05\t0\t点呼\n"
            "2026/12/11 09:10\talarm\t2026/12/11\t09:10\t0\t朝会\n"
            "2026/12/11 23:40\talarm\t2026/12/12\t00:10\t30\t夜\\\\間\n"
            "2026/12/11 23:45\tsignal\t\n");
  EXPECT_EQ(r.err, "");
}

TEST(CliAlarms, UsageErrors) {
  test::TempFolder dir;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"alarms"}, {"alarms", "2026/12/11 09:00"}, {"alarms", "2026/12/11 09:00", "2026/12/11 08:00"},
        {"alarms", "2026/12/01 00:00", "2027/01/01 00:00"}, {"alarms", "2026/12/11", "25:00", "2026/12/12", "00:00"}}) {
    const test::CliRun r = test::RunCliIn(dir, args);
    EXPECT_EQ(r.status, 2) << args.size();
  }
  // One argument each or two each.
  EXPECT_EQ(test::RunCliIn(dir, {"alarms", "2026/12/11", "09:00", "2026/12/11", "10:00"}).status, 0);
  EXPECT_EQ(test::RunCliIn(dir, {"alarms", "2026/12/01 00:00", "2026/12/31 23:59"}).status, 0);
}

TEST(CliAlarms, AnUnreadableMonthFileIsAnError) {
  test::TempFolder dir;
  dir.MakeFolder("202612.sch");
  const test::CliRun r = test::RunCliIn(dir, {"alarms", "2026/12/11 09:00", "2026/12/11 09:01"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("202612.sch"), std::string::npos);
}

}  // namespace
}  // namespace kal::cli
