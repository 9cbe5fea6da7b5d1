// Schedule month files ("yyyymm.sch") and detail files ("yyyymm.dtl") in the data folder.
//
// A schedule is one fixed-column CP932 line in the month file of the month it starts in:
//
//   pos  width  field
//     1    2    day "01".."31"
//     3    5    start time "hh:nn" or blanks
//     8    5    end time
//    13   14    category
//    27    1    font style 0..3      28  1  line style 0..3
//    29    1    alarm 1 0..9         30  1  alarm 2 0..9
//    31   40    title                71 40  place
//   111    3    detail number "001".."999", "000" for none
//   114    2    span "01".."62" (multi-day only)
//   116    7    text colour "$BBGGRR"   123  7  bar colour   130  1  bar style 0..5
//   131    2    blank                133  1  "0" when a file link follows   134  link
//
// Lines end after their last field (see BuildScheduleLine); readers tolerate short lines. The
// month file is kept sorted by whole lines, so by day and within a day untimed lines first, then
// by start time. A memo is one line of the month's detail file: the three-digit detail number,
// a comma, and the memo's lines in comma text.
//
// Every operation that writes stores the new place first and removes the old one afterwards, and
// checks that a line addressed by its index is still the line the caller saw.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::store {

inline constexpr int kDefaultScheduleTextColour = 0x000000;  // black
inline constexpr int kDefaultScheduleBarColour = 0x80FF80;
// Lines are addressed by a four-digit index, so a month file holds at most this many lines.
inline constexpr std::size_t kMaxMonthLines = 10000;
inline constexpr int kMaxDetailNumber = 999;
inline constexpr std::size_t kScheduleLinkMax = 255;

// The fields' names in the messages that refuse a character.
inline constexpr const char* kTitleName = "件名";
inline constexpr const char* kPlaceName = "場所";
inline constexpr const char* kCategoryName = "分類";
inline constexpr const char* kLinkName = "ファイル";
inline constexpr const char* kStartName = "開始時刻";
inline constexpr const char* kEndName = "終了時刻";
inline constexpr const char* kMemoName = "メモ";

// The fields of one schedule, texts in UTF-8.
struct ScheduleFields {
  int day = 0;             // 1..31
  std::string start;       // "hh:nn" or empty
  std::string end;         // "hh:nn" or empty
  std::string category;
  int font_style = 0;      // 0 plain, 1 bold, 2 italic, 3 both
  int line_style = 0;      // 0 none, 1 underline, 2 strike-out, 3 both
  int alarm1 = 0;          // 0 none, 1..9 position in the alarm-offset list
  int alarm2 = 0;
  std::string title;
  std::string place;
  int detail = 0;          // 0 none, 1..999
  int span = 0;            // 0 single-day, 1..62 days of a multi-day schedule
  int text_colour = kDefaultScheduleTextColour;  // BGR, multi-day only
  int bar_colour = kDefaultScheduleBarColour;
  int bar_style = 0;       // 0..5, multi-day only
  std::string link;        // empty: none

  friend bool operator==(const ScheduleFields&, const ScheduleFields&) = default;
};

// The fields of a line as they are stored: UTF-8, trailing blanks removed, empty where the line
// ends before the field. For listings that show the file as it is.
struct ScheduleTexts {
  std::string day, start, end, category, font_style, line_style, alarm1, alarm2, title, place, detail,
      span, text_colour, bar_colour, bar_style, link;
};
ScheduleTexts ReadScheduleTexts(std::string_view line);

// Reads a line by positions. Missing or non-numeric codes read as 0; the span and the colours
// and bar style are read only for a multi-day line (colours fall back to their defaults); a
// multi-day span that is not a number reads as 1.
ScheduleFields ReadScheduleLine(std::string_view line);

// The day of the month 1..31; 0 when the day field is damaged.
int Day(std::string_view line);
// A multi-day line: its span field compares greater than "00".
bool IsMultiDay(std::string_view line);
// The detail number field as stored ("000".."999", or empty on a short line).
std::string DetailNumberText(std::string_view line);
// The detail number 1..999; 0 when there is none (or the field is not three digits).
int DetailNumber(std::string_view line);
// "001".."999" ("000" for 0).
std::string DetailNumberField(int number);

// A built line, or the field that holds a character CP932 cannot hold.
struct BuildResult {
  bool ok = false;
  std::string line;     // CP932 bytes when ok
  std::string field;    // the field's Japanese name (件名, 場所, 分類, ファイル, 開始時刻, 終了時刻)
  std::string bad;      // the refused character (UTF-8)
  std::string message;  // the message for the user

  explicit operator bool() const { return ok; }
};

// Builds the line of a schedule:
// - single-day without a detail: the fields up to the title; with a place the title is padded
//   to 40 and the place follows trimmed on the right, otherwise the line ends with the title;
// - single-day with a detail: title and place padded, then the detail number (113 bytes);
// - multi-day: every field up to the bar style (130 bytes);
// - with a file link: padded to 132 bytes, then "0" and the link trimmed on the right.
// Texts are cut at a character boundary and padded here; control characters become blanks.
// Codes out of their ranges are a caller's error (std::invalid_argument).
BuildResult BuildScheduleLine(const ScheduleFields& fields);

std::string MonthFilePath(const std::string& folder, int year, int month);
std::string DetailFilePath(const std::string& folder, int year, int month);

// --- Detail lines --------------------------------------------------------------------------

