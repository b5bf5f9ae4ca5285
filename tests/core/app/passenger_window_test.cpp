#include "app/passenger_window.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <sstream>

#include "app/dia_edit_script.h"
#include "app/passenger_demand.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

std::vector<DemandEntry> Curve(int from, int to, std::vector<std::pair<int, int>> points) {
  std::vector<DemandEntry> entries;
  for (const auto& [time, count] : points) entries.push_back({from, to, count, time});
  return entries;
}

void Append(std::vector<DemandEntry>& list, const std::vector<DemandEntry>& more) {
  list.insert(list.end(), more.begin(), more.end());
}

// ------------------------------------------------------------ totals and shares

TEST(DemandSummaryTest, ThreePointCurvesTotalFourteenTimesTheirCount) {
  // c × T a multiple of 7200: both steps divide evenly, whatever T is.
  for (const auto& [time, count] : {std::pair{3600, 2}, {7200, 5}, {50400, 1}, {97200, 10}}) {
    const auto demand = Curve(1, 2, {{0, 0}, {time, count}, {kDemandDayEnd, 0}});
    EXPECT_EQ(CurveTotal(demand, 1, 2), 14 * count) << time;
  }
  // Truncation is per step: 1 × 3000 / 7200 and 1 × 97800 / 7200.
  EXPECT_EQ(CurveTotal(Curve(1, 2, {{0, 0}, {3000, 1}, {kDemandDayEnd, 0}}), 1, 2), 13);
}

TEST(DemandSummaryTest, TotalsOfLargeCountsNeedSixtyFourBits) {
  const auto busy = Curve(1, 2, {{0, 30000}, {kDemandDayEnd, 30000}});
  EXPECT_EQ(CurveTotal(busy, 1, 2), 840000);
  const auto full = Curve(1, 2, {{0, INT_MAX}, {kDemandDayEnd, INT_MAX}});
  EXPECT_EQ(CurveTotal(full, 1, 2), std::int64_t{INT_MAX} * 28);
  // Times of a file in any order and at the ends of an int stay in range.
  const auto wild = Curve(1, 2, {{INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MAX}});
  const DemandSummary summary(wild, 2);
  EXPECT_GT(summary.CurveTotalOf(1, 2), 0);
}

TEST(DemandSummaryTest, SharesFollowWhatStartsAtEachStation) {
  std::vector<DemandEntry> demand;
  Append(demand, Curve(1, 0, {{0, 0}, {36000, 100}, {kDemandDayEnd, 0}}));  // 1400
  Append(demand, Curve(2, 1, {{0, 0}, {36000, 30}, {kDemandDayEnd, 0}}));   // 420
  Append(demand, Curve(4, 3, {{0, 0}, {36000, 10}, {kDemandDayEnd, 0}}));   // 140
  Append(demand, Curve(1, 3, {{0, 0}, {36000, 5}, {kDemandDayEnd, 0}}));    // 70: its own
  const DemandSummary summary(demand, 4);
  // From 1: stations 2 and 4 share by their weights 420 and 140.
  EXPECT_EQ(summary.Share(1, 2), 750);
  EXPECT_EQ(summary.Share(1, 4), 250);
  EXPECT_EQ(summary.Share(1, 3), 0);
  EXPECT_EQ(summary.Share(1, 1), 0);
  EXPECT_EQ(summary.PairTotal(1, 2), 1050);
  EXPECT_EQ(summary.PairTotal(1, 4), 350);
  EXPECT_EQ(summary.PairTotal(1, 3), 70);
  EXPECT_EQ(summary.PairTotal(1, 1), 0);
  EXPECT_EQ(summary.PairTotal(1, 0), 1400);
  // Station 1: 1050 + 70 + 350 out, 420 in.
  EXPECT_EQ(summary.StationTotal(1), 1890);
  // Stations from which nothing starts share equally.
  const DemandSummary empty(Curve(3, 0, {{0, 0}, {36000, 10}, {kDemandDayEnd, 0}}), 3);
  EXPECT_EQ(empty.Share(3, 1), 500);
  EXPECT_EQ(empty.Share(3, 2), 500);
  for (int from = 1; from <= 4; ++from) {
    int sum = 0;
    for (int to = 1; to <= 4; ++to) sum += summary.Share(from, to);
    EXPECT_LE(sum, 1000) << from;
  }
}

