#include "reminders/TDlgAddonInput.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "store/TextFile.h"

namespace kal::reminders {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString U(const char* s) { return QString::fromUtf8(s); }

}  // namespace

TDlgAddonInput::TDlgAddonInput(platform::FileSystem& fs, platform::Dialogs& dialogs, std::string program_folder,
                               AddonFormMode mode, std::optional<std::string> old_line, QWidget* parent)
    : QDialog(parent), fs_(fs), dialogs_(dialogs), folder_(std::move(program_folder)), mode_(mode),
      old_line_(std::move(old_line)) {
  setObjectName(QStringLiteral("DlgAddonInput"));
  setWindowTitle(Q(AddonFormCaption(mode)));
  auto* layout = new QVBoxLayout(this);

  auto* program_row = new QHBoxLayout;
  auto* label = new QLabel(U("プログラム名:"), this);
  EdtProgram = new QLineEdit(this);
  EdtProgram->setObjectName(QStringLiteral("EdtProgram"));
  EdtProgram->setMinimumWidth(360);
  label->setBuddy(EdtProgram);
  BtnProgram = new QPushButton(U("..."), this);
  BtnProgram->setObjectName(QStringLiteral("BtnProgram"));
  BtnProgram->setFixedWidth(28);
  program_row->addWidget(label);
  program_row->addWidget(EdtProgram, 1);
  program_row->addWidget(BtnProgram);
  layout->addLayout(program_row);

  auto* group = new QGroupBox(U("実行方法(&R)"), this);
  group->setObjectName(QStringLiteral("RdoRunOption"));
  auto* group_layout = new QVBoxLayout(group);
  const char* options[4] = {"Kalendorの起動前に実行する", "Kalendorの起動後に実行する",
                            "時刻を指定する （hh:mm形式で入力）", "スケジュール表の右クリックメニューから実行する"};
  auto* buttons = new QButtonGroup(this);
  for (int i = 0; i < 4; ++i) {
    RdoRunOption[i] = new QRadioButton(U(options[i]), group);
    RdoRunOption[i]->setObjectName(QStringLiteral("RdoRunOption%1").arg(i));
    buttons->addButton(RdoRunOption[i], i);
    if (i == 2) {
      auto* row = new QHBoxLayout;
      row->addWidget(RdoRunOption[i]);
      EdtTime = new QLineEdit(group);
      EdtTime->setObjectName(QStringLiteral("EdtTime"));
      EdtTime->setMaxLength(5);
      EdtTime->setFixedWidth(60);
      row->addWidget(EdtTime);
      row->addStretch(1);
      group_layout->addLayout(row);
    } else {
      group_layout->addWidget(RdoRunOption[i]);
    }
    connect(RdoRunOption[i], &QRadioButton::toggled, this, &TDlgAddonInput::RdoRunOptionClick);
  }
  layout->addWidget(group);

  ChkScrUd = new QCheckBox(U("プログラムが終了するまでKLを待機する(&S)"), this);
  ChkScrUd->setObjectName(QStringLiteral("ChkScrUd"));
  layout->addWidget(ChkScrUd);

  auto* row = new QHBoxLayout;
  row->addStretch(1);
  BtnOk = new QPushButton(U("OK"), this);
  BtnOk->setObjectName(QStringLiteral("BtnOk"));
  BtnOk->setDefault(true);
  BtnCancel = new QPushButton(U("キャンセル"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  row->addWidget(BtnOk);
  row->addWidget(BtnCancel);
  layout->addLayout(row);

  AddonInput input;
  if (old_line_) input = AddonInputOf(ReadAddonLine(*old_line_));
  EdtProgram->setText(Q(input.program));
  RdoRunOption[static_cast<int>(input.option)]->setChecked(true);
  EdtTime->setText(Q(input.time));
  ChkScrUd->setChecked(input.wait);
  RdoRunOptionClick();

  connect(BtnProgram, &QPushButton::clicked, this, &TDlgAddonInput::BtnProgramClick);
  connect(BtnOk, &QPushButton::clicked, this, &TDlgAddonInput::BtnOkClick);
  connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

AddonInput TDlgAddonInput::Input() const {
  AddonInput in;
  in.program = EdtProgram->text().toStdString();
  for (int i = 0; i < 4; ++i)
    if (RdoRunOption[i]->isChecked()) in.option = static_cast<AddonRunOption>(i);
  in.time = EdtTime->text().toStdString();
  in.wait = ChkScrUd->isChecked();
  return in;
}

void TDlgAddonInput::RdoRunOptionClick() { EdtTime->setEnabled(RdoRunOption[2]->isChecked()); }

void TDlgAddonInput::BtnProgramClick() {
  auto file = dialogs_.OpenFileName(AddonFormCaption(mode_), platform::FileFilter{kAddonChooserFilter},
                                    EdtProgram->text().toStdString());
  if (file) EdtProgram->setText(Q(*file));
}

void TDlgAddonInput::BtnOkClick() {
  try {
    const AddonStoreResult r = StoreAddon(fs_, dialogs_, folder_, Input(), mode_, old_line_);
    if (r.stored) {
      stored_ = r.line;
      accept();
      return;
    }
    if (r.field == AddonField::Time) {
      EdtTime->setFocus();
      EdtTime->selectAll();
    } else if (r.field == AddonField::Program) {
      EdtProgram->setFocus();
      EdtProgram->selectAll();
    }
  } catch (const store::FileError& e) {
    dialogs_.Error(e.what(), store::kFileErrorCaption);
  }
}

}  // namespace kal::reminders
