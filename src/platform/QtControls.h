// Small helpers the dialogs share to make their named controls.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <string>
#include <vector>

namespace kal::platform {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

// Replaces the items of a combo box.
inline void FillCombo(QComboBox* box, const std::vector<std::string>& items) {
  box->clear();
  for (const auto& item : items) box->addItem(Q(item));
}

// A drop-down list named after its component ("CmbCycle"), with its items.
inline QComboBox* NamedCombo(QWidget* parent, const char* name, const std::vector<std::string>& items = {}) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  FillCombo(box, items);
  return box;
}

inline QLineEdit* NamedEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

inline QPushButton* NamedButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

// The "OK" (default) and "キャンセル" buttons of an entry dialog.
inline void MakeOkCancel(QWidget* parent, QPushButton*& ok, QPushButton*& cancel) {
  ok = NamedButton(parent, "BtnOk", "OK");
  ok->setDefault(true);
  cancel = NamedButton(parent, "BtnCancel", "キャンセル");
}

}  // namespace kal::platform
