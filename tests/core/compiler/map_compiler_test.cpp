#include "compiler/map_compiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/encoding.h"
#include "data/dia_members.h"
#include "map/map_change.h"
#include "support/dia_support.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;
using Rows = std::vector<std::pair<int, int>>;  // (left row, right row) per branch slot

constexpr char kNextErrorLine[] = "＜エラー＞終端の線路の信号設定が次区画参照になっています。";
constexpr char kNoKeyLine[] =
    "＜エラー＞ポイントキーを自動設定できません。使用できるキーがありません。";

std::string Sjis(const char* utf8) { return Utf8ToSjis(utf8); }

// A map with two signal types whose segment (2,5)-(6,5) is its start point;
// the compile's message lines are kept.
class MapCompilerTest : public ::testing::Test {
 protected:
  MapCompilerTest() {
    MapChange change(map_);
    change.signal_types().Append(MapSignalType{});
    change.signal_types().Append(MapSignalType{});
    change.rails().Append(NewRail({2, 5}, {6, 5}, kBothWays));
    change.header().start.start_rail = 1;
    output_.message = [this](std::string_view line) { lines_.emplace_back(line); };
  }

  int Segment(GridPoint a, GridPoint b, int direction = kBothWays) {
    return MapChange(map_).rails().Append(NewRail(a, b, direction));
  }
  int Jump(GridPoint a, GridPoint b) {
    return MapChange(map_).jumps().Append(MapJump{a.x, a.y, b.x, b.y, {}});
  }
  // A point of `kind` whose box spans columns x..x+4 and rows 4..8; each
  // branch slot runs from its left row at x to its right row at x + 4.
  int Point(int kind, int x, const Rows& rows) {
    MapPoint point;
    point.kind = kind;
    point.x1 = x;
    point.x2 = x + 4;
    point.y1 = 4;
    point.y2 = 8;
    point.branch_count = static_cast<int>(rows.size());
    for (std::size_t j = 1; j <= rows.size(); ++j) {
      point.branch_left_dy[j] = rows[j - 1].first - 4;
      point.branch_right_dy[j] = rows[j - 1].second - 4;
      point.branch_piece[j] = 90 + static_cast<int>(j);  // stale, as a former compile left it
    }
    return MapChange(map_).points().Append(point);
  }
  // The compile proper, for maps the checks would stop.
  // Every compile of these tests must give dia data that saves and reads back.
  CompileResult Convert() {
    lines_.clear();
    CheckRun run(marks_, output_);
    CompileResult result = ConvertMap(map_, run);
    EXPECT_TRUE(testing::DiaFileRoundTrips(result.file));
    return result;
  }
  // Checks and compile, as the compile command runs them.
  std::optional<CompileResult> Compile() {
    lines_.clear();
    std::optional<CompileResult> result = CompileMap(map_, marks_, output_);
    if (result) {
      EXPECT_TRUE(testing::DiaFileRoundTrips(result->file));
    }
    return result;
  }
  std::string Joined() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\n";
    return text;
  }
  int Count(const std::string& line) const {
    return static_cast<int>(std::count(lines_.begin(), lines_.end(), line));
  }

  EditMap map_;
  MapCheckMarks marks_;
  CheckOutput output_;
  Lines lines_;
};

TEST_F(MapCompilerTest, SegmentsBecomeRailsPerDirectionOnTheBoardGrid) {
  {
    MapChange change(map_);
    MapRail& s = change.rails()[1];
    s.gradient = 5;
    s.radius = 400;
    s.piece = 77;
  }
  Segment({6, 5}, {10, 7}, kRightwardOnly);
  const CompileResult result = Convert();
  const SystemMap& m = result.file.map;
  ASSERT_EQ(m.rails.count(), 3);
  ASSERT_EQ(m.prails.count(), 2);

  const RailRecord& l = m.rails[1];
  const RailRecord& r = m.rails[2];
  EXPECT_EQ(l.direction, 1);
  EXPECT_EQ(r.direction, 2);
  EXPECT_EQ(l.l_dual, 2);
  EXPECT_EQ(r.l_dual, 1);
  const auto geometry = [](const RailRecord& rail) {
    return std::vector<int>{rail.x_exit,  rail.x_entry,  rail.y_exit,
                            rail.y_entry, rail.gradient, rail.radius};
  };
  EXPECT_EQ(geometry(l), (std::vector<int>{20, 60, 60, 60, -5, -400}));
  EXPECT_EQ(geometry(r), (std::vector<int>{60, 20, 60, 60, 5, 400}));
  EXPECT_EQ(m.prails[1].rail_first, 1);
  EXPECT_EQ(m.prails[1].rail_second, 2);

  const RailRecord& one_way = m.rails[3];
  EXPECT_EQ(one_way.direction, 2);
  EXPECT_EQ(one_way.l_dual, 0);
  EXPECT_EQ(geometry(one_way), (std::vector<int>{100, 60, 84, 60, 0, 0}));
  EXPECT_EQ(m.prails[2].rail_first, 0);
  EXPECT_EQ(m.prails[2].rail_second, 3);

  EXPECT_EQ(map_.rails()[1].piece, 1);
  EXPECT_EQ(map_.rails()[2].piece, 2);
}

