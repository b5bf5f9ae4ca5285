#include "app/station_info_dialog.h"

#include <gtest/gtest.h>

#include "app/dia_dialogs.h"
#include "app/main_menu.h"
#include "run/dia_change.h"
#include "support/dialog_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::AnswerDialog;
using testing::Sjis;

RailRecord Rail(int direction, int target, int stop_distance, const char* name) {
  RailRecord rail;
  rail.direction = direction;
  rail.target = target;
  rail.station = target;
  rail.stop_distance = stop_distance;
  rail.short_name = Sjis(name);
  rail.name = Sjis(name);
  return rail;
}

StopEvent Event(int rail, int time, int kind) { return {rail, time, kind}; }

class FakePlayer : public SoundPlayer {
 public:
  std::optional<std::string> Play(const std::string& path) override {
    played.push_back(path);
    return problem;
  }
  void Stop() override { ++stops; }

  std::vector<std::string> played;
  std::optional<std::string> problem;
  int stops = 0;
};

class StationInformationDialogTest : public ::testing::Test {
 protected:
  // Station 1 with target 1; target 2 is a stop section. Rails of target
  // 1: a leftward one stopping at 150, one that does not stop, a rightward
  // one at 60; target 2 has one rail.
  void LoadMap() {
    DiaFile file;
    StationRecord station;
    station.one_char_name = Sjis("東");
    station.short_name = Sjis("東京");
    station.name = Sjis("東京駅");
    station.scale = 3;
    station.melody_file = "melody.wav";
    station.melody_time = 12;
    file.map.stations.Append(station);
    TargetRecord target;
    target.station = 1;
    target.name = Sjis("東京駅");
    target.time_display = 2;
    file.map.targets.Append(target);
    TargetRecord section;
    section.one_char_name = Sjis("信");
    section.short_name = Sjis("信号");
    section.name = Sjis("信号所");
    file.map.targets.Append(section);
    file.map.rails.Append(Rail(1, 1, 150, "1番線"));
    file.map.rails.Append(Rail(1, 1, 0, "通過線"));
    file.map.rails.Append(Rail(2, 1, 70, "2番線"));
    file.map.rails.Append(Rail(2, 2, 50, "信号所"));
    model_.Replace(std::move(file));
  }

  // An imported line: target 1 with two platform tracks, pieces 1 and 2
  // (rails 1, 2 and 3, 4, leftward first), and target 2 with piece 3. The
  // tables are exactly as large as what they hold, as read from a file.
  // A train stops on rails 1 and 2.
  void LoadImported() {
    SystemMapCounts counts;
    counts.rails = 6;
    counts.prails = 3;
    counts.targets = 2;
    counts.stations = 2;
    DiaFile file;
    file.header.wdia_mode = 1;
    file.map = SystemMap(counts);
    for (int k = 1; k <= 2; ++k) {
      StationRecord station;
      station.short_name = Sjis(k == 1 ? "甲" : "乙");
      station.name = Sjis(k == 1 ? "甲駅" : "乙駅");
      file.map.stations.Append(station);
      TargetRecord target;
      target.station = k;
      target.short_name = station.short_name;
      target.name = station.name;
      file.map.targets.Append(target);
    }
    const int targets[] = {1, 1, 1, 1, 2, 2};
    for (int r = 1; r <= 6; ++r) {
      RailRecord rail = Rail(r % 2 == 1 ? 1 : 2, targets[r - 1], 100, "甲駅");
      rail.l_dual = r % 2 == 1 ? r + 1 : r - 1;
      rail.l_pack = (r + 1) / 2;
      rail.l_next = 5;
      file.map.rails.Append(rail);
    }
    for (int p = 1; p <= 3; ++p) {
      PRailRecord piece;
      piece.electric = 3;
      piece.rail_first = 2 * p - 1;
      piece.rail_second = 2 * p;
      file.map.prails.Append(piece);
    }
    BuildTrackLists(file.map);
    DiagramRecord diagram;
    diagram.direction = 1;
    diagram.events = {Event(1, 100, kEventArrival), Event(1, 130, kEventDeparture),
                      Event(5, 300, kEventArrival), Event(5, 300, kEventEnd)};
    file.dia.diagrams.Append(diagram);
    diagram.direction = 2;
    diagram.events = {Event(2, 200, kEventDeparture), Event(6, 400, kEventEnd)};
    file.dia.diagrams.Append(diagram);
    model_.Replace(std::move(file));
  }

