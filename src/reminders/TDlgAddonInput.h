// The add-on entry dialog (caption "アドオンの追加", "アドオンの訂正" or "アドオンのコピー"). Its
// rules live in reminders/AddonForm.h; the dialog maps the controls to an AddonInput and shows
// what StoreAddon answers.
#pragma once

#include <QDialog>

#include <optional>
#include <string>

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "reminders/AddonForm.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kal::reminders {

class TDlgAddonInput : public QDialog {
  Q_OBJECT

 public:
  // `old_line`: the Addon.lst line changed or copied (nothing for a new entry).
  TDlgAddonInput(platform::FileSystem& fs, platform::Dialogs& dialogs, std::string program_folder, AddonFormMode mode,
                 std::optional<std::string> old_line, QWidget* parent = nullptr);

  // The line stored by OK (CP932).
  const std::string& StoredLine() const { return stored_; }
  AddonInput Input() const;

  QLineEdit* EdtProgram;
  QPushButton* BtnProgram;
  QRadioButton* RdoRunOption[4];
  QLineEdit* EdtTime;
  QCheckBox* ChkScrUd;
  QPushButton* BtnOk;
  QPushButton* BtnCancel;

 private:
  void BtnProgramClick();
  void BtnOkClick();
  void RdoRunOptionClick();

  platform::FileSystem& fs_;
  platform::Dialogs& dialogs_;
  std::string folder_;
  AddonFormMode mode_;
  std::optional<std::string> old_line_;
  std::string stored_;
};

}  // namespace kal::reminders
