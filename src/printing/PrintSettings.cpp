#include "printing/PrintSettings.h"

#include <algorithm>
#include <cctype>

#include "store/CommaText.h"
#include "store/DatePattern.h"
#include "store/Settings.h"

namespace kal::printing {

namespace {

struct Key {
  const char* section;
  const char* key;
};

// The key table: one call per key with the member that holds it, its default and its range.
// `v` reads, writes or lists; the defaults come from `d`.
template <class SettingsT, class V>
void VisitPrintSettings(SettingsT& s, const PrintSettings& d, V& v) {
  v.Text(Key{"Title", "Title"}, s.title, d.title);
  v.Font(Key{"Title", "TFont"}, s.title_font, d.title_font);
  v.Text(Key{"Title", "Date"}, s.date, d.date);
  v.Int(Key{"TiTle", "TitlePos"}, s.title_pos, d.title_pos, 0, 2);
  v.Int(Key{"TiTle", "DatePos"}, s.date_pos, d.date_pos, 0, 1);
  v.Int(Key{"Margin", "Top"}, s.top, d.top, 0, 999);
  v.Int(Key{"Margin", "Bottom"}, s.bottom, d.bottom, 0, 999);
  v.Int(Key{"Margin", "Left"}, s.left, d.left, 0, 999);
  v.Int(Key{"Margin", "Right"}, s.right, d.right, 0, 999);
  v.Items(Key{"Option", "Item"}, s.items, d.items);
  v.Int(Key{"Option", "DayFont"}, s.day_font, d.day_font, 8, 16);
  v.Int(Key{"Option", "FontSize"}, s.font_size, d.font_size, 8, 16);
  v.Int(Key{"Option", "LinePitch"}, s.line_pitch, d.line_pitch, 0, 7);
  v.Int(Key{"Option", "Orientation"}, s.orientation, d.orientation, 0, 1);
  v.Int(Key{"Option", "OtherMonth"}, s.other_month, d.other_month, 0, 2);
  v.Bool(Key{"Option", "SchCr"}, s.sch_cr, d.sch_cr);
  v.Bool(Key{"Option", "RenWaku"}, s.ren_waku, d.ren_waku);
  v.Bool(Key{"Option", "Color"}, s.color, d.color);
}

// "1", a character that is not a digit, or a missing character is on; any other digit is off.
std::string MendItems(const std::string& value) {
  std::string out(kPrintItemCount, '1');
  for (std::size_t i = 0; i < out.size() && i < value.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(value[i]);
    out[i] = std::isdigit(c) && c != '1' ? '0' : '1';
  }
  return out;
}

std::string FontText(const TitleFont& f) {
  return store::ToCommaText({f.name, std::to_string(f.size), std::to_string(f.style), std::to_string(f.colour)});
}

TitleFont ParseFont(const std::string& value, const TitleFont& fallback) {
  const std::vector<std::string> items = store::FromCommaText(value);
  TitleFont f = fallback;
  if (!items.empty() && !items[0].empty()) f.name = items[0];
  auto number = [&](std::size_t i, int& member) {
    if (i >= items.size()) return;
    if (auto n = store::ParseInteger(items[i])) member = *n;
  };
  number(1, f.size);
  number(2, f.style);
  number(3, f.colour);
  if (f.size < 1) f.size = fallback.size;
  f.style &= 15;
  f.colour &= 0xFFFFFF;
  return f;
}

std::string Unquoted(const std::string& value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
  return value;
}

class Loader {
 public:
  explicit Loader(const store::IniFile& ini) : ini_(ini) {}
  void Text(const Key& k, std::string& m, const std::string& def) {
    auto value = ini_.Value(k.section, k.key);
    m = value ? Unquoted(*value) : def;
  }
  void Font(const Key& k, TitleFont& m, const TitleFont& def) {
    auto value = ini_.Value(k.section, k.key);
    m = value ? ParseFont(*value, def) : def;
  }
  void Int(const Key& k, int& m, int def, int lo, int hi) {
    m = std::clamp(ini_.ReadInteger(k.section, k.key, def), lo, hi);
  }
  void Items(const Key& k, std::string& m, const std::string& def) {
    m = MendItems(ini_.ReadString(k.section, k.key, def));
  }
  void Bool(const Key& k, bool& m, bool def) { m = ini_.ReadBool(k.section, k.key, def); }

