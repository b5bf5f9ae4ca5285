#pragma once
// The twelve members of the dia data file that carry the compiled map: the
// column descriptions of their records and their handlers
// (CompiledMapMembers(), dia_members.h), which write each as text and read
// it back for any data version, with every record number, count and
// reference checked so that a foreign or damaged member is refused with the
// member and line named instead of reaching past a table.

#include "data/system_map.h"

namespace corvane {

// Once the members are read and their references checked: the values the
// files do not hold (directions, the positions a point starts from,
// cleared run-time values, the platform track lists) and what older data
// means by its values.
void FinishSystemMap(SystemMap& map, int version);

}  // namespace corvane
