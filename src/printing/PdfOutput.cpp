#include "printing/PdfOutput.h"

namespace kal::printing {

namespace {
PdfOutputFactory g_factory = nullptr;
}

void SetPdfOutputFactory(PdfOutputFactory factory) { g_factory = factory; }
PdfOutputFactory GetPdfOutputFactory() { return g_factory; }

}  // namespace kal::printing
