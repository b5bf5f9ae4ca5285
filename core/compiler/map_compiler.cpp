#include "compiler/map_compiler.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <unordered_map>
#include <vector>

#include "base/encoding.h"
#include "data/stop_times.h"
#include "interlocking/point_control.h"
#include "map/map_change.h"
#include "map/start_walk.h"

namespace corvane {

namespace {

constexpr int kColumn = 10;  // board units per grid column
constexpr int kRow = 12;     // board units per grid row

// Positions of a crossing and the position (1-based) in which each of its
// four branch slots is open; 0 for a slot the kind lacks.
struct CrossingRoutes {
  int positions;
  int open_in[4];
};
constexpr CrossingRoutes kCrossingRoutes[] = {
    {3, {1, 2, 3, 1}},  // kind 3
    {2, {1, 0, 2, 1}},  // kind 4
    {2, {1, 2, 0, 1}},  // kind 5
    {2, {0, 1, 2, 0}},  // kind 6
    {3, {1, 2, 3, 0}},  // kind 7
    {3, {0, 2, 3, 1}},  // kind 8
};

const CrossingRoutes& CrossingOf(const MapPoint& point) {
  return kCrossingRoutes[point.kind - kCrossingFirst];
}

std::int64_t Key(int x, int y) {
  return (static_cast<std::int64_t>(x) << 32) ^ static_cast<std::uint32_t>(y);
}

// The pieces that meet at grid points, found through hash tables so that
// the largest map links up without scanning every record per end.
class NeighbourIndex {
 public:
  explicit NeighbourIndex(const MapContent& map) : map_(map) {
    for (int i = map.rails.count(); i >= 1; --i) {
      const MapRail& r = map.rails[i];
      if (Within(r.y1, r.y2, r.LeftRow())) left_rail_[Key(r.x1, r.LeftRow())] = i;
      if (Within(r.y1, r.y2, r.RightRow())) right_rail_[Key(r.x2, r.RightRow())] = i;
    }
    for (int i = map.points.count(); i >= 1; --i) {
      const MapPoint& p = map.points[i];
      for (int b = 1; b < kMaxBranches; ++b) {
        if (!BranchExists(p, b)) continue;
        const auto slot = static_cast<std::size_t>(b);
        const int left = p.y1 + p.branch_left_dy[slot];
        const int right = p.y1 + p.branch_right_dy[slot];
        if (Within(p.y1, p.y2, left)) left_point_[Key(p.x1, left)] = i;
        if (Within(p.y1, p.y2, right)) right_point_[Key(p.x2, right)] = i;
      }
    }
    for (int j = map.jumps.count(); j >= 1; --j) {
      jump_a_[Key(map.jumps[j].ax, map.jumps[j].ay)] = j;
      jump_b_[Key(map.jumps[j].bx, map.jumps[j].by)] = j;
    }
  }

  // The piece whose left (`rightward` true) or right end lies at (x, y):
  // a segment, else a point with exactly one branch ending there (unless
  // `segments_only`: a point there then counts as none), else through the
  // jump that ends there. A ring of jumps ends the search.
  int Find(int x, int y, bool rightward, bool segments_only) const {
    for (int step = 0; step <= map_.jumps.count(); ++step) {
      const std::int64_t key = Key(x, y);
      const auto& rails = rightward ? left_rail_ : right_rail_;
      if (const auto it = rails.find(key); it != rails.end()) {
        return map_.rails[it->second].piece;
      }
      const auto& points = rightward ? left_point_ : right_point_;
      if (const auto it = points.find(key); it != points.end()) {
        if (segments_only) return 0;
        return PointBranchPiece(map_.points[it->second], x, y, rightward);
      }
      const auto& jumps = rightward ? jump_a_ : jump_b_;
      const auto it = jumps.find(key);
      if (it == jumps.end()) return 0;
      const MapJump& jump = map_.jumps[it->second];
      x = rightward ? jump.bx : jump.ax;
      y = rightward ? jump.by : jump.ay;
    }
    return 0;
  }

 private:
  static bool Within(int y1, int y2, int y) { return y1 < y && y < y2; }

  static int PointBranchPiece(const MapPoint& p, int x, int y, bool rightward) {
    (void)x;
    int found = 0;
    int count = 0;
    for (int b = 1; b < kMaxBranches; ++b) {
      if (!BranchExists(p, b)) continue;
      const auto slot = static_cast<std::size_t>(b);
      const int row = p.y1 + (rightward ? p.branch_left_dy[slot] : p.branch_right_dy[slot]);
      if (row != y) continue;
      ++count;
      found = p.branch_piece[slot];
    }
    return count == 1 ? found : 0;
  }

