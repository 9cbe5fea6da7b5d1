#include "catalogues/TDlgItemSet.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::catalogues {

TDlgItemSet::TDlgItemSet(platform::FileSystem& fs, platform::Dialogs& dialogs, std::string table_folder,
                         ItemTableType type, QWidget* parent)
    : QDialog(parent), fs_(fs), dialogs_(dialogs), folder_(std::move(table_folder)), editor_(fs, folder_, type) {
  setWindowTitle(QString::fromStdString(ItemTableCaption(type)));
  lbl_item_ = new QLabel(QString::fromStdString(ItemTableLabel(type)), this);
  lbl_item_->setObjectName("LblItem");
  edt_item_ = new QLineEdit(this);
  edt_item_->setObjectName("EdtItem");
  if (type == ItemTableType::SigTime || type == ItemTableType::SchFrom || type == ItemTableType::SchTo)
    edt_item_->setMaxLength(static_cast<int>(ItemTableEntryLimit(type)));
  lst_item_ = new QListWidget(this);
  lst_item_->setObjectName("LstItem");
  lst_item_->setSelectionMode(QAbstractItemView::SingleSelection);
  btn_add_ = new QPushButton(QStringLiteral("追加"), this);
  btn_add_->setObjectName("BtnAdd");
  btn_delete_ = new QPushButton(QStringLiteral("削除"), this);
  btn_delete_->setObjectName("BtnDelete");
  btn_ok_ = new QPushButton(QStringLiteral("OK"), this);
  btn_ok_->setObjectName("BtnOk");
  btn_cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
  btn_cancel_->setObjectName("BtnCancel");

  auto* entry = new QHBoxLayout;
  entry->addWidget(lbl_item_);
  entry->addWidget(edt_item_, 1);
  entry->addWidget(btn_add_);
  auto* side = new QVBoxLayout;
  side->addWidget(btn_delete_);
  side->addStretch();
  side->addWidget(btn_ok_);
  side->addWidget(btn_cancel_);
  auto* body = new QHBoxLayout;
  body->addWidget(lst_item_, 1);
  body->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(entry);
  layout->addLayout(body, 1);
  resize(460, 360);

  connect(edt_item_, &QLineEdit::textEdited, this, &TDlgItemSet::EdtItemEdited);
  connect(edt_item_, &QLineEdit::returnPressed, this, &TDlgItemSet::BtnAddClick);
  connect(btn_add_, &QPushButton::clicked, this, &TDlgItemSet::BtnAddClick);
  connect(btn_delete_, &QPushButton::clicked, this, &TDlgItemSet::BtnDeleteClick);
  connect(btn_ok_, &QPushButton::clicked, this, &TDlgItemSet::BtnOkClick);
  connect(btn_cancel_, &QPushButton::clicked, this, &QDialog::reject);
  Refill(0);
}

void TDlgItemSet::Refill(int select) {
  lst_item_->clear();
  for (const std::string& shown : editor_.ShownItems()) lst_item_->addItem(QString::fromStdString(shown));
  if (lst_item_->count() > 0) lst_item_->setCurrentRow(std::clamp(select, 0, lst_item_->count() - 1));
}

void TDlgItemSet::EdtItemEdited(const QString& text) {
  // Texts are stored in at most 40 bytes: typing beyond is cut at a character boundary.
  if (edt_item_->maxLength() <= static_cast<int>(ItemTableEntryLimit(editor_.type()))) return;
  const std::string utf8 = text.toStdString();
  const std::string cut = store::CutUtf8ToWidth(utf8, ItemTableEntryLimit(editor_.type()));
  if (cut.size() == utf8.size()) return;
  const int cursor = edt_item_->cursorPosition();
  edt_item_->setText(QString::fromStdString(cut));
  edt_item_->setCursorPosition(std::min(cursor, static_cast<int>(edt_item_->text().size())));
  QApplication::beep();
}

void TDlgItemSet::BtnAddClick() {
  const std::string text = edt_item_->text().toStdString();
  if (std::string(store::Trim(text)).empty()) return;
  if (auto index = editor_.Add(dialogs_, text)) {
    Refill(static_cast<int>(*index));
    edt_item_->clear();
  }
  edt_item_->setFocus();
}

void TDlgItemSet::BtnDeleteClick() {
  const int row = lst_item_->currentRow();
  if (row < 0) return;
  if (editor_.Remove(dialogs_, static_cast<std::size_t>(row))) Refill(row);
}

void TDlgItemSet::BtnOkClick() {
  try {
    editor_.Save(fs_, folder_);
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
    return;
  }
  accept();
}

}  // namespace kal::catalogues
