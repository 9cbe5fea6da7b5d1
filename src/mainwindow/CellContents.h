// What a day cell of the calendar grids shows, computed from a day's entries: base colours, the
// date line (day number, rokuyo, weather, a public holiday's box), the ordered item lines with
// their texts, fonts, colours and icons, multi-day bar pieces, the memo icon and the day mark.
// The grid widget only paints this. Also the display items, the item texts (cell, full and
// tooltip) and the tooltips of the hover item, and the header cells.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogues/Category.h"
#include "store/DateText.h"
#include "store/Settings.h"

namespace kal::mainwindow {

using store::Date;

// ---- Display items --------------------------------------------------------------------------

inline constexpr int kDisplayItemCount = 31;
enum DisplayItem : int {
  kItemSchedule = 0, kItemTitle = 1, kItemStart = 2, kItemEnd = 3, kItemPlace = 4, kItemMemoMark = 5,
  kItemAlarm1 = 6, kItemAlarm2 = 7, kItemAlarmIcon = 8, kItemHoliday = 9, kItemPrivateHoliday = 10,
  kItemAnniversary1 = 11, kItemAnniversary2 = 12, kItemAnniversary3 = 13, kItemRokuyo = 14,
  kItemSolarTerm = 15, kItemWeatherIcon = 16, kItemMaxTemp = 17, kItemMinTemp = 18, kItemRain = 19,
  kItemTodoOpen = 20, kItemTodoDone = 21, kItemTodoTitle = 22, kItemTodoIcon = 23, kItemTodoPriority = 24,
  kItemTodoProgress = 25, kItemTodoMemo = 26, kItemMemoIcon = 27, kItemCategoryIcon = 28, kItemWeekday = 29,
  kItemDayNumber = 30,
};

// "スケジュール", "- 件名", ... in item order.
const std::array<const char*, kDisplayItemCount>& DisplayItemCaptions();
// The items the side panel lists for a mode (29 and 30 only in modes 5 to 8).
std::vector<int> ListedDisplayItems(int mode);
// Whether item `item` is on in a mode's flags: "0" is off, any other character (and a missing
// one) is on.
bool ItemOn(std::string_view flags, int item);
// The flags with one item switched (the string is first brought to 31 characters with "1").
std::string WithItem(std::string flags, int item, bool on);

// ---- Day entries --------------------------------------------------------------------------

// The parts of a day entry of the month model: order key (2), kind (1), index (4), payload.
struct DayEntry {
  std::string key;
  char kind = ' ';
  std::string index;
  std::string payload;  // CP932
};
DayEntry SplitDayEntry(std::string_view entry);

// The ToDo states 1..7 by name: "期限切れ" ... "待機".
std::string TodoStateName(int state);
// The ToDo state carried by a ToDo mark's order key ("D3", "T6"); 0 when none.
int TodoMarkState(const DayEntry& entry);

// `ViewHantei`: whether an entry is shown under the display items (by its kind).
bool ViewHantei(const DayEntry& entry, std::string_view flags);

// ---- Item texts -------------------------------------------------------------------------------

enum class TextPurpose { Cell, Full, Tooltip };

// `GrdSchEdit`: the text of a schedule or ToDo entry. Alarm texts are the captions of the alarm
// list in order (alarm index 1 is the first); `memo_mark` the setting MemoMark.
std::string GrdSchEdit(const DayEntry& entry, TextPurpose purpose, std::string_view flags,
                       const std::vector<std::string>& alarm_texts, const std::string& memo_mark);

// The text an item line shows (holiday names only with "- 件名", solar terms by their name).
std::string ItemText(const DayEntry& entry, std::string_view flags, const std::vector<std::string>& alarm_texts,
                     const std::string& memo_mark);

// ---- Cells --------------------------------------------------------------------------------------

// The button face colour of blank cells.
inline constexpr int kBlankCellColour = 0xF0F0F0;

// A font as the settings hold it: name, size and style bits (1 bold, 2 italic, 4 underline,
// 8 strike-out). Size falls back to 9 and style to 1 when they are not numbers.
struct ViewFont {
  std::string name;
  int size = 9;
  int style = 0;
  bool bold() const { return (style & 1) != 0; }
  bool italic() const { return (style & 2) != 0; }
  bool underline() const { return (style & 4) != 0; }
  bool strike() const { return (style & 8) != 0; }
  friend bool operator==(const ViewFont&, const ViewFont&) = default;
};
ViewFont ParseViewFont(const std::vector<std::string>& items, const std::string& fallback_name);

// An icon of an item line.
struct IconRef {
  enum class Source { None, Category, SmallImage };
  Source source = Source::None;
  int number = 0;  // category icon number, or small image index
  friend bool operator==(const IconRef&, const IconRef&) = default;
};

struct CellLine {
  DayEntry entry;
  std::string text;      // UTF-8; "■" when the text came out empty
  int text_colour = 0;
  int back_colour = 0;
  int style = 0;         // style bits added to the view font
  IconRef icon;
  bool bar = false;      // a piece of a multi-day bar
  int band = -1;         // bars: the lane (order key)
  int span = 0;          // bars: days of the schedule
  int position = 0;      // bars: this day's position in the span, 1 first
  int bar_colour = 0;
  int bar_style = 0;
};

struct WeatherMarks {
  int weather1 = 0;
  int transition = 0;
  int weather2 = 0;
  bool icons = false;
  std::string max_temp, min_temp, rain;  // only the parts whose display items are on
  bool any() const { return (icons && weather1 > 0) || !max_temp.empty() || !min_temp.empty() || !rain.empty(); }
};

// A day of a grid as the model holds it.
struct CellDay {
  std::optional<Date> date;  // nothing for a blank position
  int kind = 8;              // 0 public, 1 private holiday, 6 Saturday, 7 Sunday, 8 weekday, 9 no such day
  int rokuyo = 0;
  bool memo = false;
  std::vector<std::string> entries;  // day entries in list order
  std::string day_line;              // the day-file line (CP932), empty when none
};

// What the cell rule needs besides the day.
struct CellContext {
  const store::Settings* settings = nullptr;
  int mode = 4;
  bool mini = false;
  Date today{};
  int now_minutes = 0;          // minutes since midnight
  int displayed_year = 0;       // the displayed month (other-month colours)
  int displayed_month = 0;
  bool first_cell = false;      // mode 3: the first cell of the first week row
  bool in_selected_range = false;
  const catalogues::CategoryTable* categories = nullptr;
  std::vector<std::string> alarm_texts;
};

struct CellContents {
  bool blank = false;
  int text_colour = 0;
  int back_colour = 0;
  std::string date_text;   // "%2d" or "m/d"
  bool today = false;
  bool underline = false;  // side calendars: the day number underlined for its entries (CalLine)
  std::string rokuyo;      // "" when not shown
  WeatherMarks weather;
  bool weather_shown = false;
  std::string weather_tip;  // the tooltip of the weather marks
  std::string holiday_box; // the public holiday's name on the date line (modes 3 and 4)
  int holiday_box_colour = 0;
  int holiday_box_text = 0;
  std::vector<CellLine> lines;  // in drawing order: bars at their band slots first
  bool memo_icon = false;
  int memo_fill = 0;
  int memo_outline = 0;
  char day_mark = 0;       // 'S', 'M', 'B', 'N' or 0
  int day_mark_colour = 0;
  // How the lines are drawn.
  ViewFont font;           // the current view font
  ViewFont date_font;      // the Date font of the day number
  // Mini calendar cells: the day number's size in points, or its height in pixels
  // (FontSizeAuto); both 0 in the side calendars, which draw it at 8 points.
  int date_size = 0;
  int date_pixels = 0;
  int line_pitch = 4;      // 1..8
  bool wrap = false;       // Cr: titles wrapped
  bool ellipsis = true;    // an end ellipsis on lines cut at the cell's edge
  bool category_icons = true;
};

// The colour of a day's memo icon, 1..5 (the default IconColor for "0", blank or a bad value).
int MemoIconColour(const std::string& day_line, int default_colour);
// Fill and outline of memo icon colour 1..5.
std::pair<int, int> MemoIconColours(int colour);

// `PastDay`: each of the three channels less $24, stopping at zero.
int DarkenPastDay(int bgr);

// The cell rule: everything a day cell shows.
CellContents BuildCell(const CellDay& day, const CellContext& context);

// ---- Header and week numbers --------------------------------------------------------------------

struct HeaderCell {
  std::string text;
  int text_colour = 0;
  int back_colour = 0;
  bool two_tone = false;
  int upper = 0;  // light tone of the upper half
  int lower = 0;  // base tone of the lower half
  bool japanese = true;  // DateJap: view font at size 9; otherwise the Date font at size 8
};
// The header cell of a weekday (1 Sunday .. 7 Saturday).
HeaderCell BuildHeaderCell(int weekday_number, const store::Settings& settings, bool mini);

// ---- Tooltips -----------------------------------------------------------------------------------

// The seasonal description of a solar term by month and half (day after the 14th).
std::string SeasonDescription(int month, bool second_half);

struct Hint {
  std::string text;  // lines separated by "\r"
  int colour = 0;    // background of the tip
};
// `GrdHint` for the entry of a day. `memo_lines`: for a schedule the lines of its detail, for a
// ToDo item the lines of its memo (empty when none). For a multi-day schedule `first`/`last` are
// its first and last day.
Hint GrdHint(const DayEntry& entry, const Date& date, const std::vector<std::string>& memo_lines,
             const std::vector<std::string>& alarm_texts, const std::string& memo_mark);
// The hint of the memo icon: the date in the memo-tab pattern, then the memo lines.
Hint MemoIconHint(const Date& date, const std::string& daily_title, const std::vector<std::string>& memo_lines,
                  int fill_colour);

}  // namespace kal::mainwindow
