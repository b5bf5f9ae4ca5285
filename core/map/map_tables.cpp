#include "map/map_tables.h"

#include <array>
#include <limits>
#include <string_view>
#include <type_traits>

#include "base/encoding.h"

namespace corvane {

namespace {

// File versions at which columns and members appeared.
constexpr int kVersionYardColumns = 1110;
constexpr int kVersionStopTimes = 1120;
constexpr int kVersionBranchSpeed = 1130;
constexpr int kVersionGradient = 1150;

constexpr MapTableInfo Info(MapTable table, int capacity, const char* member,
                            const char* header_key, int header_rank, int number_width,
                            bool writes_null_record) {
  MapTableInfo info;
  info.table = table;
  info.capacity = capacity;
  info.member = member;
  info.header_key = header_key;
  info.header_rank = header_rank;
  info.number_width = number_width;
  info.writes_null_record = writes_null_record;
  return info;
}

constexpr MapTableInfo Since(MapTableInfo info, int version, bool older_from_defaults) {
  info.since = version;
  info.older_from_defaults = older_from_defaults;
  return info;
}

constexpr MapTableInfo MayBeUnnamed(MapTableInfo info) {
  info.may_be_unnamed = true;
  return info;
}

constexpr MapTableInfo Appended(MapTableInfo info) {
  info.appends = true;
  return info;
}

constexpr MapTableInfo AspectBands(MapTableInfo info, const char* listing) {
  info.rows = MemberRows::kAspectBands;
  info.listing = listing;
  return info;
}

// In the order of the file's members; header_rank is the order of their keys
// in the header.
constexpr std::array<MapTableInfo, kMapTableCount> kMapTables = {
    Info(MapTable::kRail, kRailCapacity, "m_rail.csv", "M_RAIL_FILE", 0, 3, true),
    Info(MapTable::kPoint, kPointCapacity, "m_point.csv", "M_POINT_FILE", 1, 3, true),
    Info(MapTable::kStation, kStationCapacity, "m_station.csv", "M_STATION_FILE", 2, 3, true),
    Info(MapTable::kTarget, kTargetCapacity, "m_target.csv", "M_TARGET_FILE", 3, 3, true),
    Info(MapTable::kStationDraw, kStationDrawCapacity, "m_station_draw.csv", "M_STATION_DRAW_FILE",
         4, 3, true),
    Info(MapTable::kBlockName, kNameEntryCapacity, "m_name_ar.csv", "M_NAME_AR_FILE", 5, 2, true),
    Info(MapTable::kYardName, kNameEntryCapacity, "m_name_ap.csv", "M_NAME_AP_FILE", 6, 2, true),
    Info(MapTable::kStationName, kNameEntryCapacity, "m_name_as.csv", "M_NAME_AS_FILE", 7, 2, true),
    Info(MapTable::kTargetName, kNameEntryCapacity, "m_name_at.csv", "M_NAME_AT_FILE", 8, 2, true),
    Appended(Since(
        Info(MapTable::kDetail, kUnboundedTable, "m_detail.csv", "M_DETAIL_FILE", 10, 2, false),
        kVersionGradient, false)),
    MayBeUnnamed(Info(MapTable::kJump, kJumpCapacity, "m_jump.csv", "M_JUMP_FILE", 9, 3, true)),
    Since(Info(MapTable::kSignalType, kSignalTypeCapacity, "m_signal_set.csv", "M_SIGNAL_SET_FILE",
               11, 3, false),
          kVersionYardColumns, true),
    AspectBands(Since(Info(MapTable::kImage, kUnboundedTable, "m_signal.csv", "M_SIGNAL_FILE", 12,
                           3, false),
                      kVersionYardColumns, true),
                "m_signal.csv (bands)"),
    Info(MapTable::kColour, kUnboundedTable, nullptr, nullptr, 0, 0, false),
};

// The default entries of a new map's naming tables, as UTF-8.
struct DefaultName {
  std::string_view short_left, name_left, short_right, name_right;
};

constexpr DefaultName kDefaultBlockNames[] = {{"　", "", "　", ""}};
constexpr DefaultName kDefaultYardNames[] = {
    {"上出", "上り出発", "下場", "下り場内"},
    {"上場", "上り場内", "下出", "下り出発"},
};
constexpr DefaultName kDefaultStationNames[] = {
    {"本線", "本線", "本線", "本線"},
    {"下本", "下り本線", "下本", "下り本線"},
    {"上本", "上り本線", "上本", "上り本線"},
    {"下中", "下り中線", "下中", "下り中線"},
    {"上中", "上り中線", "上中", "上り中線"},
    {"下副", "下り副本線", "下副", "下り副本線"},
    {"上副", "上り副本線", "上副", "上り副本線"},
    {"中線", "中線", "中線", "中線"},
    {"副本", "副本線", "副本", "副本線"},
};
constexpr std::string_view kNumberedTracks[] = {"０番", "１番", "２番", "３番", "４番",
                                                "５番", "６番", "７番", "８番"};
constexpr DefaultName kDefaultTargetNames[] = {{"引上", "引上げ", "引上", "引上げ"}};

MapNameEntry NameEntry(const DefaultName& name) {
  MapNameEntry entry;
  entry.short_left = Utf8ToSjis(name.short_left);
  entry.name_left = Utf8ToSjis(name.name_left);
  entry.short_right = Utf8ToSjis(name.short_right);
  entry.name_right = Utf8ToSjis(name.name_right);
  return entry;
}

MapNameEntry SameNameEntry(std::string_view utf8) { return NameEntry({utf8, utf8, utf8, utf8}); }

template <typename Entries>
void FillNames(Table<MapNameEntry>& table, const Entries& entries) {
  for (const DefaultName& name : entries) table.Append(NameEntry(name));
}

}  // namespace

Table<MapNameEntry>& MapContent::Names(NameTable table) {
  switch (table) {
    case NameTable::kBlock:
      return block_names;
    case NameTable::kYard:
      return yard_names;
    case NameTable::kStation:
      return station_names;
    case NameTable::kTarget:
      break;
  }
  return target_names;
}

const Table<MapNameEntry>& MapContent::Names(NameTable table) const {
  return const_cast<MapContent*>(this)->Names(table);
}

MapContent NewMapContent() {
  MapContent content;
  FillNames(content.block_names, kDefaultBlockNames);
  FillNames(content.yard_names, kDefaultYardNames);
  FillNames(content.station_names, kDefaultStationNames);
  for (std::string_view track : kNumberedTracks) content.station_names.Append(SameNameEntry(track));
  FillNames(content.target_names, kDefaultTargetNames);
  for (std::size_t i = 1; i < std::size(kNumberedTracks); ++i) {
    content.target_names.Append(SameNameEntry(kNumberedTracks[i]));
  }
  return content;
}

void ClearSignalTypes(MapContent& content) {
  content.signal_types.Clear();
  content.images.Clear();
  content.colours.Clear();
}

std::span<const MapTableInfo> MapTables() { return kMapTables; }

const MapTableInfo& InfoOf(MapTable table) {
  for (const MapTableInfo& info : kMapTables) {
    if (info.table == table) return info;
  }
  return kMapTables.back();
}

TableRef RefTo(MapTable table) { return {static_cast<int>(table)}; }

// Numbers carry the range the program computes with: grid columns and rows,
// row offsets within a box, lengths (never below 0, so a length less a
// distance stays an int), stop times (stored as seconds + 1). Other numbers
// are kept as they are and may hold any int; references are read as stored.
constexpr int kLongest = std::numeric_limits<int>::max();

const RecordFormat<MapRail>& RailFormat() {
  using R = MapRail;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::x1>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::y1>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::x2>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::y2>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::direction>(1).Num<&R::piece>(3);
    f.Num<&R::left_dy>(3).Range(-kRowOffsetLimit, kRowOffsetLimit);
    f.Num<&R::right_dy>(3).Range(-kRowOffsetLimit, kRowOffsetLimit);
    f.Repeat(kMaxBranches, [](RecordFormat<R>& g, int k) {
      g.Element<&R::stored_a>(2, k).Element<&R::stored_b>(2, k);
    });
    f.Num<&R::station>(2).Refers(RefTo(MapTable::kStation));
    f.Num<&R::target>(2).Refers(RefTo(MapTable::kTarget));
    f.Num<&R::yard_station>(2)
        .Since(kVersionYardColumns)
        .OlderCopies<&R::station>()
        .Refers(RefTo(MapTable::kStation));
    f.Num<&R::yard_target>(2)
        .Since(kVersionYardColumns)
        .OlderCopies<&R::target>()
        .Refers(RefTo(MapTable::kTarget));
    f.Num<&R::electric>(1).Since(kVersionYardColumns);
    f.Num<&R::signal_left>(2).Since(kVersionYardColumns).Refers(RefTo(MapTable::kSignalType));
    f.Num<&R::signal_right>(2).Since(kVersionYardColumns).Refers(RefTo(MapTable::kSignalType));
    f.Num<&R::speed_limit>(3).Num<&R::length>(4).Range(0, kLongest);
    f.Num<&R::stop_left>(4).Num<&R::stop_right>(4);
    f.Num<&R::gradient>(2).Since(kVersionGradient);
    f.Num<&R::radius>(4).Since(kVersionGradient);
    f.Num<&R::single_track>(1);
    f.Num<&R::stored_63>(3).Since(kVersionStopTimes);
    f.Num<&R::stored_64>(3).Since(kVersionStopTimes);
    f.Num<&R::block_auto>(1).Since(kVersionStopTimes);
    f.Num<&R::block_name>(2).Refers(RefTo(MapTable::kBlockName));
    f.Num<&R::yard_name>(2).Refers(RefTo(MapTable::kYardName));
    f.Num<&R::station_name>(2).Refers(RefTo(MapTable::kStationName));
    f.Num<&R::target_name>(2).Refers(RefTo(MapTable::kTargetName));
    f.Text<&R::short_left>().Text<&R::name_left>().Text<&R::short_right>().Text<&R::name_right>();
    return f;
  }();
  return format;
}

