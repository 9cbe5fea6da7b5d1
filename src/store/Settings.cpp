#include "store/Settings.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "store/Colour.h"
#include "store/CommaText.h"

namespace kal::store {

namespace {

constexpr ReadPhase S = ReadPhase::StartUp;
constexpr ReadPhase L = ReadPhase::EveryLoad;
constexpr ReadPhase O = ReadPhase::Other;

struct Key {
  std::string section;
  std::string key;
  ReadPhase phase;
};

// How an integer is brought into its valid values.
enum class IntRule { Clamp, ZeroOrTwo, Sign };
struct Range {
  std::optional<int> min;
  std::optional<int> max;
  IntRule rule = IntRule::Clamp;
};
Range Between(int lo, int hi) { return Range{lo, hi}; }
Range AtLeast(int lo) { return Range{lo, std::nullopt}; }
const Range kSize = AtLeast(1);
const Range kAny{};

// Which characters of a flag string count as on.
enum class FlagRule {
  OnlyOne,    // "1" is on, anything else off
  ZeroIsOff,  // "0" is off, anything else (another digit, a non-digit) on
};

std::vector<int> Widths(std::initializer_list<int> w) { return std::vector<int>(w); }

const std::vector<int> kSchItemWidths = Widths({20, 140, 140, 160, 120, 100, 32, 36, 38, 32});
const std::vector<int> kTodoItemWidths = Widths({100, 52, 100, 22, 100, 80, 42, 100, 32, 32});
constexpr int kToolBarButtons = 47;

const char* ItemViewDefault(int mode) {
  switch (mode) {
    case 1:
    case 3: return "1111111101111111111111111111100";
    case 2: return "1111111101111111111111110001100";
    case 4: return "1110000001111111111111110001100";
    case 5: return "1000000011111100000011010001111";
    case 6:
    case 7: return "1000000011111100000011010001110";
    default: return "1100000001111101000011110001011";
  }
}

// The key table. Every key the program reads, in the order of the settings tables, with its
// type, default, read phase and valid values. `s` is a Settings or a const Settings; `v` gets one
// call per key with the member that holds it.
template <class SettingsT, class V>
void VisitSettings(SettingsT& s, const SettingsDefaults& d, V& v) {
  auto& k = s.kalendor;
  v.Text(Key{"Kalendor", "Ver", S}, k.ver, "0.00");
  v.Int(Key{"Kalendor", "RelativePath", L}, k.relative_path, 0, Between(0, 1));
  v.Text(Key{"Kalendor", "DataPath", L}, k.data_path, d.program_folder);
  // The other data folders default to the data folder just read.
  v.Text(Key{"Kalendor", "MemoPath", L}, k.memo_path, std::string(k.data_path));
  v.Text(Key{"Kalendor", "TodoPath", L}, k.todo_path, std::string(k.data_path));
  v.Text(Key{"Kalendor", "NotePath", L}, k.note_path, std::string(k.data_path));
  v.Text(Key{"Kalendor", "CatePath", L}, k.cate_path, d.program_folder);
  v.Text(Key{"Kalendor", "TblPath", L}, k.tbl_path, d.program_folder);
  v.Text(Key{"Kalendor", "BackupPath", O}, k.backup_path, "");

  auto& w = s.window;
  v.Int(Key{"Window", "Now", S}, w.now, 2001, kAny);
  v.Int(Key{"Window", "Height", S}, w.height, 680, kSize);
  v.Int(Key{"Window", "Width", S}, w.width, 920, kSize);
  v.Int(Key{"Window", "Top", L}, w.top, 1, kAny);
  v.Int(Key{"Window", "Left", L}, w.left, 1, kAny);
  v.Int(Key{"Window", "CalHeight", S}, w.cal_height, 128, kSize);
  v.Int(Key{"Window", "TodoWidth", S}, w.todo_width, 410, kSize);
  v.Int(Key{"Window", "State", S}, w.state, 2, Range{0, 2, IntRule::ZeroOrTwo});
  v.Bool(Key{"Window", "PanelMode", S}, w.panel_mode, true);
  v.Int(Key{"Window", "GridMode", S}, w.grid_mode, 4, Between(1, 8));
  v.Bool(Key{"Window", "SmallMode", S}, w.small_mode, false);
  v.Bool(Key{"Window", "StatusBar", S}, w.status_bar, true);
  v.Bool(Key{"Window", "TaskBar", S}, w.task_bar, false);
  v.Bool(Key{"Window", "StayOnTop", S}, w.stay_on_top, false);
  v.Bool(Key{"Window", "SystemFont", S}, w.system_font, false);
  v.Comma(Key{"Window", "SysFont", S}, w.sys_font,
          std::vector<std::string>{d.main_font_name, std::to_string(d.main_font_size), "0"});
  v.Int(Key{"Window", "TopList", S}, w.top_list, 0, Between(0, 2));
  v.Int(Key{"Window", "SchHeight", L}, w.sch_height, 54, kSize);
  v.Text(Key{"Window", "Title", L}, w.title, "Kalendor");
  v.Int(Key{"Window", "PosMode", L}, w.pos_mode, 2, Between(0, 5));
  v.Bool(Key{"Window", "SchOrder", L}, w.sch_order, true);

  auto& m = s.mini;
  v.Int(Key{"Mini", "Height", S}, m.height, 156, kSize);
  v.Int(Key{"Mini", "Width", S}, m.width, 172, kSize);
  v.Int(Key{"Mini", "Top", S}, m.top, 1, kAny);
  v.Int(Key{"Mini", "Left", S}, m.left, 1, kAny);
  v.Bool(Key{"Mini", "TitleBar", S}, m.title_bar, true);
  v.Int(Key{"Mini", "PosMode", L}, m.pos_mode, 5, Between(0, 5));
  v.Int(Key{"Mini", "Trans", L}, m.trans, 0, kAny);
  v.Int(Key{"Mini", "TransValue", L}, m.trans_value, 120, Between(0, 255));
  v.Bool(Key{"Mini", "SchLine", L}, m.sch_line, false);
  v.Bool(Key{"Mini", "WeekOfYear", L}, m.week_of_year, false);
  v.Bool(Key{"Mini", "FontSizeAuto", L}, m.font_size_auto, false);

  auto& t = s.tray;
  v.Bool(Key{"Tray", "TaskTray", S}, t.task_tray, false);
  v.Bool(Key{"Tray", "Passwd2", L}, t.passwd2, false);
  v.Bool(Key{"Tray", "CloseTray", L}, t.close_tray, false);
  v.Int(Key{"Tray", "TrayActKey", L}, t.tray_act_key, 0, kAny);
  v.Int(Key{"Tray", "HotTrayAct", L}, t.hot_tray_act, 49235, Between(0, 0xFFFF));
  v.Bool(Key{"Tray", "TrayIcon", L}, t.tray_icon, false);

  auto& vw = s.view;
  v.Bool(Key{"View", "Passwd", S}, vw.passwd, false);
  v.Int(Key{"View", "Catchk", S}, vw.catchk, 2, Between(0, 2));
  v.Widths(Key{"View", "SchItemWidth", S}, vw.sch_item_width, kSchItemWidths, 100);
  v.Flags(Key{"View", "SchItem", S}, vw.sch_item, "1111101111", FlagRule::OnlyOne);
  v.Flags(Key{"View", "WeatherIcon", S}, vw.weather_icon, "0000", FlagRule::OnlyOne);
  v.Bool(Key{"View", "ToolBar", L}, vw.tool_bar, true);
  v.Bool(Key{"View", "ButtonCap", L}, vw.button_cap, false);
  v.Bool(Key{"View", "CapList", L}, vw.cap_list, false);
  v.Flags(Key{"View", "ToolBarIcon", L}, vw.tool_bar_icon, std::string(kToolBarButtons, '1'), FlagRule::OnlyOne);
  v.Int(Key{"View", "StrWeek", L}, vw.str_week, 1, Between(0, 1));
  v.Bool(Key{"View", "DateJap", L}, vw.date_jap, true);
  v.Bool(Key{"View", "NoHistory", L}, vw.no_history, false);
  v.Bool(Key{"View", "AutoIme", L}, vw.auto_ime, true);
  v.Bool(Key{"View", "ScrUd", L}, vw.scr_ud, true);
  v.Int(Key{"View", "UdTime", L}, vw.ud_time, 3, Between(0, 99));
  v.Text(Key{"View", "StatusBarForm", L}, vw.status_bar_form, "未設定");
  v.Text(Key{"View", "MonthlyBarForm", L}, vw.monthly_bar_form, "yyyy年 m月");
  v.Int(Key{"View", "WeeklyBarForm", L}, vw.weekly_bar_form, 0, Between(0, 3));
  v.Bool(Key{"View", "CalLine", L}, vw.cal_line, true);
  v.Text(Key{"View", "MemoMark", L}, vw.memo_mark, "◆");
  v.Comma(Key{"View", "MonthlyBarFont", L}, vw.monthly_bar_font, std::vector<std::string>{});
  v.Int(Key{"View", "ExtendBar", L}, vw.extend_bar, 3, Between(0, 5));
  v.Bool(Key{"View", "DragMsg", L}, vw.drag_msg, false);
  v.Bool(Key{"View", "DelMsg", L}, vw.del_msg, true);
  v.Bool(Key{"View", "AutoHoliday", L}, vw.auto_holiday, true);
  v.Bool(Key{"View", "AutoSynSyu", L}, vw.auto_syn_syu, true);
  v.Bool(Key{"View", "MouseTip", L}, vw.mouse_tip, true);
  v.Bool(Key{"View", "PopSch", L}, vw.pop_sch, false);
  v.Bool(Key{"View", "AutoSchHeight", L}, vw.auto_sch_height, true);
  v.Int(Key{"View", "CatIcon", L}, vw.cat_icon, 0, Between(0, 1));
  v.Bool(Key{"View", "SchColor", L}, vw.sch_color, false);
  v.Bool(Key{"View", "Ellipsis", L}, vw.ellipsis, true);

  for (int mode = 1; mode <= kViewModeCount; ++mode) {
    auto& x = s.views[static_cast<std::size_t>(mode - 1)];
    const std::string sec = kViewSectionNames[static_cast<std::size_t>(mode - 1)];
    v.Flags(Key{sec, "ItemView", S}, x.item_view, ItemViewDefault(mode), FlagRule::ZeroIsOff);
    v.Int(Key{sec, "RightWidth", S}, x.right_width, 168, kSize);
    v.Int(Key{sec, "TopHeight", S}, x.top_height, 403, kSize);
    v.Int(Key{sec, "NoteWidth", S}, x.note_width, 250, kSize);
    v.Bool(Key{sec, "UnderPanel", S}, x.under_panel, !(mode == 1 || mode == 2 || mode == 5 || mode == 8));
    v.Bool(Key{sec, "SidePanel", S}, x.side_panel, !(mode == 5 || mode == 8));
    if (mode != 7) v.Bool(Key{sec, "MiniBef", S}, x.mini_bef, false);
    v.Bool(Key{sec, "MiniCur", S}, x.mini_cur, true);
    if (mode != 7) v.Bool(Key{sec, "MiniNxt", S}, x.mini_nxt, true);
    v.Bool(Key{sec, "SatSunNo", S}, x.sat_sun_no, false);
    v.Bool(Key{sec, "SatSun", S}, x.sat_sun, false);
    v.Bool(Key{sec, "Cr", S}, x.cr, false);
    v.Int(Key{sec, "LinePitch", S}, x.line_pitch, 4, Between(1, 8));
    v.Bool(Key{sec, "SchList", S}, x.sch_list, mode == 6 || mode == 7);
    v.Bool(Key{sec, "MemoPanel", S}, x.memo_panel, true);
    v.Bool(Key{sec, "NotePanel", S}, x.note_panel, true);
    v.Bool(Key{sec, "AutoWidth", S}, x.auto_width, false);
    switch (mode) {
      case 1: v.Int(Key{sec, "DayNo", S}, x.day_no, 3, Between(1, 7)); break;
      case 3: v.Int(Key{sec, "WeekNo", S}, x.week_no, 2, Between(1, 6)); break;
      case 4: v.Int(Key{sec, "MonthNo", S}, x.month_no, 5, Between(5, 6)); break;
      case 6: v.Int(Key{sec, "MonNo", S}, x.mon_no, 6, Between(1, 12)); break;
      case 7: v.Int(Key{sec, "YearNo", S}, x.year_no, 6, Between(1, 12)); break;
      default: break;
    }
    if (mode == 1) {
      v.Bool(Key{sec, "JustHeight", L}, x.just_height, false);
      v.Int(Key{sec, "CellHeight", L}, x.cell_height, 15, kSize);
      v.Int(Key{sec, "StrTime", L}, x.str_time, 0, Between(0, 23));
      v.Int(Key{sec, "EndTime", L}, x.end_time, 23, Between(0, 36));
    } else if (mode == 2) {
      v.Int(Key{sec, "StrTime", L}, x.str_time, 8, Between(0, 23));
      v.Int(Key{sec, "EndTime", L}, x.end_time, 20, Between(0, 36));
      v.Bool(Key{sec, "JustHeight", L}, x.just_height, true);
      v.Int(Key{sec, "CellHeight", L}, x.cell_height, 15, kSize);
      v.Int(Key{sec, "StrTime2", L}, x.str_time2, 9, Between(0, 36));
      v.Int(Key{sec, "EndTime2", L}, x.end_time2, 17, Between(0, 36));
      v.Int(Key{sec, "DefTime", L}, x.def_time, 1, Between(1, 3));
      v.Bool(Key{sec, "Round", L}, x.round, true);
      v.Bool(Key{sec, "Trans", L}, x.trans, true);
      v.Bool(Key{sec, "NowLine", L}, x.now_line, true);
    } else if (mode == 4) {
      v.Bool(Key{sec, "PastDay", L}, x.past_day, false);
      v.Bool(Key{sec, "PastWet", L}, x.past_wet, true);
      v.Bool(Key{sec, "WeekOfYear", L}, x.week_of_year, true);
      v.Bool(Key{sec, "WeekOf", L}, x.week_of, false);
    }
  }

  auto& td = s.todo;
  v.Flags(Key{"ToDo", "SetIcon", S}, td.set_icon, "0000000", FlagRule::OnlyOne);
  static constexpr std::array<const char*, 3> kTabItems = {"1101101010", "1000100110", "1011100010"};
  auto tab_key = [](std::size_t i, const char* what) { return std::string(kTodoTabPrefixes[i]) + what; };
  for (std::size_t i = 0; i < 3; ++i) v.Int(Key{"ToDo", tab_key(i, "Icon"), S}, td.tabs[i].icon, 1, Between(0, 1));
  for (std::size_t i = 0; i < 3; ++i)
    v.Int(Key{"ToDo", tab_key(i, "Column"), S}, td.tabs[i].column, 1, Between(1, 10));
  for (std::size_t i = 0; i < 3; ++i)
    v.Int(Key{"ToDo", tab_key(i, "Order"), S}, td.tabs[i].order, 1, Range{-1, 1, IntRule::Sign});
  for (std::size_t i = 0; i < 3; ++i)
    v.Widths(Key{"ToDo", tab_key(i, "ItemWidth"), S}, td.tabs[i].item_width, kTodoItemWidths, 40);
  for (std::size_t i = 0; i < 3; ++i)
    v.Flags(Key{"ToDo", tab_key(i, "Item"), S}, td.tabs[i].item, kTabItems[i], FlagRule::OnlyOne);
  v.Int(Key{"ToDo", "Pop", L}, td.pop, 0, Between(0, 3));
  v.Bool(Key{"ToDo", "TNoColor", L}, td.t_no_color, true);
  v.Int(Key{"ToDo", "WarnTerm", L}, td.warn_term, 3, Between(1, 99));
  v.Bool(Key{"ToDo", "ListTab", L}, td.list_tab, false);
  v.Text(Key{"ToDo", "DateStyle", L}, td.date_style, "yyyy/mm/dd");
  v.Bool(Key{"ToDo", "Graph", L}, td.graph, false);
  v.Colour(Key{"ToDo", "GraphColor", L}, td.graph_color, 65280);
  v.Colour(Key{"ToDo", "BackColor", L}, td.back_color, 0xD0FFD0);
  v.Bool(Key{"ToDo", "WaitTask", L}, td.wait_task, false);
  v.Int(Key{"ToDo", "WaitDay", L}, td.wait_day, 10, Between(0, 999));
  v.Bool(Key{"ToDo", "WaitCount", L}, td.wait_count, false);
  v.Int(Key{"ToDo", "WaitCnt", L}, td.wait_cnt, 5, Between(0, 999));
  v.Bool(Key{"ToDo", "WaitDate", L}, td.wait_date, true);
  static constexpr std::array<ColourPair, 7> kStateColours = {
      ColourPair{0x0000FF, 0xFFFFFF}, ColourPair{0x000000, 0x8080FF}, ColourPair{0x000000, 0x00FFFF},
      ColourPair{0x008000, 0xFFFFFF}, ColourPair{0xFF0000, 0xFFFFFF}, ColourPair{0x000000, 0xFFFFFF},
      ColourPair{0x000000, 0xFFFFFF}};
  for (std::size_t i = 0; i < 7; ++i)
    v.Pair(Key{"ToDo", "0" + std::to_string(i), L}, td.state_colours[i], kStateColours[i], false);

  auto& me = s.memo;
  v.Bool(Key{"Memo", "Exe", L}, me.exe, false);
  v.Text(Key{"Memo", "ExeName", L}, me.exe_name, "");
  v.Bool(Key{"Memo", "Tab", L}, me.tab, true);
  v.Bool(Key{"Memo", "ListTab", L}, me.list_tab, false);
  v.Text(Key{"Memo", "DailyTitle", L}, me.daily_title, "未設定");
  v.Text(Key{"Memo", "MonthlyTitle", L}, me.monthly_title, "未設定");
  v.Int(Key{"Memo", "IconColor", L}, me.icon_color, 3, Between(1, 5));

  auto& n = s.note;
  v.Bool(Key{"Note", "Password", L}, n.password, false);
  v.Bool(Key{"Note", "ListTab", L}, n.list_tab, false);
  v.Bool(Key{"Note", "Exe", L}, n.exe, false);
  v.Text(Key{"Note", "ExeName", L}, n.exe_name, "");
  v.Bool(Key{"Note", "Tab", L}, n.tab, false);
  v.Bool(Key{"Note", "HBar", L}, n.h_bar, false);

  auto& a = s.alarm;
  v.Bool(Key{"Alarm", "Sound", L}, a.sound, false);
  v.Int(Key{"Alarm", "Type", L}, a.type, 1, Between(0, 3));
  v.Int(Key{"Alarm", "Mode", L}, a.mode, 0, Between(0, 2));
  v.Bool(Key{"Alarm", "StayOnTop", L}, a.stay_on_top, true);
  v.Text(Key{"Alarm", "Wav", L}, a.wav, "");
  v.Bool(Key{"Alarm", "FileOpen", L}, a.file_open, false);
  v.Int(Key{"Alarm", "Pos", O}, a.pos, 3, Between(0, 4));
  v.Int(Key{"Alarm", "ShowTime", O}, a.show_time, 10, Between(1, 999));
  v.Bool(Key{"Alarm", "Clear", O}, a.clear, false);
  v.Int(Key{"Alarm", "Time1", O}, a.time1, 0, AtLeast(0));
  v.Int(Key{"Alarm", "Time2", O}, a.time2, 0, AtLeast(0));
  v.Bool(Key{"Alarm", "CheckOn", O}, a.check_on, false);

  auto& sg = s.signal;
  v.Int(Key{"Signal", "Mode", L}, sg.mode, 1, Between(0, 3));
  v.Bool(Key{"Signal", "StayOnTop", L}, sg.stay_on_top, true);
  v.Int(Key{"Signal", "Type", O}, sg.type, 2, Between(0, 2));
  v.Int(Key{"Signal", "Pos", O}, sg.pos, 2, Between(0, 4));
  v.Int(Key{"Signal", "ShowTime", O}, sg.show_time, 10, Between(1, 60));
  v.Bool(Key{"Signal", "Clear", O}, sg.clear, true);
  v.Bool(Key{"Signal", "Font", O}, sg.font, true);
  v.Text(Key{"Signal", "FontName", O}, sg.font_name, "");
  v.Text(Key{"Signal", "Form", O}, sg.form, "h:nn");
  v.Text(Key{"Signal", "Wav", O}, sg.wav, "");

  auto& f = s.file;
  v.Bool(Key{"File", "CsvStrTime", O}, f.csv_str_time, false);
  v.Bool(Key{"File", "CsvEndTime", O}, f.csv_end_time, false);
  v.Bool(Key{"File", "CsvAlarm", O}, f.csv_alarm, false);

  auto& li = s.list;
  v.Int(Key{"List", "SchTop", O}, li.sch_top, w.top + 24, kAny);
  v.Int(Key{"List", "SchLeft", O}, li.sch_left, w.left + 8, kAny);
  v.Int(Key{"List", "SchHeight", O}, li.sch_height, 620, kSize);
  v.Int(Key{"List", "SchWidth", O}, li.sch_width, 920, kSize);
  v.Comma(Key{"List", "SchItemWidth", O}, li.sch_item_width, std::vector<std::string>{});
  v.Int(Key{"List", "SchColumn", O}, li.sch_column, 1, AtLeast(0));
  v.Int(Key{"List", "SchOrder", O}, li.sch_order, 1, Range{-1, 1, IntRule::Sign});

  auto& sy = s.sync;
  v.Text(Key{"Sync", "Url", O}, sy.url, "");
  v.Text(Key{"Sync", "User", O}, sy.user, "");
  v.Text(Key{"Sync", "Calendar", O}, sy.calendar, "");
  v.Int(Key{"Sync", "Interval", O}, sy.interval, 0, Between(0, 1440));

  auto& fo = s.font;
  const std::vector<std::string> font{d.main_font_name, "9", "0"};
  v.Comma(Key{"Font", "Date", L}, fo.date, font);
  v.Comma(Key{"Font", "Daily", L}, fo.daily, font);
  v.Comma(Key{"Font", "Vertical", L}, fo.vertical, font);
  v.Comma(Key{"Font", "Weekly", L}, fo.weekly, font);
  v.Comma(Key{"Font", "Monthly", L}, fo.monthly, font);
  v.Comma(Key{"Font", "Yearly", L}, fo.yearly, font);
  v.Comma(Key{"Font", "Memo", L}, fo.memo, font);
  v.Comma(Key{"Font", "Note", L}, fo.note, font);
  v.Comma(Key{"Font", "ToDo", L}, fo.todo, font);
  v.Comma(Key{"Font", "Mini", L}, fo.mini, font);
  v.Comma(Key{"Font", "Tray", L}, fo.tray, font);
  v.Comma(Key{"Font", "Category", L}, fo.category, font);
  v.Comma(Key{"Font", "Sch", L}, fo.sch, font);

  auto& c = s.color;
  v.Bool(Key{"Color", "Today", L}, c.today, true);
  v.Bool(Key{"Color", "MonthBeforeNext", L}, c.month_before_next, true);
  v.Bool(Key{"Color", "WeekBeforeNext", L}, c.week_before_next, true);
  v.Bool(Key{"Color", "MiniColor", L}, c.mini_color, true);
  v.Int(Key{"Color", "VistaHead", L}, c.vista_head, 4, Between(0, 4));
  auto pair = [&](const char* key, auto& member, int text, int back, bool text_only) {
    v.Pair(Key{"Color", key, L}, member, ColourPair{text, back}, text_only);
  };
  pair("SEL", c.sel, 0x000000, 0xFF0000, false);
  pair("DAY", c.day, 0x000000, 0xE1FFFF, false);
  pair("SAT", c.sat, 0xFF0000, 0xFAE6E6, false);
  pair("SUN", c.sun, 0x0000FF, 0xE0D0FE, false);
  pair("SYU", c.syu, 0x0000FF, 0xE0D0FE, false);
  pair("KYU", c.kyu, 0x0000FF, 0xE0D0FE, false);
  pair("KN1", c.kn1, 0xFF00FF, 0xFFFFFF, true);
  pair("KN2", c.kn2, 0x4080FF, 0xFFFFFF, true);
  pair("KN3", c.kn3, 0x808000, 0xFFFFFF, true);
  pair("ZEN", c.zen, 0x808080, 0xDCDCDC, false);
  pair("TOD", c.tod, 0x00FF00, 0xFFFFE0, false);
  pair("ROK", c.rok, 0x808080, 0xFFFFFF, true);
  pair("SEK", c.sek, 0xFF8080, 0xFFFFFF, true);
  pair("DYH", c.dyh, 0xFFFFFF, 0x808080, false);
  pair("SAH", c.sah, 0xFFFFFF, 0xFF0000, false);
  pair("SUH", c.suh, 0xFFFFFF, 0x0000FF, false);
  pair("LIN", c.lin, 0x808080, 0xFFFFFF, false);
  pair("MEM", c.mem, 0x000000, 0xFFFFE0, false);
  pair("TNO", c.tno, 0x000000, 0xE1E4FF, false);
  pair("TOK", c.tok, 0x000000, 0xFFFFE0, false);
  pair("TWT", c.twt, 0x000000, 0xE1FFFF, false);
  pair("NOT", c.not_, 0x000000, 0xFAE6E6, false);
  pair("CAT", c.cat, 0x000000, 0xE1FFFF, false);
  pair("WET", c.wet, 0x0000FF, 0xFF0000, false);
  pair("RAI", c.rai, 0x808080, 0xFFFFFF, true);
  pair("MCN", c.mcn, 0x000000, 0x808080, false);
  pair("MCR", c.mcr, 0xFFFFFF, 0xFFE3C8, false);
  pair("VHD", c.vhd, 0x804000, 0xF8EDE4, false);
}

int Mend(int value, const Range& r) {
  switch (r.rule) {
    case IntRule::ZeroOrTwo: return value == 0 ? 0 : 2;
    case IntRule::Sign: return value < 0 ? -1 : 1;
    case IntRule::Clamp: break;
  }
  if (r.min && value < *r.min) value = *r.min;
  if (r.max && value > *r.max) value = *r.max;
  return value;
}

// A text value enclosed in double quotes (the settings dialog stores patterns that way, so that
// blanks at their ends survive) is taken without them.
std::string Unquoted(std::string value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
  return value;
}

std::string MendFlags(const std::string& value, const std::string& fallback, FlagRule rule) {
  std::string out = value.substr(0, std::min(value.size(), fallback.size()));
  for (char& ch : out) {
    if (rule == FlagRule::OnlyOne) ch = ch == '1' ? '1' : '0';
    else ch = ch == '0' ? '0' : '1';
  }
  out += fallback.substr(out.size());
  return out;
}

std::vector<int> ParseWidths(const std::string& value, const std::vector<int>& fallback, int bad) {
  std::vector<int> out;
  for (const auto& item : FromCommaText(value)) {
    if (out.size() >= fallback.size()) break;
    auto n = ParseInteger(item);
    out.push_back(n ? std::max(*n, 0) : bad);
  }
  for (std::size_t i = out.size(); i < fallback.size(); ++i) out.push_back(fallback[i]);
  return out;
}

class Loader {
 public:
  Loader(const IniFile& ini, LoadPhase phase) : ini_(ini), phase_(phase) {}

