#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/dialog_layout.h"
#include "base/dialog_model.h"
#include "editor/edit_dialogs.h"
#include "editor/rail_info_dialog.h"
#include "editor/station_dialogs.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

// Sets a field as the user would and lets the model follow.
void Set(DialogModel& dialog, const std::string& id, const std::string& text) {
  DialogField* field = dialog.Find(id);
  ASSERT_NE(field, nullptr) << id;
  field->text = text;
  dialog.Changed(id);
}
void Pick(DialogModel& dialog, const std::string& id, int item) {
  dialog.Find(id)->item = item;
  dialog.Changed(id);
}
void Check(DialogModel& dialog, const std::string& id, bool checked, const std::string& text) {
  DialogField* field = dialog.Find(id);
  field->checked = checked;
  field->text = text;
  dialog.Changed(id);
}

// The refusal texts a dialog showed, in order.
std::vector<std::string> Shown(const ScriptedPrompter& prompter) {
  std::vector<std::string> texts;
  for (const ShownPrompt& shown : prompter.shown()) texts.push_back(shown.text);
  return texts;
}

// A map with two stations, a stop section, a segment of length 100 in
// station 1 (direction given) and a turnout.
class EditorDialogsTest : public ::testing::Test {
 protected:
  void Build(int direction) {
    MapChange change(map_);
    for (const char* name : {"東町", "西浜"}) {
      MapStation station;
      station.name = Sjis(name);
      change.stations().Append(station);
    }
    MapTarget siding;
    siding.name = Sjis("引上線");
    change.targets().Append(siding);
    MapRail rail = NewRail({0, 1}, {1, 1}, direction);
    rail.station = rail.yard_station = 1;
    rail.stop_left = rail.stop_right = 50;
    change.rails().Append(rail);
    MapPoint point;
    point.point_key = "A";
    change.points().Append(point);
    change.points().Append(MapPoint{});
    change.signal_types().Append({});
  }

  EditMap map_;
  ScriptedPrompter prompter_;
};

