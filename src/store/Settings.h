// The program's settings (Kalendor.ini): every section and key with its type, default, read phase
// and valid range, the two loading phases, the listing of the held values, the exit-time write of
// the layout and the start-up version migration.
//
// The list of keys exists once, in VisitSettings (Settings.cpp): loading, mending, listing and
// writing all walk it.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/DateText.h"
#include "store/IniFile.h"

namespace kal::store {

// The settings version this program writes; a different stored version means a first run.
inline constexpr const char* kSettingsVersion = "5.71";

// Text and back colour of one colour-pair key (blue-green-red values).
struct ColourPair {
  int text = 0;
  int back = 0;
  friend bool operator==(const ColourPair&, const ColourPair&) = default;
};

struct KalendorSettings {
  std::string ver;
  int relative_path = 0;
  std::string data_path;
  std::string memo_path;
  std::string todo_path;
  std::string note_path;
  std::string cate_path;
  std::string tbl_path;
  std::string backup_path;
};

struct WindowSettings {
  int now = 0;
  int height = 0;
  int width = 0;
  int top = 0;
  int left = 0;
  int cal_height = 0;
  int todo_width = 0;
  int state = 0;  // 0 maximised, 2 normal
  bool panel_mode = false;
  int grid_mode = 0;
  bool small_mode = false;
  bool status_bar = false;
  bool task_bar = false;
  bool stay_on_top = false;
  bool system_font = false;
  std::vector<std::string> sys_font;  // font name, size, style
  int top_list = 0;
  int sch_height = 0;
  std::string title;
  int pos_mode = 0;
  bool sch_order = false;
};

struct MiniSettings {
  int height = 0;
  int width = 0;
  int top = 0;
  int left = 0;
  bool title_bar = false;
  int pos_mode = 0;
  int trans = 0;
  int trans_value = 0;
  bool sch_line = false;
  bool week_of_year = false;
  bool font_size_auto = false;
};

struct TraySettings {
  bool task_tray = false;
  bool passwd2 = false;
  bool close_tray = false;
  int tray_act_key = 0;
  int hot_tray_act = 0;
  bool tray_icon = false;
};

struct ViewSettings {
  bool passwd = false;
  int catchk = 0;
  std::vector<int> sch_item_width;  // always ten widths
  std::string sch_item;             // ten "0"/"1" flags
  std::string weather_icon;         // four flags
  bool tool_bar = false;
  bool button_cap = false;
  bool cap_list = false;
  std::string tool_bar_icon;  // one flag per toolbar button
  int str_week = 0;
  bool date_jap = false;
  bool no_history = false;
  bool auto_ime = false;
  bool scr_ud = false;
  int ud_time = 0;
  std::string status_bar_form;
  std::string monthly_bar_form;
  int weekly_bar_form = 0;
  bool cal_line = false;
  std::string memo_mark;
  std::vector<std::string> monthly_bar_font;  // as stored; see MonthlyBarFontItems
  int extend_bar = 0;
  bool drag_msg = false;
  bool del_msg = false;
  bool auto_holiday = false;
  bool auto_syn_syu = false;
  bool mouse_tip = false;
  bool pop_sch = false;
  bool auto_sch_height = false;
  int cat_icon = 0;
  bool sch_color = false;
  bool ellipsis = false;
};

// The section of one view mode (Daily ... Yearly2). Every mode has the layout keys; the period
// count, vertical-view and month-view keys are read only in the modes that have them.
struct ViewModeSettings {
  std::string item_view;  // 31 display-item flags
  int right_width = 0;
  int top_height = 0;
  int note_width = 0;
  bool under_panel = false;
  bool side_panel = false;
  bool mini_bef = false;
  bool mini_cur = false;
  bool mini_nxt = false;
  bool sat_sun_no = false;
  bool sat_sun = false;
  bool cr = false;
  int line_pitch = 0;
  bool sch_list = false;
  bool memo_panel = false;
  bool note_panel = false;
  bool auto_width = false;
  // Period counts: Daily DayNo, Weekly WeekNo, Monthly MonthNo, Monthly2 MonNo, Monthly3 YearNo.
  int day_no = 0;
  int week_no = 0;
  int month_no = 0;
  int mon_no = 0;
  int year_no = 0;
  // Vertical views: Daily and Vertical.
  bool just_height = false;
  int cell_height = 0;
  int str_time = 0;
  int end_time = 0;
  // Vertical only.
  int str_time2 = 0;
  int end_time2 = 0;
  int def_time = 0;
  bool round = false;
  bool trans = false;
  bool now_line = false;
  // Monthly only.
  bool past_day = false;
  bool past_wet = false;
  bool week_of_year = false;
  bool week_of = false;
};

// The column settings of one ToDo tab (key prefixes TNo, TOk, TWt).
struct TodoTabSettings {
  int icon = 0;
  int column = 0;
  int order = 0;                // 1 ascending, -1 descending
  std::vector<int> item_width;  // always ten widths
  std::string item;             // ten flags
};

struct TodoSettings {
  std::string set_icon;             // seven flags
  std::array<TodoTabSettings, 3> tabs;  // 未処理, 処理済, 待機
  int pop = 0;
  bool t_no_color = false;
  int warn_term = 0;
  bool list_tab = false;
  std::string date_style;
  bool graph = false;
  int graph_color = 0;
  int back_color = 0;
  bool wait_task = false;
  int wait_day = 0;
  bool wait_count = false;
  int wait_cnt = 0;
  bool wait_date = false;
  std::array<ColourPair, 7> state_colours;  // keys "00" ... "06", ToDo states 1 to 7
};

struct MemoSettings {
  bool exe = false;
  std::string exe_name;
  bool tab = false;
  bool list_tab = false;
  std::string daily_title;
  std::string monthly_title;
  int icon_color = 0;
};

struct NoteSettings {
  bool password = false;
  bool list_tab = false;
  bool exe = false;
  std::string exe_name;
  bool tab = false;
  bool h_bar = false;
};

struct AlarmSettings {
  bool sound = false;
  int type = 0;
  int mode = 0;
  bool stay_on_top = false;
  std::string wav;
  bool file_open = false;
  int pos = 0;
  int show_time = 0;
  bool clear = false;
  int time1 = 0;
  int time2 = 0;
  bool check_on = false;
};

struct SignalSettings {
  int mode = 0;
  bool stay_on_top = false;
  int type = 0;
  int pos = 0;
  int show_time = 0;
  bool clear = false;
  bool font = false;
  std::string font_name;
  std::string form;
  std::string wav;
};

struct FileSettings {
  bool csv_str_time = false;
  bool csv_end_time = false;
  bool csv_alarm = false;
};

struct ListSettings {
  int sch_top = 0;
  int sch_left = 0;
  int sch_height = 0;
  int sch_width = 0;
  std::vector<std::string> sch_item_width;
  int sch_column = 0;
  int sch_order = 0;
};

// The calendar server the schedules are synchronised with. The password is never kept here: it
// lives in the desktop's secret service.
struct SyncSettings {
  std::string url;       // the server's address (http or https)
  std::string user;
  std::string calendar;  // the calendar's display name or path; empty: the first calendar
  int interval = 0;      // minutes between automatic syncs; 0: only on request
};

// Each font key: font name, size, style bits.
struct FontSettings {
  std::vector<std::string> date;
  std::vector<std::string> daily;
  std::vector<std::string> vertical;
  std::vector<std::string> weekly;
  std::vector<std::string> monthly;
  std::vector<std::string> yearly;
  std::vector<std::string> memo;
  std::vector<std::string> note;
  std::vector<std::string> todo;
  std::vector<std::string> mini;
  std::vector<std::string> tray;
  std::vector<std::string> category;
  std::vector<std::string> sch;
};

struct ColorSettings {
  bool today = false;
  bool month_before_next = false;
  bool week_before_next = false;
  bool mini_color = false;
  int vista_head = 0;
  ColourPair sel, day, sat, sun, syu, kyu, kn1, kn2, kn3, zen, tod, rok, sek, dyh, sah, suh, lin, mem, tno,
      tok, twt, not_, cat, wet, rai, mcn, mcr, vhd;
};

// The eight view modes, 1 to 8.
inline constexpr int kViewModeCount = 8;
inline constexpr std::array<const char*, kViewModeCount> kViewSectionNames = {
    "Daily", "Vertical", "Weekly", "Monthly", "Yearly", "Monthly2", "Monthly3", "Yearly2"};
inline constexpr std::array<const char*, 3> kTodoTabPrefixes = {"TNo", "TOk", "TWt"};

struct Settings {
  KalendorSettings kalendor;
  WindowSettings window;
  MiniSettings mini;
  TraySettings tray;
  ViewSettings view;
  std::array<ViewModeSettings, kViewModeCount> views;  // views[mode - 1]
  TodoSettings todo;
  MemoSettings memo;
  NoteSettings note;
  AlarmSettings alarm;
  SignalSettings signal;
  FileSettings file;
  ListSettings list;
  SyncSettings sync;
  FontSettings font;
  ColorSettings color;

