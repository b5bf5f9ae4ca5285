#include "base/fixed_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

TEST(FixedTextTest, ClipsWithoutSplittingACharacter) {
  const std::string a18(18, 'a');
  const std::string a19(19, 'a');
  EXPECT_EQ(ShortText(a18 + Sjis("駅")).view(), a18 + Sjis("駅"));  // exactly 20 bytes
  EXPECT_EQ(ShortText(a19 + Sjis("駅")).view(), a19);               // lead byte at the 20th
  EXPECT_EQ(ShortText(std::string(25, 'b')).view(), std::string(20, 'b'));
  std::string tables;
  for (int i = 0; i < 11; ++i) tables += Sjis("表");  // trail byte 0x5C
  EXPECT_EQ(ShortText("a" + tables).view(), "a" + tables.substr(0, 18));

  std::string lines;
  for (int i = 0; i < 130; ++i) lines += Sjis("線");
  EXPECT_EQ(LongText(lines).view().size(), 254u);
  EXPECT_EQ(LongText("x" + lines).view().size(), 255u);
}

TEST(FixedTextTest, StopsAtZeroAndLeavesNoOldBytes) {
  ShortText text(std::string(20, 'x'));
  text = std::string("ab\0cd", 5);
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(std::string(text.c_str(), 21), "ab" + std::string(19, '\0'));
  text = Sjis("東京");
  EXPECT_EQ(text.Utf8(), "東京");
  text = "";
  EXPECT_TRUE(text.empty());
}

TEST(FixedTextTest, SetFromItsOwnBytes) {
  ShortText text("abcdef");
  text = text.view().substr(2);
  EXPECT_EQ(text, "cdef");
  text.Set(text.view());
  EXPECT_EQ(text, "cdef");
  text = text.view().substr(0, 2);
  EXPECT_EQ(text, "cd");
}

}  // namespace
}  // namespace corvane
