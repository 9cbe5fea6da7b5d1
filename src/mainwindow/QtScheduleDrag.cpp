#include "mainwindow/QtScheduleDrag.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "mainwindow/QtCalendarGrid.h"
#include "mainwindow/QtTimeline.h"
#include "mainwindow/GridCommands.h"

namespace kal::mainwindow {
namespace {

QColor Bgr(int bgr, int alpha = 255) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF, alpha); }

std::string EntryText(const DayEntry& e) { return e.key.empty() ? std::string() : e.key + e.kind + e.index + e.payload; }

bool Draggable(const DayEntry& e) {
  const ItemKind kind = ItemKindOf(e.kind);
  return kind == ItemKind::Schedule || kind == ItemKind::Todo;
}

}  // namespace

// ---- The preview -------------------------------------------------------------------------------

QtDropPreview::QtDropPreview(QWidget* target) : QWidget(target) {
  setObjectName(QStringLiteral("DropPreview"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(target->rect());
  hide();
}

void QtDropPreview::Show(const QRect& area, const QString& text, int colour, bool label_below) {
  label_below_ = label_below;
  setGeometry(parentWidget()->rect());
  area_ = area;
  text_ = text;
  colour_ = colour;
  raise();
  show();
  update();
}

void QtDropPreview::paintEvent(QPaintEvent*) {
  if (area_.isEmpty()) return;
  QPainter p(this);
  const QRect r = area_.adjusted(1, 1, -2, -2);
  p.fillRect(r, Bgr(colour_, 70));
  QPen pen(Bgr(colour_), 2, Qt::DashLine);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawRect(r);
  if (text_.isEmpty()) return;
  // The item's text on a label.
  QFont font = p.font();
  font.setBold(true);
  p.setFont(font);
  const QFontMetrics metrics(font);
  const int width = std::min(metrics.horizontalAdvance(text_) + 8, std::max(r.width() - 4, 8));
  const int height = metrics.height() + 2;
  const QRect label(r.left() + 2, label_below_ ? r.bottom() - height - 1 : r.top() + 2, width, height);
  p.fillRect(label, Bgr(colour_));
  p.setPen(Qt::white);
  p.drawText(label.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
             metrics.elidedText(text_, Qt::ElideRight, label.width() - 6));
}

// ---- The drag ----------------------------------------------------------------------------------

QtScheduleDrag::QtScheduleDrag(DragHost host, QObject* parent) : QObject(parent), host_(std::move(host)) {
  if (host_.grid != nullptr) {
    host_.grid->installEventFilter(this);
    grid_preview_ = new QtDropPreview(host_.grid);
  }
  if (host_.timeline != nullptr) {
    host_.timeline->installEventFilter(this);
    timeline_preview_ = new QtDropPreview(host_.timeline);
  }
}

QtDropPreview* QtScheduleDrag::Preview() const {
  if (grid_preview_ && grid_preview_->isVisible()) return grid_preview_;
  if (timeline_preview_ && timeline_preview_->isVisible()) return timeline_preview_;
  return nullptr;
}

std::optional<DragItem> QtScheduleDrag::ItemAt(QObject* source, const QPoint& point) const {
  if (source == host_.grid) {
    int row = -1, column = -1, line = -2;
    if (!host_.grid->LineAt(point, &row, &column, &line)) return std::nullopt;
    const GridPicture& picture = host_.grid->Picture();
    const auto& date = picture.dates.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    if (!date) return std::nullopt;
    const CellContents& cell = picture.cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    if (line == -1) return cell.memo_icon ? std::optional<DragItem>(DragItem{std::nullopt, *date}) : std::nullopt;
    if (line < 0 || static_cast<std::size_t>(line) >= cell.lines.size()) return std::nullopt;
    const DayEntry& entry = cell.lines[static_cast<std::size_t>(line)].entry;
    if (!Draggable(entry)) return std::nullopt;
    return DragItem{EntryText(entry), *date};
  }
  if (source == host_.timeline) {
    int row = 0, column = -1;
    if (!host_.timeline->CellAt(point, &row, &column)) return std::nullopt;
    const int block = host_.timeline->BlockAt(point, column);
    if (block < 0) return std::nullopt;
    const TimelineColumn& day = host_.timeline->Picture().columns.at(static_cast<std::size_t>(column));
    const DayEntry& entry = day.looks.at(static_cast<std::size_t>(block)).entry;
    if (!Draggable(entry)) return std::nullopt;
    return DragItem{EntryText(entry), day.date};
  }
  return std::nullopt;
}

std::optional<DropSpot> QtScheduleDrag::SpotAt(const QPoint& global) const {
  if (QtTimeline* t = host_.timeline; t != nullptr && t->isVisible()) {
    const QWidget* viewport = t->parentWidget();
    if (viewport != nullptr && viewport->rect().contains(viewport->mapFromGlobal(global))) {
      int row = 0, column = -1;
      if (!t->CellAt(t->mapFromGlobal(global), &row, &column)) return std::nullopt;
      DropSpot spot;
      spot.date = t->Picture().columns.at(static_cast<std::size_t>(column)).date;
      spot.row = row;
      spot.grid_row = row;
      spot.grid_column = column;
      return spot;
    }
  }
  if (QtCalendarGrid* g = host_.grid; g != nullptr && g->isVisible()) {
    const QPoint point = g->mapFromGlobal(global);
    int row = -1, column = -1;
    if (!g->rect().contains(point) || !g->CellAt(point, &row, &column)) return std::nullopt;
    const GridPicture& picture = g->Picture();
    if (picture.cells.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)).blank) return std::nullopt;
    const auto& date = picture.dates.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    if (!date) return std::nullopt;
    DropSpot spot;
    spot.date = *date;
    spot.grid_row = row;
    spot.grid_column = column;
    return spot;
  }
  return std::nullopt;
}

