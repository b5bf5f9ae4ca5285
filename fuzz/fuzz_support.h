#pragma once
// What the file reader fuzz targets share: a prompter that goes on through
// every warning, the dia data read from a bundle text, and the report of two
// texts that should be equal.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_io.h"
#include "base/prompter.h"
#include "data/dia_file.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"

namespace corvane::fuzzing {

// Goes on through every warning; counts what it was shown.
class IgnoringPrompter : public Prompter {
 public:
  PromptAnswer Ask(std::string_view, std::string_view, PromptButtons buttons, PromptIcon) override {
    ++shown;
    return buttons == PromptButtons::kAbortRetryIgnore ? PromptAnswer::kIgnore
                                                       : SafeAnswer(buttons);
  }
  int shown = 0;
};

// Reads a dia data bundle text into `file`; false when nothing was read.
inline bool ReadDiaBundleText(std::string_view text, DiaFile& file, Prompter& prompter) {
  const auto members = SplitBundleText(text);
  if (!members) return false;
  std::optional<std::string> header;
  for (const BundleMember& member : *members) {
    if (ExtensionOf(member.name) == kDiaHeaderExtension) header = member.content;
  }
  if (!header) return false;
  BundleTableSource source(*members);
  return ReadDiaFromHeader(*header, kDiaHeaderMember, source, prompter, file) ==
         DiaReadResult::kRead;
}

// Shows where two texts that should be equal part, then stops.
[[noreturn]] inline void Mismatch(const char* what, std::string_view a, std::string_view b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  const std::size_t from = at < 60 ? 0 : at - 60;
  auto excerpt = [from](std::string_view text) {
    return from < text.size() ? text.substr(from, 120) : std::string_view();
  };
  std::fprintf(stderr, "%s at byte %zu:\n< %.*s\n> %.*s\n", what, at,
               static_cast<int>(excerpt(a).size()), excerpt(a).data(),
               static_cast<int>(excerpt(b).size()), excerpt(b).data());
  std::abort();
}

}  // namespace corvane::fuzzing
