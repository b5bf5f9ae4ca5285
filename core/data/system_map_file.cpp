#include "data/system_map_file.h"

#include <climits>
#include <cstdlib>
#include <limits>

#include "base/member_text.h"
#include "base/record_format.h"
#include "data/member_rows.h"
#include "map/map_tables.h"
#include "mapfile/map_file.h"

namespace corvane {

namespace {

// Data versions that added columns or members.
constexpr int kVersionRowMember = 1010;
constexpr int kVersionStationPassengers = 1030;
constexpr int kVersionPieceElectric = 1110;
constexpr int kVersionJumpMember = 1110;
constexpr int kVersionRailLevers = 1130;
constexpr int kVersionTargetScale = 1140;
constexpr int kVersionRailGradient = 1150;
constexpr int kVersionDetailMember = 1150;
constexpr int kVersionTargetTracks = 1230;

// Numbers carry the range the program computes with: board coordinates,
// lengths, the set positions of a point, a rail's signal (beyond the sets:
// no signal). Other numbers are kept as they are and may hold any int; the
// references are checked against their tables once every member is read.
constexpr int kLongest = std::numeric_limits<int>::max();

const RecordFormat<RailRecord>& SystemRailFormat() {
  using R = RailRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::station>(3).Num<&R::target>(3).Num<&R::yard_target>(3);
    f.Num<&R::signal>(2).Range(0, kLongest);
    f.Num<&R::lever>(3).Since(kVersionRailLevers);
    f.Num<&R::button>(3).Since(kVersionRailLevers);
    f.Num<&R::normal_lever>(3).Since(kVersionRailLevers);
    f.Num<&R::speed_limit>(3).Num<&R::length>(4).Range(0, kLongest);
    f.Num<&R::l_next>(4).Num<&R::l_back>(4);
    f.Num<&R::l_dual>(4).Num<&R::l_pack>(4).Num<&R::stop_distance>(4);
    f.Num<&R::gradient>(2).Since(kVersionRailGradient);
    f.Num<&R::radius>(4).Since(kVersionRailGradient);
    f.Num<&R::rail_aux>(3).Num<&R::display_row>(2);
    f.Num<&R::x_exit>(4).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::x_entry>(4).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::y_exit>(4).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::y_entry>(4).Range(-kBoardLimit, kBoardLimit);
    f.Text<&R::short_name>().Text<&R::name>();
    return f;
  }();
  return format;
}

const RecordFormat<PRailRecord>& SystemPRailFormat() {
  using R = PRailRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::single_track>(1).Num<&R::electric>(2).Num<&R::rail_first>(3);
    f.Num<&R::rail_second>(3).Num<&R::in_use>(1);
    return f;
  }();
  return format;
}

const RecordFormat<PointRecord>& SystemPoint1Format() {
  using R = PointRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::position>(2).Range(0, kPointSlots - 1);
    f.Num<&R::branch_count>(2).Range(0, kPointSlots);
    f.Num<&R::entry_count>(2).Range(0, kPointSlots);
    f.Num<&R::mode>(1).Num<&R::normal_position>(2).Num<&R::label_row>(1);
    f.Num<&R::label_x>(4).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::label_y>(3).Range(-kBoardLimit, kBoardLimit);
    f.Text<&R::point_key>().TrailingComma();
    return f;
  }();
  return format;
}

const RecordFormat<TargetRecord>& SystemTargetFormat() {
  using R = TargetRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::station>(2);
    f.Num<&R::target_scale>(2).Since(kVersionTargetScale);
    f.Num<&R::time_display>(2).Since(kVersionTargetScale);
    f.Num<&R::target_aux>(2).Since(kVersionTargetScale);
    f.Num<&R::target_aux2>(1).Since(kVersionTargetTracks).NotWritten();
    f.Num<&R::target_aux3>(1).Since(kVersionTargetTracks).NotWritten();
    f.Elements<&R::start_marks>(4);
    f.Text<&R::one_char_name>().Text<&R::short_name>().Text<&R::name>();
    return f;
  }();
  return format;
}