// The smallest detail number not used by the lines of a month file; 1000 when 1..999 are used.
int FreeDetailNumber(const std::vector<std::string>& month_lines);
// The memo of a detail number among the lines of a detail file (empty when none is found).
std::vector<std::string> DetailMemo(const std::vector<std::string>& detail_lines, int number);
// The same, read from the month's detail file. Throws FileError when it cannot be read.
std::vector<std::string> ReadDetail(platform::FileSystem& fs, const std::string& folder, int year, int month,
                                    int number);
// "nnn," + the memo in comma text, in CP932; nothing when a character cannot be held (`bad`).
std::optional<std::string> BuildDetailLine(int number, const std::vector<std::string>& memo,
                                           std::string* bad = nullptr);
// A memo with no text in any line stores no detail.
bool MemoIsEmpty(const std::vector<std::string>& memo);
// The text of the detail line of `number` after its three digits (CP932, starting with the comma);
// empty when the lines hold none.
std::string DetailBody(const std::vector<std::string>& detail_lines, int number);
// Writes "nnn" + `body` into the month's detail file, replacing any line that already carries
// the number (a line left behind belongs to no schedule any more), sorted. Throws FileError.
void StoreDetailLine(platform::FileSystem& fs, const std::string& folder, int year, int month, int number,
                     const std::string& body);

// --- Moving a line -----------------------------------------------------------------------------

// The line on another day: the day field becomes `day`, every other byte stays.
std::string WithDay(std::string_view line, int day);
// The line with new start and end times ("hh:nn" each), every other byte kept.
std::string WithTimes(std::string_view line, const std::string& start, const std::string& end);
// The line with another detail number; a line too short to hold the field is padded to it.
std::string WithDetailNumber(std::string_view line, int number);

// Allocates a detail number for a memo that goes with a schedule of the given month (whose
// month-file lines, as loaded for the store, are `month_lines`) and stores it in the month's
// detail file, replacing any line that already carries that number. Returns the number; 0 when
// the memo is empty, when all numbers are used (the overflow message has been shown and the
// schedule is to be stored without a detail), or when the memo holds a character that cannot be
// stored (the message has been shown). Throws FileError.
int SchMemoEdit(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& folder, int year,
                int month, const std::vector<std::string>& month_lines, const std::vector<std::string>& memo);

// Removes the detail of a schedule line from the month's detail file: the first line that
// begins with the line's detail number. Nothing happens when the line has no detail or the file
// does not exist. Throws FileError.
void SchMemoDel(platform::FileSystem& fs, const std::string& folder, int year, int month,
                std::string_view schedule_line);

// --- Storing and deleting schedules ----------------------------------------------------------

// A line the caller took from a month file earlier, addressed by its 0-based index.
struct OldSchedule {
  int year = 0;
  int month = 0;
  std::size_t index = 0;
  std::string line;  // the CP932 bytes the caller saw
};

enum class StoreStatus {
  Stored,
  Stale,        // the old line is no longer at its index: the view must reload
  Full,         // the target month already holds kMaxMonthLines lines
  Unencodable,  // a text holds a character that cannot be stored
};

struct StoreOutcome {
  StoreStatus status = StoreStatus::Stored;
  std::size_t index = 0;  // index of the stored line in its month file
  int detail = 0;         // detail number of the stored line
  std::string field;      // Unencodable: the field's name
  std::string message;    // a refusal's message (it has been shown through the dialogs)
};

// Messages of the refusals.
inline constexpr const char* kStaleMessage =
    "スケジュールが他で変更されています。\n最新の情報に更新してから操作して下さい。";
inline constexpr const char* kStaleCaption = "エラー";
inline constexpr const char* kMonthFullMessage =
    "1か月に登録できるスケジュールは10000件までです。\nこれ以上登録できません。";
inline constexpr const char* kMemoFullMessage =
    "メモの最大登録件数をオーバーしています。\nはこれ以上登録できません。";
inline constexpr const char* kFullCaption = "最大件数オーバー";
inline constexpr const char* kInputErrorCaption = "入力エラー";

// Stores a schedule line in the month file of (year, month). With `old`, the old line is removed:
// from the same list when the month is the same, otherwise from the old month file, which is
// saved after the target file. Refuses (Stale, Full) before anything is written, showing the
// message. Throws FileError.
StoreOutcome SchUd(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& folder, int year,
                   int month, const std::string& line, const std::optional<OldSchedule>& old);

// One store of the schedule entry dialog: a new or copied schedule, or a change of `old`.
struct StoreRequest {
  std::string folder;                // the data folder
  std::optional<OldSchedule> old;    // the line being changed; nothing for new and copied schedules
  Date date;                         // the schedule's (first) date; its day overrides fields.day
  ScheduleFields fields;             // fields.detail is set by the store
  std::vector<std::string> memo;     // UTF-8 lines
  bool memo_changed = false;         // a change: the memo was edited (new schedules always store it)
};

// Stores the schedule and its memo in a safe order: the new detail line first, then the target
// month file, then the old line's removal from another month, then the old detail line. A change
// keeps its detail number when the memo is unchanged and the month stays; a schedule moved to
// another month takes its memo along under a new number of that month. Throws FileError.
StoreOutcome StoreSchedule(platform::FileSystem& fs, platform::Dialogs& dialogs, const StoreRequest& request);

enum class DeleteStatus { Deleted, Cancelled, Stale };

// Deletes the schedule at `index` of the month file (the main window's delete command). With
// `del_msg` the user confirms first. The line must still be `line` (else Stale, message shown).
// The month file is saved before its detail line is removed. Throws FileError.
DeleteStatus DaySchDel(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& folder, int year,
                       int month, std::size_t index, const std::string& line, bool del_msg);

}  // namespace kal::store
