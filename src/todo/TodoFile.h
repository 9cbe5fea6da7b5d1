// The ToDo files of the ToDo folder: "Todokl.dat" (the ToDo list, one record per line) and
// "Todokl.dtl" (the memos of ToDo items, one line per memo). Both are CP932 text with CR LF.
//
// A ToDo record, fields at 1-based byte positions:
//
//   pos  width  field
//     1   10    limit date "yyyy/mm/dd", or "期限なし  " (期限なし and two blanks) for no limit
//    11   10    start date "yyyy/mm/dd", or ten blanks for none
//    21    1    priority "0".."3" (shown as A..D)
//    22    2    progress "00".."10" (tenths of completion)
//    24    1    done flag "1" done, "0" not done
//    25   10    done date "yyyy/mm/dd" (always written; meaningful only when done)
//    35   14    category name, padded with blanks
//    49    4    memo number "0001".."9999", "0000" for none
//    53    4    reserved blanks
//    57  ..80   subject; padded to 80 bytes only when a file link follows
//   137  ..255  file link (trailing blanks removed)
//
// A memo line: the memo number as four digits, a comma, and the memo's lines as comma text.
//
// While the program runs the ToDo list is held whole in memory in file order; a record is named
// by its 0-based record index, which holds until the next change of the list. Every operation
// here that changes a stored record re-reads the file first and checks that the record at the
// caller's index is still the line the caller saw (else Stale, nothing written). Both files are
// written atomically; when an operation writes both and the second write fails, the first file
// is put back as it was and FileError is thrown.
//
// Damaged records (a limit or start that is not a date, a priority or progress out of range)
// are read leniently: a bad limit counts as no limit, a bad start as none, numbers are clamped.
// Their bytes stay as they are unless the user changes that record.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::todo {

using store::Date;

inline constexpr const char* kTodoFileName = "Todokl.dat";
inline constexpr const char* kTodoMemoFileName = "Todokl.dtl";

// The label of an item without a limit, as the limit field holds it (UTF-8; ten bytes in CP932).
inline constexpr const char* kNoLimitText = "期限なし  ";
inline constexpr const char* kNoLimitLabel = "期限なし";

inline constexpr std::size_t kLimitPos = 1, kStartPos = 11, kDateWidth = 10;
inline constexpr std::size_t kPriorityPos = 21, kProgressPos = 22, kProgressWidth = 2;
inline constexpr std::size_t kDonePos = 24, kDoneDatePos = 25;
inline constexpr std::size_t kCategoryPos = 35, kCategoryWidth = 14;
inline constexpr std::size_t kMemoPos = 49, kMemoWidth = 4;
inline constexpr std::size_t kSubjectPos = 57, kSubjectWidth = 80;
inline constexpr std::size_t kLinkPos = 137, kLinkWidth = 255;

inline constexpr int kMaxMemoNumber = 9999;
inline constexpr std::size_t kMaxMemoLines = 9999;
// Record indexes are four digits in day entries.
inline constexpr std::size_t kMaxTodoRecords = 10000;

// The priority letters, indexed by the priority digit.
inline constexpr const char* kPriorityLetters[4] = {"A", "B", "C", "D"};

// Field names in the messages that refuse a character.
inline constexpr const char* kSubjectName = "件名";
inline constexpr const char* kCategoryName = "分類";
inline constexpr const char* kLinkName = "ファイル";
inline constexpr const char* kMemoName = "メモ";

inline constexpr const char* kTodoStaleMessage =
    "ToDoが他で変更されています。\n最新の情報に更新してから操作して下さい。";
inline constexpr const char* kTodoErrorCaption = "エラー";
inline constexpr const char* kMemoOverflowMessage =
    "ToDoメモの最大登録件数をオーバーしています。\n不要なToDoを削除して下さい。";
inline constexpr const char* kMemoOverflowCaption = "最大件数オーバー";

