#include "maintenance/TDlgBackUp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "maintenance/Backup.h"
#include "maintenance/DataDeletion.h"
#include "platform/QtControls.h"
#include "store/IniFile.h"
#include "store/TextFile.h"

namespace kal::maintenance {

namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

// What the label under the backup button explains: the subfolders and the files each receives.
QString BackupExplanation(const app::Folders& folders, bool dated) {
  QString text = dated ? U("指定したフォルダの下に日付と時刻の名前のフォルダを作り、その下に以下のフォルダを作成して"
                           "ファイルをコピーします。")
                       : U("指定したフォルダの下に以下のフォルダを作成し、ファイルをコピーします。"
                           "既存のファイルは上書きされます。");
  for (const BackupRow& row : BackupRows(folders)) {
    QStringList patterns;
    for (const std::string& p : row.patterns) patterns << QString::fromStdString(p);
    text += U("\n  ") + QString::fromStdString(row.subfolder) + U(" : ") + patterns.join(U(", "));
  }
  return text;
}

}  // namespace

TDlgBackUp::TDlgBackUp(BackupPorts ports, app::Folders folders, std::string settings_file,
                       const std::string& backup_path, QWidget* parent)
    : QDialog(parent), ports_(ports), folders_(std::move(folders)), settings_file_(std::move(settings_file)) {
  setObjectName(QStringLiteral("TDlgBackUp"));
  setWindowTitle(U(kBackupCaption));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  if (parent != nullptr) setFont(parent->font());

  auto* backup = new QGroupBox(U("バックアップ(&B)"), this);
  auto* path_label = new QLabel(U("バックアップ先のフォルダ:"), backup);
  EdtBackupPath = platform::NamedEdit(backup, "EdtBackupPath");
  EdtBackupPath->setText(QString::fromStdString(backup_path));
  path_label->setBuddy(EdtBackupPath);
  BtnSelectBk = platform::NamedButton(backup, "BtnSelectBk", "...");
  BtnSelectBk->setFixedWidth(32);
  ChkDated = new QCheckBox(U("日付と時刻のフォルダを作成する(&N)"), backup);
  ChkDated->setObjectName(QStringLiteral("ChkDated"));
  ChkDated->setChecked(true);
  BtnBackup = platform::NamedButton(backup, "BtnBackup", "バックアップを実行する(&R)");
  LblBackup = new QLabel(BackupExplanation(folders_, true), backup);
  LblBackup->setObjectName(QStringLiteral("LblBackup"));
  LblBackup->setWordWrap(true);
  auto* path_row = new QHBoxLayout;
  path_row->addWidget(EdtBackupPath, 1);
  path_row->addWidget(BtnSelectBk);
  auto* backup_layout = new QVBoxLayout(backup);
  backup_layout->addWidget(path_label);
  backup_layout->addLayout(path_row);
  backup_layout->addWidget(ChkDated);
  backup_layout->addWidget(BtnBackup, 0, Qt::AlignLeft);
  backup_layout->addWidget(LblBackup);

  auto* deletion = new QGroupBox(U("データの削除(&D)"), this);
  auto* explain = new QLabel(U("指定した期間のスケジュールデータとメモを削除します。"), deletion);
  auto* period_label = new QLabel(U("削除期間:"), deletion);
  std::vector<std::string> periods;
  for (const DeletionPeriod& p : DeletionPeriods()) periods.push_back(p.caption);
  CmbDataDel = platform::NamedCombo(deletion, "CmbDataDel", periods);
  CmbDataDel->setCurrentIndex(kDefaultDeletionPeriod);
  period_label->setBuddy(CmbDataDel);
  BtnDataDel = platform::NamedButton(deletion, "BtnDataDel", "データの削除を実行する(&E)");
  LblWarning = new QLabel(U("【警告!!】\n削除したデータは元に戻せません。削除する前にバックアップを取ることをお勧めします。"),
                          deletion);
  LblWarning->setObjectName(QStringLiteral("LblWarning"));
  LblWarning->setWordWrap(true);
  LblWarning->setStyleSheet(QStringLiteral("color: red;"));
  auto* period_row = new QHBoxLayout;
  period_row->addWidget(period_label);
  period_row->addWidget(CmbDataDel);
  period_row->addStretch(1);
  period_row->addWidget(BtnDataDel);
  auto* deletion_layout = new QVBoxLayout(deletion);
  deletion_layout->addWidget(explain);
  deletion_layout->addLayout(period_row);
  deletion_layout->addWidget(LblWarning);

  BtnOk = platform::NamedButton(this, "BtnOk", "閉じる");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BtnOk);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(backup);
  layout->addWidget(deletion);
  layout->addLayout(buttons);
  resize(520, sizeHint().height());

  connect(BtnSelectBk, &QPushButton::clicked, this, &TDlgBackUp::BtnSelectBkClick);
  connect(BtnBackup, &QPushButton::clicked, this, &TDlgBackUp::BtnBackupClick);
  connect(BtnDataDel, &QPushButton::clicked, this, &TDlgBackUp::BtnDataDelClick);
  connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ChkDated, &QCheckBox::toggled, this,
          [this](bool dated) { LblBackup->setText(BackupExplanation(folders_, dated)); });
}

void TDlgBackUp::BtnSelectBkClick() {
  const std::optional<std::string> folder =
      ports_.dialogs.FolderName(kBackupFolderPrompt, EdtBackupPath->text().toStdString());
  if (folder) EdtBackupPath->setText(QString::fromStdString(*folder));
}

void TDlgBackUp::BtnBackupClick() {
  const std::string chosen = EdtBackupPath->text().trimmed().toStdString();
  if (!chosen.empty() && ports_.files.IsDirectory(chosen)) {
    try {
      store::IniFile ini = store::IniFile::Load(ports_.files, settings_file_);
      ini.WriteString("Kalendor", "BackupPath", app::WithTrailingSeparator(chosen));
      ini.Flush(ports_.files, settings_file_);
    } catch (const store::FileError& e) {
      ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
      return;
    }
  }
  RunBackup(ports_.files, ports_.dialogs, folders_, chosen, ChkDated->isChecked(), ports_.clock.Now());
}

void TDlgBackUp::BtnDataDelClick() {
  const int index = CmbDataDel->currentIndex();
  if (index < 0 || index >= static_cast<int>(DeletionPeriods().size())) return;
  const DeletionResult result = maintenance::BtnDataDelClick(ports_.files, ports_.dialogs, folders_,
                                                            ports_.clock.Now().date, DeletionPeriods()[index].months);
  data_deleted_ = data_deleted_ || !result.deleted.empty();
}

}  // namespace kal::maintenance
