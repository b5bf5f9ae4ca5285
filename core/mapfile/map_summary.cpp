#include "mapfile/map_summary.h"

#include <cstdio>

#include "base/dialog_model.h"
#include "base/text_format.h"
#include "map/signal_bands.h"
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

std::string DescribeSignalTypes(const MapContent& map) {
  SignalTables tables;
  tables.types = map.signal_types;
  tables.images = map.images;
  tables.colours = map.colours;
  std::string text;
  for (int type = 1; type <= tables.types.count(); ++type) {
    const MapSignalType& signal = tables.types[type];
    const std::vector<AspectBand> bands = AspectBands(signal);
    for (auto band = bands.rbegin(); band != bands.rend(); ++band) {
      // The names are data: their control characters (tabs too) escaped.
      const std::string name = TerminalText(
          tables.images.Contains(band->image) ? tables.images[band->image].name.Utf8() : "");
      const AspectColour colour =
          tables.colours.Contains(band->colour) ? tables.colours[band->colour] : AspectColour{};
      text += std::to_string(type) + "\t" + TerminalText(signal.name.Utf8()) + "\t" +
              std::to_string(band->low) + "[km/h]\t" + std::to_string(band->step_up) + "\t" + name +
              "\t" + ColourText({colour.red, colour.green, colour.blue}) + "\n";
    }
  }
  return text;
}

}  // namespace corvane
