#include "interlocking/interlocking_panel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "app/dia_document.h"
#include "base/chooser.h"
#include "base/message_log.h"
#include "run/dia_change.h"
#include "support/dia_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

// A line built record by record: each rail on a piece of its own unless it
// shares its twin's, links set by hand, every rail with signal type 1.
// Rails run rightward from x = 100 * n to 100 * (n + 1).
class PanelLine {
 public:
  PanelLine() {
    file_.header.map_code = 1001;
    file_.header.settings.use_area = 1;
    file_.header.settings.safety_device = kSafetyAts;
    file_.header.settings.use_atc = 0;
    file_.header.settings.use_ats = 1;
    file_.map.signal_sets.Append(MapSignalType{});
    file_.map.targets.Append(TargetRecord{});  // the yard of every yard rail
  }

  int Rail(int yard = 0, int stop = 0, int single = 0) {
    RailRecord r;
    const int n = file_.map.rails.count() + 1;
    r.x_entry = 100 * n;
    r.x_exit = 100 * (n + 1);
    r.y_entry = r.y_exit = 60;
    r.direction = 2;
    r.signal = 1;
    r.yard_target = yard;
    r.stop_distance = stop;
    r.l_pack = file_.map.prails.Append({single, 0, n, 0, 1});
    return file_.map.rails.Append(r);
  }
  // Each rail's next link is the following one, whose back link it is.
  void Chain(std::initializer_list<int> rails) {
    const int* previous = nullptr;
    for (const int& r : rails) {
      if (previous != nullptr) {
        rail(*previous).l_next = r;
        rail(r).l_back = *previous;
      }
      previous = &r;
    }
  }
  void Twins(int a, int b) {
    rail(a).l_dual = b;
    rail(b).l_dual = a;
  }
  // A point whose only entry rail is `r`: its piece carries a point.
  void PointOn(int r) {
    PointRecord point;
    point.entry_rails[0] = r;
    point.entry_count = 1;
    point.branch_count = 1;
    file_.map.points.Append(point);
  }
  RailRecord& rail(int r) { return file_.map.rails[r]; }
  DiaFile& file() { return file_; }

  DiaModel& Loaded() {
    model_.Replace(file_);
    return model_;
  }

 private:
  DiaFile file_;
  DiaModel model_;
};

// The rails carrying a lever (a button), in lever (button) number order.
std::vector<int> RailsCarrying(const DiaModel& model, int RailRecord::*field, int count) {
  std::vector<int> rails(static_cast<std::size_t>(count), 0);
  for (int r = 1; r <= model.map().rails.count(); ++r) {
    const int number = model.map().rails[r].*field;
    if (number != 0) rails.at(static_cast<std::size_t>(number - 1)) = r;
  }
  return rails;
}
std::vector<int> LeverRails(const DiaModel& model) {
  return RailsCarrying(model, &RailRecord::lever, model.dia().levers.count());
}
std::vector<int> ButtonRails(const DiaModel& model) {
  return RailsCarrying(model, &RailRecord::button, model.dia().buttons.count());
}
int LeverColumn(const DiaModel& model, int lever, LeverValue column) {
  return model.dia().levers[lever].values[column];
}
int ButtonColumn(const DiaModel& model, int button, ButtonValue column) {
  return model.dia().buttons[button].values[column];
}

PanelToggle Toggle(DiaModel& model, PromptAnswer answer = PromptAnswer::kNo) {
  ScriptedPrompter prompter({answer});
  OperationReport report;
  report.boxes = &prompter;
  return ToggleInterlockingPanel(model, report);
}

using Rails = std::vector<int>;

// ------------------------------------------------------------ the checks