TEST_F(EditorDialogsTest, StopTargetsMustLieFiveMetresInsideAStationSegment) {
  Build(kBothWays);
  struct Case {
    std::string left, right;
    const char* refusal;  // nullptr: accepted
  };
  const Case cases[] = {
      {"5", "95", nullptr},
      {"0", "95", nullptr},
      {"4", "50", "停止目標距離が小さすぎます。\n"},
      {"50", "96", "停止目標距離が大きすぎます。\n"},
      {"96", "4", "停止目標距離が大きすぎます。\n"},  // the leftward one is checked first
      {"0", "0", "停止目標距離が設定されていません。\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left + "/" + c.right);
    RailInfoDialog dialog(map_, 1, false, false);
    EXPECT_EQ(dialog.Find("station")->item, 1);
    Set(dialog, "stop_left", c.left);
    Set(dialog, "stop_right", c.right);
    prompter_.ClearShown();
    EXPECT_EQ(dialog.Accept(prompter_), c.refusal == nullptr);
    if (c.refusal != nullptr) {
      EXPECT_EQ(Shown(prompter_), std::vector<std::string>{c.refusal});
      EXPECT_EQ(prompter_.shown()[0].caption, "入力データエラー");
    } else {
      EXPECT_EQ(dialog.rail().stop_left, std::stoi(c.left));
      EXPECT_EQ(dialog.rail().stop_right, std::stoi(c.right));
    }
  }
  // Speed and length come first.
  RailInfoDialog dialog(map_, 1, false, false);
  Check(dialog, "speed", true, "0");
  Set(dialog, "length", "0");
  prompter_.ClearShown();
  EXPECT_FALSE(dialog.Accept(prompter_));
  Check(dialog, "speed", false, "");
  EXPECT_FALSE(dialog.Accept(prompter_));
  EXPECT_EQ(Shown(prompter_),
            (std::vector<std::string>{"制限速度は、正の値でなければなりません。\n",
                                      "区間距離は、正の値でなければなりません。\n"}));
}

TEST_F(EditorDialogsTest, ANewLengthClampsOnlyTheStopTargetsTheDialogDoesNotStore) {
  Build(kBothWays);
  {
    RailInfoDialog dialog(map_, 1, false, false);
    Set(dialog, "length", "200");
    Set(dialog, "stop_left", "195");
    Set(dialog, "stop_right", "0");
    ASSERT_TRUE(dialog.Accept(prompter_));
    EXPECT_EQ((std::vector<int>{dialog.rail().stop_left, dialog.rail().stop_right}),
              (std::vector<int>{195, 0}));
  }
  // A station the map does not hold: the fields stay empty, and the held
  // targets follow the new length.
  MapChange(map_).rails()[1].station = 9;
  RailInfoDialog dialog(map_, 1, false, false);
  EXPECT_FALSE(dialog.Find("stop_left")->enabled);
  Set(dialog, "length", "60");
  ASSERT_TRUE(dialog.Accept(prompter_));
  const MapRail& rail = dialog.rail();
  EXPECT_EQ((std::vector<int>{rail.station, rail.stop_left, rail.stop_right}),
            (std::vector<int>{9, 40, 40}));
}

TEST_F(EditorDialogsTest, StationListDecidesOverStopTargetsAndGradientIsConfirmed) {
  Build(kRightwardOnly);
  RailInfoDialog dialog(map_, 1, false, false);
  // A one-way segment: the leftward group cannot be changed.
  EXPECT_FALSE(dialog.Find("short_left")->enabled);
  EXPECT_FALSE(dialog.Find("stop_left")->enabled);
  EXPECT_TRUE(dialog.Find("stop_right")->enabled);
  EXPECT_EQ(dialog.Find("stop_right")->text, "50");
  // Out of the station: the stop fields are empty and read-only.
  Pick(dialog, "station", 0);
  EXPECT_EQ(dialog.Find("stop_right")->text, "");
  EXPECT_FALSE(dialog.Find("stop_right")->enabled);
  // Into the stop section (after both stations in the combined list).
  ASSERT_EQ(dialog.Find("station")->items,
            (std::vector<std::string>{"（駅外）", "東町", "西浜", "引上線"}));
  Pick(dialog, "station", 3);
  EXPECT_EQ(dialog.Find("stop_right")->text, "50");
  Set(dialog, "stop_right", "60");
  Set(dialog, "gradient", "3");
  Set(dialog, "short_right", "下り");
  prompter_.Queue(PromptAnswer::kNo);
  EXPECT_FALSE(dialog.Accept(prompter_));
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].caption, "設定確認");
  prompter_.Queue(PromptAnswer::kYes);
  ASSERT_TRUE(dialog.Accept(prompter_));
  const MapRail& rail = dialog.rail();
  EXPECT_EQ(
      (std::vector<int>{rail.station, rail.target, rail.stop_left, rail.stop_right, rail.gradient}),
      (std::vector<int>{0, 1, 50, 60, 3}));
  EXPECT_EQ(rail.short_right, Sjis("下り"));
  EXPECT_TRUE(rail.short_left.empty());
}