const RecordFormat<StationRecord>& SystemStationFormat() {
  using R = StationRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::station_aux0>(4).Num<&R::station_aux1>(2).Num<&R::scale>(2);
    f.Num<&R::melody_time>(2).Range(0, kMostSeconds);
    f.Num<&R::door_min>(2).Range(0, kMostSeconds);
    f.Num<&R::door_mid>(2).Range(0, kMostSeconds);
    f.Num<&R::door_max>(2).Range(0, kMostSeconds);
    f.Num<&R::station_aux2>(4).Since(kVersionStationPassengers);
    f.Num<&R::station_aux3>(4).Since(kVersionStationPassengers);
    f.Text<&R::one_char_name>().Text<&R::short_name>().Text<&R::name>();
    return f;
  }();
  return format;
}

const RecordFormat<StationDrawRecord>& SystemStationDrawFormat() {
  using R = StationDrawRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::station>(2).Num<&R::kind>(1);
    f.Num<&R::x_left>(4).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::x_right>(4).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::y_top>(4).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::y_bottom>(4).Range(-kBoardLimit, kBoardLimit).NoComma();
    return f;
  }();
  return format;
}

const RecordFormat<RowRecord>& SystemRowFormat() {
  using R = RowRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::x>(3).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::y>(3).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::x_shift>(5).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::y_shift>(5).Range(-kBoardLimit, kBoardLimit).NoComma();
    return f;
  }();
  return format;
}

const RecordFormat<JumpRecord>& SystemJumpFormat() {
  using R = JumpRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::jump_kind>(2).Num<&R::from_row>(1).Num<&R::to_row>(1);
    f.Num<&R::x_from>(4).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::y_from>(4).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::x_to>(4).Range(-kBoardLimit, kBoardLimit);
    f.Num<&R::y_to>(4).Range(-kBoardLimit, kBoardLimit);
    f.Text<&R::label>().TrailingComma();
    return f;
  }();
  return format;
}

const RecordFormat<DetailRecord>& SystemDetailFormat() {
  using R = DetailRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::rail>(3).Num<&R::start>(3).Num<&R::end>(3).Num<&R::speed>(3);
    f.Num<&R::gradient>(3).Num<&R::radius>(3);
    return f;
  }();
  return format;
}

// ------------------------------------------------------------ writing

void WritePoint2(const SystemMap& map, MemberWriter& out) {
  for (int i = 1; i <= map.points.count(); ++i) {
    const PointRecord& p = map.points[i];
    out.Num(2, i);
    for (int e = 0; e < p.entry_count && e < kPointSlots; ++e) {
      const auto slot = static_cast<std::size_t>(e);
      out.Num(3, p.entry_rails[slot]);
      for (int b = 0; b < p.branch_count && b < kPointSlots; ++b) {
        const auto position = static_cast<std::size_t>(b);
        out.Num(1, p.route_flag[slot][position]);
        out.Num(4, p.route_value_a[slot][position]);
        out.Num(4, p.route_value_b[slot][position]);
      }
    }
    out.EndLine();
  }
}

// ------------------------------------------------------------ reading

bool ReadPoint2(std::string_view text, SystemMap& map, std::string* problem) {
  int line_number = 0;
  bool ok = true;
  ForEachMemberLine(text, [&](const MemberLine& line) {
    ++line_number;
    if (!ok) return;
    const int number = line.Int(0);
    if (!map.points.Contains(number)) {
      *problem = LineProblem(line_number, "no point " + std::to_string(number));
      ok = false;
      return;
    }
    PointRecord& p = map.points[number];
    int piece = 1;
    for (int e = 0; e < p.entry_count; ++e) {
      const auto slot = static_cast<std::size_t>(e);
      p.entry_rails[slot] = line.Int(piece++);
      for (int b = 0; b < p.branch_count; ++b) {
        const auto position = static_cast<std::size_t>(b);
        p.route_flag[slot][position] = line.Int(piece++);
        p.route_value_a[slot][position] = line.Int(piece++);
        p.route_value_b[slot][position] = line.Int(piece++);
      }
    }
  });
  return ok;
}

bool ReadDetails(std::string_view text, SystemMap& map, std::string* problem) {
  map.details.clear();
  int line_number = 0;
  bool ok = true;
  ForEachMemberLine(text, [&](const MemberLine& line) {
    ++line_number;
    DetailRecord detail;
    OutOfRange out_of_range;
    if (!SystemDetailFormat().Read(line, kMapVersion, line.Int(0), detail, 1, &out_of_range)) {
      *problem = LineProblem(line_number, out_of_range.Text());
      ok = false;
      return;
    }
    map.details.push_back(detail);
  });
  return ok;
}

