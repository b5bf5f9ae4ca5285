#include "data/dia_tables.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "base/ini_keys.h"
#include "base/member_text.h"
#include "base/record_format.h"
#include "data/dia_members.h"
#include "data/member_rows.h"
#include "stock/series_format.h"

namespace corvane {

namespace {

// Data versions that added columns or members.
constexpr int kVersionDiagramValue12 = 1120;
constexpr int kVersionDiagramValues = 1130;
constexpr int kVersionDiagramText3 = 1140;
constexpr int kVersionSeriesTables = 1150;
constexpr int kVersionLeverColumn = 1230;

// ------------------------------------------------------------ column descriptions

const RecordFormat<TrainRecord>& TrainFormat() {
  using R = TrainRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::value1>(3).Num<&R::rail>(3).Refers(RefTo(DiaMember::kRail));
    f.Num<&R::value3>(3).Text<&R::name>().TrailingComma();
    return f;
  }();
  return format;
}

const RecordFormat<UnitRecord>& UnitFormat() {
  using R = UnitRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    // The run is read as stored: the load checks repair it.
    f.Num<&R::diagram>(3).Refers(StoredRefTo(DiaMember::kDiagram));
    f.Num<&R::train>(3).Refers(RefTo(DiaMember::kTrain));
    f.Num<&R::value3>(3).Num<&R::value4>(3);
    f.Num<&R::series>(3).Refers(RefTo(DiaMember::kSeries)).Text<&R::name>().TrailingComma();
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
      if (k == 0) f.Refers(RefTo(DiaMember::kTarget));         // the destination
      if (k == 4) f.Refers(StoredRefTo(DiaMember::kDiagram));  // repaired by the load checks
      if (k == 6) f.Refers(RefTo(DiaMember::kTrainType));
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
    f.Num<&EventRow::rail>(3).Refers(RefTo(DiaMember::kRail, "an event on no rail"));
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
    // The run is read as stored: the load checks repair it.
    f.Num<&R::diagram>(3).Refers(StoredRefTo(DiaMember::kDiagram));
    f.Num<&R::value2>(2).Num<&R::value3>(3).Num<&R::value4>(3);
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
    f.Num<&R::series>(2).Refers(RefTo(DiaMember::kSeries));
    f.Num<&R::value2>(3).Text<&R::short_name>().Text<&R::name>();
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
    f.Num<&RunTimeRow::from_target>(3).Refers(StoredRefTo(DiaMember::kTarget));
    f.Num<&RunTimeRow::to_target>(3).Refers(StoredRefTo(DiaMember::kTarget));
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
    f.Num<&R::target>(3).Refers(StoredRefTo(DiaMember::kTarget));
    f.Num<&R::rail>(3).Refers(StoredRefTo(DiaMember::kRail)).Num<&R::kind>(1);
    f.Num<&R::seconds>(4).Range(0, kMostSeconds);
    f.Num<&R::train_type>(2).Refers(StoredRefTo(DiaMember::kTrainType));
    f.Num<&R::speed_type>(2).Refers(StoredRefTo(DiaMember::kSpeedType));
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

// ------------------------------------------------------------ series

// Series with their acceleration and curve-limit tables, each a member of
// its own after "series.csv" under a fixed name.
class SeriesMember : public TableMember<&DiaData::series> {
 public:
  using TableMember::TableMember;

  void FormatCompanions(const DiaFile& file, std::vector<BundleMember>& out) const override {
    const Table<SeriesRecord>& series = file.dia.series;
    for (int n = 1; n <= series.count(); ++n) {
      out.push_back({AccelerationMemberName(n), FormatSeriesTable(series[n].acceleration, true)});
    }
    for (int n = 1; n <= series.count(); ++n) {
      out.push_back({CurveLimitMemberName(n), FormatSeriesTable(series[n].curve_limit, false)});
    }
  }

  // A series without one has no such table.
  void ReadCompanions(int version, MapTableSource& source, DiaFile& file) const override {
    if (version < kVersionSeriesTables) return;
    std::string shown;
    for (int n = 1; n <= file.dia.series.count(); ++n) {
      SeriesRecord& series = file.dia.series[n];
      if (auto text = source.ReadTable(AccelerationMemberName(n), &shown)) {
        ReadSeriesTable(*text, series.acceleration);
      }
      if (auto text = source.ReadTable(CurveLimitMemberName(n), &shown)) {
        ReadSeriesTable(*text, series.curve_limit);
      }
    }
  }

 protected:
  // The acceleration table's row count as the series holds it.
  void Write(const DiaFile& file, MemberWriter& out) const override {
    format().Write(0, format().Empty(), number_width(), out);
    for (int i = 1; i <= file.dia.series.count(); ++i) {
      SeriesRecord record = file.dia.series[i];
      record.acceleration_rows = static_cast<int>(record.acceleration.size());
      format().Write(i, record, number_width(), out);
    }
  }
};

class TrainTypeMember : public TableMember<&DiaData::train_types> {
 public:
  using TableMember::TableMember;

 protected:
  // A colour is one byte each in memory.
  void AfterRead(Table<TrainTypeRecord>& types, int /*version*/) const override {
    for (int i = 1; i <= types.count(); ++i) {
      TrainTypeRecord& t = types[i];
      t.red &= 0xFF;
      t.green &= 0xFF;
      t.blue &= 0xFF;
    }
  }
};

// ------------------------------------------------------------ runs and events

// The runs that are saved (direction mark not 0); an empty table writes a
// placeholder line. A run's references include those of its stop events.
class DiagramMember : public TableMember<&DiaData::diagrams> {
 public:
  using TableMember::TableMember;

  bool CheckReferences(const DiaFile& file, std::string* problem) const override {
    const RowReferences<EventRow> events(EventFormat(), file);
    return CheckRows(file, problem, [&events](const DiagramRecord& d, std::string* what) {
      EventRow row;
      for (const StopEvent& e : d.events) {
        row.set(e);
        if (!events.Check(row, what)) return false;
      }
      return true;
    });
  }
  std::size_t Listed(const DiaFile& file) const override {
    const Table<DiagramRecord>& runs = file.dia.diagrams;
    return static_cast<std::size_t>(
        std::count_if(runs.begin(), runs.end(), [](const DiagramRecord& d) { return d.Saved(); }));
  }

 protected:
  void Write(const DiaFile& file, MemberWriter& out) const override {
    bool any = false;
    for (int i = 1; i <= file.dia.diagrams.count(); ++i) {
      const DiagramRecord& d = file.dia.diagrams[i];
      if (!d.Saved()) continue;
      format().Write(i, d, number_width(), out);
      any = true;
    }
    if (!any) out.Raw("0,0,0,0,0,0,0\n");
  }
  bool Checked(const DiagramRecord& d) const override { return d.direction != 0; }
};

// The stop events of every saved run, the run's number first; each run's
// list ends with its end entry. An empty run table writes a placeholder.
class EventsMember : public DiaMemberHandler {
 public:
  using DiaMemberHandler::DiaMemberHandler;

  std::size_t Listed(const DiaFile& file) const override {
    std::size_t events = 0;
    for (const DiagramRecord& d : file.dia.diagrams) {
      if (d.Saved()) events += d.events.size();
    }
    return events;
  }

 protected:
  void Write(const DiaFile& file, MemberWriter& out) const override {
    bool any = false;
    for (int i = 1; i <= file.dia.diagrams.count(); ++i) {
      const DiagramRecord& d = file.dia.diagrams[i];
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

  bool ReadRows(std::string_view text, int /*version*/, DiaFile& file,
                std::string* problem) const override {
    DiaData& dia = file.dia;
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
};

// ------------------------------------------------------------ running times

// Every speed type's running times, the type's number first; a list ends
// before its first entry of kind 0.
class RunTimesMember : public DiaMemberHandler {
 public:
  using DiaMemberHandler::DiaMemberHandler;

  std::size_t Listed(const DiaFile& file) const override {
    std::size_t times = 0;
    for (const SpeedTypeRecord& v : file.dia.speed_types) times += v.run_times.size();
    return times;
  }

 protected:
  void Write(const DiaFile& file, MemberWriter& out) const override {
    const DiaData& dia = file.dia;
    for (int v = 1; v <= dia.speed_types.count(); ++v) {
      for (const RunTimeEntry& e : dia.speed_types[v].run_times) {
        if (e.kind == 0) break;
        RunTimeFormat().Write(v, RunTimeRow{v, e.from_target, e.to_target, e.time, e.kind}, 2, out);
      }
    }
  }

  bool ReadRows(std::string_view text, int /*version*/, DiaFile& file,
                std::string* problem) const override {
    DiaData& dia = file.dia;
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
};

// ------------------------------------------------------------ disturbances

// The disturbances of one kind, in order without numbers: the kind's
// integers and timing block, then five texts (",,,," for a record without).
class AccidentMember : public DiaMemberHandler {
 public:
  AccidentMember(const DiaMemberInfo& info, AccidentKind kind)
      : DiaMemberHandler(info), kind_(static_cast<int>(kind)) {}

  std::size_t Listed(const DiaFile& file) const override {
    return static_cast<std::size_t>(Of(file).count());
  }

 protected:
  void Write(const DiaFile& file, MemberWriter& out) const override {
    const Table<AccidentRecord>& table = Of(file);
    for (int i = 1; i <= table.count(); ++i) {
      AccidentRecord a = table[i];
      a.timing_copy = a.timing[0];
      // Written as the numbers' line without its line feed, then the texts.
      MemberWriter numbers;
      AccidentFormat(kind_).WriteFields(a, numbers);
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

  // Rows beyond the table's count are left out.
  bool ReadRows(std::string_view text, int /*version*/, DiaFile& file,
                std::string* /*problem*/) const override {
    Table<AccidentRecord>& table = Of(file);
    const int capacity = table.capacity();
    const auto& format = AccidentFormat(kind_);
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
    return true;
  }

 private:
  const Table<AccidentRecord>& Of(const DiaFile& file) const {
    return file.dia.accidents[static_cast<std::size_t>(kind_)];
  }
  Table<AccidentRecord>& Of(DiaFile& file) const {
    return file.dia.accidents[static_cast<std::size_t>(kind_)];
  }

  int kind_;
};

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

class SoundMember : public DiaMemberHandler {
 public:
  using DiaMemberHandler::DiaMemberHandler;

 protected:
  void Write(const DiaFile& file, MemberWriter& out) const override {
    const SystemMap& map = file.map;
    Section("発メロ", out);
    for (int s = 1; s <= map.stations.count(); ++s) {
      Entry(MelodyKey(map, s), map.stations[s].melody_file.view(), out);
    }
    out.EndLine();
    Section("ドア開", out);
    Entry("open", file.dia.door_sounds.open.view(), out);
    WriteSeriesSounds(file.dia, 0, out);
    out.EndLine();
    Section("ドア閉", out);
    Entry("close", file.dia.door_sounds.close.view(), out);
    WriteSeriesSounds(file.dia, 1, out);
    out.EndLine();
    for (int k = 0; k < 4; ++k) {
      Section(kSeriesSoundSections[k], out);
      WriteSeriesSounds(file.dia, k + 2, out);
      out.EndLine();
    }
  }

  // The stations' melody files go to the compiled map.
  bool ReadRows(std::string_view text, int /*version*/, DiaFile& file,
                std::string* /*problem*/) const override {
    SystemMap& map = file.map;
    DiaData& dia = file.dia;
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
    return true;
  }
};

// ------------------------------------------------------------ crew_msg.ini

class CrewMessageMember : public DiaMemberHandler {
 public:
  using DiaMemberHandler::DiaMemberHandler;

 protected:
  void Write(const DiaFile& file, MemberWriter& out) const override {
    std::size_t k = 0;
    for (const CrewMessageSection& section : CrewMessageSections()) {
      Section(section.name, out);
      for (const char* key : section.keys) {
        Entry(Sjis(key), file.dia.crew_messages[k++].view(), out);
      }
      out.EndLine();
    }
  }
  bool ReadRows(std::string_view text, int /*version*/, DiaFile& file,
                std::string* /*problem*/) const override {
    ReadCrewMessages(text, file.dia.crew_messages);
    return true;
  }
};

template <int DiaCounts::*Field>
int& DiaCount(SystemMapCounts& /*map*/, DiaCounts& counts) {
  return counts.*Field;
}

template <AccidentKind Kind>
int& AccidentCount(SystemMapCounts& /*map*/, DiaCounts& counts) {
  return counts.accidents[static_cast<std::size_t>(Kind)];
}

bool EndsStopTimes(const StopTimeEntry& e) { return e.target == 0 && e.rail == 0; }
bool EndsDemand(const DemandEntry& e) { return e.from == 0; }

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

std::span<const DiaMemberHandler* const> TimetableMembers() {
  using M = DiaMember;
  using D = DiaCounts;
  using K = AccidentKind;
  static const SeriesMember series(MemberInfo(M::kSeries, "series.csv", "series", 12)
                                       .Records("series", "series")
                                       .ReferableToRoom(),
                                   SeriesFormat(), RowZero::kPlaceholder, 2);
  static const TableMember<&DiaData::trains> train(
      MemberInfo(M::kTrain, "train.csv", "train", 13)
          .Records("train", "trains")
          .Sized({"Train", 65535, 17, &DiaCount<&D::trains>}),
      TrainFormat(), RowZero::kPlaceholder, 2);
  static const TableMember<&DiaData::units> unit(
      MemberInfo(M::kUnit, "unit.csv", "unit", 14)
          .Records("trainset", "trainsets")
          .Sized({"Unit", 65535, 18, &DiaCount<&D::units>}),
      UnitFormat(), RowZero::kPlaceholder, 2);
  static const DiagramMember diagram(MemberInfo(M::kDiagram, "diagram.csv", "diagram", 15)
                                         .Records("train run", "train runs")
                                         .Sized({"Diagram", 65535, 16, &DiaCount<&D::diagrams>}),
                                     DiagramFormat(), RowZero::kNone, 3);
  static const EventsMember event(
      MemberInfo(M::kEvent, "d_event.csv", "d_event", 16).Listed("stop events"));
  // The header lists the patterns after the types and modes.
  static const TableMember<&DiaData::patterns> pattern(
      MemberInfo(M::kPattern, "d_pattern.csv", "d_pattern", 19)
          .Records("run pattern", "run patterns"),
      PatternFormat(), RowZero::kNone, 2);
  static const TrainTypeMember train_type(MemberInfo(M::kTrainType, "d_type.csv", "d_type", 17)
                                              .Records("train type", "train types")
                                              .ReferableToRoom(),
                                          TrainTypeFormat(), RowZero::kPlaceholder, 2);
  static const TableMember<&DiaData::modes> mode(
      MemberInfo(M::kMode, "d_mode.csv", "d_mode", 18).Records("mode", "modes"), ModeFormat(),
      RowZero::kNone, 2);
  static const TableMember<&DiaData::speed_types> speed_type(
      MemberInfo(M::kSpeedType, "velocity.csv", "velocity", 20)
          .Records("speed type", "speed types"),
      SpeedTypeFormat(), RowZero::kNone, 2);
  static const RunTimesMember run_time(
      MemberInfo(M::kRunTime, "require_time.csv", "require_time", 21).Listed("running times"));
  static const ListMember<&DiaData::stop_times> stop_time(
      MemberInfo(M::kStopTime, "stop_time.csv", "stop_time", 22)
          .Records("stop time", "standard stop times"),
      StopTimeFormat(), 0, &EndsStopTimes);
  static const ListMember<&DiaData::demand> passenger(
      MemberInfo(M::kPassenger, "passenger.csv", "passenger", 23)
          .Records("passenger demand", "passenger demand"),
      DemandFormat(), 0, &EndsDemand);
  static const TableMember<&DiaData::levers> lever(
      MemberInfo(M::kLever, "route_lever.csv", "route_lever", 24)
          .Records("lever", "levers")
          .Sized({"RouteLever", 65535, 9, &DiaCount<&D::levers>}),
      LeverFormat(), RowZero::kNone, 3);
  static const TableMember<&DiaData::buttons> button(
      MemberInfo(M::kButton, "route_button.csv", "route_button", 25)
          .Records("button", "buttons")
          .Sized({"RouteButton", 65535, 10, &DiaCount<&D::buttons>}),
      ButtonFormat(), RowZero::kNone, 3);
  static const AccidentMember accident_between(
      MemberInfo(M::kAccidentBetween, "accident_between.csv", "accident_between", 26)
          .Listed("disturbances between stations")
          .Sized({"AccidentBetween", 65535, 11, &AccidentCount<K::kBetween>}),
      K::kBetween);
  static const AccidentMember accident_rail(
      MemberInfo(M::kAccidentRail, "accident_rail.csv", "accident_rail", 27)
          .Listed("disturbances on rails")
          .Sized({"AccidentRail", 65535, 12, &AccidentCount<K::kRail>}),
      K::kRail);
  static const AccidentMember accident_point(
      MemberInfo(M::kAccidentPoint, "accident_point.csv", "accident_point", 28)
          .Listed("disturbances on points")
          .Sized({"AccidentPoint", 65535, 13, &AccidentCount<K::kPoint>}),
      K::kPoint);
  static const AccidentMember accident_unit(
      MemberInfo(M::kAccidentUnit, "accident_unit.csv", "accident_unit", 29)
          .Listed("disturbances of trainsets")
          .Sized({"AccidentUnit", 65535, 14, &AccidentCount<K::kUnit>}),
      K::kUnit);
  static const AccidentMember accident_station(
      MemberInfo(M::kAccidentStation, "accident_station.csv", "accident_station", 30)
          .Listed("disturbances at stations")
          .Sized({"AccidentStation", 65535, 15, &AccidentCount<K::kStation>}),
      K::kStation);
  static const SoundMember sound(MemberInfo(M::kSound, "sound.ini", "sound", 31));
  static const CrewMessageMember crew_message(
      MemberInfo(M::kCrewMessage, "crew_msg.ini", "crew_msg", 32));
  static const std::array<const DiaMemberHandler*, 21> members = {
      &series,        &train,          &unit,          &diagram,          &event,
      &pattern,       &train_type,     &mode,          &speed_type,       &run_time,
      &stop_time,     &passenger,      &lever,         &button,           &accident_between,
      &accident_rail, &accident_point, &accident_unit, &accident_station, &sound,
      &crew_message};
  return members;
}

}  // namespace corvane
