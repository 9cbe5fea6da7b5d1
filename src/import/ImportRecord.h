// The records every import reader hands to the conversion, and what the conversion answers.
//
// A reader (CSV here; iCalendar, vCalendar and the data-file readers likewise) turns a file's
// bytes into SourceRecords: one record per source entry, its fields as UTF-8 texts in the
// source's own column order. The conversion (ImportEngine.h) never sees the file again: it
// takes the records, the assignment of source columns to the target's fields (TargetFields), the
// options, and answers one RecordOutcome per record with its status and message.
//
// A calendar reader feeds the schedule target with eight fields in the order of the schedule
// target fields (start date, start time, end date, end time, summary, location, categories,
// description) and an identity assignment (field n from column n, `IdentityAssignment`). Its
// description separates memo lines by line breaks (the readers undo their formats' escapes).
// A record the reader could not make sense of is still handed on, with `reader_error` set: the
// conversion refuses it with that message, so the user sees every entry of the file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kal::import {

// The four targets of the import menu, numbered as the menu orders them.
enum class ImportTarget { Schedule = 1, Holiday = 2, Todo = 3, Weather = 4 };

// The source format: the file's extension upper-cased ("CSV", "ICS", "VCS"); Data for the
// program's own data files.
enum class SourceFormat { Csv, Ics, Vcs, Data };

// "スケジュール", "祝日・休日・記念日", "ToDo", "天気情報".
std::string TargetName(ImportTarget target);
// "CSV", "ICS", "VCS" (empty for Data).
std::string FormatName(SourceFormat format);
// The format of a file name by its extension: CSV, ICS, VCS; Data for any other.
SourceFormat FormatOfFile(const std::string& file_name);

// One entry of the source file.
struct SourceRecord {
  int number = 0;                   // 1-based record number, as messages name it
  std::vector<std::string> fields;  // UTF-8 texts in source column order
  std::string reader_error;         // non-empty: the reader could not read this entry
  // Data files only: the line as its CP932 bytes, and the memo (detail) it carries, read from the
  // memo file beside the source; `memo_missing` when it has a memo number but that file is missing.
  std::string raw = {};
  std::vector<std::string> memo = {};
  bool memo_missing = false;
};

// A field of the target, as the dialog's left list shows it: `name` + `format` (the format text
// is shown for CSV, ICS and VCS sources).
struct TargetField {
  std::string name;    // "開始日", "メモ（内容）", "日付" ...
  std::string format;  // " (yyyy/mm/dd)", "（A～D）" ... or empty
};
const std::vector<TargetField>& TargetFields(ImportTarget target);
// The text the left list shows for field i (with its format text for CSV, ICS and VCS; data files
// show the fields of their own layouts).
std::string TargetFieldLabel(ImportTarget target, std::size_t index, SourceFormat format);
// The field index of a name with or without its format text; -1 when none matches.
int FindTargetField(ImportTarget target, const std::string& name);

// For each target field the 0-based source column assigned to it, or kNoColumn.
inline constexpr int kNoColumn = -1;
using Assignment = std::vector<int>;
Assignment EmptyAssignment(ImportTarget target);
// Field n from column n (calendar and data-file sources).
Assignment IdentityAssignment(ImportTarget target);

// The status a record has after a check, shown in the dialog's label and colours.
enum class RecordStatus {
  Unchecked,  // "未チェック"
  Header,     // "0": the first record taken as the header line, "インポート対象外（見出し）"
  Duplicate,  // "0": already in the data (duplicate option), "インポート対象外（重複）"
  Import,     // "1": to be imported, "インポート対象"
  Refused,    // "9": refused, "データエラー"
};
// '0', '1' or '9' ('-' before a check).
char StatusCode(RecordStatus status);
// The label text of a status.
std::string StatusText(RecordStatus status);

}  // namespace kal::import
