#include "base/member_text.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "base/encoding.h"

namespace corvane {

LeadingNumber ReadLeadingNumber(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  LeadingNumber number;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    number.negative = text[pos] == '-';
    ++pos;
  }
  constexpr long long kCap = static_cast<long long>(INT_MAX) + 1;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    number.magnitude = std::min(number.magnitude * 10 + (text[pos] - '0'), kCap);
  }
  return number;
}

int PieceToInt(std::string_view piece) {
  const LeadingNumber number = ReadLeadingNumber(piece);
  const long long value = number.negative ? -number.magnitude : number.magnitude;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double PieceToDouble(std::string_view piece) {
  // from_chars ignores the locale: a desktop locale with a decimal comma must
  // not change what a file means.
  std::size_t pos = 0;
  while (pos < piece.size() && (piece[pos] == ' ' || piece[pos] == '\t')) ++pos;
  if (pos < piece.size() && piece[pos] == '+') ++pos;
  double value = 0.0;
  const auto result = std::from_chars(piece.data() + pos, piece.data() + piece.size(), value);
  return result.ec == std::errc() ? value : 0.0;
}

void MemberLine::Assign(std::string_view line) {
  pieces_.clear();
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    pieces_.push_back(line.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
}

std::string_view MemberLine::Piece(int i) const {
  if (i < 0 || i >= size()) return {};
  return pieces_[static_cast<std::size_t>(i)];
}

std::string_view MemberLine::Text(int i) const {
  std::string_view text = ClipSjis(Piece(i), kMemberPieceMaxBytes);
  // A carriage return ending a text would end its line when the text is
  // written last on one, and be read as the line end's.
  while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  return text;
}

void ForEachMemberLine(std::string_view content,
                       const std::function<void(const MemberLine&)>& on_line) {
  MemberLine pieces;
  std::size_t start = 0;
  while (start < content.size()) {
    const std::size_t feed = content.find('\n', start);
    if (feed == std::string_view::npos) break;  // unterminated last line
    std::string_view line = content.substr(start, feed - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pieces.Assign(line);
    on_line(pieces);
    start = feed + 1;
  }
}

MemberWriter& MemberWriter::Format(const char* format, ...) {
  char buffer[64];
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer) {
    out_.append(buffer, static_cast<std::size_t>(length));
  } else if (length > 0) {
    // A long text piece: format it again straight into the output.
    const std::size_t start = out_.size();
    out_.resize(start + static_cast<std::size_t>(length) + 1);
    std::vsnprintf(out_.data() + start, static_cast<std::size_t>(length) + 1, format, again);
    out_.resize(start + static_cast<std::size_t>(length));
  }
  va_end(again);
  return *this;
}

MemberWriter& MemberWriter::Num(int width, int value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  const int length = static_cast<int>(result.ptr - digits);
  if (length < width) out_.append(static_cast<std::size_t>(width - length), ' ');
  out_.append(digits, static_cast<std::size_t>(length));
  out_.push_back(',');
  return *this;
}

MemberWriter& MemberWriter::Text(std::string_view text, std::string_view suffix) {
  out_.append(text);
  out_.append(suffix);
  return *this;
}

}  // namespace corvane
