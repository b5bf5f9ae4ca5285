#pragma once
// The signalling and safety settings of a map and its time units; the same
// blocks are stored in the map file and in the dia data header.

#include <optional>
#include <string_view>

namespace corvane {

enum SafetyDevice : int { kSafetyAtc = 0, kSafetyAts = 1, kSafetyDigitalAtc = 2 };

struct MapSettings {
  int signal_version = 1126;
  int safety_device = kSafetyAts;
  int use_atc = 0;
  int use_ats = 1;
  int use_interlocking = 0;
  int use_area = 0;
  int use_electri = 0;
  int use_characteristic = 0;
  int right_down = 1;
  int view_direc = 1;
  int area_order = 0;
  int route_warning_dist = 10;
  int route_check_dist = 2000;
  int break_spare_dist = 10;
  int limit_spare_dist = 50;
  int stop_spare_dist = 15;
  int signal_find_dist = 600;
  int max_speed = 120;
  int re_accel_speed = 5;
  int guidance_speed = 15;
  int handle_atc = 280;

  friend bool operator==(const MapSettings&, const MapSettings&) = default;
};

struct TimeUnits {
  int unit = 15;
  int standard = 45;
  int reverse = 120;

  friend bool operator==(const TimeUnits&, const TimeUnits&) = default;
};

// Signal versions the signal settings dialog offers.
inline constexpr int kSignalVersions[] = {1042, 1110, 1114, 1121, 1122, 1126};

// Speeds index the 1024 aspect entries of a signal type: a speed typed
// freely or read from a file is kept inside them.
int SpeedIndex(int speed);

// Times on the unit grid: `t` rounded down (up) to a multiple of `unit`
// (integer division truncating toward zero; `unit` positive).
int RoundDownToUnit(int t, int unit);
int RoundUpToUnit(int t, int unit);
inline constexpr int kLongestUnitTime = 100800;

// A decimal as typed ("2.555", "3", ".5", "-1.2") times 100, truncated
// toward zero, read exactly from its digits; nothing for a text that is no
// decimal or does not fit.
std::optional<int> ParseHundredths(std::string_view text);

}  // namespace corvane
