#pragma once
// What loaded data goes through before the program works on it: every point
// stands at its normal position, its rails linked and its pieces in use as
// that position says. The run-time values beside the records are built clear
// when the data replaces the loaded one (BuildRunState).

#include "data/dia_file.h"

namespace corvane {

// Brings every point of `file` to its normal position, as stored: a
// position beyond the point's branches takes the links its table gives
// that position (none), so its rails are not drawn until it is thrown; a
// position outside the table's slots leaves the point as it stands.
void InitialiseOperationData(DiaFile& file);

}  // namespace corvane