TEST(DemandSummaryTest, StationNumbersOfAFileAreCheckedBeforeUse) {
  std::vector<DemandEntry> demand;
  Append(demand, Curve(9, 1, {{0, 50}}));
  Append(demand, Curve(-3, 1, {{0, 50}}));
  Append(demand, Curve(1, -7, {{0, 50}}));
  Append(demand, Curve(2, 2, {{0, 50}}));
  const DemandSummary summary(demand, 2);
  EXPECT_EQ(summary.StationTotal(1), 0);
  EXPECT_EQ(summary.StationTotal(9), 0);
  EXPECT_EQ(summary.Share(9, 1), 0);
  EXPECT_EQ(summary.PairTotal(2, 2), 0);
}

// ------------------------------------------------------------ the window

class PassengerWindowTest : public ::testing::Test {
 protected:
  PassengerWindowTest() {
    DiaFile file;
    for (const char* name : {"東", "西", "南"}) {
      StationRecord station;
      station.short_name = Sjis(name);
      station.name = Sjis(std::string(name) + "駅");
      file.map.stations.Append(station);
    }
    model_.Replace(file);
  }

  // Runs a command with `answer` queued for the dialog it opens.
  void Run(const char* id, const char* answer = nullptr) {
    if (answer != nullptr) {
      std::string why;
      host_.Queue(*ParseDialogAnswer(answer, &why));
    }
    window_.Run(id, host_);
  }
  std::vector<std::pair<int, int>> Points() const {
    std::vector<std::pair<int, int>> points;
    for (const DemandEntry& e : window_.PairEntries()) points.emplace_back(e.time, e.count);
    return points;
  }
  std::int64_t Total() const {
    const PassengerView v = window_.view();
    return window_.summary().PairTotal(v.from, v.to);
  }
  void SetDemand(std::vector<DemandEntry> demand) {
    DiaFile file = model_.file();
    file.dia.demand = std::move(demand);
    model_.Replace(file);
  }

  DiaModel model_;
  PassengerWindow window_{model_};
  ScriptedPrompter shown_;
  ScriptDialogHost host_{shown_};
};

TEST_F(PassengerWindowTest, StartsOnTheFirstStationToEveryOther) {
  const PassengerView v = window_.view();
  EXPECT_EQ(v.from, 1);
  EXPECT_EQ(v.to, 0);
  EXPECT_EQ(v.left_time, 21600);
  EXPECT_EQ(v.seconds_per_pixel, 30);
  EXPECT_EQ(v.passengers_per_pixel, 10);
  DiaModel none;
  PassengerWindow empty(none);
  EXPECT_EQ(empty.view().from, 0);
}

TEST_F(PassengerWindowTest, AClickOnAnEmptyPairMakesACurveOverTheDay) {
  window_.SetClientSize(700, 420);
  ASSERT_TRUE(window_.SetPair(1, 2));
  // x 120 → 6:00 + 3600 s = 7:00; y 300 → (420 − 300 − 20) × 10 = 1000.
  window_.LeftClick({120, 300});
  EXPECT_EQ(Points(), (std::vector<std::pair<int, int>>{{0, 0}, {25200, 1000}, {100800, 0}}));
  EXPECT_EQ(Total(), 14000);
  EXPECT_TRUE(model_.modified());
  // The top area holds the buttons: no edit there.
  window_.LeftClick({120, 99});
  EXPECT_EQ(Points().size(), 3u);
}

TEST_F(PassengerWindowTest, ClicksSetInsertAndRemoveEntriesOfThePair) {
  window_.SetPair(1, 2);
  window_.SetCountAt(36000, 100);
  window_.SetCountAt(36290, 300);  // to the nearest 10 minutes: 36000
  window_.SetCountAt(18000, 50);   // before 10:00: inserted before it
  window_.SetCountAt(-500, 7);     // at 0:00
  window_.SetCountAt(200000, 9);   // beyond the day: at its end
  window_.SetCountAt(60000, -40);  // no negative counts
  EXPECT_EQ(Points(), (std::vector<std::pair<int, int>>{
                          {0, 7}, {18000, 50}, {36000, 300}, {60000, 0}, {100800, 9}}));
  window_.RemoveAt(18000);
  window_.RemoveAt(19000);  // to the nearest 10 minutes: 19200, no entry
  EXPECT_EQ(Points().size(), 4u);
  // A right click in the graph removes the entry at its time.
  window_.SetClientSize(700, 410);
  window_.RightClick({window_.XOfTime(60000), 200});
  EXPECT_EQ(Points(), (std::vector<std::pair<int, int>>{{0, 7}, {36000, 300}, {100800, 9}}));
  // The other pairs keep their entries.
  window_.SetPair(2, 1);
  EXPECT_TRUE(Points().empty());
}

