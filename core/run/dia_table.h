#pragma once
// The parts of the loaded dia data the change path knows by name: the
// record tables of the compiled map and of the timetable, then the values
// that change as a whole (the header, the lists without record numbers, the
// sound and announcement settings).

#include <type_traits>

#include "base/table.h"
#include "data/dia_file.h"

namespace corvane {

enum class DiaTable : unsigned char {
  kRail,
  kPRail,
  kPoint,
  kTarget,
  kStation,
  kStationDraw,
  kRow,
  kJump,
  kSignalSet,
  kImage,
  kColour,
  kSeries,
  kTrain,
  kUnit,
  kDiagram,
  kPattern,
  kTrainType,
  kMode,
  kSpeedType,
  kLever,
  kButton,
  kAccidentBetween,
  kAccidentRail,
  kAccidentPoint,
  kAccidentUnit,
  kAccidentStation,
  // Changed as a whole.
  kHeader,
  kDetails,
  kStopTimes,
  kDemand,
  kDoorSounds,
  kCrewMessages,
};
inline constexpr int kDiaTableCount = static_cast<int>(DiaTable::kCrewMessages) + 1;

inline DiaTable AccidentTable(AccidentKind kind) {
  return static_cast<DiaTable>(static_cast<int>(DiaTable::kAccidentBetween) +
                               static_cast<int>(kind));
}

template <typename T>
inline constexpr bool kIsRecordTable = false;
template <typename Record>
inline constexpr bool kIsRecordTable<Table<Record>> = true;

// Calls `f` with the part `table` names in `file` (a DiaFile, const or
// not): a Table<Record> for the record tables, the value itself for the
// others.
template <typename File, typename F>
decltype(auto) WithDiaTable(File& file, DiaTable table, F&& f) {
  auto& m = file.map;
  auto& d = file.dia;
  switch (table) {
    case DiaTable::kRail:
      return f(m.rails);
    case DiaTable::kPRail:
      return f(m.prails);
    case DiaTable::kPoint:
      return f(m.points);
    case DiaTable::kTarget:
      return f(m.targets);
    case DiaTable::kStation:
      return f(m.stations);
    case DiaTable::kStationDraw:
      return f(m.station_draws);
    case DiaTable::kRow:
      return f(m.rows);
    case DiaTable::kJump:
      return f(m.jumps);
    case DiaTable::kSignalSet:
      return f(m.signal_sets);
    case DiaTable::kImage:
      return f(m.images);
    case DiaTable::kColour:
      return f(m.colours);
    case DiaTable::kSeries:
      return f(d.series);
    case DiaTable::kTrain:
      return f(d.trains);
    case DiaTable::kUnit:
      return f(d.units);
    case DiaTable::kDiagram:
      return f(d.diagrams);
    case DiaTable::kPattern:
      return f(d.patterns);
    case DiaTable::kTrainType:
      return f(d.train_types);
    case DiaTable::kMode:
      return f(d.modes);
    case DiaTable::kSpeedType:
      return f(d.speed_types);
    case DiaTable::kLever:
      return f(d.levers);
    case DiaTable::kButton:
      return f(d.buttons);
    case DiaTable::kAccidentBetween:
    case DiaTable::kAccidentRail:
    case DiaTable::kAccidentPoint:
    case DiaTable::kAccidentUnit:
    case DiaTable::kAccidentStation:
      return f(d.accidents[static_cast<std::size_t>(static_cast<int>(table) -
                                                    static_cast<int>(DiaTable::kAccidentBetween))]);
    case DiaTable::kHeader:
      return f(file.header);
    case DiaTable::kDetails:
      return f(m.details);
    case DiaTable::kStopTimes:
      return f(d.stop_times);
    case DiaTable::kDemand:
      return f(d.demand);
    case DiaTable::kDoorSounds:
      return f(d.door_sounds);
    case DiaTable::kCrewMessages:
      break;
  }
  return f(d.crew_messages);
}

}  // namespace corvane
