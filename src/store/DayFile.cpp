#include "store/DayFile.h"

#include <stdexcept>

#include "store/Colour.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::store {
namespace {

// The raw bytes of a field kept at its width (blank-padded when the line is short).
std::string RawField(const std::string& line, std::size_t pos, std::size_t width) {
  if (pos > line.size()) return std::string(width, ' ');
  return PadField(std::string_view(line).substr(pos - 1, width), width);
}

int DigitAt(const std::string& line, std::size_t pos) {
  if (pos > line.size()) return 0;
  char c = line[pos - 1];
  return (c >= '0' && c <= '9') ? c - '0' : 0;
}

const char* const kWeatherNames[] = {"", "晴れ", "曇り", "雨", "雪"};
const char* const kTransitionNames[] = {"", "のち", "時々", "一時"};

std::string NameOf(const char* const* names, int count, int i) { return (i > 0 && i < count) ? names[i] : ""; }

// The reserved byte and day colour of an old line; "0" where the line has none.
std::string HeadField(const std::string& line, std::size_t pos) {
  if (pos > line.size() || line[pos - 1] == ' ') return "0";
  return line.substr(pos - 1, 1);
}

// Fills the list to 32 lines, trims every line on the right and saves it.
void SaveDayLines(platform::FileSystem& fs, const std::string& path, std::vector<std::string>& lines) {
  FillDayLines(lines);
  for (auto& line : lines) line = std::string(TrimRight(line));
  SaveLines(fs, path, lines);
}

}  // namespace

std::string DayFilePath(const std::string& data_folder, int year, int month) {
  std::string path = data_folder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  return path + MonthStem(year, month) + ".day";
}

void FillDayLines(std::vector<std::string>& lines) {
  while (lines.size() < kDayFileLines) lines.emplace_back("00");
}

DayLine ReadDayLine(const std::string& line) {
  DayLine d;
  d.reserved = FieldBytes(line, 1, 1);
  d.colour_code = line.size() >= 2 ? line[1] : '0';
  d.weather1 = DigitAt(line, 3);
  d.transition = DigitAt(line, 4);
  d.weather2 = DigitAt(line, 5);
  d.memo_colour = line.size() >= 6 ? line[5] : ' ';
  d.colour = std::string(Trim(Field(line, 7, 9)));
  d.max_temp = std::string(Trim(Field(line, 16, 3)));
  d.min_temp = std::string(Trim(Field(line, 19, 3)));
  d.rain = std::string(Trim(Field(line, 22, 3)));
  return d;
}

bool DayColourHasColour(char code) { return static_cast<unsigned char>(code) > '5'; }

const std::vector<DayColourItem>& DayColourItems() {
  static const std::vector<DayColourItem> items = {
      {"元の背景色(&C)", '0'}, {"平日(&H)", '1'}, {"休日(&Q)", '5'}, {"カスタム(&T)", '9'},
      {"□(&S)", 'S'},          {"○(&E)", 'M'},    {"×(&X)", 'B'},    {"△(&N)", 'N'},
  };
  return items;
}

int DayColourItemFor(char code) {
  const auto& items = DayColourItems();
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].code == code) return static_cast<int>(i);
  return 0;
}

std::string RebuildDayLine(const std::string& old_line, char code, const std::string& colour) {
  std::string line = HeadField(old_line, 1);
  line += code;
  line += RawField(old_line, 3, 4);  // weather 1, transition, weather 2, memo-icon colour
  line += PadField(colour, 9);
  line += RawField(old_line, 16, 9);  // temperatures and precipitation
  return std::string(TrimRight(line));
}

bool SetDayColour(platform::Dialogs& dialogs, platform::FileSystem& fs, const std::string& path, int day,
                  char code, int initial_colour) {
  std::string colour;
  if (DayColourHasColour(code)) {
    auto chosen = dialogs.Colour(initial_colour);
    if (!chosen) return false;
    colour = ColourText(*chosen);
  }
  std::vector<std::string> lines = LoadLines(fs, path);
  FillDayLines(lines);
  if (day < 1 || static_cast<std::size_t>(day) >= lines.size()) throw std::invalid_argument("day out of range");
  lines[static_cast<std::size_t>(day)] = RebuildDayLine(lines[static_cast<std::size_t>(day)], code, colour);
  SaveDayLines(fs, path, lines);
  return true;
}

