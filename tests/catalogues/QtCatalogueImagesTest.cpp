#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>

#include "catalogues/QtCategoryCell.h"
#include "catalogues/QtCategoryIcons.h"
#include "catalogues/QtIconArt.h"
#include "support/FakeDialogs.h"
#include "support/TempFolder.h"

namespace kal::catalogues {
namespace {

// A 16x16 bitmap file: `fill` everywhere, the key colour in the bottom-left corner and along
// the bottom row.
std::string BitmapBytes(QColor fill, QColor key) {
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(fill);
  for (int x = 0; x < 16; ++x) image.setPixelColor(x, 15, key);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes.toStdString();
}

int OpaquePixels(const QPixmap& pixmap) {
  QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 0;
  return count;
}

TEST(QtIconArt, BuiltInIconsAreDistinct16x16Pictures) {
  std::vector<QImage> seen;
  for (int n = 1; n <= 5; ++n) {
    SCOPED_TRACE(n);
    QPixmap icon = BuiltInIconPixmap(n);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(16, 16));
    EXPECT_GT(OpaquePixels(icon), 20);
    QImage image = icon.toImage();
    for (const QImage& other : seen) EXPECT_NE(image, other);
    seen.push_back(image);
  }
  EXPECT_TRUE(BuiltInIconPixmap(0).isNull());
  EXPECT_TRUE(BuiltInIconPixmap(6).isNull());
}

TEST(QtIconArt, SmallImageListHoldsEveryPicture) {
  QVector<QPixmap> list = SmallImageList();
  ASSERT_EQ(list.size(), kSmallImageCount);
  for (int i = 0; i < list.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(list[i].size(), QSize(16, 16));
    if (i == kImageEmpty)
      EXPECT_EQ(OpaquePixels(list[i]), 0);
    else
      EXPECT_GT(OpaquePixels(list[i]), 5);
  }
  // The seven ToDo states and four weathers are told apart.
  for (int a = 1; a <= 7; ++a)
    for (int b = a + 1; b <= 7; ++b) EXPECT_NE(TodoStatePixmap(a).toImage(), TodoStatePixmap(b).toImage());
  for (int a = 1; a <= 4; ++a)
    for (int b = a + 1; b <= 4; ++b) EXPECT_NE(WeatherPixmap(a).toImage(), WeatherPixmap(b).toImage());
  EXPECT_EQ(WeatherPixmap(1).toImage(), list[kImageWeatherFine].toImage());
}

TEST(QtCategoryIcons, BottomLeftColourBecomesTransparent) {
  auto icon = DecodeIconBitmap(BitmapBytes(Qt::red, Qt::green));
  ASSERT_TRUE(icon);
  QImage image = icon->toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(qAlpha(image.pixel(0, 15)), 0);
  EXPECT_EQ(qAlpha(image.pixel(8, 15)), 0);
  EXPECT_EQ(image.pixelColor(8, 8), QColor(Qt::red));
  EXPECT_FALSE(DecodeIconBitmap("not an image"));
  EXPECT_FALSE(IsIconBitmap(""));
}

TEST(QtCategoryIcons, LoadKeepsBuiltInsOverridesAndUsedBitmaps) {
  test::TempFolder dir;
  dir.Write("Klcat002.bmp", BitmapBytes(Qt::blue, Qt::white));
  dir.Write("Klcat007.bmp", BitmapBytes(Qt::yellow, Qt::white));
  dir.Write("Klcat009.bmp", "damaged");
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  CategoryIcons icons;
  // Icon 3 without its file keeps the built-in "記念日1"; 8 has no file and no image.
  icons.Load(fs, dialogs, dir.path(),
             {"A             1                 003", "B             1                 007",
              "C             1                 008", "D             1                 009"});
  EXPECT_EQ(icons.Image(3).toImage(), BuiltInIconPixmap(3).toImage());
  EXPECT_EQ(icons.Image(1).toImage(), BuiltInIconPixmap(1).toImage());
  EXPECT_EQ(icons.Image(2).toImage().pixelColor(8, 8), QColor(Qt::blue));
  EXPECT_EQ(icons.Image(7).toImage().pixelColor(8, 8), QColor(Qt::yellow));
  EXPECT_TRUE(icons.Image(8).isNull());
  EXPECT_TRUE(icons.Image(9).isNull());
  EXPECT_TRUE(icons.Image(0).isNull());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, dir / "Klcat009.bmp" + " Read Error");
  EXPECT_EQ(dialogs.shown[0].caption, "ERROR");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);

  // A later load discards what the earlier one loaded.
  icons.Load(fs, dialogs, dir.path(), {});
  EXPECT_TRUE(icons.Image(7).isNull());
  EXPECT_EQ(icons.Image(2).toImage().pixelColor(8, 8), QColor(Qt::blue));
}

