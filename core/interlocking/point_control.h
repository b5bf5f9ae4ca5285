#pragma once
// Points of the compiled map: setting a position rewrites the links of the
// point's rails from its route tables, and a throw moves it on by one
// position. The compiler sets positions on the map it builds; the board
// does it on the loaded data through its change path, where every record
// the position changes is recorded.

#include "data/system_map.h"
#include "run/dia_change.h"

namespace corvane {

// Applies position `position` (0-based) of point `point`: each of its rails
// takes its piece's in-use flag and its next and back links from the route
// tables, and a positive link is answered by the rail it names. A point or
// position that does not exist changes nothing.
void SetPointPosition(SystemMap& map, int point, int position);
void SetPointPosition(DiaChange& change, int point, int position);

// Moves point `point` on by `step` positions (+1 or -1, wrapping). A point
// without positions stays as it is.
void ThrowPoint(SystemMap& map, int point, int step);
void ThrowPoint(DiaChange& change, int point, int step);

}  // namespace corvane
