#pragma once
// The packed bundle: text members opened by "#name" marker lines, joined into
// one text and stored four bits per character. Map files and dia data files
// share this form.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ini_file.h"
#include "base/prompter.h"

namespace corvane {

// Packs a bundle text into its stored form (always ends with the end code).
// A carriage return before a line feed is left out.
std::string PackText(std::string_view text);

// Unpacks a stored bundle. Decoding stops at the end code; `complete` tells
// whether one was found (a stream without it was cut short).
std::string UnpackBytes(std::string_view packed, bool* complete = nullptr);

struct BundleMember {
  std::string name;     // bare file name
  std::string content;  // every line up to the next marker line
};

// "#name\n" + content for each member in order.
std::string JoinBundle(const std::vector<BundleMember>& members);

// The members of a bundle text. Text before the first marker line is
// dropped; a marker with an empty name ends the list. A member name that is
// not a bare file name (a separator, "." or "..") makes the whole text
// unusable: nothing is returned and `bad_name` holds the name.
std::optional<std::vector<BundleMember>> SplitBundleText(std::string_view text,
                                                         std::string* bad_name = nullptr);

// A bundle read from a file and split in memory, with the member that is
// its header.
struct ReadBundle {
  std::vector<BundleMember> members;
  std::string header_name;     // the last member with the header's extension
  std::string header_content;  // the last member of that name
};

// Reads the bundle at `path` (packed, or its text when not `packed`) and
// splits it in memory. Reports and returns nothing when the file cannot be
// read or its stream was cut short, and, with `not_this_kind` (the message
// naming the user's file) as a read error, when it has no member with the
// extension `header_extension` or a member name that is no bare file name.
std::optional<ReadBundle> ReadBundleFile(const std::string& path, bool packed,
                                         std::string_view header_extension,
                                         std::string_view not_this_kind, Prompter& prompter);

// Writes a bundle text to `path`, packed when `packed`; the file is
// replaced only when it was written whole. Reports and returns false when
// it cannot be written.
bool WriteBundleFile(std::string_view text, const std::string& path, bool packed,
                     Prompter& prompter);

// The text file and packed file forms of one another, with their messages;
// each returns false after reporting.
bool PackBundle(const std::string& text_path, const std::string& bundle_path, Prompter& prompter);
bool UnpackBundle(const std::string& bundle_path, const std::string& text_path, Prompter& prompter);

// ------------------------------------------------------------ the header

// The header member of every bundle starts with the data version in
// "[K-ORV]" and the member names in "[ファイル]", one key each.
inline constexpr const char kBundleVersionSection[] = "K-ORV";
const std::string& BundleFileSection();  // Shift-JIS

struct IniLine {
  std::string key;
  std::string value;
};

// "[K-ORV]" with "version=<version>" and `version_keys`, then "[ファイル]"
// with `members`; each section ends with a blank line.
std::string FormatBundleHeaderStart(int version, const std::vector<IniLine>& version_keys,
                                    const std::vector<IniLine>& members);

}  // namespace corvane
