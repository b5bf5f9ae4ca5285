#include "mapfile/map_summary.h"

#include <cstdio>

namespace corvane {

namespace {

void Line(std::string& out, const char* key, const std::string& value) {
  out += key;
  out += ": ";
  out += value;
  out += '\n';
}

void Line(std::string& out, const char* key, int value) { Line(out, key, std::to_string(value)); }

template <typename Table>
void TableLine(std::string& out, const char* name, const Table& table) {
  char text[96];
  std::snprintf(text, sizeof text, "  %-20s %5d / %d\n", name, table.count(), table.capacity());
  out += text;
}

}  // namespace

std::string DescribeMap(const EditMap& map) {
  const MapSettings& s = map.settings;
  std::string out;
  Line(out, "version", map.version);
  Line(out, "map code", map.map_code);
  Line(out, "map name", map.map_name.Utf8());
  Line(out, "unit", map.time_units.unit);
  Line(out, "standard", map.time_units.standard);
  Line(out, "reverse", map.time_units.reverse);
  Line(out, "SignalVersion", s.signal_version);
  Line(out, "safety device", s.safety_device == kSafetyAtc ? "ATC" : "ATS");
  Line(out, "UseATC", s.use_atc);
  Line(out, "UseATS", s.use_ats);
  Line(out, "UseInterlocking", s.use_interlocking);
  Line(out, "UseArea", s.use_area);
  Line(out, "UseElectri", s.use_electri);
  Line(out, "UseCharacteristic", s.use_characteristic);
  Line(out, "RightDown", s.right_down);
  Line(out, "ViewDirec", s.view_direc);
  Line(out, "RouteWarningDist", s.route_warning_dist);
  Line(out, "RouteCheckDist", s.route_check_dist);
  Line(out, "BreakSpareDist", s.break_spare_dist);
  Line(out, "LimitSpareDist", s.limit_spare_dist);
  Line(out, "StopSpareDist", s.stop_spare_dist);
  Line(out, "SignalFindDist", s.signal_find_dist);
  Line(out, "MaxSpeed", s.max_speed);
  Line(out, "ReAccelSpeed", s.re_accel_speed);
  Line(out, "GuidanceSpeed", s.guidance_speed);
  Line(out, "HandleATC", s.handle_atc);
  Line(out, "start_rail", map.start.start_rail);
  Line(out, "start_station", map.start.start_station);
  Line(out, "start_target", map.start.start_target);
  out += "tables:\n";
  TableLine(out, "m_rail.csv", map.rails);
  TableLine(out, "m_point.csv", map.points);
  TableLine(out, "m_station.csv", map.stations);
  TableLine(out, "m_target.csv", map.targets);
  TableLine(out, "m_station_draw.csv", map.station_draws);
  TableLine(out, "m_name_ar.csv", map.block_names);
  TableLine(out, "m_name_ap.csv", map.yard_names);
  TableLine(out, "m_name_as.csv", map.station_names);
  TableLine(out, "m_name_at.csv", map.target_names);
  char text[96];
  std::snprintf(text, sizeof text, "  %-20s %5zu\n", "m_detail.csv", map.details.size());
  out += text;
  TableLine(out, "m_jump.csv", map.jumps);
  TableLine(out, "m_signal_set.csv", map.signal_types);
  std::snprintf(text, sizeof text, "  %-20s %5zu\n", "m_signal.csv (bands)",
                map.images.empty() ? std::size_t{0} : map.images.size() - 1);
  out += text;
  return out;
}

}  // namespace corvane