TEST(InterlockingPanelTest, EachCheckRefusesWithItsBoxAndChangesNothing) {
  struct Case {
    const char* what;
    void (*spoil)(PanelLine&);
    const char* text;
    const char* caption;
  };
  const Case cases[] = {
      {"no areas", [](PanelLine& l) { l.file().header.settings.use_area = 0; },
       kPanelNeedsAreasText, kPanelAreaErrorCaption},
      {"a point outside the yards", [](PanelLine& l) { l.rail(2).yard_target = 0; },
       kPanelPointsOutsideYardsText, kPanelAreaErrorCaption},
      {"map code 4", [](PanelLine& l) { l.file().header.map_code = 4; }, kPanelOldMapText,
       kPanelUnsupportedCaption},
      {"map code 0", [](PanelLine& l) { l.file().header.map_code = 0; }, kPanelOldMapText,
       kPanelUnsupportedCaption},
  };
  for (const Case& c : cases) {
    for (const int interlocking : {0, 1}) {
      SCOPED_TRACE(std::string(c.what) + (interlocking != 0 ? ", switching off" : ""));
      PanelLine line;
      line.Chain({line.Rail(1, 100), line.Rail(1)});
      line.PointOn(2);
      line.file().header.settings.use_interlocking = interlocking;
      c.spoil(line);
      DiaModel& model = line.Loaded();
      ScriptedPrompter prompter({PromptAnswer::kYes});
      OperationReport report;
      report.boxes = &prompter;
      EXPECT_EQ(ToggleInterlockingPanel(model, report), PanelToggle::kRefused);
      ASSERT_EQ(prompter.shown().size(), 1U);
      EXPECT_EQ(prompter.shown()[0].text, c.text);
      EXPECT_EQ(prompter.shown()[0].caption, c.caption);
      EXPECT_FALSE(model.modified());
      EXPECT_EQ(model.header().settings.use_interlocking, interlocking);
    }
  }
}

TEST(InterlockingPanelTest, MapCodesFromFiveOnAndPointsInsideYardsPass) {
  PanelLine line;
  line.Chain({line.Rail(1, 100), line.Rail(1)});
  line.PointOn(2);
  line.file().header.map_code = 5;
  DiaModel& model = line.Loaded();
  EXPECT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
  EXPECT_EQ(model.header().settings.use_interlocking, 1);
}

// ------------------------------------------------------------ the generation

// One direction of double track: block 1, the approach 2, the platform 3,
// the departure 4, block 5.
class OneWayLine : public ::testing::Test {
 protected:
  OneWayLine() {
    for (const int yard : {0, 0, 1, 0, 0}) line_.Rail(yard, yard != 0 ? 150 : 0);
    line_.Chain({1, 2, 3, 4, 5});
  }
  PanelLine line_;
};

TEST_F(OneWayLine, PlainRoutesBetweenSignalsAreFixedAtOnce) {
  DiaModel& model = line_.Loaded();
  ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
  EXPECT_EQ(LeverRails(model), (Rails{2, 3}));
  EXPECT_EQ(ButtonRails(model), (Rails{3, 4}));
  for (int n = 1; n <= 2; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(LeverColumn(model, n, kLeverMode), 0);
    EXPECT_EQ(LeverColumn(model, n, kLeverNormalRoute), n);
    EXPECT_EQ(LeverColumn(model, n, kLeverCurrentRoute), n);
    EXPECT_EQ(LeverColumn(model, n, kLeverMain), 0);
    EXPECT_EQ(LeverColumn(model, n, kLeverHasSignalButton), 0);
    EXPECT_EQ(ButtonColumn(model, n, kButtonRouteFrom), n);
    EXPECT_EQ(ButtonColumn(model, n, kButtonMain), 0);
    // The route covers the rail with the button.
    const int covered = n + 2;
    EXPECT_EQ(model.map().rails[covered].normal_lever, n);
    EXPECT_EQ(
        model.run().pieces[static_cast<std::size_t>(model.map().rails[covered].l_pack)].route_lever,
        n);
  }
}

