// Every number of every member of dia data at the ends of the int range: a
// file the reader takes saves and reads back to the same text, and what the
// program does with the compiled map goes without a fault (the sanitizer
// build turns any overflow into a failure); a number it refuses is named
// with its member and line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/prompter.h"
#include "data/dia_file.h"
#include "data/dia_tables.h"
#include "data/system_map_file.h"
#include "example_dia.h"
#include "interlocking/point_control.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"
#include "run/dia_model.h"
#include "run/load_checks.h"
#include "support/number_sweep.h"

namespace corvane {
namespace {

struct Read {
  DiaReadResult result = DiaReadResult::kFailed;
  DiaFile file;
  std::vector<ShownPrompt> shown;
};

Read ReadText(const std::string& text) {
  const auto members = SplitBundleText(text);
  EXPECT_TRUE(members);
  BundleTableSource source(members.value_or(std::vector<BundleMember>{}));
  std::string shown;
  const std::string header = source.ReadTable(kDiaHeaderMember, &shown).value_or("");
  ScriptedPrompter prompter;
  Read read;
  read.result = ReadDiaFromHeader(header, kDiaHeaderMember, source, prompter, read.file);
  read.shown = prompter.shown();
  return read;
}

// What the program does with dia data it read: list it, throw every point
// through its positions, save it and read it back unchanged, check it as
// an open does.
void ExerciseDia(DiaFile& file) {
  DescribeDia(file);
  for (int point = 1; point <= file.map.points.count(); ++point) {
    for (int step = 0; step <= file.map.points[point].branch_count; ++step) {
      ThrowPoint(file.map, point, 1);
    }
  }
  BuildTrackLists(file.map);
  const std::string saved = FormatDiaText(file, false);
  Read again = ReadText(saved);
  ASSERT_EQ(again.result, DiaReadResult::kRead);
  EXPECT_TRUE(again.shown.empty()) << again.shown.front().text;
  EXPECT_EQ(FormatDiaText(again.file, false), saved);
  // The load-time checks run to their end on it.
  DiaModel model;
  model.Replace(std::move(again.file));
  ScriptedPrompter shown;
  FixedAnswers answers(shown, PromptAnswer::kYes, PromptAnswer::kRetry);
  RunLoadChecks(model, LoadCheckSetup{}, answers);
}

// Every member with rows of numbers (the two INI members aside).
std::vector<std::string> NumberMembers() {
  std::vector<std::string> names;
  for (const DiaMemberHandler* handler : DiaMembers()) {
    const DiaMember member = handler->info().member;
    if (member == DiaMember::kSound || member == DiaMember::kCrewMessage) continue;
    names.emplace_back(handler->info().file);
  }
  names.push_back(AccelerationMemberName(1));
  names.push_back(CurveLimitMemberName(1));
  return names;
}

class DiaNumberSweepTest : public ::testing::TestWithParam<std::string> {};

TEST_P(DiaNumberSweepTest, EveryNumberAtTheEndsOfTheIntRange) {
  static const std::string base = FormatDiaText(SampleDiaFile(), false);
  const int numbers =
      testing::SweepNumbers(base, GetParam(), [this](const testing::SweptText& swept) {
        SCOPED_TRACE(testing::Describe(swept));
        Read read = ReadText(swept.text);
        if (read.result != DiaReadResult::kRead) {
          // Refused with one message naming the member and the line, or a
          // reference checked after all members were read.
          ASSERT_EQ(read.shown.size(), 1u);
          const std::string& text = read.shown[0].text;
          const std::string line = "line " + std::to_string(swept.line) + ": ";
          const bool names_the_row = text.find("'" + GetParam() + "'") != std::string::npos &&
                                     text.find(line) != std::string::npos;
          const bool names_a_reference =
              text.find("'" + std::string(kDiaHeaderMember) + "'") != std::string::npos;
          EXPECT_TRUE(names_the_row || names_a_reference) << text;
          return;
        }
        EXPECT_TRUE(read.shown.empty());
        ExerciseDia(read.file);
      });
  EXPECT_GT(numbers, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryMember, DiaNumberSweepTest, ::testing::ValuesIn(NumberMembers()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.find('.'));
                           name.erase(std::remove(name.begin(), name.end(), '_'), name.end());
                           return name;
                         });

}  // namespace
}  // namespace corvane
