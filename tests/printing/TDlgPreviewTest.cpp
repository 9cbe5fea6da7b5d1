#include "printing/TDlgPreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>

#include "mainwindow/GridDays.h"
#include "platform/FileSystem.h"
#include "printing/Preview.h"
#include "printing/TDlgPrint.h"
#include "store/HolidayFile.h"
#include "store/ScheduleFile.h"
#include "store/Settings.h"
#include "store/TextFile.h"
#include "support/FakeDialogs.h"
#include "support/QtTestHelpers.h"
#include "support/TempFolder.h"

namespace kal::printing {
namespace {

std::string Schedule(int day, const std::string& title, const std::string& start, const std::string& end) {
  store::ScheduleFields f;
  f.day = day;
  f.title = title;
  f.start = start;
  f.end = end;
  return store::BuildScheduleLine(f).line;
}

// May 2024 in the monthly view, printed on an A4 printer that writes a PDF file.
class PrintWindows : public ::testing::Test {
 protected:
  PrintWindows() : printer(QPrinter::HighResolution) {
    settings = store::DefaultSettings(store::SettingsDefaults{dir.path(), "IPAexGothic", 9});
    store::CreateHolidayFile(fs, dir.path());
    dir.Write("202405.sch", store::JoinLines({Schedule(15, "会議", "09:00", "10:00")}));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir / "printed.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A4));
  }

  PrintContext Context(int mode = 4) {
    const store::Date selected = store::MakeDate(2024, 5, 1);
    const store::Date today = store::MakeDate(2024, 5, 20);
    model.Reload(fs, settings, mode, selected, today, dir.path(), dir.path());
    PrintContext c;
    c.files = &fs;
    c.dialogs = &dialogs;
    c.program_folder = dir.path();
    c.source = PageSource{&settings, &model.model(), nullptr, mode, selected, today, "IPAexGothic"};
    c.job_title = "Kalendor";
    return c;
  }

  static std::string PdfText(const std::string& path) {
    std::string text;
    if (FILE* p = popen(("pdftotext -layout '" + path + "' -").c_str(), "r")) {
      char buffer[4096];
      for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, p)) > 0;) text.append(buffer, n);
      pclose(p);
    }
    return text;
  }

  test::TempFolder dir;
  platform::PosixFileSystem fs;
  test::FakeDialogs dialogs;
  store::Settings settings;
  mainwindow::GridModel model;
  QPrinter printer;
};

TEST_F(PrintWindows, ThePreviewOpensLandscapeAt80PercentAndZoomsBetween40And160) {
  TDlgPreview preview(Context(), printer, false);
  EXPECT_EQ(preview.windowTitle(), QStringLiteral("印刷プレビュー"));
  EXPECT_EQ(preview.Zoom(), 80);
  ASSERT_TRUE(preview.Shown().ok);
  const std::vector<std::string> texts = preview.Shown().page.Texts();
  EXPECT_EQ(texts.front(), "2024年 5月のスケジュール");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "09:00-10:00 会議"), texts.end());
  EXPECT_EQ(preview.SbrStatus->text(), QStringLiteral("プリンタ名: %1  用紙サイズ: A4 横").arg(printer.printerName()));
  EXPECT_TRUE(preview.BtnSetup->isVisibleTo(&preview));
  const int width80 = preview.PnlPaper->width();
  EXPECT_GT(width80, preview.PnlPaper->height());  // landscape paper

  for (int i = 0; i < 4; ++i) preview.BtnZoomIn->click();
  EXPECT_EQ(preview.Zoom(), 160);
  EXPECT_FALSE(preview.BtnZoomIn->isEnabled());
  EXPECT_TRUE(preview.BtnZoomOut->isEnabled());
  // The paper is its printable width at the screen resolution times the zoom.
  auto paper_width = [&](int zoom) {
    return static_cast<int>(printer.pageLayout().fullRect(QPageLayout::Millimeter).width() *
                                PreviewDpi(preview.logicalDpiY(), zoom) / 25.4 + 0.5);
  };
  EXPECT_EQ(width80, paper_width(80));
  EXPECT_EQ(preview.PnlPaper->width(), paper_width(160));
  EXPECT_EQ(preview.Shown().page.dpi, PreviewDpi(preview.logicalDpiY(), 160));
  preview.BtnZoomIn->click();  // disabled: nothing happens
  EXPECT_EQ(preview.Zoom(), 160);

  for (int i = 0; i < 6; ++i) preview.BtnZoomOut->click();
  EXPECT_EQ(preview.Zoom(), 40);
  EXPECT_FALSE(preview.BtnZoomOut->isEnabled());
  EXPECT_TRUE(preview.BtnZoomIn->isEnabled());
  EXPECT_EQ(preview.PnlPaper->width(), paper_width(40));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PrintWindows, ThePaperStaysCentredWhileItFits) {
  TDlgPreview preview(Context(), printer, false);
  preview.BtnZoomOut->click();  // 60 percent
  preview.show();
  for (const QSize size : {QSize(1200, 900), QSize(1000, 800)}) {
    preview.resize(size);
    QApplication::processEvents();
    const QWidget* viewport = preview.ScrPage->viewport();
    const QRect paper(preview.PnlPaper->mapTo(viewport, QPoint(0, 0)), preview.PnlPaper->size());
    ASSERT_LT(paper.width(), viewport->width());
    EXPECT_NEAR(paper.left(), (viewport->width() - paper.width()) / 2, 1) << size.width();
    EXPECT_NEAR(paper.top(), (viewport->height() - paper.height()) / 2, 1) << size.width();
  }
  // Larger than the area: 4 pixels from the top and left edges.
  for (int i = 0; i < 5; ++i) preview.BtnZoomIn->click();
  QApplication::processEvents();
  const QPoint corner = preview.PnlPaper->mapTo(preview.ScrPage->viewport(), QPoint(0, 0));
  EXPECT_EQ(corner, QPoint(4, 4));
}