  StationInformationDialog Open(int target) {
    return StationInformationDialog(model_, target, tools_, false);
  }
  bool Answer(DialogModel& dialog, std::string_view line) {
    return AnswerDialog(dialog, prompter_, line);
  }
  void QueueAnswer(std::string_view line) {
    std::string error;
    host_.Queue(*ParseDialogAnswer(line, &error));
  }
  const std::string& LastMessage() const { return prompter_.shown().back().text; }

  DiaModel model_;
  ScriptedPrompter prompter_;
  ScriptDialogHost host_{prompter_};
  StationDialogTools tools_;
};

// ------------------------------------------------------------ what it shows

TEST_F(StationInformationDialogTest, AStationShowsItsOwnNamesScaleTimesAndUsableLengths) {
  LoadMap();
  StationInformationDialog dialog = Open(1);
  EXPECT_EQ(dialog.station(), 1);
  EXPECT_EQ(dialog.Find("one_char")->text, "東");
  EXPECT_EQ(dialog.Find("name")->text, "東京駅");
  EXPECT_EQ(dialog.Find("scale")->item, 2);
  EXPECT_TRUE(dialog.Find("scale")->enabled);
  EXPECT_EQ(dialog.Find("time_display")->item, 2);
  EXPECT_EQ(dialog.Find("melody_time")->text, "12");
  EXPECT_EQ(dialog.Find("melody_file")->text, "melody.wav");
  EXPECT_TRUE(dialog.Find("door_max")->enabled);
  EXPECT_TRUE(dialog.FindButton("play")->enabled);
  // The rail that does not stop is not listed; 150 m less the margin.
  EXPECT_EQ(dialog.Find("tracks")->items,
            (std::vector<std::string>{"1番線：140[m]", "2番線：60[m]"}));
  EXPECT_EQ(dialog.listed_rails(), (std::vector<int>{1, 3}));
  StationInformationDialog english(model_, 1, tools_, true);
  EXPECT_EQ(english.Find("tracks")->items[0], "1番線: 140[m]");
  EXPECT_STREQ(dialog.FindButton("add")->label.japanese, "非対応");
  EXPECT_FALSE(dialog.FindButton("add")->enabled);
  EXPECT_FALSE(dialog.FindButton("delete")->enabled);
  EXPECT_TRUE(dialog.FindButton("rename")->enabled);
}

TEST_F(StationInformationDialogTest, AStopSectionShowsItsScaleAsStopSectionAndNoTimes) {
  LoadMap();
  StationInformationDialog dialog = Open(2);
  EXPECT_EQ(dialog.station(), 0);
  EXPECT_EQ(dialog.Find("name")->text, "信号所");
  EXPECT_EQ(dialog.Find("scale")->items, (std::vector<std::string>{"停車区画"}));
  EXPECT_FALSE(dialog.Find("scale")->enabled);
  for (const char* id : {"melody_time", "melody_file", "door_min", "door_mid", "door_max"}) {
    EXPECT_FALSE(dialog.Find(id)->enabled) << id;
  }
  EXPECT_FALSE(dialog.FindButton("browse")->enabled);
  EXPECT_FALSE(dialog.FindButton("play")->enabled);
  // OK stores the names, never a station's fields.
  ASSERT_TRUE(Answer(dialog, "略記駅名=信 番線表示=1 ok"));
  EXPECT_EQ(model_.map().targets[2].short_name, Sjis("信"));
  EXPECT_EQ(model_.map().targets[2].target_aux3, 1);
  EXPECT_EQ(model_.map().stations[1].short_name, Sjis("東京"));
}

