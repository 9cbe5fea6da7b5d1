#include "store/ScheduleFile.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <stdexcept>

#include "platform/Codec.h"
#include "store/Colour.h"
#include "store/CommaText.h"
#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::store {
namespace {

// Field positions and widths of a schedule line.
constexpr std::size_t kDayPos = 1, kDayWidth = 2;
constexpr std::size_t kStartPos = 3, kEndPos = 8, kTimeWidth = 5;
constexpr std::size_t kCategoryPos = 13, kCategoryWidth = 14;
constexpr std::size_t kFontStylePos = 27, kLineStylePos = 28, kAlarm1Pos = 29, kAlarm2Pos = 30;
constexpr std::size_t kTitlePos = 31, kPlacePos = 71, kTextWidth = 40;
constexpr std::size_t kDetailPos = 111, kDetailWidth = 3;
constexpr std::size_t kSpanPos = 114, kSpanWidth = 2;
constexpr std::size_t kTextColourPos = 116, kBarColourPos = 123, kColourWidth = 7;
constexpr std::size_t kBarStylePos = 130;
constexpr std::size_t kLinkMarkPos = 133, kLinkPos = 134;
// Lengths of the built lines (see BuildScheduleLine), kept beside the positions they follow from.
[[maybe_unused]] constexpr std::size_t kDetailLineLength = 113;
[[maybe_unused]] constexpr std::size_t kMultiDayLineLength = 130;

int DigitOf(std::string_view field) {
  if (field.size() == 1 && field[0] >= '0' && field[0] <= '9') return field[0] - '0';
  return 0;
}

// A number written with digits only; nothing otherwise.
std::optional<int> DigitsValue(std::string_view text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

void CheckRange(int value, int low, int high, const char* what) {
  if (value < low || value > high) throw std::invalid_argument(std::string("schedule line: ") + what + " out of range");
}

// A text field encoded and cut to `width`; records the refusal in `result` when a character
// cannot be held.
bool EncodeField(const std::string& utf8, std::size_t width, const char* name, std::string& out,
                 BuildResult& result) {
  std::string bad;
  auto cp932 = FieldText(utf8, width, &bad);
  if (!cp932) {
    result.ok = false;
    result.field = name;
    result.bad = bad;
    result.message = UnencodableMessage(name, bad);
    return false;
  }
  out = std::move(*cp932);
  return true;
}

bool SameLineAt(const std::vector<std::string>& lines, std::size_t index, const std::string& line) {
  return index < lines.size() && lines[index] == line;
}

std::size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  auto it = std::find(lines.begin(), lines.end(), line);
  return static_cast<std::size_t>(it - lines.begin());
}

StoreOutcome Refuse(platform::Dialogs& dialogs, StoreStatus status, const std::string& message,
                    const char* caption, std::string field = {}) {
  dialogs.Error(message, caption);
  StoreOutcome outcome;
  outcome.status = status;
  outcome.message = message;
  outcome.field = std::move(field);
  return outcome;
}

// The first line of a detail file that begins with the number's three digits.
std::vector<std::string>::iterator FindDetailLine(std::vector<std::string>& detail_lines, int number) {
  const std::string key = DetailNumberField(number);
  return std::find_if(detail_lines.begin(), detail_lines.end(),
                      [&](const std::string& l) { return l.compare(0, 3, key) == 0 && l.size() >= 3; });
}

// Allocates a number over `month_lines` and writes "nnn" + `body` into the month's detail file,
// replacing any line that already carries the number. `body` is the CP932 text after the
// number (starting with the comma). Returns the number, or 0 after the overflow message.
int StoreDetailBody(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& folder, int year,
                    int month, const std::vector<std::string>& month_lines, const std::string& body) {
  int number = FreeDetailNumber(month_lines);
  if (number > kMaxDetailNumber) {
    dialogs.Error(kMemoFullMessage, kFullCaption);
    return 0;
  }
  StoreDetailLine(fs, folder, year, month, number, body);
  return number;
}

}  // namespace

// --- Reading ----------------------------------------------------------------------------------

