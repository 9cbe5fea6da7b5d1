// The about box: program icon, product name, version with the build date, home-page link.
#pragma once

#include <QDialog>

namespace kal::mainwindow {

class TDlgVersion : public QDialog {
  Q_OBJECT

 public:
  explicit TDlgVersion(QWidget* parent = nullptr);

  // "Version 5.71." followed by the program file's modification date as "yymmdd".
  static QString VersionText();
};

}  // namespace kal::mainwindow
