// The day panel: the rows of the schedule list `LtvSchList` for the selected day (`DaySchEdit`'s
// list part), its columns, keys, colours, background and sorting, its automatic height, the
// status-bar date text (`StatusBarEdit`), and the delete command for the entry selected in the
// list or the calendar.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/Category.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"
#include "store/Settings.h"

namespace kal::mainwindow {

using store::Date;

inline constexpr int kSchListColumns = 10;
inline constexpr const char* kDefaultSchItem = "1111101111";
inline constexpr int kIconColumnWidth = 22;
// Images of the small image list the list uses.
inline constexpr int kImageMemo = 10;
inline constexpr int kImageAlarmHeader = 17;
inline constexpr int kImageFile = 18;
inline constexpr int kImageAlarm = 16;

struct SchListColumn {
  const char* menu;    // item of "表示項目の設定(&M)"
  const char* header;  // header text ("" for none)
  int header_image;    // -1 for none
  bool centred;
};
const std::array<SchListColumn, kSchListColumns>& SchListColumns();

// Whether column `column` is shown by the flags of `SchItem` (a missing or non-"0" character
// shows it).
bool SchColumnShown(std::string_view sch_item, int column);
// The flags with column `column` switched.
std::string ToggleSchColumn(std::string sch_item, int column);
// The column's width: the icon column 22 pixels (0 when hidden), other columns their stored
// width (at least 1) or 0 when hidden.
int SchColumnWidth(std::string_view sch_item, const std::vector<int>& widths, int column);

// What column 0 of a row shows.
enum class RowIcon { None, Holiday, Alarm, Category, TodoState };

struct SchListRow {
  std::string key;  // the schedule-list key (the row's invisible caption)
  std::size_t entry_position = 0;                 // the entry's place in the day's item list
  std::array<std::string, kSchListColumns> texts; // column 0 is empty
  RowIcon icon = RowIcon::None;
  int icon_number = 0;   // holiday: kind + 1; category icon 1..99; ToDo state 1..7
  bool memo = false;     // image 10 in column 6
  bool file = false;     // image 18 in column 9
  std::optional<int> text_colour;
  std::optional<int> back_colour;
  // The kind of the row: the key's third character.
  char kind() const { return key.size() > 2 ? key[2] : ' '; }
};

// "45分", "1時間": the lead time of alarm code `code` (1-based) in the offsets; empty for 0 or a
// code beyond the table.
std::string LeadTimeText(const std::vector<int>& offsets, int code);

struct DayListInput {
  Date selected{};
  Date today{};
  int now_minutes = 0;                 // the time of day, for the pending alarm icon
  const std::vector<std::string>* entries = nullptr;  // the selected day's entries
  std::vector<int> alarm_offsets;      // the alarm table (read once per update)
  bool alarm_icon_item = false;        // "- アラームアイコン" is a display item of the mode
  bool sch_color = false;              // View SchColor
  const catalogues::CategoryTable* categories = nullptr;
  store::ColorSettings colours;
};
// One row per entry of the day, solar terms left out, in list order.
std::vector<SchListRow> SchListRows(const DayListInput& input);

// The first and last day of the schedule behind a day entry on the selected date: a multi-day
// schedule starts position − 1 days before it and lasts its span; a one-day schedule is the date.
struct ScheduleDays {
  Date first{};
  Date last{};
};
ScheduleDays ScheduleDaysOf(std::string_view entry, const Date& selected);

// The list's background: the selected day's cell colour by its kind (KYU, SAT, SUN, SYU back, DAY
// back otherwise), then the day file's colour (weekday mark DAY back, holiday mark KYU back, a
// custom colour).
int SchListBackground(int day_kind, const std::string& day_line, const store::ColorSettings& colours);

// Sorting by a column click: the clicked column's direction is reversed (every column starts
// ascending, so the first click sorts descending), then the rows are ordered by that column's
// text times the direction, stably. The icon column does not sort.
class SchListSort {
 public:
  // Returns false for the icon column (nothing sorted).
  bool Click(std::vector<SchListRow>& rows, int column);
  int column() const { return column_; }      // -1 before the first click
  int direction(int column) const { return directions_.at(static_cast<std::size_t>(column)); }
  void Reset();

 private:
  int column_ = -1;
  std::array<int, kSchListColumns> directions_{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
};
void SortSchRows(std::vector<SchListRow>& rows, int column, int direction);

// The automatic height (`AutoSchHeight`): row height R = font pixel height + 9 (+ 6 when the
// font's cell height equals its character height); R × (rows + 1) for more than two rows, else
// R × 3 + 1; at least `needed` (what the list itself needs to show every row, 0 when unknown);
// never more than half the calendar side.
int SchListRowHeight(int font_pixel_height, bool cell_equals_char);
int SchListHeight(int row_height, int rows, int needed, int calendar_side_height);

// The date of a cell of the month-row views (modes 5 to 8): a day beyond the end of its month
// (a blank cell) becomes the month's last day, the cell to its left (in mode 8 the cell above).
Date CellSelectedDate(int year, int month, int day);
// The window caption in mini mode: "yyyy年m月d日(aaa)".
std::string MiniModeCaption(const Date& selected);

// The first status-bar panel's text for the selected date (`StatusBarEdit`).
std::string StatusBarEdit(const store::Settings& settings, const Date& selected, const Date& today);

// ---- Delete ------------------------------------------------------------------------------------

enum class DeleteResult {
  Deleted,    // the file changed: reload
  Cancelled,  // the user said No
  Refused,    // a computed holiday (the message has been shown)
  Stale,      // the entry's line changed meanwhile (the message has been shown): reload
  NotHandled, // a ToDo item or a solar term: not deleted here
};

// Whether `line` (a line of the month file at the entry's index) is still the line the day
// entry was made from.
bool EntryMatchesLine(std::string_view entry, std::string_view line);

// Deletes the schedule, holiday or anniversary behind a day entry seen on the selected date:
// the line at the entry's index must still be the entry's line (else the stale message, and the
// caller reloads); with `del_msg` the user confirms first. Throws FileError.
DeleteResult DeleteDayEntry(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& data_folder,
                            std::string_view entry, const Date& selected, bool del_msg);

}  // namespace kal::mainwindow
