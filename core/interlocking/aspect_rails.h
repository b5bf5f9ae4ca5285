#pragma once
// The rails as one aspect calculation sees them: every link, signal, lever
// and piece of a rail range-checked once, and what lies ahead of each rail
// along its next links up to the first signal, worked out once for all rails
// (a walk per rail would make the calculation quadratic on a long line).
// Walks along the links end on a rail they have visited, so rings of rails
// (a balloon loop without signals) end like the end of the line.

#include <cstdint>
#include <vector>

#include "data/dia_file.h"
#include "run/run_state.h"

namespace corvane {

struct AspectRail {
  int next = 0;    // the rail the next link names (either sign), 0 none
  int back = 0;    // the rail a positive back link names, 0 none
  int twin = 0;    // the rail of the other direction on the same track, 0 none
  int signal = 0;  // the signal set, 0 no signal
  int lever = 0;   // the lever on the rail, 0 none
  int piece = 0;   // the track piece, 0 none
  int point = 0;   // the point whose rails the piece carries, 0 none
  int length = 0;
  int speed_limit = 0;  // 0 none
  int target = 0;
  int yard_target = 0;
  bool in_use = true;  // on its point's path (a rail without piece is)
  // Along the next links from this rail (itself included): the first rail
  // with a signal (0 when the links end or close a ring first), whether a
  // rail before it has a point, and the lengths of the rails before it (on
  // a ring without signals: the length of the ring).
  int signal_rail = 0;
  bool point_before_signal = false;
  std::int64_t length_before_signal = 0;
  bool on_open_ring = false;  // on a ring without signals
  bool resolved = false;
  // Along the back links from this rail (itself included) up to and
  // including the first rail with a signal: the first rail whose lever has
  // no route set, 0 none; -1 while not worked out.
  int unset_lever_behind = -1;
  unsigned visit = 0;  // the walk that last visited the rail
};

class AspectRails {
 public:
  // Reads the links of `file` as they stand; they do not change while the
  // calculation runs. The levers behind the rails are worked out with
  // interlocking in use only.
  void Build(const DiaFile& file, const RunState& run);

  int count() const { return count_; }
  const AspectRail& operator[](int rail) const { return rails_[static_cast<std::size_t>(rail)]; }

  // The lengths of the rails after `rail` up to the next rail with a signal
  // (that rail not counted), or to the end of the links.
  std::int64_t LengthAfter(int rail) const;

  // Walks: a new walk has visited nothing; Visit marks `rail` and tells
  // whether the walk had visited it already.
  void NewWalk() { ++walk_; }
  bool Visit(int rail) {
    unsigned& mark = rails_[static_cast<std::size_t>(rail)].visit;
    if (mark == walk_) return true;
    mark = walk_;
    return false;
  }

 private:
  void ResolveAhead();
  void ResolveLeversBehind(const DiaData& dia);

  int count_ = 0;
  std::vector<AspectRail> rails_;
  std::vector<int> path_;
  unsigned walk_ = 0;
};

}  // namespace corvane
