#include "editor/value_names.h"

#include <array>

namespace corvane {

namespace {

struct KindName {
  std::string_view japanese;
  std::string_view english;
};

constexpr std::array<KindName, kElectricKindCount> kElectricKinds = {{
    {"非電化", "Non-electrified"},
    {"直流  600[V]", "DC  600[V]"},
    {"直流  750[V]", "DC  750[V]"},
    {"直流 1500[V]", "DC 1500[V]"},
    {"交流20000[V]", "AC20000[V]"},
    {"交流25000[V]", "AC25000[V]"},
}};

// Signal type 0: no signal of its own, the next section's aspect applies.
constexpr KindName kNextSectionSignal = {"（次区画参照）", "(Next Section)"};

}  // namespace

std::string_view ElectricKindName(int kind, bool english) {
  if (kind < 0 || kind >= kElectricKindCount) return {};
  const KindName& name = kElectricKinds[static_cast<std::size_t>(kind)];
  return english ? name.english : name.japanese;
}

std::string SignalTypeListName(const Table<MapSignalType>& types, int type, bool english) {
  if (type == 0) {
    return std::string(english ? kNextSectionSignal.english : kNextSectionSignal.japanese);
  }
  if (!types.Contains(type)) return {};
  return types[type].name.Utf8();
}

std::string SignalTypeListName(const EditMap& map, int type, bool english) {
  return SignalTypeListName(map.signal_types(), type, english);
}

std::vector<std::string> SignalList(const Table<MapSignalType>& types, bool english) {
  std::vector<std::string> items;
  for (int type = 0; type <= types.count(); ++type) {
    items.push_back(SignalTypeListName(types, type, english));
  }
  return items;
}

}  // namespace corvane
