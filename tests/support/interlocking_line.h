#pragma once
// A small line compiled from a map for the interlocking tests: a straight
// segment on row 5 from column 6 to 10, a turnout with its joint on the left
// in the box of columns 10..14 and rows 4..8 whose branches end on the
// given rows, and a segment from column 14 to 18 on each of those rows.
// Levers, buttons and trains are placed on its rails by the tests; the data
// is opened as the main window opens it.

#include <string>
#include <utility>
#include <vector>

#include "base/encoding.h"
#include "compiler/map_compiler.h"
#include "interlocking/operation_data.h"
#include "interlocking/operation_report.h"
#include "map/map_change.h"
#include "run/dia_change.h"
#include "run/dia_model.h"

namespace corvane::testing {

// What the operations reported, in order: message-line texts ("!" in front
// when they beeped) and message boxes ("caption: text").
struct ReportLog {
  std::vector<std::string> lines;
  ScriptedPrompter boxes;
  OperationReport Report() {
    OperationReport report;
    report.line = [this](std::string_view text, bool beep) {
      lines.push_back((beep ? "!" : "") + std::string(text));
    };
    report.boxes = &boxes;
    return report;
  }
};

inline DiaFile CompiledTurnout(const std::vector<int>& branch_rows) {
  EditMap map;
  MapChange change(map);
  change.signal_types().Append(MapSignalType{});
  change.rails().Append(NewRail({6, 5}, {10, 5}, kBothWays));
  for (const int row : branch_rows) change.rails().Append(NewRail({14, row}, {18, row}, kBothWays));
  MapPoint point;
  point.kind = kTurnoutJointLeft;
  point.x1 = 10;
  point.x2 = 14;
  point.y1 = 4;
  point.y2 = 8;
  point.branch_count = static_cast<int>(branch_rows.size());
  for (std::size_t j = 1; j <= branch_rows.size(); ++j) {
    point.branch_left_dy[j] = 1;
    point.branch_right_dy[j] = branch_rows[j - 1] - 4;
  }
  change.points().Append(point);
  MapCheckMarks marks;
  CheckOutput output;
  CheckRun run(marks, output);
  return ConvertMap(map, run).file;
}

// Lever and button tables with room for `count` records each.
inline void MakeRouteTables(DiaFile& file, int count = 8) {
  file.dia.levers = Table<LeverRecord>(count);
  file.dia.buttons = Table<ButtonRecord>(count);
}

// A lever on `rail` (mode `mode`), its direction that of the rail.
inline int AddLever(DiaFile& file, int rail, int mode = 0) {
  LeverRecord lever;
  lever.values[kLeverMode] = mode;
  lever.values[kLeverDirection] = file.map.rails[rail].direction;
  const int n = file.dia.levers.Append(lever);
  file.map.rails[rail].lever = n;
  return n;
}

inline int AddButton(DiaFile& file, int rail) {
  ButtonRecord button;
  button.values[kButtonDirection] = file.map.rails[rail].direction;
  const int n = file.dia.buttons.Append(button);
  file.map.rails[rail].button = n;
  return n;
}

// A train named `name` (UTF-8) standing on `rail`.
inline int AddTrain(DiaFile& file, int rail, const char* name = "A1") {
  if (file.dia.trains.full()) file.dia.trains = Table<TrainRecord>(16);
  TrainRecord train;
  train.rail = rail;
  train.name = LongText(Utf8ToSjis(name));
  return file.dia.trains.Append(train);
}

inline void Open(DiaModel& model, DiaFile file) {
  model.Replace(std::move(file), InitialiseOperationData);
}

}  // namespace corvane::testing