  void Bool(const Key& k, bool& m, bool def) {
    if (Wanted(k)) m = ini_.ReadBool(k.section, k.key, def);
  }
  void Int(const Key& k, int& m, int def, const Range& r) {
    if (Wanted(k)) m = Mend(ini_.ReadInteger(k.section, k.key, def), r);
  }
  void Colour(const Key& k, int& m, int def) {
    if (Wanted(k)) m = ini_.ReadInteger(k.section, k.key, def) & 0xFFFFFF;
  }
  void Text(const Key& k, std::string& m, const std::string& def) {
    if (!Wanted(k)) return;
    auto value = ini_.Value(k.section, k.key);
    m = value ? Unquoted(*value) : def;
  }
  void Flags(const Key& k, std::string& m, const std::string& def, FlagRule rule) {
    if (Wanted(k)) m = MendFlags(ini_.ReadString(k.section, k.key, def), def, rule);
  }
  void Comma(const Key& k, std::vector<std::string>& m, const std::vector<std::string>& def) {
    if (!Wanted(k)) return;
    auto value = ini_.Value(k.section, k.key);
    m = value ? FromCommaText(*value) : def;
  }
  void Pair(const Key& k, ColourPair& m, const ColourPair& def, bool) {
    if (!Wanted(k)) return;
    auto value = ini_.Value(k.section, k.key);
    m = value ? ParseColourPair(*value, def) : def;
  }
  void Widths(const Key& k, std::vector<int>& m, const std::vector<int>& def, int bad) {
    if (!Wanted(k)) return;
    auto value = ini_.Value(k.section, k.key);
    m = value ? ParseWidths(*value, def, bad) : def;
  }

