#include "mainwindow/QtToolIcons.h"

#include <QHash>
#include <QIconEngine>
#include <QPaintDevice>
#include <QSet>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

#include <algorithm>
#include <functional>
#include <iterator>

namespace kal::mainwindow {
namespace {

// Every picture is drawn on a 16 x 16 grid; the painter is scaled to the size asked for.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(90, 90, 90);
const QColor kFrame(110, 110, 110);
const QColor kHeader(70, 120, 200);
const QColor kRed(215, 45, 45);
const QColor kGreen(40, 150, 60);
const QColor kBlue(50, 110, 215);
const QColor kYellow(255, 225, 110);
const QColor kOrange(240, 150, 30);
const QColor kShade(200, 215, 240);

QPen Stroke(const QColor& colour, double width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kFrame, 1));
  p.setBrush(Qt::white);
  p.drawRect(r);
}

// A small green "+" badge centred on `c`.
void Plus(QPainter& p, QPointF c) {
  p.setPen(QPen(QColor(20, 110, 30), 1));
  p.setBrush(QColor(60, 185, 75));
  p.drawEllipse(c, 3.6, 3.6);
  p.setPen(Stroke(Qt::white, 1.4));
  p.drawLine(QPointF(c.x() - 2, c.y()), QPointF(c.x() + 2, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - 2), QPointF(c.x(), c.y() + 2));
}

void Magnifier(QPainter& p, QPointF c, double r) {
  p.setPen(Stroke(QColor(120, 80, 40), 2.4));
  const double d = r * 0.72;
  p.drawLine(QPointF(c.x() + d, c.y() + d), QPointF(c.x() + r + 3.2, c.y() + r + 3.2));
  p.setPen(QPen(QColor(60, 60, 70), 1.4));
  p.setBrush(QColor(190, 225, 255, 220));
  p.drawEllipse(c, r, r);
}

void Tick(QPainter& p, const QPolygonF& line, const QColor& colour = kGreen, double width = 1.8) {
  p.setPen(Stroke(colour, width));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(line);
}

// A calendar frame with a coloured header band; returns the body below the header.
QRectF Frame(QPainter& p, const QRectF& r = QRectF(1.5, 1.5, 13, 13)) {
  Page(p, r);
  p.setPen(Qt::NoPen);
  p.setBrush(kHeader);
  p.drawRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 2.5));
  return QRectF(r.left(), r.top() + 3, r.width(), r.height() - 3);
}

// Grid lines dividing `body` into `cols` x `rows` cells.
void Grid(QPainter& p, const QRectF& body, int cols, int rows, const QColor& colour = QColor(150, 160, 180)) {
  p.setPen(QPen(colour, 1));
  for (int c = 1; c < cols; ++c) {
    const double x = std::round(body.left() + body.width() * c / cols) + 0.5;
    p.drawLine(QPointF(x, body.top()), QPointF(x, body.bottom()));
  }
  for (int r = 1; r < rows; ++r) {
    const double y = std::round(body.top() + body.height() * r / rows) + 0.5;
    p.drawLine(QPointF(body.left(), y), QPointF(body.right(), y));
  }
}

