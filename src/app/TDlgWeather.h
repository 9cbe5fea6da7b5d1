// The weather dialog: the weather diary of one day of a day file.
#pragma once

#include <QDialog>

#include <string>

#include "store/DateText.h"
#include "store/DayFile.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kal::platform {
class Dialogs;
class FileSystem;
}  // namespace kal::platform

namespace kal::app {

class TDlgWeather : public QDialog {
  Q_OBJECT

 public:
  // `day_line` is the day's line as the calendar holds it; `path` the month's day file.
  TDlgWeather(platform::Dialogs& dialogs, platform::FileSystem& files, const std::string& path,
              const store::Date& date, const std::string& day_line, QWidget* parent = nullptr);

  store::WeatherInput Input() const;

  QComboBox* CmbWeather1;
  QComboBox* CmbWeather2;
  QComboBox* CmbWeather3;
  QLineEdit* EdtMaxTemp;
  QLineEdit* EdtMinTemp;
  QLineEdit* EdtRainPer;
  QPushButton* BtnClear;
  QPushButton* BtnOk;
  QPushButton* BtnCancel;

  void BtnOkClick();
  void BtnClearClick();

 private:
  void UpdateEnabled();

  platform::Dialogs& dialogs_;
  platform::FileSystem& files_;
  std::string path_;
  int day_;
};

}  // namespace kal::app
