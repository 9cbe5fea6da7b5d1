// The print settings dialog `TDlgPrint` ("印刷 - " + the printer's name): title pattern and font,
// creation date, positions, margins, font sizes, line spacing, orientation, print items and
// options, kept in Klprint.ini; its buttons print, open the preview or the printer setup.
#pragma once

#include <QDialog>
#include <array>

#include "printing/PrintSettings.h"
#include "printing/QtPrintJob.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kal::printing {

inline constexpr const char* kTitleNote = "※見出しは、環境設定→スケジュール表→「日付見出し書式」で変更可能です。";

class TDlgPrint : public QDialog {
  Q_OBJECT

 public:
  // `from_preview`: opened by the preview's "設定(&S)", without the print and preview buttons.
  TDlgPrint(const PrintContext& context, QPrinter& printer, bool from_preview, QWidget* parent = nullptr);

  // The controls from settings, and the settings the controls hold.
  void LoadControls(const PrintSettings& settings);
  PrintSettings Settings() const;
  // `WriteIniFile`: saves the controls' settings; false when the file cannot be written (reported).
  bool WriteIniFile();

  // Button actions.
  void BtnOkClick();
  void BtnPreviewClick();
  void BtnPrintClick();
  void BtnSetupClick();
  void BtnFontClick();

  QComboBox* CmbTitle = nullptr;
  QPushButton* BtnFont = nullptr;
  QLabel* PnlTitle = nullptr;
  QLabel* LblTitleNote = nullptr;
  std::array<QRadioButton*, 3> RdoTitlePos{};
  QComboBox* CmbDate = nullptr;
  QLabel* PnlDate = nullptr;
  std::array<QRadioButton*, 2> RdoDatePos{};
  QSpinBox* SpnTop = nullptr;
  QSpinBox* SpnBottom = nullptr;
  QSpinBox* SpnLeft = nullptr;
  QSpinBox* SpnRight = nullptr;
  QComboBox* CmbDayFont = nullptr;
  QComboBox* CmbSchFont = nullptr;
  QComboBox* CmbLinePitch = nullptr;
  std::array<QRadioButton*, 2> RdoOrientation{};
  QListWidget* LstItem = nullptr;
  QCheckBox* ChkOtherMonth = nullptr;
  QCheckBox* ChkOtherCol = nullptr;
  QCheckBox* ChkSchCr = nullptr;
  QCheckBox* ChkRenWaku = nullptr;
  QCheckBox* ChkColor = nullptr;
  QPushButton* BtnOk = nullptr;
  QPushButton* BtnCancel = nullptr;
  QPushButton* BtnSetup = nullptr;
  QPushButton* BtnPreview = nullptr;
  QPushButton* BtnPrint = nullptr;

 private:
  void ShowSamples();
  void SetCaption();

  PrintContext context_;
  QPrinter& printer_;
  TitleFont title_font_;
};

}  // namespace kal::printing