TEST(QtCategoryCell, DrawsBackgroundFrameIconAndSelection) {
  QImage image(120, 22, QImage::Format_RGB32);
  image.fill(Qt::black);
  CategoryEntry entry;
  entry.name = "";
  entry.back_colour = 0xCCFFFF;  // BGR: light yellow
  QPixmap icon(16, 16);
  icon.fill(Qt::red);
  {
    QPainter painter(&image);
    DrawCategoryCell(painter, image.rect(), entry, icon, kCellIconLeftList, false);
  }
  EXPECT_EQ(image.pixelColor(60, 11), QColor(0xFF, 0xFF, 0xCC));
  EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::gray));
  EXPECT_EQ(image.pixelColor(18, 3), QColor(Qt::red));
  EXPECT_EQ(image.pixelColor(17, 3), QColor(0xFF, 0xFF, 0xCC));

  entry.back_colour.reset();
  {
    QPainter painter(&image);
    DrawCategoryCell(painter, image.rect(), entry, QPixmap(), kCellIconLeftDropDown, true);
  }
  EXPECT_EQ(image.pixelColor(60, 11), QColor(Qt::white));
  // Two pixels of navy along the edge, the cell inside them.
  EXPECT_EQ(image.pixelColor(0, 11), QColor(0, 0, 0x80));
  EXPECT_EQ(image.pixelColor(1, 11), QColor(0, 0, 0x80));
  EXPECT_EQ(image.pixelColor(60, 0), QColor(0, 0, 0x80));
  EXPECT_EQ(image.pixelColor(60, 1), QColor(0, 0, 0x80));
  EXPECT_EQ(image.pixelColor(2, 11), QColor(Qt::white));
}

// Paints row 0 of a one-row model with the delegate into a 120x22 image.
QImage PaintRow(CategoryCellDelegate& delegate, const std::string& line) {
  QStandardItemModel model;
  auto* item = new QStandardItem;
  item->setData(CategoryLineData(line), kCategoryLineRole);
  model.appendRow(item);
  QImage image(120, 22, QImage::Format_RGB32);
  image.fill(Qt::black);
  QStyleOptionViewItem option;
  option.rect = image.rect();
  option.state = QStyle::State_Enabled;
  QPainter painter(&image);
  delegate.paint(&painter, option, model.index(0, 0));
  return image;
}

TEST(QtCategoryCell, DelegateDrawsTheLineOfEachRow) {
  EXPECT_EQ(CategoryLineFromData(CategoryLineData("\x8B\x78\x89\xC9   1")), "\x8B\x78\x89\xC9   1");
  CategoryIcons icons;
  CategoryCellDelegate delegate(&icons, kCellIconLeftDropDown);
  // Background $0000FF (red), icon 1 (the built-in flag) 3 pixels in.
  const std::string line = "Red           1 0000000000000255001";
  QImage image = PaintRow(delegate, line);
  EXPECT_EQ(image.pixelColor(110, 11), QColor(Qt::red));
  int drawn = 0;
  for (int x = 0; x < 16; ++x) drawn += image.pixelColor(3 + x, 8) != QColor(Qt::red);
  EXPECT_GT(drawn, 0);

  // Without icons (the side panel with CatIcon off) the same place keeps the background.
  delegate.SetShowIcons(false);
  image = PaintRow(delegate, line);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(image.pixelColor(3 + x, 8), QColor(Qt::red));

  // A filtered category is asked about with its own line.
  std::string asked;
  delegate.SetGreyed([&](const std::string& l) {
    asked = l;
    return true;
  });
  PaintRow(delegate, line);
  EXPECT_EQ(asked, line);
}

}  // namespace
}  // namespace kal::catalogues
