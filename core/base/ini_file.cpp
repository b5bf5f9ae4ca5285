#include "base/ini_file.h"

#include <cstdint>

#include "base/encoding.h"
#include "base/file_io.h"

namespace corvane {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// The section name of a "[name]" line, if the line is one.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// Splits "key=value"; nothing for comments and lines without "=".
bool SplitEntry(std::string_view line, std::string_view* key, std::string_view* value) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return false;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  *key = Trim(line.substr(0, equals));
  *value = Trim(line.substr(equals + 1));
  return true;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::string_view IniValueAsRead(std::string_view value) { return Unquote(Trim(value)); }

int ProfileInt(std::string_view value) {
  std::size_t pos = 0;
  while (pos < value.size() && (value[pos] == ' ' || value[pos] == '\t')) ++pos;
  bool negative = false;
  if (pos < value.size() && (value[pos] == '-' || value[pos] == '+')) {
    negative = value[pos] == '-';
    ++pos;
  }
  // Like the profile functions, the value is kept modulo 2^32.
  std::uint32_t result = 0;
  if (pos + 1 < value.size() && value[pos] == '0' &&
      (value[pos + 1] == 'x' || value[pos + 1] == 'X')) {
    for (pos += 2; pos < value.size(); ++pos) {
      const char c = value[pos];
      int digit;
      if (c >= '0' && c <= '9')
        digit = c - '0';
      else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
      else
        break;
      result = result * 16 + static_cast<std::uint32_t>(digit);
    }
  } else {
    for (; pos < value.size() && value[pos] >= '0' && value[pos] <= '9'; ++pos) {
      result = result * 10 + static_cast<std::uint32_t>(value[pos] - '0');
    }
  }
  if (negative) result = 0u - result;
  return static_cast<int>(result);
}

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile file;
  file.final_line_feed_ = bytes.empty() || bytes.back() == '\n';
  std::size_t start = 0;
  bool seen_crlf = false;
  while (start < bytes.size()) {
    std::size_t feed = bytes.find('\n', start);
    std::string_view line =
        bytes.substr(start, feed == std::string_view::npos ? std::string_view::npos : feed - start);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
      seen_crlf = true;
    }
    file.lines_.emplace_back(line);
    if (feed == std::string_view::npos) break;
    start = feed + 1;
  }
  file.crlf_ = seen_crlf;
  return file;
}

bool IniFile::Update(const std::string& path, const std::function<void(IniFile&)>& change) {
  IniFile file;
  if (FileExists(path) || IsDirectory(path)) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) return false;
    file = Parse(*bytes);
  }
  change(file);
  return file.Save(path);
}

IniFile IniFile::Load(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  return bytes ? Parse(*bytes) : IniFile();
}

const IniFile::Index& IniFile::index() const {
  if (index_) return *index_;
  Index& index = index_.emplace();
  std::size_t current = 0;  // place of the section being indexed in `ranges`
  bool indexing = false;    // false in a later section of a name already seen
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (const auto name = SectionOf(lines_[i])) {
      if (indexing) index.ranges[current].end = i;
      const auto [it, first] = index.sections.emplace(FoldSjisCase(*name), index.ranges.size());
      indexing = first;
      if (first) {
        current = index.ranges.size();
        index.ranges.push_back({i, lines_.size()});
        index.keys.emplace_back();
      }
      continue;
    }
    std::string_view key, value;
    if (indexing && SplitEntry(lines_[i], &key, &value)) {
      index.keys[current].emplace(FoldSjisCase(key), i);
    }
  }
  return index;
}

std::optional<IniFile::Range> IniFile::FindSection(std::string_view section) const {
  const Index& index = this->index();
  const auto it = index.sections.find(FoldSjisCase(section));
  if (it == index.sections.end()) return std::nullopt;
  return index.ranges[it->second];
}

std::optional<std::size_t> IniFile::FindKeyLine(std::string_view section,
                                                std::string_view key) const {
  const Index& index = this->index();
  const auto it = index.sections.find(FoldSjisCase(section));
  if (it == index.sections.end()) return std::nullopt;
  const auto& keys = index.keys[it->second];
  const auto line = keys.find(FoldSjisCase(key));
  if (line == keys.end()) return std::nullopt;
  return line->second;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
  const auto line = FindKeyLine(section, key);
  if (!line) return std::nullopt;
  std::string_view entry_key, value;
  SplitEntry(lines_[*line], &entry_key, &value);
  return std::string(Unquote(value));
}

std::string IniFile::GetString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  auto value = Find(section, key);
  return value ? std::move(*value) : std::string(fallback);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int fallback) const {
  // A key with an empty value counts as missing, as with the profile functions.
  const auto value = Find(section, key);
  return value && !value->empty() ? ProfileInt(*value) : fallback;
}

bool IniFile::HasSection(std::string_view section) const {
  return FindSection(section).has_value();
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  final_line_feed_ = true;
  std::string line = std::string(key) + "=" + std::string(value);
  const auto range = FindSection(section);
  const auto existing = FindKeyLine(section, key);
  index_.reset();
  if (!range) {
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(line));
    return;
  }
  if (existing) {
    lines_[*existing] = std::move(line);
    return;
  }
  // After the section's last non-blank line.
  std::size_t insert_at = range->end;
  while (insert_at > range->header + 1 && Trim(lines_[insert_at - 1]).empty()) --insert_at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(line));
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
  SetString(section, key, std::to_string(value));
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  if (const auto line = FindKeyLine(section, key)) {
    index_.reset();
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*line));
  }
}

void IniFile::DeleteSection(std::string_view section) {
  const auto range = FindSection(section);
  if (!range) return;
  index_.reset();
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
               lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const auto& line : lines_) {
    if (const auto name = SectionOf(line)) names.emplace_back(*name);
  }
  return names;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  const auto range = FindSection(section);
  if (!range) return names;
  for (std::size_t i = range->header + 1; i < range->end; ++i) {
    std::string_view key, value;
    if (SplitEntry(lines_[i], &key, &value)) names.emplace_back(key);
  }
  return names;
}

std::string IniFile::Serialize() const {
  const char* line_end = crlf_ ? "\r\n" : "\n";
  std::string out;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    out += lines_[i];
    if (i + 1 < lines_.size() || final_line_feed_) out += line_end;
  }
  return out;
}

bool IniFile::Save(const std::string& path) const { return WriteFileAtomically(path, Serialize()); }

}  // namespace corvane
