// The icon list ("アイコン一覧"): choose, add, replace and delete the 16x16 icons of the
// categories and holiday marks.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "catalogues/Icons.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace kal::catalogues {

class TDlgIconList : public QDialog {
  Q_OBJECT

 public:
  // `category_lines` are the lines of the category table being edited (which icons are in use).
  TDlgIconList(platform::FileSystem& fs, platform::Dialogs& dialogs, std::string category_folder,
               std::vector<std::string> category_lines, QWidget* parent = nullptr);

  // The number chosen with "OK".
  std::optional<int> ChosenNumber() const { return chosen_; }
  // The entries as listed, in order.
  const std::vector<IconListEntry>& Entries() const { return entries_; }
  // Selects the entry of a number (false when it is not listed).
  bool SelectNumber(int number);

  QListWidget* LstIcon() const { return lst_icon_; }
  QPushButton* BtnAdd() const { return btn_add_; }
  QPushButton* BtnChange() const { return btn_change_; }
  QPushButton* BtnDelete() const { return btn_delete_; }
  QPushButton* BtnOk() const { return btn_ok_; }
  QPushButton* BtnCancel() const { return btn_cancel_; }

 private:
  void Rebuild(std::optional<int> select);
  const IconListEntry* Selected() const;
  void LstIconSelectionChanged();
  void BtnAddClick();
  void BtnChangeClick();
  void BtnDeleteClick();
  void BtnOkClick();

  platform::FileSystem& fs_;
  platform::Dialogs& dialogs_;
  std::string folder_;
  std::vector<std::string> lines_;
  std::vector<IconListEntry> entries_;
  std::optional<int> chosen_;

  QListWidget* lst_icon_;
  QLabel* lbl_note_;
  QPushButton* btn_add_;
  QPushButton* btn_change_;
  QPushButton* btn_delete_;
  QPushButton* btn_ok_;
  QPushButton* btn_cancel_;
};

}  // namespace kal::catalogues