// The entry values of one record, texts in UTF-8.
struct TodoFields {
  std::optional<Date> limit;  // nothing: no limit
  std::optional<Date> start;  // nothing: no start date
  int priority = 0;           // 0..3
  int progress = 0;           // 0..10
  bool done = false;
  Date done_date{};
  std::string category;
  int memo = 0;  // 0 none, 1..9999
  std::string subject;
  std::string link;  // empty: none

  friend bool operator==(const TodoFields&, const TodoFields&) = default;
};

// ---- Reading a record by position ----------------------------------------------------------

// The limit field as stored (CP932, ten bytes or fewer on a short line).
std::string LimitField(std::string_view record);
// The limit date; nothing for "期限なし  " and for a limit that is not a date.
std::optional<Date> TodoLimit(std::string_view record);
// The start date; nothing when blank or not a date.
std::optional<Date> TodoStart(std::string_view record);
// The start field's text as stored, trailing blanks removed ("" for none).
std::string TodoStartText(std::string_view record);
// 0..3 (out of range or not a digit: clamped, a non-digit reads as 0).
int TodoPriority(std::string_view record);
// 0..10, clamped.
int TodoProgress(std::string_view record);
bool TodoDone(std::string_view record);
// The done date's text as stored ("yyyy/mm/dd", possibly empty).
std::string TodoDoneDateText(std::string_view record);
std::optional<Date> TodoDoneDate(std::string_view record);
// The category name (UTF-8, trailing blanks removed) and the raw 14-byte field.
std::string TodoCategory(std::string_view record);
std::string TodoCategoryField(std::string_view record);
// The memo number 1..9999; 0 for none (or a field that is not four digits).
int TodoMemoNumber(std::string_view record);
// The subject (positions 57 to 136, UTF-8, trailing blanks removed).
std::string TodoSubject(std::string_view record);
// The file link (at most 255 bytes from position 137, UTF-8, trailing blanks removed).
std::string TodoLink(std::string_view record);
TodoFields ReadTodoRecord(std::string_view record);

// What is damaged in a record ("期限", "開始日", "優先度", "進捗率", joined by "・"); empty
// when it is sound.
std::string TodoDamage(std::string_view record);
// "<path>: <n>行目のToDoは<what>が正しくありません。"
std::string TodoDamageMessage(const std::string& path, std::size_t index, const std::string& what);

// ---- Building and rewriting ----------------------------------------------------------------

struct TodoBuild {
  bool ok = false;
  std::string line;     // CP932 when ok
  std::string field;    // the field whose character cannot be stored
  std::string bad;      // that character
  std::string message;  // the message for the user
  explicit operator bool() const { return ok; }
};

// "yyyy/mm/dd" or "期限なし  " in CP932.
std::string LimitFieldOf(const std::optional<Date>& limit);
// "0001".."9999", "0000" for none.
std::string MemoNumberField(int number);

// Builds a record: every field in order, texts cut to their widths at a character boundary; with
// a link the line is padded to 136 bytes and the link (at most 255 bytes) follows.
TodoBuild BuildTodoRecord(const TodoFields& fields);

// The record with a new progress (0..10); every other byte kept.
std::string WithProgress(std::string_view record, int progress);
// The record marked done (done date `today`) or not done (the stored done date kept; today when
// none is stored); every other byte kept, the file link included.
std::string WithDone(std::string_view record, bool done, const Date& today);

// The record moved to another day (a paste): the limit and the done date become `date`, the memo
// number `memo`; start date, priority, progress, done flag, category, subject and link keep their
// bytes. A record too short to reach the subject is padded to it.
std::string MovedTodoRecord(std::string_view record, const Date& date, int memo);

// ---- The ToDo list ---------------------------------------------------------------------------

std::string TodoFilePath(const std::string& folder);
std::string TodoMemoFilePath(const std::string& folder);

