// The conversion of import records into the program's data: schedules (month and detail files),
// holidays (Holiday.dat), ToDo items (Todokl.dat, Todokl.dtl) and weather records (day files).
//
// One run takes the records of a reader (ImportRecord.h), the assignment of source columns to
// the target's fields and the options, and evaluates every record in file order:
//   - the first record is the header when `first_is_header` (status Header);
//   - a record that breaks a rule of its target is Refused with the message the user is shown:
//     the reason, a line break, the record number + " レコード目: " + the offending value. Such a
//     failure `stops` the dialog's conversion (the dialog shows the first one and cannot execute);
//   - a record whose texts hold a character CP932 cannot store, or that no longer fits its file
//     (a month file of 10000 lines), is Refused too but does not stop: the rest goes on;
//   - with `skip_duplicates` a record equal to one already in the data (or added earlier in the
//     same run) is a Duplicate;
//   - every other record is Import: it is built with the store's line builders and added to the
//     target files held in memory. Its message is empty, or the overflow message of the memo
//     numbers when its memo could not be stored (the record is then stored without it).
// Check mode writes nothing. Execute mode then saves what the records of status Import changed:
// detail and memo files first, then month files, Holiday.dat, the ToDo list and day files (each
// sorted as its format requires, each written atomically), then the category table. A file that
// cannot be read stops the run (store::FileError) before anything is written.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "import/ImportRecord.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::import {

struct ImportOptions {
  bool first_is_header = false;  // Chk1stHeader
  bool skip_duplicates = false;  // ChkDubleNo
  bool add_categories = false;   // ChkCategory (schedule and ToDo only)
};

// The folders the targets live in, each with or without a trailing separator.
struct ImportFolders {
  std::string data;      // month, detail and day files, Holiday.dat
  std::string todo;      // Todokl.dat, Todokl.dtl
  std::string category;  // Category.tbl
};

struct ImportRequest {
  ImportTarget target = ImportTarget::Schedule;
  SourceFormat format = SourceFormat::Csv;
  std::vector<SourceRecord> records;
  Assignment assignment;
  ImportOptions options;
  ImportFolders folders;
  store::Date today{};  // the done date of a ToDo item marked done without one
  // Data files: the month of a month file ("yyyymm.sch": the first of that month).
  std::optional<store::Date> data_month;
  // Data files: the ToDo records are in the old format of "Todo.dat".
  bool old_todo_format = false;
};

struct RecordOutcome {
  RecordStatus status = RecordStatus::Unchecked;
  bool stops = false;     // a rule failure (Refused only)
  std::string message;    // Refused: why; Import: a notice (memo overflow) or empty
  std::string date;       // the record's date as the target reads it ("yyyy/mm/dd", "mm/dd"), or the value
  std::string title;      // the record's title (件名; the weather text for weather)
};

struct ImportResult {
  // A required field without a source column: the message, and nothing else was done.
  std::optional<std::string> assignment_error;
  std::vector<RecordOutcome> records;  // one per request record
  int imported = 0;
  int duplicates = 0;
  int refused = 0;
  int new_categories = 0;
  std::optional<std::size_t> first_stop;  // index of the first record whose failure stops
  std::vector<std::string> notices;       // messages shown once after the run (memo overflow)
  bool written = false;                   // Execute saved at least one file
  // Data files: a record has a memo number but the memo file beside the source is missing.
  bool memo_source_missing = false;
};

enum class ImportMode { Check, Execute };

// Runs the conversion. Throws store::FileError when a file cannot be read or written (in
// Execute, files saved before the failure stay saved; each is whole).
ImportResult RunImport(platform::FileSystem& fs, const ImportRequest& request, ImportMode mode);

// The information box after a run: "N 件の<target>データを反映しま(した|す)。" + line break +
// "M 件の分類を追加しま(した|す)。" (counts as "#,##0").
std::string ReportText(ImportTarget target, const ImportResult& result, ImportMode mode);

// The message of a required field without assignment (schedule, holiday, ToDo, weather wording).
std::string MissingFieldMessage(ImportTarget target, std::size_t field);

// Messages and captions of the import.
inline constexpr const char* kImportErrorCaption = "エラー";
inline constexpr const char* kImportReportCaption = "確認";
inline constexpr std::size_t kMaxSpanDays = 62;

// "1,234".
std::string GroupedCount(int count);

}  // namespace kal::import
