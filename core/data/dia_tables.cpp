#include "data/dia_tables.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "base/ini_keys.h"
#include "base/member_text.h"
#include "base/record_format.h"
#include "data/member_rows.h"

namespace corvane {

namespace {

// Data versions that added columns.
constexpr int kVersionDiagramValue12 = 1120;
constexpr int kVersionDiagramValues = 1130;
constexpr int kVersionDiagramText3 = 1140;
constexpr int kVersionLeverColumn = 1230;

// ------------------------------------------------------------ column descriptions

const RecordFormat<SeriesRecord>& SeriesFormat() {
  using R = SeriesRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::record_version>(4).Num<&R::cars>(2).Num<&R::length>(3).Num<&R::doors>(2);
    f.Num<&R::door_width>(4).Num<&R::capacity>(4).Num<&R::max_load>(3).Num<&R::max_speed>(3);
    f.Elements<&R::supplies>(1).Num<&R::gauge>(4).Elements<&R::times>(2).Elements<&R::rates>(4);
    f.Num<&R::characteristic>(1).Num<&R::acceleration_rows>(4).Num<&R::mass>(3);
    f.Num<&R::motors>(3).Real<&R::inertia>(5, 3).Real<&R::resistance_a>(5, 3);
    f.Real<&R::resistance_b>(6, 4).Real<&R::resistance_c>(6, 4).Real<&R::resistance_d>(6, 4);
    f.Real<&R::curve_resistance>(5, 1).Num<&R::owned_units>(2);
    f.Element<&R::file_time>(4, 0);
    for (int k = 1; k < 6; ++k) f.Element<&R::file_time>(2, k);
    f.Num<&R::sound_speed>(3).Text<&R::short_name>().Text<&R::name>().Text<&R::photo>();
    f.Text<&R::icon>();
    return f;
  }();
  return format;
}

const RecordFormat<TrainRecord>& TrainFormat() {
  using R = TrainRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::value1>(3).Num<&R::rail>(3).Num<&R::value3>(3).Text<&R::name>().TrailingComma();
    return f;
  }();
  return format;
}

const RecordFormat<UnitRecord>& UnitFormat() {
  using R = UnitRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::diagram>(3).Num<&R::train>(3).Num<&R::value3>(3).Num<&R::value4>(3);
    f.Num<&R::series>(3).Text<&R::name>().TrailingComma();
    return f;
  }();
  return format;
}

const RecordFormat<DiagramRecord>& DiagramFormat() {
  using R = DiagramRecord;
  static const RecordFormat<R> format = [] {
    constexpr int kWidths[kDiagramValues] = {2, 1, 1, 3, 3, 1, 2, 2, 2, 1, 2, 1, 1, 3, 3, 3, 3};
    RecordFormat<R> f;
    f.Num<&R::direction>(0);
    for (int k = 0; k < kDiagramValues; ++k) {
      f.Element<&R::values>(kWidths[k], k);
      if (k < 4 || k == 12) f.Since(kVersionDiagramValues);
      if (k == 11) f.Since(kVersionDiagramValue12);
    }
    f.Text<&R::text1>().Text<&R::destination>();
    f.Text<&R::text3>().Since(kVersionDiagramText3);
    f.Text<&R::text4>().TrailingComma();
    return f;
  }();
  return format;
}

// A stop event as a row of its member, with the run it belongs to.
struct EventRow {
  int diagram = 0;
  int rail = 0;
  int time = 0;
  int kind = 0;
  StopEvent event() const { return {rail, time, kind}; }
  void set(const StopEvent& e) {
    rail = e.rail;
    time = e.time;
    kind = e.kind;
  }
};

const RecordFormat<EventRow>& EventFormat() {
  static const RecordFormat<EventRow> format = [] {
    RecordFormat<EventRow> f;
    f.Num<&EventRow::diagram>(2);
    f.Num<&EventRow::rail>(3);
    f.Num<&EventRow::time>(5).ZeroPadded().Range(0, kMostSeconds);
    f.Num<&EventRow::kind>(0);
    return f;
  }();
  return format;
}

