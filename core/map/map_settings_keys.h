#pragma once
// The header keys of a map's signalling settings, shared by the map file
// and the dia data file: each file kind composes its own list from these
// groups (the two differ in a key or two and in the defaults, which are the
// values the containing header starts with).

#include "base/ini_keys.h"
#include "map/map_settings.h"

namespace corvane {

// "UseATC" to "ViewDirec".
template <typename H, auto Settings>
inline constexpr IniKey<H> kSettingsSwitchKeys[] = {
    IntKey<H, Settings, &MapSettings::use_atc>("UseATC"),
    IntKey<H, Settings, &MapSettings::use_ats>("UseATS"),
    IntKey<H, Settings, &MapSettings::use_interlocking>("UseInterlocking"),
    IntKey<H, Settings, &MapSettings::use_area>("UseArea"),
    IntKey<H, Settings, &MapSettings::use_electri>("UseElectri"),
    IntKey<H, Settings, &MapSettings::use_characteristic>("UseCharacteristic"),
    IntKey<H, Settings, &MapSettings::right_down>("RightDown"),
    IntKey<H, Settings, &MapSettings::view_direc>("ViewDirec"),
};

// "RouteWarningDist" to "SignalFindDist".
template <typename H, auto Settings>
inline constexpr IniKey<H> kSettingsDistanceKeys[] = {
    IntKey<H, Settings, &MapSettings::route_warning_dist>("RouteWarningDist"),
    IntKey<H, Settings, &MapSettings::route_check_dist>("RouteCheckDist"),
    IntKey<H, Settings, &MapSettings::break_spare_dist>("BreakSpareDist"),
    IntKey<H, Settings, &MapSettings::limit_spare_dist>("LimitSpareDist"),
    IntKey<H, Settings, &MapSettings::stop_spare_dist>("StopSpareDist"),
    IntKey<H, Settings, &MapSettings::signal_find_dist>("SignalFindDist"),
};

// "ReAccelSpeed" to "HandleATC".
template <typename H, auto Settings>
inline constexpr IniKey<H> kSettingsSpeedKeys[] = {
    IntKey<H, Settings, &MapSettings::re_accel_speed>("ReAccelSpeed"),
    IntKey<H, Settings, &MapSettings::guidance_speed>("GuidanceSpeed"),
    IntKey<H, Settings, &MapSettings::handle_atc>("HandleATC"),
};

// The signal version under its key, read from "signal_version" while it
// is missing or 0.
template <typename H, auto Settings>
inline constexpr IniKey<H> kSignalVersionKey = WithLegacyName(
    IntKey<H, Settings, &MapSettings::signal_version>("SignalVersion"), "signal_version");

}  // namespace corvane
