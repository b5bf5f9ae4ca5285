#pragma once
// The members of the dia data file that carry the timetable: their names and
// header keys, writing each as text and reading it back for any data
// version, with record numbers and references checked so that a foreign or
// damaged member is refused with its line named.

#include <string>
#include <string_view>
#include <vector>

#include "data/dia_data.h"
#include "data/system_map.h"

namespace corvane {

enum class DiaMember {
  kSeries,
  kTrain,
  kUnit,
  kDiagram,
  kEvent,
  kPattern,
  kTrainType,
  kMode,
  kSpeedType,
  kRunTime,
  kStopTime,
  kPassenger,
  kLever,
  kButton,
  kAccidentBetween,
  kAccidentRail,
  kAccidentPoint,
  kAccidentUnit,
  kAccidentStation,
  kSound,
  kCrewMessage,
};

struct DiaMemberInfo {
  DiaMember member;
  const char* key;   // key of the header's "[ファイル]" section
  const char* file;  // member name written
};

// The members in the order they are written (the series' acceleration and
// curve-limit members follow "series.csv" and have no header key).
const std::vector<DiaMemberInfo>& DiaMembers();
// The "[ファイル]" keys of the members in the order the header lists them.
const std::vector<DiaMemberInfo>& DiaMembersByHeaderOrder();

// Names of the per-series table members ("table_acceleration_3.csv").
std::string AccelerationMemberName(int series);
std::string CurveLimitMemberName(int series);
// A series' table as its member holds it, and read back.
std::string FormatSeriesTable(const std::vector<std::pair<int, int>>& rows, bool acceleration);
void ReadSeriesTable(std::string_view text, std::vector<std::pair<int, int>>& rows);

// The announcement files of an INI text with the sections of "crew_msg.ini".
void ReadCrewMessages(std::string_view text, CrewMessages& messages);

// The text of one member as version 1220 writes it; "sound.ini" needs the
// stations of `map`.
std::string FormatDiaMember(const SystemMap& map, const DiaData& dia, DiaMember member);

// Reads one member of data `version` into `dia` (and, for "sound.ini", the
// stations' melody files into `map`). Members are read in the written order:
// stop events after runs, running times after speed types. False with
// `*problem` naming the line and what is wrong.
bool ReadDiaMember(DiaMember member, std::string_view text, int version, SystemMap& map,
                   DiaData& dia, std::string* problem);

// After every member: references between the tables (trainsets to trains,
// runs and series; stop events and trains to rails; runs to targets and
// train types) name records that exist. False with `*problem` naming the
// first that does not.
bool FinishDiaData(const SystemMap& map, DiaData& dia, std::string* problem);

}  // namespace corvane
