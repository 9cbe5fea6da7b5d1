#include "store/Record.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace kal::store {
namespace {

using test::Sjis;

TEST(Record, ReadsFieldsByPositionAndToleratesShortLines) {
  std::string line = Sjis("05     10:00会議  ");
  EXPECT_EQ(Field(line, 1, 2), "05");
  EXPECT_EQ(Field(line, 3, 5), "");
  EXPECT_EQ(Field(line, 8, 5), "10:00");
  EXPECT_EQ(Field(line, 13, 14), "会議");
  EXPECT_EQ(Field(line, 200, 3), "");
  EXPECT_EQ(FieldToEnd(line, 8), "10:00会議");
}

TEST(Record, FieldCutsAtCharacterBoundaryAndPads) {
  // Seven two-byte characters are 14 bytes; an eighth does not fit, half of it is never kept.
  auto text = FieldText("あいうえおかきく", 15);
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, Sjis("あいうえおかき"));
  EXPECT_EQ(PadField(*text, 15), Sjis("あいうえおかき "));
  EXPECT_EQ(PadField(Sjis("aあ"), 2), "a ");
}

TEST(Record, ControlCharactersBecomeBlanks) {
  auto text = FieldText("a\tb\nc", 10);
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, "a b c");
}

TEST(Record, RefusesCharactersCp932CannotHold) {
  std::string bad;
  EXPECT_FALSE(FieldText("ok😀", 40, &bad));
  EXPECT_EQ(bad, "😀");
  EXPECT_EQ(UnencodableMessage("件名", bad), "件名に保存できない文字「😀」が含まれています。");
}

TEST(Record, ReadsAHalfCharacterLeftByAnOlderFileWithoutLosingTheRest) {
  // A field that ends in the lead byte of a cut character: the rest still decodes.
  std::string line = Sjis("会") + "\x82";
  EXPECT_EQ(Field(line, 1, 3), "会\xEF\xBF\xBD");
}

TEST(Record, CutsUtf8ByCp932Width) {
  EXPECT_EQ(CutUtf8ToWidth("abcあいう", 6), "abcあ");
  EXPECT_EQ(CutUtf8ToWidth("ｱｲｳｴｵ", 3), "ｱｲｳ");  // half-width katakana take one byte
  EXPECT_EQ(Cp932Width("ｱあ～"), 5u);
}

}  // namespace
}  // namespace kal::store