TEST_F(StationInformationDialogTest, ImportedDataShowsTrackNamesAndNoTimes) {
  LoadImported();
  StationInformationDialog dialog = Open(1);
  EXPECT_STREQ(dialog.Find("tracks")->label.japanese, "番線情報");
  EXPECT_EQ(dialog.Find("tracks")->items, (std::vector<std::string>{"01番線", "02番線"}));
  EXPECT_FALSE(dialog.Find("melody_time")->enabled);
  EXPECT_FALSE(dialog.FindButton("browse")->enabled);
  EXPECT_TRUE(dialog.FindButton("add")->enabled);
  EXPECT_TRUE(dialog.FindButton("delete")->enabled);
  // One track only: it cannot be deleted.
  EXPECT_FALSE(Open(2).FindButton("delete")->enabled);
}

// ------------------------------------------------------------ OK

TEST_F(StationInformationDialogTest, DoorTimesMustRiseStrictlyAndBePositive) {
  LoadMap();
  struct Case {
    const char* answer;
    const char* message;  // nullptr: accepted
  };
  const Case cases[] = {
      {"最小値=5 中間値=7 最大値=7 ok", kTimeOrder},
      {"最小値=8 中間値=7 最大値=15 ok", kTimeOrder},
      {"最小値=0 中間値=7 最大値=15 ok", kTimeNotPositive},
      {"時間=-1 ok", kTimeNotPositive},
      {"最小値=5 中間値=7 最大値=99999999999 ok", kTimeTooLarge},
  };
  for (const Case& c : cases) {
    StationInformationDialog dialog = Open(1);
    prompter_.ClearShown();
    EXPECT_FALSE(Answer(dialog, c.answer)) << c.answer;
    ASSERT_EQ(prompter_.shown().size(), 1u) << c.answer;
    EXPECT_EQ(prompter_.shown()[0].text, c.message);
    EXPECT_EQ(prompter_.shown()[0].caption, kStationDataErrorCaption);
  }
  EXPECT_FALSE(model_.modified());

  StationInformationDialog dialog = Open(1);
  ASSERT_TRUE(Answer(dialog, "時間=0 最小値=5 中間値=7 最大値=15 ok"));
  const StationRecord& station = model_.map().stations[1];
  EXPECT_EQ(station.melody_time, 0);
  EXPECT_EQ(station.door_min, 5);
  EXPECT_EQ(station.door_mid, 7);
  EXPECT_EQ(station.door_max, 15);
}

TEST_F(StationInformationDialogTest, OkStoresNamesScaleAndDisplayInOneChange) {
  LoadMap();
  FakePlayer player;
  tools_.player = &player;
  StationInformationDialog dialog = Open(1);
  const auto before = model_.actions_committed();
  ASSERT_TRUE(Answer(dialog,
                     "駅名=新東京 略記駅名=新東 駅規模=無人駅 時刻表示=発着時刻 "
                     "ＷＡＶファイル=bell.wav 番線表示=1 ok"));
  EXPECT_EQ(model_.actions_committed(), before + 1);
  EXPECT_EQ(player.stops, 1);
  const StationRecord& station = model_.map().stations[1];
  const TargetRecord& target = model_.map().targets[1];
  EXPECT_EQ(station.name, Sjis("新東京"));
  EXPECT_EQ(target.name, Sjis("新東京"));
  EXPECT_EQ(target.short_name, Sjis("新東"));
  EXPECT_EQ(station.scale, 1);
  EXPECT_EQ(target.target_scale, 1);
  EXPECT_EQ(target.time_display, 1);
  EXPECT_EQ(target.target_aux3, 1);
  EXPECT_EQ(station.melody_file, "bell.wav");

  // A comma would shift the member's columns.
  StationInformationDialog again = Open(1);
  EXPECT_FALSE(Answer(again, "駅名=a,b ok"));
  EXPECT_EQ(model_.map().stations[1].name, Sjis("新東京"));
}

