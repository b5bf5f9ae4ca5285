#include "mapfile/map_file.h"

#include <algorithm>
#include <span>
#include <type_traits>
#include <vector>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/file_messages.h"
#include "base/ini_file.h"
#include "base/ini_keys.h"
#include "base/member_text.h"
#include "map/map_settings_keys.h"

namespace corvane {

namespace {

constexpr int kFirstNewerVersion = kMapVersion + 1;

// ---------------------------------------------------------------- header keys

using H = MapHeader;
using S = MapSettings;

constexpr IniKey<H> kDiaKeys[] = {
    IntKey<H, &H::time_units, &TimeUnits::unit>("unit", "%02d"),
    IntKey<H, &H::time_units, &TimeUnits::standard>("standard", "%02d"),
    IntKey<H, &H::time_units, &TimeUnits::reverse>("reverse", "%02d"),
};

constexpr IniKey<H> kSignalVersion = kSignalVersionKey<H, &H::settings>;
constexpr IniKey<H> kMaxSpeedKey =
    WithLegacyName(IntKey<H, &H::settings, &S::max_speed>("MaxSpeed"), "MapMaxSpeed");

// The map's own keys, with the older names of two settings written for older
// programs.
constexpr IniKey<H> kMapIdentityKeys[] = {
    WrittenAlsoAs(kSignalVersion, "signal_version"),
    Labelled(IntKey<H, &H::map_code>("m_map_code"), "map code"),
    Labelled(TextKey<H, &H::map_name>("m_map_name"), "map name"),
    WrittenAlsoAs(kMaxSpeedKey, "MapMaxSpeed"),
};

constexpr IniKey<H> kSignalVersionKeys[] = {kSignalVersion};
constexpr IniKey<H> kMaxSpeedKeys[] = {kMaxSpeedKey};

// The settings in the order the map header writes them.
const std::vector<std::span<const IniKey<H>>>& MapSettingsKeys() {
  static const std::vector<std::span<const IniKey<H>>> keys = {
      kSignalVersionKeys, kSettingsSwitchKeys<H, &H::settings>,
      kSettingsDistanceKeys<H, &H::settings>, kMaxSpeedKeys, kSettingsSpeedKeys<H, &H::settings>};
  return keys;
}

constexpr IniKey<H> kMapDataKeys[] = {
    IntKey<H, &H::start, &StartPoint::start_rail>("start_rail"),
    IntKey<H, &H::start, &StartPoint::start_station>("start_station"),
    IntKey<H, &H::start, &StartPoint::start_target>("start_target"),
};

// The header's sections after the file list, in the order they are written;
// a section may be given by several lists.
struct HeaderSection {
  std::string name;  // Shift-JIS
  std::vector<std::span<const IniKey<H>>> keys;
};

const std::vector<HeaderSection>& HeaderSections() {
  static const std::vector<HeaderSection> sections = {
      {Utf8ToSjis("ダイヤ設定"), {kDiaKeys}},
      {Utf8ToSjis("マップ"),
       [] {
         std::vector<std::span<const IniKey<H>>> keys = {kMapIdentityKeys};
         keys.insert(keys.end(), MapSettingsKeys().begin(), MapSettingsKeys().end());
         return keys;
       }()},
      {"MapData", {kMapDataKeys}},
  };
  return sections;
}

// The tables that have a member, in the order of their keys in the header
// (which is also the order they are read in).
std::vector<MapTableInfo> MembersByHeaderOrder() {
  std::vector<MapTableInfo> members;
  for (const MapTableInfo& info : MapTables()) {
    if (info.member != nullptr) members.push_back(info);
  }
  std::stable_sort(
      members.begin(), members.end(),
      [](const MapTableInfo& a, const MapTableInfo& b) { return a.header_rank < b.header_rank; });
  return members;
}

// ---------------------------------------------------------------- writing

void AppendSection(std::string_view name, std::string& out) {
  out += '[';
  out += name;
  out += "]\n";
}

void FormatHeader(const MapContent& map, std::string& out) {
  std::vector<IniLine> members;
  for (const MapTableInfo& info : MembersByHeaderOrder()) {
    members.push_back({info.header_key, info.member});
  }
  out += FormatBundleHeaderStart(kMapVersion, {}, members);
  for (const HeaderSection& section : HeaderSections()) {
    AppendSection(section.name, out);
    for (const auto& keys : section.keys) FormatIniKeys(keys, map.header, out);
    out += '\n';
  }
}

void FormatMember(const MapTableInfo& info, const MapContent& map, MemberWriter& out) {
  if (info.rows == MemberRows::kAspectBands) {
    FormatAspectBands(map.signal_types, map.images, map.colours, out);
    return;
  }
  WithMapTable(map, info.table, [&](const auto& records, const auto* format) {
    if (format == nullptr) return;
    for (int i = info.writes_null_record ? 0 : 1; i <= records.count(); ++i) {
      format->Write(i, records[i], info.number_width, out);
    }
  });
}

// ---------------------------------------------------------------- reading

// Why rows of a member were not used: one reason a row ("line 3: ...").
using RowProblems = std::vector<std::string>;

// Reads every line of a member into the records. Numbered tables store each
// row under its number (the count becomes the highest number read); appended
// ones take the rows in file order. A row numbered outside the table or
// holding a number out of its column's range is skipped and named in
// `problems`.
template <typename Record>
void ReadRecords(std::string_view content, int version, const MapTableInfo& info,
                 const RecordFormat<Record>& format, Table<Record>& records,
                 RowProblems& problems) {
  records.SetCount(0);
  int line_number = 0;
  ForEachMemberLine(content, [&](const MemberLine& line) {
    ++line_number;
    const int number = line.Int(0);
    Record record;
    OutOfRange out_of_range;
    if (!format.Read(line, version, number, record, 1, &out_of_range)) {
      problems.push_back(LineProblem(line_number, out_of_range.Text()));
      return;
    }
    if (info.appends) {
      records.Append(record);
      return;
    }
    if (!records.InRange(number)) {
      problems.push_back(LineProblem(line_number, BeyondTable(number, records.capacity())));
      return;
    }
    records.Store(number, record);
  });
}

void ReadMember(const MapTableInfo& info, std::string_view content, int version, MapContent& map,
                RowProblems& problems) {
  if (info.rows == MemberRows::kAspectBands) {
    ReadAspectBands(content, map.signal_types, map.images, map.colours, &problems);
    return;
  }
  WithMapTable(map, info.table, [&](auto& records, const auto* format) {
    if (format != nullptr) ReadRecords(content, version, info, *format, records, problems);
  });
}

// Reports a table that cannot be read and returns false.
bool ReportUnreadable(Prompter& prompter, const std::string& shown) {
  ReportFileError(prompter, kCannotOpenForRead, shown, kReadErrorCaption);
  return false;
}

// Most rows of one member named in the message window; the rest are counted.
constexpr std::size_t kMostRowsReported = 20;

// The message-window lines of a member with unusable rows: the member, then
// what is wrong with each row.
void ReportRows(const std::string& shown, const RowProblems& problems, const ReadReport& report) {
  if (!report) return;
  report(FillIn(kBadMemberLine, {shown}));
  for (std::size_t i = 0; i < problems.size() && i < kMostRowsReported; ++i) report(problems[i]);
  if (problems.size() > kMostRowsReported) {
    report("and " + std::to_string(problems.size() - kMostRowsReported) + " more lines");
  }
}

// One member's content, from the file the header names or, for versions
// that had none, from the program's own defaults; `shown` names it. False
// (reported) when it cannot be read; an empty content for a member the
// version lacks.
bool ReadMemberContent(const IniFile& header, const MapTableInfo& info, int version,
                       MapTableSource& source, Prompter& prompter, std::string* content,
                       std::string* shown) {
  content->clear();
  shown->clear();
  std::optional<std::string> bytes;
  if (version < info.since) {
    if (!info.older_from_defaults) return true;
    bytes = source.ReadDefaultTable(info.member, shown);
  } else {
    const std::string name = header.GetString(BundleFileSection(), info.header_key);
    if (info.may_be_unnamed && name.empty()) return true;
    bytes = source.ReadTable(name, shown);
  }
  if (!bytes) return ReportUnreadable(prompter, *shown);
  *content = std::move(*bytes);
  return true;
}

// Reads every table named by the header; false after the first table that
// cannot be opened, or when some row was unusable (named through `report`).
bool ReadTables(const IniFile& header, MapTableSource& source, MapContent& map, Prompter& prompter,
                const ReadReport& report) {
  const int version = map.header.version;
  bool rows_ok = true;
  std::string content;
  std::string shown;
  for (const MapTableInfo& info : MembersByHeaderOrder()) {
    if (!ReadMemberContent(header, info, version, source, prompter, &content, &shown)) {
      return false;
    }
    RowProblems problems;
    ReadMember(info, content, version, map, problems);
    if (problems.empty()) continue;
    rows_ok = false;
    ReportRows(shown, problems, report);
  }
  return rows_ok;
}

void ReadHeaderKeys(const IniFile& ini, MapHeader& header) {
  for (const HeaderSection& section : HeaderSections()) {
    for (const auto& keys : section.keys) ReadIniKeys(ini, section.name, keys, header);
  }
  header.settings.safety_device = header.settings.use_atc != 0 ? kSafetyAtc : kSafetyAts;
}

// The start point of the header must name records that were read; checked
// whether or not every table could be read, since the user may go on with a
// partly read map. False (named in `problems`) when it was cleared.
bool CheckStartPoint(MapContent& map, RowProblems& problems) {
  StartPoint& start = map.header.start;
  const auto check = [&problems](const char* key, int value, int count) {
    if (value >= 0 && value <= count) return;
    problems.push_back("[MapData] " + std::string(key) + "=" + std::to_string(value) +
                       ": no such record");
  };
  const std::size_t before = problems.size();
  check("start_rail", start.start_rail, map.rails.count());
  check("start_station", start.start_station, map.stations.count());
  check("start_target", start.start_target, map.targets.count());
  if (problems.size() == before) return true;
  start = StartPoint{};
  return false;
}

PromptAnswer AskAbortRetryIgnore(Prompter& prompter, const char* text) {
  return prompter.Ask(text, kReadWarningCaption, PromptButtons::kAbortRetryIgnore,
                      PromptIcon::kWarning);
}

constexpr const char kReadFailedWarning[] =
    "データの読み込みに失敗しました。\n"
    "このまま続けた場合、正しく動作しない可能性があります。\n";

// "key: value" in listings; texts in UTF-8.
template <typename T>
void DescribeKeys(std::span<const IniKey<T>> keys, const T& s, std::string& out) {
  for (const IniKey<T>& key : keys) {
    if (key.write_only) continue;
    out += key.label != nullptr ? key.label : key.name;
    out += ": ";
    out += key.is_text ? SjisToUtf8(key.get_text(s)) : std::to_string(key.get(s));
    out += '\n';
  }
}

}  // namespace

std::string FormatMapText(const MapContent& map) {
  MemberWriter out;
  out.Raw("#").Raw(kMapHeaderMember).Raw("\n");
  std::string header;
  FormatHeader(map, header);
  out.Raw(header);
  for (const MapTableInfo& info : MapTables()) {
    if (info.member == nullptr) continue;
    out.Raw("#").Raw(info.member).Raw("\n");
    FormatMember(info, map, out);
  }
  return out.Take();
}

bool SaveMapFile(const MapContent& map, const std::string& path, Prompter& prompter) {
  return WriteBundleFile(FormatMapText(map), path, true, prompter);
}

std::optional<std::string> FolderTableSource::ReadTable(const std::string& name,
                                                        std::string* shown) {
  *shown = JoinPath(folder_, name);
  if (!IsBareFileName(name)) return std::nullopt;
  return ReadFileBytes(*shown);
}

BundleTableSource::BundleTableSource(std::vector<BundleMember> members, std::string shown_folder,
                                     std::string default_folder)
    : shown_folder_(std::move(shown_folder)), default_folder_(std::move(default_folder)) {
  for (BundleMember& member : members) members_[member.name] = std::move(member.content);
}

std::optional<std::string> BundleTableSource::ReadTable(const std::string& name,
                                                        std::string* shown) {
  *shown = JoinPath(shown_folder_, name);
  const auto it = members_.find(name);
  if (it == members_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> BundleTableSource::ReadDefaultTable(const std::string& name,
                                                               std::string* shown) {
  if (default_folder_.empty()) {
    *shown = name;
    return std::nullopt;
  }
  return FolderTableSource("", default_folder_).ReadDefaultTable(name, shown);
}

std::optional<std::string> FolderTableSource::ReadDefaultTable(const std::string& name,
                                                               std::string* shown) {
  *shown = JoinPath(old_map_folder_, name);
  return ReadFileBytes(*shown);
}

MapReadResult ReadMapFromHeader(std::string_view header_text, const std::string& shown_header,
                                MapTableSource& source, MapContent& map, Prompter& prompter,
                                const ReadReport& report) {
  const IniFile header = IniFile::Parse(header_text);
  const int version = header.GetInt(kBundleVersionSection, "version", 0);
  if (version >= kFirstNewerVersion) {
    switch (AskAbortRetryIgnore(prompter, kNewerDataWarning)) {
      case PromptAnswer::kRetry:
        return MapReadResult::kRetry;
      case PromptAnswer::kIgnore:
        break;
      default:
        return MapReadResult::kFailed;
    }
  }
  map.header.version = version;
  ReadHeaderKeys(header, map.header);
  const bool tables_ok = ReadTables(header, source, map, prompter, report);
  RowProblems start_problems;
  if (!CheckStartPoint(map, start_problems)) ReportRows(shown_header, start_problems, report);
  if (start_problems.empty() && tables_ok) return MapReadResult::kRead;
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
                            MapContent& map, Prompter& prompter, const ReadReport& report) {
  const auto header = ReadFileBytes(header_path);
  if (!header) {
    ReportUnreadable(prompter, header_path);
    return MapReadResult::kFailed;
  }
  FolderTableSource source(DirectoryOf(header_path), old_map_folder);
  return ReadMapFromHeader(*header, header_path, source, map, prompter, report);
}

MapReadResult OpenMapFile(const std::string& path, const std::string& scratch_folder,
                          const std::string& old_map_folder, MapContent& map, Prompter& prompter,
                          const ReadReport& report) {
  auto bundle =
      ReadBundleFile(path, true, kMapHeaderExtension, FillIn(kNotMapData, {path}), prompter);
  if (!bundle) return MapReadResult::kFailed;
  BundleTableSource source(std::move(bundle->members), scratch_folder, old_map_folder);
  return ReadMapFromHeader(bundle->header_content, JoinPath(scratch_folder, bundle->header_name),
                           source, map, prompter, report);
}

bool ParseSignalTables(std::string_view signal_set_text, std::string_view signal_text,
                       MapContent& map) {
  ClearSignalTypes(map);
  RowProblems problems;
  ReadMember(InfoOf(MapTable::kSignalType), signal_set_text, kMapVersion, map, problems);
  ReadMember(InfoOf(MapTable::kImage), signal_text, kMapVersion, map, problems);
  return problems.empty();
}

bool LoadDefaultSignalTypes(MapContent& map, const std::string& old_map_folder,
                            Prompter& prompter) {
  FolderTableSource source("", old_map_folder);
  std::string shown;
  auto sets = source.ReadDefaultTable(InfoOf(MapTable::kSignalType).member, &shown);
  if (!sets) return ReportUnreadable(prompter, shown);
  auto aspects = source.ReadDefaultTable(InfoOf(MapTable::kImage).member, &shown);
  if (!aspects) return ReportUnreadable(prompter, shown);
  ParseSignalTables(*sets, *aspects, map);
  return true;
}

bool ResetToNewMap(EditMap& map, const std::string& old_map_folder, Prompter& prompter) {
  MapContent content = NewMapContent();
  const bool ok = LoadDefaultSignalTypes(content, old_map_folder, prompter);
  map.Replace(std::move(content));
  return ok;
}

std::string DescribeMapHeader(const MapHeader& header) {
  std::string out = "version: " + std::to_string(header.version) + "\n";
  DescribeKeys<H>(kMapIdentityKeys, header, out);
  DescribeKeys<H>(kDiaKeys, header, out);
  DescribeKeys<H>(kSignalVersionKeys, header, out);
  out += "safety device: ";
  out += header.settings.safety_device == kSafetyAtc ? "ATC\n" : "ATS\n";
  for (const auto& keys : std::span(MapSettingsKeys()).subspan(1)) DescribeKeys(keys, header, out);
  DescribeKeys<H>(kMapDataKeys, header, out);
  return out;
}

void FormatAspectBands(const Table<MapSignalType>& types, const Table<SignalImageRecord>& images,
                       const Table<AspectColour>& colours, MemberWriter& out) {
  static const AspectColour kWhite{};
  static const SignalImageRecord kNoImage{};
  for (int t = 1; t <= types.count(); ++t) {
    const auto& aspects = types[t].aspects;
    for (int index = kAspectSpeeds - 1; index >= 0;) {
      const SignalAspectEntry& entry = aspects[static_cast<std::size_t>(index)];
      const int low = (entry.band_low >= 0 && entry.band_low <= index) ? entry.band_low : index;
      const bool has_colour = entry.colour >= 0 && entry.colour <= colours.count();
      const bool has_image = entry.image >= 0 && entry.image <= images.count();
      const AspectColour& colour = has_colour ? colours[entry.colour] : kWhite;
      const SignalImageRecord& image = has_image ? images[entry.image] : kNoImage;
      out.Num(3, t).Num(3, low).Num(4, entry.aspect_speed);
      out.Num(3, colour.red).Num(3, colour.green).Num(3, colour.blue);
      out.Text(image.name.view()).Text(image.bitmap.view(), "").EndLine();
      index = low - 1;
    }
  }
}

bool ReadAspectBands(std::string_view content, Table<MapSignalType>& types,
                     Table<SignalImageRecord>& images, Table<AspectColour>& colours,
                     std::vector<std::string>* problems) {
  images.Clear();
  colours.Clear();
  bool ok = true;
  const auto refuse = [&ok, problems](int line, const std::string& what) {
    if (problems != nullptr) problems->push_back(LineProblem(line, what));
    ok = false;
  };
  int line_number = 0;
  int previous_type = 0;
  int position = kAspectSpeeds - 1;
  ForEachMemberLine(content, [&](const MemberLine& line) {
    ++line_number;
    const int type = line.Int(0);
    const int low = line.Int(1);
    if (!types.Contains(type)) {
      refuse(line_number, "a band of no signal type " + std::to_string(type));
      return;
    }
    if (type != previous_type) position = kAspectSpeeds - 1;
    previous_type = type;
    // Bands must come from the top down and stay inside the table.
    if (low < 0 || low > position) {
      refuse(line_number, "a band from " + std::to_string(low) + " where one up to " +
                              std::to_string(position) + " was due");
      return;
    }
    SignalImageRecord image;
    image.name = line.Text(6);
    image.bitmap = line.Text(7);
    const SignalAspectEntry entry{low, line.Int(2), images.Append(image),
                                  colours.Append({line.Int(3), line.Int(4), line.Int(5)})};
    auto& aspects = types[type].aspects;
    for (int index = position; index >= low; --index) {
      aspects[static_cast<std::size_t>(index)] = entry;
    }
    position = low - 1;
  });
  return ok;
}

}  // namespace corvane
