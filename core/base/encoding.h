#pragma once
// Conversion between the Shift-JIS (code page 932) bytes held in files and
// fixed fields and the UTF-8 used by widgets and the console.

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// True for a byte that starts a two-byte Shift-JIS character.
constexpr bool IsSjisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Letter case of the ASCII characters of a Shift-JIS text folded to upper
// case; two-byte characters stay as they are. Two texts fold alike exactly
// when EqualsIgnoringCase finds them equal.
std::string FoldSjisCase(std::string_view sjis);

// The longest prefix of `sjis` of at most `max_bytes` bytes that does not end
// in the middle of a two-byte character.
std::string_view ClipSjis(std::string_view sjis, std::size_t max_bytes);

// Shift-JIS to UTF-8. A byte sequence that cannot be decoded becomes U+FFFD
// and decoding goes on, so one stray byte never hides the rest of a text.
std::string SjisToUtf8(std::string_view sjis);

// UTF-8 to Shift-JIS. A character that code page 932 lacks becomes "?".
std::string Utf8ToSjis(std::string_view utf8);

// The longest prefix of a UTF-8 text of at most `max_bytes` bytes that does
// not end inside a multi-byte character.
std::string_view ClipUtf8(std::string_view utf8, std::size_t max_bytes);

}  // namespace corvane
