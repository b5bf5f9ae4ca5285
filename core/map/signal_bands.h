#pragma once
// Signal types as aspect bands. A type's 1024 aspect entries form
// contiguous bands of speeds; a band is one aspect with its step-up aspect,
// name (an image record) and colour (a colour record).

#include <optional>
#include <string>
#include <vector>

#include "base/table.h"
#include "map/edit_map.h"
#include "map/map_change.h"
#include "map/map_settings.h"
#include "map/signal_types.h"

namespace corvane {

// The tables the dialog works on: a copy, written back only on OK.
struct SignalTables {
  Table<MapSignalType> types{kUnboundedTable};
  Table<SignalImageRecord> images{kUnboundedTable};
  Table<AspectColour> colours{kUnboundedTable};
};

// Image and colour records a map may hold (numbered from 1).
inline constexpr int kMostAspectRecords = 100;

struct AspectBand {
  int low = 0;              // aspect speed: the band's lowest speed
  int step_up = kNoStepUp;  // lowest speed of the step-up band, or kNoStepUp
  int image = 0;
  int colour = 0;
  friend bool operator==(const AspectBand&, const AspectBand&) = default;
};

// The bands of `type`, lowest first; each reaches up to the next one's low
// speed (the last to 1023).
std::vector<AspectBand> AspectBands(const MapSignalType& type);
// Writes `bands` (lowest first, the first at 0) into every entry of `type`.
void WriteAspectBands(MapSignalType& type, const std::vector<AspectBand>& bands);

// Lowest speed of the band holding `speed` (kept inside 0..1023).
int BandLowAt(const MapSignalType& type, int speed);

// The aspect speeds band `low` may move to (none for the band at 0): above
// the band below, under the band above and not above `max_speed`.
std::vector<int> AspectSpeedChoices(const MapSignalType& type, int low, int max_speed);
// The step-up aspects band `low` may have: the top band in use (the one
// holding `max_speed`), then each lower band start above `low`, going down.
// None when the band is the top band in use or above it.
std::vector<int> StepUpChoices(const MapSignalType& type, int low, int max_speed);
// Adding an aspect is possible while the top band in use starts below
// `max_speed`.
bool CanAddAspect(const MapSignalType& type, int max_speed);

// Band `low` starts at `speed` instead (between the bands around it): it
// steps up to the band above, the band below steps up to it.
void ChangeAspectSpeed(MapSignalType& type, int low, int speed);
void ChangeStepUp(MapSignalType& type, int low, int step_up);
// Splits band `low` = [b, n) into [b, b + 1) and a new band [b + 1, n) with
// copies of its image and colour records; the new band's low speed, or a
// refusal (tables full, band one speed wide).
struct AddedAspect {
  int low = 0;
  const char* refusal = nullptr;
};
AddedAspect AddAspect(SignalTables& tables, int type, int low);
// Band `low` (not the band at 0) joins the band below; what stepped up to it
// steps up to the band above.
void DeleteAspect(MapSignalType& type, int low);

// The distance line of band `low`: "減速距離：%4.0lf[m]", empty without a
// step-up aspect (or a deceleration to compute with).
std::string DecelerationLine(const MapSignalType& type, int low, const MapSettings& settings);

// An aspect list line: "%s %d[km/h]" with the aspect's name and speed.
std::string AspectLine(const SignalTables& tables, const AspectBand& band);

// The signal tables of the map under edit, and storing an edited copy back
// (records that changed, images and colours the copy added).
SignalTables SignalTablesOf(const EditMap& map);
void StoreSignalTables(MapChange& change, const SignalTables& tables);

// Stores an edited copy of one table through `change` (the map's or the
// loaded dia data's): records that differ, and those the copy added.
template <typename Change, typename Record>
void StoreSignalTableCopy(Change change, const Table<Record>& copy) {
  const Table<Record>& now = change.records();
  for (int i = 1; i <= copy.count(); ++i) {
    if (!now.Contains(i)) {
      change.Append(copy[i]);
    } else if (!(now[i] == copy[i])) {
      change[i] = copy[i];
    }
  }
}

// The position of the band starting at `low` in `bands`, or -1.
int BandIndex(const std::vector<AspectBand>& bands, int low);
// A speed as the lists show it: "85[km/h]".
std::string SpeedText(int speed);

}  // namespace corvane