const RecordFormat<PatternRecord>& PatternFormat() {
  using R = PatternRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::diagram>(3).Num<&R::value2>(2).Num<&R::value3>(3).Num<&R::value4>(3);
    f.Text<&R::short_name>().Text<&R::name>().TrailingComma();
    return f;
  }();
  return format;
}

const RecordFormat<TrainTypeRecord>& TrainTypeFormat() {
  using R = TrainTypeRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::kind>(1).Num<&R::line_style>(3).Num<&R::line_width>(3);
    f.Num<&R::red>(3).Num<&R::green>(3).Num<&R::blue>(3);
    f.Text<&R::one_char_name>().Text<&R::short_name>().Text<&R::name>();
    f.Text<&R::name4>().Text<&R::name5>().TrailingComma();
    return f;
  }();
  return format;
}

const RecordFormat<ModeRecord>& ModeFormat() {
  using R = ModeRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::value1>(1).Num<&R::value2>(1).Text<&R::name>();
    return f;
  }();
  return format;
}

const RecordFormat<SpeedTypeRecord>& SpeedTypeFormat() {
  using R = SpeedTypeRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::series>(2).Num<&R::value2>(3).Text<&R::short_name>().Text<&R::name>();
    return f;
  }();
  return format;
}

struct RunTimeRow {
  int speed_type = 0;
  int from_target = 0;
  int to_target = 0;
  int time = 0;
  int kind = 0;
};

const RecordFormat<RunTimeRow>& RunTimeFormat() {
  static const RecordFormat<RunTimeRow> format = [] {
    RecordFormat<RunTimeRow> f;
    f.Num<&RunTimeRow::from_target>(3);
    f.Num<&RunTimeRow::to_target>(3);
    f.Time<&RunTimeRow::time>().Range(0, kMostSeconds);
    f.Num<&RunTimeRow::kind>(1);
    return f;
  }();
  return format;
}

const RecordFormat<StopTimeEntry>& StopTimeFormat() {
  using R = StopTimeEntry;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::target>(3).Num<&R::rail>(3).Num<&R::kind>(1);
    f.Num<&R::seconds>(4).Range(0, kMostSeconds);
    f.Num<&R::train_type>(2).Num<&R::speed_type>(2);
    return f;
  }();
  return format;
}

const RecordFormat<DemandEntry>& DemandFormat() {
  using R = DemandEntry;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::from>(3).Num<&R::to>(3).Num<&R::count>(4);
    f.Time<&R::time>().Range(0, kMostSeconds).NoComma();
    return f;
  }();
  return format;
}

const RecordFormat<LeverRecord>& LeverFormat() {
  using R = LeverRecord;
  static const RecordFormat<R> format = [] {
    constexpr int kWidths[kLeverValues] = {1, 3, 3, 1, 1, 1, 2, 4, 4, 1, 2, 4, 4};
    // The lever's and its signal button's places on the board.
    constexpr int kCoordinates[] = {7, 8, 11, 12};
    RecordFormat<R> f;
    for (int k = 0; k < kLeverValues; ++k) {
      f.Element<&R::values>(kWidths[k], k);
      if (std::find(std::begin(kCoordinates), std::end(kCoordinates), k) !=
          std::end(kCoordinates)) {
        f.Range(-kBoardLimit, kBoardLimit);
      }
      if (k == 1) f.Num<&R::newer_value>(3).Since(kVersionLeverColumn).NotWritten();
    }
    return f;
  }();
  return format;
}

const RecordFormat<ButtonRecord>& ButtonFormat() {
  using R = ButtonRecord;
  static const RecordFormat<R> format = [] {
    constexpr int kWidths[kButtonValues] = {3, 1, 1, 1, 2, 4, 4};
    RecordFormat<R> f;
    for (int k = 0; k < kButtonValues; ++k) f.Element<&R::values>(kWidths[k], k);
    return f;
  }();
  return format;
}

// Integers of each disturbance kind before its timing block.
constexpr int kAccidentValues[kAccidentKinds] = {6, 6, 3, 4, 4};

