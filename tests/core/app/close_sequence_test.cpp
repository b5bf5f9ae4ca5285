#include "app/close_sequence.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "base/file_io.h"
#include "support/fake_environment.h"
#include "support/test_support.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::FakeEnvironment;
using testing::ScratchFolder;

// The log opens with the program's full title in the language of the run.
constexpr char kFirstLine[] =
    "鉄道運行管理シミュレータ「Corvane」　データフォルダ変更記録　2026/12/08 09:30:15\n";
constexpr char kEnglishFirstLine[] =
    "Railway Traffic Control Simulator \"Corvane\"　データフォルダ変更記録　2026/12/08 "
    "09:30:15\n";
constexpr char kLogName[] = "データフォルダ変更記録20261208093015.txt";

std::string Read(const std::string& path) { return ReadFileBytes(path).value_or("<missing>"); }
bool Contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

class CloseSequenceTest : public ::testing::Test {
 protected:
  CloseSequenceTest() {
    root_ = WithoutTrailingSlash(scratch_.path());
    env_.program_folder = root_ + "/prog";
    fs::create_directories(env_.program_folder);
  }

  // A data folder with its sub-folders, a file of the user (dia_data), a
  // system file (system_map), a scratch file and the settings files.
  DataFolder MakeDataFolder(const std::string& folder, const std::string& path_file) {
    fs::create_directories(folder);
    EXPECT_TRUE(WriteDataPath(path_file, folder));
    DataFolder data;
    data.path = folder;
    data.path_file = path_file;
    data.table = DataFolderTable::Read(IniFile::Load(path_file));
    for (int slot = 1; slot < kFolderSlotCount; ++slot) {
      if (!data.table[slot].empty()) fs::create_directories(data.table[slot]);
    }
    Put(folder + "/dia_data/line.kvb", "dia");
    Put(folder + "/system_map/rail.csv", "rail");
    Put(folder + "/temp/scratch.tmp", "tmp");
    Put(folder + "/korv.ini", "[Setting]\n");
    Put(folder + "/system_map.ini", "[Map]\n");
    return data;
  }

  static void Put(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(WriteFileBytes(path, bytes)) << path;
  }
  static std::string LogOf(const std::string& path) { return SjisToUtf8(Read(path)); }

  ScratchFolder scratch_;
  std::string root_;
  FakeEnvironment env_;
};

TEST_F(CloseSequenceTest, BackupKeysAreEmptiedAndTheRestKept) {
  const std::string path = root_ + "/korv.ini";
  Put(path, "[Setting]\nCallSpeed=4\n[BackupFile]\nkvb=/a.kvb\nstack=/s\nkvm=/m.kvm\n");
  ASSERT_TRUE(ClearBackupKeysInFile(path));
  EXPECT_EQ(Read(path), "[Setting]\nCallSpeed=4\n[BackupFile]\nkvb=\nstack=\nkvm=\n");
}

