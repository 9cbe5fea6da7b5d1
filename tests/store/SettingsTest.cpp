#include "store/Settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace kal::store {
namespace {

using Lines = std::vector<std::string>;

const SettingsDefaults kDefaults{"/prog/", "IPAexGothic", 9};

// The listed value of one key ("<missing>" when the key is not listed).
std::string Row(const Settings& s, const std::string& section, const std::string& key) {
  for (const auto& row : SettingsRows(s))
    if (row[0] == section && row[1] == key) return row[2];
  return "<missing>";
}

Settings Loaded(const Lines& lines) {
  Settings s;
  LoadSettings(IniFile::FromLines(lines), s, LoadPhase::StartUp, kDefaults);
  return s;
}

struct Expect {
  const char* section;
  const char* key;
  const char* value;
};

// ---- Defaults ---------------------------------------------------------------------------------

TEST(Settings, MissingFileListsTheDefaults) {
  Settings s = DefaultSettings(kDefaults);
  const Expect cases[] = {
      {"Kalendor", "Ver", "0.00"},
      {"Kalendor", "RelativePath", "0"},
      {"Kalendor", "DataPath", "/prog/"},
      {"Kalendor", "MemoPath", "/prog/"},
      {"Kalendor", "CatePath", "/prog/"},
      {"Kalendor", "BackupPath", ""},
      {"Window", "Now", "2001"},
      {"Window", "Height", "680"},
      {"Window", "Width", "920"},
      {"Window", "State", "2"},
      {"Window", "PanelMode", "1"},
      {"Window", "GridMode", "4"},
      {"Window", "SysFont", "IPAexGothic,9,0"},
      {"Window", "Title", "Kalendor"},
      {"Mini", "PosMode", "5"},
      {"Mini", "TransValue", "120"},
      {"Tray", "HotTrayAct", "49235"},
      {"View", "Catchk", "2"},
      {"View", "SchItemWidth", "20,140,140,160,120,100,32,36,38,32"},
      {"View", "SchItem", "1111101111"},
      {"View", "ToolBarIcon", "11111111111111111111111111111111111111111111111"},
      {"View", "StatusBarForm", "未設定"},
      {"View", "MonthlyBarForm", "yyyy年 m月"},
      {"View", "MemoMark", "◆"},
      {"View", "MonthlyBarFont", ""},
      {"Daily", "ItemView", "1111111101111111111111111111100"},
      {"Vertical", "ItemView", "1111111101111111111111110001100"},
      {"Weekly", "ItemView", "1111111101111111111111111111100"},
      {"Monthly", "ItemView", "1110000001111111111111110001100"},
      {"Yearly", "ItemView", "1000000011111100000011010001111"},
      {"Monthly2", "ItemView", "1000000011111100000011010001110"},
      {"Monthly3", "ItemView", "1000000011111100000011010001110"},
      {"Yearly2", "ItemView", "1100000001111101000011110001011"},
      {"Daily", "UnderPanel", "0"},
      {"Weekly", "UnderPanel", "1"},
      {"Yearly", "SidePanel", "0"},
      {"Monthly2", "SchList", "1"},
      {"Monthly", "SchList", "0"},
      {"Daily", "DayNo", "3"},
      {"Weekly", "WeekNo", "2"},
      {"Monthly", "MonthNo", "5"},
      {"Monthly2", "MonNo", "6"},
      {"Monthly3", "YearNo", "6"},
      {"Daily", "EndTime", "23"},
      {"Vertical", "StrTime", "8"},
      {"Vertical", "JustHeight", "1"},
      {"Monthly", "WeekOfYear", "1"},
      {"ToDo", "SetIcon", "0000000"},
      {"ToDo", "TOkItem", "1000100110"},
      {"ToDo", "TWtItemWidth", "100,52,100,22,100,80,42,100,32,32"},
      {"ToDo", "GraphColor", "$00FF00"},
      {"ToDo", "BackColor", "$D0FFD0"},
      {"ToDo", "00", "$0000FF,$FFFFFF"},
      {"ToDo", "01", "$000000,$8080FF"},
      {"Memo", "DailyTitle", "未設定"},
      {"Memo", "IconColor", "3"},
      {"Signal", "Form", "h:nn"},
      {"List", "SchTop", "25"},
      {"List", "SchLeft", "9"},
      {"Font", "Tray", "IPAexGothic,9,0"},
      {"Color", "VistaHead", "4"},
      {"Color", "SEL", "$000000,$FF0000"},
      {"Color", "KN1", "$FF00FF,$FFFFFF"},
      {"Color", "VHD", "$804000,$F8EDE4"},
  };
  for (const auto& c : cases) EXPECT_EQ(Row(s, c.section, c.key), c.value) << c.section << " " << c.key;
}

TEST(Settings, FolderDefaultsFollowTheDataFolderJustRead) {
  Settings s = Loaded({"[Kalendor]", "DataPath=D:\\Data\\", "NotePath=E:\\Note\\"});
  EXPECT_EQ(s.kalendor.data_path, "D:\\Data\\");
  EXPECT_EQ(s.kalendor.memo_path, "D:\\Data\\");
  EXPECT_EQ(s.kalendor.todo_path, "D:\\Data\\");
  EXPECT_EQ(s.kalendor.note_path, "E:\\Note\\");
  EXPECT_EQ(s.kalendor.cate_path, "/prog/");
  EXPECT_EQ(s.kalendor.tbl_path, "/prog/");
}

// ---- A file full of odd values ------------------------------------------------------------------

const Lines kOddFile = {
    "; written by hand",
    "[kalendor]",
    "ver=5.71",
    "[WINDOW]",
    "gridmode=12",
    "TopList=abc",
    "SysFont=\"MS UI Gothic\",9,0",
    "Title=\"  padded  \"",
    "[Mini]",
    "Trans=1",
    "[View]",
    "SchItemWidth=10,20,x,40,50,60,70,80,90",
    "SchItem=10x",
    "WeatherIcon=1111111",
    "PopSch=yes",
    "DragMsg=5",
    "StatusBarForm=\"yyyy/mm/dd \"",
    "MonthlyBarFont=\"MS Gothic\",12,1",
    "MemoMark=★",
    "[Daily]",
    "ItemView=1x0a",
    "[Vertical]",
    "StrTime=10",
    "EndTime=9",
    "[ToDo]",
    "TNoItemWidth=5,x,-7",
    "TOkItemWidth=1,2,3,4,5,6,7,8,9,10,11,12",
    "01=$123456",
    "02=garbage,$00FF00",
    "03=$00ff00,$abcdef",
    "BackColor=255",
    "[Color]",
    "KN1=$00FF00",
    "SEL=$abcdef,$123456,$999999",
    "DAY=",
    "[Font]",
    "Memo=\"Noto Sans\",11",
};

TEST(Settings, OddFileIsReadMendedAndListedAsWritten) {
  Settings s = Loaded(kOddFile);
  const Expect cases[] = {
      {"Kalendor", "Ver", "5.71"},
      {"Window", "GridMode", "8"},
      {"Window", "TopList", "0"},
      {"Window", "SysFont", "\"MS UI Gothic\",9,0"},
      {"Window", "Title", "  padded  "},
      {"Mini", "Trans", "1"},
      {"View", "SchItemWidth", "10,20,100,40,50,60,70,80,90,32"},
      {"View", "SchItem", "1001101111"},
      {"View", "WeatherIcon", "1111"},
      {"View", "PopSch", "0"},
      {"View", "DragMsg", "1"},
      {"View", "StatusBarForm", "yyyy/mm/dd "},
      {"View", "MonthlyBarFont", "\"MS Gothic\",12,1"},
      {"View", "MemoMark", "★"},
      {"Daily", "ItemView", "1101111101111111111111111111100"},
      {"Vertical", "StrTime", "10"},
      {"Vertical", "EndTime", "10"},
      {"ToDo", "TNoItemWidth", "5,40,0,22,100,80,42,100,32,32"},
      {"ToDo", "TOkItemWidth", "1,2,3,4,5,6,7,8,9,10"},
      {"ToDo", "01", "$123456,$8080FF"},
      {"ToDo", "02", "$000000,$00FF00"},
      {"ToDo", "03", "$00FF00,$ABCDEF"},
      {"ToDo", "BackColor", "$0000FF"},
      {"Color", "KN1", "$00FF00,$FFFFFF"},
      {"Color", "SEL", "$ABCDEF,$123456"},
      {"Color", "DAY", "$000000,$E1FFFF"},
      {"Font", "Memo", "\"Noto Sans\",11"},
      {"Font", "Date", "IPAexGothic,9,0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Row(s, c.section, c.key), c.value) << c.section << " " << c.key;
  EXPECT_FALSE(MonthlyBarFontItems(s.view));
}

TEST(Settings, WrittenValuesReadBackUnchanged) {
  Settings odd = Loaded(kOddFile);
  IniFile ini;
  WriteSettings(ini, odd, [](const SettingKey&) { return true; });
  EXPECT_EQ(ini.ReadString("Window", "Title", ""), "\"  padded  \"");
  Settings again;
  LoadSettings(IniFile::FromLines(ini.Lines()), again, LoadPhase::StartUp, kDefaults);
  EXPECT_EQ(SettingsRows(again), SettingsRows(odd));

  IniFile some;
  WriteSettings(some, odd, [](const SettingKey& k) { return k.section == "Memo" && k.phase == ReadPhase::EveryLoad; });
  EXPECT_EQ(some.Lines(), (Lines{"[Memo]", "Exe=0", "ExeName=", "Tab=1", "ListTab=0", "DailyTitle=未設定",
                                 "MonthlyTitle=未設定", "IconColor=3"}));
}

// ---- Edge cases -----------------------------------------------------------------------------------

TEST(Settings, NineScheduleWidthsGetATenthOf32) {
  Settings s = Loaded({"[View]", "SchItemWidth=1,2,3,4,5,6,7,8,9"});
  EXPECT_EQ(s.view.sch_item_width, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 32}));
  Settings t = Loaded({"[ToDo]", "TWtItemWidth=1,2,3,4,5,6,7,8,9"});
  EXPECT_EQ(t.todo.tabs[2].item_width, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 32}));
}

