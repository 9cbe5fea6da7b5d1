// Bulk edit of schedules ("スケジュール一括訂正"): one field set to one value in every schedule
// selected in the list dialog.
//
// A target is a list row's key ("yyyymm" of the month file in characters 1-6, the line index in
// characters 9-12) with the line the row was made from. The field is replaced in place by its
// position and width in the month file (ScheduleFile.h); each month file is read once and saved
// once, sorted.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::catalogues {

enum class BulkItem : int {
  StartTime = 0, EndTime, Title, Place, Category, Alarm1, Alarm2, Style1, Style2
};
inline constexpr int kBulkItemCount = 9;

// CmbItem: "開始時刻", "終了時刻", "件名", "場所", "分類", "アラーム1", "アラーム2",
// "文字スタイル1（太字・斜体）", "文字スタイル2（下線・取消線）".
std::vector<std::string> BulkItemNames();
// The first five take free text, the others a position in a fixed list.
bool BulkItemIsText(BulkItem item);
// The byte limit of a free-text item's value (times: 5).
std::size_t BulkItemWidth(BulkItem item);
// The fixed list of an item: alarms "----" + the lead times of the alarm table; the styles.
std::vector<std::string> BulkChoices(BulkItem item, const std::vector<int>& alarm_offsets);

// "スケジュール一括訂正 - 選択 n件".
std::string BulkCaption(std::size_t count);

struct BulkTarget {
  std::string key;   // the list row's key
  std::string line;  // the line the row was made from (CP932)
};

// What the dialog holds at OK.
struct BulkInput {
  std::optional<BulkItem> item;  // nothing: no item chosen
  std::string text;              // free-text items (UTF-8)
  int choice = 0;                // list items: the position in the list
};

inline constexpr const char* kBulkNoItemMessage = "訂正項目を入力して下さい。";
inline constexpr const char* kBulkBlankTitleMessage = "件名はブランクで登録できません。";
inline constexpr const char* kBulkBadTimeMessage = "設定できない時刻です。";

// The value as it goes into the field (CP932, not padded): a time rewritten as "hh:nn" (blank
// leaves the field blank), a text cut to the field's width at a character boundary, a choice as
// its digit. Nothing with the refusal's message when the input cannot be stored.
struct BulkValue {
  std::optional<std::string> cp932;
  std::string message;
};
BulkValue BulkValueOf(const BulkInput& input);

// The confirmation: "n件のスケジュールの「item」を \"value\" に変更します。\n処理を開始しますか？".
std::string BulkQuestion(std::size_t count, BulkItem item, const std::string& shown_value);

// The line with the item's field replaced by the value (padded to the field's width; the title
// and the place with nothing after them are left without trailing blanks).
std::string ReplaceField(const std::string& line, BulkItem item, const std::string& cp932_value);

enum class BulkOutcome { Done, Refused, Cancelled, Stale };

// Replaces the field in every target. A target beyond its file's end is skipped; a target whose
// line is no longer the row's line stops everything before the first write (Stale). Throws
// store::FileError.
BulkOutcome ApplyBulkEdit(platform::FileSystem& fs, const std::string& data_folder,
                          const std::vector<BulkTarget>& targets, BulkItem item, const std::string& cp932_value);

// OK of the dialog: the checks (input errors with caption "入力エラー"), the question, the edit.
// Done when the files changed; the dialog closes on Done, Cancelled and Stale.
BulkOutcome BulkEditOk(platform::Dialogs& dialogs, platform::FileSystem& fs, const std::string& data_folder,
                       const std::vector<BulkTarget>& targets, const BulkInput& input,
                       const std::vector<int>& alarm_offsets);

}  // namespace kal::catalogues
