#include "app/first_tick.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "example_dia.h"
#include "map/map_change.h"
#include "mapfile/map_file.h"
#include "support/dia_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;

constexpr const char kDiaQuestion[] =
    "前回のご使用時に異常終了したため、ダイヤデータにバックアップファイルがあります。\n\n"
    "バックアップファイルを読み込みますか？";
constexpr const char kMapQuestion[] =
    "前回のご使用時に異常終了したため、マップデータにバックアップファイルがあります。\n\n"
    "バックアップファイルを読み込みますか？";

TEST(FirstTickTest, MissingDataFolderMessages) {
  ScratchFolder scratch;
  DataFolder data_folder;
  auto problem = CheckDataFolder(data_folder);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->text,
            "データフォルダの設定ファイルを正常に読み込めません。\n"
            "存在するデータフォルダを指定してください。\n");
  EXPECT_EQ(problem->caption, "起動エラー");

  const std::string missing_text =
      "データフォルダが見つかりません。\n存在するデータフォルダを指定してください。\n";
  data_folder.path = scratch.path() + "gone";
  problem = CheckDataFolder(data_folder);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->text, missing_text);
  EXPECT_EQ(problem->caption, "起動エラー");
  // A file of that name is no folder either.
  ASSERT_TRUE(WriteFileBytes(data_folder.path, "x"));
  EXPECT_EQ(CheckDataFolder(data_folder)->text, missing_text);

  data_folder.path = WithoutTrailingSlash(scratch.path());
  EXPECT_FALSE(CheckDataFolder(data_folder));
}

TEST(FirstTickTest, StartModeDialog) {
  EXPECT_TRUE(ShouldAskStartMode(CommandLine{}, true));

  struct Case {
    const char* switch_text;
    const char* shown;
  };
  for (const Case& c :
       {Case{"/m=ResetSetting", "通常起動"}, Case{"/m=ResetWindowPos", "ウインドウ位置設定初期化"},
        Case{"/m=ResetAllSetting", "全設定初期化"}}) {
    const CommandLine line = ParseCommandLine({c.switch_text});
    EXPECT_TRUE(ShouldAskStartMode(line, false)) << c.switch_text;
    EXPECT_STREQ(StartModeName(StartModeDialogSelection(line.start_mode)), c.shown)
        << c.switch_text;
  }
  EXPECT_EQ(StartModeDialogSelection(kStartAsk), kStartNormal);

  EXPECT_STREQ(StartModeDescription(kStartNormal), "通常に起動します。");
  EXPECT_STREQ(StartModeDescription(kStartResetWindowPositions),
               "ウインドウ位置の設定を初期化します。なお、初期化をするとプログラムは自動的に終了"
               "します。");
  // Resetting everything also says that the program then ends.
  const std::string all = StartModeDescription(kStartResetAllSettings);
  EXPECT_NE(all.find("全ての設定"), std::string::npos);
  EXPECT_NE(all.find("終了"), std::string::npos);
}

TEST(FirstTickTest, StartModesOfferedAndChosen) {
  // The list: its rows and modes agree both ways; mode 3 is no entry.
  const std::span<const int> offered = OfferedStartModes();
  EXPECT_EQ(std::vector<int>(offered.begin(), offered.end()),
            (std::vector<int>{kStartNormal, kStartResetWindowPositions, kStartResetAllSettings}));
  for (int row = 0; row < static_cast<int>(offered.size()); ++row) {
    EXPECT_EQ(StartModeRow(StartModeAtRow(row)), row);
  }
  EXPECT_EQ(StartModeRow(StartModeDialogSelection(kStartAsk)), 0);
  EXPECT_EQ(StartModeRow(99), 0);
  EXPECT_EQ(StartModeAtRow(-1), kStartNormal);
  EXPECT_EQ(StartModeAtRow(3), kStartNormal);
  EXPECT_EQ(StartModeDialogTitle(false), "鉄道運行管理シミュレータ「Corvane」　起動モード選択");

  // Normal start goes on; a reset or a cancel ends the program at once.
  EXPECT_FALSE(ChosenStartMode(kStartNormal).end_program);
  EXPECT_EQ(ChosenStartMode(kStartNormal).start_mode, kStartNormal);
  const StartModeChoice reset = ChosenStartMode(kStartResetAllSettings);
  EXPECT_TRUE(reset.end_program);
  EXPECT_EQ(reset.start_mode, kStartResetAllSettings);
  EXPECT_TRUE(ChosenStartMode(kStartResetWindowPositions).end_program);
  const StartModeChoice cancelled = ChosenStartMode(std::nullopt);
  EXPECT_TRUE(cancelled.end_program);
  EXPECT_EQ(cancelled.start_mode, kStartNormal) << "a cancel resets nothing";
}

