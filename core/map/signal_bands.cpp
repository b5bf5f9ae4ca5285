#include "map/signal_bands.h"

#include <algorithm>
#include <cstdio>

#include "base/encoding.h"

namespace corvane {

namespace {

constexpr const char kTablesFull[] = "これ以上増やせません。\n";
constexpr const char kBandTooNarrow[] =
    "この現示の速度の幅は1[km/h]しかないため、現示を追加出来ません。\n"
    "先に現示速度を変更して下さい。\n";

// The speed just above the last band: the end of the entries.
constexpr int kEndOfSpeeds = kAspectSpeeds;

// Where band `k` ends: the next band's low speed, or the end of the entries.
int NextLow(const std::vector<AspectBand>& bands, int k) {
  return k + 1 < static_cast<int>(bands.size()) ? bands[static_cast<std::size_t>(k) + 1].low
                                                : kEndOfSpeeds;
}

// A step-up to the end of the entries is no step-up.
int StepUpTo(int speed) { return speed >= kEndOfSpeeds ? kNoStepUp : speed; }

}  // namespace

int BandIndex(const std::vector<AspectBand>& bands, int low) {
  for (std::size_t k = 0; k < bands.size(); ++k) {
    if (bands[k].low == low) return static_cast<int>(k);
  }
  return -1;
}

std::string SpeedText(int speed) { return std::to_string(speed) + "[km/h]"; }

std::vector<AspectBand> AspectBands(const MapSignalType& type) {
  std::vector<AspectBand> bands;
  for (int v = 0; v < kAspectSpeeds; ++v) {
    const SignalAspectEntry& entry = type.aspects[static_cast<std::size_t>(v)];
    if (v > 0 && entry.band_low == type.aspects[static_cast<std::size_t>(v) - 1].band_low) {
      continue;
    }
    bands.push_back({v, entry.aspect_speed, entry.image, entry.colour});
  }
  return bands;
}

void WriteAspectBands(MapSignalType& type, const std::vector<AspectBand>& bands) {
  for (int k = 0; k < static_cast<int>(bands.size()); ++k) {
    const AspectBand& band = bands[static_cast<std::size_t>(k)];
    for (int v = band.low; v < NextLow(bands, k); ++v) {
      type.aspects[static_cast<std::size_t>(v)] = {band.low, band.step_up, band.image, band.colour};
    }
  }
}

int BandLowAt(const MapSignalType& type, int speed) {
  const int index = SpeedIndex(speed);
  int low = 0;
  for (const AspectBand& band : AspectBands(type)) {
    if (band.low <= index) low = band.low;
  }
  return low;
}

std::vector<int> AspectSpeedChoices(const MapSignalType& type, int low, int max_speed) {
  const std::vector<AspectBand> bands = AspectBands(type);
  const int k = BandIndex(bands, low);
  if (k <= 0) return {};
  const int top = std::min(NextLow(bands, k), SpeedIndex(max_speed) + 1);
  std::vector<int> speeds;
  for (int speed = bands[static_cast<std::size_t>(k) - 1].low + 1; speed < top; ++speed) {
    speeds.push_back(speed);
  }
  return speeds;
}

std::vector<int> StepUpChoices(const MapSignalType& type, int low, int max_speed) {
  const int top = BandLowAt(type, max_speed);
  if (low >= top) return {};
  std::vector<int> speeds = {top};
  const std::vector<AspectBand> bands = AspectBands(type);
  for (auto band = bands.rbegin(); band != bands.rend(); ++band) {
    if (band->low < top && band->low > low) speeds.push_back(band->low);
  }
  return speeds;
}

bool CanAddAspect(const MapSignalType& type, int max_speed) {
  return BandLowAt(type, max_speed) < SpeedIndex(max_speed);
}

void ChangeAspectSpeed(MapSignalType& type, int low, int speed) {
  std::vector<AspectBand> bands = AspectBands(type);
  const int k = BandIndex(bands, low);
  if (k <= 0 || speed <= bands[static_cast<std::size_t>(k) - 1].low || speed >= NextLow(bands, k)) {
    return;
  }
  // What stepped up to the band keeps stepping up to it.
  for (AspectBand& band : bands) {
    if (band.step_up == low) band.step_up = speed;
  }
  AspectBand& moved = bands[static_cast<std::size_t>(k)];
  moved.low = speed;
  moved.step_up = StepUpTo(NextLow(bands, k));
  bands[static_cast<std::size_t>(k) - 1].step_up = speed;
  WriteAspectBands(type, bands);
}

void ChangeStepUp(MapSignalType& type, int low, int step_up) {
  std::vector<AspectBand> bands = AspectBands(type);
  const int k = BandIndex(bands, low);
  if (k < 0) return;
  bands[static_cast<std::size_t>(k)].step_up = step_up;
  WriteAspectBands(type, bands);
}

AddedAspect AddAspect(SignalTables& tables, int type, int low) {
  if (!tables.types.Contains(type)) return {};
  if (tables.images.count() >= kMostAspectRecords || tables.colours.count() >= kMostAspectRecords) {
    return {0, kTablesFull};
  }
  MapSignalType& signal = tables.types[type];
  std::vector<AspectBand> bands = AspectBands(signal);
  const int k = BandIndex(bands, low);
  if (k < 0) return {};
  const int next = NextLow(bands, k);
  if (next - low < 2) return {0, kBandTooNarrow};
  AspectBand& band = bands[static_cast<std::size_t>(k)];
  const SignalImageRecord image =
      tables.images.Contains(band.image) ? tables.images[band.image] : SignalImageRecord{};
  const AspectColour colour =
      tables.colours.Contains(band.colour) ? tables.colours[band.colour] : AspectColour{};
  AspectBand added;
  added.low = low + 1;
  added.step_up = StepUpTo(next);
  added.image = tables.images.Append(image);
  added.colour = tables.colours.Append(colour);
  band.step_up = low + 1;
  bands.insert(bands.begin() + k + 1, added);
  WriteAspectBands(signal, bands);
  return {low + 1, nullptr};
}

void DeleteAspect(MapSignalType& type, int low) {
  std::vector<AspectBand> bands = AspectBands(type);
  const int k = BandIndex(bands, low);
  if (k <= 0) return;
  const int above = StepUpTo(NextLow(bands, k));
  bands.erase(bands.begin() + k);
  for (AspectBand& band : bands) {
    if (band.step_up == low) band.step_up = above;
  }
  WriteAspectBands(type, bands);
}

std::string DecelerationLine(const MapSignalType& type, int low, const MapSettings& settings) {
  const std::vector<AspectBand> bands = AspectBands(type);
  const int k = BandIndex(bands, low);
  if (k < 0 || settings.handle_atc <= 0) return {};
  const double a = low;
  const double u = bands[static_cast<std::size_t>(k)].step_up;
  if (bands[static_cast<std::size_t>(k)].step_up == kNoStepUp) return {};
  // Braking from u to a at the signal deceleration, two seconds at u, and
  // the signal margin in front of a stop aspect.
  double distance = (u * u - a * a) / (settings.handle_atc * 0.02) * (1 / 3.6) + u * (1 / 1.8);
  if (low == 0) distance += settings.break_spare_dist;
  char line[64];
  std::snprintf(line, sizeof line, "減速距離：%4.0lf[m]", distance + 1);
  return line;
}

std::string AspectLine(const SignalTables& tables, const AspectBand& band) {
  const std::string name =
      tables.images.Contains(band.image) ? tables.images[band.image].name.Utf8() : std::string();
  return name + " " + SpeedText(band.low);
}

SignalTables SignalTablesOf(const EditMap& map) {
  SignalTables tables;
  tables.types = map.signal_types();
  tables.images = map.images();
  tables.colours = map.colours();
  return tables;
}

void StoreSignalTables(MapChange& change, const SignalTables& tables) {
  StoreSignalTableCopy(change.signal_types(), tables.types);
  StoreSignalTableCopy(change.images(), tables.images);
  StoreSignalTableCopy(change.colours(), tables.colours);
}

// ------------------------------------------------------------ the dialog

}  // namespace corvane
