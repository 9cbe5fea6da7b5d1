#include "reminders/ReminderInputs.h"

#include <gtest/gtest.h>

#include "reminders/ReminderFixtures.h"
#include "store/TextFile.h"
#include "support/TempFolder.h"

namespace kal::reminders {
namespace {

TEST(LoadEngineInputs, AnUnreadableFileFallsBackAloneWhenErrorsAreCollected) {
  test::TempFolder dir;
  dir.MakeFolder("Addon.lst");  // exists, cannot be read
  dir.Write("Alarm.tbl", "  2\r\n  7\r\n");
  dir.Write("202612.sch", store::JoinLines({test::AlarmLine(11, "10:00", 2, 0, "会議")}));
  store::Settings settings;
  settings.signal.mode = 3;
  platform::PosixFileSystem fs;
  EXPECT_THROW(LoadEngineInputs(fs, settings, {dir.path(), dir.path(), dir.path()}), store::FileError);

  std::vector<std::string> errors;
  const EngineInputs in = LoadEngineInputs(fs, settings, {dir.path(), dir.path(), dir.path()}, &errors);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("Addon.lst"), std::string::npos);
  EXPECT_EQ(in.alarm_offsets, (std::vector<int>{2, 7}));
  EXPECT_TRUE(in.addons.empty());
  EXPECT_TRUE(in.signal_list.empty());  // no SigTime.tbl
  // Alarms still come: alarm code 2 is 7 minutes here.
  const auto actions = RunMinutes(in, test::At(2026, 12, 11, 9, 50), test::At(2026, 12, 11, 9, 55));
  std::vector<int> alarms;
  for (const auto& a : actions)
    if (a.kind == ActionKind::Alarm) alarms.push_back(a.minute);
  EXPECT_EQ(alarms, std::vector<int>{9 * 60 + 53});
}

}  // namespace
}  // namespace kal::reminders
