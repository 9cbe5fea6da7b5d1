#include "mainwindow/QtToolIcons.h"

#include <QIcon>
#include <QImage>

#include <gtest/gtest.h>

namespace kal::mainwindow {
namespace {

// Pixels that are not fully transparent.
int Painted(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) ++count;
  return count;
}

TEST(QtToolIconsTest, EveryToolbarCommandHasAPictureAtEachSize) {
  const QStringList names = ToolIconNames();
  // Every button of the toolbar except the separators.
  const QStringList expected = {
      "MenPrint",       "MenPreview",      "MenSchAdd",      "MenMemoEdit",    "MenTodoAdd",     "MenNoteEdit",
      "MenSchList",     "MenHolidayList",  "MenMemoList",    "MenTodoList",    "MenWeatherList", "MenDaily",
      "MenVertical",    "MenWeekly",       "MenMonthly",     "MenYearly",      "MenMonthly2",    "MenMonthly3",
      "MenYearly2",     "MenSatSun",       "MenSatSunNo",    "MenAutoWidth",   "MenCr",          "MenSchListView",
      "MenUnderPanel",  "MenSidePanel",    "MenPanelMode",   "MenMiniMode",    "MenTray",        "MenCatChecked",
      "MenCatUnchecked", "MenCatAll",      "MenSearch",      "MenTimeSignal",  "MenRefresh",     "MenLinePitch",
      "MenCategory",    "MenSetup"};
  EXPECT_EQ(names, expected);
  for (const QString& name : expected) {
    SCOPED_TRACE(name.toStdString());
    for (int size : {16, 32}) {
      const QPixmap pixmap = ToolIconPixmap(name, size);
      ASSERT_FALSE(pixmap.isNull());
      EXPECT_EQ(pixmap.size(), QSize(size, size));
      const int painted = Painted(pixmap.toImage());
      // A real picture: neither empty nor a filled square.
      EXPECT_GT(painted, size * size / 8);
      EXPECT_LT(painted, size * size);
    }
    const QIcon icon = ToolIcon(name);
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
  }
}

TEST(QtToolIconsTest, ThePicturesDifferFromEachOther) {
  const QStringList names = ToolIconNames();
  for (int size : {16, 32}) {
    std::vector<QImage> images;
    for (const QString& name : names) images.push_back(ToolIconPixmap(name, size).toImage());
    for (std::size_t i = 0; i < images.size(); ++i)
      for (std::size_t j = i + 1; j < images.size(); ++j)
        EXPECT_NE(images[i], images[j]) << names[int(i)].toStdString() << " / " << names[int(j)].toStdString();
  }
}

TEST(QtToolIconsTest, TheLargeDrawingIsDrawnAgainNotEnlarged) {
  // The 32-pixel picture has more detail than the 16-pixel one blown up.
  const QImage small = ToolIconPixmap("MenSetup", 16).toImage();
  const QImage large = ToolIconPixmap("MenSetup", 32).toImage();
  EXPECT_NE(small.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(large.format()), large);
}

// The icon draws each size when it is first shown at it: the same picture as drawn directly,
// and a disabled look that differs from the normal one.
TEST(QtToolIconsTest, TheIconShowsTheDrawingOfTheSizeAskedFor) {
  for (const QString& name : {QStringLiteral("MenPrint"), QStringLiteral("MenYearly2")}) {
    SCOPED_TRACE(name.toStdString());
    const QIcon icon = ToolIcon(name);
    for (int size : {16, 24, 32, 48}) {
      const QImage shown = icon.pixmap(QSize(size, size)).toImage();
      const QImage drawn = ToolIconPixmap(name, size).toImage();
      EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied))
          << size;
    }
    const QImage normal = icon.pixmap(QSize(24, 24), QIcon::Normal).toImage();
    const QImage disabled = icon.pixmap(QSize(24, 24), QIcon::Disabled).toImage();
    EXPECT_EQ(disabled.size(), QSize(24, 24));
    EXPECT_NE(disabled.convertToFormat(normal.format()), normal);
  }
}

TEST(QtToolIconsTest, AnUnknownNameHasNoPicture) {
  EXPECT_TRUE(ToolIcon("MenNothing").isNull());
  EXPECT_TRUE(ToolIconPixmap("MenNothing", 16).isNull());
  EXPECT_TRUE(ToolIconPixmap("MenPrint", 0).isNull());
}

}  // namespace
}  // namespace kal::mainwindow
