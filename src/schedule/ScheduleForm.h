// The rules of the schedule entry dialog (TDlgSchInput): the form's fields, how they react to
// each other, the checks of OK in their order, and storing a schedule, a multi-day schedule or a
// repeated series in the month files, with the memo in the detail files and the day's background
// choice in the day file.
//
// The widget shows a ScheduleForm and turns every user gesture into one of the calls below; it
// decides nothing itself. kalendor-cli add-schedule runs the same checks and the same storing.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/Repeat.h"
#include "catalogues/Category.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"
#include "store/ScheduleFile.h"

namespace kal::schedule {

// The dialog's modes.
enum class EntryMode : int { New = 0, Change = 1, Copy = 3, TodoCopy = 5 };

// The single-day background choice of CmbSample ("登録日の背景色:").
enum class Background : int { Keep = 0, Holiday = 1, Weekday = 2, Custom = 3, Restore = 4 };

inline constexpr std::size_t kTextFieldBytes = 40;  // title and place
inline constexpr std::size_t kTimeChars = 5;
inline constexpr int kMaxSpan = 62;
inline constexpr int kBarStyleCount = 6;
inline constexpr int kMaxRepeatDays = 99;
inline constexpr int kDefaultRepeatDays = 10;
inline constexpr int kDefaultBarStyle = 3;

// Messages of OK (caption "入力エラー" unless noted).
inline constexpr const char* kInputErrorCaption = "入力エラー";
inline constexpr const char* kNoTitleMessage = "件名が未入力です。";
inline constexpr const char* kBadAlarmTimeMessage = "アラームが設定できない時刻です。\n開始時刻を正しく入力して下さい。";
inline constexpr const char* kNoStartMessage = "開始時刻を入力して下さい。";
inline constexpr const char* kNoAlarmMessage = "アラーム時刻を選択して下さい。";
inline constexpr const char* kSameAlarmMessage = "アラーム1とアラーム2の時刻が同じです。";
inline constexpr const char* kPastAlarmQuestion = "開始時刻を過ぎているためアラームは無効です。\n再入力しますか？";
inline constexpr const char* kPastAlarmCaption = "警告";
inline constexpr const char* kStartAfterEndMessage = "開始時刻 > 終了時刻";
inline constexpr const char* kEndBeforeStartMessage = "開始 ≦ 終了でなければなりません。";
inline constexpr const char* kThreeMonthsMessage = "3ヶ月にまたがる期間は設定できません。";
inline constexpr const char* kDailyMultiDayMessage = "連日のスケジュールは登録できません。";

// The fields a failed check puts the focus on.
enum class FormField {
  FromDate,
  ToDate,
  StartTime,
  EndTime,
  Title,
  Place,
  Category,
  Span,
  Alarm1,
  Alarm2,
  Memo,
  Link,
  RepeatFrom,
  RepeatTo,
  RepeatPattern,
  RepeatShift,
};

// GrpRepeat.
struct RepeatForm {
  bool on = false;          // ChkRepeat "繰り返し登録(&R)"
  calendar::RepeatRule rule;
  int days = kDefaultRepeatDays;  // SpnDay2 (pattern 日)
};

// Every field of the dialog. Texts are UTF-8.
struct ScheduleForm {
  EntryMode mode = EntryMode::New;
  bool multi_day = false;  // kind "0" (ChkExtendDay "複数日"); kind "5" otherwise
  store::Date from{};      // DtpSchFromDate
  store::Date to{};        // DtpSchToDate
  int span = 1;            // SpnDay1
  std::string start, end;  // CmbStrhhmm, CmbEndhhmm
  std::string title, place;
  std::string category;    // CmbBunrui
  bool bold = false, italic = false, underline = false, strikeout = false;
  bool alarm_on = false;       // ChkAlarm
  bool alarm_enabled = true;   // ChkAlarm can be ticked (the date is today or later)
  int alarm1 = 0, alarm2 = 0;  // positions in the alarm lists: 0 "----", n the n-th lead time
  std::vector<std::string> memo;  // MemSch
  bool memo_changed = false;
  Background background = Background::Keep;
  int custom_colour = 0xFFFFFF;  // the sample panel's colour for "カスタム"
  int text_colour = store::kDefaultScheduleTextColour;
  int bar_colour = store::kDefaultScheduleBarColour;
  int bar_style = kDefaultBarStyle;
  int line_bar_style = -1;  // the changed or copied line's bar style (-1: none)
  std::string link;         // EdtFileLink
  bool repeat_allowed = true;  // ChkRepeat is shown (modes 0 and 3)
  RepeatForm repeat;
  // The line changed (mode 1) or copied (mode 3), where it was found.
  std::optional<store::OldSchedule> source;
};

// The lists of the dialog.
std::vector<std::string> BackgroundChoices();  // "変更しない", "休日", "平日", "カスタム", "元の背景色に戻す"
std::vector<std::string> RepeatEveryChoices();   // "毎", "隔"
std::vector<std::string> RepeatPatternChoices(); // "日", "週", "月", "年"
std::vector<std::string> RepeatCycleChoices();   // "日付指定", "曜日指定"
std::vector<std::string> RepeatWeekChoices();    // "日曜日" … "土曜日"
std::vector<std::string> RepeatMonthChoices();   // "1月" … "12月"
std::vector<std::string> RepeatShiftChoices();   // "振り替えない" … "登録しない"
// CmbDay: by date "1日" … "31日", "末日"; by weekday "第 1" … "第 4", "最終".
std::vector<std::string> RepeatDayChoices(calendar::RepeatCycle cycle);
// The position of the rule's day in RepeatDayChoices, and the rule set from a position.
int RepeatDayIndex(const calendar::RepeatRule& rule);
void SetRepeatDayIndex(calendar::RepeatRule& rule, int index);

// "スケジュールの追加", "スケジュールの訂正", "スケジュールのコピー", "ToDoをスケジュールにコピー".
std::string FormCaption(EntryMode mode);

// --- Opening ---------------------------------------------------------------------------------

// What the dialog is opened with.
struct OpenRequest {
  EntryMode mode = EntryMode::New;
  store::Date date{};                     // the selected date
  std::optional<store::Date> range_end;   // new: a selected day range makes a multi-day schedule
  std::optional<store::OldSchedule> source;  // change and copy: the selected schedule's line
  std::string todo_category;              // mode 5: the category the caller preselects
  std::string start_time, end_time;       // new: the times of a half hour chosen in a timeline ("hh:mm")
  std::string todo_title;                 // mode 5: the ToDo item's subject cut to the title width
  std::string todo_link;                  // mode 5: its file link
  std::vector<std::string> todo_memo;     // mode 5: its memo, stored as the schedule's detail
};

// What opening reads from the session.
struct FormDefaults {
  store::Date today{};
  const catalogues::CategoryTable* categories = nullptr;
  std::vector<int> alarm_offsets;  // the alarm table's lead times
  int alarm_time1 = 0;             // [Alarm] Time1, Time2: list positions
  int alarm_time2 = 0;
  bool alarm_check_on = false;     // [Alarm] CheckOn
  int extend_bar = kDefaultBarStyle;  // [View] ExtendBar
};

// The form as the dialog opens. Change and copy without a source become new. `source_memo` is
// the memo of the source line's detail (LoadSourceMemo).
ScheduleForm OpenForm(const OpenRequest& request, const FormDefaults& defaults,
                      const std::vector<std::string>& source_memo = {});

// The memo of a source line: its detail in the month's detail file (none for "000"). Throws
// store::FileError.
std::vector<std::string> LoadSourceMemo(platform::FileSystem& fs, const std::string& data_folder,
                                        const store::OldSchedule& source);

// The drop-down lists: start and end times (first 5 characters of SchFrom.tbl / SchTo.tbl, the
// built-in times when a file is missing), titles and places (first 40 bytes of SchTitle.tbl /
// SchPlace.tbl plus, unless `no_history`, the trimmed titles and places of the month file of
// `month` and of the month before), sorted without repeats and without empty entries.
struct EntryLists {
  std::vector<std::string> starts, ends, titles, places;
};
EntryLists LoadEntryLists(platform::FileSystem& fs, const std::string& table_folder, const std::string& data_folder,
                          const store::Date& month, bool no_history);

// The alarm position shown for a stored alarm code: a code that is not a digit counts 1, a code
// beyond the alarm table shows "----" (0).
int AlarmChoiceOfCode(const std::string& code_text, std::size_t offset_count);

// --- Interactive rules -----------------------------------------------------------------------

// SchSpanCheck after either date changed: multi-day keeps end >= start and recomputes the span;
// single-day moves the end with the start. A date before today unticks and disables ChkAlarm.
void SetFromDate(ScheduleForm& form, const store::Date& date, const store::Date& today);
void SetToDate(ScheduleForm& form, const store::Date& date, const store::Date& today);
// SpnDay1: end = start + span - 1 (span kept within 1 to 62).
void SetSpan(ScheduleForm& form, int span);
// ChkExtendDay: single-day resets the background choice and the end date; multi-day takes the
// line's bar style (change and copy) or `extend_bar`, and recomputes the span.
void SetMultiDay(ScheduleForm& form, bool multi_day, int extend_bar);
// A category chosen: its text and back colours become the schedule's text and bar colours
// (black and $80FF80 where the category has none).
void SetCategory(ScheduleForm& form, const catalogues::CategoryEntry& category);
// Opening the end-time list: an end time lower than the start time becomes the start time.
void EndTimeDropDown(ScheduleForm& form);

// Typed title or place text cut to 40 bytes at a character boundary; `beep` when it was cut.
struct CutText {
  std::string text;
  bool beep = false;
};
CutText CutEntryText(const std::string& text, std::size_t width = kTextFieldBytes);

// Repetition (GrpRepeat). The period and choices are preset when the form opens (from the
// dialog's dates); ticking ChkRepeat starts the series at the schedule's date as it is now.
void SetRepeatOn(ScheduleForm& form, bool on);
// RepeatPatrnCheck: 日 sets 10 days and the end to start + 9; the others one (年: ten) years on.
void SetRepeatPattern(ScheduleForm& form, calendar::RepeatPattern pattern);
// SpnDay2: the end becomes start + days - 1.
void SetRepeatDays(ScheduleForm& form, int days);
// CmbCycle: by date the start's day; by weekday the start's occurrence (a fifth reads as 最終)
// and weekday.
void SetRepeatCycle(ScheduleForm& form, calendar::RepeatCycle cycle);
// The occurrences of the rule, and LblEdit's "まで " + count + "件" (empty while unticked).
calendar::RepeatResult RepeatOccurrences(const ScheduleForm& form, const calendar::HolidayOracle& holidays);
std::string RepeatCountLabel(const ScheduleForm& form, const calendar::HolidayOracle& holidays);

// The link stored for a file chosen with "...": relative to the program folder when `relative`
// (RelativePath), otherwise the full path.
std::string LinkForChosenFile(const std::string& chosen, const std::string& program_folder, bool relative);
// The full path "開く" opens: a relative link is taken from the program folder.
std::string LinkFullPath(const std::string& link, const std::string& program_folder);

// --- OK ----------------------------------------------------------------------------------------

// Whether a period from `first` to `last` ends more than one month after its start month.
bool SpansThreeMonths(const store::Date& first, const store::Date& last);

// The checks of OK in their order. Each failure is shown through `dialogs` (caption
// "入力エラー", error icon) and its field returned; the warning question about a past alarm is
// asked here too (Yes returns the start time; No goes on). On success the times are rewritten as
// "hh:nn", title and place are cut to their width, and `dates` receives the date of every
// schedule to store (one, or the occurrences of the repetition).
std::optional<FormField> CheckForm(ScheduleForm& form, platform::Dialogs& dialogs, const platform::LocalDateTime& now,
                                   const calendar::HolidayOracle& holidays, std::vector<store::Date>& dates);

// The fields of the line for one date (the alarm codes are 0 for a date before today or with the
// alarm switch off).
store::ScheduleFields FieldsFor(const ScheduleForm& form, const store::Date& date, const store::Date& today);

// The day file's line of `date` given its background choice: "休日" "5", "平日" "1", "カスタム" "9"
// with the colour, "元の背景色に戻す" "0" with no colour. Nothing is written for "変更しない".
// Throws store::FileError.
void WriteBackground(platform::FileSystem& fs, const std::string& data_folder, const store::Date& date,
                     Background background, int custom_colour);

struct StoredSchedule {
  store::Date date{};
  std::size_t index = 0;  // the line's index in its month file after the store
  int detail = 0;
};

// OK: the checks, then every schedule is stored (a change replaces its source line). Stops at the
// first refused store (its message has been shown). Throws store::FileError.
struct UpdateResult {
  bool stored = false;                // everything was stored: the dialog closes
  std::optional<FormField> focus;     // a failed check's field
  // A refused store (Stale: the changed line is no longer where it was; Full: the month holds
  // 10000 lines). The schedules of a series stored before it stay stored.
  std::optional<store::StoreStatus> refusal;
  std::vector<StoredSchedule> schedules;
};
UpdateResult SchUpdate(ScheduleForm& form, platform::FileSystem& fs, platform::Dialogs& dialogs,
                       const std::string& data_folder, const platform::LocalDateTime& now,
                       const calendar::HolidayOracle& holidays);

}  // namespace kal::schedule
