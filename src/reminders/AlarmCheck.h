// Schedule alarms: which schedules are due at a minute, and the texts of their notification.
//
// A day's alarm list holds the lines of that day's schedules (CP932, as in the month file) whose
// alarm code 1 or 2 is above "0" (see DayAlarmLines). Alarm code n means the n-th lead time of
// the alarm table (catalogues/ItemTable.h, LoadAlarmOffsets); 0, a code beyond the table or a
// code that is not a digit means no alarm.
//
// A schedule starting at S with a lead of L minutes is due at S - L. When that reaches back past
// midnight (a 00:10 schedule with a 30-minute alarm) it is due at 23:40 of the day before, so
// the check of a minute looks at today's list and at tomorrow's. With alarm mode 2 a schedule is
// also due at its start time. Every schedule due at the minute is notified, in list order
// (today's list first, then tomorrow's); one schedule is notified at most once per minute (the
// first of alarm 1, alarm 2 and the start-time alarm that falls on it).
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::reminders {

// The alarm mode (section Alarm, key Mode) that also notifies at the start time.
inline constexpr int kAlarmModeAtStart = 2;

// One schedule alarm to notify. Texts are UTF-8 with trailing blanks removed.
struct AlarmNotice {
  store::Date due_date{};  // the date and minute at which it is notified
  int due_minute = 0;      // minute of the day, 0..1439
  store::Date date{};      // the schedule's date
  std::string start, end;  // "hh:nn" (end may be empty)
  std::string category, title, place, link;
  int lead = 0;            // minutes before the start
  bool at_start = false;   // lead 0 or the start-time alarm
  std::string message;     // "です。", " 10分前です。" or " 1時間前です。"
  std::string line;        // the schedule line (CP932)

  friend bool operator==(const AlarmNotice&, const AlarmNotice&) = default;
};

// The lines of `month_lines` (a month file of year/month) that start on `day` and carry an
// alarm, in file order (one-day and multi-day lines alike).
std::vector<std::string> DayAlarmLines(const std::vector<std::string>& month_lines, int year, int month, int day);
// The same, read from the data folder (with a trailing separator). Throws store::FileError when
// the month file exists but cannot be read.
std::vector<std::string> LoadDayAlarmLines(platform::FileSystem& fs, const std::string& data_folder,
                                           const store::Date& date);

// The message of an alarm: "です。" at the start (lead 0 or `at_start`), else a blank, L and
// "分前です。" below an hour, or a blank, whole hours and "時間前です。".
std::string AlarmMessage(int lead, bool at_start);

// The schedules due at minute `minute` (0..1439) of `today`, from today's and tomorrow's alarm
// lists, with the alarm table `offsets` and the alarm mode.
std::vector<AlarmNotice> AlarmsDue(const store::Date& today, int minute, const std::vector<std::string>& today_lines,
                                   const std::vector<std::string>& tomorrow_lines, const std::vector<int>& offsets,
                                   int mode);

// The notification window's texts.
// Caption: "「" + category + "」の開始時刻の通知", or "開始時刻の通知" without a category.
std::string AlarmCaption(const std::string& category);
// Upper label: "h時nn分です。" (the due minute), a line break, "スケジュールの開始時刻" + message.
std::string AlarmHeadline(const AlarmNotice& notice);
// The three list lines: "件名:  " + title, "時間:  " + start + " ～ " + end, "場所:  " + place.
std::vector<std::string> AlarmListLines(const AlarmNotice& notice);

// The task-tray balloon of an alarm (title at most 63 CP932 bytes, text at most 255).
struct AlarmBalloon {
  std::string title;
  std::string text;
  bool warning = false;  // the warning icon (at start); otherwise the information icon
};
AlarmBalloon AlarmBalloonOf(const AlarmNotice& notice);

// The message when an alarm's linked file is missing at the start time, and its caption.
std::string MissingLinkMessage(const std::string& path);
inline constexpr const char* kFileErrorCaption = "ファイルエラー";

// "h時nn分" of a minute of the day.
std::string JapaneseClockText(int minute);

}  // namespace kal::reminders