const RecordFormat<AccidentRecord>& AccidentFormat(int kind) {
  using R = AccidentRecord;
  static const std::vector<RecordFormat<R>> formats = [] {
    std::vector<RecordFormat<R>> all;
    for (int k = 0; k < kAccidentKinds; ++k) {
      RecordFormat<R> f;
      for (int v = 0; v < kAccidentValues[k]; ++v) f.Element<&R::values>(0, v);
      f.Elements<&R::timing>(0);
      // The station kind repeats the block's first integer.
      if (k == static_cast<int>(AccidentKind::kStation)) f.Num<&R::timing_copy>(0);
      all.push_back(std::move(f));
    }
    return all;
  }();
  return formats[static_cast<std::size_t>(kind)];
}

// ------------------------------------------------------------ helpers

std::string Sjis(const char* utf8) { return Utf8ToSjis(utf8); }

void Section(std::string_view name_utf8, MemberWriter& out) {
  out.Raw("[").Raw(Utf8ToSjis(name_utf8)).Raw("]\n");
}

void Entry(std::string_view key, std::string_view value, MemberWriter& out) {
  out.Raw(key).Raw("=").Raw(value).EndLine();
}

std::string SeriesKey(int n) { return "series_" + std::to_string(n); }

// ------------------------------------------------------------ runs and events

void WriteDiagrams(const DiaData& dia, MemberWriter& out) {
  bool any = false;
  for (int i = 1; i <= dia.diagrams.count(); ++i) {
    const DiagramRecord& d = dia.diagrams[i];
    if (!d.Saved()) continue;
    DiagramFormat().Write(i, d, 3, out);
    any = true;
  }
  if (!any) out.Raw("0,0,0,0,0,0,0\n");
}

void WriteEvents(const DiaData& dia, MemberWriter& out) {
  bool any = false;
  for (int i = 1; i <= dia.diagrams.count(); ++i) {
    const DiagramRecord& d = dia.diagrams[i];
    if (!d.Saved()) continue;
    any = true;
    EventRow row;
    row.diagram = i;
    bool ended = false;
    for (const StopEvent& e : d.events) {
      if (e.kind == kEventNotSaved) continue;
      row.set(e);
      EventFormat().WriteFields(row, out);
      ended = e.kind == kEventEnd;
      if (ended) break;
    }
    // A list that lost its end entry still ends in the member.
    if (!ended) {
      row.set(d.events.empty() ? StopEvent{} : d.events.back());
      row.kind = kEventEnd;
      EventFormat().WriteFields(row, out);
    }
  }
  if (!any) out.Raw("0,0,0,0,0,0,0,\n");
}

bool ReadEvents(std::string_view text, DiaData& dia, std::string* problem) {
  for (int i = 1; i <= dia.diagrams.count(); ++i) dia.diagrams[i].events.clear();
  int line_number = 0;
  bool ok = true;
  ForEachMemberLine(text, [&](const MemberLine& line) {
    ++line_number;
    if (!ok) return;
    EventRow row;
    OutOfRange out_of_range;
    const bool usable = EventFormat().Read(line, kDiaVersion, 0, row, 0, &out_of_range);
    if (row.diagram == 0) return;  // the empty table's placeholder
    if (!usable) {
      *problem = LineProblem(line_number, out_of_range.Text());
      ok = false;
      return;
    }
    // Events of an empty run (direction mark 0) are kept, and go when the
    // run is not written.
    if (!dia.diagrams.Contains(row.diagram)) {
      *problem =
          LineProblem(line_number, "an event of no train run " + std::to_string(row.diagram));
      ok = false;
      return;
    }
    dia.diagrams[row.diagram].events.push_back(row.event());
  });
  if (!ok) return false;
  // Every list ends with an end entry repeating the last rail and time.
  for (int i = 1; i <= dia.diagrams.count(); ++i) {
    DiagramRecord& d = dia.diagrams[i];
    if (d.direction == 0) continue;
    if (d.events.empty() || d.events.back().kind != kEventEnd) {
      StopEvent end = d.events.empty() ? StopEvent{} : d.events.back();
      end.kind = kEventEnd;
      d.events.push_back(end);
    }
  }
  return true;
}

