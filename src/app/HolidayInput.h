// The holiday entry dialog's rules: its choices, how it opens from a line or a date, its checks
// and the Holiday.dat line it builds. The dialog itself only shows these.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/DateText.h"

namespace kal::app {

enum HolidayPattern { kEveryWeek = 0, kEveryMonth = 1, kEveryYear = 2 };  // CmbPattern
enum HolidayCycle { kByDate = 0, kByWeekday = 1 };                        // CmbCycle

inline constexpr int kLastDayChoice = 31;    // "末日" in the day list by date (every month only)
inline constexpr int kLastWeekChoice = 5;    // "最終" in the day list by weekday

// What the controls hold.
struct HolidayInput {
  std::string title;        // EdtTitle (UTF-8)
  int bunrui = -1;          // CmbBunrui index = class digit, -1 none chosen
  std::string from_year;    // EdtFromYear
  std::string to_year;      // EdtToYear
  int pattern = kEveryYear; // CmbPattern
  int cycle = kByDate;      // CmbCycle
  int month = 0;            // CmbMonth index (0 = 1月)
  int day = 0;              // CmbDay index: by date 0..30 the days 1..31, 31 末日; by weekday 0..4 第 1..第 5, 5 最終
  int week = 0;             // CmbWeek index = weekday digit (0 日曜日)

  friend bool operator==(const HolidayInput&, const HolidayInput&) = default;
};

enum class HolidayInputField { Title, Bunrui, FromYear, ToYear, Month, Day, Week };

struct HolidayInputFailure {
  std::string message;
  HolidayInputField focus;
};

// The choices of the lists.
std::vector<std::string> HolidayBunruiChoices();
std::vector<std::string> HolidayPatternChoices();
std::vector<std::string> HolidayCycleChoices();
std::vector<std::string> HolidayMonthChoices();
std::vector<std::string> HolidayWeekChoices();
// The day list for a pattern and cycle ("末日" only for every month).
std::vector<std::string> HolidayDayChoices(int pattern, int cycle);

// Which controls are shown for a pattern and cycle.
bool HolidayCycleShown(int pattern);
bool HolidayMonthShown(int pattern);
bool HolidayDayShown(int pattern);
bool HolidayWeekShown(int pattern, int cycle);

// "祝日・休日・記念日の" + "追加" (mode 0) or "訂正" (mode 1).
std::string HolidayDialogCaption(int mode);

// The day-list index a date gives for a cycle: its day by date, the occurrence of its weekday in
// its month by weekday.
int HolidayDayChoiceFor(const store::Date& date, int cycle);

// A new entry starting from the selected cell's date.
HolidayInput HolidayInputForDate(const store::Date& date);
// An existing line shown for a change; controls the line does not set start from the date.
HolidayInput HolidayInputFromLine(const std::string& cp932_line, const store::Date& date);

// The checks of OK in their order; the last failing check gives the message and the focus.
std::optional<HolidayInputFailure> CheckHolidayInput(const HolidayInput& input);

// The Holiday.dat line for checked input (CP932). A new line is trimmed on the right; a changed
// line is written as built.
std::string BuildHolidayLine(const HolidayInput& input, bool change);

}  // namespace kal::app