// ------------------------------------------------------------ track names

TEST_F(StationInformationDialogTest, RenamingARailKeepsCancelAndShowsTheNewName) {
  LoadMap();
  StationInformationDialog dialog = Open(1);
  dialog.Find("tracks")->item = 1;
  dialog.Changed("tracks");
  QueueAnswer("略記名称=2 名称=新2番線 ok");
  dialog.Press("rename", host_);
  EXPECT_EQ(model_.map().rails[3].name, Sjis("新2番線"));
  EXPECT_EQ(dialog.Find("tracks")->items[1], "新2番線：60[m]");
  EXPECT_TRUE(dialog.cancel_enabled());
}

TEST_F(StationInformationDialogTest, RenamingAnImportedTrackNamesItsRailsAndEndsCancel) {
  LoadImported();
  StationInformationDialog dialog = Open(1);
  dialog.Find("tracks")->item = 1;
  QueueAnswer("略記名称=B 名称=北 ok");
  dialog.Press("rename", host_);
  const TargetRecord& target = model_.map().targets[1];
  EXPECT_EQ(target.tracks[1].name, Sjis("北"));
  EXPECT_EQ(model_.map().rails[3].name, Sjis("甲駅北"));
  EXPECT_EQ(model_.map().rails[4].short_name, Sjis("甲B"));
  EXPECT_EQ(dialog.Find("tracks")->items[1], "北");
  EXPECT_FALSE(dialog.cancel_enabled());
  // A script may not cancel it now.
  QueueAnswer("cancel");
  EXPECT_FALSE(host_.Run(dialog));
  EXPECT_TRUE(host_.TakeMistake());
}

// ------------------------------------------------------------ adding and deleting tracks

TEST_F(StationInformationDialogTest, AddingATrackGrowsTheFullTablesAndCopiesTheLastTrack) {
  LoadImported();
  StationInformationDialog dialog = Open(1);
  dialog.Press("add", host_);
  const SystemMap& map = model_.map();
  ASSERT_EQ(map.rails.count(), 8);
  ASSERT_EQ(map.prails.count(), 4);
  EXPECT_EQ(map.Counts().rails, 8);
  const RailRecord& first = map.rails[7];
  const RailRecord& second = map.rails[8];
  EXPECT_EQ(first.direction, 1);
  EXPECT_EQ(second.direction, 2);
  EXPECT_EQ(first.l_dual, 8);
  EXPECT_EQ(second.l_dual, 7);
  EXPECT_EQ(first.l_pack, 4);
  EXPECT_EQ(first.stop_distance, 100);
  EXPECT_EQ(first.target, 1);
  EXPECT_EQ(first.l_next, 5);
  EXPECT_EQ(map.prails[4].rail_first, 7);
  EXPECT_EQ(map.prails[4].rail_second, 8);
  EXPECT_EQ(map.prails[4].electric, 3);
  ASSERT_EQ(map.targets[1].tracks.size(), 3u);
  EXPECT_EQ(map.targets[1].tracks[2].rail_first, 7);
  EXPECT_EQ(map.targets[1].tracks[2].name, Sjis("03番線"));
  EXPECT_EQ(dialog.Find("tracks")->item, 2);
  EXPECT_FALSE(dialog.cancel_enabled());
  // The list the file gives on reading has the new track too.
  SystemMap rebuilt = map;
  BuildTrackLists(rebuilt);
  EXPECT_EQ(rebuilt.targets[1].tracks.size(), 3u);
}

