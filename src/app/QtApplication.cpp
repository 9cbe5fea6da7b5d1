#include "app/QtApplication.h"

#include <exception>
#include <iostream>

namespace kal::app {

QtApplication::QtApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QtApplication::notify(QObject* receiver, QEvent* event) {
  std::string what;
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    what = e.what();
  } catch (...) {
    what = "unknown error";
  }
  if (on_error) {
    on_error(what);
  } else {
    std::cerr << "kalendor: " << what << '\n';
  }
  return false;
}

}  // namespace kal::app
