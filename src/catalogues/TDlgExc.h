// The bulk edit of schedules ("スケジュール一括訂正"), opened from the list dialog with the
// selected schedules. The rules live in catalogues/BulkEdit.h.
#pragma once

#include <QDialog>

#include <vector>

#include "app/Folders.h"
#include "catalogues/BulkEdit.h"

class QComboBox;
class QPushButton;

namespace kal::catalogues {

class TDlgExc : public QDialog {
  Q_OBJECT

 public:
  // Reads the alarm table, the entry tables and the category names. Throws store::FileError.
  TDlgExc(platform::Dialogs& dialogs, platform::FileSystem& files, const app::Folders& folders,
          std::vector<BulkTarget> targets, QWidget* parent = nullptr);

  // OK stopped because a schedule had changed meanwhile: the list must be read again.
  bool NeedsReload() const { return stale_; }
  BulkInput Input() const;

  QComboBox* CmbItem;
  QComboBox* CmbRep;
  QPushButton* BtnOk;
  QPushButton* BtnCancel;

  void CmbItemChange();
  void BtnOkClick();

 private:
  void CmbRepEdited(const QString& text);

  platform::Dialogs& dialogs_;
  platform::FileSystem& files_;
  app::Folders folders_;
  std::vector<BulkTarget> targets_;
  std::vector<int> alarm_offsets_;
  std::vector<std::vector<std::string>> suggestions_;  // per text item
  bool stale_ = false;
};

}  // namespace kal::catalogues
