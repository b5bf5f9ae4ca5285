#pragma once
// PLACEHOLDER until the aspect calculation lands (replaced at the merge).

#include "data/dia_file.h"
#include "run/dia_change.h"
#include "run/run_state.h"

namespace corvane {

int DecelerationOf(const DiaFile& file);
int BrakingSpeed(int beta, int distance, int aspect);
int BrakingDistance(int beta, int speed, const MapSettings& settings);
int FormationLength(const DiaData& dia, int train);
void CalculateAspects(const DiaFile& file, RunState& run);
void RecalculateAspects(DiaChange& change);

}  // namespace corvane
