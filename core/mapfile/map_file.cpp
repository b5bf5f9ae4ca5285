#include "mapfile/map_file.h"

#include <iterator>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "base/member_text.h"
#include "mapfile/file_messages.h"

namespace corvane {

namespace {

// Version thresholds at which columns were added.
constexpr int kVersionYardColumns = 1110;
constexpr int kVersionStopTimes = 1120;
constexpr int kVersionBranchSpeed = 1130;
constexpr int kVersionGradient = 1150;
constexpr int kFirstNewerVersion = kMapVersion + 1;

constexpr int kDefaultSignalVersion = 1126;
constexpr int kDefaultMaxSpeed = 120;

const std::string kFileSection = Utf8ToSjis("ファイル");
const std::string kDiaSection = Utf8ToSjis("ダイヤ設定");
const std::string kMapSection = Utf8ToSjis("マップ");
constexpr const char kVersionSection[] = "K-ORV";
constexpr const char kMapDataSection[] = "MapData";

// Header keys of the file section, in the order they are written.
constexpr const char* kHeaderFileKeyOrder[] = {
    "M_RAIL_FILE",         "M_POINT_FILE",   "M_STATION_FILE", "M_TARGET_FILE",
    "M_STATION_DRAW_FILE", "M_NAME_AR_FILE", "M_NAME_AP_FILE", "M_NAME_AS_FILE",
    "M_NAME_AT_FILE",      "M_JUMP_FILE",    "M_DETAIL_FILE",  "M_SIGNAL_SET_FILE",
    "M_SIGNAL_FILE",
};

const char* MemberForKey(std::string_view key) {
  for (const auto& member : kMapTableMembers) {
    if (key == member.header_key) return member.file_name;
  }
  return "";
}

// ---------------------------------------------------------------- writing

void FormatHeader(const EditMap& map, MemberWriter& out) {
  const MapSettings& s = map.settings;
  out.Format("[K-ORV]\nversion=%d\n\n", kMapVersion);
  out.Raw("[").Raw(kFileSection).Raw("]\n");
  for (const char* key : kHeaderFileKeyOrder)
    out.Raw(key).Raw("=").Raw(MemberForKey(key)).Raw("\n");
  out.Raw("\n[").Raw(kDiaSection).Raw("]\n");
  out.Format("unit=%02d\nstandard=%02d\nreverse=%02d\n\n", map.time_units.unit,
             map.time_units.standard, map.time_units.reverse);
  out.Raw("[").Raw(kMapSection).Raw("]\n");
  out.Format("signal_version=%d\n", s.signal_version);
  out.Format("m_map_code=%d\n", map.map_code);
  out.Raw("m_map_name=").Raw(map.map_name.view()).Raw("\n");
  out.Format("MapMaxSpeed=%d\n", s.max_speed);
  out.Format("SignalVersion=%d\n", s.signal_version);
  out.Format("UseATC=%d\n", s.use_atc);
  out.Format("UseATS=%d\n", s.use_ats);
  out.Format("UseInterlocking=%d\n", s.use_interlocking);
  out.Format("UseArea=%d\n", s.use_area);
  out.Format("UseElectri=%d\n", s.use_electri);
  out.Format("UseCharacteristic=%d\n", s.use_characteristic);
  out.Format("RightDown=%d\n", s.right_down);
  out.Format("ViewDirec=%d\n", s.view_direc);
  out.Format("RouteWarningDist=%d\n", s.route_warning_dist);
  out.Format("RouteCheckDist=%d\n", s.route_check_dist);
  out.Format("BreakSpareDist=%d\n", s.break_spare_dist);
  out.Format("LimitSpareDist=%d\n", s.limit_spare_dist);
  out.Format("StopSpareDist=%d\n", s.stop_spare_dist);
  out.Format("SignalFindDist=%d\n", s.signal_find_dist);
  out.Format("MaxSpeed=%d\n", s.max_speed);
  out.Format("ReAccelSpeed=%d\n", s.re_accel_speed);
  out.Format("GuidanceSpeed=%d\n", s.guidance_speed);
  out.Format("HandleATC=%d\n\n", s.handle_atc);
  out.Raw("[MapData]\n");
  out.Format("start_rail=%d\nstart_station=%d\nstart_target=%d\n\n", map.start.start_rail,
             map.start.start_station, map.start.start_target);
}

void FormatRail(int number, const MapRail& r, MemberWriter& out) {
  out.Num(3, number).Num(3, r.x1).Num(3, r.y1).Num(3, r.x2).Num(3, r.y2);
  out.Num(1, r.direction).Num(3, r.piece).Num(3, r.left_dy).Num(3, r.right_dy);
  for (int k = 0; k < kMaxBranches; ++k) out.Num(2, r.stored_a[k]).Num(2, r.stored_b[k]);
  out.Num(2, r.station).Num(2, r.target).Num(2, r.yard_station).Num(2, r.yard_target);
  out.Num(1, r.electric).Num(2, r.signal_left).Num(2, r.signal_right).Num(3, r.speed_limit);
  out.Num(4, r.length).Num(4, r.stop_left).Num(4, r.stop_right).Num(2, r.gradient);
  out.Num(4, r.radius).Num(1, r.single_track).Num(3, r.stored_63).Num(3, r.stored_64);
  out.Num(1, r.block_auto).Num(2, r.block_name).Num(2, r.yard_name).Num(2, r.station_name);
  out.Num(2, r.target_name);
  out.Text(r.short_left.view()).Text(r.name_left.view()).Text(r.short_right.view());
  out.Text(r.name_right.view(), "").EndLine();
}

void FormatPoint(int number, const MapPoint& p, MemberWriter& out) {
  out.Num(3, number).Num(3, p.x1).Num(3, p.y1).Num(3, p.x2).Num(3, p.y2);
  out.Num(2, p.kind).Num(2, p.branch_count);
  for (int k = 0; k < kMaxBranches; ++k) {
    out.Num(3, p.branch_piece[k]).Num(3, p.branch_left_dy[k]).Num(3, p.branch_right_dy[k]);
    out.Num(3, p.branch_stored_a[k]).Num(3, p.branch_stored_b[k]).Num(3, p.branch_speed[k]);
  }
  out.Num(2, p.yard_station).Num(2, p.yard_target).Num(1, p.stored_15).Num(1, p.stored_16);
  out.Num(1, p.electric).Num(2, p.signal_left).Num(2, p.signal_right).Num(3, p.speed_limit);
  out.Num(4, p.length).Num(2, p.yard_name);
  out.Text(p.short_left.view()).Text(p.name_left.view()).Text(p.short_right.view());
  out.Text(p.name_right.view()).Text(p.point_key.view(), "").EndLine();
}

template <typename StationLike>
void FormatStationStart(int number, const StationLike& s, MemberWriter& out) {
  out.Num(3, number).Num(2, s.stored_0);
  for (const int value : s.stored) out.Num(2, value);
  out.Num(3, s.stop_time).Num(3, s.turn_time);
}

template <typename StationLike>
void FormatStationEnd(const StationLike& s, MemberWriter& out) {
  for (const int mark : s.start_marks) out.Num(2, mark);
  out.Text(s.one_char_name.view()).Text(s.short_name.view()).Text(s.name.view(), "").EndLine();
}

void FormatStation(int number, const MapStation& s, MemberWriter& out) {
  FormatStationStart(number, s, out);
  out.Num(2, s.previous_station);
  FormatStationEnd(s, out);
}

void FormatTarget(int number, const MapTarget& t, MemberWriter& out) {
  FormatStationStart(number, t, out);
  FormatStationEnd(t, out);
}

void FormatStationDraw(int number, const MapStationDraw& d, MemberWriter& out) {
  out.Num(3, number).Num(3, d.x1).Num(3, d.y1).Num(3, d.x2).Num(3, d.y2).Num(2, d.station);
  out.EndLine();
}

void FormatNameEntry(int number, const MapNameEntry& e, MemberWriter& out) {
  out.Num(2, number).Text(e.short_left.view()).Text(e.name_left.view());
  out.Text(e.short_right.view()).Text(e.name_right.view(), "").EndLine();
}

void FormatJump(int number, const MapJump& j, MemberWriter& out) {
  out.Num(3, number).Num(3, j.ax).Num(3, j.ay).Num(3, j.bx).Num(3, j.by);
  out.Text(j.name.view(), "").EndLine();
}

// Rows 0..count of a table (row 0 is the null record).
template <typename Record, typename Formatter>
void FormatTable(const Table<Record>& table, Formatter format, MemberWriter& out) {
  for (int i = 0; i <= table.count(); ++i) format(i, table[i], out);
}

void FormatDetails(const EditMap& map, MemberWriter& out) {
  int number = 0;
  for (const MapDetail& d : map.details) {
    out.Num(2, ++number).Num(3, d.rail).Num(3, d.point).Num(3, d.start).Num(3, d.end);
    out.Num(3, d.speed).Num(3, d.gradient).Num(3, d.radius).EndLine();
  }
}

void FormatSignalTypes(const EditMap& map, MemberWriter& out) {
  for (int t = 1; t <= map.signal_types.count(); ++t) {
    const MapSignalType& type = map.signal_types[t];
    out.Num(3, t).Num(3, type.attribute).Text(type.name.view()).Text(type.text2.view(), "");
    out.EndLine();
  }
}

void FormatAspects(const EditMap& map, MemberWriter& out) {
  static const AspectColour kWhite{};
  static const SignalImageRecord kNoImage{};
  for (int t = 1; t <= map.signal_types.count(); ++t) {
    const auto& aspects = map.signal_types[t].aspects;
    // From the top speed down, one row per band.
    for (int index = kAspectSpeeds - 1; index >= 0;) {
      const SignalAspectEntry& entry = aspects[static_cast<std::size_t>(index)];
      const int low = (entry.band_low >= 0 && entry.band_low <= index) ? entry.band_low : index;
      const bool has_colour =
          entry.colour >= 0 && entry.colour < static_cast<int>(map.colours.size());
      const bool has_image = entry.image >= 0 && entry.image < static_cast<int>(map.images.size());
      const AspectColour& colour =
          has_colour ? map.colours[static_cast<std::size_t>(entry.colour)] : kWhite;
      const SignalImageRecord& image =
          has_image ? map.images[static_cast<std::size_t>(entry.image)] : kNoImage;
      out.Num(3, t).Num(3, low).Num(4, entry.aspect_speed);
      out.Num(3, colour.red).Num(3, colour.green).Num(3, colour.blue);
      out.Text(image.name.view()).Text(image.bitmap.view(), "").EndLine();
      index = low - 1;
    }
  }
}

// ---------------------------------------------------------------- reading

// Reads the fields of one line in order.
class Cursor {
 public:
  explicit Cursor(const MemberLine& line) : line_(line) {}
  int Int() { return line_.Int(pos_++); }
  std::string_view Text() { return line_.Text(pos_++); }
  template <std::size_t N>
  void Ints(std::array<int, N>& values) {
    for (int& v : values) v = Int();
  }