TEST(FirstTickTest, StartupFileByExtension) {
  struct Case {
    const char* file;
    StartupFileAction action;
    bool still_pending;
  };
  const Case cases[] = {
      {"/home/u/a.kvb", StartupFileAction::kDiaData, true},
      {"/home/u/A.KVB", StartupFileAction::kDiaData, true},
      {"b.Kvp", StartupFileAction::kDiaData, true},
      {"c.kvd", StartupFileAction::kDiaData, true},
      {"/home/u/list.KVI", StartupFileAction::kImport, false},
      {"/home/u/a.kvm", StartupFileAction::kRejected, false},
      {"/home/u.kvb/noextension", StartupFileAction::kRejected, false},
  };
  for (const Case& c : cases) {
    CommandLine line;
    line.startup_file = c.file;
    line.file_pending = true;
    ScriptedPrompter prompter;
    EXPECT_EQ(HandleStartupFile(line, prompter), c.action) << c.file;
    EXPECT_EQ(line.file_pending, c.still_pending) << c.file;
    if (c.action == StartupFileAction::kRejected) {
      ASSERT_EQ(prompter.shown().size(), 1u) << c.file;
      EXPECT_EQ(prompter.shown()[0].text, "起動コマンドが確認できません。\n");
      EXPECT_EQ(prompter.shown()[0].caption, "起動エラー");
    } else {
      EXPECT_TRUE(prompter.shown().empty()) << c.file;
    }
  }
}

BackupFiles BackupSettings(const char* kvb, const char* stack, const char* kvm) {
  return {kvb, stack, kvm};
}

TEST(FirstTickTest, BackupRecoveryAsksDiaDataThenMap) {
  const BackupFiles settings =
      BackupSettings("/d/temp/b.kvb", "/d/temp/stack.dat", "/d/temp/b.kvm");
  ScriptedPrompter prompter({PromptAnswer::kYes, PromptAnswer::kYes});
  const BackupRecovery all = AskBackupRecovery(settings, true, true, prompter);
  EXPECT_EQ(all.dia_data, "/d/temp/b.kvb");
  EXPECT_EQ(all.stack, "/d/temp/stack.dat");
  EXPECT_EQ(all.map, "/d/temp/b.kvm");
  ASSERT_EQ(prompter.shown().size(), 2u);
  EXPECT_EQ(prompter.shown()[0].text, kDiaQuestion);
  EXPECT_EQ(prompter.shown()[1].text, kMapQuestion);
  for (const ShownPrompt& shown : prompter.shown()) {
    EXPECT_EQ(shown.caption, "読み込み確認");
    EXPECT_EQ(shown.buttons, PromptButtons::kYesNo);
  }

  // The stack belongs to the dia data: refusing one refuses both; the map is
  // still offered.
  ScriptedPrompter no_then_yes({PromptAnswer::kNo, PromptAnswer::kYes});
  const BackupRecovery map_only = AskBackupRecovery(settings, true, true, no_then_yes);
  EXPECT_FALSE(map_only.dia_data);
  EXPECT_FALSE(map_only.stack);
  EXPECT_EQ(map_only.map, "/d/temp/b.kvm");
  EXPECT_EQ(no_then_yes.shown().size(), 2u);
}

