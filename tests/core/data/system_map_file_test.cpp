#include "data/system_map_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "example_dia.h"
#include "support/dia_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::FinishCompiledMap;
using testing::MemberText;
using testing::ReadMemberText;
using testing::Sjis;

// Every member of `map` read into a map sized from its counts.
SystemMap RoundTrip(const SystemMap& map, int version = 1220) {
  SystemMap read(map.Counts());
  for (const DiaMemberHandler* handler : CompiledMapMembers()) {
    const DiaMemberInfo& info = handler->info();
    std::string problem;
    EXPECT_TRUE(ReadMemberText(info.member, MemberText(info.member, map), version, read, &problem))
        << info.file << ": " << problem;
  }
  std::string problem;
  EXPECT_TRUE(FinishCompiledMap(read, version, &problem)) << problem;
  return read;
}

TEST(SystemMapFileTest, EveryMemberRoundTripsByteForByte) {
  const SystemMap map = SampleSystemMap();
  const SystemMap read = RoundTrip(map);
  for (const DiaMemberHandler* handler : CompiledMapMembers()) {
    const DiaMember member = handler->info().member;
    EXPECT_EQ(MemberText(member, read), MemberText(member, map)) << handler->info().file;
  }
  EXPECT_EQ(read.rails[1].direction, 1);  // leaves at the left
  EXPECT_EQ(read.rails[2].direction, 2);
  ASSERT_EQ(read.targets[1].tracks.size(), 1u);
  EXPECT_EQ(read.targets[1].tracks[0].short_name.view(), "1");
  EXPECT_EQ(read.targets[1].tracks[0].name, Sjis("01番線"));
  EXPECT_EQ(read.rows[0].y, 100);  // the preset first row, kept
  EXPECT_EQ(read.rows[1].x_shift, -30);
}

TEST(SystemMapFileTest, LayoutsAsWritten) {
  const SystemMap map = SampleSystemMap();
  const std::string rail = MemberText(DiaMember::kRail, map);
  EXPECT_EQ(rail.substr(rail.find('\n') + 1),
            "  1,  1,  1,  1, 1,  2,  3,  4, 85, 600,  -2,   0,   2,   1, 280,-5,-800,  9, 1,"
            "  20,  80,  60,  60," +
                Sjis("東町1") + "," + Sjis("東町駅1番線") + "\n" +
                "  2,  1,  1,  1, 1,  2,  3,  4, 85, 600,   0,   0,   1,   1, 280, 5, 800,  9, 1,"
                "  80,  20,  60,  60," +
                Sjis("東町1") + "," + Sjis("東町駅1番線") + "\n");
  EXPECT_EQ(MemberText(DiaMember::kPoint1, map), " 1, 0, 2, 2,2, 0,1,  50, 72,AA,\n");
  EXPECT_EQ(MemberText(DiaMember::kPoint2, map),
            " 1,  1,0,   0,   0,1,   0,   1,  2,0,  -2,   0,0,   0,   0,\n");
  const std::string draws = MemberText(DiaMember::kStationDraw, map);
  EXPECT_EQ(draws.substr(draws.find('\n') + 1), " 1, 1,1,  20,  80,  48,  72\n");
  EXPECT_EQ(MemberText(DiaMember::kSignal, map),
            "  1, 46,1023,  0,200, 80," + Sjis("進行") + ",Signal_G.bmp\n" +
                "  1,  0,  46,255,  0,  0," + Sjis("停止") + ",Signal_R.bmp\n");

  // A point without entries writes its number alone.
  SystemMap bare;
  bare.points.Append(PointRecord{});
  EXPECT_EQ(MemberText(DiaMember::kPoint2, bare), " 1,\n");
  // A set of one band is one row covering every speed.
  MapSignalType one;
  bare.signal_sets.Append(one);
  EXPECT_EQ(MemberText(DiaMember::kSignal, bare), "  1,  0,   0,255,255,255,,\n");
}