TEST(Settings, ColourWithOnlyTheTextPartKeepsTheDefaultBack) {
  Settings s = Loaded({"[Color]", "SUN=$123456", "ROK=$ABCDEF"});
  EXPECT_EQ(s.color.sun, (ColourPair{0x123456, 0xE0D0FE}));
  EXPECT_EQ(s.color.rok, (ColourPair{0xABCDEF, 0xFFFFFF}));
}

TEST(Settings, TransStoredAsOneIsTheIntegerOne) {
  EXPECT_EQ(Loaded({"[Mini]", "Trans=1"}).mini.trans, 1);
  EXPECT_EQ(Loaded({"[Mini]", "Trans=0"}).mini.trans, 0);
}

TEST(Settings, MonthlyBarFontIsUsedOnlyWithFourItems) {
  Settings three = Loaded({"[View]", "MonthlyBarFont=Gothic,12,1"});
  EXPECT_EQ(three.view.monthly_bar_font.size(), 3u);
  EXPECT_FALSE(MonthlyBarFontItems(three.view));
  Settings four = Loaded({"[View]", "MonthlyBarFont=\"MS Gothic\",12,1,255"});
  auto items = MonthlyBarFontItems(four.view);
  ASSERT_TRUE(items);
  EXPECT_EQ((*items)[0], "MS Gothic");
  EXPECT_EQ((*items)[3], "255");
}

