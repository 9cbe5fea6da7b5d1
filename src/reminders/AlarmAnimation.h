// The notification window's placement and animation as a state machine over 10-millisecond
// ticks, so that it runs (and is tested) without a display or a real timer.
//
// Styles: 0 "通常" (shown in place at once), 1 "ロール" (slides in from a screen edge), 2 "透過"
// (fades in). Positions: 0 top left, 1 bottom left, 2 top right, 3 bottom right, 4 centre.
// Once in place the window counts ticks; on the first one the sound is due. After ShowTime × 100
// ticks in place it leaves only when Clear is on: 通常 closes at once, ロール slides back out
// (positions 0 and 2 upwards, the others downwards), 透過 fades out.
#pragma once

namespace kal::reminders {

enum class AlarmStyle { Normal = 0, Roll = 1, Translucent = 2 };

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  int right() const { return x + width; }
  int bottom() const { return y + height; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct AnimationSetup {
  AlarmStyle style = AlarmStyle::Roll;
  int position = 3;     // 0..4
  Rect work_area;       // the screen less its panels
  Rect screen;
  int width = 0;        // the window's size
  int height = 0;
  int show_time = 10;   // seconds in place
  bool clear = false;   // leave by itself after show_time
};

enum class AnimationPhase { Entering, InPlace, Leaving, Closed };

struct AnimationFrame {
  int x = 0, y = 0;
  int opacity = 255;        // 0..255
  bool play_sound = false;  // this tick: play the sound (once)
  bool relabel = false;     // this tick: a whole second has passed (the signal rewrites its time)
  AnimationPhase phase = AnimationPhase::Entering;
};

class AlarmAnimation {
 public:
  explicit AlarmAnimation(const AnimationSetup& setup);

  // Where the window appears (before the first tick).
  AnimationFrame Start() const { return frame_; }
  // One 10-millisecond tick.
  AnimationFrame Step();
  AnimationPhase phase() const { return frame_.phase; }
  // The final place of the window.
  int final_x() const { return final_x_; }
  int final_y() const { return final_y_; }

 private:
  bool Enter();
  bool Leave();
  AnimationSetup s_;
  AnimationFrame frame_;
  int final_x_ = 0, final_y_ = 0;
  int in_place_ = 0;
  int ticks_ = 0;
};

}  // namespace kal::reminders
