#include "app/DemoReminders.h"

#include <gtest/gtest.h>

#include "app/DemoFolder.h"
#include "reminders/ReminderInputs.h"
#include "store/Settings.h"
#include "support/TempFolder.h"

namespace kal::app {
namespace {

platform::LocalDateTime At(int y, int mo, int d, int h, int mi) {
  platform::LocalDateTime t;
  t.date = store::MakeDate(y, mo, d);
  t.hour = h;
  t.minute = mi;
  return t;
}

// The alarms the demonstration folder gives from `now` on, as "hh:nn lead title".
std::vector<std::string> DemoAlarms(const platform::LocalDateTime& now) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  BuildDemoFolder(fs, dir.path(), now.date);
  AddDemoReminder(fs, dir.path(), now);
  store::Settings settings;
  settings.alarm.mode = 0;
  const auto inputs = reminders::LoadEngineInputs(fs, settings, {dir.path(), dir.path(), dir.path()});
  platform::LocalDateTime to = now;
  to.date = store::AddDays(now.date, 1);
  std::vector<std::string> out;
  for (const auto& a : reminders::RunMinutes(inputs, now, to))
    if (a.kind == reminders::ActionKind::Alarm && a.alarm.title == "もうすぐ始まる予定")
      out.push_back(store::TimeText(a.minute / 60, a.minute % 60) + " " + std::to_string(a.alarm.lead));
  return out;
}

TEST(DemoReminder, ItsAlarmsComeAFewMinutesAfterTheFolderIsWritten) {
  EXPECT_EQ(DemoAlarms(At(2026, 12, 11, 12, 3)), (std::vector<std::string>{"12:05 3", "12:08 0"}));
  // Late in the evening the schedule lands on tomorrow and its alarms still come.
  EXPECT_EQ(DemoAlarms(At(2026, 12, 31, 23, 57)), (std::vector<std::string>{"23:59 3", "00:02 0"}));
}

}  // namespace
}  // namespace kal::app