TEST_F(OneWayLine, NewLeversAndButtonsStandAtTheirRailsEnds) {
  line_.Twins(3, 4);  // no fixed routes: the records stay as created
  line_.rail(3).display_row = 2;
  DiaModel& model = line_.Loaded();
  ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
  ASSERT_EQ(LeverRails(model), (Rails{2, 3}));
  // Rail 3 runs rightward from x 300 to 400 at y 60 on row 2.
  const LeverRecord& lever = model.dia().levers[2];
  EXPECT_EQ(lever.values,
            (std::array<int, kLeverValues>{1, 0, 0, 0, 2, 1, 2, 390, 60, 1, 2, 380, 50}));
  ASSERT_EQ(ButtonRails(model), (Rails{3, 4}));
  EXPECT_EQ(model.dia().buttons[1].values,
            (std::array<int, kButtonValues>{0, 0, 2, 1, 2, 320, 60}));
  // A leftward rail: the signal button lies the other way.
  PanelLine left;
  left.Chain({left.Rail(), left.Rail(1, 100)});
  left.Twins(1, 2);
  left.rail(1).x_exit = 100;
  left.rail(1).x_entry = 200;
  DiaModel& leftward = left.Loaded();
  ASSERT_EQ(Toggle(leftward), PanelToggle::kSwitchedOn);
  ASSERT_EQ(LeverRails(leftward), Rails{1});
  EXPECT_EQ(leftward.dia().levers[1].values,
            (std::array<int, kLeverValues>{1, 0, 0, 0, 1, 1, 1, 110, 60, 1, 1, 120, 70}));
}

TEST_F(OneWayLine, ARouteWithoutSignalGoesAndTheLaterOnesAreRenumbered) {
  line_.rail(2).signal = 0;
  DiaModel& model = line_.Loaded();
  ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
  EXPECT_EQ(LeverRails(model), (Rails{3}));
  EXPECT_EQ(ButtonRails(model), (Rails{4}));
  EXPECT_EQ(LeverColumn(model, 1, kLeverNormalRoute), 1);
  EXPECT_EQ(LeverColumn(model, 1, kLeverCurrentRoute), 1);
  EXPECT_EQ(ButtonColumn(model, 1, kButtonRouteFrom), 1);
  EXPECT_EQ(model.map().rails[4].normal_lever, 1);
  EXPECT_EQ(model.map().rails[3].normal_lever, 0);
  // A signal number beyond the signal types is no signal either.
  PanelLine again;
  for (const int yard : {0, 0, 1, 0, 0}) again.Rail(yard, yard != 0 ? 150 : 0);
  again.Chain({1, 2, 3, 4, 5});
  again.rail(3).signal = 2;
  DiaModel& other = again.Loaded();
  ASSERT_EQ(Toggle(other), PanelToggle::kSwitchedOn);
  EXPECT_EQ(LeverRails(other), (Rails{2}));
  EXPECT_EQ(ButtonRails(other), (Rails{3}));
}

TEST_F(OneWayLine, SingleTrackOrTwinsKeepTheRouteOpen) {
  line_.Twins(4, 5);
  line_.file().map.prails[line_.rail(2).l_pack].single_track = 1;
  DiaModel& model = line_.Loaded();
  ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
  ASSERT_EQ(LeverRails(model), (Rails{2, 3}));
  for (int n = 1; n <= 2; ++n) {
    EXPECT_EQ(LeverColumn(model, n, kLeverMode), 1);
    EXPECT_EQ(LeverColumn(model, n, kLeverNormalRoute), 0);
    EXPECT_EQ(ButtonColumn(model, n, kButtonRouteFrom), 0);
  }
}

TEST(LeverGenerationTest, LeversAndButtonsLeadingToABufferStopGo) {
  // 1 platform -> 2, 3 plain yard rails -> buffer stop; and the other way
  // a button on platform 6 behind plain rails 4, 5 from a buffer stop. A
  // point on the way keeps both.
  for (const bool points : {false, true}) {
    SCOPED_TRACE(points ? "points" : "plain");
    PanelLine line;
    for (int n = 0; n < 6; ++n) line.Rail(1, n == 0 || n == 5 ? 150 : 0);
    line.Chain({1, 2, 3});
    line.Chain({4, 5, 6});
    if (points) {
      line.PointOn(3);
      line.PointOn(4);
    }
    DiaModel& model = line.Loaded();
    ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
    EXPECT_EQ(LeverRails(model), points ? Rails{1} : Rails{});
    EXPECT_EQ(ButtonRails(model), points ? Rails{6} : Rails{});
  }
}

