// The measuring hook behind the window's switches --quit-after-first-paint and
// --cycle-views-then-quit (and the bare window of the benchmarks): it waits for a widget's first
// paint, prints a line of figures to stdout, does what the caller asked for and ends the process
// at once (no exit-time work: nothing is saved, and the measuring stops with the figures).
#pragma once

#include <QObject>

#include <functional>
#include <string>

class QWidget;

namespace kal::app {

class FirstPaintProbe : public QObject {
 public:
  // Watches `target`; once its first paint has gone to the screen, prints
  // ProbeLine("first-paint"), runs `then` and ends the process with exit code 0.
  FirstPaintProbe(QWidget* target, std::function<void()> then);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> then_;
  bool seen_ = false;
};

// Prints platform::ProbeLine(what) on its own line of stdout, flushed at once.
void PrintProbeLine(const std::string& what);

}  // namespace kal::app
