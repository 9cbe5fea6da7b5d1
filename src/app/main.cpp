// Process entry of the Kalendor window.
#include <QFont>
#include <QFontDatabase>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/QtApplication.h"
#include "app/TFrmMain.h"
#include "platform/Display.h"
#include "platform/FileSystem.h"
#include "platform/QtDesktop.h"
#include "platform/QtDialogs.h"
#include "platform/QtShell.h"
#include "platform/SystemInfo.h"

namespace {

// ---- command line ----------------------------------------------------------------------------

struct CommandLine {
  bool allow_second = false;   // "/2": no single-instance guard
  bool per_user = false;       // "/U": the program folder is the per-user data folder
  std::string program_folder;  // --program-folder DIR
  std::string error;
};

// "/2" and "/U" count as the first or second parameter only; "--program-folder DIR" anywhere.
CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cl;
  for (size_t i = 0; i < args.size() && i < 2; ++i) {
    if (args[i] == "/2") cl.allow_second = true;
    if (args[i] == "/U") cl.per_user = true;
  }
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--program-folder") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        cl.error = "--program-folder needs a folder";
        return cl;
      }
      cl.program_folder = args[++i];
    }
  }
  return cl;
}

// ---- program folder ----------------------------------------------------------------------------

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The folder that holds Kalendor.ini: --program-folder, else with "/U" the per-user data folder's
// "Kalendor" subfolder (made when missing), else the executable's folder.
std::string ProgramFolder(const CommandLine& cl, kal::platform::FileSystem& files) {
  if (!cl.program_folder.empty()) {
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(cl.program_folder, ec);
    const std::string folder = WithSeparator(ec ? cl.program_folder : absolute.string());
    files.MakeDirs(folder);
    return folder;
  }
  if (cl.per_user) {
    const std::string base = kal::platform::PerUserDataFolder();
    if (!base.empty() && files.IsDirectory(base)) {
      const std::string folder = WithSeparator(kal::platform::JoinPath(base, "Kalendor"));
      if (files.MakeDirs(folder)) return folder;
    }
  }
  return kal::platform::ExecutableFolder();
}

// ---- font --------------------------------------------------------------------------------------

// The Japanese UI font when it is installed; otherwise the desktop's own.
void ChooseFont(QApplication& app) {
  const QString family = QStringLiteral("IPAexGothic");
  if (QFontDatabase::families().contains(family)) {
    QFont font = QApplication::font();
    font.setFamily(family);
    app.setFont(font);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine cl = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!cl.error.empty()) {
    std::cerr << "kalendor: " << cl.error << "\nusage: kalendor [/2] [/U] [--program-folder DIR]\n";
    return 2;
  }
  // Without a display Qt would abort while creating the application: say so instead.
  if (const std::string problem = kal::platform::DisplayProblem(); !problem.empty()) {
    std::cerr << "kalendor: " << problem << "\n"
              << "Kalendor needs a graphical desktop. Start it from a desktop session, or under a\n"
                 "virtual display such as:  xvfb-run -a kalendor /U\n";
    return 1;
  }

  kal::app::QtApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kalendor"));

  // Single-instance guard: a second start wakes the first one and ends at once.
  kal::platform::QtSingleInstance guard;
  if (!cl.allow_second && !guard.Acquire("Kalendor")) return 0;

  ChooseFont(app);
  QApplication::setWindowIcon(kal::platform::QtTray::DayIcon(0));

  kal::platform::PosixFileSystem files;
  kal::platform::QtDialogs dialogs;
  kal::platform::QtShell shell;
  app.on_error = [&dialogs](const std::string& what) { dialogs.Error(what, "Kalendor"); };

  const std::string program_folder = ProgramFolder(cl, files);

  kal::app::TFrmMain window({dialogs, shell, files}, {kal::app::kDefaultTitle, program_folder});
  dialogs.SetParentWidget(&window);
  guard.on_wake_up = [&window] { window.BringForward(); };
  window.show();
  return app.exec();
}
