#include "mainwindow/QtGridKeys.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace kal::mainwindow {

QtGridKeys::QtGridKeys(GridKeyHost host, QObject* parent) : QObject(parent), host_(std::move(host)) {}

void QtGridKeys::Watch(QObject* widget) { widget->installEventFilter(this); }

bool QtGridKeys::Key(int qt_key, Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
  if (qt_key == Qt::Key_D && mods == Qt::ControlModifier) {
    if (host_.remove) host_.remove();
    return true;
  }
  if (mods != Qt::NoModifier) return false;  // Shift extends a range; the grid keeps those
  NavKey key;
  switch (qt_key) {
    case Qt::Key_Left: key = NavKey::Left; break;
    case Qt::Key_Right: key = NavKey::Right; break;
    case Qt::Key_Up: key = NavKey::Up; break;
    case Qt::Key_Down: key = NavKey::Down; break;
    case Qt::Key_PageUp: key = NavKey::PageUp; break;
    case Qt::Key_PageDown: key = NavKey::PageDown; break;
    case Qt::Key_Home:
      if (host_.today) host_.today();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (host_.activate) host_.activate();
      return true;
    default: return false;
  }
  const KeyResult result =
      KeyMove(host_.context(), host_.state(), key, host_.in_header ? host_.in_header() : true,
              host_.first_timeline_row ? host_.first_timeline_row() : false);
  if (result.moved) host_.apply(result.state);
  if (result.focus != NavFocus::Keep && host_.focus) host_.focus(result.focus);
  return true;
}

bool QtGridKeys::Wheel(bool down) {
  if (auto next = WheelMove(host_.context(), host_.state(), down)) {
    host_.apply(*next);
    return true;
  }
  return false;
}

bool QtGridKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    return Key(key->key(), key->modifiers());
  }
  if (event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int dy = wheel->angleDelta().y();
    if (dy != 0) Wheel(dy < 0);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kal::mainwindow
