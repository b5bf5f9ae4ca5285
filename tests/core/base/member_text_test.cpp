#include "base/member_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

// The lines of `content` as lists of texts.
std::vector<std::vector<std::string>> Lines(std::string_view content) {
  std::vector<std::vector<std::string>> lines;
  ForEachMemberLine(content, [&](const MemberLine& line) {
    std::vector<std::string>& pieces = lines.emplace_back();
    for (int i = 0; i < line.size(); ++i) pieces.emplace_back(line.Text(i));
  });
  return lines;
}

TEST(MemberTextTest, NumbersOfPieces) {
  EXPECT_EQ(PieceToInt("  -30"), -30);
  EXPECT_EQ(PieceToInt("+5"), 5);
  EXPECT_EQ(PieceToInt("12abc"), 12);
  EXPECT_EQ(PieceToInt("3 4"), 3);
  EXPECT_EQ(PieceToInt("abc"), 0);
  EXPECT_EQ(PieceToInt("- 5"), 0);
  EXPECT_EQ(PieceToInt(Sjis("１２")), 0);  // full-width digits are no digits
  EXPECT_EQ(PieceToInt("-2147483648"), INT_MIN);
  EXPECT_EQ(PieceToInt("99999999999999999999"), INT_MAX);
  EXPECT_EQ(PieceToInt("-99999999999999999999"), INT_MIN);
  EXPECT_DOUBLE_EQ(PieceToDouble(" 1.25x"), 1.25);
  EXPECT_DOUBLE_EQ(PieceToDouble("+2.5"), 2.5);
  EXPECT_DOUBLE_EQ(PieceToDouble("-1e3"), -1000.0);
  EXPECT_DOUBLE_EQ(PieceToDouble("junk"), 0.0);
}

TEST(MemberTextTest, LineIsCutAtEveryComma) {
  // A line holds views into its source, which must outlive it.
  const std::string source = "  1," + Sjis("東京") + ",-3,,x";
  const MemberLine line(source);
  ASSERT_EQ(line.size(), 5);
  EXPECT_EQ(line.Int(0), 1);
  EXPECT_EQ(line.Text(0), "  1");
  EXPECT_EQ(line.Text(1), Sjis("東京"));
  EXPECT_EQ(line.Int(1), 0);
  EXPECT_EQ(line.Int(2), -3);
  EXPECT_EQ(line.Text(3), "");
  EXPECT_EQ(line.Text(4), "x");
  // Past the end: empty text and zero.
  EXPECT_EQ(line.Text(5), "");
  EXPECT_EQ(line.Int(99), 0);
  EXPECT_EQ(line.Int(-1), 0);

  // A trailing comma makes one more, empty piece; an empty line is one piece.
  EXPECT_EQ(MemberLine("1,2,").size(), 3);
  EXPECT_EQ(MemberLine("").size(), 1);

  std::string many;
  for (int i = 0; i < 500; ++i) many += std::to_string(i) + ",";
  const MemberLine long_line(many);
  ASSERT_EQ(long_line.size(), 501);
  EXPECT_EQ(long_line.Int(499), 499);
  EXPECT_EQ(long_line.Text(500), "");
}

TEST(MemberTextTest, LongPieceIsClippedWithoutSplitting) {
  const std::string text = std::string(254, 'a') + Sjis("駅") + "tail";
  const std::string source = "7," + text + ",8";
  const MemberLine line(source);
  EXPECT_EQ(line.Text(1), std::string(254, 'a'));
  EXPECT_EQ(line.Int(2), 8);
  // A long run of digits still reads as a number.
  EXPECT_EQ(MemberLine(std::string(300, ' ') + "42").Int(0), 42);
}

TEST(MemberTextTest, OnlyTerminatedLinesAreRead) {
  using Pieces = std::vector<std::vector<std::string>>;
  EXPECT_EQ(Lines("1,a\n2,b\n3,c"), (Pieces{{"1", "a"}, {"2", "b"}}));
  EXPECT_EQ(Lines("1,a\r\n2,b\r\n"), (Pieces{{"1", "a"}, {"2", "b"}}));
  // A text never ends in a carriage return: written last on a line it would
  // be read as the line end's. One inside a text stays.
  EXPECT_EQ(Lines("1,a\r\r\n"), (Pieces{{"1", "a"}}));
  EXPECT_EQ(Lines("1,a\rb\n"), (Pieces{{"1", "a\rb"}}));
  EXPECT_EQ(Lines("\n\n"), (Pieces{{""}, {""}}));
  EXPECT_EQ(Lines(""), Pieces{});
  EXPECT_EQ(Lines("no line feed"), Pieces{});
}

TEST(MemberTextTest, WriterFormatsAndReadsBack) {
  MemberWriter writer;
  writer.Num(3, 1).Text(Sjis("東京")).Num(5, -42).Format("%d", 7).EndLine();
  writer.Num(3, 1234).Num(0, INT_MIN).Text("x", "").EndLine();
  EXPECT_EQ(writer.str(), "  1," + Sjis("東京") + ",  -42,7\n1234,-2147483648,x\n");

  std::vector<int> numbers;
  ForEachMemberLine(writer.str(), [&](const MemberLine& line) { numbers.push_back(line.Int(0)); });
  EXPECT_EQ(numbers, (std::vector<int>{1, 1234}));
}

TEST(MemberTextTest, WriterKeepsLongFormattedPieces) {
  const std::string text = std::string(200, 'a') + Sjis("駅");
  MemberWriter writer;
  writer.Format("%s,%10d,", text.c_str(), 5);
  EXPECT_EQ(writer.Take(), text + ",         5,");
}

}  // namespace
}  // namespace corvane
