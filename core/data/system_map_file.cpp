#include "data/system_map_file.h"

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "base/member_text.h"
#include "base/record_format.h"
#include "data/dia_members.h"
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
// references are checked against their tables once every member is read
// (the levers and buttons of a rail are read as stored).
constexpr int kLongest = std::numeric_limits<int>::max();

const RecordFormat<RailRecord>& SystemRailFormat() {
  using R = RailRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::station>(3).Refers(RefTo(DiaMember::kStation));
    f.Num<&R::target>(3).Refers(RefTo(DiaMember::kTarget));
    f.Num<&R::yard_target>(3).Refers(RefTo(DiaMember::kTarget));
    f.Num<&R::signal>(2).Range(0, kLongest).Refers(StoredRefTo(DiaMember::kSignalSet));
    f.Num<&R::lever>(3).Since(kVersionRailLevers).Refers(StoredRefTo(DiaMember::kLever));
    f.Num<&R::button>(3).Since(kVersionRailLevers).Refers(StoredRefTo(DiaMember::kButton));
    f.Num<&R::normal_lever>(3).Since(kVersionRailLevers).Refers(StoredRefTo(DiaMember::kLever));
    f.Num<&R::speed_limit>(3).Num<&R::length>(4).Range(0, kLongest);
    f.Num<&R::l_next>(4).Refers(LinkTo(DiaMember::kRail));
    f.Num<&R::l_back>(4).Refers(LinkTo(DiaMember::kRail));
    f.Num<&R::l_dual>(4).Refers(LinkTo(DiaMember::kRail));
    f.Num<&R::l_pack>(4).Refers(RefTo(DiaMember::kPRail));
    f.Num<&R::stop_distance>(4);
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
    f.Num<&R::single_track>(1).Num<&R::electric>(2);
    f.Num<&R::rail_first>(3).Refers(RefTo(DiaMember::kRail));
    f.Num<&R::rail_second>(3).Refers(RefTo(DiaMember::kRail));
    f.Num<&R::in_use>(1);
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
    f.Num<&R::station>(2).Refers(RefTo(DiaMember::kStation));
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
    f.Num<&R::station>(2).Refers(RefTo(DiaMember::kStation)).Num<&R::kind>(1);
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
    f.Num<&R::rail>(3).Refers(RefTo(DiaMember::kRail));
    f.Num<&R::start>(3).Num<&R::end>(3).Num<&R::speed>(3);
    f.Num<&R::gradient>(3).Num<&R::radius>(3);
    return f;
  }();
  return format;
}

// ------------------------------------------------------------ members

// A rail link: 0, or a rail (negative: a link that holds with a point off
// its normal position).
bool RailLink(const SystemMap& map, int value) {
  return ReferenceHolds(RefCheck::kLink, value, map.rails.count());
}

class PRailMember : public TableMember<&SystemMap::prails> {
 public:
  using TableMember::TableMember;

 protected:
  void AfterRead(Table<PRailRecord>& prails, int version) const override {
    // Older data has the column but no meaning for it.
    if (version >= kVersionPieceElectric) return;
    for (int i = 1; i <= prails.count(); ++i) prails[i].electric = 0;
  }
};

// The route matrices of every point: per entry its rail, then per position
// the flag and the two links; a point's whole matrix is one line.
class Point2Member : public DiaMemberHandler {
 public:
  using DiaMemberHandler::DiaMemberHandler;

  // Throwing the point makes the routes links of its rails.
  bool CheckReferences(const DiaFile& file, std::string* problem) const override {
    const SystemMap& map = file.map;
    for (int i = 1; i <= map.points.count(); ++i) {
      const PointRecord& p = map.points[i];
      for (int e = 0; e < p.entry_count; ++e) {
        const auto entry = static_cast<std::size_t>(e);
        if (!RailLink(map, p.entry_rails[entry])) {
          *problem = RecordProblem(info().record, i, "an entry from no rail");
          return false;
        }
        for (int b = 0; b < p.branch_count; ++b) {
          const auto position = static_cast<std::size_t>(b);
          if (!RailLink(map, p.route_value_a[entry][position]) ||
              !RailLink(map, p.route_value_b[entry][position])) {
            *problem = RecordProblem(info().record, i, "a route to no rail");
            return false;
          }
        }
      }
    }
    return true;
  }

