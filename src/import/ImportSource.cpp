#include "import/ImportSource.h"

#include "import/CsvReader.h"
#include "store/TextFile.h"

namespace kal::import {

std::optional<ImportSource> OpenImportSource(platform::FileSystem& fs, ImportTarget target, const std::string& path,
                                             std::string* error) {
  ImportSource source;
  source.path = path;
  source.format = FormatOfFile(path);
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