// ------------------------------------------------------------ lists without a count

void WriteRunTimes(const DiaData& dia, MemberWriter& out) {
  for (int v = 1; v <= dia.speed_types.count(); ++v) {
    for (const RunTimeEntry& e : dia.speed_types[v].run_times) {
      if (e.kind == 0) break;
      RunTimeFormat().Write(v, RunTimeRow{v, e.from_target, e.to_target, e.time, e.kind}, 2, out);
    }
  }
}

bool ReadRunTimes(std::string_view text, DiaData& dia, std::string* problem) {
  for (int v = 1; v <= dia.speed_types.count(); ++v) dia.speed_types[v].run_times.clear();
  int line_number = 0;
  bool ok = true;
  ForEachMemberLine(text, [&](const MemberLine& line) {
    ++line_number;
    if (!ok) return;
    RunTimeRow row;
    row.speed_type = line.Int(0);
    OutOfRange out_of_range;
    const bool usable =
        RunTimeFormat().Read(line, kDiaVersion, row.speed_type, row, 1, &out_of_range);
    if (row.kind == 0) return;  // ends a list; kept out of memory
    if (!usable) {
      *problem = LineProblem(line_number, out_of_range.Text());
      ok = false;
      return;
    }
    if (!dia.speed_types.Contains(row.speed_type)) {
      *problem =
          LineProblem(line_number, "a time of no speed type " + std::to_string(row.speed_type));
      ok = false;
      return;
    }
    dia.speed_types[row.speed_type].run_times.push_back(
        {row.from_target, row.to_target, row.time, row.kind});
  });
  return ok;
}

template <typename Entry>
void WriteList(const std::vector<Entry>& list, const RecordFormat<Entry>& format,
               MemberWriter& out) {
  for (const Entry& e : list) format.WriteFields(e, out);
}

// Entries up to the one `ends` says closes the list. False with `*problem`
// for an entry holding a number out of its range.
template <typename Entry, typename Ends>
bool ReadList(std::string_view text, const RecordFormat<Entry>& format, Ends ends,
              std::vector<Entry>& list, std::string* problem) {
  list.clear();
  bool ended = false;
  bool ok = true;
  int line_number = 0;
  ForEachMemberLine(text, [&](const MemberLine& line) {
    ++line_number;
    if (ended || !ok) return;
    Entry e;
    OutOfRange out_of_range;
    const bool usable = format.Read(line, kDiaVersion, 0, e, 0, &out_of_range);
    if (ends(e)) {
      ended = true;
      return;
    }
    if (!usable) {
      *problem = LineProblem(line_number, out_of_range.Text());
      ok = false;
      return;
    }
    list.push_back(e);
  });
  return ok;
}

// ------------------------------------------------------------ disturbances

void WriteAccidents(const Table<AccidentRecord>& table, int kind, MemberWriter& out) {
  for (int i = 1; i <= table.count(); ++i) {
    AccidentRecord a = table[i];
    a.timing_copy = a.timing[0];
    // Written as the numbers' line without its line feed, then the texts.
    MemberWriter numbers;
    AccidentFormat(kind).WriteFields(a, numbers);
    std::string line = numbers.Take();
    line.pop_back();
    out.Raw(line);
    if (a.texts) {
      for (const LongText& t : *a.texts) out.Text(t.view());
    } else {
      out.Raw(",,,,");
    }
    out.EndLine();
  }
}

void ReadAccidents(std::string_view text, int kind, Table<AccidentRecord>& table) {
  const int capacity = table.capacity();
  const auto& format = AccidentFormat(kind);
  const int numbers = static_cast<int>(format.columns().size());
  table.SetCount(0);
  ForEachMemberLine(text, [&](const MemberLine& line) {
    if (table.count() >= capacity) return;
    AccidentRecord a;
    format.Read(line, kDiaVersion, 0, a, 0);
    // ",,,," leaves five pieces after the numbers; texts written leave six.
    if (line.size() > numbers + kAccidentTexts) {
      a.texts.emplace();
      for (int t = 0; t < kAccidentTexts; ++t) {
        (*a.texts)[static_cast<std::size_t>(t)] = line.Text(numbers + t);
      }
    }
    table.Append(a);
  });
}

