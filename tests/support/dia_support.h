#pragma once
// Checks on dia data shared by the GoogleTest suites.

#include <gtest/gtest.h>

#include <string>

#include "base/prompter.h"
#include "data/dia_file.h"
#include "mapfile/packed_bundle.h"

namespace corvane::testing {

// Success when `file` saves as a bundle text that reads back without a
// complaint and saves again to the same text.
inline ::testing::AssertionResult DiaFileRoundTrips(const DiaFile& file) {
  const std::string saved = FormatDiaText(file, file.stack.has_value());
  const auto members = SplitBundleText(saved);
  if (!members) return ::testing::AssertionFailure() << "the saved text does not split";
  std::string header;
  for (const BundleMember& member : *members) {
    if (member.name == kDiaHeaderMember) header = member.content;
  }
  BundleTableSource source(*members);
  ScriptedPrompter prompter;
  DiaFile again;
  if (ReadDiaFromHeader(header, kDiaHeaderMember, source, prompter, again) !=
          DiaReadResult::kRead ||
      !prompter.shown().empty()) {
    std::string shown;
    for (const ShownPrompt& prompt : prompter.shown()) shown += prompt.text + "\n";
    return ::testing::AssertionFailure() << "the saved dia data does not read back: " << shown;
  }
  if (FormatDiaText(again, again.stack.has_value()) != saved) {
    return ::testing::AssertionFailure() << "the saved dia data reads back differently";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace corvane::testing
