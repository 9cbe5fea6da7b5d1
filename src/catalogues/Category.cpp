#include "catalogues/Category.h"

#include <algorithm>
#include <cstdio>

#include "platform/Codec.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::catalogues {
namespace {

// A field of digits only (blanks around them allowed); nothing otherwise.
std::optional<long> DigitsValue(std::string_view text) {
  text = store::Trim(text);
  if (text.empty() || text.size() > 9) return std::nullopt;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<int> ColourAt(std::string_view line, std::size_t pos) {
  auto value = DigitsValue(store::FieldBytes(line, pos, kCategoryColourWidth));
  if (!value || *value > 0xFFFFFF) return std::nullopt;
  return static_cast<int>(*value);
}

}  // namespace

std::string CategoryNameField(std::string_view line) {
  return store::PadField(line.substr(0, std::min(line.size(), kCategoryNameWidth)), kCategoryNameWidth);
}

std::string CategoryName(std::string_view line) { return store::Field(line, 1, kCategoryNameWidth); }

bool CategoryChecked(std::string_view line) { return line.size() >= kCategoryFlagPos && line[kCategoryFlagPos - 1] == '1'; }

std::optional<int> CategoryTextColour(std::string_view line) { return ColourAt(line, kCategoryTextColourPos); }
std::optional<int> CategoryBackColour(std::string_view line) { return ColourAt(line, kCategoryBackColourPos); }

int CategoryIcon(std::string_view line) {
  auto value = DigitsValue(store::FieldBytes(line, kCategoryIconPos, kCategoryIconWidth));
  if (!value || *value < 1 || *value > kMaxIconNumber) return 0;
  return static_cast<int>(*value);
}

CategoryEntry ReadCategoryLine(std::string_view line) {
  CategoryEntry e;
  e.name = CategoryName(line);
  e.checked = CategoryChecked(line);
  e.text_colour = CategoryTextColour(line);
  e.back_colour = CategoryBackColour(line);
  e.icon = CategoryIcon(line);
  return e;
}

std::string ColourField(int bgr) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%08d", bgr & 0xFFFFFF);
  return buffer;
}

std::string NoColourField() { return std::string(kCategoryColourWidth, ' '); }

std::string IconField(int number) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%03d", number);
  return buffer;
}

std::optional<std::string> NameField(std::string_view utf8, std::string* bad) {
  auto text = store::FieldText(utf8, kCategoryNameWidth, bad);
  if (!text) return std::nullopt;
  return store::PadField(*text, kCategoryNameWidth);
}

std::string NewCategoryLine(const std::string& name_field) {
  return store::PadField(name_field, kCategoryNameWidth) + "1";
}

std::string WithCheckFlag(std::string_view line, bool checked) {
  std::string out = CategoryNameField(line);
  out += checked ? '1' : '0';
  if (line.size() > kCategoryFlagPos) out.append(line.substr(kCategoryFlagPos));
  return out;
}

std::string CategoryKey(std::string_view cp932_name) {
  std::string key = store::PadField(cp932_name, kCategoryNameWidth);
  for (std::size_t i = 0; i < key.size();) {
    auto c = static_cast<unsigned char>(key[i]);
    std::size_t n = platform::Cp932CharLength(c);
    if (n == 1 && c >= 'a' && c <= 'z') key[i] = static_cast<char>(c - 'a' + 'A');
    i += n;
  }
  return key;
}

CategoryTable::CategoryTable(std::vector<std::string> lines) : lines_(std::move(lines)) { RebuildNames(); }

void CategoryTable::Reset(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  RebuildNames();
}

void CategoryTable::RebuildNames() {
  keys_.clear();
  keys_.reserve(lines_.size());
  for (const auto& line : lines_) keys_.push_back(CategoryKey(CategoryNameField(line)));
}

std::optional<std::size_t> CategoryTable::Find(std::string_view cp932_name) const {
  // An entry's field holds at most 14 bytes; a longer text is compared by its first 14.
  const std::string key = CategoryKey(cp932_name);
  for (std::size_t i = 0; i < keys_.size(); ++i)
    if (keys_[i] == key) return i;
  return std::nullopt;
}

std::optional<std::size_t> CategoryTable::FindText(std::string_view utf8_name) const {
  auto field = store::FieldText(utf8_name, kCategoryNameWidth);
  if (!field) return std::nullopt;
  return Find(*field);
}

bool CategoryFiltered(bool checked, int view_mode) {
  if (view_mode == kShowChecked) return !checked;
  if (view_mode == kShowUnchecked) return checked;
  return false;
}

bool CategoryTable::Shown(std::string_view cp932_name, int view_mode) const {
  if (view_mode != kShowChecked && view_mode != kShowUnchecked) return true;
  auto index = Find(cp932_name);
  if (!index) return true;
  return !CategoryFiltered(CategoryChecked(lines_[*index]), view_mode);
}

bool CategoryTable::ShownText(std::string_view utf8_name, int view_mode) const {
  if (view_mode != kShowChecked && view_mode != kShowUnchecked) return true;
  auto index = FindText(utf8_name);
  if (!index) return true;
  return !CategoryFiltered(CategoryChecked(lines_[*index]), view_mode);
}

void CategoryTable::SetChecked(std::size_t index, bool checked) {
  lines_.at(index) = WithCheckFlag(lines_[index], checked);
  RebuildNames();
}

std::string CategoryFilePath(const std::string& category_folder) {
  return platform::JoinPath(category_folder, kCategoryFileName);
}

std::vector<std::string> LoadCategoryLines(platform::FileSystem& fs, const std::string& category_folder) {
  return store::LoadLines(fs, CategoryFilePath(category_folder));
}

CategoryTable LoadCategoryTable(platform::FileSystem& fs, const std::string& category_folder) {
  return CategoryTable(LoadCategoryLines(fs, category_folder));
}

void SaveCategoryLines(platform::FileSystem& fs, const std::string& category_folder,
                       const std::vector<std::string>& lines) {
  store::SaveLines(fs, CategoryFilePath(category_folder), lines);
}

std::vector<std::string> DefaultCategoryLines() {
  const char* utf8[] = {"未分類        1 ",
                        "打ち合わせ    1 0000000016777164",
                        "出張・外出    1 0000000013434828",
                        "休暇          1 0000000013421823",
                        "飲み会        1 0000000016764108",
                        "プライベート  1 0000000015125759"};
  std::vector<std::string> lines;
  for (const char* line : utf8) lines.push_back(platform::Utf8ToCp932(line).value_or(""));
  return lines;
}

void CategoryCheckSet(platform::FileSystem& fs, const std::string& category_folder, CategoryTable& table,
                      std::size_t index, bool checked) {
  std::vector<std::string> lines = table.lines();
  lines.at(index) = WithCheckFlag(lines[index], checked);
  SaveCategoryLines(fs, category_folder, lines);
  table.Reset(std::move(lines));
}

}  // namespace kal::catalogues
