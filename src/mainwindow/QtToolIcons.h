// The pictures of the main window's toolbar buttons, drawn at run time with QPainter.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace kal::mainwindow {

// The picture of the toolbar button that runs the menu command `action_name` ("MenPrint",
// "MenSchAdd", the view-mode commands "MenDaily" .. "MenYearly2", "MenSatSun" ...), drawn square at
// `size` device pixels; a null pixmap for a name without a picture.
QPixmap ToolIconPixmap(const QString& action_name, int size);

// The same picture as an icon of the 16, 24, 32 and 48 pixel drawings (sharp on high-DPI
// screens), each drawn the first time the icon is shown at that size; a null icon for a name
// without a picture.
QIcon ToolIcon(const QString& action_name);

// Every command name that has a toolbar picture, in toolbar order.
QStringList ToolIconNames();

}  // namespace kal::mainwindow
