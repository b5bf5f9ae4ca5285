#include "data/dia_header.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/ini_keys.h"
#include "map/map_settings_keys.h"

namespace corvane {

namespace {

using H = DiaHeader;

// The start time as three keys over one field of seconds; each part is
// kept within its range (hours below 100000).
template <int Unit, int Range>
constexpr IniKey<H> StartTimeKey(const char* name) {
  IniKey<H> key = ComputedKey<H>(
      name, [](const H& h) { return h.start_time / Unit % Range; },
      [](H& h, int value) {
        const int part = h.start_time / Unit % Range;
        h.start_time += (std::clamp(value, 0, Range - 1) - part) * Unit;
      });
  key.format = "%02d";
  return key;
}

constexpr IniKey<H> kStartTimeKeys[] = {
    StartTimeKey<3600, 100000>("hour"),
    StartTimeKey<60, 60>("minute"),
    StartTimeKey<1, 60>("second"),
};

constexpr IniKey<H> kDiaSettingKeys[] = {
    IntKey<H, &H::time_units, &TimeUnits::unit>("unit", "%02d"),
    IntKey<H, &H::time_units, &TimeUnits::standard>("standard", "%02d"),
    IntKey<H, &H::time_units, &TimeUnits::reverse>("reverse", "%02d"),
    IntKey<H, &H::base_target>("base_target", "%02d"),
    IntKey<H, &H::stop_time_velocity>("stop_time_velocity", "%02d"),
    TextKey<H, &H::dia_title>("DiaTitle"),
    TextKey<H, &H::dia_comment>("dia_comment"),
};

constexpr IniKey<H> kSignalVersion = kSignalVersionKey<H, &H::settings>;

constexpr IniKey<H> kMapIdentityKeys[] = {
    WrittenAlsoAs(kSignalVersion, "signal_version"),
    IntKey<H, &H::map_code>("map_code"),
    TextKey<H, &H::map_name>("map_name"),
    FlagKey<H, &H::map_pos_check>("MapPosCheck"),
    kSignalVersion,
};

constexpr IniKey<H> kAreaOrderKeys[] = {
    IntKey<H, &H::settings, &MapSettings::area_order>("AreaOrder"),
};
constexpr IniKey<H> kMaxSpeedKeys[] = {
    IntKey<H, &H::settings, &MapSettings::max_speed>("MaxSpeed"),
};

// "[表示設定]": the board's font size mode, then window 00's scales.
constexpr IniKey<H> kDisplayKeys[] = {
    IntKey<H, &H::font_size_mode>("font_size_mode"),
};
constexpr IniKey<ViewSettings> kBoardScaleKeys[] = {
    IntKey<ViewSettings, &ViewSettings::scale_x>("scale_x"),
    IntKey<ViewSettings, &ViewSettings::scale_y>("scale_y"),
};

constexpr IniKey<H> kPassengerKeys[] = {
    FlagKey<H, &H::passengers, &PassengerOptions::avoid>("SPAvoid"),
    FlagKey<H, &H::passengers, &PassengerOptions::graph>("SPGraph"),
    FlagKey<H, &H::passengers, &PassengerOptions::hour>("SPHour"),
    FlagKey<H, &H::passengers, &PassengerOptions::train>("SPTrain"),
};

struct HeaderSection {
  std::string name;  // Shift-JIS
  std::vector<std::span<const IniKey<H>>> keys;
};

// The sections of settings that are read back, in the order written; the
// display settings, the display windows and the passenger options follow.
const std::vector<HeaderSection>& SettingsSections() {
  static const std::vector<HeaderSection> sections = {
      {Utf8ToSjis("開始時刻"), {kStartTimeKeys}},
      {Utf8ToSjis("ダイヤ設定"), {kDiaSettingKeys}},
      {Utf8ToSjis("マップ"),
       {kMapIdentityKeys, kSettingsSwitchKeys<H, &H::settings>, kAreaOrderKeys,
        kSettingsDistanceKeys<H, &H::settings>, kMaxSpeedKeys,
        kSettingsSpeedKeys<H, &H::settings>}},
  };
  return sections;
}

// The board's current values; a file's are not read back.
const std::string& DisplaySection() {
  static const std::string name = Utf8ToSjis("表示設定");
  return name;
}

const std::string& PassengerSection() {
  static const std::string name = Utf8ToSjis("乗客数");
  return name;
}

void AppendSectionLine(std::string_view name, std::string& out) {
  out += '[';
  out += name;
  out += "]\n";
}

// RightDown is fixed by the map for the maps that came with the program.
void ApplyKnownMapDirection(DiaHeader& header) {
  switch (header.map_code) {
    case 0:
    case 101:
    case 102:
    case 103:
    case 104:
    case 201:
    case 301:
    case 401:
    case 501:
    case 502:
    case 601:
      header.settings.right_down = 0;
      break;
    case 1:
    case 701:
    case 702:
    case 801:
    case 1101:
      header.settings.right_down = 1;
      break;
    default:
      break;
  }
}

constexpr const char kOpenKey[] = "Open";

void FormatWindowSection(const DisplayWindowSection& window, bool english, std::string& out) {
  if (window.place.has_position) FormatIniKeys(WindowRectKeys(), window.place, out);
  FormatIniKeys(ViewKeysBeforeFont(), window.view, out);
  FormatIniKeys(FontRecordKeys(english), window.font, out);
  FormatIniKeys(ViewKeysAfterFont(), window.view, out);
}

// An open window's keys over the defaults. The place counts only when all
// four keys hold a value; else the window keeps the place it has.
DisplayWindowSection ReadWindowSection(const IniFile& ini, std::string_view section, bool english) {
  DisplayWindowSection window;
  window.open = true;
  const std::span<const IniKey<WindowRect>> place_keys = WindowRectKeys();
  window.place.has_position =
      std::all_of(place_keys.begin(), place_keys.end(), [&](const auto& key) {
        const auto value = ini.Find(section, key.name);
        return value && !value->empty();
      });
  if (window.place.has_position) ReadIniKeys(ini, section, place_keys, window.place);
  ReadIniKeys(ini, section, ViewKeysBeforeFont(), window.view);
  ReadIniKeys(ini, section, FontRecordKeys(english), window.font);
  // The language's default face is kept as none, as it was before saving.
  if (window.font.face_name.view() == FaceNameOrDefault(FontSettings{}, english)) {
    window.font.face_name = std::string_view();
  }
  ReadIniKeys(ini, section, ViewKeysAfterFont(), window.view);
  return window;
}

template <typename T>
void DescribeKeys(std::span<const IniKey<T>> keys, const T& s, std::string& out) {
  for (const IniKey<T>& key : keys) {
    if (key.write_only) continue;
    out += key.name;
    out += ": ";
    out += key.is_text ? SjisToUtf8(key.get_text(s)) : std::to_string(key.get(s));
    out += '\n';
  }
}

}  // namespace

MapSettings DiaDefaultSettings() {
  MapSettings s;
  s.signal_version = 0;
  s.use_atc = 1;
  s.safety_device = kSafetyAtc;
  s.use_ats = 0;
  s.right_down = 0;
  s.view_direc = 0;
  s.area_order = 0;
  s.route_warning_dist = 2000;
  s.route_check_dist = 400;
  s.break_spare_dist = 10;
  s.limit_spare_dist = 50;
  s.stop_spare_dist = 15;
  s.signal_find_dist = 600;
  s.max_speed = 120;
  s.re_accel_speed = 5;
  s.guidance_speed = 15;
  s.handle_atc = 360;
  return s;
}

DiaHeader::DiaHeader() : settings(DiaDefaultSettings()) {}

void FormatDiaHeaderSettings(const DiaHeader& header, const WindowSections& windows, bool english,
                             std::string& out) {
  for (const HeaderSection& section : SettingsSections()) {
    AppendSectionLine(section.name, out);
    for (const auto& keys : section.keys) FormatIniKeys(keys, header, out);
    out += '\n';
  }
  AppendSectionLine(DisplaySection(), out);
  FormatIniKeys(std::span<const IniKey<H>>(kDisplayKeys), header, out);
  FormatIniKeys(std::span<const IniKey<ViewSettings>>(kBoardScaleKeys), windows[0].view, out);
  out += '\n';
  for (int n = 0; n < kDisplayWindows; ++n) {
    const DisplayWindowSection& window = windows[static_cast<std::size_t>(n)];
    AppendSectionLine(DisplayWindowSectionName(n), out);
    if (n != 0 && !window.open) {
      out += kOpenKey;
      out += "=0\n";
      continue;
    }
    out += kOpenKey;
    out += "=1\n";
    FormatWindowSection(window, english, out);
    out += '\n';
  }
  AppendSectionLine(PassengerSection(), out);
  FormatIniKeys(std::span<const IniKey<H>>(kPassengerKeys), header, out);
  out += '\n';
}

void ReadDiaHeaderSettings(const IniFile& ini, bool english, DiaHeader& header,
                           WindowSections& windows) {
  for (const HeaderSection& section : SettingsSections()) {
    for (const auto& keys : section.keys) ReadIniKeys(ini, section.name, keys, header);
  }
  ReadIniKeys(ini, PassengerSection(), std::span<const IniKey<H>>(kPassengerKeys), header);
  header.settings.safety_device = header.settings.use_atc == 0 ? kSafetyAts : kSafetyAtc;
  ApplyKnownMapDirection(header);
  for (int n = 0; n < kDisplayWindows; ++n) {
    const std::string section = DisplayWindowSectionName(n);
    const bool open = n == 0 || ini.GetInt(section, kOpenKey, 0) != 0;
    windows[static_cast<std::size_t>(n)] =
        open ? ReadWindowSection(ini, section, english) : DisplayWindowSection{};
  }
}

std::string DescribeDiaHeader(const DiaHeader& header, const WindowSections& windows) {
  std::string out;
  out += "version: " + std::to_string(header.version) + "\n";
  out += "WdiaMode: " + std::to_string(header.wdia_mode) + "\n";
  for (const HeaderSection& section : SettingsSections()) {
    for (const auto& keys : section.keys) DescribeKeys(keys, header, out);
  }
  DescribeKeys(std::span<const IniKey<H>>(kDisplayKeys), header, out);
  DescribeKeys(std::span<const IniKey<ViewSettings>>(kBoardScaleKeys), windows[0].view, out);
  out += "safety device: ";
  out += header.settings.safety_device == kSafetyAtc ? "ATC\n" : "ATS\n";
  std::string open;
  for (int n = 0; n < kDisplayWindows; ++n) {
    if (windows[static_cast<std::size_t>(n)].open) {
      open += (open.empty() ? "" : " ") + std::to_string(n);
    }
  }
  out += "open display windows: " + open + "\n";
  DescribeKeys(std::span<const IniKey<H>>(kPassengerKeys), header, out);
  return out;
}

}  // namespace corvane
