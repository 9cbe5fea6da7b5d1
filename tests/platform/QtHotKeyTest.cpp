#include <gtest/gtest.h>

#include "mainwindow/TrayRules.h"
#include "platform/QtDesktop.h"

namespace kal::platform {
namespace {

TEST(QtHotKeyTest, KeySymsOfTheKeyCodes) {
  struct Case {
    int key;
    std::uint32_t keysym;
  };
  for (const Case c : {Case{'S', 's'}, Case{'0', '0'}, Case{112, 0xFFBE}, Case{123, 0xFFC9}, Case{135, 0xFFD5},
                       Case{0x20, 0x20}, Case{0x24, 0xFF50}, Case{0x25, 0xFF51}, Case{0x2E, 0xFFFF},
                       Case{0x63, 0xFFB3}}) {
    EXPECT_EQ(QtHotKey::KeySymOf(c.key), c.keysym) << c.key;
  }
}

// Every key the settings can name can be grabbed, and no other.
TEST(QtHotKeyTest, EveryNamedKeyHasAKeySym) {
  for (int key = 1; key < 256; ++key) {
    const bool named = mainwindow::HotKeyName(key).front() != '#';
    EXPECT_EQ(QtHotKey::KeySymOf(key) != 0, named) << key << " " << mainwindow::HotKeyName(key);
  }
}

// Offscreen there is no X11: the key is refused, as often as it is asked, and giving it up is harmless.
TEST(QtHotKeyTest, WithoutX11TheKeyIsRefused) {
  QtHotKey key;
  int pressed = 0;
  key.on_pressed = [&] { ++pressed; };
  EXPECT_FALSE(key.Register(49235));
  EXPECT_FALSE(key.Register(49235));
  key.Unregister();
  key.Unregister();
  EXPECT_EQ(pressed, 0);
}

}  // namespace
}  // namespace kal::platform
