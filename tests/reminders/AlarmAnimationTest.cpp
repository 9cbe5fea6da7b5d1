#include "reminders/AlarmAnimation.h"

#include <gtest/gtest.h>

namespace kal::reminders {
namespace {

AnimationSetup MakeSetup(AlarmStyle style, int position, bool clear, int show_time = 10) {
  AnimationSetup s;
  s.style = style;
  s.position = position;
  s.screen = {0, 0, 1280, 900};
  s.work_area = {0, 30, 1280, 840};  // a panel above and one below
  s.width = 300;
  s.height = 151;
  s.show_time = show_time;
  s.clear = clear;
  return s;
}

// Steps until closed (or a limit); returns the number of steps and the frames seen.
struct Trace {
  int steps = 0;
  int sound_at = -1;
  int in_place_at = -1;
  std::vector<AnimationFrame> frames;
};
Trace RunUntilClosed(AlarmAnimation& a, int limit = 10000) {
  Trace r;
  while (a.phase() != AnimationPhase::Closed && r.steps < limit) {
    AnimationFrame f = a.Step();
    ++r.steps;
    if (f.play_sound) {
      EXPECT_EQ(r.sound_at, -1) << "the sound plays once";
      r.sound_at = r.steps;
    }
    if (f.phase == AnimationPhase::InPlace && r.in_place_at < 0) r.in_place_at = r.steps;
    r.frames.push_back(f);
  }
  return r;
}

TEST(AlarmAnimation, FinalPlacesOfTheFivePositions) {
  struct Case {
    int position, x, y;
  } cases[] = {{0, 0, 30}, {1, 0, 870 - 151}, {2, 980, 30}, {3, 980, 870 - 151}, {4, 490, (900 - 151) / 2}};
  for (const auto& c : cases) {
    AlarmAnimation a(MakeSetup(AlarmStyle::Normal, c.position, false));
    EXPECT_EQ(a.Start().x, c.x) << c.position;
    EXPECT_EQ(a.Start().y, c.y) << c.position;
  }
}

TEST(AlarmAnimation, NormalStaysUntilClosedWithoutClearAndLeavesAfterShowTimeWithIt) {
  AlarmAnimation stay(MakeSetup(AlarmStyle::Normal, 3, false));
  EXPECT_EQ(stay.Start().phase, AnimationPhase::InPlace);
  const Trace r = RunUntilClosed(stay, 5000);
  EXPECT_EQ(r.steps, 5000);
  EXPECT_EQ(stay.phase(), AnimationPhase::InPlace);
  EXPECT_EQ(r.sound_at, 1);

  AlarmAnimation leave(MakeSetup(AlarmStyle::Normal, 3, true, 10));
  const Trace l = RunUntilClosed(leave);
  EXPECT_EQ(l.steps, 1001);  // 1000 ticks in place, then it closes at once
}

TEST(AlarmAnimation, TranslucentFadesIn255TicksAndOutIn255) {
  AlarmAnimation a(MakeSetup(AlarmStyle::Translucent, 2, true, 1));
  EXPECT_EQ(a.Start().opacity, 0);
  const Trace r = RunUntilClosed(a);
  EXPECT_EQ(r.in_place_at, 255);
  EXPECT_EQ(r.frames[254].opacity, 255);
  EXPECT_EQ(r.sound_at, 256);  // the first tick in place
  // 100 ticks in place, then 255 ticks to vanish.
  EXPECT_EQ(r.steps, 255 + 100 + 255);
  EXPECT_EQ(r.frames.back().opacity, 0);
}

TEST(AlarmAnimation, RollSlidesInFromTheEdgeAndBackOut) {
  {  // bottom right: from below the work area upwards, 2 pixels a tick
    AlarmAnimation a(MakeSetup(AlarmStyle::Roll, 3, true, 1));
    EXPECT_EQ(a.Start().y, 870);
    EXPECT_EQ(a.Start().x, 980);
    const Trace r = RunUntilClosed(a);
    EXPECT_EQ(r.frames[0].y, 868);
    EXPECT_EQ(r.in_place_at, 76);  // 151 pixels at 2 a tick
    EXPECT_EQ(r.frames[75].y, 870 - 151);
    // Leaves downwards until its top passes the screen's bottom.
    EXPECT_GT(r.frames.back().y, 900);
  }
  {  // top left: from above the work area downwards; leaves upwards until entirely above it
    AlarmAnimation a(MakeSetup(AlarmStyle::Roll, 0, true, 1));
    EXPECT_EQ(a.Start().y, 30 - 151);
    const Trace r = RunUntilClosed(a);
    EXPECT_EQ(r.frames[r.in_place_at - 1].y, 30);
    EXPECT_LE(r.frames.back().y + 151, 30);
  }
  {  // centre: 4 pixels a tick down to the middle of the screen
    AlarmAnimation a(MakeSetup(AlarmStyle::Roll, 4, false));
    const Trace r = RunUntilClosed(a, 200);
    EXPECT_EQ(r.frames[0].y, 30 - 151 + 4);
    EXPECT_EQ(r.frames.back().y, (900 - 151) / 2);
    EXPECT_EQ(a.phase(), AnimationPhase::InPlace);
  }
}

TEST(AlarmAnimation, RelabelsEveryWholeSecond) {
  AlarmAnimation a(MakeSetup(AlarmStyle::Normal, 2, false));
  std::vector<int> at;
  for (int i = 1; i <= 250; ++i)
    if (a.Step().relabel) at.push_back(i);
  EXPECT_EQ(at, (std::vector<int>{100, 200}));
}

}  // namespace
}  // namespace kal::reminders
