#include "app/english_twins.h"

#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

namespace {

// A piece of a formatted text: literal text, or a conversion ("%s", "%d",
// "%02d", "%ld", ...).
struct Piece {
  std::string_view literal;
  bool conversion = false;
  bool number = false;  // "%d"-like: the value is a number
};

// Blanks (of a width), an optional sign and digits.
bool IsNumber(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && value[i] == ' ') ++i;
  if (i < value.size() && value[i] == '-') ++i;
  if (i == value.size()) return false;
  for (; i < value.size(); ++i) {
    if (value[i] < '0' || value[i] > '9') return false;
  }
  return true;
}

std::vector<Piece> Pieces(std::string_view format) {
  std::vector<Piece> pieces;
  std::size_t start = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    std::size_t end = i + 1;
    while (end < format.size() &&
           (format[end] == '0' || (format[end] >= '1' && format[end] <= '9') ||
            format[end] == 'l' || format[end] == '.')) {
      ++end;
    }
    if (end >= format.size() || (format[end] != 's' && format[end] != 'd')) continue;
    if (i > start) pieces.push_back({format.substr(start, i - start), false, false});
    pieces.push_back({{}, true, format[end] == 'd'});
    start = end + 1;
    i = end;
  }
  if (start < format.size()) pieces.push_back({format.substr(start), false, false});
  return pieces;
}

bool HasConversion(std::string_view format) {
  for (const Piece& piece : Pieces(format)) {
    if (piece.conversion) return true;
  }
  return false;
}

// The values of `text` where `format` has conversions; nothing when the
// text does not follow the format.
std::optional<std::vector<std::string_view>> Match(std::string_view format, std::string_view text) {
  const std::vector<Piece> pieces = Pieces(format);
  std::vector<std::string_view> values;
  std::size_t at = 0;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const Piece& piece = pieces[k];
    if (!piece.conversion) {
      if (text.substr(at, piece.literal.size()) != piece.literal) return std::nullopt;
      at += piece.literal.size();
      continue;
    }
    // A value runs up to the next literal (the shortest match), or to the end.
    std::size_t found = text.size();
    if (k + 1 < pieces.size()) {
      found = text.find(pieces[k + 1].literal, at);
      if (found == std::string_view::npos) return std::nullopt;
    }
    const std::string_view value = text.substr(at, found - at);
    if (piece.number && !IsNumber(value)) return std::nullopt;
    values.push_back(value);
    at = found;
  }
  if (at != text.size()) return std::nullopt;
  return values;
}

std::string Fill(std::string_view format, const std::vector<std::string_view>& values) {
  std::string out;
  std::size_t next = 0;
  for (const Piece& piece : Pieces(format)) {
    if (!piece.conversion) {
      out += piece.literal;
    } else if (next < values.size()) {
      out += values[next++];
    }
  }
  return out;
}

struct Index {
  std::unordered_map<std::string_view, const char*> plain;
  std::vector<const EnglishTwin*> formatted;
};

const Index& TwinIndex() {
  static const Index index = [] {
    Index built;
    std::size_t count = 0;
    const EnglishTwin* twins = EnglishTwins(&count);
    for (std::size_t i = 0; i < count; ++i) {
      if (HasConversion(twins[i].japanese)) {
        built.formatted.push_back(&twins[i]);
      } else {
        built.plain.emplace(twins[i].japanese, twins[i].english);
      }
    }
    return built;
  }();
  return index;
}

}  // namespace

std::string InEnglish(std::string_view japanese) {
  const Index& index = TwinIndex();
  if (const auto found = index.plain.find(japanese); found != index.plain.end()) {
    return found->second;
  }
  for (const EnglishTwin* twin : index.formatted) {
    if (const auto values = Match(twin->japanese, japanese)) return Fill(twin->english, *values);
  }
  return std::string(japanese);
}

}  // namespace corvane