// ---- Ranges ---------------------------------------------------------------------------------------

struct RangeCase {
  const char* section;
  const char* key;
  const char* stored;
  const char* listed;
};

TEST(Settings, IntegersOutOfRangeAreBroughtIntoRange) {
  const RangeCase cases[] = {
      {"Window", "GridMode", "0", "1"},      {"Window", "GridMode", "9", "8"},
      {"Window", "GridMode", "8", "8"},      {"Window", "PosMode", "-3", "0"},
      {"Window", "PosMode", "6", "5"},       {"Mini", "PosMode", "7", "5"},
      {"Mini", "TransValue", "300", "255"},  {"Mini", "TransValue", "-1", "0"},
      {"Window", "TopList", "3", "2"},       {"View", "WeeklyBarForm", "4", "3"},
      {"View", "ExtendBar", "6", "5"},       {"View", "ExtendBar", "-1", "0"},
      {"View", "Catchk", "5", "2"},          {"Daily", "LinePitch", "0", "1"},
      {"Yearly2", "LinePitch", "9", "8"},    {"Daily", "DayNo", "8", "7"},
      {"Daily", "DayNo", "0", "1"},          {"Weekly", "WeekNo", "7", "6"},
      {"Monthly", "MonthNo", "4", "5"},      {"Monthly", "MonthNo", "7", "6"},
      {"Monthly2", "MonNo", "13", "12"},     {"Monthly3", "YearNo", "0", "1"},
      {"Daily", "StrTime", "-1", "0"},       {"Daily", "StrTime", "24", "23"},
      {"Vertical", "EndTime", "37", "36"},   {"Vertical", "EndTime", "30", "30"},
      {"Memo", "IconColor", "0", "1"},       {"Memo", "IconColor", "6", "5"},
      {"Window", "State", "1", "2"},         {"Window", "State", "0", "0"},
      {"Window", "State", "-4", "2"},        {"Window", "Height", "0", "1"},
      {"Window", "Width", "-20", "1"},       {"Mini", "Height", "0", "1"},
      {"Monthly", "TopHeight", "-5", "1"},   {"Window", "Top", "-300", "-300"},
      {"ToDo", "WarnTerm", "0", "1"},        {"ToDo", "TNoOrder", "-7", "-1"},
      {"ToDo", "TNoOrder", "0", "1"},        {"Color", "VistaHead", "5", "4"},
      {"Alarm", "ShowTime", "0", "1"},       {"Signal", "ShowTime", "61", "60"},
      {"Vertical", "DefTime", "4", "3"},     {"Window", "Now", "1999", "1999"},
  };
  for (const auto& c : cases) {
    Settings s = Loaded({std::string("[") + c.section + "]", std::string(c.key) + "=" + c.stored});
    EXPECT_EQ(Row(s, c.section, c.key), c.listed) << c.section << " " << c.key << "=" << c.stored;
  }
}

