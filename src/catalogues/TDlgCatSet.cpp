#include "catalogues/TDlgCatSet.h"

#include <QBoxLayout>
#include <QListWidget>
#include <QPushButton>

#include "catalogues/Category.h"
#include "catalogues/QtCategoryCell.h"
#include "catalogues/TDlgIconList.h"
#include "store/TextFile.h"

namespace kal::catalogues {

TDlgCatSet::TDlgCatSet(platform::FileSystem& fs, platform::Dialogs& dialogs, std::string category_folder,
                       QWidget* parent)
    : QDialog(parent), fs_(fs), dialogs_(dialogs), folder_(std::move(category_folder)),
      editor_(LoadCategoryLines(fs, folder_)) {
  setWindowTitle(QStringLiteral("分類の設定"));
  icons_.Load(fs_, dialogs_, folder_, editor_.lines());
  choose_icon_ = [this](const std::vector<std::string>& lines) -> std::optional<int> {
    TDlgIconList dialog(fs_, dialogs_, folder_, lines, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.ChosenNumber();
  };

  lst_cat_ = new QListWidget(this);
  lst_cat_->setObjectName("LstCat");
  lst_cat_->setItemDelegate(new CategoryCellDelegate(&icons_, kCellIconLeftList, lst_cat_));
  lst_cat_->setSelectionMode(QAbstractItemView::SingleSelection);

  struct ButtonText {
    const char* name;
    const char* text;
  };
  const ButtonText texts[] = {{"BtnAdd", "追加"},           {"BtnDelete", "削除"},         {"BtnRename", "名前の変更"},
                        {"BtnUp", "上へ"},            {"BtnDown", "下へ"},           {"BtnTextColor", "文字色"},
                        {"BtnBackColor", "背景色"},   {"BtnColorClear", "色クリア"}, {"BtnIconSet", "アイコンの登録"},
                        {"BtnIconDelete", "アイコンの削除"}, {"BtnOk", "登録"},      {"BtnCancel", "キャンセル"}};
  auto* buttons = new QVBoxLayout;
  for (const ButtonText& s : texts) {
    auto* b = new QPushButton(QString::fromUtf8(s.text), this);
    b->setObjectName(s.name);
    if (std::string(s.name) == "BtnOk") buttons->addStretch();
    buttons->addWidget(b);
  }
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(lst_cat_, 1);
  layout->addLayout(buttons);
  resize(420, 420);

  connect(Button("BtnAdd"), &QPushButton::clicked, this, [this] { Apply(editor_.Add(dialogs_)); });
  connect(Button("BtnDelete"), &QPushButton::clicked, this, [this] { Apply(editor_.Delete()); });
  connect(Button("BtnRename"), &QPushButton::clicked, this, [this] { Apply(editor_.Rename(dialogs_)); });
  connect(lst_cat_, &QListWidget::itemDoubleClicked, this, [this] {
    SyncSelection();
    Apply(editor_.Rename(dialogs_));
  });
  connect(Button("BtnUp"), &QPushButton::clicked, this, [this] { Apply(editor_.MoveUp()); });
  connect(Button("BtnDown"), &QPushButton::clicked, this, [this] { Apply(editor_.MoveDown()); });
  connect(Button("BtnTextColor"), &QPushButton::clicked, this, [this] { Apply(editor_.ChooseTextColour(dialogs_)); });
  connect(Button("BtnBackColor"), &QPushButton::clicked, this, [this] { Apply(editor_.ChooseBackColour(dialogs_)); });
  connect(Button("BtnColorClear"), &QPushButton::clicked, this, [this] { Apply(editor_.ClearColours()); });
  connect(Button("BtnIconSet"), &QPushButton::clicked, this, &TDlgCatSet::BtnIconSetClick);
  connect(Button("BtnIconDelete"), &QPushButton::clicked, this, [this] { Apply(editor_.DeleteIcon()); });
  connect(Button("BtnOk"), &QPushButton::clicked, this, &TDlgCatSet::BtnOkClick);
  connect(Button("BtnCancel"), &QPushButton::clicked, this, &QDialog::reject);
  connect(lst_cat_, &QListWidget::currentRowChanged, this, [this] {
    if (!refilling_) SyncSelection();
  });
  connect(lst_cat_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (refilling_) return;
    const int row = lst_cat_->row(item);
    if (row < 0) return;
    editor_.SetChecked(static_cast<std::size_t>(row), item->checkState() == Qt::Checked);
    refilling_ = true;
    item->setData(kCategoryLineRole, CategoryLineData(editor_.lines()[static_cast<std::size_t>(row)]));
    refilling_ = false;
  });
  Refill();
}

QPushButton* TDlgCatSet::Button(const char* object_name) const { return findChild<QPushButton*>(object_name); }

void TDlgCatSet::SyncSelection() {
  const int row = lst_cat_->currentRow();
  editor_.Select(row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt);
}

void TDlgCatSet::Refill() {
  refilling_ = true;
  lst_cat_->clear();
  for (const std::string& line : editor_.lines()) {
    auto* item = new QListWidgetItem(QString::fromStdString(CategoryName(line)), lst_cat_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(CategoryChecked(line) ? Qt::Checked : Qt::Unchecked);
    item->setData(kCategoryLineRole, CategoryLineData(line));
  }
  if (auto selected = editor_.selected())
    lst_cat_->setCurrentRow(static_cast<int>(*selected));
  else
    lst_cat_->setCurrentRow(-1);
  refilling_ = false;
  lst_cat_->viewport()->update();
}

void TDlgCatSet::Apply(bool changed) {
  if (changed) Refill();
}

void TDlgCatSet::BtnIconSetClick() {
  SyncSelection();
  if (!editor_.selected()) return;
  auto number = choose_icon_(editor_.lines());
  if (!number) return;
  editor_.SetIcon(*number);
  try {
    icons_.Load(fs_, dialogs_, folder_, editor_.lines());
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
  }
  Refill();
}

void TDlgCatSet::BtnOkClick() {
  try {
    editor_.Register(fs_, folder_);
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
    return;
  }
  accept();
}

}  // namespace kal::catalogues
