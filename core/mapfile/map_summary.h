#pragma once
// A readable account of a map: its header and the size of every table, and
// its signal types.

#include <string>

#include "map/map_tables.h"

namespace corvane {

// UTF-8 lines "key: value", one per header value and one per table.
std::string DescribeMap(const MapContent& map);

// The signal types and their aspect bands: for every type, highest band
// first, one UTF-8 line per band with tab-separated columns: type number,
// type short name, aspect speed "N[km/h]", step-up speed (1023: none),
// aspect name, colour "#RRGGBB". The names' control characters are escaped
// (TerminalText), so the tabs are the columns' only.
std::string DescribeSignalTypes(const MapContent& map);

}  // namespace corvane
