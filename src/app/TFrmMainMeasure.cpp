#include "app/TFrmMainMeasure.h"

#include <QAction>
#include <QCoreApplication>

#include "app/QtStartupProbe.h"
#include "app/TFrmMain.h"
#include "mainwindow/ViewModes.h"

namespace kal::app {

namespace {

// Every view mode by its menu item, painted one after the other; then back to the first.
void CycleViews(TFrmMain& window) {
  for (int mode = 1; mode <= 8; ++mode) {
    if (QAction* item = window.Action(QString::fromUtf8(mainwindow::ViewModeOf(mode).menu_name))) item->trigger();
    window.repaint();
    QCoreApplication::processEvents();
  }
  PrintProbeLine("all-views");
}

}  // namespace

void AttachMeasuringSwitches(TFrmMain& window, bool cycle_views) {
  QWidget* grid = window.findChild<QWidget*>(QStringLiteral("GrdSch"));
  new FirstPaintProbe(grid != nullptr ? grid : &window, [&window, cycle_views] {
    if (cycle_views) CycleViews(window);
  });
}

}  // namespace kal::app
