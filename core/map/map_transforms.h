#pragma once
// Changes of whole maps and of single records that several tools share.

#include "map/map_change.h"

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

enum class GridAxis { kRows, kColumns };

// Every row (column) of the map beyond `after` moves on by `by` (back for a
// negative `by`): segment ends, point branch ends, station drawing edges and
// jump ends. Boxes of segments and points are fitted to their moved rows.
// Segments keep their lengths.
void ShiftGrid(MapChange& change, GridAxis axis, int after, int by);

// Whether no object has a box edge or a row (column) it uses in the band of
// rows (columns) first + 1 .. last, which can then be deleted.
bool BandFree(const EditMap& map, GridAxis axis, int first, int last);

}  // namespace corvane
