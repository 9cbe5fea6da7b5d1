#include "catalogues/TDlgExc.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "catalogues/Category.h"
#include "catalogues/ItemTable.h"
#include "schedule/ScheduleForm.h"
#include "store/Record.h"
#include "store/TextFile.h"

namespace kal::catalogues {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

TDlgExc::TDlgExc(platform::Dialogs& dialogs, platform::FileSystem& files, const app::Folders& folders,
                 std::vector<BulkTarget> targets, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), files_(files), folders_(folders), targets_(std::move(targets)) {
  alarm_offsets_ = LoadAlarmOffsets(files_, folders_.table);
  const schedule::EntryLists lists = schedule::LoadEntryLists(files_, folders_.table, folders_.data, store::Date{}, true);
  std::vector<std::string> categories;
  const CategoryTable table = LoadCategoryTable(files_, folders_.category);
  for (std::size_t i = 0; i < table.size(); ++i) categories.push_back(table.Entry(i).name);
  suggestions_ = {lists.starts, lists.ends, lists.titles, lists.places, categories};

  setObjectName(QStringLiteral("TDlgExc"));
  setWindowTitle(Q(BulkCaption(targets_.size())));
  CmbItem = new QComboBox(this);
  CmbItem->setObjectName(QStringLiteral("CmbItem"));
  for (const std::string& name : BulkItemNames()) CmbItem->addItem(Q(name));
  CmbItem->setCurrentIndex(-1);
  CmbRep = new QComboBox(this);
  CmbRep->setObjectName(QStringLiteral("CmbRep"));
  CmbRep->setEditable(true);
  CmbRep->setMinimumWidth(280);
  BtnOk = new QPushButton(QStringLiteral("OK"), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  BtnOk->setDefault(true);
  BtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("訂正項目:"), CmbItem);
  form->addRow(QStringLiteral("訂正内容:"), CmbRep);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);

  connect(CmbItem, &QComboBox::currentIndexChanged, this, &TDlgExc::CmbItemChange);
  connect(BtnOk, &QPushButton::clicked, this, &TDlgExc::BtnOkClick);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

BulkInput TDlgExc::Input() const {
  BulkInput input;
  if (CmbItem->currentIndex() >= 0) input.item = static_cast<BulkItem>(CmbItem->currentIndex());
  input.text = CmbRep->currentText().toStdString();
  input.choice = std::max(0, CmbRep->currentIndex());
  return input;
}

void TDlgExc::CmbItemChange() {
  const int index = CmbItem->currentIndex();
  CmbRep->clear();
  if (index < 0) return;
  const auto item = static_cast<BulkItem>(index);
  const bool text = BulkItemIsText(item);
  CmbRep->setEditable(text);
  if (text) {
    for (const std::string& s : suggestions_[static_cast<std::size_t>(index)]) CmbRep->addItem(Q(s));
    CmbRep->setCurrentIndex(-1);
    CmbRep->setEditText(QString());
    const bool time = item == BulkItem::StartTime || item == BulkItem::EndTime;
    CmbRep->setAttribute(Qt::WA_InputMethodEnabled, !time);
    connect(CmbRep->lineEdit(), &QLineEdit::textEdited, this, &TDlgExc::CmbRepEdited, Qt::UniqueConnection);
  } else {
    for (const std::string& s : BulkChoices(item, alarm_offsets_)) CmbRep->addItem(Q(s));
    CmbRep->setCurrentIndex(0);
  }
}

void TDlgExc::CmbRepEdited(const QString& text) {
  if (CmbItem->currentIndex() < 0) return;
  const std::size_t width = BulkItemWidth(static_cast<BulkItem>(CmbItem->currentIndex()));
  const std::string utf8 = text.toStdString();
  const std::string cut = store::CutUtf8ToWidth(utf8, width);
  if (cut == utf8) return;
  CmbRep->setEditText(Q(cut));
  CmbRep->lineEdit()->setCursorPosition(static_cast<int>(Q(cut).size()));
  QApplication::beep();
}

void TDlgExc::BtnOkClick() {
  const BulkInput input = Input();
  BulkOutcome outcome = BulkOutcome::Refused;
  try {
    outcome = BulkEditOk(dialogs_, files_, folders_.data, targets_, input, alarm_offsets_);
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
    stale_ = true;
    reject();
    return;
  }
  switch (outcome) {
    case BulkOutcome::Refused:
      (input.item ? static_cast<QWidget*>(CmbRep) : static_cast<QWidget*>(CmbItem))->setFocus();
      return;
    case BulkOutcome::Done: accept(); return;
    case BulkOutcome::Stale:
      stale_ = true;
      reject();
      return;
    case BulkOutcome::Cancelled: reject(); return;
  }
}

}  // namespace kal::catalogues
