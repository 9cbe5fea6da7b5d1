#include "mainwindow/QtRunAndWait.h"

#include <QEventLoop>
#include <QTimer>

#include "platform/Shell.h"

namespace kal::mainwindow {

bool RunAndWait(platform::Processes& processes, const std::string& program, const std::string& argument) {
  const long handle = processes.Start(program, {argument});
  if (handle <= 0) return false;
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(100);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (!processes.Running(handle)) loop.quit();
  });
  if (!processes.Running(handle)) return true;
  poll.start();
  loop.exec();
  return true;
}

}  // namespace kal::mainwindow