void Printer(QPainter& p) {
  Page(p, QRectF(4.5, 1.5, 7, 5));
  p.setPen(QPen(QColor(70, 70, 80), 1));
  p.setBrush(QColor(150, 155, 165));
  p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
  Page(p, QRectF(4.5, 10.5, 7, 4.5));
  p.setPen(QPen(kInk, 1));
  p.drawLine(QPointF(6, 12.5), QPointF(10, 12.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(80, 220, 90));
  p.drawEllipse(QPointF(12.3, 8.6), 1, 1);
}

void Preview(QPainter& p) {
  Page(p, QRectF(1.5, 1.5, 10, 13));
  p.setPen(QPen(QColor(160, 160, 160), 1));
  for (double y : {4.5, 6.5, 8.5}) p.drawLine(QPointF(3, y), QPointF(10, y));
  Magnifier(p, QPointF(9.5, 9.5), 3.3);
}

void ScheduleAdd(QPainter& p) {
  const QRectF body = Frame(p, QRectF(1.5, 1.5, 12, 12));
  Grid(p, body, 3, 3);
  Plus(p, QPointF(11.8, 11.8));
}

void MemoEdit(QPainter& p) {
  p.setPen(QPen(QColor(180, 150, 40), 1));
  p.setBrush(kYellow);
  p.drawRect(QRectF(1.5, 2.5, 10, 12));
  p.setPen(QPen(QColor(190, 160, 70), 1));
  for (double y : {5.5, 8.5, 11.5}) p.drawLine(QPointF(3, y), QPointF(10, y));
  // the pencil
  QPolygonF body;
  body << QPointF(13, 1) << QPointF(15, 3) << QPointF(8.5, 9.5) << QPointF(6.5, 7.5);
  p.setPen(QPen(QColor(150, 80, 20), 0.8));
  p.setBrush(kOrange);
  p.drawPolygon(body);
  QPolygonF tip;
  tip << QPointF(6.5, 7.5) << QPointF(8.5, 9.5) << QPointF(5.5, 10.5);
  p.setBrush(QColor(60, 60, 60));
  p.drawPolygon(tip);
}

void TodoAdd(QPainter& p) {
  Page(p, QRectF(1.5, 1.5, 10, 10));
  Tick(p, QPolygonF() << QPointF(3.5, 6.5) << QPointF(6, 9) << QPointF(10, 3.5));
  Plus(p, QPointF(11.8, 11.8));
}

void NoteEdit(QPainter& p) {
  p.setPen(QPen(QColor(30, 70, 140), 1));
  p.setBrush(QColor(80, 130, 210));
  p.drawRect(QRectF(3.5, 1.5, 10, 13));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 4, 5, 3));
  p.setPen(Stroke(QColor(60, 60, 60), 1.2));
  for (double y : {3.5, 6.5, 9.5, 12.5}) p.drawLine(QPointF(2, y), QPointF(4.5, y));
}

// A list sheet of three bulleted lines; the bullets and the corner mark tell the lists apart.
void ListSheet(QPainter& p, const QColor& bullet) {
  Page(p, QRectF(1.5, 1.5, 11, 13));
  for (double y : {4.5, 7.5, 10.5}) {
    p.setPen(Qt::NoPen);
    p.setBrush(bullet);
    p.drawRect(QRectF(3, y - 1, 2, 2));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.drawLine(QPointF(6, y), QPointF(11, y));
  }
}

void ScheduleList(QPainter& p) {
  ListSheet(p, kBlue);
  const QRectF body = Frame(p, QRectF(8.5, 8.5, 7, 7));
  Grid(p, body, 2, 2);
}

void HolidayList(QPainter& p) {
  ListSheet(p, kRed);
  Page(p, QRectF(8.5, 9.5, 7, 5));
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawEllipse(QPointF(12, 12), 1.7, 1.7);
}

void MemoList(QPainter& p) {
  ListSheet(p, QColor(200, 160, 20));
  p.setPen(QPen(QColor(180, 150, 40), 1));
  p.setBrush(kYellow);
  p.drawRect(QRectF(9.5, 9.5, 6, 6));
  p.setPen(QPen(QColor(170, 140, 50), 1));
  p.drawLine(QPointF(11, 12.5), QPointF(14, 12.5));
}

void TodoList(QPainter& p) {
  ListSheet(p, kGreen);
  Page(p, QRectF(9.5, 9.5, 6, 6));
  Tick(p, QPolygonF() << QPointF(10.5, 12.5) << QPointF(12, 14) << QPointF(14.5, 10.5), kGreen, 1.4);
}