  const MapContent& map_;
  std::unordered_map<std::int64_t, int> left_rail_, right_rail_;
  std::unordered_map<std::int64_t, int> left_point_, right_point_;
  std::unordered_map<std::int64_t, int> jump_a_, jump_b_;
};

// A record of the compiled tables' row 0: every number 0, every text empty.
template <typename Record>
Record ZeroRow() {
  Record r{};
  return r;
}
template <>
RailRecord ZeroRow<RailRecord>() {
  RailRecord r;
  r.display_row = 0;
  return r;
}
template <>
TargetRecord ZeroRow<TargetRecord>() {
  TargetRecord r;
  r.start_marks.fill(0);
  return r;
}
template <>
StationRecord ZeroRow<StationRecord>() {
  StationRecord r;
  r.scale = r.melody_time = r.door_min = r.door_mid = r.door_max = 0;
  return r;
}
template <>
StationDrawRecord ZeroRow<StationDrawRecord>() {
  StationDrawRecord r;
  r.kind = 0;
  return r;
}
template <>
JumpRecord ZeroRow<JumpRecord>() {
  JumpRecord r;
  r.from_row = r.to_row = 0;
  return r;
}
template <>
PointRecord ZeroRow<PointRecord>() {
  PointRecord r;
  r.label_row = 0;
  return r;
}

// "第%02d閉塞" and "第%02d分岐" in Shift-JIS, converted once.
const std::string& BlockFormat() {
  static const std::string format = Utf8ToSjis("第%02d閉塞");
  return format;
}
const std::string& BranchFormat() {
  static const std::string format = Utf8ToSjis("第%02d分岐");
  return format;
}

std::string Numbered(const std::string& sjis_format, int number) {
  char text[64];
  std::snprintf(text, sizeof text, sjis_format.c_str(), number);
  return text;
}

// The compile itself, stage after stage, over the map and the new tables.
class Compiler {
 public:
  Compiler(EditMap& map, CheckRun& run) : map_(map), change_(map), run_(run) {}

  CompileResult Run() {
    const MapContent& m = map_.content();
    stations_ = m.stations.count();
    SetUpTables();
    TakeSettings();
    MakeSegments();
    // The index keeps record numbers and reads piece numbers when asked, so
    // the pieces of the point branches made after it are found too.
    const NeighbourIndex index(map_.content());
    LinkSegments(index);
    MakeBranches();
    MakePoints(index);
    ConnectPoints();
    MakePointKeys();
    MakeTargets();
    MakeDrawings();
    SetPointModes();
    MakeJumps();
    MakeDetails();
    CopySignals();
    CheckRailSignals();
    Report();
    BuildTrackLists(system_);
    result_.file.map = std::move(system_);
    result_.errors = run_.errors();
    result_.warnings = run_.warnings();
    return std::move(result_);
  }

 private:
  // ------------------------------------------------------------ set-up

  void SetUpTables() {
    const MapContent& m = map_.content();
    SystemMapCounts counts;
    counts.rails = 0;
    counts.prails = m.rails.count();
    for (const MapRail& r : m.rails) counts.rails += r.direction == kBothWays ? 2 : 1;
    for (const MapPoint& p : m.points) {
      counts.rails += 2 * UsedBranchSlots(p);
      counts.prails += UsedBranchSlots(p);
    }
    counts.points = m.points.count();
    counts.targets = stations_ + m.targets.count();
    counts.stations = stations_;
    counts.station_draws = m.station_draws.count();
    counts.rows = 1;
    counts.jumps = m.jumps.count();
    counts.details = 0;
    system_ = SystemMap(counts);
    system_.rails.Reserve(counts.rails);
    system_.prails.Reserve(counts.prails);
    system_.points.Reserve(counts.points);
    source_rail_.reserve(static_cast<std::size_t>(counts.rails) + 1);
    system_.rails[0] = ZeroRow<RailRecord>();
    system_.points[0] = ZeroRow<PointRecord>();
    system_.targets[0] = ZeroRow<TargetRecord>();
    system_.stations[0] = ZeroRow<StationRecord>();
    system_.station_draws[0] = ZeroRow<StationDrawRecord>();
    system_.jumps[0] = ZeroRow<JumpRecord>();
    system_.rows[0] = RowRecord{0, 0, 0, 0};
    system_.rows.Store(1, RowRecord{0, 0, 0, 0});
    source_rail_.assign(1, 0);
    piece_point_.assign(1, 0);
  }

  // Appends a track piece of map point `map_point` (0 for a segment's).
  void AddPiece(const PRailRecord& piece, int map_point) {
    if (system_.prails.Append(piece) != 0) piece_point_.push_back(map_point);
  }

  // The map's settings, the new dia around it, and the start-point walk.
  void TakeSettings() {
    const MapHeader& h = map_.header();
    DiaHeader& header = result_.file.header;
    header.version = kDiaVersion;
    header.settings = h.settings;
    header.time_units = h.time_units;
    header.map_code = h.map_code;
    header.map_name = h.map_name;
    DiaData& dia = result_.file.dia;
    for (const char* name : {"本線全駅", "本線全停車区画"}) {
      ModeRecord mode;
      mode.name = Utf8ToSjis(name);
      dia.modes.Append(mode);
    }
    SpeedTypeRecord standard;
    standard.series = 1;
    standard.value2 = h.settings.max_speed;
    standard.short_name = Utf8ToSjis("標準");
    standard.name = Utf8ToSjis("標準");
    dia.speed_types.Append(standard);
    SetStartRail(change_, h.start.start_rail);
  }

