#include "app/dia_settings_dialogs.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/dia_edit_script.h"
#include "support/test_support.h"

namespace corvane {
namespace {

// The map's settings dialogs as the main window and `dia edit` run them.
class DiaSettingsDialogsTest : public ::testing::Test {
 protected:
  DiaSettingsDialogsTest() {
    DiaFile file;
    file.header.settings.signal_version = 1110;
    file.header.settings.break_spare_dist = 10;
    file.header.settings.handle_atc = 250;
    MapSignalType type;
    type.name = testing::Sjis("四現示");
    file.map.signal_sets.Append(type);
    model_.Replace(file);
  }

  bool Run(const std::string& script, bool extension) {
    DiaDialogOptions options;
    options.extension = extension;
    DiaEditScript script_runner(
        model_, answers_, [] { return true; }, options);
    std::istringstream in(script);
    return script_runner.Run(in, &error_);
  }

  DiaModel model_;
  ScriptedPrompter shown_;
  QueuedAnswers answers_{shown_};
  std::string error_;
};

TEST_F(DiaSettingsDialogsTest, UnitTimesAreStoredOnTheUnitGridAndCancelKeepsThem) {
  ASSERT_TRUE(
      Run("answer 単位時間=20 標準時間=#1 折返時間=#1 cancel\n"
          "command 単位・標準時間設定\n",
          false))
      << error_;
  EXPECT_EQ(model_.header().time_units, TimeUnits{});
  EXPECT_FALSE(model_.modified());

  // Items: standard "通過", 20, 40 …; reverse 20, 40 ….
  ASSERT_TRUE(
      Run("answer 単位時間=20 標準時間=#3 折返時間=#2 ok\n"
          "command dia.unit_times\n",
          false))
      << error_;
  EXPECT_EQ(model_.header().time_units, (TimeUnits{20, 40, 40}));
  EXPECT_TRUE(model_.modified());
}

TEST_F(DiaSettingsDialogsTest, SignalSettingsNeedTheExtensionOptionAndCheckTheMargin) {
  // Without the option every value is shown only and OK cannot be pressed.
  EXPECT_FALSE(Run("answer ok\ncommand 信号設定\n", false));
  EXPECT_NE(error_.find("OK cannot be pressed"), std::string::npos) << error_;

  ASSERT_TRUE(Run("answer 信号余裕距離=4 ok\ncommand 信号設定\n", true)) << error_;
  ASSERT_EQ(shown_.shown().size(), 1u);
  EXPECT_EQ(shown_.shown()[0].caption, "入力データエラー");
  EXPECT_EQ(model_.header().settings.break_spare_dist, 10);
  EXPECT_FALSE(model_.modified());

  ASSERT_TRUE(Run("answer 信号余裕距離=5 信号現示計算減速度=2.555 ok\ncommand 信号設定\n", true))
      << error_;
  EXPECT_EQ(model_.header().settings.break_spare_dist, 5);
  EXPECT_EQ(model_.header().settings.handle_atc, 255);
  EXPECT_TRUE(model_.modified());
}

TEST_F(DiaSettingsDialogsTest, OldMapsHaveNoSignalSettings) {
  DiaFile old = model_.file();
  old.header.settings.signal_version = 1000;
  model_.Replace(old);
  ASSERT_TRUE(Run("answer 信号余裕距離=20 ok\ncommand 信号設定\n", true)) << error_;
  ASSERT_EQ(shown_.shown().size(), 1u);
  EXPECT_EQ(shown_.shown()[0].caption, "バージョンエラー");
  EXPECT_EQ(model_.header().settings.break_spare_dist, 10);
}

TEST_F(DiaSettingsDialogsTest, SignalTypesEditTheLoadedMapOnlyOnOk) {
  ASSERT_TRUE(Run("answer 信号機=#2 略記名称=三現示 cancel\ncommand 信号詳細設定\n", false))
      << error_;
  EXPECT_EQ(model_.map().signal_sets[1].name.Utf8(), "四現示");
  EXPECT_FALSE(model_.modified());

  ASSERT_TRUE(Run("answer 信号機=#2 略記名称=三現示 ok\ncommand 信号詳細設定\n", false)) << error_;
  EXPECT_EQ(model_.map().signal_sets[1].name.Utf8(), "三現示");
  EXPECT_TRUE(model_.modified());
}

TEST(SignalSettingsContextOfTest, TakesTheSmallestBrakeAndSeriesWithoutCharacteristics) {
  DiaData dia;
  EXPECT_FALSE(SignalSettingsContextOf(dia, true).smallest_atc_brake.has_value());
  EXPECT_FALSE(SignalSettingsContextOf(dia, true).series_without_characteristics);
  SeriesRecord series;
  series.characteristic = 0;
  dia.series.Append(series);
  EXPECT_TRUE(SignalSettingsContextOf(dia, false).series_without_characteristics);
}

}  // namespace
}  // namespace corvane