TEST_F(MapCompilerTest, RailNamesComeFromTheSegmentStationStopSectionOrPiece) {
  {
    MapChange change(map_);
    MapStation station;
    station.short_name = Sjis("東");
    station.name = Sjis("東駅");
    change.stations().Append(station);
    MapTarget target;
    target.short_name = Sjis("西");
    target.name = Sjis("西信号場");
    change.targets().Append(target);
  }
  Segment({6, 5}, {10, 5});
  Segment({10, 5}, {14, 5});
  Segment({14, 5}, {18, 5});
  {
    MapChange change(map_);
    change.rails()[1].short_left = Sjis("左");
    change.rails()[1].name_left = Sjis("左線");
    change.rails()[1].station = 1;  // the segment's own name wins on its side
    change.rails()[2].station = 1;
    change.rails()[3].target = 1;
  }
  const SystemMap m = Convert().file.map;
  auto names = [&m](int rail) {
    return std::make_pair(SjisToUtf8(m.rails[rail].short_name.view()),
                          SjisToUtf8(m.rails[rail].name.view()));
  };
  EXPECT_EQ(names(1), std::make_pair(std::string("左"), std::string("左線")));
  EXPECT_EQ(names(2), std::make_pair(std::string("東"), std::string("東駅")));
  EXPECT_EQ(names(3), std::make_pair(std::string("東"), std::string("東駅")));
  EXPECT_EQ(names(5), std::make_pair(std::string("西"), std::string("西信号場")));
  EXPECT_EQ(m.rails[5].target, 2);  // stop sections follow the stations
  EXPECT_EQ(names(7), std::make_pair(std::string("第04閉塞"), std::string("第04閉塞")));
  EXPECT_EQ(names(8), names(7));
}

TEST_F(MapCompilerTest, NeighboursAndJumpsLinkTheRailsOfEachDirection) {
  Segment({6, 5}, {10, 5});   // rails 3, 4
  Segment({10, 5}, {14, 5});  // rails 5, 6
  Segment({30, 9}, {34, 9});  // rails 7, 8: reached through the jump
  Jump({14, 5}, {30, 9});
  const SystemMap m = Convert().file.map;
  EXPECT_EQ(m.rails[3].l_next, 1);
  EXPECT_EQ(m.rails[3].l_back, 5);
  EXPECT_EQ(m.rails[4].l_next, 6);
  EXPECT_EQ(m.rails[4].l_back, 2);
  EXPECT_EQ(m.rails[6].l_next, 8);  // from end A to end B
  EXPECT_EQ(m.rails[7].l_next, 5);  // from end B to end A
  EXPECT_EQ(m.rails[1].l_next, 0);
  EXPECT_EQ(m.rails[8].l_next, 0);
}

TEST_F(MapCompilerTest, ARingOfJumpsEndsTheSearch) {
  Jump({6, 5}, {40, 5});
  Jump({40, 5}, {6, 5});
  const SystemMap m = Convert().file.map;
  EXPECT_EQ(m.rails[2].l_next, 0);
  EXPECT_EQ(m.rails[1].l_back, 0);
}

