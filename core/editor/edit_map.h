#pragma once
// The railway map while it is being drawn: fixed-capacity 1-based tables of
// plain records on an integer grid, with the operations every editing tool
// and the map file build on.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/fixed_text.h"
#include "base/table.h"
#include "editor/map_settings.h"
#include "editor/signal_types.h"

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

// The grid point nearest to a pixel measured from the scrolled origin.
GridPoint SnapToGrid(int px, int py);

// Coordinates, offsets and lengths may come from foreign files, so anything
// that adds or multiplies them is done in 64 bits and brought back into an
// int with this.
int ClampToInt(std::int64_t value);

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
  int selected = 0;            // not saved
  int work_1 = 0, work_2 = 0;  // not saved
  ShortText short_left;
  LongText name_left;
  ShortText short_right;
  LongText name_right;

  int LeftRow() const { return y1 + left_dy; }
  int RightRow() const { return y1 + right_dy; }
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
  int work_22 = 0, work_23 = 0;  // not saved
  int yard_name = 0;
  int distance_mark = 0;         // start-point walk; not saved
  int selected = 0;              // not saved
  int work_27 = 0, work_28 = 0;  // not saved
  ShortText short_left;
  LongText name_left;
  ShortText short_right;
  LongText name_right;
  ShortText point_key;

  bool IsCrossing() const { return kind >= kCrossingFirst && kind <= kCrossingLast; }
};

// Whether branch `branch` (1-based) of a point exists: turnouts have all their
// branches, a crossing only the slots its kind lists.
bool BranchExists(const MapPoint& point, int branch);

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
};

struct MapStationDraw {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int station = 0;
  int selected = 0, work_1 = 0, work_2 = 0;  // not saved
};

using JumpName = FixedText<24>;

struct MapJump {
  int ax = 0, ay = 0;  // end A
  int bx = 0, by = 0;  // end B
  JumpName name;
  int selected_a = 0, selected_b = 0;  // not saved
  int work_1 = 0, work_2 = 0;          // not saved

  GridPoint a() const { return {ax, ay}; }
  GridPoint b() const { return {bx, by}; }
};

struct MapNameEntry {
  ShortText short_left;
  LongText name_left;
  ShortText short_right;
  LongText name_right;
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
};

enum class NameTable { kBlock, kYard, kStation, kTarget };

// Every table of the map that can refuse an addition.
enum class MapTable {
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
};

// A refused operation: the message and the caption of its message box (UTF-8).
struct Refusal {
  std::string text;
  std::string caption;
};

// The refusal shown when `table` is full.
Refusal FullTableRefusal(MapTable table);

// End of a jump found under a pixel.
struct JumpEnd {
  int jump = 0;  // 0: none
  bool end_a = true;
};

struct MapExtent {
  int max_x = 0;
  int max_y = 0;
};

class EditMap {
 public:
  EditMap();

  // Header.
  int map_code = kNoMapCode;
  LongText map_name;
  MapSettings settings;
  TimeUnits time_units;
  StartPoint start;
  int version = kMapVersion;  // version of the file the map was read from
  bool modified = false;

  // First station and stop section met by the last start-point walk.
  int first_station = 0;
  int first_target = 0;

  Table<MapRail> rails{kRailCapacity};
  Table<MapPoint> points{kPointCapacity};
  Table<MapStation> stations{kStationCapacity};
  Table<MapTarget> targets{kTargetCapacity};
  Table<MapStationDraw> station_draws{kStationDrawCapacity};
  Table<MapJump> jumps{kJumpCapacity};
  Table<MapNameEntry> block_names{kNameEntryCapacity};
  Table<MapNameEntry> yard_names{kNameEntryCapacity};
  Table<MapNameEntry> station_names{kNameEntryCapacity};
  Table<MapNameEntry> target_names{kNameEntryCapacity};
  std::vector<MapDetail> details;  // entry k (1-based) is details[k - 1]

  // Signal types with their aspect tables; images[0] is a null record and
  // colours[0] is white.
  Table<MapSignalType> signal_types{kSignalTypeCapacity};
  std::vector<SignalImageRecord> images;
  std::vector<AspectColour> colours;

  Table<MapNameEntry>& Names(NameTable table);
  const Table<MapNameEntry>& Names(NameTable table) const;

  // The new map state: empty tables but for the default naming entries,
  // default settings, no start point, version 1220, not modified. Signal
  // types are emptied; the map file loads the defaults.
  void Reset();
  // Empties the signal types, images and colours (colour 0 stays white).
  void ClearSignalTypes();

  // Appending: the new record's number, or 0 with `refusal` filled when the
  // table is full. Adding or removing a jump renames all jumps.
  int AddRail(const MapRail& rail, Refusal* refusal = nullptr);
  int AddPoint(const MapPoint& point, Refusal* refusal = nullptr);
  int AddStation(const MapStation& station, Refusal* refusal = nullptr);
  int AddTarget(const MapTarget& target, Refusal* refusal = nullptr);
  int AddStationDraw(const MapStationDraw& draw, Refusal* refusal = nullptr);
  int AddJump(const MapJump& jump, Refusal* refusal = nullptr);
  int AddNameEntry(NameTable table, const MapNameEntry& entry, Refusal* refusal = nullptr);

  // Deleting with renumbering of every reference to later records.
  void DeleteRail(int index);
  void DeletePoint(int index);
  void DeleteStation(int index);
  void DeleteTarget(int index);
  void DeleteStationDraw(int index);
  void DeleteJump(int index);
  void DeleteNameEntry(NameTable table, int index);

  // Regenerates every jump's name from its number.
  void RenameJumps();

  // Hit tests on a pixel; `ignore` is a record number to skip (0 none).
  int RailAt(int px, int py, int ignore = 0) const;
  int PointAt(int px, int py, int ignore = 0) const;
  int StationDrawAt(int px, int py, int ignore = 0) const;
  JumpEnd JumpEndAt(int px, int py, int ignore = 0) const;

  // Free checks against the boxes of segments and points.
  bool GridPointFree(GridPoint p) const;
  bool BoxFree(int x1, int y1, int x2, int y2) const;

  // Connections at a grid point; first match in number order, or 0.
  int RailWithLeftEndAt(GridPoint p) const;
  int RailWithRightEndAt(GridPoint p) const;
  int PointWithLeftBranchAt(GridPoint p) const;
  int PointWithRightBranchAt(GridPoint p) const;

  // The segment continuing rightward (leftward) from `p`, following jumps;
  // a ring of jumps ends the search with 0.
  int RailContinuingRight(GridPoint p) const;
  int RailContinuingLeft(GridPoint p) const;

  // Largest column and row used by any segment, point, drawing or jump.
  MapExtent Extent() const;

  // Whether segment `rail` may be the start point: one of its ends continues
  // nowhere.
  bool CanBeStartRail(int rail) const;
  // Sets the start point to segment `rail` (0 clears it) and runs the
  // start-point walk that marks stations and stop sections.
  void SetStartRail(int rail);
};

// Name of jump `number` (1-based) when the map has `count` jumps.
std::string JumpNameFor(int number, int count);

}  // namespace corvane
