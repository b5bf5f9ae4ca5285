#include "mapfile/map_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "map/map_change.h"
#include "mapfile/packed_bundle.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Records;
using testing::ScratchFolder;
using testing::Sjis;

std::string OldMapFolder() { return testing::SourceDataFolder() + "old_map/"; }

std::string Repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// Numbers as "v," columns.
std::string Cols(std::initializer_list<int> values) {
  std::string out;
  for (const int v : values) out += std::to_string(v) + ",";
  return out;
}

// Texts filling their fields to the last byte with two-byte characters.
const std::string kShort20 = Sjis("東西南北線路駅構内側");
const std::string kLong255 = Sjis("A") + Repeat(Sjis("鉄"), 127);
const std::string kJump23 = Sjis("J") + Repeat(Sjis("跳"), 11);

// Table members held in memory; the default signal tables come from the
// program's own data.
class MemberSource : public MapTableSource {
 public:
  explicit MemberSource(std::map<std::string, std::string> members)
      : members_(std::move(members)) {}
  std::optional<std::string> ReadTable(const std::string& name, std::string* shown) override {
    *shown = name;
    const auto it = members_.find(name);
    if (it == members_.end()) return std::nullopt;
    return it->second;
  }
  std::optional<std::string> ReadDefaultTable(const std::string& name,
                                              std::string* shown) override {
    *shown = OldMapFolder() + name;
    return ReadFileBytes(*shown);
  }

 private:
  std::map<std::string, std::string> members_;
};

// The members of a bundle text by name.
std::map<std::string, std::string> Members(const std::string& bundle_text) {
  std::map<std::string, std::string> members;
  const auto split = SplitBundleText(bundle_text);
  for (const BundleMember& member : *split) members[member.name] = member.content;
  return members;
}

// Reads the members; the message-window lines of the read go to `lines`.
MapReadResult ReadMembers(std::map<std::string, std::string> members, MapContent& map,
                          Prompter& prompter, std::vector<std::string>* lines = nullptr) {
  const std::string header = members[kMapHeaderMember];
  MemberSource source(std::move(members));
  const ReadReport report = [lines](std::string_view line) {
    if (lines != nullptr) lines->emplace_back(line);
  };
  return ReadMapFromHeader(header, kMapHeaderMember, source, map, prompter, report);
}

// A header in the written layout, with `map_lines` as the map section and
// `jump_file` as the value of M_JUMP_FILE.
std::string HeaderText(int version, const std::string& map_lines = "",
                       const std::string& jump_file = "m_jump.csv",
                       const std::string& start_lines = "") {
  std::string text = "[K-ORV]\nversion=" + std::to_string(version) + "\n\n[ファイル]\n";
  for (const MapTableInfo& info : MapTables()) {
    if (info.member == nullptr) continue;
    const std::string key = info.header_key;
    text += key + "=" + (key == "M_JUMP_FILE" ? jump_file : info.member) + "\n";
  }
  return Sjis(text + "\n[マップ]\n" + map_lines + "\n[MapData]\n" + start_lines);
}

constexpr char kSignalSets[] =
    "  1,  0,３現示,３現示自動閉塞信号機\n"
    "  2,  5,４現示,４現示自動閉塞信号機\n";
constexpr char kSignals[] =
    "  1, 76,1023,  0,200, 80,進行,Signal____G.bmp\n"
    "  1, 46,  76,255,200,  0,注意,Signal___Y_.bmp\n"
    "  1,  0,  46,255,  0,  0,停止,Signal__R__.bmp\n"
    "  2,106,1023,  0,200, 80,進行,Signal____G.bmp\n"
    "  2,  0, 106,180,220,  0,減速,Signal_Y__G.bmp\n";