TEST_F(CloseSequenceTest, RenameMovesTheFolderAndOnlyPathsInsideItFollow) {
  // The Path file lives in the data folder and the per-user value names it.
  const std::string old_folder = root_ + "/home/Corvane";
  DataFolder current = MakeDataFolder(old_folder, old_folder + "/Path.ini");
  env_.data_path_info = current.path_file;
  // A sound folder kept beside the data folder, in a folder whose name only
  // starts with the old folder's name: not part of the move.
  IniFile path_file = IniFile::Load(current.path_file);
  path_file.SetString("Path", "Sound", root_ + "/home/Corvane01/sound");
  path_file.SetString("Path", "SoundOpen", root_ + "/home/Corvane01/sound/open/");
  ASSERT_TRUE(path_file.Save(current.path_file));
  current.table = DataFolderTable::Read(path_file);

  // The new folder's parent does not exist yet.
  const std::string new_folder = root_ + "/data/moved/Corvane";
  const DataFolderMoveReport report = MoveDataFolder(current, new_folder, env_);

  EXPECT_TRUE(report.path_file_updated);
  EXPECT_FALSE(fs::exists(old_folder));
  EXPECT_EQ(Read(new_folder + "/dia_data/line.kvb"), "dia");
  const std::string new_path_file = new_folder + "/Path.ini";
  EXPECT_EQ(env_.data_path_info, new_path_file);

  const IniFile written = IniFile::Load(new_path_file);
  EXPECT_EQ(written.GetString("Korv", "DataPath"), new_folder);
  const DataFolderTable table = DataFolderTable::Read(written);
  EXPECT_EQ(table[kSlotDataKvb], new_folder + "/dia_data/");
  EXPECT_EQ(table[kSlotCurveLimit], new_folder + "/table/curve_limit");
  EXPECT_EQ(table[kSlotSound], root_ + "/home/Corvane01/sound");
  EXPECT_EQ(table[kSlotSoundOpen], root_ + "/home/Corvane01/sound/open/");

  EXPECT_EQ(report.log_path, new_folder + "/" + kLogName);
  EXPECT_EQ(LogOf(report.log_path), std::string(kFirstLine) +
                                        "全てのフォルダ・ファイルを移動しました。\n"
                                        "　移動元：" +
                                        old_folder + "\n　移動先：" + new_folder + "\n");
  EXPECT_EQ(report.log_text, LogOf(report.log_path));
}

TEST_F(CloseSequenceTest, FailedRenameIsLoggedWithTheSystemErrorAndChangesNothing) {
  const std::string old_folder = root_ + "/home/Corvane";
  const std::string path_file = env_.program_folder + "/Path.ini";
  const DataFolder current = MakeDataFolder(old_folder, path_file);
  const std::string before = Read(path_file);

  // A folder cannot move into itself.
  const std::string new_folder = old_folder + "/inner";
  const DataFolderMoveReport report = MoveDataFolder(current, new_folder, env_);

  EXPECT_FALSE(report.path_file_updated);
  EXPECT_EQ(Read(path_file), before);
  EXPECT_EQ(Read(old_folder + "/dia_data/line.kvb"), "dia");
  EXPECT_EQ(report.log_path, old_folder + "/" + kLogName);
  EXPECT_EQ(LogOf(report.log_path), std::string(kFirstLine) +
                                        "全てのフォルダ・ファイルの移動に失敗しました。\n"
                                        "　エラーコード：" +
                                        std::to_string(EINVAL) +
                                        "\n"
                                        "　エラーメッセージ：\n"
                                        "　　" +
                                        std::strerror(EINVAL) + "\n　移動元：" + old_folder +
                                        "\n　移動先：" + new_folder + "\n");
}