 private:
  bool Wanted(const Key& k) const { return phase_ == LoadPhase::StartUp || k.phase == ReadPhase::EveryLoad; }
  const IniFile& ini_;
  LoadPhase phase_;
};

// Calls `f(key, written value)` for every key.
template <class F>
class Texts {
 public:
  explicit Texts(F f) : f_(std::move(f)) {}
  void Bool(const Key& k, bool m, bool def) { Put(k, SettingType::Bool, BoolText(m), BoolText(def)); }
  void Int(const Key& k, int m, int def, const Range& r) {
    Put(k, SettingType::Int, std::to_string(m), std::to_string(def), r.min, r.max);
  }
  void Colour(const Key& k, int m, int def) { Put(k, SettingType::Colour, ColourText(m), ColourText(def)); }
  void Text(const Key& k, const std::string& m, const std::string& def) { Put(k, SettingType::Text, m, def); }
  void Flags(const Key& k, const std::string& m, const std::string& def, FlagRule) {
    Put(k, SettingType::Flags, m, def);
  }
  void Comma(const Key& k, const std::vector<std::string>& m, const std::vector<std::string>& def) {
    Put(k, SettingType::CommaText, ToCommaText(m), ToCommaText(def));
  }
  void Pair(const Key& k, const ColourPair& m, const ColourPair& def, bool text_only) {
    Put(k, SettingType::ColourPair, ColourPairText(m), ColourPairText(def), std::nullopt, std::nullopt, text_only);
  }
  void Widths(const Key& k, const std::vector<int>& m, const std::vector<int>& def, int) {
    Put(k, SettingType::Widths, WidthsText(m), WidthsText(def));
  }

