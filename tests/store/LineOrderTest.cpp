#include "store/LineOrder.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace kal::store {
namespace {

using test::Sjis;

TEST(LineOrder, UntimedBeforeTimedBeforeNextDay) {
  std::vector<std::string> lines = {"0609:00     a", "0509:00     b", "05          c", "0508:30     d"};
  SortLines(lines);
  EXPECT_EQ(lines, (std::vector<std::string>{"05          c", "0508:30     d", "0509:00     b", "0609:00     a"}));
}

TEST(LineOrder, BlanksSymbolsDigitsLettersThenJapanese) {
  std::vector<std::string> ordered = {" ", "$", "0", "9", "a", "B", "z", Sjis("ｱ"), Sjis("あ"), Sjis("漢")};
  for (std::size_t i = 0; i + 1 < ordered.size(); ++i)
    EXPECT_LT(CompareLines(ordered[i], ordered[i + 1]), 0) << i;
}

TEST(LineOrder, FoldsAsciiLettersButNeverATrailByte) {
  EXPECT_LT(CompareLines("abc", "ABD"), 0);
  EXPECT_NE(CompareLines("abc", "ABC"), 0);  // still a total order
  // A trail byte that looks like an ASCII letter stays part of its character: "ア" is 0x83 0x41
  // and "ソ" 0x83 0x5C; neither is folded, and kana order by code after every ASCII letter.
  EXPECT_LT(CompareLines(Sjis("ア"), Sjis("ソ")), 0);
  EXPECT_LT(CompareLines("z", Sjis("ア")), 0);
  std::string a_kana = Sjis("ア");
  std::string a_kana_folded = std::string("\x83") + "a";
  EXPECT_NE(CompareLines(a_kana, a_kana_folded), 0);
}

TEST(LineOrder, PrefixSortsFirst) {
  EXPECT_LT(CompareLines("05", "05 "), 0);
  EXPECT_EQ(CompareLines("", ""), 0);
}

}  // namespace
}  // namespace kal::store
