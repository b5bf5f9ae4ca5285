#include "mapfile/packed_bundle.h"

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/file_messages.h"

namespace corvane {

namespace {

constexpr int kEscape = 14;
constexpr int kEnd = 15;

// The code of a character that has one, or -1.
constexpr int CodeOf(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  switch (c) {
    case ',':
      return 10;
    case '-':
      return 11;
    case ' ':
      return 12;
    case '\n':
      return 13;
    default:
      return -1;
  }
}

constexpr char kCharOfCode[] = {'0', '1', '2', '3', '4', '5', '6',
                                '7', '8', '9', ',', '-', ' ', '\n'};

// Collects 4-bit codes two to a byte, high half first.
class NibbleWriter {
 public:
  explicit NibbleWriter(std::size_t expected) { out_.reserve(expected); }
  void Put(int code) {
    if (high_pending_) {
      out_.push_back(static_cast<char>((pending_ << 4) | code));
      high_pending_ = false;
    } else {
      pending_ = code;
      high_pending_ = true;
    }
  }
  // The end code fills a pending low half, or takes a whole 0xFF byte.
  std::string Finish() {
    if (high_pending_) {
      Put(kEnd);
    } else {
      out_.push_back(static_cast<char>(0xFF));
    }
    return std::move(out_);
  }

 private:
  std::string out_;
  int pending_ = 0;
  bool high_pending_ = false;
};

}  // namespace

std::string PackText(std::string_view text) {
  NibbleWriter writer(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    // A text line ends in a line feed alone: CR LF packs as one line feed.
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    const int code = CodeOf(c);
    if (code >= 0) {
      writer.Put(code);
    } else {
      writer.Put(kEscape);
      writer.Put(c >> 4);
      writer.Put(c & 0x0F);
    }
  }
  return writer.Finish();
}

std::string UnpackBytes(std::string_view packed, bool* complete) {
  std::string text;
  text.reserve(packed.size() * 2);
  const std::size_t nibbles = packed.size() * 2;
  auto nibble = [&packed](std::size_t i) {
    const auto byte = static_cast<unsigned char>(packed[i / 2]);
    return (i % 2 == 0) ? byte >> 4 : byte & 0x0F;
  };
  bool ended = false;
  std::size_t i = 0;
  while (i < nibbles) {
    // Most bytes hold two plain characters: take them whole.
    if (i % 2 == 0) {
      const auto byte = static_cast<unsigned char>(packed[i / 2]);
      if ((byte >> 4) < kEscape && (byte & 0x0F) < kEscape) {
        text.push_back(kCharOfCode[byte >> 4]);
        text.push_back(kCharOfCode[byte & 0x0F]);
        i += 2;
        continue;
      }
    }
    const int code = nibble(i++);
    if (code == kEnd) {
      ended = true;
      break;
    }
    if (code != kEscape) {
      text.push_back(kCharOfCode[code]);
      continue;
    }
    if (i + 2 > nibbles) break;  // an escape without its raw byte
    const int high = nibble(i++);
    const int low = nibble(i++);
    text.push_back(static_cast<char>((high << 4) | low));
  }
  if (complete) *complete = ended;
  return text;
}

std::string JoinBundle(const std::vector<BundleMember>& members) {
  std::size_t size = 0;
  for (const auto& member : members) size += member.name.size() + member.content.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& member : members) {
    text += '#';
    text += member.name;
    text += '\n';
    text += member.content;
  }
  return text;
}

std::optional<std::vector<BundleMember>> SplitBundleText(std::string_view text,
                                                         std::string* bad_name) {
  std::vector<BundleMember> members;
  std::size_t pos = 0;
  // Skip to the first marker line.
  while (pos < text.size() && !(text[pos] == '#' && (pos == 0 || text[pos - 1] == '\n'))) {
    const std::size_t feed = text.find('\n', pos);
    if (feed == std::string_view::npos) return members;
    pos = feed + 1;
  }
  while (pos < text.size()) {
    // At a marker: the rest of the line names the member.
    const std::size_t feed = text.find('\n', pos);
    std::string_view name = text.substr(
        pos + 1, feed == std::string_view::npos ? std::string_view::npos : feed - pos - 1);
    if (!name.empty() && name.back() == '\r') name.remove_suffix(1);
    if (name.empty()) break;
    if (!IsBareFileName(name)) {
      if (bad_name) *bad_name = std::string(name);
      return std::nullopt;
    }
    const std::size_t content_start = feed == std::string_view::npos ? text.size() : feed + 1;
    // The member runs to the next "#" that starts a line.
    std::size_t next = content_start;
    while (next < text.size() && !(text[next] == '#' && (next == 0 || text[next - 1] == '\n'))) {
      const std::size_t line_end = text.find('\n', next);
      next = line_end == std::string_view::npos ? text.size() : line_end + 1;
    }
    members.push_back(
        {std::string(name), std::string(text.substr(content_start, next - content_start))});
    pos = next;
  }
  return members;
}

