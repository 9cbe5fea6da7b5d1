// What the two password dialogs share: a masked password field that takes at most 8 bytes in
// CP932 (a Japanese character counts two), and their OK / キャンセル row.
#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kal::maintenance {

QLineEdit* MakePasswordEdit(QWidget* parent, const char* name);

// "OK" (the default button) and "キャンセル" right-aligned in a row; キャンセル rejects the dialog.
QHBoxLayout* PasswordButtons(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);

}  // namespace kal::maintenance