// Around a kind-1 turnout at columns 10..14 with its joint on row 5: the
// first segment, moved to end at the joint, and a segment beyond branch 1.
class MapCompilerTurnoutTest : public MapCompilerTest {
 protected:
  MapCompilerTurnoutTest() {
    SetRailEnds(MapChange(map_).rails()[1], {6, 5}, {10, 5});  // rails 1, 2
    Segment({14, 5}, {18, 5});                                 // rails 3, 4
  }
};

TEST_F(MapCompilerTurnoutTest, ThreeBranchesGiveSixEntriesWithBranchOneInUse) {
  Segment({14, 6}, {18, 6});  // rails 5, 6
  Segment({14, 7}, {18, 7});  // rails 7, 8
  Point(kTurnoutJointLeft, 10, {{5, 5}, {5, 6}, {5, 7}});
  const SystemMap m = Convert().file.map;
  ASSERT_EQ(m.points.count(), 1);
  const PointRecord& p = m.points[1];
  EXPECT_EQ(p.branch_count, 3);
  ASSERT_EQ(p.entry_count, 6);
  EXPECT_EQ(std::vector<int>(p.entry_rails.begin(), p.entry_rails.begin() + 6),
            (std::vector<int>{9, 10, 11, 12, 13, 14}));
  for (std::size_t e = 0; e < 6; ++e) {
    for (std::size_t j = 0; j < 3; ++j) {
      EXPECT_EQ(p.route_flag[e][j], e / 2 == j ? 1 : 0) << "entry " << e << " position " << j;
    }
  }
  EXPECT_EQ(map_.points()[1].branch_piece[1], 5);
  EXPECT_EQ(map_.points()[1].branch_piece[3], 7);
  EXPECT_EQ(m.prails[5].in_use, 1);
  EXPECT_EQ(m.prails[6].in_use, 0);
  EXPECT_EQ(m.prails[7].in_use, 0);
  // Joint side: positive for branch 1 only.
  EXPECT_EQ(m.rails[9].l_next, 1);
  EXPECT_EQ(m.rails[10].l_back, 2);
  EXPECT_EQ(m.rails[11].l_next, -1);
  EXPECT_EQ(m.rails[12].l_back, -2);
  EXPECT_EQ(m.rails[13].l_next, -1);
  EXPECT_EQ(m.rails[14].l_back, -2);
  EXPECT_EQ(m.rails[1].l_back, 9);
  EXPECT_EQ(m.rails[2].l_next, 10);
  // Spread side: each branch to its own neighbour.
  EXPECT_EQ(m.rails[11].l_back, 5);
  EXPECT_EQ(m.rails[12].l_next, 6);
  EXPECT_EQ(m.rails[13].l_back, 7);
  EXPECT_EQ(m.rails[14].l_next, 8);
}

TEST_F(MapCompilerTurnoutTest, ABranchLeadingNowhereLosesItsRailsAndLaterRailsCloseUp) {
  Segment({14, 7}, {18, 7});                               // rails 5, 6; nothing on row 6
  Point(kTurnoutJointLeft, 10, {{5, 5}, {5, 6}, {5, 7}});  // branches: rails 7..12
  const SystemMap m = Convert().file.map;
  ASSERT_EQ(m.rails.count(), 10);
  const PointRecord& p = m.points[1];
  ASSERT_EQ(p.entry_count, 4);
  EXPECT_EQ(std::vector<int>(p.entry_rails.begin(), p.entry_rails.begin() + 4),
            (std::vector<int>{7, 8, 9, 10}));
  EXPECT_EQ(p.route_flag[2][2], 1);  // branch 3's entries moved up
  EXPECT_EQ(m.prails[5].rail_first, 0);
  EXPECT_EQ(m.prails[5].rail_second, 0);
  EXPECT_EQ(m.prails[6].rail_first, 9);
  EXPECT_EQ(m.prails[6].rail_second, 10);
  EXPECT_EQ(m.rails[9].l_dual, 10);
  EXPECT_EQ(m.rails[10].l_dual, 9);
  EXPECT_EQ(m.rails[9].l_pack, 6);
  EXPECT_EQ(m.rails[9].l_back, 5);
  EXPECT_EQ(m.rails[10].l_next, 6);
}

