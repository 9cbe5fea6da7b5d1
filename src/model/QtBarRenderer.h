// Draws a multi-day bar (one band of one row) with QPainter: the grid, printing and the entry
// dialog's style samples all come here.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>

#include "model/BarShape.h"

class QPainter;

namespace kal::calendar {

// A colour value in blue-green-red order.
QColor QColorOfBgr(int bgr);

struct BarPaint {
  int style = 3;
  int text_colour = 0x000000;  // BGR
  int fill_colour = 0x80FF80;  // BGR
  bool starts = true;          // the bar's first day lies in this row
  bool ends = true;            // the bar's last day lies in this row
  bool ellipsis = true;        // the setting Ellipsis: a title that does not fit ends in "…"
  QPixmap icon;                // the category icon drawn before the title (null: none)
};

// Draws the bar into `box` (the band's line box over the cells the bar covers in this row).
void DrawBar(QPainter& painter, const QRect& box, const BarPaint& paint, const QString& title);

// The entry dialog's sample of a style: the bar over the whole sample cell with "サンプル".
void DrawBarSample(QPainter& painter, const QRect& cell, int style, int text_colour, int fill_colour);

}  // namespace kal::calendar
