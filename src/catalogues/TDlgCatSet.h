// The category dialog ("分類の設定"): edits a copy of Category.tbl; "登録" saves it.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "catalogues/CategoryEditor.h"
#include "catalogues/QtCategoryIcons.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

class QListWidget;
class QPushButton;

namespace kal::catalogues {

class TDlgCatSet : public QDialog {
  Q_OBJECT

 public:
  // Chooses an icon number for "アイコンの登録" given the lines being edited; nothing when the
  // user cancels. By default the icon list dialog.
  using IconChooser = std::function<std::optional<int>(const std::vector<std::string>& lines)>;

  // Reads the table of the category folder. Throws store::FileError when it cannot be read.
  TDlgCatSet(platform::FileSystem& fs, platform::Dialogs& dialogs, std::string category_folder,
             QWidget* parent = nullptr);

  void SetIconChooser(IconChooser chooser) { choose_icon_ = std::move(chooser); }
  const CategoryEditor& Editor() const { return editor_; }

  QListWidget* LstCat() const { return lst_cat_; }
  QPushButton* Button(const char* object_name) const;

 private:
  void Refill();
  void SyncSelection();
  void Apply(bool changed);
  void BtnIconSetClick();
  void BtnOkClick();

  platform::FileSystem& fs_;
  platform::Dialogs& dialogs_;
  std::string folder_;
  CategoryEditor editor_;
  CategoryIcons icons_;
  IconChooser choose_icon_;
  bool refilling_ = false;
  QListWidget* lst_cat_;
};

}  // namespace kal::catalogues
