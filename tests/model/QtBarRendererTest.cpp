#include "model/QtBarRenderer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace kal::calendar {
namespace {

QImage Draw(int style, bool starts = true, bool ends = true) {
  QImage image(80, 16, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  BarPaint paint;
  paint.style = style;
  paint.fill_colour = 0xFF0000;  // blue in BGR
  paint.starts = starts;
  paint.ends = ends;
  DrawBar(painter, QRect(0, 0, 80, 16), paint, QString());
  return image;
}

TEST(QtBarRenderer, FillsInBlueGreenRedOrder) {
  EXPECT_EQ(QColorOfBgr(0x0000FF), QColor(255, 0, 0));
  QImage image = Draw(1);
  EXPECT_EQ(image.pixelColor(40, 8), QColor(0, 0, 255));
}

TEST(QtBarRenderer, StylesDifferWhereTheirShapesDiffer) {
  // Style 0 covers the full height with a black outline; style 4 is a thin bar at the middle,
  // so its top row stays white; arrow-headed style 3 leaves its start corner white.
  QImage full = Draw(0);
  EXPECT_EQ(full.pixelColor(40, 0), QColor(Qt::black));
  QImage thin = Draw(4);
  EXPECT_EQ(thin.pixelColor(40, 1), QColor(Qt::white));
  EXPECT_EQ(thin.pixelColor(40, 8), QColor(0, 0, 255));
  QImage arrow = Draw(3);
  EXPECT_EQ(arrow.pixelColor(1, 3), QColor(Qt::white));
  QImage continued = Draw(3, false, false);  // began and ends in other rows: no heads
  EXPECT_EQ(continued.pixelColor(1, 8), QColor(0, 0, 255));
}

TEST(QtBarRenderer, TheSampleDrawsItsText) {
  QImage image(120, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawBarSample(painter, QRect(0, 0, 120, 20), 0, 0x000000, 0xFFFFFF);
  painter.end();
  int dark = 0;
  for (int x = 2; x < 118; ++x)
    for (int y = 2; y < 18; ++y) dark += image.pixelColor(x, y).lightness() < 128;
  EXPECT_GT(dark, 20);  // "サンプル" drawn inside the white bar
}

}  // namespace
}  // namespace kal::calendar
