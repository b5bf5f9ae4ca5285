#include "interlocking/aspect_rails.h"

#include <cstddef>

namespace corvane {

namespace {

// A link or reference as a rail number: 0 unless it names a rail.
int RailOrNone(int rail, int count) { return rail >= 1 && rail <= count ? rail : 0; }

}  // namespace

void AspectRails::Build(const DiaFile& file, const RunState& run) {
  const SystemMap& map = file.map;
  count_ = map.rails.count();
  const int signals = map.signal_sets.count();
  const int levers = file.dia.levers.count();
  const int pieces = map.prails.count();
  // Each rail is written once, whole: the line's rails are many and large.
  rails_.resize(static_cast<std::size_t>(count_) + 1);
  rails_[0] = AspectRail{};
  walk_ = 0;
  for (int r = 1; r <= count_; ++r) {
    const RailRecord& record = map.rails[r];
    AspectRail& rail = rails_[static_cast<std::size_t>(r)];
    rail = AspectRail{};
    // A negative next link still leads on; a negative back link leads nowhere.
    const std::int64_t next = record.l_next < 0 ? -static_cast<std::int64_t>(record.l_next)
                                                : static_cast<std::int64_t>(record.l_next);
    rail.next = next >= 1 && next <= count_ ? static_cast<int>(next) : 0;
    rail.back = RailOrNone(record.l_back, count_);
    rail.twin = RailOrNone(record.l_dual, count_);
    rail.signal = record.signal >= 1 && record.signal <= signals ? record.signal : 0;
    rail.lever = record.lever >= 1 && record.lever <= levers ? record.lever : 0;
    rail.length = record.length;
    rail.speed_limit = record.speed_limit;
    rail.target = record.target;
    rail.yard_target = record.yard_target;
    if (record.l_pack >= 1 && record.l_pack <= pieces) {
      rail.piece = record.l_pack;
      rail.in_use = map.prails[record.l_pack].in_use != 0;
      const auto piece = static_cast<std::size_t>(record.l_pack);
      if (piece < run.pieces.size()) {
        const int point = run.pieces[piece].point;
        rail.point = point >= 1 && point <= map.points.count() ? point : 0;
      }
    }
  }
  ResolveAhead();
  if (file.header.settings.use_interlocking != 0) ResolveLeversBehind(file.dia);
}

// Each rail's way ahead to the first signal, from the answers of the rails
// after it: a rail's walk stops at a rail already answered, so every rail is
// walked once. The next links form chains that end, meet a signal or close
// a ring; the rails of a ring without signals share one answer.
void AspectRails::ResolveAhead() {
  for (int r = 1; r <= count_; ++r) {
    AspectRail& rail = rails_[static_cast<std::size_t>(r)];
    if (rail.signal != 0) {
      rail.signal_rail = r;
      rail.resolved = true;
    }
  }
  for (int r = 1; r <= count_; ++r) {
    if (rails_[static_cast<std::size_t>(r)].resolved) continue;
    path_.clear();
    NewWalk();
    int at = r;
    while (at != 0 && !rails_[static_cast<std::size_t>(at)].resolved && !Visit(at)) {
      path_.push_back(at);
      at = rails_[static_cast<std::size_t>(at)].next;
    }
    int signal_rail = 0;
    bool point = false;
    std::int64_t length = 0;
    std::size_t chain_end = path_.size();
    if (at != 0 && rails_[static_cast<std::size_t>(at)].resolved) {
      const AspectRail& after = rails_[static_cast<std::size_t>(at)];
      signal_rail = after.signal_rail;
      point = after.signal != 0 ? false : after.point_before_signal;
      length = after.signal != 0 ? 0 : after.length_before_signal;
    } else if (at != 0) {
      // The walk came back to a rail of its own path: a ring without signals.
      std::size_t start = 0;
      while (path_[start] != at) ++start;
      for (std::size_t i = start; i < path_.size(); ++i) {
        const AspectRail& ring = rails_[static_cast<std::size_t>(path_[i])];
        point = point || ring.point != 0;
        length += ring.length;
      }
      for (std::size_t i = start; i < path_.size(); ++i) {
        AspectRail& ring = rails_[static_cast<std::size_t>(path_[i])];
        ring.point_before_signal = point;
        ring.length_before_signal = length;
        ring.on_open_ring = true;
        ring.resolved = true;
      }
      chain_end = start;
    }
    for (std::size_t i = chain_end; i-- > 0;) {
      AspectRail& rail = rails_[static_cast<std::size_t>(path_[i])];
      point = point || rail.point != 0;
      length += rail.length;
      rail.signal_rail = signal_rail;
      rail.point_before_signal = point;
      rail.length_before_signal = length;
      rail.resolved = true;
    }
  }
}

// Each rail's first lever without route behind it, from the answers of the
// rails behind: every rail is walked once. A lever with its route set does
// not end the walk; a signal does, after its own lever; the end of the back
// links and a ring without either give none.
void AspectRails::ResolveLeversBehind(const DiaData& dia) {
  for (int r = 1; r <= count_; ++r) {
    if (rails_[static_cast<std::size_t>(r)].unset_lever_behind >= 0) continue;
    path_.clear();
    NewWalk();
    int found = 0;
    for (int at = r; at != 0; at = rails_[static_cast<std::size_t>(at)].back) {
      AspectRail& rail = rails_[static_cast<std::size_t>(at)];
      if (rail.unset_lever_behind >= 0) {
        found = rail.unset_lever_behind;
        break;
      }
      if (Visit(at)) break;
      path_.push_back(at);
      if (rail.lever != 0 && dia.levers[rail.lever].values[kLeverCurrentRoute] == 0) {
        found = at;
        break;
      }
      if (rail.signal != 0) break;
    }
    for (const int at : path_) rails_[static_cast<std::size_t>(at)].unset_lever_behind = found;
  }
}

std::int64_t AspectRails::LengthAfter(int rail) const {
  const AspectRail& r = (*this)[rail];
  if (r.on_open_ring) return r.length_before_signal - r.length;
  if (r.next == 0) return 0;
  const AspectRail& next = (*this)[r.next];
  return next.signal != 0 ? 0 : next.length_before_signal;
}

}  // namespace corvane
