#include "data/dia_file.h"

#include <algorithm>
#include <functional>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/file_messages.h"
#include "base/ini_file.h"
#include "data/dia_tables.h"
#include "data/system_map_file.h"
#include "mapfile/packed_bundle.h"

namespace corvane {

namespace {

constexpr const char kVersionSection[] = "K-ORV";
constexpr const char kSizeSection[] = "StructSize";
constexpr const char kStackKey[] = "stack";
constexpr int kVersionSeriesTables = 1150;

constexpr const char kTooOldText[] = "このダイヤデータは、バージョンが古いため読み込みできません。";
constexpr const char kVersionErrorCaption[] = "バージョンエラー";

const std::string& FileSection() {
  static const std::string name = Utf8ToSjis("ファイル");
  return name;
}

// A "[StructSize]" key: the table it sizes, its default and the most
// records a file may ask for (beyond any map or timetable the program makes).
struct SizeKey {
  const char* key;
  int limit;
  std::function<int&(SystemMapCounts&, DiaCounts&)> field;
};

const std::vector<SizeKey>& SizeKeys() {
  using M = SystemMapCounts;
  using D = DiaCounts;
  static const std::vector<SizeKey> keys = {
      {"Rail", 65535, [](M& m, D&) -> int& { return m.rails; }},
      {"PRail", 65535, [](M& m, D&) -> int& { return m.prails; }},
      {"Point", 8191, [](M& m, D&) -> int& { return m.points; }},
      {"Target", 4095, [](M& m, D&) -> int& { return m.targets; }},
      {"Station", 4095, [](M& m, D&) -> int& { return m.stations; }},
      {"StationDraw", 8191, [](M& m, D&) -> int& { return m.station_draws; }},
      {"Row", 4095, [](M& m, D&) -> int& { return m.rows; }},
      {"Jump", 8191, [](M& m, D&) -> int& { return m.jumps; }},
      {"Detail", kMostDetailRecords, [](M& m, D&) -> int& { return m.details; }},
      {"RouteLever", 65535, [](M&, D& d) -> int& { return d.levers; }},
      {"RouteButton", 65535, [](M&, D& d) -> int& { return d.buttons; }},
      {"AccidentBetween", 65535, [](M&, D& d) -> int& { return d.accidents[0]; }},
      {"AccidentRail", 65535, [](M&, D& d) -> int& { return d.accidents[1]; }},
      {"AccidentPoint", 65535, [](M&, D& d) -> int& { return d.accidents[2]; }},
      {"AccidentUnit", 65535, [](M&, D& d) -> int& { return d.accidents[3]; }},
      {"AccidentStation", 65535, [](M&, D& d) -> int& { return d.accidents[4]; }},
      {"Diagram", 65535, [](M&, D& d) -> int& { return d.diagrams; }},
      {"Train", 65535, [](M&, D& d) -> int& { return d.trains; }},
      {"Unit", 65535, [](M&, D& d) -> int& { return d.units; }},
  };
  return keys;
}

// ------------------------------------------------------------ writing

void AppendLine(std::string& out, std::string_view key, std::string_view value) {
  out += key;
  out += '=';
  out += value;
  out += '\n';
}

std::string FormatHeader(const DiaFile& file, bool with_stack) {
  std::string out;
  out += "[K-ORV]\n";
  AppendLine(out, "version", std::to_string(kDiaVersion));
  AppendLine(out, "WdiaMode", std::to_string(file.header.wdia_mode));
  out += "\n[" + FileSection() + "]\n";
  for (const SystemMemberInfo& info : SystemMembers()) AppendLine(out, info.key, info.file);
  for (const DiaMemberInfo& info : DiaMembersByHeaderOrder()) AppendLine(out, info.key, info.file);
  if (with_stack) AppendLine(out, kStackKey, kStackMember);
  out += '\n';
  FormatDiaHeaderSettings(file.header, out);
  out += "[StructSize]\n";
  SystemMapCounts map_counts = file.map.Counts();
  DiaCounts dia_counts = file.dia.Counts();
  for (const SizeKey& key : SizeKeys()) {
    AppendLine(out, key.key, std::to_string(key.field(map_counts, dia_counts)));
  }
  out += '\n';
  return out;
}

void AppendMember(std::string& text, std::string_view name, std::string_view content) {
  text += '#';
  text += name;
  text += '\n';
  text += content;
}

// The stack member is kept as read, but a line of it starting with "#"
// would open a member of the bundle. Such a line is stored with a "\\" in
// front, and so is a line of backslashes followed by "#", which reading
// gives back with one backslash less; every other line is stored as it is.
constexpr char kStackEscape = '\\';

// The length of the run of escapes at `pos` when a "#" follows it, else -1.
int EscapesBeforeHash(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && text[end] == kStackEscape) ++end;
  return end < text.size() && text[end] == '#' ? static_cast<int>(end - pos) : -1;
}

// `stack` with an escape added (`add`) or removed at the start of every
// line that needs one.
std::string EscapeStackLines(std::string_view stack, bool add) {
  std::string out;
  out.reserve(stack.size());
  for (std::size_t pos = 0; pos < stack.size();) {
    const int escapes = EscapesBeforeHash(stack, pos);
    if (add && escapes >= 0) out += kStackEscape;
    if (!add && escapes > 0) ++pos;
    const std::size_t feed = stack.find('\n', pos);
    const std::size_t next = feed == std::string_view::npos ? stack.size() : feed + 1;
    out.append(stack.substr(pos, next - pos));
    pos = next;
  }
  return out;
}

// ------------------------------------------------------------ reading

// Reads the counts of "[StructSize]"; false with `*problem` for a count
// below 0 or beyond what any file may hold.
bool ReadSizes(const IniFile& ini, SystemMapCounts& map_counts, DiaCounts& dia_counts,
               std::string* problem) {
  for (const SizeKey& key : SizeKeys()) {
    int& field = key.field(map_counts, dia_counts);
    const int value = ini.GetInt(kSizeSection, key.key, field);
    if (value < 0 || value > key.limit) {
      *problem = "[StructSize] " + std::string(key.key) + "=" + std::to_string(value) +
                 ": not between 0 and " + std::to_string(key.limit);
      return false;
    }
    field = value;
  }
  return true;
}

class DiaReader {
 public:
  DiaReader(const IniFile& ini, const std::string& shown_header, MapTableSource& source,
            Prompter& prompter)
      : ini_(ini), shown_header_(shown_header), source_(source), prompter_(prompter) {}