void WeatherList(QPainter& p) {
  ListSheet(p, kOrange);
  const QPointF c(12.3, 12.3);
  p.setPen(Stroke(kOrange, 1));
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    p.drawLine(QPointF(c.x() + 2.4 * std::cos(a), c.y() + 2.4 * std::sin(a)),
               QPointF(c.x() + 3.5 * std::cos(a), c.y() + 3.5 * std::sin(a)));
  }
  p.setPen(QPen(QColor(210, 110, 0), 0.8));
  p.setBrush(QColor(255, 190, 40));
  p.drawEllipse(c, 1.9, 1.9);
}

// ---- View modes ----

// Blocks standing for schedule items in the timeline views.
void Block(QPainter& p, const QRectF& r, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawRect(r);
}

void ModeDaily(QPainter& p) {  // a time axis and three day columns
  const QRectF body = Frame(p);
  p.setPen(Qt::NoPen);
  p.setBrush(kShade);
  p.drawRect(QRectF(2, body.top(), 3, body.height() - 0.5));
  Grid(p, QRectF(4.5, body.top(), 10, body.height()), 3, 1);
  Block(p, QRectF(6, 7, 2, 4), kOrange);
  Block(p, QRectF(12, 9, 2, 4), kGreen);
}

void ModeVertical(QPainter& p) {  // a time axis and seven narrow day columns
  const QRectF body = Frame(p);
  p.setPen(Qt::NoPen);
  p.setBrush(kShade);
  p.drawRect(QRectF(2, body.top(), 2, body.height() - 0.5));
  p.setPen(QPen(QColor(150, 160, 180), 1));
  for (double x = 4.5; x < 14; x += 2) p.drawLine(QPointF(x, body.top()), QPointF(x, body.bottom()));
  Block(p, QRectF(7, 7, 1, 3), kOrange);
  Block(p, QRectF(11, 9, 1, 3), kGreen);
}

void ModeWeekly(QPainter& p) {  // a few week rows
  const QRectF body = Frame(p);
  Grid(p, body, 4, 2);
  Block(p, QRectF(2, body.top() + 1.5, 9.5, 1.5), kOrange);
  Block(p, QRectF(5.5, body.top() + 6.5, 8.5, 1.5), kGreen);
}

void ModeMonthly(QPainter& p) {  // a month grid, the Sunday column red
  const QRectF body = Frame(p);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 215, 215));
  p.drawRect(QRectF(2, body.top(), 3, body.height() - 0.5));
  Grid(p, body, 4, 4);
}

void ModeYearly(QPainter& p) {  // months as bands across, a label column, holidays in red
  const QRectF body = Frame(p);
  p.setPen(Qt::NoPen);
  p.setBrush(kShade);
  for (double y = body.top() + 0.5; y < body.bottom() - 1; y += 4) p.drawRect(QRectF(2, y, 12, 2));
  p.setBrush(QColor(140, 150, 175));
  p.drawRect(QRectF(2, body.top() + 0.5, 2.5, body.height() - 1));
  p.setBrush(kRed);
  p.drawRect(QRectF(7, body.top() + 0.5, 1.5, 2));
  p.drawRect(QRectF(11, body.top() + 4.5, 1.5, 2));
  p.drawRect(QRectF(9, body.top() + 8.5, 1.5, 2));
}

void ModeYearly2(QPainter& p) {  // months as bands down, a label row, holidays in red
  const QRectF body = Frame(p);
  p.setPen(Qt::NoPen);
  p.setBrush(kShade);
  for (double x = 2; x < 14; x += 4) p.drawRect(QRectF(x, body.top(), 2, body.height() - 0.5));
  p.setBrush(QColor(140, 150, 175));
  p.drawRect(QRectF(2, body.top(), 12, 2));
  p.setBrush(kRed);
  p.drawRect(QRectF(2, body.top() + 4, 2, 1.5));
  p.drawRect(QRectF(6, body.top() + 7, 2, 1.5));
  p.drawRect(QRectF(10, body.top() + 5, 2, 1.5));
}

