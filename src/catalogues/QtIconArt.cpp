#include "catalogues/QtIconArt.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace kal::catalogues {
namespace {

QPixmap Blank() {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

template <typename Draw>
QPixmap Paint(Draw draw) {
  QPixmap pixmap = Blank();
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  draw(p);
  return pixmap;
}

QPolygonF Star(QPointF centre, double outer, double inner, int points) {
  QPolygonF polygon;
  for (int i = 0; i < points * 2; ++i) {
    double r = i % 2 == 0 ? outer : inner;
    double a = -M_PI / 2 + i * M_PI / points;
    polygon << QPointF(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
  }
  return polygon;
}

// A round badge with a white mark, the common shape of the ToDo state pictures.
void Badge(QPainter& p, const QColor& fill) {
  p.setPen(QPen(fill.darker(140), 1));
  p.setBrush(fill);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
}

void Cloud(QPainter& p, const QColor& fill, double dy = 0) {
  p.setPen(QPen(fill.darker(130), 1));
  p.setBrush(fill);
  QPainterPath path;
  path.addEllipse(QRectF(1.5, 6.5 + dy, 7, 6));
  path.addEllipse(QRectF(4.5, 3.5 + dy, 8, 8));
  path.addEllipse(QRectF(8.5, 6.5 + dy, 6.5, 6));
  p.drawPath(path.simplified());
}

QPixmap Holiday() {  // a flag on a pole: white cloth with a red disc
  return Paint([](QPainter& p) {
    p.setPen(QPen(QColor(110, 80, 40), 1.5));
    p.drawLine(QPointF(2.5, 1), QPointF(2.5, 15));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 2.5, 11, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 20, 40));
    p.drawEllipse(QPointF(9, 6.5), 2.6, 2.6);
  });
}

QPixmap DayOff() {  // a small calendar leaf with a red circle mark
  return Paint([](QPainter& p) {
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 90, 60));
    p.drawRect(QRectF(2, 3, 12, 3));
    p.setPen(QPen(QColor(230, 60, 60), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 10.5), 3, 2.6);
  });
}

QPixmap Anniversary1() {  // a gold star
  return Paint([](QPainter& p) {
    p.setPen(QPen(QColor(170, 120, 0), 1));
    p.setBrush(QColor(255, 205, 40));
    p.drawPolygon(Star(QPointF(8, 8.5), 7.3, 3.1, 5));
  });
}

QPixmap Anniversary2() {  // a pink heart
  return Paint([](QPainter& p) {
    QPainterPath heart;
    heart.moveTo(8, 14.5);
    heart.cubicTo(1, 9.5, 0.5, 4.5, 4.5, 2.8);
    heart.cubicTo(6.5, 2, 7.8, 3.5, 8, 5);
    heart.cubicTo(8.2, 3.5, 9.5, 2, 11.5, 2.8);
    heart.cubicTo(15.5, 4.5, 15, 9.5, 8, 14.5);
    p.setPen(QPen(QColor(180, 40, 90), 1));
    p.setBrush(QColor(250, 110, 160));
    p.drawPath(heart);
  });
}

QPixmap Anniversary3() {  // a gift box with a ribbon
  return Paint([](QPainter& p) {
    p.setPen(QPen(QColor(30, 80, 160), 1));
    p.setBrush(QColor(90, 150, 235));
    p.drawRect(QRectF(2.5, 6.5, 11, 8));
    p.drawRect(QRectF(1.5, 4.5, 13, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 60, 60));
    p.drawRect(QRectF(7, 4.5, 2, 10));
    p.setPen(QPen(QColor(240, 60, 60), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(4, 1.5, 4, 3));
    p.drawEllipse(QRectF(8, 1.5, 4, 3));
  });
}

QPixmap CalendarPage() {
  return Paint([](QPainter& p) {
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5, 1.5, 15, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(1, 2, 14, 3));
  });
}

