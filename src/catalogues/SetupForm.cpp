#include "catalogues/SetupForm.h"

#include <cstdio>
#include <filesystem>

#include "app/Startup.h"
#include "catalogues/Category.h"
#include "catalogues/ItemTable.h"
#include "store/HolidayFile.h"
#include "store/NoteFile.h"
#include "store/TextFile.h"

namespace kal::catalogues {

namespace {

// Keys for which the dialog shows a default of its own when the file lacks them; a fresh
// installation ends up with these, since the first start always passes through the dialog.
struct DialogDefault {
  const char* section;
  const char* key;
  const char* value;
};
constexpr DialogDefault kDialogDefaults[] = {
    {"Mini", "SchLine", "1"},    {"Tray", "TrayIcon", "1"},  {"View", "ScrUd", "0"},
    {"ToDo", "Pop", "2"},        {"ToDo", "DateStyle", "yyyy/mm/dd(aaa)"},
    {"Memo", "Tab", "0"},        {"Signal", "Form", "h:nn:ss"},
};

std::string ThreeDigits(std::size_t n) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%03zu", n);
  return buffer;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  return std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

// Copies the chosen bitmaps to the program folder; a flag is set only once its file is in place.
// A bitmap chosen from its own place in the program folder is not copied onto itself.
template <std::size_t N>
void CopyIcons(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& program_folder,
               const std::array<std::string, N>& chosen, std::string& flags, std::string (*file_of)(std::size_t)) {
  if (flags.size() < N) flags.resize(N, '0');
  for (std::size_t i = 0; i < N; ++i) {
    if (chosen[i].empty()) continue;
    const std::string target = program_folder + file_of(i);
    std::string error;
    if (SameFile(chosen[i], target) || fs.Copy(chosen[i], target, &error)) {
      flags[i] = '1';
    } else {
      dialogs.Error("アイコン「" + chosen[i] + "」を「" + target + "」にコピーできませんでした。\n" + error,
                    store::kFileErrorCaption);
    }
  }
}

// One default file: made by `make` when `needed`; a failure is shown and collected.
template <class Make>
void DefaultFile(platform::Dialogs& dialogs, std::vector<std::string>& failures, Make make) {
  try {
    make();
  } catch (const store::FileError& e) {
    failures.push_back(e.what());
    dialogs.Error(e.what(), store::kFileErrorCaption);
  }
}

}  // namespace

const std::array<const char*, kSetupPageCount>& SetupPageCaptions() {
  static const std::array<const char*, kSetupPageCount> captions = {
      "起動", "表示",       "全般", "スケジュール表", "バーチカル",   "メモ", "ToDo", "ノート",
      "ミニカレンダー", "ツールバー", "アラーム", "時報", "色とフォント", "データフォルダ", "その他"};
  return captions;
}

SetupState SetupOpen(const store::IniFile& file, const store::SettingsDefaults& defaults) {
  store::IniFile ini = file;
  for (const auto& d : kDialogDefaults) {
    if (!ini.Value(d.section, d.key)) ini.WriteString(d.section, d.key, d.value);
  }
  SetupState state;
  store::LoadSettings(ini, state.settings, store::LoadPhase::StartUp, defaults);
  state.stored_version = file.ReadString("Kalendor", "Ver", "0.00");
  state.stored_sound = state.settings.alarm.sound;
  return state;
}

SetupState SetupOpen(platform::FileSystem& fs, const std::string& settings_file,
                     const store::SettingsDefaults& defaults) {
  return SetupOpen(store::IniFile::Load(fs, settings_file), defaults);
}

std::string HourText(int hour) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d:00", hour);
  return buffer;
}

std::optional<std::string> VerticalRangeError(int start, int end) {
  if (end < start) return std::string(kRangeOrderMessage);
  if (end > start + 23) return std::string(kRangeWidthMessage);
  return std::nullopt;
}

int TodoPopLevel(bool warning, bool limit, bool overdue) {
  if (warning) return 3;
  if (limit) return 2;
  return overdue ? 1 : 0;
}

int MiniTransValue(int position) { return 240 - position * 12; }

int MiniTransPosition(int trans_value) {
  int position = (240 - trans_value + 6) / 12;
  return position < 0 ? 0 : position > kMiniTransSteps ? kMiniTransSteps : position;
}

