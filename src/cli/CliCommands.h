// The commands of kalendor-cli; each is a thin call into the core.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "calendar/PublicHoliday.h"
#include "calendar/Repeat.h"
#include "cli/Cli.h"
#include "model/MonthModel.h"

namespace kal::cli {

// The program folder's settings and folders, read once the way the window reads them at start-up.
// A program folder or data folder that does not exist stops the command (CliError, exit 1).
inline constexpr const char* kMissingProgramFolderMessage = "プログラムフォルダが見つかりません: ";
const app::Session& SessionOf(CliContext& context);
// The holiday list of the data folder's Holiday.dat with the View settings AutoSynSyu and
// AutoHoliday (damaged lines are reported on standard error and skipped).
calendar::HolidayList HolidaysOf(CliContext& context);
// The resolved data folder, with a trailing "/".
std::string DataFolder(CliContext& context);
// The category folder (Category.tbl, Klcat*.bmp) and the table folder (the entry tables,
// Alarm.tbl), with a trailing "/".
std::string CategoryFolder(CliContext& context);
std::string TableFolder(CliContext& context);

int RunFormat(CliContext& context, const std::vector<std::string>& args);
int RunSchedules(CliContext& context, const std::vector<std::string>& args);
int RunRokuyo(CliContext& context, const std::vector<std::string>& args);
int RunSekki(CliContext& context, const std::vector<std::string>& args);
int RunStatus(CliContext& context, const std::vector<std::string>& args);
int RunRepeat(CliContext& context, const std::vector<std::string>& args);

// The repetition options of `repeat`, shared with `add-schedule`.
struct RepeatOptions {
  bool any = false;  // at least one option was given
  std::optional<store::Date> from, to;
  std::optional<bool> every_other;
  std::optional<calendar::RepeatPattern> pattern;
  std::optional<int> days, weekday, month;
  std::optional<calendar::RepeatCycle> cycle;
  std::optional<std::string> day;
  calendar::RepeatShift shift = calendar::RepeatShift::None;
  bool on_public = false, on_private = false, on_saturday = false, on_sunday = false;
};
// Takes one repetition option and its value (UsageError for a wrong value); false when the
// option is not a repetition option.
bool ReadRepeatOption(RepeatOptions& options, const std::string& option, const std::string& value);
// The rule of the options. Without `preset`, --from, --to, --every and --pattern are required;
// with it, what is not given comes from the preset (a given pattern sets its default period).
calendar::RepeatRule RepeatRuleOf(const RepeatOptions& options, const calendar::RepeatRule* preset);

// add-schedule OPTIONS: stores a new schedule through the entry dialog's checks and storing.
int RunAddSchedule(CliContext& context, const std::vector<std::string>& args);
int RunSettings(CliContext& context, const std::vector<std::string>& args);
int RunFolders(CliContext& context, const std::vector<std::string>& args);

// holiday-check FROM [TO]: the five holiday checks for every date, with the lines of Holiday.dat.
int RunHolidayCheck(CliContext& context, const std::vector<std::string>& args);
int RunCategories(CliContext& context, const std::vector<std::string>& args);
int RunAlarmOffsets(CliContext& context, const std::vector<std::string>& args);
int RunExport(CliContext& context, const std::vector<std::string>& args);
// alarms FROM TO: the timer's minute work for every minute of the period, one line per action.
int RunAlarms(CliContext& context, const std::vector<std::string>& args);
// sync --url URL --user USER ...: one two-way sync with a CalDAV calendar.
int RunSync(CliContext& context, const std::vector<std::string>& args);

// A month "yyyymm" (false when it is not one).
bool ParseMonthStem(const std::string& text, int& year, int& month);
// A number of one to three digits (view modes and counts).
bool ParseCount(const std::string& text, int& value);
// Sets the period count of a view mode; false when the mode has none or the count is out of its range.
bool SetViewCount(store::Settings& settings, int mode, int count);
// The model request of a view with that date selected, with the session's folders and settings.
store::ModelRequest ViewModelRequest(CliContext& context, const store::Settings& settings, int mode,
                                     const store::Date& selected);

// The arguments of a view command: yyyymm --view N [--count N] and, when `output_option` is
// given, that option with its value (required); the session's settings with the count applied.
struct ViewArgs {
  int year = 0, month = 0, mode = 0;
  std::string output;
  store::Settings settings;
};
ViewArgs ParseViewArgs(CliContext& context, const std::vector<std::string>& args, const std::string& usage,
                       const std::string& output_option);

// model yyyymm --view N [--count N]: the month model as the view builds it with that month selected.
int RunModel(CliContext& context, const std::vector<std::string>& args);
// holidays yyyy: the holiday-type entries of every day of the year in the monthly view's model.
int RunHolidays(CliContext& context, const std::vector<std::string>& args);
// print yyyymm --view N [--count N] --output FILE.pdf: the printed page of that view as a PDF.
int RunPrint(CliContext& context, const std::vector<std::string>& args);

// The resolved ToDo folder, with a trailing "/".
std::string TodoFolder(CliContext& context);
// todos [--tab 未処理|処理済|待機]; todo-mark done|undone INDEX...
int RunTodos(CliContext& context, const std::vector<std::string>& args);
int RunTodoMark(CliContext& context, const std::vector<std::string>& args);
// add-todo OPTIONS: stores a new ToDo item through the entry dialog's checks and storing.
int RunAddTodo(CliContext& context, const std::vector<std::string>& args);
// backup DIR / restore DIR / delete-old MONTHS [--yes]: the backup dialog's work without boxes.
int RunBackup(CliContext& context, const std::vector<std::string>& args);
int RunRestore(CliContext& context, const std::vector<std::string>& args);
int RunDeleteOld(CliContext& context, const std::vector<std::string>& args);
// memos yyyymm, set-memo yyyy/mm/dd|yyyy/mm TEXT, notes, note TITLE: memo and note files.
int RunMemos(CliContext& context, const std::vector<std::string>& args);
int RunSetMemo(CliContext& context, const std::vector<std::string>& args);
int RunNotes(CliContext& context, const std::vector<std::string>& args);
int RunNote(CliContext& context, const std::vector<std::string>& args);
// import csv|ics|vcs|data FILE ...: the import dialog's conversion, one line per record.
int RunImport(CliContext& context, const std::vector<std::string>& args);

// list KIND VIEW [--date yyyy/mm/dd] [SEARCH]: the rows of the list dialog.
int RunList(CliContext& context, const std::vector<std::string>& args);

}  // namespace kal::cli
