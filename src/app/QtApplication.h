// The application object: catches an exception that escapes a command once, at the top of the
// event handling, reports it and lets the program go on.
#pragma once

#include <QApplication>

#include <functional>
#include <string>

namespace kal::app {

class QtApplication : public QApplication {
  Q_OBJECT

 public:
  QtApplication(int& argc, char** argv);

  // Shows the failure to the user (the start-up code connects the message-box port).
  std::function<void(const std::string& what)> on_error;

  bool notify(QObject* receiver, QEvent* event) override;

  // Runs `deliver`; an exception escaping it is handed to `report` (or written to stderr when
  // there is none) and counts as an event not handled.
  static bool RunGuarded(const std::function<bool()>& deliver,
                         const std::function<void(const std::string& what)>& report);
};

}  // namespace kal::app
