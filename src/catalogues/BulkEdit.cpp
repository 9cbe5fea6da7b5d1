#include "catalogues/BulkEdit.h"

#include <map>

#include "catalogues/ItemTable.h"
#include "platform/Codec.h"
#include "store/LineOrder.h"
#include "store/Record.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"

namespace kal::catalogues {
namespace {

struct FieldPos {
  std::size_t pos, width;
};

FieldPos PositionOf(BulkItem item) {
  switch (item) {
    case BulkItem::StartTime: return {3, 5};
    case BulkItem::EndTime: return {8, 5};
    case BulkItem::Category: return {13, 14};
    case BulkItem::Style1: return {27, 1};
    case BulkItem::Style2: return {28, 1};
    case BulkItem::Alarm1: return {29, 1};
    case BulkItem::Alarm2: return {30, 1};
    case BulkItem::Title: return {31, 40};
    case BulkItem::Place: return {71, 40};
  }
  return {0, 0};
}

}  // namespace

std::vector<std::string> BulkItemNames() {
  return {"開始時刻", "終了時刻", "件名", "場所", "分類", "アラーム1", "アラーム2",
          "文字スタイル1（太字・斜体）", "文字スタイル2（下線・取消線）"};
}

bool BulkItemIsText(BulkItem item) { return static_cast<int>(item) <= static_cast<int>(BulkItem::Category); }

std::size_t BulkItemWidth(BulkItem item) { return PositionOf(item).width; }

std::vector<std::string> BulkChoices(BulkItem item, const std::vector<int>& alarm_offsets) {
  switch (item) {
    case BulkItem::Alarm1:
    case BulkItem::Alarm2: return AlarmChoiceTexts(alarm_offsets);
    case BulkItem::Style1: return {"標準", "太字", "斜体", "太字 斜体"};
    case BulkItem::Style2: return {"標準", "下線", "取消線", "下線 取消線"};
    default: return {};
  }
}

std::string BulkCaption(std::size_t count) { return "スケジュール一括訂正 - 選択 " + std::to_string(count) + "件"; }

BulkValue BulkValueOf(const BulkInput& input) {
  if (!input.item) return {std::nullopt, kBulkNoItemMessage};
  const BulkItem item = *input.item;
  if (!BulkItemIsText(item)) return {std::string(1, static_cast<char>('0' + input.choice)), ""};
  if (item == BulkItem::StartTime || item == BulkItem::EndTime) {
    if (store::Trim(input.text).empty()) return {std::string(), ""};
    // Only a time of day goes into a time field, always as "hh:nn".
    if (auto t = ReadTimeText(store::Trim(input.text))) return {*t, ""};
    return {std::nullopt, kBulkBadTimeMessage};
  }
  if (item == BulkItem::Title && store::Trim(input.text).empty()) return {std::nullopt, kBulkBlankTitleMessage};
  std::string bad;
  auto cp932 = store::FieldText(input.text, BulkItemWidth(item), &bad);
  if (!cp932) return {std::nullopt, store::UnencodableMessage(BulkItemNames()[static_cast<std::size_t>(item)], bad)};
  return {std::string(store::TrimRight(*cp932)), ""};
}

std::string BulkQuestion(std::size_t count, BulkItem item, const std::string& shown_value) {
  return std::to_string(count) + "件のスケジュールの「" + BulkItemNames()[static_cast<std::size_t>(item)] + "」を \"" +
         std::string(store::TrimRight(shown_value)) + "\" に変更します。\n処理を開始しますか？";
}

std::string ReplaceField(const std::string& line, BulkItem item, const std::string& cp932_value) {
  const FieldPos f = PositionOf(item);
  std::string out = line;
  store::PadLine(out, f.pos - 1);
  const std::size_t start = f.pos - 1;
  const std::size_t old_len = std::min(f.width, out.size() - start);
  const bool nothing_after = start + f.width >= out.size();
  std::string value = store::PadField(cp932_value, f.width);
  if (nothing_after && (item == BulkItem::Title || item == BulkItem::Place))
    value = std::string(store::TrimRight(value));
  out.replace(start, old_len, value);
  return out;
}

BulkOutcome ApplyBulkEdit(platform::FileSystem& fs, const std::string& data_folder,
                          const std::vector<BulkTarget>& targets, BulkItem item, const std::string& cp932_value) {
  // Month stem -> its lines with the targets applied; every file is read and every target checked
  // before the first file is written.
  std::map<std::string, std::vector<std::string>> months;
  for (const BulkTarget& t : targets) {
    const std::string stem = t.key.substr(0, 6);
    auto it = months.find(stem);
    if (it == months.end())
      it = months.emplace(stem, store::LoadLines(fs, store::MonthFilePath(data_folder, std::stoi(stem.substr(0, 4)),
                                                                          std::stoi(stem.substr(4, 2)))))
               .first;
    const std::size_t index = static_cast<std::size_t>(std::stoul(t.key.substr(8, 4)));
    if (index >= it->second.size()) continue;  // the file shrank: skipped
    if (it->second[index] != t.line) return BulkOutcome::Stale;
  }
  for (auto& [stem, lines] : months) {
    for (const BulkTarget& t : targets) {
      if (t.key.compare(0, 6, stem) != 0) continue;
      const std::size_t index = static_cast<std::size_t>(std::stoul(t.key.substr(8, 4)));
      if (index < lines.size()) lines[index] = ReplaceField(lines[index], item, cp932_value);
    }
    store::SortLines(lines);
    store::SaveLines(fs, store::MonthFilePath(data_folder, std::stoi(stem.substr(0, 4)), std::stoi(stem.substr(4, 2))),
                     lines);
  }
  return BulkOutcome::Done;
}

BulkOutcome BulkEditOk(platform::Dialogs& dialogs, platform::FileSystem& fs, const std::string& data_folder,
                       const std::vector<BulkTarget>& targets, const BulkInput& input,
                       const std::vector<int>& alarm_offsets) {
  const BulkValue value = BulkValueOf(input);
  if (!value.cp932) {
    dialogs.Error(value.message, store::kInputErrorCaption);
    return BulkOutcome::Refused;
  }
  if (targets.empty()) return BulkOutcome::Cancelled;
  std::string shown = platform::Cp932ToUtf8(*value.cp932);
  if (!BulkItemIsText(*input.item)) {
    const auto choices = BulkChoices(*input.item, alarm_offsets);
    if (input.choice >= 0 && input.choice < static_cast<int>(choices.size()))
      shown = choices[static_cast<std::size_t>(input.choice)];
  }
  if (!dialogs.Confirm(BulkQuestion(targets.size(), *input.item, shown), "確認")) return BulkOutcome::Cancelled;
  const BulkOutcome outcome = ApplyBulkEdit(fs, data_folder, targets, *input.item, *value.cp932);
  if (outcome == BulkOutcome::Stale) dialogs.Error(store::kStaleMessage, store::kStaleCaption);
  return outcome;
}

}  // namespace kal::catalogues
