// What the exports write: the rows the list dialog hands over, and the stored data behind them.
//
// The list dialog shows one row per stored entry; a row is its cells in column order, the hidden
// row key first (see ListRow). The CSV, vCalendar and iCalendar writers take plain items built
// from those rows and from the stored lines the row keys address, so that they write what the
// user stored (an alarm's exact lead, a memo's lines, an anniversary's title without its year
// count) rather than what a cell could show.
//
// Row keys:
//   schedule  "yyyymm" of the month file, the day "dd", the line index "iiii", the detail number "nnn"
//   holiday   the line index in Holiday.dat "iiii", or "9999" for a holiday the list computed
//   memo      the memo file's name without ".mem": "yyyymmdd" or "yyyymm"
//   ToDo      the record index in the ToDo list
//   weather   "yyyymm" of the day file and the day "dd"
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "store/DateText.h"
#include "store/HolidayFile.h"

namespace kal::listing {

using store::Date;

// The list dialog's kinds and rows, as its core defines them (ListKinds.h and ListRows.h come
// with the list dialog; these two definitions stand in for them until then and go when they do).
enum class ListKind : int { Schedule = 1, Holiday = 2, Memo = 3, Todo = 4, Weather = 5, Addon = 6 };

// One row of the list: cells[0] is the row key, cells[1..] the visible columns in the dialog's
// column order (schedule: 開始日 開始時刻 終了日 終了時刻 件名 場所 分類 ﾒﾓ ｱﾗｰﾑ1 ｱﾗｰﾑ2 ﾌｧｲﾙ; holiday:
// 日付 パターン 件名 分類 適用開始年 適用終了年; memo: 日付 内容; ToDo: 状況 期限 残日数 開始日 優先度 件名
// 分類 進捗 処理日 ﾒﾓ ﾌｧｲﾙ; weather: 日付 天気 最高気温 最低気温 降水確率). Texts are UTF-8.
struct ListRow {
  std::vector<std::string> cells;  // every column, the key first (UTF-8)
};

// The cell of a column (1-based as the dialog counts them, 0 the key); "" beyond the row.
const std::string& CellOf(const ListRow& row, std::size_t column);

// An export that cannot go on (a row whose stored line changed, a character the code page
// cannot hold). what() is the message for the user, shown with kExportCaption.
class ExportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
inline constexpr const char* kExportCaption = "エクスポート";

// A schedule as stored (fields trimmed, UTF-8).
struct ScheduleItem {
  Date date{};                     // the first day
  int span = 0;                    // days of a multi-day schedule; 0 or 1 single-day
  std::string start, end;          // "hh:nn" as stored, or empty
  std::string title, place, category;
  int alarm1 = 0;                  // alarm code: 1-based position in the alarm table, 0 none
  std::vector<std::string> memo;   // the detail's lines; empty without a detail

  Date LastDay() const;            // date + span - 1 (the date itself for a single day)
};

// A day or month memo: the 日付 text ("yyyy/mm/dd" or "yyyy/mm") and the file's lines.
struct MemoItem {
  std::string date;
  std::vector<std::string> lines;
};

// A ToDo row with the item's detail lines (empty without a detail).
struct TodoItem {
  ListRow row;
  std::vector<std::string> memo;
};

// A holiday row: a stored rule (with its Holiday.dat line) or a holiday the list computed.
struct HolidayItem {
  std::optional<store::HolidayLine> rule;  // stored rows
  Date date{};                             // computed rows: their day
  std::string name;                        // computed rows: the 件名 cell
  std::string category;                    // the 分類 cell ("祝日", "休日", "記念日1" ..)
};

// A schedule row key split up; nothing when the key is not 15 digits.
struct ScheduleKey {
  int year = 0, month = 0, day = 0;
  std::size_t index = 0;
  int detail = 0;
};
std::optional<ScheduleKey> ParseScheduleKey(const std::string& key);

// The schedules behind the rows, read from the month files and detail files of the data folder.
// A row whose line is no longer there (the file shorter, another day or detail number at the
// index) stops the export with kStaleExportMessage. Throws store::FileError when a file cannot
// be read.
inline constexpr const char* kStaleExportMessage =
    "スケジュールが他で変更されています。\n最新の情報に更新してから操作して下さい。";
std::vector<ScheduleItem> LoadScheduleItems(platform::FileSystem& fs, const std::string& data_folder,
                                            const std::vector<ListRow>& rows);

// The memos behind the rows, read from the memo folder; a memo whose file vanished or is empty
// is left out.
std::vector<MemoItem> LoadMemoItems(platform::FileSystem& fs, const std::string& memo_folder,
                                    const std::vector<ListRow>& rows);

// The holiday rules behind the rows, from the lines of Holiday.dat. A stored row whose line is
// missing or damaged stops the export (kStaleHolidayMessage).
inline constexpr const char* kStaleHolidayMessage =
    "選択した祝日・休日・記念日はファイルで変更されています。表示を更新してから操作して下さい。";
std::vector<HolidayItem> HolidayItems(const std::vector<std::string>& holiday_file_lines,
                                      const std::vector<ListRow>& rows);

// The lines of a ToDo detail from the lines of Todokl.dtl: the line that begins with the
// four-digit number, split as comma text, without its number (empty when there is none).
std::vector<std::string> TodoDetailLines(const std::vector<std::string>& detail_file_lines, int number);

}  // namespace kal::listing
