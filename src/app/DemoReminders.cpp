#include "app/DemoReminders.h"

#include "store/DateText.h"
#include "store/LineOrder.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::app {

void AddDemoReminder(platform::FileSystem& fs, const std::string& folder, const platform::LocalDateTime& now) {
  int minute = now.hour * 60 + now.minute + kDemoReminderStartsIn;
  store::Date date = now.date;
  if (minute >= 24 * 60) {
    minute -= 24 * 60;
    date = store::AddDays(date, 1);
  }
  const int end = std::min(minute + 30, 24 * 60 - 1);
  store::ScheduleFields f;
  f.day = store::DayOf(date);
  f.start = store::TimeText(minute / 60, minute % 60);
  f.end = store::TimeText(end / 60, end % 60);
  f.category = "打ち合わせ";
  f.title = "もうすぐ始まる予定";
  f.place = "オンライン";
  f.alarm1 = 3;
  f.alarm2 = 1;
  const store::BuildResult built = store::BuildScheduleLine(f);
  if (!built.ok) throw store::FileError(built.message);
  const std::string path = store::MonthFilePath(folder, store::YearOf(date), store::MonthOf(date));
  std::vector<std::string> lines = store::LoadLines(fs, path);
  lines.push_back(built.line);
  store::SortLines(lines);
  store::SaveLines(fs, path, lines);
}

}  // namespace kal::app
