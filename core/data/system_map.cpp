#include "data/system_map.h"

#include <cstdio>
#include <string>

#include "base/encoding.h"

namespace corvane {

SystemMap::SystemMap(const SystemMapCounts& counts)
    : rails(counts.rails),
      prails(counts.prails),
      points(counts.points),
      targets(counts.targets),
      stations(counts.stations),
      station_draws(counts.station_draws),
      rows(kMostRows),
      jumps(counts.jumps) {
  // The first display row, as older data without rows has it.
  rows[0] = RowRecord{0, 100, 0, 0};
}

SystemMapCounts SystemMap::Counts() const {
  SystemMapCounts counts;
  counts.rails = rails.count();
  counts.prails = prails.count();
  counts.points = points.count();
  counts.targets = targets.count();
  counts.stations = stations.count();
  counts.station_draws = station_draws.count();
  counts.rows = rows.count();
  counts.jumps = jumps.count();
  counts.details = static_cast<int>(details.size());
  return counts;
}

TrackEntry NumberedTrackEntry(int number) {
  TrackEntry entry;
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", number);
  entry.short_name = std::to_string(number);
  entry.name = Utf8ToSjis(std::string(digits) + "番線");
  return entry;
}

void BuildTrackLists(SystemMap& map) {
  for (int k = 1; k <= map.targets.count(); ++k) map.targets[k].tracks.clear();
  for (int piece = 1; piece <= map.prails.count(); ++piece) {
    const PRailRecord& p = map.prails[piece];
    int listed = 0;  // the target this piece was listed for already
    for (const int rail : {p.rail_first, p.rail_second}) {
      if (!map.rails.Contains(rail)) continue;
      const RailRecord& r = map.rails[rail];
      if (r.stop_distance == 0 || !map.targets.Contains(r.target) || r.target == listed) continue;
      listed = r.target;
      std::vector<TrackEntry>& tracks = map.targets[r.target].tracks;
      TrackEntry entry = NumberedTrackEntry(static_cast<int>(tracks.size()) + 1);
      entry.rail_first = p.rail_first;
      entry.rail_second = p.rail_second;
      entry.display_order = entry.build_order = static_cast<int>(tracks.size());
      tracks.push_back(entry);
    }
  }
}

}  // namespace corvane