// A map with every table filled and texts at their longest.
MapContent FullMap() {
  EditMap built;
  ScriptedPrompter prompter;
  EXPECT_TRUE(ResetToNewMap(built, OldMapFolder(), prompter));
  MapChange map(built);
  map.header().map_code = 4711;
  map.header().map_name = kLong255;
  map.header().time_units.unit = 5;
  map.header().time_units.reverse = 100;
  map.header().settings.signal_version = 1200;
  map.header().settings.use_atc = 1;
  map.header().settings.safety_device = kSafetyAtc;
  map.header().settings.max_speed = 130;
  map.header().settings.handle_atc = 300;

  for (int i = 0; i < 3; ++i) {
    MapRail rail = NewRail({3 + 10 * i, 5}, {8 + 10 * i, 7}, 2);
    rail.station = 1;
    rail.yard_station = 1;
    rail.electric = 5;
    rail.signal_left = 2;
    rail.signal_right = 3;
    rail.speed_limit = 85;
    rail.stop_left = 120;
    rail.stop_right = -30;
    rail.gradient = -12;
    rail.radius = -600;
    rail.single_track = 1;
    rail.stored_63 = 7;
    rail.stored_64 = 8;
    rail.block_auto = 1;
    rail.block_name = 1;
    rail.yard_name = 2;
    rail.station_name = 9;
    rail.stored_a[0] = 4;
    rail.stored_b[19] = -5;
    rail.short_left = kShort20;
    rail.name_left = "L";
    rail.name_right = "R";
    map.rails().Append(rail);
  }
  MapPoint turnout;
  turnout.x1 = 40;
  turnout.y1 = 0;
  turnout.x2 = 44;
  turnout.y2 = 21;
  turnout.branch_count = kMaxBranches;
  for (int k = 0; k < kMaxBranches; ++k) {
    turnout.branch_left_dy[k] = 1;
    turnout.branch_right_dy[k] = k + 1;
    turnout.branch_speed[k] = 45;
  }
  turnout.branch_stored_b[19] = 9;
  turnout.yard_station = 1;
  turnout.speed_limit = 25;
  turnout.yard_name = 1;
  turnout.point_key = Sjis("21ロ");
  map.points().Append(turnout);
  MapPoint crossing;
  crossing.kind = 6;
  crossing.branch_count = 4;
  crossing.name_right = kLong255;
  crossing.point_key = kShort20;
  map.points().Append(crossing);

  for (int i = 0; i < 2; ++i) {
    MapStation station;
    station.stored_0 = 3;
    station.stored[19] = 4;
    station.stop_time = 31;
    station.turn_time = 1;
    station.previous_station = i;
    station.start_marks = {12 * i, 12 * i, -1, -1, -1, -1, -1, -1, -1, 77};
    station.one_char_name = Sjis("東");
    station.short_name = kShort20;
    station.name = kLong255;
    map.stations().Append(station);
  }
  MapTarget target;
  target.stop_time = 2;
  target.start_marks[1] = 40;
  target.name = Sjis("信号場");
  map.targets().Append(target);
  MapStationDraw draw;
  draw.x1 = 2;
  draw.y1 = 3;
  draw.x2 = 12;
  draw.y2 = 9;
  draw.station = 2;
  map.station_draws().Append(draw);
  map.station_draws().Append(draw);
  for (int i = 0; i < 3; ++i) {
    MapJump jump;
    jump.ax = 30 + i;
    jump.ay = 6;
    jump.bx = 2;
    jump.by = 20 + i;
    map.jumps().Append(jump);
  }
  map.jumps()[2].name = kJump23;
  MapNameEntry entry;
  entry.short_left = kShort20;
  entry.name_left = kLong255;
  entry.short_right = Sjis("右");
  for (const NameTable table :
       {NameTable::kBlock, NameTable::kYard, NameTable::kStation, NameTable::kTarget}) {
    map.names(table).Append(entry);
  }
  map.SetDetails({{2, 0, 0, 100, 45, 5, 400}, {1, 0, 50, 250, 0, -3, 0}, {0, 1, 0, 60, 25, 0, 0}});
  map.header().start.start_rail = 2;
  map.header().start.start_station = 1;
  map.header().start.start_target = 1;

  MapContent content = built.content();
  EXPECT_TRUE(ParseSignalTables(
      Sjis(kSignalSets) + Cols({3, 0}) + kShort20 + "," + kLong255 + "\n",
      Sjis(kSignals) + "  3,  0,1023, 10, 20, 30," + kShort20 + "," + kLong255 + "\n", content));
  return content;
}

