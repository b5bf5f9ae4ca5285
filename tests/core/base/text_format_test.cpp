#include "base/text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

TEST(TextFormatTest, TerminalTextEscapesControlCharactersOnly) {
  // Escape sequences, carriage return, tab, bell, zero byte and DEL are
  // escaped; the line feed, a backslash and every printable character stay.
  EXPECT_EQ(TerminalText("\x1b]0;title\a\x1b[2J"), "\\x1b]0;title\\x07\\x1b[2J");
  EXPECT_EQ(TerminalText(std::string("a\tb\rc\0d\x7f", 8)), "a\\x09b\\x0dc\\x00d\\x7f");
  EXPECT_EQ(TerminalText("東町駅 \\x1b\nline 2\n"), "東町駅 \\x1b\nline 2\n");
  // U+009B (the one-character CSI) in UTF-8; U+00A0 and U+0100 stay.
  EXPECT_EQ(TerminalText("\xc2\x9b"
                         "31m\xc2\xa0\xc4\x80"),
            "\\xc2\\x9b31m\xc2\xa0\xc4\x80");
  EXPECT_EQ(TerminalText("\xc2"), "\xc2");
  EXPECT_EQ(TerminalText(""), "");
}

}  // namespace
}  // namespace corvane
