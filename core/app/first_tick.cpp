#include "app/first_tick.h"

#include <algorithm>

#include "app/messages.h"
#include "base/file_io.h"

namespace corvane {

std::optional<StartupProblem> CheckDataFolder(const DataFolder& data_folder) {
  if (!data_folder.path.empty() && IsDirectory(data_folder.path)) return std::nullopt;
  if (data_folder.path.empty()) {
    return StartupProblem{
        "データフォルダの設定ファイルを正常に読み込めません。\n存在するデータフォルダを指定してくだ"
        "さい。\n",
        kStartupErrorCaption};
  }
  return StartupProblem{
      "データフォルダが見つかりません。\n存在するデータフォルダを指定してください。\n",
      kStartupErrorCaption};
}

namespace {

constexpr int kOfferedStartModes[] = {kStartNormal, kStartResetWindowPositions,
                                      kStartResetAllSettings};

}  // namespace

std::span<const int> OfferedStartModes() { return kOfferedStartModes; }

int StartModeRow(int start_mode) {
  const std::span<const int> modes = OfferedStartModes();
  const auto found = std::find(modes.begin(), modes.end(), start_mode);
  return found == modes.end() ? 0 : static_cast<int>(found - modes.begin());
}

int StartModeAtRow(int row) {
  const std::span<const int> modes = OfferedStartModes();
  if (row < 0 || row >= static_cast<int>(modes.size())) return kStartNormal;
  return modes[static_cast<std::size_t>(row)];
}

std::string StartModeDialogTitle(bool english) {
  return std::string(WindowTitleText(WindowTitle::kProductTitle, english)) + "　起動モード選択";
}

StartModeChoice ChosenStartMode(std::optional<int> chosen) {
  StartModeChoice choice;
  choice.start_mode = chosen.value_or(kStartNormal);
  choice.end_program =
      !chosen || *chosen == kStartResetWindowPositions || *chosen == kStartResetAllSettings;
  return choice;
}

int StartModeDialogSelection(int start_mode) {
  return start_mode == kStartAsk ? kStartNormal : start_mode;
}

const char* StartModeName(int start_mode) {
  switch (start_mode) {
    case kStartResetWindowPositions:
      return "ウインドウ位置設定初期化";
    case kStartResetAllSettings:
      return "全設定初期化";
    default:
      return "通常起動";
  }
}

const char* StartModeDescription(int start_mode) {
  switch (start_mode) {
    case kStartResetWindowPositions:
      return "ウインドウ位置の設定を初期化します。なお、初期化をするとプログラムは自動的に終了しま"
             "す。";
    case kStartResetAllSettings:
      return "全ての設定を初期化します。なお、初期化をするとプログラムは自動的に終了します。";
    default:
      return "通常に起動します。";
  }
}

StartupFileAction HandleStartupFile(CommandLine& line, Prompter& prompter) {
  if (!line.file_pending) return StartupFileAction::kNone;
  const std::string extension = ExtensionOf(line.startup_file);
  for (const char* dia : {"kvb", "kvp", "kvd"}) {
    if (EqualsIgnoringCase(extension, dia)) return StartupFileAction::kDiaData;
  }
  line.file_pending = false;
  if (EqualsIgnoringCase(extension, "kvi")) return StartupFileAction::kImport;
  prompter.Error("起動コマンドが確認できません。\n", kStartupErrorCaption);
  return StartupFileAction::kRejected;
}

BackupRecovery AskBackupRecovery(const BackupFiles& backups, bool backups_enabled,
                                 bool map_window_open, Prompter& prompter) {
  BackupRecovery recovery;
  if (!backups_enabled) return recovery;
  constexpr const char kCaption[] = "読み込み確認";
  const std::string& dia = backups.kvb;
  if (!dia.empty() &&
      prompter.Ask(
          "前回のご使用時に異常終了したため、ダイヤデータにバックアップファイルがあります。\n\n"
          "バックアップファイルを読み込みますか？",
          kCaption, PromptButtons::kYesNo, PromptIcon::kQuestion) == PromptAnswer::kYes) {
    recovery.dia_data = dia;
    if (!backups.stack.empty()) recovery.stack = backups.stack;
  }
  const std::string& map = backups.kvm;
  if (!map.empty() &&
      prompter.Ask(
          "前回のご使用時に異常終了したため、マップデータにバックアップファイルがあります。\n\n"
          "バックアップファイルを読み込みますか？",
          kCaption, PromptButtons::kYesNo, PromptIcon::kQuestion) == PromptAnswer::kYes) {
    if (map_window_open) {
      recovery.map = map;
    } else {
      prompter.Error("マップ編集ウインドウが開いていません。\n", "ウインドウエラー");
    }
  }
  return recovery;
}

DiaOpenOutcome OpenDiaBackup(DiaDocument& dia, const std::string& path,
                             const std::optional<std::string>& stack) {
  const DiaOpenOutcome outcome = dia.OpenPath(path);
  if (outcome != DiaOpenOutcome::kOpened) return outcome;
  dia.ForgetPaths();
  if (stack) dia.RestoreStackFile(*stack);
  return outcome;
}

OpenOutcome OpenMapBackup(MapDocument& map, const std::string& path) {
  const OpenOutcome outcome = map.OpenPath(path);
  if (outcome == OpenOutcome::kOpened) map.ForgetPath();
  return outcome;
}

}  // namespace corvane