TEST(MapFileTest, FullMapSurvivesTheFilePipelineByteForByte) {
  MapContent map = FullMap();
  ScratchFolder folder;
  ScriptedPrompter prompter;
  ASSERT_TRUE(SaveMapFile(map, folder.File("full.kvm"), prompter));
  ASSERT_TRUE(UnpackBundle(folder.File("full.kvm"), folder.File("back.kv2"), prompter));
  MapContent read;
  ASSERT_EQ(
      OpenMapFile(folder.File("full.kvm"), folder.File("temp/"), OldMapFolder(), read, prompter),
      MapReadResult::kRead);
  EXPECT_TRUE(prompter.shown().empty());

  const std::string before = FormatMapText(map);
  EXPECT_EQ(ReadFileBytes(folder.File("back.kv2")), before);
  EXPECT_EQ(FormatMapText(read), before);

  // A few values that a misplaced column would disturb.
  EXPECT_EQ(read.header.map_name, kLong255);
  EXPECT_EQ(read.header.settings, map.header.settings);
  EXPECT_EQ(read.header.time_units, map.header.time_units);
  EXPECT_EQ(read.points[1].branch_right_dy[19], 20);
  EXPECT_EQ(read.points[1].branch_stored_b[19], 9);
  EXPECT_EQ(read.points[2].point_key, kShort20);
  EXPECT_EQ(read.stations[2].start_marks[9], 77);
  EXPECT_EQ(read.jumps[2].name, kJump23);
  EXPECT_EQ(Records(read.details), Records(map.details));
  EXPECT_EQ(read.header.start.start_rail, 2);
  ASSERT_EQ(read.signal_types.count(), 3);
  EXPECT_EQ(read.signal_types[3].text2, kLong255);
  EXPECT_EQ(read.signal_types[2].aspects[106].band_low, 106);
  EXPECT_EQ(read.signal_types[2].aspects[105].aspect_speed, 106);
  EXPECT_EQ(read.colours[read.signal_types[2].aspects[0].colour], (AspectColour{180, 220, 0}));

  // Column layout, pinned on whole rows.
  const auto members = Members(before);
  const std::string rail_row =
      "  1,  3,  4,  8,  8,2,  0,  1,  3, 4, 0," + Repeat(" 0, 0,", 18) + " 0,-5," +
      " 1, 0, 1, 0,5, 2, 3, 85, 500, 120, -30,-12,-600,1,  7,  8,1, 1, 2, 9, 0," + kShort20 +
      ",L,,R\n";
  EXPECT_EQ(
      members.at("m_rail.csv").substr(members.at("m_rail.csv").find('\n') + 1, rail_row.size()),
      rail_row);
  std::string point_row = "  1, 40,  0, 44, 21, 1,20,";
  for (int k = 0; k < kMaxBranches; ++k) {
    char slot[32];
    std::snprintf(slot, sizeof slot, "  0,  1,%3d,  0,%3d, 45,", k + 1, k == 19 ? 9 : 0);
    point_row += slot;
  }
  point_row += " 1, 0,2,0,3, 1, 1, 25, 100, 1,,,,," + Sjis("21ロ") + "\n";
  const std::string& points = members.at("m_point.csv");
  EXPECT_EQ(points.substr(points.find('\n') + 1, point_row.size()), point_row);
  EXPECT_EQ(members.at("m_station_draw.csv"),
            "  0,  0,  0,  0,  0, 0,\n"
            "  1,  2,  3, 12,  9, 2,\n"
            "  2,  2,  3, 12,  9, 2,\n");
  EXPECT_EQ(members.at("m_detail.csv"),
            " 1,  2,  0,  0,100, 45,  5,400,\n"
            " 2,  1,  0, 50,250,  0, -3,  0,\n"
            " 3,  0,  1,  0, 60, 25,  0,  0,\n");
  EXPECT_EQ(members.at("m_jump.csv").substr(0, 50),
            "  0,  0,  0,  0,  0,\n"
            "  1, 30,  6,  2, 20,A\n"
            "  2, 31");
  EXPECT_EQ(members.at("m_signal.csv"),
            Sjis(kSignals) + "  3,  0,1023, 10, 20, 30," + kShort20 + "," + kLong255 + "\n");
  const std::string station_row0 = "  0, 0," + Repeat(" 0,", 20) + "  0,  0, 0,-1,";
  EXPECT_EQ(members.at("m_station.csv").substr(0, station_row0.size()), station_row0);
}

TEST(MapFileTest, NewMapHeaderText) {
  MapContent map = NewMapContent();
  ScriptedPrompter prompter;
  ASSERT_TRUE(LoadDefaultSignalTypes(map, OldMapFolder(), prompter));
  const std::string expected = Sjis(
      "#temp.kv1\n[K-ORV]\nversion=1220\n\n[ファイル]\n"
      "M_RAIL_FILE=m_rail.csv\nM_POINT_FILE=m_point.csv\nM_STATION_FILE=m_station.csv\n"
      "M_TARGET_FILE=m_target.csv\nM_STATION_DRAW_FILE=m_station_draw.csv\n"
      "M_NAME_AR_FILE=m_name_ar.csv\nM_NAME_AP_FILE=m_name_ap.csv\n"
      "M_NAME_AS_FILE=m_name_as.csv\nM_NAME_AT_FILE=m_name_at.csv\nM_JUMP_FILE=m_jump.csv\n"
      "M_DETAIL_FILE=m_detail.csv\nM_SIGNAL_SET_FILE=m_signal_set.csv\n"
      "M_SIGNAL_FILE=m_signal.csv\n\n"
      "[ダイヤ設定]\nunit=15\nstandard=45\nreverse=120\n\n"
      "[マップ]\nsignal_version=1126\nm_map_code=99999\nm_map_name=\nMapMaxSpeed=120\n"
      "SignalVersion=1126\nUseATC=0\nUseATS=1\nUseInterlocking=0\nUseArea=0\nUseElectri=0\n"
      "UseCharacteristic=0\nRightDown=1\nViewDirec=1\nRouteWarningDist=10\n"
      "RouteCheckDist=2000\nBreakSpareDist=10\nLimitSpareDist=50\nStopSpareDist=15\n"
      "SignalFindDist=600\nMaxSpeed=120\nReAccelSpeed=5\nGuidanceSpeed=15\nHandleATC=280\n\n"
      "[MapData]\nstart_rail=0\nstart_station=0\nstart_target=0\n\n"
      "#m_rail.csv\n  0,");
  const std::string text = FormatMapText(map);
  EXPECT_EQ(text.substr(0, expected.size()), expected);
  const auto members = Members(text);
  EXPECT_EQ(members.at("m_name_ap.csv"), Sjis(" 0,,,,\n 1,上出,上り出発,下場,下り場内\n"
                                              " 2,上場,上り場内,下出,下り出発\n"));
  EXPECT_EQ(members.at("m_detail.csv"), "");
  EXPECT_EQ(members.at("m_signal_set.csv"), ReadFileBytes(OldMapFolder() + "m_signal_set.csv"));
  EXPECT_EQ(members.at("m_signal.csv"), ReadFileBytes(OldMapFolder() + "m_signal.csv"));
  EXPECT_EQ(map.signal_types.count(), 2);
  // "%02d" on the time units.
  map.header.time_units.unit = 5;
  EXPECT_NE(FormatMapText(map).find("\nunit=05\n"), std::string::npos);
}

