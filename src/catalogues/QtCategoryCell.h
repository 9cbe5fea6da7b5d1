// The one drawing of a category cell, used by the side panel, the category dialog and the
// category drop-downs of the entry dialogs.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRect>

#include "catalogues/Category.h"

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

}  // namespace kal::catalogues