TEST_F(StationInformationDialogTest, DeletingATrackMovesItsStopsToTheNextTrackOfEachDirection) {
  LoadImported();
  StationInformationDialog dialog = Open(1);
  dialog.Press("delete", host_);  // the first track, rails 1 and 2
  const SystemMap& map = model_.map();
  EXPECT_EQ(map.rails[1].target, 0);
  EXPECT_EQ(map.rails[2].stop_distance, 0);
  EXPECT_EQ(map.rails.count(), 6);  // the rails stay
  const auto& up = model_.dia().diagrams[1].events;
  EXPECT_EQ(up[0].rail, 3);
  EXPECT_EQ(up[1].rail, 3);
  EXPECT_EQ(up[2].rail, 5);  // another target's stop stays
  EXPECT_EQ(model_.dia().diagrams[2].events[0].rail, 4);
  ASSERT_EQ(map.targets[1].tracks.size(), 1u);
  EXPECT_EQ(map.targets[1].tracks[0].rail_first, 3);
  EXPECT_FALSE(dialog.FindButton("delete")->enabled);
  EXPECT_FALSE(dialog.cancel_enabled());
}

TEST_F(StationInformationDialogTest, TheSearchForTheNextTrackGoesRoundFromTheLastRail) {
  LoadImported();
  StationInformationDialog dialog = Open(1);
  dialog.Find("tracks")->item = 1;  // rails 3 and 4: the next of each is 1 and 2
  {
    DiaChange change(model_);
    change.diagrams()[1].events[0].rail = 3;
  }
  dialog.Press("delete", host_);
  EXPECT_EQ(model_.dia().diagrams[1].events[0].rail, 1);
  EXPECT_EQ(model_.map().targets[1].tracks[0].rail_first, 1);
}

TEST_F(StationInformationDialogTest, ATrackWithoutANeighbourOfItsDirectionIsNotDeleted) {
  LoadImported();
  {
    DiaChange change(model_);
    change.rails()[3].direction = 2;  // no other leftward rail stops at target 1
  }
  StationInformationDialog dialog = Open(1);
  const DiaFile before = model_.file();
  dialog.Press("delete", host_);
  EXPECT_EQ(LastMessage(), kNoNeighbourTrack);
  EXPECT_EQ(model_.file().map.rails[1], before.map.rails[1]);
  EXPECT_EQ(model_.map().targets[1].tracks.size(), 2u);
  EXPECT_TRUE(dialog.cancel_enabled());
}

// ------------------------------------------------------------ melody file and sound

TEST_F(StationInformationDialogTest, BrowseTakesTheFileNameAndWarnsOutsideTheSoundFolder) {
  LoadMap();
  ScriptedChooser chooser;
  tools_.chooser = &chooser;
  tools_.sound_folder = "/data/SoundStation";
  StationInformationDialog dialog = Open(1);
  chooser.Queue("/data/soundstation/Bell.WAV");
  dialog.Press("browse", host_);
  EXPECT_EQ(dialog.Find("melody_file")->text, "Bell.WAV");
  EXPECT_TRUE(prompter_.shown().empty());
  EXPECT_EQ(chooser.requests()[0].filter, kMelodyFilter);
  EXPECT_EQ(chooser.requests()[0].default_extension, "wav");
  EXPECT_EQ(chooser.requests()[0].initial_path, "/data/SoundStation/melody.wav");

  chooser.Queue("/elsewhere/chime.wav");
  dialog.Press("browse", host_);
  EXPECT_EQ(dialog.Find("melody_file")->text, "chime.wav");
  EXPECT_EQ(LastMessage(), kMelodyNotInFolder);
  EXPECT_EQ(prompter_.shown().back().caption, kSoundFileCaption);

  chooser.Queue(std::nullopt);  // cancelled: the field stays
  dialog.Press("browse", host_);
  EXPECT_EQ(dialog.Find("melody_file")->text, "chime.wav");
}

