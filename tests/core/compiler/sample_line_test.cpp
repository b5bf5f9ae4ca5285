// The sample line of examples/ is the first map a user opens: it must
// compile without a finding, and the sample dia data beside it must be its
// compile, byte for byte.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "app/map_document.h"
#include "base/file_io.h"
#include "compiler/map_compiler.h"
#include "example_maps.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"
#include "support/dia_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

const std::string kExamples = std::string(CORVANE_SOURCE_DIR) + "/examples/";

class SampleLineTest : public ::testing::Test {
 protected:
  SampleLineTest() { std::filesystem::create_directory(folders_.temp); }

  std::optional<CompileResult> Compile(EditMap& map) {
    CheckOutput output;
    output.message = [this](std::string_view line) { lines_.emplace_back(line); };
    output.prompter = &prompter_;
    return CompileMap(map, marks_, output);
  }

  testing::ScratchFolder folder_;
  MapFolders folders_{folder_.File("temp/"), folder_.path(),
                      testing::SourceDataFolder() + "old_map/"};
  ScriptedPrompter prompter_;
  ScriptedChooser chooser_;
  MessageLog log_;
  MapCheckMarks marks_;
  std::vector<std::string> lines_;
};

TEST_F(SampleLineTest, CompilesCleanlyIntoTheSampleDiaData) {
  EditMap map;
  MapDocument document(map, folders_, prompter_, chooser_, log_);
  ASSERT_EQ(document.OpenPath(kExamples + "sample_line.kvm"), OpenOutcome::kOpened);
  const std::optional<CompileResult> result = Compile(map);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->errors, 0);
  EXPECT_EQ(result->warnings, 0);
  EXPECT_TRUE(prompter_.shown().empty());
  EXPECT_EQ(lines_.back(), "エラー：0件　警告：0件");
  // The committed map already holds the compile's piece numbers.
  EXPECT_FALSE(map.modified());
  EXPECT_TRUE(testing::DiaFileRoundTrips(result->file));

  DiaFile file = result->file;
  file.header.version = kDiaVersion;
  const auto committed = ReadFileBytes(kExamples + "sample_line.kvb");
  ASSERT_TRUE(committed);
  EXPECT_EQ(UnpackBytes(*committed), FormatDiaText(file, false))
      << "examples/sample_line.kvb is out of date: run corvane-make-examples (README)";
  EXPECT_EQ(ReadFileBytes(testing::SourceDataFolder() + "system_map/sample_line.kvb"), committed)
      << "copy examples/sample_line.kvb into data/system_map/";
}

TEST_F(SampleLineTest, TheExamplesToolBuildsTheCommittedMap) {
  EditMap built;
  MapDocument document(built, folders_, prompter_, chooser_, log_);
  ASSERT_TRUE(document.NewMap());
  BuildSampleLine(built);
  ASSERT_TRUE(Compile(built));

  EditMap committed;
  MapDocument reader(committed, folders_, prompter_, chooser_, log_);
  ASSERT_EQ(reader.OpenPath(kExamples + "sample_line.kvm"), OpenOutcome::kOpened);
  EXPECT_EQ(FormatMapText(built.content()), FormatMapText(committed.content()))
      << "examples/sample_line.kvm is out of date: run corvane-make-examples (README)";
}

}  // namespace
}  // namespace corvane
