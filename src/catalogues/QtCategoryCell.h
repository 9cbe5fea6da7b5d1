// The one drawing of a category cell, used by the side panel, the category dialog and the
// category drop-downs of the entry dialogs.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QStyledItemDelegate>
#include <functional>
#include <string>

#include "catalogues/Category.h"
#include "catalogues/QtCategoryIcons.h"

namespace kal::catalogues {

// A colour value in blue-green-red order as a QColor.
QColor BgrColour(int bgr);

inline constexpr int kCellIconLeftList = 18;     // side panel and category dialog
inline constexpr int kCellIconLeftDropDown = 3;  // drop-downs of the entry dialogs

// Fills the cell with the background colour (white when none) inside a grey frame, draws the
// name centred in the text colour (black when none; grey when `grey_text`, for a category the
// current view mode filters out), the icon (when not null) `icon_left` pixels in from the left,
// centred vertically, and a 2-pixel navy frame when the cell is selected.
void DrawCategoryCell(QPainter& painter, const QRect& rect, const CategoryEntry& entry, const QPixmap& icon,
                      int icon_left, bool selected, bool grey_text = false);

// Item views (the side panel's list, the dialog's list, the drop-downs) carry each row's
// Category.tbl line in this role; the CP932 bytes travel as Latin-1 so that none changes.
inline constexpr int kCategoryLineRole = Qt::UserRole + 1;
QVariant CategoryLineData(const std::string& line);
std::string CategoryLineFromData(const QVariant& data);

// Draws the rows of an item view as category cells. A checkable row gets its check box at the
// left and the cell to the right of it.
class CategoryCellDelegate : public QStyledItemDelegate {
 public:
  // `icons` may be null (no icons); it must outlive the delegate.
  CategoryCellDelegate(const CategoryIcons* icons, int icon_left, QObject* parent = nullptr);

  // The side panel shows icons only with the setting View/CatIcon.
  void SetShowIcons(bool show) { show_icons_ = show; }
  // Rows for which `greyed` answers true are drawn with grey text (categories the current view
  // mode filters out, in the drop-downs of the entry dialogs).
  void SetGreyed(std::function<bool(const std::string& line)> greyed) { greyed_ = std::move(greyed); }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const CategoryIcons* icons_;
  int icon_left_;
  bool show_icons_ = true;
  std::function<bool(const std::string& line)> greyed_;
};

}  // namespace kal::catalogues
