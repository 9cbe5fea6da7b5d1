#include <ostream>

#include "cli/CliCommands.h"
#include "listing/ExportFile.h"
#include "listing/ExportRowSource.h"
#include "store/TextFile.h"

namespace kal::cli {

int RunExport(CliContext& context, const std::vector<std::string>& args) {
  using listing::ExportFormat;
  using listing::ListKind;
  if (args.size() < 3) throw UsageError{"export takes csv|vcs|ics KIND VIEW [--date yyyy/mm/dd] --output FILE"};
  const ExportFormat format = args[0] == "csv"   ? ExportFormat::Csv
                              : args[0] == "vcs" ? ExportFormat::VCalendar
                              : args[0] == "ics" ? ExportFormat::ICalendar
                                                 : throw UsageError{"export takes csv, vcs or ics"};
  const std::string& k = args[1];
  const ListKind kind = k == "schedule" ? ListKind::Schedule
                        : k == "holiday" ? ListKind::Holiday
                        : k == "memo"    ? ListKind::Memo
                        : k == "todo"    ? ListKind::Todo
                        : k == "weather" ? ListKind::Weather
                        : k == "addon"   ? ListKind::Addon
                                         : throw UsageError{"unknown kind " + k};
  if (args[2] != "1" && args[2] != "2" && args[2] != "3" && args[2] != "4")
    throw UsageError{"export of the search view is not available yet; VIEW takes 1 to 4"};
  const int view = args[2][0] - '0';
  store::Date date = context.clock.Now().date;
  std::string output;
  for (std::size_t i = 3; i < args.size(); ++i) {
    if (i + 1 >= args.size()) throw UsageError{args[i] + " needs a value"};
    if (args[i] == "--date") {
      auto d = store::ParseDateText(args[++i]);
      if (!d) throw UsageError{"--date takes yyyy/mm/dd"};
      date = *d;
    } else if (args[i] == "--output") {
      output = args[++i];
    } else {
      throw UsageError{"unknown option " + args[i]};
    }
  }
  if (output.empty()) throw UsageError{"export needs --output FILE"};
  if (!listing::ExportOffered(kind, format)) throw UsageError{"this kind cannot be exported in this format"};

  const app::Session& session = SessionOf(context);
  const listing::ExportSources sources = listing::ExportSourcesOf(context.files, session, context.clock.Now());

  std::vector<listing::ListRow> rows;
  if (kind == ListKind::Schedule)
    rows = listing::ScheduleViewRows(context.files, session.folders.data, view, date);
  else if (kind == ListKind::Holiday)
    rows = listing::HolidayViewRows(HolidaysOf(context), view, date);
  else if (kind == ListKind::Memo)
    rows = listing::MemoViewRows(context.files, session.folders.memo, view, date);
  else
    throw CliError{"ToDo と天気情報のエクスポートはまだ使えません。"};

  try {
    const listing::ExportOutput out = listing::BuildExport(format, kind, rows, sources);
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