QPixmap TodoState(int state) {
  return Paint([state](QPainter& p) {
    QPen white(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (state) {
      case 1:  // expired: red badge with "!"
        Badge(p, QColor(215, 40, 40));
        p.setPen(white);
        p.drawLine(QPointF(8, 4.5), QPointF(8, 9));
        p.drawPoint(QPointF(8, 11.8));
        break;
      case 2:  // due: orange badge with clock hands
        Badge(p, QColor(240, 140, 20));
        p.setPen(white);
        p.drawLine(QPointF(8, 8), QPointF(8, 4.5));
        p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
        break;
      case 3: {  // warning: yellow triangle with "!"
        p.setPen(QPen(QColor(170, 130, 0), 1));
        p.setBrush(QColor(255, 215, 40));
        QPolygonF triangle;
        triangle << QPointF(8, 1.5) << QPointF(15, 14.5) << QPointF(1, 14.5);
        p.drawPolygon(triangle);
        p.setPen(QPen(QColor(60, 40, 0), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 6), QPointF(8, 10));
        p.drawPoint(QPointF(8, 12.5));
        break;
      }
      case 4: {  // in progress: blue badge with a right arrow
        Badge(p, QColor(40, 110, 220));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        QPolygonF arrow;
        arrow << QPointF(5.5, 4.5) << QPointF(11.5, 8) << QPointF(5.5, 11.5);
        p.drawPolygon(arrow);
        break;
      }
      case 5:  // no limit: grey badge with a bar
        Badge(p, QColor(150, 150, 150));
        p.setPen(white);
        p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
        break;
      case 6:  // done: green badge with a tick
        Badge(p, QColor(40, 160, 70));
        p.setPen(white);
        p.drawPolyline(QPolygonF() << QPointF(4.5, 8.5) << QPointF(7, 11) << QPointF(11.5, 5));
        break;
      case 7:  // waiting: purple badge with a pause mark
        Badge(p, QColor(130, 90, 190));
        p.setPen(white);
        p.drawLine(QPointF(6.3, 5), QPointF(6.3, 11));
        p.drawLine(QPointF(9.7, 5), QPointF(9.7, 11));
        break;
      default: break;
    }
  });
}

QPixmap CheckHeader() {
  return Paint([](QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 2.5, 11, 11));
    p.setPen(QPen(QColor(30, 120, 30), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF() << QPointF(4.5, 8) << QPointF(7, 10.5) << QPointF(11.5, 5));
  });
}

QPixmap Memo() {  // a note with a folded corner and lines
  return Paint([](QPainter& p) {
    QPolygonF page;
    page << QPointF(2.5, 1.5) << QPointF(10.5, 1.5) << QPointF(13.5, 4.5) << QPointF(13.5, 14.5)
         << QPointF(2.5, 14.5);
    p.setPen(QPen(QColor(120, 110, 60), 1));
    p.setBrush(QColor(255, 245, 170));
    p.drawPolygon(page);
    p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
    p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
    p.setPen(QPen(QColor(150, 140, 90), 1));
    for (double y : {6.5, 9.0, 11.5}) p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
  });
}

