// The go-to-date dialog "指定した日付へ移動": one date picker preset to today.
#pragma once

#include <QDialog>

#include <optional>

#include "store/DateText.h"

class QDateEdit;
class QPushButton;

namespace kal::mainwindow {

class TDlgJump : public QDialog {
  Q_OBJECT

 public:
  TDlgJump(const store::Date& today, QWidget* parent = nullptr);

  store::Date ChosenDate() const;
  void SetChosenDate(const store::Date& date);

  // Shows the dialog modally; the chosen date on OK, nothing on Cancel.
  static std::optional<store::Date> Choose(const store::Date& today, QWidget* parent = nullptr);

  QDateEdit* DtpDate = nullptr;
  QPushButton* BtnOk = nullptr;
  QPushButton* BtnCancel = nullptr;
};

}  // namespace kal::mainwindow
