#pragma once
// Points of the compiled map. Setting a position rewrites the links of the
// point's rails from its route tables. The compiler sets positions on the
// map it builds; on the loaded data a throw goes through the point's rules:
// who may throw it (its control mode, with the temporary releases of a
// manual throw), whether it is failed or locked by a train, a booking or a
// route, and which position a request needs. The board, the route setting
// and the headless tool all throw through ThrowPoint.

#include <string_view>

#include "data/system_map.h"
#include "interlocking/operation_report.h"
#include "run/dia_change.h"

namespace corvane {

// The control modes of a point.
enum PointMode : int {
  kPointManual = 0,    // 手動
  kPointReset = 1,     // 復位
  kPointDemand = 2,    // 要求
  kPointNotice = 3,    // 通知
  kPointSequence = 4,  // 順序
  kPointCombined = 5,  // 併用
};
inline constexpr int kPointModes = 6;

// Who throws: a manual throw from the board reports its refusals; a route
// request and a train's request stay silent.
enum class ThrowCaller : int { kBoard = 0, kRoute = 2, kTrain = 3 };

// Whether a throw is followed by the aspect calculation at once, or the
// caller calculates once after several throws (a route under interlocking,
// where occupancy does not follow the points a route may throw, so no throw
// changes what the next one checks).
enum class AfterThrow { kRecalculate, kCallerRecalculates };

inline constexpr char kPointFailed[] = "指定されたポイントは故障中です。";
inline constexpr char kDemandReleased[] = "ポイントの要求制御が一時的に解除されました。";
inline constexpr char kNoticeReleased[] = "ポイントの通知制御が一時的に解除されました。";
inline constexpr char kPointLocked[] = "ポイント%sは鎖錠中です。";
inline constexpr char kTrainTooLong[] =
    "%s編成の編成長が、%sの有効長を超えている可能性があります。";

// Applies position `position` (0-based) of point `point`: each of its rails
// takes its piece's in-use flag and its next and back links from the route
// tables, and a positive link is answered by the rail it names. A point or
// position that does not exist changes nothing.
void SetPointPosition(SystemMap& map, int point, int position);
void SetPointPosition(DiaChange& change, int point, int position);

// Moves point `point` of a map under construction on by `step` positions
// (+1 or -1, wrapping), without the rules of the loaded data. A point
// without positions stays as it is.
void ThrowPoint(SystemMap& map, int point, int step);

// The positions a throw steps through: the point's branch count within the
// table's slots (0 for a point that cannot be thrown).
int PositionCount(const PointRecord& point);

// Whether `rail` is on the path of `point` in `position`.
bool OnPointPath(const PointRecord& point, int rail, int position);

// The first rail of `point` that locks it: a train stands on, has booked or
// occupies it, or a route covers its piece; a rail booked for the point's
// own booked train does not lock. 0 when none does.
int LockingRail(const DiaFile& file, const RunState& run, int point);

// Throws `point` on the loaded data by `step` (+1 or -1) for `caller`, onto a
// position that has `requested_rail` on its path when that is given (not 0).
// True when the point is where it was asked to be (thrown, or the requested
// rail already on its path). Refusals of a manual throw beep with their
// message; a standing train that locks the point adds its hint for every
// caller. A thrown point is followed by the aspect calculation.
bool ThrowPoint(DiaChange& change, int point, int step, ThrowCaller caller, int requested_rail,
                const OperationReport& report, AfterThrow after = AfterThrow::kRecalculate);

// The control mode and the saved mode become `mode` (0..5); other values
// are ignored.
void SetPointMode(DiaChange& change, int point, int mode);
// Ctrl + click on a point: the next control mode (5 wraps to 0), the saved
// mode with it, and the mode's message.
void CyclePointMode(DiaChange& change, int point, const OperationReport& report);
// The current position becomes the normal position.
void SetPointNormalPosition(DiaChange& change, int point);
// Gives `point` the key `key` (Shift-JIS) unless another point's key clashes
// with it (a message box then says which); true when it was given.
bool SetPointKey(DiaChange& change, int point, std::string_view key, const OperationReport& report);
// The point's label stands at (`x`, `y`) in display row `row`.
void PlacePointLabel(DiaChange& change, int point, int row, int x, int y);

}  // namespace corvane
