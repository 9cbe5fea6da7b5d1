#include "store/MemoFile.h"

#include <algorithm>
#include <cstdio>

#include "platform/Codec.h"
#include "store/DayFile.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::store {
namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// Where the memo-icon colour byte sits in a day line (1-based position 6).
constexpr std::size_t kMemoColourIndex = 5;

}  // namespace

std::string MemoFileName(const MemoId& id) {
  char name[16];
  if (id.is_month())
    std::snprintf(name, sizeof name, "%04d%02d.mem", id.year, id.month);
  else
    std::snprintf(name, sizeof name, "%04d%02d%02d.mem", id.year, id.month, id.day);
  return name;
}

std::optional<MemoId> ParseMemoFileName(std::string_view name) {
  if (name.size() < 4 || !EqualsNoCase(name.substr(name.size() - 4), kMemoExtension)) return std::nullopt;
  std::string_view stem = name.substr(0, name.size() - 4);
  if ((stem.size() != 6 && stem.size() != 8) || !AllDigits(stem)) return std::nullopt;
  MemoId id;
  id.year = std::stoi(std::string(stem.substr(0, 4)));
  id.month = std::stoi(std::string(stem.substr(4, 2)));
  id.day = stem.size() == 8 ? std::stoi(std::string(stem.substr(6, 2))) : 0;
  if (id.year < 1 || id.month < 1 || id.month > 12) return std::nullopt;
  if (stem.size() == 8 && (id.day < 1 || id.day > DaysInMonth(id.year, id.month))) return std::nullopt;
  return id;
}

std::string MemoPath(const std::string& memo_folder, const MemoId& id) {
  return platform::JoinPath(memo_folder, MemoFileName(id));
}

std::string MemoTemplatePath(const std::string& folder) { return platform::JoinPath(folder, kMemoTemplateName); }

std::string MemoDateText(const MemoId& id) {
  std::string text = std::to_string(id.year) + "年" + std::to_string(id.month) + "月";
  if (!id.is_month()) text += std::to_string(id.day) + "日";
  return text;
}

std::string MemoName(const MemoId& id) { return MemoDateText(id) + "のメモ"; }

std::vector<std::string> MemoTextToLines(std::string_view text) { return SplitLines(text); }

std::string MemoLinesToText(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

std::string JoinMemoLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  return text;
}

// ---- Free-text files ----------------------------------------------------------------------------

std::vector<std::string> LoadFreeText(platform::FileSystem& fs, const std::string& path) {
  return LoadTextLines(fs, path);
}

std::string RemoveErrorMessage(const std::string& path) { return "ファイル \"" + path + "\" を削除できません。"; }

void RemoveFile(platform::FileSystem& fs, const std::string& path) {
  if (!fs.Exists(path)) return;
  if (!fs.Remove(path) || fs.Exists(path)) throw FileError(RemoveErrorMessage(path));
}

void RemoveIfEmpty(platform::FileSystem& fs, const std::string& path) {
  platform::ReadResult r = fs.Read(path);
  if (r.ok() && r.bytes.empty()) RemoveFile(fs, path);
}

bool SaveFreeText(platform::FileSystem& fs, const std::string& path, const std::vector<std::string>& lines,
                  const std::string& name) {
  if (lines.empty()) {
    RemoveFile(fs, path);
    return false;
  }
  SaveLines(fs, path, EncodeFreeText(lines, name));
  return true;
}

std::vector<std::string> EncodeFreeText(const std::vector<std::string>& lines, const std::string& name) {
  std::vector<std::string> encoded;
  encoded.reserve(lines.size());
  for (const auto& line : lines) {
    std::string bad;
    auto cp932 = platform::Utf8ToCp932(line, &bad);
    if (!cp932) throw FileError(UnencodableMessage(name, bad));
    encoded.push_back(std::move(*cp932));
  }
  return encoded;
}

// ---- Memos --------------------------------------------------------------------------------------

bool MemoExists(platform::FileSystem& fs, const std::string& memo_folder, const MemoId& id) {
  return fs.Exists(MemoPath(memo_folder, id));
}

std::vector<std::string> LoadMemo(platform::FileSystem& fs, const std::string& memo_folder, const MemoId& id) {
  return LoadFreeText(fs, MemoPath(memo_folder, id));
}

