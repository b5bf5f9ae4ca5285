#pragma once
// The compiled map: the tables of rails, track pieces, points, stopping
// targets, stations, station drawings, board rows, jumps, rail details and
// signal sets that the board draws, routes and points act on and the
// timetable refers to. It lives in memory and travels as members of the dia
// data file. The records hold what the members store and what reading
// derives from it (a rail's direction, a target's platform tracks); the
// values the program keeps while it runs are apart, in run/run_state.h.

#include <array>
#include <vector>

#include "base/fixed_text.h"
#include "base/table.h"
#include "map/map_records.h"
#include "map/signal_types.h"

namespace corvane {

// Board coordinates (grid × 10 and × 12, as compiled) lie in
// -kBoardLimit..kBoardLimit: every map the program reads compiles into it,
// and the board's scaled arithmetic on it is done in 64 bits.
inline constexpr int kBoardLimit = 100'000'000;

// The most display rows a dia data file holds. The row table grows and
// shrinks with the board's layout commands up to this many, whatever count
// the file it came from had.
inline constexpr int kMostRows = 4095;

// One directional rail: a block section run one way.
struct RailRecord {
  int direction = 0;  // 1 leftward, 2 rightward; set on loading from the ends
  int station = 0;
  int target = 0;
  int yard_target = 0;
  int signal = 0;
  int lever = 0, button = 0, normal_lever = 0;
  int speed_limit = 0;
  int length = 0;
  int l_next = 0;  // negative: holds only with a point off its normal position
  int l_back = 0;
  int l_dual = 0;
  int l_pack = 0;
  int stop_distance = 0;
  int gradient = 0;
  int radius = 0;
  int rail_aux = 0;
  int display_row = 1;
  int x_exit = 0, x_entry = 0, y_exit = 0, y_entry = 0;
  ShortText short_name;
  LongText name;
  friend bool operator==(const RailRecord&, const RailRecord&) = default;
};

// One physical track piece carrying up to two rails.
struct PRailRecord {
  int single_track = 0;
  int electric = 0;
  int rail_first = 0;
  int rail_second = 0;
  int in_use = 0;
  friend bool operator==(const PRailRecord&, const PRailRecord&) = default;
};

inline constexpr int kPointSlots = 20;            // entries and positions of a point
inline constexpr int kMostDetailRecords = 65535;  // the most a dia data file counts

// One point (turnout) or crossing with its route matrices.
struct PointRecord {
  std::array<int, kPointSlots> entry_rails{};
  std::array<std::array<int, kPointSlots>, kPointSlots> route_flag{};
  std::array<std::array<int, kPointSlots>, kPointSlots> route_value_a{};
  std::array<std::array<int, kPointSlots>, kPointSlots> route_value_b{};
  int position = 0;
  int branch_count = 0;
  int entry_count = 0;
  int mode = 0;
  int normal_position = 0;
  int label_row = 1;
  int label_x = 0;
  int label_y = 0;
  ShortText point_key;
  friend bool operator==(const PointRecord&, const PointRecord&) = default;
};

// One platform track of a target, built on loading and by the compiler.
struct TrackEntry {
  int rail_first = 0;
  int rail_second = 0;
  int display_order = 0;
  int build_order = 0;
  ShortText short_name;
  LongText name;
  friend bool operator==(const TrackEntry&, const TrackEntry&) = default;
};

// One stopping target: a station (1..S) or a stop section (S+1...).
struct TargetRecord {
  int station = 0;
  int target_scale = 0;
  int time_display = 0;
  int target_aux = 0;
  int target_aux2 = 0;  // read from data of version 1230 or later only
  int target_aux3 = 0;  // likewise: "番線表示"
  std::array<int, 10> start_marks{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  ShortText one_char_name;
  ShortText short_name;
  LongText name;
  std::vector<TrackEntry> tracks;  // not stored: built on loading and by the compiler
  friend bool operator==(const TargetRecord&, const TargetRecord&) = default;
};

struct StationRecord {
  int station_aux0 = 0;
  int station_aux1 = 0;
  int scale = 2;
  int melody_time = 10;
  int door_min = 5, door_mid = 7, door_max = 15;
  int station_aux2 = 0;  // passengers per hour
  int station_aux3 = 0;  // passengers per train
  ShortText one_char_name;
  ShortText short_name;
  LongText name;
  LongText melody_file;  // from the sound settings, not the member
  friend bool operator==(const StationRecord&, const StationRecord&) = default;
};

struct StationDrawRecord {
  int station = 0;
  int kind = 1;
  int x_left = 0, x_right = 0, y_top = 0, y_bottom = 0;
  friend bool operator==(const StationDrawRecord&, const StationDrawRecord&) = default;
};

struct RowRecord {
  int x = 0, y = 0, x_shift = 0, y_shift = 0;
  friend bool operator==(const RowRecord&, const RowRecord&) = default;
};

struct JumpRecord {
  int jump_kind = 0;
  int from_row = 1, to_row = 1;
  int x_from = 0, y_from = 0, x_to = 0, y_to = 0;
  ShortText label;
  friend bool operator==(const JumpRecord&, const JumpRecord&) = default;
};

struct DetailRecord {
  int rail = 0;
  int start = 0, end = 0;
  int speed = 0;
  int gradient = 0;
  int radius = 0;
  friend bool operator==(const DetailRecord&, const DetailRecord&) = default;
};

// Capacities of the tables when the dia header names none.
struct SystemMapCounts {
  int rails = 4095;
  int prails = 2047;
  int points = 255;
  int targets = 255;
  int stations = 127;
  int station_draws = 255;
  int rows = 63;
  int jumps = 255;
  int details = 0;
};

struct SystemMap {
  SystemMap() : SystemMap(SystemMapCounts{}) {}
  explicit SystemMap(const SystemMapCounts& counts);

  Table<RailRecord> rails;
  Table<PRailRecord> prails;
  Table<PointRecord> points;
  Table<TargetRecord> targets;
  Table<StationRecord> stations;
  Table<StationDrawRecord> station_draws;
  Table<RowRecord> rows;  // display rows 1..count; row 0 is stored as read
  Table<JumpRecord> jumps;
  std::vector<DetailRecord> details;
  // Signal sets with their aspect tables, images and colours (colour 0 white).
  Table<MapSignalType> signal_sets{kSignalTypeCapacity};
  Table<SignalImageRecord> images{kUnboundedTable};
  Table<AspectColour> colours{kUnboundedTable};

  // The counts the dia header keeps in "[StructSize]".
  SystemMapCounts Counts() const;
};

// Platform track `number` (from 1) as track lists name it: "3" and
// "03番線"; no rails yet.
TrackEntry NumberedTrackEntry(int number);

// Each target's platform tracks: every piece, in piece order, one of whose
// rails stops at the target ("%d" and "%02d番線" names from 1).
void BuildTrackLists(SystemMap& map);

}  // namespace corvane
