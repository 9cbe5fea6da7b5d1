// The timeline grid `GrdVer` of the vertical views: the time axis, a column of half-hour rows per
// day with core-hour shading and hour lines, the placed blocks drawn in their category colours
// with icons, hover highlight and tooltips, the current-time line, the current half hour, and the
// clicks, double clicks and keys on it. It sits in the scroll box `ScrVer`; the placement and all
// sizes come from the core (Timeline.h, TimelineDays.h).
#pragma once

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mainwindow/CellContents.h"
#include "mainwindow/TimelineDays.h"
#include "store/Settings.h"

namespace kal::catalogues {
class CategoryIcons;
}

namespace kal::mainwindow {

struct TimelinePicture {
  TimelineSettings settings;
  std::vector<int> column_widths;  // the time axis first, then one per day column
  int row_height = 15;
  std::vector<TimelineColumn> columns;
  std::optional<NowSpot> now;      // the current-time line, when it is drawn
  std::string now_text;            // "h:nn", the tip over the line's cell
  ViewFont font;                   // the view font of the block texts
  ViewFont date_font;              // the Date font of the axis labels
  bool alarm_icons = false;        // "- アラームアイコン"
  bool schedules = true;           // "スケジュール": blocks drawn at all
};

class QtTimeline : public QWidget {
  Q_OBJECT

 public:
  explicit QtTimeline(QWidget* parent = nullptr);

  // The settings give the colours; the icons the category pictures. Both must outlive the grid.
  void SetSources(const store::Settings* settings, const catalogues::CategoryIcons* icons);
  void SetPicture(TimelinePicture picture);
  const TimelinePicture& Picture() const { return picture_; }

  // The current half hour (row) in a day column (0-based); -1 for none.
  void SetCurrent(int row, int column);
  int CurrentRow() const { return current_row_; }
  int CurrentColumn() const { return current_column_; }
  // The range of half hours selected in the current column by dragging or Shift+click (first and
  // last row as selected, in either order); nothing when a single half hour is current.
  std::optional<std::pair<int, int>> SelectedRows() const;
  void ClearRange();

  // The rectangle of a half-hour cell (row, day column) and the block's rectangle, in widget
  // coordinates.
  QRect CellRect(int row, int column) const;
  QRect BlockRect(int column, int block) const;
  // The cell and the block under a point (block -1 when on none); false off the day cells.
  bool CellAt(const QPoint& point, int* row, int* column) const;
  int BlockAt(const QPoint& point, int column) const;

  // The tooltip of a block.
  std::function<Hint(int column, const BlockLook& look)> block_hint;

  QSize sizeHint() const override;

 signals:
  void CellClicked(int row, int column);
  // A double click (or Enter) on a half hour with no block.
  void CellDoubleClicked(int row, int column);
  // A double click (or Enter) on a block: `block` indexes the column's placed blocks.
  void BlockDoubleClicked(int column, int block);
  // Up in the first row: the header takes the focus.
  void LeaveTop();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int ColumnLeft(int grid_column) const;
  int Rows() const { return picture_.settings.range.rows(); }
  void PaintAxis(QPainter& p);
  void PaintColumn(QPainter& p, int column);
  void PaintBlock(QPainter& p, int column, int block, bool highlighted);
  void Activate(int row, int column, int block);
  // Makes a half hour current; `extend` (Shift) stretches the range from its anchor instead.
  void MoveTo(int row, int column, bool extend);

  const store::Settings* settings_ = nullptr;
  const catalogues::CategoryIcons* icons_ = nullptr;
  TimelinePicture picture_;
  int current_row_ = -1;
  int current_column_ = -1;
  int anchor_row_ = -1;  // where the range selection started
  int range_end_ = -1;   // the other end of the range; -1 for no range
  int hover_column_ = -1;
  int hover_block_ = -1;
};

}  // namespace kal::mainwindow
