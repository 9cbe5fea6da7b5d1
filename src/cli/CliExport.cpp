#include <ostream>

#include "cli/CliCommands.h"
#include "cli/CliListForm.h"
#include "listing/ExportFile.h"
#include "store/TextFile.h"

namespace kal::cli {

int RunExport(CliContext& context, const std::vector<std::string>& args) {
  using listing::ExportFormat;
  if (args.size() < 3)
    throw UsageError{"export takes csv|vcs|ics KIND VIEW|search [--date yyyy/mm/dd] [SEARCH] --output FILE"};
  const ExportFormat format = args[0] == "csv"   ? ExportFormat::Csv
                              : args[0] == "vcs" ? ExportFormat::VCalendar
                              : args[0] == "ics" ? ExportFormat::ICalendar
                                                 : throw UsageError{"export takes csv, vcs or ics"};
  // Everything but the format and --output is the list's own arguments.
  std::vector<std::string> list_args;
  std::string output;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] != "--output") {
      list_args.push_back(args[i]);
      continue;
    }
    if (i + 1 >= args.size()) throw UsageError{"--output needs a value"};
    output = args[++i];
  }
  if (output.empty()) throw UsageError{"export needs --output FILE"};
  const listing::ListForm form = ListFormFromArgs(context, list_args);
  if (!listing::ExportOffered(form.kind(), format)) throw UsageError{"this kind cannot be exported in this format"};

  const app::Session& session = SessionOf(context);
  const listing::ExportSources sources = listing::ExportSourcesOf(context.files, session, context.clock.Now());
  try {
    const listing::ExportOutput out = listing::BuildExport(format, form.kind(), form.rows(), sources);
    std::string error;
    if (!context.files.WriteAtomic(output, out.bytes, &error))
      throw CliError{store::WriteErrorMessage(output, error)};
    *context.out << out.records << '\n';
  } catch (const listing::ExportError& e) {
    throw CliError{e.what()};
  }
  return 0;
}

}  // namespace kal::cli
