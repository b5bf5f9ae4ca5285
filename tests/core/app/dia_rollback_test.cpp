// Executed data keeps the run-time state across saves: the main window's
// document writes it, restores it on opening and takes a rollback point.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/dia_document.h"
#include "app/first_tick.h"
#include "app/rollback_setup.h"
#include "base/file_io.h"
#include "base/file_messages.h"
#include "base/ini_file.h"
#include "example_dia.h"
#include "mapfile/packed_bundle.h"
#include "run/dia_change.h"
#include "support/dia_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;

// What the boxes shown said, for failure messages.
std::string Boxes(const ScriptedPrompter& prompter) {
  std::string text;
  for (const ShownPrompt& prompt : prompter.shown()) text += prompt.caption + ": " + prompt.text;
  return text;
}

// The member `name` of the packed bundle at `path`.
std::string MemberOf(const std::string& path, const std::string& name) {
  ScriptedPrompter prompter;
  const auto bundle = ReadBundleFile(path, true, "kvd", "", prompter);
  EXPECT_TRUE(bundle) << path;
  if (!bundle) return "";
  for (const BundleMember& member : bundle->members) {
    if (member.name == name) return member.content;
  }
  ADD_FAILURE() << name << " not in " << path;
  return "";
}

class DiaRollbackTest : public ::testing::Test {
 protected:
  DiaRollbackTest() {
    std::filesystem::create_directory(folders_.temp);
    document_.Replace(SampleDiaFile());
  }

  // The run moves on: values no file member holds.
  void RunOn() {
    DiaChange change(document_.model());
    change.run().time = 9 * 3600;
    change.run().trains[1].speed = 45;
    change.run().rails[1].occupying_train = 1;
  }
  std::string Path(const char* name) const { return folder_.File(name); }
  // Counts the restored line in the log.
  int RestoredLines() const {
    int lines = 0;
    for (const std::string& line : log_.Lines()) lines += line == kRollbackRestoredLine;
    return lines;
  }

  ScratchFolder folder_;
  DiaFolders folders_ = ScratchDiaFolders(folder_.File("temp/"));
  ScriptedPrompter prompter_;
  ScriptedChooser chooser_;
  MessageLog log_;
  DiaDocument document_{folders_, prompter_, chooser_, log_};
};

TEST_F(DiaRollbackTest, ExecutedDataSavedTwiceWritesTheSameStack) {
  RunOn();
  ASSERT_TRUE(document_.SaveAsPath(Path("a.kve")));
  ASSERT_TRUE(document_.SaveAsPath(Path("b.kve")));
  const std::string stack = MemberOf(Path("a.kve"), kStackMember);
  EXPECT_EQ(stack, MemberOf(Path("b.kve"), kStackMember));
  EXPECT_EQ(stack, WriteStack(TakeSnapshot(document_.model())));
  // The stack is the last member.
  ScriptedPrompter prompter;
  EXPECT_EQ(ReadBundleFile(Path("a.kve"), true, "kvd", "", prompter)->members.back().name,
            kStackMember);
  // Dia data carries none.
  ASSERT_TRUE(document_.SaveAsPath(Path("c.kvb")));
  const auto dia_data = ReadBundleFile(Path("c.kvb"), true, "kvd", "", prompter);
  ASSERT_TRUE(dia_data.has_value());
  for (const BundleMember& member : dia_data->members) EXPECT_NE(member.name, kStackMember);
}

TEST_F(DiaRollbackTest, OpeningExecutedDataRestoresItsRunAndTakesAPoint) {
  RunOn();
  const RunState ran = document_.model().run();
  ASSERT_TRUE(document_.SaveAsPath(Path("a.kve")));
  document_.Replace(SampleDiaFile());
  ASSERT_NE(document_.model().run(), ran);
  log_.Clear();

  ASSERT_EQ(document_.OpenPath(Path("a.kve")), DiaOpenOutcome::kOpened);
  EXPECT_EQ(document_.model().run(), ran);
  EXPECT_FALSE(document_.modified());
  EXPECT_EQ(log_.Lines().back(), kRollbackRestoredLine);
  ASSERT_EQ(document_.rollback().entries().size(), 1u);
  // Spilled at once to the scratch folder (the default setting).
  EXPECT_EQ(document_.rollback().entries()[0].path, folders_.temp + "roll_back_0.csv");
  EXPECT_TRUE(prompter_.shown().empty()) << Boxes(prompter_);

  // A file without the stack key restores nothing and takes no point.
  ASSERT_TRUE(document_.SaveAsPath(Path("a.kvb")));
  ASSERT_EQ(document_.OpenPath(Path("a.kvb")), DiaOpenOutcome::kOpened);
  EXPECT_TRUE(document_.rollback().entries().empty());
  EXPECT_EQ(RestoredLines(), 0);
  EXPECT_NE(document_.model().run(), ran);
  // Nor does executed data whose stack member is empty.
  const std::string empty;
  ASSERT_TRUE(SaveDiaPath(SampleDiaFile(), Path("empty.kve"), prompter_, false, &empty));
  ASSERT_EQ(document_.OpenPath(Path("empty.kve")), DiaOpenOutcome::kOpened);
  EXPECT_TRUE(document_.rollback().entries().empty());
  EXPECT_EQ(RestoredLines(), 0);
  EXPECT_TRUE(prompter_.shown().empty()) << Boxes(prompter_);
}

