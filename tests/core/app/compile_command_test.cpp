#include "app/compile_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/map_document.h"
#include "base/encoding.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "example_dia.h"
#include "map/map_change.h"
#include "mapfile/map_file.h"
#include "run/dia_change.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;

constexpr const char kReplaceCaption[] = "コンパイル確認";
constexpr const char kReplaceQuestion[] =
    "メインウインドウのマップデータを更新します。\n現在のダイヤの変更は失われます。\nよろしいですか"
    "？";

// The map edit window's compile on a map of one segment (2,5)-(6,5) with a
// signal type; the main window's dia is fresh. The backup goes into a
// scratch folder with a settings file of its own.
class CompileCommandTest : public ::testing::Test {
 protected:
  CompileCommandTest() {
    std::filesystem::create_directory(temp_);
    MapChange change(map_);
    change.signal_types().Append(MapSignalType{});
    change.rails().Append(NewRail({2, 5}, {6, 5}, kBothWays));
  }

  CompileCommandSetup Setup(bool backup) {
    CompileCommandSetup setup;
    setup.backup = backup;
    setup.temp_folder = temp_;
    setup.settings_path = settings_path_;
    setup.backups = &backups_;
    setup.output = MessageLogOutput(log_, prompter_);
    return setup;
  }
  CompileOutcome Compile(bool backup = false) {
    return RunCompileCommand(session_, &dia_, Setup(backup));
  }
  void SetStart() {
    MapChange(map_).header().start.start_rail = 1;
    map_.MarkSaved();
  }
  // The dia and its file name as the main window shows them.
  // Data of the main window's with a change the user has not saved.
  void ChangeDia() {
    dia_.Replace(SampleDiaFile());
    DiaChange(dia_.model()).header().dia_comment = Utf8ToSjis("変更");
  }
  std::string DiaState() const {
    return FormatDiaText(dia_.file(), false) + "|" + dia_.dia_path() + "|" +
           (dia_.modified() ? "modified" : "saved");
  }
  bool Asked() const {
    for (const ShownPrompt& shown : prompter_.shown()) {
      if (shown.caption == kReplaceCaption) return true;
    }
    return false;
  }
  std::string BackupPath() const { return temp_ + kCompileBackupName; }
  std::string BackupKey() const {
    return IniFile::Load(settings_path_).GetString(kBackupFileSection, kBackupKvmKey);
  }

  ScratchFolder folder_;
  const std::string temp_ = folder_.File("temp/");
  const std::string settings_path_ = folder_.File("korv.ini");
  BackupFiles backups_;
  EditMap map_;
  ScriptedPrompter prompter_;
  ScriptedChooser chooser_;
  MessageLog log_;
  EditDialogs dialogs_;
  EditSession session_{map_, prompter_, dialogs_};
  DiaDocument dia_{DiaFolders{temp_, "", "", "", "", ""}, prompter_, chooser_, log_};
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

TEST_F(CompileCommandTest, OnlyUnsavedChangesOfTheDiaAreAskedAbout) {
  SetStart();
  ASSERT_EQ(Compile(), CompileOutcome::kCompiled);
  EXPECT_FALSE(Asked()) << "a fresh dia has nothing to lose";
  ASSERT_EQ(Compile(), CompileOutcome::kCompiled);
  EXPECT_FALSE(Asked()) << "nor has a compiled one";

  // Changed data: No keeps it, and nothing else happens either.
  ChangeDia();
  session_.state().error_display = false;
  const std::string kept = DiaState();
  const std::int64_t committed = map_.actions_committed();
  prompter_.Queue(PromptAnswer::kNo);
  EXPECT_EQ(Compile(/*backup=*/true), CompileOutcome::kCancelled);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, kReplaceQuestion);
  EXPECT_EQ(prompter_.shown()[0].buttons, PromptButtons::kYesNo);
  EXPECT_EQ(DiaState(), kept);
  EXPECT_EQ(map_.actions_committed(), committed);
  EXPECT_FALSE(FileExists(BackupPath()));
  EXPECT_FALSE(session_.state().error_display);

  prompter_.Queue(PromptAnswer::kYes);
  EXPECT_EQ(Compile(), CompileOutcome::kCompiled);
  EXPECT_FALSE(dia_.modified());
}

TEST_F(CompileCommandTest, TheBackupIsTheMapRecordedInTheSettingsFileAndInMemory) {
  SetStart();
  ASSERT_TRUE(WriteFileBytes(settings_path_, "[Setting]\nCallSpeed=7\n"));
  ASSERT_EQ(Compile(/*backup=*/false), CompileOutcome::kCompiled);
  EXPECT_FALSE(FileExists(BackupPath()));
  EXPECT_EQ(BackupKey(), "");
  EXPECT_EQ(backups_.kvm, "");

  const std::string map_text = FormatMapText(map_.content());
  ASSERT_EQ(Compile(/*backup=*/true), CompileOutcome::kCompiled);
  EXPECT_EQ(BackupKey(), BackupPath());
  EXPECT_EQ(backups_.kvm, BackupPath());
  EXPECT_EQ(IniFile::Load(settings_path_).GetInt(kSettingSection, "CallSpeed", 0), 7);
  // The backup is the map as it was before the compile.
  EditMap restored;
  MapDocument reader(restored, MapFolders{temp_, folder_.path(), ""}, prompter_, chooser_, log_);
  ASSERT_EQ(reader.OpenPath(BackupPath()), OpenOutcome::kOpened);
  EXPECT_TRUE(FormatMapText(restored.content()) == map_text);
}