TEST_F(PassengerWindowTest, AClickAtAnEndOfTheDayMakesNoTwinEntries) {
  window_.SetPair(1, 2);
  window_.SetCountAt(0, 60);
  EXPECT_EQ(Points(), (std::vector<std::pair<int, int>>{{0, 60}, {100800, 0}}));
  window_.SetPair(1, 3);
  window_.SetCountAt(kDemandDayEnd + 5000, 60);
  EXPECT_EQ(Points(), (std::vector<std::pair<int, int>>{{0, 0}, {100800, 60}}));
}

TEST_F(PassengerWindowTest, ACurveOfAFileThatEndsEarlyGoesOnToTheClick) {
  std::vector<DemandEntry> demand = Curve(1, 2, {{0, 0}, {3600, 10}});
  Append(demand, Curve(2, 1, {{0, 4}}));
  SetDemand(demand);
  window_.SetPair(1, 2);
  window_.SetCountAt(7200, 20);
  EXPECT_EQ(Points(), (std::vector<std::pair<int, int>>{{0, 0}, {3600, 10}, {7200, 20}}));
  // Inserted after the pair's last entry, the other pair's entry after it.
  EXPECT_EQ(model_.dia().demand[2], (DemandEntry{1, 2, 20, 7200}));
  EXPECT_EQ(model_.dia().demand[3], (DemandEntry{2, 1, 4, 0}));
}

TEST_F(PassengerWindowTest, AClickTakesTheEntryAtItsTimeOfACurveOutOfOrder) {
  SetDemand(Curve(1, 2, {{0, 0}, {7200, 10}, {3600, 30}, {kDemandDayEnd, 0}}));
  window_.SetPair(1, 2);
  window_.SetCountAt(3600, 50);
  EXPECT_EQ(Points(),
            (std::vector<std::pair<int, int>>{{0, 0}, {7200, 10}, {3600, 50}, {100800, 0}}));
}

TEST_F(PassengerWindowTest, PlusAndMinusScaleTheCurveWithinAnInt) {
  SetDemand(Curve(1, 0, {{0, 0}, {36000, 1000}, {50000, INT_MAX - 10}, {kDemandDayEnd, 0}}));
  Run(kPassengerCurvePlus);
  EXPECT_EQ(Points(), (std::vector<std::pair<int, int>>{
                          {0, 0}, {36000, 1050}, {50000, INT_MAX}, {100800, 0}}));
  EXPECT_GT(Total(), 0);
  Run(kPassengerCurveMinus);
  EXPECT_EQ(Points()[1].second, 1000);
}

TEST_F(PassengerWindowTest, InputScalesTheCurveToTheTotalAndRefusesWhatItCannot) {
  // Nothing to scale: the message, nothing changed, no dialog.
  Run(kPassengerCurveInput, "約=7000 ok");
  ASSERT_EQ(shown_.shown().size(), 1u);
  EXPECT_EQ(shown_.shown()[0].caption, "乗客数エラー");
  EXPECT_EQ(shown_.shown()[0].text, kNoPassengersText);
  EXPECT_FALSE(model_.modified());
  EXPECT_TRUE(host_.has_answers());
  shown_.ClearShown();
  // A curve of 14 000 scaled to 7 000 (the answer still queued).
  window_.SetCountAt(36000, 1000);
  Run(kPassengerCurveInput);
  EXPECT_EQ(Total(), 7000);
  EXPECT_EQ(Points()[1].second, 500);
  // Truncated counts cannot reach every total: ten passes come close.
  Run(kPassengerCurveInput, "約=1000 ok");
  EXPECT_LE(std::abs(Total() - 1000), 14);
  const std::int64_t reached = Total();
  // A negative number is refused with its message and changes nothing.
  Run(kPassengerCurveInput, "約=-5 ok");
  ASSERT_EQ(shown_.shown().size(), 1u);
  EXPECT_EQ(shown_.shown()[0].caption, "乗客数エラー");
  EXPECT_EQ(shown_.shown()[0].text, "負の値は設定できません。\n");
  EXPECT_EQ(Total(), reached);
}

