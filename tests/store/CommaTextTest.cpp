#include "store/CommaText.h"

#include <gtest/gtest.h>

namespace kal::store {
namespace {

using Items = std::vector<std::string>;

TEST(CommaText, WritesQuotingOnlyWhereNeeded) {
  struct Case {
    Items items;
    std::string text;
  } cases[] = {
      {{"a", "b"}, "a,b"},
      {{"a b", "c"}, "\"a b\",c"},
      {{"say \"hi\"", "x,y"}, "\"say \"\"hi\"\"\",\"x,y\""},
      {{"", "b", ""}, ",b,"},
      {{""}, "\"\""},
      {{}, ""},
      {{"会議", "メモ　全角空白"}, "会議,メモ　全角空白"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToCommaText(c.items), c.text);
    EXPECT_EQ(FromCommaText(c.text), c.items) << c.text;
  }
}

TEST(CommaText, ReadsTheLooseFormsOlderFilesHold) {
  EXPECT_EQ(FromCommaText("  a , b"), (Items{"a", "b"}));
  EXPECT_EQ(FromCommaText("a b"), (Items{"a", "b"}));  // a blank ends an unquoted item
  EXPECT_EQ(FromCommaText("a,"), (Items{"a", ""}));
  EXPECT_EQ(FromCommaText("a,,b"), (Items{"a", "", "b"}));
  EXPECT_EQ(FromCommaText("\"open"), (Items{"open"}));
  EXPECT_EQ(FromCommaText(""), Items{});
}

// NUL bytes (a damaged detail or memo line) are control characters like the others.
TEST(CommaText, NulBytesAreSkippedLikeControlCharacters) {
  EXPECT_EQ(FromCommaText(std::string("\x01\0\n", 3)), Items{});
  EXPECT_EQ(FromCommaText(std::string("a\0b,c", 5)), (Items{"a", "b", "c"}));
  EXPECT_EQ(FromCommaText(std::string("\"x\0y\", \0z", 9)), (Items{std::string("x\0y", 3), "z"}));
}

}  // namespace
}  // namespace kal::store
