#pragma once
// The keys that name points when the user types them on the board: letter
// case does not count (ASCII letters only; the bytes of two-byte characters
// stay as they are), and no key may begin another, so that typing a key
// always ends at one point.

#include <optional>
#include <span>
#include <string_view>

#include "map/map_records.h"

namespace corvane {

inline constexpr const char kPointKeyErrorCaption[] = "ポイントキー設定エラー";
inline constexpr const char kPointKeyTaken[] =
    "このポイントキーは、既に設定されているため使用できません。\n";
inline constexpr const char kPointKeyOverlaps[] =
    "このポイントキーは、既に設定されている%sと重複するため使用できません。\n";

// Why `key` (Shift-JIS) cannot be given beside the other points' keys
// `others` (empty ones are no keys): one of them equals a beginning of it
// (taken when as long as `key`, else overlapping that key), the shorter
// beginnings first; or `key` begins one of them. None when it may be
// given; an empty key (no key) always may.
std::optional<Refusal> PointKeyRefusal(std::string_view key,
                                       std::span<const std::string_view> others);

}  // namespace corvane
