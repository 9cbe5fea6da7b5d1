// The shapes of the six multi-day bar styles inside one band's line box, as points, so that the
// grid, printing and the entry dialog's samples draw the same thing.
//
//   0 a rectangle over the full line height, outlined in black
//   1 a rectangle inset 1 pixel at top and bottom, outlined in black
//   2 as 1, with a grey shadow line along the bottom and right edges
//   3 inset 2 pixels, with arrow-head ends 8 pixels long where the bar starts and ends in the row
//   4 a thin bar 3 pixels high at the middle of the line, with arrow-head ends
//   5 a thin bar 3 pixels high at the bottom of the line, with slanted ends
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace kal::calendar {

inline constexpr int kBarShadowColour = 0x808080;
inline constexpr int kBarArrowLength = 8;

struct BarPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const BarPoint&, const BarPoint&) = default;
};

// Left and top inclusive, right and bottom exclusive.
struct BarRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const BarRect&, const BarRect&) = default;
};

struct BarShape {
  std::vector<BarPoint> polygon;  // filled with the fill colour
  bool outlined = false;          // drawn with a black outline
  std::vector<std::array<BarPoint, 2>> shadow;  // grey lines
  BarRect text;                   // where the title is drawn (clipped)
};

// `starts` / `ends`: the bar's first / last day lies in this row, so the end has its head.
BarShape BarShapeOf(int style, const BarRect& box, bool starts, bool ends);

// What a bar entry of the month model says about its drawing.
struct BarLook {
  int style = 3;
  int text_colour = 0x000000;
  int bar_colour = 0x80FF80;
};
BarLook BarLookOf(std::string_view entry);

// Text and fill colours: swapped for a highlighted bar.
struct BarColours {
  int text = 0;
  int fill = 0;
};
BarColours BarColoursOf(const BarLook& look, bool highlighted);

}  // namespace kal::calendar