TEST_F(EditorDialogsTest, DetailEntriesAreCheckedInOrderOnACopyOfTheList) {
  Build(kBothWays);
  {
    MapChange change(map_);
    change.details().Append({1, 0, 10, 20, 45, 0, 0});
    change.details().Append({0, 1, 0, 50, 25, 0, 0});  // the turnout's
  }
  RailInfoDialog dialog(map_, 1, false, false);
  EXPECT_EQ(dialog.Find("details")->items, std::vector<std::string>{"10m-20m: 45km/h 0‰ 0m"});
  EXPECT_FALSE(dialog.FindButton("replace")->enabled);
  EXPECT_EQ(dialog.Find("detail_end")->text, "100");
  ScriptDialogHost host(prompter_);
  struct Case {
    std::string start, end;
    const char* refusal;
  };
  const Case cases[] = {
      {"-1", "-1", "開始位置は、正の値にしてください。\n"},
      {"101", "-1", "開始位置は、区間長より小さくしてください。\n"},
      {"0", "-1", "終了位置は、正の値にしてください。\n"},
      {"0", "101", "終了位置は、区間長より小さくしてください。\n"},
      {"50", "40", "開始位置は、終了位置より小さくしてください。\n"},
      {"0", "100", nullptr},
      {"40", "40", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start + "-" + c.end);
    Set(dialog, "detail_start", c.start);
    Set(dialog, "detail_end", c.end);
    prompter_.ClearShown();
    dialog.Press("add", host);
    EXPECT_EQ(Shown(prompter_),
              c.refusal ? std::vector<std::string>{c.refusal} : std::vector<std::string>{});
  }
  EXPECT_EQ(dialog.Find("details")->items.size(), 3u);
  Pick(dialog, "details", 0);
  EXPECT_EQ(dialog.Find("detail_start")->text, "10");
  EXPECT_TRUE(dialog.Find("detail_speed")->checked);
  Check(dialog, "detail_speed", false, "");
  dialog.Press("replace", host);
  Pick(dialog, "details", 2);
  dialog.Press("delete", host);
  prompter_.ClearShown();
  dialog.Press("delete", host);  // nothing selected any more
  EXPECT_EQ(Shown(prompter_), std::vector<std::string>{"置換する項目が選択されていません。\n"});
  EXPECT_EQ(dialog.details(), (std::vector<MapDetail>{
                                  {1, 0, 10, 20, 0, 0, 0},
                                  {0, 1, 0, 50, 25, 0, 0},
                                  {1, 0, 0, 100, 0, 0, 0},
                              }));
  // Until OK the map keeps its list.
  EXPECT_EQ(map_.details().count(), 2);
  EXPECT_EQ(map_.details()[1].speed, 45);
}

TEST_F(EditorDialogsTest, PointKeysMayNotBeginOneAnother) {
  Build(kBothWays);
  struct Case {
    const char* other;  // point 1's key
    const char* key;    // typed for point 2
    const char* refusal;
  };
  const Case cases[] = {
      {"A", "AB", "このポイントキーは、既に設定されているAと重複するため使用できません。\n"},
      {"AB", "A", "このポイントキーは、既に設定されているABと重複するため使用できません。\n"},
      {"A", "a", "このポイントキーは、既に設定されているため使用できません。\n"},
      {"AB", "AC", nullptr},
      {"", "A", nullptr},
      {"A", "", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.other) + " / " + c.key);
    MapChange(map_).points()[1].point_key = c.other;
    RailInfoDialog dialog(map_, 2, true, false);
    EXPECT_FALSE(dialog.Find("station")->enabled);
    EXPECT_FALSE(dialog.Find("gradient")->enabled);
    EXPECT_TRUE(dialog.Find("signal_left")->enabled);
    Set(dialog, "point_key", c.key);
    prompter_.ClearShown();
    EXPECT_EQ(dialog.Accept(prompter_), c.refusal == nullptr);
    if (c.refusal != nullptr) {
      EXPECT_EQ(Shown(prompter_), std::vector<std::string>{c.refusal});
      EXPECT_EQ(prompter_.shown()[0].caption, "ポイントキー設定エラー");
    } else {
      EXPECT_EQ(dialog.point_record().point_key, c.key);
    }
  }
  // Letter case folds only single-byte letters: the second byte of a
  // two-byte character stays as it is.
  EXPECT_EQ(FoldSjisCase(Sjis("aｂ") + "\x82\x61"), "A" + Sjis("ｂ") + "\x82\x61");
}