TEST_F(CompileCommandTest, ABackupThatCannotBeWrittenStopsTheCommand) {
  SetStart();
  const std::string kept = DiaState();
  const std::int64_t committed = map_.actions_committed();
  std::filesystem::remove(temp_);
  EXPECT_EQ(Compile(/*backup=*/true), CompileOutcome::kCancelled);
  EXPECT_FALSE(prompter_.shown().empty()) << "the write error is shown";
  EXPECT_EQ(DiaState(), kept);
  EXPECT_EQ(BackupKey(), "");
  EXPECT_EQ(backups_.kvm, "");
  EXPECT_EQ(map_.actions_committed(), committed);
}

TEST_F(CompileCommandTest, TheCompiledMapIsHandedOverWithoutAFileOrChanges) {
  // The main window holds data opened from a file.
  const std::string saved = folder_.File("old.kvb");
  ASSERT_TRUE(SaveDiaPath(SampleDiaFile(), saved, prompter_));
  ASSERT_EQ(dia_.OpenPath(saved), DiaOpenOutcome::kOpened);
  int changes = 0;
  const DiaModel::Subscription listening =
      dia_.model().Listen([&changes](const DiaEvent&) { ++changes; });
  SetStart();
  ASSERT_EQ(Compile(), CompileOutcome::kCompiled);
  EXPECT_GE(changes, 1);
  EXPECT_EQ(dia_.dia_path(), "");
  EXPECT_FALSE(dia_.modified());
  EXPECT_EQ(dia_.file().header.version, kDiaVersion);
  EXPECT_NE(FormatDiaText(dia_.file(), false), FormatDiaText(SampleDiaFile(), false));
  EXPECT_GT(dia_.file().map.rails.count(), 0) << "the compiled map's rails";
}

TEST_F(CompileCommandTest, AStoppedCompileLeavesTheMainWindowAsItWas) {
  const std::string saved = folder_.File("old.kvb");
  ASSERT_TRUE(SaveDiaPath(SampleDiaFile(), saved, prompter_));
  ASSERT_EQ(dia_.OpenPath(saved), DiaOpenOutcome::kOpened);
  const std::string opened = DiaState();
  int changes = 0;
  const DiaModel::Subscription listening =
      dia_.model().Listen([&changes](const DiaEvent&) { ++changes; });
  // No start point: the first check stops the compile.
  EXPECT_EQ(Compile(), CompileOutcome::kStopped);
  EXPECT_EQ(DiaState(), opened);

  // Changed data the user agreed to lose stays too when the compile stops.
  ChangeDia();
  const std::string changed = DiaState();
  changes = 0;
  prompter_.Queue(PromptAnswer::kYes);
  EXPECT_EQ(Compile(), CompileOutcome::kStopped);
  EXPECT_EQ(DiaState(), changed);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(session_.state().error_display) << "the findings are shown on the map";
}

TEST_F(CompileCommandTest, WithoutAMainWindowOnlyTheChecksRun) {
  SetStart();
  EXPECT_EQ(RunCompileCommand(session_, nullptr, Setup(/*backup=*/true)), CompileOutcome::kChecked);
  EXPECT_TRUE(session_.state().error_display);
  EXPECT_FALSE(FileExists(BackupPath())) << "nothing to back up for";
  EXPECT_TRUE(prompter_.shown().empty());

  // A finding names its object in the message window.
  MapChange(map_).rails()[1].station = 7;
  prompter_.Queue(PromptAnswer::kNo);  // stop at the repair's warning
  EXPECT_EQ(RunCompileCommand(session_, nullptr, Setup(false)), CompileOutcome::kStopped);
  bool linked = false;
  for (int i = 0; i < log_.size(); ++i) {
    linked = linked || log_.Link(i) == MessageLink{static_cast<int>(MapTable::kRail), 1};
  }
  EXPECT_TRUE(linked);

  // No map open: nothing to compile or check.
  session_.set_map_open(false);
  prompter_.ClearShown();
  log_.Clear();
  dia_.Replace(SampleDiaFile());
  EXPECT_EQ(Compile(), CompileOutcome::kCancelled);
  EXPECT_TRUE(prompter_.shown().empty());
  EXPECT_EQ(log_.size(), 0);
}

TEST(CompileSetupTest, TheDesktopProgramsSetupFollowsItsSettingsAndDataFolder) {
  ScratchFolder folder;
  DataFolder data_folder;
  data_folder.path = WithoutTrailingSlash(folder.path());
  data_folder.table.Set(kSlotSystemTemp, data_folder.path + "/temp");
  ProgramSettings settings;
  settings.backup_file = false;
  const CompileCommandSetup setup = CompileSetupFor(data_folder, settings);
  EXPECT_FALSE(setup.backup);
  EXPECT_EQ(setup.temp_folder, data_folder.path + "/temp/");
  EXPECT_EQ(setup.settings_path, data_folder.path + "/korv.ini");
  EXPECT_EQ(setup.backups, &settings.backup_files);
  settings.backup_file = true;
  EXPECT_TRUE(CompileSetupFor(data_folder, settings).backup);
  // No data folder: nowhere to keep a backup.
  EXPECT_FALSE(CompileSetupFor(DataFolder{}, settings).backup);
}

}  // namespace
}  // namespace corvane
