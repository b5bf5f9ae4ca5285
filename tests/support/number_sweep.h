#pragma once
// The number sweep of the file readers: one row of one member of a bundle
// text, each of its numbers in turn replaced by the ends of the int range
// and by 10^9.

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/member_text.h"
#include "mapfile/packed_bundle.h"

namespace corvane::testing {

// The values every number is swept through.
inline constexpr long long kSweptValues[] = {INT_MIN, INT_MAX, 1'000'000'000LL};

// One bundle text of the sweep: the number in column `column` (from 1) of
// line `line` (from 1) of the member replaced by `value`.
struct SweptText {
  int line = 0;
  int column = 0;
  long long value = 0;
  std::string text;
};

// Calls `visit` with a bundle text for every number of one row of member
// `member` of `bundle` and every swept value. The row is the first one
// numbered other than 0 (the null record is not the one changed). The
// number of numbers visited; 0 when the member has no such row.
inline int SweepNumbers(const std::string& bundle, const std::string& member,
                        const std::function<void(const SweptText&)>& visit) {
  const auto split_at = [](const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1) {
      parts.push_back(text.substr(start, at - start));
    }
    parts.push_back(text.substr(start));
    return parts;
  };
  const auto joined = [](const std::vector<std::string>& parts, char separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i)
      out += (i > 0 ? std::string(1, separator) : "") + parts[i];
    return out;
  };
  // Blanks, an optional sign, digits.
  const auto is_number = [](std::string_view piece) {
    while (!piece.empty() && piece.front() == ' ') piece.remove_prefix(1);
    if (!piece.empty() && piece.front() == '-') piece.remove_prefix(1);
    return !piece.empty() &&
           std::all_of(piece.begin(), piece.end(), [](char c) { return c >= '0' && c <= '9'; });
  };

  const std::vector<BundleMember> members =
      SplitBundleText(bundle).value_or(std::vector<BundleMember>{});
  const auto found = std::find_if(members.begin(), members.end(),
                                  [&member](const BundleMember& m) { return m.name == member; });
  if (found == members.end()) return 0;
  std::vector<std::string> lines = split_at(found->content, '\n');
  lines.pop_back();  // after the last line feed
  std::size_t row = 0;
  while (row < lines.size() && MemberLine(lines[row]).Int(0) == 0) ++row;
  if (row == lines.size()) row = 0;
  if (lines.empty()) return 0;
  const std::vector<std::string> pieces = split_at(lines[row], ',');
  int numbers = 0;
  for (std::size_t p = 0; p < pieces.size(); ++p) {
    if (!is_number(pieces[p])) continue;
    ++numbers;
    for (const long long value : kSweptValues) {
      std::vector<std::string> changed_pieces = pieces;
      changed_pieces[p] = std::to_string(value);
      std::vector<std::string> changed_lines = lines;
      changed_lines[row] = joined(changed_pieces, ',');
      std::vector<BundleMember> changed = members;
      changed[static_cast<std::size_t>(found - members.begin())].content =
          joined(changed_lines, '\n') + "\n";
      visit({static_cast<int>(row) + 1, static_cast<int>(p) + 1, value, JoinBundle(changed)});
    }
  }
  return numbers;
}

// "column 3 = 2147483647" for a trace.
inline std::string Describe(const SweptText& swept) {
  return "line " + std::to_string(swept.line) + ", column " + std::to_string(swept.column) + " = " +
         std::to_string(swept.value);
}

}  // namespace corvane::testing