std::vector<std::string> WeatherChoices() { return {"", "晴れ", "曇り", "雨", "雪"}; }
std::vector<std::string> TransitionChoices() { return {"", "のち", "時々", "一時"}; }

std::string WeatherDialogCaption(const Date& date) {
  return "天気情報入力 - " + std::to_string(YearOf(date)) + "/" + std::to_string(MonthOf(date)) + "/" +
         std::to_string(DayOf(date));
}

WeatherInput WeatherInputFromLine(const std::string& line) {
  DayLine d = ReadDayLine(line);
  WeatherInput in;
  in.weather1 = d.weather1 <= 4 ? d.weather1 : 0;
  in.transition = in.weather1 != 0 && d.transition <= 3 ? d.transition : 0;
  in.weather2 = in.transition != 0 && d.weather2 <= 4 ? d.weather2 : 0;
  in.max_temp = d.max_temp;
  in.min_temp = d.min_temp;
  in.rain = d.rain;
  return in;
}

std::optional<std::string> CheckWeather(const WeatherInput& in) {
  if ((in.weather1 != 0 && in.weather1 == in.weather2) || (in.transition != 0 && in.weather2 == 0))
    return std::string("天気の正しく選択して下さい。");
  return std::nullopt;
}

std::optional<std::string> BuildWeatherLine(const std::string& old_line, const WeatherInput& in, std::string* error) {
  std::string line = HeadField(old_line, 1) + HeadField(old_line, 2);
  if (in.weather1 != 0) {
    line += static_cast<char>('0' + in.weather1);
    line += static_cast<char>('0' + in.transition);
    line += static_cast<char>('0' + in.weather2);
  } else {
    line += "000";
  }
  line += old_line.size() >= 6 ? old_line.substr(5, 1) : std::string(" ");
  line += RawField(old_line, 7, 9);
  if (!in.max_temp.empty() || !in.min_temp.empty() || !in.rain.empty()) {
    const std::pair<const char*, const std::string*> texts[] = {
        {"最高気温", &in.max_temp}, {"最低気温", &in.min_temp}, {"降水確率", &in.rain}};
    for (const auto& [name, text] : texts) {
      std::string bad;
      auto field = FieldText(Trim(*text), 3, &bad);
      if (!field) {
        if (error) *error = UnencodableMessage(name, bad);
        return std::nullopt;
      }
      line += PadField(*field, 3);
    }
  }
  return std::string(TrimRight(line));
}

std::optional<std::string> StoreWeather(platform::FileSystem& fs, const std::string& path, int day,
                                        const WeatherInput& input) {
  if (auto refused = CheckWeather(input)) return refused;
  std::vector<std::string> lines = LoadLines(fs, path);
  FillDayLines(lines);
  if (day < 1 || static_cast<std::size_t>(day) >= lines.size()) throw std::invalid_argument("day out of range");
  std::string error;
  auto line = BuildWeatherLine(lines[static_cast<std::size_t>(day)], input, &error);
  if (!line) return error;
  lines[static_cast<std::size_t>(day)] = *line;
  SaveDayLines(fs, path, lines);
  return std::nullopt;
}

std::string WeatherTip(const std::string& cp932_line) {
  DayLine d = ReadDayLine(cp932_line);
  std::string tip;
  const std::string weather = NameOf(kWeatherNames, 5, d.weather1) + NameOf(kTransitionNames, 4, d.transition) +
                              NameOf(kWeatherNames, 5, d.weather2);
  if (!NameOf(kWeatherNames, 5, d.weather1).empty()) tip += weather + " ";
  if (!d.max_temp.empty()) tip += "最高: " + d.max_temp + "℃ ";
  if (!d.min_temp.empty()) tip += "最低: " + d.min_temp + "℃ ";
  if (!d.rain.empty()) tip += "降水確率: " + d.rain + " ";
  return tip.empty() ? tip : " " + tip;
}

}  // namespace kal::store
