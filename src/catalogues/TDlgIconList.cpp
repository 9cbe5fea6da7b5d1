#include "catalogues/TDlgIconList.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "catalogues/QtCategoryIcons.h"
#include "catalogues/QtIconArt.h"
#include "store/TextFile.h"

namespace kal::catalogues {
namespace {

QPixmap EmptyIcon() {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace

TDlgIconList::TDlgIconList(platform::FileSystem& fs, platform::Dialogs& dialogs, std::string category_folder,
                           std::vector<std::string> category_lines, QWidget* parent)
    : QDialog(parent), fs_(fs), dialogs_(dialogs), folder_(std::move(category_folder)),
      lines_(std::move(category_lines)) {
  setWindowTitle(QStringLiteral("アイコン一覧"));
  lst_icon_ = new QListWidget(this);
  lst_icon_->setObjectName("LstIcon");
  lst_icon_->setViewMode(QListView::IconMode);
  lst_icon_->setIconSize(QSize(kIconSize, kIconSize));
  lst_icon_->setGridSize(QSize(48, 44));
  lst_icon_->setMovement(QListView::Static);
  lst_icon_->setResizeMode(QListView::Adjust);
  lst_icon_->setSelectionMode(QAbstractItemView::SingleSelection);
  lbl_note_ = new QLabel(QString::fromUtf8(kIconListNote), this);
  lbl_note_->setObjectName("LblNote");
  lbl_note_->setWordWrap(true);
  btn_add_ = new QPushButton(QStringLiteral("追加"), this);
  btn_add_->setObjectName("BtnAdd");
  btn_change_ = new QPushButton(QStringLiteral("変更"), this);
  btn_change_->setObjectName("BtnChange");
  btn_delete_ = new QPushButton(QStringLiteral("削除"), this);
  btn_delete_->setObjectName("BtnDelete");
  btn_ok_ = new QPushButton(QStringLiteral("OK"), this);
  btn_ok_->setObjectName("BtnOk");
  btn_ok_->setDefault(true);
  btn_cancel_ = new QPushButton(QStringLiteral("キャンセル"), this);
  btn_cancel_->setObjectName("BtnCancel");

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {btn_add_, btn_change_, btn_delete_}) buttons->addWidget(b);
  buttons->addStretch();
  buttons->addWidget(btn_ok_);
  buttons->addWidget(btn_cancel_);
  auto* top = new QHBoxLayout;
  top->addWidget(lst_icon_, 1);
  top->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(lbl_note_);
  resize(520, 360);

  connect(lst_icon_, &QListWidget::itemSelectionChanged, this, &TDlgIconList::LstIconSelectionChanged);
  connect(lst_icon_, &QListWidget::itemDoubleClicked, this, &TDlgIconList::BtnOkClick);
  connect(btn_add_, &QPushButton::clicked, this, &TDlgIconList::BtnAddClick);
  connect(btn_change_, &QPushButton::clicked, this, &TDlgIconList::BtnChangeClick);
  connect(btn_delete_, &QPushButton::clicked, this, &TDlgIconList::BtnDeleteClick);
  connect(btn_ok_, &QPushButton::clicked, this, &TDlgIconList::BtnOkClick);
  connect(btn_cancel_, &QPushButton::clicked, this, &QDialog::reject);
  Rebuild(std::nullopt);
}

void TDlgIconList::Rebuild(std::optional<int> select) {
  entries_ = BuildIconList(fs_, folder_, lines_);
  lst_icon_->clear();
  for (const IconListEntry& entry : entries_) {
    QPixmap image = entry.kind == IconKind::BuiltIn ? BuiltInIconPixmap(entry.number) : EmptyIcon();
    if (!entry.path.empty()) {
      platform::ReadResult read = fs_.Read(entry.path);
      std::optional<QPixmap> decoded;
      if (read.ok()) decoded = DecodeIconBitmap(read.bytes);
      if (decoded)
        image = *decoded;
      else
        dialogs_.Error(IconReadErrorMessage(entry.path), kIconReadErrorCaption);
    }
    auto* item = new QListWidgetItem(QIcon(image), QString::fromStdString(IconNumberText(entry.number)), lst_icon_);
    item->setData(Qt::UserRole, entry.number);
    if (entry.kind == IconKind::BuiltIn) item->setToolTip(QString::fromStdString(BuiltInIconName(entry.number)));
    if (entry.kind == IconKind::Unused) item->setForeground(QColor(Qt::gray));
  }
  if (!select || !SelectNumber(*select)) LstIconSelectionChanged();
}

bool TDlgIconList::SelectNumber(int number) {
  for (int row = 0; row < lst_icon_->count(); ++row) {
    if (lst_icon_->item(row)->data(Qt::UserRole).toInt() == number) {
      lst_icon_->setCurrentRow(row);
      LstIconSelectionChanged();
      return true;
    }
  }
  return false;
}

const IconListEntry* TDlgIconList::Selected() const {
  const auto items = lst_icon_->selectedItems();
  if (items.isEmpty()) return nullptr;
  const int row = lst_icon_->row(items.front());
  return row >= 0 && static_cast<std::size_t>(row) < entries_.size() ? &entries_[static_cast<std::size_t>(row)]
                                                                      : nullptr;
}

void TDlgIconList::LstIconSelectionChanged() {
  const IconListEntry* entry = Selected();
  const IconButtons buttons = entry ? IconButtonsFor(*entry) : IconButtons{};
  btn_change_->setEnabled(buttons.change);
  btn_delete_->setEnabled(buttons.remove);
}

void TDlgIconList::BtnAddClick() {
  try {
    if (auto number = IconAdd(fs_, dialogs_, folder_, lines_, IsIconBitmap)) Rebuild(*number);
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
  }
}

void TDlgIconList::BtnChangeClick() {
  const IconListEntry* entry = Selected();
  if (!entry) return;
  const int number = entry->number;
  try {
    if (IconChange(fs_, dialogs_, folder_, *entry, IsIconBitmap)) Rebuild(number);
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
  }
}

void TDlgIconList::BtnDeleteClick() {
  const IconListEntry* entry = Selected();
  if (!entry) return;
  const IconListEntry copy = *entry;
  try {
    if (IconDelete(fs_, dialogs_, copy))
      Rebuild(copy.kind == IconKind::BuiltIn ? std::optional<int>(copy.number) : std::nullopt);
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
  }
}

void TDlgIconList::BtnOkClick() {
  const IconListEntry* entry = Selected();
  if (!entry) {
    dialogs_.Error("アイコンを選択して下さい。", "エラー");
    return;
  }
  chosen_ = entry->number;
  accept();
}

}  // namespace kal::catalogues
