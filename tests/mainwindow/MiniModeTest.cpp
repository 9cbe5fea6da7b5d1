#include "mainwindow/MiniMode.h"

#include <gtest/gtest.h>

namespace kal::mainwindow {
namespace {

using store::WindowGeometry;

const ScreenArea kArea{0, 0, 1280, 900};

store::MiniSettings Mini(int pos_mode) {
  store::MiniSettings m;
  m.width = 172;
  m.height = 156;
  m.top = 40;
  m.left = 900;
  m.pos_mode = pos_mode;
  return m;
}

TEST(MiniModeTest, GeometryRoundTrip) {
  MiniMode mode;
  const WindowGeometry normal{100, 200, 600, 800};
  store::MiniSettings mini = Mini(5);
  const WindowGeometry small = mode.Enter(normal, false, mini, kArea);
  EXPECT_TRUE(mode.Active());
  EXPECT_EQ(small, (WindowGeometry{40, 900, 156, 172}));

  // The user moves and resizes the mini window; leaving stores it and gives the normal window back.
  const WindowGeometry moved{300, 50, 180, 200};
  EXPECT_EQ(mode.Leave(moved, mini), normal);
  EXPECT_FALSE(mode.Active());
  EXPECT_EQ(mini.top, 300);
  EXPECT_EQ(mini.left, 50);
  EXPECT_EQ(mini.width, 200);
  EXPECT_EQ(mini.height, 180);

  // The next entry comes back at the stored mini place.
  EXPECT_EQ(mode.Enter(normal, false, mini, kArea), moved);
}

TEST(MiniModeTest, MaximisedWindowKeepsTheLastNormalGeometry) {
  MiniMode mode;
  const WindowGeometry normal{10, 20, 500, 700};
  mode.SetNormal(normal);
  store::MiniSettings mini = Mini(5);
  mode.Enter(WindowGeometry{0, 0, 900, 1280}, true, mini, kArea);
  EXPECT_EQ(mode.Leave(WindowGeometry{40, 900, 156, 172}, mini), normal);
}

TEST(MiniModeTest, PositionModesOnTheWorkArea) {
  const ScreenArea area{10, 20, 1000, 700};
  struct Case {
    int pos_mode;
    int top;
    int left;
  };
  for (const Case c : {Case{0, 20, 10}, Case{1, 20, 838}, Case{2, 292, 424}, Case{3, 564, 10}, Case{4, 564, 838},
                       Case{5, 40, 900}}) {
    MiniMode mode;
    const WindowGeometry g = mode.Enter(WindowGeometry{}, false, Mini(c.pos_mode), area);
    EXPECT_EQ(g, (WindowGeometry{c.top, c.left, 156, 172})) << "PosMode " << c.pos_mode;
  }
}

TEST(MiniModeTest, SizeResetAndMissingSize) {
  store::MiniSettings mini = Mini(5);
  mini.width = 300;
  EXPECT_TRUE(MiniSizeReset(mini));
  EXPECT_EQ(mini.width, 172);
  EXPECT_EQ(mini.height, 156);
  EXPECT_FALSE(MiniSizeReset(mini)) << "nothing changed: the layout flag stays";

  mini.width = 0;
  mini.height = 0;
  MiniMode mode;
  const WindowGeometry g = mode.Enter(WindowGeometry{}, false, mini, kArea);
  EXPECT_EQ(g.width, 172);
  EXPECT_EQ(g.height, 156);
}

}  // namespace
}  // namespace kal::mainwindow
