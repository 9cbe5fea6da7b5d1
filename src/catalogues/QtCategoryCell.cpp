#include "catalogues/QtCategoryCell.h"

#include <QApplication>
#include <QString>
#include <QStyle>

namespace kal::catalogues {

QColor BgrColour(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void DrawCategoryCell(QPainter& painter, const QRect& rect, const CategoryEntry& entry, const QPixmap& icon,
                      int icon_left, bool selected, bool grey_text) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(rect, entry.back_colour ? BgrColour(*entry.back_colour) : QColor(Qt::white));
  painter.setPen(QPen(QColor(Qt::gray), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
  if (!icon.isNull()) {
    const int top = rect.top() + (rect.height() - icon.height()) / 2;
    painter.drawPixmap(rect.left() + icon_left, top, icon);
  }
  QColor text = entry.text_colour ? BgrColour(*entry.text_colour) : QColor(Qt::black);
  if (grey_text) text = QColor(Qt::gray);
  painter.setPen(text);
  painter.drawText(rect, Qt::AlignCenter, QString::fromStdString(entry.name));
  if (selected) {
    painter.setPen(QPen(BgrColour(0x800000), 2));
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
  }
  painter.restore();
}

QVariant CategoryLineData(const std::string& line) {
  return QString::fromLatin1(line.data(), static_cast<int>(line.size()));
}

std::string CategoryLineFromData(const QVariant& data) { return data.toString().toLatin1().toStdString(); }

CategoryCellDelegate::CategoryCellDelegate(const CategoryIcons* icons, int icon_left, QObject* parent)
    : QStyledItemDelegate(parent), icons_(icons), icon_left_(icon_left) {}

void CategoryCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  QStyleOptionViewItem opt(option);
  initStyleOption(&opt, index);
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  QRect cell = option.rect;
  if (opt.features & QStyleOptionViewItem::HasCheckIndicator) {
    const QRect check = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
    QStyleOptionViewItem box(opt);
    box.rect = check;
    box.state = box.state & ~QStyle::State_HasFocus;
    box.state |= opt.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, widget);
    cell.setLeft(check.right() + 3);
  }
  const std::string line = CategoryLineFromData(index.data(kCategoryLineRole));
  const CategoryEntry entry = ReadCategoryLine(line);
  const QPixmap icon = icons_ && show_icons_ ? icons_->Image(entry.icon) : QPixmap();
  DrawCategoryCell(*painter, cell, entry, icon, icon_left_, (option.state & QStyle::State_Selected) != 0,
                   greyed_ && greyed_(line));
}

QSize CategoryCellDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  return QSize(size.width(), std::max(size.height(), 22));
}

}  // namespace kal::catalogues
