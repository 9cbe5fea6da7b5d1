#include "reminders/TimeSignal.h"

#include <gtest/gtest.h>

#include "reminders/ReminderFixtures.h"
#include "support/TempFolder.h"

namespace kal::reminders {
namespace {

using test::Minute;
using test::Sjis;

TEST(SignalDue, ModesOnTheHourAndHalfHour) {
  struct Case {
    int mode, minute;
    bool due;
  } cases[] = {
      {0, Minute(14, 0), false},  {1, Minute(14, 0), true},  {1, Minute(14, 30), false},
      {2, Minute(14, 30), true},  {2, Minute(0, 0), true},   {2, Minute(14, 31), false},
      {1, Minute(14, 1), false},  {3, Minute(14, 0), false},  // mode 3 uses only its list
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.mode) + " " + std::to_string(c.minute));
    auto due = SignalDue(c.mode, {}, c.minute);
    EXPECT_EQ(due.has_value(), c.due);
    if (due) {
      EXPECT_EQ(*due, "");
    }
  }
}

TEST(SignalDue, ListedTimesTakeTheFirstMatchingLineAndItsText) {
  test::TempFolder dir;
  dir.Write("SigTime.tbl", Sjis("12:00\r\n12:00 二行目は使わない\r\n18:00 夕食   \r\n18:30    \r\n"));
  platform::PosixFileSystem fs;
  const auto list = LoadSignalList(fs, dir.path());
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(SignalDue(3, list, Minute(12, 0)), std::optional<std::string>(""));
  EXPECT_EQ(SignalDue(3, list, Minute(18, 0)), std::optional<std::string>(" 夕食"));
  EXPECT_EQ(SignalDue(3, list, Minute(18, 30)), std::optional<std::string>(""));
  EXPECT_EQ(SignalDue(3, list, Minute(13, 0)), std::nullopt);
  // Without the file there is no list and no signal.
  test::TempFolder empty;
  EXPECT_TRUE(LoadSignalList(fs, empty.path()).empty());
}

TEST(SignalLabel, TimeInItsPatternAndTheTextOnASecondLine) {
  const auto now = test::At(2026, 12, 11, 9, 5, 12);
  EXPECT_EQ(SignalLabel("h:nn", now, ""), "9:05");
  EXPECT_EQ(SignalLabel("hh時nn分", now, " 夕食"), "09時05分\n 夕食");
  EXPECT_EQ(SignalLabel("", now, "   "), "9:05");
}

}  // namespace
}  // namespace kal::reminders
