#pragma once
// What meets at each grid point of a map, found through hash tables: the
// same answers as EditMap's connection questions, for walks that ask them
// once per segment of a large map.

#include <cstdint>
#include <unordered_map>

#include "map/map_tables.h"

namespace corvane {

class GridIndex {
 public:
  explicit GridIndex(const MapContent& map);

  // First in number order, or 0 (as EditMap answers them).
  int RailWithLeftEndAt(GridPoint p) const { return Find(left_rail_, p); }
  int RailWithRightEndAt(GridPoint p) const { return Find(right_rail_, p); }
  int PointWithLeftBranchAt(GridPoint p) const { return Find(left_point_, p); }
  int PointWithRightBranchAt(GridPoint p) const { return Find(right_point_, p); }

  // The segment continuing rightward (leftward) from `p`, following jumps;
  // a ring of jumps ends the search with 0.
  int RailContinuingRight(GridPoint p) const;
  int RailContinuingLeft(GridPoint p) const;

  // One number per grid point, for hash tables keyed by grid points.
  static std::int64_t Key(std::int64_t x, std::int64_t y) { return (x << 32) ^ (y & 0xFFFFFFFF); }

 private:
  using Table = std::unordered_map<std::int64_t, int>;
  static int Find(const Table& table, GridPoint p) {
    const auto it = table.find(Key(p.x, p.y));
    return it == table.end() ? 0 : it->second;
  }
  // Keeps the lowest number for a key; a row beyond the grid meets nothing.
  static void Put(Table& table, std::int64_t x, std::int64_t y, int number) {
    if (y < INT32_MIN || y > INT32_MAX) return;
    table.try_emplace(Key(x, y), number);
  }

  int jumps_ = 0;
  Table left_rail_, right_rail_, left_point_, right_point_;
  std::unordered_map<std::int64_t, GridPoint> jump_a_to_b_, jump_b_to_a_;
};

}  // namespace corvane