 private:
  const MemberLine& line_;
  int pos_ = 1;  // piece 0 is the record number
};

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// Reads every line of a table into the records numbered by its first column.
// `parse` fills a record and returns false for an unusable row, which is
// skipped. The count becomes the highest number read. False when a row was
// skipped or numbered outside the table.
template <typename Record, typename Parser>
bool ParseTable(std::string_view content, Table<Record>& table, Parser parse) {
  table.SetCount(0);
  bool ok = true;
  ForEachMemberLine(content, [&](const MemberLine& line) {
    const int number = line.Int(0);
    Record record;
    if (!table.InRange(number) || !parse(line, number, record)) {
      ok = false;
      return;
    }
    table.Store(number, record);
  });
  return ok;
}

bool ParseRail(const MemberLine& line, int v, MapRail& r) {
  Cursor c(line);
  r.x1 = c.Int();
  r.y1 = c.Int();
  r.x2 = c.Int();
  r.y2 = c.Int();
  r.direction = c.Int();
  r.piece = c.Int();
  r.left_dy = c.Int();
  r.right_dy = c.Int();
  for (int k = 0; k < kMaxBranches; ++k) {
    r.stored_a[k] = c.Int();
    r.stored_b[k] = c.Int();
  }
  r.station = c.Int();
  r.target = c.Int();
  if (v >= kVersionYardColumns) {
    r.yard_station = c.Int();
    r.yard_target = c.Int();
    r.electric = c.Int();
    r.signal_left = c.Int();
    r.signal_right = c.Int();
  } else {
    r.yard_station = r.station;
    r.yard_target = r.target;
    r.electric = kDefaultElectric;
    r.signal_left = r.signal_right = kDefaultSignal;
  }
  r.speed_limit = c.Int();
  r.length = c.Int();
  r.stop_left = c.Int();
  r.stop_right = c.Int();
  if (v >= kVersionGradient) {
    r.gradient = c.Int();
    r.radius = c.Int();
  }
  r.single_track = c.Int();
  if (v >= kVersionStopTimes) {
    r.stored_63 = c.Int();
    r.stored_64 = c.Int();
    r.block_auto = c.Int();
  }
  r.block_name = c.Int();
  r.yard_name = c.Int();
  r.station_name = c.Int();
  r.target_name = c.Int();
  r.short_left = c.Text();
  r.name_left = c.Text();
  r.short_right = c.Text();
  r.name_right = c.Text();
  return InRange(r.station, 0, kStationCapacity) && InRange(r.yard_station, 0, kStationCapacity) &&
         InRange(r.target, 0, kTargetCapacity) && InRange(r.yard_target, 0, kTargetCapacity) &&
         InRange(r.block_name, 0, kNameEntryCapacity) &&
         InRange(r.yard_name, 0, kNameEntryCapacity) &&
         InRange(r.station_name, 0, kNameEntryCapacity) &&
         InRange(r.target_name, 0, kNameEntryCapacity) &&
         InRange(r.signal_left, 0, kSignalTypeCapacity) &&
         InRange(r.signal_right, 0, kSignalTypeCapacity);
}

bool ParsePoint(const MemberLine& line, int number, int v, MapPoint& p) {
  Cursor c(line);
  p.x1 = c.Int();
  p.y1 = c.Int();
  p.x2 = c.Int();
  p.y2 = c.Int();
  p.kind = c.Int();
  p.branch_count = c.Int();
  for (int k = 0; k < kMaxBranches; ++k) {
    p.branch_piece[k] = c.Int();
    p.branch_left_dy[k] = c.Int();
    p.branch_right_dy[k] = c.Int();
    p.branch_stored_a[k] = c.Int();
    p.branch_stored_b[k] = c.Int();
    p.branch_speed[k] = v >= kVersionBranchSpeed ? c.Int() : 0;
  }
  if (v >= kVersionYardColumns) {
    p.yard_station = c.Int();
    p.yard_target = c.Int();
    p.stored_15 = c.Int();
    p.stored_16 = c.Int();
    p.electric = c.Int();
    p.signal_left = c.Int();
    p.signal_right = c.Int();
  } else {
    p.yard_station = 0;
    p.yard_target = 0;
    p.stored_15 = 2;
    p.stored_16 = 0;
    p.electric = kDefaultElectric;
    p.signal_left = p.signal_right = kDefaultSignal;
  }
  p.speed_limit = c.Int();
  p.length = c.Int();
  p.yard_name = c.Int();
  p.short_left = c.Text();
  p.name_left = c.Text();
  p.short_right = c.Text();
  p.name_right = c.Text();
  if (v >= kVersionYardColumns) p.point_key = c.Text();
  // The null record may hold anything; a real point needs a known kind.
  const bool kind_ok = number == 0 || InRange(p.kind, kTurnoutJointLeft, kCrossingLast);
  return kind_ok && InRange(p.branch_count, 0, kMaxBranches) &&
         InRange(p.yard_station, 0, kStationCapacity) &&
         InRange(p.yard_target, 0, kTargetCapacity) &&
         InRange(p.yard_name, 0, kNameEntryCapacity) &&
         InRange(p.signal_left, 0, kSignalTypeCapacity) &&
         InRange(p.signal_right, 0, kSignalTypeCapacity);
}

template <typename StationLike>
void ParseStationStart(Cursor& c, int v, StationLike& s) {
  s.stored_0 = c.Int();
  c.Ints(s.stored);
  if (v >= kVersionStopTimes) {
    s.stop_time = c.Int();
    s.turn_time = c.Int();
  }
}

template <typename StationLike>
void ParseStationEnd(Cursor& c, int v, StationLike& s) {
  // The marks are kept as read so that a map saves back unchanged; the next
  // start-point walk recomputes them.
  c.Ints(s.start_marks);
  s.one_char_name = c.Text();
  if (v >= kVersionGradient) {
    s.short_name = c.Text();
  } else {
    s.short_name = s.one_char_name.view();
  }
  s.name = c.Text();
}

bool ParseStation(const MemberLine& line, int v, MapStation& s) {
  Cursor c(line);
  ParseStationStart(c, v, s);
  s.previous_station = c.Int();
  ParseStationEnd(c, v, s);
  return InRange(s.previous_station, 0, kStationCapacity);
}

bool ParseTarget(const MemberLine& line, int v, MapTarget& t) {
  Cursor c(line);
  ParseStationStart(c, v, t);
  ParseStationEnd(c, v, t);
  return true;
}

bool ParseStationDraw(const MemberLine& line, MapStationDraw& d) {
  Cursor c(line);
  d.x1 = c.Int();
  d.y1 = c.Int();
  d.x2 = c.Int();
  d.y2 = c.Int();
  d.station = c.Int();
  return InRange(d.station, 0, kStationCapacity);
}

bool ParseNameEntry(const MemberLine& line, MapNameEntry& e) {
  Cursor c(line);
  e.short_left = c.Text();
  e.name_left = c.Text();
  e.short_right = c.Text();
  e.name_right = c.Text();
  return true;
}

bool ParseJump(const MemberLine& line, MapJump& j) {
  Cursor c(line);
  j.ax = c.Int();
  j.ay = c.Int();
  j.bx = c.Int();
  j.by = c.Int();
  j.name = c.Text();
  return true;
}

bool ParseDetails(std::string_view content, EditMap& map) {
  bool ok = true;
  ForEachMemberLine(content, [&](const MemberLine& line) {
    Cursor c(line);
    MapDetail d;
    d.rail = c.Int();
    d.point = c.Int();
    d.start = c.Int();
    d.end = c.Int();
    d.speed = c.Int();
    d.gradient = c.Int();
    d.radius = c.Int();
    if (!InRange(d.rail, 0, kRailCapacity) || !InRange(d.point, 0, kPointCapacity)) {
      ok = false;
      return;
    }
    map.details.push_back(d);
  });
  return ok;
}

bool ParseSignalTypeTable(std::string_view content, EditMap& map) {
  map.ClearSignalTypes();
  return ParseTable(content, map.signal_types, [](const MemberLine& line, int, MapSignalType& t) {
    Cursor c(line);
    t.attribute = c.Int();
    t.name = c.Text();
    t.text2 = c.Text();
    return true;
  });
}

// Fills the aspect entries band by band, each row from the running position
// down to the row's lowest index, appending one image and one colour per row.
bool ParseAspectTable(std::string_view content, EditMap& map) {
  map.images.assign(1, SignalImageRecord{});
  map.colours.assign(1, AspectColour{});
  bool ok = true;
  int previous_type = 0;
  int position = kAspectSpeeds - 1;
  ForEachMemberLine(content, [&](const MemberLine& line) {
    const int type = line.Int(0);
    const int low = line.Int(1);
    if (!map.signal_types.Contains(type)) {
      ok = false;
      return;
    }
    if (type != previous_type) position = kAspectSpeeds - 1;
    previous_type = type;
    // Bands must come from the top down and stay inside the table.
    if (low < 0 || low > position) {
      ok = false;
      return;
    }
    SignalImageRecord image;
    image.name = line.Text(6);
    image.bitmap = line.Text(7);
    map.images.push_back(image);
    map.colours.push_back({line.Int(3), line.Int(4), line.Int(5)});
    const SignalAspectEntry entry{low, line.Int(2), static_cast<int>(map.images.size()) - 1,
                                  static_cast<int>(map.colours.size()) - 1};
    auto& aspects = map.signal_types[type].aspects;
    for (int index = position; index >= low; --index)
      aspects[static_cast<std::size_t>(index)] = entry;
    position = low - 1;
  });
  return ok;
}

// Reports a table that cannot be read and returns false.
bool ReportUnreadable(Prompter& prompter, const std::string& shown) {
  ReportFileError(prompter, kCannotOpenForRead, shown, kReadErrorCaption);
  return false;
}

// The program's own signal tables (types and aspects); reports the first
// that cannot be read and returns false.
bool ReadDefaultSignalTables(MapTableSource& source, Prompter& prompter, std::string* sets,
                             std::string* aspects) {
  std::string shown;
  auto read_sets = source.ReadDefaultTable(kSignalSetFile, &shown);
  if (!read_sets) return ReportUnreadable(prompter, shown);
  auto read_aspects = source.ReadDefaultTable(kSignalFile, &shown);
  if (!read_aspects) return ReportUnreadable(prompter, shown);
  *sets = std::move(*read_sets);
  *aspects = std::move(*read_aspects);
  return true;
}

void ReadSettings(const IniFile& header, EditMap& map) {
  TimeUnits& units = map.time_units;
  units.unit = header.GetInt(kDiaSection, "unit", 15);
  units.standard = header.GetInt(kDiaSection, "standard", 45);
  units.reverse = header.GetInt(kDiaSection, "reverse", 120);

  map.map_code = header.GetInt(kMapSection, "m_map_code", kNoMapCode);
  map.map_name = header.GetString(kMapSection, "m_map_name");
  MapSettings& s = map.settings;
  s.signal_version = header.GetInt(kMapSection, "SignalVersion", 0);
  if (s.signal_version == 0) {
    s.signal_version = header.GetInt(kMapSection, "signal_version", kDefaultSignalVersion);
  }
  s.use_atc = header.GetInt(kMapSection, "UseATC", 0);
  s.use_ats = header.GetInt(kMapSection, "UseATS", 1);
  s.use_interlocking = header.GetInt(kMapSection, "UseInterlocking", 0);
  s.use_area = header.GetInt(kMapSection, "UseArea", 0);
  s.use_electri = header.GetInt(kMapSection, "UseElectri", 0);
  s.use_characteristic = header.GetInt(kMapSection, "UseCharacteristic", 0);
  s.right_down = header.GetInt(kMapSection, "RightDown", 1);
  s.view_direc = header.GetInt(kMapSection, "ViewDirec", 1);
  s.route_warning_dist = header.GetInt(kMapSection, "RouteWarningDist", 10);
  s.route_check_dist = header.GetInt(kMapSection, "RouteCheckDist", 2000);
  s.break_spare_dist = header.GetInt(kMapSection, "BreakSpareDist", 10);
  s.limit_spare_dist = header.GetInt(kMapSection, "LimitSpareDist", 50);
  s.stop_spare_dist = header.GetInt(kMapSection, "StopSpareDist", 15);
  s.signal_find_dist = header.GetInt(kMapSection, "SignalFindDist", 600);
  s.max_speed = header.GetInt(kMapSection, "MaxSpeed", 0);
  if (s.max_speed == 0) s.max_speed = header.GetInt(kMapSection, "MapMaxSpeed", kDefaultMaxSpeed);
  s.re_accel_speed = header.GetInt(kMapSection, "ReAccelSpeed", 5);
  s.guidance_speed = header.GetInt(kMapSection, "GuidanceSpeed", 15);
  s.handle_atc = header.GetInt(kMapSection, "HandleATC", 280);
  s.safety_device = s.use_atc != 0 ? kSafetyAtc : kSafetyAts;

  map.start.start_rail = header.GetInt(kMapDataSection, "start_rail", 0);
  map.start.start_station = header.GetInt(kMapDataSection, "start_station", 0);
  map.start.start_target = header.GetInt(kMapDataSection, "start_target", 0);
}

// Reads every table named by the header; false after the first table that
// cannot be opened, or when some row was unusable.
bool ReadTables(const IniFile& header, MapTableSource& source, EditMap& map, Prompter& prompter) {
  const int v = map.version;
  auto read = [&](const char* key, std::string* content) {
    const std::string name = header.GetString(kFileSection, key);
    std::string shown;
    auto bytes = source.ReadTable(name, &shown);
    if (!bytes) return ReportUnreadable(prompter, shown);
    *content = std::move(*bytes);
    return true;
  };
  map.details.clear();
  bool rows_ok = true;
  std::string content;

  if (!read("M_RAIL_FILE", &content)) return false;
  rows_ok &= ParseTable(content, map.rails, [v](const MemberLine& line, int, MapRail& r) {
    return ParseRail(line, v, r);
  });
  if (!read("M_POINT_FILE", &content)) return false;
  rows_ok &= ParseTable(content, map.points, [v](const MemberLine& line, int number, MapPoint& p) {
    return ParsePoint(line, number, v, p);
  });
  if (!read("M_STATION_FILE", &content)) return false;
  rows_ok &= ParseTable(content, map.stations, [v](const MemberLine& line, int, MapStation& s) {
    return ParseStation(line, v, s);
  });
  if (!read("M_TARGET_FILE", &content)) return false;
  rows_ok &= ParseTable(content, map.targets, [v](const MemberLine& line, int, MapTarget& t) {
    return ParseTarget(line, v, t);
  });
  if (!read("M_STATION_DRAW_FILE", &content)) return false;
  rows_ok &= ParseTable(
      content, map.station_draws,
      [](const MemberLine& line, int, MapStationDraw& d) { return ParseStationDraw(line, d); });
  const std::pair<const char*, NameTable> name_tables[] = {
      {"M_NAME_AR_FILE", NameTable::kBlock},
      {"M_NAME_AP_FILE", NameTable::kYard},
      {"M_NAME_AS_FILE", NameTable::kStation},
      {"M_NAME_AT_FILE", NameTable::kTarget},
  };
  for (const auto& [key, table] : name_tables) {
    if (!read(key, &content)) return false;
    rows_ok &= ParseTable(
        content, map.Names(table),
        [](const MemberLine& line, int, MapNameEntry& e) { return ParseNameEntry(line, e); });
  }
  // A map without a jump table has no jumps.
  if (header.GetString(kFileSection, "M_JUMP_FILE").empty()) {
    map.jumps.SetCount(0);
  } else {
    if (!read("M_JUMP_FILE", &content)) return false;
    rows_ok &= ParseTable(content, map.jumps, [](const MemberLine& line, int, MapJump& j) {
      return ParseJump(line, j);
    });
  }
  if (v >= kVersionGradient) {
    if (!read("M_DETAIL_FILE", &content)) return false;
    rows_ok &= ParseDetails(content, map);
  }
  std::string signal_sets, signals;
  if (v < kOldestSignalTablesVersion) {
    if (!ReadDefaultSignalTables(source, prompter, &signal_sets, &signals)) return false;
  } else {
    if (!read("M_SIGNAL_SET_FILE", &signal_sets)) return false;
    if (!read("M_SIGNAL_FILE", &signals)) return false;
  }
  rows_ok &= ParseSignalTables(signal_sets, signals, map);
  return rows_ok;
}

// The start point of the header must name records that were read; checked
// whether or not every table could be read, since the user may go on with a
// partly read map. False when it was cleared.
bool CheckStartPoint(EditMap& map) {
  StartPoint& start = map.start;
  if (InRange(start.start_rail, 0, map.rails.count()) &&
      InRange(start.start_station, 0, map.stations.count()) &&
      InRange(start.start_target, 0, map.targets.count())) {
    return true;
  }
  start = StartPoint{};
  return false;
}

PromptAnswer AskAbortRetryIgnore(Prompter& prompter, const char* text) {
  return prompter.Ask(text, kReadWarningCaption, PromptButtons::kAbortRetryIgnore,
                      PromptIcon::kWarning);
}

constexpr const char kNewerVersionWarning[] =
    "このデータは、現在お使いの当ソフトウェアよりも新しいバージョンで作られています。\n"
    "当ソフトウェアのバージョンアップをおすすめします。\n"
    "読み込みを続けた場合、正しく動作しない可能性があります。\n";
constexpr const char kReadFailedWarning[] =
    "データの読み込みに失敗しました。\n"
    "このまま続けた場合、正しく動作しない可能性があります。\n";

}  // namespace

// The content of each table member, in the order of kMapTableMembers.
using MemberFormatter = void (*)(const EditMap&, MemberWriter&);
constexpr MemberFormatter kMemberFormatters[] = {
    [](const EditMap& m, MemberWriter& out) { FormatTable(m.rails, FormatRail, out); },
    [](const EditMap& m, MemberWriter& out) { FormatTable(m.points, FormatPoint, out); },
    [](const EditMap& m, MemberWriter& out) { FormatTable(m.stations, FormatStation, out); },
    [](const EditMap& m, MemberWriter& out) { FormatTable(m.targets, FormatTarget, out); },
    [](const EditMap& m, MemberWriter& out) {
      FormatTable(m.station_draws, FormatStationDraw, out);
    },
    [](const EditMap& m, MemberWriter& out) { FormatTable(m.block_names, FormatNameEntry, out); },
    [](const EditMap& m, MemberWriter& out) { FormatTable(m.yard_names, FormatNameEntry, out); },
    [](const EditMap& m, MemberWriter& out) { FormatTable(m.station_names, FormatNameEntry, out); },
    [](const EditMap& m, MemberWriter& out) { FormatTable(m.target_names, FormatNameEntry, out); },
    FormatDetails,
    [](const EditMap& m, MemberWriter& out) { FormatTable(m.jumps, FormatJump, out); },
    FormatSignalTypes,
    FormatAspects,
};
static_assert(std::size(kMemberFormatters) == std::size(kMapTableMembers));

std::string FormatMapText(const EditMap& map) {
  MemberWriter out;
  out.Raw("#").Raw(kMapHeaderMember).Raw("\n");
  FormatHeader(map, out);
  for (std::size_t i = 0; i < std::size(kMapTableMembers); ++i) {
    out.Raw("#").Raw(kMapTableMembers[i].file_name).Raw("\n");
    kMemberFormatters[i](map, out);
  }
  return out.Take();
}

bool WriteMapText(EditMap& map, const std::string& text_path, Prompter& prompter) {
  map.version = kMapVersion;
  if (!WriteFileBytes(text_path, FormatMapText(map))) {
    ReportFileError(prompter, kCannotOpenText, text_path, kWriteErrorCaption);
    return false;
  }
  return true;
}

std::optional<std::string> FolderTableSource::ReadTable(const std::string& name,
                                                        std::string* shown) {
  *shown = JoinPath(folder_, name);
  if (!IsBareFileName(name)) return std::nullopt;
  return ReadFileBytes(*shown);
}

std::optional<std::string> FolderTableSource::ReadDefaultTable(const std::string& name,
                                                               std::string* shown) {
  *shown = JoinPath(old_map_folder_, name);
  return ReadFileBytes(*shown);
}

MapReadResult ReadMapFromHeader(std::string_view header_text, MapTableSource& source, EditMap& map,
                                Prompter& prompter) {
  const IniFile header = IniFile::Parse(header_text);
  const int version = header.GetInt(kVersionSection, "version", 0);
  if (version >= kFirstNewerVersion) {
    switch (AskAbortRetryIgnore(prompter, kNewerVersionWarning)) {
      case PromptAnswer::kRetry:
        return MapReadResult::kRetry;
      case PromptAnswer::kIgnore:
        break;
      default:
        return MapReadResult::kFailed;
    }
  }
  map.version = version;
  ReadSettings(header, map);
  const bool tables_ok = ReadTables(header, source, map, prompter);
  if (CheckStartPoint(map) && tables_ok) return MapReadResult::kRead;
  switch (AskAbortRetryIgnore(prompter, kReadFailedWarning)) {
    case PromptAnswer::kIgnore:
      return MapReadResult::kRead;
    case PromptAnswer::kRetry:
      return MapReadResult::kRetry;
    default:
      return MapReadResult::kCloseWindow;
  }
}

MapReadResult ReadMapHeader(const std::string& header_path, const std::string& old_map_folder,
                            EditMap& map, Prompter& prompter) {
  const auto header = ReadFileBytes(header_path);
  if (!header) {
    ReportUnreadable(prompter, header_path);
    return MapReadResult::kFailed;
  }
  FolderTableSource source(DirectoryOf(header_path), old_map_folder);
  return ReadMapFromHeader(*header, source, map, prompter);
}

bool ParseSignalTables(std::string_view signal_set_text, std::string_view signal_text,
                       EditMap& map) {
  const bool sets_ok = ParseSignalTypeTable(signal_set_text, map);
  const bool aspects_ok = ParseAspectTable(signal_text, map);
  return sets_ok && aspects_ok;
}

bool LoadDefaultSignalTypes(EditMap& map, const std::string& old_map_folder, Prompter& prompter) {
  FolderTableSource source("", old_map_folder);
  std::string sets, aspects;
  if (!ReadDefaultSignalTables(source, prompter, &sets, &aspects)) return false;
  ParseSignalTables(sets, aspects, map);
  return true;
}

bool ResetToNewMap(EditMap& map, const std::string& old_map_folder, Prompter& prompter) {
  map.Reset();
  return LoadDefaultSignalTypes(map, old_map_folder, prompter);
}

}  // namespace corvane
