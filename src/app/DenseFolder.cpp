#include "app/DenseFolder.h"

#include <random>
#include <vector>

#include "app/DemoFolder.h"
#include "app/HolidayInput.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "store/LineOrder.h"
#include "store/MemoFile.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "todo/TodoFile.h"

namespace kal::app {

namespace {

// The categories of the demonstration folder.
const char* const kCategories[] = {"", "仕事", "打ち合わせ", "出張・外出", "プライベート", "通院"};
const char* const kTitles[] = {"定例会議", "打ち合わせ", "Dentist",   "出張（大阪）", "Lunch with 田中さん",
                               "資料作成", "来客対応",   "研修",      "ジム",         "月末締め"};
const char* const kPlaces[] = {"", "本社 第3会議室", "新宿", "オンライン", "", "駅前クリニック"};

template <typename T, std::size_t N>
const T& Pick(std::mt19937& rng, const T (&items)[N]) {
  return items[rng() % N];
}

int Below(std::mt19937& rng, int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

void WriteMonth(platform::FileSystem& fs, const std::string& folder, int year, int month, const DenseFolderSize& size,
                std::mt19937& rng, DenseFolderCount& count) {
  const int length = store::DaysInMonth(year, month);
  std::vector<std::string> lines, details;
  for (int i = 0; i < size.schedules_per_month; ++i) {
    store::ScheduleFields f;
    f.day = 1 + Below(rng, length);
    f.title = Pick(rng, kTitles);
    f.place = Pick(rng, kPlaces);
    f.category = Pick(rng, kCategories);
    if (i % 10 == 0) {
      f.span = 2 + Below(rng, 9);  // ends within the next month at the latest
      f.bar_style = Below(rng, 6);
      ++count.multi_day;
    } else if (Below(rng, 3) != 0) {
      const int hour = 7 + Below(rng, 13);
      f.start = store::TimeText(hour, 15 * Below(rng, 4));
      f.end = store::TimeText(hour + 1, 0);
      f.alarm1 = Below(rng, 3);
    }
    if (i % 10 == 5) {
      f.detail = static_cast<int>(details.size()) + 1;
      details.push_back(
          store::BuildDetailLine(f.detail, {"議事録は共有フォルダへ", "資料 No." + std::to_string(i)}).value());
    }
    const store::BuildResult built = store::BuildScheduleLine(f);
    if (!built.ok) throw store::FileError(built.message);
    lines.push_back(built.line);
  }
  store::SortLines(lines);
  store::SortLines(details);
  store::SaveLines(fs, store::MonthFilePath(folder, year, month), lines);
  store::SaveLines(fs, store::DetailFilePath(folder, year, month), details);
  count.schedules += size.schedules_per_month;
  count.details += static_cast<int>(details.size());

  // Weather on every day, a day memo on every Sunday.
  std::vector<std::string> day_lines;
  store::FillDayLines(day_lines);
  for (int d = 1; d <= length; ++d) {
    store::WeatherInput w;
    w.weather1 = 1 + Below(rng, 4);
    w.transition = Below(rng, 4);
    w.weather2 = w.transition == 0 ? 0 : 1 + Below(rng, 4);
    const int high = 5 + Below(rng, 28);
    w.max_temp = std::to_string(high);
    w.min_temp = std::to_string(high - 3 - Below(rng, 10));
    w.rain = std::to_string(10 * Below(rng, 11));
    auto& line = day_lines[static_cast<std::size_t>(d)];
    line = store::BuildWeatherLine(line, w).value();
    const store::Date date = store::MakeDate(year, month, d);
    if (store::WeekdayNumber(date) == 1) {
      store::SaveMemo(fs, folder, store::MemoId::OfDay(date), {"週の振り返り", "来週の予定を確認する"});
      ++count.day_memos;
    }
  }
  store::SaveLines(fs, store::DayFilePath(folder, year, month), day_lines);
  count.weather_days += length;
  ++count.months;
}

// Private holidays and anniversaries on spread dates until the file holds `total` lines.
int FillHolidays(platform::FileSystem& fs, const std::string& folder, int first_year, int total, std::mt19937& rng) {
  const std::string path = store::HolidayFilePath(folder);
  std::vector<std::string> lines = store::LoadLines(fs, path);
  const int classes[] = {store::kClassPrivate, store::kClassAnniversary1, store::kClassAnniversary2,
                         store::kClassAnniversary3};
  for (int n = 1; static_cast<int>(lines.size()) < total; ++n) {
    HolidayInput in = HolidayInputForDate(store::MakeDate(2001, 1 + Below(rng, 12), 1 + Below(rng, 28)));
    in.bunrui = Pick(rng, classes);
    in.title = in.bunrui == store::kClassAnniversary1 ? "誕生日 " + std::to_string(n) + "(%d歳)"
                                                      : "記念日 " + std::to_string(n);
    if (in.bunrui == store::kClassAnniversary1) in.from_year = std::to_string(first_year - 40 + Below(rng, 40));
    if (n % 7 == 0) {  // some by weekday ("第2月曜日")
      in.cycle = kByWeekday;
      in.day = Below(rng, 4);
      in.week = Below(rng, 7);
    }
    lines.push_back(BuildHolidayLine(in, false));
  }
  store::SortLines(lines);
  store::SaveLines(fs, path, lines);
  return static_cast<int>(lines.size());
}

// ToDo items with limits over the last and the next years, a tenth with memos, a fifth done,
// a twentieth without a limit.
int WriteTodoItems(platform::FileSystem& fs, const std::string& folder, const store::Date& today, int items,
                   std::mt19937& rng) {
  std::vector<std::string> records, memos;
  for (int i = 0; i < items; ++i) {
    todo::TodoFields f;
    if (i % 20 != 7) f.limit = store::AddDays(today, Below(rng, 1460) - 730);
    if (i % 4 == 1 && f.limit) f.start = store::AddDays(*f.limit, -Below(rng, 30));
    f.priority = Below(rng, 4);
    f.progress = Below(rng, 11);
    f.done = i % 5 == 0;
    f.done_date = f.done && f.limit ? *f.limit : today;
    f.category = Pick(rng, kCategories);
    f.subject = std::string(Pick(rng, kTitles)) + " の準備 " + std::to_string(i + 1);
    if (i % 10 == 3) {
      f.memo = static_cast<int>(memos.size()) + 1;
      memos.push_back(todo::BuildTodoMemoLine(f.memo, {"確認事項", "担当: 田中"}).value());
    }
    records.push_back(todo::BuildTodoRecord(f).line);
  }
  todo::SortTodoList(records);
  store::SortLines(memos);
  todo::SaveTodoFiles(fs, folder, memos, records);
  return items;
}

}  // namespace

DenseFolderCount BuildDenseFolder(platform::FileSystem& fs, const std::string& folder_in, const store::Date& today,
                                  const DenseFolderSize& size) {
  std::string folder = folder_in;
  if (folder.empty() || folder.back() != '/') folder += '/';
  BuildDemoFolder(fs, folder, today);
  std::mt19937 rng(25);
  DenseFolderCount count;
  const int last_year = store::YearOf(today) + 1;
  const int first_year = last_year - size.years + 1;
  for (int year = first_year; year <= last_year; ++year)
    for (int month = 1; month <= 12; ++month) WriteMonth(fs, folder, year, month, size, rng, count);
  count.holiday_lines = FillHolidays(fs, folder, first_year, size.holiday_lines, rng);
  count.todo_items = WriteTodoItems(fs, folder, today, size.todo_items, rng);
  return count;
}

}  // namespace kal::app