const std::array<ColourArea, 28>& ColourAreas() {
  static const std::array<ColourArea, 28> areas = {{
      {"SEL", "選択日の枠", false, true},
      {"DAY", "平日", true, true},
      {"SAT", "土曜日", true, true},
      {"SUN", "日曜日", true, true},
      {"SYU", "祝日", true, true},
      {"KYU", "休日", true, true},
      {"KN1", "記念日1", true, false},
      {"KN2", "記念日2", true, false},
      {"KN3", "記念日3", true, false},
      {"ZEN", "前月・次月の日", true, true},
      {"TOD", "今日", true, true},
      {"ROK", "六曜", true, false},
      {"SEK", "二十四節気", true, false},
      {"DYH", "平日の見出し", true, true},
      {"SAH", "土曜日の見出し", true, true},
      {"SUH", "日曜日の見出し", true, true},
      {"LIN", "罫線（枠線および見出しの区切り）", true, true},
      {"MEM", "メモ欄", true, true},
      {"TNO", "ToDoリスト（未処理）", true, true},
      {"TOK", "ToDoリスト（処理済）", true, true},
      {"TWT", "ToDoリスト（待機）", true, true},
      {"NOT", "ノート", true, true},
      {"CAT", "分類リスト", true, true},
      {"WET", "最高気温（文字）および最低気温（背景）", true, true},
      {"RAI", "降水確率", true, false},
      {"MCN", "ミニカレンダー次月（文字）および前月（背景）の見出し", true, true},
      {"MCR", "前当次ミニカレンダー表示範囲", true, true},
      {"VHD", "週数見出しおよびバーチカルの時間軸見出し", true, true},
  }};
  return areas;
}

store::ColourPair& ColourOf(store::ColorSettings& c, std::size_t area) {
  store::ColourPair* pairs[28] = {&c.sel, &c.day, &c.sat, &c.sun, &c.syu, &c.kyu, &c.kn1, &c.kn2, &c.kn3, &c.zen,
                                  &c.tod, &c.rok, &c.sek, &c.dyh, &c.sah, &c.suh, &c.lin, &c.mem, &c.tno, &c.tok,
                                  &c.twt, &c.not_, &c.cat, &c.wet, &c.rai, &c.mcn, &c.mcr, &c.vhd};
  return *pairs[area];
}

bool AreaBackEnabled(const store::ColorSettings& colours, std::size_t area) {
  const ColourArea& a = ColourAreas().at(area);
  if (!a.back) return false;
  if (std::string(a.key) == "TOD") return colours.today;
  if (std::string(a.key) == "MCR") return colours.mini_color;
  return true;
}

void ResetColours(store::ColorSettings& colours, const store::SettingsDefaults& defaults) {
  store::ColorSettings fresh = store::DefaultSettings(defaults).color;
  for (std::size_t i = 0; i < ColourAreas().size(); ++i) ColourOf(colours, i) = ColourOf(fresh, i);
}

const std::array<FontArea, 13>& FontAreas() {
  static const std::array<FontArea, 13> areas = {{
      {"Date", "日付"},
      {"Daily", "複数日バーチカル"},
      {"Vertical", "週間バーチカル"},
      {"Weekly", "複数週間"},
      {"Monthly", "月間"},
      {"Yearly", "年間・複数月・複数年同月"},
      {"Memo", "メモ欄"},
      {"Note", "ノート"},
      {"ToDo", "ToDoリスト"},
      {"Mini", "ミニカレンダー"},
      {"Tray", "タスクトレイの日付"},
      {"Category", "分類リスト"},
      {"Sch", "スケジュールリスト"},
  }};
  return areas;
}

std::vector<std::string>& FontOf(store::FontSettings& f, std::size_t area) {
  std::vector<std::string>* fonts[13] = {&f.date, &f.daily, &f.vertical, &f.weekly,   &f.monthly, &f.yearly, &f.memo,
                                         &f.note, &f.todo,  &f.mini,     &f.tray,     &f.category, &f.sch};
  return *fonts[area];
}

std::array<std::string*, 6> FolderMembers(store::KalendorSettings& k) {
  return {&k.data_path, &k.memo_path, &k.todo_path, &k.note_path, &k.cate_path, &k.tbl_path};
}

const std::array<const char*, 6>& FolderNames() {
  static const std::array<const char*, 6> names = {"スケジュールファイル", "メモファイル", "ToDoファイル",
                                                   "ノートファイル",       "分類ファイル", "テーブル"};
  return names;
}

std::string FolderChooserTitle(std::size_t folder) {
  return std::string(FolderNames().at(folder)) + "を保存するフォルダを選んで下さい。";
}

std::optional<std::size_t> MissingFolder(const store::KalendorSettings& k, const std::string& program_folder,
                                         platform::FileSystem& fs) {
  store::KalendorSettings copy = k;
  const auto members = FolderMembers(copy);
  for (std::size_t i = 0; i < members.size(); ++i) {
    const std::string& value = *members[i];
    if (value.empty()) {
      if (k.relative_path == 1) continue;
      return i;
    }
    if (!fs.IsDirectory(app::ResolveFolder(value, program_folder))) return i;
  }
  return std::nullopt;
}

