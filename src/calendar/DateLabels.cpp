#include "calendar/DateLabels.h"

#include <chrono>
#include <cstdio>

#include "store/DatePattern.h"

namespace kal::calendar {
namespace {

const char* const kEnglishMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                      "July",    "August",   "September", "October", "November", "December"};
const char* const kTraditionalMonths[] = {"睦月", "如月", "弥生", "卯月",   "皐月", "水無月",
                                          "文月", "葉月", "長月", "神無月", "霜月", "師走"};
const char* const kAnimals[] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};

struct Sign {
  const char* name;
  const char* from;
  const char* to;
};
const Sign kSigns[] = {
    {"おひつじ座", "0321", "0419"}, {"おうし座", "0420", "0520"},   {"ふたご座", "0521", "0621"},
    {"かに座", "0622", "0722"},     {"しし座", "0723", "0822"},     {"おとめ座", "0823", "0922"},
    {"てんびん座", "0923", "1023"}, {"さそり座", "1024", "1121"},   {"いて座", "1122", "1221"},
    {"やぎ座", "1222", "0119"},     {"みずがめ座", "0120", "0218"}, {"うお座", "0219", "0320"},
};

const char* const kYearPatterns[] = {"yyyy年(ggge年)", "yyyy年", "ggge年", "yyyy/mm/dd"};

void ReplaceFirst(std::string& text, std::string_view what, const std::string& with) {
  std::size_t at = text.find(what);
  if (at != std::string::npos) text.replace(at, what.size(), with);
}

}  // namespace

std::string EnglishMonthName(int month) { return kEnglishMonths[month - 1]; }
std::string TraditionalMonthName(int month) { return kTraditionalMonths[month - 1]; }

std::string ZodiacSign(const store::Date& date) {
  char mmdd[8];
  std::snprintf(mmdd, sizeof mmdd, "%02d%02d", store::MonthOf(date), store::DayOf(date));
  const std::string key = mmdd;
  for (const Sign& sign : kSigns) {
    if (std::string_view(sign.from) <= std::string_view(sign.to)) {
      if (sign.from <= key && key <= sign.to) return sign.name;
    } else if (key >= sign.from || ("0101" <= key && key <= sign.to)) {
      return sign.name;  // the sign that spans the turn of the year
    }
  }
  return {};
}

std::string YearAnimal(int year) { return kAnimals[((year + 8) % 12 + 12) % 12]; }

int DayOfYear(const store::Date& date) {
  using namespace std::chrono;
  return static_cast<int>((sys_days{date} - sys_days{date.year() / January / 1}).count()) + 1;
}

int DaysLeftInYear(const store::Date& date) {
  return (date.year().is_leap() ? 366 : 365) - DayOfYear(date);
}

std::string MonthHeading(std::string_view monthly_bar_form, int year, int month, bool mini_mode) {
  const store::Date first = store::MakeDate(year, month, 1);
  if (mini_mode) return store::FormatDatePattern("yyyy年 m月", first);
  std::string pattern(monthly_bar_form);
  ReplaceFirst(pattern, "eee", "\"" + EnglishMonthName(month) + "\"");
  ReplaceFirst(pattern, "rrr", "\"" + TraditionalMonthName(month) + "\"");
  return store::FormatDatePattern(pattern, first);
}

std::string YearPattern(int weekly_bar_form) {
  if (weekly_bar_form < 0 || weekly_bar_form > 3) weekly_bar_form = 0;
  return kYearPatterns[weekly_bar_form];
}

std::string YearHeading(int weekly_bar_form, const store::Date& date) {
  return store::FormatDatePattern(YearPattern(weekly_bar_form), date);
}

std::string StatusBarText(std::string_view status_bar_form, const store::Date& date, const store::Date& today) {
  using namespace std::chrono;
  std::string text(status_bar_form);
  if (!store::HasPatternLetters(text) && text.find_first_of("qprst") == std::string::npos) return " " + text;
  const long distance = (sys_days{date} - sys_days{today}).count();
  ReplaceFirst(text, "q", distance >= 0 ? std::to_string(distance) : "-" + std::to_string(-distance));
  ReplaceFirst(text, "p", std::to_string(DayOfYear(date)));
  ReplaceFirst(text, "r", std::to_string(DaysLeftInYear(date)));
  if (text.find('s') != std::string::npos) ReplaceFirst(text, "s", ZodiacSign(date));
  ReplaceFirst(text, "t", YearAnimal(store::YearOf(date)));
  return " " + store::FormatDatePattern(text, date);
}

}  // namespace kal::calendar
