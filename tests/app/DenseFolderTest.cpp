#include "app/DenseFolder.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "store/IniFile.h"
#include "store/LineOrder.h"
#include "store/MemoFile.h"
#include "store/ScheduleFile.h"
#include "store/Settings.h"
#include "store/TextFile.h"
#include "support/TempFolder.h"
#include "todo/TodoFile.h"

namespace kal::app {
namespace {

const store::Date kToday = store::MakeDate(2026, 12, 11);

// The same shape, smaller: two years of 40 schedules a month.
DenseFolderSize Small() {
  DenseFolderSize size;
  size.years = 2;
  size.schedules_per_month = 40;
  size.todo_items = 60;
  size.holiday_lines = static_cast<int>(store::BuiltInHolidayLines().size()) + 30;
  return size;
}

TEST(DenseFolder, EveryMonthOfTheYearsIsFullAndReadable) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  const std::string f = dir.path() + "dense/";
  const DenseFolderCount count = BuildDenseFolder(fs, f, kToday, Small());

  // The years end with the year after today's: 2026 and 2027.
  EXPECT_EQ(count.months, 24);
  EXPECT_EQ(count.schedules, 24 * 40);
  EXPECT_EQ(count.multi_day, 24 * 4);
  EXPECT_EQ(count.details, 24 * 4);
  EXPECT_FALSE(fs.Exists(store::MonthFilePath(f, 2025, 12)));
  EXPECT_FALSE(fs.Exists(store::MonthFilePath(f, 2028, 1)));

  int weather_days = 0, bars = 0;
  for (int year : {2026, 2027}) {
    for (int month = 1; month <= 12; ++month) {
      SCOPED_TRACE(std::to_string(year) + "/" + std::to_string(month));
      const std::vector<std::string> lines = store::LoadLines(fs, store::MonthFilePath(f, year, month));
      ASSERT_EQ(lines.size(), 40u);
      std::vector<std::string> sorted = lines;
      store::SortLines(sorted);
      EXPECT_EQ(sorted, lines);
      const std::vector<std::string> details = store::LoadLines(fs, store::DetailFilePath(f, year, month));
      for (const std::string& line : lines) {
        const store::ScheduleFields s = store::ReadScheduleLine(line);
        EXPECT_GE(s.day, 1);
        EXPECT_LE(s.day, store::DaysInMonth(year, month));
        if (s.span > 0) {
          ++bars;
          EXPECT_GE(s.span, 2);
          EXPECT_LE(s.span, 10);
        }
        if (s.detail > 0) {
          EXPECT_FALSE(store::DetailMemo(details, s.detail).empty()) << s.detail;
        }
      }
      // Weather on every day of the month.
      const std::vector<std::string> days = store::LoadLines(fs, store::DayFilePath(f, year, month));
      for (int d = 1; d <= store::DaysInMonth(year, month); ++d) {
        ASSERT_LT(static_cast<std::size_t>(d), days.size());
        const store::WeatherInput w = store::WeatherInputFromLine(days[static_cast<std::size_t>(d)]);
        EXPECT_GE(w.weather1, 1) << d;
        EXPECT_FALSE(w.max_temp.empty()) << d;
        weather_days += w.weather1 >= 1;
      }
      // A day memo on each Sunday, on no other day (today's month also keeps the demonstration's
      // own memos).
      if (year == 2026 && month == 12) continue;
      for (const store::MemoId& memo : store::MemosOfMonth(fs, f, year, month))
        EXPECT_EQ(store::WeekdayNumber(memo.date()), 1) << memo.day;
    }
  }
  EXPECT_EQ(bars, count.multi_day);
  EXPECT_EQ(weather_days, 365 + 365);
  EXPECT_EQ(count.weather_days, weather_days);
  EXPECT_EQ(static_cast<int>(store::MemosOfMonth(fs, f, 2027, 8).size()), 5);  // five Sundays, no month memo
}

TEST(DenseFolder, HolidaysTodoItemsAndTheDemonstrationParts) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  const std::string f = dir.path() + "dense/";
  const DenseFolderSize size = Small();
  const DenseFolderCount count = BuildDenseFolder(fs, f, kToday, size);

  // Holiday.dat holds exactly the lines asked for, every one a readable rule, in sorted order.
  const std::vector<std::string> holidays = store::LoadLines(fs, store::HolidayFilePath(f));
  EXPECT_EQ(static_cast<int>(holidays.size()), size.holiday_lines);
  EXPECT_EQ(count.holiday_lines, size.holiday_lines);
  std::vector<int> damaged;
  EXPECT_EQ(store::ParseHolidayLines(holidays, &damaged).size(), holidays.size());
  EXPECT_TRUE(damaged.empty());

  // The ToDo list: sound records, a memo for every memo number, some done, some without limit.
  const todo::TodoLoad load = todo::LoadTodoList(fs, f);
  ASSERT_EQ(static_cast<int>(load.records.size()), size.todo_items);
  EXPECT_TRUE(load.damaged.empty());
  const std::vector<std::string> memos = todo::LoadTodoMemos(fs, f);
  int done = 0, unlimited = 0, with_memo = 0;
  for (const std::string& record : load.records) {
    done += todo::TodoDone(record);
    unlimited += !todo::TodoLimit(record).has_value();
    if (const int memo = todo::TodoMemoNumber(record); memo > 0) {
      ++with_memo;
      EXPECT_FALSE(todo::TodoMemoOf(memos, memo).empty()) << memo;
    }
  }
  EXPECT_EQ(done, size.todo_items / 5);
  EXPECT_EQ(unlimited, size.todo_items / 20);
  EXPECT_EQ(with_memo, size.todo_items / 10);

  // Settings of the demonstration folder: the window starts without the first-run dialog.
  const store::IniFile ini = store::IniFile::Load(fs, f + "Kalendor.ini");
  EXPECT_EQ(ini.ReadString("Kalendor", "Ver", ""), store::kSettingsVersion);
}

TEST(DenseFolder, SameArgumentsWriteTheSameBytes) {
  test::TempFolder dir;
  platform::PosixFileSystem fs;
  DenseFolderSize size = Small();
  size.years = 1;
  BuildDenseFolder(fs, dir.path() + "a/", kToday, size);
  BuildDenseFolder(fs, dir.path() + "b/", kToday, size);
  for (const char* name : {"202703.sch", "202703.dtl", "202703.day", "Holiday.dat", "Todokl.dat", "Todokl.dtl"}) {
    const platform::ReadResult a = fs.Read(dir.path() + "a/" + name);
    const platform::ReadResult b = fs.Read(dir.path() + "b/" + name);
    ASSERT_TRUE(a.ok()) << name;
    EXPECT_EQ(a.bytes, b.bytes) << name;
  }
}

}  // namespace
}  // namespace kal::app