TEST_F(CloseSequenceTest, DataInsideTheProgramFolderIsMovedAndCopiedFileByFile) {
  // The program keeps its data beside itself.
  const std::string path_file = env_.program_folder + "/Path.ini";
  const DataFolder current = MakeDataFolder(env_.program_folder, path_file);
  const std::string new_folder = root_ + "/docs/Corvane";

  const DataFolderMoveReport report = MoveDataFolder(current, new_folder, env_);

  EXPECT_TRUE(report.path_file_updated);
  // User data moves, system data is copied, scratch files stay.
  EXPECT_FALSE(fs::exists(env_.program_folder + "/dia_data/line.kvb"));
  EXPECT_EQ(Read(new_folder + "/dia_data/line.kvb"), "dia");
  EXPECT_EQ(Read(env_.program_folder + "/system_map/rail.csv"), "rail");
  EXPECT_EQ(Read(new_folder + "/system_map/rail.csv"), "rail");
  EXPECT_TRUE(IsDirectory(new_folder + "/temp"));
  EXPECT_FALSE(fs::exists(new_folder + "/temp/scratch.tmp"));
  // korv.ini moves, system_map.ini is copied; there was no Language.ini.
  EXPECT_FALSE(fs::exists(env_.program_folder + "/korv.ini"));
  EXPECT_EQ(Read(new_folder + "/korv.ini"), "[Setting]\n");
  EXPECT_EQ(Read(env_.program_folder + "/system_map.ini"), "[Map]\n");
  EXPECT_EQ(Read(new_folder + "/system_map.ini"), "[Map]\n");

  const IniFile written = IniFile::Load(path_file);
  EXPECT_EQ(written.GetString("Korv", "DataPath"), new_folder);
  EXPECT_EQ(DataFolderTable::Read(written), *DataFolderTable::Build(new_folder));

  // The log stays with the old folder.
  EXPECT_EQ(report.log_path, env_.program_folder + "/" + kLogName);
  const std::string log = LogOf(report.log_path);
  const std::string& old_folder = env_.program_folder;
  EXPECT_TRUE(log.starts_with(
      std::string(kFirstLine) + "下記のファイル・フォルダのコピー・移動をしました。\n" +
      "コピー元：" + old_folder + "/system_map/\n" + "コピー先：" + new_folder + "/system_map/\n" +
      "　rail.csv　をコピーしました。\n" + "移動元：" + old_folder + "/dia_data/\n" + "移動先：" +
      new_folder + "/dia_data/\n" + "　line.kvb　を移動しました。\n" + "移動元：" + old_folder +
      "/map_data/\n" + "移動先：" + new_folder + "/map_data/\n" +
      "　対象となるファイルはありませんでした。\n"))
      << log;
  EXPECT_EQ(log.find("/temp/"), std::string::npos);
  EXPECT_TRUE(Contains(log, "移動元：" + old_folder + "/export_html\n" + "移動先：" + new_folder +
                                "/export_html\n"));
  EXPECT_TRUE(log.ends_with("移動元：" + old_folder + "\n移動先：" + new_folder +
                            "\n　korv.ini　を移動しました。\n" + "コピー元：" + old_folder +
                            "\nコピー先：" + new_folder +
                            "\n　system_map.ini　をコピーしました。\n"))
      << log;
}

TEST_F(CloseSequenceTest, CopyIntoAnExistingFolderLogsEachFailureAndGoesOn) {
  // The Path file sits in the data folder, found through the per-user value.
  const std::string old_folder = root_ + "/home/Corvane";
  DataFolder current = MakeDataFolder(old_folder, old_folder + "/Path.ini");
  env_.data_path_info = current.path_file;
  Put(old_folder + "/system_map/bad.csv", "old");
  Put(old_folder + "/system_map/zone.csv", "zone");
  Put(old_folder + "/dia_data/taken.kvb", "old");
  Put(old_folder + "/Language.ini", "[SystemLanguage]\n");

  // The new folder exists: copy mode. A folder stands where one file would
  // be copied to, and the user already has a file of the same name there.
  const std::string new_folder = root_ + "/other";
  fs::create_directories(new_folder + "/system_map/bad.csv");
  fs::create_directories(new_folder + "/dia_data");
  Put(new_folder + "/dia_data/taken.kvb", "mine");

  const DataFolderMoveReport report = MoveDataFolder(current, new_folder, env_);

  const std::string log = LogOf(report.log_path);
  EXPECT_TRUE(Contains(log, "コピー先：" + new_folder +
                                "/system_map/\n"
                                "　bad.csv　のコピーに失敗しました。\n"
                                "　rail.csv　をコピーしました。\n"
                                "　zone.csv　をコピーしました。\n"));
  EXPECT_TRUE(Contains(log, "移動先：" + new_folder +
                                "/dia_data/\n"
                                "　line.kvb　を移動しました。\n"
                                "　taken.kvb　の移動に失敗しました。\n"));
  // Nothing of the user's is overwritten and the failed file stays behind.
  EXPECT_EQ(Read(new_folder + "/dia_data/taken.kvb"), "mine");
  EXPECT_EQ(Read(old_folder + "/dia_data/taken.kvb"), "old");
  EXPECT_EQ(Read(new_folder + "/system_map/zone.csv"), "zone");
  EXPECT_EQ(Read(new_folder + "/Language.ini"), "[SystemLanguage]\n");

  // The Path file is copied and the per-user value follows it.
  EXPECT_TRUE(log.ends_with("コピー元：" + old_folder + "\nコピー先：" + new_folder +
                            "\n　Path.ini　をコピーしました。\n"))
      << log;
  const std::string new_path_file = new_folder + "/Path.ini";
  EXPECT_EQ(env_.data_path_info, new_path_file);
  EXPECT_TRUE(report.path_file_updated);
  EXPECT_EQ(IniFile::Load(new_path_file).GetString("Korv", "DataPath"), new_folder);
  EXPECT_EQ(IniFile::Load(current.path_file).GetString("Korv", "DataPath"), old_folder);
}

