// The month model every calendar view draws from: twelve month slots of 31 days, per day a
// sorted list of day entries, the day's kind, rokuyo and memo flag; per slot the lines of the
// month's day file; and today's alarm list. It is rebuilt whole from the data files after every
// change of view, date or data, and never written back.
//
// A day entry is text: a two-character order key, a one-character entry kind, a four-digit
// index, then the payload (CP932 bytes, as the data files hold them):
//
//   key   "00".."99" a band (multi-day bars and holidays that took a band), "CC" a holiday-type
//         entry without a band, "SC" a single-day schedule, "D"/"T" + state digit a ToDo mark
//         ("D" when ToDo marks go before the schedules)
//   kind  '0' public holiday, '1' private holiday, '2'..'4' anniversary 1..3, '5' schedule,
//         '6' solar term, '8' ToDo mark
//   index the 0-based line of the month file (kind 5) or of Holiday.dat, "9999" for computed
//         holidays and solar terms, the ToDo record index (kind 8)
//   payload single-day schedule: the whole line, so that field p of the line is at p + 7;
//         multi-day schedule: the line's first 130 bytes, the day's position in the span as two
//         digits, then the link mark and link; holidays and solar terms: the shown name;
//         ToDo mark: the ToDo record.
//
// The lists are kept in ascending line order, so a day shows its banded entries first, then the
// holiday names and solar terms, then the ToDo marks ("D") or the schedules in file order, then
// ToDo marks ("T").
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/PublicHoliday.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"
#include "store/Settings.h"

namespace kal::store {

inline constexpr int kSlotCount = 12;
inline constexpr int kSlotDays = 31;
inline constexpr int kBandLimit = 100;  // bands "00" to "99"
inline constexpr std::size_t kEntryPrefix = 7;
inline constexpr int kMaxSpan = 62;

// Day kinds.
inline constexpr int kDayPublicHoliday = 0;
inline constexpr int kDayPrivateHoliday = 1;
inline constexpr int kDaySaturday = 6;
inline constexpr int kDaySunday = 7;
inline constexpr int kDayWeekday = 8;
inline constexpr int kDayNone = 9;

// Entry kinds.
inline constexpr char kEntryPublic = '0';
inline constexpr char kEntryPrivate = '1';
inline constexpr char kEntrySchedule = '5';
inline constexpr char kEntrySolarTerm = '6';
inline constexpr char kEntryTodo = '8';

// View modes 1 to 8.
enum ViewMode {
  kModeDaily = 1,     // multi-day timeline
  kModeVertical = 2,  // weekly timeline
  kModeWeekly = 3,    // multi-week
  kModeMonthly = 4,
  kModeYearly = 5,
  kModeMonthly2 = 6,  // multi-month
  kModeMonthly3 = 7,  // the same month over several years
  kModeYearly2 = 8,
};

// Index of the display item "メモアイコン" in ItemView.
inline constexpr std::size_t kItemMemoIcon = 27;

inline constexpr const char* kBandLimitMessage = "複数日をまたぐスケジュールは、これ以上登録できません。";
inline constexpr const char* kModelErrorCaption = "エラー";

// ---- Day entries -----------------------------------------------------------------------------

std::string_view EntryKey(std::string_view entry);
char EntryKind(std::string_view entry);
// The four-digit index field as text ("0003", "9999").
std::string_view EntryIndexText(std::string_view entry);
int EntryIndex(std::string_view entry);
std::string_view EntryPayload(std::string_view entry);
// The key is a band "00".."99" (it compares not greater than "99").
bool EntryHasBand(std::string_view entry);
// The band 0..99; -1 for an entry without a band.
int EntryBand(std::string_view entry);
// A multi-day bar: a schedule entry whose span field (line position 114) is greater than "00".
bool EntryIsBar(std::string_view entry);
// The span of a bar, 1..62 (0 for anything else).
int EntrySpan(std::string_view entry);
// The day's position within a bar's span, 1..62 (0 for anything else).
int EntryPosition(std::string_view entry);
// What a listing shows of the entry (UTF-8): a schedule's title, a holiday or solar term's name,
// a ToDo mark's title.
std::string EntryText(std::string_view entry);

// key + kind + index (four digits) + payload.
std::string MakeEntry(std::string_view key, char kind, int index, std::string_view payload);
// Adds an entry at its place in the sorted list (after entries equal to it).
void AddEntry(std::vector<std::string>& list, std::string entry);

// The band-key choice (`SchOrderEdit`) for a holiday-type entry about to be added to a day:
// `holiday_class` 0 or 1 (computed holidays and solar terms count as 0), 2..4 for anniversaries.
// Returns "CC" or a band. When a public or private holiday meets a non-schedule entry in band
// "00", that entry is moved to the next free band above the highest band the day uses and the
// holiday takes "00"; the move never lands on a band that is taken.
std::string SchOrderEdit(std::vector<std::string>& list, int holiday_class);

// ---- The model -------------------------------------------------------------------------------

struct DayCell {
  std::vector<std::string> entries;  // sorted day entries (CP932)
  int kind = kDayWeekday;
  int rokuyo = 0;  // 1..6, 0 none
  bool memo = false;
};

struct MonthSlot {
  int year = 0;  // 0 when the view does not use the slot
  int month = 0;
  std::array<DayCell, kSlotDays> days;
  std::vector<std::string> day_lines;  // the month's day file, line n for day n
};

// The rules of Holiday.dat as last read, kept between rebuilds while the file and the settings
// stay the same.
struct HolidayCache {
  bool valid = false;
  std::vector<std::string> lines;
  calendar::HolidaySettings settings;
  calendar::HolidayList list;
  std::vector<int> damaged;
};

struct MonthModel {
  std::array<MonthSlot, kSlotCount> slots;
  std::vector<int> used;                   // the used slot numbers in the order the view loads them
  std::vector<std::string> today_alarms;   // today's schedule lines that carry an alarm
  int view_mode = kModeMonthly;
  bool mini = false;
  Date selected{};

