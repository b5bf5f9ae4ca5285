#include "run/rollback.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "example_dia.h"
#include "run/rollback_list.h"
#include "support/test_support.h"

namespace corvane {
namespace {

// A run-time state unlike the freshly loaded one, in every kind of record.
void RunTheDia(DiaModel& model) {
  DiaChange change(model);
  RunState& run = change.run();
  run.time = 8 * 3600 + 5;
  run.failing_train = 1;
  run.trains[1].position = 120;
  run.trains[1].state = 7;
  run.trains[1].failed = true;
  run.trains[1].speed = 55;
  run.trains[1].hold_station = 1;
  run.rails[1].occupying_train = 1;
  run.rails[1].booking = -1;
  run.rails[2].accident = true;
  run.points[1].failed = true;
  run.points[1].sequence[4] = {1, 2, kSequenceOpen};
  if (run.levers.size() > 1) run.levers[1].reset_time = 600;
  change.diagrams()[1].run_state = 3;
}

class RollbackTest : public ::testing::Test {
 protected:
  RollbackTest() {
    model_.Replace(SampleDiaFile());
    fresh_.Replace(SampleDiaFile());
  }

  DiaModel model_;  // the data that ran
  DiaModel fresh_;  // the same data as opened
};

TEST_F(RollbackTest, TheStackCarriesTheRunTimeStateIntoFreshData) {
  RunTheDia(model_);
  const RollbackSnapshot taken = TakeSnapshot(model_);
  const std::string stack = WriteStack(taken);
  EXPECT_EQ(WriteStack(TakeSnapshot(model_)), stack);  // the same bytes every time

  RollbackSnapshot read;
  std::string problem;
  ASSERT_TRUE(ReadStack(stack, read, &problem)) << problem;
  EXPECT_EQ(WriteStack(read), stack);
  EXPECT_EQ(read.Counts(), StackCountsOf(fresh_.file()));

  int told = 0;
  auto listening = fresh_.Listen([&told](const DiaEvent&) { ++told; });
  {
    DiaChange change(fresh_);
    ASSERT_TRUE(RestoreSnapshot(change, read, &problem)) << problem;
  }
  EXPECT_EQ(told, 1);  // the windows redraw
  EXPECT_EQ(fresh_.run(), model_.run());
  EXPECT_EQ(fresh_.dia().diagrams[1].run_state, 3);
  // The map and the timetable are the loaded ones.
  EXPECT_EQ(FormatDiaText(fresh_.file(), false), FormatDiaText(model_.file(), false));
}

TEST_F(RollbackTest, StackFormLinesAndLists) {
  RollbackSnapshot s;
  s.time = 3600;
  s.state_words = {2, 0};
  s.diagrams.resize(3);
  s.diagrams[1].direction = 1;
  s.diagrams[1].events = {{5, 100, kEventDeparture}, {0, 0, kEventEnd}, {9, 9, 1}};
  s.diagrams[2].direction = 2;
  s.diagrams[2].events = {{7, 200, kEventArrival}};  // lost its end event
  s.units.resize(2);
  s.units[1] = {1, 1, 0, 0, 2, {}};
  s.rails.resize(2);
  s.rails[1] = {60, 0, 1, 1, 0, 1, 0, -3};
  const std::string text = WriteStack(s);
  const std::string expected =
      "3600,\n\n2,\n0,\n\n"
      "diagram\n2,\n"
      "1,0,0,0,0,0,0,0,0,0,0,0,1,1,0,0,0,0,0,\n5,100,1,\n0,0,0,\n"
      "2,0,0,0,0,0,0,0,0,0,0,0,1,1,0,0,0,0,0,\n7,200,2,\n7,200,0,\n"
      "train\n0,\nunit\n1,\n1,1,0,0,2,\n0,0,0,\n"
      "point\n0,\nroute_lever\n0,\nroute_button\n0,\nstation\n0,\n"
      "rail\n1,\n60,0,1,1,0,1,0,-3,\n"
      "p_rail\n0,\naccident_between\n0,\naccident_rail\n0,\naccident_point\n0,\n"
      "accident_unit\n0,\naccident_station\n0,\n";
  EXPECT_EQ(text, expected);
  // A file written with line feeds and returns reads the same.
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  RollbackSnapshot read;
  std::string problem;
  ASSERT_TRUE(ReadStack(crlf, read, &problem)) << problem;
  EXPECT_EQ(WriteStack(read), text);
}

TEST_F(RollbackTest, TextThatIsNoStackIsRefusedWithItsLine) {
  const std::string good = WriteStack(TakeSnapshot(model_));
  const std::string counts = "1,\n\n0,\n0,\n\ndiagram\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "line 0: the stack ends early"},
      {"x,\n", "line 1: 1 values expected"},
      {good.substr(0, good.rfind('\n', good.size() / 2) + 1), "line "},
      {counts + "5,\n1,0,0,0,0,0,0,0,0,0,0,0,1,1,0,0,0,0,0,\n", "record count 5 beyond"},
      {counts + "-1,\n", "record count -1"},
      {counts + "65536,\n" + std::string(70000, '\n'), "more records than any table holds"},
      {counts + "1,\n1,0,0,\n", "line 8: 19 values expected"},
      {counts + "1,\n1,0,0,0,0,0,0,0,0,0,0,0,1,1,0,0,0,0,99999999999,\n0,0,0,\n", "range"},
      {good + "1,\n", "more lines than the sections hold"},
  };
  for (const auto& [text, says] : cases) {
    RollbackSnapshot out;
    out.time = 77;
    std::string problem;
    EXPECT_FALSE(ReadStack(text, out, &problem)) << says;
    EXPECT_NE(problem.find(says), std::string::npos) << problem;
    EXPECT_EQ(out.time, 77);  // left as it was
  }
  // A unit with a run buffer this program cannot hold.
  std::string buffer = good;
  const std::size_t unit = buffer.find("unit\n");
  const std::size_t list = buffer.find("0,0,0,\n", unit);
  buffer.replace(list, 7, "4,5,6,\n");
  RollbackSnapshot out;
  std::string problem;
  EXPECT_FALSE(ReadStack(buffer, out, &problem));
  EXPECT_NE(problem.find("a list this program does not keep"), std::string::npos) << problem;
}

TEST_F(RollbackTest, AStackOfOtherDataIsRefusedAndChangesNothing) {
  RunTheDia(model_);
  std::string problem;
  // Another program's tables: one train more than the loaded data holds.
  RollbackSnapshot other = TakeSnapshot(model_);
  other.trains.emplace_back();
  other.train_runs.emplace_back();
  RollbackSnapshot read;
  ASSERT_TRUE(ReadStack(WriteStack(other), read, &problem)) << problem;

  const RunState before = fresh_.run();
  int told = 0;
  auto listening = fresh_.Listen([&told](const DiaEvent&) { ++told; });
  {
    DiaChange change(fresh_);
    EXPECT_FALSE(RestoreSnapshot(change, read, &problem));
  }
  EXPECT_EQ(problem, "train: 2 records in the stack, 1 in the data");
  EXPECT_EQ(fresh_.run(), before);
  EXPECT_EQ(told, 0);

  // Counts that fit, but record numbers beyond the tables.
  RollbackSnapshot beyond = TakeSnapshot(model_);
  beyond.rails[1][2] = 2;  // occupying train 2 of 1
  EXPECT_FALSE(SnapshotFits(fresh_, beyond, &problem));
  EXPECT_EQ(problem, "rail 1: a value names no record of the data");
  beyond = TakeSnapshot(model_);
  beyond.train_runs[1].state = 19;
  EXPECT_FALSE(SnapshotFits(fresh_, beyond, &problem));
  beyond = TakeSnapshot(model_);
  beyond.state_words[0] = -1;
  EXPECT_FALSE(SnapshotFits(fresh_, beyond, &problem));
  beyond = TakeSnapshot(model_);
  beyond.time = -5;
  EXPECT_FALSE(SnapshotFits(fresh_, beyond, &problem));
  // An event the run added, on a rail the map lacks.
  beyond = TakeSnapshot(model_);
  beyond.diagrams[1].events.insert(beyond.diagrams[1].events.begin(),
                                   StopEvent{fresh_.map().rails.count() + 1, 50, kEventNotSaved});
  EXPECT_FALSE(SnapshotFits(fresh_, beyond, &problem));
  EXPECT_NE(problem.find("diagram 1: an event on no rail"), std::string::npos) << problem;
  EXPECT_TRUE(SnapshotFits(fresh_, TakeSnapshot(model_), &problem)) << problem;
}

TEST_F(RollbackTest, StopEventsComeBackOnlyOverTheSameTimetable) {
  std::vector<StopEvent> events = model_.dia().diagrams[1].events;
  ASSERT_FALSE(events.empty());
  // The run added an event of its own.
  events.insert(events.begin(), StopEvent{1, 50, kEventNotSaved});
  DiaChange(model_).diagrams()[1].events = events;
  RollbackSnapshot taken = TakeSnapshot(model_);
  std::string problem;
  {
    DiaChange change(fresh_);
    ASSERT_TRUE(RestoreSnapshot(change, taken, &problem)) << problem;
  }
  EXPECT_EQ(fresh_.dia().diagrams[1].events, events);

  // The timetable was changed after the snapshot: its events stay.
  DiaModel edited;
  edited.Replace(SampleDiaFile());
  DiaChange(edited).diagrams()[1].events[0].time += 60;
  const std::vector<StopEvent> kept = edited.dia().diagrams[1].events;
  {
    DiaChange change(edited);
    ASSERT_TRUE(RestoreSnapshot(change, taken, &problem)) << problem;
  }
  EXPECT_EQ(edited.dia().diagrams[1].events, kept);
}

// ------------------------------------------------------------ the list

class FakeMemory : public MemoryProbe {
 public:
  std::optional<AvailableMemory> Available() const override { return available; }
  std::optional<AvailableMemory> available =
      AvailableMemory{std::int64_t{1} << 30, std::int64_t{2} << 30};
};

class RollbackListTest : public RollbackTest {
 protected:
  RollbackSetup Setup(bool spill, const std::string& temp) {
    RollbackSetup setup;
    setup.spill = spill;
    setup.temp = temp;
    setup.memory = &memory_;
    setup.min_physical = 100 << 20;
    setup.min_page_file = 200 << 20;
    setup.record_backup = [this](const std::string& path) { recorded_.push_back(path); };
    return setup;
  }

