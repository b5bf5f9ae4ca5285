#pragma once
// The map compiler: after the checks pass, the map under edit becomes the
// compiled map (rails per running direction, track pieces, points with their
// route tables, targets, stations, drawings, jumps, details, signal sets) and
// a new dia around it. The map keeps the piece numbers the compile gave its
// segments and point branches.

#include <optional>
#include <string>

#include "compiler/compile_checks.h"
#include "data/dia_file.h"
#include "map/edit_map.h"

namespace corvane {

// The new working set a compile hands to the main window, and what it found
// after the checks (errors of the point connection and the rail signal
// check do not stop the hand-over).
struct CompileResult {
  DiaFile file;
  int errors = 0;
  int warnings = 0;
};

// Runs the checks and, when they pass, compiles `map`; nothing when a check
// stage stopped (the map keeps the checks' repairs and marks). Progress
// texts, message-window lines and the final boxes go through `output`.
std::optional<CompileResult> CompileMap(EditMap& map, MapCheckMarks& marks,
                                        const CheckOutput& output);

// The compile of a map that passed the checks, reporting through `run`.
CompileResult ConvertMap(EditMap& map, CheckRun& run);

// The name a rail shows on the board: its name, followed by its running
// direction when the map says so ("ViewDirec").
std::string RailDisplayName(const RailRecord& rail, const MapSettings& settings, bool english);

}  // namespace corvane