// Rows in the column layout of each older version.
class MapFileVersionTest : public ::testing::TestWithParam<int> {};

TEST_P(MapFileVersionTest, ReadsTheColumnsOfItsVersion) {
  const int v = GetParam();
  std::string rail = "  1," + Cols({1, 2, 9, 4, 3, 7, 1, 1});
  for (int k = 0; k < kMaxBranches; ++k) rail += Cols({k + 10, k + 40});
  rail += Cols({2, 3});
  if (v >= 1110) rail += Cols({4, 5, 1, 2, 2});
  rail += Cols({85, 800, 120, 130});
  if (v >= 1150) rail += Cols({-12, 600});
  rail += Cols({1});
  if (v >= 1120) rail += Cols({6, 7, 1});
  rail += Cols({1, 2, 3, 4}) + Sjis("左,左名,右,右名\n");

  std::string point = "  1," + Cols({10, 0, 14, 4, 2, 3});
  for (int k = 0; k < kMaxBranches; ++k) {
    point += Cols({k, 1, 2, 0, 50 + k});
    if (v >= 1130) point += Cols({k + 30});
  }
  if (v >= 1110) point += Cols({6, 7, 1, 1, 4, 2, 2});
  point += Cols({25, 300, 2}) + "pl,pL,pr,pR" + (v >= 1110 ? ",21" : "") + "\n";

  auto station_row = [v](bool with_previous) {
    std::string row = "  1," + Cols({5});
    for (int k = 0; k < 20; ++k) row += Cols({k});
    if (v >= 1120) row += Cols({11, 31});
    if (with_previous) row += Cols({0});
    row += Cols({8, 8, -1, -1, -1, -1, -1, -1, -1, -1});
    return row + Sjis(v >= 1150 ? "東,東京,東京駅\n" : "東,東京駅\n");
  };

  std::map<std::string, std::string> members = {
      {"temp.kv1", HeaderText(v, "", v == 1100 ? "" : "m_jump.csv")},
      {"m_rail.csv", rail},
      {"m_point.csv", point},
      {"m_station.csv", station_row(true)},
      {"m_target.csv", station_row(false)},
      {"m_station_draw.csv", "  1,  1,  1,  5,  5, 1,\n"},
      {"m_name_ar.csv", " 1,a,b,c,d\n"},
      {"m_name_ap.csv", ""},
      {"m_name_as.csv", ""},
      {"m_name_at.csv", ""},
      {"m_detail.csv", " 1,  1,  0,  0, 50, 45,  0,  0,\n"},
      {"m_jump.csv", "  1,  1,  2,  3,  4,A\n"},
      {"m_signal_set.csv", Sjis("  1,  0,自,自動\n")},
      {"m_signal.csv", Sjis("  1,  0,1023,  0,200, 80,進行,G.bmp\n")},
  };
  MapContent map;
  map.jumps.Append({});  // a version-1100 file without a jump table clears the old jumps
  ScriptedPrompter prompter;
  ASSERT_EQ(ReadMembers(members, map, prompter), MapReadResult::kRead);
  EXPECT_TRUE(prompter.shown().empty());
  EXPECT_EQ(map.header.version, v);

  auto check = [v](const MapContent& map) {
    const MapRail& r = map.rails[1];
    EXPECT_EQ(r.x2, 9);
    EXPECT_EQ(r.piece, 7);
    EXPECT_EQ(r.stored_b[19], 59);
    EXPECT_EQ(r.yard_station, v >= 1110 ? 4 : 2);
    EXPECT_EQ(r.yard_target, v >= 1110 ? 5 : 3);
    EXPECT_EQ(r.electric, v >= 1110 ? 1 : 3);
    EXPECT_EQ(r.signal_right, v >= 1110 ? 2 : 1);
    EXPECT_EQ(r.speed_limit, 85);
    EXPECT_EQ(r.stop_right, 130);
    EXPECT_EQ(r.gradient, v >= 1150 ? -12 : 0);
    EXPECT_EQ(r.radius, v >= 1150 ? 600 : 0);
    EXPECT_EQ(r.single_track, 1);
    EXPECT_EQ(r.stored_64, v >= 1120 ? 7 : 0);
    EXPECT_EQ(r.block_auto, v >= 1120 ? 1 : 0);
    EXPECT_EQ(r.block_name, 1);
    EXPECT_EQ(r.target_name, 4);
    EXPECT_EQ(r.name_right, Sjis("右名"));

    const MapPoint& p = map.points[1];
    EXPECT_EQ(p.kind, 2);
    EXPECT_EQ(p.branch_stored_b[19], 69);
    EXPECT_EQ(p.branch_speed[19], v >= 1130 ? 49 : 0);
    EXPECT_EQ(p.yard_station, v >= 1110 ? 6 : 0);
    EXPECT_EQ(p.yard_target, v >= 1110 ? 7 : 0);
    EXPECT_EQ(p.stored_15, v >= 1110 ? 1 : 2);
    EXPECT_EQ(p.stored_16, v >= 1110 ? 1 : 0);
    EXPECT_EQ(p.electric, v >= 1110 ? 4 : 3);
    EXPECT_EQ(p.signal_left, v >= 1110 ? 2 : 1);
    EXPECT_EQ(p.speed_limit, 25);
    EXPECT_EQ(p.length, 300);
    EXPECT_EQ(p.yard_name, 2);
    EXPECT_EQ(p.name_right, "pR");
    EXPECT_EQ(p.point_key, v >= 1110 ? "21" : "");

    const MapStation& s = map.stations[1];
    EXPECT_EQ(s.stored[19], 19);
    EXPECT_EQ(s.stop_time, v >= 1120 ? 11 : 0);
    EXPECT_EQ(s.turn_time, v >= 1120 ? 31 : 0);
    EXPECT_EQ(s.start_marks[1], 8);
    EXPECT_EQ(s.one_char_name, Sjis("東"));
    EXPECT_EQ(s.short_name, Sjis(v >= 1150 ? "東京" : "東"));
    EXPECT_EQ(s.name, Sjis("東京駅"));
    EXPECT_EQ(map.targets[1].turn_time, s.turn_time);
    EXPECT_EQ(map.targets[1].short_name, s.short_name);
    EXPECT_EQ(map.targets[1].name, s.name);

    EXPECT_EQ(map.station_draws[1].station, 1);
    EXPECT_EQ(map.block_names[1].name_right, "d");
    EXPECT_EQ(map.details.count(), v >= 1150 ? 1u : 0u);
    EXPECT_EQ(map.jumps.count(), v == 1100 ? 0 : 1);
    if (v >= 1110) {
      ASSERT_EQ(map.signal_types.count(), 1);
      EXPECT_EQ(map.signal_types[1].name, Sjis("自"));
    } else {
      ASSERT_EQ(map.signal_types.count(), 2);
      EXPECT_EQ(map.signal_types[2].name, Sjis("４現示"));
    }
  };
  check(map);

  // Saved again in the current layout, it reads back the same.
  const std::string resaved = FormatMapText(map);
  EXPECT_NE(resaved.find("version=1220\n"), std::string::npos);
  MapContent again;
  ASSERT_EQ(ReadMembers(Members(resaved), again, prompter), MapReadResult::kRead);
  EXPECT_EQ(again.header.version, 1220);
  {
    SCOPED_TRACE("resaved");
    check(again);
  }
  EXPECT_EQ(FormatMapText(again), resaved);
}

