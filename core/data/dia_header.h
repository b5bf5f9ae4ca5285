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
#include "data/view_settings.h"
#include "map/map_settings.h"

namespace corvane {

struct PassengerOptions {
  bool graph = true;   // detailed passenger numbers between stations (SPGraph)
  bool hour = false;   // simple simulation: passengers per hour (SPHour)
  bool train = false;  // simple simulation: passengers per train (SPTrain)
  bool avoid = false;  // skip the passenger simulation altogether (SPAvoid)
  friend bool operator==(const PassengerOptions&, const PassengerOptions&) = default;
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
  // The board's font size mode: written, never read back. The section
  // that holds it, "[表示設定]", gives window 00's scales beside it.
  int font_size_mode = 0;
  PassengerOptions passengers;
  friend bool operator==(const DiaHeader&, const DiaHeader&) = default;
};

// Appends every section from "[開始時刻]" to "[乗客数]" (the version and
// file list before them and "[StructSize]" after them belong to the file),
// with a "[DisplayWindow%02d]" section per display window: "Open=0" alone
// for a closed one; for an open one "Open=1", its place (when it has one),
// view options and font (the face name under the key of the interface
// language, `english`), and a blank line.
void FormatDiaHeaderSettings(const DiaHeader& header, const WindowSections& windows, bool english,
                             std::string& out);

// Reads those sections over `header`'s values; the safety device follows
// "UseATC" and "RightDown" follows the known map codes. Window 00 and every
// window whose "Open" is not 0 are open and read their keys over the
// defaults (unknown keys are left behind); the others are closed, with the
// defaults.
void ReadDiaHeaderSettings(const IniFile& ini, bool english, DiaHeader& header,
                           WindowSections& windows);

// "key: value" lines of the header's settings for listings (UTF-8).
std::string DescribeDiaHeader(const DiaHeader& header, const WindowSections& windows);

}  // namespace corvane
