// A masked password field that takes at most 8 bytes in CP932 (a Japanese character counts two).
#pragma once

#include <QLineEdit>

namespace kal::maintenance {

QLineEdit* MakePasswordEdit(QWidget* parent, const char* name);

}  // namespace kal::maintenance
