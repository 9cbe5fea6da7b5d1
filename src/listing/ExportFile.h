// The export items of the list dialog and of kalendor-cli: one entry point per format from the
// selected rows to the file's bytes, and the save flow around it.
//
//   BuildExport(format, kind, rows, sources)   rows (cells in list order) -> bytes
//   ExportToFile(dialogs, format, kind, rows, sources, initial_folder)
//       the save chooser (filter and proposed name per format and kind), the overwrite question
//       "'name' を上書きしますか？" (caption "ファイルの保存"), then the bytes written in one piece;
//       a refusal (a stale row, a character that cannot be written) or a write error is shown.
//
// Formats per kind: CSV for schedules, memos, ToDo items and weather; vCalendar for schedules;
// iCalendar for schedules and holidays.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "listing/CsvExport.h"
#include "listing/ExportRows.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace kal::listing {

enum class ExportFormat { Csv, VCalendar, ICalendar };

// What an export reads besides the rows.
struct ExportSources {
  platform::FileSystem* fs = nullptr;
  std::string data_folder;   // month files, detail files, Holiday.dat
  std::string memo_folder;   // *.mem
  CsvSwitches csv;           // section File
  std::vector<int> alarm_offsets;        // the alarm table (Alarm.tbl or the built-in list)
  platform::LocalDateTime now_utc;       // DTSTAMP: the present as universal time
  // The detail lines of a ToDo row (the ToDo list is held by the caller); none when unset.
  std::function<std::vector<std::string>(const ListRow&)> todo_memo;
};

// The sources as the program's settings and folders give them: the data and memo folders, the
// switches of section File, the alarm table of the table folder, the ToDo memos of the ToDo
// folder (read on first use; `fs` must outlive the sources), and `now` (local time, from the
// clock) as universal time. Throws store::FileError when Alarm.tbl cannot be read.
ExportSources ExportSourcesOf(platform::FileSystem& fs, const app::Session& session,
                              const platform::LocalDateTime& now);

struct ExportOutput {
  std::string bytes;
  int records = 0;  // rows written (lines or events)
};

// Whether the list offers the format for the kind.
bool ExportOffered(ListKind kind, ExportFormat format);

// The file for the rows, in their order. Throws ExportError (a row's line changed, a character
// that cannot be written, a format the kind does not offer) and store::FileError (a data file
// that cannot be read).
ExportOutput BuildExport(ExportFormat format, ListKind kind, const std::vector<ListRow>& rows,
                         const ExportSources& sources);

// The save chooser's title, filter and proposed file name.
struct ExportChooser {
  std::string title;
  platform::FileFilter filter;
  std::string file_name;
};
ExportChooser ExportChooserFor(ExportFormat format, ListKind kind);

inline constexpr const char* kOverwriteCaption = "ファイルの保存";
// "'" + the file name without its folder + "' を上書きしますか？"
std::string OverwriteQuestion(const std::string& path);

// The list dialog's export item: chooser, overwrite question, build, write. Returns the number of
// records written, or nothing when the user cancelled or the export failed (the message has
// been shown).
std::optional<int> ExportToFile(platform::Dialogs& dialogs, ExportFormat format, ListKind kind,
                                const std::vector<ListRow>& rows, const ExportSources& sources,
                                const std::string& initial_folder);

// Without the chooser: the overwrite question (when `ask` and the file exists), build, write.
std::optional<int> ExportToPath(platform::Dialogs& dialogs, ExportFormat format, ListKind kind,
                                const std::vector<ListRow>& rows, const ExportSources& sources,
                                const std::string& path, bool ask);

}  // namespace kal::listing
