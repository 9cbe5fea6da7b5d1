// Opening a file for the import: its format by extension, its records by the reader of that
// format, and the header option's first state. The import command of the main window and
// kalendor-cli both open files through here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "import/ImportRecord.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::import {

struct ImportSource {
  std::string path;
  SourceFormat format = SourceFormat::Csv;
  std::vector<SourceRecord> records;
  bool header_likely = false;  // the first record reads as a header line (Chk1stHeader starts ticked)
  Assignment assignment;       // CSV: empty; other formats: fixed (field n from column n)
  bool assignment_fixed = false;
  // Data files: the text the caption shows for the source, the month of a month file and the
  // memo file read beside the source.
  std::string source_text;
  std::optional<store::Date> data_month;
  std::string memo_source_path;
  bool old_todo_format = false;  // "Todo.dat"
  // Calendar files: what the reader could not take from the file (shown before the dialog).
  std::vector<std::string> problems;
};

inline constexpr const char* kNoDataMessage = "データが見つかりません。";
inline constexpr const char* kFormatNotReadyMessage = "この形式のファイルはまだインポートできません。";

// The open-file dialog's filter of the target.
std::string ImportFileFilter(ImportTarget target);

inline constexpr const char* kMonthFileNameMessage = "ファイル名が yyyymm.sch形式でないためインポートできません。";

// Reads the file. A file that cannot be read throws store::FileError; an empty one, a month file
// whose name is not "yyyymm.sch", or a format whose reader is not built in, gives the message to
// show (caption "エラー") through `error`.
std::optional<ImportSource> OpenImportSource(platform::FileSystem& fs, ImportTarget target, const std::string& path,
                                             std::string* error, const std::string& data_folder = std::string(),
                                             const std::string& todo_folder = std::string());

}  // namespace kal::import
