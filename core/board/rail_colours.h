#pragma once
// The colour the board gives a rail: by the track colour mode (signal
// aspects with or without the speed limit, or track circuits), then by
// the layout mode, the point's path, bookings, routes and accidents.
// Walks along the links remember what they found, so colouring every rail
// costs one visit per rail, and a walk that comes round a ring (or meets a
// rail twice) ends.

#include <vector>

#include "base/canvas.h"

namespace corvane {

struct BoardScene;

class RailColours {
 public:
  explicit RailColours(const BoardScene& scene);

  // The colour of rail `rail` (1..count).
  Rgb Of(int rail);

  // The signal set whose aspects colour `rail` in the aspect modes: its own
  // when it has one, else the first one along its next links; 0 none.
  int SignalAhead(int rail);
  // The display colour of aspect `aspect` (a speed) of signal set `signal`.
  Rgb AspectColour(int signal, int aspect) const;

 private:
  Rgb BaseColour(int rail);
  Rgb AspectModeColour(int rail);
  Rgb NormalColour(int rail);
  Rgb LayoutColour(int rail);
  // The rail whose signal and aspect colour `rail`: itself when it has a
  // signal, else on along its next links across point rails; 0 when plain
  // track ends the walk.
  int GoverningRail(int rail);
  bool HasSignal(int rail) const;
  bool PieceHasPoint(int rail) const;
  int NextRail(int rail) const;
  bool InUse(int rail) const;
  int RouteLever(int rail) const;

  // Resolves a walk along the next links from `rail`: `own(r)` gives the
  // answer at r (or kGoOn to ask the next rail); an end or a ring gives 0.
  // Every answer is kept in `memo`, for the rail and the rails passed.
  template <typename Own>
  int Walk(std::vector<int>& memo, int rail, Own own);

  const BoardScene& scene_;
  std::vector<int> governing_;
  std::vector<int> signal_ahead_;
  std::vector<int> path_;  // the rails of the walk under way
};

}  // namespace corvane