QPixmap Sun() {
  return Paint([](QPainter& p) {
    p.setPen(QPen(QColor(240, 120, 0), 1.3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
      double a = i * M_PI / 4;
      p.drawLine(QPointF(8 + 5.2 * std::cos(a), 8 + 5.2 * std::sin(a)),
                 QPointF(8 + 7.2 * std::cos(a), 8 + 7.2 * std::sin(a)));
    }
    p.setPen(QPen(QColor(230, 110, 0), 1));
    p.setBrush(QColor(255, 170, 30));
    p.drawEllipse(QPointF(8, 8), 3.8, 3.8);
  });
}

QPixmap Cloudy() {
  return Paint([](QPainter& p) { Cloud(p, QColor(190, 195, 205), 1); });
}

QPixmap Rain() {
  return Paint([](QPainter& p) {
    Cloud(p, QColor(150, 160, 180), -2.5);
    p.setPen(QPen(QColor(40, 100, 220), 1.3, Qt::SolidLine, Qt::RoundCap));
    for (double x : {4.0, 8.0, 12.0}) p.drawLine(QPointF(x, 11.5), QPointF(x - 1.2, 14.5));
  });
}

QPixmap Snow() {
  return Paint([](QPainter& p) {
    p.setPen(QPen(QColor(60, 140, 220), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
      double a = i * M_PI / 3 + M_PI / 2;
      p.drawLine(QPointF(8 - 6.5 * std::cos(a), 8 - 6.5 * std::sin(a)),
                 QPointF(8 + 6.5 * std::cos(a), 8 + 6.5 * std::sin(a)));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 140, 220));
    p.drawEllipse(QPointF(8, 8), 1.6, 1.6);
  });
}

QPixmap Overflow() {  // a small downward triangle
  return Paint([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    QPolygonF triangle;
    triangle << QPointF(2, 9) << QPointF(10, 9) << QPointF(6, 14);
    p.drawPolygon(triangle);
  });
}

QPixmap Bell() {
  return Paint([](QPainter& p) {
    QPainterPath bell;
    bell.moveTo(3, 12);
    bell.cubicTo(4.5, 10.5, 4, 8, 4.2, 6.5);
    bell.cubicTo(4.5, 3.5, 6, 2.5, 8, 2.5);
    bell.cubicTo(10, 2.5, 11.5, 3.5, 11.8, 6.5);
    bell.cubicTo(12, 8, 11.5, 10.5, 13, 12);
    bell.closeSubpath();
    p.setPen(QPen(QColor(170, 120, 0), 1));
    p.setBrush(QColor(255, 200, 40));
    p.drawPath(bell);
    p.setBrush(QColor(170, 120, 0));
    p.drawEllipse(QPointF(8, 13.5), 1.5, 1.5);
  });
}

QPixmap Clock() {
  return Paint([](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(40, 40, 40), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 8));
  });
}

QPixmap FileLink() {  // a document with a paper clip
  return Paint([](QPainter& p) {
    p.setPen(QPen(QColor(100, 100, 110), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 10, 13));
    p.setPen(QPen(QColor(60, 90, 170), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 3.5, 4, 9), 2, 2);
    p.setPen(QPen(QColor(160, 160, 170), 1));
    for (double y : {5.5, 8.0, 10.5}) p.drawLine(QPointF(7, y), QPointF(12, y));
  });
}

}  // namespace

QPixmap BuiltInIconPixmap(int number) {
  switch (number) {
    case 1: return Holiday();
    case 2: return DayOff();
    case 3: return Anniversary1();
    case 4: return Anniversary2();
    case 5: return Anniversary3();
    default: return QPixmap();
  }
}

namespace {

QPixmap DrawSmallImage(int index) {
  if (index >= kImageTodoExpired && index <= kImageTodoWaiting) return TodoState(index);
  switch (index) {
    case kImageCalendarPage: return CalendarPage();
    case kImageTodoCheckHeader: return CheckHeader();
    case kImageMemo: return Memo();
    case kImageWeatherFine: return Sun();
    case kImageWeatherCloudy: return Cloudy();
    case kImageWeatherRain: return Rain();
    case kImageWeatherSnow: return Snow();
    case kImageOverflow: return Overflow();
    case kImageAlarm: return Bell();
    case kImageAlarmHeader: return Clock();
    case kImageFile: return FileLink();
    default: return Blank();
  }
}

}  // namespace

QPixmap SmallImagePixmap(int index) {
  // Drawn once each: the calendar paints a weather picture on every day of every view. The
  // cache is never destroyed, so no pixmap outlives the application in a static destructor.
  static auto* drawn = new QHash<int, QPixmap>;
  auto it = drawn->constFind(index);
  if (it != drawn->constEnd()) return *it;
  return *drawn->insert(index, DrawSmallImage(index));
}

QVector<QPixmap> SmallImageList() {
  QVector<QPixmap> list;
  for (int i = 0; i < kSmallImageCount; ++i) list.push_back(SmallImagePixmap(i));
  return list;
}

QPixmap TodoStatePixmap(int state) { return state >= 1 && state <= 7 ? TodoState(state) : Blank(); }

QPixmap WeatherPixmap(int code) {
  return code >= 1 && code <= 4 ? SmallImagePixmap(kImageWeatherFine + code - 1) : Blank();
}

}  // namespace kal::catalogues