TEST_F(DiaRollbackTest, AForeignStackIsRefusedAndTheDataStillOpens) {
  // The stack of data with one train more than the file's tables hold.
  DiaModel other;
  DiaFile bigger = SampleDiaFile();
  bigger.dia.trains.Append(bigger.dia.trains[1]);
  other.Replace(bigger);
  const std::string foreign = WriteStack(TakeSnapshot(other));
  ASSERT_TRUE(SaveDiaPath(SampleDiaFile(), Path("foreign.kve"), prompter_, false, &foreign));
  const std::string garbage = "not a stack\n";
  ASSERT_TRUE(SaveDiaPath(SampleDiaFile(), Path("garbage.kve"), prompter_, false, &garbage));

  for (const char* name : {"foreign.kve", "garbage.kve"}) {
    document_.Replace(SampleDiaFile());
    const RunState opened = document_.model().run();
    prompter_.ClearShown();
    ASSERT_EQ(document_.OpenPath(Path(name)), DiaOpenOutcome::kOpened) << name;
    ASSERT_EQ(prompter_.shown().size(), 1u) << name;
    const std::string shown = folders_.temp + kStackMember;
    EXPECT_EQ(prompter_.shown()[0].caption, kReadErrorCaption);
    EXPECT_EQ(prompter_.shown()[0].text.rfind(FillIn(kBadMemberLine, {shown}), 0), 0u)
        << prompter_.shown()[0].text;
    EXPECT_EQ(document_.model().run(), opened) << name;
    if (std::string(name) == "foreign.kve") {
      EXPECT_NE(prompter_.shown()[0].text.find("train: 2 records in the stack, 1 in the data"),
                std::string::npos);
    }
    EXPECT_TRUE(document_.rollback().entries().empty()) << name;
    EXPECT_EQ(document_.executed_path(), Path(name));
  }
  EXPECT_EQ(RestoredLines(), 0);
}

TEST_F(DiaRollbackTest, AStackMemberThatIsMissingLeavesTheDataWhole) {
  // The header names a stack member the bundle lacks.
  std::string text = FormatDiaText(SampleDiaFile(), true);
  text.replace(text.find("#stack.csv\n"), 11, "#other.csv\n");
  ASSERT_TRUE(WriteBundleFile(text, Path("lost.kve"), true, prompter_));
  const RunState opened = document_.model().run();
  ASSERT_EQ(document_.OpenPath(Path("lost.kve")), DiaOpenOutcome::kOpened);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, FillIn(kCannotOpenText, {folders_.temp + kStackMember}));
  EXPECT_EQ(document_.model().run(), opened);
  EXPECT_TRUE(document_.rollback().entries().empty());
  EXPECT_EQ(FormatDiaText(document_.file(), false),
            FormatDiaText(testing::Initialised(SampleDiaFile()), false));
}

TEST_F(DiaRollbackTest, TheRecordedBackupStackIsReadBackAtStartUp) {
  // A run spilled its point while automatic backup was on.
  ScratchFolder data;
  DataFolder data_folder;
  data_folder.path = data.path();
  ProgramSettings settings;
  RollbackSetup setup = RollbackSetupFor(data_folder, settings);
  ASSERT_TRUE(setup.record_backup);
  document_.SetRollbackSetup(setup);
  ASSERT_TRUE(document_.SaveAsPath(Path("back.kvb")));
  RunOn();
  const RunState ran = document_.model().run();
  ASSERT_TRUE(document_.AddRollbackPoint());
  const std::string spilled = folders_.temp + "roll_back_0.csv";
  EXPECT_EQ(settings.backup_files.stack, spilled);
  EXPECT_EQ(IniFile::Load(data_folder.SettingsPath()).GetString("BackupFile", "stack"), spilled);

  // The next start opens the dia backup and restores the stack into it.
  MessageLog log;
  DiaDocument next(folders_, prompter_, chooser_, log);
  ASSERT_EQ(OpenDiaBackup(next, Path("back.kvb"), spilled), DiaOpenOutcome::kOpened);
  EXPECT_EQ(next.model().run(), ran);
  EXPECT_EQ(next.rollback().entries().size(), 1u);
  EXPECT_EQ(log.Lines().back(), kRollbackRestoredLine);
  EXPECT_EQ(next.dia_path(), "");
  // A backup stack that is gone: reported, the data open as read.
  ASSERT_EQ(OpenDiaBackup(next, Path("back.kvb"), Path("gone.csv")), DiaOpenOutcome::kOpened);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, FillIn(kCannotOpenText, {Path("gone.csv")}));
  EXPECT_TRUE(next.rollback().entries().empty());

  // With automatic backup switched off meanwhile nothing is recorded.
  settings.backup_file = false;
  settings.backup_files.stack.clear();
  ASSERT_TRUE(document_.AddRollbackPoint());
  EXPECT_EQ(settings.backup_files.stack, "");
  EXPECT_EQ(IniFile::Load(data_folder.SettingsPath()).GetString("BackupFile", "stack"), spilled);
  EXPECT_TRUE(FileExists(folders_.temp + "roll_back_1.csv"));
}

}  // namespace
}  // namespace corvane
