#include "data/stop_times.h"

#include <algorithm>

namespace corvane {

namespace {

bool SameTypes(const StopTimeEntry& entry, const StopTimeKey& key) {
  return entry.kind == key.kind && entry.train_type == key.train_type &&
         entry.speed_type == key.speed_type;
}

// An entry naming a target belongs to the target, whatever its rail says.
bool HasKey(const StopTimeEntry& entry, const StopTimeKey& key) {
  if (!SameTypes(entry, key)) return false;
  if (key.target != 0) return entry.target == key.target;
  return entry.target == 0 && entry.rail == key.rail;
}

template <typename List>
auto FindEntry(List& list, const StopTimeKey& key) {
  return std::find_if(list.begin(), list.end(),
                      [&key](const StopTimeEntry& e) { return HasKey(e, key); });
}

}  // namespace

const StopTimeEntry* FindStopTime(const StopTimeList& list, const StopTimeKey& key) {
  if (key.target == 0 && key.rail == 0) return nullptr;
  const auto found = FindEntry(list, key);
  return found == list.end() ? nullptr : &*found;
}

bool SetStopTime(StopTimeList& list, const StopTimeKey& key, int seconds) {
  if (key.target == 0 && key.rail == 0) return false;
  if (const auto found = FindEntry(list, key); found != list.end()) {
    found->seconds = seconds;
    return true;
  }
  const int rail = key.target != 0 ? 0 : key.rail;
  list.push_back({key.target, rail, key.kind, seconds, key.train_type, key.speed_type});
  return true;
}

void RemoveStopTime(StopTimeList& list, const StopTimeKey& key) {
  if (key.target == 0 && key.rail == 0) return;
  const auto found = FindEntry(list, key);
  if (found != list.end()) list.erase(found);
}

int StopTimeOnRail(const StopTimeList& list, const SystemMap& map, const TimeUnits& units, int rail,
                   int kind) {
  if (rail != 0) {
    if (const StopTimeEntry* own = FindStopTimeForRail(list, rail, kind, 0, 0)) {
      return own->seconds;
    }
  }
  if (map.rails.Contains(rail)) {
    const int target = map.rails[rail].target;
    if (map.targets.Contains(target)) {
      if (const StopTimeEntry* of_target = FindStopTimeForTarget(list, target, kind, 0, 0)) {
        return of_target->seconds;
      }
    }
  }
  return kind == kTurnTime ? units.reverse : units.standard;
}

}  // namespace corvane
