#pragma once
// The records of the map under edit: plain structs of numbers and fixed
// Shift-JIS texts on an integer grid, kept in 1-based tables, and the header
// the map file stores beside them.

#include <array>
#include <cstdint>
#include <string>

#include "base/fixed_text.h"
#include "map/map_settings.h"
#include "map/signal_types.h"

namespace corvane {

constexpr int kCellWidth = 10;    // pixels per grid column
constexpr int kCellHeight = 12;   // pixels per grid row
constexpr int kMaxBranches = 20;  // branch slots of a point
constexpr int kMapVersion = 1220;
constexpr int kNoMapCode = 99999;

constexpr int kRailCapacity = 8191;
constexpr int kPointCapacity = 1023;
constexpr int kStationCapacity = 255;
constexpr int kTargetCapacity = 255;
constexpr int kStationDrawCapacity = 1023;
constexpr int kJumpCapacity = 1023;
constexpr int kNameEntryCapacity = 255;
constexpr int kSignalTypeCapacity = 255;

struct GridPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const GridPoint&, const GridPoint&) = default;
};

// The grid the program works on: every column and row of an object lies in
// -kGridLimit..kGridLimit, and a row offset within a box (y1 + dy) in
// -kRowOffsetLimit..kRowOffsetLimit. Pixels (× 10, × 12), board units and
// the sums the checks and the compiler form of them all fit an int.
constexpr int kGridLimit = 1'000'000;
constexpr int kRowOffsetLimit = 2 * kGridLimit;
// The longest time in seconds a map or dia data file holds (ten days), for
// stop times, running times and times of day: sums of many stay in an int.
constexpr int kMostSeconds = 864'000;

// The grid point nearest to a pixel measured from the scrolled origin.
GridPoint SnapToGrid(int px, int py);

// Values the editor computes in 64 bits, brought back into an int, or into
// the grid the editor places and moves objects on: one column and row
// inside kGridLimit, so that the boxes around grid points stay within it.
int ClampToInt(std::int64_t value);
int ClampToGrid(std::int64_t value);

enum RailDirection : int { kBothWays = 1, kLeftwardOnly = 2, kRightwardOnly = 3 };

constexpr bool AllowsLeftward(int direction) {
  return direction == kBothWays || direction == kLeftwardOnly;
}
constexpr bool AllowsRightward(int direction) {
  return direction == kBothWays || direction == kRightwardOnly;
}

enum PointKind : int {
  kTurnoutJointLeft = 1,
  kTurnoutJointRight = 2,
  kCrossingFirst = 3,
  kCrossingLast = 8,
};

constexpr int kDefaultElectric = 3;  // "直流 1500[V]"
constexpr int kDefaultSignal = 1;

// One straight track segment between two grid points.
struct MapRail {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // y1/y2: used rows -1/+1
  int direction = kBothWays;
  int piece = 0;  // track piece made by the compiler
  int left_dy = 0, right_dy = 0;
  std::array<int, kMaxBranches> stored_a{}, stored_b{};  // kept as loaded
  int station = 0, target = 0, yard_station = 0, yard_target = 0;
  int electric = kDefaultElectric;
  int signal_left = kDefaultSignal, signal_right = kDefaultSignal;
  int speed_limit = 0;
  int length = 0;
  int stop_left = 0, stop_right = 0;
  int gradient = 0;
  int radius = 0;
  int single_track = 0;
  int stored_63 = 0, stored_64 = 0;  // kept as loaded
  int block_auto = 0;
  int block_name = 0, yard_name = 0, station_name = 0, target_name = 0;
  ShortText short_left;
  LongText name_left;
  ShortText short_right;
  LongText name_right;

  int LeftRow() const { return y1 + left_dy; }
  int RightRow() const { return y1 + right_dy; }
  friend bool operator==(const MapRail&, const MapRail&) = default;
};

// A new segment between two grid points in either order, with the box, row
// offsets and length of a freshly drawn segment.
MapRail NewRail(GridPoint a, GridPoint b, int direction);

// Moves a segment's ends to two grid points in either order, keeping its box
// one row larger than the rows it uses; every other field stays.
void SetRailEnds(MapRail& rail, GridPoint a, GridPoint b);

