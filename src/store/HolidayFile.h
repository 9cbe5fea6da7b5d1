// Holiday.dat: public holidays, private holidays and anniversaries as date rules with a range of
// years, one rule a line, kept as a sorted line file.
//
// Line fields (1-based byte positions): month 1-2 (" 1".."12", "99" every month, blanks every
// week), day 3-4 (" 1".."31", "32" the last day with month "99", blanks a weekday rule), first
// year 5-8 and last year 9-12 (four digits or blanks), week 13 ("1".."5", "9" the last
// occurrence, else "0"), weekday 14 ("0" Sunday .. "6" Saturday), class 15 ("0" 祝日, "1" 休日,
// "2".."4" 記念日1..3), name from 16 (at most 80 bytes).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::store {

inline constexpr const char* kHolidayFileName = "Holiday.dat";
inline constexpr int kHolidayMonthEvery = 99;  // month field "99"
inline constexpr int kHolidayLastDay = 32;     // day field "32"
inline constexpr int kHolidayWeekLast = 9;     // week field "9"
inline constexpr std::size_t kHolidayNameWidth = 80;

// The index given to computed holidays and solar terms in the month model.
inline constexpr int kComputedIndex = 9999;

enum HolidayClass { kClassPublic = 0, kClassPrivate = 1, kClassAnniversary1 = 2, kClassAnniversary2 = 3,
                    kClassAnniversary3 = 4 };

// One rule of Holiday.dat, read from its line.
struct HolidayLine {
  int index = 0;            // 0-based line number in the file
  int month = 0;            // 1..12, 99 every month, 0 every week (blank field)
  int day = 0;              // 1..32, 0 a weekday rule (blank field)
  std::string first_year;   // four digits or empty (no lower limit)
  std::string last_year;    // four digits or empty (no upper limit)
  int week = 0;             // 1..5, 9 last occurrence, 0 otherwise
  int weekday = 0;          // 0 Sunday .. 6 Saturday
  int holiday_class = 0;    // 0..4
  std::string name;         // UTF-8
};

// Reads one line; nothing when its fields cannot be read as a rule (a damaged line).
std::optional<HolidayLine> ParseHolidayLine(const std::string& cp932_line, int index = 0);

// The parsed rules of a file's lines in file order; `damaged` receives the 0-based numbers of
// lines that were skipped.
std::vector<HolidayLine> ParseHolidayLines(const std::vector<std::string>& cp932_lines,
                                           std::vector<int>* damaged = nullptr);

// The report of a line that was skipped (line_number 0-based).
std::string HolidayDamagedLineMessage(const std::string& path, int line_number);

// Whether the year of a date lies in the rule's range (the years compared as four-digit texts).
bool HolidayYearInRange(const HolidayLine& line, int year);
// Whether the rule's date part matches the date (the year range not considered).
bool HolidayDateRuleMatches(const HolidayLine& line, const Date& date);
// Both of the above.
bool HolidayLineMatches(const HolidayLine& line, const Date& date);
// The days of a month on which the rule gives a date, ascending (year range included).
std::vector<int> HolidayDaysInMonth(const HolidayLine& line, int year, int month);

// The name an entry shows in a year: for an anniversary (class 2 to 4) with a first year, "%d"
// becomes the number of years since the first year and "%%" becomes "%"; any other "%" stays.
// Other names are shown as written.
std::string HolidayShownName(const HolidayLine& line, int year);

// A rule's date in a month as the calendar shows it: an entry of kind = class with the line's
// index and its shown name.
struct HolidayDayEntry {
  int day;
  int holiday_class;
  int index;
  std::string name;  // UTF-8, anniversaries with their year count filled in
};
// Every date the rules give in a month, rule by rule in file order.
std::vector<HolidayDayEntry> HolidayEntriesInMonth(const std::vector<HolidayLine>& lines, int year, int month);

// The 41 lines written when the file is created, in their built-in order (CP932 bytes).
const std::vector<std::string>& BuiltInHolidayLines();

// The path of Holiday.dat in a data folder (a separator is added when the folder lacks one).
std::string HolidayFilePath(const std::string& data_folder);

// Writes the built-in lines when the file does not exist; true when it was written.
bool CreateHolidayFile(platform::FileSystem& fs, const std::string& data_folder);

// Replaces every public-holiday line (class "0") of the file by the built-in public holidays,
// keeping every other line; the file is sorted and saved. Returns the number of public holidays
// registered.
int ReplacePublicHolidays(platform::FileSystem& fs, const std::string& path);

// The settings dialog's "祝日情報の更新": asks, updates and reports. True when the file changed.
bool UpdatePublicHolidays(platform::Dialogs& dialogs, platform::FileSystem& fs, const std::string& path);

// A holiday entry chosen in a calendar cell or the day panel: its kind digit (0..4), its index
// ("9999" for a computed holiday) and the name it shows, on the date of the cell.
struct HolidayEntryRef {
  int kind = 0;
  int index = 0;
  std::string shown_name;  // UTF-8
  Date date{};
};

inline constexpr const char* kComputedChangeRefusal = "自動設定した祝日については訂正できません。";
inline constexpr const char* kComputedDeleteRefusal = "自動設定した祝日については削除できません。";
inline constexpr const char* kHolidayGoneMessage =
    "選択した祝日・休日・記念日はファイルで変更されています。表示を更新します。";

// Whether line `index` of the loaded lines is still the rule the entry was made from.
bool HolidayEntryStillThere(const std::vector<std::string>& lines, const HolidayEntryRef& entry);

// `HolidayRep`'s refusal: the message for an entry that cannot be changed, nothing when it can.
std::optional<std::string> HolidayChangeRefusal(const HolidayEntryRef& entry);

// `HolidayRep` before the dialog opens: refuses a computed entry ("エラー") and an entry whose
// line changed meanwhile. True when the dialog may open for line `entry.index` of `lines`.
bool HolidayRepAllowed(platform::Dialogs& dialogs, const std::vector<std::string>& lines,
                       const HolidayEntryRef& entry);

// `HolidayDel`: refuses computed entries, asks when `ask` (the setting DelMsg) is on, removes the
// line and saves. True when the file changed (the calendar is then rebuilt).
bool HolidayDel(platform::Dialogs& dialogs, platform::FileSystem& fs, const std::string& path,
                const HolidayEntryRef& entry, bool ask);

// Stores a line built by the holiday entry dialog: a new line is added; a changed line replaces
// line `index` of `lines`. The list is sorted and saved to `path`.
void HolidayStore(platform::FileSystem& fs, const std::string& path, std::vector<std::string> lines,
                  bool change, int index, const std::string& cp932_line);

}  // namespace kal::store
