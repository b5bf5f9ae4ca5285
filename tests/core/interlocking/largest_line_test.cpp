// The largest line the compile takes, with the relay-interlocking panel:
// the line the interlocking benchmark measures must compile cleanly with
// every slot used, get its levers and buttons, carry its trains, and let a
// route be set and released across one of its loops.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/prompter.h"
#include "compiler/map_compiler.h"
#include "example_dia.h"
#include "example_maps.h"
#include "interlocking/aspects.h"
#include "interlocking/interlocking_panel.h"
#include "interlocking/operation_data.h"
#include "interlocking/route_setting.h"
#include "map/map_tables.h"
#include "run/dia_change.h"
#include "run/dia_model.h"

namespace corvane {
namespace {

constexpr int kTrains = 300;

class LargestLineTest : public ::testing::Test {
 protected:
  struct Built {
    EditMap map;
    std::optional<CompileResult> compiled;
    std::vector<std::string> findings;
  };

  // Built and compiled once: the compile of every slot takes a while.
  static Built& Line() {
    static Built built = [] {
      Built b;
      b.map.Replace(NewMapContent());
      BuildLargestLine(b.map);
      ScriptedPrompter quiet;
      CheckOutput output;
      output.prompter = &quiet;
      output.finding = [&b](std::string_view text, MapTable, int) {
        b.findings.emplace_back(text);
      };
      MapCheckMarks marks;
      b.compiled = CompileMap(b.map, marks, output);
      return b;
    }();
    return built;
  }

