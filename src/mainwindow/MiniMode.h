// Mini mode (`SmallSize`): the window shrinks to a small month calendar and comes back to the
// normal size and place it had before.
#pragma once

#include "store/Settings.h"

namespace kal::mainwindow {

inline constexpr int kMiniDefaultWidth = 172;
inline constexpr int kMiniDefaultHeight = 156;

struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// A window of `width` x `height` placed by a position mode on the work area: 0 top left, 1 top
// right, 2 centre, 3 bottom left, 4 bottom right, 5 (and anything else) the stored top and left.
store::WindowGeometry PlaceByMode(int pos_mode, int width, int height, int top, int left, const ScreenArea& area);

class MiniMode {
 public:
  bool Active() const { return active_; }

  // Entering: the normal window is remembered (a maximised one is not: its last normal geometry
  // stays). Returns the mini window from the `Mini` settings.
  store::WindowGeometry Enter(const store::WindowGeometry& normal_now, bool maximised, const store::MiniSettings& mini,
                              const ScreenArea& area);
  // Leaving: the mini window's place and size are stored in `mini` (its position mode is kept);
  // returns the normal window to restore.
  store::WindowGeometry Leave(const store::WindowGeometry& mini_now, store::MiniSettings& mini);

  // The normal window as remembered (the window's own geometry before mini mode was first used).
  const store::WindowGeometry& Normal() const { return normal_; }
  void SetNormal(const store::WindowGeometry& normal) { normal_ = normal; }

 private:
  bool active_ = false;
  store::WindowGeometry normal_;
};

// "ミニカレンダーのサイズを初期化": 172 x 156. Returns whether anything changed.
bool MiniSizeReset(store::MiniSettings& mini);

}  // namespace kal::mainwindow
