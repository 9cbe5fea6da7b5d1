#include "reminders/AlarmCheck.h"

#include "catalogues/ItemTable.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::reminders {
namespace {

constexpr int kDayMinutes = 24 * 60;

int Code(std::string_view line, std::size_t pos) {
  const std::string c = store::FieldBytes(line, pos, 1);
  return c.size() == 1 && c[0] >= '0' && c[0] <= '9' ? c[0] - '0' : 0;
}

bool HasAlarm(std::string_view line) {
  return store::FieldBytes(line, 29, 1) > "0" || store::FieldBytes(line, 30, 1) > "0";
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The start of a line as a minute of the day; -1 without a readable start time.
int StartMinute(std::string_view line) {
  const std::string text = store::FieldBytes(line, 3, 5);
  if (text.size() != 5 || text[2] != ':') return -1;
  auto t = store::ParseTimeText(text);
  return t ? t->hour * 60 + t->minute : -1;
}

AlarmNotice NoticeOf(const std::string& line, const store::Date& date, int lead, bool at_start) {
  AlarmNotice n;
  n.date = date;
  n.start = store::Field(line, 3, 5);
  n.end = store::Field(line, 8, 5);
  n.category = store::Field(line, 13, 14);
  n.title = store::Field(line, 31, 40);
  n.place = store::Field(line, 71, 40);
  n.link = store::ReadScheduleLine(line).link;
  n.lead = lead;
  n.at_start = at_start || lead == 0;
  n.message = AlarmMessage(lead, n.at_start);
  n.line = line;
  return n;
}

// The alarm of `line` that falls on `minute` (counted from the start of the schedule's day, so a
// negative minute lies in the day before); nothing when none does.
std::optional<AlarmNotice> DueOf(const std::string& line, const store::Date& date, int minute,
                                 const std::vector<int>& offsets, int mode) {
  const int start = StartMinute(line);
  if (start < 0) return std::nullopt;
  for (std::size_t pos : {std::size_t{29}, std::size_t{30}}) {
    auto lead = catalogues::AlarmLead(offsets, Code(line, pos));
    if (lead && start - *lead == minute) return NoticeOf(line, date, *lead, false);
  }
  if (mode == kAlarmModeAtStart && start == minute) return NoticeOf(line, date, 0, true);
  return std::nullopt;
}

}  // namespace

std::vector<std::string> DayAlarmLines(const std::vector<std::string>& month_lines, int year, int month, int day) {
  std::vector<std::string> out;
  if (day < 1 || day > store::DaysInMonth(year, month)) return out;
  for (const auto& line : month_lines)
    if (store::Day(line) == day && HasAlarm(line)) out.push_back(line);
  return out;
}

std::vector<std::string> LoadDayAlarmLines(platform::FileSystem& fs, const std::string& data_folder,
                                           const store::Date& date) {
  const int y = store::YearOf(date), m = store::MonthOf(date);
  return DayAlarmLines(store::LoadLines(fs, store::MonthFilePath(data_folder, y, m)), y, m, store::DayOf(date));
}

std::string AlarmMessage(int lead, bool at_start) {
  if (at_start || lead == 0) return "です。";
  if (lead < 60) return " " + std::to_string(lead) + "分前です。";
  return " " + std::to_string(lead / 60) + "時間前です。";
}

std::vector<AlarmNotice> AlarmsDue(const store::Date& today, int minute, const std::vector<std::string>& today_lines,
                                   const std::vector<std::string>& tomorrow_lines, const std::vector<int>& offsets,
                                   int mode) {
  std::vector<AlarmNotice> out;
  auto add = [&](std::optional<AlarmNotice> n) {
    if (!n) return;
    n->due_date = today;
    n->due_minute = minute;
    out.push_back(std::move(*n));
  };
  for (const auto& line : today_lines) add(DueOf(line, today, minute, offsets, mode));
  const store::Date tomorrow = store::AddDays(today, 1);
  for (const auto& line : tomorrow_lines) add(DueOf(line, tomorrow, minute - kDayMinutes, offsets, mode));
  return out;
}

std::string AlarmCaption(const std::string& category) {
  const std::string c(store::TrimRight(category));
  return c.empty() ? "開始時刻の通知" : "「" + c + "」の開始時刻の通知";
}

std::string JapaneseClockText(int minute) {
  return std::to_string(minute / 60) + "時" + TwoDigits(minute % 60) + "分";
}

std::string AlarmHeadline(const AlarmNotice& notice) {
  return JapaneseClockText(notice.due_minute) + "です。\nスケジュールの開始時刻" + notice.message;
}

std::vector<std::string> AlarmListLines(const AlarmNotice& notice) {
  return {"件名:  " + notice.title, "時間:  " + notice.start + " ～ " + notice.end, "場所:  " + notice.place};
}

AlarmBalloon AlarmBalloonOf(const AlarmNotice& notice) {
  AlarmBalloon b;
  b.title = store::CutUtf8ToWidth("開始時刻の通知", 63);
  const std::string text = JapaneseClockText(notice.due_minute) + "です。\nスケジュール開始時刻 " + notice.message +
                           "\n\n 件名:  " + notice.title + "\n 時間:  " + notice.start + " ～ " + notice.end +
                           "\n 場所:  " + notice.place;
  b.text = store::CutUtf8ToWidth(text, 255);
  b.warning = notice.at_start;
  return b;
}

std::string MissingLinkMessage(const std::string& path) { return "\"" + path + "\" は存在しません。"; }

}  // namespace kal::reminders
