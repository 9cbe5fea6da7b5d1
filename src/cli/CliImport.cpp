// kalendor-cli: import, a file read through the import dialog's conversion.
#include <ostream>

#include "cli/CliCommands.h"
#include "import/CsvReader.h"
#include "import/DataFileReader.h"
#include "import/ImportEngine.h"
#include "import/ImportSource.h"

namespace kal::cli {
namespace {

import::ImportTarget TargetValue(const std::string& text) {
  if (text == "schedule") return import::ImportTarget::Schedule;
  if (text == "holiday") return import::ImportTarget::Holiday;
  if (text == "todo") return import::ImportTarget::Todo;
  if (text == "weather") return import::ImportTarget::Weather;
  throw UsageError{"--kind takes schedule, holiday, todo or weather"};
}

// "N=FIELD,..." with 1-based column numbers and the dialog's field names.
import::Assignment MapValue(import::ImportTarget target, const std::string& text) {
  import::Assignment assignment = import::EmptyAssignment(target);
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const auto comma = text.find(',', pos);
    const std::string item = text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
    const auto eq = item.find('=');
    const std::string number = item.substr(0, eq == std::string::npos ? 0 : eq);
    if (eq == std::string::npos || number.empty() || number.size() > 6 ||
        number.find_first_not_of("0123456789") != std::string::npos || std::stoi(number) < 1)
      throw UsageError{"--map takes N=FIELD,... (N from 1)"};
    const int field = import::FindTargetField(target, item.substr(eq + 1));
    if (field < 0) throw UsageError{"--map: no field " + item.substr(eq + 1)};
    assignment[static_cast<std::size_t>(field)] = std::stoi(number) - 1;
    if (comma == std::string::npos) break;
    pos = comma + 1;
  }
  return assignment;
}

}  // namespace

int RunImport(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() < 2) throw UsageError{"import needs a format and a file"};
  const std::string& format = args[0];
  if (format != "csv" && format != "ics" && format != "vcs" && format != "data")
    throw UsageError{"import takes csv, ics, vcs or data"};
  std::optional<import::ImportTarget> kind;
  std::optional<std::string> map;
  bool skip_duplicates = false, dry_run = false;
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
      return args[++i];
    };
    if (a == "--kind") kind = TargetValue(value());
    else if (a == "--map") map = value();
    else if (a == "--skip-duplicates") skip_duplicates = true;
    else if (a == "--dry-run") dry_run = true;
    else throw UsageError{"unknown option " + a};
  }
  const bool data = format == "data";
  if (format != "csv" && map) throw UsageError{"--map is for csv only"};
  // The file's extension must agree with the format asked for.
  const import::SourceFormat file_format = import::FormatOfFile(args[1]);
  if (file_format != (data                ? import::SourceFormat::Data
                      : format == "ics"   ? import::SourceFormat::Ics
                      : format == "vcs"   ? import::SourceFormat::Vcs
                                          : import::SourceFormat::Csv))
    throw CliError{import::kFormatNotReadyMessage};

  // A data file names its target unless --kind does.
  const import::ImportTarget target =
      kind.value_or(data ? import::DataFileTarget(args[1]) : import::ImportTarget::Schedule);
  const app::Folders& folders = SessionOf(context).folders;
  std::string error;
  auto source = import::OpenImportSource(context.files, target, args[1], &error, folders.data, folders.todo);
  if (!source) throw CliError{error};
  for (const auto& problem : source->problems) *context.err << problem << '\n';
  import::ImportRequest request;
  request.target = target;
  request.format = source->format;
  request.options.first_is_header = source->header_likely && !data;
  request.data_month = source->data_month;
  request.old_todo_format = source->old_todo_format;
  request.options.skip_duplicates = skip_duplicates;
  request.assignment = map ? MapValue(target, *map)
                           : source->header_likely && !data
                               ? import::AssignmentFromHeader(target, source->records.front())
                               : source->assignment;
  request.records = std::move(source->records);
  const std::string source_memo_path = source->memo_source_path;
  request.folders = {folders.data, folders.todo, folders.category};
  request.today = context.clock.Now().date;

  const auto result =
      import::RunImport(context.files, request, dry_run ? import::ImportMode::Check : import::ImportMode::Execute);
  std::ostream& out = *context.out;
  for (std::size_t i = 0; i < result.records.size(); ++i) {
    const auto& r = result.records[i];
    if (r.status == import::RecordStatus::Header) continue;
    PrintRow(out, {std::string(1, import::StatusCode(r.status)), r.date, r.title, r.message});
  }
  if (result.memo_source_missing)
    *context.err << import::MemoSourceMissingText(target, source_memo_path) << '\n';
  if (result.assignment_error) throw CliError{*result.assignment_error};
  PrintRow(out, {"count", std::to_string(result.imported), std::to_string(result.duplicates),
                 std::to_string(result.refused)});
  return 0;
}

}  // namespace kal::cli
