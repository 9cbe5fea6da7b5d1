// The holiday entry dialog: adds or changes one rule of Holiday.dat.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

#include "app/HolidayInput.h"
#include "store/DateText.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kal::platform {
class Dialogs;
class FileSystem;
}  // namespace kal::platform

namespace kal::app {

struct HolidayDialogSetup {
  int mode = 0;                     // 0 new, 1 change
  int index = -1;                   // the line changed (mode 1)
  store::Date date{};               // the date of the selected cell
  std::vector<std::string> lines;   // the loaded Holiday.dat (CP932 lines), or empty
  std::string path;                 // where Holiday.dat is saved
};

class TDlgHolidayInput : public QDialog {
  Q_OBJECT

 public:
  TDlgHolidayInput(platform::Dialogs& dialogs, platform::FileSystem& files, HolidayDialogSetup setup,
                   QWidget* parent = nullptr);

  // What the controls hold now.
  HolidayInput Input() const;

  QLineEdit* EdtTitle;
  QComboBox* CmbBunrui;
  QLineEdit* EdtFromYear;
  QLineEdit* EdtToYear;
  QComboBox* CmbPattern;
  QComboBox* CmbCycle;
  QComboBox* CmbMonth;
  QComboBox* CmbDay;
  QComboBox* CmbWeek;
  QPushButton* BtnOk;
  QPushButton* BtnCancel;

  // OK: the checks, then the line is stored and the dialog closes with Accepted.
  void BtnOkClick();

 private:
  void Show(const HolidayInput& input);
  void CmbPatternChange();
  void CmbCycleChange();
  void RefillDays(int keep);
  void UpdateVisibility();
  QWidget* FieldWidget(HolidayInputField field) const;

  platform::Dialogs& dialogs_;
  platform::FileSystem& files_;
  HolidayDialogSetup setup_;
  QLabel* lbl_cycle_ = nullptr;
  QLabel* lbl_month_ = nullptr;
  QLabel* lbl_day_ = nullptr;
  QLabel* lbl_week_ = nullptr;
};

}  // namespace kal::app