TEST(Settings, DailyTimelineEndsNoEarlierThanItStarts) {
  Settings s = Loaded({"[Daily]", "StrTime=12", "EndTime=6"});
  EXPECT_EQ(s.view_mode(1).str_time, 12);
  EXPECT_EQ(s.view_mode(1).end_time, 12);
}

// ---- Phases ----------------------------------------------------------------------------------------

TEST(Settings, ReloadReadsOnlyTheEveryLoadKeys) {
  Settings s = Loaded({"[Window]", "GridMode=2", "Title=First", "[Alarm]", "Pos=1", "[Monthly]", "ItemView=0",
                       "PastDay=0", "[Kalendor]", "DataPath=/a/"});
  IniFile changed = IniFile::FromLines({"[Window]", "GridMode=6", "Title=Second", "[Alarm]", "Pos=4", "[Monthly]",
                                        "ItemView=1", "PastDay=1", "[Kalendor]", "DataPath=/b/"});
  LoadSettings(changed, s, LoadPhase::Reload, kDefaults);
  EXPECT_EQ(s.window.grid_mode, 2);  // S
  EXPECT_EQ(s.view_mode(4).item_view[0], '0');
  EXPECT_EQ(s.alarm.pos, 1);  // O
  EXPECT_EQ(s.window.title, "Second");  // L
  EXPECT_TRUE(s.view_mode(4).past_day);
  EXPECT_EQ(s.kalendor.data_path, "/b/");
  EXPECT_EQ(s.kalendor.memo_path, "/b/");
}