const RecordFormat<MapPoint>& PointFormat() {
  using R = MapPoint;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::x1>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::y1>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::x2>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::y2>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::kind>(2).RangeUnlessNull(kTurnoutJointLeft, kCrossingLast);
    f.Num<&R::branch_count>(2).Range(0, kMaxBranches);
    f.Repeat(kMaxBranches, [](RecordFormat<R>& g, int k) {
      g.Element<&R::branch_piece>(3, k);
      g.Element<&R::branch_left_dy>(3, k).Range(-kRowOffsetLimit, kRowOffsetLimit);
      g.Element<&R::branch_right_dy>(3, k).Range(-kRowOffsetLimit, kRowOffsetLimit);
      g.Element<&R::branch_stored_a>(3, k);
      g.Element<&R::branch_stored_b>(3, k);
      g.Element<&R::branch_speed>(3, k).Since(kVersionBranchSpeed);
    });
    f.Num<&R::yard_station>(2).Since(kVersionYardColumns).Refers(RefTo(MapTable::kStation));
    f.Num<&R::yard_target>(2).Since(kVersionYardColumns).Refers(RefTo(MapTable::kTarget));
    f.Num<&R::stored_15>(1).Since(kVersionYardColumns);
    f.Num<&R::stored_16>(1).Since(kVersionYardColumns);
    f.Num<&R::electric>(1).Since(kVersionYardColumns);
    f.Num<&R::signal_left>(2).Since(kVersionYardColumns).Refers(RefTo(MapTable::kSignalType));
    f.Num<&R::signal_right>(2).Since(kVersionYardColumns).Refers(RefTo(MapTable::kSignalType));
    f.Num<&R::speed_limit>(3).Num<&R::length>(4).Range(0, kLongest);
    f.Num<&R::yard_name>(2).Refers(RefTo(MapTable::kYardName));
    f.Text<&R::short_left>().Text<&R::name_left>().Text<&R::short_right>().Text<&R::name_right>();
    f.Text<&R::point_key>().Since(kVersionYardColumns);
    return f;
  }();
  return format;
}