TEST_F(MapCompilerTurnoutTest, APointsDetailsReachTheRailsOfEveryBranch) {
  Segment({14, 6}, {18, 6});                       // rails 5, 6
  Point(kTurnoutJointLeft, 10, {{5, 5}, {5, 6}});  // branches: rails 7..10
  MapChange(map_).details().Append(MapDetail{0, 1, 0, 5, 25, 0, 0});
  const SystemMap m = Convert().file.map;
  std::vector<int> rails;
  for (const DetailRecord& d : m.details) {
    rails.push_back(d.rail);
    EXPECT_EQ(d.speed, 25);
  }
  EXPECT_EQ(rails, (std::vector<int>{7, 8, 9, 10}));
}

TEST_F(MapCompilerTest, APointWithoutBranchesCannotBeConnected) {
  Point(kTurnoutJointLeft, 10, {});  // only a foreign file holds such a point
  const CompileResult result = Convert();
  EXPECT_EQ(result.errors, 1);
  EXPECT_NE(Joined().find("＜エラー＞ポイントの接続関係を正しく設定できません。"),
            std::string::npos);
  EXPECT_EQ(marks_.Of(MapTable::kPoint, 1), kErrorMark);
}

TEST_F(MapCompilerTest, CrossingsDropTheRailsOfSlotsTheirKindLacks) {
  const int missing_of[] = {0, 1, 1, 2, 1, 1};  // kinds 3..8
  for (int kind = kCrossingFirst; kind <= kCrossingLast; ++kind) {
    SCOPED_TRACE("kind " + std::to_string(kind));
    map_ = EditMap();
    MapChange(map_).signal_types().Append(MapSignalType{});
    Segment({6, 5}, {10, 5});
    Segment({6, 6}, {10, 6});
    Segment({14, 5}, {18, 5});
    Segment({14, 6}, {18, 6});  // rails 1..8
    Point(kind, 10, {{5, 5}, {6, 6}, {5, 6}, {6, 5}});
    const SystemMap m = Convert().file.map;
    const int missing = missing_of[kind - kCrossingFirst];
    EXPECT_EQ(m.rails.count(), 16 - 2 * missing);
    const PointRecord& p = m.points[1];
    EXPECT_EQ(p.entry_count, 8 - 2 * missing);
    for (int e = 0; e < p.entry_count; ++e) {
      EXPECT_EQ(p.entry_rails[static_cast<std::size_t>(e)], 9 + e);
    }
    for (int slot = 1; slot <= 4; ++slot) {
      const PRailRecord& piece = m.prails[map_.points()[1].branch_piece[slot]];
      if (!BranchExists(map_.points()[1], slot)) {
        EXPECT_EQ(piece.rail_first, 0) << "slot " << slot;
        EXPECT_EQ(piece.rail_second, 0) << "slot " << slot;
        continue;
      }
      ASSERT_TRUE(m.rails.Contains(piece.rail_first)) << "slot " << slot;
      EXPECT_EQ(m.rails[piece.rail_first].l_pack, map_.points()[1].branch_piece[slot]);
      EXPECT_EQ(m.rails[piece.rail_first].l_dual, piece.rail_second);
    }
  }
}

TEST_F(MapCompilerTest, PointKeysAreGivenFromOneOrTwoCharacters) {
  map_ = EditMap();
  auto add_points = [this](int count) {
    for (int i = 0; i < count; ++i) MapChange(map_).points().Append(MapPoint{});
  };
  add_points(36);
  CompileResult result = Convert();
  EXPECT_EQ(result.file.map.points[1].point_key, "A");
  EXPECT_EQ(result.file.map.points[26].point_key, "Z");
  EXPECT_EQ(result.file.map.points[27].point_key, "0");
  EXPECT_EQ(result.file.map.points[36].point_key, "9");

  add_points(1);
  result = Convert();
  EXPECT_EQ(result.file.map.points[1].point_key, "AA");
  EXPECT_EQ(result.file.map.points[37].point_key, "BK");

  MapChange(map_).points()[1].point_key = "A";  // every "A?" clashes with it
  result = Convert();
  EXPECT_EQ(result.file.map.points[1].point_key, "A");
  EXPECT_EQ(result.file.map.points[2].point_key, "BA");
  EXPECT_EQ(result.file.map.points[27].point_key, "BZ");
  EXPECT_EQ(result.file.map.points[37].point_key, "CJ");
  EXPECT_EQ(Count(kNoKeyLine), 0);  // (the branchless points are reported as unconnected)

  for (int u = 1; u <= 26; ++u) {  // "A".."Z" leave no two-letter key
    MapChange(map_).points()[u].point_key = std::string(1, static_cast<char>('A' + u - 1));
  }
  result = Convert();
  for (int u = 27; u <= 37; ++u) EXPECT_TRUE(result.file.map.points[u].point_key.empty()) << u;
  EXPECT_GE(Count(kNoKeyLine), 1);
}