TEST_F(PrintWindows, APortraitSettingStartsAt60AndMarginsLargerThanThePaperAreReportedOnce) {
  dir.WriteLines("Klprint.ini", {"[Option]", "Orientation=0", "[Margin]", "Top=150", "Bottom=150"});
  TDlgPreview preview(Context(), printer, true);
  EXPECT_EQ(preview.Zoom(), 60);
  EXPECT_FALSE(preview.BtnSetup->isVisibleTo(&preview));  // opened from the print dialog
  EXPECT_TRUE(preview.SbrStatus->text().endsWith(QStringLiteral("A4 縦")));
  EXPECT_LT(preview.PnlPaper->width(), preview.PnlPaper->height());
  EXPECT_FALSE(preview.Shown().ok);
  EXPECT_FALSE(preview.BtnPrint->isEnabled());
  preview.BtnZoomIn->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "余白が大きすぎるため、印刷する範囲がありません。余白を小さくしてください。");
  EXPECT_EQ(dialogs.shown[0].caption, "印刷");
  EXPECT_EQ(dialogs.shown[0].icon, platform::MsgIcon::Error);
}

TEST_F(PrintWindows, PrintingFromThePreviewDrawsThePageOnThePrinter) {
  TDlgPreview preview(Context(), printer, false);
  preview.BtnPrint->click();
  const std::string text = PdfText(dir / "printed.pdf");
  EXPECT_NE(text.find("09:00-10:00 会議"), std::string::npos) << text;
  EXPECT_NE(text.find("2024.05.20"), std::string::npos);
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_TRUE(printer.fullPage());
}

TEST_F(PrintWindows, ThePreviewsSetupReloadsTheSettingsAtSixtyPercent) {
  TDlgPreview preview(Context(), printer, false);
  preview.BtnZoomIn->click();
  bool hidden_buttons = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TDlgPrint*>(test::FindModal());
    ASSERT_NE(dialog, nullptr);
    hidden_buttons = !dialog->BtnPrint->isVisible() && !dialog->BtnPreview->isVisible();
    dialog->RdoOrientation[0]->setChecked(true);
    dialog->CmbTitle->setCurrentText(QStringLiteral("eee yyyy"));
    dialog->BtnOk->click();
  });
  preview.BtnSetupClick();
  EXPECT_TRUE(hidden_buttons);
  EXPECT_EQ(preview.Zoom(), 60);
  EXPECT_FALSE(preview.Settings().landscape());
  EXPECT_TRUE(preview.SbrStatus->text().endsWith(QStringLiteral("A4 縦")));
  ASSERT_TRUE(preview.Shown().ok);
  EXPECT_EQ(preview.Shown().page.Texts().front(), "May 2024");
  EXPECT_EQ(ReadPrintSettingsFile(fs, dir.path(), "IPAexGothic").orientation, 0);
}