void MiniMonth(QPainter& p, const QRectF& r, bool mark) {
  p.setPen(QPen(kFrame, 1));
  p.setBrush(Qt::white);
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(kHeader);
  p.drawRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 1.5));
  p.setBrush(QColor(160, 170, 190));
  for (double y = r.top() + 3; y < r.bottom() - 0.5; y += 2)
    for (double x = r.left() + 1.5; x < r.right() - 0.5; x += 2) p.drawRect(QRectF(x, y, 1, 1));
  if (mark) {
    p.setBrush(kRed);
    p.drawRect(QRectF(r.left() + 3.5, r.top() + 5, 2, 2));
  }
}

void ModeMonthly2(QPainter& p) {  // several months side by side
  MiniMonth(p, QRectF(0.5, 0.5, 6.5, 6.5), false);
  MiniMonth(p, QRectF(8.5, 0.5, 6.5, 6.5), false);
  MiniMonth(p, QRectF(0.5, 8.5, 6.5, 6.5), false);
  MiniMonth(p, QRectF(8.5, 8.5, 6.5, 6.5), false);
}

void ModeMonthly3(QPainter& p) {  // the same month of several years, stacked
  MiniMonth(p, QRectF(5.5, 0.5, 10, 9), true);
  MiniMonth(p, QRectF(3, 3.5, 10, 9), true);
  MiniMonth(p, QRectF(0.5, 6.5, 10, 9), true);
}

// ---- Grid options ----

void WeekEndHalf(QPainter& p) {  // wide weekday columns, two half-width week-end columns
  const QRectF body = Frame(p);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(140, 175, 255));
  p.drawRect(QRectF(11.5, body.top(), 1.5, body.height() - 0.5));
  p.setBrush(QColor(255, 140, 140));
  p.drawRect(QRectF(13, body.top(), 1, body.height() - 0.5));
  p.setPen(QPen(QColor(150, 160, 180), 1));
  for (double x : {5.5, 8.5, 11.5}) p.drawLine(QPointF(x, body.top()), QPointF(x, body.bottom()));
  p.drawLine(QPointF(2, body.top() + 5.5), QPointF(14, body.top() + 5.5));
}

void WeekEndNone(QPainter& p) {  // five weekday columns, the week-end crossed out
  const QRectF body = Frame(p, QRectF(1.5, 1.5, 10, 13));
  Grid(p, body, 4, 3);
  p.setPen(Stroke(kRed, 1.6));
  p.drawLine(QPointF(12.5, 6.5), QPointF(15, 9.5));
  p.drawLine(QPointF(15, 6.5), QPointF(12.5, 9.5));
}

void AutoWidth(QPainter& p) {  // a two-headed arrow between two bars
  p.setPen(Stroke(kInk, 1.4));
  p.drawLine(QPointF(1.5, 3), QPointF(1.5, 13));
  p.drawLine(QPointF(14.5, 3), QPointF(14.5, 13));
  p.setPen(Stroke(kBlue, 1.6));
  p.drawLine(QPointF(4, 8), QPointF(12, 8));
  p.drawPolyline(QPolygonF() << QPointF(6, 5.5) << QPointF(3.5, 8) << QPointF(6, 10.5));
  p.drawPolyline(QPolygonF() << QPointF(10, 5.5) << QPointF(12.5, 8) << QPointF(10, 10.5));
}

void TitleWrap(QPainter& p) {  // a text line turning back under itself
  p.setPen(Stroke(kInk, 1.4));
  p.drawLine(QPointF(1.5, 3.5), QPointF(14.5, 3.5));
  p.drawLine(QPointF(1.5, 13), QPointF(6, 13));
  p.setPen(Stroke(kBlue, 1.5));
  QPainterPath path;
  path.moveTo(1.5, 7.5);
  path.lineTo(11, 7.5);
  path.arcTo(QRectF(8.5, 7.5, 5, 5.5), 90, -180);
  path.lineTo(8.5, 13);
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.drawPolyline(QPolygonF() << QPointF(10.5, 11) << QPointF(8.5, 13) << QPointF(10.5, 15));
}

// ---- Panels: a window with the named region coloured ----

enum PanelBits { kPanelTop = 1, kPanelUnder = 2, kPanelSide = 4 };

