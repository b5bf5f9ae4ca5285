#include "interlocking/operation_data.h"

#include "interlocking/point_control.h"

namespace corvane {

void InitialiseOperationData(DiaFile& file) {
  SystemMap& map = file.map;
  for (int n = 1; n <= map.points.count(); ++n) {
    SetPointPosition(map, n, map.points[n].normal_position);
  }
}

}  // namespace corvane
