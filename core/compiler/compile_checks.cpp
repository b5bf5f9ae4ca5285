#include "compiler/compile_checks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "compiler/box_index.h"
#include "data/system_map.h"
#include "map/grid_index.h"
#include "map/map_change.h"

namespace corvane {

namespace {

constexpr const char kStopped[] =
    "エラーがあります。\nメッセージウインドウに出ている警告内容を修正してください。\n"
    "不正なオブジェクトは赤で表示されます。";
constexpr const char kGoOn[] =
    "警告があります。コンパイルを継続しますか？\n\nメッセージウインドウに出ている警告内容を"
    "修正してください。\n不正なオブジェクトは紫で表示されます。";

constexpr int kMostTurnoutBranches = 10;
constexpr int kSmallestStop = 5;    // metres from either end of the segment
constexpr int kAtsStopMargin = 20;  // metres an ATS map keeps before the end
constexpr int kSmallStopWarning = 25;

// ------------------------------------------------------------ stage 1

void CheckStartPoint(const EditMap& map, CheckRun& run) {
  run.Progress("初期チェック中");
  const int start = map.header().start.start_rail;
  if (start == 0) {
    run.Error("＜エラー＞起点が指定されていません。");
  } else if (!map.rails().Contains(start) || !map.CanBeStartRail(start)) {
    run.Error("＜エラー＞起点が不正です。再設定してください。");
  }
}

// ------------------------------------------------------------ stage 3

CellBox RailCells(const MapRail& r) { return {r.x1, r.y1, r.x2, r.y2}; }
CellBox PointCells(const MapPoint& p) { return {p.x1, p.y1, p.x2, p.y2}; }

// The two cells a jump end occupies: right of end A's grid point, left of
// end B's, one row above and below it.
CellBox EndCells(const MapJump& j, bool end_a) {
  return end_a ? CellBox{j.ax, j.ay - 1, j.ax + 1, j.ay + 1}
               : CellBox{j.bx - 1, j.by - 1, j.bx, j.by + 1};
}

// The two cells on the other side of an end, tested against points and
// other jumps.
CellBox OuterCells(const MapJump& j, bool end_a) {
  return end_a ? CellBox{j.ax - 1, j.ay - 1, j.ax, j.ay + 1}
               : CellBox{j.bx, j.by - 1, j.bx + 1, j.by + 1};
}

int JumpEndKey(int jump, bool end_a) { return jump * 2 + (end_a ? 0 : 1); }
int JumpOfKey(int key) { return key / 2; }

// Two ends of the same kind on one grid point would continue a line in two
// places at once; ends of different kinds meet in the cells tested above.
void CheckSharedJumpEnds(const EditMap& map, CheckRun& run) {
  std::unordered_map<std::int64_t, std::vector<int>> ends_a, ends_b;
  for (int j = 1; j <= map.jumps().count(); ++j) {
    const MapJump& jump = map.jumps()[j];
    ends_a[GridIndex::Key(jump.ax, jump.ay)].push_back(j);
    ends_b[GridIndex::Key(jump.bx, jump.by)].push_back(j);
  }
  for (int j = 1; j <= map.jumps().count(); ++j) {
    const MapJump& jump = map.jumps()[j];
    for (const auto* others : {&ends_a.at(GridIndex::Key(jump.ax, jump.ay)),
                               &ends_b.at(GridIndex::Key(jump.bx, jump.by))}) {
      for (const int other : *others) {
        if (other != j) run.Error("＜エラー＞ジャンプが重複しています。", MapTable::kJump, j);
      }
    }
  }
}

void CheckOverlaps(const EditMap& map, CheckRun& run) {
  run.Progress("重複オブジェクトチェック中");
  BoxIndex rails, points, jump_ends;
  for (int i = 1; i <= map.rails().count(); ++i) rails.Add(i, RailCells(map.rails()[i]));
  for (int i = 1; i <= map.points().count(); ++i) points.Add(i, PointCells(map.points()[i]));
  for (int j = 1; j <= map.jumps().count(); ++j) {
    for (const bool end_a : {true, false}) {
      jump_ends.Add(JumpEndKey(j, end_a), EndCells(map.jumps()[j], end_a));
    }
  }
  // One finding per other object (or jump end) that shares a cell.
  auto report = [&run](const BoxIndex& index, const CellBox& cells, const char* text,
                       MapTable table, int self, auto skip) {
    for (const int key : index.KeysMeeting(cells)) {
      if (!skip(key)) run.Error(text, table, self);
    }
  };
  auto none = [](int) { return false; };

  for (int i = 1; i <= map.rails().count(); ++i) {
    const CellBox cells = RailCells(map.rails()[i]);
    report(rails, cells, "＜エラー＞線路が重複しています。", MapTable::kRail, i,
           [i](int key) { return key == i; });
    report(points, cells, "＜エラー＞線路とポイントが重複しています。", MapTable::kRail, i, none);
    report(jump_ends, cells, "＜エラー＞線路とジャンプが重複しています。", MapTable::kRail, i,
           none);
  }
  for (int i = 1; i <= map.points().count(); ++i) {
    const CellBox cells = PointCells(map.points()[i]);
    report(rails, cells, "＜エラー＞線路とポイントが重複しています。", MapTable::kPoint, i, none);
    report(points, cells, "＜エラー＞ポイントが重複しています。", MapTable::kPoint, i,
           [i](int key) { return key == i; });
    report(jump_ends, cells, "＜エラー＞ポイントとジャンプが重複しています。", MapTable::kPoint, i,
           none);
  }
  for (int j = 1; j <= map.jumps().count(); ++j) {
    const MapJump& jump = map.jumps()[j];
    for (const bool end_a : {true, false}) {
      report(rails, EndCells(jump, end_a), "＜エラー＞線路とジャンプが重複しています。",
             MapTable::kJump, j, none);
    }
    for (const bool end_a : {true, false}) {
      report(points, OuterCells(jump, end_a), "＜エラー＞ポイントとジャンプが重複しています。",
             MapTable::kJump, j, none);
    }
    for (const bool end_a : {true, false}) {
      report(jump_ends, OuterCells(jump, end_a), "＜エラー＞ジャンプが重複しています。",
             MapTable::kJump, j, [j](int key) { return JumpOfKey(key) == j; });
    }
  }
  CheckSharedJumpEnds(map, run);
}

// ------------------------------------------------------------ stage 4

bool SignalTypeUnknown(const EditMap& map, int type) {
  return type < 0 || type > map.signal_types().count();
}

int ExistingBranches(const MapPoint& point) {
  int count = 0;
  for (int b = 1; b <= UsedBranchSlots(point); ++b) count += BranchExists(point, b) ? 1 : 0;
  return count;
}

// The most detail records the compile can make: a segment's details go to
// each of its rails, a point's to both rails of every branch.
std::int64_t DetailRecordsAtMost(const EditMap& map) {
  std::int64_t total = 0;
  for (const MapDetail& d : map.details()) {
    if (d.point != 0) {
      if (map.points().Contains(d.point)) total += 2 * ExistingBranches(map.points()[d.point]);
    } else if (d.rail != 0 && map.rails().Contains(d.rail)) {
      total += map.rails()[d.rail].direction == kBothWays ? 2 : 1;
    }
  }
  return total;
}

// Station and stop-section references that name nothing are cleared with a
// warning; a signal type the map does not have is an error.
void RepairReferences(EditMap& map, CheckRun& run) {
  run.Progress("駅指定・停車区画指定整合性チェック中");
  MapChange change(map);
  for (int i = 1; i <= map.rails().count(); ++i) {
    const MapRail& rail = map.rails()[i];
    if (rail.station != 0 && !map.stations().Contains(rail.station)) {
      change.rails()[i].station = 0;
      run.Warning("＜警告＞不正な駅指定がありました。自動修正されました。", MapTable::kRail, i);
    }
    if (rail.target != 0 && !map.targets().Contains(rail.target)) {
      change.rails()[i].target = 0;
      run.Warning("＜警告＞不正な停車区画指定がありました。自動修正されました。", MapTable::kRail,
                  i);
    }
    if (SignalTypeUnknown(map, rail.signal_left) || SignalTypeUnknown(map, rail.signal_right)) {
      run.Error("＜エラー＞存在しない信号機の種類が指定されています。", MapTable::kRail, i);
    }
  }
  for (int i = 1; i <= map.points().count(); ++i) {
    const MapPoint& point = map.points()[i];
    if (SignalTypeUnknown(map, point.signal_left) || SignalTypeUnknown(map, point.signal_right)) {
      run.Error("＜エラー＞存在しない信号機の種類が指定されています。", MapTable::kPoint, i);
    }
  }
  for (int i = 1; i <= map.station_draws().count(); ++i) {
    const int station = map.station_draws()[i].station;
    if (station != 0 && !map.stations().Contains(station)) {
      change.station_draws()[i].station = 0;
      run.Warning("＜警告＞不正な駅指定がありました。自動修正されました。", MapTable::kStationDraw,
                  i);
    }
  }
  if (DetailRecordsAtMost(map) > kMostDetailRecords) {
    run.Error("＜エラー＞線路詳細設定が多すぎます。");
  }
}

// ------------------------------------------------------------ stage 5

// Removes branch `b` (1-based): the later ones move down one slot in every
// branch array; the slots above the new count keep what they held.
void RemoveBranch(MapPoint& point, int b) {
  const int n = UsedBranchSlots(point);
  for (auto* branch : {&point.branch_piece, &point.branch_left_dy, &point.branch_right_dy,
                       &point.branch_stored_a, &point.branch_stored_b, &point.branch_speed}) {
    for (int j = b; j < n; ++j) (*branch)[j] = (*branch)[j + 1];
  }
  point.branch_count = n - 1;
}

// Two branches of a turnout that end on the same row on the side away from
// its joint.
bool SameFarRow(const MapPoint& point, int a, int b) {
  return point.kind == kTurnoutJointLeft ? point.branch_right_dy[a] == point.branch_right_dy[b]
                                         : point.branch_left_dy[a] == point.branch_left_dy[b];
}

void CheckTurnouts(EditMap& map, CheckRun& run) {
  run.Progress("ポイント整合性チェック中");
  MapChange change(map);
  for (int i = 1; i <= map.points().count(); ++i) {
    const MapPoint& point = map.points()[i];
    if (point.kind != kTurnoutJointLeft && point.kind != kTurnoutJointRight) continue;
    if (point.branch_count > kMostTurnoutBranches) {
      run.Error("＜エラー＞ポイントの分岐数が多すぎます。", MapTable::kPoint, i);
    }
    MapPoint repaired = point;
    for (int a = 1; a < UsedBranchSlots(repaired); ++a) {
      // After a removal the branch moved into slot b is compared as well.
      for (int b = a + 1; b <= UsedBranchSlots(repaired);) {
        if (SameFarRow(repaired, a, b)) {
          RemoveBranch(repaired, b);
        } else {
          ++b;
        }
      }
    }
    if (!(repaired == point)) change.points()[i] = repaired;
  }
}

// ------------------------------------------------------------ stages 6 to 9

void CheckLengths(const EditMap& map, CheckRun& run) {
  run.Progress("区間距離チェック中");
  constexpr const char kNoLength[] = "＜エラー＞区間距離が設定されていません。";
  for (int i = 1; i <= map.rails().count(); ++i) {
    if (map.rails()[i].length == 0) run.Error(kNoLength, MapTable::kRail, i);
  }
  for (int i = 1; i <= map.points().count(); ++i) {
    if (map.points()[i].length == 0) run.Error(kNoLength, MapTable::kPoint, i);
  }
}

void CheckStopDistance(const EditMap& map, CheckRun& run, int rail, int distance) {
  const int length = map.rails()[rail].length;
  if (distance < kSmallestStop) {
    run.Error("＜エラー＞停止目標距離が小さすぎます。", MapTable::kRail, rail);
    return;
  }
  if (distance > length - kSmallestStop) {
    run.Error("＜エラー＞停止目標距離が大きすぎます。", MapTable::kRail, rail);
    return;
  }
  if (map.header().settings.safety_device == kSafetyAts && distance > length - kAtsStopMargin) {
    run.Warning("＜警告＞停止目標距離の余裕が足りません。ＡＴＳマップには" +
                    std::to_string(kAtsStopMargin) + "[m]以上確保してください。",
                MapTable::kRail, rail);
  }
  if (distance < kSmallStopWarning) {
    run.Warning("＜警告＞停止目標距離が極端に小さくなっています。", MapTable::kRail, rail);
  }
}

void CheckStopTargets(const EditMap& map, CheckRun& run) {
  run.Progress("停止目標距離チェック中");
  for (int i = 1; i <= map.rails().count(); ++i) {
    const MapRail& rail = map.rails()[i];
    if (rail.station == 0 && rail.target == 0) continue;
    if (rail.stop_left == 0 && rail.stop_right == 0) {
      run.Error("＜エラー＞停止目標距離が設定されていません。", MapTable::kRail, i);
      continue;
    }
    if (AllowsLeftward(rail.direction) && rail.stop_left != 0) {
      CheckStopDistance(map, run, i, rail.stop_left);
    }
    if (AllowsRightward(rail.direction) && rail.stop_right != 0) {
      CheckStopDistance(map, run, i, rail.stop_right);
    }
  }
}

void CheckSpeedLimits(const EditMap& map, CheckRun& run) {
  run.Progress("停止目標距離チェック中");
  const int max_speed = map.header().settings.max_speed;
  constexpr const char kAboveMax[] = "＜警告＞制限速度がマップ最高速度を超えています。";
  for (int i = 1; i <= map.rails().count(); ++i) {
    if (map.rails()[i].speed_limit > max_speed) run.Warning(kAboveMax, MapTable::kRail, i);
  }
  for (int i = 1; i <= map.points().count(); ++i) {
    if (map.points()[i].speed_limit > max_speed) run.Warning(kAboveMax, MapTable::kPoint, i);
  }
  for (int i = 1; i <= map.points().count(); ++i) {
    const MapPoint& point = map.points()[i];
    for (int branch = 1; branch <= UsedBranchSlots(point); ++branch) {
      if (BranchExists(point, branch) && point.branch_speed[branch] > max_speed) {
        run.Warning("＜警告＞ポイントの個別に設定された制限速度がマップ最高速度を超えています。",
                    MapTable::kPoint, i);
      }
    }
  }
}

void CheckSingleTrack(const EditMap& map, CheckRun& run) {
  run.Progress("方向設定チェック中");
  for (int i = 1; i <= map.rails().count(); ++i) {
    const MapRail& rail = map.rails()[i];
    if (rail.single_track == 0) continue;
    if (rail.direction == kLeftwardOnly) {
      run.Warning("＜警告＞←方向の線路に単線指定がされています。", MapTable::kRail, i);
    } else if (rail.direction == kRightwardOnly) {
      run.Warning("＜警告＞→方向の線路に単線指定がされています。", MapTable::kRail, i);
    }
  }
}

}  // namespace

CheckRun::CheckRun(MapCheckMarks& marks, const CheckOutput& output)
    : marks_(marks), output_(output) {}

void CheckRun::Progress(std::string_view text) const {
  if (output_.progress) output_.progress(text);
}

void CheckRun::Error(std::string_view text, MapTable table, int index) {
  ++errors_;
  Finding(text, table, index);
  if (index != 0) marks_.Set(table, index, kErrorMark);
}

void CheckRun::Warning(std::string_view text, MapTable table, int index) {
  ++warnings_;
  Finding(text, table, index);
  if (index != 0) marks_.Set(table, index, kWarningMark);
}

void CheckRun::Finding(std::string_view text, MapTable table, int index) const {
  if (index != 0 && output_.finding) {
    output_.finding(text, table, index);
  } else if (output_.message) {
    output_.message(text);
  }
}

bool CheckRun::EndOfStage() {
  if (errors_ == 0 && warnings_ == 0) return true;
  Message("エラー：" + std::to_string(errors_) + "件　警告：" + std::to_string(warnings_) + "件");
  if (errors_ > 0) {
    if (output_.prompter != nullptr) output_.prompter->Error(kStopped, "コンパイルエラー");
    return false;
  }
  const bool go_on = output_.prompter != nullptr &&
                     output_.prompter->Ask(kGoOn, "コンパイル警告", PromptButtons::kYesNo,
                                           PromptIcon::kWarning) == PromptAnswer::kYes;
  if (go_on) warnings_ = 0;
  return go_on;
}

void CheckRun::Message(std::string_view text) const {
  if (output_.message) output_.message(text);
}

void CheckRun::FinalReport() {
  Message("エラー：" + std::to_string(errors_) + "件　警告：" + std::to_string(warnings_) + "件");
  if (output_.prompter == nullptr) return;
  if (errors_ > 0) {
    output_.prompter->Error(kStopped, "コンパイルエラー");
  } else if (warnings_ > 0) {
    output_.prompter->Ask(kGoOn, "コンパイル警告", PromptButtons::kYesNo, PromptIcon::kWarning);
  }
}

bool RunCompileChecks(EditMap& map, CheckRun& run) {
  CheckStartPoint(map, run);
  if (!run.EndOfStage()) return false;
  for (const char* sizing :
       {"線路サイズチェック中", "ポイントサイズチェック中", "停車区画サイズチェック中"}) {
    run.Progress(sizing);
  }
  if (!run.EndOfStage()) return false;
  CheckOverlaps(map, run);
  if (!run.EndOfStage()) return false;
  RepairReferences(map, run);
  if (!run.EndOfStage()) return false;
  CheckTurnouts(map, run);
  if (!run.EndOfStage()) return false;
  CheckLengths(map, run);
  if (!run.EndOfStage()) return false;
  CheckStopTargets(map, run);
  if (!run.EndOfStage()) return false;
  CheckSpeedLimits(map, run);
  if (!run.EndOfStage()) return false;
  CheckSingleTrack(map, run);
  return run.EndOfStage();
}

void StartChecks(MapCheckMarks& marks, const CheckOutput& output) {
  marks.Clear();
  if (output.clear_messages) output.clear_messages();
  if (output.message) output.message("");
}

bool CheckForCompile(EditMap& map, MapCheckMarks& marks, const CheckOutput& output) {
  StartChecks(marks, output);
  CheckRun run(marks, output);
  return RunCompileChecks(map, run);
}

}  // namespace corvane
