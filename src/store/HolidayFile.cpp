#include "store/HolidayFile.h"

#include <charconv>
#include <cstdio>

#include "platform/Codec.h"
#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::store {
namespace {

// A field of digits with optional blanks around them; nothing when it holds anything else.
std::optional<int> NumberField(std::string_view field) {
  field = Trim(field);
  if (field.empty()) return 0;
  int value = 0;
  auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (ec != std::errc() || end != field.data() + field.size() || value < 0) return std::nullopt;
  return value;
}

std::optional<int> DigitField(const std::string& line, std::size_t pos) {
  if (line.size() < pos) return std::nullopt;
  char c = line[pos - 1];
  if (c < '0' || c > '9') return std::nullopt;
  return c - '0';
}

bool YearFieldOk(const std::string& year) {
  if (year.empty()) return true;
  if (year.size() != 4) return false;
  for (char c : year)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string YearText(int year) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d", year);
  return buf;
}

int WeekdayIndex(const Date& d) { return WeekdayNumber(d) - 1; }

struct BuiltIn {
  int month, day;
  const char* first;
  const char* last;
  int week, weekday, holiday_class;
  const char* name;
};

// The statutory set with a few well-known anniversaries, in the order the file is created with.
constexpr BuiltIn kBuiltIn[] = {
    {1, 0, "2000", "", 2, 1, 0, "成人の日"},
    {1, 1, "1949", "", 0, 0, 0, "元日"},
    {1, 15, "1949", "1999", 0, 0, 0, "成人の日"},
    {2, 11, "1967", "", 0, 0, 0, "建国記念の日"},
    {2, 14, "", "", 0, 0, 2, "バレンタインデー"},
    {2, 23, "2020", "", 0, 0, 0, "天皇誕生日"},
    {3, 3, "", "", 0, 0, 2, "ひなまつり"},
    {3, 14, "", "", 0, 0, 2, "ホワイトデー"},
    {4, 1, "", "", 0, 0, 2, "エイプリルフール"},
    {4, 29, "1949", "1988", 0, 0, 0, "天皇誕生日"},
    {4, 29, "1989", "2006", 0, 0, 0, "みどりの日"},
    {4, 29, "2007", "", 0, 0, 0, "昭和の日"},
    {5, 0, "", "", 2, 0, 2, "母の日"},
    {5, 1, "2019", "2019", 0, 0, 0, "新天皇即位"},
    {5, 3, "1949", "", 0, 0, 0, "憲法記念日"},
    {5, 4, "2007", "", 0, 0, 0, "みどりの日"},
    {5, 5, "1949", "", 0, 0, 0, "こどもの日"},
    {6, 0, "", "", 3, 0, 2, "父の日"},
    {7, 0, "2003", "2019", 3, 1, 0, "海の日"},
    {7, 0, "2022", "", 3, 1, 0, "海の日"},
    {7, 7, "", "", 0, 0, 2, "七夕"},
    {7, 20, "1996", "2002", 0, 0, 0, "海の日"},
    {7, 22, "2021", "2021", 0, 0, 0, "海の日"},
    {7, 23, "2020", "2020", 0, 0, 0, "海の日"},
    {7, 23, "2021", "2021", 0, 0, 0, "スポーツの日"},
    {7, 24, "2020", "2020", 0, 0, 0, "スポーツの日"},
    {8, 8, "2021", "2021", 0, 0, 0, "山の日"},
    {8, 10, "2020", "2020", 0, 0, 0, "山の日"},
    {8, 11, "2016", "2019", 0, 0, 0, "山の日"},
    {8, 11, "2022", "", 0, 0, 0, "山の日"},
    {9, 0, "2003", "", 3, 1, 0, "敬老の日"},
    {9, 15, "1966", "2002", 0, 0, 0, "敬老の日"},
    {10, 0, "2000", "2019", 2, 1, 0, "体育の日"},
    {10, 0, "2022", "", 2, 1, 0, "スポーツの日"},
    {10, 10, "1966", "1999", 0, 0, 0, "体育の日"},
    {10, 22, "2019", "2019", 0, 0, 0, "即位礼正殿の儀"},
    {10, 31, "", "", 0, 0, 2, "ハロウィン"},
    {11, 3, "1949", "", 0, 0, 0, "文化の日"},
    {11, 23, "1949", "", 0, 0, 0, "勤労感謝の日"},
    {12, 23, "1989", "2018", 0, 0, 0, "天皇誕生日"},
    {12, 25, "", "", 0, 0, 2, "クリスマス"},
};

std::string BuiltInLine(const BuiltIn& b) {
  char head[32];
  std::snprintf(head, sizeof head, "%2d", b.month);
  std::string line = head;
  if (b.day == 0) {
    line += "  ";
  } else {
    std::snprintf(head, sizeof head, "%2d", b.day);
    line += head;
  }
  line += PadField(b.first, 4);
  line += PadField(b.last, 4);
  line += static_cast<char>('0' + b.week);
  line += static_cast<char>('0' + b.weekday);
  line += static_cast<char>('0' + b.holiday_class);
  line += *platform::Utf8ToCp932(b.name);
  return line;
}

}  // namespace