TEST_F(CloseSequenceTest, MissingDataFolderOnlyChangesTheSetting) {
  const std::string new_folder = root_ + "/existing";
  fs::create_directories(new_folder);
  DataFolder current;
  current.path = root_ + "/gone";
  current.path_file = root_ + "/gone/Path.ini";
  env_.data_path_info = current.path_file;
  current.english = true;

  const DataFolderMoveReport report = MoveDataFolder(current, new_folder, env_);

  EXPECT_TRUE(report.path_file_updated);
  EXPECT_EQ(env_.data_path_info, new_folder + "/Path.ini");
  EXPECT_EQ(IniFile::Load(new_folder + "/Path.ini").GetString("Korv", "DataPath"), new_folder);
  EXPECT_EQ(report.log_path, new_folder + "/" + kLogName);
  EXPECT_EQ(LogOf(report.log_path), std::string(kEnglishFirstLine) +
                                        "データフォルダの設定を変更しました。\n"
                                        "　変更元：" +
                                        current.path + "\n　変更先：" + new_folder + "\n");
}

TEST_F(CloseSequenceTest, UnusableNewFolderStopsTheMove) {
  const std::string old_folder = root_ + "/home/Corvane";
  const std::string path_file = env_.program_folder + "/Path.ini";
  const DataFolder current = MakeDataFolder(old_folder, path_file);
  const std::string before = Read(path_file);
  Put(root_ + "/home/file", "x");

  const DataFolderMoveReport report = MoveDataFolder(current, root_ + "/home/file", env_);

  EXPECT_FALSE(report.path_file_updated);
  EXPECT_EQ(Read(path_file), before);
  EXPECT_EQ(Read(old_folder + "/dia_data/line.kvb"), "dia");
  EXPECT_EQ(LogOf(report.log_path),
            std::string(kFirstLine) +
                "指定されたフォルダ名と重複するファイル名のファイルが存在します。\n");

  for (const std::string& unusable :
       {std::string(), std::string("relative/Corvane"), "/" + std::string(250, 'x')}) {
    const DataFolderMoveReport refused = MoveDataFolder(current, unusable, env_);
    EXPECT_FALSE(refused.path_file_updated);
    EXPECT_EQ(refused.log_path, report.log_path);
  }
  EXPECT_EQ(Read(path_file), before);
  EXPECT_EQ(Read(old_folder + "/dia_data/line.kvb"), "dia");
}

TEST_F(CloseSequenceTest, WindowPositionResetEmptiesEveryPositionKeyOnly) {
  const std::string settings =
      "; korv\r\n"
      "[MainWindow]\r\n"
      "PosLeft=10\r\n"
      "PosTop=20\r\n"
      "PosLeftMargin=5\r\n"
      " PosRight=7\r\n"
      "Open=1\r\n"
      "[MessageWindow]\r\n"
      "PosRight=30\n"
      "PosBottom=40";
  Put(root_ + "/korv.ini", settings);

  const SettingsReset reset = ResetSettingsFile(root_, 1, env_.now);

  ASSERT_EQ(reset.outcome, SettingsReset::Outcome::kReset);
  EXPECT_EQ(reset.backup_path, root_ + "/設定ファイルバックアップ20261208093015.ini");
  EXPECT_EQ(Read(reset.backup_path), settings);
  EXPECT_EQ(Read(root_ + "/korv.ini"),
            "; korv\r\n"
            "[MainWindow]\r\n"
            "PosLeft=\r\n"
            "PosTop=\r\n"
            "PosLeftMargin=5\r\n"
            " PosRight=7\r\n"
            "Open=1\r\n"
            "[MessageWindow]\r\n"
            "PosRight=\n"
            "PosBottom=");
}

