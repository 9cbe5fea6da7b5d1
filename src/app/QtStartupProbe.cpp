#include "app/QtStartupProbe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#include "platform/ProcessStats.h"

namespace kal::app {

FirstPaintProbe::FirstPaintProbe(QWidget* target, std::function<void()> then)
    : QObject(target), then_(std::move(then)) {
  target->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && !seen_) {
    seen_ = true;
    // The paint event is delivered before the backing store goes to the screen; a zero timer
    // runs once that flush is over.
    QTimer::singleShot(0, this, [this] {
      PrintProbeLine("first-paint");
      if (then_) then_();
      std::fflush(stdout);
      std::_Exit(0);
    });
  }
  return QObject::eventFilter(watched, event);
}

void PrintProbeLine(const std::string& what) {
  std::printf("%s\n", platform::ProbeLine(what).c_str());
  std::fflush(stdout);
}

}  // namespace kal::app
