#pragma once
// Grid helpers shared by the questions the map answers and by the tools.

#include "map/map_records.h"

namespace corvane {

// Row y1 + dy, or false when it lies beyond the grid (nothing can be there).
bool RowAt(int y1, int dy, int* row);

// The grid points of a segment's ends; false when the end lies beyond the
// grid.
bool LeftEnd(const MapRail& rail, GridPoint* p);
bool RightEnd(const MapRail& rail, GridPoint* p);

}  // namespace corvane
