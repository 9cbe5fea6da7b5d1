#include "import/ImportSource.h"

#include "import/CsvReader.h"
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
                                             std::string* error) {
  ImportSource source;
  source.path = path;
  source.format = FormatOfFile(path);
  const std::string name = path.substr(path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\") + 1);
  if (target == ImportTarget::Schedule && name.size() > 4 && name.compare(name.size() - 4, 4, ".sch") == 0 &&
      (name.size() < 6 || !store::ParseDateText(name.substr(0, 4) + "/" + name.substr(4, 2) + "/01"))) {
    if (error) *error = kMonthFileNameMessage;
    return std::nullopt;
  }
  if (source.format != SourceFormat::Csv) {
    // The calendar and data-file readers plug in here.
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