INSTANTIATE_TEST_SUITE_P(MapFileOlderVersions, MapFileVersionTest,
                         ::testing::Values(1100, 1110, 1120, 1130, 1150));

std::map<std::string, std::string> EmptyMembers(const std::string& header) {
  std::map<std::string, std::string> members;
  for (const MapTableInfo& info : MapTables()) {
    if (info.member != nullptr) members[info.member] = "";
  }
  members[kMapHeaderMember] = header;
  members["m_signal_set.csv"] = Sjis(kSignalSets);
  members["m_signal.csv"] = Sjis(kSignals);
  return members;
}

TEST(MapFileTest, HeaderFallbacks) {
  struct Case {
    std::string map_lines;
    int signal_version;
    int max_speed;
  };
  const std::vector<Case> cases = {
      {"signal_version=1150\nSignalVersion=1200\nMaxSpeed=130\nMapMaxSpeed=95\n", 1200, 130},
      {"signal_version=1150\nMaxSpeed=0\nMapMaxSpeed=95\n", 1150, 95},
      {"SignalVersion=0\n", 1126, 120},
      {"", 1126, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.map_lines);
    MapContent map;
    ScriptedPrompter prompter;
    ASSERT_EQ(ReadMembers(EmptyMembers(HeaderText(1220, c.map_lines)), map, prompter),
              MapReadResult::kRead);
    EXPECT_EQ(map.header.settings.signal_version, c.signal_version);
    EXPECT_EQ(map.header.settings.max_speed, c.max_speed);
    EXPECT_EQ(map.header.map_code, 99999);
    EXPECT_EQ(map.header.time_units, TimeUnits{});
    EXPECT_EQ(map.header.settings.safety_device, kSafetyAts);
  }
  MapContent map;
  ScriptedPrompter prompter;
  ASSERT_EQ(ReadMembers(EmptyMembers(HeaderText(1220, "UseATC=1\nm_map_code=12\n")), map, prompter),
            MapReadResult::kRead);
  EXPECT_EQ(map.header.settings.safety_device, kSafetyAtc);
  EXPECT_EQ(map.header.map_code, 12);
}

