// Where pages go when there is no window: a PDF file. The program that links the painter
// backend (QtPagePainter) supplies one; the command-line front asks for it through
// SetPdfOutputFactory, so that the core and the command table stay free of Qt.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "printing/PageLayout.h"

namespace kal::printing {

class PdfOutput {
 public:
  virtual ~PdfOutput() = default;
  // Text measured in the fonts the file will hold.
  virtual const TextMeasure& Measure() const = 0;
  // The resolution pages are laid out at.
  virtual int Dpi() const = 0;
  // Writes the pages, each on paper of its own size; false with the reason when it cannot.
  virtual bool Write(const std::string& path, const std::vector<Page>& pages, const std::string& title,
                     std::string* error) = 0;
};

using PdfOutputFactory = std::unique_ptr<PdfOutput> (*)();

// The factory of this program; nothing when it was built without the painter backend.
void SetPdfOutputFactory(PdfOutputFactory factory);
PdfOutputFactory GetPdfOutputFactory();

// A4 in millimetres, portrait.
inline constexpr double kA4Width = 210;
inline constexpr double kA4Height = 297;

}  // namespace kal::printing
