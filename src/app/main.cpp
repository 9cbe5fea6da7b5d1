// Process entry of the Kalendor window.
#include <QFont>
#include <QFontDatabase>
#include <QSystemTrayIcon>
#include <QTimer>

#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/QtApplication.h"
#include "app/Startup.h"
#include "app/TFrmMain.h"
#include "app/TFrmMainMeasure.h"
#include "maintenance/TDlgPasswd.h"
#include "platform/Display.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/QtDesktop.h"
#include "platform/QtDialogs.h"
#include "platform/QtShell.h"
#include "platform/SystemInfo.h"
#include "store/TextFile.h"

namespace {

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
  const std::vector<std::string> args(argv + 1, argv + argc);
  const kal::app::CommandLine cl = kal::app::ParseCommandLine(args);
  // Without a display Qt would abort while creating the application: say so instead.
  if (const std::string problem = kal::platform::DisplayProblem(); !problem.empty()) {
    std::cerr << "kalendor: " << problem << "\n"
              << "Kalendor needs a graphical desktop. Start it from a desktop session, or under a\n"
                 "virtual display such as:  xvfb-run -a kalendor /U\n";
    return 1;
  }

  kal::app::QtApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kalendor"));

  // Single-instance guard: a second start wakes the first one and ends at once. "--activate"
  // (a desktop shortcut's hot key) always goes through the guard; with no window running it
  // starts the program.
  kal::platform::QtSingleInstance guard;
  if ((cl.activate || !cl.allow_second_instance) && !guard.Acquire("Kalendor")) return 0;

  ChooseFont(app);
  QApplication::setWindowIcon(kal::platform::QtTray::DayIcon(0));

  kal::platform::PosixFileSystem files;
  kal::platform::QtDialogs dialogs;
  kal::platform::QtShell shell;
  app.on_error = [&dialogs](const std::string& what) { dialogs.Error(what, "Kalendor"); };

  kal::platform::SystemClock clock;

  kal::app::Session session;
  try {
    session = kal::app::StartSession(cl, kal::platform::ExecutableFolder(), kal::platform::PerUserDataFolder(),
                                     QApplication::font().family().toStdString(), {files, dialogs, clock});
  } catch (const kal::store::FileError& e) {
    // An unreadable settings file is never replaced by defaults: the program does not start.
    dialogs.Error(e.what(), kal::store::kFileErrorCaption);
    return 1;
  }

  // The start-up lock: Cancel, or the third wrong password, ends the program at once.
  if (session.settings.view.passwd && kal::maintenance::PasswordSet(files, session.program_folder)) {
    kal::maintenance::TDlgPasswd lock(files, dialogs, session.program_folder, kal::maintenance::kStartupLabel);
    if (lock.exec() != QDialog::Accepted) return 0;
  }

  kal::app::TFrmMain window({dialogs, shell, files, clock}, std::move(session));
  dialogs.SetParentWidget(&window);
  guard.on_wake_up = [&window] { window.FormActive(); };
  window.TraySetup(QSystemTrayIcon::isSystemTrayAvailable());
  if (cl.quit_after_first_paint || cl.cycle_views_then_quit)
    kal::app::AttachMeasuringSwitches(window, cl.cycle_views_then_quit);
  window.show();
  // Mini mode at start (SmallMode), once the first show has placed the normal window.
  if (window.session().settings.window.small_mode) {
    QTimer::singleShot(0, &window, [&window] {
      if (!window.MiniModeOn()) window.SmallSize();
    });
  }
  return app.exec();
}
