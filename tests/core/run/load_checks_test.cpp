#include "run/load_checks.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "run/dia_change.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using A = PromptAnswer;

// A line of `rails` rails running right, each on its own piece, linked both
// ways, positions joined, every rail with a signal: data the checks pass.
DiaFile CleanLine(int rails = 3) {
  DiaFile file;
  file.header.version = kDiaVersion;
  file.header.settings.signal_version = 1126;
  for (int i = 1; i <= rails; ++i) {
    RailRecord rail;
    rail.x_entry = (i - 1) * 40;
    rail.x_exit = i * 40;
    rail.y_entry = rail.y_exit = 60;
    rail.l_next = i < rails ? i + 1 : 0;
    rail.l_back = i - 1;
    rail.l_pack = i;
    rail.signal = 1;
    rail.length = 100;
    rail.name = "R" + std::to_string(i);
    file.map.rails.Append(rail);
    PRailRecord piece;
    piece.rail_first = i;
    file.map.prails.Append(piece);
  }
  return file;
}

SeriesRecord Series(std::string_view name, int atc_brake) {
  SeriesRecord series;
  series.name = name;
  series.short_name = name;
  series.cars = 4;
  series.rates[4] = atc_brake;
  series.owned_units = 2;
  return series;
}

class LoadChecksTest : public ::testing::Test {
 protected:
  LoadCheckResult Run(DiaFile file, std::vector<A> answers = {}) {
    model_.Replace(std::move(file));
    prompter_ = ScriptedPrompter(std::move(answers));
    return RunLoadChecks(model_, setup_, prompter_);
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const ShownPrompt& shown : prompter_.shown()) texts.push_back(shown.text);
    return texts;
  }
  const DiaFile& file() const { return model_.file(); }

  DiaModel model_;
  ScriptedPrompter prompter_;
  LoadCheckSetup setup_;
};

std::vector<A> Retries() { return std::vector<A>(20, A::kRetry); }

constexpr const char kMaker[] =
    "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n";

TEST_F(LoadChecksTest, CleanDataPassesSilently) {
  const LoadCheckResult result = Run(CleanLine());
  EXPECT_EQ(result.prompts, 0);
  EXPECT_FALSE(result.aborted);
  EXPECT_FALSE(model_.modified());
}

TEST_F(LoadChecksTest, LastRailWithoutSignalIsOfferedTheRepair) {
  DiaFile data = CleanLine();
  data.map.rails[3].signal = 0;
  data.map.prails[3].rail_second = 2;  // a later report: the check goes on after No
  const LoadCheckResult no = Run(data, {A::kNo, A::kRetry});
  ASSERT_EQ(prompter_.shown().size(), 2u);
  EXPECT_EQ(prompter_.shown()[0].text,
            "レールデータが不正です。\nR3の信号設定を自動修正します。\nよろしいですか？\n");
  EXPECT_EQ(prompter_.shown()[0].buttons, PromptButtons::kYesNo);
  EXPECT_EQ(file().map.rails[3].signal, 0);
  EXPECT_FALSE(no.aborted);

  Run(data, {A::kYes, A::kRetry});
  EXPECT_EQ(file().map.rails[3].signal, 1);
  EXPECT_TRUE(model_.modified());
}

