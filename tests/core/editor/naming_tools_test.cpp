// The naming tools' clicks: block names numbered from the stations either
// side, yard, station and stop-section names cut by characters, and walks
// that end on rings of track.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/tool_handlers.h"
#include "map/map_change.h"
#include "support/edit_session_fixture.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

class NamingToolsTest : public testing::EditSessionTest {
 protected:
  // Segments 2-4, 4-6, 6-8, 8-10, 10-12 on row 5 with `direction`; the first
  // in station 1 (東町), the last in station 2 (西町).
  void Line(int direction) {
    Draw(direction, {{2, 5}, {4, 5}, {6, 5}, {8, 5}, {10, 5}, {12, 5}});
    MapChange change(map_);
    for (const char* name : {"東町", "西町"}) {
      MapStation s;
      s.short_name = Sjis(name);
      s.name = Sjis(std::string(name) + "駅");
      change.stations().Append(s);
    }
    change.rails()[1].station = 1;
    change.rails()[5].station = 2;
  }
  void ClickRail(void (*click)(EditSession&, int, int), int rail) {
    const MapRail& r = map_.rails()[rail];
    click(session_, (r.x1 + r.x2) * kCellWidth / 2, (r.y1 + r.y2) * kCellHeight / 2);
  }
  std::string Text(const ShortText& t) const { return SjisToUtf8(t.view()); }
  std::string Text(const LongText& t) const { return SjisToUtf8(t.view()); }
};

TEST_F(NamingToolsTest, FullAutomaticBlocksCountFromTheStationATrainApproaches) {
  Line(kBothWays);
  ClickRail(BlockNameAutoClick, 3);
  const auto& rails = map_.rails();
  for (int i = 2; i <= 4; ++i) {
    EXPECT_EQ(Text(rails[i].short_left), "東＝西0" + std::to_string(i - 1));
    EXPECT_EQ(Text(rails[i].name_left), "東町＝西町第0" + std::to_string(i - 1) + "閉塞");
    EXPECT_EQ(Text(rails[i].short_right), "東＝西0" + std::to_string(5 - i));
    EXPECT_EQ(rails[i].block_auto, 1);
  }
  // The station segments are no part of the run, and clicking one does nothing.
  EXPECT_TRUE(rails[1].short_left.empty());
  const std::string before = FormatMapText(map_.content());
  ClickRail(BlockNameAutoClick, 1);
  ClickRail(BlockNameSemiClick, 5);
  EXPECT_EQ(FormatMapText(map_.content()), before);
}

TEST_F(NamingToolsTest, OneWayRunKeepsTheTextsOfItsOtherSide) {
  Line(kLeftwardOnly);
  {
    MapChange change(map_);
    change.rails()[3].short_right = "keep";
  }
  ClickRail(BlockNameAutoClick, 2);
  EXPECT_EQ(Text(map_.rails()[2].short_left), "東←西01");
  EXPECT_EQ(Text(map_.rails()[4].name_left), "東町←西町第03閉塞");
  EXPECT_EQ(Text(map_.rails()[3].short_right), "keep");
  EXPECT_TRUE(map_.rails()[2].short_right.empty());
}

TEST_F(NamingToolsTest, ARingOfPlainTrackEndsTheWalks) {
  Draw(kBothWays, {{2, 5}, {4, 5}, {6, 5}});
  {
    MapChange change(map_);
    MapJump jump;
    jump.ax = 6, jump.ay = 5, jump.bx = 2, jump.by = 5;
    change.jumps().Append(jump);
  }
  ClickRail(BlockNameAutoClick, 1);  // returns: no station either side
  // Each segment of the ring numbered once each way.
  std::set<std::string> numbers;
  for (int i = 1; i <= 2; ++i) {
    numbers.insert(Text(map_.rails()[i].short_left));
    EXPECT_EQ(map_.rails()[i].block_auto, 1);
  }
  EXPECT_EQ(numbers, (std::set<std::string>{"01", "02"}));
}

TEST_F(NamingToolsTest, PlaceNamesAreCutByCharactersAndTakeTheEntrysTexts) {
  Line(kBothWays);
  {
    MapChange change(map_);
    change.stations()[1].short_name = Sjis("A東町");  // 5 bytes: "A東" fits in 4
    change.stations()[1].name = Sjis("東西南北中央駅");
    MapNameEntry entry;
    entry.short_left = Sjis("上");
    entry.name_left = Sjis("上り");
    entry.short_right = Sjis("下");
    entry.name_right = Sjis("下り");
    change.names(NameTable::kStation).Append(entry);
    change.rails()[2].yard_station = 2;
  }
  session_.tool_values().name_entry = map_.Names(NameTable::kStation).count();
  ClickRail(StationNameClick, 1);
  const MapRail& r = map_.rails()[1];
  EXPECT_EQ(Text(r.short_left), "A東上");
  EXPECT_EQ(Text(r.name_left), "東西南北上り");
  EXPECT_EQ(Text(r.name_right), "東西南北下り");
  EXPECT_EQ(r.station_name, session_.tool_values().name_entry);

  // A yard segment takes its yard station's names with the yard entry.
  session_.tool_values().name_entry = 1;
  ClickRail(YardNameClick, 2);
  EXPECT_EQ(map_.rails()[2].yard_name, 1);
  EXPECT_EQ(Text(map_.rails()[2].short_left).rfind("西町", 0), 0u);
}

TEST_F(NamingToolsTest, ManualTextsGoToTheSegmentClicked) {
  Line(kBothWays);
  session_.tool_values().names.short_left = "L";
  session_.tool_values().names.name_right = "right";
  ClickRail(ManualNameClick, 3);
  EXPECT_EQ(Text(map_.rails()[3].short_left), "L");
  EXPECT_EQ(Text(map_.rails()[3].name_right), "right");
  EXPECT_TRUE(map_.modified());
}

}  // namespace
}  // namespace corvane