  ViewModeSettings& view_mode(int mode) { return views.at(static_cast<std::size_t>(mode - 1)); }
  const ViewModeSettings& view_mode(int mode) const { return views.at(static_cast<std::size_t>(mode - 1)); }
};

// What the defaults of a run depend on.
struct SettingsDefaults {
  std::string program_folder;  // default of DataPath, CatePath, TblPath
  std::string main_font_name;  // default of SysFont and the Font keys
  int main_font_size = 9;      // size item of the SysFont default
};

// When a key is read: S only at start-up, L at start-up and after the settings dialog's OK,
// O only by the dialog or window that owns it (read at start-up here so that it can be listed).
enum class ReadPhase { StartUp, EveryLoad, Other };
enum class LoadPhase { StartUp, Reload };

enum class SettingType { Bool, Int, Colour, Text, Flags, CommaText, ColourPair, Widths };

// One key of the settings file as the key table describes it.
struct SettingKey {
  std::string section;
  std::string key;
  SettingType type = SettingType::Text;
  ReadPhase phase = ReadPhase::StartUp;
  std::string default_text;  // the default in its written form
  std::optional<int> min;    // valid range of an integer
  std::optional<int> max;
  bool text_only = false;  // colour pair stored by the colour-scheme save with its text colour alone
};

// Every key in table order, with the defaults of this run.
std::vector<SettingKey> SettingsKeys(const SettingsDefaults& defaults);

// Reads the keys of `phase` into `settings`; keys of other phases are left as they are. Values
// that do not convert take their defaults, values out of range are brought into range, flag
// strings and width lists are brought to their length with the default's remaining items.
void LoadSettings(const IniFile& ini, Settings& settings, LoadPhase phase, const SettingsDefaults& defaults);
// Every key at its default (the settings of a missing file).
Settings DefaultSettings(const SettingsDefaults& defaults);

// Every key in table order as held: {section, key, value in its written form}.
std::vector<std::array<std::string, 3>> SettingsRows(const Settings& settings);

// Writes the keys the predicate picks, in table order, in their written form.
void WriteSettings(IniFile& ini, const Settings& settings, const std::function<bool(const SettingKey&)>& which);

// Written forms of the value types.
std::string BoolText(bool value);
std::string ColourPairText(const ColourPair& pair);
std::string WidthsText(const std::vector<int>& widths);
// A text value as it goes into the file: enclosed in double quotes when blanks at its ends would
// otherwise be lost or when it is itself enclosed in double quotes.
std::string TextForFile(const std::string& value);
// Reads a colour pair: characters 1 to 7 the text colour, 9 to 15 the back colour, each falling
// back to the default's when it does not convert.
ColourPair ParseColourPair(const std::string& value, const ColourPair& fallback);

// The period heading font when it is usable (exactly four items: name, size, style, colour).
std::optional<std::array<std::string, 4>> MonthlyBarFontItems(const ViewSettings& view);

// ---- Start-up version migration -----------------------------------------------------------

// Checks the stored Ver: a value other than "5.71" (default "0.00") is a first run. A version
// whose first three characters compare lower than "5.7" loses the ItemView keys of the eight
// view sections; one lower than "5.00" also loses the sections View, ToDo, Memo, Note, Font,
// Color and ToolBar. Returns whether this is a first run.
bool MigrateSettingsVersion(IniFile& ini);

// True when the stored year is before today's year and today is on or before 7 January: the
// layout is then written at exit so that the new year is remembered.
bool YearTurnNeedsSave(int stored_now, const Date& today);

// ---- Exit-time write ------------------------------------------------------------------------

enum class WindowShowState { Normal, Maximised, Minimised };

struct WindowGeometry {
  int top = 0;
  int left = 0;
  int height = 0;
  int width = 0;
  friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

// What the main window knows at exit besides the settings it keeps current.
struct ExitState {
  bool initialising = false;     // closed before the first show finished: nothing is written
  bool layout_changed = false;   // the layout-changed flag
  bool state_switched = false;   // changed between normal and maximised since start-up
  WindowShowState show_state = WindowShowState::Normal;
  bool mini_mode = false;        // in mini-calendar mode
  WindowGeometry current;        // the window now (the mini window in mini mode)
  WindowGeometry remembered;     // the values the window's geometry is compared against
  WindowGeometry normal_saved;   // in mini mode: the normal window from before mini mode
  WindowGeometry mini_saved;     // outside mini mode: the remembered mini window
  int current_year = 0;
  int remembered_year = 0;       // the year remembered at the last day change
  std::array<bool, kViewModeCount> views_shown{};  // [mode - 1]: shown since start-up
  std::array<bool, 3> todo_tabs_marked{};          // ToDo tab column settings to write
  // Column widths as shown now; -1 (or a missing entry) where not known.
  std::vector<int> sch_column_widths;   // the ten columns of the schedule list
  int todo_tab = -1;                    // the ToDo list's current tab (0 未処理, 1 処理済, 2 待機)
  std::vector<int> todo_column_widths;  // its ten data columns (the columns after the first)
};

// Column widths that differ from the stored ones are stored; that sets the layout-changed flag
// and, for the ToDo list, marks the current tab's column settings for writing.
void TakeColumnWidths(Settings& settings, ExitState& state);

// False when nothing changed that the exit write keeps.
bool ExitWriteNeeded(const ExitState& state);

// Writes the layout keys in their exit-time order (the caller flushes the file).
void WriteExitSettings(IniFile& ini, const Settings& settings, const ExitState& state);

// The whole exit-time save after the ToDo list state is stored: takes the column widths, and
// writes the layout when it is needed. Returns whether anything was written (then the caller
// flushes the file).
bool SaveExitSettings(IniFile& ini, Settings& settings, ExitState& state);

}  // namespace kal::store
