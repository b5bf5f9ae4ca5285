// Maps from outside: references that name nothing, and every number of
// every table at the ends of the int range. A map the reader takes goes
// through everything the program does with a map (drawing in every tool,
// the dialogs, the naming tools, the start-point walk, the checks, the
// compile, the editor's whole-map changes, saving) without a fault; the
// sanitizer build turns any overflow into a failure.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/canvas.h"
#include "compiler/compile_checks.h"
#include "compiler/map_compiler.h"
#include "data/dia_members.h"
#include "editor/map_drawing.h"
#include "editor/rail_info_dialog.h"
#include "editor/tool_handlers.h"
#include "example_maps.h"
#include "map/map_change.h"
#include "map/map_transforms.h"
#include "map/start_walk.h"
#include "mapfile/map_file.h"
#include "mapfile/map_summary.h"
#include "mapfile/packed_bundle.h"
#include "support/dia_support.h"
#include "support/edit_session_fixture.h"
#include "support/number_sweep.h"
#include "support/test_support.h"

namespace corvane {
namespace {

std::string OldMapFolder() { return testing::SourceDataFolder() + "old_map/"; }

// Answers every question so that the work goes on: Yes, Ignore, OK.
class GoingOn : public Prompter {
 public:
  PromptAnswer Ask(std::string_view, std::string_view, PromptButtons buttons, PromptIcon) override {
    switch (buttons) {
      case PromptButtons::kYesNo:
      case PromptButtons::kYesNoCancel:
        return PromptAnswer::kYes;
      case PromptButtons::kAbortRetryIgnore:
        return PromptAnswer::kIgnore;
      case PromptButtons::kOk:
        break;
    }
    return PromptAnswer::kOk;
  }
};

// The sample line: every table holds records.
MapContent SampleMap() {
  EditMap map;
  ScriptedPrompter prompter;
  EXPECT_TRUE(ResetToNewMap(map, OldMapFolder(), prompter));
  BuildSampleLine(map);
  return map.content();
}

struct Read {
  MapReadResult result = MapReadResult::kFailed;
  MapContent map;
  std::vector<ShownPrompt> shown;
  std::vector<std::string> lines;  // of the message window
};

// Reads a map's bundle text, going on after a read warning.
Read ReadText(const std::string& text) {
  const auto members = SplitBundleText(text);
  EXPECT_TRUE(members);
  BundleTableSource source(members.value_or(std::vector<BundleMember>{}));
  std::string shown;
  const std::string header = source.ReadTable(kMapHeaderMember, &shown).value_or("");
  ScriptedPrompter prompter({PromptAnswer::kIgnore});
  Read read;
  read.result =
      ReadMapFromHeader(header, kMapHeaderMember, source, read.map, prompter,
                        [&read](std::string_view line) { read.lines.emplace_back(line); });
  read.shown = prompter.shown();
  return read;
}

// Reads text this program wrote: no question, no finding, and the same text
// when written again.
MapContent ReadOwnText(const std::string& text) {
  Read read = ReadText(text);
  EXPECT_EQ(read.result, MapReadResult::kRead);
  EXPECT_TRUE(read.shown.empty()) << (read.lines.empty() ? "" : read.lines.back());
  EXPECT_EQ(FormatMapText(read.map), text);
  return std::move(read.map);
}

constexpr EditMode kEveryMode[] = {
    EditMode::kNone,
    EditMode::kTrack,
    EditMode::kTurnout,
    EditMode::kCrossing,
    EditMode::kStation,
    EditMode::kStopSection,
    EditMode::kStationYard,
    EditMode::kStopSectionYard,
    EditMode::kStationDrawing,
    EditMode::kJump,
    EditMode::kDelete,
    EditMode::kSelect,
    EditMode::kMove,
    EditMode::kDirectionBoth,
    EditMode::kDirectionLeftward,
    EditMode::kDirectionRightward,
    EditMode::kSingleTrack,
    EditMode::kElectric,
    EditMode::kSignalLeftward,
    EditMode::kSignalRightward,
    EditMode::kSpeedLimit,
    EditMode::kPointSpeed,
    EditMode::kLength,
    EditMode::kStopLeftward,
    EditMode::kStopRightward,
    EditMode::kManualName,
    EditMode::kBlockNameAuto,
    EditMode::kBlockNameSemi,
    EditMode::kYardName,
    EditMode::kStationName,
    EditMode::kStopSectionName,
    EditMode::kProperty,
    EditMode::kStartPoint,
    EditMode::kStartDistance,
    EditMode::kInsertRows,
    EditMode::kInsertColumns,
    EditMode::kDeleteRows,
    EditMode::kDeleteColumns,
};

void DrawInEveryMode(const EditMap& map, const MapCheckMarks& marks) {
  for (const EditMode mode : kEveryMode) {
    MapDrawOptions options;
    options.view_width = 800;
    options.view_height = 600;
    options.mode = mode;
    options.current_station = 1;
    options.current_target = 1;
    options.check_marks = &marks;
    options.show_check_marks = true;
    options.pending = {3, 5};
    options.hover = {9, 7};
    options.crossing_corners = {{1, 1}, {4, 4}};
    RecordingCanvas canvas;
    DrawEditMap(map, options, canvas);
  }
}

// A pixel inside the box of a rail, when there is one an int can hold.
bool PixelInside(const MapRail& r, int* px, int* py) {
  const std::int64_t x = (std::int64_t{r.x1} + r.x2) * kCellWidth / 2;
  const std::int64_t y = (std::int64_t{r.y1} + r.y2) * kCellHeight / 2;
  if (std::max(std::abs(x), std::abs(y)) > INT_MAX / 2) return false;
  *px = static_cast<int>(x);
  *py = static_cast<int>(y);
  return true;
}

// The tools that walk along the track from a clicked segment.
void ClickTheWalkingTools(EditMap& map) {
  ScriptedPrompter prompter;
  testing::FakeDialogs dialogs;
  EditSession session(map, prompter, dialogs);
  dialogs.session = &session;
  session.tool_values().name_entry = 1;
  const int rails = map.rails().count();
  for (int i = 1; i <= rails && i <= map.rails().count(); ++i) {
    int px = 0, py = 0;
    if (!PixelInside(map.rails()[i], &px, &py)) continue;
    for (auto* click : {BlockNameAutoClick, BlockNameSemiClick, YardNameClick, StationNameClick,
                        StopSectionNameClick, StartPointClick, StartDistanceClick}) {
      click(session, px, py);
    }
  }
  session.RotateHalfTurn();
}

// Everything the program does with a map, on the map `content` read.
void ExerciseMap(const MapContent& content) {
  EditMap map;
  map.Replace(content);
  MapCheckMarks marks;
  DrawInEveryMode(map, marks);
  for (int i = 1; i <= map.rails().count(); ++i) RailInfoDialog(map, i, false, false);
  for (int i = 1; i <= map.points().count(); ++i) RailInfoDialog(map, i, true, true);
  DescribeMap(map.content());
  DescribeSignalTypes(map.content());
  if (map.rails().count() > 0) {
    MapChange change(map);
    SetStartRail(change, 1);
  }

  // The checks with every go-on question answered Yes, and the compile.
  GoingOn going_on;
  CheckOutput output;
  output.prompter = &going_on;
  EditMap compiled;
  compiled.Replace(map.content());
  if (const auto result = CompileMap(compiled, marks, output)) {
    // Whatever the compile made lies in the ranges of the dia data members.
    const SystemMap& system = result->file.map;
    SystemMap read(system.Counts());
    for (const DiaMemberHandler* handler : CompiledMapMembers()) {
      const DiaMember member = handler->info().member;
      std::string problem;
      EXPECT_TRUE(testing::ReadMemberText(member, testing::MemberText(member, system), 1220, read,
                                          &problem))
          << handler->info().file << ": " << problem;
    }
  }
  DrawInEveryMode(compiled, marks);
  MapCheckMarks converted_marks;
  const CheckOutput quiet;
  CheckRun run(converted_marks, quiet);
  EditMap converted;
  converted.Replace(map.content());
  ConvertMap(converted, run);

  // The editor's whole-map changes keep every number in the ranges its
  // reader takes.
  ClickTheWalkingTools(map);
  {
    MapChange change(map);
    ShiftGrid(change, GridAxis::kRows, 4, 1000);
    ShiftGrid(change, GridAxis::kColumns, 4, -3);
  }
  ReadOwnText(FormatMapText(map.content()));
}

TEST(ForeignMapTest, ReferencesNamingNothingAreReadAsStoredAndRepairedByTheChecks) {
  MapContent map = SampleMap();
  ASSERT_GE(map.rails.count(), 5);
  map.rails[1].station = -3;
  map.rails[2].target = 999;
  map.rails[3].yard_station = 300;
  map.rails[3].yard_target = -1;
  map.rails[4].block_name = -5;
  map.rails[4].yard_name = 1000;
  map.rails[4].station_name = 500;
  map.rails[4].target_name = -2;
  map.rails[5].signal_left = 99;
  map.points[1].yard_station = -2;
  map.points[1].signal_right = 500;
  map.points[1].yard_name = -1;
  map.stations[1].previous_station = 999;
  map.station_draws[1].station = 300;
  map.details[1].rail = 9000;
  map.details[1].point = -4;

  const MapContent read = ReadOwnText(FormatMapText(map));
  EXPECT_EQ(read.rails[1].station, -3);
  EXPECT_EQ(read.rails[3].yard_station, 300);
  EXPECT_EQ(read.points[1].signal_right, 500);
  EXPECT_EQ(read.station_draws[1].station, 300);
  EXPECT_EQ(read.details[1].point, -4);
  ExerciseMap(read);

  // The checks clear the stations and stop sections naming nothing with a
  // warning, and stop at the signal types the map does not have.
  EditMap edited;
  edited.Replace(read);
  std::vector<std::string> lines;
  GoingOn going_on;
  CheckOutput output;
  output.prompter = &going_on;
  output.message = [&lines](std::string_view line) { lines.emplace_back(line); };
  MapCheckMarks marks;
  EXPECT_FALSE(CheckForCompile(edited, marks, output));
  const auto has = [&lines](const char* line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("＜警告＞不正な駅指定がありました。自動修正されました。"));
  EXPECT_TRUE(has("＜警告＞不正な停車区画指定がありました。自動修正されました。"));
  EXPECT_TRUE(has("＜エラー＞存在しない信号機の種類が指定されています。"));
  EXPECT_EQ(edited.rails()[1].station, 0);
  EXPECT_EQ(edited.rails()[2].target, 0);
}

TEST(ForeignMapTest, TheEditorKeepsObjectsOnTheGridItsReaderTakes) {
  EXPECT_EQ(SnapToGrid(INT_MAX, INT_MIN), (GridPoint{kGridLimit - 1, -kGridLimit + 1}));
  EditMap map;
  {
    MapChange change(map);
    change.rails().Append(NewRail({kGridLimit - 3, 5}, {kGridLimit - 1, 5}, kBothWays));
    change.jumps().Append(MapJump{kGridLimit - 1, 9, 1, -kGridLimit + 1, {}});
    ShiftGrid(change, GridAxis::kColumns, 0, 50);
    ShiftGrid(change, GridAxis::kRows, -kGridLimit, -50);
  }
  ReadOwnText(FormatMapText(map.content()));
}

class MapNumberSweepTest : public ::testing::TestWithParam<std::string> {};

// A number the reader takes goes through everything; one it refuses is named
// in the message window with its member and line.
TEST_P(MapNumberSweepTest, EveryNumberAtTheEndsOfTheIntRange) {
  static const std::string base = FormatMapText(SampleMap());
  const int numbers =
      testing::SweepNumbers(base, GetParam(), [this](const testing::SweptText& swept) {
        SCOPED_TRACE(testing::Describe(swept));
        Read read = ReadText(swept.text);
        ASSERT_EQ(read.result, MapReadResult::kRead);
        if (!read.shown.empty()) {
          ASSERT_GE(read.lines.size(), 2u);
          EXPECT_EQ(read.lines[0],
                    "読み込みファイル'" + GetParam() + "'の内容が正しくありません。");
          EXPECT_EQ(read.lines[1].rfind("line " + std::to_string(swept.line) + ": ", 0), 0u)
              << read.lines[1];
          return;
        }
        EXPECT_TRUE(read.lines.empty());
        ReadOwnText(FormatMapText(read.map));
        ExerciseMap(read.map);
      });
  EXPECT_GT(numbers, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryTable, MapNumberSweepTest,
                         ::testing::Values("m_rail.csv", "m_point.csv", "m_station.csv",
                                           "m_target.csv", "m_station_draw.csv", "m_name_ar.csv",
                                           "m_name_ap.csv", "m_name_as.csv", "m_name_at.csv",
                                           "m_detail.csv", "m_jump.csv", "m_signal_set.csv",
                                           "m_signal.csv"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(2, info.param.size() - 6);
                           name.erase(std::remove(name.begin(), name.end(), '_'), name.end());
                           return name;
                         });

}  // namespace
}  // namespace corvane