ScheduleTexts ReadScheduleTexts(std::string_view line) {
  ScheduleTexts t;
  t.day = Field(line, kDayPos, kDayWidth);
  t.start = Field(line, kStartPos, kTimeWidth);
  t.end = Field(line, kEndPos, kTimeWidth);
  t.category = Field(line, kCategoryPos, kCategoryWidth);
  t.font_style = Field(line, kFontStylePos, 1);
  t.line_style = Field(line, kLineStylePos, 1);
  t.alarm1 = Field(line, kAlarm1Pos, 1);
  t.alarm2 = Field(line, kAlarm2Pos, 1);
  t.title = Field(line, kTitlePos, kTextWidth);
  t.place = Field(line, kPlacePos, kTextWidth);
  t.detail = Field(line, kDetailPos, kDetailWidth);
  t.span = Field(line, kSpanPos, kSpanWidth);
  t.text_colour = Field(line, kTextColourPos, kColourWidth);
  t.bar_colour = Field(line, kBarColourPos, kColourWidth);
  t.bar_style = Field(line, kBarStylePos, 1);
  t.link = FieldToEnd(line, kLinkPos);
  return t;
}

int Day(std::string_view line) {
  auto value = DigitsValue(FieldBytes(line, kDayPos, kDayWidth));
  if (!value || *value < 1 || *value > 31) return 0;
  return *value;
}

bool IsMultiDay(std::string_view line) { return CompareLines(FieldBytes(line, kSpanPos, kSpanWidth), "00") > 0; }

std::string DetailNumberText(std::string_view line) { return FieldBytes(line, kDetailPos, kDetailWidth); }

int DetailNumber(std::string_view line) {
  std::string text = DetailNumberText(line);
  if (text.size() != kDetailWidth) return 0;
  return DigitsValue(text).value_or(0);
}

std::string DetailNumberField(int number) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%03d", number);
  return buffer;
}

ScheduleFields ReadScheduleLine(std::string_view line) {
  ScheduleFields f;
  f.day = Day(line);
  f.start = Field(line, kStartPos, kTimeWidth);
  f.end = Field(line, kEndPos, kTimeWidth);
  f.category = Field(line, kCategoryPos, kCategoryWidth);
  f.font_style = DigitOf(FieldBytes(line, kFontStylePos, 1));
  f.line_style = DigitOf(FieldBytes(line, kLineStylePos, 1));
  f.alarm1 = DigitOf(FieldBytes(line, kAlarm1Pos, 1));
  f.alarm2 = DigitOf(FieldBytes(line, kAlarm2Pos, 1));
  f.title = Field(line, kTitlePos, kTextWidth);
  f.place = Field(line, kPlacePos, kTextWidth);
  f.detail = DetailNumber(line);
  if (IsMultiDay(line)) {
    auto span = DigitsValue(FieldBytes(line, kSpanPos, kSpanWidth));
    f.span = span && *span > 0 ? *span : 1;
    f.text_colour = ParseColourText(FieldBytes(line, kTextColourPos, kColourWidth), kDefaultScheduleTextColour);
    f.bar_colour = ParseColourText(FieldBytes(line, kBarColourPos, kColourWidth), kDefaultScheduleBarColour);
    f.bar_style = DigitOf(FieldBytes(line, kBarStylePos, 1));
  }
  f.link = FieldToEnd(line, kLinkPos);
  return f;
}

// --- Building ---------------------------------------------------------------------------------

