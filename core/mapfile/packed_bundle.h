#pragma once
// The packed bundle: text members opened by "#name" marker lines, joined into
// one text and stored four bits per character. Map files and dia data files
// share this form.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// File operations with their messages; each returns false after reporting.
bool PackBundle(const std::string& text_path, const std::string& bundle_path, Prompter& prompter);
bool UnpackBundle(const std::string& bundle_path, const std::string& text_path, Prompter& prompter);
// Writes every member of the bundle text at `text_path` into `folder`, after
// removing the members an earlier split left there, and returns the path of
// the member whose extension is `wanted_extension`. A text without such a
// member, or with a member name that is no bare file name, is no bundle of
// the kind wanted: `not_this_kind` (the message naming the user's file) is
// shown as a read error and nothing is written.
std::optional<std::string> SplitBundle(const std::string& text_path, const std::string& folder,
                                       std::string_view wanted_extension,
                                       std::string_view not_this_kind, Prompter& prompter);

}  // namespace corvane
