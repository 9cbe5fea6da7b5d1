#include "catalogues/ItemTable.h"

#include <algorithm>
#include <cstdio>

#include "platform/Codec.h"
#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::catalogues {
namespace {

constexpr const char* kInputErrorCaption = "入力エラー";

bool IsTimeType(ItemTableType type) {
  return type == ItemTableType::SigTime || type == ItemTableType::SchFrom || type == ItemTableType::SchTo;
}

std::string TwoDigits(int n) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  return buffer;
}

// Full-width digits and colons as their ASCII forms.
std::string AsciiDigits(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    // U+FF10..U+FF19 are EF BC 90..99, U+FF1A is EF BC 9A.
    if (i + 2 < text.size() && static_cast<unsigned char>(text[i]) == 0xEF &&
        static_cast<unsigned char>(text[i + 1]) == 0xBC) {
      auto c = static_cast<unsigned char>(text[i + 2]);
      if (c >= 0x90 && c <= 0x9A) {
        out += c == 0x9A ? ':' : static_cast<char>('0' + (c - 0x90));
        i += 3;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

// 1 or 2 digits from `p`.
bool ReadPart(const std::string& s, std::size_t& p, int& value) {
  std::size_t start = p;
  value = 0;
  while (p < s.size() && p - start < 2 && s[p] >= '0' && s[p] <= '9') value = value * 10 + (s[p++] - '0');
  return p > start;
}

// A whole number, optionally signed; nothing when the text is not one (or is far too large).
std::optional<long> WholeNumber(std::string_view text) {
  std::size_t p = 0;
  bool negative = false;
  if (p < text.size() && (text[p] == '-' || text[p] == '+')) negative = text[p++] == '-';
  if (p >= text.size() || text.size() - p > 9) return std::nullopt;
  long value = 0;
  for (; p < text.size(); ++p) {
    if (text[p] < '0' || text[p] > '9') return std::nullopt;
    value = value * 10 + (text[p] - '0');
  }
  return negative ? -value : value;
}

// The minutes of an alarm table line; nothing when it is not a lead time.
std::optional<int> AlarmLineValue(std::string_view line) {
  auto value = WholeNumber(store::Trim(line));
  if (!value || *value < 0 || *value > kAlarmMaxMinutes) return std::nullopt;
  return static_cast<int>(*value);
}

std::vector<int> AlarmValues(const std::vector<std::string>& lines) {
  std::vector<int> values;
  for (const auto& line : lines)
    if (auto v = AlarmLineValue(line)) values.push_back(*v);
  return values;
}

void SortUnique(std::vector<std::string>& lines) {
  store::SortLines(lines);
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
}

std::string FieldName(ItemTableType type) {
  switch (type) {
    case ItemTableType::SchTitle: return "件名";
    case ItemTableType::SchPlace: return "場所";
    default: return "時刻";
  }
}

}  // namespace

std::string ItemTableFileName(ItemTableType type) {
  switch (type) {
    case ItemTableType::SigTime: return "SigTime.tbl";
    case ItemTableType::SchFrom: return "SchFrom.tbl";
    case ItemTableType::SchTo: return "SchTo.tbl";
    case ItemTableType::SchTitle: return "SchTitle.tbl";
    case ItemTableType::SchPlace: return "SchPlace.tbl";
    case ItemTableType::Alarm: return "Alarm.tbl";
  }
  return "";
}

std::string ItemTablePath(const std::string& table_folder, ItemTableType type) {
  return platform::JoinPath(table_folder, ItemTableFileName(type));
}

std::string ItemTableCaption(ItemTableType type) {
  switch (type) {
    case ItemTableType::SigTime: return "時報時刻の設定";
    case ItemTableType::SchFrom: return "開始時刻の設定";
    case ItemTableType::SchTo: return "終了時刻の設定";
    case ItemTableType::SchTitle: return "スケジュール件名の設定";
    case ItemTableType::SchPlace: return "場所の設定";
    case ItemTableType::Alarm: return "アラーム一覧の編集";
  }
  return "";
}

std::string ItemTableLabel(ItemTableType type) {
  switch (type) {
    case ItemTableType::SigTime:
    case ItemTableType::SchFrom:
    case ItemTableType::SchTo: return "追加する時刻(hh:mm形式): ";
    case ItemTableType::SchTitle: return "追加するスケジュール内容: ";
    case ItemTableType::SchPlace: return "追加する場所: ";
    case ItemTableType::Alarm: return "追加するアラーム前分(1～" + std::to_string(kAlarmMaxMinutes) + "分): ";
  }
  return "";
}

std::size_t ItemTableEntryLimit(ItemTableType type) { return IsTimeType(type) ? 5 : 40; }

std::vector<std::string> DefaultItems(ItemTableType type) {
  std::vector<std::string> lines;
  switch (type) {
    case ItemTableType::SigTime:
      for (int h = 9; h <= 23; ++h) lines.push_back(TwoDigits(h) + ":00");
      break;
    case ItemTableType::SchFrom:
    case ItemTableType::SchTo:
      for (int h = 8; h <= 23; ++h) {
        lines.push_back(TwoDigits(h) + ":00");
        lines.push_back(TwoDigits(h) + ":30");
      }
      break;
    case ItemTableType::Alarm:
      for (int m : DefaultAlarmOffsets()) lines.push_back(AlarmField(m));
      break;
    default: break;
  }
  return lines;
}

std::vector<std::string> DefaultTimeFileLines() {
  std::vector<std::string> lines{"     "};
  for (auto& line : DefaultItems(ItemTableType::SchFrom)) lines.push_back(std::move(line));
  return lines;
}

std::optional<std::string> ReadTimeText(std::string_view text) {
  const std::string s = AsciiDigits(store::Trim(text));
  std::size_t p = 0;
  int h = 0, m = 0, sec = 0;
  if (!ReadPart(s, p, h) || p >= s.size() || s[p++] != ':') return std::nullopt;
  if (!ReadPart(s, p, m)) return std::nullopt;
  if (p < s.size()) {
    if (s[p++] != ':' || !ReadPart(s, p, sec) || p != s.size()) return std::nullopt;
  }
  if (h > 23 || m > 59 || sec > 59) return std::nullopt;
  return TwoDigits(h) + ":" + TwoDigits(m);
}

std::string AlarmField(int minutes) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%3d", minutes);
  return buffer;
}

std::string AlarmOffsetText(int minutes) {
  return minutes < 60 ? std::to_string(minutes) + " 分" : std::to_string(minutes / 60) + " 時間";
}

std::vector<std::string> AlarmChoiceTexts(const std::vector<int>& offsets) {
  std::vector<std::string> texts{"----"};
  for (int m : offsets) texts.push_back(AlarmOffsetText(m));
  return texts;
}

std::vector<int> DefaultAlarmOffsets() { return {0, 1, 3, 5, 10, 15, 20, 30, 60}; }

std::vector<int> LoadAlarmOffsets(platform::FileSystem& fs, const std::string& table_folder,
                                  std::vector<std::size_t>* ignored) {
  std::vector<std::string> lines;
  if (!store::LoadLinesIfExists(fs, ItemTablePath(table_folder, ItemTableType::Alarm), lines))
    return DefaultAlarmOffsets();
  std::vector<int> offsets;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (auto v = AlarmLineValue(lines[i]))
      offsets.push_back(*v);
    else if (ignored)
      ignored->push_back(i + 1);
  }
  return offsets;
}