bool SaveMemo(platform::FileSystem& fs, const std::string& memo_folder, const MemoId& id,
              const std::vector<std::string>& lines) {
  return SaveFreeText(fs, MemoPath(memo_folder, id), lines, MemoName(id));
}

std::vector<MemoId> AllMemos(platform::FileSystem& fs, const std::string& memo_folder) {
  std::vector<MemoId> memos;
  for (const auto& name : fs.List(memo_folder, "*.mem"))
    if (auto id = ParseMemoFileName(name)) memos.push_back(*id);
  return memos;
}

std::vector<MemoId> MemosOfMonth(platform::FileSystem& fs, const std::string& memo_folder, int year, int month) {
  std::vector<MemoId> days;
  std::optional<MemoId> whole;
  char pattern[16];
  std::snprintf(pattern, sizeof pattern, "%04d%02d*.mem", year, month);
  for (const auto& name : fs.List(memo_folder, pattern)) {
    auto id = ParseMemoFileName(name);
    if (!id || id->year != year || id->month != month) continue;
    if (id->is_month())
      whole = id;
    else
      days.push_back(*id);
  }
  std::sort(days.begin(), days.end(), [](const MemoId& a, const MemoId& b) { return a.day < b.day; });
  if (whole) days.push_back(*whole);
  return days;
}

// ---- Memo-icon colour ---------------------------------------------------------------------------

int StoredMemoColour(platform::FileSystem& fs, const std::string& data_folder, const Date& date) {
  const std::vector<std::string> lines = LoadLines(fs, DayFilePath(data_folder, YearOf(date), MonthOf(date)));
  const auto day = static_cast<std::size_t>(DayOf(date));
  if (day >= lines.size()) return 0;
  const char c = ReadDayLine(lines[day]).memo_colour;
  return (c >= '1' && c <= '5') ? c - '0' : 0;
}

std::string SetMemoColourInLine(const std::string& day_line, char digit) {
  std::string line = day_line.substr(0, std::min(day_line.size(), kMemoColourIndex));
  PadLine(line, kMemoColourIndex);
  line += digit;
  if (day_line.size() > kMemoColourIndex + 1) line += day_line.substr(kMemoColourIndex + 1);
  return line;
}

void StoreMemoColour(platform::FileSystem& fs, const std::string& data_folder, const Date& date, int colour) {
  if (colour < 1 || colour > 5) throw std::invalid_argument("memo colour out of range");
  const std::string path = DayFilePath(data_folder, YearOf(date), MonthOf(date));
  std::vector<std::string> lines = LoadLines(fs, path);
  FillDayLines(lines);
  auto& line = lines[static_cast<std::size_t>(DayOf(date))];
  line = SetMemoColourInLine(line, static_cast<char>('0' + colour));
  SaveLines(fs, path, lines);
}

bool ResetMemoColour(platform::FileSystem& fs, const std::string& data_folder, const Date& date) {
  const std::string path = DayFilePath(data_folder, YearOf(date), MonthOf(date));
  std::vector<std::string> lines;
  if (!LoadLinesIfExists(fs, path, lines)) return false;
  const auto day = static_cast<std::size_t>(DayOf(date));
  if (day >= lines.size()) return false;
  const char c = ReadDayLine(lines[day]).memo_colour;
  if (c == '0' || c == ' ') return false;
  lines[day] = SetMemoColourInLine(lines[day], '0');
  FillDayLines(lines);
  SaveLines(fs, path, lines);
  return true;
}

// ---- Deletion -----------------------------------------------------------------------------------

std::string MemoDeleteQuestion(const MemoId& id) {
  return MemoDateText(id) + " のメモを削除します。\nよろしいですか？";
}

bool DeleteMemo(platform::FileSystem& fs, const std::string& memo_folder, const std::string& data_folder,
                const MemoId& id) {
  const std::string path = MemoPath(memo_folder, id);
  if (!fs.Exists(path)) return false;
  RemoveFile(fs, path);
  if (!id.is_month()) ResetMemoColour(fs, data_folder, id.date());
  return true;
}

}  // namespace kal::store
