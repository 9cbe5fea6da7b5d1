// The rules of the settings dialog ("環境設定"): what it reads when it opens, the checks of OK in
// their order, and the work of OK in its order:
//   1. the checks: the three vertical-view ranges, the alarm and signal sound files, the six
//      folders (the first failure stops OK; the dialog stays open on the page concerned);
//   2. the user icons chosen for the ToDo states and the weather are copied into the program
//      folder; a flag of SetIcon / WeatherIcon is set only after its copy succeeded;
//   3. every key the settings table marks as written by the dialog, in table order, with Ver,
//      Now and the main window's Top and Left, then the file is flushed (atomically);
//   4. the default files missing in the chosen folders (Holiday.dat, Category.tbl, Note.lst,
//      SigTime.tbl, SchFrom.tbl, SchTo.tbl): each one that cannot be written gives its own
//      message and the others are still made;
//   5. the warning about a ToDo file of a version before 5.00.
// Nothing is written before OK except the colour and folder sets (ColourSet.h, FolderSet.h).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/Folders.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/IniFile.h"
#include "store/Settings.h"

namespace kal::catalogues {

inline constexpr const char* kSetupCaption = "環境設定";
inline constexpr const char* kFirstRunCaption = "Version 5.71 初期設定";

// The pages, in the order of the page control.
enum class SetupPage {
  Startup,    // 起動
  Display,    // 表示
  General,    // 全般
  Calendar,   // スケジュール表
  Vertical,   // バーチカル
  Memo,       // メモ
  Todo,       // ToDo
  Note,       // ノート
  Mini,       // ミニカレンダー
  ToolBar,    // ツールバー
  Alarm,      // アラーム
  Signal,     // 時報
  ColourFont, // 色とフォント
  Folders,    // データフォルダ
  Other,      // その他
};
inline constexpr int kSetupPageCount = 15;
// The page captions, in page order.
const std::array<const char*, kSetupPageCount>& SetupPageCaptions();

// What the dialog edits: every setting, and the user icons chosen while it is open.
struct SetupState {
  store::Settings settings;
  std::string stored_version;  // Ver as read when the dialog opened ("0.00" when missing)
  bool stored_sound = false;   // Alarm Sound as read
  // The bitmap chosen for each ToDo state (1 to 7) and weather kind (1 to 4); empty when the
  // icon was not changed while the dialog was open.
  std::array<std::string, 7> todo_icons;
  std::array<std::string, 4> weather_icons;
};

// Reads the settings file of the program folder with every key, the dialog showing its own
// defaults for a few missing keys (SchLine, TrayIcon, ScrUd, Pop, DateStyle, Memo Tab and the
// signal Form). Throws store::FileError when the file cannot be read.
SetupState SetupOpen(platform::FileSystem& fs, const std::string& settings_file,
                     const store::SettingsDefaults& defaults);
SetupState SetupOpen(const store::IniFile& ini, const store::SettingsDefaults& defaults);

// ---- Values the controls show and store ----------------------------------------------------

// The hours of the vertical-view lists: 0 to 30, shown "hh:00".
inline constexpr int kHourChoices = 31;
std::string HourText(int hour);
// The refusal of a vertical-view range (start and end hour), or nothing when it is usable.
std::optional<std::string> VerticalRangeError(int start, int end);
inline constexpr const char* kRangeOrderMessage = "表示時刻は、開始 < 終了でなければなれません。";
inline constexpr const char* kRangeWidthMessage = "表示時刻の設定範囲は24時間未満でなければなれません。";

// ToDo Pop from the three popup boxes: 3 "警告", else 2 "期限", else 1 "期限切れ", else 0.
int TodoPopLevel(bool warning, bool limit, bool overdue);
// Mini TransValue of a track-bar position (0 to 20) and back; the label shows position x 5 "%".
int MiniTransValue(int position);
int MiniTransPosition(int trans_value);
inline constexpr int kMiniTransSteps = 20;

// The 28 colour areas of the "色とフォント" page.
struct ColourArea {
  const char* key;   // the Color key
  const char* name;  // as the list shows it
  bool text;         // has a text colour
  bool back;         // has a background
};
const std::array<ColourArea, 28>& ColourAreas();
store::ColourPair& ColourOf(store::ColorSettings& colours, std::size_t area);
// Whether the area's background can be changed now ("今日" with Today on, the mini-calendar range
// with MiniColor on).
bool AreaBackEnabled(const store::ColorSettings& colours, std::size_t area);
// The 28 areas at their defaults (the other Color keys kept).
void ResetColours(store::ColorSettings& colours, const store::SettingsDefaults& defaults);

// The 13 font areas of the "色とフォント" page: their names and the Font members.
struct FontArea {
  const char* key;
  const char* name;
};
const std::array<FontArea, 13>& FontAreas();
std::vector<std::string>& FontOf(store::FontSettings& fonts, std::size_t area);

// The six folders of the "データフォルダ" page, in page order, and their chooser titles.
std::array<std::string*, 6> FolderMembers(store::KalendorSettings& k);
const std::array<const char*, 6>& FolderNames();  // "スケジュールファイル" ... "テーブル"
std::string FolderChooserTitle(std::size_t folder);

// ---- OK ---------------------------------------------------------------------------------------

struct SetupFailure {
  std::string message;
  SetupPage page = SetupPage::Startup;
  std::string control;  // the control that takes the focus
};
inline constexpr const char* kInputErrorCaption = "入力エラー";
inline constexpr const char* kNoAlarmSoundMessage = "アラームの音声ファイルが存在しません。";
inline constexpr const char* kNoSignalSoundMessage = "時報の音声ファイルが存在しません。";
inline constexpr const char* kNoFolderMessage = "指定したデータフォルダは存在しません。";

// The checks of OK in their order; the first failure.
std::optional<SetupFailure> SetupCheck(const store::Settings& settings, const std::string& program_folder,
                                       platform::FileSystem& fs);
// The folder check alone (also run before a folder set is saved): the index (0 to 5) of the first
// folder that is not empty and not an existing folder. An empty folder is allowed with relative
// paths only.
std::optional<std::size_t> MissingFolder(const store::KalendorSettings& k, const std::string& program_folder,
                                         platform::FileSystem& fs);

// Where OK was given: the main window's normal position and the current year.
struct SetupApplyContext {
  std::string program_folder;  // with a trailing "/"
  std::string settings_file;
  int window_top = 0;
  int window_left = 0;
  int current_year = 0;
};

// Steps 2 to 5 of OK (the checks have passed). Returns false when the settings file could not be
// written (the failure has been shown; the dialog stays open). Throws nothing.
bool SetupApply(platform::FileSystem& fs, platform::Dialogs& dialogs, SetupState& state,
                const SetupApplyContext& context);

// Step 4 alone: the missing default files of the folders. Returns the messages of the files that
// could not be written (each already shown as an error).
std::vector<std::string> CreateDefaultFiles(platform::FileSystem& fs, platform::Dialogs& dialogs,
                                            const app::Folders& folders);
inline constexpr const char* kOldTodoMessage =
    "旧バージョンのToDoデータはそのままでは使えません。\nReadme.txtの【旧バージョンのToDoデータ移行方法】を参照して下さい。";
inline constexpr const char* kOldTodoCaption = "ToDoの移行";

// The user icon files in the program folder: "Kltod001.bmp" ... and "Klwet001.bmp" ...
std::string TodoIconFile(std::size_t state);    // 0-based
std::string WeatherIconFile(std::size_t kind);  // 0-based

}  // namespace kal::catalogues
