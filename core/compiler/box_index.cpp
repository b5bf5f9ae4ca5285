#include "compiler/box_index.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr std::int64_t kBucketColumns = 16;
constexpr std::int64_t kBucketRows = 8;
// A box reaching more buckets than this is tested on its own.
constexpr std::int64_t kMostBuckets = 64;

std::int64_t FloorDiv(std::int64_t value, std::int64_t by) {
  return value >= 0 ? value / by : -((-value + by - 1) / by);
}

}  // namespace

std::int64_t BoxIndex::Bucket(std::int64_t column, std::int64_t row) {
  // Bucket numbers fit in 32 bits each (grid numbers are 32-bit).
  return (column << 32) ^ (row & 0xffffffff);
}

template <typename Visit>
bool BoxIndex::ForEachBucket(const CellBox& box, Visit visit) {
  const std::int64_t c1 = FloorDiv(box.x1, kBucketColumns);
  const std::int64_t c2 = FloorDiv(std::int64_t{box.x2} - 1, kBucketColumns);
  const std::int64_t r1 = FloorDiv(box.y1, kBucketRows);
  const std::int64_t r2 = FloorDiv(std::int64_t{box.y2} - 1, kBucketRows);
  if ((c2 - c1 + 1) * (r2 - r1 + 1) > kMostBuckets) return false;
  for (std::int64_t c = c1; c <= c2; ++c) {
    for (std::int64_t r = r1; r <= r2; ++r) visit(Bucket(c, r));
  }
  return true;
}

void BoxIndex::Add(int key, const CellBox& box) {
  if (box.empty()) return;
  const int entry = static_cast<int>(entries_.size());
  entries_.push_back({key, box});
  if (!ForEachBucket(box, [&](std::int64_t bucket) { buckets_[bucket].push_back(entry); })) {
    large_.push_back(entry);
  }
}

std::vector<int> BoxIndex::KeysMeeting(const CellBox& box) const {
  std::vector<int> keys;
  if (box.empty()) return keys;
  auto consider = [&](int entry) {
    const Entry& candidate = entries_[static_cast<std::size_t>(entry)];
    if (candidate.box.Meets(box)) keys.push_back(candidate.key);
  };
  const bool bucketed = ForEachBucket(box, [&](std::int64_t bucket) {
    const auto found = buckets_.find(bucket);
    if (found == buckets_.end()) return;
    for (const int entry : found->second) consider(entry);
  });
  if (!bucketed) {
    // A large box looks at every entry once.
    for (int entry = 0; entry < static_cast<int>(entries_.size()); ++entry) consider(entry);
  } else {
    for (const int entry : large_) consider(entry);
  }
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

}  // namespace corvane
