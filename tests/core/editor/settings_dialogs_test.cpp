#include "editor/settings_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dialog_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::AnswerDialog;

std::vector<std::string> Captions(const ScriptedPrompter& prompter) {
  std::vector<std::string> captions;
  for (const ShownPrompt& shown : prompter.shown()) captions.push_back(shown.caption);
  return captions;
}

TEST(MapSettingsTest, HundredthsAreReadExactlyAndTimesRoundToTheUnit) {
  EXPECT_EQ(ParseHundredths("2.555"), 255);
  EXPECT_EQ(ParseHundredths("2.30"), 230);
  EXPECT_EQ(ParseHundredths("1.15"), 115);
  EXPECT_EQ(ParseHundredths("0.29"), 29);
  EXPECT_EQ(ParseHundredths(" 3 "), 300);
  EXPECT_EQ(ParseHundredths(".5"), 50);
  EXPECT_EQ(ParseHundredths("-1.2"), -120);
  EXPECT_EQ(ParseHundredths("abc"), std::nullopt);
  EXPECT_EQ(ParseHundredths("1.2.3"), std::nullopt);
  EXPECT_EQ(ParseHundredths("."), std::nullopt);
  EXPECT_EQ(ParseHundredths("99999999999"), std::nullopt);

  EXPECT_EQ(RoundDownToUnit(59, 15), 45);
  EXPECT_EQ(RoundUpToUnit(46, 15), 60);
  EXPECT_EQ(RoundUpToUnit(45, 15), 45);
  EXPECT_EQ(SpeedIndex(-5), 0);
  EXPECT_EQ(SpeedIndex(5000), 1023);
}

TEST(MapPropertyDialogTest, StoresNameSpeedAndDirectionAndRefusesSpeedsOutsideTheTable) {
  MapHeader header;
  header.map_code = 1234;
  ScriptedPrompter prompter;
  MapPropertyDialog dialog(header);
  EXPECT_EQ(dialog.Find("map_code")->text, "1234");
  EXPECT_FALSE(dialog.Find("map_code")->enabled);
  EXPECT_EQ(dialog.Find("direction")->item, 0);  // 下り
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "最高速度=0 ok"));
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "最高速度=1024 ok"));
  EXPECT_EQ(Captions(prompter), (std::vector<std::string>{"入力データエラー", "入力データエラー"}));
  EXPECT_TRUE(AnswerDialog(dialog, prompter, "マップ名=東西線 最高速度=1023 →方向=上り ok"));
  EXPECT_EQ(dialog.header().map_name.Utf8(), "東西線");
  EXPECT_EQ(dialog.header().settings.max_speed, 1023);
  EXPECT_EQ(dialog.header().settings.right_down, 0);
  EXPECT_EQ(dialog.header().map_code, 1234);
}

TEST(SignalSettingsDialogTest, ChecksInOrderAndStores) {
  MapSettings settings;
  ScriptedPrompter prompter;
  SignalSettingsDialog dialog(settings, SignalSettingsMode::kEditor);
  EXPECT_EQ(dialog.Find("handle_atc")->text, "2.80");
  EXPECT_EQ(dialog.Find("version")->items.front(), "1.042");
  EXPECT_FALSE(dialog.Find("route_check")->enabled);  // areas off
  EXPECT_FALSE(dialog.Find("re_accel")->enabled);     // running characteristics off

  EXPECT_FALSE(AnswerDialog(dialog, prompter, "信号余裕距離=4 ok"));
  EXPECT_EQ(prompter.shown().back().text,
            "信号余裕距離は5[m]以上確保しなければなりません。\n再設定して下さい。\n");
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "信号余裕距離=5 信号現示計算減速度=0 ok"));
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "信号現示計算減速度=x ok"));
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "信号現示計算減速度=2 到着時進路確保距離=0 ok"));
  EXPECT_EQ(prompter.shown().back().text,
            "信号現示計算減速度は正の値でなければなりません。\n再設定して下さい。\n");
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "到着時進路確保距離=20 走行特性=1 再力行速度=-1 ok"));
  EXPECT_EQ(prompter.shown().back().text,
            "再力行速度は正の値でなければなりません。\n再設定して下さい。\n");
  EXPECT_TRUE(AnswerDialog(dialog, prompter,
                           "再力行速度=8 信号現示計算減速度=2.555 構内管理有効=1 "
                           "出発時進路確保距離=1500 信号バージョン=1.121 ok"));
  const MapSettings& stored = dialog.settings();
  EXPECT_EQ(stored.break_spare_dist, 5);
  EXPECT_EQ(stored.handle_atc, 255);
  EXPECT_EQ(stored.route_warning_dist, 20);
  EXPECT_EQ(stored.route_check_dist, 1500);
  EXPECT_EQ(stored.re_accel_speed, 8);
  EXPECT_EQ(stored.use_area, 1);
  EXPECT_EQ(stored.use_characteristic, 1);
  EXPECT_EQ(stored.signal_version, 1121);
  EXPECT_EQ(stored.safety_device, kSafetyAts);
}

