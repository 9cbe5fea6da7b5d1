// The print preview's rules (`TDlgPreview`): zoom steps, the paper names recognised from the
// printable size, the status-bar text and the resolution the page is drawn at on screen.
#pragma once

#include <string>

namespace kal::printing {

inline constexpr const char* kPreviewCaption = "印刷プレビュー";
inline constexpr int kZoomMin = 40;
inline constexpr int kZoomMax = 160;
inline constexpr int kZoomStep = 20;
// The zoom after the print dialog opened from the preview closes with OK.
inline constexpr int kZoomAfterSetup = 60;

// 40 raised by one step for portrait (60) and by two for landscape (80).
int InitialZoom(bool landscape);
bool CanZoomIn(int zoom);
bool CanZoomOut(int zoom);
// One step, kept within 40..160.
int ZoomIn(int zoom);
int ZoomOut(int zoom);

// The paper name of a printable size in millimetres ("A3", "A4", "B5", "B4"): the rounded width
// and height written one after the other, height first for a landscape page; empty when none
// matches.
std::string PaperName(double width_mm, double height_mm, bool landscape);

// "プリンタ名: " + printer + "  用紙サイズ: " + paper name (or height "×" width when none
// matches) + " " + "縦" or "横".
std::string PreviewStatusText(const std::string& printer, double width_mm, double height_mm, bool landscape);

// The resolution of the page on screen: screen dots per inch x zoom / 100.
int PreviewDpi(int screen_dpi, int zoom);

}  // namespace kal::printing