std::optional<SetupFailure> SetupCheck(const store::Settings& s, const std::string& program_folder,
                                       platform::FileSystem& fs) {
  struct Range {
    int start, end;
    const char* control;
  };
  const Range ranges[] = {{s.view_mode(1).str_time, s.view_mode(1).end_time, "CmbEndTime3"},
                          {s.view_mode(2).str_time, s.view_mode(2).end_time, "CmbEndTime"},
                          {s.view_mode(2).str_time2, s.view_mode(2).end_time2, "CmbEndTime2"}};
  for (const Range& r : ranges) {
    if (auto error = VerticalRangeError(r.start, r.end)) return SetupFailure{*error, SetupPage::Vertical, r.control};
  }
  if (!s.alarm.wav.empty() && !fs.Exists(s.alarm.wav))
    return SetupFailure{kNoAlarmSoundMessage, SetupPage::Alarm, "EdtAlarmWav"};
  if (!s.signal.wav.empty() && !fs.Exists(s.signal.wav))
    return SetupFailure{kNoSignalSoundMessage, SetupPage::Signal, "EdtSignalWav"};
  if (auto missing = MissingFolder(s.kalendor, program_folder, fs))
    return SetupFailure{kNoFolderMessage, SetupPage::Folders, "EdtDir" + std::to_string(*missing + 1)};
  return std::nullopt;
}

std::string TodoIconFile(std::size_t state) { return "Kltod" + ThreeDigits(state + 1) + ".bmp"; }
std::string WeatherIconFile(std::size_t kind) { return "Klwet" + ThreeDigits(kind + 1) + ".bmp"; }

std::vector<std::string> CreateDefaultFiles(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                            const app::Folders& folders) {
  std::vector<std::string> failures;
  DefaultFile(dialogs, failures, [&] { store::CreateHolidayFile(fs, folders.data); });
  DefaultFile(dialogs, failures, [&] {
    if (!fs.Exists(CategoryFilePath(folders.category)))
      SaveCategoryLines(fs, folders.category, DefaultCategoryLines());
  });
  DefaultFile(dialogs, failures, [&] {
    if (store::NoteListExists(fs, folders.note)) return;
    std::vector<std::string> titles;
    const std::string extension = store::kNoteExtension;
    for (const auto& name : fs.List(folders.note, "*" + extension)) {
      std::string title = name.substr(0, name.size() - extension.size());
      if (!title.empty()) titles.push_back(title);
    }
    if (!titles.empty()) store::SaveNoteTitles(fs, folders.note, titles);
  });
  const std::pair<ItemTableType, std::vector<std::string>> tables[] = {
      {ItemTableType::SigTime, DefaultItems(ItemTableType::SigTime)},
      {ItemTableType::SchFrom, DefaultTimeFileLines()},
      {ItemTableType::SchTo, DefaultTimeFileLines()}};
  for (const auto& table : tables) {
    DefaultFile(dialogs, failures, [&] {
      const std::string path = ItemTablePath(folders.table, table.first);
      if (!fs.Exists(path)) store::SaveLines(fs, path, table.second);
    });
  }
  return failures;
}

bool SetupApply(platform::FileSystem& fs, platform::Dialogs& dialogs, SetupState& state,
                const SetupApplyContext& context) {
  store::Settings& s = state.settings;
  CopyIcons(fs, dialogs, context.program_folder, state.todo_icons, s.todo.set_icon, &TodoIconFile);
  CopyIcons(fs, dialogs, context.program_folder, state.weather_icons, s.view.weather_icon, &WeatherIconFile);
  state.todo_icons = {};
  state.weather_icons = {};

  s.kalendor.ver = store::kSettingsVersion;
  s.window.now = context.current_year;
  s.window.top = context.window_top;
  s.window.left = context.window_left;
  // Choosing a sound file switches alarm sounds on; Sound is written only when that changes it.
  if (!s.alarm.wav.empty()) s.alarm.sound = true;
  const bool sound_changed = s.alarm.sound != state.stored_sound;
  try {
    store::IniFile ini = store::IniFile::Load(fs, context.settings_file);
    store::WriteSettings(ini, s, [&](const store::SettingKey& key) {
      if (!key.dialog) return false;
      if (key.section == "Alarm" && key.key == "Sound") return sound_changed;
      return true;
    });
    ini.Flush(fs, context.settings_file);
  } catch (const store::FileError& e) {
    dialogs.Error(e.what(), store::kFileErrorCaption);
    return false;
  }
  state.stored_sound = s.alarm.sound;

  const app::Folders folders = app::ResolveFolders(app::FolderValuesOf(s), context.program_folder);
  CreateDefaultFiles(fs, dialogs, folders);

  if (state.stored_version < "5.00" && fs.Exists(folders.todo + "Todo.dat") && !fs.Exists(folders.todo_file))
    dialogs.Message(kOldTodoMessage, kOldTodoCaption, platform::MsgIcon::Warning, platform::MsgButtons::Ok);
  state.stored_version = store::kSettingsVersion;
  return true;
}

}  // namespace kal::catalogues
