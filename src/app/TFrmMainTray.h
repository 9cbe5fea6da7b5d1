// The main window's task tray, mini mode, hot key and status-bar marks: the state they keep
// (the functions are members of TFrmMain, in TFrmMainTray.cpp).
#pragma once

#include <QPointer>
#include <QString>
#include <Qt>

#include <functional>
#include <memory>

#include "mainwindow/MiniMode.h"
#include "mainwindow/TrayRules.h"
#include "platform/Desktop.h"
#include "platform/QtDesktop.h"
#include "store/DateText.h"

class QLabel;
class QMenu;
class QTimer;
class QWidget;

namespace kal::app {

struct TFrmMainTrayParts {
  std::unique_ptr<platform::QtTray> tray;  // nothing without a notification area
  bool tray_available = false;
  QMenu* menu = nullptr;                   // `PopTrayMain`
  mainwindow::TrayLock lock;
  mainwindow::MiniMode mini;
  bool password_open = false;              // a password dialog is open: tray clicks are ignored
  bool exiting = false;                    // "終了(&X)": the close goes through even with CloseTray
  bool minimised_title = false;            // the title shows the date while minimised
  bool task_bar_off = false;               // the task-bar button was last asked away (TaskBar)
  store::Date icon_date{};                 // the day the tray picture shows
  int icon_colour = -1;                    // its colour (kept for the icon re-added)
  QTimer* day_timer = nullptr;             // redraws the tray at the change of date
  QLabel* alarm_mark = nullptr;            // status bar panel 1
  QLabel* signal_mark = nullptr;
  std::unique_ptr<platform::HotKey> hot_key;
  int hot_key_value = 0;                   // the key held now; 0 when none is registered
  mainwindow::HotKeyReports hot_key_reports;
  // Makes the hot key of the desktop (the X11 one unless a test sets another).
  std::function<std::unique_ptr<platform::HotKey>()> make_hot_key;
  // Mini mode: what was shown before it, to bring it back.
  int saved_mode = 4;
  bool menu_was_visible = true, status_was_visible = true, tool_was_visible = true;
  QList<QPointer<QWidget>> hidden_regions;
  // The tray password (Passwd2): true when the window may come out. Empty: the password entry
  // of the maintenance dialogs (a test may set another).
  std::function<bool()> ask_password;
};

}  // namespace kal::app