bool PackBundle(const std::string& text_path, const std::string& bundle_path, Prompter& prompter) {
  const auto text = ReadFileBytes(text_path);
  if (!text) {
    ReportFileError(prompter, kCannotOpenForRead, text_path, kReadErrorCaption);
    return false;
  }
  if (!WriteFileAtomically(bundle_path, PackText(*text))) {
    ReportFileError(prompter, kCannotOpenForWrite, bundle_path, kWriteErrorCaption);
    return false;
  }
  return true;
}

bool UnpackBundle(const std::string& bundle_path, const std::string& text_path,
                  Prompter& prompter) {
  const auto packed = ReadFileBytes(bundle_path);
  if (!packed) {
    ReportFileError(prompter, kCannotOpenForRead, bundle_path, kReadErrorCaption);
    return false;
  }
  bool complete = false;
  const std::string text = UnpackBytes(*packed, &complete);
  if (!complete) {
    ReportFileError(prompter, kStreamCutShort, bundle_path, kReadErrorCaption);
    return false;
  }
  if (!WriteFileAtomically(text_path, text)) {
    ReportFileError(prompter, kCannotOpenForWrite, text_path, kWriteErrorCaption);
    return false;
  }
  return true;
}

std::optional<ReadBundle> ReadBundleFile(const std::string& path, bool packed,
                                         std::string_view header_extension,
                                         std::string_view not_this_kind, Prompter& prompter) {
  auto bytes = ReadFileBytes(path);
  if (!bytes) {
    ReportFileError(prompter, kCannotOpenForRead, path, kReadErrorCaption);
    return std::nullopt;
  }
  if (packed) {
    bool complete = false;
    bytes = UnpackBytes(*bytes, &complete);
    if (!complete) {
      ReportFileError(prompter, kStreamCutShort, path, kReadErrorCaption);
      return std::nullopt;
    }
  }
  auto members = SplitBundleText(*bytes);
  ReadBundle bundle;
  if (members) {
    for (const BundleMember& member : *members) {
      if (ExtensionOf(member.name) == header_extension) bundle.header_name = member.name;
    }
  }
  if (bundle.header_name.empty()) {
    prompter.Error(not_this_kind, kReadErrorCaption);
    return std::nullopt;
  }
  bundle.members = std::move(*members);
  for (const BundleMember& member : bundle.members) {
    if (member.name == bundle.header_name) bundle.header_content = member.content;
  }
  return bundle;
}

bool WriteBundleFile(std::string_view text, const std::string& path, bool packed,
                     Prompter& prompter) {
  if (packed) {
    if (WriteFileAtomically(path, PackText(text))) return true;
    ReportFileError(prompter, kCannotOpenForWrite, path, kWriteErrorCaption);
    return false;
  }
  if (WriteFileAtomically(path, text)) return true;
  ReportFileError(prompter, kCannotOpenText, path, kWriteErrorCaption);
  return false;
}

const std::string& BundleFileSection() {
  static const std::string name = Utf8ToSjis("ファイル");
  return name;
}

std::string FormatBundleHeaderStart(int version, const std::vector<IniLine>& version_keys,
                                    const std::vector<IniLine>& members) {
  std::string out =
      "[" + std::string(kBundleVersionSection) + "]\nversion=" + std::to_string(version) + "\n";
  const auto append = [&out](const IniLine& line) {
    out += line.key;
    out += '=';
    out += line.value;
    out += '\n';
  };
  for (const IniLine& line : version_keys) append(line);
  out += "\n[" + BundleFileSection() + "]\n";
  for (const IniLine& line : members) append(line);
  out += '\n';
  return out;
}

}  // namespace corvane