  // ------------------------------------------------------------ rails

  int AddRail(const RailRecord& rail, int source) {
    const int number = system_.rails.Append(rail);
    source_rail_.push_back(source);
    return number;
  }

  // A yard reference taken as none when it names no station or stop section.
  int YardTarget(int yard_station, int yard_target, int fallback) const {
    const MapContent& m = map_.content();
    if (yard_station > 0 && yard_station <= stations_) return yard_station;
    if (yard_target > 0 && yard_target <= m.targets.count()) return yard_target + stations_;
    return fallback;
  }

  void MakeSegments() {
    run_.Progress("線路生成中");
    const MapContent& m = map_.content();
    for (int i = 1; i <= m.rails.count(); ++i) {
      const MapRail& s = m.rails[i];
      const int piece = system_.prails.count() + 1;
      // A map compiled before keeps its numbers untouched (no change recorded).
      if (s.piece != piece) change_.rails()[i].piece = piece;
      RailRecord common;
      common.station = s.station;
      common.target = s.station != 0 ? s.station : (s.target != 0 ? s.target + stations_ : 0);
      common.yard_target = YardTarget(s.yard_station, s.yard_target, s.station);
      common.speed_limit = s.speed_limit;
      common.length = s.length;
      common.l_pack = piece;
      common.display_row = 1;
      const int xl = s.x1 * kColumn, xr = s.x2 * kColumn;
      const int yl = s.LeftRow() * kRow, yr = s.RightRow() * kRow;
      const bool stops = s.station != 0 || s.target != 0;
      int left = 0, right = 0;
      if (AllowsLeftward(s.direction)) {
        RailRecord l = common;
        l.direction = 1;
        l.signal = s.signal_left;
        l.stop_distance = stops ? s.stop_left : 0;
        l.gradient = ClampToInt(-std::int64_t{s.gradient});
        l.radius = ClampToInt(-std::int64_t{s.radius});
        l.x_exit = xl, l.x_entry = xr, l.y_exit = yl, l.y_entry = yr;
        SegmentNames(s, s.short_left, s.name_left, piece, l);
        left = AddRail(l, i);
      }
      if (AllowsRightward(s.direction)) {
        RailRecord r = common;
        r.direction = 2;
        r.signal = s.signal_right;
        r.stop_distance = stops ? s.stop_right : 0;
        r.gradient = s.gradient;
        r.radius = s.radius;
        r.x_exit = xr, r.x_entry = xl, r.y_exit = yr, r.y_entry = yl;
        SegmentNames(s, s.short_right, s.name_right, piece, r);
        right = AddRail(r, i);
      }
      if (left != 0 && right != 0) {
        system_.rails[left].l_dual = right;
        system_.rails[right].l_dual = left;
      }
      AddPiece({s.single_track, s.electric, left, right, 1}, 0);
    }
  }

  void SegmentNames(const MapRail& s, const ShortText& short_name, const LongText& name, int piece,
                    RailRecord& rail) const {
    const MapContent& m = map_.content();
    if (!short_name.empty()) {
      rail.short_name = short_name;
      rail.name = name;
    } else if (m.stations.Contains(s.station)) {
      rail.short_name = m.stations[s.station].short_name;
      rail.name = m.stations[s.station].name;
    } else if (m.targets.Contains(s.target)) {
      rail.short_name = m.targets[s.target].short_name;
      rail.name = m.targets[s.target].name;
    } else {
      const std::string name = Numbered(BlockFormat(), piece);
      rail.short_name = name;
      rail.name = name;
    }
  }

  // Links between segments; those through points come with the points.
  void LinkSegments(const NeighbourIndex& index) {
    const MapContent& m = map_.content();
    for (int i = 1; i <= m.rails.count(); ++i) {
      const MapRail& s = m.rails[i];
      const PRailRecord piece = system_.prails[s.piece];
      const int a = index.Find(s.x1, s.LeftRow(), false, true);
      const int b = index.Find(s.x2, s.RightRow(), true, true);
      if (a != 0) {
        if (piece.rail_first != 0) system_.rails[piece.rail_first].l_next = First(a);
        if (piece.rail_second != 0) system_.rails[piece.rail_second].l_back = Second(a);
      }
      if (b != 0) {
        if (piece.rail_first != 0) system_.rails[piece.rail_first].l_back = First(b);
        if (piece.rail_second != 0) system_.rails[piece.rail_second].l_next = Second(b);
      }
    }
  }

  int First(int piece) const { return piece != 0 ? system_.prails[piece].rail_first : 0; }
  int Second(int piece) const { return piece != 0 ? system_.prails[piece].rail_second : 0; }

  // ------------------------------------------------------------ points

