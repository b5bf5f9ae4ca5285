#pragma once
// Dia data built in code for the tests, the benchmarks and the sample file
// of examples/: one with every table and field set, and one as large as the
// tables allow with a full day's timetable.

#include "data/dia_file.h"

namespace corvane {

// Two rails on one piece (a two-way track) at a station with a point, a
// drawing, a row, a jump, a detail and a signal set of two bands.
SystemMap SampleSystemMap();

// SampleSystemMap with every dia table holding records whose every field is
// set, two series with tables and sounds, and every header value changed
// from its default.
DiaFile SampleDiaFile();

// A compiled map with every table at the size the largest map gives, and a
// timetable of `trains` trains with their runs and stop events.
DiaFile LargeDiaFile(int trains);

// Puts `count` trains of one 200 m formation each (a series of its own) on
// the line: each at the front of a block rail outside the yards whose back
// links reach 200 m, spread evenly over such rails. Fewer when the line
// has fewer such rails.
void PlaceTrainsOnBlocks(DiaFile& file, int count);

}  // namespace corvane