// A rail reference: 0, or a rail (negative: a link that holds with a point
// off its normal position).
bool RailLink(const SystemMap& map, int value) {
  return value == 0 || (value != INT_MIN && map.rails.Contains(std::abs(value)));
}

bool Optional(int number, int count) { return number >= 0 && number <= count; }

}  // namespace

const std::vector<SystemMemberInfo>& SystemMembers() {
  static const std::vector<SystemMemberInfo> members = {
      {SystemMember::kRail, "rail", "rail.csv", 0},
      {SystemMember::kPRail, "p_rail", "p_rail.csv", 0},
      {SystemMember::kPoint1, "point1", "point1.csv", 0},
      {SystemMember::kPoint2, "point2", "point2.csv", 0},
      {SystemMember::kTarget, "target", "target.csv", 0},
      {SystemMember::kStation, "station", "station.csv", 0},
      {SystemMember::kStationDraw, "station_draw", "station_draw.csv", 0},
      {SystemMember::kRow, "row", "row.csv", kVersionRowMember},
      {SystemMember::kJump, "jump", "jump.csv", kVersionJumpMember},
      {SystemMember::kDetail, "detail", "detail.csv", kVersionDetailMember},
      {SystemMember::kSignalSet, "signal_set", "signal_set.csv", 0},
      {SystemMember::kSignal, "signal", "signal.csv", 0},
  };
  return members;
}

std::string FormatSystemMember(const SystemMap& map, SystemMember member) {
  MemberWriter out;
  switch (member) {
    case SystemMember::kRail:
      WriteNumberedRows(map.rails, SystemRailFormat(), RowZero::kPlaceholder, 3, out);
      break;
    case SystemMember::kPRail:
      WriteNumberedRows(map.prails, SystemPRailFormat(), RowZero::kPlaceholder, 3, out);
      break;
    case SystemMember::kPoint1:
      WriteNumberedRows(map.points, SystemPoint1Format(), RowZero::kNone, 2, out);
      break;
    case SystemMember::kPoint2:
      WritePoint2(map, out);
      break;
    case SystemMember::kTarget:
      WriteNumberedRows(map.targets, SystemTargetFormat(), RowZero::kPlaceholder, 2, out);
      break;
    case SystemMember::kStation:
      WriteNumberedRows(map.stations, SystemStationFormat(), RowZero::kPlaceholder, 2, out);
      break;
    case SystemMember::kStationDraw:
      WriteNumberedRows(map.station_draws, SystemStationDrawFormat(), RowZero::kPlaceholder, 2,
                        out);
      break;
    case SystemMember::kRow:
      WriteNumberedRows(map.rows, SystemRowFormat(), RowZero::kData, 2, out);
      break;
    case SystemMember::kJump:
      WriteNumberedRows(map.jumps, SystemJumpFormat(), RowZero::kPlaceholder, 2, out);
      break;
    case SystemMember::kDetail:
      for (std::size_t i = 0; i < map.details.size(); ++i) {
        SystemDetailFormat().Write(static_cast<int>(i) + 1, map.details[i], 2, out);
      }
      break;
    case SystemMember::kSignalSet:
      WriteNumberedRows(map.signal_sets, SignalTypeFormat(), RowZero::kNone, 3, out);
      break;
    case SystemMember::kSignal:
      FormatAspectBands(map.signal_sets, map.images, map.colours, out);
      break;
  }
  return out.Take();
}

