#include "data/dia_data.h"

namespace corvane {

namespace {

constexpr const char* kStationClassKeys[] = {
    "主要駅・車掌乗務・定時", "主要駅・ワンマン・定時", "主要駅・車掌乗務・遅延",
    "主要駅・ワンマン・遅延", "有人駅・車掌乗務・定時", "有人駅・ワンマン・定時",
    "有人駅・車掌乗務・遅延", "有人駅・ワンマン・遅延", "無人駅・車掌乗務・定時",
    "無人駅・ワンマン・定時", "無人駅・車掌乗務・遅延", "無人駅・ワンマン・遅延",
};

std::vector<const char*> StationClassKeys() {
  return {std::begin(kStationClassKeys), std::end(kStationClassKeys)};
}

}  // namespace

const std::vector<CrewMessageSection>& CrewMessageSections() {
  static const std::vector<CrewMessageSection> sections = {
      {"走行中・到着", StationClassKeys()},
      {"走行中・発車", StationClassKeys()},
      {"走行中・駅間", {"車掌乗務・定時", "ワンマン・定時", "車掌乗務・遅延", "ワンマン・遅延"}},
      {"走行中・状態", {"ＡＴＣ"}},
      {"停車中・到着", StationClassKeys()},
      {"停車中・一時指令", {"当駅発車", "延発", "早発"}},
      {"停車中・発車", {"余裕", "間際"}},
      {"停車中・状態", {"発車音", "ドア閉", "信号待", "進路待", "抑止中", "通知待"}},
  };
  return sections;
}

DiaData::DiaData(const DiaCounts& counts)
    : trains(counts.trains),
      units(counts.units),
      diagrams(counts.diagrams),
      levers(counts.levers),
      buttons(counts.buttons),
      accidents{
          Table<AccidentRecord>(counts.accidents[0]), Table<AccidentRecord>(counts.accidents[1]),
          Table<AccidentRecord>(counts.accidents[2]), Table<AccidentRecord>(counts.accidents[3]),
          Table<AccidentRecord>(counts.accidents[4])} {}

DiaCounts DiaData::Counts() const {
  DiaCounts counts;
  counts.trains = trains.count();
  counts.units = units.count();
  counts.diagrams = 0;
  for (int i = diagrams.count(); i >= 1 && counts.diagrams == 0; --i) {
    if (diagrams[i].Saved()) counts.diagrams = i;
  }
  counts.levers = levers.count();
  counts.buttons = buttons.count();
  for (int k = 0; k < kAccidentKinds; ++k) {
    counts.accidents[static_cast<std::size_t>(k)] = accidents[static_cast<std::size_t>(k)].count();
  }
  return counts;
}

}  // namespace corvane