TEST_F(CloseSequenceTest, AllSettingsResetKeepsTheHeadAndThePathSection) {
  const std::string settings =
      "; korv\n"
      "\n"
      "[Setting]\n"
      "CallSpeed=4\n"
      "[Path]\n"
      "DefaultKvb=/home/u/a.kvb\n"
      "\n"
      "[MainWindow]\n"
      "PosLeft=10\n"
      "[Path2]\n"
      "Other=1\n";
  Put(root_ + "/korv.ini", settings);

  ASSERT_EQ(ResetSettingsFile(root_, 2, env_.now).outcome, SettingsReset::Outcome::kReset);
  EXPECT_EQ(Read(root_ + "/korv.ini"),
            "; korv\n"
            "\n"
            "[Path]\n"
            "DefaultKvb=/home/u/a.kvb\n"
            "\n");
}

TEST_F(CloseSequenceTest, ResetWithoutWorkChangesNothing) {
  using Outcome = SettingsReset::Outcome;
  // No settings file.
  EXPECT_EQ(ResetSettingsFile(root_, 1, env_.now).outcome, Outcome::kNothingToDo);
  // Normal start resets nothing.
  Put(root_ + "/korv.ini", "PosLeft=1\n");
  EXPECT_EQ(ResetSettingsFile(root_, 0, env_.now).outcome, Outcome::kNothingToDo);
  // A backup of the same second is never replaced: the reset fails.
  const std::string backup = root_ + "/" + SettingsBackupName(env_.now);
  Put(backup, "older");
  EXPECT_EQ(ResetSettingsFile(root_, 1, env_.now).outcome, Outcome::kFailed);
  EXPECT_EQ(Read(backup), "older");
  EXPECT_EQ(Read(root_ + "/korv.ini"), "PosLeft=1\n");
}

// Windows that write down what the close sequence asked of them.
class RecordingWindows : public CloseWindows {
 public:
  bool ConfirmMapEditClose() override {
    steps.push_back("confirm");
    return confirm;
  }
  bool ConfirmDiaClose() override {
    steps.push_back("dia");
    return confirm_dia;
  }
  void StopTimer() override { steps.push_back("timer"); }
  void KeepLayout() override {
    steps.push_back("layout");
    if (settings != nullptr) settings->main_window.left = 77;
  }
  void MoveDataFolder() override { steps.push_back("move"); }
  void HideWindows() override { steps.push_back("hide"); }

  std::vector<std::string> steps;
  bool confirm = true;
  bool confirm_dia = true;
  ProgramSettings* settings = nullptr;  // takes the layout
};