  void MakeBranches() {
    run_.Progress("ポイント生成中");
    const MapContent& m = map_.content();
    for (int n = 1; n <= m.points.count(); ++n) {
      const MapPoint& p = m.points[n];
      for (int k = 1; k <= UsedBranchSlots(p); ++k) {
        const auto slot = static_cast<std::size_t>(k);
        const int piece = system_.prails.count() + 1;
        if (p.branch_piece[slot] != piece) change_.points()[n].branch_piece[slot] = piece;
        RailRecord common;
        common.yard_target = YardTarget(p.yard_station, p.yard_target, 0);
        common.speed_limit = p.branch_speed[slot] != 0 ? p.branch_speed[slot] : p.speed_limit;
        common.length = p.length;
        common.l_pack = piece;
        common.display_row = 1;
        const int xl = p.x1 * kColumn, xr = p.x2 * kColumn;
        const int yl = (p.y1 + p.branch_left_dy[slot]) * kRow;
        const int yr = (p.y1 + p.branch_right_dy[slot]) * kRow;
        const int left = system_.rails.count() + 1;
        const int right = left + 1;
        RailRecord l = common;
        l.direction = 1;
        l.signal = p.signal_left;
        l.l_dual = right;
        l.x_exit = xl, l.x_entry = xr, l.y_exit = yl, l.y_entry = yr;
        BranchNames(p.short_left, p.name_left, n, l);
        RailRecord r = common;
        r.direction = 2;
        r.signal = p.signal_right;
        r.l_dual = left;
        r.x_exit = xr, r.x_entry = xl, r.y_exit = yr, r.y_entry = yl;
        BranchNames(p.short_right, p.name_right, n, r);
        AddRail(l, 0);
        AddRail(r, 0);
        AddPiece({0, p.electric, left, right, 1}, n);
      }
    }
  }

  static void BranchNames(const ShortText& short_name, const LongText& name, int point,
                          RailRecord& rail) {
    if (!short_name.empty()) {
      rail.short_name = short_name;
      rail.name = name;
    } else {
      const std::string name = Numbered(BranchFormat(), point);
      rail.short_name = name;
      rail.name = name;
    }
  }

  void MakePoints(const NeighbourIndex& index) {
    const MapContent& m = map_.content();
    point_error_.assign(static_cast<std::size_t>(m.points.count()) + 1, 0);
    map_point_.assign(1, 0);
    for (int n = 1; n <= m.points.count(); ++n) {
      const MapPoint& p = m.points[n];
      PointRecord u;
      int branches = UsedBranchSlots(p);
      if (2 * branches > kPointSlots) {
        // More branches than a point record has entries for.
        PointError(n, "＜エラー＞ポイントの進路を正しく設定できません。");
        branches = kPointSlots / 2;
      }
      u.branch_count = p.IsCrossing() ? CrossingOf(p).positions : branches;
      u.entry_count = p.IsCrossing() ? 8 : 2 * branches;
      u.point_key = p.point_key;
      u.label_row = 1;
      u.label_x = (p.x1 + p.x2) * kColumn / 2;
      u.label_y = p.y2 * kRow;
      for (int i = 1; i <= branches; ++i) Branch(index, p, i, u);
      if (system_.points.Append(u) != 0) map_point_.push_back(n);
    }
  }

  void Branch(const NeighbourIndex& index, const MapPoint& p, int i, PointRecord& u) {
    const auto slot = static_cast<std::size_t>(i);
    const int piece = p.branch_piece[slot];
    PRailRecord& own = system_.prails[piece];
    RailRecord& left = system_.rails[own.rail_first];
    RailRecord& right = system_.rails[own.rail_second];
    const auto el = static_cast<std::size_t>(2 * i - 2);  // the leftward rail's entry
    const auto er = el + 1;
    u.entry_rails[el] = own.rail_first;
    u.entry_rails[er] = own.rail_second;
    const int j_piece = index.Find(p.x1, p.y1 + p.branch_left_dy[slot], false, false);
    const int k_piece = index.Find(p.x2, p.y1 + p.branch_right_dy[slot], true, false);
    const int jf = First(j_piece), js = Second(j_piece);
    const int kf = First(k_piece), ks = Second(k_piece);
    const auto positions = static_cast<std::size_t>(u.branch_count);
    if (p.kind == kTurnoutJointLeft || p.kind == kTurnoutJointRight) {
      const int s = i == 1 ? 1 : -1;
      own.in_use = i == 1 ? 1 : 0;
      for (std::size_t j = 0; j < positions; ++j) {
        const bool open = j == slot - 1;
        u.route_flag[el][j] = u.route_flag[er][j] = open ? 1 : 0;
      }
      if (p.kind == kTurnoutJointLeft) {
        left.l_next = s * jf;
        right.l_back = s * js;
        left.l_back = kf;
        right.l_next = ks;
        for (std::size_t j = 0; j < positions; ++j) {
          const bool open = j == slot - 1;
          u.route_value_a[el][j] = open ? jf : -jf;
          u.route_value_b[er][j] = open ? js : -js;
          u.route_value_b[el][j] = kf;
          u.route_value_a[er][j] = ks;
        }
      } else {
        left.l_next = jf;
        right.l_back = js;
        left.l_back = s * kf;
        right.l_next = s * ks;
        for (std::size_t j = 0; j < positions; ++j) {
          const bool open = j == slot - 1;
          u.route_value_a[el][j] = jf;
          u.route_value_b[er][j] = js;
          u.route_value_b[el][j] = open ? kf : -kf;
          u.route_value_a[er][j] = open ? ks : -ks;
        }
      }
      return;
    }
    if (!BranchExists(p, i)) {
      left.l_next = left.l_back = right.l_next = right.l_back = 0;
      return;
    }
    const int open_in = CrossingOf(p).open_in[i - 1];
    for (std::size_t j = 0; j < positions; ++j) {
      const int flag = static_cast<int>(j) + 1 == open_in ? 1 : 0;
      const int s = flag != 0 ? 1 : -1;
      u.route_flag[el][j] = u.route_flag[er][j] = flag;
      u.route_value_a[el][j] = s * jf;
      u.route_value_b[er][j] = s * js;
      u.route_value_b[el][j] = s * kf;
      u.route_value_a[er][j] = s * ks;
    }
    left.l_next = u.route_value_a[el][0];
    left.l_back = u.route_value_b[el][0];
    right.l_next = u.route_value_a[er][0];
    right.l_back = u.route_value_b[er][0];
  }