void Panels(QPainter& p, int bits) {
  Page(p, QRectF(0.5, 1.5, 15, 13));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 120, 130));
  p.drawRect(QRectF(1, 2, 14, 1.5));
  const QColor on(40, 150, 230);
  const QColor off(222, 222, 222);
  p.setBrush(bits & kPanelTop ? on : off);
  p.drawRect(QRectF(2, 4.5, 8.5, 2));
  p.setBrush(bits & kPanelSide ? on : off);
  p.drawRect(QRectF(11.5, 4.5, 2.5, 5.5));
  p.setBrush(bits & kPanelUnder ? on : off);
  p.drawRect(QRectF(2, 11, 12, 2.5));
  // the calendar itself, always there
  p.setPen(QPen(QColor(160, 160, 170), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(2.5, 7.5, 7.5, 2.5));
  p.drawLine(QPointF(6.5, 7.5), QPointF(6.5, 10));
}

void PanelTop(QPainter& p) { Panels(p, kPanelTop); }
void PanelUnder(QPainter& p) { Panels(p, kPanelUnder); }
void PanelSide(QPainter& p) { Panels(p, kPanelSide); }
void PanelAll(QPainter& p) { Panels(p, kPanelTop | kPanelUnder | kPanelSide); }

void MiniMode(QPainter& p) {  // a small calendar window in front of a large one
  p.setPen(QPen(QColor(170, 170, 170), 1));
  p.setBrush(QColor(240, 240, 240));
  p.drawRect(QRectF(0.5, 0.5, 12, 10));
  MiniMonth(p, QRectF(6.5, 6.5, 9, 9), true);
}

void Tray(QPainter& p) {  // a taskbar with the program's picture in its corner
  p.setPen(Stroke(kBlue, 1.6));
  p.drawLine(QPointF(8, 1.5), QPointF(8, 7.5));
  p.drawPolyline(QPolygonF() << QPointF(5.5, 5) << QPointF(8, 7.5) << QPointF(10.5, 5));
  p.setPen(QPen(QColor(40, 40, 50), 1));
  p.setBrush(QColor(80, 85, 100));
  p.drawRect(QRectF(0.5, 9.5, 15, 6));
  p.setPen(QPen(QColor(110, 110, 110), 0.8));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(10.5, 10.5, 4, 4));
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawRect(QRectF(11, 11, 3.2, 1.3));
}

// ---- Categories: a coloured tag ----

void Tag(QPainter& p, const QPointF& at, const QColor& colour) {
  QPolygonF tag;
  tag << QPointF(at.x(), at.y()) << QPointF(at.x() + 6, at.y()) << QPointF(at.x() + 9, at.y() + 3)
      << QPointF(at.x() + 6, at.y() + 6) << QPointF(at.x(), at.y() + 6);
  p.setPen(QPen(colour.darker(150), 1));
  p.setBrush(colour);
  p.drawPolygon(tag);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(at.x() + 6, at.y() + 3), 0.9, 0.9);
}

void CheckBox(QPainter& p, bool checked) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(1.5, 6.5, 8, 8));
  if (checked) Tick(p, QPolygonF() << QPointF(3, 10.5) << QPointF(5, 12.5) << QPointF(8.5, 7.5));
}

void CategoryChecked(QPainter& p) {
  Tag(p, QPointF(6.5, 1.5), QColor(240, 120, 60));
  CheckBox(p, true);
}

void CategoryUnchecked(QPainter& p) {
  Tag(p, QPointF(6.5, 1.5), QColor(240, 120, 60));
  CheckBox(p, false);
}

void CategoryAll(QPainter& p) {
  Tag(p, QPointF(1.5, 0.5), QColor(240, 120, 60));
  Tag(p, QPointF(4.5, 5), QColor(80, 180, 90));
  Tag(p, QPointF(1.5, 9.5), QColor(80, 140, 230));
}

void Search(QPainter& p) { Magnifier(p, QPointF(6.5, 6.5), 4.8); }