void QtScheduleDrag::Move(const QPoint& global, bool copy) {
  QGuiApplication::changeOverrideCursor(copy ? Qt::DragCopyCursor : Qt::DragMoveCursor);
  const std::optional<DropSpot> spot = SpotAt(global);
  const bool changed = !(spot == spot_);
  spot_ = spot;
  if (!changed && Preview() != nullptr) return;
  if (grid_preview_) grid_preview_->hide();
  if (timeline_preview_) timeline_preview_->hide();
  if (!spot) return;
  const DropLook look = host_.look ? host_.look(*spot) : DropLook{};
  const int colour = host_.selection_colour ? host_.selection_colour() : 0x0000FF;
  const QString text = QString::fromStdString(look.text);
  if (spot->row && timeline_preview_) {
    QRect area = host_.timeline->CellRect(*spot->row, spot->grid_column);
    for (int r = 1; r < look.rows; ++r) area = area.united(host_.timeline->CellRect(*spot->row + r, spot->grid_column));
    timeline_preview_->Show(area, text, colour);
  } else if (!spot->row && grid_preview_) {
    grid_preview_->Show(host_.grid->CellRect(spot->grid_row, spot->grid_column), text, colour, true);
  }
}

void QtScheduleDrag::End() {
  if (dragging_) QGuiApplication::restoreOverrideCursor();
  dragging_ = false;
  pressed_.reset();
  spot_.reset();
  if (grid_preview_) grid_preview_->hide();
  if (timeline_preview_) timeline_preview_->hide();
}

bool QtScheduleDrag::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (dragging_) return true;
      pressed_.reset();
      if (mouse->button() != Qt::LeftButton) break;
      armed_ = true;
      press_ = mouse->globalPosition().toPoint();
      pressed_ = ItemAt(watched, mouse->position().toPoint());
      break;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint global = mouse->globalPosition().toPoint();
      const bool copy = (mouse->modifiers() & Qt::ControlModifier) != 0;
      if (dragging_) {
        Move(global, copy);
        return true;
      }
      if (!pressed_ || !armed_ || (global - press_).manhattanLength() < QApplication::startDragDistance()) break;
      const DragItem item = *pressed_;
      pressed_.reset();
      if (!host_.start || !host_.start(item, copy)) break;
      dragging_ = true;
      QGuiApplication::setOverrideCursor(copy ? Qt::DragCopyCursor : Qt::DragMoveCursor);
      Move(global, copy);
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      pressed_.reset();
      if (!dragging_ || mouse->button() != Qt::LeftButton) break;
      const std::optional<DropSpot> spot = SpotAt(mouse->globalPosition().toPoint());
      const bool copy = (mouse->modifiers() & Qt::ControlModifier) != 0;
      End();
      if (spot && host_.drop) host_.drop(*spot, copy);
      return true;
    }
    case QEvent::KeyPress:
      if (dragging_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        End();
        return true;
      }
      break;
    default: break;
  }
  return false;
}

}  // namespace kal::mainwindow
