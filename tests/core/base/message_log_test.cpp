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

TEST(MessageLogTest, LinksStandBesideTheTextAndFollowTheRecords) {
  MessageLog log;
  constexpr int kRails = 0, kPoints = 1;
  log.AddLine("");
  log.AddLine("＜エラー＞線路が重複しています。", MessageLink{kRails, 3});
  log.AddLine("＜エラー＞ポイントが重複しています。", MessageLink{kPoints, 3});
  log.AddLine("エラー：2件　警告：0件");
  EXPECT_EQ(log.Line(1), "＜エラー＞線路が重複しています。");
  EXPECT_EQ(log.Link(1), (MessageLink{kRails, 3}));
  EXPECT_FALSE(log.Link(0));
  EXPECT_FALSE(log.Link(3));
  EXPECT_FALSE(log.Link(4));
  EXPECT_FALSE(log.Link(-1));

  // Records inserted and deleted before them renumber only their own table.
  log.RecordInserted(kRails, 2);
  EXPECT_EQ(log.Link(1), (MessageLink{kRails, 4}));
  EXPECT_EQ(log.Link(2), (MessageLink{kPoints, 3}));
  log.RecordDeleted(kPoints, 1);
  EXPECT_EQ(log.Link(2), (MessageLink{kPoints, 2}));
  log.RecordDeleted(kRails, 4);  // the record itself: the line names nothing
  EXPECT_FALSE(log.Link(1));
  EXPECT_EQ(log.Line(1), "＜エラー＞線路が重複しています。");
  log.ForgetLinks();
  EXPECT_FALSE(log.Link(2));

  // A line that takes the place of a linked one in the ring has its own link.
  log.AddLine("linked", MessageLink{kRails, 1});
  for (int i = 0; i < MessageLog::kCapacity - 1; ++i) log.AddLine("plain");
  EXPECT_EQ(log.Link(0), (MessageLink{kRails, 1}));
  log.AddLine("plain");
  for (int i = 0; i < log.size(); ++i) EXPECT_FALSE(log.Link(i)) << i;
}

TEST(MessageLogTest, EveryWindowListeningHearsEachChange) {
  MessageLog log;
  int main_window = 0;
  int message_window = 0;
  const MessageLog::Subscription main =
      log.Listen([&main_window](const MessageLog&) { ++main_window; });
  MessageLog::Subscription message = log.Listen([&message_window](const MessageLog& changed) {
    ++message_window;
    EXPECT_EQ(changed.Lines().back(), "line");
  });
  log.AddLine("line");
  EXPECT_EQ(main_window, 1);
  EXPECT_EQ(message_window, 1);
  message.End();  // the window closed
  log.Clear();
  EXPECT_EQ(main_window, 2);
  EXPECT_EQ(message_window, 1);
}

}  // namespace
}  // namespace corvane
