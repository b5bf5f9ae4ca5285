#pragma once
// The route levers and buttons a compiled line's rails call for: a lever
// where a route starts (at a platform of a station yard, or on the way into
// a yard), a button where one ends, plain block routes fixed at once, and
// levers and buttons that lead nowhere left out.

#include "run/dia_change.h"

namespace corvane {

// Replaces every lever and button of the data in `change` by those its
// rails call for, in rail-number order, and every reference to them: the
// rails' lever, button and normal-route lever, the buttons' route-from,
// the levers' routes, the track pieces' route covers and the trains'
// waiting levers. The tables grow to hold what is generated. Every walk
// along the rails' links ends after at most the rail count steps.
void GenerateLeversAndButtons(DiaChange& change);

}  // namespace corvane
