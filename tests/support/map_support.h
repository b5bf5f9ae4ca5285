#pragma once
// Helpers for tests that need a map in a given state.

#include "editor/edit_dialogs.h"
#include "map/map_change.h"

namespace corvane::testing {

// Changes the map so that it counts as modified: its map code goes up by one.
inline void ChangeSomething(EditMap& map) { MapChange(map).header().map_code += 1; }

// Dialogs that confirm what they are shown: the station and naming lists
// keep the current entry (or the first), the name dialog its texts.
class ConfirmingDialogs : public EditDialogs {
 public:
  bool EditNames(MapNameEntry*) override { return true; }
};

}  // namespace corvane::testing
