#pragma once
// The dia data's standard stop and turnaround times: entries that override
// the dia-wide time units for one station or stop section (a target) or one
// platform track (a rail), optionally only for one train type or one speed
// type. The list operations, and the time a train stops or turns on a rail.

#include <vector>

#include "data/dia_data.h"
#include "data/system_map.h"
#include "map/map_settings.h"

namespace corvane {

enum StopTimeKind : int { kStopTime = 0, kTurnTime = 1 };

// What an entry applies to: a target (rail 0) or a rail (target 0), the
// kind, and the train and speed type it is limited to (0: every type).
struct StopTimeKey {
  int target = 0;
  int rail = 0;
  int kind = kStopTime;
  int train_type = 0;
  int speed_type = 0;
};

using StopTimeList = std::vector<StopTimeEntry>;

// The entry of `key`, matched on (target, kind, types) when the key names a
// target, else on (rail, kind, types) among the rails' entries; null when
// there is none.
const StopTimeEntry* FindStopTime(const StopTimeList& list, const StopTimeKey& key);
inline const StopTimeEntry* FindStopTimeForTarget(const StopTimeList& list, int target, int kind,
                                                  int train_type, int speed_type) {
  return FindStopTime(list, {target, 0, kind, train_type, speed_type});
}
inline const StopTimeEntry* FindStopTimeForRail(const StopTimeList& list, int rail, int kind,
                                                int train_type, int speed_type) {
  return FindStopTime(list, {0, rail, kind, train_type, speed_type});
}

// Replaces the seconds of `key`'s entry, or appends an entry. A key naming
// neither a target nor a rail is refused (false): stored, it would end the
// list early and lose every entry after it.
bool SetStopTime(StopTimeList& list, const StopTimeKey& key, int seconds);

// Removes the entry `key` names (the one FindStopTime finds; later entries
// move down); nothing when there is none.
void RemoveStopTime(StopTimeList& list, const StopTimeKey& key);

// The time a train stops (kStopTime) or turns (kTurnTime) on rail `rail`:
// the rail's own entry for every type, else that of the rail's target, else
// the dia-wide standard stop or reverse time. Entries limited to a type are
// not used.
int StopTimeOnRail(const StopTimeList& list, const SystemMap& map, const TimeUnits& units, int rail,
                   int kind);

}  // namespace corvane
