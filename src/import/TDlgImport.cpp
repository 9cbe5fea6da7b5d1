#include "import/TDlgImport.h"

#include <QCheckBox>
#include <QColor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/QtControls.h"
#include "store/TextFile.h"

namespace kal::import {
namespace {

using platform::Q;

QColor Bgr(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QCheckBox* NamedCheck(QWidget* parent, const char* name, const std::string& text) {
  auto* box = new QCheckBox(Q(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

QListWidget* NamedList(QWidget* parent, const char* name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setMinimumSize(300, 220);
  return list;
}

}  // namespace

TDlgImport::TDlgImport(platform::Dialogs& dialogs, platform::FileSystem& files, ImportForm form, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), files_(files), form_(std::move(form)) {
  setWindowTitle(Q(form_.Caption()));
  LstImpToSch = NamedList(this, "LstImpToSch");
  LstImpItem = NamedList(this, "LstImpItem");
  LblCsvItem = new QLabel(this);
  LblCsvItem->setObjectName(QStringLiteral("LblCsvItem"));
  BtnLeft = platform::NamedButton(this, "BtnLeft", "< 選択");
  BtnAllLeft = platform::NamedButton(this, "BtnAllLeft", "<< 全選択");
  BtnRight = platform::NamedButton(this, "BtnRight", "クリア >");
  BtnAllRight = platform::NamedButton(this, "BtnAllRight", "全クリア >>");
  BtnTop = platform::NamedButton(this, "BtnTop", "先頭");
  BtnBefore = platform::NamedButton(this, "BtnBefore", "< 前");
  BtnNext = platform::NamedButton(this, "BtnNext", "次 >");
  BtnLast = platform::NamedButton(this, "BtnLast", "最終");
  Chk1stHeader = NamedCheck(this, "Chk1stHeader", "先頭のレコードは見出しとする(&H)");
  ChkDubleNo = NamedCheck(this, "ChkDubleNo", form_.DuplicateOptionText());
  ChkCategory = NamedCheck(this, "ChkCategory", "未登録の分類を追加する(&C)");
  BtnDataCheck = platform::NamedButton(this, "BtnDataCheck", "データチェック");
  BtnConvert = platform::NamedButton(this, "BtnConvert", "実行");
  CancelBtn = platform::NamedButton(this, "CancelBtn", "キャンセル");

  Chk1stHeader->setChecked(form_.options().first_is_header);
  ChkCategory->setVisible(form_.CategoryOptionShown());
  const bool assignable = form_.AssignmentEnabled();
  for (QWidget* w : std::initializer_list<QWidget*>{BtnLeft, BtnAllLeft, BtnRight, BtnAllRight, Chk1stHeader})
    w->setEnabled(assignable);

  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(QStringLiteral("変換先項目　:　変換元項目"), this));
  left->addWidget(LstImpToSch);
  auto* middle = new QVBoxLayout;
  middle->addStretch();
  for (QPushButton* b : {BtnLeft, BtnAllLeft, BtnRight, BtnAllRight}) middle->addWidget(b);
  middle->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(LblCsvItem);
  right->addWidget(LstImpItem);
  auto* moves = new QHBoxLayout;
  for (QPushButton* b : {BtnTop, BtnBefore, BtnNext, BtnLast}) moves->addWidget(b);
  right->addLayout(moves);
  auto* lists = new QHBoxLayout;
  lists->addLayout(left, 1);
  lists->addLayout(middle);
  lists->addLayout(right, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {BtnDataCheck, BtnConvert, CancelBtn}) buttons->addWidget(b);
  auto* top = new QVBoxLayout(this);
  top->addLayout(lists);
  top->addWidget(Chk1stHeader);
  top->addWidget(ChkDubleNo);
  top->addWidget(ChkCategory);
  top->addLayout(buttons);

  connect(BtnLeft, &QPushButton::clicked, this, [this] {
    if (LstImpToSch->currentRow() < 0 || LstImpItem->currentRow() < 0) return;
    const int field = LstImpToSch->currentRow();
    form_.Assign(static_cast<std::size_t>(field), LstImpItem->currentRow());
    Refresh();
    if (field + 1 < LstImpToSch->count()) LstImpToSch->setCurrentRow(field + 1);
  });
  connect(BtnAllLeft, &QPushButton::clicked, this, [this] { form_.AssignAll(); Refresh(); });
  connect(BtnRight, &QPushButton::clicked, this, [this] {
    if (LstImpToSch->currentRow() < 0) return;
    form_.Clear(static_cast<std::size_t>(LstImpToSch->currentRow()));
    Refresh();
  });
  connect(BtnAllRight, &QPushButton::clicked, this, [this] { form_.ClearAll(); Refresh(); });
  connect(BtnTop, &QPushButton::clicked, this, [this] { form_.MoveFirst(); Refresh(); });
  connect(BtnBefore, &QPushButton::clicked, this, [this] { form_.MovePrevious(); Refresh(); });
  connect(BtnNext, &QPushButton::clicked, this, [this] { form_.MoveNext(); Refresh(); });
  connect(BtnLast, &QPushButton::clicked, this, [this] { form_.MoveLast(); Refresh(); });
  for (QCheckBox* box : {Chk1stHeader, ChkDubleNo, ChkCategory})
    connect(box, &QCheckBox::toggled, this, [this] { OptionsChanged(); });
  connect(BtnDataCheck, &QPushButton::clicked, this, [this] { BtnDataCheckClick(); });
  connect(BtnConvert, &QPushButton::clicked, this, [this] { BtnConvertClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

  Refresh();
  LstImpToSch->setCurrentRow(0);
  LstImpItem->setCurrentRow(0);
}

void TDlgImport::OptionsChanged() {
  ImportOptions options;
  options.first_is_header = Chk1stHeader->isChecked();
  options.skip_duplicates = ChkDubleNo->isChecked();
  options.add_categories = ChkCategory->isChecked();
  form_.SetOptions(options);
  Refresh();
}

template <typename F>
void TDlgImport::Guarded(F&& command) {
  try {
    command();
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
  }
}

void TDlgImport::BtnDataCheckClick() {
  Guarded([this] { form_.Check(files_, dialogs_); });
  Refresh();
}

void TDlgImport::BtnConvertClick() {
  bool done = false;
  Guarded([&] { done = form_.Execute(files_, dialogs_); });
  Refresh();
  if (done) accept();
}

void TDlgImport::Refresh() {
  const int target_row = LstImpToSch->currentRow();
  const int source_row = LstImpItem->currentRow();
  const auto target_lines = form_.TargetLines();
  LstImpToSch->clear();
  for (std::size_t i = 0; i < target_lines.size(); ++i) {
    auto* item = new QListWidgetItem(Q(target_lines[i]), LstImpToSch);
    item->setForeground(Bgr(FieldColour(i)));
  }
  const auto source_lines = form_.SourceLines();
  const auto assigned = form_.SourceAssignedTo();
  LstImpItem->clear();
  for (std::size_t i = 0; i < source_lines.size(); ++i) {
    auto* item = new QListWidgetItem(Q(source_lines[i]), LstImpItem);
    if (assigned[i] >= 0) item->setForeground(Bgr(FieldColour(static_cast<std::size_t>(assigned[i]))));
  }
  if (target_row >= 0 && target_row < LstImpToSch->count()) LstImpToSch->setCurrentRow(target_row);
  if (source_row >= 0 && source_row < LstImpItem->count()) LstImpItem->setCurrentRow(source_row);
  LblCsvItem->setText(Q(form_.RecordLabel()));
  LblCsvItem->setToolTip(Q(form_.CurrentMessage()));
  QPalette palette = LblCsvItem->palette();
  palette.setColor(QPalette::WindowText, Bgr(StatusColour(form_.CurrentStatus())));
  LblCsvItem->setPalette(palette);
  BtnConvert->setEnabled(form_.ExecuteEnabled());
}

}  // namespace kal::import
