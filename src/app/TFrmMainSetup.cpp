// The main window's settings command: the settings dialog, the initial settings of a first run,
// and taking the settings over after OK.
#include <QAction>
#include <QApplication>
#include <QTimer>

#include "app/TFrmMain.h"
#include "app/TFrmMainTray.h"
#include "catalogues/TDlgSetup.h"
#include "mainwindow/MemoBox.h"
#include "mainwindow/QtMemoPanel.h"
#include "mainwindow/QtNotePanel.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Shell.h"
#include "reminders/QtReminders.h"
#include "store/TextFile.h"
#include "todo/QtTodoPanel.h"

namespace kal::app {

namespace {

std::string MainFontName() { return QApplication::font().family().toStdString(); }

}  // namespace

bool TFrmMain::ShowDlgSetup(bool first_run) {
  catalogues::SetupOpenContext context;
  context.program_folder = session_.program_folder;
  context.settings_file = session_.settings_file;
  context.defaults = store::SettingsDefaults{session_.program_folder, MainFontName(), 9};
  // The normal window's place, also while maximised or minimised.
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : frameGeometry();
  context.window_top = normal.top();
  context.window_left = normal.left();
  context.first_run = first_run;
  context.tool_buttons = mainwindow::ToolButtonCaptions();
  context.show_balloon = [this](const std::string& title, const std::string& text) {
    if (tray_->tray) tray_->tray->Balloon(title, text, 10);
  };
  try {
    catalogues::TDlgSetup dialog({ports_.dialogs, ports_.files, ports_.clock, sound_.get()}, std::move(context),
                                 first_run ? nullptr : this);
    if (dialog.exec() != QDialog::Accepted) return false;
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    return false;
  }
  SettingsApplied();
  return true;
}

void TFrmMain::EnableInitialSettings() {
  on_first_show = [this] {
    if (session_.first_run) FirstRunSetup();
  };
}

bool TFrmMain::FirstRunSetup() {
  if (ShowDlgSetup(true)) {
    session_.first_run = false;
    return true;
  }
  // Ver stays unwritten, so the next start opens the initial settings again.
  QTimer::singleShot(0, this, [this] { MenExitClick(); });
  return false;
}

void TFrmMain::SettingsApplied() {
  ReloadSession(session_, MainFontName(), {ports_.files, ports_.dialogs, ports_.clock});
  const std::string& title = session_.settings.window.title;
  title_ = QString::fromStdString(title.empty() ? std::string(kDefaultTitle) : title);
  setWindowTitle(title_);
  const Folders& f = session_.folders;
  layout_->SetFolders(f.data, f.memo, f.category, f.table);
  memo_box_->SetFolders(f.memo, f.data);
  memo_panel_->ApplySettings();
  note_panel_->ApplySettings();
  note_panel_->Open(f.note);
  CategoryLoad();
  TodoAttach();
  reminders_->Load(session_.settings, {session_.program_folder, f.data, f.table});
  IconTraySet();
  TrayHotKeySet();
  StatusMarksUpdate();
  layout_->RefreshClick();
}

}  // namespace kal::app
