#include "printing/QtPrintJob.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include "printing/QtPagePainter.h"
#include "store/TextFile.h"

namespace kal::printing {

namespace {

// The hourglass while drawing, restored on every way out.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

PrintSettings ReadPrintSettings(const PrintContext& context) {
  try {
    return ReadPrintSettingsFile(*context.files, context.program_folder, context.source.main_font);
  } catch (const store::FileError& e) {
    context.dialogs->Error(e.what(), store::kFileErrorCaption);
    return DefaultPrintSettings(context.source.main_font);
  }
}

void ApplyPrintSettings(QPrinter& printer, const PrintSettings& print) {
  printer.setFullPage(true);
  printer.setPageOrientation(print.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
  // The margins are told to the printer where they fit; the page places them itself.
  printer.setPageMargins(QMarginsF(print.left, print.top, print.right, print.bottom), QPageLayout::Millimeter);
}

PageRequest PrinterPageRequest(const QPrinter& printer, const PageSource& source, const PrintSettings& print, int dpi) {
  PageRequest request = PageRequestFor(source, print);
  const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter);
  request.paper_width_mm = paper.width();
  request.paper_height_mm = paper.height();
  request.dpi = dpi;
  return request;
}

bool PrintRun(QPrinter& printer, const PrintContext& context, const PrintSettings& print) {
  WaitCursor wait;
  ApplyPrintSettings(printer, print);
  const QtTextMeasure measure;
  const PageResult page = BuildPage(PrinterPageRequest(printer, context.source, print, printer.resolution()), measure);
  if (!page.ok) {
    context.dialogs->Error(page.message, kPrintErrorCaption);
    return false;
  }
  printer.setDocName(QString::fromStdString(context.job_title));
  QPainter painter;
  if (!painter.begin(&printer)) {
    context.dialogs->Error("印刷を開始できませんでした。プリンタの設定を確かめてください。", kPrintErrorCaption);
    return false;
  }
  PaintPage(painter, page.page);
  return painter.end();
}

}  // namespace kal::printing
