#include "catalogues/QtCategoryCell.h"

#include <QString>

namespace kal::catalogues {

QColor BgrColour(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void DrawCategoryCell(QPainter& painter, const QRect& rect, const CategoryEntry& entry, const QPixmap& icon,
                      int icon_left, bool selected, bool grey_text) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(rect, entry.back_colour ? BgrColour(*entry.back_colour) : QColor(Qt::white));
  painter.setPen(QPen(QColor(Qt::gray), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  if (!icon.isNull()) {
    const int top = rect.top() + (rect.height() - icon.height()) / 2;
    painter.drawPixmap(rect.left() + icon_left, top, icon);
  }
  QColor text = entry.text_colour ? BgrColour(*entry.text_colour) : QColor(Qt::black);
  if (grey_text) text = QColor(Qt::gray);
  painter.setPen(text);
  painter.drawText(rect, Qt::AlignCenter, QString::fromStdString(entry.name));
  if (selected) {
    painter.setPen(QPen(BgrColour(0x800000), 2));
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
  }
  painter.restore();
}

}  // namespace kal::catalogues
