#pragma once
// Fixed-size, zero-terminated Shift-JIS text fields as the record formats hold
// them: a field of N bytes keeps at most N - 1 bytes of text.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "base/encoding.h"

namespace corvane {

template <std::size_t N>
class FixedText {
 public:
  static_assert(N >= 2, "a text field needs room for one byte and the terminator");
  static constexpr std::size_t kCapacity = N - 1;  // usable bytes

  FixedText() { bytes_.fill('\0'); }
  FixedText(std::string_view sjis) : FixedText() { Set(sjis); }  // NOLINT: implicit by design

  // Stores `sjis`, clipped to the field without splitting a two-byte
  // character; a text cut at the first zero byte, as C strings are.
  void Set(std::string_view sjis) {
    const std::size_t zero = sjis.find('\0');
    if (zero != std::string_view::npos) sjis = sjis.substr(0, zero);
    const std::string_view clipped = ClipSjis(sjis, kCapacity);
    // The text may be a view of this very field (text = text.view().substr(1)),
    // so move it into place before clearing what follows.
    if (!clipped.empty()) std::memmove(bytes_.data(), clipped.data(), clipped.size());
    std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(clipped.size()), bytes_.end(), '\0');
  }
  FixedText& operator=(std::string_view sjis) {
    Set(sjis);
    return *this;
  }

  std::string_view view() const { return std::string_view(bytes_.data()); }
  std::string str() const { return std::string(view()); }
  std::string Utf8() const { return SjisToUtf8(view()); }
  bool empty() const { return bytes_[0] == '\0'; }
  const char* c_str() const { return bytes_.data(); }

  friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }
  friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

 private:
  std::array<char, N> bytes_;
};

using ShortText = FixedText<21>;  // one-character and abbreviated names
using LongText = FixedText<256>;  // full names, file names

}  // namespace corvane
