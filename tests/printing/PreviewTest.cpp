#include "printing/Preview.h"

#include <gtest/gtest.h>

namespace kal::printing {
namespace {

TEST(Preview, ZoomStartsByOrientationAndStaysBetween40And160) {
  EXPECT_EQ(InitialZoom(false), 60);
  EXPECT_EQ(InitialZoom(true), 80);
  struct Case {
    int zoom;
    bool in, out;
  };
  for (const Case& c : {Case{40, true, false}, Case{60, true, true}, Case{140, true, true}, Case{160, false, true}}) {
    EXPECT_EQ(CanZoomIn(c.zoom), c.in) << c.zoom;
    EXPECT_EQ(CanZoomOut(c.zoom), c.out) << c.zoom;
  }
  EXPECT_EQ(ZoomIn(140), 160);
  EXPECT_EQ(ZoomIn(160), 160);
  EXPECT_EQ(ZoomOut(60), 40);
  EXPECT_EQ(ZoomOut(40), 40);
}

TEST(Preview, PaperNamesComeFromTheRoundedPrintableSize) {
  EXPECT_EQ(PaperName(297, 210, true), "A4");
  EXPECT_EQ(PaperName(210, 297, false), "A4");
  EXPECT_EQ(PaperName(296.6, 210.2, true), "A4");
  EXPECT_EQ(PaperName(420, 297, true), "A3");
  EXPECT_EQ(PaperName(175.4, 249, false), "B5");
  EXPECT_EQ(PaperName(257, 364, false), "B4");
  EXPECT_EQ(PaperName(297, 210, false), "");  // a landscape size read as portrait
  EXPECT_EQ(PaperName(216, 279, false), "");  // Letter
}

TEST(Preview, TheStatusBarNamesPrinterPaperAndOrientation) {
  EXPECT_EQ(PreviewStatusText("Office", 297, 210, true), "プリンタ名: Office  用紙サイズ: A4 横");
  EXPECT_EQ(PreviewStatusText("Office", 210, 297, false), "プリンタ名: Office  用紙サイズ: A4 縦");
  EXPECT_EQ(PreviewStatusText("PDF", 215.9, 279.4, false), "プリンタ名: PDF  用紙サイズ: 279×216 縦");
}

TEST(Preview, TheScreenResolutionIsScaledByTheZoom) {
  EXPECT_EQ(PreviewDpi(96, 80), 76);
  EXPECT_EQ(PreviewDpi(96, 160), 153);
  EXPECT_EQ(PreviewDpi(0, 40), 1);
}

}  // namespace
}  // namespace kal::printing
