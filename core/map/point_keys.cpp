#include "map/point_keys.h"

#include <string>
#include <utility>
#include <vector>

#include "base/encoding.h"
#include "base/text_format.h"

namespace corvane {

namespace {

// The byte lengths at which `sjis` may be cut between characters, shortest
// first, the whole text last.
std::vector<std::size_t> CharacterEnds(std::string_view sjis) {
  std::vector<std::size_t> ends;
  for (std::size_t i = 0; i < sjis.size();) {
    i += IsSjisLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
    ends.push_back(i);
  }
  return ends;
}

Refusal Overlapping(std::string_view other_key) {
  return {FillIn(kPointKeyOverlaps, {SjisToUtf8(other_key)}), kPointKeyErrorCaption};
}

}  // namespace

std::optional<Refusal> PointKeyRefusal(std::string_view key,
                                       std::span<const std::string_view> others) {
  if (key.empty()) return std::nullopt;
  const std::string folded = FoldSjisCase(key);
  std::vector<std::pair<std::string, std::string_view>> keys;  // folded, as stored
  for (const std::string_view other : others) {
    if (!other.empty()) keys.emplace_back(FoldSjisCase(other), other);
  }
  for (const std::size_t end : CharacterEnds(folded)) {
    const std::string_view beginning = std::string_view(folded).substr(0, end);
    for (const auto& [other_folded, other] : keys) {
      if (other_folded != beginning) continue;
      if (end == folded.size()) return Refusal{kPointKeyTaken, kPointKeyErrorCaption};
      return Overlapping(other);
    }
  }
  for (const auto& [other_folded, other] : keys) {
    if (other_folded.size() > folded.size() && other_folded.starts_with(folded)) {
      return Overlapping(other);
    }
  }
  return std::nullopt;
}

}  // namespace corvane
