#pragma once
// INI files with the semantics of the Windows profile functions the file
// formats rely on: sections and keys compared without ASCII case, the first
// match wins, values trimmed and unquoted, missing keys give the caller's
// default, integers read as GetPrivateProfileInt reads them, and writes that
// change one line and keep every other line of the file as it was. Bytes are
// Shift-JIS; CRLF and LF line ends are both read. Sections and keys are
// indexed once per file (and again after a change), so reading every key of
// a large file takes time in proportion to its size.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

// Integer as the profile functions read it: leading blanks skipped, an
// optional sign, "0x" for hexadecimal, digits up to the first other
// character; 0 when there are none. Values wrap around at 32 bits.
int ProfileInt(std::string_view value);

// A value as reading gives it back: blanks around it trimmed, one pair of
// quotes around it taken off.
std::string_view IniValueAsRead(std::string_view value);

class IniFile {
 public:
  IniFile() = default;
  static IniFile Parse(std::string_view bytes);
  // A missing or unreadable file reads as an empty one, as with the profile
  // functions.
  static IniFile Load(const std::string& path);
  // Changes the file at `path` with `change` and saves it atomically. A
  // missing file starts empty; a file that exists but cannot be read is left
  // alone (false), so that a save never drops the lines it could not read.
  static bool Update(const std::string& path, const std::function<void(IniFile&)>& change);

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback = {}) const;
  // A key that is missing or has an empty value gives `fallback`.
  int GetInt(std::string_view section, std::string_view key, int fallback) const;
  bool HasSection(std::string_view section) const;

  // Sets a key, adding its section at the end and the key after the
  // section's last entry when they are missing.
  void SetString(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int value);
  void DeleteKey(std::string_view section, std::string_view key);
  void DeleteSection(std::string_view section);

  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(std::string_view section) const;

  // The file's lines, as read or changed.
  const std::vector<std::string>& lines() const { return lines_; }

  // The file's bytes, with the line ends it was read with (LF for a new file).
  std::string Serialize() const;
  // Writes the file atomically; false on failure (the old file stays).
  bool Save(const std::string& path) const;

 private:
  struct Range {
    std::size_t header = 0;  // line of "[section]"
    std::size_t end = 0;     // one past the section's last line
  };
  // Each section name's first section with its keys' first lines; names
  // and keys folded to one letter case.
  struct Index {
    std::unordered_map<std::string, std::size_t> sections;  // name -> place in `ranges`
    std::vector<Range> ranges;
    std::vector<std::unordered_map<std::string, std::size_t>> keys;  // per range: key -> line
  };
  const Index& index() const;
  std::optional<Range> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKeyLine(std::string_view section, std::string_view key) const;

  std::vector<std::string> lines_;
  mutable std::optional<Index> index_;  // built when first asked, dropped by every change
  bool crlf_ = false;
  bool final_line_feed_ = true;
};

}  // namespace corvane