TEST_F(LoadChecksTest, NumbersOutOfRangeAreReportedNeverFollowed) {
  DiaFile data = CleanLine();
  data.map.rails[1].l_next = 9999;
  data.map.rails[2].l_back = -5;  // negative: holds off a point's normal position
  data.map.rails[2].l_dual = 4096;
  data.map.rails[3].l_pack = 77;
  data.map.prails[2].rail_second = -3;
  const LoadCheckResult result = Run(data, Retries());
  EXPECT_FALSE(result.aborted);
  const std::vector<std::string> texts = Texts();
  const auto has = [&](const std::string& tail) {
    return std::ranges::count(texts, std::string("レールデータが不正です。") + kMaker + tail) +
           std::ranges::count(texts,
                              std::string("双方向パックレールデータが不正です。") + kMaker + tail);
  };
  EXPECT_EQ(has(" l_next i:1 l_next:9999\n"), 1);
  EXPECT_EQ(has(" l_pack i:2 l_dual:4096\n"), 1);
  EXPECT_EQ(has(" l_pack i:3 l_pack:77\n"), 1);
  EXPECT_EQ(has(" l_pack i:2 l_dual:-3\n"), 1);
  // Rail 2 no longer answers rail 1's link back; piece 3 lost its rail.
  EXPECT_EQ(has(" l_back i:3 l_back:2\n"), 0);
}

TEST_F(LoadChecksTest, PositionCheckOffSkipsBackLinksAndPlaces) {
  DiaFile data = CleanLine();
  data.map.rails[2].x_exit = 999;  // row_pos_x of 2 and of 3
  data.map.rails[3].l_back = 1;    // l_back of 3
  data.map.rails[2].l_next = 1;    // l_next of 2 (1's back is 0)
  data.header.map_pos_check = false;
  Run(data);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_NE(prompter_.shown()[0].text.find(" l_next i:2 l_next:1"), std::string::npos);

  data.header.map_pos_check = true;
  Run(data, Retries());
  EXPECT_GE(prompter_.shown().size(), 3u);
}

TEST_F(LoadChecksTest, LinksThroughAJumpAreNoPositionFault) {
  DiaFile data = CleanLine();
  data.map.rails[3].x_entry = 500;
  data.map.rails[3].y_entry = 144;
  data.map.rails[3].x_exit = 540;
  data.map.rails[3].y_exit = 144;
  JumpRecord jump;
  jump.x_from = 80;
  jump.y_from = 60;
  jump.x_to = 500;
  jump.y_to = 144;
  data.map.jumps.Append(jump);
  EXPECT_EQ(Run(data).prompts, 0);
}

TEST_F(LoadChecksTest, IgnoreEndsTheCheckAndAbortTakesEverythingBack) {
  DiaFile data = CleanLine();
  data.dia.series.Append(Series("A", 3000));
  UnitRecord unit;
  unit.series = 3;
  data.dia.units.Append(unit);
  data.map.rails[1].l_next = 3;  // reported twice: l_next of 1, l_back of 3
  data.map.prails[1].rail_second = 2;
  const LoadCheckResult ignored = Run(data, {A::kYes, A::kIgnore});
  EXPECT_FALSE(ignored.aborted);
  EXPECT_EQ(ignored.prompts, 2);  // the unit question and the first report
  EXPECT_EQ(file().dia.units[1].series, 1);

  const LoadCheckResult aborted = Run(data, {A::kYes, A::kAbort});
  EXPECT_TRUE(aborted.aborted);
  EXPECT_EQ(file().dia.units[1].series, 3);  // the repair is taken back
  EXPECT_FALSE(model_.modified());
}

TEST_F(LoadChecksTest, UnitSeriesBeyondTheCountIsFixedWithOneYes) {
  DiaFile data = CleanLine();
  data.dia.series.Append(Series("A", 3000));
  data.dia.series.Append(Series("B", 3000));
  UnitRecord unit;
  unit.name = "U1";
  unit.series = 4;
  data.dia.units.Append(unit);
  unit.series = -1;  // a negative number is as wrong
  data.dia.units.Append(unit);
  Run(data, {A::kYes, A::kNo});
  EXPECT_EQ(prompter_.shown().size(), 2u);
  EXPECT_EQ(prompter_.shown()[0].text,
            "編成データが不正です。\nU1編成の形式情報を自動修正します。\nよろしいですか？\n");
  EXPECT_EQ(file().dia.units[1].series, 2);
  EXPECT_EQ(file().dia.units[2].series, -1);
}