TEST(Settings, KeyTableHasEachKeyOnceWithItsPhase) {
  auto keys = SettingsKeys(kDefaults);
  std::set<std::string> seen;
  std::map<std::string, const SettingKey*> by_name;
  for (const auto& k : keys) {
    std::string name = k.section + "/" + k.key;
    for (auto& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_TRUE(seen.insert(name).second) << name;
    by_name[name] = &k;
  }
  EXPECT_EQ(keys.size(), SettingsRows(DefaultSettings(kDefaults)).size());
  EXPECT_EQ(by_name.at("window/height")->phase, ReadPhase::StartUp);
  EXPECT_EQ(by_name.at("window/top")->phase, ReadPhase::EveryLoad);
  EXPECT_EQ(by_name.at("kalendor/backuppath")->phase, ReadPhase::Other);
  EXPECT_EQ(by_name.at("window/gridmode")->min, 1);
  EXPECT_EQ(by_name.at("window/gridmode")->max, 8);
  EXPECT_TRUE(by_name.at("color/rai")->text_only);
  EXPECT_FALSE(by_name.at("color/sel")->text_only);
  // The mini-calendar view of several years shows only the current month's calendar.
  EXPECT_TRUE(by_name.count("monthly3/minicur"));
  EXPECT_FALSE(by_name.count("monthly3/minibef"));
  EXPECT_TRUE(by_name.count("vertical/strtime2"));
  EXPECT_FALSE(by_name.count("daily/strtime2"));
}

// ---- Version migration ----------------------------------------------------------------------------

const Lines kOldFile = {"[Kalendor]", "Ver=%s",    "[Daily]",  "ItemView=0",  "RightWidth=170", "[Yearly2]",
                        "ItemView=0", "[View]",    "Passwd=1", "[ToolBar]",   "a=1",            "[Color]",
                        "SEL=$000001", "[Window]", "Now=2020", "[Font]",      "Memo=x,9,0"};

IniFile OldFile(const std::string& ver) {
  Lines lines = kOldFile;
  if (ver.empty()) lines.erase(lines.begin(), lines.begin() + 2);
  else lines[1] = "Ver=" + ver;
  return IniFile::FromLines(lines);
}

TEST(SettingsVersion, BelowFivePointSevenLosesTheDisplayItems) {
  IniFile ini = OldFile("5.60");
  EXPECT_TRUE(MigrateSettingsVersion(ini));
  EXPECT_FALSE(ini.Value("Daily", "ItemView"));
  EXPECT_FALSE(ini.Value("Yearly2", "ItemView"));
  EXPECT_TRUE(ini.Value("Daily", "RightWidth"));
  EXPECT_TRUE(ini.SectionExists("View"));
  EXPECT_TRUE(ini.SectionExists("Color"));
}

TEST(SettingsVersion, BelowFiveLosesTheViewSectionsToo) {
  for (const std::string ver : {"4.90", ""}) {
    IniFile ini = OldFile(ver);
    EXPECT_TRUE(MigrateSettingsVersion(ini)) << ver;
    EXPECT_FALSE(ini.Value("Daily", "ItemView"));
    for (const char* section : {"View", "ToolBar", "Color", "Font"}) EXPECT_FALSE(ini.SectionExists(section)) << section;
    EXPECT_EQ(ini.ReadInteger("Window", "Now", 0), 2020);
    EXPECT_TRUE(ini.Value("Daily", "RightWidth"));
  }
}

TEST(SettingsVersion, CurrentVersionChangesNothingAndFivePointSevenKeepsItems) {
  IniFile current = OldFile("5.71");
  EXPECT_FALSE(MigrateSettingsVersion(current));
  EXPECT_EQ(current.Lines(), OldFile("5.71").Lines());

  IniFile near = OldFile("5.70");
  EXPECT_TRUE(MigrateSettingsVersion(near));  // still a first run
  EXPECT_EQ(near.Lines(), OldFile("5.70").Lines());
}

TEST(SettingsVersion, YearTurnInTheFirstWeekOfJanuaryMarksTheLayout) {
  struct Case {
    int stored;
    Date today;
    bool expected;
  } cases[] = {
      {2025, MakeDate(2026, 1, 7), true},   {2025, MakeDate(2026, 1, 1), true},
      {2025, MakeDate(2026, 1, 8), false},  {2026, MakeDate(2026, 1, 2), false},
      {2024, MakeDate(2026, 12, 31), false}, {2001, MakeDate(2026, 1, 5), true},
  };
  for (const auto& c : cases) EXPECT_EQ(YearTurnNeedsSave(c.stored, c.today), c.expected) << c.stored;
}

// ---- Exit-time write ---------------------------------------------------------------------------------

ExitState UnchangedState() {
  ExitState s;
  s.current = s.remembered = WindowGeometry{10, 20, 600, 800};
  s.mini_saved = WindowGeometry{1, 1, 156, 172};
  s.current_year = s.remembered_year = 2026;
  return s;
}

TEST(SettingsExit, WritesTheLayoutInItsOrder) {
  Settings st = DefaultSettings(kDefaults);
  st.window.grid_mode = 2;
  st.view.sch_item_width[9] = 44;
  st.view_mode(2).line_pitch = 6;
  st.todo.tabs[1].order = -1;
  ExitState state = UnchangedState();
  state.layout_changed = true;
  state.views_shown[1] = true;  // Vertical
  state.views_shown[3] = true;  // Monthly
  state.todo_tabs_marked[1] = true;
  state.current = WindowGeometry{30, 40, 650, 850};
  IniFile ini;
  WriteExitSettings(ini, st, state);
  const Lines view_keys = {"TopHeight=403", "RightWidth=168", "NoteWidth=250", "UnderPanel=%u", "SidePanel=1",
                           "MiniBef=0",     "MiniCur=1",      "MiniNxt=1",     "SchList=0",     "MemoPanel=1",
                           "NotePanel=1",   "ItemView=%i",    "LinePitch=%p",  "SatSun=0",      "SatSunNo=0",
                           "Cr=0",          "AutoWidth=0"};
  auto view = [&](const std::string& under, const std::string& items, const std::string& pitch) {
    Lines out;
    for (std::string line : view_keys) {
      if (line == "UnderPanel=%u") line = "UnderPanel=" + under;
      if (line == "ItemView=%i") line = "ItemView=" + items;
      if (line == "LinePitch=%p") line = "LinePitch=" + pitch;
      out.push_back(line);
    }
    return out;
  };
  Lines expected = {"[Window]",   "Now=2026",   "PanelMode=1",  "GridMode=2",   "TodoWidth=410", "SchHeight=54",
                    "SmallMode=0", "StatusBar=1", "Top=30",     "Left=40",      "Height=650",    "Width=850",
                    "CalHeight=128", "State=2",  "[View]",      "ToolBar=1",    "SchItemWidth=20,140,140,160,120,100,32,36,38,44",
                    "SchItem=1111101111", "[Vertical]"};
  for (const auto& l : view("0", "1111111101111111111111110001100", "6")) expected.push_back(l);
  expected.push_back("[Monthly]");
  for (const auto& l : view("1", "1110000001111111111111110001100", "4")) expected.push_back(l);
  expected.push_back("MonthNo=5");
  for (const char* l : {"[Daily]", "DayNo=3", "[Weekly]", "WeekNo=2", "[Monthly2]", "MonNo=6", "[Monthly3]", "YearNo=6",
                        "[Mini]", "Height=156", "Width=172", "Top=1", "Left=1", "[ToDo]", "TOkIcon=1", "TOkColumn=1",
                        "TOkOrder=-1", "TOkItemWidth=100,52,100,22,100,80,42,100,32,32", "TOkItem=1000100110",
                        "ListTab=0", "[Note]", "ListTab=0"})
    expected.push_back(l);
  EXPECT_EQ(ini.Lines(), expected);
}

TEST(SettingsExit, MiniModeWritesBothWindowsAndMinimisedNoState) {
  Settings st = DefaultSettings(kDefaults);
  ExitState state = UnchangedState();
  state.mini_mode = true;
  state.show_state = WindowShowState::Minimised;
  state.normal_saved = WindowGeometry{5, 6, 700, 900};
  state.current = WindowGeometry{50, 60, 160, 180};
  IniFile ini = IniFile::FromLines({"[Window]", "State=0", "Title=Mine"});
  WriteExitSettings(ini, st, state);
  Lines expected = {"[Window]",  "State=0",     "Title=Mine", "Now=2026",    "PanelMode=1", "GridMode=4",
                    "TodoWidth=410", "SchHeight=54", "SmallMode=1", "Top=5", "Left=6",       "Height=700",
                    "Width=900", "CalHeight=128", "[View]",   "ToolBar=1",   "SchItemWidth=20,140,140,160,120,100,32,36,38,32",
                    "SchItem=1111101111", "[Daily]", "DayNo=3", "[Weekly]", "WeekNo=2", "[Monthly]", "MonthNo=5",
                    "[Monthly2]", "MonNo=6", "[Monthly3]", "YearNo=6", "[Mini]", "Height=160", "Width=180", "Top=50",
                    "Left=60", "[ToDo]", "ListTab=0", "[Note]", "ListTab=0"};
  EXPECT_EQ(ini.Lines(), expected);
}

TEST(SettingsExit, MaximisedWindowKeepsItsNormalSize) {
  Settings st = DefaultSettings(kDefaults);
  ExitState state = UnchangedState();
  state.show_state = WindowShowState::Maximised;
  IniFile ini = IniFile::FromLines({"[Window]", "Height=640", "Width=900"});
  WriteExitSettings(ini, st, state);
  EXPECT_EQ(ini.ReadInteger("Window", "Height", 0), 640);
  EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 900);
  EXPECT_EQ(ini.ReadInteger("Window", "Top", 0), 10);
  EXPECT_EQ(ini.ReadInteger("Window", "State", 2), 0);
  EXPECT_FALSE(ini.Value("Daily", "ItemView"));  // no view shown
}

