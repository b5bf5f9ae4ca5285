#pragma once
// The header member of a dia data file ("temp.kvd"): version, start time,
// dia settings, the map's settings, display settings and windows, passenger
// options and the table sizes, with its keys described once for writing and
// reading.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/fixed_text.h"
#include "base/ini_file.h"
#include "map/map_settings.h"

namespace corvane {

struct PassengerOptions {
  bool graph = true;   // detailed passenger numbers between stations (SPGraph)
  bool hour = false;   // simple simulation: passengers per hour (SPHour)
  bool train = false;  // simple simulation: passengers per train (SPTrain)
  bool avoid = false;  // skip the passenger simulation altogether (SPAvoid)
  friend bool operator==(const PassengerOptions&, const PassengerOptions&) = default;
};

// The board's display windows, numbered 00 to 15; window 00 exists while
// the program runs. The dia header keeps a section for each, the settings
// file an open flag for 01 to 15.
inline constexpr int kDisplayWindows = 16;

// A display window's section, kept as read until the windows exist: its
// lines other than "Open".
struct DisplayWindowSection {
  bool open = false;
  std::vector<std::string> lines;
  friend bool operator==(const DisplayWindowSection&, const DisplayWindowSection&) = default;
};

// The map settings a dia header implies for keys it lacks.
MapSettings DiaDefaultSettings();

struct DiaHeader {
  DiaHeader();

  int version = 0;  // as read; written as the current version
  int wdia_mode = 0;
  int start_time = 6 * 3600;  // seconds since midnight
  TimeUnits time_units;
  int base_target = 0;
  int stop_time_velocity = 0;
  LongText dia_title;
  LongText dia_comment;
  int map_code = 1;
  LongText map_name;
  bool map_pos_check = true;
  MapSettings settings;
  // The board's font size mode and scales (4096 = 1.0): written, never read
  // back (the board's own values once it exists).
  int font_size_mode = 0;
  int scale_x = 4096;
  int scale_y = 4096;
  std::array<DisplayWindowSection, kDisplayWindows> windows;
  PassengerOptions passengers;
  friend bool operator==(const DiaHeader&, const DiaHeader&) = default;
};

// Appends every section from "[開始時刻]" to "[乗客数]" (the version and
// file list before them and "[StructSize]" after them belong to the file).
void FormatDiaHeaderSettings(const DiaHeader& header, std::string& out);

// Reads those sections over `header`'s values; the safety device follows
// "UseATC" and "RightDown" follows the known map codes.
void ReadDiaHeaderSettings(const IniFile& ini, std::string_view text, DiaHeader& header);

// "key: value" lines of the header's settings for listings (UTF-8).
std::string DescribeDiaHeader(const DiaHeader& header);

}  // namespace corvane
