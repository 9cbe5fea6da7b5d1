// Day files (data folder + "yyyymm.day"): per day a background colour or mark, the weather diary
// and the colour of the day's memo icon. Line n (0-based) belongs to day n; line 0 to no day.
//
// Fields (1-based byte positions, widths): reserved 1/1, day colour 2/1, weather 1 3/1,
// transition 4/1, weather 2 5/1, memo-icon colour 6/1, colour 7/9 ("$" + six hex digits),
// maximum temperature 16/3, minimum temperature 19/3, precipitation 22/3.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::store {

inline constexpr std::size_t kDayFileLines = 32;

// data folder + "yyyymm.day".
std::string DayFilePath(const std::string& data_folder, int year, int month);

// Fills the list up to 32 lines with "00" (done before every write).
void FillDayLines(std::vector<std::string>& lines);

// One day's line, read. Missing fields read as empty; digits that do not convert read as 0.
struct DayLine {
  std::string reserved;     // the byte as found ("" when the line is shorter)
  char colour_code = '0';   // '0' normal, '1' weekday colour, '5' holiday colour, '9' custom, 'S' 'M' 'B' 'N' marks
  int weather1 = 0;         // 0 none, 1 晴れ, 2 曇り, 3 雨, 4 雪
  int transition = 0;       // 0 none, 1 のち, 2 時々, 3 一時
  int weather2 = 0;
  char memo_colour = ' ';   // '1'..'5', or '0'/' ' for the default
  std::string colour;       // "$BBGGRR" or empty
  std::string max_temp;     // UTF-8, trimmed
  std::string min_temp;
  std::string rain;
};
DayLine ReadDayLine(const std::string& cp932_line);

// A code greater than "5" is a mark or the custom colour: it is drawn in the colour field.
bool DayColourHasColour(char code);

// The day-colour menu "この日の背景色を設定(&V)".
struct DayColourItem {
  const char* caption;
  char code;
};
const std::vector<DayColourItem>& DayColourItems();
// The item ticked for a day's current code (an unknown code ticks "元の背景色(&C)").
int DayColourItemFor(char code);

// The day's line with a new day colour code and colour field, every other field kept at its
// width (a short or blank old line gives blank fields, and "0" for the reserved byte).
std::string RebuildDayLine(const std::string& old_line, char code, const std::string& colour);

// The day-colour command: for a code greater than "5" the colour chooser is shown first
// (Cancel changes nothing) and gives the colour; otherwise the colour field becomes empty. The
// day's line is rebuilt and the file saved. True when the file changed.
bool SetDayColour(platform::Dialogs& dialogs, platform::FileSystem& fs, const std::string& path, int day,
                  char code, int initial_colour);

// The weather dialog.
struct WeatherInput {
  int weather1 = 0;    // CmbWeather1 position (0 blank)
  int transition = 0;  // CmbWeather2 position
  int weather2 = 0;    // CmbWeather3 position
  std::string max_temp, min_temp, rain;  // UTF-8 as typed (at most 3 characters each)
  friend bool operator==(const WeatherInput&, const WeatherInput&) = default;
};
std::vector<std::string> WeatherChoices();     // "", "晴れ", "曇り", "雨", "雪"
std::vector<std::string> TransitionChoices();  // "", "のち", "時々", "一時"
inline constexpr std::size_t kWeatherTextChars = 3;

// "天気情報入力 - yyyy/m/d".
std::string WeatherDialogCaption(const Date& date);
// The controls for a day's line (an empty line leaves them blank).
WeatherInput WeatherInputFromLine(const std::string& cp932_line);
// The check of OK; the message when it fails (caption "入力エラー").
std::optional<std::string> CheckWeather(const WeatherInput& input);
// The day's new line; nothing when a text cannot be held by CP932 (`error` then says which).
std::optional<std::string> BuildWeatherLine(const std::string& old_line, const WeatherInput& input,
                                            std::string* error = nullptr);
// OK: reads the month's file, replaces the day's line, fills to 32 lines and saves. Returns the
// message of a refused input (nothing was written), or nothing when stored.
std::optional<std::string> StoreWeather(platform::FileSystem& fs, const std::string& path, int day,
                                        const WeatherInput& input);

// The tooltip of a day's weather; empty when the line holds none.
std::string WeatherTip(const std::string& cp932_line);

}  // namespace kal::store
