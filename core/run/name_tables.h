#pragma once
// The loaded names renamed from the name tables of the data folder (the
// text "/jtoe" typed on the operation board): train types, signal sets and
// their images, rails, stopping targets and stations, and the destinations
// of the train runs, each matched by its name against a table's keys.

#include <string>

#include "base/prompter.h"
#include "run/dia_change.h"

namespace corvane {

// The tables' file names in the data folder.
inline constexpr const char* kNameTableFiles[] = {"target.csv", "rail_suffix.csv", "d_type.csv",
                                                  "signal_set.csv", "signal_bmp.csv"};

// Renames through `change` from the tables in `folder` (ending in "/"); a
// table that cannot be read is reported through `prompter` and renames
// nothing.
void RenameFromNameTables(DiaChange& change, const std::string& folder, Prompter& prompter);

}  // namespace corvane
