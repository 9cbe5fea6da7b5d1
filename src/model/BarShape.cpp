#include "model/BarShape.h"

#include <algorithm>

#include "model/MonthModel.h"
#include "store/ScheduleFile.h"

namespace kal::calendar {
namespace {

// A polygon over rows top..bottom (exclusive) with an arrow head at each end that has one.
std::vector<BarPoint> ArrowBar(const BarRect& box, int top, int bottom, int head_top, int head_bottom, bool starts,
                               bool ends) {
  const int mid = (box.top + box.bottom) / 2;
  const int length = std::min(kBarArrowLength, std::max(0, (box.right - box.left) / 2));
  std::vector<BarPoint> p;
  if (starts) {
    p.push_back({box.left, mid});
    p.push_back({box.left + length, head_top});
    if (head_top != top) p.push_back({box.left + length, top});
  } else {
    p.push_back({box.left, top});
  }
  if (ends) {
    if (head_top != top) p.push_back({box.right - length, top});
    p.push_back({box.right - length, head_top});
    p.push_back({box.right, mid});
    p.push_back({box.right - length, head_bottom});
    if (head_bottom != bottom) p.push_back({box.right - length, bottom});
  } else {
    p.push_back({box.right, top});
    p.push_back({box.right, bottom});
  }
  if (starts) {
    if (head_bottom != bottom) p.push_back({box.left + length, bottom});
    p.push_back({box.left + length, head_bottom});
  } else {
    p.push_back({box.left, bottom});
  }
  return p;
}

std::vector<BarPoint> Rectangle(int left, int top, int right, int bottom) {
  return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

}  // namespace

BarShape BarShapeOf(int style, const BarRect& box, bool starts, bool ends) {
  BarShape shape;
  const int mid = (box.top + box.bottom) / 2;
  const int length = std::min(kBarArrowLength, std::max(0, (box.right - box.left) / 2));
  shape.text = box;
  switch (style) {
    case 0:
      shape.polygon = Rectangle(box.left, box.top, box.right, box.bottom);
      shape.outlined = true;
      break;
    case 1:
      shape.polygon = Rectangle(box.left, box.top + 1, box.right, box.bottom - 1);
      shape.outlined = true;
      shape.text = {box.left, box.top + 1, box.right, box.bottom - 1};
      break;
    case 2:
      // One pixel is left at the right and the bottom for the shadow.
      shape.polygon = Rectangle(box.left, box.top + 1, box.right - 1, box.bottom - 2);
      shape.outlined = true;
      shape.shadow = {{BarPoint{box.left + 1, box.bottom - 2}, BarPoint{box.right, box.bottom - 2}},
                      {BarPoint{box.right - 1, box.top + 2}, BarPoint{box.right - 1, box.bottom - 1}}};
      shape.text = {box.left, box.top + 1, box.right - 1, box.bottom - 2};
      break;
    case 4:
      shape.polygon = ArrowBar(box, mid - 1, mid + 2, box.top + 2, box.bottom - 2, starts, ends);
      shape.text = {box.left + (starts ? length : 0), box.top, box.right - (ends ? length : 0), box.bottom};
      break;
    case 5: {
      const int top = box.bottom - 3;
      const int slant = 3;
      shape.polygon = {{box.left + (starts ? slant : 0), top},
                       {box.right, top},
                       {box.right - (ends ? slant : 0), box.bottom},
                       {box.left, box.bottom}};
      shape.text = {box.left, box.top, box.right, top};
      break;
    }
    default:  // 3, and any other digit
      shape.polygon = ArrowBar(box, box.top + 2, box.bottom - 2, box.top + 2, box.bottom - 2, starts, ends);
      shape.outlined = true;
      shape.text = {box.left + (starts ? length : 0), box.top + 2, box.right - (ends ? length : 0), box.bottom - 2};
      break;
  }
  return shape;
}

BarLook BarLookOf(std::string_view entry) {
  const store::ScheduleFields f = store::ReadScheduleLine(store::EntryPayload(entry));
  return {f.bar_style, f.text_colour, f.bar_colour};
}

BarColours BarColoursOf(const BarLook& look, bool highlighted) {
  if (highlighted) return {look.bar_colour, look.text_colour};
  return {look.text_colour, look.bar_colour};
}

}  // namespace kal::calendar
