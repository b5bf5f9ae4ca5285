#include "app/stop_time_dialog.h"

#include <gtest/gtest.h>

#include "app/dia_dialogs.h"
#include "app/english_twins.h"
#include "app/main_menu.h"
#include "support/dialog_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::AnswerDialog;
using testing::Sjis;

// Two targets; rails 1 and 4 stop at the first, rail 3 at the second,
// rail 2 at none and rail 5 at a target the map lacks.
class StopTimeDialogTest : public ::testing::Test {
 protected:
  StopTimeDialogTest() {
    file_.header.time_units = {15, 45, 120};
    file_.header.settings.view_direc = 0;
    for (const char* name : {"東駅", "西駅"}) {
      TargetRecord target;
      target.name = Sjis(name);
      file_.map.targets.Append(target);
    }
    for (const int target : {1, 0, 2, 1, 9}) {
      RailRecord rail;
      rail.target = target;
      rail.name = Sjis("番線" + std::to_string(file_.map.rails.count() + 1));
      file_.map.rails.Append(rail);
    }
    for (const char* name : {"普通", "快速"}) {
      TrainTypeRecord type;
      type.name = Sjis(name);
      file_.dia.train_types.Append(type);
    }
    SpeedTypeRecord speed;
    speed.name = Sjis("高速");
    file_.dia.speed_types.Append(speed);
  }
  void Load() { model_.Replace(file_); }
  static void Pick(StopTimeDialog& dialog, const char* id, int item) {
    dialog.Find(id)->item = item;
    dialog.Changed(id);
  }
  static void Click(StopTimeDialog& dialog, const char* id) {
    DialogField& box = *dialog.Find(id);
    box.checked = !box.checked;
    dialog.Changed(id);
  }
  static const std::string& Line(const StopTimeDialog& dialog, int line) {
    return dialog.Find("entries")->items.at(static_cast<std::size_t>(line));
  }

  DiaFile file_;
  DiaModel model_;
  ScriptedPrompter prompter_;
};

TEST_F(StopTimeDialogTest, OpensPerStationWithTheDiaWideTimesAndTheTrainTypes) {
  Load();
  StopTimeDialog dialog(model_, prompter_, false);
  EXPECT_EQ(dialog.Find("mode")->items,
            (std::vector<std::string>{"駅別指定モード", "駅内番線別指定モード"}));
  EXPECT_EQ(dialog.Find("mode")->item, 0);
  EXPECT_TRUE(dialog.Find("train_box")->checked);
  EXPECT_FALSE(dialog.Find("speed_box")->checked);
  EXPECT_EQ(dialog.Find("train_type")->items,
            (std::vector<std::string>{"列車種別無指定", "普通", "快速"}));
  EXPECT_EQ(dialog.Find("speed_type")->items, std::vector<std::string>{"速度種別指定不可"});
  EXPECT_FALSE(dialog.Find("speed_type")->enabled);
  EXPECT_EQ(dialog.Find("entries")->items,
            (std::vector<std::string>{"東駅　標準（ 45秒）／標準（120秒）",
                                      "西駅　標準（ 45秒）／標準（120秒）"}));
  EXPECT_EQ(dialog.Find("entries")->item, 0);
  // "標準", "通過", 15 … 3600 s; the turnaround list without "通過".
  const DialogField& stop = *dialog.Find("stop_time");
  ASSERT_EQ(stop.items.size(), 242u);
  EXPECT_EQ(stop.items[2], "15秒");
  EXPECT_EQ(stop.items.back(), "3600秒");
  EXPECT_EQ(dialog.Find("turn_time")->items.size(), 241u);
  EXPECT_EQ(stop.item, 0);
  EXPECT_EQ(dialog.Find("turn_time")->item, 0);
}

