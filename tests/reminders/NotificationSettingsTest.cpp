#include "reminders/NotificationSettings.h"

#include <gtest/gtest.h>

namespace kal::reminders {
namespace {

TEST(SignalFont, UsedOnlyWithExactlyFiveItems) {
  EXPECT_EQ(ReadSignalFont("\"MS ゴシック\",24,3,$0000FF,16777215"),
            (SignalFont{"MS ゴシック", 24, 3, 0x0000FF, 0xFFFFFF}));
  for (const char* text : {"", "Sans,24,0,0", "Sans,24,0,0,0,0", "Sans,x,0,0,0", ",24,0,0,0", "Sans,0,0,0,0"})
    EXPECT_EQ(ReadSignalFont(text), std::nullopt) << text;
  EXPECT_EQ(SignalKeyColour(0x000000), 0xC0C0C0);
  EXPECT_EQ(SignalKeyColour(0x0000FF), 0x000000);
}

TEST(NotificationSettings, TakenFromTheirSections) {
  store::Settings s;
  s.alarm.type = 2;
  s.alarm.pos = 4;
  s.alarm.wav = "/a.wav";
  s.alarm.clear = true;
  s.alarm.show_time = 30;
  s.alarm.stay_on_top = false;
  s.signal.type = 0;
  s.signal.pos = 1;
  s.signal.form = "";
  s.signal.font = false;
  const NotificationSettings a = AlarmWindowSettings(s);
  EXPECT_EQ(a.style, AlarmStyle::Translucent);
  EXPECT_EQ(a.position, 4);
  EXPECT_EQ(a.wav, "/a.wav");
  EXPECT_TRUE(a.clear);
  EXPECT_EQ(a.show_time, 30);
  EXPECT_FALSE(a.stay_on_top);
  const NotificationSettings g = SignalWindowSettings(s);
  EXPECT_EQ(g.style, AlarmStyle::Normal);
  EXPECT_EQ(g.position, 1);
  EXPECT_EQ(g.form, "h:nn");
  EXPECT_FALSE(g.text_only);
}

}  // namespace
}  // namespace kal::reminders
