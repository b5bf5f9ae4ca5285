#include "editor/signal_detail.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dialog_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::AnswerDialog;
using testing::Sjis;

std::vector<int> Lows(const MapSignalType& type) {
  std::vector<int> lows;
  for (const AspectBand& band : AspectBands(type)) lows.push_back(band.low);
  return lows;
}

std::vector<int> StepUps(const MapSignalType& type) {
  std::vector<int> step_ups;
  for (const AspectBand& band : AspectBands(type)) step_ups.push_back(band.step_up);
  return step_ups;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> values;
  for (int v = first; v <= last; ++v) values.push_back(v);
  return values;
}

// One type "４現示" with bands 0 停止, 26 警戒, 46 注意, 76 進行, each with an
// image and a colour of its own; maximum speed 120.
class SignalDetailTest : public ::testing::Test {
 protected:
  SignalDetailTest() {
    const char* names[] = {"停止", "警戒", "注意", "進行"};
    std::vector<AspectBand> bands;
    const int lows[] = {0, 26, 46, 76};
    for (int k = 0; k < 4; ++k) {
      SignalImageRecord image;
      image.name = Sjis(names[k]);
      tables_.images.Append(image);
      tables_.colours.Append({k * 60, 255 - k * 60, k});
      bands.push_back({lows[k], k < 3 ? lows[k + 1] : kNoStepUp, k + 1, k + 1});
    }
    MapSignalType type;
    type.name = Sjis("４現示");
    WriteAspectBands(type, bands);
    tables_.types.Append(type);
  }

  MapSignalType& type() { return tables_.types[1]; }

  SignalTables tables_;
  MapSettings settings_;
  ScriptedPrompter prompter_;
};

TEST_F(SignalDetailTest, ChoicesFollowTheBandsAndTheMaximumSpeed) {
  EXPECT_EQ(Lows(type()), (std::vector<int>{0, 26, 46, 76}));
  EXPECT_EQ(type().aspects[60].band_low, 46);
  EXPECT_EQ(AspectSpeedChoices(type(), 46, 120), Range(27, 75));
  EXPECT_EQ(StepUpChoices(type(), 46, 120), std::vector<int>{76});
  EXPECT_EQ(StepUpChoices(type(), 0, 120), (std::vector<int>{76, 46, 26}));
  EXPECT_EQ(StepUpChoices(type(), 76, 120), std::vector<int>{});  // the top band in use
  EXPECT_EQ(AspectSpeedChoices(type(), 76, 120), Range(47, 120));
  EXPECT_EQ(AspectSpeedChoices(type(), 0, 120), std::vector<int>{});
  EXPECT_TRUE(CanAddAspect(type(), 120));
  EXPECT_FALSE(CanAddAspect(type(), 76));
  // A maximum speed beyond the table is kept inside it.
  EXPECT_EQ(BandLowAt(type(), 5000), 76);
  EXPECT_EQ(AspectSpeedChoices(type(), 76, 5000).back(), 1023);
}

TEST_F(SignalDetailTest, AddingSplitsABandAndDeletingJoinsItAgain) {
  const SignalTables before = tables_;
  const AddedAspect added = AddAspect(tables_, 1, 46);
  ASSERT_EQ(added.refusal, nullptr);
  EXPECT_EQ(added.low, 47);
  EXPECT_EQ(Lows(type()), (std::vector<int>{0, 26, 46, 47, 76}));
  EXPECT_EQ(StepUps(type()), (std::vector<int>{26, 46, 47, 76, kNoStepUp}));
  const AspectBand copy = AspectBands(type())[3];
  EXPECT_EQ(copy.image, 5);
  EXPECT_EQ(copy.colour, 5);
  EXPECT_EQ(tables_.images[5], tables_.images[3]);
  EXPECT_EQ(tables_.colours[5], tables_.colours[3]);

  DeleteAspect(type(), 47);
  EXPECT_EQ(Lows(type()), (std::vector<int>{0, 26, 46, 76}));
  EXPECT_EQ(StepUps(type()), (std::vector<int>{26, 46, 76, kNoStepUp}));
  for (int v = 46; v < 76; ++v) ASSERT_EQ(type().aspects[v], before.types[1].aspects[v]) << v;

  // The band at 0 stays; a band one speed wide cannot be split.
  DeleteAspect(type(), 0);
  EXPECT_EQ(Lows(type()).front(), 0);
  AddAspect(tables_, 1, 26);
  ChangeAspectSpeed(type(), 27, 45);
  EXPECT_EQ(Lows(type()), (std::vector<int>{0, 26, 45, 46, 76}));
  EXPECT_NE(AddAspect(tables_, 1, 45).refusal, nullptr);
}