std::optional<int> AlarmLead(const std::vector<int>& offsets, int code) {
  if (code < 1 || static_cast<std::size_t>(code) > offsets.size()) return std::nullopt;
  return offsets[static_cast<std::size_t>(code) - 1];
}

std::string AlarmMoveMessage(const std::vector<int>& before, const std::vector<int>& after) {
  bool moved = false;
  const std::size_t common = std::min(before.size(), after.size());
  for (std::size_t i = 0; i < common; ++i) moved = moved || before[i] != after[i];
  if (!moved) return "";
  std::string text =
      "アラーム一覧の順番が変わるため、登録済みのスケジュールのアラーム時間が次のように変わります。\n";
  for (std::size_t i = 0; i < before.size(); ++i) {
    std::string to = i < after.size() ? AlarmOffsetText(after[i]) : "なし";
    if (i < after.size() && before[i] == after[i]) continue;
    text += "\nアラーム" + std::to_string(i + 1) + ": " + AlarmOffsetText(before[i]) + " → " + to;
  }
  text += "\n\nよろしいですか？";
  return text;
}

namespace {

std::vector<std::string> LinesOrDefault(platform::FileSystem& fs, const std::string& table_folder,
                                        ItemTableType type) {
  std::vector<std::string> lines;
  if (!store::LoadLinesIfExists(fs, ItemTablePath(table_folder, type), lines)) lines = DefaultItems(type);
  return lines;
}

}  // namespace

