#include "printing/TDlgPreview.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "printing/Preview.h"
#include "printing/QtPagePainter.h"
#include "printing/TDlgPrint.h"
#include "store/TextFile.h"

namespace kal::printing {

void QtPaperPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (page_ != nullptr) PaintPage(painter, *page_);
}

TDlgPreview::TDlgPreview(const PrintContext& context, QPrinter& printer, bool from_print_dialog, QWidget* parent)
    : QDialog(parent), context_(context), printer_(printer) {
  setObjectName(QStringLiteral("TDlgPreview"));
  setWindowTitle(QString::fromUtf8(kPreviewCaption));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  PnlBar = new QWidget(this);
  PnlBar->setObjectName(QStringLiteral("PnlBar"));
  auto* bar = new QHBoxLayout(PnlBar);
  auto button = [this, bar](const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), PnlBar);
    b->setObjectName(QLatin1String(name));
    bar->addWidget(b);
    return b;
  };
  BtnPrint = button("BtnPrint", "印刷開始(&P)");
  BtnZoomIn = button("BtnZoomIn", "拡大(&I)");
  BtnZoomOut = button("BtnZoomOut", "縮小(&O)");
  BtnSetup = button("BtnSetup", "設定(&S)");
  BtnClose = button("BtnClose", "閉じる(&C)");
  bar->addStretch();
  BtnSetup->setVisible(!from_print_dialog);
  layout->addWidget(PnlBar);

  ScrPage = new QScrollArea(this);
  ScrPage->setObjectName(QStringLiteral("ScrPage"));
  ScrPage->setBackgroundRole(QPalette::Dark);
  ScrPage->setWidgetResizable(true);
  // The paper stays centred while it fits, and lies 4 pixels from the top and left edges when
  // it is larger than the area.
  auto* desk = new QWidget;
  desk->setObjectName(QStringLiteral("PnlDesk"));
  auto* desk_layout = new QGridLayout(desk);
  desk_layout->setContentsMargins(4, 4, 4, 4);
  PnlPaper = new QtPaperPanel(desk);
  PnlPaper->setObjectName(QStringLiteral("PnlPaper"));
  desk_layout->addWidget(PnlPaper, 0, 0, Qt::AlignCenter);
  ScrPage->setWidget(desk);
  layout->addWidget(ScrPage, 1);
  SbrStatus = new QLabel(this);
  SbrStatus->setObjectName(QStringLiteral("SbrStatus"));
  SbrStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  layout->addWidget(SbrStatus);

  connect(BtnZoomIn, &QPushButton::clicked, this, &TDlgPreview::BtnZoomInClick);
  connect(BtnZoomOut, &QPushButton::clicked, this, &TDlgPreview::BtnZoomOutClick);
  connect(BtnPrint, &QPushButton::clicked, this, &TDlgPreview::BtnPrintClick);
  connect(BtnSetup, &QPushButton::clicked, this, &TDlgPreview::BtnSetupClick);
  connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);

  // Nine tenths of the work area's height, and of its width when it is at least 1024 wide.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
  resize(area.width() >= 1024 ? area.width() * 9 / 10 : area.width(), area.height() * 9 / 10);

  LoadSettings();
  zoom_ = InitialZoom(print_.landscape());
  PreviewShow();
}

void TDlgPreview::LoadSettings() {
  print_ = ReadPrintSettings(context_);
  ApplyPrintSettings(printer_, print_);
  reported_ = false;
}

void TDlgPreview::PreviewShow() {
  const int screen_dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
  const QtTextMeasure measure;
  shown_ = BuildPage(PrinterPageRequest(printer_, context_.source, print_, PreviewDpi(screen_dpi, zoom_)), measure);
  const QRectF paper = printer_.pageLayout().fullRect(QPageLayout::Millimeter);
  const double scale = PreviewDpi(screen_dpi, zoom_) / 25.4;
  PnlPaper->setFixedSize(static_cast<int>(paper.width() * scale + 0.5), static_cast<int>(paper.height() * scale + 0.5));
  PnlPaper->SetPage(shown_.ok ? &shown_.page : nullptr);
  PnlPaper->update();
  BtnZoomIn->setEnabled(CanZoomIn(zoom_));
  BtnZoomOut->setEnabled(CanZoomOut(zoom_));
  BtnPrint->setEnabled(shown_.ok);
  SbrStatus->setText(QString::fromStdString(PreviewStatusText(printer_.printerName().toStdString(), paper.width(),
                                                               paper.height(), print_.landscape())));
  if (!shown_.ok && !reported_) {
    reported_ = true;
    context_.dialogs->Error(shown_.message, kPrintErrorCaption);
  }
}

void TDlgPreview::BtnZoomInClick() {
  zoom_ = ZoomIn(zoom_);
  PreviewShow();
}

void TDlgPreview::BtnZoomOutClick() {
  zoom_ = ZoomOut(zoom_);
  PreviewShow();
}

void TDlgPreview::BtnPrintClick() { PrintRun(printer_, context_, print_); }

void TDlgPreview::BtnSetupClick() {
  TDlgPrint dialog(context_, printer_, true, this);
  if (dialog.exec() != QDialog::Accepted) return;
  LoadSettings();
  zoom_ = kZoomAfterSetup;
  PreviewShow();
}

}  // namespace kal::printing