TEST_F(PrintWindows, ThePrintButtonSavesAndPrints) {
  TDlgPrint dialog(Context(), printer, false);
  dialog.ChkColor->setChecked(true);
  dialog.BtnPrint->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(ReadPrintSettingsFile(fs, dir.path(), "IPAexGothic").color);
  EXPECT_NE(PdfText(dir / "printed.pdf").find("2024年 5"), std::string::npos);
  // Margins that leave no page: the message, and the dialog stays open.
  TDlgPrint again(Context(), printer, false);
  again.SpnTop->setValue(120);
  again.SpnBottom->setValue(120);
  again.BtnPrint->click();
  EXPECT_NE(again.result(), QDialog::Accepted);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].caption, "印刷");
  EXPECT_EQ(dialogs.shown[0].text, "余白が大きすぎるため、印刷する範囲がありません。余白を小さくしてください。");
}

TEST_F(PrintWindows, ThePrintDialogShowsAndSavesTheSettings) {
  TDlgPrint dialog(Context(), printer, false);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("印刷 - ") + printer.printerName());
  // A new installation.
  EXPECT_EQ(dialog.Settings(), DefaultPrintSettings("IPAexGothic"));
  EXPECT_EQ(dialog.PnlTitle->text(), QStringLiteral("2024年 5月のスケジュール"));
  EXPECT_EQ(dialog.PnlDate->text(), QStringLiteral("2024.05.20"));
  EXPECT_TRUE(dialog.RdoOrientation[1]->isChecked());
  EXPECT_EQ(dialog.LstItem->item(9)->text(), QStringLiteral("未処理ToDo件名"));
  EXPECT_EQ(dialog.LstItem->item(9)->checkState(), Qt::Unchecked);
  EXPECT_TRUE(dialog.ChkOtherCol->isEnabled());
  EXPECT_FALSE(dialog.LblTitleNote->isVisibleTo(&dialog));
  // The samples follow the patterns.
  dialog.CmbTitle->setCurrentText(QStringLiteral("eee yyyy"));
  EXPECT_EQ(dialog.PnlTitle->text(), QStringLiteral("May 2024"));
  dialog.CmbDate->setCurrentText(QStringLiteral("(なし)"));
  EXPECT_EQ(dialog.PnlDate->text(), QString());
  // Unticking the other months stores 0 whatever the light-colour box shows.
  dialog.ChkOtherMonth->setChecked(false);
  EXPECT_FALSE(dialog.ChkOtherCol->isEnabled());
  EXPECT_TRUE(dialog.ChkOtherCol->isChecked());
  dialog.SpnLeft->setValue(25);
  dialog.LstItem->item(0)->setCheckState(Qt::Unchecked);
  dialog.BtnOk->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const PrintSettings saved = ReadPrintSettingsFile(fs, dir.path(), "IPAexGothic");
  EXPECT_EQ(saved.other_month, 0);
  EXPECT_EQ(saved.left, 25);
  EXPECT_EQ(saved.title, "eee yyyy");
  EXPECT_EQ(saved.date, "(なし)");
  EXPECT_EQ(saved.items, "01111111100");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PrintWindows, OutsideTheMonthlyViewTheTitleIsTheWindowsCaption) {
  TDlgPrint dialog(Context(3), printer, true);
  EXPECT_FALSE(dialog.CmbTitle->isVisibleTo(&dialog));
  EXPECT_FALSE(dialog.BtnFont->isVisibleTo(&dialog));
  EXPECT_TRUE(dialog.LblTitleNote->isVisibleTo(&dialog));
  EXPECT_EQ(dialog.LblTitleNote->text(),
            QStringLiteral("※見出しは、環境設定→スケジュール表→「日付見出し書式」で変更可能です。"));
  EXPECT_FALSE(dialog.BtnPrint->isVisibleTo(&dialog));
  EXPECT_FALSE(dialog.BtnPreview->isVisibleTo(&dialog));
  EXPECT_EQ(dialog.PnlTitle->text().toStdString(), PageTitle(dialog.Settings(), settings, 3, store::MakeDate(2024, 5, 1)));
}

}  // namespace
}  // namespace kal::printing
