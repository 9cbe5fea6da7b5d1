// kalendor-cli: print, the page of a view as a PDF file through the page renderer and the
// painter backend of the window.
#include <ostream>

#include "catalogues/Category.h"
#include "cli/CliCommands.h"
#include "model/MonthModel.h"
#include "printing/PageLayout.h"
#include "printing/PdfOutput.h"
#include "printing/PrintSettings.h"

namespace kal::cli {

int RunPrint(CliContext& context, const std::vector<std::string>& args) {
  const char* usage = "print takes yyyymm --view N [--count N] --output FILE.pdf";
  int year = 0, month = 0, mode = 0, count = 0;
  bool has_count = false;
  std::string output;
  if (args.empty() || !ParseMonthStem(args[0], year, month)) throw UsageError{usage};
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (i + 1 >= args.size()) throw UsageError{usage};
    if (args[i] == "--view") {
      if (!ParseCount(args[++i], mode) || mode < 1 || mode > store::kViewModeCount) throw UsageError{usage};
    } else if (args[i] == "--count") {
      if (!ParseCount(args[++i], count)) throw UsageError{usage};
      has_count = true;
    } else if (args[i] == "--output") {
      output = args[++i];
    } else {
      throw UsageError{usage};
    }
  }
  if (mode == 0 || output.empty()) throw UsageError{usage};
  store::Settings settings = SessionOf(context).settings;
  if (has_count && !SetViewCount(settings, mode, count)) throw UsageError{"--count is out of the range of view " + std::to_string(mode)};
  if (!printing::PrintableMode(mode)) throw CliError{printing::kPrintViewMessage};
  const printing::PdfOutputFactory factory = printing::GetPdfOutputFactory();
  if (factory == nullptr) throw CliError{"このkalendor-cliはPDFを書けません（Qtなしで作られています）。"};

  const std::string font = printing::MainFontName(settings, app::kDefaultFontName);
  const printing::PrintSettings print =
      printing::ReadPrintSettingsFile(context.files, SessionOf(context).program_folder, font);
  const store::Date selected = store::MakeDate(year, month, 1);
  store::MonthModel model;
  const store::RebuildResult rebuilt =
      store::SchUpdate(model, context.files, ViewModelRequest(context, settings, mode, selected));
  for (const auto& d : rebuilt.damaged) *context.err << d.message << '\n';
  const catalogues::CategoryTable categories = catalogues::LoadCategoryTable(context.files, CategoryFolder(context));

  std::unique_ptr<printing::PdfOutput> pdf = factory();
  const printing::PageSource source{&settings, &model, &categories, mode, selected, context.clock.Now().date, font};
  printing::PageRequest request = printing::PageRequestFor(source, print);
  request.dpi = pdf->Dpi();
  printing::PageResult page = printing::BuildPage(request, pdf->Measure());
  if (!page.ok) throw CliError{page.message};
  std::string error;
  if (!pdf->Write(output, {std::move(page.page)}, settings.window.title, &error)) throw CliError{error};
  return 0;
}

}  // namespace kal::cli
