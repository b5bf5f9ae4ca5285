#pragma once
// The sample maps shipped in examples/, built with the map model itself.

#include <string>

#include "map/edit_map.h"

namespace corvane {

// A short line that compiles without a finding: three stations with their
// stop targets and drawings, a passing loop between two turnouts, a jump
// onto a second row, a terminus with two platform tracks, signals on every
// track and a start point. `map` must be in the new map state (with its
// default signal types) beforehand.
void BuildSampleLine(EditMap& map);

// The largest line the compile takes with interlocking: every segment and
// point slot used, rows of block sections joined end to end by jumps, a
// passing loop (two turnouts) in the yard of every station and stop
// section, the last yard holding a second loop and a terminus of two
// platform tracks behind a turnout. Every point has a key of its own (the
// keys the compile hands out run short of points), every track a signal,
// every platform its stop distances, and station yards are in use, so that
// route levers and buttons can be generated. `map` must be in the new map
// state; when it has no signal types, type 1 gets bands of 15 km/h.
void BuildLargestLine(EditMap& map);

// Segment `i` (0-based) of a map with every segment slot used: rows of 60
// segments of four columns each, joined end to end, four rows apart.
MapRail LargestMapRail(int i);

}  // namespace corvane