TEST_F(LoadChecksTest, TrainsetsOfData1110RunWhereTheirTrainStands) {
  DiaFile data = CleanLine();
  data.header.version = 1110;
  data.map.rails[1].target = 1;
  data.map.rails[2].target = 2;
  TrainRecord train;
  train.rail = 2;
  data.dia.trains.Append(train);
  DiagramRecord run;
  run.direction = 1;
  run.events = {{1, 100, kEventDeparture}, {}};
  data.dia.diagrams.Append(run);
  run.events = {{2, 200, kEventDeparture}, {}};
  data.dia.diagrams.Append(run);
  UnitRecord unit;
  unit.diagram = 1;
  unit.train = 1;
  data.dia.units.Append(unit);
  unit.diagram = 0;  // a trainset without a run is left alone
  data.dia.units.Append(unit);
  Run(data, {A::kYes, A::kOk, A::kNo});
  EXPECT_EQ(file().dia.units[1].diagram, 2);
  EXPECT_EQ(file().dia.units[2].diagram, 0);
  ASSERT_GE(prompter_.shown().size(), 2u);
  EXPECT_EQ(prompter_.shown()[1].caption, "修正完了");

  data.header.version = 1120;  // other versions are not asked
  Run(data, {A::kYes});
  EXPECT_EQ(file().dia.units[1].diagram, 1);
}

TEST_F(LoadChecksTest, RunLinksAndPatternsToRunsNotInUse) {
  DiaFile data = CleanLine();
  DiagramRecord run;
  run.direction = 1;
  run.values[4] = 2;  // record 2 is not in use
  data.dia.diagrams.Append(run);
  data.dia.diagrams.Append(DiagramRecord{});
  run.values[4] = 70000;  // out of range
  data.dia.diagrams.Append(run);
  PatternRecord pattern;
  pattern.diagram = 2;
  data.dia.patterns.Append(pattern);
  pattern.diagram = 1;
  data.dia.patterns.Append(pattern);
  pattern.diagram = -4;
  data.dia.patterns.Append(pattern);
  Run(data, {A::kYes, A::kYes, A::kYes, A::kYes});
  EXPECT_EQ(file().dia.diagrams[1].values[4], 0);
  EXPECT_EQ(file().dia.diagrams[3].values[4], 0);
  ASSERT_EQ(file().dia.patterns.count(), 1);
  EXPECT_EQ(file().dia.patterns[1].diagram, 1);
}

TEST_F(LoadChecksTest, ImportedDataGetsNeitherMapRepairsNorConversion) {
  DiaFile data = CleanLine();
  data.header.wdia_mode = 1;
  data.header.map_code = 99999;
  data.header.settings.view_direc = 0;
  data.header.settings.right_down = 0;
  data.header.settings.signal_version = 1010;
  data.map.rails[3].signal = 0;  // the rail link check still runs
  setup_.extension = true;
  Run(data, {A::kYes});
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(file().map.rails[3].signal, 1);
  EXPECT_EQ(file().header.settings.view_direc, 0);
  EXPECT_EQ(file().header.settings.signal_version, 1010);

  data.header.wdia_mode = 0;
  Run(data, {A::kYes, A::kYes, A::kNo, A::kNo});
  EXPECT_EQ(file().header.settings.view_direc, 1);
  EXPECT_EQ(file().header.settings.right_down, 1);
  EXPECT_EQ(prompter_.shown()[2].caption, "バージョン警告");
}

TEST_F(LoadChecksTest, SpeedTypesMeasuredWithoutASeriesAndRunsWithBothMarks) {
  DiaFile data = CleanLine();
  data.dia.series.Append(Series("A", 3000));
  SpeedTypeRecord type;
  type.short_name = "快";
  type.series = 5;
  data.dia.speed_types.Append(type);
  DiagramRecord run;
  run.direction = 2;
  run.values[7] = 1;
  run.values[8] = 3;
  data.dia.diagrams.Append(run);
  Run(data, {A::kYes});
  EXPECT_EQ(file().dia.speed_types[1].series, 1);
  EXPECT_EQ(file().dia.diagrams[1].values[8], 0);
  EXPECT_EQ(prompter_.shown()[0].caption, "自動修正確認");
}