TEST_F(EditorDialogsTest, TextsWithCommasOrLineBreaksAreRefused) {
  Build(kBothWays);
  RailInfoDialog dialog(map_, 1, false, false);
  Set(dialog, "name_left", "東,西");
  EXPECT_FALSE(dialog.Accept(prompter_));
  Set(dialog, "name_left", "東西");
  Set(dialog, "short_right", "a\nb");
  EXPECT_FALSE(dialog.Accept(prompter_));
  EXPECT_EQ(prompter_.shown().size(), 2u);
  EXPECT_EQ(prompter_.shown()[0].caption, "入力データエラー");

  NameDialog names{MapNameEntry{}};
  Set(names, "name_right", "上,り");
  EXPECT_FALSE(names.Accept(prompter_));
  // Texts are clipped to their fields on a character boundary.
  Set(names, "name_right", "上");
  Set(names, "short_left", std::string(13, 'x') + "東西南北");  // 13 + 8 bytes for 20
  ASSERT_TRUE(names.Accept(prompter_));
  EXPECT_EQ(names.names().short_left, std::string(13, 'x') + Sjis("東西南"));
}

TEST_F(EditorDialogsTest, StationTimesFollowTheUnitTime) {
  TimeUnits units;  // 15 s
  StationTexts texts;
  texts.stop_time = 31;  // 30 s
  texts.turn_time = 61;  // 60 s
  StationInfoDialog dialog(texts, units, false);
  const DialogField& stop = *dialog.Find("stop_time");
  EXPECT_EQ(stop.items[static_cast<std::size_t>(stop.item)], "30秒");
  const DialogField& turn = *dialog.Find("turn_time");
  EXPECT_EQ(turn.items[static_cast<std::size_t>(turn.item)], "60秒");
  EXPECT_EQ(stop.items.size(), 2u + 3600 / 15);
  EXPECT_EQ(stop.items.back(), "3600秒");
  Pick(dialog, "stop_time", 1);  // 通過
  ASSERT_TRUE(dialog.Accept(prompter_));
  EXPECT_EQ(dialog.texts().stop_time, 1);
  EXPECT_EQ(dialog.texts().turn_time, 61);

  // Foreign numbers: no unit time gives the default steps; a time beyond the
  // list selects the last item and stays as it was unless changed.
  units.unit = 0;
  texts.stop_time = 9000;
  texts.turn_time = 23;  // between two steps
  StationInfoDialog foreign(texts, units, false);
  EXPECT_EQ(foreign.Find("stop_time")->item,
            static_cast<int>(foreign.Find("stop_time")->items.size()) - 1);
  EXPECT_EQ(foreign.Find("stop_time")->items[2], "15秒");
  ASSERT_TRUE(foreign.Accept(prompter_));
  EXPECT_EQ(foreign.texts().stop_time, 9000);
  EXPECT_EQ(foreign.texts().turn_time, 23);
  Pick(foreign, "turn_time", 2);
  ASSERT_TRUE(foreign.Accept(prompter_));
  EXPECT_EQ(foreign.texts().turn_time, 31);
}

TEST_F(EditorDialogsTest, StationSelectionAddsChangesAndDeletesThroughTheChange) {
  Build(kBothWays);
  ScriptDialogHost host(prompter_);
  MapChange change(map_);
  StationSelectDialog dialog(change, EditMode::kStation, 2);
  EXPECT_EQ(dialog.Title(false), "駅設定・選択");
  EXPECT_EQ(dialog.Find("list")->item, 1);
  DialogAnswer info;
  info.steps = {{"一文字名称", "北"}, {"略記名称", "北町"}, {"名称", "北町駅"}};
  info.ok = true;
  host.Queue(info);
  dialog.Press("add", host);
  ASSERT_EQ(map_.stations().count(), 3);
  EXPECT_EQ(map_.stations()[3].name, Sjis("北町駅"));
  EXPECT_EQ(dialog.Find("list")->item, 2);  // the new one

  // Deleting asks first and renumbers the segments' references.
  Pick(dialog, "list", 0);
  dialog.Press("delete", host);  // No
  EXPECT_EQ(map_.stations().count(), 3);
  prompter_.Queue(PromptAnswer::kYes);
  dialog.Press("delete", host);
  EXPECT_EQ(map_.stations().count(), 2);
  EXPECT_EQ(map_.rails()[1].station, 0);
  ASSERT_TRUE(dialog.Accept(prompter_));
  EXPECT_EQ(dialog.chosen(), 1);

  // A full table refuses another station.
  while (map_.stations().count() < kStationCapacity) change.stations().Append({});
  prompter_.ClearShown();
  dialog.Press("add", host);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, "これ以上は追加できません。");
  EXPECT_EQ(prompter_.shown()[0].caption, "操作エラー");

  StationSelectDialog stop_sections(change, EditMode::kStopSectionYard, 0);
  EXPECT_EQ(stop_sections.Title(true), "Stop Section Setting and Selection");
  EXPECT_EQ(stop_sections.Find("list")->items, std::vector<std::string>{"引上線"});
  EXPECT_EQ(stop_sections.Find("list")->ScriptName(), "停車区画");
}

