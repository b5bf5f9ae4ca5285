#include "interlocking/operation_data.h"

#include <algorithm>

#include "interlocking/aspects.h"
#include "interlocking/point_control.h"
#include "interlocking/route_setting.h"

namespace corvane {

void InitialiseOperationData(DiaChange& change) {
  const SystemMap& map = change.model().map();
  for (int n = 1; n <= map.points.count(); ++n) {
    PointRun& run = change.run().points[static_cast<std::size_t>(n)];
    run = PointRun{.saved_mode = run.saved_mode};
    const PointRecord& point = map.points[n];
    const int last = std::max(PositionCount(point), 1) - 1;
    SetPointPosition(change, n, std::clamp(point.normal_position, 0, last));
  }
  ResetRoutesOnLoading(change);
  RecalculateAspects(change);
}

}  // namespace corvane