TEST_F(LoadChecksTest, SeriesHeldTwiceAreMerged) {
  DiaFile data = CleanLine();
  data.dia.series.Append(Series("A", 3000));
  data.dia.series.Append(Series("B", 3000));
  data.dia.series.Append(Series("A", 3000));
  UnitRecord unit;
  for (int s : {1, 2, 3}) {
    unit.series = s;
    data.dia.units.Append(unit);
  }
  Run(data);
  ASSERT_EQ(file().dia.series.count(), 2);
  EXPECT_EQ(file().dia.series[1].owned_units, 4);
  EXPECT_EQ(file().dia.units[2].series, 2);
  EXPECT_EQ(file().dia.units[3].series, 1);
}

TEST_F(LoadChecksTest, OldSeriesTakeSupplyGaugeAndTimesFromTheirFile) {
  testing::ScratchFolder folder;
  ASSERT_TRUE(WriteFileBytes(folder.File("a.ini"),
                             testing::Sjis("[形式情報]\n形式名=A\n略記=A\n両数=4\nDC1500V=1\n"
                                           "軌間=1067\n併合時間最小値=45\n")));
  setup_.series_folders.series = folder.path();
  DiaFile data = CleanLine();
  SeriesRecord old = Series("A", 3000);
  old.record_version = 1000;
  old.capacity = 99;
  data.dia.series.Append(old);
  SeriesRecord other = Series("B", 3000);
  other.record_version = 1000;
  data.dia.series.Append(other);  // no file: left as it is
  Run(data);
  const SeriesRecord& upgraded = file().dia.series[1];
  EXPECT_EQ(upgraded.record_version, 1220);
  EXPECT_EQ(upgraded.supplies, (std::array<int, kSupplyKinds>{0, 0, 0, 1, 0, 0}));
  EXPECT_EQ(upgraded.gauge, 1067);
  EXPECT_EQ(upgraded.times, (std::array<int, 9>{30, 60, 75, 45, 60, 80, 40, 60, 80}));
  EXPECT_EQ(upgraded.capacity, 99);  // the rest stays
  EXPECT_EQ(file().dia.series[2].record_version, 1000);
}

TEST_F(LoadChecksTest, OldDataGetsRowJumpsBeyondTheTablesRoom) {
  DiaFile old = CleanLine(4);
  old.header.version = 1100;
  old.map.jumps = Table<JumpRecord>(1);
  JumpRecord drawn;
  drawn.label = "*A";
  old.map.jumps.Append(drawn);
  old.map.rows.Append(RowRecord{});
  old.map.rows.Append(RowRecord{});
  // Rails 3 and 4 are drawn in row 2, rail 3 starting where rail 2 ends.
  old.map.rails[3].display_row = old.map.rails[4].display_row = 2;
  Run(old, {A::kNo});
  ASSERT_EQ(file().map.jumps.count(), 2);
  const JumpRecord& jump = file().map.jumps[2];
  EXPECT_EQ(jump.jump_kind, 1);
  EXPECT_EQ(jump.from_row, 1);
  EXPECT_EQ(jump.to_row, 2);
  EXPECT_EQ(jump.x_from, 80);
  EXPECT_EQ(jump.x_to, 80);
}

TEST_F(LoadChecksTest, DestinationsTakeTheHighestMatchingTarget) {
  DiaFile data = CleanLine();
  data.header.version = 1140;
  for (const char* name : {"A", "B", "A"}) {
    TargetRecord target;
    target.short_name = name;
    data.map.targets.Append(target);
  }
  DiagramRecord run;
  run.direction = 1;
  run.destination = "A";
  data.dia.diagrams.Append(run);
  Run(data, {A::kYes});
  EXPECT_EQ(file().dia.diagrams[1].values[0], 3);
  EXPECT_EQ(prompter_.shown()[0].caption, "修正確認");
}