  // The map point point record `u` was compiled from.
  int MapPointOf(int u) const {
    return u >= 0 && static_cast<std::size_t>(u) < map_point_.size()
               ? map_point_[static_cast<std::size_t>(u)]
               : 0;
  }

  void PointError(int map_point, const char* text) {
    auto& reported = point_error_[static_cast<std::size_t>(map_point)];
    if (reported) return;
    reported = 1;
    run_.Error(text, MapTable::kPoint, map_point);
  }

  // ------------------------------------------------------------ point connection

  void ConnectPoints() {
    run_.Progress("ポイント線路接続中");
    for (const char* pass : {"Ａ", "Ｂ"}) {
      std::vector<char> keep(static_cast<std::size_t>(system_.rails.count()) + 1, 1);
      std::vector<std::vector<char>> entry_keep(static_cast<std::size_t>(system_.points.count()) +
                                                1);
      const int count = system_.points.count();
      for (int u = 1; u <= count; ++u) {
        run_.Progress("ポイント線路接続中　線路設定" + std::string(pass) + "　" +
                      std::to_string(u) + "/" + std::to_string(count));
        MarkUnusedEntries(u, keep, entry_keep[static_cast<std::size_t>(u)]);
      }
      RemoveRails(keep);
      for (int u = count; u >= 1; --u) RemoveEntries(u, entry_keep[static_cast<std::size_t>(u)]);
    }
    run_.Progress("ポイント線路接続中　接続確認");
    for (int u = 1; u <= system_.points.count(); ++u) CheckPositions(u);
    run_.Progress("ポイント線路接続中　接続修正");
    for (int u = 1; u <= system_.points.count(); ++u) FixLinks(u);
  }

  void MarkUnusedEntries(int u, std::vector<char>& keep, std::vector<char>& entry_keep) {
    const PointRecord& p = system_.points[u];
    entry_keep.assign(static_cast<std::size_t>(p.entry_count), 1);
    for (int e = 0; e < p.entry_count; ++e) {
      const auto entry = static_cast<std::size_t>(e);
      const int rail = p.entry_rails[entry];
      if (rail == 0) {
        PointError(MapPointOf(u), "＜エラー＞ポイントの進路を正しく設定できません。");
        continue;
      }
      bool linked = false;
      for (int j = 0; j < p.branch_count && !linked; ++j) {
        const auto d = static_cast<std::size_t>(j);
        linked = p.route_value_a[entry][d] != 0 && p.route_value_b[entry][d] != 0;
      }
      if (linked) continue;
      if (rail > 0 && rail < static_cast<int>(keep.size()))
        keep[static_cast<std::size_t>(rail)] = 0;
      entry_keep[entry] = 0;
    }
  }