BuildResult BuildScheduleLine(const ScheduleFields& f) {
  CheckRange(f.day, 1, 31, "day");
  CheckRange(f.font_style, 0, 3, "font style");
  CheckRange(f.line_style, 0, 3, "line style");
  CheckRange(f.alarm1, 0, 9, "alarm 1");
  CheckRange(f.alarm2, 0, 9, "alarm 2");
  CheckRange(f.detail, 0, kMaxDetailNumber, "detail number");
  CheckRange(f.span, 0, 99, "span");
  CheckRange(f.bar_style, 0, 5, "bar style");

  BuildResult result;
  std::string start, end, category, title, place, link;
  if (!EncodeField(f.start, kTimeWidth, kStartName, start, result) ||
      !EncodeField(f.end, kTimeWidth, kEndName, end, result) ||
      !EncodeField(f.category, kCategoryWidth, kCategoryName, category, result) ||
      !EncodeField(f.title, kTextWidth, kTitleName, title, result) ||
      !EncodeField(f.place, kTextWidth, kPlaceName, place, result) ||
      !EncodeField(f.link, kScheduleLinkMax, kLinkName, link, result))
    return result;

  std::string line = TwoDigits(f.day);
  line += PadField(start, kTimeWidth);
  line += PadField(end, kTimeWidth);
  line += PadField(category, kCategoryWidth);
  line += static_cast<char>('0' + f.font_style);
  line += static_cast<char>('0' + f.line_style);
  line += static_cast<char>('0' + f.alarm1);
  line += static_cast<char>('0' + f.alarm2);

  if (f.span > 0 || f.detail > 0) {
    line += PadField(title, kTextWidth);
    line += PadField(place, kTextWidth);
    line += DetailNumberField(f.detail);
    if (f.span > 0) {
      line += TwoDigits(f.span);
      line += ColourText(f.text_colour);
      line += ColourText(f.bar_colour);
      line += static_cast<char>('0' + f.bar_style);
    }
  } else {
    std::string_view trimmed_place = TrimRight(place);
    if (!trimmed_place.empty()) {
      line += PadField(title, kTextWidth);
      line += trimmed_place;
    } else {
      line += title;
    }
  }

  std::string_view trimmed_link = TrimRight(link);
  if (!trimmed_link.empty()) {
    PadLine(line, kLinkMarkPos - 1);
    line += '0';
    line += trimmed_link;
  }
  result.ok = true;
  result.line = std::move(line);
  return result;
}

std::string MonthFilePath(const std::string& folder, int year, int month) {
  return platform::JoinPath(folder, MonthStem(year, month) + ".sch");
}

std::string DetailFilePath(const std::string& folder, int year, int month) {
  return platform::JoinPath(folder, MonthStem(year, month) + ".dtl");
}

// --- Details ----------------------------------------------------------------------------------

int FreeDetailNumber(const std::vector<std::string>& month_lines) {
  std::set<int> used;
  for (const auto& line : month_lines) {
    int number = DetailNumber(line);
    if (number > 0) used.insert(number);
  }
  int n = 1;
  for (int number : used) {
    if (number > n) break;
    if (number == n) ++n;
  }
  return n;
}

std::vector<std::string> DetailMemo(const std::vector<std::string>& detail_lines, int number) {
  if (number <= 0) return {};
  const std::string key = DetailNumberField(number);
  for (const auto& line : detail_lines) {
    if (line.size() < 3 || line.compare(0, 3, key) != 0) continue;
    std::vector<std::string> items = FromCommaText(platform::Cp932ToUtf8(line));
    if (!items.empty()) items.erase(items.begin());
    return items;
  }
  return {};
}

std::vector<std::string> ReadDetail(platform::FileSystem& fs, const std::string& folder, int year, int month,
                                    int number) {
  if (number <= 0) return {};
  return DetailMemo(LoadLines(fs, DetailFilePath(folder, year, month)), number);
}

std::string DetailBody(const std::vector<std::string>& detail_lines, int number) {
  if (number <= 0) return {};
  const std::string key = DetailNumberField(number);
  for (const auto& l : detail_lines)
    if (l.size() >= 3 && l.compare(0, 3, key) == 0) return l.substr(3);
  return {};
}

void StoreDetailLine(platform::FileSystem& fs, const std::string& folder, int year, int month, int number,
                     const std::string& body) {
  const std::string path = DetailFilePath(folder, year, month);
  std::vector<std::string> details = LoadLines(fs, path);
  auto stale = FindDetailLine(details, number);
  if (stale != details.end()) details.erase(stale);
  details.push_back(DetailNumberField(number) + body);
  SortLines(details);
  SaveLines(fs, path, details);
}

