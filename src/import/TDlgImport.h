// The import dialog: the records of the chosen file, the assignment of its columns to the
// target's fields, the options, the check and the execution (ImportForm holds the rules).
#pragma once

#include <QDialog>

#include <memory>

#include "import/ImportForm.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace kal::platform {
class Dialogs;
class FileSystem;
}  // namespace kal::platform

namespace kal::import {

class TDlgImport : public QDialog {
  Q_OBJECT

 public:
  TDlgImport(platform::Dialogs& dialogs, platform::FileSystem& files, ImportForm form, QWidget* parent = nullptr);

  const ImportForm& form() const { return form_; }

  QListWidget* LstImpToSch;
  QListWidget* LstImpItem;
  QLabel* LblCsvItem;
  QPushButton* BtnLeft;
  QPushButton* BtnAllLeft;
  QPushButton* BtnRight;
  QPushButton* BtnAllRight;
  QPushButton* BtnTop;
  QPushButton* BtnBefore;
  QPushButton* BtnNext;
  QPushButton* BtnLast;
  QCheckBox* Chk1stHeader;
  QCheckBox* ChkDubleNo;
  QCheckBox* ChkCategory;
  QPushButton* BtnDataCheck;
  QPushButton* BtnConvert;
  QPushButton* CancelBtn;

  void BtnDataCheckClick();
  void BtnConvertClick();

 private:
  void Refresh();
  void OptionsChanged();
  // Runs a command of the form; a file that cannot be read or written is shown, not thrown.
  template <typename F>
  void Guarded(F&& command);

  platform::Dialogs& dialogs_;
  platform::FileSystem& files_;
  ImportForm form_;
};

}  // namespace kal::import