void Clock(QPainter& p) {
  p.setPen(QPen(QColor(40, 80, 150), 1.4));
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8, 8), 6.6, 6.6);
  p.setPen(Stroke(kInk, 1));
  for (int i = 0; i < 12; i += 3) {
    const double a = i * M_PI / 6;
    p.drawLine(QPointF(8 + 5 * std::cos(a), 8 + 5 * std::sin(a)), QPointF(8 + 5.6 * std::cos(a), 8 + 5.6 * std::sin(a)));
  }
  p.setPen(Stroke(QColor(30, 30, 30), 1.4));
  p.drawLine(QPointF(8, 8), QPointF(8, 3.8));
  p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
  p.setPen(Stroke(kRed, 0.8));
  p.drawLine(QPointF(8, 8), QPointF(5, 11.5));
}

void Refresh(QPainter& p) {  // two arrows chasing each other round a circle
  const QColor colour(30, 150, 70);
  p.setPen(Stroke(colour, 1.8));
  p.setBrush(Qt::NoBrush);
  const QRectF ring(2.5, 2.5, 11, 11);
  p.drawArc(ring, 100 * 16, 125 * 16);
  p.drawArc(ring, 280 * 16, 125 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  // heads at the ends of the arcs (angles 240 and 60 degrees, counter-clockwise)
  auto head = [&](double degrees) {
    const double a = qDegreesToRadians(degrees);
    const QPointF tip(8 + 5.5 * std::cos(a), 8 - 5.5 * std::sin(a));
    const QPointF along(std::sin(a), std::cos(a));  // direction of travel, counter-clockwise
    const QPointF out(std::cos(a), -std::sin(a));
    QPolygonF tri;
    tri << tip + along * 3.4 << tip + out * 3 << tip - out * 3;
    p.drawPolygon(tri);
  };
  head(240);
  head(60);
}

void LinePitch(QPainter& p) {  // lines with a two-headed vertical arrow
  p.setPen(Stroke(kInk, 1.3));
  for (double y : {3, 8, 13}) p.drawLine(QPointF(7, y), QPointF(15, y));
  p.setPen(Stroke(kBlue, 1.5));
  p.drawLine(QPointF(3, 2.5), QPointF(3, 13.5));
  p.drawPolyline(QPolygonF() << QPointF(1, 4.5) << QPointF(3, 2.5) << QPointF(5, 4.5));
  p.drawPolyline(QPolygonF() << QPointF(1, 11.5) << QPointF(3, 13.5) << QPointF(5, 11.5));
}

void Gear(QPainter& p, QPointF c, double r, const QColor& colour) {
  QPainterPath path;
  const int teeth = 8;
  for (int i = 0; i < teeth * 2; ++i) {
    const double a0 = (i - 0.5) * M_PI / teeth;
    const double a1 = (i + 0.5) * M_PI / teeth;
    const double rr = i % 2 == 0 ? r : r * 0.74;
    const QPointF p0(c.x() + rr * std::cos(a0), c.y() + rr * std::sin(a0));
    const QPointF p1(c.x() + rr * std::cos(a1), c.y() + rr * std::sin(a1));
    if (i == 0) path.moveTo(p0); else path.lineTo(p0);
    path.lineTo(p1);
  }
  path.closeSubpath();
  path.addEllipse(c, r * 0.32, r * 0.32);
  path.setFillRule(Qt::OddEvenFill);
  p.setPen(QPen(colour.darker(160), 0.9));
  p.setBrush(colour);
  p.drawPath(path);
}

void CategorySetup(QPainter& p) {
  Tag(p, QPointF(0.5, 1.5), QColor(240, 120, 60));
  Tag(p, QPointF(0.5, 8.5), QColor(80, 140, 230));
  Gear(p, QPointF(11.3, 11.3), 4.4, QColor(150, 150, 160));
}

void Setup(QPainter& p) { Gear(p, QPointF(8, 8), 7, QColor(140, 145, 160)); }

struct Entry {
  const char* name;
  void (*draw)(QPainter&);
};

constexpr Entry kDrawings[] = {
    {"MenPrint", Printer},           {"MenPreview", Preview},         {"MenSchAdd", ScheduleAdd},
    {"MenMemoEdit", MemoEdit},       {"MenTodoAdd", TodoAdd},         {"MenNoteEdit", NoteEdit},
    {"MenSchList", ScheduleList},    {"MenHolidayList", HolidayList}, {"MenMemoList", MemoList},
    {"MenTodoList", TodoList},       {"MenWeatherList", WeatherList}, {"MenDaily", ModeDaily},
    {"MenVertical", ModeVertical},   {"MenWeekly", ModeWeekly},       {"MenMonthly", ModeMonthly},
    {"MenYearly", ModeYearly},       {"MenMonthly2", ModeMonthly2},   {"MenMonthly3", ModeMonthly3},
    {"MenYearly2", ModeYearly2},     {"MenSatSun", WeekEndHalf},      {"MenSatSunNo", WeekEndNone},
    {"MenAutoWidth", AutoWidth},     {"MenCr", TitleWrap},            {"MenSchListView", PanelTop},
    {"MenUnderPanel", PanelUnder},   {"MenSidePanel", PanelSide},     {"MenPanelMode", PanelAll},
    {"MenMiniMode", MiniMode},       {"MenTray", Tray},               {"MenCatChecked", CategoryChecked},
    {"MenCatUnchecked", CategoryUnchecked}, {"MenCatAll", CategoryAll}, {"MenSearch", Search},
    {"MenTimeSignal", Clock},        {"MenRefresh", Refresh},         {"MenLinePitch", LinePitch},
    {"MenCategory", CategorySetup},  {"MenSetup", Setup},
};

const Entry* Find(const QString& name) {
  for (const Entry& e : kDrawings)
    if (name == QLatin1String(e.name)) return &e;
  return nullptr;
}

}  // namespace

