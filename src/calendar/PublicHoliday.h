// Public holidays: the one computation that both the calendar and the holiday checks use.
//
// The public holidays proper are the class-"0" rules of Holiday.dat and, with AutoSynSyu on, the
// equinox days from 1949 on. With AutoHoliday on, substitute holidays (振替休日) and citizens'
// holidays (国民の休日) are derived from them day by day, so a month boundary or the months a
// view holds make no difference:
// - substitute (from April 1973): the day after a public holiday that falls on a Sunday, when
//   that day is not a public holiday itself; from 2007 on, the first day after the Sunday that is
//   not a public holiday;
// - citizens' holiday (from 1986): a day that is not a public holiday between two public
//   holidays; until the end of 2006 a Sunday or a substitute holiday is not one.
// Substitute days never count as the public holidays that make a citizens' holiday.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "store/DateText.h"
#include "store/HolidayFile.h"

namespace kal::calendar {

using store::Date;

// The two settings of section View that switch the computed holidays.
struct HolidaySettings {
  bool auto_equinox = true;  // AutoSynSyu
  bool auto_holiday = true;  // AutoHoliday
};

enum class PublicHolidayKind {
  None,
  Listed,      // a class-"0" rule of Holiday.dat
  Equinox,     // 春分の日 or 秋分の日
  Substitute,  // 振替休日
  Citizens,    // 国民の休日
};

// The rules of Holiday.dat (read once) with the settings in force.
class HolidayList {
 public:
  HolidayList() = default;
  HolidayList(std::vector<store::HolidayLine> lines, HolidaySettings settings);
  // From the file's CP932 lines; `damaged` receives the numbers of lines that were skipped.
  static HolidayList FromFileLines(const std::vector<std::string>& cp932_lines, HolidaySettings settings,
                                   std::vector<int>* damaged = nullptr);

  const std::vector<store::HolidayLine>& lines() const { return lines_; }
  const HolidaySettings& settings() const { return settings_; }

  // A rule of that class matches the date (for class 0 also an equinox day when AutoSynSyu is on).
  bool HasClass(int holiday_class, const Date& date) const;
  // The day is an equinox holiday (AutoSynSyu on, from 1949).
  bool IsEquinoxHoliday(const Date& date) const;
  // A class-"0" rule or an equinox: the days the substitute and citizens' rules start from.
  bool IsNationalHoliday(const Date& date) const;
  // What kind of public holiday the day is, the computed kinds included.
  PublicHolidayKind KindOf(const Date& date) const;

 private:
  bool IsSubstitute(const Date& date) const;
  bool IsCitizens(const Date& date) const;

  std::vector<store::HolidayLine> lines_;
  HolidaySettings settings_;
  // Public holidays proper per year, by day of the year, worked out when a year is first asked.
  mutable std::map<int, std::vector<bool>> national_;
};

// The checks used by the repetition engines and the command line.
bool HolidayCheck(int holiday_class, const HolidayList& list, const Date& date);
bool FurikaeCheck(const HolidayList& list, const Date& date);
bool KokuminCheck(const HolidayList& list, const Date& date);
bool ShukujitsuCheck(const HolidayList& list, const Date& date);

// A holiday the calendar marks on its own, with the index 9999.
struct ComputedHoliday {
  Date date;
  PublicHolidayKind kind;
  std::string name;  // "春分の日", "秋分の日", "振替休日" or "国民の休日"
};

// The computed holidays from `from` to `to` inclusive, in date order. The month model marks
// these days as public holidays (day kind 0) and adds each as an entry of kind "0" with the
// index "9999".
std::vector<ComputedHoliday> ComputedHolidays(const HolidayList& list, const Date& from, const Date& to);

}  // namespace kal::calendar
