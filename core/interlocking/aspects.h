#pragma once
// The occupancy and signal-aspect calculation: which rails the trains
// occupy and book, and the speed code every rail's signal shows (0 = stop)
// with the rail whose condition caused a stop or restriction. It is
// recomputed from scratch whenever the data is initialised and after every
// command that can change it; only the previous booking marks carry over
// from one run to the next.

#include "data/dia_file.h"
#include "run/dia_change.h"
#include "run/run_state.h"

namespace corvane {

// The deceleration the braking curves use, in 1/1024 km/h/s: with signal
// version 1042 or later HandleATC * 1024 / 100; before it the smallest ATC
// brake among the series of the timetable, 0 without series.
int DecelerationOf(const DiaFile& file);

// The highest speed (km/h) from which a train braking at `beta` reaches
// speed `aspect` within `distance` metres: truncate(sqrt(beta * max(d, 0)
// * 0.00703125 + a * a)), at most 1023. Without deceleration (beta <= 0)
// no speed can be braked from: 0.
int BrakingSpeed(int beta, int distance, int aspect);

// The metres a train at `speed` needs to stop, with the margin of the
// settings and one second of running. Without deceleration (beta <= 0) the
// braking part counts 0: the train's bookings then reach only as far as the
// margin and the second of running.
int BrakingDistance(int beta, int speed, const MapSettings& settings);

// The length of train `train`'s formation: the lengths of the series of
// all its units; a unit of a series that does not exist counts 0.
int FormationLength(const DiaData& dia, int train);

// The whole calculation on the loaded records and the run-time values:
// writes every rail's aspect, stop origin, occupying train, booking and
// previous booking, and run.failing_train.
void CalculateAspects(const DiaFile& file, RunState& run);

// The calculation through the change path. A point in notice control whose
// notified train waits to depart from the rail before it is switched to
// demand control here (the calculation on its own only reads the records).
void RecalculateAspects(DiaChange& change);

}  // namespace corvane