QPixmap ToolIconPixmap(const QString& action_name, int size) {
  const Entry* entry = Find(action_name);
  if (entry == nullptr || size <= 0) return {};
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(size / 16.0, size / 16.0);
  entry->draw(p);
  return pixmap;
}

namespace {

constexpr int kIconSizes[] = {16, 24, 32, 48};

// Draws a picture only at the sizes it is shown at, the first time each is asked for: a window
// shows one size of each of its forty buttons, and drawing all four of each at start-up cost
// more than building the rest of the toolbar. Disabled and selected looks come from the drawn
// pixmaps as with any icon.
class ToolIconEngine : public QIconEngine {
 public:
  explicit ToolIconEngine(const QString& name) : name_(name) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    Draw(size);
    return drawn_.pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    Draw(size * scale);
    return drawn_.pixmap(size, scale, mode, state);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal scale = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    Draw(size);
    return drawn_.actualSize(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int s : kIconSizes) sizes << QSize(s, s);
    return sizes;
  }
  QIconEngine* clone() const override { return new ToolIconEngine(*this); }
  QString key() const override { return QStringLiteral("KalendorToolIcon"); }

 private:
  // The drawing for the smallest of the sizes that covers `size` (the largest for more).
  void Draw(const QSize& size) {
    int chosen = kIconSizes[std::size(kIconSizes) - 1];
    for (int s : kIconSizes) {
      if (s >= std::max(size.width(), size.height())) {
        chosen = s;
        break;
      }
    }
    if (drawn_sizes_.contains(chosen)) return;
    drawn_sizes_.insert(chosen);
    drawn_.addPixmap(ToolIconPixmap(name_, chosen));
  }

  QString name_;
  QIcon drawn_;
  QSet<int> drawn_sizes_;
};

}  // namespace

QIcon ToolIcon(const QString& action_name) {
  if (Find(action_name) == nullptr) return {};
  return QIcon(new ToolIconEngine(action_name));
}

QStringList ToolIconNames() {
  QStringList names;
  for (const Entry& e : kDrawings) names << QLatin1String(e.name);
  return names;
}

}  // namespace kal::mainwindow
