// The print preview `TDlgPreview` ("印刷プレビュー"): the page on a paper panel at a zoom of 40 to
// 160 percent, drawn by the same layout and painter as the printer; buttons to print, zoom, open
// the print settings and close; the printer and paper in the status bar.
#pragma once

#include <QDialog>
#include <QWidget>

#include "printing/PageLayout.h"
#include "printing/PrintSettings.h"
#include "printing/QtPrintJob.h"

class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace kal::printing {

// The paper: white, with the page drawn on it.
class QtPaperPanel : public QWidget {
  Q_OBJECT

 public:
  explicit QtPaperPanel(QWidget* parent = nullptr) : QWidget(parent) {}
  void SetPage(const Page* page) { page_ = page; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Page* page_ = nullptr;
};

class TDlgPreview : public QDialog {
  Q_OBJECT

 public:
  // `from_print_dialog`: opened by the print dialog, which hides the preview's "設定(&S)".
  TDlgPreview(const PrintContext& context, QPrinter& printer, bool from_print_dialog, QWidget* parent = nullptr);

  int Zoom() const { return zoom_; }
  const PrintSettings& Settings() const { return print_; }
  // The page as shown; nothing when it could not be laid out.
  const PageResult& Shown() const { return shown_; }

  void BtnZoomInClick();
  void BtnZoomOutClick();
  void BtnPrintClick();
  void BtnSetupClick();

  QWidget* PnlBar = nullptr;
  QPushButton* BtnPrint = nullptr;
  QPushButton* BtnZoomIn = nullptr;
  QPushButton* BtnZoomOut = nullptr;
  QPushButton* BtnSetup = nullptr;
  QPushButton* BtnClose = nullptr;
  QScrollArea* ScrPage = nullptr;
  QtPaperPanel* PnlPaper = nullptr;
  QLabel* SbrStatus = nullptr;

 private:
  // `FormShow`: the settings of Klprint.ini, the printer turned, the starting zoom.
  void LoadSettings();
  // `PreviewShow`: the page laid out at the zoom and the paper panel sized to it.
  void PreviewShow();

  PrintContext context_;
  QPrinter& printer_;
  PrintSettings print_;
  int zoom_ = 40;
  PageResult shown_;
  bool reported_ = false;  // the refusal of a page is shown once per settings
};

}  // namespace kal::printing