TEST(SettingsExit, WriteIsNeededOnlyWhenSomethingKeptChanged) {
  struct Case {
    const char* what;
    void (*change)(ExitState&);
    bool expected;
  } cases[] = {
      {"nothing", [](ExitState&) {}, false},
      {"layout flag", [](ExitState& s) { s.layout_changed = true; }, true},
      {"normal/maximised", [](ExitState& s) { s.state_switched = true; }, true},
      {"minimised", [](ExitState& s) { s.show_state = WindowShowState::Minimised; }, false},
      {"top", [](ExitState& s) { s.current.top += 1; }, true},
      {"left", [](ExitState& s) { s.current.left -= 1; }, true},
      {"height", [](ExitState& s) { s.current.height += 1; }, true},
      {"width", [](ExitState& s) { s.current.width += 1; }, true},
      {"mini size",
       [](ExitState& s) {
         s.mini_mode = true;
         s.current.width += 1;
       },
       false},
      {"mini top",
       [](ExitState& s) {
         s.mini_mode = true;
         s.current.top += 1;
       },
       true},
      {"year", [](ExitState& s) { s.current_year += 1; }, true},
      {"initialising",
       [](ExitState& s) {
         s.initialising = true;
         s.layout_changed = true;
       },
       false},
  };
  for (const auto& c : cases) {
    ExitState s = UnchangedState();
    c.change(s);
    EXPECT_EQ(ExitWriteNeeded(s), c.expected) << c.what;
  }
}