// Links, pieces, twins, signals and places as a foreign file may hold
// them: the generation neither crashes nor indexes outside a table.
TEST(LeverGenerationTest, HostileRailsAreReadSafely) {
  PanelLine line;
  for (int n = 0; n < 6; ++n) line.Rail(n % 2, n % 2 != 0 ? 150 : 0, n % 3 == 0 ? 1 : 0);
  line.Chain({1, 2, 3, 4, 5, 6});
  line.rail(1).l_back = INT_MIN;
  line.rail(2).l_next = -7;
  line.rail(3).l_pack = 99;
  line.rail(4).l_dual = -4;
  line.rail(5).l_dual = 9999;
  line.rail(6).signal = -1;
  line.rail(4).x_exit = INT_MAX;
  line.rail(4).x_entry = INT_MIN;
  line.rail(2).y_exit = INT_MAX;
  line.file().header.settings.safety_device = kSafetyAtc;
  DiaModel& model = line.Loaded();
  ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
  // Every rail names an existing lever and button.
  EXPECT_NO_THROW(LeverRails(model));
  EXPECT_NO_THROW(ButtonRails(model));
  EXPECT_GT(model.dia().levers.count(), 0);
}

TEST(LeverGenerationTest, RingsWithoutButtonsEndEveryWalk) {
  // A balloon loop: platform 1 leads into the ring 2 -> 3 -> 4 -> 2, and
  // platform 5 is reached backwards from it; a single-track button on 7
  // (entered from platform 6) moves ahead into the ring 8 -> 9 -> 8.
  PanelLine line;
  line.Rail(1, 150);
  for (int n = 0; n < 3; ++n) line.Rail(1);
  line.Rail(1, 150);
  line.Chain({1, 2, 3, 4});
  line.rail(4).l_next = 2;
  line.rail(2).l_back = 4;
  line.rail(5).l_back = 2;
  line.Rail(1, 150);
  for (int n = 0; n < 3; ++n) line.Rail(0, 0, 1);
  line.Chain({6, 7, 8, 9});
  line.rail(9).l_next = 8;
  line.rail(8).l_back = 9;
  DiaModel& model = line.Loaded();
  ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
  EXPECT_EQ(LeverRails(model), (Rails{1, 6}));
  EXPECT_EQ(ButtonRails(model), (Rails{5, 9}));
}

TEST(LeverGenerationTest, UnderAtcALeverMovesOntoThePlainRailAhead) {
  for (const int device : {kSafetyAts, kSafetyAtc}) {
    SCOPED_TRACE(device);
    PanelLine line;
    line.file().header.settings.safety_device = device;
    line.file().header.settings.use_atc = device == kSafetyAtc ? 1 : 0;
    line.file().header.settings.use_ats = device == kSafetyAtc ? 0 : 1;
    line.Rail(1, 150);
    line.Rail(1);
    line.Rail(1);
    line.Chain({1, 2, 3});
    line.PointOn(3);
    DiaModel& model = line.Loaded();
    ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
    EXPECT_EQ(LeverRails(model), Rails{device == kSafetyAtc ? 2 : 1});
    EXPECT_EQ(LeverColumn(model, 1, kLeverX), device == kSafetyAtc ? 290 : 190);
  }
}

