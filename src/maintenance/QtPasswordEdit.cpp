#include "maintenance/QtPasswordEdit.h"

#include <QApplication>

#include "maintenance/Password.h"
#include "platform/Codec.h"
#include "platform/QtControls.h"

namespace kal::maintenance {

QLineEdit* MakePasswordEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setEchoMode(QLineEdit::Password);
  edit->setMaxLength(static_cast<int>(kPasswordBytes));
  // Typing past the byte limit is cut back with a beep, as the other entry boxes do.
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
    QString kept = text;
    for (;;) {
      const auto bytes = platform::Utf8ToCp932(kept.toStdString());
      if (!bytes || bytes->size() <= kPasswordBytes || kept.isEmpty()) break;
      kept.chop(1);
    }
    if (kept != text) {
      QApplication::beep();
      edit->setText(kept);
    }
  });
  return edit;
}

QHBoxLayout* PasswordButtons(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
  platform::MakeOkCancel(dialog, ok, cancel);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

}  // namespace kal::maintenance
