#include "interchange/windia_line.h"

#include <algorithm>
#include <climits>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/file_messages.h"

namespace corvane {
namespace {

constexpr int kNextDay = 86400;
constexpr int kHalfDay = 43200;
constexpr int kMarkStep = 2000;  // distance marks of station k: 2000 × k

int Clamped(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

struct DefaultType {
  const char* short_name;  // UTF-8
  const char* name;
  int kind;
};

constexpr DefaultType kDefaultTypes[kWindiaTrainTypes] = {
    {"普通", "普通", 1},     {"快速", "快速", 1},     {"特快", "特別快速", 1},
    {"新快", "新快速", 1},   {"通快", "通勤快速", 1}, {"準急", "準急", 1},
    {"急行", "急行", 1},     {"快急", "快速急行", 1}, {"特急", "特急", 1},
    {"快特", "快速特急", 1}, {"通準", "通勤準急", 1}, {"通急", "通勤急行", 1},
    {"区快", "区間快速", 1}, {"区急", "区間急行", 1}, {"回送", "回送", 0},
    {"貨物", "貨物", 0},     {"急貨", "急行貨物", 0},
};

// Stored colour words (blue in the high byte) of the colour bits of a line
// code, from 64 on in steps of 4.
constexpr int kLineColours[16] = {
    0xff0000, 0x00ff00, 0x800000, 0x008000, 0xffff00, 0x0000ff, 0x808000, 0x000080,
    0xff00ff, 0x00ffff, 0x800080, 0x008080, 0x000000, 0x808080, 0xc0c0c0, 0xffffff,
};

void ApplyLineCode(int code, TrainTypeRecord& type) {
  const int bits = code & 124;
  const int colour = bits < 64 ? 0 : kLineColours[(bits - 64) / 4];
  type.red = colour & 0xff;
  type.green = (colour >> 8) & 0xff;
  type.blue = (colour >> 16) & 0xff;
  type.line_style = code & 3;
  type.line_width = (code & 128) != 0 ? 500 : 250;
}

void BuildTrainTypes(const WindiaTimetable& timetable, DiaData& dia) {
  for (int n = 0; n < kWindiaTrainTypes; ++n) {
    TrainTypeRecord type;
    const DefaultType& given = kDefaultTypes[n];
    type.kind = given.kind;
    type.short_name = Utf8ToSjis(given.short_name);
    type.name = Utf8ToSjis(given.name);
    if (const auto& names = timetable.type_names[static_cast<std::size_t>(n)]) {
      type.name = names->name;
      type.short_name = names->short_name;
    }
    dia.train_types.Store(n + 1, type);
  }
  if (!timetable.line_codes) return;
  const std::vector<int>& codes = *timetable.line_codes;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    ApplyLineCode(codes[i], dia.train_types[static_cast<int>(i) + 1]);
  }
  dia.train_types.SetCount(static_cast<int>(codes.size()));
}

void BuildStations(const WindiaTimetable& timetable, SystemMap& map) {
  const int count = static_cast<int>(timetable.stations.size());
  for (int k = 1; k <= count; ++k) {
    const WindiaStation& given = timetable.stations[static_cast<std::size_t>(k - 1)];
    StationRecord station;
    station.scale = given.scale;
    station.melody_time = 0;
    station.door_min = station.door_mid = station.door_max = 0;
    station.short_name = given.name;
    station.name = given.name;
    map.stations.Store(k, station);

    TargetRecord target;
    target.station = k;
    target.target_scale = given.scale;
    target.time_display = given.time_display;
    target.short_name = station.short_name;
    target.name = station.name;
    target.start_marks.fill(Clamped(static_cast<long long>(kMarkStep) * k));
    map.targets.Store(k, target);

    for (const int direction : {1, 2}) {
      RailRecord rail;
      rail.direction = direction;
      rail.station = k;
      rail.target = k;
      rail.stop_distance = 100;
      rail.signal = 1;
      rail.display_row = 0;
      // Reading derives a rail's direction from its ends: a leftward rail
      // ends left of where it starts, though nothing of the line is drawn.
      if (direction == 1) rail.x_entry = 1;
      rail.l_dual = direction == 1 ? 2 * k : 2 * k - 1;
      rail.l_pack = k;
      rail.short_name = station.short_name;
      rail.name = station.name;
      map.rails.Store(2 * k - 2 + direction, rail);
    }
    PRailRecord piece;
    piece.rail_first = 2 * k - 1;
    piece.rail_second = 2 * k;
    map.prails.Store(k, piece);
  }
}

DiagramRecord DiagramOf(const WindiaTrain& train) {
  DiagramRecord diagram;
  diagram.direction = train.down ? 2 : 1;
  diagram.values.fill(0);
  diagram.values[6] = Clamped(static_cast<long long>(train.type) + 1);
  diagram.values[10] = 1;
  diagram.values[16] = train.value17;
  diagram.text1 = train.number;
  diagram.destination = train.number;
  diagram.text3 = train.text3;
  diagram.text4 = train.remark;
  return diagram;
}

void RecordRunTime(std::vector<RunTimeEntry>& times, const RunTimeEntry& entry) {
  for (RunTimeEntry& known : times) {
    if (known.from_target == entry.from_target && known.to_target == entry.to_target &&
        known.kind == entry.kind) {
      known.time = std::min(known.time, entry.time);
      return;
    }
  }
  times.push_back(entry);
}

// The train's events with the next-day rule applied and its running times
// recorded; the end event repeats the last event. Passes without a time
// take no part in either.
std::vector<StopEvent> WalkEvents(const WindiaTrain& train, std::vector<RunTimeEntry>& times) {
  std::vector<StopEvent> events;
  std::optional<StopEvent> departure;
  for (const WindiaEvent& given : train.events) {
    StopEvent event = given.event;
    if (given.timed && departure) {
      if (event.time < static_cast<long long>(departure->time) - kHalfDay) {
        event.time = Clamped(static_cast<long long>(event.time) + kNextDay);
      }
      if (event.time > departure->time) {
        RecordRunTime(times,
                      {departure->rail, event.rail,
                       Clamped(static_cast<long long>(event.time) - departure->time), event.kind});
      }
    }
    if (given.timed && event.kind == kEventDeparture) departure = event;
    events.push_back(event);
  }
  const StopEvent last = events.empty() ? StopEvent{} : events.back();
  events.push_back({last.rail, last.time, kEventEnd});
  return events;
}

// The target of a down rail, 0 for any other rail.
int DownTarget(const SystemMap& map, int rail) {
  if (!map.rails.Contains(rail) || map.rails[rail].direction != 2) return 0;
  const int target = map.rails[rail].target;
  return map.targets.Contains(target) ? target : 0;
}

// Moves the distance marks apart by the shortest down arrival times.
void SpreadDistanceMarks(const std::vector<RunTimeEntry>& times, SystemMap& map) {
  for (int e = 1; e <= map.targets.count(); ++e) {
    int best_time = 0;
    int best_target = 0;
    for (const RunTimeEntry& entry : times) {
      if (entry.kind != kEventArrival || DownTarget(map, entry.from_target) != e) continue;
      const int f = DownTarget(map, entry.to_target);
      if (f == 0) continue;
      if (best_target == 0 || entry.time < best_time ||
          (entry.time == best_time && f < best_target)) {
        best_time = entry.time;
        best_target = f;
      }
    }
    if (best_target == 0) continue;
    const long long mark_e = map.targets[e].start_marks[0];
    const long long shift = static_cast<long long>(best_time) * 1000 / 60 + mark_e -
                            map.targets[best_target].start_marks[0];
    for (int t = 1; t <= map.targets.count(); ++t) {
      auto& marks = map.targets[t].start_marks;
      if (marks[0] <= mark_e) continue;
      for (int& mark : marks) mark = Clamped(mark + shift);
    }
  }
}

}  // namespace

DiaFile BuildWindiaLine(const WindiaTimetable& timetable) {
  const int stations = static_cast<int>(timetable.stations.size());
  const int trains = static_cast<int>(std::min<std::size_t>(timetable.trains.size(), INT_MAX - 1));
  SystemMapCounts map_room{std::max(128, 2 * stations),
                           std::max(256, stations),
                           1,
                           std::max(128, stations),
                           std::max(128, stations),
                           128,
                           1,
                           1,
                           0};
  DiaCounts dia_room;
  dia_room.trains = 1;
  dia_room.units = 1;
  dia_room.diagrams = std::max(8196, trains);

  DiaFile file;
  file.header.wdia_mode = 1;
  file.header.map_code = 99999;
  file.header.dia_title = timetable.title;
  file.map = SystemMap(map_room);
  file.map.rows[0] = RowRecord{};  // nothing is drawn on the board
  file.dia = DiaData(dia_room);
  SystemMap& map = file.map;
  DiaData& dia = file.dia;

  BuildStations(timetable, map);
  BuildTrainTypes(timetable, dia);
  SpeedTypeRecord speed;
  speed.series = 1;
  speed.short_name = Utf8ToSjis("標準");
  speed.name = speed.short_name.view();
  dia.speed_types.Store(1, speed);
  ModeRecord mode;
  mode.name = Utf8ToSjis("全駅");
  dia.modes.Store(1, mode);

  std::vector<RunTimeEntry>& times = dia.speed_types[1].run_times;
  for (int i = 0; i < trains; ++i) {
    const WindiaTrain& train = timetable.trains[static_cast<std::size_t>(i)];
    DiagramRecord diagram = DiagramOf(train);
    diagram.events = WalkEvents(train, times);
    dia.diagrams.Store(i + 1, std::move(diagram));
  }
  SpreadDistanceMarks(times, map);
  BuildTrackLists(map);
  return file;
}

std::optional<DiaFile> ImportWindiaFile(const std::string& path, Prompter& prompter) {
  const std::optional<std::string> text = ReadFileBytes(path);
  if (!text) {
    ReportFileError(prompter, kCannotOpenForRead, path, kReadErrorCaption);
    return std::nullopt;
  }
  if (!IsWindiaText(*text)) {
    ReportFileError(prompter, kNotWindiaText, path, kNotWindiaCaption);
    return std::nullopt;
  }
  return BuildWindiaLine(ReadWindiaText(*text));
}

}  // namespace corvane