  // Removes the rails whose `keep` is 0 in one pass: references to them
  // become 0, every later rail moves down and references follow it, as
  // removing them one by one from the highest down would leave them.
  void RemoveRails(const std::vector<char>& keep) {
    const int count = system_.rails.count();
    std::vector<int> renumber(static_cast<std::size_t>(count) + 1, 0);
    int next = 0;
    for (int r = 1; r <= count; ++r) {
      if (keep[static_cast<std::size_t>(r)]) renumber[static_cast<std::size_t>(r)] = ++next;
    }
    if (next == count) return;
    const auto map = [&renumber, count](int value) {
      const int rail = std::abs(value);
      if (rail == 0 || rail > count) return value;
      const int now = renumber[static_cast<std::size_t>(rail)];
      return value < 0 ? -now : now;
    };
    Table<RailRecord> rails(system_.rails.capacity());
    rails[0] = system_.rails[0];
    std::vector<int> sources(1, 0);
    for (int r = 1; r <= count; ++r) {
      if (renumber[static_cast<std::size_t>(r)] == 0) continue;
      RailRecord rail = system_.rails[r];
      rail.l_next = map(rail.l_next);
      rail.l_back = map(rail.l_back);
      rail.l_dual = map(rail.l_dual);
      rails.Append(rail);
      sources.push_back(source_rail_[static_cast<std::size_t>(r)]);
    }
    system_.rails = std::move(rails);
    source_rail_ = std::move(sources);
    for (int i = 1; i <= system_.prails.count(); ++i) {
      PRailRecord& piece = system_.prails[i];
      piece.rail_first = map(piece.rail_first);
      piece.rail_second = map(piece.rail_second);
    }
    for (int u = 1; u <= system_.points.count(); ++u) {
      PointRecord& p = system_.points[u];
      for (std::size_t e = 0; e < kPointSlots; ++e) {
        p.entry_rails[e] = map(p.entry_rails[e]);
        for (std::size_t j = 0; j < kPointSlots; ++j) {
          p.route_value_a[e][j] = map(p.route_value_a[e][j]);
          p.route_value_b[e][j] = map(p.route_value_b[e][j]);
        }
      }
    }
  }

  void RemoveEntries(int u, const std::vector<char>& entry_keep) {
    PointRecord& p = system_.points[u];
    int kept = 0;
    for (int e = 0; e < p.entry_count; ++e) {
      const auto from = static_cast<std::size_t>(e);
      if (from < entry_keep.size() && !entry_keep[from]) continue;
      const auto to = static_cast<std::size_t>(kept++);
      if (to == from) continue;
      p.entry_rails[to] = p.entry_rails[from];
      p.route_flag[to] = p.route_flag[from];
      p.route_value_a[to] = p.route_value_a[from];
      p.route_value_b[to] = p.route_value_b[from];
    }
    for (int e = kept; e < p.entry_count; ++e) {
      const auto at = static_cast<std::size_t>(e);
      p.entry_rails[at] = 0;
      p.route_flag[at] = {};
      p.route_value_a[at] = {};
      p.route_value_b[at] = {};
    }
    p.entry_count = kept;
  }

  // Every position opens some entry; a record without entries opens none.
  void CheckPositions(int u) {
    const PointRecord& p = system_.points[u];
    if (p.entry_count == 0) {
      run_.Error("＜エラー＞ポイントの接続関係を正しく設定できません。", MapTable::kPoint,
                 MapPointOf(u));
      return;
    }
    for (int j = 0; j < p.branch_count; ++j) {
      bool open = false;
      for (int e = 0; e < p.entry_count && !open; ++e) {
        open = p.route_flag[static_cast<std::size_t>(e)][static_cast<std::size_t>(j)] != 0;
      }
      if (!open) {
        run_.Error("＜エラー＞ポイントの接続関係を正しく設定できません。", MapTable::kPoint,
                   MapPointOf(u));
        return;
      }
    }
  }

  // A rail that some entry names as a link only with a minus sign in a
  // position gets its plus sign back on the first such entry.
  void FixLinks(int u) {
    PointRecord& p = system_.points[u];
    using Matrix = std::array<std::array<int, kPointSlots>, kPointSlots>;
    for (Matrix* values : {&p.route_value_a, &p.route_value_b}) {
      std::set<int> rails;
      for (int e = 0; e < p.entry_count; ++e) {
        for (int j = 0; j < p.branch_count; ++j) {
          const int v =
              std::abs((*values)[static_cast<std::size_t>(e)][static_cast<std::size_t>(j)]);
          if (v != 0) rails.insert(v);
        }
      }
      for (const int v : rails) {
        for (int j = 0; j < p.branch_count; ++j) {
          const auto d = static_cast<std::size_t>(j);
          int negative = -1;
          bool positive = false;
          for (int e = 0; e < p.entry_count; ++e) {
            const int value = (*values)[static_cast<std::size_t>(e)][d];
            if (value == v) positive = true;
            if (value == -v && negative < 0) negative = e;
          }
          if (!positive && negative >= 0) (*values)[static_cast<std::size_t>(negative)][d] = v;
        }
      }
    }
  }

  // ------------------------------------------------------------ point keys

  static std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
  }

  // Whether `key` clashes with the key of another point (`keys`, lowered):
  // one is a prefix of the other, letter case ignored.
  static bool Clashes(const std::string& key, int self, const std::vector<std::string>& keys) {
    const std::string lower = Lower(key);
    for (std::size_t u = 1; u < keys.size(); ++u) {
      const std::string& other = keys[u];
      if (static_cast<int>(u) == self || other.empty()) continue;
      const std::size_t n = std::min(other.size(), lower.size());
      if (other.compare(0, n, lower, 0, n) == 0) return true;
    }
    return false;
  }