// ------------------------------------------------------------ sound.ini

// The first character of a station keyed by number; no plain name starts
// with it. ("#" would open a bundle member, ";" a comment, "[" a section.)
constexpr char kNumberedMelodyKey = '*';

bool PlainMelodyKey(std::string_view name) {
  if (name.empty() || name.find('=') != std::string_view::npos) return false;
  const char first = name.front();
  if (first == kNumberedMelodyKey || first == '#' || first == ';' || first == '[') return false;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return !blank(name.front()) && !blank(name.back());
}

// Stations keyed by their abbreviated name when it is plain and no other
// station's name matches it; others by "*<number>", which no plain name
// can be.
std::string MelodyKey(const SystemMap& map, int station) {
  const std::string_view name = map.stations[station].short_name.view();
  bool unique = PlainMelodyKey(name);
  for (int j = 1; unique && j <= map.stations.count(); ++j) {
    if (j != station && EqualsIgnoringCase(map.stations[j].short_name.view(), name)) {
      unique = false;
    }
  }
  return unique ? std::string(name) : kNumberedMelodyKey + std::to_string(station);
}

constexpr const char* kSeriesSoundSections[] = {"ＡＴＣ", "ポイント", "走行音", "ＢＶＥ"};

LongText SeriesRecord::*SeriesSound(int section) {
  static constexpr LongText SeriesRecord::*kSounds[] = {
      &SeriesRecord::door_open_sound, &SeriesRecord::door_close_sound, &SeriesRecord::atc_sound,
      &SeriesRecord::point_sound,     &SeriesRecord::running_sound,    &SeriesRecord::bve_sound};
  return kSounds[section];
}

void WriteSeriesSounds(const DiaData& dia, int section, MemberWriter& out) {
  for (int n = 1; n <= dia.series.count(); ++n) {
    Entry(SeriesKey(n), (dia.series[n].*SeriesSound(section)).view(), out);
  }
}

void WriteSound(const SystemMap& map, const DiaData& dia, MemberWriter& out) {
  Section("発メロ", out);
  for (int s = 1; s <= map.stations.count(); ++s) {
    Entry(MelodyKey(map, s), map.stations[s].melody_file.view(), out);
  }
  out.EndLine();
  Section("ドア開", out);
  Entry("open", dia.door_sounds.open.view(), out);
  WriteSeriesSounds(dia, 0, out);
  out.EndLine();
  Section("ドア閉", out);
  Entry("close", dia.door_sounds.close.view(), out);
  WriteSeriesSounds(dia, 1, out);
  out.EndLine();
  for (int k = 0; k < 4; ++k) {
    Section(kSeriesSoundSections[k], out);
    WriteSeriesSounds(dia, k + 2, out);
    out.EndLine();
  }
}

void ReadSound(std::string_view text, SystemMap& map, DiaData& dia) {
  const IniFile ini = IniFile::Parse(text);
  const std::string melody = Sjis("発メロ");
  for (int s = 1; s <= map.stations.count(); ++s) {
    const std::string key = MelodyKey(map, s);
    std::optional<std::string> value = ini.Find(melody, key);
    // Files of other programs key every station by its name.
    const std::string_view name = map.stations[s].short_name.view();
    if (!value && key.front() == kNumberedMelodyKey && !name.empty() &&
        name.find('=') == std::string_view::npos) {
      value = ini.Find(melody, name);
    }
    StoreIniValue(map.stations[s].melody_file, value.value_or(""));
  }
  StoreIniValue(dia.door_sounds.open, ini.GetString(Sjis("ドア開"), "open", "open.wav"));
  StoreIniValue(dia.door_sounds.close, ini.GetString(Sjis("ドア閉"), "close", "close.wav"));
  const std::string sections[6] = {Sjis("ドア開"),   Sjis("ドア閉"), Sjis("ＡＴＣ"),
                                   Sjis("ポイント"), Sjis("走行音"), Sjis("ＢＶＥ")};
  for (int n = 1; n <= dia.series.count(); ++n) {
    for (int k = 0; k < 6; ++k) {
      StoreIniValue(dia.series[n].*SeriesSound(k), ini.GetString(sections[k], SeriesKey(n)));
    }
  }
}

