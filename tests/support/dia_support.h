#pragma once
// Checks on dia data shared by the GoogleTest suites.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "base/prompter.h"
#include "data/dia_file.h"
#include "data/system_map_file.h"
#include "interlocking/operation_data.h"
#include "mapfile/packed_bundle.h"
#include "run/dia_model.h"

namespace corvane::testing {

// `file` as opening it leaves it: every point at its normal position, the
// routes reset, the run-time values calculated.
inline DiaFile Initialised(DiaFile file) {
  DiaModel model;
  model.Replace(std::move(file), InitialiseOperationData);
  return model.file();
}

// The text of `member` in a file holding `map` and `dia`.
inline std::string MemberText(DiaMember member, const SystemMap& map,
                              const DiaData& dia = DiaData()) {
  DiaFile file;
  file.map = map;
  file.dia = dia;
  return HandlerOf(member).Format(file);
}

// Reads `member` of data `version` into `map` and `dia`.
inline bool ReadMemberText(DiaMember member, std::string_view text, int version, SystemMap& map,
                           DiaData& dia, std::string* problem) {
  DiaFile file;
  file.map = std::move(map);
  file.dia = std::move(dia);
  const bool ok = HandlerOf(member).Read(text, version, file, problem);
  map = std::move(file.map);
  dia = std::move(file.dia);
  return ok;
}
inline bool ReadMemberText(DiaMember member, std::string_view text, int version, SystemMap& map,
                           std::string* problem) {
  DiaData dia;
  return ReadMemberText(member, text, version, map, dia, problem);
}

// What the reader does once the compiled map's members are read: their
// references checked, then the values the files do not hold.
inline bool FinishCompiledMap(SystemMap& map, int version, std::string* problem) {
  DiaFile file;
  file.map = std::move(map);
  const bool ok = CheckReferences(CompiledMapMembers(), file, problem);
  if (ok) FinishSystemMap(file.map, version);
  map = std::move(file.map);
  return ok;
}

// Success when `file` saves as a bundle text that reads back without a
// complaint and saves again to the same text; what was read back goes to
// `read_back` when given.
inline ::testing::AssertionResult DiaFileRoundTrips(const DiaFile& file,
                                                    DiaFile* read_back = nullptr) {
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
  if (read_back != nullptr) *read_back = std::move(again);
  return ::testing::AssertionSuccess();
}

}  // namespace corvane::testing
