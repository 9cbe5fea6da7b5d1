#include "printing/Preview.h"

#include <algorithm>
#include <cmath>

namespace kal::printing {

namespace {
std::string Rounded(double mm) { return std::to_string(static_cast<long>(std::lround(mm))); }
}  // namespace

int InitialZoom(bool landscape) { return kZoomMin + (landscape ? 2 : 1) * kZoomStep; }
bool CanZoomIn(int zoom) { return zoom + kZoomStep <= kZoomMax; }
bool CanZoomOut(int zoom) { return zoom - kZoomStep >= kZoomMin; }
int ZoomIn(int zoom) { return std::clamp(zoom + kZoomStep, kZoomMin, kZoomMax); }
int ZoomOut(int zoom) { return std::clamp(zoom - kZoomStep, kZoomMin, kZoomMax); }

std::string PaperName(double width_mm, double height_mm, bool landscape) {
  const std::string key = landscape ? Rounded(height_mm) + Rounded(width_mm) : Rounded(width_mm) + Rounded(height_mm);
  if (key == "297420") return "A3";
  if (key == "210297") return "A4";
  if (key == "175249") return "B5";
  if (key == "257364") return "B4";
  return "";
}

std::string PreviewStatusText(const std::string& printer, double width_mm, double height_mm, bool landscape) {
  std::string paper = PaperName(width_mm, height_mm, landscape);
  if (paper.empty()) paper = Rounded(height_mm) + "×" + Rounded(width_mm);
  return "プリンタ名: " + printer + "  用紙サイズ: " + paper + " " + (landscape ? "横" : "縦");
}

int PreviewDpi(int screen_dpi, int zoom) { return std::max(1, screen_dpi * zoom / 100); }

}  // namespace kal::printing
