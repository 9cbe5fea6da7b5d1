// The owner-drawn calendar grid: paints the header row, the week-number column and the day cells
// that the core's cell rule computed, the multi-day bars across cells, the memo corner, day
// marks, the selected frame and the hover highlight, and shows the item tooltips.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mainwindow/CellContents.h"
#include "store/Settings.h"

namespace kal::catalogues {
class CategoryIcons;
}

namespace kal::mainwindow {

// A view font as a toolkit font: its name and size (or `size_override`), its style bits and
// `extra_style` added.
QFont ViewQFont(const ViewFont& setting, int size_override = 0, int extra_style = 0);
// The picture of an item icon: a category's own icon or its built-in drawing, or a small image.
QPixmap ItemIconPixmap(const IconRef& icon, const catalogues::CategoryIcons* icons);
// The text of a tip: lines carried with a carriage return become line breaks.
QString TipText(const std::string& text);

// Everything the grid paints.
struct GridPicture {
  std::vector<int> column_widths;  // every column, the fixed one first
  std::vector<int> row_heights;    // every row, the header first
  int fixed_columns = 0;
  std::vector<HeaderCell> headers;           // per day column
  std::vector<std::string> row_labels;       // per data row: the week number
  std::vector<std::vector<CellContents>> cells;  // [data row][day column]
  std::vector<std::vector<std::optional<Date>>> dates;
  bool mini = false;
  bool label_highlight = false;  // the selected cell's row and column labels on $87D0F6 (modes 5 to 8)
};

class QtCalendarGrid : public QWidget {
  Q_OBJECT

 public:
  explicit QtCalendarGrid(QWidget* parent = nullptr);

  // The settings give the colours and fonts of the grid lines, header and marks; the icons the
  // category pictures. Both must outlive the grid.
  void SetSources(const store::Settings* settings, const catalogues::CategoryIcons* icons);
  void SetPicture(GridPicture picture);
  const GridPicture& Picture() const { return picture_; }

  // The selected day cell (data row and day column, 0-based); -1 for none.
  void SetSelected(int row, int column);
  int SelectedRow() const { return selected_row_; }
  int SelectedColumn() const { return selected_column_; }

  // The rectangle of a day cell (data row, day column) in widget coordinates.
  QRect CellRect(int row, int column) const;
  // The day cell under a point; false when the point is on the header, the fixed column or
  // outside.
  bool CellAt(const QPoint& point, int* row, int* column) const;
  // The item line under a point as of the last repaint: its index in the cell's lines, -1 for the
  // memo corner; false when the point is on no item.
  bool LineAt(const QPoint& point, int* row, int* column, int* line) const;

  // Tooltips of an item line and of the memo corner; the grid shows no tip without them.
  std::function<Hint(int row, int column, const CellLine& line)> item_hint;
  std::function<Hint(int row, int column)> memo_hint;
  // The widest item line of the selected cell and the height its lines need, measured at the
  // last repaint (for automatic width and height).
  int WidestSelectedItem() const { return widest_; }
  int NeededHeight(int row, int column) const;
  int HoverRow() const { return hover_row_; }
  int HoverColumn() const { return hover_column_; }

 signals:
  void CellClicked(int row, int column);
  // A double click on an empty part of a day cell (not on an item line, the memo corner or a bar).
  void CellDoubleClicked(int row, int column);
  // A double click on an item line (`line` its index in the cell's lines) or the memo corner
  // (`line` -1).
  void ItemDoubleClicked(int row, int column, int line);
  // The day cell under the mouse changed (-1, -1 when the mouse left the cells).
  void HoverCellChanged(int row, int column);
  // A repaint measured heights of the cells' lines different from the repaint before.
  void LinesMeasured();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  struct LineSpot {
    QRect rect;
    int row;
    int column;
    int line;  // index in the cell's lines; -1 for the memo corner, kWeatherSpot for the weather marks
  };
  static constexpr int kWeatherSpot = -2;
  void PaintHeader(QPainter& p, int column, const QRect& rect);
  void PaintRowLabel(QPainter& p, int row, const QRect& rect);
  void PaintCell(QPainter& p, int row, int column, const QRect& rect);
  void PaintBars(QPainter& p);
  int ColumnLeft(int column) const;
  int RowTop(int row) const;
  int DateLineHeight() const;
  int LineHeight(const CellContents& cell) const;
  // `b` continues the bar `a` on the next day.
  bool SameBar(const CellLine& a, const CellLine& b) const;
  // Both lines are pieces of the same multi-day schedule.
  bool SameSchedule(const CellLine& a, const CellLine& b) const;
  const CellLine* HoveredLine() const;
  void UpdateHover(const QPoint& point);

  const store::Settings* settings_ = nullptr;
  const catalogues::CategoryIcons* icons_ = nullptr;
  GridPicture picture_;
  int selected_row_ = -1;
  int selected_column_ = -1;
  std::vector<LineSpot> spots_;
  std::optional<LineSpot> hover_;
  int hover_row_ = -1;
  int hover_column_ = -1;
  int widest_ = 0;
  std::vector<std::vector<int>> needed_;  // [row][column] height the lines need
};

}  // namespace kal::mainwindow
