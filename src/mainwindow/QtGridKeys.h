// The keys and the mouse wheel of the main grid: an event filter installed on the grid widget
// (and the timeline) that turns cursor keys, PageUp/PageDown, Home, Enter, Ctrl+D and the wheel
// into the navigation moves of the current view.
#pragma once

#include <QObject>

#include <functional>

#include "mainwindow/Navigation.h"

namespace kal::mainwindow {

struct GridKeyHost {
  std::function<NavContext()> context;           // the current view's shape
  std::function<NavState()> state;               // the displayed and selected dates
  std::function<void(const NavState&)> apply;    // shows the new dates (reload and redraw)
  std::function<void()> today;                   // "今月(&H)"
  std::function<void()> activate;                // Enter: as a double click on the cell
  std::function<void()> remove;                  // Ctrl+D: delete the selected item
  std::function<void(NavFocus)> focus;           // timeline views: header or timeline
  std::function<bool()> in_header;               // timeline views: the header has the focus
  std::function<bool()> first_timeline_row;      // timeline views: the current row is the first
};

class QtGridKeys : public QObject {
  Q_OBJECT

 public:
  explicit QtGridKeys(GridKeyHost host, QObject* parent = nullptr);

  // Watches `widget`'s key presses and wheel turns.
  void Watch(QObject* widget);

  // The same moves without events (the side calendars pass their keys here too).
  bool Key(int qt_key, Qt::KeyboardModifiers modifiers);
  bool Wheel(bool down);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  GridKeyHost host_;
};

}  // namespace kal::mainwindow