 protected:
  void Write(const DiaFile& file, MemberWriter& out) const override {
    const SystemMap& map = file.map;
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

  // Point1 is read first: it gives each point its counts.
  bool ReadRows(std::string_view text, int /*version*/, DiaFile& file,
                std::string* problem) const override {
    SystemMap& map = file.map;
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
};

// The aspect bands of every signal set, with the images and colours they
// name (signal_set is read first).
class AspectBandsMember : public DiaMemberHandler {
 public:
  using DiaMemberHandler::DiaMemberHandler;

 protected:
  void Write(const DiaFile& file, MemberWriter& out) const override {
    FormatAspectBands(file.map.signal_sets, file.map.images, file.map.colours, out);
  }
  bool ReadRows(std::string_view text, int /*version*/, DiaFile& file,
                std::string* problem) const override {
    std::vector<std::string> problems;
    if (ReadAspectBands(text, file.map.signal_sets, file.map.images, file.map.colours, &problems)) {
      return true;
    }
    *problem = problems.front();
    return false;
  }
};

template <int SystemMapCounts::*Field>
int& MapCount(SystemMapCounts& counts, DiaCounts& /*dia*/) {
  return counts.*Field;
}

}  // namespace

std::span<const DiaMemberHandler* const> CompiledMapMembers() {
  using M = DiaMember;
  using C = SystemMapCounts;
  static const TableMember<&SystemMap::rails> rail(
      MemberInfo(M::kRail, "rail.csv", "rail", 0)
          .Records("rail", "rails")
          .Sized({"Rail", 65535, 0, &MapCount<&C::rails>}),
      SystemRailFormat(), RowZero::kPlaceholder, 3);
  static const PRailMember prail(MemberInfo(M::kPRail, "p_rail.csv", "p_rail", 1)
                                     .Records("track piece", "track pieces")
                                     .Sized({"PRail", 65535, 1, &MapCount<&C::prails>}),
                                 SystemPRailFormat(), RowZero::kPlaceholder, 3);
  static const TableMember<&SystemMap::points> point1(
      MemberInfo(M::kPoint1, "point1.csv", "point1", 2)
          .Records("point", "points")
          .Sized({"Point", 8191, 2, &MapCount<&C::points>}),
      SystemPoint1Format(), RowZero::kNone, 2);
  static const Point2Member point2(
      MemberInfo(M::kPoint2, "point2.csv", "point2", 3).Records("point", nullptr));
  static const TableMember<&SystemMap::targets> target(
      MemberInfo(M::kTarget, "target.csv", "target", 4)
          .Records("target", "targets")
          .Sized({"Target", 4095, 3, &MapCount<&C::targets>}),
      SystemTargetFormat(), RowZero::kPlaceholder, 2);
  static const TableMember<&SystemMap::stations> station(
      MemberInfo(M::kStation, "station.csv", "station", 5)
          .Records("station", "stations")
          .Sized({"Station", 4095, 4, &MapCount<&C::stations>}),
      SystemStationFormat(), RowZero::kPlaceholder, 2);
  static const TableMember<&SystemMap::station_draws> station_draw(
      MemberInfo(M::kStationDraw, "station_draw.csv", "station_draw", 6)
          .Records("station drawing", "station drawings")
          .Sized({"StationDraw", 8191, 5, &MapCount<&C::station_draws>}),
      SystemStationDrawFormat(), RowZero::kPlaceholder, 2);
  static const TableMember<&SystemMap::rows> row(
      MemberInfo(M::kRow, "row.csv", "row", 7)
          .Since(kVersionRowMember)
          .Records("row", "rows")
          .Sized({"Row", kMostRows, 6, &MapCount<&C::rows>}),
      SystemRowFormat(), RowZero::kData, 2);
  static const TableMember<&SystemMap::jumps> jump(
      MemberInfo(M::kJump, "jump.csv", "jump", 8)
          .Since(kVersionJumpMember)
          .Records("jump", "jumps")
          .Sized({"Jump", 8191, 7, &MapCount<&C::jumps>}),
      SystemJumpFormat(), RowZero::kPlaceholder, 2);
  static const ListMember<&SystemMap::details> detail(
      MemberInfo(M::kDetail, "detail.csv", "detail", 9)
          .Since(kVersionDetailMember)
          .Records("detail", "details")
          .Sized({"Detail", kMostDetailRecords, 8, &MapCount<&C::details>}),
      SystemDetailFormat(), 2);
  static const TableMember<&SystemMap::signal_sets> signal_set(
      MemberInfo(M::kSignalSet, "signal_set.csv", "signal_set", 10)
          .Records("signal set", "signal sets"),
      SignalTypeFormat(), RowZero::kNone, 3);
  static const AspectBandsMember signal(MemberInfo(M::kSignal, "signal.csv", "signal", 11));
  static const std::array<const DiaMemberHandler*, 12> members = {
      &rail,         &prail, &point1, &point2, &target,     &station,
      &station_draw, &row,   &jump,   &detail, &signal_set, &signal};
  return members;
}

void FinishSystemMap(SystemMap& map, int version) {
  for (int i = 1; i <= map.rails.count(); ++i) {
    RailRecord& r = map.rails[i];
    r.direction = r.x_exit < r.x_entry ? 1 : 2;
    // Older data kept a leftward rail's ends two pixels lower.
    if (version < kVersionRailLevers && r.direction == 1) {
      r.y_exit -= 2;
      r.y_entry -= 2;
    }
  }
  BuildTrackLists(map);
}

}  // namespace corvane
