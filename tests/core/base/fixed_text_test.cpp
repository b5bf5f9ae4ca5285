#include "base/fixed_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

TEST(FixedTextTest, ShortTextKeepsTwentyBytesWithoutSplitting) {
  const std::string a18 = std::string(18, 'a');
  const std::string a19 = std::string(19, 'a');
  EXPECT_EQ(ShortText(a18 + Sjis("駅")).view(), a18 + Sjis("駅"));  // exactly 20 bytes
  EXPECT_EQ(ShortText(a19 + Sjis("駅")).view(), a19);               // lead byte at the 20th
  EXPECT_EQ(ShortText(std::string(25, 'b')).view(), std::string(20, 'b'));

  std::string ten;
  for (int i = 0; i < 11; ++i) ten += Sjis("表");  // trail byte 0x5C
  EXPECT_EQ(ShortText(ten).view(), ten.substr(0, 20));
  EXPECT_EQ(ShortText("a" + ten).view(), "a" + ten.substr(0, 18));
}

TEST(FixedTextTest, LongTextKeeps255Bytes) {
  std::string text;
  for (int i = 0; i < 130; ++i) text += Sjis("線");
  const LongText clipped(text);
  EXPECT_EQ(clipped.view().size(), 254u);
  EXPECT_EQ(LongText("x" + text).view().size(), 255u);
  EXPECT_EQ(clipped.c_str()[254], '\0');
}

TEST(FixedTextTest, StopsAtZeroAndConverts) {
  ShortText text(std::string("ab\0cd", 5));
  EXPECT_EQ(text, "ab");
  text = Sjis("東京");
  EXPECT_EQ(text.Utf8(), "東京");
  EXPECT_EQ(text.str(), Sjis("東京"));
  EXPECT_FALSE(text.empty());
  text = "";
  EXPECT_TRUE(text.empty());
  EXPECT_TRUE(ShortText().empty());
}

TEST(FixedTextTest, ShorterTextLeavesNoOldBytes) {
  ShortText text(std::string(20, 'x'));
  text = "ab";
  EXPECT_EQ(text, "ab");
  EXPECT_EQ(std::string(text.c_str(), 21), std::string("ab") + std::string(19, '\0'));
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

TEST(FixedTextTest, CopiesCompareByText) {
  const ShortText a("abc");
  ShortText b;
  b = a;
  EXPECT_EQ(a, b);
  EXPECT_FALSE(a == ShortText("abd"));
}

}  // namespace
}  // namespace corvane
