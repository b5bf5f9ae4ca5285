#include "base/encoding.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

TEST(EncodingTest, JapaneseRoundTrip) {
  const std::string utf8 = "東京駅 ﾄｳｷｮｳ ～ ①ABC\\~";
  const std::string sjis = Utf8ToSjis(utf8);
  // 0x93 0x8C is 東; half-width katakana are single bytes.
  EXPECT_EQ(sjis.substr(0, 2), "\x93\x8C");
  EXPECT_EQ(Sjis("ﾄｳｷｮｳ").size(), 5u);
  EXPECT_EQ(SjisToUtf8(sjis), utf8);
}

TEST(EncodingTest, UndecodableBytesDoNotSwallowTheText) {
  // 0xA0 and 0xFF are no characters; 0x82 followed by a blank is a broken
  // two-byte character; a lead byte at the very end is cut short.
  EXPECT_EQ(SjisToUtf8("a\xA0"
                       "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(SjisToUtf8("\xFF" + Sjis("駅")), "\xEF\xBF\xBD駅");
  EXPECT_EQ(SjisToUtf8(Sjis("駅") + "\x82 x"), "駅\xEF\xBF\xBD x");
  EXPECT_EQ(SjisToUtf8(Sjis("駅") + "\x82"), "駅\xEF\xBF\xBD");
}

TEST(EncodingTest, LongTextsConvertCompletely) {
  // Longer than the converter's working buffer in both directions.
  std::string utf8;
  for (int i = 0; i < 2000; ++i) utf8 += "線路";
  const std::string sjis = Utf8ToSjis(utf8);
  EXPECT_EQ(sjis.size(), 8000u);
  EXPECT_EQ(SjisToUtf8(sjis), utf8);
}

TEST(EncodingTest, CharactersWithoutShiftJisBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToSjis("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToSjis("a\xE3\x81"
                       "b"),
            "a?b");  // truncated sequence
  EXPECT_EQ(Utf8ToSjis("\xC3"), "?");
}

TEST(EncodingTest, ClipSjisNeverSplitsACharacter) {
  const std::string a19 = std::string(19, 'a');
  // The 20th byte is a lead byte: the whole character goes.
  EXPECT_EQ(ClipSjis(a19 + Sjis("駅"), 20), a19);
  EXPECT_EQ(ClipSjis(std::string(18, 'a') + Sjis("駅") + "b", 20),
            std::string(18, 'a') + Sjis("駅"));
  // A trail byte 0x5C or in the ASCII letter range is no character of its own.
  const std::string table = Sjis("表表");  // 0x95 0x5C twice
  EXPECT_EQ(ClipSjis(table, 3), Sjis("表"));
  EXPECT_EQ(ClipSjis(Sjis("アア"), 3), Sjis("ア"));
  EXPECT_EQ(ClipSjis("abc", 10), "abc");
  EXPECT_EQ(ClipSjis("abc", 0), "");
  // Half-width katakana are one byte each.
  EXPECT_EQ(ClipSjis(Sjis("ｱｲｳ"), 2), Sjis("ｱｲ"));
}

TEST(EncodingTest, ClipUtf8StopsBeforeACutCharacter) {
  const std::string text = "a駅b";  // 1 + 3 + 1 bytes
  EXPECT_EQ(ClipUtf8(text, 1), "a");
  EXPECT_EQ(ClipUtf8(text, 3), "a");
  EXPECT_EQ(ClipUtf8(text, 4), "a駅");
  EXPECT_EQ(ClipUtf8(text, 5), text);
  EXPECT_EQ(ClipUtf8(text, 0), "");
}

}  // namespace
}  // namespace corvane
