#include "app/QtApplication.h"

#include <exception>
#include <iostream>

namespace kal::app {

QtApplication::QtApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QtApplication::notify(QObject* receiver, QEvent* event) {
  return RunGuarded([&] { return QApplication::notify(receiver, event); }, on_error);
}

bool QtApplication::RunGuarded(const std::function<bool()>& deliver,
                               const std::function<void(const std::string& what)>& report) {
  std::string what;
  try {
    return deliver();
  } catch (const std::exception& e) {
    what = e.what();
  } catch (...) {
    what = "unknown error";
  }
  if (report) {
    report(what);
  } else {
    std::cerr << "kalendor: " << what << '\n';
  }
  return false;
}

}  // namespace kal::app