  // The compiled line with its trains, loaded and switched to the panel.
  static void LoadWithPanel(DiaModel& model) {
    ASSERT_TRUE(Line().compiled);
    DiaFile file = Line().compiled->file;
    PlaceTrainsOnBlocks(file, kTrains);
    model.Replace(std::move(file), InitialiseOperationData);
    ScriptedPrompter demand({PromptAnswer::kYes});
    OperationReport report;
    report.boxes = &demand;
    ASSERT_EQ(ToggleInterlockingPanel(model, report), PanelToggle::kSwitchedOn);
  }
};

TEST_F(LargestLineTest, EverySlotIsUsedAndTheCompileFindsNothing) {
  const Built& line = Line();
  EXPECT_EQ(line.map.rails().count(), kRailCapacity);
  EXPECT_EQ(line.map.points().count(), kPointCapacity);
  EXPECT_EQ(line.map.stations().count(), kStationCapacity);
  EXPECT_EQ(line.map.targets().count(), kTargetCapacity);
  ASSERT_TRUE(line.compiled);
  EXPECT_EQ(line.compiled->errors, 0);
  EXPECT_EQ(line.compiled->warnings, 0);
  EXPECT_TRUE(line.findings.empty()) << line.findings.front();

  const SystemMap& m = line.compiled->file.map;
  // Two rails a two-way segment, two a branch of a two-way turnout: no rail
  // was dropped as unconnected.
  EXPECT_EQ(m.rails.count(), 2 * kRailCapacity + 4 * kPointCapacity);
  EXPECT_EQ(m.points.count(), kPointCapacity);
  std::set<std::string> keys;
  for (const PointRecord& point : m.points) keys.insert(std::string(point.point_key.view()));
  EXPECT_EQ(keys.size(), static_cast<std::size_t>(kPointCapacity));
  // One line from end to end: only the two ends of each direction (the
  // start and the terminus's two platforms) lack a next link.
  int ends = 0;
  for (const RailRecord& rail : m.rails) ends += rail.l_next == 0 ? 1 : 0;
  EXPECT_EQ(ends, 3);
}

TEST_F(LargestLineTest, ThePanelGivesEveryPlatformALeverAndTheTrainsStandClear) {
  DiaModel model;
  LoadWithPanel(model);
  const SystemMap& m = model.map();
  EXPECT_GE(model.dia().levers.count(), 1000);
  EXPECT_GE(model.dia().buttons.count(), 1000);
  for (int r = 1; r <= m.rails.count(); ++r) {
    const RailRecord& rail = m.rails[r];
    if (rail.stop_distance != 0 && rail.l_next != 0) {
      ASSERT_NE(rail.lever, 0) << "platform rail " << r;
    }
  }
  ASSERT_EQ(model.dia().trains.count(), kTrains);
  EXPECT_EQ(model.run().failing_train, 0);
  for (int t = 1; t <= kTrains; ++t) {
    const int rail = model.dia().trains[t].rail;
    EXPECT_EQ(m.rails[rail].yard_target, 0);
    EXPECT_EQ(model.run().rails[static_cast<std::size_t>(rail)].occupying_train, t);
  }
}

// With interlocking a lever's rail shows stop until its route is set; the
// route over the loop's exit turnout clears it, and releasing it stops it
// again. The aspects after each command are those of a calculation from
// scratch.
TEST_F(LargestLineTest, ARouteAcrossALoopClearsItsLeverAndReleasingStopsIt) {
  DiaModel model;
  LoadWithPanel(model);
  const DiaFile& file = model.file();
  const OperationReport quiet;
  const auto aspect = [&model](int rail) {
    return model.run().rails[static_cast<std::size_t>(rail)].aspect;
  };
  const auto matches_full_calculation = [&model] {
    RunState fresh = model.run();
    CalculateAspects(model.file(), fresh);
    return fresh.rails == model.run().rails;
  };
  int routes = 0;
  int cleared = 0;
  for (int lever = 1; lever <= file.dia.levers.count() && routes < 20; ++lever) {
    const int start = RailOfLever(file, lever);
    if (CurrentRoute(file, lever) != 0 || file.map.rails[start].stop_distance == 0) continue;
    int end = 0;
    for (int at = start, steps = 0; end == 0 && steps < 20; ++steps) {
      at = std::abs(file.map.rails[at].l_next);
      if (!file.map.rails.Contains(at)) break;
      if (file.map.rails[at].button != 0) end = at;
    }
    if (end == 0) continue;
    SCOPED_TRACE("lever " + std::to_string(lever));
    EXPECT_EQ(aspect(start), 0);
    bool set = false;
    {
      DiaChange change(model);
      set = SetRoute(change, start, end, nullptr, RoutePreference::kNormalPath, false, quiet);
    }
    if (!set) continue;
    ++routes;
    EXPECT_EQ(CurrentRoute(file, lever), file.map.rails[end].button);
    cleared += aspect(start) > 0 ? 1 : 0;
    EXPECT_TRUE(matches_full_calculation());
    {
      DiaChange change(model);
      ReleaseRoute(change, lever);
    }
    EXPECT_EQ(CurrentRoute(file, lever), 0);
    EXPECT_EQ(aspect(start), 0);
    EXPECT_TRUE(matches_full_calculation());
  }
  EXPECT_EQ(routes, 20);
  EXPECT_GT(cleared, 0);
}

// The calculation keeps what it worked out for one line only while it runs:
// a line calculated after another, with other braking settings or signal
// bands, gets the aspects it gets when calculated on its own.
TEST_F(LargestLineTest, EachCalculationStandsOnItsOwnSettings) {
  DiaModel model;
  LoadWithPanel(model);
  DiaFile gentle = model.file();
  gentle.header.settings.handle_atc = 140;
  DiaFile stepped = model.file();
  for (int v = 0; v < kAspectSpeeds; ++v) {
    SignalAspectEntry& entry = stepped.map.signal_sets[1].aspects[static_cast<std::size_t>(v)];
    entry.band_low = v >= 100 ? 100 : v / 25 * 25;
    entry.aspect_speed = v >= 100 ? kNoStepUp : entry.band_low + 25;
  }
  const DiaFile* const files[] = {&model.file(), &gentle, &stepped};
  std::vector<RunState> alone;
  for (const DiaFile* file : files) {
    RunState run = model.run();
    CalculateAspects(*file, run);
    CalculateAspects(*file, run);
    alone.push_back(run);
  }
  EXPECT_NE(alone[0].rails, alone[1].rails);
  EXPECT_NE(alone[0].rails, alone[2].rails);
  for (std::size_t before = 0; before < 3; ++before) {
    for (std::size_t after = 0; after < 3; ++after) {
      SCOPED_TRACE("line " + std::to_string(after) + " after line " + std::to_string(before));
      RunState run = model.run();
      CalculateAspects(*files[before], run);
      CalculateAspects(*files[after], run);
      EXPECT_TRUE(run.rails == alone[after].rails);
    }
  }
}

}  // namespace
}  // namespace corvane
