// The rows of the list dialog: for each kind and view, one row per stored entry, with its row key
// (the hidden first column that names the entry behind the row), its column texts and the stored
// line it was made from, so that a later change or delete can check that the entry is still the
// one the user saw.
//
// Row keys:
//   schedule  "yyyymm" of the month file + day field (2) + line index "0000" + detail number (3)
//   holiday   line index in Holiday.dat "0000", or "9999" for a holiday worked out by the engine
//   memo      the memo file's stem: "yyyymmdd" (day memo) or "yyyymm" (month memo)
//   ToDo      the record index in the ToDo list, plain decimal
//   weather   "yyyymm" of the day file + day (2)
//   add-on    a blank + the line index in Addon.lst
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calendar/PublicHoliday.h"
#include "listing/ListKinds.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::listing {

struct ListRow {
  std::vector<std::string> cells;  // every column, the key first (UTF-8)
  std::string line = {};           // the stored line behind the row (CP932); the file text for a memo
  bool checked = false;            // ToDo done, add-on enabled

  const std::string& key() const { return cells.front(); }
};

// The ToDo list's waiting rules of section ToDo.
struct TodoWaitRules {
  bool wait_task = false;  // WaitTask: a limit more than WaitDay days away
  int wait_day = 10;
  bool wait_count = false;  // WaitCount: from the WaitCnt-th listed row on
  int wait_cnt = 5;
  bool wait_date = true;  // WaitDate: a start date after today
};

// Where the rows are read from, and the dates they depend on.
struct ListSource {
  explicit ListSource(platform::FileSystem& files) : fs(files) {}
  platform::FileSystem& fs;
  std::string data_folder;   // month, detail and day files, Holiday.dat (trailing "/")
  std::string memo_folder;   // *.mem
  std::string todo_folder;   // Todokl.dat, Todokl.dtl
  std::string table_folder;  // Alarm.tbl
  std::string program_folder;  // Addon.lst
  store::Date reference{};   // the day selected in the main window when the dialog opened
  store::Date today{};
  calendar::HolidaySettings holidays;  // AutoSynSyu, AutoHoliday
  TodoWaitRules wait;
};

// "yyyy/mm/dd(aaa)".
std::string ListDateText(const store::Date& date);

// --- File names ------------------------------------------------------------------------------

// A month file's stem when the name is exactly six digits (a month 1 to 12) + ".sch", letters
// without regard to case; nothing for any other name ("202401 (2).sch" is not January 2024).
std::optional<std::string> MonthFileStem(const std::string& file_name);
// A memo file's stem when the name is eight digits (a day memo) or six digits (a month memo) +
// ".mem", without regard to case.
std::optional<std::string> MemoFileStem(const std::string& file_name);
// A day file's stem: six digits + ".day".
std::optional<std::string> DayFileStem(const std::string& file_name);
// The stems of the month files of the data folder, ascending; with a year, only that year's.
std::vector<std::string> MonthFileStems(platform::FileSystem& fs, const std::string& data_folder,
                                        std::optional<int> year = std::nullopt);

// --- Rows per kind ---------------------------------------------------------------------------
// Every builder reads what it needs (a missing file adds no rows) and throws store::FileError
// when a file exists but cannot be read.

// The row of line `index` of month file "yyyymm".
ListRow ScheduleRow(const std::string& stem, std::size_t index, const std::string& line,
                    const std::vector<int>& alarm_offsets);
// Schedule rows of one month file's lines (stem "yyyymm"); `day` keeps only that day.
std::vector<ListRow> ScheduleRowsOfMonth(const std::string& stem, const std::vector<std::string>& lines,
                                         const std::vector<int>& alarm_offsets, std::optional<int> day = {});
// Views 1日, 月間, 年間, 全件.
std::vector<ListRow> ScheduleRows(const ListSource& source, int view);

// Holiday rows of Holiday.dat's lines for the reference year, views 祝日, 休日, 記念日, 全件;
// the 祝日 and 全件 views add the holidays the engine works out (with AutoHoliday on).
std::vector<ListRow> HolidayRowsOfLines(const std::vector<std::string>& lines, int year, int view,
                                        calendar::HolidaySettings settings);
std::vector<ListRow> HolidayRows(const ListSource& source, int view);
// "毎年01月15日", "毎月第2月曜日", "毎週日曜日", ...
std::string HolidayPatternText(const std::string& cp932_line);
// "祝日", "休日", "記念日1".."記念日3".
std::string HolidayClassName(int holiday_class);

// One memo row from its stem and its file's lines.
ListRow MemoRow(const std::string& stem, const std::vector<std::string>& lines);
std::vector<ListRow> MemoRows(const ListSource& source, int view);

// Weather rows: days of a day file (line i is day i).
std::vector<ListRow> WeatherRowsOfMonth(int year, int month, const std::vector<std::string>& lines,
                                        std::optional<int> day = {});
std::vector<ListRow> WeatherRows(const ListSource& source, int view);
// "晴れのち雨", "曇り", ...
std::string WeatherText(int weather1, int transition, int weather2);

// --- ToDo ------------------------------------------------------------------------------------

// A ToDo record as the list reads it (UTF-8 texts, trimmed).
struct TodoListItem {
  int index = 0;             // record index in the ToDo list
  std::string limit{};       // "yyyy/mm/dd" or "期限なし"
  std::string start{};       // "yyyy/mm/dd" or empty
  int priority = 0;          // 0..3
  int progress = 0;          // 0..10
  bool done = false;
  std::string done_date{};   // "yyyy/mm/dd"
  std::string category{};
  std::string memo_number{}; // "0000" none
  std::string title{};
  std::string link{};
  std::string line{};        // the record's CP932 line
};
inline constexpr const char* kNoLimitText = "期限なし";

// Views 未処理 (1), 処理済 (2), 全件 (4). The waiting rules count the rows already listed.
std::vector<ListRow> TodoRows(const std::vector<TodoListItem>& items, int view, const store::Date& today,
                              const TodoWaitRules& wait);

// --- Kinds read through their own stores ------------------------------------------------------

// The ToDo records of Todokl.dat in file order (a missing file: none). Throws store::FileError.
std::vector<TodoListItem> LoadTodoItems(const ListSource& source);
// The add-on rows of Addon.lst lines in file order: key " " + line index, 状態, 起動方法,
// プログラム名; checked when enabled.
std::vector<ListRow> AddonRows(const std::vector<std::string>& lines);

// The rows of any kind and view (1 to 4).
std::vector<ListRow> ListRows(const ListSource& source, ListKind kind, int view);

}  // namespace kal::listing
