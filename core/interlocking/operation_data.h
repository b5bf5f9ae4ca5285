#pragma once
// What opened or compiled data goes through before the program works on it
// (one step of opening: no change of the user's). Every point stands at its
// normal position with its run-time values clear; routes that are not their
// lever's normal route are released and the routes kept cover their rails
// again; occupancy and aspects are calculated.
//
//   model.Replace(std::move(file), InitialiseOperationData);

#include "run/dia_change.h"

namespace corvane {

// A normal position outside the point's positions (foreign data) is taken
// as the nearest position there is.
void InitialiseOperationData(DiaChange& change);

}  // namespace corvane