// ------------------------------------------------------------ crew_msg.ini

void WriteCrewMessages(const DiaData& dia, MemberWriter& out) {
  std::size_t k = 0;
  for (const CrewMessageSection& section : CrewMessageSections()) {
    Section(section.name, out);
    for (const char* key : section.keys) Entry(Sjis(key), dia.crew_messages[k++].view(), out);
    out.EndLine();
  }
}

}  // namespace

void ReadCrewMessages(std::string_view text, CrewMessages& messages) {
  const IniFile ini = IniFile::Parse(text);
  std::size_t k = 0;
  for (const CrewMessageSection& section : CrewMessageSections()) {
    const std::string name = Sjis(section.name);
    for (const char* key : section.keys)
      StoreIniValue(messages[k++], ini.GetString(name, Sjis(key)));
  }
}

const std::vector<DiaMemberInfo>& DiaMembers() {
  static const std::vector<DiaMemberInfo> members = {
      {DiaMember::kSeries, "series", "series.csv"},
      {DiaMember::kTrain, "train", "train.csv"},
      {DiaMember::kUnit, "unit", "unit.csv"},
      {DiaMember::kDiagram, "diagram", "diagram.csv"},
      {DiaMember::kEvent, "d_event", "d_event.csv"},
      {DiaMember::kPattern, "d_pattern", "d_pattern.csv"},
      {DiaMember::kTrainType, "d_type", "d_type.csv"},
      {DiaMember::kMode, "d_mode", "d_mode.csv"},
      {DiaMember::kSpeedType, "velocity", "velocity.csv"},
      {DiaMember::kRunTime, "require_time", "require_time.csv"},
      {DiaMember::kStopTime, "stop_time", "stop_time.csv"},
      {DiaMember::kPassenger, "passenger", "passenger.csv"},
      {DiaMember::kLever, "route_lever", "route_lever.csv"},
      {DiaMember::kButton, "route_button", "route_button.csv"},
      {DiaMember::kAccidentBetween, "accident_between", "accident_between.csv"},
      {DiaMember::kAccidentRail, "accident_rail", "accident_rail.csv"},
      {DiaMember::kAccidentPoint, "accident_point", "accident_point.csv"},
      {DiaMember::kAccidentUnit, "accident_unit", "accident_unit.csv"},
      {DiaMember::kAccidentStation, "accident_station", "accident_station.csv"},
      {DiaMember::kSound, "sound", "sound.ini"},
      {DiaMember::kCrewMessage, "crew_msg", "crew_msg.ini"},
  };
  return members;
}

const std::vector<DiaMemberInfo>& DiaMembersByHeaderOrder() {
  static const std::vector<DiaMemberInfo> members = [] {
    std::vector<DiaMemberInfo> list = DiaMembers();
    // The header lists the pattern member after the types and modes.
    const auto pattern = std::find_if(list.begin(), list.end(), [](const DiaMemberInfo& info) {
      return info.member == DiaMember::kPattern;
    });
    const auto mode = std::find_if(list.begin(), list.end(), [](const DiaMemberInfo& info) {
      return info.member == DiaMember::kMode;
    });
    std::rotate(pattern, pattern + 1, mode + 1);
    return list;
  }();
  return members;
}

std::string AccelerationMemberName(int series) {
  return "table_acceleration_" + std::to_string(series) + ".csv";
}

std::string CurveLimitMemberName(int series) {
  return "table_curve_limit_" + std::to_string(series) + ".csv";
}

std::string FormatSeriesTable(const std::vector<std::pair<int, int>>& rows, bool acceleration) {
  MemberWriter out;
  for (const auto& [speed, value] : rows) {
    out.Num(acceleration ? 6 : 4, speed).Num(3, value).EndLine();
  }
  return out.Take();
}