TEST(SignalSettingsDialogTest, AtcIsConfirmedFirst) {
  ScriptedPrompter prompter;
  SignalSettingsDialog dialog(MapSettings{}, SignalSettingsMode::kEditor);
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "保安装置=ＡＴＣ 信号余裕距離=1 ok"));
  ASSERT_EQ(Captions(prompter), std::vector<std::string>{"ＡＴＣ確認"});  // No: nothing else
  prompter.Queue(PromptAnswer::kYes);
  EXPECT_TRUE(AnswerDialog(dialog, prompter, "信号余裕距離=10 ok"));
  EXPECT_EQ(dialog.settings().safety_device, kSafetyAtc);
  EXPECT_EQ(dialog.settings().use_atc, 1);
  EXPECT_EQ(dialog.settings().use_ats, 0);
}

TEST(SignalSettingsDialogTest, MainWindowModeChecksTheTrainBrakesOnlyWithSeries) {
  ScriptedPrompter prompter;
  SignalSettingsContext context;
  context.extension = true;
  context.smallest_atc_brake = 3072;  // 3.00 km/h/s
  SignalSettingsDialog dialog(MapSettings{}, SignalSettingsMode::kMainWindow, context);
  EXPECT_FALSE(dialog.Find("device")->enabled);
  EXPECT_TRUE(AnswerDialog(dialog, prompter, "信号現示計算減速度=2.90 ok"));
  EXPECT_EQ(dialog.settings().handle_atc, 290);
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "信号現示計算減速度=2.91 ok"));
  EXPECT_EQ(prompter.shown().back().text,
            "信号現示計算減速度が列車性能を上回っています。\n余裕を持たせて再設定して下さい。\n");

  context.smallest_atc_brake.reset();  // no series loaded: nothing to compare with
  context.series_without_characteristics = true;
  SignalSettingsDialog without_series(MapSettings{}, SignalSettingsMode::kMainWindow, context);
  prompter.ClearShown();
  EXPECT_TRUE(AnswerDialog(without_series, prompter, "信号現示計算減速度=9.99 走行特性=1 ok"));
  EXPECT_EQ(Captions(prompter), std::vector<std::string>{"設定警告"});
  EXPECT_EQ(without_series.settings().use_characteristic, 1);

  SignalSettingsDialog locked(MapSettings{}, SignalSettingsMode::kMainWindow);
  EXPECT_FALSE(locked.ok_enabled());
  EXPECT_EQ(std::string(locked.ok_label().japanese), "拡張機能");
  EXPECT_EQ(locked.Find("note")->text, "この機能は拡張機能です。");
  EXPECT_FALSE(locked.Find("break_spare")->enabled);
}

TEST(TimeUnitsDialogTest, ConfirmedUnitGivesTheListsAndOkStoresMultiples) {
  ScriptedPrompter prompter;
  TimeUnitsDialog dialog(TimeUnits{15, 45, 120});
  EXPECT_FALSE(dialog.Find("standard")->enabled);
  EXPECT_EQ(dialog.Find("unit")->items,
            (std::vector<std::string>{"15", "1", "2", "5", "10", "15", "20"}));

  // Units out of range are refused when confirmed, before any list is made.
  for (const char* unit : {"0", "-5", "100801"}) {
    prompter.ClearShown();
    EXPECT_FALSE(AnswerDialog(dialog, prompter, std::string("単位時間=") + unit + " ok")) << unit;
    EXPECT_EQ(prompter.shown().front().text, "時刻が不正です。再設定して下さい。\n");
  }

  EXPECT_FALSE(AnswerDialog(dialog, prompter, "単位時間=20 cancel"));
  const DialogField& standard = *dialog.Find("standard");
  const DialogField& reverse = *dialog.Find("reverse");
  ASSERT_EQ(standard.items.size(), 181u);
  EXPECT_EQ(standard.items.front(), "通過");
  EXPECT_EQ(standard.items[1], "20秒");
  EXPECT_EQ(standard.items.back(), "3600秒");
  ASSERT_EQ(reverse.items.size(), 180u);
  EXPECT_EQ(reverse.items.front(), "20秒");
  EXPECT_EQ(standard.item, 2);  // 45 / 20
  EXPECT_EQ(reverse.item, 5);   // 120 / 20 - 1

  EXPECT_TRUE(AnswerDialog(dialog, prompter, "標準時間=通過 折返時間=60秒 ok"));
  EXPECT_EQ(dialog.units(), (TimeUnits{20, 0, 60}));

  TimeUnitsDialog longest(TimeUnits{15, 45, 120});
  EXPECT_TRUE(AnswerDialog(longest, prompter, "単位時間=100800 ok"));
  EXPECT_EQ(longest.units(), (TimeUnits{100800, 0, 100800}));
}

}  // namespace
}  // namespace corvane
