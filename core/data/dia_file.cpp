#include "data/dia_file.h"

#include <algorithm>
#include <span>
#include <vector>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/file_messages.h"
#include "base/ini_file.h"
#include "data/system_map_file.h"
#include "mapfile/packed_bundle.h"

namespace corvane {

namespace {

constexpr const char kSizeSection[] = "StructSize";
constexpr const char kStackKey[] = "stack";

constexpr const char kTooOldText[] = "このダイヤデータは、バージョンが古いため読み込みできません。";
constexpr const char kVersionErrorCaption[] = "バージョンエラー";

// ------------------------------------------------------------ writing

void AppendLine(std::string& out, std::string_view key, std::string_view value) {
  out += key;
  out += '=';
  out += value;
  out += '\n';
}

std::string FormatHeader(const DiaFile& file, bool with_stack, bool english) {
  std::vector<IniLine> members;
  for (const DiaMemberHandler* handler : DiaMembersByHeaderOrder()) {
    members.push_back({handler->info().key, handler->info().file});
  }
  if (with_stack) members.push_back({kStackKey, kStackMember});
  std::string out = FormatBundleHeaderStart(
      kDiaVersion, {{"WdiaMode", std::to_string(file.header.wdia_mode)}}, members);
  FormatDiaHeaderSettings(file.header, file.windows, english, out);
  out += "[StructSize]\n";
  SystemMapCounts map_counts = file.map.Counts();
  DiaCounts dia_counts = file.dia.Counts();
  for (const SizeKey& key : SizeKeys()) {
    AppendLine(out, key.key, std::to_string(key.count(map_counts, dia_counts)));
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
    int& field = key.count(map_counts, dia_counts);
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
    std::string problem;
    if (!ReadMembers(CompiledMapMembers(), file)) return false;
    if (!CheckReferences(CompiledMapMembers(), file, &problem)) return Bad(shown_header_, problem);
    FinishSystemMap(file.map, version);
    if (!ReadMembers(TimetableMembers(), file)) return false;
    if (!CheckReferences(TimetableMembers(), file, &problem)) return Bad(shown_header_, problem);
    const std::string stack = ini_.GetString(BundleFileSection(), kStackKey);
    if (!stack.empty()) {
      // The data is whole without its rollback stack: a stack member that
      // cannot be read is reported and the data opens without one.
      std::string shown;
      auto content = source_.ReadTable(stack, &shown);
      if (content) {
        file.stack = EscapeStackLines(*content, false);
      } else {
        ReportFileError(prompter_, kCannotOpenText, shown, kReadErrorCaption);
      }
    }
    return true;
  }

 private:
  // Each member its "[ファイル]" key names, in order; a member the data's
  // version lacks is not looked for. False after reporting the first that
  // cannot be read.
  bool ReadMembers(std::span<const DiaMemberHandler* const> members, DiaFile& file) {
    const int version = file.header.version;
    std::string content;
    std::string shown;
    std::string problem;
    for (const DiaMemberHandler* handler : members) {
      content.clear();
      shown.clear();
      if (handler->HeldBy(version) && !Member(handler->info().key, &content, &shown)) return false;
      if (!handler->Read(content, version, file, &problem)) return Bad(shown, problem);
      handler->ReadCompanions(version, source_, file);
    }
    return true;
  }

  // The member a "[ファイル]" key names; a missing key names the header's
  // folder, which is never opened as a member.
  bool Member(const char* key, std::string* content, std::string* shown) {
    const std::string name = ini_.GetString(BundleFileSection(), key);
    auto bytes = source_.ReadTable(name, shown);
    if (!bytes) return Unreadable(*shown);
    *content = std::move(*bytes);
    return true;
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

std::string FormatDiaText(const DiaFile& file, bool with_stack, bool english,
                          const std::string* stack) {
  std::string text;
  text.reserve(1 << 20);
  AppendMember(text, kDiaHeaderMember, FormatHeader(file, with_stack, english));
  std::vector<BundleMember> companions;
  for (const DiaMemberHandler* handler : DiaMembers()) {
    AppendMember(text, handler->info().file, handler->Format(file));
    companions.clear();
    handler->FormatCompanions(file, companions);
    for (const BundleMember& member : companions) AppendMember(text, member.name, member.content);
  }
  if (with_stack) {
    std::string_view content;
    if (stack != nullptr) {
      content = *stack;
    } else if (file.stack) {
      content = *file.stack;
    }
    AppendMember(text, kStackMember, EscapeStackLines(content, true));
  }
  return text;
}

DiaReadResult ReadDiaFromHeader(std::string_view header_text, const std::string& shown_header,
                                MapTableSource& source, Prompter& prompter, DiaFile& out,
                                bool english) {
  const IniFile ini = IniFile::Parse(header_text);
  DiaHeader header;
  header.version = ini.GetInt(kBundleVersionSection, "version", 0);
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
  header.wdia_mode = ini.GetInt(kBundleVersionSection, "WdiaMode", 0);
  WindowSections windows;
  ReadDiaHeaderSettings(ini, english, header, windows);

  SystemMapCounts map_counts;
  DiaCounts dia_counts;
  std::string problem;
  if (!ReadSizes(ini, map_counts, dia_counts, &problem)) {
    prompter.Error(FillIn(kBadMemberData, {shown_header, problem}), kReadErrorCaption);
    return DiaReadResult::kFailed;
  }
  // Read into fresh objects: the data open now stays until all is read.
  DiaFile file{std::move(header), SystemMap(map_counts), DiaData(dia_counts), std::nullopt,
               windows};
  DiaReader reader(ini, shown_header, source, prompter);
  if (!reader.Read(file)) return DiaReadResult::kFailed;
  out = std::move(file);
  return DiaReadResult::kRead;
}

DiaReadResult OpenDiaFile(const std::string& path, const std::string& temp_folder,
                          Prompter& prompter, DiaFile& out, bool english) {
  const DiaFileKind kind = DiaKindOfPath(path);
  if (!IsPackedDiaKind(kind) && kind != DiaFileKind::kOldDia) {
    return ReadDiaHeader(path, prompter, out, english);
  }
  auto bundle = ReadBundleFile(path, IsPackedDiaKind(kind), kDiaHeaderExtension,
                               FillIn(kNotDiaData, {path}), prompter);
  if (!bundle) return DiaReadResult::kFailed;
  BundleTableSource source(std::move(bundle->members), temp_folder);
  return ReadDiaFromHeader(bundle->header_content, JoinPath(temp_folder, bundle->header_name),
                           source, prompter, out, english);
}

DiaReadResult ReadDiaHeader(const std::string& header_path, Prompter& prompter, DiaFile& out,
                            bool english) {
  const auto header_text = ReadFileBytes(header_path);
  if (!header_text) {
    ReportFileError(prompter, kCannotOpenForRead, header_path, kReadErrorCaption);
    return DiaReadResult::kFailed;
  }
  FolderTableSource source(DirectoryOf(header_path), "");
  return ReadDiaFromHeader(*header_text, header_path, source, prompter, out, english);
}

namespace {

// The header kind: the header member at `path`, every other member beside it
// under its own name, the header last.
bool WriteDiaMembers(const DiaFile& file, const std::string& path, Prompter& prompter,
                     bool english) {
  const std::vector<BundleMember> members =
      SplitBundleText(FormatDiaText(file, false, english)).value_or(std::vector<BundleMember>{});
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

bool SaveDiaPath(const DiaFile& file, const std::string& path, Prompter& prompter, bool english,
                 const std::string* stack) {
  const DiaFileKind kind = DiaKindOfPath(path, true);
  if (kind == DiaFileKind::kOldest) return WriteDiaMembers(file, path, prompter, english);
  return WriteBundleFile(FormatDiaText(file, kind == DiaFileKind::kExecuted, english, stack), path,
                         IsPackedDiaKind(kind), prompter);
}

std::string DescribeDia(const DiaFile& file) {
  std::string out = DescribeDiaHeader(file.header, file.windows);
  auto line = [&out](const char* name, std::size_t count) {
    out += name;
    out += ": ";
    out += std::to_string(count);
    out += '\n';
  };
  for (const DiaMemberHandler* handler : DiaMembers()) {
    if (handler->info().listing != nullptr) line(handler->info().listing, handler->Listed(file));
  }
  if (file.stack) line("rollback stack bytes", file.stack->size());
  return out;
}

}  // namespace corvane
