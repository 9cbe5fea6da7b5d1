#include "mainwindow/QtTimeline.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

#include "catalogues/QtCategoryCell.h"
#include "mainwindow/QtCalendarGrid.h"

namespace kal::mainwindow {
namespace {

QColor C(int bgr) { return catalogues::BgrColour(bgr); }
QString Q(const std::string& s) { return QString::fromStdString(s); }

// A shade: each channel less that of `grey`, stopping at zero.
int Darker(int bgr, int grey) {
  int out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int channel = std::max(0, ((bgr >> shift) & 0xFF) - ((grey >> shift) & 0xFF));
    out |= channel << shift;
  }
  return out;
}

}  // namespace

QtTimeline::QtTimeline(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("GrdVer"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void QtTimeline::SetSources(const store::Settings* settings, const catalogues::CategoryIcons* icons) {
  settings_ = settings;
  icons_ = icons;
}

void QtTimeline::SetPicture(TimelinePicture picture) {
  picture_ = std::move(picture);
  hover_column_ = -1;
  hover_block_ = -1;
  if (current_row_ >= Rows()) current_row_ = Rows() - 1;
  if (current_column_ >= static_cast<int>(picture_.columns.size())) current_column_ = static_cast<int>(picture_.columns.size()) - 1;
  setMinimumHeight(sizeHint().height());
  updateGeometry();
  update();
}

QSize QtTimeline::sizeHint() const {
  int w = 0;
  for (int c : picture_.column_widths) w += c;
  return {w, Rows() * std::max(1, picture_.row_height)};
}

std::optional<std::pair<int, int>> QtTimeline::SelectedRows() const {
  if (range_end_ < 0 || anchor_row_ < 0 || range_end_ == anchor_row_) return std::nullopt;
  return std::make_pair(anchor_row_, range_end_);
}

void QtTimeline::ClearRange() {
  range_end_ = -1;
  update();
}

void QtTimeline::SetCurrent(int row, int column) {
  if (column != current_column_) range_end_ = -1;  // a range lies in one day's column
  current_row_ = std::clamp(row, -1, Rows() - 1);
  current_column_ = std::clamp(column, -1, static_cast<int>(picture_.columns.size()) - 1);
  update();
}

int QtTimeline::ColumnLeft(int grid_column) const {
  int x = 0;
  for (int c = 0; c < grid_column && c < static_cast<int>(picture_.column_widths.size()); ++c)
    x += picture_.column_widths[static_cast<std::size_t>(c)];
  return x;
}

QRect QtTimeline::CellRect(int row, int column) const {
  const int grid_column = column + 1;
  if (row < 0 || column < 0 || row >= Rows() || grid_column >= static_cast<int>(picture_.column_widths.size())) return {};
  return QRect(ColumnLeft(grid_column), row * picture_.row_height,
               picture_.column_widths[static_cast<std::size_t>(grid_column)], picture_.row_height);
}

QRect QtTimeline::BlockRect(int column, int block) const {
  if (column < 0 || column >= static_cast<int>(picture_.columns.size())) return {};
  const auto& blocks = picture_.columns[static_cast<std::size_t>(column)].placed.blocks;
  if (block < 0 || block >= static_cast<int>(blocks.size())) return {};
  const int grid_column = column + 1;
  if (grid_column >= static_cast<int>(picture_.column_widths.size())) return {};
  const mainwindow::BlockRect r = BlockRectOf(blocks[static_cast<std::size_t>(block)], ColumnLeft(grid_column),
                                              picture_.column_widths[static_cast<std::size_t>(grid_column)],
                                              picture_.row_height);
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

bool QtTimeline::CellAt(const QPoint& point, int* row, int* column) const {
  if (point.y() < 0 || picture_.row_height <= 0) return false;
  const int r = point.y() / picture_.row_height;
  if (r >= Rows()) return false;
  for (int c = 0; c < static_cast<int>(picture_.columns.size()); ++c) {
    const QRect cell = CellRect(r, c);
    if (point.x() >= cell.left() && point.x() <= cell.right()) {
      *row = r;
      *column = c;
      return true;
    }
  }
  return false;
}

int QtTimeline::BlockAt(const QPoint& point, int column) const {
  if (!picture_.schedules || column < 0 || column >= static_cast<int>(picture_.columns.size())) return -1;
  const auto& blocks = picture_.columns[static_cast<std::size_t>(column)].placed.blocks;
  for (int b = static_cast<int>(blocks.size()) - 1; b >= 0; --b)
    if (BlockRect(column, b).contains(point)) return b;
  return -1;
}

void QtTimeline::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), C(kBlankCellColour));
  if (settings_ == nullptr || picture_.column_widths.empty()) return;
  PaintAxis(p);
  for (int c = 0; c < static_cast<int>(picture_.columns.size()); ++c) PaintColumn(p, c);
  if (picture_.schedules) {
    for (int c = 0; c < static_cast<int>(picture_.columns.size()); ++c) {
      const auto& blocks = picture_.columns[static_cast<std::size_t>(c)].placed.blocks;
      for (int b = 0; b < static_cast<int>(blocks.size()); ++b) PaintBlock(p, c, b, c == hover_column_ && b == hover_block_);
    }
  }
  // The current-time line: 2 pixels across the day column, 1 across the time axis.
  if (picture_.now) {
    const int y = NowLineY(*picture_.now, picture_.row_height);
    const QColor colour = C(settings_->color.tod.text);
    const QRect cell = CellRect(picture_.now->row(), picture_.now->column);
    if (!cell.isEmpty()) {
      p.fillRect(QRect(cell.left(), y - 1, cell.width() - 1, 2), colour);
      p.fillRect(QRect(0, y, picture_.column_widths[0], 1), colour);
    }
  }
}

