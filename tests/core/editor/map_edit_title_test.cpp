#include "editor/map_edit_title.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/map_edit_menu.h"
#include "editor/value_names.h"
#include "map/start_walk.h"
#include "support/map_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

constexpr char kCaption[] = "line - マップ編集ウインドウ";

class MapEditTitleTest : public ::testing::Test {
 protected:
  MapEditTitleTest() {
    MapStation station;
    station.short_name = Sjis("東町");
    station.name = Sjis("東町駅");
    session_.AddStation(station);
    MapTarget target;
    target.name = Sjis("信号場");
    session_.AddStopSection(target);
    MapSignalType signal;
    signal.name = Sjis("3灯式");
    MapChange(map_).signal_types().Append(signal);
    map_.MarkSaved();
  }

  std::string Title(bool english = false) const {
    return MapEditTitle(kCaption, session_, english);
  }
  std::string Suffix(bool english = false) const {
    return Title(english).substr(std::string(kCaption).size());
  }

  EditMap map_;
  ScriptedPrompter prompter_;
  testing::ConfirmingDialogs dialogs_;
  EditSession session_{map_, prompter_, dialogs_};
};

TEST_F(MapEditTitleTest, NoToolShowsTheSafetyDeviceAndTheEditedMark) {
  EXPECT_EQ(Title(), std::string(kCaption) + "  保安装置：ＡＴＳ  ");
  MapChange(map_).header().settings.safety_device = kSafetyAtc;
  EXPECT_EQ(Title(), std::string(kCaption) + "  保安装置：ＡＴＣ  （更新）");
  EXPECT_EQ(Title(true), std::string(kCaption) + "    <ATC>  (Edited)");
}

TEST_F(MapEditTitleTest, PlacingToolsNameTheirDirectionAndStation) {
  session_.ChooseMode(EditMode::kTrack, kLeftwardOnly);
  EXPECT_EQ(Suffix(), "  ＜線路追加モード（←方向）＞");
  EXPECT_EQ(Suffix(true), "  <Track Section Add Mode (Leftward)>");

  session_.ChooseMode(EditMode::kStation);
  EXPECT_EQ(Suffix(), "  ＜駅設定モード＞　東町駅");
  EXPECT_EQ(Suffix(true), "  <Station Mode>  東町駅");
  session_.ChooseMode(EditMode::kStopSectionYard);
  EXPECT_EQ(Suffix(), "  ＜駅外停車区画構内設定モード＞　信号場");
  session_.ChooseMode(EditMode::kStationDrawing);
  EXPECT_EQ(Suffix(), "  ＜駅描画追加モード＞　東町駅");
}

TEST_F(MapEditTitleTest, SelectionCountsItsMarks) {
  MapChange(map_).rails().Append(NewRail({2, 5}, {6, 5}, kBothWays));
  MapChange(map_).rails().Append(NewRail({6, 5}, {9, 3}, kBothWays));
  session_.ChooseMode(EditMode::kSelect, static_cast<int>(SelectionKind::kBatch));
  EXPECT_EQ(Suffix(), "  ＜一括選択モード＞　（選択：0オブジェクト）");
  session_.selection().Set(MapTable::kRail, 1, true);
  session_.selection().Set(MapTable::kRail, 2, true);
  EXPECT_EQ(Suffix(), "  ＜一括選択モード＞　（選択：2オブジェクト）");
  EXPECT_EQ(Suffix(true), "  <Batch Selection Mode>  (Selected: 2 objects)");
  session_.RunCommand(kCmdMove);
  EXPECT_EQ(Suffix(), "  ＜移動モード＞");
}

