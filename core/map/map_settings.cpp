#include "map/map_settings.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace corvane {

int SpeedIndex(int speed) { return std::clamp(speed, 0, 1023); }

int RoundDownToUnit(int t, int unit) { return unit * (t / unit); }

int RoundUpToUnit(int t, int unit) {
  const std::int64_t up = (std::int64_t{t} + unit - 1) / unit * unit;
  return static_cast<int>(std::clamp<std::int64_t>(up, INT_MIN, INT_MAX));
}

std::optional<int> ParseHundredths(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::int64_t value = 0;
  int decimals = -1;  // digits after the point so far; -1 before it
  bool digits = false;
  for (const char c : text) {
    if (c == '.' && decimals < 0) {
      decimals = 0;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    digits = true;
    if (decimals >= 2) continue;  // truncated
    if (decimals >= 0) ++decimals;
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return std::nullopt;
  }
  if (!digits) return std::nullopt;
  for (int d = std::max(decimals, 0); d < 2; ++d) value *= 10;
  if (value > INT_MAX) return std::nullopt;
  return static_cast<int>(negative ? -value : value);
}

}  // namespace corvane
