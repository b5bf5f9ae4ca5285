#pragma once
// Helpers for tests that need a map in a given state.

#include "editor/map_change.h"

namespace corvane::testing {

// Changes the map so that it counts as modified: its map code goes up by one.
inline void ChangeSomething(EditMap& map) { MapChange(map).header().map_code += 1; }

}  // namespace corvane::testing
