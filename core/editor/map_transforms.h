#pragma once
// Changes of whole maps and of single records that several tools share.

#include "editor/map_change.h"

namespace corvane {

// Clamps the stop targets of a segment inside a station or stop section to
// length - 20 for each direction the segment allows (0 counts as unset and
// becomes that value too).
void ClampStopTargets(MapRail& rail);

// Recomputes a point's box from the rows of its branches.
void FitPointRows(MapPoint& point);

// Turns the whole map by a half turn about the centre of the area its objects
// use, so it stays where it was and turning it twice gives the map back.
// Left and right exchange everywhere (directions, turnout kinds, signals,
// stop targets, names, sub-section details, jump ends); gradients and radii
// change sign.
void RotateMapHalfTurn(MapChange& change);

}  // namespace corvane
