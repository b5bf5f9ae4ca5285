#pragma once
// The passenger demand of a dia as curves: one curve per pair of stations
// (from, to), the entries of the pair in list order, each a count of
// passengers per hour at a time of day. To station 0 stands for every
// station without a curve of its own from the same station.
//
// Totals are the integral of a curve over the day in passengers, in 64
// bits (a day of tens of thousands an hour does not fit 32 bits) and kept
// within the 64-bit range however the file's entries lie.
//
// A pair without a curve of its own takes its part of the curve (from, 0)
// by the from station's share of the to station, in per mille. The shares
// are derived from the curves: every station t without a curve of its own
// from f weighs as much as the passengers that start at t (the totals of
// all curves from t, the one to every other station included); the shares
// of f are these weights over their sum, so that a busy station draws more
// of the other passengers. When none of them weighs anything they share
// equally. The shares of one from station never add up to more than 1000.

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "data/dia_data.h"

namespace corvane {

// The last time a curve made by the passenger window reaches: 28:00.
inline constexpr int kDemandDayEnd = 100800;

// The integral of the entries of pair (from, to) in list order: for each
// entry (count₂ at time₂) after the one before (count₁ at time₁; the first
// after count 0 at time 0) the sum of (count₁ + count₂) × (time₂ − time₁) /
// 7200, each step truncated.
std::int64_t CurveTotal(const std::vector<DemandEntry>& demand, int from, int to);

class DemandSummary {
 public:
  DemandSummary() = default;
  // The curves of `demand` for a map of `stations` stations.
  DemandSummary(const std::vector<DemandEntry>& demand, int stations);

  int stations() const { return stations_; }
  // Whether the pair has an entry with a count other than 0.
  bool HasCurve(int from, int to) const;
  // The integral of the pair's own curve (0 without entries).
  std::int64_t CurveTotalOf(int from, int to) const;
  // The share in per mille of station `to` in the passengers of `from` to
  // every other station (0 for a station with a curve of its own, for `to`
  // 0 and for `from` itself).
  int Share(int from, int to) const;
  // The pair's number of passengers: 0 for from = to, its own curve's total
  // when it has one, else its share of the curve (from, 0).
  std::int64_t PairTotal(int from, int to) const;
  // The passengers of a station: the totals of every pair from it to
  // another station plus every pair from another station to it.
  std::int64_t StationTotal(int station) const;

 private:
  struct Curve {
    std::int64_t total = 0;
    bool counted = false;  // has a count other than 0
  };
  const Curve* Find(int from, int to) const;
  // The sum of the weights of the stations that take a share of `from`'s
  // passengers, and how many they are.
  std::pair<std::int64_t, int> SharedWeight(int from) const;

  int stations_ = 0;
  std::map<std::pair<int, int>, Curve> curves_;
  // Per station: what starts there (its weight) and the stations it has a
  // curve of its own to.
  std::vector<std::int64_t> weight_;
  std::vector<std::vector<int>> own_targets_;
  std::vector<std::pair<std::int64_t, int>> shared_;
};

// a + b kept within the 64-bit range.
std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b);

}  // namespace corvane