TEST_F(CloseSequenceTest, CloseSequenceRunsInOrderAndReportsOnce) {
  using Steps = std::vector<std::string>;
  CloseRequest request;
  request.data_folder = root_;
  request.settings_path = root_ + "/korv.ini";
  request.now = env_.now;
  Put(request.settings_path, "[BackupFile]\nkvm=/x/back.kvm\n[MainWindow]\nPosLeft=3\n");

  // Cancelled at the map edit window's question: nothing else happens.
  RecordingWindows cancelled;
  cancelled.confirm = false;
  ScriptedPrompter prompter;
  EXPECT_FALSE(RunCloseSequence(request, cancelled, prompter));
  EXPECT_EQ(cancelled.steps, Steps{"confirm"});
  EXPECT_TRUE(Contains(Read(request.settings_path), "kvm=/x/back.kvm"));

  // Cancelled at the dia data's question, after the map's.
  RecordingWindows dia_kept;
  dia_kept.confirm_dia = false;
  EXPECT_FALSE(RunCloseSequence(request, dia_kept, prompter));
  EXPECT_EQ(dia_kept.steps, (Steps{"confirm", "dia"}));
  EXPECT_TRUE(Contains(Read(request.settings_path), "kvm=/x/back.kvm"));

  // A normal end with a window-position reset and a folder move: the
  // layout and the settings are written, the backups forgotten.
  ProgramSettings settings;
  settings.call_speed = 9;
  settings.backup_files.kvm = "/x/back.kvm";
  request.settings = &settings;
  request.move_data_folder = true;
  request.start_mode = 1;
  RecordingWindows windows;
  windows.settings = &settings;
  EXPECT_TRUE(RunCloseSequence(request, windows, prompter));
  EXPECT_EQ(windows.steps, (Steps{"confirm", "dia", "timer", "layout", "move", "hide"}));
  EXPECT_TRUE(prompter.shown().empty());
  EXPECT_EQ(settings.backup_files, BackupFiles{});
  const std::string written = Read(request.settings_path);
  EXPECT_TRUE(Contains(written, "kvm=\n"));
  EXPECT_TRUE(Contains(written, "CallSpeed=9\n"));
  EXPECT_TRUE(Contains(written, "PosLeft=\n")) << "the reset comes last";

  // No settings file to reset is nothing to report; settings that could not
  // be written are reported once, however many steps failed.
  fs::remove(request.settings_path);
  RecordingWindows failing;
  request.settings_path = root_ + "/no/such/folder/korv.ini";
  EXPECT_TRUE(RunCloseSequence(request, failing, prompter));
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(prompter.shown()[0].text,
            "書き込みファイル'" + request.settings_path + "'は開けませんでした。\n");
  EXPECT_EQ(prompter.shown()[0].caption, "ファイル書き込みエラー");

  // Without a data folder there is nothing to write and nothing to report;
  // the backups are forgotten all the same.
  request.data_folder = root_ + "/gone";
  request.settings_path = root_ + "/gone/korv.ini";
  settings.backup_files.kvb = "/x/back.kvb";
  RecordingWindows without_folder;
  ScriptedPrompter quiet;
  EXPECT_TRUE(RunCloseSequence(request, without_folder, quiet));
  EXPECT_TRUE(quiet.shown().empty());
  EXPECT_EQ(without_folder.steps, (Steps{"confirm", "dia", "timer", "move", "hide"}));
  EXPECT_EQ(settings.backup_files, BackupFiles{});
  EXPECT_FALSE(fs::exists(request.settings_path));
}

TEST_F(CloseSequenceTest, SettingsFileOnlyInTheDataFolder) {
  DataFolder data_folder;
  FakeEnvironment env;
  // No data folder: the defaults, and a change writes nothing anywhere.
  EXPECT_EQ(LoadProgramSettings(data_folder, env), DefaultSettings(env, false));
  bool changed = false;
  EXPECT_TRUE(UpdateSettingsFile(data_folder, [&changed](IniFile&) { changed = true; }));
  EXPECT_FALSE(changed);
  data_folder.path = root_ + "/gone";
  EXPECT_TRUE(UpdateSettingsFile(data_folder, [&changed](IniFile&) { changed = true; }));
  EXPECT_FALSE(changed);
  EXPECT_FALSE(fs::exists(data_folder.path));

  data_folder.path = root_;
  Put(root_ + "/korv.ini", "[Setting]\nCallSpeed=7\n");
  EXPECT_EQ(LoadProgramSettings(data_folder, env).call_speed, 7);
  EXPECT_TRUE(UpdateSettingsFile(data_folder, [](IniFile& ini) {
    WriteWindowRect(ini, kMessageWindowSection, {1, 2, 3, 4});
  }));
  EXPECT_TRUE(Contains(Read(root_ + "/korv.ini"), "CallSpeed=7\n"));
  EXPECT_EQ(LoadProgramSettings(data_folder, env).message_window, (WindowRect{1, 2, 3, 4}));
}

}  // namespace
}  // namespace corvane