bool ReadSystemMember(SystemMember member, std::string_view text, int version, SystemMap& map,
                      std::string* problem) {
  // A member older data lacks reads as an empty one.
  for (const SystemMemberInfo& info : SystemMembers()) {
    if (info.member == member && version < info.since) text = {};
  }
  switch (member) {
    case SystemMember::kRail:
      return ReadNumberedRows(text, version, SystemRailFormat(), RowZero::kPlaceholder, map.rails,
                              problem);
    case SystemMember::kPRail:
      if (!ReadNumberedRows(text, version, SystemPRailFormat(), RowZero::kPlaceholder, map.prails,
                            problem))
        return false;
      // Older data has the column but no meaning for it.
      if (version < kVersionPieceElectric) {
        for (int i = 1; i <= map.prails.count(); ++i) map.prails[i].electric = 0;
      }
      return true;
    case SystemMember::kPoint1:
      return ReadNumberedRows(text, version, SystemPoint1Format(), RowZero::kNone, map.points,
                              problem);
    case SystemMember::kPoint2:
      return ReadPoint2(text, map, problem);
    case SystemMember::kTarget:
      return ReadNumberedRows(text, version, SystemTargetFormat(), RowZero::kPlaceholder,
                              map.targets, problem);
    case SystemMember::kStation:
      return ReadNumberedRows(text, version, SystemStationFormat(), RowZero::kPlaceholder,
                              map.stations, problem);
    case SystemMember::kStationDraw:
      return ReadNumberedRows(text, version, SystemStationDrawFormat(), RowZero::kPlaceholder,
                              map.station_draws, problem);
    case SystemMember::kRow:
      return ReadNumberedRows(text, version, SystemRowFormat(), RowZero::kData, map.rows, problem);
    case SystemMember::kJump:
      return ReadNumberedRows(text, version, SystemJumpFormat(), RowZero::kPlaceholder, map.jumps,
                              problem);
    case SystemMember::kDetail:
      return ReadDetails(text, map, problem);
    case SystemMember::kSignalSet:
      return ReadNumberedRows(text, version, SignalTypeFormat(), RowZero::kNone, map.signal_sets,
                              problem);
    case SystemMember::kSignal: {
      std::vector<std::string> problems;
      if (!ReadAspectBands(text, map.signal_sets, map.images, map.colours, &problems)) {
        *problem = problems.front();
        return false;
      }
      return true;
    }
  }
  return false;
}

bool FinishSystemMap(SystemMap& map, int version, std::string* problem) {
  auto fail = [problem](const char* table, int number, const char* what) {
    *problem = std::string(table) + " " + std::to_string(number) + ": " + what;
    return false;
  };
  const int stations = map.stations.count();
  const int targets = map.targets.count();
  for (int i = 1; i <= map.rails.count(); ++i) {
    RailRecord& r = map.rails[i];
    if (!Optional(r.station, stations)) return fail("rail", i, "no such station");
    if (!Optional(r.target, targets) || !Optional(r.yard_target, targets)) {
      return fail("rail", i, "no such target");
    }
    if (!RailLink(map, r.l_next) || !RailLink(map, r.l_back) || !RailLink(map, r.l_dual)) {
      return fail("rail", i, "a link to no rail");
    }
    if (!Optional(r.l_pack, map.prails.count())) return fail("rail", i, "no such track piece");
    r.direction = r.x_exit < r.x_entry ? 1 : 2;
    // Older data kept a leftward rail's ends two pixels lower.
    if (version < kVersionRailLevers && r.direction == 1) {
      r.y_exit -= 2;
      r.y_entry -= 2;
    }
  }
  for (int i = 1; i <= map.prails.count(); ++i) {
    const PRailRecord& p = map.prails[i];
    if (!Optional(p.rail_first, map.rails.count()) || !Optional(p.rail_second, map.rails.count())) {
      return fail("track piece", i, "no such rail");
    }
  }
  for (int i = 1; i <= map.points.count(); ++i) {
    const PointRecord& p = map.points[i];
    for (int e = 0; e < p.entry_count; ++e) {
      const auto entry = static_cast<std::size_t>(e);
      if (!RailLink(map, p.entry_rails[entry])) return fail("point", i, "an entry from no rail");
      // Throwing the point makes these the links of its rails.
      for (int b = 0; b < p.branch_count; ++b) {
        const auto position = static_cast<std::size_t>(b);
        if (!RailLink(map, p.route_value_a[entry][position]) ||
            !RailLink(map, p.route_value_b[entry][position])) {
          return fail("point", i, "a route to no rail");
        }
      }
    }
  }
  for (int i = 1; i <= map.targets.count(); ++i) {
    if (!Optional(map.targets[i].station, stations)) return fail("target", i, "no such station");
  }
  for (int i = 1; i <= map.station_draws.count(); ++i) {
    if (!Optional(map.station_draws[i].station, stations)) {
      return fail("station drawing", i, "no such station");
    }
  }
  for (std::size_t i = 0; i < map.details.size(); ++i) {
    if (!Optional(map.details[i].rail, map.rails.count())) {
      return fail("detail", static_cast<int>(i) + 1, "no such rail");
    }
  }
  BuildTrackLists(map);
  return true;
}

}  // namespace corvane
