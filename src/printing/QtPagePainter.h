// The painter backend of the page renderer: draws a page's display list with QPainter (on the
// preview's paint area, the printer and QPdfWriter alike) and measures text with Qt's fonts.
// Built into its own small library (kalendor_page_painter, Qt GUI only), which the window and
// kalendor-cli both link.
#pragma once

#include <QFont>
#include <memory>

#include "printing/PageLayout.h"
#include "printing/PdfOutput.h"

class QPainter;

namespace kal::printing {

QFont PageQFont(const PageFont& font);

class QtTextMeasure : public TextMeasure {
 public:
  int Width(const PageFont& font, std::string_view utf8) const override;
  int LineHeight(const PageFont& font) const override;
};

// Draws the page with the painter's coordinates in dots of the page (origin at the paper's
// top-left corner).
void PaintPage(QPainter& painter, const Page& page);

// PDF files through QPdfWriter; creates a GUI application without a display when the program
// has none.
std::unique_ptr<PdfOutput> MakeQtPdfOutput();

}  // namespace kal::printing