// A turnout (kinds 1, 2) with up to 19 branches or a crossing (kinds 3..8).
// Branch j (1-based) lives in slot j of the branch arrays; slot 0 is unused.
struct MapPoint {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int kind = kTurnoutJointLeft;
  int branch_count = 0;
  std::array<int, kMaxBranches> branch_piece{};
  std::array<int, kMaxBranches> branch_left_dy{};
  std::array<int, kMaxBranches> branch_right_dy{};
  std::array<int, kMaxBranches> branch_stored_a{}, branch_stored_b{};  // kept as loaded
  std::array<int, kMaxBranches> branch_speed{};
  int yard_station = 0, yard_target = 0;
  int stored_15 = 2, stored_16 = 0;  // kept as loaded
  int electric = kDefaultElectric;
  int signal_left = kDefaultSignal, signal_right = kDefaultSignal;
  int speed_limit = 0;
  int length = 100;
  int yard_name = 0;
  ShortText short_left;
  LongText name_left;
  ShortText short_right;
  LongText name_right;
  ShortText point_key;

  bool IsCrossing() const { return kind >= kCrossingFirst && kind <= kCrossingLast; }
  friend bool operator==(const MapPoint&, const MapPoint&) = default;
};

// Whether branch `branch` (1-based) of a point exists: turnouts have all their
// branches, a crossing only the slots its kind lists.
bool BranchExists(const MapPoint& point, int branch);

// Number of branch slots of a point that hold a branch.
int UsedBranchSlots(const MapPoint& point);

struct MapStation {
  int stored_0 = 0;
  std::array<int, 20> stored{};  // kept as loaded
  int stop_time = 0;             // 0: the map's standard; v: v - 1 seconds
  int turn_time = 0;             // same encoding
  int previous_station = 0;      // station met just before on the start-point walk
  std::array<int, 10> start_marks{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  ShortText one_char_name;
  ShortText short_name;
  LongText name;
  friend bool operator==(const MapStation&, const MapStation&) = default;
};

struct MapTarget {
  int stored_0 = 0;
  std::array<int, 20> stored{};
  int stop_time = 0;
  int turn_time = 0;
  std::array<int, 10> start_marks{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  ShortText one_char_name;
  ShortText short_name;
  LongText name;
  friend bool operator==(const MapTarget&, const MapTarget&) = default;
};

struct MapStationDraw {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int station = 0;
  friend bool operator==(const MapStationDraw&, const MapStationDraw&) = default;
};

using JumpName = FixedText<24>;

struct MapJump {
  int ax = 0, ay = 0;  // end A
  int bx = 0, by = 0;  // end B
  JumpName name;

  GridPoint a() const { return {ax, ay}; }
  GridPoint b() const { return {bx, by}; }
  friend bool operator==(const MapJump&, const MapJump&) = default;
};

struct MapNameEntry {
  ShortText short_left;
  LongText name_left;
  ShortText short_right;
  LongText name_right;
  friend bool operator==(const MapNameEntry&, const MapNameEntry&) = default;
};

// A sub-section of one segment (rail) or of one point's branches (point).
struct MapDetail {
  int rail = 0, point = 0;
  int start = 0, end = 0;  // metres from the object's left end
  int speed = 0;
  int gradient = 0;
  int radius = 0;
  friend bool operator==(const MapDetail&, const MapDetail&) = default;
};

struct StartPoint {
  int start_rail = 0;
  int start_station = 0;
  int start_target = 0;
  friend bool operator==(const StartPoint&, const StartPoint&) = default;
};

// What the map file's header holds besides the table names, and what the
// last start-point walk found.
struct MapHeader {
  int map_code = kNoMapCode;
  LongText map_name;
  MapSettings settings;
  TimeUnits time_units;
  StartPoint start;
  int version = kMapVersion;  // version of the file the map was read from
  // First station and stop section met by the last start-point walk (not
  // saved).
  int first_station = 0;
  int first_target = 0;
  friend bool operator==(const MapHeader&, const MapHeader&) = default;
};

enum class NameTable { kBlock, kYard, kStation, kTarget };

// Every table of the map. The order is the one of MapTables().
enum class MapTable : int {
  kRail,
  kPoint,
  kStation,
  kTarget,
  kStationDraw,
  kJump,
  kBlockName,
  kYardName,
  kStationName,
  kTargetName,
  kDetail,
  kSignalType,
  kImage,   // signal images, one per aspect band read
  kColour,  // aspect colours, one per aspect band read
};
inline constexpr int kMapTableCount = 14;

constexpr MapTable NameTableOf(NameTable names) {
  return static_cast<MapTable>(static_cast<int>(MapTable::kBlockName) + static_cast<int>(names));
}

// A refused operation: the message and the caption of its message box (UTF-8).
struct Refusal {
  std::string text;
  std::string caption;
};

// The refusal shown when `table` is full.
Refusal FullTableRefusal(MapTable table);

// Name of jump `number` (1-based) when the map has `count` jumps.
std::string JumpNameFor(int number, int count);

}  // namespace corvane