TEST_F(StopTimeDialogTest, ChoosingATimeChangesTheCopyAtOnceAndOkStoresItInOneChange) {
  Load();
  StopTimeDialog dialog(model_, prompter_, false);
  Pick(dialog, "entries", 1);
  Pick(dialog, "stop_time", 1);  // 通過
  EXPECT_EQ(dialog.work(), (StopTimeList{{2, 0, kStopTime, 0, 0, 0}}));
  EXPECT_EQ(Line(dialog, 1), "西駅　通過／標準（120秒）");
  EXPECT_EQ(dialog.Find("entries")->item, 1);

  Pick(dialog, "stop_time", 2);  // the third item: one unit
  EXPECT_EQ(dialog.work(), (StopTimeList{{2, 0, kStopTime, 15, 0, 0}}));
  EXPECT_EQ(Line(dialog, 1), "西駅　 15秒／標準（120秒）");
  Pick(dialog, "turn_time", 4);
  EXPECT_EQ(Line(dialog, 1), "西駅　 15秒／ 60秒");
  EXPECT_TRUE(model_.dia().stop_times.empty());

  Pick(dialog, "stop_time", 0);  // 標準 removes the entry
  EXPECT_EQ(Line(dialog, 1), "西駅　標準（ 45秒）／ 60秒");
  EXPECT_EQ(dialog.work(), (StopTimeList{{2, 0, kTurnTime, 60, 0, 0}}));

  const std::int64_t before = model_.actions_committed();
  ASSERT_TRUE(dialog.Accept(prompter_));
  EXPECT_EQ(model_.dia().stop_times, dialog.work());
  EXPECT_EQ(model_.actions_committed(), before + 1);
  EXPECT_TRUE(model_.modified());
}

TEST_F(StopTimeDialogTest, CancelAndAnUnchangedOkLeaveTheDataUnmodified) {
  file_.dia.stop_times = {{1, 0, kStopTime, 30, 0, 0}};
  Load();
  ScriptDialogHost host(prompter_);
  std::string error;
  host.Queue(*ParseDialogAnswer("標準停車時間=通過 cancel", &error));
  EXPECT_FALSE(RunStopTimeDialog(model_, host));
  host.Queue(*ParseDialogAnswer("ok", &error));
  EXPECT_TRUE(RunStopTimeDialog(model_, host));
  EXPECT_EQ(model_.dia().stop_times, (StopTimeList{{1, 0, kStopTime, 30, 0, 0}}));
  EXPECT_FALSE(model_.modified());
}

TEST_F(StopTimeDialogTest, PerTrackModeListsTheRailsOfEachTargetAndKeysEntriesByRail) {
  file_.header.settings.view_direc = 1;
  file_.header.settings.right_down = 1;
  file_.map.rails[4].direction = 1;
  Load();
  StopTimeDialog dialog(model_, prompter_, false);
  ASSERT_TRUE(AnswerDialog(dialog, prompter_,
                           "モード=駅内番線別指定モード"
                           " 停車時間一覧=#2 標準停車時間=#4 ok"));
  // Rails 1 and 4 of the first target, then rail 3; rails 2 and 5 stop at
  // no target of the map.
  EXPECT_EQ(dialog.Find("entries")->items,
            (std::vector<std::string>{"番線1（下り）　標準（ 45秒）／標準（120秒）",
                                      "番線4（上り）　 30秒／標準（120秒）",
                                      "番線3（下り）　標準（ 45秒）／標準（120秒）"}));
  EXPECT_EQ(model_.dia().stop_times, (StopTimeList{{0, 4, kStopTime, 30, 0, 0}}));

  // Back to the stations: line 0 again, the rail's entry is no station's.
  Pick(dialog, "mode", 0);
  EXPECT_EQ(dialog.Find("entries")->item, 0);
  EXPECT_EQ(Line(dialog, 0), "東駅　標準（ 45秒）／標準（120秒）");
}

TEST_F(StopTimeDialogTest, TheTwoBoxesAreOneChoiceAndEntriesOfTheOtherKeyStay) {
  Load();
  {
    StopTimeDialog dialog(model_, prompter_, false);
    Pick(dialog, "train_type", 2);  // 快速
    Pick(dialog, "stop_time", 3);
    EXPECT_EQ(Line(dialog, 0), "東駅　 30秒／標準（120秒）");

    Click(dialog, "speed_box");  // checked while the train-type box is
    ASSERT_EQ(prompter_.shown().size(), 1u);
    EXPECT_EQ(prompter_.shown()[0].text, kBothTypeKinds);
    EXPECT_EQ(prompter_.shown()[0].caption, "操作エラー");
    EXPECT_TRUE(dialog.by_speed_type());
    EXPECT_FALSE(dialog.Find("train_box")->checked);
    EXPECT_EQ(dialog.Find("train_type")->items, std::vector<std::string>{"列車種別指定不可"});
    EXPECT_FALSE(dialog.Find("train_type")->enabled);
    EXPECT_EQ(dialog.Find("speed_type")->items,
              (std::vector<std::string>{"速度種別無指定", "高速"}));
    EXPECT_EQ(Line(dialog, 0), "東駅　標準（ 45秒）／標準（120秒）");
    ASSERT_TRUE(dialog.Accept(prompter_));
  }
  EXPECT_EQ(model_.header().stop_time_velocity, 1);
  EXPECT_EQ(model_.dia().stop_times, (StopTimeList{{1, 0, kStopTime, 30, 2, 0}}));

  prompter_.ClearShown();
  StopTimeDialog dialog(model_, prompter_, false);
  EXPECT_TRUE(dialog.Find("speed_box")->checked);
  Click(dialog, "speed_box");  // cleared: the train-type box takes over, no message
  EXPECT_TRUE(prompter_.shown().empty());
  EXPECT_FALSE(dialog.by_speed_type());
  Pick(dialog, "train_type", 2);
  EXPECT_EQ(Line(dialog, 0), "東駅　 30秒／標準（120秒）");
  EXPECT_EQ(dialog.Find("stop_time")->item, 3);
}