TEST_F(PassengerWindowTest, CopyAndPasteCarryACurveToAnotherPair) {
  Run(kPassengerCopy);
  Run(kPassengerPaste);
  ASSERT_EQ(shown_.shown().size(), 2u);
  EXPECT_EQ(shown_.shown()[0].text, kNothingToCopyText);
  EXPECT_EQ(shown_.shown()[1].text, kNothingToPasteText);
  EXPECT_EQ(shown_.shown()[1].caption, "操作エラー");
  window_.SetPair(1, 2);
  window_.SetCountAt(36000, 100);
  window_.SetPair(3, 1);
  window_.SetCountAt(7200, 5);
  window_.SetCountAt(9000, 6);
  window_.SetCountAt(72000, 4);
  const std::int64_t changes = model_.actions_committed();
  Run(kPassengerCopy);
  EXPECT_EQ(model_.actions_committed(), changes);  // the copy changes nothing
  window_.SetPair(1, 2);
  Run(kPassengerPaste);
  EXPECT_EQ(Points(), (std::vector<std::pair<int, int>>{
                          {0, 0}, {7200, 5}, {9000, 6}, {72000, 4}, {100800, 0}}));
  for (const DemandEntry& e : window_.PairEntries()) EXPECT_EQ(e.to, 2);
  window_.SetPair(3, 1);
  EXPECT_EQ(Points().size(), 5u);
}

TEST_F(PassengerWindowTest, StationNumbersStepByTenAndNeverGoBelowZero) {
  const auto key = [this](int f) { return window_.Key(PanelKey::kFunction, f, host_); };
  const auto& station = [this]() -> const StationRecord& { return model_.map().stations[1]; };
  EXPECT_TRUE(key(5));
  EXPECT_TRUE(key(5));
  EXPECT_TRUE(key(7));
  EXPECT_EQ(station().station_aux2, 20);
  EXPECT_EQ(station().station_aux3, 10);
  EXPECT_TRUE(key(8));
  EXPECT_TRUE(key(8));
  EXPECT_TRUE(key(6));
  EXPECT_EQ(station().station_aux2, 10);
  EXPECT_EQ(station().station_aux3, 0);
  Run(kPassengerHourInput, "約=5 ok");
  Run(kPassengerHourMinus);
  EXPECT_EQ(station().station_aux2, 0);
  Run(kPassengerTrainInput, "約=-1 ok");
  EXPECT_EQ(shown_.shown().at(0).text, "負の値は設定できません。\n");
  Run(kPassengerTrainInput, "約=99999999999 ok");
  EXPECT_EQ(shown_.shown().at(1).caption, "乗客数エラー");
  EXPECT_EQ(station().station_aux3, 0);
  Run(kPassengerTrainInput, "約=35 ok");
  EXPECT_EQ(station().station_aux3, 35);
  EXPECT_EQ(model_.map().stations[2].station_aux3, 0);
}

TEST_F(PassengerWindowTest, ThePairStepsSkippingTheOtherStation) {
  window_.SetPair(3, 1);
  EXPECT_TRUE(window_.Key(PanelKey::kFunction, 2, host_));
  EXPECT_EQ(window_.view().from, 2);
  std::vector<int> tos;
  for (int i = 0; i < 4; ++i) {
    Run(kPassengerTo);
    tos.push_back(window_.view().to);
  }
  EXPECT_EQ(tos, (std::vector<int>{3, 0, 1, 3}));
  Run(kPassengerReverse);
  EXPECT_EQ(window_.view().from, 3);
  EXPECT_EQ(window_.view().to, 2);
  window_.SetPair(2, 0);
  Run(kPassengerReverse);
  ASSERT_EQ(shown_.shown().size(), 1u);
  EXPECT_EQ(shown_.shown()[0].caption, "発駅指定エラー");
  EXPECT_EQ(shown_.shown()[0].text, kReverseRefusedText);
  EXPECT_EQ(window_.view().from, 2);
  EXPECT_EQ(window_.view().to, 0);
}

TEST_F(PassengerWindowTest, ThePairDialogChoosesBothStations) {
  Run(kPassengerChoosePair, "発駅=南駅 着駅=西駅 ok");
  EXPECT_EQ(window_.view().from, 3);
  EXPECT_EQ(window_.view().to, 2);
  Run(kPassengerChoosePair, "発駅=#1 着駅=指定以外各駅 ok");
  EXPECT_EQ(window_.view().from, 1);
  EXPECT_EQ(window_.view().to, 0);
  Run(kPassengerChoosePair, "発駅=西駅 着駅=西駅 ok");
  ASSERT_EQ(shown_.shown().size(), 1u);
  EXPECT_EQ(shown_.shown()[0].text, kSameStationText);
  EXPECT_EQ(window_.view().from, 1);
}