TEST_F(MapCompilerTest, TargetsAndStopTimesFollowStationsThenStopSections) {
  {
    MapChange change(map_);
    MapStation station;
    station.stop_time = 31;
    station.name = Sjis("北");
    change.stations().Append(station);
    MapStation turning;  // standard stop time: no entry for it
    turning.turn_time = 61;
    change.stations().Append(turning);
    MapTarget target;
    target.turn_time = 11;
    target.name = Sjis("南");
    change.targets().Append(target);
  }
  const CompileResult result = Convert();
  const SystemMap& m = result.file.map;
  ASSERT_EQ(m.targets.count(), 3);
  EXPECT_EQ(m.targets[1].station, 1);
  EXPECT_EQ(m.targets[2].station, 2);
  EXPECT_EQ(m.targets[3].station, 0);
  EXPECT_EQ(SjisToUtf8(m.targets[1].name.view()), "北");
  EXPECT_EQ(SjisToUtf8(m.targets[3].name.view()), "南");
  std::vector<std::vector<int>> times;
  for (const StopTimeEntry& t : result.file.dia.stop_times) {
    times.push_back({t.target, t.rail, t.kind, t.seconds, t.train_type, t.speed_type});
  }
  EXPECT_EQ(times, (std::vector<std::vector<int>>{
                       {1, 0, 0, 30, 0, 0}, {2, 0, 1, 60, 0, 0}, {3, 0, 1, 10, 0, 0}}));
}

TEST_F(MapCompilerTest, DetailsRunFromEachRailsOwnEntry) {
  SetRailEnds(MapChange(map_).rails()[1], {2, 5}, {3, 5});
  MapChange(map_).rails()[1].length = 100;
  MapChange(map_).details().Append(MapDetail{1, 0, 10, 30, 45, 7, 300});
  MapChange(map_).details().Append(MapDetail{0, 0, 0, 50, 25, 0, 0});  // belongs to nothing
  const SystemMap m = Convert().file.map;
  ASSERT_EQ(m.details.size(), 2u);
  const DetailRecord& l = m.details[0];
  const DetailRecord& r = m.details[1];
  EXPECT_EQ((std::vector<int>{l.rail, l.start, l.end, l.speed, l.gradient, l.radius}),
            (std::vector<int>{1, 70, 90, 45, -7, -300}));
  EXPECT_EQ((std::vector<int>{r.rail, r.start, r.end, r.speed, r.gradient, r.radius}),
            (std::vector<int>{2, 10, 30, 45, 7, 300}));
}

TEST_F(MapCompilerTest, TheReportEndsWithCountsAndTheCounterLine) {
  Segment({6, 5}, {10, 5});
  MapChange(map_).rails()[1].signal_left = 0;  // leads nowhere, yet "next section"
  const std::optional<CompileResult> result = Compile();
  ASSERT_TRUE(result) << Joined();
  EXPECT_EQ(result->errors, 1);
  EXPECT_EQ(Count(kNextErrorLine), 1);
  ASSERT_GE(lines_.size(), 7u);
  EXPECT_EQ(Lines(lines_.end() - 7, lines_.end()),
            (Lines{"＜情報＞ジャンプ数：0", "＜情報＞駅描画数：0", "＜情報＞停車区画数：0",
                   "＜情報＞駅数：0", "＜情報＞ポイント数：0", "＜情報＞線路数：2",
                   "エラー：1件　警告：0件"}));
}