TEST_F(StationInformationDialogTest, PlayRefusesMissingAndOutsideFilesAndReportsAPlayerThatCannot) {
  LoadMap();
  testing::ScratchFolder folder;
  ASSERT_TRUE(WriteFileBytes(folder.File("bell.wav"), "RIFF"));
  FakePlayer player;
  tools_.player = &player;
  tools_.sound_folder = folder.path().substr(0, folder.path().size() - 1);
  StationInformationDialog dialog = Open(1);

  for (const char* name : {"../bell.wav", "/etc/passwd"}) {
    dialog.Find("melody_file")->text = name;
    dialog.Press("play", host_);
    EXPECT_EQ(LastMessage(), kSoundOutside) << name;
  }
  // An empty field has nothing to play: a beep, no message.
  const std::size_t messages = prompter_.shown().size();
  const int beeps = prompter_.beeps();
  dialog.Find("melody_file")->text = "";
  dialog.Press("play", host_);
  EXPECT_EQ(prompter_.shown().size(), messages);
  EXPECT_EQ(prompter_.beeps(), beeps + 1);
  dialog.Find("melody_file")->text = "none.wav";
  dialog.Press("play", host_);
  EXPECT_EQ(LastMessage(), FillIn(kSoundMissing, {folder.File("none.wav")}));
  EXPECT_TRUE(player.played.empty());

  dialog.Find("melody_file")->text = "bell.wav";
  dialog.Press("play", host_);
  EXPECT_EQ(player.played, std::vector<std::string>{folder.File("bell.wav")});
  const std::size_t shown = prompter_.shown().size();
  player.problem = kCannotPlaySound;
  dialog.Press("play", host_);
  ASSERT_EQ(prompter_.shown().size(), shown + 1);
  EXPECT_EQ(LastMessage(), kCannotPlaySound);
  // The dialog still works.
  EXPECT_TRUE(Answer(dialog, "時間=3 ok"));
}

// ------------------------------------------------------------ selection and commands

TEST_F(StationInformationDialogTest, SelectionOpensTheChosenTargetAndStaysOpen) {
  LoadMap();
  StationSelectionDialog selection(model_, tools_);
  EXPECT_EQ(selection.Find("list")->items, (std::vector<std::string>{"東京駅", "信号所"}));
  EXPECT_EQ(selection.Find("list")->item, 0);
  selection.Find("list")->item = 1;
  QueueAnswer("駅名=新信号所 ok");
  selection.Press("set", host_);
  EXPECT_EQ(model_.map().targets[2].name, Sjis("新信号所"));
  EXPECT_EQ(selection.Find("list")->items[1], "新信号所");
  EXPECT_EQ(selection.Find("list")->item, 1);

  // "設定" and "終了" are its only buttons.
  EXPECT_STREQ(selection.ok_label().japanese, "終了");
  EXPECT_STREQ(selection.cancel_label().japanese, "");
  EXPECT_STREQ(selection.cancel_label().english, "");

  DiaModel empty;
  StationSelectionDialog none(empty, tools_);
  EXPECT_FALSE(none.FindButton("set")->enabled);
}

TEST_F(StationInformationDialogTest, TheMenuCommandAndTheStationFramesReachTheDialog) {
  LoadMap();
  EXPECT_TRUE(IsDiaDialogCommand(kCmdStationInfo));
  EXPECT_TRUE(AvailableMainCommands().count(kCmdStationInfo));
  QueueAnswer("press=設定 cancel");
  QueueAnswer("一文字駅名=京 ok");
  EXPECT_FALSE(RunDiaDialogCommand(kCmdStationInfo, model_, host_));  // the list is cancelled
  EXPECT_EQ(model_.map().stations[1].one_char_name, Sjis("京"));

  {
    DiaChange change(model_);
    StationDrawRecord frame;
    frame.station = 1;
    change.station_draws().Grow(2);
    change.station_draws().Append(frame);
    frame.station = 9;
    change.station_draws().Append(frame);
  }
  EXPECT_EQ(TargetOfStationFrame(model_.map(), 1), 1);
  EXPECT_EQ(TargetOfStationFrame(model_.map(), 2), 0);  // no such station
  EXPECT_EQ(TargetOfStationFrame(model_.map(), 3), 0);
  EXPECT_FALSE(RunStationInfo(model_, 5, tools_, host_));
}

}  // namespace
}  // namespace corvane