void QtTimeline::PaintAxis(QPainter& p) {
  const store::ColourPair& vhd = settings_->color.vhd;
  const int w = picture_.column_widths[0];
  p.fillRect(QRect(0, 0, w, Rows() * picture_.row_height), C(vhd.back));
  QFont font = ViewQFont(picture_.date_font, 9);
  font.setBold(false);
  p.setFont(font);
  for (int r = 0; r < Rows(); r += 2) {
    const QRect hour(0, r * picture_.row_height, w - 1, 2 * picture_.row_height);
    p.setPen(C(vhd.text));
    p.drawText(hour, Qt::AlignCenter, Q(AxisLabel(picture_.settings.range, r)));
    p.setPen(C(settings_->color.lin.text));
    p.drawLine(0, hour.bottom(), w - 1, hour.bottom());
  }
  p.setPen(C(settings_->color.lin.text));
  p.drawLine(w - 1, 0, w - 1, Rows() * picture_.row_height);
}

void QtTimeline::PaintColumn(QPainter& p, int column) {
  const TimelineColumn& day = picture_.columns[static_cast<std::size_t>(column)];
  const bool last_column = column + 1 == static_cast<int>(picture_.columns.size());
  for (int r = 0; r < Rows(); ++r) {
    const QRect cell = CellRect(r, column);
    if (cell.isEmpty()) continue;
    int back = day.back_colour;
    if (RowShaded(picture_.settings, r)) back = Darker(back, 0x161616);
    const auto range = SelectedRows();
    const bool in_range = range && column == current_column_ && r >= std::min(range->first, range->second) &&
                          r <= std::max(range->first, range->second);
    if (in_range || (r == current_row_ && column == current_column_ && hasFocus())) back = settings_->color.sel.back;
    p.fillRect(cell, C(back));
    // The line under each full hour (black after 11 and 23 o'clock) and at the cell's right.
    if (r % 2 == 1) {
      const int hour = RowHour(picture_.settings.range, r);
      p.setPen(hour == 11 || hour == 23 ? QColor(Qt::black) : C(settings_->color.lin.text));
      p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
    }
    p.setPen(last_column ? QColor(Qt::black) : C(settings_->color.lin.text));
    p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
  }
}

void QtTimeline::PaintBlock(QPainter& p, int column, int block, bool highlighted) {
  const TimelineColumn& day = picture_.columns[static_cast<std::size_t>(column)];
  const BlockLook& look = day.looks[static_cast<std::size_t>(block)];
  const PlacedBlock& placed = day.placed.blocks[static_cast<std::size_t>(block)];
  const QRect r = BlockRect(column, block);
  if (r.isEmpty()) return;
  int text = look.text_colour;
  int back = look.back_colour;
  if (highlighted) std::swap(text, back);
  const int outline = Darker(back, 0x646464);
  p.save();
  p.setRenderHint(QPainter::Antialiasing, picture_.settings.round);
  p.setPen(QPen(C(outline), 1));
  p.setBrush(C(back));
  if (picture_.settings.round) {
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
  } else {
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }
  p.setRenderHint(QPainter::Antialiasing, false);
  // Half-hour lines across the block in darker shades of its colour.
  if (picture_.settings.trans && !highlighted) {
    for (int row = placed.start_row; row < placed.end_row; ++row) {
      const int y = (row + 1) * picture_.row_height - 1;
      if (y <= r.top() + 1 || y >= r.bottom() - 1) continue;
      p.setPen(C(Darker(back, row % 2 == 1 ? 0x282828 : 0x121212)));
      p.drawLine(r.left() + 1, y, r.right() - 1, y);
    }
  }
  // Icons, then the text word-wrapped, inset 4 pixels left and right and 2 top and bottom.
  QRect inner = r.adjusted(4, 2, -4, -2);
  p.setClipRect(r.adjusted(1, 1, -1, -1));
  if (look.icon.source != IconRef::Source::None) {
    const QPixmap icon = ItemIconPixmap(look.icon, icons_);
    if (!icon.isNull()) {
      p.drawPixmap(QRect(inner.left(), inner.top(), 16, 16), icon);
      inner.setLeft(inner.left() + 16);
    }
  }
  p.setPen(C(text));
  p.setFont(ViewQFont(picture_.font, 0, look.style));
  p.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Q(look.text));
  p.restore();
}

