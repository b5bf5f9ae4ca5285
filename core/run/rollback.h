#pragma once
// Rollback snapshots: a copy of the run-time state of the loaded dia data
// (the clock, the dia's two state words, the run values of trains, points,
// levers, rails and track pieces, the runs' states and stop events) taken
// at one moment, written as the text of the stack member of executed data
// ("stack.csv") and read back from it, and restored into the loaded data
// through the dia's change path.
//
// The stack text: the snapshot time "%ld,", an empty line, the two state
// words "%d," each, an empty line, then fourteen sections, each a line with
// its name, a line with its record count "%d," and one line per record
// (records 1..count), every value followed by ",":
//
//   diagram           direction, the 17 values, run state; then one line
//                     "rail,time,kind," per stop event up to and including
//                     the end event ("0,0,0," for a run without events)
//   train             value1, rail, value3; position, state, failed,
//                     guidance, direction, departure command, departure
//                     seconds, hold command, hold station, route ahead,
//                     signal distance, permitted speed, speed, delay, event,
//                     waiting lever
//   unit              diagram, train, value3, value4, series; then "0,0,0,"
//                     for the run buffer this program does not keep
//   point             position, mode, normal position; saved mode, booked
//                     train, requesting train, requested rail, failed, timer,
//                     then train, rail, state of the five sequence entries
//   route_lever       the 13 values; route after stop, reset time
//   route_button      the 7 values
//   station           the four auxiliary values; then "0,0,0," for the
//                     per-station lists this program does not keep
//   rail              aspect, stop origin, occupying train, booking,
//                     previous booking, accident, normal lever, next link
//   p_rail            covering point, covering route lever
//   accident_between, accident_rail, accident_point, accident_unit,
//   accident_station  the six values, the four timing values
//
// State word 1 is the train whose length ran off the rails, word 2 is kept
// for the simulation (0). Restoring takes back the run-time values only:
// the run values of RunState, the runs' states, and a run's stop events
// when they differ from the loaded ones only in events that live while the
// dia runs. The stored fields in the lines (the records' own columns, the
// rails' normal lever and next link, the disturbances) describe the moment
// but are never restored: the members saved beside the stack hold them,
// and the map and the timetable are not the snapshot's to change.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/dia_file.h"
#include "run/dia_change.h"
#include "run/run_state.h"

namespace corvane {

inline constexpr int kStackSections = 14;
inline constexpr int kRailRunValues = 8;
inline constexpr int kPieceRunValues = 2;

// The section names of the stack text, in order.
const std::array<const char*, kStackSections>& StackSectionNames();

// Each section's record count: what a snapshot of `file` holds and what a
// stack must hold to be restored into it.
using StackCounts = std::array<int, kStackSections>;
StackCounts StackCountsOf(const DiaFile& file);

struct RollbackSnapshot {
  std::int64_t time = 0;  // seconds since midnight
  std::array<int, 2> state_words{};
  // Entries 0..count of each table; entry 0 is unused.
  std::vector<DiagramRecord> diagrams;
  std::vector<TrainRecord> trains;
  std::vector<TrainRun> train_runs;
  std::vector<UnitRecord> units;
  std::vector<PointRecord> points;
  std::vector<PointRun> point_runs;
  std::vector<LeverRecord> levers;
  std::vector<LeverRun> lever_runs;
  std::vector<ButtonRecord> buttons;
  std::vector<StationRecord> stations;
  std::vector<std::array<int, kRailRunValues>> rails;
  std::vector<std::array<int, kPieceRunValues>> pieces;
  std::array<std::vector<AccidentRecord>, kAccidentKinds> accidents;

  StackCounts Counts() const;
  friend bool operator==(const RollbackSnapshot&, const RollbackSnapshot&) = default;
};

// The run-time state of `model` now.
RollbackSnapshot TakeSnapshot(const DiaModel& model);

// The stack text of `snapshot`; the same snapshot always gives the same
// bytes.
std::string WriteStack(const RollbackSnapshot& snapshot);

// Reads stack text; false with `*problem` ("line N: ...") when it is not
// one, `out` then left as it was.
bool ReadStack(std::string_view text, RollbackSnapshot& out, std::string* problem);

// Whether `snapshot` fits the data of `model`: every section count equals
// the loaded table's and every record number it holds names a record.
// False with `*problem` saying what does not fit.
bool SnapshotFits(const DiaModel& model, const RollbackSnapshot& snapshot, std::string* problem);

// Restores the run-time state of `snapshot` through `change`; false (with
// `*problem`, nothing changed) when it does not fit the loaded data.
bool RestoreSnapshot(DiaChange& change, const RollbackSnapshot& snapshot, std::string* problem);

}  // namespace corvane