std::string WithDay(std::string_view line, int day) {
  CheckRange(day, 1, 31, "day");
  std::string out(line);
  PadLine(out, kDayWidth);
  out.replace(kDayPos - 1, kDayWidth, TwoDigits(day));
  return out;
}

std::string WithTimes(std::string_view line, const std::string& start, const std::string& end) {
  std::string out(line);
  PadLine(out, kEndPos - 1 + kTimeWidth);
  out.replace(kStartPos - 1, kTimeWidth, PadField(start, kTimeWidth));
  out.replace(kEndPos - 1, kTimeWidth, PadField(end, kTimeWidth));
  return out;
}

std::string WithDetailNumber(std::string_view line, int number) {
  CheckRange(number, 0, kMaxDetailNumber, "detail number");
  std::string out(line);
  PadLine(out, kDetailPos - 1 + kDetailWidth);
  out.replace(kDetailPos - 1, kDetailWidth, DetailNumberField(number));
  return out;
}

bool MemoIsEmpty(const std::vector<std::string>& memo) {
  return std::all_of(memo.begin(), memo.end(), [](const std::string& l) { return l.empty(); });
}

std::optional<std::string> BuildDetailLine(int number, const std::vector<std::string>& memo, std::string* bad) {
  auto body = platform::Utf8ToCp932(ToCommaText(memo), bad);
  if (!body) return std::nullopt;
  return DetailNumberField(number) + "," + *body;
}

int SchMemoEdit(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& folder, int year,
                int month, const std::vector<std::string>& month_lines, const std::vector<std::string>& memo) {
  if (MemoIsEmpty(memo)) return 0;
  std::string bad;
  auto line = BuildDetailLine(0, memo, &bad);
  if (!line) {
    dialogs.Error(UnencodableMessage(kMemoName, bad), kInputErrorCaption);
    return 0;
  }
  return StoreDetailBody(fs, dialogs, folder, year, month, month_lines, line->substr(3));
}

void SchMemoDel(platform::FileSystem& fs, const std::string& folder, int year, int month,
                std::string_view schedule_line) {
  int number = DetailNumber(schedule_line);
  if (number <= 0) return;
  const std::string path = DetailFilePath(folder, year, month);
  std::vector<std::string> details;
  if (!LoadLinesIfExists(fs, path, details)) return;
  auto it = FindDetailLine(details, number);
  if (it == details.end()) return;
  details.erase(it);
  SaveLines(fs, path, details);
}

// --- Storing and deleting ---------------------------------------------------------------------

StoreOutcome SchUd(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& folder, int year,
                   int month, const std::string& line, const std::optional<OldSchedule>& old) {
  const std::string target_path = MonthFilePath(folder, year, month);
  std::vector<std::string> target = LoadLines(fs, target_path);
  const bool same_month = old && old->year == year && old->month == month;

  std::vector<std::string> old_lines;
  if (old && !same_month) {
    old_lines = LoadLines(fs, MonthFilePath(folder, old->year, old->month));
    if (!SameLineAt(old_lines, old->index, old->line))
      return Refuse(dialogs, StoreStatus::Stale, kStaleMessage, kStaleCaption);
  }
  if (same_month) {
    if (!SameLineAt(target, old->index, old->line))
      return Refuse(dialogs, StoreStatus::Stale, kStaleMessage, kStaleCaption);
    target.erase(target.begin() + static_cast<std::ptrdiff_t>(old->index));
  }
  if (target.size() >= kMaxMonthLines) return Refuse(dialogs, StoreStatus::Full, kMonthFullMessage, kFullCaption);

  target.push_back(line);
  SortLines(target);
  SaveLines(fs, target_path, target);
  if (old && !same_month) {
    old_lines.erase(old_lines.begin() + static_cast<std::ptrdiff_t>(old->index));
    SaveLines(fs, MonthFilePath(folder, old->year, old->month), old_lines);
  }
  StoreOutcome outcome;
  outcome.index = IndexOf(target, line);
  outcome.detail = DetailNumber(line);
  return outcome;
}