void ReadSeriesTable(std::string_view text, std::vector<std::pair<int, int>>& rows) {
  rows.clear();
  ForEachMemberLine(text,
                    [&](const MemberLine& line) { rows.emplace_back(line.Int(0), line.Int(1)); });
}

std::string FormatDiaMember(const SystemMap& map, const DiaData& dia, DiaMember member) {
  MemberWriter out;
  switch (member) {
    case DiaMember::kSeries:
      SeriesFormat().Write(0, SeriesFormat().Empty(), 2, out);
      for (int i = 1; i <= dia.series.count(); ++i) {
        SeriesRecord record = dia.series[i];
        record.acceleration_rows = static_cast<int>(record.acceleration.size());
        SeriesFormat().Write(i, record, 2, out);
      }
      break;
    case DiaMember::kTrain:
      WriteNumberedRows(dia.trains, TrainFormat(), RowZero::kPlaceholder, 2, out);
      break;
    case DiaMember::kUnit:
      WriteNumberedRows(dia.units, UnitFormat(), RowZero::kPlaceholder, 2, out);
      break;
    case DiaMember::kDiagram:
      WriteDiagrams(dia, out);
      break;
    case DiaMember::kEvent:
      WriteEvents(dia, out);
      break;
    case DiaMember::kPattern:
      WriteNumberedRows(dia.patterns, PatternFormat(), RowZero::kNone, 2, out);
      break;
    case DiaMember::kTrainType:
      WriteNumberedRows(dia.train_types, TrainTypeFormat(), RowZero::kPlaceholder, 2, out);
      break;
    case DiaMember::kMode:
      WriteNumberedRows(dia.modes, ModeFormat(), RowZero::kNone, 2, out);
      break;
    case DiaMember::kSpeedType:
      WriteNumberedRows(dia.speed_types, SpeedTypeFormat(), RowZero::kNone, 2, out);
      break;
    case DiaMember::kRunTime:
      WriteRunTimes(dia, out);
      break;
    case DiaMember::kStopTime:
      WriteList(dia.stop_times, StopTimeFormat(), out);
      break;
    case DiaMember::kPassenger:
      WriteList(dia.demand, DemandFormat(), out);
      break;
    case DiaMember::kLever:
      WriteNumberedRows(dia.levers, LeverFormat(), RowZero::kNone, 3, out);
      break;
    case DiaMember::kButton:
      WriteNumberedRows(dia.buttons, ButtonFormat(), RowZero::kNone, 3, out);
      break;
    case DiaMember::kAccidentBetween:
    case DiaMember::kAccidentRail:
    case DiaMember::kAccidentPoint:
    case DiaMember::kAccidentUnit:
    case DiaMember::kAccidentStation: {
      const int kind = static_cast<int>(member) - static_cast<int>(DiaMember::kAccidentBetween);
      WriteAccidents(dia.accidents[static_cast<std::size_t>(kind)], kind, out);
      break;
    }
    case DiaMember::kSound:
      WriteSound(map, dia, out);
      break;
    case DiaMember::kCrewMessage:
      WriteCrewMessages(dia, out);
      break;
  }
  return out.Take();
}

