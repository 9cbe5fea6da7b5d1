// The program's own data files taken from another folder or a backup, read as import records:
// a schedule month file "yyyymm.sch" (with "yyyymm.dtl" beside it), Holiday.dat, a ToDo list
// Todokl.dat (with Todokl.dtl) and the old "Todo.dat" (with "TodoMemo.dat").
//
// Each record keeps its line (`raw`) and shows the fields of its layout, in the order of the
// target's fields: a month-file record shows day, start time, day count, end time, title, place,
// category and detail number; a Holiday.dat line shows month, day, week, weekday, name, class,
// first and last year. The assignment is fixed (field n from column n). A month-file record's
// memo is read from the source's detail file here, so the conversion copies it under a new
// number of the target month.
#pragma once

#include <optional>
#include <string>

#include "import/ImportSource.h"
#include "platform/FileSystem.h"
#include "store/DateText.h"

namespace kal::import {

enum class DataFileKind { None, MonthFile, HolidayFile, TodoFile, OldTodoFile };

// The kind of a data file by its name ("yyyymm…sch", "Holiday.dat", "Todo.dat", other ToDo lists).
DataFileKind DataFileKindOf(ImportTarget target, const std::string& path);
// The target a data file's name gives: ".sch" schedules, "Holiday.dat" holidays, else the ToDo list.
ImportTarget DataFileTarget(const std::string& path);
// The month of a month file: the first six characters of its name as "yyyymm".
std::optional<store::Date> MonthOfFileName(const std::string& path);

inline constexpr const char* kSameFileMessage = "インポート元とインポート先が同じファイルのためインポートできません。";

// Reads a data file for the target; `data_folder` is the current data folder (a file of that folder
// cannot be imported into itself). Messages as OpenImportSource. Throws store::FileError.
std::optional<ImportSource> ReadDataFile(platform::FileSystem& fs, ImportTarget target, const std::string& path,
                                         const std::string& data_folder, std::string* error,
                                         const std::string& todo_folder = std::string());

// target name + "メモが設定されていますが、" + the memo file + " が見つかりません。"; the dialog asks
// with "\nこのまま処理を続けます？" after it.
std::string MemoSourceMissingText(ImportTarget target, const std::string& memo_path);

// The dialog's source text for a data file: "yyyy年m月" for a month file, else the file name.
std::string DataSourceText(const std::string& path);

}  // namespace kal::import
