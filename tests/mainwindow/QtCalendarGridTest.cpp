#include "mainwindow/QtCalendarGrid.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include "catalogues/QtCategoryCell.h"

namespace kal::mainwindow {
namespace {

// A one-row grid of two day cells: a bar across both, a memo corner in the first, the second
// selected.
class QtCalendarGridTest : public ::testing::Test {
 protected:
  QtCalendarGridTest() : settings(store::DefaultSettings(store::SettingsDefaults{"/p/", "IPAexGothic", 9})) {
    grid.SetSources(&settings, nullptr);
    grid.resize(300, 116);
    GridPicture picture;
    picture.column_widths = {150, 150};
    picture.row_heights = {16, 100};
    HeaderCell h;
    h.text = "月曜日";
    picture.headers = {h, h};
    for (int c = 0; c < 2; ++c) {
      CellContents cell;
      cell.back_colour = 0xFFFFFF;
      cell.text_colour = 0;
      cell.date_text = c == 0 ? " 1" : " 2";
      cell.font = ViewFont{"IPAexGothic", 9, 0};
      cell.date_font = cell.font;
      CellLine bar;
      bar.bar = true;
      bar.band = 0;
      bar.span = 2;
      bar.position = c + 1;
      bar.bar_colour = 0x00FF00;  // green
      bar.text_colour = 0;
      bar.bar_style = 1;
      bar.text = "旅";
      bar.entry.index = "0001";
      bar.entry.payload = "01";
      cell.lines.push_back(bar);
      picture.cells.push_back({});
      picture.cells[0].push_back(cell);
    }
    picture.cells.resize(1);
    picture.cells[0][0].memo_icon = true;
    picture.cells[0][0].memo_fill = 0xAAFFFF;
    picture.cells[0][0].memo_outline = 0x008080;
    grid.SetPicture(picture);
    grid.SetSelected(0, 1);
  }
  QImage Render() { return grid.grab().toImage(); }
  static QRgb Rgb(int bgr) { return catalogues::BgrColour(bgr).rgb(); }

