#include "mainwindow/MiniMode.h"

#include <algorithm>

namespace kal::mainwindow {

store::WindowGeometry PlaceByMode(int pos_mode, int width, int height, int top, int left, const ScreenArea& area) {
  // A window larger than the work area is placed as if it fitted, from the area's corner.
  const int w = std::min(width, area.width);
  const int h = std::min(height, area.height);
  const int right = area.left + area.width - w;
  const int bottom = area.top + area.height - h;
  store::WindowGeometry g{top, left, height, width};
  switch (pos_mode) {
    case 0: g.top = area.top; g.left = area.left; break;
    case 1: g.top = area.top; g.left = right; break;
    case 2: g.top = area.top + (area.height - h) / 2; g.left = area.left + (area.width - w) / 2; break;
    case 3: g.top = bottom; g.left = area.left; break;
    case 4: g.top = bottom; g.left = right; break;
    default: break;
  }
  return g;
}

store::WindowGeometry MiniMode::Enter(const store::WindowGeometry& normal_now, bool maximised,
                                      const store::MiniSettings& mini, const ScreenArea& area) {
  if (!maximised) normal_ = normal_now;
  active_ = true;
  const int width = mini.width > 0 ? mini.width : kMiniDefaultWidth;
  const int height = mini.height > 0 ? mini.height : kMiniDefaultHeight;
  return PlaceByMode(mini.pos_mode, width, height, mini.top, mini.left, area);
}

store::WindowGeometry MiniMode::Leave(const store::WindowGeometry& mini_now, store::MiniSettings& mini) {
  mini.top = mini_now.top;
  mini.left = mini_now.left;
  mini.width = mini_now.width;
  mini.height = mini_now.height;
  active_ = false;
  return normal_;
}

bool MiniSizeReset(store::MiniSettings& mini) {
  const bool changed = mini.width != kMiniDefaultWidth || mini.height != kMiniDefaultHeight;
  mini.width = kMiniDefaultWidth;
  mini.height = kMiniDefaultHeight;
  return changed;
}

}  // namespace kal::mainwindow
