// The entry-table editor ("項目の設定") for the six tables of the table folder.
#pragma once

#include <QDialog>
#include <string>

#include "catalogues/ItemTable.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kal::catalogues {

class TDlgItemSet : public QDialog {
  Q_OBJECT

 public:
  // Reads the table of `type` from the table folder (its default content when the file is
  // missing). Throws store::FileError when the file cannot be read.
  TDlgItemSet(platform::FileSystem& fs, platform::Dialogs& dialogs, std::string table_folder, ItemTableType type,
              QWidget* parent = nullptr);

  const ItemTableEditor& Editor() const { return editor_; }

  QLabel* LblItem() const { return lbl_item_; }
  QLineEdit* EdtItem() const { return edt_item_; }
  QListWidget* LstItem() const { return lst_item_; }
  QPushButton* BtnAdd() const { return btn_add_; }
  QPushButton* BtnDelete() const { return btn_delete_; }
  QPushButton* BtnOk() const { return btn_ok_; }
  QPushButton* BtnCancel() const { return btn_cancel_; }

 private:
  void Refill(int select);
  void EdtItemEdited(const QString& text);
  void BtnAddClick();
  void BtnDeleteClick();
  void BtnOkClick();

  platform::FileSystem& fs_;
  platform::Dialogs& dialogs_;
  std::string folder_;
  ItemTableEditor editor_;

  QLabel* lbl_item_;
  QLineEdit* edt_item_;
  QListWidget* lst_item_;
  QPushButton* btn_add_;
  QPushButton* btn_delete_;
  QPushButton* btn_ok_;
  QPushButton* btn_cancel_;
};

}  // namespace kal::catalogues
