#include "app/TFrmMainMeasure.h"

#include <QAction>
#include <QCoreApplication>

#include <string>

#include "app/QtStartupProbe.h"
#include "app/TFrmMain.h"
#include "mainwindow/TFrmMainLayout.h"
#include "mainwindow/ViewModes.h"

namespace kal::app {

namespace {

// Every view mode by its menu item, painted one after the other. The line names the modes the
// window really switched to ("modes=12345678"), so that a run that skipped one shows it.
void CycleViews(TFrmMain& window) {
  std::string shown;
  for (int mode = 1; mode <= 8; ++mode) {
    if (QAction* item = window.Action(QString::fromUtf8(mainwindow::ViewModeOf(mode).menu_name))) item->trigger();
    window.repaint();
    QCoreApplication::processEvents();
    if (window.Layout() != nullptr && window.Layout()->Mode() == mode) shown += static_cast<char>('0' + mode);
  }
  PrintProbeLine("all-views modes=" + shown);
}

}  // namespace

void AttachMeasuringSwitches(TFrmMain& window, bool cycle_views) {
  QWidget* grid = window.findChild<QWidget*>(QStringLiteral("GrdSch"));
  new FirstPaintProbe(grid != nullptr ? grid : &window, [&window, cycle_views] {
    if (cycle_views) CycleViews(window);
  });
}

}  // namespace kal::app