  store::Settings settings;
  QtCalendarGrid grid;
};

TEST_F(QtCalendarGridTest, SelectedFrameMemoCornerAndBarFill) {
  const QImage image = Render();
  const QRect first = grid.CellRect(0, 0);
  const QRect second = grid.CellRect(0, 1);
  ASSERT_EQ(first, QRect(0, 16, 150, 100));
  // The selected frame: two pixels of SEL inside the cell's left edge, not on the other cell.
  EXPECT_EQ(image.pixel(second.left() + 1, second.center().y()), Rgb(settings.color.sel.back));
  EXPECT_EQ(image.pixel(second.left() + 2, second.center().y()), Rgb(settings.color.sel.back));
  EXPECT_NE(image.pixel(first.left() + 1, first.center().y()), Rgb(settings.color.sel.back));
  // The memo corner: the square's fill, inside its outline.
  EXPECT_EQ(image.pixel(first.right() - 6, first.bottom() - 12), Rgb(0xAAFFFF));
  EXPECT_EQ(image.pixel(first.right() - 17, first.bottom() - 12), Rgb(0x008080));
  // The bar runs across both cells in its fill colour (past its title).
  auto has_fill = [&](int x) {
    for (int y = first.top(); y < first.bottom(); ++y) {
      if (image.pixel(x, y) == Rgb(0x00FF00)) return true;
    }
    return false;
  };
  EXPECT_TRUE(has_fill(first.right() - 20));
  EXPECT_TRUE(has_fill(second.left() + 30));
  EXPECT_TRUE(has_fill(first.right()));  // over the border between the cells: one bar
}

TEST_F(QtCalendarGridTest, HoverOverABarShowsItsHintAndSwapsItsColours) {
  settings.view.mouse_tip = true;
  int calls = 0;
  CellLine seen;
  grid.item_hint = [&](int, int, const CellLine& line) {
    ++calls;
    seen = line;
    return Hint{" 2026/8/1(土) 旅", 0xF0FBFF};
  };
  int memo_calls = 0;
  grid.memo_hint = [&](int row, int column) {
    ++memo_calls;
    EXPECT_EQ(row, 0);
    EXPECT_EQ(column, 0);
    return Hint{" 8/1 ", 0xAAFFFF};
  };
  QImage image = Render();
  const QRect second = grid.CellRect(0, 1);
  const int x = second.left() + 30;
  int y = -1;
  for (int row = second.top(); row < second.bottom() && y < 0; ++row) {
    if (image.pixel(x, row) == Rgb(0x00FF00)) y = row + 2;
  }
  ASSERT_GE(y, 0);
  auto move = [&](QPoint at) {
    QMouseEvent event(QEvent::MouseMove, QPointF(at), QPointF(grid.mapToGlobal(at)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&grid, &event);
  };
  move(QPoint(x, y));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(seen.bar);
  EXPECT_EQ(seen.text, "旅");
  // The whole bar is highlighted: its fill becomes its text colour (black) in both cells.
  image = Render();
  EXPECT_EQ(image.pixel(x, y), Rgb(0x000000));
  EXPECT_EQ(image.pixel(grid.CellRect(0, 0).right() - 20, y), Rgb(0x000000));
  // The memo corner swaps its colours under the mouse and asks for its own hint.
  const QRect first = grid.CellRect(0, 0);
  move(QPoint(first.right() - 6, first.bottom() - 12));
  EXPECT_EQ(memo_calls, 1);
  image = Render();
  EXPECT_EQ(image.pixel(first.right() - 6, first.bottom() - 12), Rgb(0x008080));
  EXPECT_EQ(image.pixel(x, y), Rgb(0x00FF00));  // the bar is back to its fill
}

TEST_F(QtCalendarGridTest, ABarAcrossRowsIsHighlightedInEveryRow) {
  // The bar goes on from the second cell of the first row to the first cell of a second row.
  GridPicture picture = grid.Picture();
  picture.row_heights = {16, 100, 100};
  picture.cells.push_back(picture.cells[0]);
  picture.cells[0][0].lines.clear();
  picture.cells[0][1].lines[0].position = 1;
  picture.cells[1][0].lines[0].position = 2;
  picture.cells[1][1].lines.clear();
  grid.resize(300, 216);
  grid.SetPicture(picture);
  QImage image = Render();
  const QRect top = grid.CellRect(0, 1);
  const QRect below = grid.CellRect(1, 0);
  const int x = top.left() + 60;
  int y = -1;
  for (int row = top.top(); row < top.bottom() && y < 0; ++row) {
    if (image.pixel(x, row) == Rgb(0x00FF00)) y = row + 2;
  }
  ASSERT_GE(y, 0);
  const int y_below = y - top.top() + below.top();
  EXPECT_EQ(image.pixel(below.left() + 60, y_below), Rgb(0x00FF00));
  QMouseEvent event(QEvent::MouseMove, QPointF(x, y), QPointF(grid.mapToGlobal(QPoint(x, y))), Qt::NoButton,
                    Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&grid, &event);
  image = Render();
  EXPECT_EQ(image.pixel(x, y), Rgb(0x000000));
  EXPECT_EQ(image.pixel(below.left() + 60, y_below), Rgb(0x000000));
}

TEST_F(QtCalendarGridTest, ABlankCellIsNeverSelected) {
  GridPicture picture = grid.Picture();
  picture.cells[0][0] = CellContents{};
  picture.cells[0][0].blank = true;
  picture.cells[0][0].back_colour = kBlankCellColour;
  grid.SetPicture(picture);
  int row = -1;
  int column = -1;
  ASSERT_TRUE(grid.CellAt(QPoint(10, 40), &row, &column));
  EXPECT_EQ(column, 0);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 40), QPointF(10, 40), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&grid, &press);
  EXPECT_EQ(grid.SelectedColumn(), 1);  // unchanged
  QMouseEvent other(QEvent::MouseButtonPress, QPointF(160, 40), QPointF(160, 40), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&grid, &other);
  EXPECT_EQ(grid.SelectedColumn(), 1);
  EXPECT_FALSE(grid.CellAt(QPoint(10, 5), &row, &column));  // the header row
}

}  // namespace
}  // namespace kal::mainwindow