TEST_F(LoadChecksTest, ConversionFollowsTheSmallestAtcBrake) {
  DiaFile data = CleanLine();
  data.header.settings.signal_version = 1010;
  data.header.settings.handle_atc = 300;
  data.header.settings.stop_spare_dist = 15;
  data.dia.series.Append(Series("A", 3072));  // 3.00 km/h/s
  data.dia.series.Append(Series("B", 2560));  // 2.50 km/h/s: (256000 - 9800) / 1024 = 240
  setup_.extension = true;
  MapSettings shown;
  setup_.signal_settings = [&shown](MapSettings& settings) {
    shown = settings;
    return true;
  };
  const LoadCheckResult result = Run(data, {A::kYes});
  EXPECT_TRUE(result.converted);
  EXPECT_EQ(shown.handle_atc, 240);
  EXPECT_EQ(shown.stop_spare_dist, 10);
  EXPECT_EQ(file().header.settings.signal_version, 1042);
  EXPECT_EQ(file().header.settings.handle_atc, 240);

  // Cancel in the dialog leaves the settings.
  setup_.signal_settings = [](MapSettings&) { return false; };
  EXPECT_FALSE(Run(data, {A::kYes}).converted);
  EXPECT_EQ(file().header.settings.handle_atc, 300);
  EXPECT_EQ(file().header.settings.signal_version, 1010);
}

TEST_F(LoadChecksTest, ConversionRefusals) {
  DiaFile data = CleanLine();
  data.header.settings.signal_version = 1010;
  data.header.settings.handle_atc = 300;
  setup_.extension = true;
  // Without series the deceleration stays.
  EXPECT_TRUE(Run(data, {A::kYes}).converted);
  EXPECT_EQ(file().header.settings.handle_atc, 300);
  // A brake that leaves nothing for the signals is refused.
  data.dia.series.Append(Series("A", 102));
  EXPECT_FALSE(Run(data, {A::kYes}).converted);
  EXPECT_EQ(prompter_.shown().back().caption, "バージョンエラー");
  EXPECT_EQ(file().header.settings.handle_atc, 300);

  data.dia.series[1].rates[4] = 3072;
  data.header.map_code = 401;
  EXPECT_FALSE(Run(data, {A::kYes}).converted);
  data.header.map_code = 1;
  data.header.settings.signal_version = 900;
  EXPECT_FALSE(Run(data, {A::kYes}).converted);
  // Without the extension option only the warning is shown.
  setup_.extension = false;
  data.header.settings.signal_version = 1010;
  EXPECT_EQ(Run(data).prompts, 1);
  EXPECT_EQ(prompter_.shown()[0].buttons, PromptButtons::kOk);
}

TEST(FixedAnswersTest, AnswersByButtonsAndTellsTheAnswer) {
  ScriptedPrompter shown;
  std::vector<PromptAnswer> taken;
  FixedAnswers answers(shown, A::kYes, A::kIgnore, [&](A a) { taken.push_back(a); });
  EXPECT_EQ(answers.Ask("q", "c", PromptButtons::kYesNo, PromptIcon::kQuestion), A::kYes);
  EXPECT_EQ(answers.Ask("r", "c", PromptButtons::kAbortRetryIgnore, PromptIcon::kWarning),
            A::kIgnore);
  EXPECT_EQ(answers.Ask("m", "c", PromptButtons::kOk, PromptIcon::kWarning), A::kOk);
  EXPECT_EQ(taken, (std::vector<A>{A::kYes, A::kIgnore}));
  EXPECT_EQ(shown.shown().size(), 3u);
}

}  // namespace
}  // namespace corvane
