// Memo files: free text attached to one day or one month, one memo per file in the memo folder.
//
// Files (memo folder, setting MemoPath):
//   day memo       "yyyymmdd.mem"  (3 May 2024: "20240503.mem")
//   month memo     "yyyymm.mem"    (May 2024: "202405.mem")
//   template       "MemoTemp.txt"  text a new day or month memo starts from in the memo dialog
// Content: the memo's lines in CP932, each ended by CR LF; no header, no trailer. A memo with no
// lines has no file: saving an empty memo deletes its file. A memo of one empty line is kept (the
// file holds CR LF). The existence of a day memo's file is what marks the day as having a memo.
//
// Memo-icon colour: one byte at position 6 of the day's line in the month's day file
// (data folder + "yyyymm.day", see DayFile.h): "1".."5" (赤 緑 黄 青 紫); "0", a blank or a missing
// line mean the default colour (setting IconColor of section Memo).
//
// Every other part of the program that touches memo files (the memo box, the memo dialog, the
// list dialog, clipboard paste, import, backup, deletion, kalendor-cli) goes through these
// functions. A missing file is an empty memo; a file that exists but cannot be read throws
// FileError, and so does a write or delete that fails. A character that CP932 cannot hold is
// refused with a FileError naming the memo, before anything is written.
//
// Note for callers in the window: the memo box holds unsaved text of one memo. A command that
// reads or writes memo files must let the window save the box first and re-read it afterwards
// (TFrmMain does this around every reload and every command it runs on memo files).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::store {

// One memo: a day memo (day 1..31) or a month memo (day 0).
struct MemoId {
  int year = 0;
  int month = 0;
  int day = 0;

  static MemoId OfDay(const Date& date) { return {YearOf(date), MonthOf(date), DayOf(date)}; }
  static MemoId OfMonth(int year, int month) { return {year, month, 0}; }
  bool is_month() const { return day == 0; }
  Date date() const { return MakeDate(year, month, day == 0 ? 1 : day); }
  friend bool operator==(const MemoId&, const MemoId&) = default;
};

inline constexpr const char* kMemoTemplateName = "MemoTemp.txt";
inline constexpr const char* kMemoExtension = ".mem";

// "yyyymmdd.mem" or "yyyymm.mem".
std::string MemoFileName(const MemoId& id);
// The memo a file name stands for; nothing for any other name (a wrong date, other characters).
// Letters of the extension are compared without regard to case.
std::optional<MemoId> ParseMemoFileName(std::string_view name);
// memo folder + file name.
std::string MemoPath(const std::string& memo_folder, const MemoId& id);
// folder + "MemoTemp.txt".
std::string MemoTemplatePath(const std::string& folder);

// "2024年5月3日のメモ" / "2024年5月のメモ": the memo dialog's caption, and the memo's name in messages.
std::string MemoName(const MemoId& id);
// "2024年5月3日" / "2024年5月", the date part of the deletion question.
std::string MemoDateText(const MemoId& id);

// Text of an editor <-> memo lines. Lines are separated by LF, CR LF or a lone CR; the empty
// text after a last line end is not a line, so "a\n" is one line and "\n" one empty line; an
// empty text has no lines. MemoLinesToText ends every line with LF (the inverse).
std::vector<std::string> MemoTextToLines(std::string_view text);
std::string MemoLinesToText(const std::vector<std::string>& lines);
// The lines joined by LF without a final LF (kalendor-cli, list columns).
std::string JoinMemoLines(const std::vector<std::string>& lines);

// ---- Free-text files (memos, the template, notes) ----------------------------------------------

// The UTF-8 lines of a free-text file; empty when it does not exist. Throws FileError.
std::vector<std::string> LoadFreeText(platform::FileSystem& fs, const std::string& path);
// The lines in CP932; throws FileError naming `name` and the first character CP932 cannot hold.
std::vector<std::string> EncodeFreeText(const std::vector<std::string>& lines, const std::string& name);
// Writes the lines, or deletes the file when there are none. `name` names the text in the
// refusal of a character that CP932 cannot hold ("2024年5月3日のメモに保存できない文字「…」…").
// Returns whether the file exists afterwards. Throws FileError; the old file is then unchanged.
bool SaveFreeText(platform::FileSystem& fs, const std::string& path, const std::vector<std::string>& lines,
                  const std::string& name);
// Deletes a file when it exists; throws FileError when it exists and cannot be deleted.
void RemoveFile(platform::FileSystem& fs, const std::string& path);
// Deletes the file when it exists and is 0 bytes long (what an external editor or a dialog may leave).
void RemoveIfEmpty(platform::FileSystem& fs, const std::string& path);
std::string RemoveErrorMessage(const std::string& path);

// ---- Memos ----------------------------------------------------------------------------------------

bool MemoExists(platform::FileSystem& fs, const std::string& memo_folder, const MemoId& id);
// The memo's lines (UTF-8); empty when it has no file.
std::vector<std::string> LoadMemo(platform::FileSystem& fs, const std::string& memo_folder, const MemoId& id);
// Stores the memo's lines; no lines delete the file. Returns whether the memo exists afterwards.
bool SaveMemo(platform::FileSystem& fs, const std::string& memo_folder, const MemoId& id,
              const std::vector<std::string>& lines);

// The memos of one month: its day memos in date order, then its month memo.
std::vector<MemoId> MemosOfMonth(platform::FileSystem& fs, const std::string& memo_folder, int year, int month);
// Every memo of the folder: in file-name order (a month's memo before its day memos).
std::vector<MemoId> AllMemos(platform::FileSystem& fs, const std::string& memo_folder);

// ---- Memo-icon colour ----------------------------------------------------------------------------

// The colour stored for the day: 1..5, or 0 when none is stored (no file, no line, "0", blank).
int StoredMemoColour(platform::FileSystem& fs, const std::string& data_folder, const Date& date);
// The day's line with the memo-icon colour byte set: the bytes before it are kept (padded with
// blanks to position 5), the byte becomes `digit`, the rest of the line from position 7 is kept.
std::string SetMemoColourInLine(const std::string& day_line, char digit);
// The memo-icon colour command: the month's day file is padded to 32 lines with "00", the day's
// line gets the colour digit ('1'..'5'), and the file is written.
void StoreMemoColour(platform::FileSystem& fs, const std::string& data_folder, const Date& date, int colour);
// Resets a stored colour to "0" (memo deletion). Writes the day file only when the day's byte
// holds a colour other than "0"; true when it wrote.
bool ResetMemoColour(platform::FileSystem& fs, const std::string& data_folder, const Date& date);

// ---- Deletion ------------------------------------------------------------------------------------

inline constexpr const char* kMemoDeleteCaption = "メモの削除";
// "2024年5月3日 のメモを削除します。\nよろしいですか？"
std::string MemoDeleteQuestion(const MemoId& id);
// Deletes a memo as the delete command does: the file, and for a day memo a stored icon colour
// is reset to "0" in the day file. False when the memo had no file (nothing changed).
bool DeleteMemo(platform::FileSystem& fs, const std::string& memo_folder, const std::string& data_folder,
                const MemoId& id);

}  // namespace kal::store