TEST(MapFileTest, NewerVersionAsksAbortRetryIgnore) {
  const std::string warning =
      "このデータは、現在お使いの当ソフトウェアよりも新しいバージョンで作られています。\n"
      "当ソフトウェアのバージョンアップをおすすめします。\n"
      "読み込みを続けた場合、正しく動作しない可能性があります。\n";
  const std::pair<PromptAnswer, MapReadResult> answers[] = {
      {PromptAnswer::kAbort, MapReadResult::kFailed},
      {PromptAnswer::kRetry, MapReadResult::kRetry},
      {PromptAnswer::kIgnore, MapReadResult::kRead},
  };
  for (const auto& [answer, result] : answers) {
    MapContent map;
    ScriptedPrompter prompter({answer});
    EXPECT_EQ(ReadMembers(EmptyMembers(HeaderText(1221)), map, prompter), result);
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].text, warning);
    EXPECT_EQ(prompter.shown()[0].caption, "ファイル読み込み警告");
    EXPECT_EQ(prompter.shown()[0].buttons, PromptButtons::kAbortRetryIgnore);
    if (result == MapReadResult::kRead) {
      EXPECT_EQ(map.header.version, 1221);
    }
  }
  MapContent map;
  ScriptedPrompter prompter;
  EXPECT_EQ(ReadMembers(EmptyMembers(HeaderText(1220)), map, prompter), MapReadResult::kRead);
  EXPECT_TRUE(prompter.shown().empty());
}

TEST(MapFileTest, RowNumbersPlaceRecordsAndDetailsKeepFileOrder) {
  MapContent map;
  for (int x = 1; x <= 5; ++x) map.rails.Append(NewRail({x * 10, 1}, {x * 10 + 5, 1}, 1));
  auto members = EmptyMembers(HeaderText(1220));
  members["m_rail.csv"] = "  0,\n  2,  7,\n  5,  9,\n  6,  3,";  // the last line has no feed
  members["m_detail.csv"] = " 7,  3,\n 1,  1,\n 4,  2,\n";
  members["m_point.csv"] = "  0,\n";  // the null record needs no known kind
  ScriptedPrompter prompter;
  ASSERT_EQ(ReadMembers(members, map, prompter), MapReadResult::kRead);
  ASSERT_EQ(map.rails.count(), 5);
  EXPECT_EQ(map.rails[1].x1, 10);
  EXPECT_EQ(map.rails[2].x1, 7);
  EXPECT_EQ(map.rails[3].x1, 30);
  EXPECT_EQ(map.rails[4].x1, 40);
  EXPECT_EQ(map.rails[5].x1, 9);
  ASSERT_EQ(map.details.count(), 3u);
  EXPECT_EQ(map.details[1].rail, 3);
  EXPECT_EQ(map.details[2].rail, 1);
  EXPECT_EQ(map.details[3].rail, 2);
}

