#include "model/QtBarRenderer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace kal::calendar {

QColor QColorOfBgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void DrawBar(QPainter& painter, const QRect& box, const BarPaint& paint, const QString& title) {
  const BarRect area{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
  const BarShape shape = BarShapeOf(paint.style, area, paint.starts, paint.ends);

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPolygon polygon;
  for (const BarPoint& p : shape.polygon) polygon << QPoint(p.x, p.y);
  painter.setBrush(QColorOfBgr(paint.fill_colour));
  painter.setPen(shape.outlined ? QPen(Qt::black) : QPen(Qt::NoPen));
  painter.drawPolygon(polygon);
  painter.setPen(QColorOfBgr(kBarShadowColour));
  for (const auto& line : shape.shadow) painter.drawLine(line[0].x, line[0].y, line[1].x, line[1].y);

  QRect text(shape.text.left, shape.text.top, shape.text.right - shape.text.left,
             shape.text.bottom - shape.text.top);
  if (text.width() > 0 && text.height() > 0) {
    painter.setClipRect(text);
    if (!paint.icon.isNull()) {
      const int size = std::min(text.height(), paint.icon.height());
      painter.drawPixmap(QRect(text.left(), text.top() + (text.height() - size) / 2, size, size), paint.icon);
      text.setLeft(text.left() + size + 1);
    }
    const QFontMetrics metrics(painter.font());
    const QString shown = paint.ellipsis ? metrics.elidedText(title, Qt::ElideRight, text.width()) : title;
    painter.setPen(QColorOfBgr(paint.text_colour));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
  }
  painter.restore();
}

void DrawBarSample(QPainter& painter, const QRect& cell, int style, int text_colour, int fill_colour) {
  BarPaint paint;
  paint.style = style;
  paint.text_colour = text_colour;
  paint.fill_colour = fill_colour;
  DrawBar(painter, cell, paint, QStringLiteral("サンプル"));
}

}  // namespace kal::calendar
