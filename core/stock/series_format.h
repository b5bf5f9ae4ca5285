#pragma once
// How the dia data file stores a series: the columns of its record in
// "series.csv" and its acceleration and curve-limit tables, each a member of
// its own ("table_acceleration_3.csv").

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/record_format.h"
#include "stock/series.h"

namespace corvane {

const RecordFormat<SeriesRecord>& SeriesFormat();

// Names of the per-series table members ("table_acceleration_3.csv").
std::string AccelerationMemberName(int series);
std::string CurveLimitMemberName(int series);
// A series' table as its member holds it, and read back.
std::string FormatSeriesTable(const std::vector<std::pair<int, int>>& rows, bool acceleration);
void ReadSeriesTable(std::string_view text, std::vector<std::pair<int, int>>& rows);

}  // namespace corvane