TEST_F(StopTimeDialogTest, AStoredTimeNoItemShowsStaysUntilAnotherIsChosen) {
  file_.dia.stop_times = {{1, 0, kStopTime, 50, 0, 0},
                          {1, 0, kTurnTime, 0, 0, 0},
                          {2, 0, kStopTime, 4000, 0, 0},
                          {2, 0, kTurnTime, 3600, 0, 0}};
  Load();
  StopTimeDialog dialog(model_, prompter_, false);
  EXPECT_EQ(Line(dialog, 0), "東駅　 50秒／  0秒");
  EXPECT_EQ(dialog.Find("stop_time")->item, -1);
  EXPECT_EQ(dialog.Find("turn_time")->item, -1);
  Pick(dialog, "entries", 1);
  EXPECT_EQ(dialog.Find("stop_time")->item, -1);
  EXPECT_EQ(dialog.Find("turn_time")->item, 240);
  // Choosing nothing (a list cleared) changes nothing.
  Pick(dialog, "stop_time", -1);
  ASSERT_TRUE(dialog.Accept(prompter_));
  EXPECT_EQ(model_.dia().stop_times, file_.dia.stop_times);
  EXPECT_FALSE(model_.modified());
}

TEST_F(StopTimeDialogTest, AMapWithoutRailsRefusesToOpen) {
  file_.map.rails = Table<RailRecord>(10);
  Load();
  ScriptedPrompter prompter;
  ScriptDialogHost host(prompter);
  std::string error;
  host.Queue(*ParseDialogAnswer("ok", &error));
  EXPECT_FALSE(RunDiaDialogCommand(kCmdStopTimes, model_, host));
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(prompter.shown()[0].text, "駅データがないため編集できません。\n");
  EXPECT_EQ(prompter.shown()[0].caption, "操作エラー");
  EXPECT_TRUE(host.has_answers());  // no dialog took the answer
  EXPECT_TRUE(AvailableMainCommands().contains(kCmdStopTimes));
}

TEST_F(StopTimeDialogTest, EnglishLinesAndLists) {
  file_.dia.stop_times = {{1, 0, kStopTime, 0, 0, 0}};
  Load();
  StopTimeDialog dialog(model_, prompter_, true);
  EXPECT_EQ(Line(dialog, 0), "東駅  Pass / Standard (120s)");
  EXPECT_EQ(Line(dialog, 1), "西駅  Standard ( 45s) / Standard (120s)");
  EXPECT_EQ(dialog.Find("stop_time")->items[1], "Pass");
  EXPECT_EQ(dialog.Find("mode")->items[1], "Per Platform Mode");
  EXPECT_EQ(dialog.Title(true), "Standard Stop Time Setting");

  // The texts built in English are the twins of the Japanese ones.
  StopTimeDialog japanese(model_, prompter_, false);
  for (const char* id : {"mode", "train_type", "stop_time", "turn_time"}) {
    const std::vector<std::string>& items = japanese.Find(id)->items;
    for (std::size_t i = 0; i < items.size(); ++i) {
      EXPECT_EQ(InEnglish(items[i]), dialog.Find(id)->items[i]) << id << " " << i;
    }
  }
  Click(japanese, "speed_box");
  Click(dialog, "speed_box");
  EXPECT_EQ(InEnglish(japanese.Find("train_type")->items[0]), dialog.Find("train_type")->items[0]);
  EXPECT_EQ(InEnglish(japanese.Find("speed_type")->items[0]), dialog.Find("speed_type")->items[0]);
  EXPECT_EQ(InEnglish("標準（ 45秒）"), "Standard ( 45s)");
  EXPECT_EQ(InEnglish(kBothTypeKinds),
            "A train type and a speed type cannot both be chosen.\nOnly one of them takes effect.");
}

}  // namespace
}  // namespace corvane
