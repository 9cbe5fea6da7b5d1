// The yardstick of the start-up benchmark: an empty QMainWindow of the window's size, which
// prints the same figures as kalendor --quit-after-first-paint after its first paint and ends.
#include <QApplication>
#include <QMainWindow>

#include "app/QtStartupProbe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(1180, 860);
  new kal::app::FirstPaintProbe(&window, nullptr);
  window.show();
  return app.exec();
}
