#include "base/encoding.h"

#include <iconv.h>

#include <cerrno>

namespace corvane {

std::string FoldSjisCase(std::string_view sjis) {
  std::string folded;
  folded.reserve(sjis.size());
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(sjis[i]);
    if (IsSjisLeadByte(byte) && i + 1 < sjis.size()) {
      folded += sjis.substr(i, 2);
      ++i;
    } else {
      folded += byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : sjis[i];
    }
  }
  return folded;
}

std::string_view ClipSjis(std::string_view sjis, std::size_t max_bytes) {
  std::size_t pos = 0;
  while (pos < sjis.size()) {
    const std::size_t width = IsSjisLeadByte(static_cast<unsigned char>(sjis[pos])) ? 2 : 1;
    if (pos + width > max_bytes) break;
    pos += width;
  }
  if (pos > sjis.size()) pos = sjis.size();  // a lead byte at the very end
  return sjis.substr(0, pos);
}

std::string_view ClipUtf8(std::string_view utf8, std::size_t max_bytes) {
  if (utf8.size() <= max_bytes) return utf8;
  std::size_t end = max_bytes;
  // Step back over continuation bytes to the start of the cut character.
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return utf8.substr(0, end);
}

namespace {

// Runs iconv over the whole input; on an undecodable sequence appends
// `replacement`, skips `skip_width(pos)` bytes and goes on.
template <typename SkipWidth>
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement, SkipWidth skip_width) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char buffer[1024];
  std::size_t pos = 0;
  while (pos < in.size()) {
    char* in_ptr = const_cast<char*>(in.data() + pos);
    std::size_t in_left = in.size() - pos;
    char* out_ptr = buffer;
    std::size_t out_left = sizeof buffer;
    const std::size_t rc = iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left);
    const int error = errno;
    out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
    pos = in.size() - in_left;
    if (rc != static_cast<std::size_t>(-1)) break;
    if (error == E2BIG) continue;
    // EILSEQ or EINVAL: replace the bad sequence and restart the state.
    out.append(replacement);
    pos += skip_width(in, pos);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  const auto byte = static_cast<unsigned char>(text[pos]);
  std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
  std::size_t valid = 1;
  while (valid < length && pos + valid < text.size() &&
         (static_cast<unsigned char>(text[pos + valid]) & 0xC0) == 0x80) {
    ++valid;
  }
  return valid;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  // Plain ASCII needs no conversion; most file names and numbers are ASCII.
  bool ascii = true;
  for (char c : sjis) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) return std::string(sjis);
  return Convert("UTF-8", "CP932", sjis, "\xEF\xBF\xBD",
                 [](std::string_view, std::size_t) { return std::size_t{1}; });
}

std::string Utf8ToSjis(std::string_view utf8) {
  bool ascii = true;
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) return std::string(utf8);
  return Convert("CP932", "UTF-8", utf8, "?", Utf8SequenceLength);
}

}  // namespace corvane
