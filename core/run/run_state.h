#pragma once
// The values the program keeps beside the stored records of the loaded dia
// data: what no member of the file holds. The data initialisation builds
// them from the loaded records (BuildRunState), the interlocking and the
// board read and change them through the dia's change path, and nothing of
// them is written to a file. Each list is indexed as its table (entry 0
// unused) and follows the table's inserts and deletes.

#include <array>
#include <vector>

#include "data/dia_file.h"
#include "run/dia_table.h"

namespace corvane {

// What the occupancy and aspect calculation leaves on a rail.
struct RailRun {
  int aspect = 0;       // speed code the rail's signal shows, km/h; 0 stop
  int stop_origin = 0;  // the rail (or lever rail) whose condition caused a stop
  int occupying_train = 0;
  // A train that stands on or has booked the rail (positive), a twin or
  // neighbour reserved for train i (-i), 0 none; and the mark of the
  // calculation before.
  int booking = 0;
  int previous_booking = 0;
  bool accident = false;  // an accident is in force on the rail (the simulation's)
  friend bool operator==(const RailRun&, const RailRun&) = default;
};

struct PieceRun {
  int point = 0;        // the point the piece belongs to, 0 none
  int route_lever = 0;  // the lever whose route covers the piece, 0 none
  friend bool operator==(const PieceRun&, const PieceRun&) = default;
};

enum SequenceState : int { kSequenceWaiting = 1, kSequenceOpen = 2, kSequencePassed = 3 };

struct SequenceEntry {
  int train = 0;
  int rail = 0;
  int state = 0;  // a SequenceState, 0 for an unused entry
  friend bool operator==(const SequenceEntry&, const SequenceEntry&) = default;
};

inline constexpr int kSequenceEntries = 5;

struct PointRun {
  int saved_mode = 0;  // the mode after a temporary release; the mode when none
  int booked_train = 0;
  int requesting_train = 0;
  int requested_rail = 0;
  bool failed = false;
  int timer = 0;
  std::array<SequenceEntry, kSequenceEntries> sequence{};
  friend bool operator==(const PointRun&, const PointRun&) = default;
};

struct LeverRun {
  bool route_after_stop = false;
  int reset_time = 0;  // when reset control sets the normal route again, 0 none
  friend bool operator==(const LeverRun&, const LeverRun&) = default;
};

// The train values the board draws: the running simulation's, which this
// program shows as it has them and never computes.
struct TrainRun {
  int position = 0;  // metres from the start of the train's rail
  int state = 0;     // the state code, 0..18
  bool failed = false;
  bool guidance = false;
  int direction = 0;          // 1 leftward, 2 rightward
  int departure_command = 0;  // 0 none, 1 depart now, 2 delayed or early
  int departure_seconds = 0;  // positive delayed, negative early
  int hold_command = 0;       // 0 none, 1 released, 2 hold, 3 notice running
  int hold_station = 0;
  bool route_ahead = false;
  int signal_distance = 0;  // metres to the next signal
  int permitted_speed = 0;  // km/h
  int speed = 0;
  int delay = 0;  // seconds
  int event = 0;  // the current stop event of its run
  int waiting_lever = 0;
  friend bool operator==(const TrainRun&, const TrainRun&) = default;
};

struct RunState {
  std::vector<RailRun> rails;
  std::vector<PieceRun> pieces;
  std::vector<PointRun> points;
  std::vector<LeverRun> levers;
  std::vector<TrainRun> trains;
  int time = 0;           // the simulated time of day the clock shows, seconds
  int failing_train = 0;  // the train whose length ran off the rails, 0 none
  friend bool operator==(const RunState&, const RunState&) = default;

  // Record `index` of `table` was inserted (deleted): the list of that
  // table follows with an empty entry (drops the entry).
  void RecordInserted(DiaTable table, int index);
  void RecordDeleted(DiaTable table, int index);
};

// Whether `table` has a list of run-time values beside it.
bool HasRunList(DiaTable table);

// The run-time values of freshly loaded (or compiled) data: each piece
// knows the point whose entry rails it carries, each point's saved mode is
// its mode, the clock stands at the start time, everything else is clear.
RunState BuildRunState(const DiaFile& file);

}  // namespace corvane