namespace {

// Stations and stop sections share their columns but for the previous
// station, which only stations have.
template <typename R>
RecordFormat<R> StationLikeFormat() {
  RecordFormat<R> f;
  f.template Num<&R::stored_0>(2).template Elements<&R::stored>(2);
  f.template Num<&R::stop_time>(3).Since(kVersionStopTimes).Range(0, kMostSeconds + 1);
  f.template Num<&R::turn_time>(3).Since(kVersionStopTimes).Range(0, kMostSeconds + 1);
  if constexpr (std::is_same_v<R, MapStation>) {
    f.template Num<&R::previous_station>(2).Refers(RefTo(MapTable::kStation));
  }
  // The marks are kept as read so that a map saves back unchanged; the next
  // start-point walk recomputes them.
  f.template Elements<&R::start_marks>(2);
  f.template Text<&R::one_char_name>();
  f.template Text<&R::short_name>()
      .Since(kVersionGradient)
      .template OlderCopies<&R::one_char_name>();
  f.template Text<&R::name>();
  return f;
}

}  // namespace

const RecordFormat<MapStation>& StationFormat() {
  static const RecordFormat<MapStation> format = StationLikeFormat<MapStation>();
  return format;
}

const RecordFormat<MapTarget>& TargetFormat() {
  static const RecordFormat<MapTarget> format = StationLikeFormat<MapTarget>();
  return format;
}

const RecordFormat<MapStationDraw>& StationDrawFormat() {
  using R = MapStationDraw;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::x1>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::y1>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::x2>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::y2>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::station>(2).Refers(RefTo(MapTable::kStation)).RemovedWithTarget();
    return f;
  }();
  return format;
}

const RecordFormat<MapJump>& JumpFormat() {
  using R = MapJump;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::ax>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::ay>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::bx>(3).Range(-kGridLimit, kGridLimit);
    f.Num<&R::by>(3).Range(-kGridLimit, kGridLimit);
    f.Text<&R::name>();
    return f;
  }();
  return format;
}

const RecordFormat<MapNameEntry>& NameEntryFormat() {
  using R = MapNameEntry;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Text<&R::short_left>().Text<&R::name_left>().Text<&R::short_right>().Text<&R::name_right>();
    return f;
  }();
  return format;
}

const RecordFormat<MapDetail>& DetailFormat() {
  using R = MapDetail;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::rail>(3).Refers(RefTo(MapTable::kRail)).RemovedWithTarget();
    f.Num<&R::point>(3).Refers(RefTo(MapTable::kPoint)).RemovedWithTarget();
    f.Num<&R::start>(3).Num<&R::end>(3).Num<&R::speed>(3).Num<&R::gradient>(3);
    f.Num<&R::radius>(3);
    return f;
  }();
  return format;
}

const RecordFormat<MapSignalType>& SignalTypeFormat() {
  using R = MapSignalType;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::attribute>(3).Text<&R::name>().Text<&R::text2>();
    return f;
  }();
  return format;
}

}  // namespace corvane
