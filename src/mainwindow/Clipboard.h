// The main window's clipboard buffer: cut, copy and paste of schedules, ToDo items and day memos
// between days of the calendar, which the drag and drop of the grids uses too. The buffer is the
// window's own (kept for the run, never saved); the window puts ClipText on the desktop's
// clipboard beside it so that a copied entry can be pasted as text elsewhere.
//
// Filling the buffer removes nothing. What it holds:
//   schedule  the line as its month file holds it (the month of the schedule's first day, also
//             for a day of a multi-day bar seen in a later month), read and checked against the
//             day entry when the item is taken; its month and index there; its memo (detail)
//   ToDo      the record as Todokl.dat holds it, its record index and its memo line
//   memo      the day memo and the day's stored memo-icon colour (0 when none is stored)
//
// A paste of a cut removes the source only when a line byte-identical to the one taken is still
// there (at its index, else elsewhere in the file; otherwise nothing happens and the stale
// message is shown). Every refusal comes before the first write. A paste writes the new place
// first and removes the old one afterwards, so a failure in between leaves a copy, never a loss:
//   schedule  target detail line, target month file, source month file, source detail line
//   ToDo      Todokl.dtl, then Todokl.dat (the removal and the addition are one write)
//   memo      target memo file, target colour, source colour, source memo file
// After a paste the buffer holds what was pasted, as a copy, so it can be pasted again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mainwindow/Timeline.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"
#include "store/MemoFile.h"

namespace kal::mainwindow {

enum class ClipKind { None, Schedule, Todo, Memo };

struct ClipBuffer {
  ClipKind kind = ClipKind::None;
  bool cut = false;          // the source goes when the item is pasted (once; then a copy)
  std::string record;        // CP932: the schedule line or the ToDo record
  int year = 0;              // schedule: the month file holding the record
  int month = 0;
  std::size_t index = 0;     // its line in that file, or the ToDo record index
  std::string memo_body;     // CP932: the detail or ToDo memo line after its number (from the
                             // comma); empty when the item has no memo
  store::MemoId memo{};      // memo: the source day memo
  int memo_colour = 0;       // memo: the stored icon colour 1..5, 0 none

  bool empty() const { return kind == ClipKind::None; }
};

// The folders and ports a clipboard operation works with.
struct ClipPorts {
  platform::FileSystem& fs;
  platform::Dialogs& dialogs;
  std::string data_folder;
  std::string memo_folder;
  std::string todo_folder;
};

// Messages.
inline constexpr const char* kPasteErrorCaption = "貼り付けエラー";
inline constexpr const char* kPasteSpanMessage = "3ヶ月にまたがる期間は設定できません。";
inline constexpr const char* kMemoCopyCaption = "メモのコピー";
inline constexpr const char* kMemoSameMessage = "メモのコピー元とコピー先が同じです。";
inline constexpr const char* kMemoOverwriteQuestion = "この日のメモはすでに存在します。\n上書きしますか？";
inline constexpr const char* kMemoCopyError = "Copy Error";
inline constexpr const char* kDropCaption = "確認";

// ---- Filling the buffer ------------------------------------------------------------------------
// Each throws store::FileError when a file exists but cannot be read.

// A schedule day entry seen on `date`. Nothing (after the stale message) when its month file no
// longer holds the entry's line at the entry's index.
std::optional<ClipBuffer> TakeSchedule(ClipPorts& ports, std::string_view entry, const store::Date& date, bool cut);
// A ToDo day entry (kind "8"). Nothing (after the stale message) when Todokl.dat no longer holds
// the record at its index.
std::optional<ClipBuffer> TakeTodo(ClipPorts& ports, std::string_view entry, bool cut);
// The day memo of `date`; nothing when the day has none.
std::optional<ClipBuffer> TakeMemo(ClipPorts& ports, const store::Date& date, bool cut);

// ---- Pasting -----------------------------------------------------------------------------------

// Where a paste goes: a day, and in the timeline a half hour of it.
struct PasteTarget {
  store::Date date{};
  std::optional<int> row;  // the timeline's row; nothing for a day cell
  TimeRange range;         // the timeline's hours
  int def_time = 1;        // DefTime: the hours of a schedule without a duration of its own
};

enum class PasteStatus {
  Pasted,     // files changed: reload
  Cancelled,  // the user said No
  Refused,    // a message has been shown; nothing changed
  Stale,      // the cut source changed meanwhile (message shown); nothing changed: reload
};

// The start and end of a schedule pasted at a half hour: the row's start, and the end as far
// after it as the schedule lasted (start to end of its own times; DefTime hours when it has no
// end or no time), never past 36:59.
std::pair<std::string, std::string> PasteTimes(std::string_view line, const PasteTarget& target);

// Pastes the buffer's item on the target and updates the buffer. Throws store::FileError.
PasteStatus Paste(ClipPorts& ports, ClipBuffer& buffer, const PasteTarget& target);

// The question of a drop while DragMsg is set (caption kDropCaption).
std::string DropQuestion(ClipKind kind, bool copy);

// The buffer's item as plain text for the desktop's clipboard (UTF-8, lines joined by "\n"):
// a schedule's date and times, title, place and memo; a ToDo item's limit, title, priority,
// progress and memo; a memo's lines (`memo_lines`, read by the caller).
std::string ClipText(const ClipBuffer& buffer, const std::vector<std::string>& memo_lines = {});

}  // namespace kal::mainwindow