  void MakePointKeys() {
    run_.Progress("ポイントキー自動設定中");
    std::vector<std::string> candidates;
    if (system_.points.count() <= 36) {
      for (char c = 'A'; c <= 'Z'; ++c) candidates.emplace_back(1, c);
      for (char c = '0'; c <= '9'; ++c) candidates.emplace_back(1, c);
    } else {
      for (char a = 'A'; a <= 'Z'; ++a) {
        for (char b = 'A'; b <= 'Z'; ++b) candidates.push_back(std::string{a, b});
      }
    }
    std::vector<std::string> keys(1);
    for (int u = 1; u <= system_.points.count(); ++u) {
      keys.push_back(Lower(system_.points[u].point_key.view()));
    }
    std::size_t cursor = 0;
    for (int u = 1; u <= system_.points.count(); ++u) {
      PointRecord& p = system_.points[u];
      if (!p.point_key.empty()) continue;
      while (cursor < candidates.size() && Clashes(candidates[cursor], u, keys)) ++cursor;
      if (cursor == candidates.size()) {
        run_.Error("＜エラー＞ポイントキーを自動設定できません。使用できるキーがありません。",
                   MapTable::kPoint, MapPointOf(u));
        continue;
      }
      keys[static_cast<std::size_t>(u)] = Lower(candidates[cursor]);
      p.point_key = candidates[cursor++];
    }
  }

  // ------------------------------------------------------------ stations, targets, drawings

  void AddStopTimes(int target, int stop_time, int turn_time) {
    // The map stores v + 1 seconds, 0 for the dia-wide standard.
    StopTimeList& list = result_.file.dia.stop_times;
    if (stop_time != 0) SetStopTime(list, {target, 0, kStopTime, 0, 0}, stop_time - 1);
    if (turn_time != 0) SetStopTime(list, {target, 0, kTurnTime, 0, 0}, turn_time - 1);
  }

  void MakeTargets() {
    run_.Progress("駅生成中");
    const MapContent& m = map_.content();
    result_.file.dia.stop_times.reserve(
        static_cast<std::size_t>(2 * (stations_ + m.targets.count())));
    for (int g = 1; g <= stations_; ++g) {
      const MapStation& s = m.stations[g];
      StationRecord station;
      station.station_aux1 = s.previous_station;
      station.one_char_name = s.one_char_name;
      station.short_name = s.short_name;
      station.name = s.name;
      system_.stations.Append(station);
      TargetRecord target;
      target.station = g;
      target.start_marks = s.start_marks;
      target.one_char_name = s.one_char_name;
      target.short_name = s.short_name;
      target.name = s.name;
      system_.targets.Append(target);
      AddStopTimes(g, s.stop_time, s.turn_time);
    }
    run_.Progress("停車区画生成中");
    for (int t = 1; t <= m.targets.count(); ++t) {
      const MapTarget& s = m.targets[t];
      TargetRecord target;
      target.start_marks = s.start_marks;
      target.one_char_name = s.one_char_name;
      target.short_name = s.short_name;
      target.name = s.name;
      system_.targets.Append(target);
      AddStopTimes(stations_ + t, s.stop_time, s.turn_time);
    }
  }

  void MakeDrawings() {
    run_.Progress("駅描画生成中");
    for (const MapStationDraw& d : map_.content().station_draws) {
      system_.station_draws.Append(
          {d.station, 1, d.x1 * kColumn, d.x2 * kColumn, d.y1 * kRow, d.y2 * kRow});
    }
  }

  void SetPointModes() {
    run_.Progress("ポイントモード設定中");
    for (int u = 1; u <= system_.points.count(); ++u) {
      PointRecord& p = system_.points[u];
      p.mode = 0;
      for (int k = 0; k < p.branch_count; ++k) ThrowPoint(system_, u, 1);
      system_.points[u].mode = 2;
    }
  }

  void MakeJumps() {
    run_.Progress("ジャンプ文字設定中");
    for (const MapJump& j : map_.content().jumps) {
      JumpRecord jump;
      jump.jump_kind = 0;
      jump.x_from = j.ax * kColumn;
      jump.y_from = j.ay * kRow;
      jump.x_to = j.bx * kColumn;
      jump.y_to = j.by * kRow;
      jump.label = "*" + std::string(j.name.view());
      system_.jumps.Append(jump);
    }
  }

  // ------------------------------------------------------------ details, signals