TEST_F(EditorDialogsTest, NamingListChoosesAnEntryAndEditsTheTable) {
  ScriptDialogHost host(prompter_);
  MapChange change(map_);
  NamingListDialog dialog(change, NameTable::kYard, 2);
  EXPECT_EQ(dialog.Find("list")->items, (std::vector<std::string>{"上出", "上場"}));
  EXPECT_EQ(dialog.Find("list")->item, 1);
  DialogAnswer names;
  names.steps = {{"←略記名称", "左"}, {"→名称", "右方向"}};
  names.ok = true;
  host.Queue(names);
  dialog.Press("change", host);
  EXPECT_EQ(map_.Names(NameTable::kYard)[2].short_left, Sjis("左"));
  EXPECT_EQ(map_.Names(NameTable::kYard)[2].name_right, Sjis("右方向"));
  prompter_.Queue(PromptAnswer::kYes);
  dialog.Press("delete", host);
  EXPECT_EQ(map_.Names(NameTable::kYard).count(), 1);
  EXPECT_EQ(dialog.Find("list")->item, 0);
  ASSERT_TRUE(dialog.Accept(prompter_));
  EXPECT_EQ(dialog.chosen(), 1);
}

TEST(DialogAnswerTest, AnswersParseAndApplyByLabel) {
  std::string error;
  EXPECT_FALSE(ParseDialogAnswer("区間距離=300", &error));
  EXPECT_FALSE(ParseDialogAnswer("300 ok", &error));
  EXPECT_FALSE(ParseDialogAnswer("名称=\"a b ok", &error));
  const auto answer = ParseDialogAnswer("名称=\"北 町\" press=追加 ok", &error);
  ASSERT_TRUE(answer);
  ASSERT_EQ(answer->steps.size(), 2u);
  EXPECT_EQ(answer->steps[0].value, "北 町");
  EXPECT_TRUE(answer->ok);

  // A field the dialog does not have, or one it does not let change, is the
  // script's mistake: the dialog is cancelled.
  ScriptedPrompter prompter;
  ScriptDialogHost host(prompter);
  NameDialog dialog{MapNameEntry{}};
  host.Queue(*ParseDialogAnswer("駅=1 ok", &error));
  EXPECT_FALSE(host.Run(dialog));
  EXPECT_TRUE(host.TakeMistake());
  EXPECT_FALSE(host.TakeMistake());
  host.Queue(*ParseDialogAnswer("←名称=東 cancel", &error));
  EXPECT_FALSE(host.Run(dialog));
  EXPECT_FALSE(host.TakeMistake());
  EXPECT_FALSE(host.Run(dialog));  // nothing queued: cancelled
}

TEST_F(EditorDialogsTest, TheTwoDirectionsStandSideBySide) {
  Build(kBothWays);
  RailInfoDialog rail(map_, 1, false, false);
  NameDialog names{MapNameEntry{}};
  for (const DialogModel* dialog : std::initializer_list<const DialogModel*>{&rail, &names}) {
    std::vector<std::string> framed;
    for (const FormSection& section : LayOutForm(*dialog).sections) {
      if (!section.framed()) continue;
      framed.push_back(std::string(section.beside ? "beside " : "") + section.group.japanese);
    }
    ASSERT_GE(framed.size(), 2u) << dialog->Title(false);
    EXPECT_EQ(framed[0], "←方向");
    EXPECT_EQ(framed[1], "beside →方向");
  }
}

}  // namespace
}  // namespace corvane
