// The main window's print commands: the print settings dialog and the preview for the view shown.
#include <QPrinter>

#include "app/TFrmMain.h"
#include "mainwindow/GridDays.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "printing/PageLayout.h"
#include "printing/TDlgPreview.h"
#include "printing/TDlgPrint.h"

namespace kal::app {

namespace {

printing::PrintContext PrintContextOf(const Session& session, platform::FileSystem& files,
                                      platform::Dialogs& dialogs, const platform::Clock& clock,
                                      const mainwindow::MainLayout& layout, const mainwindow::GridModel& model,
                                      const catalogues::CategoryTable& categories, const QString& title) {
  printing::PrintContext context;
  context.files = &files;
  context.dialogs = &dialogs;
  context.program_folder = session.program_folder;
  context.source = printing::PageSource{&session.settings, &model.model(), &categories, layout.Mode(),
                                        layout.Nav().displayed, clock.Now().date,
                                        printing::MainFontName(session.settings, kDefaultFontName)};
  context.job_title = title.toStdString();
  return context;
}

}  // namespace

void TFrmMain::MenPrintClick() { OpenPrintWindow(false); }

void TFrmMain::MenPreviewClick() { OpenPrintWindow(true); }

// The print settings dialog or the preview for the view shown; views without day cells are refused.
void TFrmMain::OpenPrintWindow(bool preview) {
  if (!printing::PrintableMode(layout_->Mode())) {
    ports_.dialogs.Error(printing::kPrintViewMessage, printing::kPrintErrorCaption);
    return;
  }
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  const printing::PrintContext context =
      PrintContextOf(session_, ports_.files, ports_.dialogs, ports_.clock, *layout_, *model_, categories_, title_);
  if (preview) {
    printing::TDlgPreview(context, *printer_, false, this).exec();
  } else {
    printing::TDlgPrint(context, *printer_, false, this).exec();
  }
}

}  // namespace kal::app