  // Each rail takes the details of the segment it came from, and a point
  // branch's rail those of its point, in list order.
  void MakeDetails() {
    run_.Progress("線路詳細設定中");
    const MapContent& m = map_.content();
    std::vector<std::vector<const MapDetail*>> of_rail(static_cast<std::size_t>(m.rails.count()) +
                                                       1);
    std::vector<std::vector<const MapDetail*>> of_point(static_cast<std::size_t>(m.points.count()) +
                                                        1);
    for (const MapDetail& d : m.details) {
      if (d.point != 0) {
        if (m.points.Contains(d.point)) of_point[static_cast<std::size_t>(d.point)].push_back(&d);
      } else if (m.rails.Contains(d.rail)) {
        of_rail[static_cast<std::size_t>(d.rail)].push_back(&d);
      }
    }
    for (int r = 1; r <= system_.rails.count(); ++r) {
      const RailRecord& rail = system_.rails[r];
      const int source = source_rail_[static_cast<std::size_t>(r)];
      int map_point = 0;
      if (source == 0 && rail.l_pack > 0 &&
          static_cast<std::size_t>(rail.l_pack) < piece_point_.size()) {
        map_point = piece_point_[static_cast<std::size_t>(rail.l_pack)];
      }
      if (m.rails.Contains(source)) {
        for (const MapDetail* d : of_rail[static_cast<std::size_t>(source)]) AddDetail(r, rail, *d);
      }
      if (!m.points.Contains(map_point)) continue;
      for (const MapDetail* d : of_point[static_cast<std::size_t>(map_point)]) {
        AddDetail(r, rail, *d);
      }
    }
  }

  void AddDetail(int number, const RailRecord& rail, const MapDetail& d) {
    DetailRecord detail{number, d.start, d.end, d.speed, d.gradient, d.radius};
    if (rail.direction == 1) {
      detail.start = ClampToInt(std::int64_t{rail.length} - d.end);
      detail.end = ClampToInt(std::int64_t{rail.length} - d.start);
      detail.gradient = ClampToInt(-std::int64_t{d.gradient});
      detail.radius = ClampToInt(-std::int64_t{d.radius});
    }
    system_.details.push_back(detail);
  }

  void CopySignals() {
    run_.Progress("信号設定中");
    const MapContent& m = map_.content();
    system_.signal_sets = m.signal_types;
    system_.images = m.images;
    system_.colours = m.colours;
  }

  void CheckRailSignals() {
    run_.Progress("線路信号確認中");
    const MapSettings& settings = map_.header().settings;
    for (int r = 1; r <= system_.rails.count(); ++r) {
      const RailRecord& rail = system_.rails[r];
      const int source = source_rail_[static_cast<std::size_t>(r)];
      if (rail.l_next == 0 && rail.signal == 0) {
        run_.Error("＜エラー＞終端の線路の信号設定が次区画参照になっています。", MapTable::kRail,
                   source);
      }
      if (settings.safety_device != kSafetyAtc || rail.signal == 0 ||
          !system_.signal_sets.Contains(rail.signal)) {
        continue;
      }
      const int limit = rail.speed_limit != 0 ? rail.speed_limit : settings.max_speed;
      const MapSignalType& set = system_.signal_sets[rail.signal];
      if (set.aspects[kAspectSpeeds - 1].band_low < limit) {
        run_.Warning(
            "＜警告＞ＡＴＣマップで、最高速度・制限速度を下回る現示しか設定されていません。",
            MapTable::kRail, source);
      }
    }
  }

  void Report() {
    const MapContent& m = map_.content();
    const std::pair<const char*, int> lines[] = {
        {"＜情報＞ジャンプ数：", m.jumps.count()},
        {"＜情報＞駅描画数：", m.station_draws.count()},
        {"＜情報＞停車区画数：", m.targets.count()},
        {"＜情報＞駅数：", m.stations.count()},
        {"＜情報＞ポイント数：", m.points.count()},
        {"＜情報＞線路数：", m.rails.count()},
    };
    for (const auto& [text, count] : lines) run_.Message(text + std::to_string(count));
    run_.FinalReport();
  }

  EditMap& map_;
  MapChange change_;
  CheckRun& run_;
  int stations_ = 0;
  SystemMap system_{SystemMapCounts{}};
  std::vector<int> source_rail_;  // the map segment of each rail; 0 for point branches
  std::vector<char> point_error_;
  std::vector<int> map_point_;    // the map point of each point record
  std::vector<int> piece_point_;  // the map point of each piece; 0 for a segment's
  CompileResult result_;
};

}  // namespace

CompileResult ConvertMap(EditMap& map, CheckRun& run) { return Compiler(map, run).Run(); }

std::optional<CompileResult> CompileMap(EditMap& map, MapCheckMarks& marks,
                                        const CheckOutput& output) {
  StartChecks(marks, output);
  CheckRun run(marks, output);
  if (!RunCompileChecks(map, run)) return std::nullopt;
  return ConvertMap(map, run);
}

std::string RailDisplayName(const RailRecord& rail, const MapSettings& settings, bool english) {
  std::string name(rail.name.view());
  if (settings.view_direc == 0) return name;
  const bool up = (rail.direction == 1) == (settings.right_down != 0);
  if (english) return name + (up ? "(Up)" : "(Dn)");
  return name + Utf8ToSjis(up ? "（上り）" : "（下り）");
}

}  // namespace corvane
