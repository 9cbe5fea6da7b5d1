// The rules of the ToDo entry dialog (TDlgTodoInput): the form's fields in every kind of entry
// (new, change, copy, copy of a schedule), how they react to each other, the repetition of ToDo
// items through the schedules' repetition engine, the checks of OK in their order with their
// messages and focus, the memo-number decision and storing (re-sort and save). The dialog and
// kalendor-cli add-todo run the same code.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/Repeat.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"
#include "todo/TodoFile.h"

namespace kal::todo {

enum class TodoEntryKind { New, Edit, Copy, ScheduleCopy };

inline constexpr const char* kTodoInputErrorCaption = "入力エラー";
inline constexpr const char* kNoSubjectMessage = "件名が未入力です。";
inline constexpr const char* kStartAfterLimitMessage = "期限 ≧ 開始日でなければなりません。";
inline constexpr const char* kBadPeriodMessage = "期間の入力に誤りがあります。";
inline constexpr const char* kNoShiftConditionMessage = "振替条件を選択して下さい。";
inline constexpr const char* kNoTodoToStoreMessage = "登録するToDoがありません。";

// "ToDoの追加", "ToDoの訂正", "ToDoのコピー", "スケジュールをToDoにコピー".
std::string TodoFormCaption(TodoEntryKind kind);

enum class TodoFormField { Limit, Start, Subject, Category, Priority, Progress, DoneDate, Memo, Link, RepeatFrom };

struct TodoForm {
  TodoEntryKind kind = TodoEntryKind::New;
  Date limit{};             // DtpLimitDate
  bool no_limit = false;    // ChkNoLimit
  Date start{};             // DtpStartDate
  bool no_start = true;     // ChkNoStart
  std::string subject;      // CmbTitle
  std::string category;     // CmbBunrui: the chosen name ("" none)
  int priority = 0;         // CmbPri 0..3
  int progress = 0;         // TrkProgress 0..10
  bool done = false;        // ChkTask
  bool done_enabled = true; // ChkTask can be ticked (not for new items and copies)
  Date done_date{};         // DtpOkDate
  std::vector<std::string> memo;  // MemTodo, one item per line; empty: no memo
  bool memo_changed = false;      // typed in, or filled from a stored memo (copies)
  bool memo_enabled = true;       // disabled when the memo file is full (new items)
  std::string link;               // EdtFileLink
  bool repeat_allowed = false;    // ChkRepeat offered (new items and copies)
  bool repeat = false;            // ChkRepeat
  calendar::RepeatRule rule;      // GrpRepeat
  std::optional<TodoRef> source;  // Edit: the record being changed
};

// What the dialog opens with.
struct TodoOpenRequest {
  TodoEntryKind kind = TodoEntryKind::New;
  Date date{};                      // the date selected in the calendar
  std::optional<TodoRef> source;    // Edit and Copy: the record
  std::optional<bool> shown_done;   // Edit from the panel: the row's tick decides the done box
};

// The form as it opens. `source_memo` is the stored memo of the source record; `memo_lines` the
// number of lines the memo file holds (a new item's memo box is disabled at 9999).
TodoForm OpenTodoForm(const TodoOpenRequest& request, const Date& today, const std::vector<std::string>& source_memo,
                      std::size_t memo_lines);

// A schedule copied to a ToDo item: the dialog in its schedule-copy kind for `date`, with the
// schedule line's title, category and link and the memo of its detail.
TodoForm TodoFormFromSchedule(const Date& date, const Date& today, std::string_view schedule_line,
                              const std::vector<std::string>& detail_memo);

// ---- Interactive rules -------------------------------------------------------------------------

// ChkNoLimit: ticking clears and hides ChkRepeat.
void SetNoLimit(TodoForm& form, bool no_limit);
// Whether ChkRepeat is shown.
bool RepeatShown(const TodoForm& form);
// ChkRepeat: the series starts at the start date's box; the limit box is disabled while ticked.
void SetRepeatOn(TodoForm& form, bool on);
// CmbPattern: the period end one year (年: ten years) after its start.
void SetRepeatPattern(TodoForm& form, calendar::RepeatPattern pattern);
// CmbCycle: the day list's default for the limit date (its day, or its week of the month).
void SetRepeatCycle(TodoForm& form, calendar::RepeatCycle cycle);
// The subject typed: cut to 80 bytes at a character boundary; `beep` when cut.
struct CutSubject {
  std::string text;
  bool beep = false;
};
CutSubject CutTodoSubject(const std::string& text);
// "進捗率" label: position × 10 + "%".
std::string ProgressLabel(int progress);

// The dates the series registers (after the shift step) and the label "まで n件".
calendar::RepeatResult TodoRepeatDates(const TodoForm& form, const calendar::HolidayOracle& holidays);
std::string TodoRepeatLabel(const TodoForm& form, const calendar::HolidayOracle& holidays);

// The distinct subjects of the list, trailing blanks removed, sorted (CmbTitle's drop-down).
std::vector<std::string> TodoSubjects(const std::vector<std::string>& records);

// ---- OK ----------------------------------------------------------------------------------------

// The checks of OK in their order; a failure is shown (caption "入力エラー", error icon) and its
// field returned. On success `limits` receives the limit of every item to store (one item: the
// limit or nothing; a series: each occurrence). Characters CP932 cannot hold are refused naming
// the field.
std::optional<TodoFormField> CheckTodoForm(const TodoForm& form, platform::Dialogs& dialogs,
                                           const calendar::HolidayOracle& holidays,
                                           std::vector<std::optional<Date>>& limits);

// The memo number of the stored item: an edited item whose record has one keeps it; otherwise a
// changed (or copied) memo gets the smallest free number (10000 when none is free); else 0.
int DecideMemoNumber(const TodoForm& form, const std::vector<std::string>& records);

struct TodoUpdateResult {
  bool stored = false;
  bool stale = false;                      // the changed record was changed elsewhere
  std::optional<TodoFormField> focus;      // a failed check
  std::vector<std::string> stored_records; // the records added, in the order they were made
  std::vector<std::string> records;        // the list as saved
};

// OK: the checks, then the item or series is built, its memo stored under its number (any stale
// memo line of that number removed first), the changed record replaced, the list sorted, and
// both files saved (the memo file first; put back when the list cannot be written). Throws
// store::FileError.
TodoUpdateResult TodoUpdate(TodoForm& form, platform::FileSystem& fs, platform::Dialogs& dialogs,
                            const std::string& folder, const calendar::HolidayOracle& holidays);

// ---- ToDo to schedule ----------------------------------------------------------------------------

// What the schedule entry dialog opens with when a ToDo item is copied to a schedule.
struct ScheduleFromTodo {
  Date date{};                    // the limit, or today for an item without one
  std::string title;              // the subject cut to 40 bytes at a character boundary
  std::string category;           // the ToDo's category name
  std::string link;
  std::vector<std::string> memo;  // the ToDo's memo (empty when none)
};
ScheduleFromTodo ScheduleCopyOf(std::string_view record, const Date& today, const std::vector<std::string>& memo_lines);

}  // namespace kal::todo
