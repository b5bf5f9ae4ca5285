#include "interlocking/aspects.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "run/dia_change.h"
#include "run/dia_model.h"
#include "support/aspect_line.h"

namespace corvane {
namespace {

using testing::AspectLine;
using testing::Aspects;
using testing::Origins;
using V = std::vector<int>;

// ---------------------------------------------------------------------------
// Braking curves

TEST(BrakingCurve, SpeedFromDistanceAndDeceleration) {
  DiaFile file;
  file.header.settings.signal_version = 1042;
  file.header.settings.handle_atc = 250;
  EXPECT_EQ(DecelerationOf(file), 2560);
  // 400 m to a stop at 2.5 km/h/s: sqrt(7200) = 84.85.
  EXPECT_EQ(BrakingSpeed(2560, 400, 0), 84);
  // The speed to reach adds in square: sqrt(7200 + 900) = 90.
  EXPECT_EQ(BrakingSpeed(2560, 400, 30), 90);
  EXPECT_EQ(BrakingSpeed(2560, 10'000'000, 0), 1023);
  EXPECT_EQ(BrakingSpeed(2560, -50, 30), 30) << "a distance already passed counts 0";
}

TEST(BrakingCurve, DecelerationOfOlderSignalVersionsComesFromTheSeries) {
  DiaFile file;
  file.header.settings.signal_version = 1041;
  file.header.settings.handle_atc = 250;
  EXPECT_EQ(DecelerationOf(file), 0) << "no series";
  SeriesRecord a, b;
  a.rates[4] = 3000;
  b.rates[4] = 2500;
  file.dia.series.Append(a);
  file.dia.series.Append(b);
  EXPECT_EQ(DecelerationOf(file), 2500);
}

TEST(BrakingCurve, DistanceToStop) {
  MapSettings settings;
  settings.break_spare_dist = 10;
  // 72 km/h at 2560: 72² × 1000 / 18000 = 288, + 2, + the margin, + 20 m of one second.
  EXPECT_EQ(BrakingDistance(2560, 72, settings), 320);
  EXPECT_EQ(BrakingDistance(2560, 0, settings), 2) << "a standing train keeps no margin";
}

TEST(BrakingCurve, NoDecelerationNeverDividesOrTakesARootOfANegative) {
  MapSettings settings;
  settings.break_spare_dist = 10;
  EXPECT_EQ(BrakingSpeed(0, 400, 30), 0);
  EXPECT_EQ(BrakingSpeed(-2560, 400, 0), 0);
  EXPECT_EQ(BrakingDistance(0, 72, settings), 32);
  EXPECT_EQ(BrakingDistance(-2560, 72, settings), 32);
  DiaFile file;
  file.header.settings.signal_version = 1042;
  file.header.settings.handle_atc = -250;
  EXPECT_LT(DecelerationOf(file), 0);
}

TEST(BrakingCurve, FormationLengthSumsTheUnitsOfExistingSeries) {
  DiaData dia;
  SeriesRecord s40, s60;
  s40.length = 40;
  s60.length = 60;
  dia.series.Append(s40);
  dia.series.Append(s60);
  dia.trains.Append(TrainRecord{});
  dia.trains.Append(TrainRecord{});
  dia.units.Append(UnitRecord{0, 1, 0, 0, 1, {}});
  dia.units.Append(UnitRecord{0, 2, 0, 0, 2, {}});
  dia.units.Append(UnitRecord{0, 1, 0, 0, 2, {}});
  dia.units.Append(UnitRecord{0, 1, 0, 0, 99, {}});
  EXPECT_EQ(FormationLength(dia, 1), 100);
  EXPECT_EQ(FormationLength(dia, 2), 60);
  EXPECT_EQ(FormationLength(dia, 3), 0);
}

// ---------------------------------------------------------------------------
// A stop carried back along the line (ATC, bands 0 25 45 55 65 75 90)

class StopBehindTest : public ::testing::Test {
 protected:
  // Four rails of 190 m with signals; rail 4 ends the line.
  StopBehindTest() { line_.Line(4, 190); }
  AspectLine line_;
};

TEST_F(StopBehindTest, TheEndOfTheLineRestrictsTheSignalsBehindIt) {
  // Rail 3: 180 m to the stop gives 56 (55), two seconds at 55 leave 150 m
  // and 51 (45). Rail 2 from 45: 73, then 69 (65). Rail 1 from 65: 83 (75).
  const RunState run = line_.Calculated();
  EXPECT_EQ(Aspects(run, 1, 4), V({75, 65, 45, 0}));
  EXPECT_EQ(Origins(run, 1, 4), V({4, 4, 4, 4}));
}

TEST_F(StopBehindTest, NewerVersionsStepUpOneBandAtATime) {
  line_.settings().signal_version = 1110;
  const RunState run = line_.Calculated();
  EXPECT_EQ(Aspects(run, 1, 4), V({55, 45, 25, 0}));
}

TEST_F(StopBehindTest, APropagationEndsAtASignalAlreadyShowingLess) {
  line_.rail(2).speed_limit = 50;  // its initial aspect under ATC
  const RunState run = line_.Calculated();
  EXPECT_EQ(Aspects(run, 1, 4), V({120, 50, 45, 0}));
  EXPECT_EQ(Origins(run, 1, 4), V({0, 0, 4, 4}));
}

TEST_F(StopBehindTest, WithoutDecelerationEverySignalBehindAStopIsAtStop) {
  line_.settings().handle_atc = 0;
  const int train = line_.Train(2, 20, 180, 60);  // a moving train books ahead
  RunState run = line_.Calculated();
  EXPECT_EQ(Aspects(run, 1, 4), V({0, 0, 0, 0}));
  EXPECT_EQ(run.rails[3].booking, train);

  line_.settings().signal_version = 1041;  // the series give none either
  run = line_.Calculated();
  EXPECT_EQ(Aspects(run, 1, 4), V({0, 0, 0, 0}));
}

TEST_F(StopBehindTest, ALimitBelowTheBrakingSpeedRaisesALowerAspectByTheSafetyDevice) {
  // At rail 2 the braking speed is 69 and the table gives 65, below the limit 68.
  line_.rail(2).speed_limit = 68;
  EXPECT_EQ(Aspects(line_.Calculated(), 1, 4), V({120, 68, 45, 0})) << "ATC: the limit";
  // ATS: the table at 68 shows 65, below the limit: its step-up speed instead.
  line_.settings().safety_device = kSafetyAts;
  EXPECT_EQ(Aspects(line_.Calculated(), 1, 4), V({90, 75, 45, 0}));
}

TEST_F(StopBehindTest, WithAtcAPointRailBeforeAStopIsHeldAndStopsTheRailBehind) {
  line_.Point(3);
  RunState run = line_.Calculated();
  EXPECT_EQ(Aspects(run, 1, 4), V({45, 0, 0, 0}));
  EXPECT_EQ(Origins(run, 1, 4), V({4, 4, 4, 4}));
  line_.settings().safety_device = kSafetyAts;
  run = line_.Calculated();
  EXPECT_EQ(Aspects(run, 1, 4), V({75, 65, 45, 0}));
}

TEST(StopBehind, RailsWithoutSignalPassTheOriginOnAndCountToTheNextSignal) {
  AspectLine line;
  // 1 2 signalled, 3 4 without signal, 5 6 signalled; 6 ends the line.
  const int first = line.Line(6, 100);
  line.rail(first + 2).signal = 0;
  line.rail(first + 3).signal = 0;
  line.rail(first + 3).length = 150;
  const RunState run = line.Calculated();
  // Rails 3 and 4 keep their own aspect; the distance from rail 3 counts
  // rail 4 as well (250 m), so rail 2 shows 75.
  EXPECT_EQ(Aspects(run, 1, 6), V({75, 75, 120, 120, 25, 0}));
  EXPECT_EQ(Origins(run, 1, 6), V({6, 6, 6, 6, 6, 6}));
}

// ---------------------------------------------------------------------------
// Stops

// A ring of signalled rails: nothing stops unless a test makes it.
AspectLine Ring(int rails, int length = 190) {
  AspectLine line;
  const int first = line.Line(rails, length);
  line.Link(first + rails - 1, first);
  return line;
}

TEST(Stops, ARailWhosePointIsSetAgainstItIsAtStopUnderEverySafetyDevice) {
  for (const int device : {kSafetyAtc, kSafetyAts, kSafetyDigitalAtc}) {
    SCOPED_TRACE(device);
    AspectLine line = Ring(3);
    line.settings().safety_device = device;
    line.PieceInUse(2, false);
    const RunState run = line.Calculated();
    EXPECT_EQ(run.rails[2].aspect, 0);
    EXPECT_EQ(run.rails[2].stop_origin, 2);
    EXPECT_GT(run.rails[3].aspect, 0);
  }
}

TEST(Stops, AnOffPathRailWithoutSignalStopsBackToASignalFromVersion1110) {
  for (const int version : {1042, 1110}) {
    SCOPED_TRACE(version);
    AspectLine line = Ring(4);
    line.settings().signal_version = version;
    line.rail(2).signal = 0;
    line.rail(3).signal = 0;
    line.PieceInUse(3, false);
    const RunState run = line.Calculated();
    EXPECT_EQ(run.rails[2].aspect, 0);
    EXPECT_EQ(run.rails[2].stop_origin, 3);
    if (version >= 1110) {
      EXPECT_EQ(run.rails[1].aspect, 0);
      EXPECT_EQ(run.rails[1].stop_origin, 3);
    } else {
      EXPECT_GT(run.rails[1].aspect, 0) << "only the rail behind stops; the signal is restricted";
    }
  }
}

TEST(Stops, WithInterlockingASignalStaysAtStopUntilARouteFromItsLeverIsSet) {
  // 1 (signal, lever) 2 (no signal) 3 (signal) 4 (no signal), in a ring.
  AspectLine line = Ring(4);
  line.settings().use_interlocking = 1;
  line.rail(2).signal = 0;
  line.rail(4).signal = 0;
  const int lever = line.Lever(1, false);
  RunState run = line.Calculated();
  EXPECT_EQ(Aspects(run, 1, 2), V({0, 0}));
  EXPECT_EQ(Origins(run, 1, 2), V({1, 1}));
  EXPECT_GT(run.rails[3].aspect, 0);

  line.file().dia.levers[lever].values[kLeverCurrentRoute] = 1;
  run = line.Calculated();
  EXPECT_EQ(Aspects(run, 1, 4), V({120, 120, 120, 120}));
}

TEST(Stops, WithAtsARailWithoutSignalShowsTheTopAspectOfTheNextSignal) {
  AspectLine line = Ring(3);
  line.settings().safety_device = kSafetyAts;
  line.map().signal_sets.Append(testing::SignalBands({0, 30, 60}));
  line.rail(2).signal = 0;
  line.rail(3).signal = 2;
  const RunState run = line.Calculated();
  EXPECT_EQ(Aspects(run, 1, 3), V({90, 60, 60}));
}

TEST(Stops, DigitalAtcStopsOnlyTheRailItself) {
  AspectLine line = Ring(3);
  line.settings().safety_device = kSafetyDigitalAtc;
  line.rail(1).speed_limit = 80;
  line.PieceInUse(2, false);
  const RunState run = line.Calculated();
  EXPECT_EQ(Aspects(run, 1, 3), V({80, 0, 120}));
  EXPECT_EQ(Origins(run, 1, 3), V({0, 2, 0}));
}

TEST(Stops, SignalNumbersBeyondTheSetsMeanNoSignal) {
  AspectLine line = Ring(3);
  line.settings().safety_device = kSafetyAts;
  line.rail(1).signal = 7;
  line.rail(2).signal = -1;
  const RunState run = line.Calculated();
  EXPECT_EQ(Aspects(run, 1, 3), V({90, 90, 90}));
}

// ---------------------------------------------------------------------------
// Walks that end

// A balloon loop: rail 1 leads into the ring 2 3 4 5, which leads back to 2.
AspectLine Balloon(int signal) {
  AspectLine line;
  line.Line(5, 100, signal);
  line.Link(5, 2);
  return line;
}

TEST(Walks, ABalloonLoopWithoutSignalsEndsEveryWalk) {
  for (const int device : {kSafetyAtc, kSafetyAts, kSafetyDigitalAtc}) {
    for (const int interlocking : {0, 1}) {
      for (const int version : {1042, 1110, 1121, 1126}) {
        SCOPED_TRACE(::testing::Message() << device << " " << interlocking << " " << version);
        AspectLine line = Balloon(0);
        line.settings().safety_device = device;
        line.settings().use_interlocking = interlocking;
        line.settings().signal_version = version;
        line.Lever(3, false);
        line.PieceInUse(4, false);
        line.Point(4, 4);
        line.Train(3, 1000, 50, 30);  // longer than the ring
        line.Twins(1, 3);
        const RunState run = line.Calculated();
        EXPECT_EQ(run.rails[4].aspect, 0);
        EXPECT_EQ(run.failing_train, 0);
      }
    }
  }
}

TEST(Walks, AStopCarriedRoundARingOfSignalsEnds) {
  AspectLine line = Ring(6, 2000);
  line.settings().signal_version = 1126;
  line.PieceInUse(4, false);
  const RunState run = line.Calculated();
  EXPECT_EQ(run.rails[4].aspect, 0);
  EXPECT_EQ(run.rails[3].stop_origin, 4);
}

// Lines of stored numbers as a foreign file may hold them: links to
// anywhere (rings, negative, beyond the table), signals, levers, pieces and
// trains out of range, negative lengths, any setting. The calculation ends
// and stays inside its tables (the sanitizer build checks the latter).
TEST(Walks, AnyStoredNumbersEndTheCalculation) {
  std::mt19937 random(23);
  const auto any = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  for (int round = 0; round < 300; ++round) {
    AspectLine line;
    MapSettings& s = line.settings();
    s.signal_version = any(0, 1300);
    s.safety_device = any(-1, 3);
    s.use_interlocking = any(0, 1);
    s.use_area = any(0, 1);
    s.handle_atc = any(-300, 400);
    s.break_spare_dist = any(-50, 50);
    const int rails = any(1, 30);
    for (int r = 1; r <= rails; ++r) {
      const int rail = line.Rail(any(-100, 500), any(-1, 2), any(-10, 130));
      line.rail(rail).l_next = any(-rails - 2, rails + 2);
      line.rail(rail).l_back = any(-rails - 2, rails + 2);
      line.rail(rail).l_dual = any(-2, rails + 2);
      line.rail(rail).target = any(0, 1);
      line.rail(rail).yard_target = any(0, 1);
      if (any(0, 3) == 0) line.PieceInUse(rail, false);
      if (any(0, 4) == 0) line.Point(rail, any(0, 5));
      if (any(0, 3) == 0) line.rail(rail).l_pack = any(-1, rails + 2);
      if (any(0, 4) == 0) line.Lever(rail, any(0, 1) == 1);
      if (any(0, 6) == 0) line.rail(rail).lever = any(-1, 40);
    }
    for (int t = any(0, 4); t > 0; --t) {
      const int train =
          line.Train(any(-1, rails + 1), any(-100, 3000), any(-200, 600), any(-5, 300));
      line.train_run(train).state = any(0, 18);
      line.train_run(train).departure_command = any(0, 2);
    }
    RunState run = line.Loaded();
    for (std::size_t p = 1; p < run.points.size(); ++p) {
      run.points[p].requesting_train = any(-1, 5);
      run.points[p].sequence[0] = {any(0, 3), any(0, rails), any(0, 3)};
    }
    CalculateAspects(line.file(), run);
    ASSERT_EQ(run.rails.size(), static_cast<std::size_t>(rails) + 1);
  }
}

// ---------------------------------------------------------------------------
// Occupancy and bookings

TEST(Occupancy, WithInterlockingATrainOccupiesItsLengthAndProtectsBehind) {
  AspectLine line;
  line.settings().use_interlocking = 1;
  line.Line(5, 100);
  // The other direction beside rail 4: 6 -> 7 -> 8, a lever on 6.
  line.Line(3, 100);
  line.Lever(6, false);
  line.Twins(4, 7);
  const int train = line.Train(4, 180, 50);
  const RunState run = line.Calculated();
  EXPECT_EQ(run.failing_train, 0);
  EXPECT_EQ(run.rails[1].occupying_train, 0);
  for (const int r : {2, 3, 4})
    EXPECT_EQ(run.rails[static_cast<std::size_t>(r)].occupying_train, train);
  // 130 m behind its head reach into rail 2; the rail behind that stops.
  EXPECT_EQ(run.rails[1].aspect, 0);
  EXPECT_EQ(run.rails[1].stop_origin, 4);
  // Seen from the other direction the track stops back to the lever.
  EXPECT_EQ(Aspects(run, 6, 7), V({0, 0}));
  EXPECT_EQ(Origins(run, 6, 7), V({7, 7}));
  for (int r = 1; r <= 8; ++r) EXPECT_EQ(run.rails[static_cast<std::size_t>(r)].booking, 0);
}

TEST(Occupancy, ATrainRunningOffTheRailsFailsAndEndsTheCalculation) {
  AspectLine line;
  line.settings().use_interlocking = 1;
  line.Line(3, 100);
  const int first = line.Train(1, 250, 50);
  line.Train(3, 10, 50);
  RunState run = line.Loaded();
  for (auto& rail : run.rails) rail.previous_booking = 7;
  CalculateAspects(line.file(), run);
  EXPECT_EQ(run.failing_train, first);
  EXPECT_EQ(run.rails[1].occupying_train, first);
  EXPECT_EQ(run.rails[3].occupying_train, 0) << "later trains are not marked";
  EXPECT_EQ(run.rails[2].previous_booking, 7) << "the calculation ended before its last step";

  line.train_run(first).position = 100;
  line.file().dia.series[1].length = 100;
  run = line.Calculated();
  EXPECT_EQ(run.failing_train, 0);
  EXPECT_EQ(run.rails[3].occupying_train, 2);
}

TEST(Occupancy, WithoutInterlockingATrainBooksAheadAndBehindAndReservesTwins) {
  AspectLine line;
  line.Line(5, 100);  // 1..5
  line.Line(5, 100);  // 6..10, beside them
  for (int r = 1; r <= 5; ++r) line.Twins(r, r + 5);
  // At the end of rail 3: 2 m of braking distance reach into rail 4; its
  // 150 m reach 50 m back into rail 2.
  const int train = line.Train(3, 150, 100);
  RunState run = line.Calculated();
  std::vector<int> bookings;
  for (int r = 1; r <= 10; ++r) bookings.push_back(run.rails[static_cast<std::size_t>(r)].booking);
  EXPECT_EQ(bookings, V({0, train, train, train, 0, 0, -train, -train, -train, 0}));
  EXPECT_EQ(run.rails[2].occupying_train, train);
  EXPECT_EQ(run.rails[3].occupying_train, train);
  EXPECT_EQ(run.rails[4].occupying_train, 0);
  EXPECT_EQ(run.rails[4].previous_booking, train);
  // The reserved twins stop, rail by rail: the stop of each reaches back
  // over the one before and its origin replaces the one that rail had.
  EXPECT_EQ(Aspects(run, 7, 9), V({0, 0, 0}));
  EXPECT_EQ(Origins(run, 7, 9), V({8, 9, 9}));

  // At 72 km/h the bookings ahead run to the end of the line, quietly.
  line.train_run(train).speed = 72;
  run = line.Calculated();
  EXPECT_EQ(run.failing_train, 0);
  EXPECT_EQ(run.rails[5].booking, train);
}

// ---------------------------------------------------------------------------
// Points held by their control mode (without interlocking)

TEST(PointHold, SequenceControlHoldsItsRailUntilAnEntryForItIsOpen) {
  AspectLine line = Ring(3);
  const int point = line.Point(2, 4);
  RunState run = line.Calculated();
  EXPECT_EQ(run.rails[2].aspect, 0);
  EXPECT_EQ(run.rails[2].stop_origin, 2);
  EXPECT_EQ(run.rails[1].aspect, 0) << "the rail behind a held rail stops with it";

  run = line.Loaded();
  run.points[static_cast<std::size_t>(point)].sequence[0] = {1, 2, kSequenceOpen};
  CalculateAspects(line.file(), run);
  EXPECT_GT(run.rails[2].aspect, 0);
}

TEST(PointHold, NoticeControlHoldsUntilTheWaitingTrainIsToldToDepart) {
  AspectLine line = Ring(3);
  line.settings().safety_device = kSafetyAts;
  const int point = line.Point(2, 3);
  const int train = line.Train(1, 20, 100);
  DiaModel model;
  model.Replace(line.file());
  {
    DiaChange change(model);
    change.run().trains[static_cast<std::size_t>(train)] = line.train_run(train);
    change.run().points[static_cast<std::size_t>(point)].requesting_train = train;
    RecalculateAspects(change);
  }
  EXPECT_EQ(model.run().rails[2].aspect, 0);
  EXPECT_EQ(model.run().rails[2].stop_origin, 2);
  EXPECT_EQ(model.map().points[point].mode, 3);

  DiaChange change(model);
  TrainRun& waiting = change.run().trains[static_cast<std::size_t>(train)];
  waiting.state = 6;
  waiting.departure_command = 1;
  RecalculateAspects(change);
  EXPECT_GT(model.run().rails[2].aspect, 0);
  EXPECT_EQ(model.map().points[point].mode, 2);
  EXPECT_EQ(model.run().points[static_cast<std::size_t>(point)].saved_mode, 3);
}

}  // namespace
}  // namespace corvane