TEST(FirstTickTest, MapBackupNeedsTheMapWindow) {
  const BackupFiles settings = BackupSettings("", "", "/d/temp/b.kvm");
  ScriptedPrompter prompter({PromptAnswer::kYes});
  EXPECT_FALSE(AskBackupRecovery(settings, true, false, prompter).map);
  ASSERT_EQ(prompter.shown().size(), 2u);
  EXPECT_EQ(prompter.shown()[0].text, kMapQuestion);
  EXPECT_EQ(prompter.shown()[1].text, "マップ編集ウインドウが開いていません。\n");
  EXPECT_EQ(prompter.shown()[1].caption, "ウインドウエラー");

  // Declining needs no window and says nothing more.
  ScriptedPrompter declining({PromptAnswer::kNo});
  EXPECT_FALSE(AskBackupRecovery(settings, true, false, declining).map);
  EXPECT_EQ(declining.shown().size(), 1u);
}

TEST(FirstTickTest, NoBackupQuestionsWhenBackupsAreOffOrEmpty) {
  ScriptedPrompter prompter({PromptAnswer::kYes, PromptAnswer::kYes});
  const BackupRecovery off =
      AskBackupRecovery(BackupSettings("b.kvb", "s", "b.kvm"), false, true, prompter);
  EXPECT_FALSE(off.dia_data || off.stack || off.map);
  AskBackupRecovery(BackupSettings("", "s", ""), true, true, prompter);
  AskBackupRecovery(BackupFiles{}, true, true, prompter);
  EXPECT_TRUE(prompter.shown().empty());
}

TEST(FirstTickTest, ARecoveredBackupHasNoFileOfItsOwn) {
  ScratchFolder folder;
  const std::string temp = folder.File("temp/");
  ASSERT_TRUE(std::filesystem::create_directory(temp));
  ScriptedPrompter prompter;
  ScriptedChooser chooser;
  MessageLog log;

  DiaDocument dia(DiaFolders{temp, "", "", "", "", ""}, prompter, chooser, log);
  const std::string dia_backup = folder.File("back.kvb");
  EXPECT_EQ(OpenDiaBackup(dia, dia_backup), DiaOpenOutcome::kFailed);
  ASSERT_TRUE(SaveDiaPath(SampleDiaFile(), dia_backup, prompter));
  EXPECT_EQ(OpenDiaBackup(dia, dia_backup), DiaOpenOutcome::kOpened);
  EXPECT_EQ(dia.dia_path(), "");
  // As read, with every point brought to its normal position.
  const DiaFile initialised = testing::Initialised(SampleDiaFile());
  EXPECT_EQ(FormatDiaText(dia.file(), false), FormatDiaText(initialised, false));

  EditMap map;
  MapDocument document(map,
                       MapFolders{temp, folder.path(), testing::SourceDataFolder() + "old_map/"},
                       prompter, chooser, log);
  const std::string map_backup = folder.File("back.kvm");
  ASSERT_TRUE(document.NewMap());
  MapChange(map).rails().Append(NewRail({1, 1}, {6, 1}, kBothWays));
  ASSERT_TRUE(document.SaveToPath(map_backup));
  const std::string saved = FormatMapText(map.content());
  ASSERT_TRUE(document.NewMap());
  EXPECT_EQ(OpenMapBackup(document, map_backup), OpenOutcome::kOpened);
  EXPECT_EQ(document.path(), "");
  EXPECT_TRUE(FormatMapText(map.content()) == saved);
  EXPECT_EQ(OpenMapBackup(document, folder.File("gone.kvm")), OpenOutcome::kFailed);
}

}  // namespace
}  // namespace corvane
