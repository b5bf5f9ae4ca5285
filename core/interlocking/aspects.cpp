#include "interlocking/aspects.h"

namespace corvane {

int DecelerationOf(const DiaFile&) { return 0; }
int BrakingSpeed(int, int, int aspect) { return aspect; }
int BrakingDistance(int, int, const MapSettings&) { return 0; }
int FormationLength(const DiaData&, int) { return 0; }
// Occupancy only, so that the routes can be tried before the aspects land.
void CalculateAspects(const DiaFile& file, RunState& run) {
  for (RailRun& rail : run.rails) rail.occupying_train = 0;
  for (int t = 1; t <= file.dia.trains.count(); ++t) {
    const int rail = file.dia.trains[t].rail;
    if (file.map.rails.Contains(rail))
      run.rails[static_cast<std::size_t>(rail)].occupying_train = t;
  }
}
void RecalculateAspects(DiaChange& change) {
  CalculateAspects(change.model().file(), change.run());
}

}  // namespace corvane
