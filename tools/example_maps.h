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

// Segment `i` (0-based) of a map with every segment slot used: rows of 60
// segments of four columns each, joined end to end, four rows apart.
MapRail LargestMapRail(int i);

}  // namespace corvane
