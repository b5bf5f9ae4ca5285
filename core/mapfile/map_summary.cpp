#include "mapfile/map_summary.h"

#include <cstdio>

#include "mapfile/map_file.h"

namespace corvane {

std::string DescribeMap(const MapContent& map) {
  std::string out = DescribeMapHeader(map.header);
  out += "tables:\n";
  for (const MapTableInfo& info : MapTables()) {
    if (info.member == nullptr) continue;
    const char* name = info.listing != nullptr ? info.listing : info.member;
    const int count = WithMapTable(
        map, info.table, [](const auto& records, const auto*) { return records.count(); });
    char line[96];
    if (info.capacity == kUnboundedTable) {
      std::snprintf(line, sizeof line, "  %-20s %5d\n", name, count);
    } else {
      std::snprintf(line, sizeof line, "  %-20s %5d / %d\n", name, count, info.capacity);
    }
    out += line;
  }
  return out;
}

}  // namespace corvane
