// Small pieces the memo box, the notes and the memo dialog share: colours stored as
// blue-green-red integers, a font from a settings font item list, and tabs above or below a body.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QTabBar>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace kal::mainwindow {

inline QColor BgrColour(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// `base` with the name and size of a font item list (name, size, style); missing items keep it.
inline QFont PanelFont(QFont base, const std::vector<std::string>& items) {
  if (!items.empty() && !items[0].empty()) base.setFamily(QString::fromStdString(items[0]));
  if (items.size() > 1) {
    bool ok = false;
    const int size = QString::fromStdString(items[1]).toInt(&ok);
    if (ok && size > 0) base.setPointSize(size);
  }
  return base;
}

// Puts the tab bar above the body, or below it with the tabs drawn upside down (ListTab).
inline void PlaceTabs(QWidget* owner, QTabBar* tabs, QWidget* body, bool bottom) {
  auto* layout = qobject_cast<QVBoxLayout*>(owner->layout());
  if (!layout) {
    layout = new QVBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
  }
  layout->removeWidget(tabs);
  layout->removeWidget(body);
  tabs->setShape(bottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
  layout->addWidget(bottom ? body : tabs);
  layout->addWidget(bottom ? tabs : body);
}

}  // namespace kal::mainwindow
