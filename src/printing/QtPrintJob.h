// Printing on a printer (`PrintRun`): the printer takes the orientation and margins of
// Klprint.ini, the page is laid out on the printer's paper (its page layout in millimetres) at
// the printer's resolution and drawn by the painter backend. The print dialog and the preview
// both print through here.
#pragma once

#include <string>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "printing/PageLayout.h"
#include "printing/PrintSettings.h"

class QPrinter;

namespace kal::printing {

// What the print dialog and the preview work with.
struct PrintContext {
  platform::FileSystem* files = nullptr;
  platform::Dialogs* dialogs = nullptr;
  std::string program_folder;  // Klprint.ini lives here
  PageSource source;           // the main window's view
  std::string job_title;       // the application's title
};

// Klprint.ini of the context's program folder; the defaults, after a message, when it cannot be read.
PrintSettings ReadPrintSettings(const PrintContext& context);

// The printer turned and given the margins of the settings; it draws on the whole paper.
void ApplyPrintSettings(QPrinter& printer, const PrintSettings& print);

// The request for the printer's paper at resolution `dpi`.
PageRequest PrinterPageRequest(const QPrinter& printer, const PageSource& source, const PrintSettings& print, int dpi);

// One page on the printer. A page that cannot be laid out (margins larger than the paper) or a
// printer that cannot start is reported in a message box; returns whether the page was printed.
bool PrintRun(QPrinter& printer, const PrintContext& context, const PrintSettings& print);

}  // namespace kal::printing
