#include "import/ImportSource.h"

#include "import/CalendarImport.h"
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
  if (source.format != SourceFormat::Csv && target != ImportTarget::Schedule) {
    if (error) *error = kFormatNotReadyMessage;
    return std::nullopt;
  }
  platform::ReadResult read = fs.Read(path);
  if (read.status == platform::ReadResult::Status::Error) throw store::FileError(store::ReadErrorMessage(path, read.error));
  if (source.format == SourceFormat::Csv) {
    source.records = ReadCsv(read.bytes);
  } else {
    // Calendar events arrive as the eight schedule fields; the assignment is fixed.
    const CalendarReadResult calendar =
        source.format == SourceFormat::Ics ? ReadICalendar(read.bytes) : ReadVCalendar(read.bytes);
    if (!calendar.parsed && !read.bytes.empty()) {
      if (error) *error = kNotCalendarProblem;
      return std::nullopt;
    }
    for (const auto& event : calendar.events) {
      SourceRecord record;
      record.number = static_cast<int>(source.records.size()) + 1;
      record.fields = {event.start_date, event.start_time, event.end_date,   event.end_time,
                       event.summary,    event.location,   event.categories, event.description};
      if (event.status == CalendarEvent::Status::Refused) record.reader_error = event.message;
      source.records.push_back(std::move(record));
    }
    source.problems = calendar.problems;
    source.assignment = IdentityAssignment(target);
    source.assignment_fixed = true;
    if (source.records.empty()) {
      if (error) *error = kNoDataMessage;
      return std::nullopt;
    }
    return source;
  }
  if (source.records.empty()) {
    if (error) *error = kNoDataMessage;
    return std::nullopt;
  }
  source.header_likely = LooksLikeHeader(source.records.front());
  source.assignment = EmptyAssignment(target);
  return source;
}

}  // namespace kal::import