  testing::ScratchFolder folder_;
  FakeMemory memory_;
  MessageLog log_;
  ScriptedPrompter prompter_;
  std::vector<std::string> recorded_;
};

TEST_F(RollbackListTest, LowMemoryLogsAndAddsNoEntry) {
  RollbackList list(Setup(false, ""));
  for (const AvailableMemory low :
       {AvailableMemory{(100 << 20) - 1, 1 << 30}, AvailableMemory{1 << 30, (200 << 20) - 1}}) {
    memory_.available = low;
    EXPECT_FALSE(list.AddPoint(model_, log_, prompter_));
  }
  EXPECT_TRUE(list.entries().empty());
  EXPECT_EQ(log_.Lines(),
            (std::vector<std::string>{kRollbackLowMemoryLine, kRollbackLowMemoryLine}));
  // At the thresholds, or a machine that does not say, there is room.
  for (const auto enough : {std::optional<AvailableMemory>(AvailableMemory{100 << 20, 200 << 20}),
                            std::optional<AvailableMemory>()}) {
    memory_.available = enough;
    EXPECT_TRUE(list.AddPoint(model_, log_, prompter_));
  }
  ASSERT_EQ(list.entries().size(), 2u);
  const RollbackEntry& entry = list.entries()[0];
  EXPECT_EQ(entry.kind, RollbackKind::kByHand);
  EXPECT_EQ(entry.label, "手動ロールバック");
  EXPECT_EQ(entry.time, model_.run().time);
  EXPECT_TRUE(entry.snapshot && entry.path.empty());
  EXPECT_TRUE(recorded_.empty());
}

TEST_F(RollbackListTest, SpilledEntriesGoToScratchFilesAndAreRecorded) {
  RollbackList list(Setup(true, folder_.path()));
  RunTheDia(model_);
  ASSERT_TRUE(list.AddPoint(model_, log_, prompter_));
  ASSERT_TRUE(list.AddPoint(model_, log_, prompter_));
  const std::string second = folder_.File("roll_back_1.csv");
  ASSERT_EQ(list.entries().size(), 2u);
  EXPECT_FALSE(list.entries()[1].snapshot);
  EXPECT_EQ(list.entries()[1].path, second);
  EXPECT_EQ(recorded_, (std::vector<std::string>{folder_.File("roll_back_0.csv"), second}));
  EXPECT_EQ(ReadFileBytes(second), WriteStack(TakeSnapshot(model_)));
  const auto back = list.SnapshotOf(1, prompter_);
  ASSERT_TRUE(back);
  EXPECT_EQ(WriteStack(*back), WriteStack(TakeSnapshot(model_)));
  EXPECT_TRUE(prompter_.shown().empty());

  // A scratch folder that cannot be written: reported, the snapshot kept.
  RollbackList failing(Setup(true, folder_.File("missing/")));
  ASSERT_TRUE(failing.AddPoint(model_, log_, prompter_));
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text,
            "ファイル'" + folder_.File("missing/roll_back_0.csv") + "'は開けませんでした。\n");
  EXPECT_EQ(prompter_.shown()[0].caption, "ファイル書き込みエラー");
  EXPECT_TRUE(failing.entries()[0].snapshot);
  EXPECT_TRUE(failing.entries()[0].path.empty());
  EXPECT_EQ(recorded_.size(), 2u);
}

TEST(MemInfoTest, AvailableMemoryAndSwapInBytes) {
  const auto memory =
      ParseMemInfo("MemTotal:  8000 kB\nMemAvailable:    2048 kB\nSwapFree:  1024 kB\n");
  ASSERT_TRUE(memory);
  EXPECT_EQ(memory->physical, 2048 << 10);
  EXPECT_EQ(memory->page_file, 3072 << 10);
  EXPECT_EQ(ParseMemInfo("MemAvailable: 10 kB\n")->page_file, 10 << 10);
  EXPECT_FALSE(ParseMemInfo("MemFree: 10 kB\n"));
  EXPECT_FALSE(ParseMemInfo("MemAvailable: lots\n"));
  EXPECT_FALSE(ParseMemInfo("MemAvailableX: 1 kB\n"));
}

}  // namespace
}  // namespace corvane