TEST_F(PassengerWindowTest, ViewStepsStayWithinTheirBounds) {
  for (int i = 0; i < 20; ++i) window_.Key(PanelKey::kLeft, 0, host_);
  EXPECT_EQ(window_.view().left_time, 0);
  for (int i = 0; i < 80; ++i) Run(kPassengerRight);
  EXPECT_EQ(window_.view().left_time, kDemandDayEnd);
  Run(kPassengerWider);
  Run(kPassengerWider);
  EXPECT_EQ(window_.view().seconds_per_pixel, 20);
  Run(kPassengerNarrower);
  EXPECT_EQ(window_.view().seconds_per_pixel, 40);
  for (int i = 0; i < 6; ++i) window_.Key(PanelKey::kUp, 0, host_);
  EXPECT_EQ(window_.view().passengers_per_pixel, 2);
  window_.Key(PanelKey::kDown, 0, host_);
  EXPECT_EQ(window_.view().passengers_per_pixel, 4);
  // Keys the window does not take go to the board.
  EXPECT_FALSE(window_.Key(PanelKey::kEnter, 0, host_));
  EXPECT_FALSE(window_.Key(PanelKey::kCharacter, 0, host_));
  EXPECT_FALSE(window_.Key(PanelKey::kFunction, 1, host_));
  EXPECT_FALSE(window_.Key(PanelKey::kFunction, 12, host_));
}

TEST_F(PassengerWindowTest, StationsThatWentAwayAreBroughtBack) {
  window_.SetPair(3, 2);
  DiaFile file = model_.file();
  file.map.stations.Clear();
  file.map.stations.Append(StationRecord{});
  model_.Replace(file);
  EXPECT_EQ(window_.view().from, 1);
  EXPECT_EQ(window_.view().to, 0);
  // From 3 comes back as 1 onto the to station 1: the pair becomes (1, 0)
  // and stays editable.
  DiaFile two = file;
  two.map.stations.Append(StationRecord{});
  two.map.stations.Append(StationRecord{});
  model_.Replace(two);
  window_.SetPair(3, 1);
  model_.Replace(file);
  EXPECT_EQ(window_.view().from, 1);
  EXPECT_EQ(window_.view().to, 0);
  window_.SetCountAt(3600, 10);
  EXPECT_EQ(Points().size(), 3u);
  model_.Replace(DiaFile{});
  // No stations: nothing to edit, nothing breaks.
  window_.SetCountAt(3600, 10);
  Run(kPassengerHourPlus);
  Run(kPassengerFrom);
  Run(kPassengerTo);
  EXPECT_TRUE(model_.dia().demand.empty());
  RecordingCanvas canvas;
  window_.Draw(canvas, false);
  for (const auto& call : canvas.calls()) EXPECT_NE(call.text, "総乗降客数");
}

// ------------------------------------------------------------ drawing

bool Near(PixelPoint a, PixelPoint b, int distance) {
  return std::abs(a.x - b.x) <= distance && std::abs(a.y - b.y) <= distance;
}

