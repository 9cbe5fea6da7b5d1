// The weather target: one record rewrites the weather fields of its day's line in the day file.
#include <utility>

#include "import/ImportRun.h"
#include "store/DayFile.h"
#include "store/Record.h"

namespace kal::import {
namespace {

enum Field : std::size_t { kDate, kWeather, kMaxTemp, kMinTemp, kRain };

constexpr const char* kBadDate = "日付に誤りがあるため処理できません。";
constexpr const char* kBadValue = "不適切なデータがあります。";
constexpr std::size_t kValueWidth = 3;

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// 1 晴れ, 2 曇り, 3 雨, 4 雪, 0 none.
int WeatherCode(const std::string& text) {
  if (Contains(text, "晴")) return 1;
  if (Contains(text, "曇") || Contains(text, "くもり")) return 2;
  if (Contains(text, "雨")) return 3;
  if (Contains(text, "雪") || Contains(text, "みぞれ")) return 4;
  return 0;
}

void RemoveAll(std::string& text, const std::string& part) {
  for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part)) text.erase(pos, part.size());
}

// A temperature or probability made into its field text; nothing when it is not a whole number
// that fits the field.
std::optional<std::string> NumberText(std::string text, bool temperature, bool minimum) {
  text = TrimText(text);
  if (temperature) {
    const auto dot = text.find('.');
    if (dot != std::string::npos) text.erase(dot);
    RemoveAll(text, "℃");
    RemoveAll(text, "度");
  } else {
    RemoveAll(text, "%");
    RemoveAll(text, "％");
  }
  text = TrimText(text);
  if (minimum && text == "-0") text = "0";
  if (text.empty()) return text;
  const std::size_t digits_from = text[0] == '-' ? 1 : 0;
  if (text.size() == digits_from || text.size() > kValueWidth ||
      text.find_first_not_of("0123456789", digits_from) != std::string::npos)
    return std::nullopt;
  return text;
}

}  // namespace

void ConvertWeather(ImportRun& run, const SourceRecord& record, RecordOutcome& out) {
  const std::string date_value = run.Value(record, kDate);
  out.date = TrimText(date_value);
  const std::string weather = TrimText(run.Value(record, kWeather));
  out.title = weather;
  const auto date = ParseImportDate(date_value);
  if (!date) return run.Fail(out, record, kBadDate, date_value);
  out.date = store::DateText(*date);

  store::WeatherInput input;
  // The joining word, in this order: のち or 後, 時々, 一時.
  static const std::pair<const char*, int> joins[] = {{"のち", 1}, {"後", 1}, {"時々", 2}, {"一時", 3}};
  std::size_t join_at = std::string::npos;
  for (const auto& [word, code] : joins) {
    join_at = weather.find(word);
    if (join_at != std::string::npos) {
      input.transition = code;
      break;
    }
  }
  if (join_at == std::string::npos) {
    input.weather1 = WeatherCode(weather);
  } else {
    input.weather1 = WeatherCode(weather.substr(0, join_at));
    input.weather2 = WeatherCode(weather.substr(join_at));
  }
  if (input.weather1 == input.weather2) input.transition = input.weather2 = 0;

  const std::pair<std::size_t, std::string*> values[] = {
      {kMaxTemp, &input.max_temp}, {kMinTemp, &input.min_temp}, {kRain, &input.rain}};
  for (const auto& [field, target] : values) {
    const std::string value = run.Value(record, field);
    auto text = NumberText(value, field != kRain, field == kMinTemp);
    if (!text) return run.Fail(out, record, kBadValue, value);
    *target = *text;
  }

  const std::string path = store::DayFilePath(run.request.folders.data, store::YearOf(*date), store::MonthOf(*date));
  std::vector<std::string>& lines = run.files.Lines(path);
  store::FillDayLines(lines);
  std::string& line = lines[static_cast<std::size_t>(store::DayOf(*date))];
  if (run.request.options.skip_duplicates) {
    const store::DayLine old = store::ReadDayLine(line);
    if (old.weather1 == input.weather1 && old.transition == input.transition && old.weather2 == input.weather2 &&
        old.max_temp == input.max_temp && old.min_temp == input.min_temp && old.rain == input.rain) {
      out.status = RecordStatus::Duplicate;
      return;
    }
  }
  std::string error;
  auto rebuilt = store::BuildWeatherLine(line, input, &error);
  if (!rebuilt) return run.Refuse(out, record, error);
  line = *rebuilt;
  run.files.Touch(path, ImportFiles::Order::DayFile);
  out.status = RecordStatus::Import;
}

}  // namespace kal::import