  bool Read(DiaFile& file) {
    const int version = file.header.version;
    for (const SystemMemberInfo& info : SystemMembers()) {
      std::string content;
      std::string shown;
      if (version >= info.since && !Member(info.key, &content, &shown)) return false;
      std::string problem;
      if (!ReadSystemMember(info.member, content, version, file.map, &problem)) {
        return Bad(shown, problem);
      }
    }
    std::string problem;
    if (!FinishSystemMap(file.map, version, &problem)) return Bad(shown_header_, problem);
    for (const DiaMemberInfo& info : DiaMembers()) {
      std::string content;
      std::string shown;
      if (!Member(info.key, &content, &shown)) return false;
      if (!ReadDiaMember(info.member, content, version, file.map, file.dia, &problem)) {
        return Bad(shown, problem);
      }
      if (info.member == DiaMember::kSeries && version >= kVersionSeriesTables) {
        ReadSeriesTables(file.dia);
      }
    }
    if (!FinishDiaData(file.map, file.dia, &problem)) return Bad(shown_header_, problem);
    const std::string stack = ini_.GetString(FileSection(), kStackKey);
    if (!stack.empty()) {
      std::string shown;
      auto content = source_.ReadTable(stack, &shown);
      if (!content) return Unreadable(shown);
      file.stack = EscapeStackLines(*content, false);
    }
    return true;
  }

 private:
  // The member a "[ファイル]" key names; a missing key names the header's
  // folder, which is never opened as a member.
  bool Member(const char* key, std::string* content, std::string* shown) {
    const std::string name = ini_.GetString(FileSection(), key);
    auto bytes = source_.ReadTable(name, shown);
    if (!bytes) return Unreadable(*shown);
    *content = std::move(*bytes);
    return true;
  }

  // The per-series tables under their fixed names; a series without one
  // has no such table.
  void ReadSeriesTables(DiaData& dia) {
    std::string shown;
    for (int n = 1; n <= dia.series.count(); ++n) {
      SeriesRecord& series = dia.series[n];
      if (auto text = source_.ReadTable(AccelerationMemberName(n), &shown)) {
        ReadSeriesTable(*text, series.acceleration);
      }
      if (auto text = source_.ReadTable(CurveLimitMemberName(n), &shown)) {
        ReadSeriesTable(*text, series.curve_limit);
      }
    }
  }

  bool Unreadable(const std::string& shown) {
    ReportFileError(prompter_, kCannotOpenForRead, shown, kReadErrorCaption);
    return false;
  }
  bool Bad(const std::string& shown, const std::string& problem) {
    prompter_.Error(FillIn(kBadMemberData, {shown, problem}), kReadErrorCaption);
    return false;
  }

  const IniFile& ini_;
  const std::string& shown_header_;
  MapTableSource& source_;
  Prompter& prompter_;
};

}  // namespace