TEST(LeverGenerationTest, ASingleTrackButtonMovesToTheEndOfItsSingleTrack) {
  // Platform 1 (single track too) -> single track 2, 3, 4 -> point rail 5.
  PanelLine line;
  line.Rail(1, 150, 1);
  for (int n = 0; n < 3; ++n) line.Rail(0, 0, 1);
  line.Rail(1);
  line.Chain({1, 2, 3, 4, 5});
  line.PointOn(5);
  DiaModel& model = line.Loaded();
  ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
  EXPECT_EQ(ButtonRails(model), Rails{4});
  EXPECT_EQ(ButtonColumn(model, 1, kButtonX), 420);
  EXPECT_EQ(LeverRails(model), (Rails{1, 4}));
}

// ------------------------------------------------------------ the toggle

TEST(InterlockingPanelTest, OffKeepsTheTablesAndOnAgainRegeneratesThem) {
  PanelLine line;
  for (const int yard : {0, 0, 1, 0, 0}) line.Rail(yard, yard != 0 ? 150 : 0);
  line.Chain({1, 2, 3, 4, 5});
  line.Twins(4, 5);
  line.file().dia.trains.Append(TrainRecord{});
  DiaModel& model = line.Loaded();
  ASSERT_EQ(Toggle(model, PromptAnswer::kYes), PanelToggle::kSwitchedOn);
  const DiaFile first = model.file();
  const RunState first_run = model.run();
  ASSERT_EQ(first.dia.levers.count(), 2);

  {  // Routes and run-time values change while the mode is on.
    DiaChange change(model);
    change.levers()[2].values[kLeverCurrentRoute] = 2;
    change.levers()[1].values[kLeverMode] = 0;
    change.run().pieces[1].route_lever = 2;
    change.run().trains[1].waiting_lever = 1;
    change.run().levers[1].reset_time = 100;
  }
  const DiaFile changed = model.file();
  ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOff);
  EXPECT_EQ(model.header().settings.use_interlocking, 0);
  EXPECT_EQ(model.dia().levers.count(), 2);
  EXPECT_EQ(model.dia().levers[2], changed.dia.levers[2]);
  EXPECT_EQ(model.map().rails[3].lever, 2);

  ASSERT_EQ(Toggle(model, PromptAnswer::kYes), PanelToggle::kSwitchedOn);
  EXPECT_EQ(model.file().dia.levers[1], first.dia.levers[1]);
  EXPECT_EQ(model.file().dia.levers[2], first.dia.levers[2]);
  EXPECT_EQ(model.file().dia.buttons[1], first.dia.buttons[1]);
  EXPECT_EQ(model.file().dia.buttons[2], first.dia.buttons[2]);
  EXPECT_EQ(model.file().map.rails[4], first.map.rails[4]);
  EXPECT_EQ(model.run(), first_run);
  EXPECT_EQ(model.run().trains[1].waiting_lever, 0);
}

TEST(InterlockingPanelTest, TheAnswerChoosesDemandOrResetControl) {
  for (const PromptAnswer answer : {PromptAnswer::kYes, PromptAnswer::kNo}) {
    PanelLine line;
    for (const int yard : {0, 0, 1, 0, 0}) line.Rail(yard, yard != 0 ? 150 : 0);
    line.Chain({1, 2, 3, 4, 5});
    line.Twins(4, 5);  // lever 1 fixed (mode 0), lever 2 open
    DiaModel& model = line.Loaded();
    ScriptedPrompter prompter({answer});
    OperationReport report;
    report.boxes = &prompter;
    const std::int64_t actions = model.actions_committed();
    ASSERT_EQ(ToggleInterlockingPanel(model, report), PanelToggle::kSwitchedOn);
    EXPECT_EQ(model.actions_committed(), actions + 1);  // one user action
    ASSERT_EQ(prompter.shown().size(), 1U);
    EXPECT_EQ(prompter.shown()[0].text, kPanelDemandQuestion);
    EXPECT_EQ(prompter.shown()[0].caption, kPanelDemandCaption);
    EXPECT_EQ(prompter.shown()[0].buttons, PromptButtons::kYesNo);
    EXPECT_EQ(LeverColumn(model, 1, kLeverMode), 0);
    EXPECT_EQ(LeverColumn(model, 2, kLeverMode), answer == PromptAnswer::kYes ? 2 : 1);
  }
}

