#pragma once
// What loaded data goes through before the program works on it: every point
// stands at its normal position, its rails linked and its pieces in use as
// that position says. The run-time values beside the records are built clear
// when the data replaces the loaded one (BuildRunState).

#include "data/dia_file.h"

namespace corvane {

// Brings every point of `file` to its normal position. A normal position
// the point does not have leaves it as it stands.
void InitialiseOperationData(DiaFile& file);

}  // namespace corvane