DiaFileKind DiaKindOfPath(std::string_view path, bool saving) {
  std::string extension = ExtensionOf(std::string(path));
  std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  if (extension == "kvb") return DiaFileKind::kDia;
  if (extension == "kvw") return DiaFileKind::kLog;
  if (extension == "kve") return DiaFileKind::kExecuted;
  if (extension == "kvp") return DiaFileKind::kOldDia;
  if (extension == kDiaHeaderExtension) return DiaFileKind::kOldest;
  return saving ? DiaFileKind::kOldDia : DiaFileKind::kOldest;
}

bool IsPackedDiaKind(DiaFileKind kind) {
  return kind == DiaFileKind::kDia || kind == DiaFileKind::kLog || kind == DiaFileKind::kExecuted;
}

std::string FormatDiaText(const DiaFile& file, bool with_stack) {
  std::string text;
  text.reserve(1 << 20);
  AppendMember(text, kDiaHeaderMember, FormatHeader(file, with_stack));
  for (const SystemMemberInfo& info : SystemMembers()) {
    AppendMember(text, info.file, FormatSystemMember(file.map, info.member));
  }
  for (const DiaMemberInfo& info : DiaMembers()) {
    AppendMember(text, info.file, FormatDiaMember(file.map, file.dia, info.member));
    if (info.member != DiaMember::kSeries) continue;
    for (int n = 1; n <= file.dia.series.count(); ++n) {
      AppendMember(text, AccelerationMemberName(n),
                   FormatSeriesTable(file.dia.series[n].acceleration, true));
    }
    for (int n = 1; n <= file.dia.series.count(); ++n) {
      AppendMember(text, CurveLimitMemberName(n),
                   FormatSeriesTable(file.dia.series[n].curve_limit, false));
    }
  }
  if (with_stack) AppendMember(text, kStackMember, EscapeStackLines(file.stack.value_or(""), true));
  return text;
}

DiaReadResult ReadDiaFromHeader(std::string_view header_text, const std::string& shown_header,
                                MapTableSource& source, Prompter& prompter, DiaFile& out) {
  const IniFile ini = IniFile::Parse(header_text);
  DiaHeader header;
  header.version = ini.GetInt(kVersionSection, "version", 0);
  if (header.version < kOldestReadableDiaVersion) {
    prompter.Error(kTooOldText, kVersionErrorCaption);
    return DiaReadResult::kFailed;
  }
  if (header.version > kDiaVersion) {
    switch (prompter.Ask(kNewerDataWarning, kReadWarningCaption, PromptButtons::kAbortRetryIgnore,
                         PromptIcon::kWarning)) {
      case PromptAnswer::kIgnore:
        break;
      case PromptAnswer::kRetry:
        return DiaReadResult::kRetry;
      default:
        return DiaReadResult::kFailed;
    }
  }
  header.wdia_mode = ini.GetInt(kVersionSection, "WdiaMode", 0);
  ReadDiaHeaderSettings(ini, header_text, header);

  SystemMapCounts map_counts;
  DiaCounts dia_counts;
  std::string problem;
  if (!ReadSizes(ini, map_counts, dia_counts, &problem)) {
    prompter.Error(FillIn(kBadMemberData, {shown_header, problem}), kReadErrorCaption);
    return DiaReadResult::kFailed;
  }
  // Read into fresh objects: the data open now stays until all is read.
  DiaFile file{std::move(header), SystemMap(map_counts), DiaData(dia_counts), std::nullopt};
  DiaReader reader(ini, shown_header, source, prompter);
  if (!reader.Read(file)) return DiaReadResult::kFailed;
  out = std::move(file);
  return DiaReadResult::kRead;
}

DiaReadResult OpenDiaFile(const std::string& path, const std::string& temp_folder,
                          Prompter& prompter, DiaFile& out) {
  const DiaFileKind kind = DiaKindOfPath(path);
  std::string header_path = path;
  if (IsPackedDiaKind(kind)) {
    const std::string text_path = JoinPath(temp_folder, kDiaScratchText);
    if (!UnpackBundle(path, text_path, prompter)) return DiaReadResult::kFailed;
    auto split = SplitBundle(text_path, temp_folder, kDiaHeaderExtension,
                             FillIn(kNotDiaData, {path}), prompter);
    if (!split) return DiaReadResult::kFailed;
    header_path = *split;
  } else if (kind == DiaFileKind::kOldDia) {
    auto split =
        SplitBundle(path, temp_folder, kDiaHeaderExtension, FillIn(kNotDiaData, {path}), prompter);
    if (!split) return DiaReadResult::kFailed;
    header_path = *split;
  }
  return ReadDiaHeader(header_path, prompter, out);
}

