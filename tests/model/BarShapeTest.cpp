#include "model/BarShape.h"

#include <gtest/gtest.h>

#include "model/MultiDay.h"
#include "store/ScheduleFile.h"

namespace kal::calendar {
namespace {

using P = BarPoint;

struct ShapeCase {
  int style;
  bool starts, ends;
  std::vector<BarPoint> polygon;
  bool outlined;
  BarRect text;
};

TEST(BarShape, EachStyleInsideTheLineBox) {
  const BarRect box{10, 20, 60, 32};  // 50 wide, 12 high, middle at y 26
  const ShapeCase cases[] = {
      {0, true, true, {P{10, 20}, P{60, 20}, P{60, 32}, P{10, 32}}, true, {10, 20, 60, 32}},
      {1, true, true, {P{10, 21}, P{60, 21}, P{60, 31}, P{10, 31}}, true, {10, 21, 60, 31}},
      {2, false, false, {P{10, 21}, P{59, 21}, P{59, 30}, P{10, 30}}, true, {10, 21, 59, 30}},
      // Arrow heads 8 pixels long only where the bar starts and ends in the row.
      {3, true, true, {P{10, 26}, P{18, 22}, P{52, 22}, P{60, 26}, P{52, 30}, P{18, 30}}, true, {18, 22, 52, 30}},
      {3, false, false, {P{10, 22}, P{60, 22}, P{60, 30}, P{10, 30}}, true, {10, 22, 60, 30}},
      {3, false, true, {P{10, 22}, P{52, 22}, P{60, 26}, P{52, 30}, P{10, 30}}, true, {10, 22, 52, 30}},
      // A thin bar 3 pixels high at the middle, its heads as high as style 3's bar.
      {4, true, false,
       {P{10, 26}, P{18, 22}, P{18, 25}, P{60, 25}, P{60, 28}, P{18, 28}, P{18, 30}}, false, {18, 20, 60, 32}},
      // A thin bar at the bottom with slanted ends.
      {5, true, true, {P{13, 29}, P{60, 29}, P{57, 32}, P{10, 32}}, false, {10, 20, 60, 29}},
      {5, false, false, {P{10, 29}, P{60, 29}, P{60, 32}, P{10, 32}}, false, {10, 20, 60, 29}},
  };
  for (const auto& c : cases) {
    const BarShape s = BarShapeOf(c.style, box, c.starts, c.ends);
    EXPECT_EQ(s.polygon, c.polygon) << "style " << c.style << " " << c.starts << c.ends;
    EXPECT_EQ(s.outlined, c.outlined) << c.style;
    EXPECT_EQ(s.text, c.text) << c.style;
    EXPECT_EQ(s.shadow.empty(), c.style != 2) << c.style;
  }
  const BarShape shadowed = BarShapeOf(2, box, true, true);
  ASSERT_EQ(shadowed.shadow.size(), 2u);
  EXPECT_EQ(shadowed.shadow[0][0].y, 30);  // along the bottom, under the bar
  EXPECT_EQ(shadowed.shadow[1][0].x, 59);  // along the right edge
}

TEST(BarShape, ArrowHeadsShrinkInANarrowBox) {
  const BarShape s = BarShapeOf(3, {0, 0, 10, 12}, true, true);
  EXPECT_EQ(s.polygon.front(), (P{0, 6}));
  EXPECT_EQ(s.polygon[1], (P{5, 2}));
  EXPECT_EQ(s.text, (BarRect{5, 2, 5, 10}));
}

TEST(BarLook, ComesFromTheEntryAndHighlightSwapsTheColours) {
  store::ScheduleFields f;
  f.day = 1;
  f.span = 3;
  f.title = "x";
  f.bar_style = 5;
  f.text_colour = 0x0000FF;
  f.bar_colour = 0x00FFFF;
  const std::string entry = BarEntry(0, 0, store::BuildScheduleLine(f).line, 2, true);
  const BarLook look = BarLookOf(entry);
  EXPECT_EQ(look.style, 5);
  EXPECT_EQ(look.text_colour, 0x0000FF);
  EXPECT_EQ(look.bar_colour, 0x00FFFF);
  EXPECT_EQ(BarColoursOf(look, false).fill, 0x00FFFF);
  EXPECT_EQ(BarColoursOf(look, false).text, 0x0000FF);
  EXPECT_EQ(BarColoursOf(look, true).fill, 0x0000FF);
  EXPECT_EQ(BarColoursOf(look, true).text, 0x00FFFF);
}

}  // namespace
}  // namespace kal::calendar
