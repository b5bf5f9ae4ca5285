#pragma once
// The names the editor shows for tool values: electrification kinds and the
// entries of a signal type list.

#include <string>
#include <string_view>
#include <vector>

#include "map/edit_map.h"

namespace corvane {

// Electrification kinds, numbered as the `electric` fields store them.
inline constexpr int kElectricKindCount = 6;

// The name of electrification kind `kind` (0 to 5); empty for any other.
std::string_view ElectricKindName(int kind, bool english);

// The entry of a signal type list for `type`: the "next section" entry for 0,
// else the name of signal type `type` (UTF-8); empty for a type the map does
// not have.
std::string SignalTypeListName(const Table<MapSignalType>& types, int type, bool english);
std::string SignalTypeListName(const EditMap& map, int type, bool english);
// The entries of a signal type list: the "next section" entry, then every
// type's name.
std::vector<std::string> SignalList(const Table<MapSignalType>& types, bool english);

}  // namespace corvane