std::optional<HolidayLine> ParseHolidayLine(const std::string& line, int index) {
  HolidayLine h;
  h.index = index;
  auto month = NumberField(std::string_view(line).substr(0, std::min<std::size_t>(2, line.size())));
  auto day = NumberField(line.size() > 2 ? std::string_view(line).substr(2, 2) : std::string_view());
  if (!month || !day) return std::nullopt;
  // A field that is not blank names a month 1 to 12 or "99", a day 1 to 32.
  const bool month_blank = Trim(FieldBytes(line, 1, 2)).empty();
  const bool day_blank = Trim(FieldBytes(line, 3, 2)).empty();
  if (!month_blank && !((*month >= 1 && *month <= 12) || *month == kHolidayMonthEvery)) return std::nullopt;
  if (!day_blank && (*day < 1 || *day > kHolidayLastDay)) return std::nullopt;
  h.month = *month;
  h.day = *day;
  h.first_year = std::string(Trim(FieldBytes(line, 5, 4)));
  h.last_year = std::string(Trim(FieldBytes(line, 9, 4)));
  if (!YearFieldOk(h.first_year) || !YearFieldOk(h.last_year)) return std::nullopt;
  auto week = DigitField(line, 13);
  auto weekday = DigitField(line, 14);
  auto cls = DigitField(line, 15);
  if (!week || !weekday || !cls) return std::nullopt;
  if (*weekday > 6 || *cls > kClassAnniversary3) return std::nullopt;
  h.week = *week;
  h.weekday = *weekday;
  h.holiday_class = *cls;
  h.name = FieldToEnd(line, 16);
  return h;
}

std::vector<HolidayLine> ParseHolidayLines(const std::vector<std::string>& lines, std::vector<int>* damaged) {
  std::vector<HolidayLine> result;
  result.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto h = ParseHolidayLine(lines[i], static_cast<int>(i))) {
      result.push_back(std::move(*h));
    } else if (damaged) {
      damaged->push_back(static_cast<int>(i));
    }
  }
  return result;
}

std::string HolidayDamagedLineMessage(const std::string& path, int line_number) {
  return path + " の " + std::to_string(line_number + 1) + " 行目は祝日の形式ではないため読み飛ばしました。";
}

bool HolidayYearInRange(const HolidayLine& line, int year) {
  if (year >= 0 && year <= 9999) {
    // The common case without formatting: this runs for every rule on every day a calendar shows.
    const char digits[4] = {static_cast<char>('0' + year / 1000), static_cast<char>('0' + year / 100 % 10),
                            static_cast<char>('0' + year / 10 % 10), static_cast<char>('0' + year % 10)};
    const std::string_view y(digits, 4);
    if (!line.first_year.empty() && y < std::string_view(line.first_year)) return false;
    return y <= (line.last_year.empty() ? std::string_view("9999") : std::string_view(line.last_year));
  }
  std::string y = YearText(year);
  if (!line.first_year.empty() && y < line.first_year) return false;
  const std::string last = line.last_year.empty() ? std::string("9999") : line.last_year;
  return y <= last;
}

bool HolidayDateRuleMatches(const HolidayLine& line, const Date& date) {
  const int m = MonthOf(date), d = DayOf(date);
  if (line.month == 0) return WeekdayIndex(date) == line.weekday;
  if (line.month != m && line.month != kHolidayMonthEvery) return false;
  const int last = DaysInMonth(YearOf(date), m);
  if (line.day != 0) {
    if (line.day == d) return true;
    return line.day == kHolidayLastDay && line.month == kHolidayMonthEvery && d == last;
  }
  if (WeekdayIndex(date) != line.weekday) return false;
  if (line.week == kHolidayWeekLast) return d + 7 > last;
  return line.week == (d - 1) / 7 + 1;
}

bool HolidayLineMatches(const HolidayLine& line, const Date& date) {
  return HolidayYearInRange(line, YearOf(date)) && HolidayDateRuleMatches(line, date);
}

std::vector<int> HolidayDaysInMonth(const HolidayLine& line, int year, int month) {
  std::vector<int> days;
  if (!HolidayYearInRange(line, year)) return days;
  // A yearly rule of another month has no day here: most lines are such rules, and a year view
  // asks every line for twelve months.
  if (line.month != 0 && line.month != month && line.month != kHolidayMonthEvery) return days;
  const int last = DaysInMonth(year, month);
  for (int d = 1; d <= last; ++d)
    if (HolidayDateRuleMatches(line, MakeDate(year, month, d))) days.push_back(d);
  return days;
}

