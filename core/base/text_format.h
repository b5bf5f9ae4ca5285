#pragma once
// Filling the placeholders of the program's message texts, and texts made
// safe for a terminal.

#include <initializer_list>
#include <string>
#include <string_view>

namespace corvane {

// One text of the interface in both languages (UTF-8).
struct Bilingual {
  const char* japanese = "";
  const char* english = "";
  const char* Pick(bool use_english) const { return use_english ? english : japanese; }
};

// `format` with each "%s" and "%d" replaced by the next of `values`, in
// order. Texts typed by the user go in as values, never as formats, so a
// "%s" inside a name shows as typed.
std::string FillIn(std::string_view format, std::initializer_list<std::string_view> values);

// `text` as it is safe to print on a terminal: each byte of a control
// character (below 0x20 except the line feed, 0x7F, and U+0080 to U+009F in
// UTF-8) as "\xHH" (lower-case hex), every other byte as it is. Every text
// printed on the command line goes through it, so that a name read from a
// file cannot move the cursor or change the terminal's settings.
std::string TerminalText(std::string_view text);

}  // namespace corvane
