#include "base/message_log.h"

#include <gtest/gtest.h>

#include <string>

#include "base/encoding.h"

namespace corvane {
namespace {

TEST(MessageLogTest, KeepsTheLast256LinesOldestFirst) {
  MessageLog log;
  for (int i = 1; i <= 257; ++i) log.AddLine("line " + std::to_string(i));
  ASSERT_EQ(log.size(), 256);
  EXPECT_EQ(log.Line(0), "line 2");
  EXPECT_EQ(log.Line(255), "line 257");
  log.Clear();
  EXPECT_EQ(log.size(), 0);
}

TEST(MessageLogTest, EmptyLineShowsAsAFullWidthSpace) {
  MessageLog log;
  log.AddLine("");
  EXPECT_EQ(log.Line(0), "　");
}

TEST(MessageLogTest, LongLinesAreClippedToTheLineOnACharacterBoundary) {
  MessageLog log;
  // 254 ASCII bytes, then a two-byte character that would end at byte 256.
  const std::string line = std::string(254, 'a') + "駅名";
  log.AddLine(line);
  const std::string sjis = Utf8ToSjis(log.Line(0));
  EXPECT_EQ(sjis.size(), 254u);
  EXPECT_EQ(log.Line(0), std::string(254, 'a'));

  // A message naming a 255-byte map name keeps its whole first part.
  const std::string name(255, 'n');
  log.AddLine("マップデータ「" + name + "」を開きました。");
  EXPECT_LE(Utf8ToSjis(log.Line(1)).size(), MessageLog::kLineBytes);
  EXPECT_EQ(log.Line(1).rfind("マップデータ「nnn", 0), 0u);
}

}  // namespace
}  // namespace corvane
