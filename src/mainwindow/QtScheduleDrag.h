// Drag and drop of the calendar: a schedule line, a ToDo line or the memo corner of a day cell in
// the main grid, or a block of the timeline, is pressed and dragged onto a day cell of the main
// grid or a half hour of the timeline, where it is moved (or copied with Ctrl held at the drop).
// While the mouse moves, the cell or the half hours the item would take are shown over the
// target with the item's text (the drop preview), and the cursor is the toolkit's move or copy
// cursor. Escape ends a drag without a drop.
//
// The drag never leaves the window: the widget that took the press keeps the mouse, and the
// target is found under the pointer. A drag starts only after a press since the last reload
// (Disarm), so that a repaint under a resting mouse never starts one.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

#include "store/DateText.h"

namespace kal::mainwindow {

class QtCalendarGrid;
class QtTimeline;

// What a press took: a day entry (nothing for the day's memo) seen on a date.
struct DragItem {
  std::optional<std::string> entry;
  store::Date date{};
};

// Where a drop lands: a day, and on the timeline a half hour of it.
struct DropSpot {
  store::Date date{};
  std::optional<int> row;
  int grid_row = -1;     // the main grid's cell, or the timeline's day column
  int grid_column = -1;
  friend bool operator==(const DropSpot&, const DropSpot&) = default;
};

// The preview's text and the half hours it covers on the timeline.
struct DropLook {
  std::string text;
  int rows = 1;
};

struct DragHost {
  QtCalendarGrid* grid = nullptr;
  QtTimeline* timeline = nullptr;
  // Puts the item into the clipboard buffer (a cut, or a copy with Ctrl held); false stops the drag.
  std::function<bool(const DragItem& item, bool copy)> start;
  std::function<DropLook(const DropSpot& spot)> look;
  // The drop: the spot is selected and the buffer pasted there.
  std::function<void(const DropSpot& spot, bool copy)> drop;
  std::function<int()> selection_colour;  // $BBGGRR of the preview
};

// The translucent mark laid over a target widget.
class QtDropPreview : public QWidget {
  Q_OBJECT

 public:
  explicit QtDropPreview(QWidget* target);
  // Marks `area` in the selection colour with the item's text on a label at its top (at its
  // bottom with `label_below`, so that a day cell keeps its date line readable).
  void Show(const QRect& area, const QString& text, int colour, bool label_below = false);
  QRect Area() const { return area_; }
  QString Text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect area_;
  QString text_;
  int colour_ = 0;
  bool label_below_ = false;
};

class QtScheduleDrag : public QObject {
  Q_OBJECT

 public:
  explicit QtScheduleDrag(DragHost host, QObject* parent = nullptr);

  // A reload happened: no drag starts before the next press.
  void Disarm() { armed_ = false; }
  bool Dragging() const { return dragging_; }
  // The spot under a global point; nothing off the day cells.
  std::optional<DropSpot> SpotAt(const QPoint& global) const;
  // The preview over the grid or the timeline (nullptr while none is shown).
  QtDropPreview* Preview() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::optional<DragItem> ItemAt(QObject* source, const QPoint& point) const;
  void Move(const QPoint& global, bool copy);
  void End();

  DragHost host_;
  bool armed_ = false;
  bool dragging_ = false;
  QPoint press_;
  std::optional<DragItem> pressed_;
  std::optional<DropSpot> spot_;
  QPointer<QtDropPreview> grid_preview_;
  QPointer<QtDropPreview> timeline_preview_;
};

}  // namespace kal::mainwindow
