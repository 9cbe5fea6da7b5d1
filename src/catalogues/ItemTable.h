// The six entry tables of the table folder and their editor ("項目の設定").
//
//   type  file            caption                     entries
//     0   SigTime.tbl     "時報時刻の設定"             "hh:nn", optionally a text from byte 6
//     1   SchFrom.tbl     "開始時刻の設定"             start times "hh:nn" (or any text)
//     2   SchTo.tbl       "終了時刻の設定"             end times, as SchFrom.tbl
//     3   SchTitle.tbl    "スケジュール件名の設定"     schedule titles, up to 40 bytes
//     4   SchPlace.tbl    "場所の設定"                 places, up to 40 bytes
//     5   Alarm.tbl       "アラーム一覧の編集"         lead times 0..360 right-aligned to three
//                                                      characters, at most 9 entries
//
// Lines are CP932 bytes; the editor keeps a table sorted in the order of sorted line files
// without repeats. Alarm codes stored in schedules are positions in Alarm.tbl, so the editor
// asks before an add or delete moves an existing lead time to another position.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::catalogues {

enum class ItemTableType : int { SigTime = 0, SchFrom = 1, SchTo = 2, SchTitle = 3, SchPlace = 4, Alarm = 5 };

inline constexpr int kAlarmMaxMinutes = 360;
inline constexpr std::size_t kAlarmMaxEntries = 9;
inline constexpr std::size_t kItemShownWidth = 40;

std::string ItemTableFileName(ItemTableType type);
std::string ItemTablePath(const std::string& table_folder, ItemTableType type);
// The dialog's caption, the entry box's label and its length limit (characters for times,
// CP932 bytes for texts).
std::string ItemTableCaption(ItemTableType type);
std::string ItemTableLabel(ItemTableType type);
std::size_t ItemTableEntryLimit(ItemTableType type);

// The content the editor starts with when the file is missing (CP932 lines; the same as UTF-8
// here, being ASCII).
std::vector<std::string> DefaultItems(ItemTableType type);
// What the settings dialog writes for missing SchFrom.tbl / SchTo.tbl: five blanks, then the 32
// default times.
std::vector<std::string> DefaultTimeFileLines();

// A time typed in one of the usual notations ("9:5", "09:05", "9:05:30", full-width digits and
// colons) rewritten as "hh:nn"; nothing when it is not a time of day.
std::optional<std::string> ReadTimeText(std::string_view text);

// "  5", " 10", "360": a lead time as stored.
std::string AlarmField(int minutes);
// A lead time as the lists show it: minutes + " 分" below 60, else hours + " 時間".
std::string AlarmOffsetText(int minutes);

// The entries of the alarm drop-downs: "----" (no alarm, code 0), then one text per lead time.
std::vector<std::string> AlarmChoiceTexts(const std::vector<int>& offsets);

// The alarm table as the program uses it: the lead times of Alarm.tbl in file order, or the
// nine built-in values when the file is missing. A line that is not a whole number from 0 to
// 360 is ignored; `ignored` (when given) receives the 1-based numbers of such lines. Throws
// store::FileError when the file exists but cannot be read.
std::vector<int> LoadAlarmOffsets(platform::FileSystem& fs, const std::string& table_folder,
                                  std::vector<std::size_t>* ignored = nullptr);
std::vector<int> DefaultAlarmOffsets();
// The lead time of an alarm code (1-based position); nothing for 0, a code beyond the table or a
// code that is not a digit.
std::optional<int> AlarmLead(const std::vector<int>& offsets, int code);

// The editor's working list.
class ItemTableEditor {
 public:
  // Starts from the file's lines (sorted, repeats removed), or from the type's default content
  // when the file is missing. For the alarm table, lines that are not lead times are left out.
  // Throws store::FileError.
  ItemTableEditor(platform::FileSystem& fs, const std::string& table_folder, ItemTableType type);
  ItemTableEditor(ItemTableType type, std::vector<std::string> lines);

  ItemTableType type() const { return type_; }
  const std::vector<std::string>& lines() const { return lines_; }
  // The first 40 bytes of each entry, decoded, as the list shows them.
  std::vector<std::string> ShownItems() const;

  // "追加" with the entry box's text. Returns the index of the added (or already present) entry,
  // or nothing when the text is empty or refused (the message has been shown: for the alarm
  // table, also when the user answers No to the question about moving lead times).
  std::optional<std::size_t> Add(platform::Dialogs& dialogs, std::string_view text);
  // "削除" of the entry at `index`; for the alarm table the user is asked first when later
  // entries move. Returns true when removed.
  bool Remove(platform::Dialogs& dialogs, std::size_t index);
  // "OK": writes the list to the table's file. Throws store::FileError.
  void Save(platform::FileSystem& fs, const std::string& table_folder) const;

 private:
  std::optional<std::string> EntryFor(platform::Dialogs& dialogs, std::string_view text) const;
  bool ConfirmMove(platform::Dialogs& dialogs, const std::vector<std::string>& after) const;
  ItemTableType type_;
  std::vector<std::string> lines_;
};

// The question asked before an alarm table edit moves lead times: one line per alarm code whose
// lead time changes, "アラーム n: before → after". Empty when no existing entry changes position.
std::string AlarmMoveMessage(const std::vector<int>& before, const std::vector<int>& after);

}  // namespace kal::catalogues