TEST_F(PassengerWindowTest, TheCurveIsDrawnThroughItsEntriesWithCircles) {
  window_.SetClientSize(700, 410);
  window_.SetPair(1, 2);
  window_.SetCountAt(36000, 1000);
  window_.SetPair(2, 1);
  window_.SetCountAt(43200, 500);
  window_.SetPair(1, 2);
  RecordingCanvas canvas;
  window_.Draw(canvas, false);
  std::vector<RecordingCanvas::Call> blue, grey;
  std::vector<std::string> texts;
  for (const auto& call : canvas.calls()) {
    if (call.op == RecordingCanvas::Op::kLine && call.colour == Rgb{0, 0, 255})
      blue.push_back(call);
    if (call.op == RecordingCanvas::Op::kLine && call.colour == Rgb{128, 128, 128}) {
      grey.push_back(call);
    }
    if (call.op == RecordingCanvas::Op::kText) texts.push_back(call.text);
  }
  // 10:00 at (36000 − 21600) / 30 = 480, 1000 at 410 − 100 − 20 = 290.
  const PixelPoint entry{480, 290};
  EXPECT_EQ(window_.XOfTime(36000), entry.x);
  EXPECT_EQ(window_.YOfCount(1000), entry.y);
  const PixelPoint start{window_.XOfTime(0), 390};
  const PixelPoint end{window_.XOfTime(kDemandDayEnd), 390};
  // The polyline: from time 0 on the base line through every entry.
  const auto has_line = [](const auto& calls, PixelPoint a, PixelPoint b) {
    for (const auto& call : calls) {
      if (call.points[0] == a && call.points[1] == b) return true;
    }
    return false;
  };
  EXPECT_TRUE(has_line(blue, start, start));
  EXPECT_TRUE(has_line(blue, start, entry));
  EXPECT_TRUE(has_line(blue, entry, end));
  // Circles: pieces around each entry, none of them far from it.
  for (const PixelPoint centre : {start, entry, end}) {
    int pieces = 0;
    for (const auto& call : blue) {
      if (Near(call.points[0], centre, 3) && Near(call.points[1], centre, 3) &&
          !(call.points[0] == centre) && !(call.points[1] == centre)) {
        ++pieces;
      }
    }
    EXPECT_GE(pieces, 8) << centre.x << "," << centre.y;
  }
  // The reverse curve in grey, without circles.
  EXPECT_TRUE(has_line(grey, start, {window_.XOfTime(43200), window_.YOfCount(500)}));
  EXPECT_EQ(grey.size(), 3u);
  // Texts: the stations with their passengers, the totals, hour labels.
  const auto has_text = [&texts](const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  };
  EXPECT_TRUE(has_text("東（計 21000人）")) << ::testing::PrintToString(texts);
  EXPECT_TRUE(has_text("西（計 21000人）"));
  EXPECT_TRUE(has_text("総乗降客数"));
  EXPECT_TRUE(has_text("14000人"));
  EXPECT_TRUE(has_text("逆方向総乗降客数"));
  EXPECT_TRUE(has_text("7000人"));
  EXPECT_TRUE(has_text(" 6:00"));
  EXPECT_TRUE(has_text("10:00"));
  EXPECT_TRUE(has_text("１時間当たり"));
  EXPECT_FALSE(has_text(" 5:00"));  // left of the picture
}

TEST_F(PassengerWindowTest, EveryOtherStationHasNoReverseCurve) {
  RecordingCanvas canvas;
  window_.Draw(canvas, true);
  bool note = false;
  for (const auto& call : canvas.calls()) {
    const bool grey_line =
        call.op == RecordingCanvas::Op::kLine && call.colour == Rgb{128, 128, 128};
    EXPECT_FALSE(grey_line);
    note = note || call.text == "Set the reverse direction with each from station named.";
  }
  EXPECT_TRUE(note);
}

// ------------------------------------------------------------ script lines

TEST_F(PassengerWindowTest, ScriptLinesDriveTheWindowAndPrintIt) {
  ScriptedPrompter shown;
  QueuedAnswers answers(shown);
  DiaEditScript script(model_, answers, [] { return true; });
  std::ostringstream out;
  script.SetOutput(&out);
  std::istringstream in(
      "passenger pair 3 1\n"
      "passenger key f2\n"
      "passenger click 7:00 1000\n"
      "passenger rclick 0\n"
      "answer 約=7000 ok\n"
      "passenger press 入力\n"
      "passenger key f5\n"
      "passenger press １列車当たり＋\n"
      "passenger press 縦拡大\n"
      "passenger key x\n"
      "passenger print\n");
  std::string error;
  ASSERT_TRUE(script.Run(in, &error)) << error;
  EXPECT_EQ(out.str(),
            "pair 2 1\n"
            "entry 25200 500\n"
            "entry 100800 0\n"
            "total 7000\n"
            "reverse 0\n"
            "station 2 7000\n"
            "station 1 7000\n"
            "per_hour 10\n"
            "per_train 10\n"
            "view 21600 30 8\n");
  for (const char* wrong : {"passenger pair 1 1\n", "passenger click 7:75 10\n",
                            "passenger press 押す\n", "passenger key xyz\n", "passenger fly\n"}) {
    std::istringstream bad(wrong);
    EXPECT_FALSE(script.Run(bad, &error)) << wrong;
    EXPECT_EQ(error.rfind("line 1: passenger: ", 0), 0u) << error;
  }
}

}  // namespace
}  // namespace corvane
