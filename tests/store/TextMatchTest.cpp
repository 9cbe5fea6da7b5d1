#include "store/TextMatch.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace kal::store {
namespace {

using test::Sjis;

TEST(TextMatch, MatchesStartOnCharacterBoundaries) {
  // "表" is 0x95 0x5C and "ソ" 0x83 0x5C: their trail bytes are a backslash; "ア" is 0x83 0x41, whose
  // trail byte is "A".
  struct Case {
    const char* text;
    const char* needle;
    bool ignore_case;
    bool found;
  };
  const Case cases[] = {
      {"表計算", "\\", false, false},   {"ソフト", "\\", false, false},    {"C:\\temp", "\\", false, true},
      {"アイス", "A", false, false},     {"アイス", "a", true, false},       {"Meeting", "meet", true, true},
      {"Meeting", "meet", false, false}, {"ＡＢＣ会議", "ｂｃ", true, true}, {"ＡＢＣ会議", "ｂｃ", false, false},
      {"定例会議", "会議", false, true}, {"定例会議", "", false, true},      {"Ωメガ", "ω", true, true},
      {"ПРИВЕТ", "привет", true, true}, {"会", "会議", false, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TextNeedle::FromUtf8(c.needle, c.ignore_case).FoundIn(Sjis(c.text)), c.found)
        << c.text << " / " << c.needle << " ignore_case=" << c.ignore_case;
}

TEST(TextMatch, FoldingNeverTouchesTrailBytes) {
  // "ア" (0x83 0x41) and "ビ" (0x83 0x72: trail byte "r") stay as they are.
  EXPECT_EQ(Cp932Upper(Sjis("アビabcａｚ")), Sjis("アビABCＡＺ"));
  // A needle that CP932 cannot hold is found nowhere.
  EXPECT_FALSE(TextNeedle::FromUtf8("😀", false).FoundIn(Sjis("何でも")));
  EXPECT_TRUE(TextNeedle::FromUtf8("ｂ", true).FoundInUtf8("ＡＢＣ"));
}

}  // namespace
}  // namespace kal::store