StoreOutcome StoreSchedule(platform::FileSystem& fs, platform::Dialogs& dialogs, const StoreRequest& request) {
  const int year = YearOf(request.date);
  const int month = MonthOf(request.date);
  const std::optional<OldSchedule>& old = request.old;
  const bool same_month = old && old->year == year && old->month == month;
  const int old_detail = old ? DetailNumber(old->line) : 0;
  const bool store_memo = !old || request.memo_changed;

  ScheduleFields fields = request.fields;
  fields.day = DayOf(request.date);

  // Every text must be storable before anything is written.
  fields.detail = 0;
  BuildResult probe = BuildScheduleLine(fields);
  if (!probe)
    return Refuse(dialogs, StoreStatus::Unencodable, probe.message, kInputErrorCaption, probe.field);
  std::string memo_body;
  if (store_memo && !MemoIsEmpty(request.memo)) {
    std::string bad;
    auto detail_line = BuildDetailLine(0, request.memo, &bad);
    if (!detail_line)
      return Refuse(dialogs, StoreStatus::Unencodable, UnencodableMessage(kMemoName, bad), kInputErrorCaption,
                    kMemoName);
    memo_body = detail_line->substr(3);
  }

  // Refusals come before the first write.
  const std::vector<std::string> target = LoadLines(fs, MonthFilePath(request.folder, year, month));
  std::size_t remaining = target.size();
  if (old) {
    const std::vector<std::string> old_lines =
        same_month ? target : LoadLines(fs, MonthFilePath(request.folder, old->year, old->month));
    if (!SameLineAt(old_lines, old->index, old->line))
      return Refuse(dialogs, StoreStatus::Stale, kStaleMessage, kStaleCaption);
    if (same_month) --remaining;
  }
  if (remaining >= kMaxMonthLines) return Refuse(dialogs, StoreStatus::Full, kMonthFullMessage, kFullCaption);

  // The detail of the new line: stored first, so that a failure further on leaves at most an
  // unused detail line behind.
  bool drop_old_detail = false;
  if (store_memo) {
    if (!memo_body.empty())
      fields.detail = StoreDetailBody(fs, dialogs, request.folder, year, month, target, memo_body);
    drop_old_detail = old_detail > 0;
  } else if (same_month) {
    fields.detail = old_detail;
  } else if (old_detail > 0) {
    // Moved to another month with its memo unchanged: the memo goes along, byte for byte.
    std::vector<std::string> old_details = LoadLines(fs, DetailFilePath(request.folder, old->year, old->month));
    auto it = FindDetailLine(old_details, old_detail);
    if (it != old_details.end())
      fields.detail = StoreDetailBody(fs, dialogs, request.folder, year, month, target, it->substr(3));
    drop_old_detail = true;
  }

  BuildResult built = BuildScheduleLine(fields);
  StoreOutcome outcome = SchUd(fs, dialogs, request.folder, year, month, built.line, old);
  if (outcome.status != StoreStatus::Stored) return outcome;
  if (drop_old_detail) SchMemoDel(fs, request.folder, old->year, old->month, old->line);
  return outcome;
}

DeleteStatus DaySchDel(platform::FileSystem& fs, platform::Dialogs& dialogs, const std::string& folder, int year,
                       int month, std::size_t index, const std::string& line, bool del_msg) {
  const std::string path = MonthFilePath(folder, year, month);
  std::vector<std::string> lines = LoadLines(fs, path);
  if (!SameLineAt(lines, index, line)) {
    dialogs.Error(kStaleMessage, kStaleCaption);
    return DeleteStatus::Stale;
  }
  if (del_msg) {
    std::string title(Trim(Field(line, kTitlePos, kTextWidth)));
    if (!dialogs.Confirm("「" + title + "」を削除します。\nよろしいですか？", "スケジュールの削除"))
      return DeleteStatus::Cancelled;
  }
  // The line goes first: a detail line without its schedule is harmless, the reverse loses a memo.
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
  SaveLines(fs, path, lines);
  SchMemoDel(fs, folder, year, month, line);
  return DeleteStatus::Deleted;
}

}  // namespace kal::store
