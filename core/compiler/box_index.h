#pragma once
// Which boxes of grid cells share a cell with a given one, without testing
// every pair: boxes are kept in buckets of cells, boxes too large for the
// buckets in a list of their own.

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace corvane {

// The cells x1 <= x < x2, y1 <= y < y2 (none when x1 >= x2 or y1 >= y2).
struct CellBox {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  bool empty() const { return x1 >= x2 || y1 >= y2; }
  // Whether the two boxes share a cell (boxes that only touch do not).
  bool Meets(const CellBox& other) const {
    return !empty() && !other.empty() && x1 < other.x2 && other.x1 < x2 && y1 < other.y2 &&
           other.y1 < y2;
  }
};

class BoxIndex {
 public:
  // Adds a box under `key` (keys need not be unique; empty boxes are left out).
  void Add(int key, const CellBox& box);
  // The keys of the boxes that share a cell with `box`, ascending, each once.
  std::vector<int> KeysMeeting(const CellBox& box) const;

 private:
  struct Entry {
    int key;
    CellBox box;
  };
  static std::int64_t Bucket(std::int64_t column, std::int64_t row);
  // Calls `visit` with every bucket `box` reaches; false when there are too
  // many to visit (the box is then kept apart).
  template <typename Visit>
  static bool ForEachBucket(const CellBox& box, Visit visit);

  std::vector<Entry> entries_;
  std::unordered_map<std::int64_t, std::vector<int>> buckets_;  // entry numbers
  std::vector<int> large_;                                      // entry numbers
};

}  // namespace corvane
