#pragma once
// The start point of the line and the walk from it that marks where each
// station and stop section lies along the line.

#include "map/map_change.h"

namespace corvane {

// Sets the start point to segment `rail` (0, or a segment that does not
// exist, clears it) and runs the start-point walk: every station and stop
// section met gets its distance from the start, every station the station
// met just before it, and the header the first station (or stop section).
void SetStartRail(MapChange& change, int rail);

}  // namespace corvane