TEST_F(MapCompilerTest, ASecondCompileGivesTheSameMembers) {
  {
    MapChange change(map_);
    MapStation station;
    station.name = Sjis("中央");
    change.stations().Append(station);
    MapTarget target;
    target.name = Sjis("待避");
    change.targets().Append(target);
    change.station_draws().Append(MapStationDraw{6, 3, 9, 4, 1});
  }
  SetRailEnds(MapChange(map_).rails()[1], {6, 5}, {10, 5});
  Segment({14, 5}, {18, 5});
  Segment({14, 6}, {18, 6});
  Segment({18, 5}, {22, 5}, kRightwardOnly);
  {
    MapChange change(map_);
    change.rails()[2].station = 1;
    change.rails()[3].target = 1;
    for (const int rail : {2, 3})
      change.rails()[rail].stop_left = change.rails()[rail].stop_right = 200;
    change.rails()[4].piece = 40;  // stale, as a former compile left it
  }
  Point(kTurnoutJointLeft, 10, {{5, 5}, {5, 6}});
  std::vector<std::string> first, second;
  for (std::vector<std::string>* texts : {&first, &second}) {
    const CompileResult result = Convert();
    for (const DiaMemberHandler* handler : CompiledMapMembers()) {
      texts->push_back(handler->Format(result.file));
    }
  }
  ASSERT_EQ(first.size(), second.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i], second[i]) << CompiledMapMembers()[i]->info().file;
  }
}

TEST_F(MapCompilerTest, RowZeroOfEveryTableIsZeroAndTheRowTableHasTwoRows) {
  MapChange(map_).stations().Append(MapStation{});
  MapChange(map_).targets().Append(MapTarget{});
  MapChange(map_).station_draws().Append(MapStationDraw{2, 3, 4, 4, 1});
  const SystemMap m = Convert().file.map;
  // A member line whose values after the row number are all zero.
  const auto zero_values = [](std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t comma = line.find(',');
    return comma != std::string::npos && line.find_first_not_of("0, ", comma) == std::string::npos;
  };
  for (const DiaMember member :
       {DiaMember::kRail, DiaMember::kPRail, DiaMember::kTarget, DiaMember::kStation,
        DiaMember::kStationDraw, DiaMember::kRow, DiaMember::kJump}) {
    std::istringstream text(testing::MemberText(member, m));
    std::string line;
    ASSERT_TRUE(std::getline(text, line));
    EXPECT_EQ(line.find_first_not_of(' '), line.find('0')) << line;  // row 0
    EXPECT_TRUE(zero_values(line)) << line;
  }
  EXPECT_EQ(m.rails[0].display_row, 0);
  EXPECT_EQ(m.targets[0].start_marks, (std::array<int, 10>{}));
  std::istringstream rows(testing::MemberText(DiaMember::kRow, m));
  Lines row_lines;
  for (std::string line; std::getline(rows, line);) row_lines.push_back(line);
  ASSERT_EQ(row_lines.size(), 2u);
  EXPECT_TRUE(zero_values(row_lines[0])) << row_lines[0];
  EXPECT_TRUE(zero_values(row_lines[1])) << row_lines[1];
}

TEST_F(MapCompilerTest, YardReferencesOutsideTheirTablesAreNone) {
  MapChange(map_).stations().Append(MapStation{});
  MapChange(map_).targets().Append(MapTarget{});
  const std::pair<int, int> cases[] = {{-3, 0}, {2, 0}, {0, -1}, {0, 2}};
  for (const auto& [yard_station, yard_target] : cases) {
    MapChange(map_).rails()[1].yard_station = yard_station;
    MapChange(map_).rails()[1].yard_target = yard_target;
    EXPECT_EQ(Convert().file.map.rails[1].yard_target, 0) << yard_station << "/" << yard_target;
  }
  MapChange(map_).rails()[1].yard_target = 1;
  EXPECT_EQ(Convert().file.map.rails[1].yard_target, 2);
}

TEST_F(MapCompilerTest, LongJumpNamesAreCutOnACharacterBoundary) {
  Jump({20, 5}, {30, 5});
  // Appending names the jump from its number; a loaded map may hold any name.
  MapChange(map_).jumps()[1].name = Sjis("一二三四五六七八九十");  // 20 bytes
  const SystemMap m = Convert().file.map;
  EXPECT_EQ(SjisToUtf8(m.jumps[1].label.view()), "*一二三四五六七八九");
  EXPECT_EQ(m.jumps[1].x_from, 200);
  EXPECT_EQ(m.jumps[1].y_to, 60);
}

}  // namespace
}  // namespace corvane
