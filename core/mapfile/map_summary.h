#pragma once
// A readable account of a map: its header and the size of every table.

#include <string>

#include "editor/map_tables.h"

namespace corvane {

// UTF-8 lines "key: value", one per header value and one per table.
std::string DescribeMap(const MapContent& map);

}  // namespace corvane