TEST_F(SignalDetailTest, MovingAnAspectSpeedMovesWhatStepsUpToIt) {
  ChangeAspectSpeed(type(), 46, 50);
  EXPECT_EQ(Lows(type()), (std::vector<int>{0, 26, 50, 76}));
  EXPECT_EQ(StepUps(type()), (std::vector<int>{26, 50, 76, kNoStepUp}));
  EXPECT_EQ(type().aspects[48].band_low, 26);
  ChangeAspectSpeed(type(), 50, 26);  // not above the band below: nothing
  EXPECT_EQ(Lows(type()), (std::vector<int>{0, 26, 50, 76}));
  ChangeStepUp(type(), 0, 76);
  EXPECT_EQ(type().aspects[10].aspect_speed, 76);
}

TEST_F(SignalDetailTest, FullTablesRefuseNewAspects) {
  while (tables_.images.count() < kMostAspectRecords) tables_.images.Append({});
  const AddedAspect added = AddAspect(tables_, 1, 46);
  EXPECT_STREQ(added.refusal, "これ以上増やせません。\n");
  EXPECT_EQ(Lows(type()), (std::vector<int>{0, 26, 46, 76}));
}

TEST_F(SignalDetailTest, DistanceLine) {
  settings_.handle_atc = 280;
  settings_.break_spare_dist = 10;
  ChangeStepUp(type(), 0, 25);
  EXPECT_EQ(DecelerationLine(type(), 0, settings_), "減速距離：  56[m]");
  EXPECT_EQ(DecelerationLine(type(), 76, settings_), "");  // no step-up aspect
  settings_.handle_atc = 0;
  EXPECT_EQ(DecelerationLine(type(), 0, settings_), "");
}

TEST_F(SignalDetailTest, DialogEditsACopyThroughItsFields) {
  SignalDetailDialog dialog(tables_, settings_, SignalDetailMode::kEdit, 1, false);
  EXPECT_EQ(dialog.Find("type")->items, (std::vector<std::string>{"（次区画参照）", "４現示"}));
  EXPECT_EQ(dialog.Find("band")->items,
            (std::vector<std::string>{"進行 76[km/h]", "注意 46[km/h]", "警戒 26[km/h]",
                                      "停止 0[km/h]"}));
  EXPECT_EQ(dialog.Find("band")->item, 3);  // the band at 0
  EXPECT_FALSE(dialog.Find("speed")->enabled);
  EXPECT_FALSE(dialog.FindButton("delete")->enabled);

  EXPECT_TRUE(AnswerDialog(dialog, prompter_,
                           "略記名称=新４現示 現示=#2 press=現示の追加 現示速度=60[km/h] "
                           "現示名称=減速 色=#B4DC00 ok"));
  const SignalTables& edited = dialog.tables();
  EXPECT_EQ(edited.types[1].name.Utf8(), "新４現示");
  EXPECT_EQ(Lows(edited.types[1]), (std::vector<int>{0, 26, 46, 60, 76}));
  const AspectBand band = AspectBands(edited.types[1])[3];
  EXPECT_EQ(edited.images[band.image].name.Utf8(), "減速");
  EXPECT_EQ(edited.colours[band.colour], (AspectColour{0xB4, 0xDC, 0x00}));
  EXPECT_EQ(edited.images[3].name.Utf8(), "注意");    // the copied record is the new band's
  EXPECT_EQ(tables_.types[1].name.Utf8(), "４現示");  // the original is untouched

  // Type 0 has no aspects to edit.
  EXPECT_FALSE(AnswerDialog(dialog, prompter_, "信号機=（次区画参照） press=現示の追加 cancel"));
  EXPECT_TRUE(dialog.Find("band")->items.empty());
  EXPECT_FALSE(dialog.Find("short_name")->enabled);
}

TEST_F(SignalDetailTest, ChooseModeReturnsTheTypeAndChangesNothing) {
  SignalDetailDialog dialog(tables_, settings_, SignalDetailMode::kChoose, 1, false);
  EXPECT_EQ(dialog.Title(false), "信号選択");
  EXPECT_EQ(std::string(dialog.ok_label().japanese), "選択");
  EXPECT_FALSE(dialog.Find("short_name")->enabled);
  EXPECT_FALSE(dialog.FindButton("add")->enabled);
  EXPECT_TRUE(AnswerDialog(dialog, prompter_, "信号機=（次区画参照） ok"));
  EXPECT_EQ(dialog.chosen_type(), 0);
  EXPECT_TRUE(AnswerDialog(dialog, prompter_, "信号機=#2 ok"));
  EXPECT_EQ(dialog.chosen_type(), 1);
}

}  // namespace
}  // namespace corvane