  MonthSlot& slot(int n) { return slots.at(static_cast<std::size_t>(n - 1)); }
  const MonthSlot& slot(int n) const { return slots.at(static_cast<std::size_t>(n - 1)); }
  DayCell& cell(int day, int slot_number) { return slot(slot_number).days.at(static_cast<std::size_t>(day - 1)); }
  const DayCell& cell(int day, int slot_number) const {
    return slot(slot_number).days.at(static_cast<std::size_t>(day - 1));
  }
  // The slot holding (year, month); 0 when none does.
  int SlotOf(int year, int month) const;
  // The used slots in slot-number order.
  std::vector<int> UsedSlotsInOrder() const;

  bool building = false;  // a rebuild is running
  HolidayCache holiday_cache;
};

// The months a view holds: slot number and (year, month), in the order the view loads them.
struct SlotMonth {
  int slot = 0;
  int year = 0;
  int month = 0;
  friend bool operator==(const SlotMonth&, const SlotMonth&) = default;
};
// - multi-month (not mini): slots 1..12, twelve months from the selected one;
// - same month (not mini): slots 1..year_count, the selected month and the same month of each
//   earlier year;
// - yearly views (not mini): slots 1..12, January to December of the selected year;
// - other modes and mini mode: the previous, the selected and the next month in the slots of
//   their month numbers, with the month after next in the multi-week view of more than 4 weeks.
std::vector<SlotMonth> ViewSlots(int view_mode, bool mini, const Date& selected, int week_count, int year_count);

// A ToDo item marked on a day (the ToDo list supplies these; its state 1..7 gives the key digit).
struct TodoMark {
  Date date{};
  int state = 5;
  int index = 0;       // the record index
  std::string record;  // the ToDo record (CP932)
};

// What a rebuild takes from the settings.
struct ModelOptions {
  int week_count = 2;        // Weekly WeekNo
  int year_count = 6;        // Monthly3 YearNo
  bool memo_icon = true;     // display item "メモアイコン" of the view
  bool auto_equinox = true;  // View AutoSynSyu
  bool auto_holiday = true;  // View AutoHoliday
  bool todo_first = false;   // Window SchOrder: ToDo marks before the schedules
};
ModelOptions ModelOptionsOf(const Settings& settings, int view_mode);

struct ModelRequest {
  int view_mode = kModeMonthly;
  bool mini = false;  // mini-calendar mode
  Date selected{};
  Date today{};
  std::string data_folder;  // with a trailing separator
  std::string memo_folder;
  ModelOptions options;
  std::vector<TodoMark> todo_marks;
};

// A line of a data file that a rebuild skipped.
struct DamagedLine {
  std::string path;
  int index = 0;  // 0-based
  std::string message;
  friend bool operator==(const DamagedLine&, const DamagedLine&) = default;
};

// A message to show once the rebuild is over (error icon).
struct ModelMessage {
  std::string text;
  std::string caption;
  friend bool operator==(const ModelMessage&, const ModelMessage&) = default;
};

struct RebuildResult {
  bool rebuilt = false;                // false when a rebuild was already running
  std::vector<DamagedLine> damaged;    // every skipped line, once
  std::vector<std::string> unplaced;   // multi-day lines that found no free band (CP932)
  std::vector<ModelMessage> messages;  // what to show, each once, after the rebuild
};

// The message of a schedule line skipped because its day or span is damaged.
std::string DamagedScheduleLineMessage(const std::string& path, int index, bool span);

// The full rebuild (`SchUpdate` as the core does it): the slot table, day kinds, rokuyo and memo
// flags, every held month's schedules and multi-day bars (with the bars that began in earlier
// months), holidays and solar terms, ToDo marks, the day-file lines and today's alarm list.
// Nothing is shown from inside: damaged lines and the band limit come back in the result.
// Throws FileError when a file exists but cannot be read.
RebuildResult SchUpdate(MonthModel& model, platform::FileSystem& fs, const ModelRequest& request);

// `SchRepaint`'s first step: the selected date derived from what the view shows. `first_shown`
// is the first day of a timeline view; `row_starts` the first date of each row of the
// multi-week view. The multi-month and same-month views take day 1 of slot 1; other modes keep
// the selected date.
Date RepaintSelectedDate(const MonthModel& model, int view_mode, const Date& selected, const Date& first_shown,
                         const std::vector<Date>& row_starts);

// `SchRepaint`: the selected date as above, then the full rebuild, and the time of the refresh
// "hh:mm:ss" (the text of the status bar's second panel). The request's selected date is
// replaced by the derived one.
struct RepaintResult {
  Date selected{};
  RebuildResult rebuild;
  std::string refreshed;
};
RepaintResult SchRepaint(MonthModel& model, platform::FileSystem& fs, const platform::Clock& clock,
                         ModelRequest request, const Date& first_shown, const std::vector<Date>& row_starts);

// ---- Memo files and week numbers ---------------------------------------------------------------

// "yyyymmdd.mem".
std::string DayMemoFileName(const Date& date);
// Whether the day has a memo: its memo file exists in the memo folder.
bool HasDayMemo(platform::FileSystem& fs, const std::string& memo_folder, const Date& date);

// The ISO 8601 week number of a date.
int IsoWeekNumber(const Date& date);
// The number beside a week row from `first` to `last`: the ISO week of the last day; with
// `week_of` (the week holding 1 January is week 1) and 1 January of that day's year on a Friday
// or Saturday (Sunday-first weeks) or on a Friday, Saturday or Sunday (Monday-first weeks), 1
// when the row begins on 26 to 31 December and the ISO week + 1 otherwise.
int WeekNumber(const Date& first, const Date& last, bool week_of, bool monday_first);

}  // namespace kal::store
