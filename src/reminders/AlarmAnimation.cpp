#include "reminders/AlarmAnimation.h"

#include <algorithm>

namespace kal::reminders {

AlarmAnimation::AlarmAnimation(const AnimationSetup& setup) : s_(setup) {
  const Rect& w = s_.work_area;
  const int left = w.x, right = w.right() - s_.width;
  const int top = w.y, bottom = w.bottom() - s_.height;
  switch (s_.position) {
    case 0: final_x_ = left; final_y_ = top; break;
    case 1: final_x_ = left; final_y_ = bottom; break;
    case 2: final_x_ = right; final_y_ = top; break;
    case 4:
      final_x_ = s_.screen.x + (s_.screen.width - s_.width) / 2;
      final_y_ = s_.screen.y + (s_.screen.height - s_.height) / 2;
      break;
    default: final_x_ = right; final_y_ = bottom; break;
  }
  frame_.x = final_x_;
  frame_.y = final_y_;
  frame_.opacity = 255;
  frame_.phase = AnimationPhase::Entering;
  switch (s_.style) {
    case AlarmStyle::Normal: frame_.phase = AnimationPhase::InPlace; break;
    case AlarmStyle::Translucent: frame_.opacity = 0; break;
    case AlarmStyle::Roll:
      // Just outside the work area's edge: above it for the top positions and the centre,
      // below it for the bottom ones.
      frame_.y = (s_.position == 1 || s_.position == 3) ? w.bottom() : w.y - s_.height;
      break;
  }
}

bool AlarmAnimation::Enter() {
  if (s_.style == AlarmStyle::Translucent) {
    frame_.opacity = std::min(255, frame_.opacity + 1);
    return frame_.opacity == 255;
  }
  if (s_.style == AlarmStyle::Roll) {
    const bool upwards = s_.position == 1 || s_.position == 3;
    const int step = s_.position == 4 ? 4 : 2;
    frame_.y = upwards ? std::max(final_y_, frame_.y - step) : std::min(final_y_, frame_.y + step);
    return frame_.y == final_y_;
  }
  return true;
}

bool AlarmAnimation::Leave() {
  switch (s_.style) {
    case AlarmStyle::Normal: return true;
    case AlarmStyle::Translucent:
      frame_.opacity = std::max(0, frame_.opacity - 1);
      return frame_.opacity == 0;
    case AlarmStyle::Roll:
      if (s_.position == 0 || s_.position == 2) {
        frame_.y -= 2;
        return frame_.y + s_.height <= s_.work_area.y;
      }
      frame_.y += s_.position == 4 ? 4 : 2;
      return frame_.y > s_.screen.bottom();
  }
  return true;
}

AnimationFrame AlarmAnimation::Step() {
  frame_.play_sound = false;
  frame_.relabel = ++ticks_ % 100 == 0;
  switch (frame_.phase) {
    case AnimationPhase::Entering:
      if (Enter()) frame_.phase = AnimationPhase::InPlace;
      break;
    case AnimationPhase::InPlace:
      if (in_place_ == 0) frame_.play_sound = true;
      if (in_place_ < s_.show_time * 100) {
        ++in_place_;
      } else if (s_.clear) {
        frame_.phase = AnimationPhase::Leaving;
        if (Leave()) frame_.phase = AnimationPhase::Closed;
      }
      break;
    case AnimationPhase::Leaving:
      if (Leave()) frame_.phase = AnimationPhase::Closed;
      break;
    case AnimationPhase::Closed: break;
  }
  return frame_;
}

}  // namespace kal::reminders
