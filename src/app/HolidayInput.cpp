#include "app/HolidayInput.h"

#include <cstdio>

#include "store/HolidayFile.h"
#include "store/Record.h"

namespace kal::app {
namespace {

bool YearTextOk(const std::string& year) {
  if (year.empty()) return true;
  if (year.size() != 4) return false;
  for (char c : year)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string TwoDigits(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%2d", n);
  return buf;
}

}  // namespace

std::vector<std::string> HolidayBunruiChoices() { return {"祝日", "休日", "記念日1", "記念日2", "記念日3"}; }
std::vector<std::string> HolidayPatternChoices() { return {"毎週", "毎月", "毎年"}; }
std::vector<std::string> HolidayCycleChoices() { return {"日付指定", "曜日指定"}; }

std::vector<std::string> HolidayMonthChoices() {
  std::vector<std::string> v;
  for (int m = 1; m <= 12; ++m) v.push_back(std::to_string(m) + "月");
  return v;
}

std::vector<std::string> HolidayWeekChoices() {
  return {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
}

std::vector<std::string> HolidayDayChoices(int pattern, int cycle) {
  std::vector<std::string> v;
  if (cycle == kByWeekday) return {"第 1", "第 2", "第 3", "第 4", "第 5", "最終"};
  for (int d = 1; d <= 31; ++d) v.push_back(std::to_string(d) + "日");
  if (pattern == kEveryMonth) v.push_back("末日");
  return v;
}

bool HolidayCycleShown(int pattern) { return pattern != kEveryWeek; }
bool HolidayMonthShown(int pattern) { return pattern == kEveryYear; }
bool HolidayDayShown(int pattern) { return pattern != kEveryWeek; }
bool HolidayWeekShown(int pattern, int cycle) { return pattern == kEveryWeek || cycle == kByWeekday; }

std::string HolidayDialogCaption(int mode) { return std::string("祝日・休日・記念日の") + (mode == 1 ? "訂正" : "追加"); }

int HolidayDayChoiceFor(const store::Date& date, int cycle) {
  const int d = store::DayOf(date);
  return cycle == kByWeekday ? (d - 1) / 7 : d - 1;
}

HolidayInput HolidayInputForDate(const store::Date& date) {
  HolidayInput in;
  in.pattern = kEveryYear;
  in.cycle = kByDate;
  in.month = store::MonthOf(date) - 1;
  in.day = HolidayDayChoiceFor(date, kByDate);
  in.week = store::WeekdayNumber(date) - 1;
  return in;
}

HolidayInput HolidayInputFromLine(const std::string& cp932_line, const store::Date& date) {
  HolidayInput in = HolidayInputForDate(date);
  in.from_year = std::string(store::Trim(store::Field(cp932_line, 5, 4)));
  in.to_year = std::string(store::Trim(store::Field(cp932_line, 9, 4)));
  in.title = store::FieldToEnd(cp932_line, 16);
  auto h = store::ParseHolidayLine(cp932_line);
  if (!h) return in;
  in.bunrui = h->holiday_class;
  if (h->day != 0) {
    in.cycle = kByDate;
    in.pattern = h->month == store::kHolidayMonthEvery ? kEveryMonth : kEveryYear;
    if (in.pattern == kEveryYear && h->month >= 1) in.month = h->month - 1;
    in.day = h->day == store::kHolidayLastDay ? kLastDayChoice : h->day - 1;
  } else if (h->month != 0) {
    in.cycle = kByWeekday;
    in.pattern = h->month == store::kHolidayMonthEvery ? kEveryMonth : kEveryYear;
    if (in.pattern == kEveryYear) in.month = h->month - 1;
    in.day = h->week == store::kHolidayWeekLast ? kLastWeekChoice : (h->week >= 1 && h->week <= 5 ? h->week - 1 : 0);
    in.week = h->weekday;
  } else {
    in.pattern = kEveryWeek;
    in.week = h->weekday;
  }
  return in;
}

std::optional<HolidayInputFailure> CheckHolidayInput(const HolidayInput& in) {
  std::optional<HolidayInputFailure> failure;
  auto fail = [&](const char* message, HolidayInputField focus) { failure = HolidayInputFailure{message, focus}; };

  // 1. A day that the month never has (29 February is allowed). Only a yearly rule by date names
  // one month; a monthly rule on the 31st simply skips the shorter months.
  bool impossible = false;
  if (in.pattern == kEveryYear && in.cycle == kByDate && in.day >= 0 && in.day < 31 &&
      in.day + 1 > store::DaysInMonth(2000, in.month + 1)) {
    fail("ありえない日付が入力されています。", HolidayInputField::Day);
    impossible = true;
  }
  if (!impossible) {
    // 2. The years: empty or four digits each, the first not after the last.
    if (!YearTextOk(in.from_year)) {
      fail("適用年月に誤りがあります。", HolidayInputField::FromYear);
    } else if (!YearTextOk(in.to_year)) {
      fail("適用年月に誤りがあります。", HolidayInputField::ToYear);
    } else if (!in.from_year.empty() && !in.to_year.empty() && in.from_year > in.to_year) {
      fail("適用年月に誤りがあります。", HolidayInputField::FromYear);
    }
    // 3. The class.
    if (in.bunrui < 0 || in.bunrui > 4) fail("分類を選択して下さい。", HolidayInputField::Bunrui);
  }
  // 4. The name.
  if (store::Trim(in.title).empty()) {
    fail("件名が未入力です。", HolidayInputField::Title);
  } else {
    std::string bad;
    if (!store::FieldText(in.title, store::kHolidayNameWidth, &bad))
      fail(store::UnencodableMessage("件名", bad).c_str(), HolidayInputField::Title);
  }
  return failure;
}

std::string BuildHolidayLine(const HolidayInput& in, bool change) {
  std::string line;
  int week = 0, weekday = 0;
  if (in.pattern == kEveryWeek) {
    line = "    ";
    weekday = in.week;
  } else {
    line = in.pattern == kEveryMonth ? "99" : TwoDigits(in.month + 1);
    if (in.cycle == kByDate) {
      line += in.day == kLastDayChoice ? "32" : TwoDigits(in.day + 1);
    } else {
      line += "  ";
      week = in.day == kLastWeekChoice ? store::kHolidayWeekLast : in.day + 1;
      weekday = in.week;
    }
  }
  line += store::PadField(in.from_year, 4);
  line += store::PadField(in.to_year, 4);
  line += static_cast<char>('0' + week);
  line += static_cast<char>('0' + weekday);
  line += static_cast<char>('0' + in.bunrui);
  line += store::FieldText(in.title, store::kHolidayNameWidth).value_or("");
  if (!change) line = std::string(store::TrimRight(line));
  return line;
}

}  // namespace kal::app