TEST(SystemMapFileTest, OlderVersionsLackColumnsAndMembers) {
  // Before 1130: no lever columns, and a leftward rail's ends lie 2 lower.
  SystemMap map(SystemMapCounts{});
  std::string problem;
  ASSERT_TRUE(ReadMemberText(DiaMember::kRail,
                             "  0,\n  1,  0,  0,  0, 0, 90, 400,   0,   0,   0,   0,   0,  0, 1,"
                             "  10,  50,  62,  62,a,b\n",
                             1120, map, &problem))
      << problem;
  ASSERT_TRUE(FinishCompiledMap(map, 1120, &problem)) << problem;
  const RailRecord& r = map.rails[1];
  EXPECT_EQ(r.speed_limit, 90);
  EXPECT_EQ(r.length, 400);
  EXPECT_EQ(r.lever, 0);
  EXPECT_EQ(r.gradient, 0);
  EXPECT_EQ(r.direction, 1);
  EXPECT_EQ(r.y_exit, 60);
  EXPECT_EQ(r.short_name.view(), "a");

  // Members a version did not have are not read.
  SystemMap old(SystemMapCounts{});
  EXPECT_TRUE(
      ReadMemberText(DiaMember::kJump, " 1, 0,1,1,   1,   2,   3,   4,x,\n", 1100, old, &problem));
  EXPECT_EQ(old.jumps.count(), 0);
  EXPECT_EQ(old.jumps[0].from_row, 0);  // record 0 holds no data, read or not
  EXPECT_EQ(old.jumps[0].to_row, 0);
  EXPECT_TRUE(ReadMemberText(DiaMember::kRow, " 0,  1,  2,    3,    4\n", 1000, old, &problem));
  EXPECT_EQ(old.rows[0].y, 100);

  // Data of 1230 has two more target columns: read, never written.
  SystemMap newer(SystemMapCounts{});
  ASSERT_TRUE(ReadMemberText(DiaMember::kTarget,
                             " 1, 0, 1, 2, 3,1,1,   5,  -1,  -1,  -1,  -1,  -1,  -1,  -1,  -1,"
                             "  -1,A,B,C\n",
                             1230, newer, &problem));
  EXPECT_EQ(newer.targets[1].target_aux3, 1);
  EXPECT_EQ(newer.targets[1].start_marks[0], 5);
  EXPECT_EQ(newer.targets[1].name.view(), "C");
  EXPECT_EQ(MemberText(DiaMember::kTarget, newer).find(" 3,1,1,"), std::string::npos);
}

TEST(SystemMapFileTest, EdgesOfTheTextForm) {
  SystemMap map(SystemMapCounts{});
  std::string problem;
  // Only row 0: an empty table.
  ASSERT_TRUE(ReadMemberText(DiaMember::kRail, "  0,  0,\n", 1220, map, &problem));
  EXPECT_EQ(map.rails.count(), 0);
  // Equal ends read as rightward; the last line without a line feed is not
  // read; a comma in a name cuts it there.
  ASSERT_TRUE(ReadMemberText(DiaMember::kRail,
                             "  1,  0,  0,  0, 0,  0,  0,  0,  0, 100,   0,   0,   0,   0,   0, 0,"
                             "   0,  0, 1,  30,  30,  12,  12,ab,c,d\n  2,",
                             1220, map, &problem));
  ASSERT_TRUE(FinishCompiledMap(map, 1220, &problem)) << problem;
  EXPECT_EQ(map.rails.count(), 1);
  EXPECT_EQ(map.rails[1].direction, 2);
  EXPECT_EQ(map.rails[1].name.view(), "c");
}

TEST(SystemMapFileTest, DamagedMembersAreRefusedWithTheirLine) {
  SystemMapCounts counts;
  counts.rails = 2;
  counts.points = 1;
  std::string problem;
  {
    SystemMap map(counts);
    EXPECT_FALSE(ReadMemberText(DiaMember::kRail, "  0,\n  3,\n", 1220, map, &problem));
    EXPECT_NE(problem.find("line 2"), std::string::npos) << problem;
  }
  {
    SystemMap map(counts);
    EXPECT_FALSE(ReadMemberText(DiaMember::kPoint1, " 1, 0,21, 2,2, 0,1,  50, 72,AA,\n", 1220, map,
                                &problem));  // 21 positions do not fit the matrices
    EXPECT_FALSE(ReadMemberText(DiaMember::kPoint2, " 7,\n", 1220, map, &problem));
  }
  {
    SystemMap map = SampleSystemMap();
    map.rails[1].l_next = 99;
    SystemMap read(map.Counts());
    for (const DiaMemberHandler* handler : CompiledMapMembers()) {
      const DiaMember member = handler->info().member;
      ReadMemberText(member, MemberText(member, map), 1220, read, &problem);
    }
    EXPECT_FALSE(FinishCompiledMap(read, 1220, &problem));
    EXPECT_EQ(problem, "rail 1: a link to no rail");
  }
  for (const int route : {99, -99, INT_MIN}) {
    // Throwing the point would make it a rail's link.
    SystemMap map = SampleSystemMap();
    map.points[1].route_value_b[1][1] = route;
    SystemMap read(map.Counts());
    for (const DiaMemberHandler* handler : CompiledMapMembers()) {
      const DiaMember member = handler->info().member;
      ReadMemberText(member, MemberText(member, map), 1220, read, &problem);
    }
    EXPECT_FALSE(FinishCompiledMap(read, 1220, &problem));
    EXPECT_EQ(problem, "point 1: a route to no rail");
  }
  {
    SystemMap map(counts);
    map.signal_sets.Append(MapSignalType{});
    EXPECT_FALSE(ReadMemberText(DiaMember::kSignal,
                                "  1,  0,   0,255,  0,  0,a,b\n  1, 40,  50,  0,  0,  0,c,d\n",
                                1220, map, &problem));  // bands must come from the top down
  }
}

}  // namespace
}  // namespace corvane