 private:
  void Put(const Key& k, SettingType type, std::string value, std::string def, std::optional<int> min = std::nullopt,
           std::optional<int> max = std::nullopt, bool text_only = false) {
    SettingKey key{k.section, k.key, type, k.phase, std::move(def), min, max, text_only};
    f_(key, value);
  }
  F f_;
};

template <class F>
void ForEachText(const Settings& settings, const SettingsDefaults& defaults, F f) {
  Texts<F> texts(std::move(f));
  VisitSettings(settings, defaults, texts);
}

// Where the defaults' own values do not matter (listing and writing held values).
const SettingsDefaults kNoDefaults{};

}  // namespace

std::string BoolText(bool value) { return value ? "1" : "0"; }

std::string ColourPairText(const ColourPair& pair) { return ColourText(pair.text) + "," + ColourText(pair.back); }

std::string WidthsText(const std::vector<int>& widths) {
  std::vector<std::string> items;
  items.reserve(widths.size());
  for (int w : widths) items.push_back(std::to_string(w));
  return ToCommaText(items);
}

ColourPair ParseColourPair(const std::string& value, const ColourPair& fallback) {
  ColourPair out = fallback;
  if (value.size() >= 1) out.text = ParseColourText(value.substr(0, 7), fallback.text) & 0xFFFFFF;
  if (value.size() >= 9) out.back = ParseColourText(value.substr(8, 7), fallback.back) & 0xFFFFFF;
  return out;
}

std::vector<SettingKey> SettingsKeys(const SettingsDefaults& defaults) {
  Settings held = DefaultSettings(defaults);
  std::vector<SettingKey> keys;
  ForEachText(held, defaults, [&](const SettingKey& key, const std::string&) { keys.push_back(key); });
  return keys;
}

void LoadSettings(const IniFile& ini, Settings& settings, LoadPhase phase, const SettingsDefaults& defaults) {
  Loader loader(ini, phase);
  VisitSettings(settings, defaults, loader);
  // A timeline needs its last hour at or after its first.
  for (int mode : {1, 2}) {
    auto& x = settings.view_mode(mode);
    x.end_time = std::max(x.end_time, x.str_time);
  }
}

Settings DefaultSettings(const SettingsDefaults& defaults) {
  Settings settings;
  LoadSettings(IniFile{}, settings, LoadPhase::StartUp, defaults);
  return settings;
}

std::vector<std::array<std::string, 3>> SettingsRows(const Settings& settings) {
  std::vector<std::array<std::string, 3>> rows;
  ForEachText(settings, kNoDefaults, [&](const SettingKey& key, const std::string& value) {
    rows.push_back({key.section, key.key, value});
  });
  return rows;
}

std::string TextForFile(const std::string& value) {
  bool quote = !value.empty() && (static_cast<unsigned char>(value.front()) <= ' ' ||
                                  static_cast<unsigned char>(value.back()) <= ' ' ||
                                  (value.size() >= 2 && value.front() == '"' && value.back() == '"'));
  return quote ? "\"" + value + "\"" : value;
}

void WriteSettings(IniFile& ini, const Settings& settings, const std::function<bool(const SettingKey&)>& which) {
  ForEachText(settings, kNoDefaults, [&](const SettingKey& key, const std::string& value) {
    if (which(key)) ini.WriteString(key.section, key.key, key.type == SettingType::Text ? TextForFile(value) : value);
  });
}

std::optional<std::array<std::string, 4>> MonthlyBarFontItems(const ViewSettings& view) {
  const auto& f = view.monthly_bar_font;
  if (f.size() != 4) return std::nullopt;
  return std::array<std::string, 4>{f[0], f[1], f[2], f[3]};
}

// ---- Version migration ------------------------------------------------------------------------

bool MigrateSettingsVersion(IniFile& ini) {
  const std::string ver = ini.ReadString("Kalendor", "Ver", "0.00");
  if (ver == kSettingsVersion) return false;
  if (ver.substr(0, 3) < "5.7")
    for (const char* section : kViewSectionNames) ini.DeleteKey(section, "ItemView");
  if (ver < "5.00")
    for (const char* section : {"View", "ToDo", "Memo", "Note", "Font", "Color", "ToolBar"}) ini.EraseSection(section);
  return true;
}

bool YearTurnNeedsSave(int stored_now, const Date& today) {
  return stored_now < YearOf(today) && MonthOf(today) * 100 + DayOf(today) <= 107;
}

// ---- Exit-time write ----------------------------------------------------------------------------

void TakeColumnWidths(Settings& settings, ExitState& state) {
  auto take = [&](std::vector<int>& stored, const std::vector<int>& now) {
    bool changed = false;
    for (std::size_t i = 0; i < now.size() && i < stored.size(); ++i) {
      if (now[i] >= 0 && now[i] != stored[i]) {
        stored[i] = now[i];
        changed = true;
      }
    }
    return changed;
  };
  if (take(settings.view.sch_item_width, state.sch_column_widths)) state.layout_changed = true;
  if (state.todo_tab >= 0 && state.todo_tab < 3) {
    auto i = static_cast<std::size_t>(state.todo_tab);
    if (take(settings.todo.tabs[i].item_width, state.todo_column_widths)) {
      state.layout_changed = true;
      state.todo_tabs_marked[i] = true;
    }
  }
}

bool ExitWriteNeeded(const ExitState& s) {
  if (s.initialising) return false;
  if (s.layout_changed || s.state_switched) return true;
  if (s.current.top != s.remembered.top || s.current.left != s.remembered.left) return true;
  if (!s.mini_mode && (s.current.height != s.remembered.height || s.current.width != s.remembered.width)) return true;
  return s.current_year != s.remembered_year;
}

void WriteExitSettings(IniFile& ini, const Settings& st, const ExitState& state) {
  auto boolean = [&](const char* section, const std::string& key, bool value) {
    ini.WriteString(section, key, BoolText(value));
  };
  auto integer = [&](const char* section, const std::string& key, int value) {
    ini.WriteInteger(section, key, value);
  };

  integer("Window", "Now", state.current_year);
  boolean("Window", "PanelMode", st.window.panel_mode);
  integer("Window", "GridMode", st.window.grid_mode);
  integer("Window", "TodoWidth", st.window.todo_width);
  integer("Window", "SchHeight", st.window.sch_height);
  boolean("View", "ToolBar", st.view.tool_bar);
  ini.WriteString("View", "SchItemWidth", WidthsText(st.view.sch_item_width));
  ini.WriteString("View", "SchItem", st.view.sch_item);

  for (int mode = 1; mode <= kViewModeCount; ++mode) {
    if (!state.views_shown[static_cast<std::size_t>(mode - 1)]) continue;
    const char* sec = kViewSectionNames[static_cast<std::size_t>(mode - 1)];
    const auto& x = st.view_mode(mode);
    integer(sec, "TopHeight", x.top_height);
    integer(sec, "RightWidth", x.right_width);
    integer(sec, "NoteWidth", x.note_width);
    boolean(sec, "UnderPanel", x.under_panel);
    boolean(sec, "SidePanel", x.side_panel);
    boolean(sec, "MiniBef", x.mini_bef);
    boolean(sec, "MiniCur", x.mini_cur);
    boolean(sec, "MiniNxt", x.mini_nxt);
    boolean(sec, "SchList", x.sch_list);
    boolean(sec, "MemoPanel", x.memo_panel);
    boolean(sec, "NotePanel", x.note_panel);
    ini.WriteString(sec, "ItemView", x.item_view);
    integer(sec, "LinePitch", x.line_pitch);
    boolean(sec, "SatSun", x.sat_sun);
    boolean(sec, "SatSunNo", x.sat_sun_no);
    boolean(sec, "Cr", x.cr);
    boolean(sec, "AutoWidth", x.auto_width);
  }

  integer("Daily", "DayNo", st.view_mode(1).day_no);
  integer("Weekly", "WeekNo", st.view_mode(3).week_no);
  integer("Monthly", "MonthNo", st.view_mode(4).month_no);
  integer("Monthly2", "MonNo", st.view_mode(6).mon_no);
  integer("Monthly3", "YearNo", st.view_mode(7).year_no);

  auto mini_geometry = [&](const WindowGeometry& g) {
    integer("Mini", "Height", g.height);
    integer("Mini", "Width", g.width);
    integer("Mini", "Top", g.top);
    integer("Mini", "Left", g.left);
  };
  if (state.mini_mode) {
    boolean("Window", "SmallMode", true);
    integer("Window", "Top", state.normal_saved.top);
    integer("Window", "Left", state.normal_saved.left);
    integer("Window", "Height", state.normal_saved.height);
    integer("Window", "Width", state.normal_saved.width);
    mini_geometry(state.current);
  } else {
    boolean("Window", "SmallMode", false);
    boolean("Window", "StatusBar", st.window.status_bar);
    mini_geometry(state.mini_saved);
    integer("Window", "Top", state.current.top);
    integer("Window", "Left", state.current.left);
    if (state.show_state == WindowShowState::Normal) {
      integer("Window", "Height", state.current.height);
      integer("Window", "Width", state.current.width);
    }
  }
  integer("Window", "CalHeight", st.window.cal_height);
  if (state.show_state == WindowShowState::Normal) integer("Window", "State", 2);
  else if (state.show_state == WindowShowState::Maximised) integer("Window", "State", 0);

  for (std::size_t i = 0; i < 3; ++i) {
    if (!state.todo_tabs_marked[i]) continue;
    const std::string prefix = kTodoTabPrefixes[i];
    const auto& tab = st.todo.tabs[i];
    integer("ToDo", prefix + "Icon", tab.icon);
    integer("ToDo", prefix + "Column", tab.column);
    integer("ToDo", prefix + "Order", tab.order);
    ini.WriteString("ToDo", prefix + "ItemWidth", WidthsText(tab.item_width));
    ini.WriteString("ToDo", prefix + "Item", tab.item);
  }
  boolean("ToDo", "ListTab", st.todo.list_tab);
  boolean("Note", "ListTab", st.note.list_tab);
}

bool SaveExitSettings(IniFile& ini, Settings& settings, ExitState& state) {
  if (state.initialising) return false;
  TakeColumnWidths(settings, state);
  if (!ExitWriteNeeded(state)) return false;
  WriteExitSettings(ini, settings, state);
  return true;
}

}  // namespace kal::store
