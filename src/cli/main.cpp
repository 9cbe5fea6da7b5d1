#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#ifdef KALENDOR_CLI_PDF
#include "printing/QtPagePainter.h"
#endif
#ifdef KALENDOR_CLI_CALDAV
#include "sync/QtCalDavServer.h"
#endif

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
#ifdef KALENDOR_CLI_PDF
  kal::printing::SetPdfOutputFactory(kal::printing::MakeQtPdfOutput);
#endif
#ifdef KALENDOR_CLI_CALDAV
  kal::sync::SetCalDavServerFactory(kal::sync::MakeQtCalDavServer);
#endif
  return kal::cli::RunCli(args, std::cout, std::cerr);
}