// A loaded list and the damaged records in it (index, message), each to be reported once.
struct TodoLoad {
  std::vector<std::string> records;
  bool exists = false;
  std::vector<std::pair<std::size_t, std::string>> damaged;
};
// Reads Todokl.dat (missing: empty). Throws store::FileError when it cannot be read.
TodoLoad LoadTodoList(platform::FileSystem& fs, const std::string& folder);
// Just the records. Throws store::FileError.
std::vector<std::string> LoadTodoRecords(platform::FileSystem& fs, const std::string& folder);
// Writes Todokl.dat atomically. Throws store::FileError.
void SaveTodoList(platform::FileSystem& fs, const std::string& folder, const std::vector<std::string>& records);
// The whole-line order kept after an entry (dated records first by limit, then "期限なし").
void SortTodoList(std::vector<std::string>& records);

// ---- Memos -----------------------------------------------------------------------------------

std::vector<std::string> LoadTodoMemos(platform::FileSystem& fs, const std::string& folder);
void SaveTodoMemos(platform::FileSystem& fs, const std::string& folder, const std::vector<std::string>& lines);
// The position of the memo line of `number` in the sorted memo lines (stops at the first larger
// number); nothing when there is none.
std::optional<std::size_t> FindTodoMemo(const std::vector<std::string>& memo_lines, int number);
// The memo's lines (UTF-8); empty when there is none.
std::vector<std::string> TodoMemoOf(const std::vector<std::string>& memo_lines, int number);
// "nnnn," + comma text, in CP932; nothing when a character cannot be held (`bad`).
std::optional<std::string> BuildTodoMemoLine(int number, const std::vector<std::string>& memo,
                                             std::string* bad = nullptr);
// Removes every memo line that carries `number`; returns how many were removed.
std::size_t RemoveTodoMemo(std::vector<std::string>& memo_lines, int number);
// The smallest memo number 1..9999 that no record uses; 10000 when all are used.
int FreeTodoMemoNumber(const std::vector<std::string>& records);

// ---- Changes of stored records ---------------------------------------------------------------

// A record the caller saw at a record index.
struct TodoRef {
  std::size_t index = 0;
  std::string line;
};

enum class TodoStatus { Changed, Unchanged, Stale };

struct TodoResult {
  TodoStatus status = TodoStatus::Unchanged;
  std::vector<std::string> records;  // the list as stored afterwards (as read when Stale)
};

// One pending done tick: mark the record done or not done.
struct DoneChange {
  TodoRef ref;
  bool done = false;
};

// Applies done / not-done changes in place (no re-sort) and saves Todokl.dat once; a change
// that matches the record's flag already is skipped. Stale when any record differs from what the
// caller saw (nothing is written). Throws store::FileError.
TodoResult ApplyDoneChanges(platform::FileSystem& fs, const std::string& folder,
                            const std::vector<DoneChange>& changes, const Date& today);

// Writes a new progress (0..10) into one record in place and saves. Throws store::FileError.
TodoResult SetTodoProgress(platform::FileSystem& fs, const std::string& folder, const TodoRef& ref, int progress);

// Deletes the records and their memo lines: the records are marked "D" first and dropped
// afterwards, so the other indexes stay valid while the memos are removed. Todokl.dat is saved
// first, then Todokl.dtl when a memo line was removed (Todokl.dat is put back when that fails).
// Throws store::FileError.
TodoResult DeleteTodos(platform::FileSystem& fs, const std::string& folder, const std::vector<TodoRef>& refs);

// Writes both files: the memo file first, then the list; when the list cannot be written the
// memo file is put back as it was. Either may be nothing (not written). Throws store::FileError.
void SaveTodoFiles(platform::FileSystem& fs, const std::string& folder,
                   const std::optional<std::vector<std::string>>& memo_lines,
                   const std::optional<std::vector<std::string>>& records);

// Shows the stale-record refusal.
void ShowTodoStale(platform::Dialogs& dialogs);

}  // namespace kal::todo
