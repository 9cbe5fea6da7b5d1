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
  const ViewArgs v =
      ParseViewArgs(context, args, "print takes yyyymm --view N [--count N] --output FILE.pdf", "--output");
  const int mode = v.mode;
  const store::Settings& settings = v.settings;
  if (!printing::PrintableMode(mode)) throw CliError{printing::kPrintViewMessage};
  const printing::PdfOutputFactory factory = printing::GetPdfOutputFactory();
  if (factory == nullptr) throw CliError{"このkalendor-cliはPDFを書けません（Qtなしで作られています）。"};

  const std::string font = printing::MainFontName(settings, app::kDefaultFontName);
  const printing::PrintSettings print =
      printing::ReadPrintSettingsFile(context.files, SessionOf(context).program_folder, font);
  const store::Date selected = store::MakeDate(v.year, v.month, 1);
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
  if (!pdf->Write(v.output, {std::move(page.page)}, settings.window.title, &error)) throw CliError{error};
  return 0;
}

}  // namespace kal::cli
