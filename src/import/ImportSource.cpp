#include "import/ImportSource.h"

#include "import/CsvReader.h"
#include "import/DataFileReader.h"
#include "store/DateText.h"
#include "store/TextFile.h"

namespace kal::import {

std::string ImportFileFilter(ImportTarget target) {
  switch (target) {
    case ImportTarget::Schedule:
      return "CSV (カンマ区切り) (*.csv)| *.csv|iCalendar (*.ics)|*.ics|vCalendar (*.vcs)|*.vcs|"
             "Kalendorスケジュールデータ (*.sch)|*.sch";
    case ImportTarget::Holiday:
      return "CSV (カンマ区切り) (*.csv)| *.csv|祝日・休日・記念日データ (Holiday.dat)|Holiday.dat";
    case ImportTarget::Todo:
      return "CSV (カンマ区切り) (*.csv)| *.csv|ToDoデータ (Todokl.dat)|Todokl.dat|"
             "旧バージョンToDoデータ (Todo.dat)|Todo.dat";
    case ImportTarget::Weather: return "CSV (カンマ区切り) (*.csv)| *.csv|";
  }
  return {};
}

std::optional<ImportSource> OpenImportSource(platform::FileSystem& fs, ImportTarget target, const std::string& path,
                                             std::string* error, const std::string& data_folder,
                                             const std::string& todo_folder) {
  ImportSource source;
  source.path = path;
  source.format = FormatOfFile(path);
  if (source.format == SourceFormat::Data) return ReadDataFile(fs, target, path, data_folder, error, todo_folder);
  if (source.format != SourceFormat::Csv) {
    // The calendar readers plug in here.
    if (error) *error = kFormatNotReadyMessage;
    return std::nullopt;
  }
  platform::ReadResult read = fs.Read(path);
  if (read.status == platform::ReadResult::Status::Error) throw store::FileError(store::ReadErrorMessage(path, read.error));
  source.records = ReadCsv(read.bytes);
  if (source.records.empty()) {
    if (error) *error = kNoDataMessage;
    return std::nullopt;
  }
  source.header_likely = LooksLikeHeader(source.records.front());
  source.assignment = EmptyAssignment(target);
  return source;
}

}  // namespace kal::import