DiaReadResult ReadDiaHeader(const std::string& header_path, Prompter& prompter, DiaFile& out) {
  const auto header_text = ReadFileBytes(header_path);
  if (!header_text) {
    ReportFileError(prompter, kCannotOpenForRead, header_path, kReadErrorCaption);
    return DiaReadResult::kFailed;
  }
  FolderTableSource source(DirectoryOf(header_path), "");
  return ReadDiaFromHeader(*header_text, header_path, source, prompter, out);
}

bool WriteDiaBundle(const DiaFile& file, const std::string& text_path,
                    const std::string& packed_path, bool with_stack, Prompter& prompter) {
  if (!WriteFileAtomically(text_path, FormatDiaText(file, with_stack))) {
    ReportFileError(prompter, kCannotOpenText, text_path, kWriteErrorCaption);
    return false;
  }
  return packed_path.empty() || PackBundle(text_path, packed_path, prompter);
}

namespace {

// The header kind: the header member at `path`, every other member beside it
// under its own name, the header last.
bool WriteDiaMembers(const DiaFile& file, const std::string& path, Prompter& prompter) {
  const std::vector<BundleMember> members =
      SplitBundleText(FormatDiaText(file, false)).value_or(std::vector<BundleMember>{});
  const std::string folder = DirectoryOf(path);
  std::string_view header;
  for (const BundleMember& member : members) {
    if (member.name == kDiaHeaderMember) {
      header = member.content;
      continue;
    }
    const std::string member_path = JoinPath(folder, member.name);
    if (!WriteFileAtomically(member_path, member.content)) {
      ReportFileError(prompter, kCannotOpenText, member_path, kWriteErrorCaption);
      return false;
    }
  }
  if (!WriteFileAtomically(path, header)) {
    ReportFileError(prompter, kCannotOpenText, path, kWriteErrorCaption);
    return false;
  }
  return true;
}

}  // namespace

bool SaveDiaPath(const DiaFile& file, const std::string& path, const std::string& temp_folder,
                 Prompter& prompter) {
  const DiaFileKind kind = DiaKindOfPath(path, true);
  if (kind == DiaFileKind::kOldest) return WriteDiaMembers(file, path, prompter);
  if (!IsPackedDiaKind(kind)) return WriteDiaBundle(file, path, "", false, prompter);
  return WriteDiaBundle(file, JoinPath(temp_folder, kDiaScratchText), path,
                        kind == DiaFileKind::kExecuted, prompter);
}

std::string DescribeDia(const DiaFile& file) {
  std::string out = DescribeDiaHeader(file.header);
  const SystemMap& m = file.map;
  const DiaData& d = file.dia;
  auto line = [&out](const char* name, std::size_t count) {
    out += name;
    out += ": ";
    out += std::to_string(count);
    out += '\n';
  };
  auto count = [](const auto& table) { return static_cast<std::size_t>(table.count()); };
  line("rails", count(m.rails));
  line("track pieces", count(m.prails));
  line("points", count(m.points));
  line("targets", count(m.targets));
  line("stations", count(m.stations));
  line("station drawings", count(m.station_draws));
  line("rows", count(m.rows));
  line("jumps", count(m.jumps));
  line("details", m.details.size());
  line("signal sets", count(m.signal_sets));
  line("series", count(d.series));
  line("trains", count(d.trains));
  line("trainsets", count(d.units));
  std::size_t runs = 0;
  std::size_t events = 0;
  for (int i = 1; i <= d.diagrams.count(); ++i) {
    if (!d.diagrams[i].Saved()) continue;
    ++runs;
    events += d.diagrams[i].events.size();
  }
  line("train runs", runs);
  line("stop events", events);
  line("run patterns", count(d.patterns));
  line("train types", count(d.train_types));
  line("modes", count(d.modes));
  line("speed types", count(d.speed_types));
  std::size_t run_times = 0;
  for (int v = 1; v <= d.speed_types.count(); ++v) run_times += d.speed_types[v].run_times.size();
  line("running times", run_times);
  line("standard stop times", d.stop_times.size());
  line("passenger demand", d.demand.size());
  line("levers", count(d.levers));
  line("buttons", count(d.buttons));
  const char* kAccidentNames[] = {"disturbances between stations", "disturbances on rails",
                                  "disturbances on points", "disturbances of trainsets",
                                  "disturbances at stations"};
  for (int k = 0; k < kAccidentKinds; ++k) {
    line(kAccidentNames[k], count(d.accidents[static_cast<std::size_t>(k)]));
  }
  if (file.stack) line("rollback stack bytes", file.stack->size());
  return out;
}

}  // namespace corvane
