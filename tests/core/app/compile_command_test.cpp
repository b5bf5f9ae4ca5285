#include "app/compile_command.h"

#include <gtest/gtest.h>

#include <string>

#include "map/map_change.h"
#include "mapfile/map_file.h"

namespace corvane {
namespace {

// The map edit window's compile, without the backup, on a map of one
// segment (2,5)-(6,5) with a signal type; the main window's dia is fresh.
class CompileCommandTest : public ::testing::Test {
 protected:
  CompileCommandTest() {
    MapChange change(map_);
    change.signal_types().Append(MapSignalType{});
    change.rails().Append(NewRail({2, 5}, {6, 5}, kBothWays));
  }

  CompileOutcome Compile() {
    CompileCommandSetup setup;
    setup.backup = false;
    setup.output.prompter = &prompter_;
    return RunCompileCommand(session_, dia_, setup);
  }
  void SetStart() {
    MapChange(map_).header().start.start_rail = 1;
    map_.MarkSaved();
  }

  EditMap map_;
  ScriptedPrompter prompter_;
  ScriptedChooser chooser_;
  MessageLog log_;
  EditDialogs dialogs_;
  EditSession session_{map_, prompter_, dialogs_};
  DiaDocument dia_{DiaFolders{}, prompter_, chooser_, log_};  // a compile writes no file
};

TEST_F(CompileCommandTest, ACompileIsOneStepAndOnlyWhenItChangedARecord) {
  // Stopped by the first check (no start point): nothing changed, no step.
  const std::int64_t drawn = map_.actions_committed();
  EXPECT_EQ(Compile(), CompileOutcome::kStopped);
  EXPECT_EQ(map_.actions_committed(), drawn);

  // The repair of a station reference and the piece numbers are one step.
  SetStart();
  MapChange(map_).rails()[1].station = 7;
  const std::string before = FormatMapText(map_.content());
  const std::int64_t committed = map_.actions_committed();
  prompter_.Queue(PromptAnswer::kYes);  // go on after the repair's warning
  ASSERT_EQ(Compile(), CompileOutcome::kCompiled);
  EXPECT_EQ(map_.actions_committed(), committed + 1);
  ASSERT_TRUE(map_.CanUndo());
  EXPECT_EQ(map_.NextUndo()->name_japanese, "コンパイル");
  EXPECT_EQ(map_.NextUndo()->name_english, "Compile");
  ASSERT_TRUE(map_.Undo());
  EXPECT_TRUE(FormatMapText(map_.content()) == before);

  // A compile that writes the piece numbers the map holds already.
  ASSERT_TRUE(map_.Redo());
  ASSERT_EQ(Compile(), CompileOutcome::kCompiled);
  EXPECT_EQ(map_.actions_committed(), committed + 1);
}

}  // namespace
}  // namespace corvane