ItemTableEditor::ItemTableEditor(platform::FileSystem& fs, const std::string& table_folder, ItemTableType type)
    : ItemTableEditor(type, LinesOrDefault(fs, table_folder, type)) {}

ItemTableEditor::ItemTableEditor(ItemTableType type, std::vector<std::string> lines)
    : type_(type), lines_(std::move(lines)) {
  if (type_ == ItemTableType::Alarm) {
    std::vector<std::string> clean;
    for (int v : AlarmValues(lines_)) clean.push_back(AlarmField(v));
    lines_ = std::move(clean);
  }
  SortUnique(lines_);
}

std::vector<std::string> ItemTableEditor::ShownItems() const {
  std::vector<std::string> shown;
  shown.reserve(lines_.size());
  for (const auto& line : lines_) shown.push_back(platform::Cp932ToUtf8(store::CutField(line, kItemShownWidth)));
  return shown;
}

std::optional<std::string> ItemTableEditor::EntryFor(platform::Dialogs& dialogs, std::string_view text) const {
  if (type_ == ItemTableType::Alarm) {
    if (lines_.size() >= kAlarmMaxEntries) {
      dialogs.Error("これ以上登録できません。", kInputErrorCaption);
      return std::nullopt;
    }
    auto value = WholeNumber(text);
    if (!value || *value < 0 || *value > kAlarmMaxMinutes) {
      dialogs.Error("0～" + std::to_string(kAlarmMaxMinutes) + "を入力して下さい。", kInputErrorCaption);
      return std::nullopt;
    }
    if (*value >= 60 && *value % 60 != 0) {
      dialogs.Error("60分以上を登録する場合は、60の倍数で入力して下さい。", kInputErrorCaption);
      return std::nullopt;
    }
    return AlarmField(static_cast<int>(*value));
  }
  std::string utf8(text);
  if (IsTimeType(type_)) {
    if (auto time = ReadTimeText(text)) return *time;
    if (type_ == ItemTableType::SigTime) {
      dialogs.Error("時刻を正しく入力して下さい。", kInputErrorCaption);
      return std::nullopt;
    }
  }
  std::string bad;
  const std::size_t width = IsTimeType(type_) ? store::Cp932Width(utf8) : kItemShownWidth;
  auto field = store::FieldText(utf8, width, &bad);
  if (!field) {
    dialogs.Error(store::UnencodableMessage(FieldName(type_), bad), kInputErrorCaption);
    return std::nullopt;
  }
  return field;
}

bool ItemTableEditor::ConfirmMove(platform::Dialogs& dialogs, const std::vector<std::string>& after) const {
  if (type_ != ItemTableType::Alarm) return true;
  const std::string message = AlarmMoveMessage(AlarmValues(lines_), AlarmValues(after));
  return message.empty() || dialogs.Confirm(message, "確認");
}

std::optional<std::size_t> ItemTableEditor::Add(platform::Dialogs& dialogs, std::string_view text) {
  text = store::Trim(text);
  if (text.empty()) return std::nullopt;
  auto entry = EntryFor(dialogs, text);
  if (!entry) return std::nullopt;
  auto at = std::lower_bound(lines_.begin(), lines_.end(), *entry, store::LineLess{});
  if (at != lines_.end() && *at == *entry) return static_cast<std::size_t>(at - lines_.begin());
  const auto index = static_cast<std::size_t>(at - lines_.begin());
  std::vector<std::string> after = lines_;
  after.insert(after.begin() + static_cast<long>(index), *entry);
  if (!ConfirmMove(dialogs, after)) return std::nullopt;
  lines_ = std::move(after);
  return index;
}

bool ItemTableEditor::Remove(platform::Dialogs& dialogs, std::size_t index) {
  if (index >= lines_.size()) return false;
  std::vector<std::string> after = lines_;
  after.erase(after.begin() + static_cast<long>(index));
  if (!ConfirmMove(dialogs, after)) return false;
  lines_ = std::move(after);
  return true;
}

void ItemTableEditor::Save(platform::FileSystem& fs, const std::string& table_folder) const {
  store::SaveLines(fs, ItemTablePath(table_folder, type_), lines_);
}

}  // namespace kal::catalogues
