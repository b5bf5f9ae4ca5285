#include "app/passenger_demand.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {

namespace {

constexpr std::int64_t kLargest = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kSmallest = std::numeric_limits<std::int64_t>::min();

// A real number truncated toward zero and kept within the 64-bit range.
std::int64_t ClampToInt64(long double value) {
  if (value >= static_cast<long double>(kLargest)) return kLargest;
  if (value <= static_cast<long double>(kSmallest)) return kSmallest;
  return static_cast<std::int64_t>(std::trunc(value));
}

// One step of a curve's integral: the passengers between two entries. The
// numbers of a file may be anything an int holds: the product is formed
// without overflow.
std::int64_t Step(int count1, int time1, int count2, int time2) {
  const std::int64_t counts = std::int64_t{count1} + count2;
  const std::int64_t seconds = std::int64_t{time2} - time1;
  return ClampToInt64(static_cast<long double>(counts) * static_cast<long double>(seconds) /
                      7200.0L);
}

// `total` × `share` / 1000 without overflow.
std::int64_t PartOf(std::int64_t total, int share) {
  return ClampToInt64(static_cast<long double>(total) * share / 1000.0L);
}

}  // namespace

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
  if (b > 0 && a > kLargest - b) return kLargest;
  if (b < 0 && a < kSmallest - b) return kSmallest;
  return a + b;
}

std::int64_t CurveTotal(const std::vector<DemandEntry>& demand, int from, int to) {
  std::int64_t total = 0;
  int time = 0;
  int count = 0;
  for (const DemandEntry& e : demand) {
    if (e.from != from || e.to != to) continue;
    total = SaturatingAdd(total, Step(count, time, e.count, e.time));
    time = e.time;
    count = e.count;
  }
  return total;
}

DemandSummary::DemandSummary(const std::vector<DemandEntry>& demand, int stations)
    : stations_(std::max(stations, 0)) {
  struct Running {
    int time = 0;
    int count = 0;
  };
  std::map<std::pair<int, int>, Running> running;
  for (const DemandEntry& e : demand) {
    const std::pair<int, int> key{e.from, e.to};
    Curve& curve = curves_[key];
    Running& last = running[key];
    curve.total = SaturatingAdd(curve.total, Step(last.count, last.time, e.count, e.time));
    curve.counted = curve.counted || e.count != 0;
    last = {e.time, e.count};
  }
  const auto size = static_cast<std::size_t>(stations_) + 1;
  weight_.assign(size, 0);
  own_targets_.assign(size, {});
  for (const auto& [key, curve] : curves_) {
    const auto [from, to] = key;
    // Stored station numbers are checked before they index the tables.
    if (from < 1 || from > stations_ || to < 0 || to > stations_ || from == to) continue;
    if (curve.total > 0) {
      weight_[static_cast<std::size_t>(from)] =
          SaturatingAdd(weight_[static_cast<std::size_t>(from)], curve.total);
    }
    if (curve.counted && to != 0) own_targets_[static_cast<std::size_t>(from)].push_back(to);
  }
  // Every station but `from` and those it has curves of its own to.
  std::int64_t all = 0;
  for (const std::int64_t w : weight_) all = SaturatingAdd(all, w);
  shared_.assign(size, {0, 0});
  for (int from = 1; from <= stations_; ++from) {
    const auto f = static_cast<std::size_t>(from);
    std::int64_t sum = SaturatingAdd(all, -weight_[f]);
    for (const int to : own_targets_[f]) {
      sum = SaturatingAdd(sum, -weight_[static_cast<std::size_t>(to)]);
    }
    const int sharing = stations_ - 1 - static_cast<int>(own_targets_[f].size());
    shared_[f] = {std::max<std::int64_t>(sum, 0), std::max(sharing, 0)};
  }
}

const DemandSummary::Curve* DemandSummary::Find(int from, int to) const {
  const auto found = curves_.find({from, to});
  return found == curves_.end() ? nullptr : &found->second;
}

bool DemandSummary::HasCurve(int from, int to) const {
  const Curve* curve = Find(from, to);
  return curve != nullptr && curve->counted;
}

std::int64_t DemandSummary::CurveTotalOf(int from, int to) const {
  const Curve* curve = Find(from, to);
  return curve == nullptr ? 0 : curve->total;
}

std::pair<std::int64_t, int> DemandSummary::SharedWeight(int from) const {
  return shared_[static_cast<std::size_t>(from)];
}

int DemandSummary::Share(int from, int to) const {
  if (from < 1 || from > stations_ || to < 1 || to > stations_ || from == to) return 0;
  if (HasCurve(from, to)) return 0;
  const auto [sum, sharing] = SharedWeight(from);
  if (sharing == 0) return 0;
  if (sum <= 0) return 1000 / sharing;
  const long double part =
      static_cast<long double>(weight_[static_cast<std::size_t>(to)]) * 1000.0L / sum;
  return static_cast<int>(part);
}

std::int64_t DemandSummary::PairTotal(int from, int to) const {
  if (from == to) return 0;
  if (HasCurve(from, to)) return CurveTotalOf(from, to);
  if (to == 0) return 0;
  return PartOf(CurveTotalOf(from, 0), Share(from, to));
}

std::int64_t DemandSummary::StationTotal(int station) const {
  if (station < 1 || station > stations_) return 0;
  std::int64_t total = 0;
  for (int other = 1; other <= stations_; ++other) {
    if (other == station) continue;
    total = SaturatingAdd(total, PairTotal(station, other));
    total = SaturatingAdd(total, PairTotal(other, station));
  }
  return total;
}

}  // namespace corvane
