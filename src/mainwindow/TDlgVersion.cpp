#include "mainwindow/TDlgVersion.h"

#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "mainwindow/HelpCommands.h"
#include "platform/QtDesktop.h"

namespace kal::mainwindow {

QString TDlgVersion::VersionText() {
  const QFileInfo exe(QCoreApplication::applicationFilePath());
  return QStringLiteral("Version %1.%2")
      .arg(QStringLiteral(KALENDOR_VERSION), exe.lastModified().toString(QStringLiteral("yyMMdd")));
}

TDlgVersion::TDlgVersion(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TDlgVersion"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  setWindowFlags((windowFlags() | Qt::WindowStaysOnTopHint) & ~Qt::WindowContextHelpButtonHint);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("ImgIcon"));
  icon->setPixmap(platform::QtTray::DayIcon(0).pixmap(32, 32));

  auto* name = new QLabel(QStringLiteral("Kalendor"), this);
  name->setObjectName(QStringLiteral("LblName"));
  QFont bold = name->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.4);
  name->setFont(bold);

  auto* version = new QLabel(VersionText(), this);
  version->setObjectName(QStringLiteral("LblVersion"));

  auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QString::fromUtf8(kMakerHomePage)), this);
  link->setObjectName(QStringLiteral("LblHomePage"));
  link->setTextFormat(Qt::RichText);
  link->setOpenExternalLinks(true);

  auto* text = new QVBoxLayout;
  text->addWidget(name);
  text->addWidget(version);
  text->addWidget(link);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(text, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BtnOk"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  adjustSize();
  if (const QScreen* screen = QApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

}  // namespace kal::mainwindow