TEST_F(MapEditTitleTest, SettersShowTheirValue) {
  ToolValues& values = session_.tool_values();
  session_.ChooseMode(EditMode::kElectric);
  EXPECT_EQ(Suffix(), "  ＜電化方式設定モード＞　直流 1500[V]");
  values.electric = 4;
  EXPECT_EQ(Suffix(), "  ＜電化方式設定モード＞　交流20000[V]");
  EXPECT_EQ(Suffix(true), "  <Electrification Mode>  AC20000[V]");

  session_.ChooseMode(EditMode::kSignalRightward);
  EXPECT_EQ(Suffix(), "  ＜信号設定モード（→方向）＞　3灯式");
  values.signal_type = 0;
  EXPECT_EQ(Suffix(), "  ＜信号設定モード（→方向）＞　（次区画参照）");

  session_.ChooseMode(EditMode::kSpeedLimit);
  EXPECT_EQ(Suffix(), "  ＜制限速度設定モード＞　制限なし");
  values.speed_limit = 45;
  EXPECT_EQ(Suffix(), "  ＜制限速度設定モード＞　45km/h");

  values.distance = 280;
  session_.ChooseMode(EditMode::kLength);
  EXPECT_EQ(Suffix(), "  ＜線路距離設定モード＞　280m");

  // A name with a percent sign stays as typed.
  session_.ChooseMode(EditMode::kManualName);
  values.names.name_left = Sjis("東%s");
  values.names.name_right = Sjis("西");
  EXPECT_EQ(Suffix(), "  ＜名称設定モード＞　←方向：東%s　→方向：西");
  EXPECT_EQ(Suffix(true), "  <Name Mode>  Leftward: 東%s  Rightward: 西");
}

TEST_F(MapEditTitleTest, StartPointToolNamesTheFirstStationReached) {
  session_.ChooseMode(EditMode::kStartPoint);
  EXPECT_EQ(Suffix(), "  ＜起点指定モード＞　起点：未指定");
  MapChange(map_).header().first_target = 1;
  EXPECT_EQ(Suffix(), "  ＜起点指定モード＞　起点：信号場");
  MapChange(map_).header().first_station = 1;
  EXPECT_EQ(Suffix(), "  ＜起点指定モード＞　起点：東町駅");
}

TEST_F(MapEditTitleTest, EveryToolHasItsOwnTitleInBothLanguages) {
  const std::string plain = MapEditTitle(kCaption, map_, false);
  for (int number = 2; number <= 42; ++number) {
    if (number > 34 && number < 39) continue;
    const EditMode mode = static_cast<EditMode>(number);
    if (mode == EditMode::kMove || mode == EditMode::kStartDistance) continue;
    session_.SetMode(EditMode::kNone);  // no bulk setting on a selection
    session_.ChooseMode(mode);
    ASSERT_EQ(session_.mode(), mode) << number;
    session_.tool_values().name_entry = 0;  // no naming-table texts in the title
    SCOPED_TRACE(number);
    const std::string japanese = Title();
    EXPECT_NE(japanese, plain);
    EXPECT_EQ(japanese.rfind(std::string(kCaption) + "  ＜", 0), 0u) << japanese;
    EXPECT_EQ(japanese.find('%'), std::string::npos) << japanese;
    // The English twin is plain ASCII around the caption and the names.
    std::string english = Suffix(true);
    for (const std::string& name :
         {std::string("東町駅"), std::string("信号場"), std::string("3灯式")}) {
      if (const auto at = english.find(name); at != std::string::npos)
        english.erase(at, name.size());
    }
    EXPECT_EQ(english.rfind("  <", 0), 0u) << english;
    for (const char c : english) EXPECT_GE(c, 0) << english;
  }
}

TEST(ValueNamesTest, ElectricKindsAndSignalList) {
  EXPECT_EQ(ElectricKindName(0, false), "非電化");
  EXPECT_EQ(ElectricKindName(kDefaultElectric, false), "直流 1500[V]");
  EXPECT_EQ(ElectricKindName(5, true), "AC25000[V]");
  EXPECT_EQ(ElectricKindName(-1, false), "");
  EXPECT_EQ(ElectricKindName(kElectricKindCount, true), "");

  EditMap map;
  EXPECT_EQ(SignalTypeListName(map, 0, false), "（次区画参照）");
  EXPECT_EQ(SignalTypeListName(map, 0, true), "(Next Section)");
  EXPECT_EQ(SignalTypeListName(map, 1, false), "");
  MapSignalType signal;
  signal.name = Sjis("出発");
  MapChange(map).signal_types().Append(signal);
  EXPECT_EQ(SignalTypeListName(map, 1, true), "出発");
}

}  // namespace
}  // namespace corvane
