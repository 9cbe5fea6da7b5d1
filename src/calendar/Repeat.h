// The repetition engine of the schedule entry dialog: from a rule (period, every or every other
// day, week, month or year, the chosen weekday or day, the shift rule) to the dates that would be
// stored, and the count shown while the rule is edited.
#pragma once

#include "calendar/PublicHoliday.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/DateText.h"

namespace kal::calendar {

enum class RepeatPattern { Day, Week, Month, Year };  // 日, 週, 月, 年
enum class RepeatCycle { ByDate, ByWeekday };          // 日付指定, 曜日指定
enum class RepeatShift { None, Before, After, Skip };  // 振り替えない, 前日に, 翌日に振り替える, 登録しない

struct RepeatRule {
  store::Date from;  // period start (DtpFromSch)
  store::Date to;    // period end (DtpToSch)
  bool every_other = false;  // 隔 instead of 毎
  RepeatPattern pattern = RepeatPattern::Month;
  int weekday = 0;  // 0 日曜日 … 6 土曜日 (週, and 月/年 by weekday)
  RepeatCycle cycle = RepeatCycle::ByDate;
  int month = 1;  // 年: the month
  // By date: the day 1 to 31; by weekday: the occurrence 1 to 4 (第 1 … 第 4). Ignored when `last`.
  int day = 1;
  bool last = false;  // 末日 (by date) or 最終 (by weekday)
  RepeatShift shift = RepeatShift::None;
  bool on_public_holiday = false;   // 祝日
  bool on_private_holiday = false;  // 休日
  bool on_saturday = false;         // 土曜
  bool on_sunday = false;           // 日曜
};

// The holiday checks the shift step asks: a public holiday (including substitute and citizens'
// holidays) and a private holiday of the holiday data. An empty check answers "no".
struct HolidayOracle {
  std::function<bool(const store::Date&)> is_public_holiday;
  std::function<bool(const store::Date&)> is_private_holiday;
};

// The checks the shift step asks: ShukujitsuCheck and HolidayCheck class 1 over the holiday list
// (which must outlive the oracle).
HolidayOracle HolidayOracleOf(const HolidayList& list);

struct RepeatResult {
  // The dates to store, in the order they are produced, after the shift step.
  std::vector<store::Date> dates;
  // False when the chosen day does not exist in the first month (nothing is produced and the
  // shown count stays empty).
  bool counted = true;
};

// A shifted occurrence that is still excluded after this many days is dropped.
inline constexpr int kRepeatShiftLimitDays = 366;

RepeatResult RepeatDates(const RepeatRule& rule, const HolidayOracle& holidays);

// "まで " + count + "件" (the count empty when the result is not counted).
std::string RepeatCountText(const RepeatResult& result);

// The first failure of the rule and its result, as the dialog refuses OK: a period end not after
// its start "期間の入力に誤りがあります。", a shift without conditions "振替条件を選択して下さい。",
// no date "登録するスケジュールがありません。".
std::optional<std::string> RepeatCheck(const RepeatRule& rule, const RepeatResult& result);

// The period end set when the pattern changes: 日 start + days - 1; 週 and 月 the same month and
// day one year on, 年 ten years on, the day clamped to the month's last day.
store::Date RepeatDefaultEnd(RepeatPattern pattern, const store::Date& from, int days = 10);

// The first date of a weekday rule in (year, month): occurrence 1 to 4, or the last.
store::Date NthWeekdayOfMonth(int year, int month, int weekday, int occurrence, bool last);

// The weekday choice the dialog preselects for a start date: its occurrence in its month (a
// fifth occurrence reads as the last) and its weekday 0 to 6.
struct WeekdayChoice {
  int occurrence = 1;
  bool last = false;
  int weekday = 0;
};
WeekdayChoice WeekdayChoiceOf(const store::Date& date);

}  // namespace kal::calendar