 private:
  const store::IniFile& ini_;
};

class Lister {
 public:
  std::vector<std::array<std::string, 3>> rows;
  void Text(const Key& k, const std::string& m, const std::string&) { Put(k, store::TextForFile(m)); }
  void Font(const Key& k, const TitleFont& m, const TitleFont&) { Put(k, FontText(m)); }
  void Int(const Key& k, int m, int, int, int) { Put(k, std::to_string(m)); }
  void Items(const Key& k, const std::string& m, const std::string&) { Put(k, m); }
  void Bool(const Key& k, bool m, bool) { Put(k, store::BoolText(m)); }

 private:
  void Put(const Key& k, std::string value) { rows.push_back({k.section, k.key, std::move(value)}); }
};

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

}  // namespace

const std::array<const char*, kPrintItemCount>& PrintItemCaptions() {
  static const std::array<const char*, kPrintItemCount> captions = {
      "六曜",   "スケジュール開始時刻", "スケジュール終了時刻", "スケジュール件名", "スケジュール場所", "祝日",
      "休日",   "記念日",               "二十四節気",           "未処理ToDo件名",   "処理済ToDo件名"};
  return captions;
}

const std::vector<std::string>& TitlePatterns() {
  static const std::vector<std::string> patterns = {"yyyy年 m月のスケジュール", "ggge年 m月のスケジュール",
                                                    "eee yyyy"};
  return patterns;
}

const std::vector<std::string>& CreationDatePatterns() {
  static const std::vector<std::string> patterns = {kNoCreationDate, "yyyy.mm.dd", "yyyy年 m月 d日",
                                                    "ggge年 m月 d日", "作成者: ○○○　作成日: yyyy.mm.dd"};
  return patterns;
}

bool PrintSettings::ItemOn(int item) const {
  if (item < 0 || static_cast<std::size_t>(item) >= items.size()) return true;
  const unsigned char c = static_cast<unsigned char>(items[static_cast<std::size_t>(item)]);
  return !std::isdigit(c) || c == '1';
}

void PrintSettings::SetItem(int item, bool on) {
  items = MendItems(items);
  if (item >= 0 && item < kPrintItemCount) items[static_cast<std::size_t>(item)] = on ? '1' : '0';
}

PrintSettings DefaultPrintSettings(const std::string& main_font_name) {
  PrintSettings s;
  s.title_font.name = main_font_name;
  return s;
}

PrintSettings LoadPrintSettings(const store::IniFile& ini, const std::string& main_font_name) {
  const PrintSettings defaults = DefaultPrintSettings(main_font_name);
  PrintSettings s = defaults;
  Loader loader(ini);
  VisitPrintSettings(s, defaults, loader);
  return s;
}

std::vector<std::array<std::string, 3>> PrintSettingsRows(const PrintSettings& settings) {
  Lister lister;
  VisitPrintSettings(settings, settings, lister);
  return std::move(lister.rows);
}

void WritePrintSettings(store::IniFile& ini, const PrintSettings& settings) {
  for (const auto& row : PrintSettingsRows(settings)) ini.WriteString(row[0], row[1], row[2]);
}

PrintSettings ReadPrintSettingsFile(platform::FileSystem& fs, const std::string& program_folder,
                                    const std::string& main_font_name) {
  return LoadPrintSettings(store::IniFile::Load(fs, program_folder + kPrintSettingsFile), main_font_name);
}

void SavePrintSettingsFile(platform::FileSystem& fs, const std::string& program_folder, const PrintSettings& settings) {
  const std::string path = program_folder + kPrintSettingsFile;
  store::IniFile ini = store::IniFile::Load(fs, path);
  WritePrintSettings(ini, settings);
  ini.Flush(fs, path);
}

int OtherMonthOf(bool print_other_months, bool light_colour) {
  if (!print_other_months) return 0;
  return light_colour ? 2 : 1;
}

std::string PrintTitleText(const std::string& pattern, int year, int month) {
  std::string p = pattern;
  const std::string quoted = std::string("\"") + kMonthNames[std::clamp(month, 1, 12) - 1] + "\"";
  for (std::size_t at = p.find("eee"); at != std::string::npos; at = p.find("eee", at + quoted.size())) {
    p.replace(at, 3, quoted);
  }
  return store::FormatDatePattern(p, store::MakeDate(year, month, 1));
}

std::optional<std::string> CreationDateText(const std::string& pattern, const store::Date& today) {
  const auto first = pattern.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const std::string trimmed = pattern.substr(first, pattern.find_last_not_of(' ') - first + 1);
  if (trimmed == kNoCreationDate) return std::nullopt;
  return store::FormatDatePattern(pattern, today);
}

}  // namespace kal::printing
