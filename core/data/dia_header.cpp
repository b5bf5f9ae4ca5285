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

constexpr IniKey<H> kDisplayKeys[] = {
    IntKey<H, &H::font_size_mode>("font_size_mode"),
    IntKey<H, &H::scale_x>("scale_x"),
    IntKey<H, &H::scale_y>("scale_y"),
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
  bool read_back = true;  // false: written from the program's values only
};

// The sections of settings, in the order written; the display windows come
// between the display settings and the passenger options.
const std::vector<HeaderSection>& SettingsSections() {
  static const std::vector<HeaderSection> sections = {
      {Utf8ToSjis("開始時刻"), {kStartTimeKeys}},
      {Utf8ToSjis("ダイヤ設定"), {kDiaSettingKeys}},
      {Utf8ToSjis("マップ"),
       {kMapIdentityKeys, kSettingsSwitchKeys<H, &H::settings>, kAreaOrderKeys,
        kSettingsDistanceKeys<H, &H::settings>, kMaxSpeedKeys,
        kSettingsSpeedKeys<H, &H::settings>}},
      // The board's current values; a file's are not read back.
      {Utf8ToSjis("表示設定"), {kDisplayKeys}, false},
  };
  return sections;
}

const std::string& PassengerSection() {
  static const std::string name = Utf8ToSjis("乗客数");
  return name;
}

std::string WindowSection(int n) {
  char name[32];
  std::snprintf(name, sizeof name, "DisplayWindow%02d", n);
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

// The lines of every "[DisplayWindowNN]" section other than "Open" and
// blank lines, as they stand in the text.
void ReadWindowSections(std::string_view text, DiaHeader& header) {
  for (DisplayWindowSection& window : header.windows) window.lines.clear();
  DisplayWindowSection* current = nullptr;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() == '[') {
      current = nullptr;
      for (int n = 0; n < kDisplayWindows; ++n) {
        if (EqualsIgnoringCase(line, "[" + WindowSection(n) + "]")) {
          current = &header.windows[static_cast<std::size_t>(n)];
        }
      }
      continue;
    }
    // A line starting with "#" would open a member of the bundle.
    if (current == nullptr || line.empty() || line.front() == '#') continue;
    const std::size_t eq = line.find('=');
    if (eq != std::string_view::npos && EqualsIgnoringCase(line.substr(0, eq), "Open")) continue;
    current->lines.emplace_back(line);
  }
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

DiaHeader::DiaHeader() : settings(DiaDefaultSettings()) { windows[0].open = true; }

void FormatDiaHeaderSettings(const DiaHeader& header, std::string& out) {
  for (const HeaderSection& section : SettingsSections()) {
    AppendSectionLine(section.name, out);
    for (const auto& keys : section.keys) FormatIniKeys(keys, header, out);
    out += '\n';
  }
  for (int n = 0; n < kDisplayWindows; ++n) {
    const DisplayWindowSection& window = header.windows[static_cast<std::size_t>(n)];
    AppendSectionLine(WindowSection(n), out);
    if (n != 0 && !window.open) {
      out += "Open=0\n";
      continue;
    }
    out += "Open=1\n";
    for (const std::string& line : window.lines) {
      out += line;
      out += '\n';
    }
    out += '\n';
  }
  AppendSectionLine(PassengerSection(), out);
  FormatIniKeys(std::span<const IniKey<H>>(kPassengerKeys), header, out);
  out += '\n';
}

void ReadDiaHeaderSettings(const IniFile& ini, std::string_view text, DiaHeader& header) {
  for (const HeaderSection& section : SettingsSections()) {
    if (!section.read_back) continue;
    for (const auto& keys : section.keys) ReadIniKeys(ini, section.name, keys, header);
  }
  ReadIniKeys(ini, PassengerSection(), std::span<const IniKey<H>>(kPassengerKeys), header);
  header.settings.safety_device = header.settings.use_atc == 0 ? kSafetyAts : kSafetyAtc;
  ApplyKnownMapDirection(header);
  for (int n = 0; n < kDisplayWindows; ++n) {
    header.windows[static_cast<std::size_t>(n)].open =
        n == 0 || ini.GetInt(WindowSection(n), "Open", 0) != 0;
  }
  ReadWindowSections(text, header);
}

std::string DescribeDiaHeader(const DiaHeader& header) {
  std::string out;
  out += "version: " + std::to_string(header.version) + "\n";
  out += "WdiaMode: " + std::to_string(header.wdia_mode) + "\n";
  for (const HeaderSection& section : SettingsSections()) {
    for (const auto& keys : section.keys) DescribeKeys(keys, header, out);
  }
  out += "safety device: ";
  out += header.settings.safety_device == kSafetyAtc ? "ATC\n" : "ATS\n";
  std::string open;
  for (int n = 0; n < kDisplayWindows; ++n) {
    if (header.windows[static_cast<std::size_t>(n)].open) {
      open += (open.empty() ? "" : " ") + std::to_string(n);
    }
  }
  out += "open display windows: " + open + "\n";
  DescribeKeys(std::span<const IniKey<H>>(kPassengerKeys), header, out);
  return out;
}

}  // namespace corvane
