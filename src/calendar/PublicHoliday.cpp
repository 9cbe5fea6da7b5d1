#include "calendar/PublicHoliday.h"

#include "calendar/Equinox.h"

namespace kal::calendar {
namespace {

constexpr int kFirstEquinoxYear = 1949;
constexpr int kSubstituteFrom = 197304;   // year * 100 + month
constexpr int kCitizensFromYear = 1986;
constexpr int kNewRulesFromYear = 2007;  // substitute walk, citizens' holiday on any day

int YearMonth(const Date& d) { return store::YearOf(d) * 100 + store::MonthOf(d); }
bool IsSunday(const Date& d) { return store::WeekdayNumber(d) == 1; }

}  // namespace

HolidayList::HolidayList(std::vector<store::HolidayLine> lines, HolidaySettings settings)
    : lines_(std::move(lines)), settings_(settings) {}

HolidayList HolidayList::FromFileLines(const std::vector<std::string>& cp932_lines, HolidaySettings settings,
                                       std::vector<int>* damaged) {
  return HolidayList(store::ParseHolidayLines(cp932_lines, damaged), settings);
}

bool HolidayList::IsEquinoxHoliday(const Date& date) const {
  if (!settings_.auto_equinox) return false;
  const int y = store::YearOf(date), m = store::MonthOf(date);
  if (y < kFirstEquinoxYear || (m != 3 && m != 9)) return false;
  return store::DayOf(date) == EquinoxDay(y, m);
}

bool HolidayList::HasClass(int holiday_class, const Date& date) const {
  for (const auto& line : lines_)
    if (line.holiday_class == holiday_class && store::HolidayLineMatches(line, date)) return true;
  return holiday_class == store::kClassPublic && IsEquinoxHoliday(date);
}

bool HolidayList::IsNationalHoliday(const Date& date) const {
  const int year = store::YearOf(date);
  auto it = national_.find(year);
  if (it == national_.end()) {
    std::vector<bool> days;
    for (Date d = store::MakeDate(year, 1, 1); store::YearOf(d) == year; d = store::AddDays(d, 1))
      days.push_back(HasClass(store::kClassPublic, d));
    it = national_.emplace(year, std::move(days)).first;
  }
  const int day_of_year = store::DayNumber(date) - store::DayNumber(store::MakeDate(year, 1, 1));
  return it->second[static_cast<std::size_t>(day_of_year)];
}

bool HolidayList::IsSubstitute(const Date& date) const {
  if (!settings_.auto_holiday || YearMonth(date) < kSubstituteFrom) return false;
  if (IsNationalHoliday(date)) return false;
  // Walk back over the public holidays just before the day to the nearest Sunday among them.
  for (int k = 1; k <= 7; ++k) {
    const Date before = store::AddDays(date, -k);
    if (!IsNationalHoliday(before)) return false;
    if (IsSunday(before)) return k == 1 || store::YearOf(before) >= kNewRulesFromYear;
  }
  return false;
}

bool HolidayList::IsCitizens(const Date& date) const {
  if (!settings_.auto_holiday || store::YearOf(date) < kCitizensFromYear) return false;
  if (IsNationalHoliday(date)) return false;
  if (!IsNationalHoliday(store::AddDays(date, -1)) || !IsNationalHoliday(store::AddDays(date, 1))) return false;
  if (store::YearOf(date) < kNewRulesFromYear && IsSunday(date)) return false;
  return true;
}

PublicHolidayKind HolidayList::KindOf(const Date& date) const {
  // A listed rule or an equinox makes a national holiday; the year's table answers for every
  // other day without asking each rule again (a calendar asks for every day it shows).
  if (IsNationalHoliday(date)) {
    for (const auto& line : lines_)
      if (line.holiday_class == store::kClassPublic && store::HolidayLineMatches(line, date))
        return PublicHolidayKind::Listed;
    return PublicHolidayKind::Equinox;
  }
  if (IsSubstitute(date)) return PublicHolidayKind::Substitute;
  if (IsCitizens(date)) return PublicHolidayKind::Citizens;
  return PublicHolidayKind::None;
}

bool HolidayCheck(int holiday_class, const HolidayList& list, const Date& date) {
  return list.HasClass(holiday_class, date);
}

bool FurikaeCheck(const HolidayList& list, const Date& date) {
  return list.KindOf(date) == PublicHolidayKind::Substitute;
}

bool KokuminCheck(const HolidayList& list, const Date& date) {
  return list.KindOf(date) == PublicHolidayKind::Citizens;
}

bool ShukujitsuCheck(const HolidayList& list, const Date& date) {
  return list.KindOf(date) != PublicHolidayKind::None;
}

std::vector<ComputedHoliday> ComputedHolidays(const HolidayList& list, const Date& from, const Date& to) {
  std::vector<ComputedHoliday> result;
  for (Date d = from; !(to < d); d = store::AddDays(d, 1)) {
    if (list.IsEquinoxHoliday(d)) {
      // Also on a day that a rule of the file already names, as the calendar shows both.
      result.push_back({d, PublicHolidayKind::Equinox, store::MonthOf(d) == 3 ? "春分の日" : "秋分の日"});
      continue;
    }
    switch (list.KindOf(d)) {
      case PublicHolidayKind::Substitute: result.push_back({d, PublicHolidayKind::Substitute, "振替休日"}); break;
      case PublicHolidayKind::Citizens: result.push_back({d, PublicHolidayKind::Citizens, "国民の休日"}); break;
      default: break;
    }
  }
  return result;
}

}  // namespace kal::calendar