void QtTimeline::mousePressEvent(QMouseEvent* event) {
  setFocus();
  int row = 0, column = 0;
  if (!CellAt(event->pos(), &row, &column)) return;
  MoveTo(row, column, (event->modifiers() & Qt::ShiftModifier) != 0);
}

void QtTimeline::MoveTo(int row, int column, bool extend) {
  if (extend && column == current_column_) {
    if (anchor_row_ < 0) anchor_row_ = std::max(current_row_, 0);
    range_end_ = row;
  } else {
    anchor_row_ = row;
    range_end_ = -1;
  }
  SetCurrent(row, column);
  emit CellClicked(row, column);
}

void QtTimeline::mouseDoubleClickEvent(QMouseEvent* event) {
  int row = 0, column = 0;
  if (!CellAt(event->pos(), &row, &column)) return;
  SetCurrent(row, column);
  Activate(row, column, BlockAt(event->pos(), column));
}

void QtTimeline::Activate(int row, int column, int block) {
  if (block >= 0) {
    emit BlockDoubleClicked(column, block);
  } else {
    emit CellDoubleClicked(row, column);
  }
}

void QtTimeline::mouseMoveEvent(QMouseEvent* event) {
  int row = 0, column = -1;
  int block = -1;
  if (CellAt(event->pos(), &row, &column)) block = BlockAt(event->pos(), column);
  // Dragging with the button held selects a range of half hours in the current column.
  if ((event->buttons() & Qt::LeftButton) && column >= 0 && column == current_column_ && anchor_row_ >= 0 &&
      row != range_end_) {
    range_end_ = row;
    current_row_ = row;
    update();
  }
  const bool now_cell = picture_.now && column == picture_.now->column && row == picture_.now->row();
  if (block != hover_block_ || column != hover_column_) {
    hover_block_ = block;
    hover_column_ = block >= 0 ? column : -1;
    update();
  }
  if (settings_ != nullptr && !settings_->view.mouse_tip) return;
  if (block >= 0 && block_hint) {
    const Hint hint = block_hint(column, picture_.columns[static_cast<std::size_t>(column)].looks[static_cast<std::size_t>(block)]);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, C(hint.colour));
    QToolTip::setPalette(palette);
    QToolTip::showText(event->globalPosition().toPoint(), TipText(hint.text), this, BlockRect(column, block));
  } else if (now_cell) {
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, C(0xF0FBFF));
    QToolTip::setPalette(palette);
    QToolTip::showText(event->globalPosition().toPoint(), Q(picture_.now_text), this, CellRect(row, column));
  } else {
    QToolTip::hideText();
  }
}

void QtTimeline::leaveEvent(QEvent*) {
  if (hover_block_ >= 0) {
    hover_block_ = -1;
    hover_column_ = -1;
    update();
  }
  QToolTip::hideText();
}

void QtTimeline::keyPressEvent(QKeyEvent* event) {
  const int columns = static_cast<int>(picture_.columns.size());
  int row = std::max(current_row_, 0);
  int column = std::max(current_column_, 0);
  switch (event->key()) {
    case Qt::Key_Up:
      if (row == 0) {
        emit LeaveTop();
        return;
      }
      --row;
      break;
    case Qt::Key_Down: row = std::min(row + 1, Rows() - 1); break;
    case Qt::Key_Left: column = std::max(column - 1, 0); break;
    case Qt::Key_Right: column = std::min(column + 1, std::max(columns - 1, 0)); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      int block = -1;
      if (column < columns) {
        const auto& rows = picture_.columns[static_cast<std::size_t>(column)].placed.rows;
        if (row < static_cast<int>(rows.size()) && !rows[static_cast<std::size_t>(row)].empty() && picture_.schedules)
          block = rows[static_cast<std::size_t>(row)].front();
      }
      Activate(row, column, block);
      return;
    }
    default: QWidget::keyPressEvent(event); return;
  }
  MoveTo(row, column, (event->modifiers() & Qt::ShiftModifier) != 0);
}

void QtTimeline::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void QtTimeline::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}

}  // namespace kal::mainwindow