TEST(SettingsExit, ChangedColumnWidthsAreStoredAndMarked) {
  Settings st = DefaultSettings(kDefaults);
  ExitState state = UnchangedState();
  state.sch_column_widths = {20, 140, 140, 160, 120, 100, 32, 36, 38, 32};
  state.todo_tab = 1;
  state.todo_column_widths = std::vector<int>(10, -1);
  TakeColumnWidths(st, state);
  EXPECT_FALSE(state.layout_changed);

  state.sch_column_widths = {-1, 150};
  state.todo_tab = 2;
  state.todo_column_widths = {100, 52, 100, 22, 100, 80, 42, 100, 32, 60};
  TakeColumnWidths(st, state);
  EXPECT_TRUE(state.layout_changed);
  EXPECT_EQ(st.view.sch_item_width[0], 20);
  EXPECT_EQ(st.view.sch_item_width[1], 150);
  EXPECT_EQ(st.todo.tabs[2].item_width[9], 60);
  EXPECT_EQ(state.todo_tabs_marked, (std::array<bool, 3>{false, false, true}));
}

TEST(SettingsExit, SaveWritesOnlyWhenNeeded) {
  Settings st = DefaultSettings(kDefaults);
  IniFile ini;
  ExitState state = UnchangedState();
  EXPECT_FALSE(SaveExitSettings(ini, st, state));
  EXPECT_TRUE(ini.Lines().empty());

  state.sch_column_widths = {21};  // a schedule column was resized
  EXPECT_TRUE(SaveExitSettings(ini, st, state));
  EXPECT_EQ(ini.ReadString("View", "SchItemWidth", ""), "21,140,140,160,120,100,32,36,38,32");

  IniFile untouched;
  ExitState closing_early = UnchangedState();
  closing_early.initialising = true;
  closing_early.sch_column_widths = {22};
  EXPECT_FALSE(SaveExitSettings(untouched, st, closing_early));
  EXPECT_TRUE(untouched.Lines().empty());
  EXPECT_EQ(st.view.sch_item_width[0], 21);
}

}  // namespace
}  // namespace kal::store