TEST(MapFileTest, UnusableRowsAreSkippedAndReported) {
  const std::string kind9 = "  2," + Cols({0, 0, 4, 2, 9, 2}) + "\n";
  struct Case {
    const char* member;
    std::string row;
    std::string reason;  // the message-window line naming the row, after "line N: "
  };
  const std::vector<Case> cases = {
      {"m_rail.csv", "8192,  1,\n", "record 8192 lies beyond the table's 8191 records"},
      {"m_rail.csv", " -1,  1,\n", "record -1 lies beyond the table's 8191 records"},
      {"m_point.csv", "1024,  0,  0,  4,  2, 1, 1,\n",
       "record 1024 lies beyond the table's 1023 records"},
      {"m_point.csv", kind9, "column 6: 9 is not between 1 and 8"},
      {"m_point.csv", "  2,  0,  0,  4,  2, 0, 1,\n", "column 6: 0 is not between 1 and 8"},
      {"m_point.csv", "  2,  0,  0,  4,  2, 1,21,\n", "column 7: 21 is not between 0 and 20"},
      {"m_point.csv", "  2,  0,  0,  4,  2, 1,-1,\n", "column 7: -1 is not between 0 and 20"},
      {"m_station.csv", "256,\n", "record 256 lies beyond the table's 255 records"},
      {"m_target.csv", "256,\n", "record 256 lies beyond the table's 255 records"},
      {"m_station_draw.csv", "1024,\n", "record 1024 lies beyond the table's 1023 records"},
      {"m_name_ar.csv", "256,a,b,c,d\n", "record 256 lies beyond the table's 255 records"},
      {"m_jump.csv", "1024,  1,  2,  3,  4,A\n",
       "record 1024 lies beyond the table's 1023 records"},
      {"m_signal_set.csv", "256,  0,x,y\n", "record 256 lies beyond the table's 255 records"},
      {"m_signal.csv", "  9,  0,1023,  0,  0,  0,x,y\n", "a band of no signal type 9"},
      {"m_signal.csv", "  2, -1,  46,255,  0,  0,x,y\n",
       "a band from -1 where one up to 1023 was due"},
      {"m_signal.csv", "  3, 50,  46,255,  0,  0,x,y\n",  // below the last band of type 3
       "a band from 50 where one up to -1 was due"},
  };
  // One good row in every table, then one bad row in one of them.
  MapContent good = FullMap();
  good.rails.SetCount(1);
  good.points.SetCount(1);
  good.stations.SetCount(1);
  good.details.SetCount(1);
  good.header.start.start_rail = 1;
  const auto good_members = Members(FormatMapText(good));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.member) + ": " + c.row);
    auto members = good_members;
    const auto lines_before = std::count(members[c.member].begin(), members[c.member].end(), '\n');
    members[c.member] += c.row;
    MapContent map;
    ScriptedPrompter prompter({PromptAnswer::kIgnore});
    std::vector<std::string> lines;
    ASSERT_EQ(ReadMembers(members, map, prompter, &lines), MapReadResult::kRead);
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].text,
              "データの読み込みに失敗しました。\n"
              "このまま続けた場合、正しく動作しない可能性があります。\n");
    EXPECT_EQ(prompter.shown()[0].caption, "ファイル読み込み警告");
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "読み込みファイル'" + std::string(c.member) + "'の内容が正しくありません。",
                  "line " + std::to_string(lines_before + 1) + ": " + c.reason}));
    EXPECT_EQ(map.rails.count(), 1);
    EXPECT_EQ(map.points.count(), 1);
    EXPECT_EQ(map.stations.count(), 1);
    EXPECT_EQ(map.station_draws.count(), 2);
    EXPECT_EQ(map.details.count(), 1u);
    EXPECT_EQ(map.signal_types.count(), 3);
    EXPECT_EQ(map.signal_types[2].aspects[0].band_low, 0);
    EXPECT_EQ(map.signal_types[2].aspects[1023].band_low, 106);
  }

  // A member with many unusable rows names the first twenty and counts the rest.
  {
    auto members = good_members;
    for (int i = 0; i < 25; ++i) members["m_jump.csv"] += "1024,  1,  2,  3,  4,A\n";
    MapContent map;
    ScriptedPrompter prompter({PromptAnswer::kIgnore});
    std::vector<std::string> lines;
    ASSERT_EQ(ReadMembers(members, map, prompter, &lines), MapReadResult::kRead);
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines.back(), "and 5 more lines");
  }

  // Abort abandons the window, Retry asks for another file.
  auto members = good_members;
  members["m_point.csv"] += kind9;
  for (const auto& [answer, result] : {std::pair{PromptAnswer::kAbort, MapReadResult::kCloseWindow},
                                       std::pair{PromptAnswer::kRetry, MapReadResult::kRetry}}) {
    MapContent map;
    ScriptedPrompter prompter({answer});
    EXPECT_EQ(ReadMembers(members, map, prompter), result);
  }

  // A start point naming no record is cleared.
  for (const char* start : {"start_rail=2\n", "start_station=-1\n", "start_target=2\n"}) {
    SCOPED_TRACE(start);
    auto members = good_members;
    members[kMapHeaderMember] = HeaderText(1220, "", "m_jump.csv", start);
    MapContent map;
    ScriptedPrompter prompter({PromptAnswer::kIgnore});
    std::vector<std::string> lines;
    ASSERT_EQ(ReadMembers(members, map, prompter, &lines), MapReadResult::kRead);
    EXPECT_EQ(prompter.shown().size(), 1u);
    std::string key_value = start;
    key_value.pop_back();
    EXPECT_EQ(lines,
              (std::vector<std::string>{"読み込みファイル'temp.kv1'の内容が正しくありません。",
                                        "[MapData] " + key_value + ": no such record"}));
    EXPECT_EQ(map.header.start.start_rail, 0);
    EXPECT_EQ(map.header.start.start_station, 0);
    EXPECT_EQ(map.header.start.start_target, 0);
  }
}