std::string HolidayShownName(const HolidayLine& line, int year) {
  if (line.holiday_class < kClassAnniversary1 || line.first_year.empty()) return line.name;
  const int years = year - std::stoi(line.first_year);
  std::string out;
  const std::string& n = line.name;
  for (std::size_t i = 0; i < n.size(); ++i) {
    if (n[i] == '%' && i + 1 < n.size() && n[i + 1] == 'd') {
      out += std::to_string(years);
      ++i;
    } else if (n[i] == '%' && i + 1 < n.size() && n[i + 1] == '%') {
      out += '%';
      ++i;
    } else {
      out += n[i];
    }
  }
  return out;
}

std::vector<HolidayDayEntry> HolidayEntriesInMonth(const std::vector<HolidayLine>& lines, int year, int month) {
  std::vector<HolidayDayEntry> entries;
  for (const auto& line : lines)
    for (int d : HolidayDaysInMonth(line, year, month))
      entries.push_back({d, line.holiday_class, line.index, HolidayShownName(line, year)});
  return entries;
}

const std::vector<std::string>& BuiltInHolidayLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> v;
    for (const auto& b : kBuiltIn) v.push_back(BuiltInLine(b));
    return v;
  }();
  return lines;
}

std::string HolidayFilePath(const std::string& data_folder) {
  std::string path = data_folder;
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
  return path + kHolidayFileName;
}

bool CreateHolidayFile(platform::FileSystem& fs, const std::string& data_folder) {
  const std::string path = HolidayFilePath(data_folder);
  if (fs.Exists(path)) return false;
  SaveLines(fs, path, BuiltInHolidayLines());
  return true;
}

int ReplacePublicHolidays(platform::FileSystem& fs, const std::string& path) {
  std::vector<std::string> lines = LoadLines(fs, path);
  std::vector<std::string> kept;
  for (const auto& line : lines) {
    if (line.size() >= 15 && line[14] == '0') continue;
    kept.push_back(line);
  }
  int added = 0;
  for (const auto& line : BuiltInHolidayLines()) {
    if (line[14] != '0') continue;
    kept.push_back(line);
    ++added;
  }
  SortLines(kept);
  SaveLines(fs, path, kept);
  return added;
}

bool UpdatePublicHolidays(platform::Dialogs& dialogs, platform::FileSystem& fs, const std::string& path) {
  if (dialogs.Message("最新の祝日情報に更新します。\n処理を続けますか？", "確認", platform::MsgIcon::Information,
                      platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
    return false;
  const int count = ReplacePublicHolidays(fs, path);
  dialogs.Info(std::to_string(count) + "件の祝日情報を登録しました。", "確認");
  return true;
}

bool HolidayEntryStillThere(const std::vector<std::string>& lines, const HolidayEntryRef& entry) {
  if (entry.index < 0 || static_cast<std::size_t>(entry.index) >= lines.size()) return false;
  auto h = ParseHolidayLine(lines[static_cast<std::size_t>(entry.index)], entry.index);
  if (!h || h->holiday_class != entry.kind) return false;
  return HolidayLineMatches(*h, entry.date) && HolidayShownName(*h, YearOf(entry.date)) == entry.shown_name;
}

std::optional<std::string> HolidayChangeRefusal(const HolidayEntryRef& entry) {
  if (entry.index == kComputedIndex) return std::string(kComputedChangeRefusal);
  return std::nullopt;
}

bool HolidayRepAllowed(platform::Dialogs& dialogs, const std::vector<std::string>& lines,
                       const HolidayEntryRef& entry) {
  if (auto refusal = HolidayChangeRefusal(entry)) {
    dialogs.Error(*refusal, "エラー");
    return false;
  }
  if (!HolidayEntryStillThere(lines, entry)) {
    dialogs.Error(kHolidayGoneMessage, "エラー");
    return false;
  }
  return true;
}

bool HolidayDel(platform::Dialogs& dialogs, platform::FileSystem& fs, const std::string& path,
                const HolidayEntryRef& entry, bool ask) {
  if (entry.index == kComputedIndex) {
    dialogs.Error(kComputedDeleteRefusal, "エラー");
    return false;
  }
  std::vector<std::string> lines;
  if (!LoadLinesIfExists(fs, path, lines)) return false;
  if (!HolidayEntryStillThere(lines, entry)) {
    dialogs.Error(kHolidayGoneMessage, "エラー");
    return true;
  }
  if (ask && !dialogs.Confirm("「" + entry.shown_name + "」を削除します。\nよろしいですか？", "祝日・休日・記念日の削除"))
    return false;
  lines.erase(lines.begin() + entry.index);
  SaveLines(fs, path, lines);
  return true;
}

void HolidayStore(platform::FileSystem& fs, const std::string& path, std::vector<std::string> lines, bool change,
                  int index, const std::string& cp932_line) {
  if (change && index >= 0 && static_cast<std::size_t>(index) < lines.size())
    lines.erase(lines.begin() + index);
  lines.push_back(cp932_line);
  SortLines(lines);
  SaveLines(fs, path, lines);
}

}  // namespace kal::store
