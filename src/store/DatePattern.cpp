#include "store/DatePattern.h"

#include <cctype>
#include <cstdio>

#include "platform/Codec.h"
#include "platform/Era.h"

namespace kal::store {
namespace {

const char* const kShortWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};

std::string Number(int value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
  return buffer;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool IsPatternLetter(char c) {
  switch (Lower(c)) {
    case 'y': case 'm': case 'd': case 'a': case 'h': case 'n': case 's': case 'g': case 'e':
      return true;
    default:
      return false;
  }
}

// The first UTF-8 character of `text`.
std::string FirstCharacter(const std::string& text) {
  if (text.empty()) return {};
  return text.substr(0, platform::Utf8CharLength(static_cast<unsigned char>(text[0])));
}

}  // namespace

std::string ShortWeekdayName(int weekday_number) { return kShortWeekdays[(weekday_number + 6) % 7]; }
std::string LongWeekdayName(int weekday_number) { return ShortWeekdayName(weekday_number) + "曜日"; }

bool HasPatternLetters(std::string_view pattern) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c == '"' || c == '\'') {
      std::size_t close = pattern.find(c, i + 1);
      if (close == std::string_view::npos) return false;
      i = close;
    } else if (Lower(c) == 'a') {
      // "a" and "aa" are literal; the weekday needs three.
      if (i + 2 < pattern.size() && Lower(pattern[i + 1]) == 'a' && Lower(pattern[i + 2]) == 'a') return true;
    } else if (IsPatternLetter(c)) {
      return true;
    }
  }
  return false;
}

std::string FormatDatePattern(std::string_view pattern, const platform::LocalDateTime& when) {
  const Date& date = when.date;
  const int y = YearOf(date), m = MonthOf(date), d = DayOf(date);
  const int wd = WeekdayNumber(date);
  std::string out;
  std::size_t i = 0;
  while (i < pattern.size()) {
    char c = pattern[i];
    if (c == '"' || c == '\'') {
      std::size_t close = pattern.find(c, i + 1);
      if (close == std::string_view::npos) close = pattern.size();
      out.append(pattern.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    if (!IsPatternLetter(c)) {
      out += c;
      ++i;
      continue;
    }
    char letter = Lower(c);
    std::size_t run = 1;
    while (i + run < pattern.size() && Lower(pattern[i + run]) == letter) ++run;
    switch (letter) {
      case 'y':
        out += run <= 2 ? Number(y % 100, 2) : Number(y, 4);
        break;
      case 'm':
        if (run > 2) run = 2;
        out += run == 2 ? Number(m, 2) : std::to_string(m);
        break;
      case 'd':
        if (run > 4) run = 4;
        if (run == 1) out += std::to_string(d);
        else if (run == 2) out += Number(d, 2);
        else if (run == 3) out += ShortWeekdayName(wd);
        else out += LongWeekdayName(wd);
        break;
      case 'a':
        if (run >= 4) {
          run = 4;
          out += LongWeekdayName(wd);
        } else if (run == 3) {
          out += ShortWeekdayName(wd);
        } else {
          out.append(pattern.substr(i, run));
        }
        break;
      case 'h':
        out += run >= 2 ? Number(when.hour, 2) : std::to_string(when.hour);
        break;
      case 'n':
        out += run >= 2 ? Number(when.minute, 2) : std::to_string(when.minute);
        break;
      case 's':
        out += run >= 2 ? Number(when.second, 2) : std::to_string(when.second);
        break;
      case 'g': {
        auto era = platform::EraOf(date);
        std::string name = era ? era->name : std::string();
        out += run >= 2 ? name : FirstCharacter(name);
        break;
      }
      case 'e': {
        auto era = platform::EraOf(date);
        int ey = era ? era->year : y;
        out += run >= 2 ? Number(ey, 2) : std::to_string(ey);
        break;
      }
    }
    i += run;
  }
  return out;
}

std::string FormatDatePattern(std::string_view pattern, const Date& date) {
  platform::LocalDateTime when;
  when.date = date;
  return FormatDatePattern(pattern, when);
}

}  // namespace kal::store