bool ReadDiaMember(DiaMember member, std::string_view text, int version, SystemMap& map,
                   DiaData& dia, std::string* problem) {
  switch (member) {
    case DiaMember::kSeries:
      return ReadNumberedRows(text, version, SeriesFormat(), RowZero::kPlaceholder, dia.series,
                              problem);
    case DiaMember::kTrain:
      return ReadNumberedRows(text, version, TrainFormat(), RowZero::kPlaceholder, dia.trains,
                              problem);
    case DiaMember::kUnit:
      return ReadNumberedRows(text, version, UnitFormat(), RowZero::kPlaceholder, dia.units,
                              problem);
    case DiaMember::kDiagram:
      return ReadNumberedRows(text, version, DiagramFormat(), RowZero::kNone, dia.diagrams,
                              problem);
    case DiaMember::kEvent:
      return ReadEvents(text, dia, problem);
    case DiaMember::kPattern:
      return ReadNumberedRows(text, version, PatternFormat(), RowZero::kNone, dia.patterns,
                              problem);
    case DiaMember::kTrainType:
      if (!ReadNumberedRows(text, version, TrainTypeFormat(), RowZero::kPlaceholder,
                            dia.train_types, problem)) {
        return false;
      }
      // A colour is one byte each in memory.
      for (int i = 1; i <= dia.train_types.count(); ++i) {
        TrainTypeRecord& t = dia.train_types[i];
        t.red &= 0xFF;
        t.green &= 0xFF;
        t.blue &= 0xFF;
      }
      return true;
    case DiaMember::kMode:
      return ReadNumberedRows(text, version, ModeFormat(), RowZero::kNone, dia.modes, problem);
    case DiaMember::kSpeedType:
      return ReadNumberedRows(text, version, SpeedTypeFormat(), RowZero::kNone, dia.speed_types,
                              problem);
    case DiaMember::kRunTime:
      return ReadRunTimes(text, dia, problem);
    case DiaMember::kStopTime:
      return ReadList(
          text, StopTimeFormat(),
          [](const StopTimeEntry& e) { return e.target == 0 && e.rail == 0; }, dia.stop_times,
          problem);
    case DiaMember::kPassenger:
      return ReadList(
          text, DemandFormat(), [](const DemandEntry& e) { return e.from == 0; }, dia.demand,
          problem);
    case DiaMember::kLever:
      return ReadNumberedRows(text, version, LeverFormat(), RowZero::kNone, dia.levers, problem);
    case DiaMember::kButton:
      return ReadNumberedRows(text, version, ButtonFormat(), RowZero::kNone, dia.buttons, problem);
    case DiaMember::kAccidentBetween:
    case DiaMember::kAccidentRail:
    case DiaMember::kAccidentPoint:
    case DiaMember::kAccidentUnit:
    case DiaMember::kAccidentStation: {
      const int kind = static_cast<int>(member) - static_cast<int>(DiaMember::kAccidentBetween);
      ReadAccidents(text, kind, dia.accidents[static_cast<std::size_t>(kind)]);
      return true;
    }
    case DiaMember::kSound:
      ReadSound(text, map, dia);
      return true;
    case DiaMember::kCrewMessage:
      ReadCrewMessages(text, dia.crew_messages);
      return true;
  }
  return false;
}

bool FinishDiaData(const SystemMap& map, DiaData& dia, std::string* problem) {
  // References stay within what the file says a table holds, as it writes
  // it again: the count of a table sized by the header, the fixed room of
  // the series and train types. So a file that reads also reads again after
  // it was saved. Runs named by trainsets and by other runs are read as
  // stored: whoever follows them checks them.
  auto within = [](int value, int count) { return value >= 0 && value <= count; };
  auto fail = [problem](const char* table, int number, const char* what) {
    *problem = std::string(table) + " " + std::to_string(number) + ": " + what;
    return false;
  };
  const int rails = map.rails.count();
  for (int i = 1; i <= dia.trains.count(); ++i) {
    if (!within(dia.trains[i].rail, rails)) return fail("train", i, "no such rail");
  }
  for (int i = 1; i <= dia.units.count(); ++i) {
    const UnitRecord& u = dia.units[i];
    if (!within(u.train, dia.trains.count())) return fail("trainset", i, "no such train");
    if (!within(u.series, dia.series.capacity())) return fail("trainset", i, "no such series");
  }
  for (int i = 1; i <= dia.diagrams.count(); ++i) {
    const DiagramRecord& d = dia.diagrams[i];
    if (d.direction == 0) continue;
    if (!within(d.values[0], map.targets.count())) return fail("train run", i, "no such target");
    if (!within(d.values[6], dia.train_types.capacity())) {
      return fail("train run", i, "no such train type");
    }
    for (const StopEvent& e : d.events) {
      if (!within(e.rail, rails)) return fail("train run", i, "an event on no rail");
    }
  }
  for (int v = 1; v <= dia.speed_types.count(); ++v) {
    if (!within(dia.speed_types[v].series, dia.series.capacity())) {
      return fail("speed type", v, "no such series");
    }
  }
  return true;
}

}  // namespace corvane