TEST(MapFileTest, LongLinesAndTextsAreClipped) {
  auto members = EmptyMembers(HeaderText(1220, "m_map_name=" + Repeat("名", 200) + "\n"));
  const std::string long_text = Repeat(Sjis("長"), 150);
  members["m_name_ar.csv"] = " 1," + Sjis("A") + Repeat(Sjis("短"), 12) + "," + long_text + ",x,y" +
                             Repeat(",", 500) + "\n" + Repeat(",", 400) + "\n";
  members["m_jump.csv"] = "  1,  1,  2,  3,  4," + Sjis("J") + Repeat(Sjis("跳"), 15) + "\n";
  members["m_rail.csv"] = "  1," + Repeat(" 7,", 300) + "\n";
  MapContent map;
  ScriptedPrompter prompter;
  ASSERT_EQ(ReadMembers(members, map, prompter), MapReadResult::kRead);
  EXPECT_TRUE(prompter.shown().empty());
  EXPECT_EQ(map.header.map_name, Repeat(Sjis("名"), 127));
  ASSERT_EQ(map.block_names.count(), 1);
  EXPECT_EQ(map.block_names[1].short_left, Sjis("A") + Repeat(Sjis("短"), 9));
  EXPECT_EQ(map.block_names[1].name_left, Repeat(Sjis("長"), 127));
  EXPECT_EQ(map.block_names[1].name_right, "y");
  EXPECT_EQ(map.jumps[1].name, Sjis("J") + Repeat(Sjis("跳"), 11));
  EXPECT_EQ(map.rails[1].target_name, 7);
  EXPECT_EQ(map.rails[1].name_right, " 7");
}

TEST(MapFileTest, MissingTableFileIsReported) {
  MapContent full = FullMap();
  ScratchFolder folder;
  for (const auto& [name, content] : Members(FormatMapText(full))) {
    if (name != "m_point.csv") {
      ASSERT_TRUE(WriteFileBytes(folder.File(name), content));
    }
  }
  MapContent map;
  ScriptedPrompter prompter({PromptAnswer::kAbort});
  EXPECT_EQ(ReadMapHeader(folder.File("temp.kv1"), OldMapFolder(), map, prompter),
            MapReadResult::kCloseWindow);
  ASSERT_EQ(prompter.shown().size(), 2u);
  EXPECT_EQ(prompter.shown()[0].text,
            "読み込みファイル'" + folder.File("m_point.csv") + "'は開けませんでした。\n");
  EXPECT_EQ(prompter.shown()[0].caption, "ファイル読み込みエラー");
  EXPECT_EQ(prompter.shown()[1].buttons, PromptButtons::kAbortRetryIgnore);

  // Going on with the tables read so far: the start point still has to name
  // a record that was read.
  MapContent partial;
  ASSERT_TRUE(WriteFileBytes(folder.File("m_rail.csv"), "  0,\n  1,  1,  1,  5,  1,\n"));
  ScriptedPrompter ignoring({PromptAnswer::kOk, PromptAnswer::kIgnore});
  EXPECT_EQ(ReadMapHeader(folder.File("temp.kv1"), OldMapFolder(), partial, ignoring),
            MapReadResult::kRead);
  EXPECT_EQ(partial.rails.count(), 1);
  EXPECT_EQ(partial.header.start.start_rail, 0);
  EXPECT_EQ(partial.header.start.start_station, 0);

  // No header at all.
  ScriptedPrompter quiet;
  EXPECT_EQ(ReadMapHeader(folder.File("none.kv1"), OldMapFolder(), map, quiet),
            MapReadResult::kFailed);
  ASSERT_EQ(quiet.shown().size(), 1u);
  EXPECT_EQ(quiet.shown()[0].text,
            "読み込みファイル'" + folder.File("none.kv1") + "'は開けませんでした。\n");
}

}  // namespace
}  // namespace corvane