TEST(InterlockingPanelTest, GeneratedTablesGrowAndSurviveSaveAndReopen) {
  PanelLine line;
  // Ten stations of one platform each, between plain blocks.
  std::vector<int> rails;
  for (int n = 0; n < 30; ++n) rails.push_back(line.Rail(n % 3 == 1 ? 1 : 0, n % 3 == 1 ? 90 : 0));
  for (std::size_t n = 1; n < rails.size(); ++n) line.Chain({rails[n - 1], rails[n]});
  ASSERT_EQ(line.file().dia.levers.capacity(), 0);
  DiaModel& model = line.Loaded();
  ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
  ASSERT_GE(model.dia().levers.count(), 10);
  ASSERT_GE(model.dia().buttons.count(), 10);

  DiaFile again;
  ASSERT_TRUE(testing::DiaFileRoundTrips(model.file(), &again));
  ASSERT_EQ(again.dia.levers.count(), model.dia().levers.count());
  ASSERT_EQ(again.dia.buttons.count(), model.dia().buttons.count());
  for (int n = 1; n <= again.dia.levers.count(); ++n) {
    EXPECT_EQ(again.dia.levers[n].values, model.dia().levers[n].values);
  }
  for (int n = 1; n <= again.dia.buttons.count(); ++n) {
    EXPECT_EQ(again.dia.buttons[n], model.dia().buttons[n]);
  }
  EXPECT_EQ(again.header.settings.use_interlocking, 1);
}

// The sample line: every lever starts a route that meets a button ahead
// before the line ends, every button ends one.
TEST(InterlockingPanelTest, TheSampleLineGetsARouteOutOfEveryPlatform) {
  testing::ScratchFolder scratch;
  ScriptedPrompter quiet;
  ScriptedChooser chooser;
  MessageLog log;
  DiaDocument document(ScratchDiaFolders(scratch.path()), quiet, chooser, log);
  ASSERT_EQ(document.OpenPath(std::string(CORVANE_SOURCE_DIR) + "/examples/sample_line.kvb"),
            DiaOpenOutcome::kOpened);
  DiaModel& model = document.model();
  ASSERT_EQ(Toggle(model), PanelToggle::kSwitchedOn);
  const SystemMap& m = model.map();
  std::vector<bool> reached(static_cast<std::size_t>(model.dia().buttons.count()) + 1, false);
  for (int r = 1; r <= m.rails.count(); ++r) {
    const RailRecord& rail = m.rails[r];
    if (rail.stop_distance != 0 && rail.l_next != 0) {
      EXPECT_NE(rail.lever, 0) << "rail " << r;
    }
    if (rail.lever == 0) continue;
    // Onwards through the points in any position: the next rail, and the
    // rails whose back link leads here; a button ends the way.
    std::vector<bool> seen(static_cast<std::size_t>(m.rails.count()) + 1, false);
    std::vector<int> ways{r};
    int buttons = 0;
    while (!ways.empty()) {
      const int at = ways.back();
      ways.pop_back();
      for (int n = 1; n <= m.rails.count(); ++n) {
        const bool onwards = n == std::abs(m.rails[at].l_next) || at == std::abs(m.rails[n].l_back);
        if (!onwards || seen[static_cast<std::size_t>(n)]) continue;
        seen[static_cast<std::size_t>(n)] = true;
        if (m.rails[n].button != 0) {
          reached[static_cast<std::size_t>(m.rails[n].button)] = true;
          ++buttons;
        } else {
          ways.push_back(n);
        }
      }
    }
    EXPECT_NE(buttons, 0) << "the routes from rail " << r << " meet no button";
  }
  for (int b = 1; b <= model.dia().buttons.count(); ++b) {
    EXPECT_TRUE(reached[static_cast<std::size_t>(b)]) << "button " << b;
  }
}

}  // namespace
}  // namespace corvane
