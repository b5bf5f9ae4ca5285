#include "app/compile_command.h"

#include "app/settings.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "map/map_change.h"
#include "mapfile/map_file.h"

namespace corvane {

namespace {

constexpr const char kReplaceQuestion[] =
    "メインウインドウのマップデータを更新します。\n現在のダイヤの変更は失われます。\nよろしいですか"
    "？";
constexpr const char kReplaceCaption[] = "コンパイル確認";
// Writes the map as the backup in the scratch folder and records it in the
// settings file, so that a start after an abnormal end offers it.
bool WriteBackup(const EditMap& map, const CompileCommandSetup& setup, Prompter& prompter) {
  const std::string backup = JoinPath(setup.temp_folder, kCompileBackupName);
  if (!SaveMapFile(map.content(), backup, prompter)) return false;
  IniFile::Update(setup.settings_path, [&backup](IniFile& ini) {
    ini.SetString(kBackupFileSection, kBackupKvmKey, backup);
  });
  if (setup.backups != nullptr) setup.backups->kvm = backup;
  return true;
}

}  // namespace

CompileCommandSetup CompileSetupFor(const DataFolder& data_folder, ProgramSettings& settings) {
  CompileCommandSetup setup;
  // Without a data folder there is nowhere to keep a backup.
  setup.backup = settings.backup_file && IsDirectory(data_folder.path);
  setup.temp_folder = data_folder.TempFolder();
  setup.settings_path = data_folder.SettingsPath();
  setup.backups = &settings.backup_files;
  return setup;
}

CheckOutput MessageLogOutput(MessageLog& log, Prompter& prompter) {
  CheckOutput output;
  output.clear_messages = [&log] { log.Clear(); };
  output.message = [&log](std::string_view line) { log.AddLine(line); };
  output.finding = [&log](std::string_view line, MapTable table, int index) {
    log.AddLine(line, MessageLink{static_cast<int>(table), index});
  };
  output.prompter = &prompter;
  return output;
}

bool CheckForCompile(EditSession& session, const CheckOutput& output) {
  session.state().error_display = true;
  // The repairs are one step of the record of changes.
  session.map().NameActions("コンパイル", "Compile");
  MapChange step(session.map());
  return CheckForCompile(session.map(), session.state().check_marks, output);
}

CompileOutcome RunCompileCommand(EditSession& session, DiaDocument* dia,
                                 const CompileCommandSetup& setup) {
  if (!session.map_open()) return CompileOutcome::kCancelled;
  if (dia == nullptr) {
    return CheckForCompile(session, setup.output) ? CompileOutcome::kChecked
                                                  : CompileOutcome::kStopped;
  }
  Prompter* prompter = setup.output.prompter;
  if (dia->modified() && prompter != nullptr &&
      prompter->Ask(kReplaceQuestion, kReplaceCaption, PromptButtons::kYesNo,
                    PromptIcon::kQuestion) != PromptAnswer::kYes) {
    return CompileOutcome::kCancelled;
  }
  if (setup.backup && prompter != nullptr && !WriteBackup(session.map(), setup, *prompter)) {
    return CompileOutcome::kCancelled;
  }
  session.state().error_display = true;
  std::optional<CompileResult> result;
  {
    // The checks' repairs and the piece numbers are one step of the record
    // of changes, and none when they changed no record.
    session.map().NameActions("コンパイル", "Compile");
    MapChange step(session.map());
    result = CompileMap(session.map(), session.state().check_marks, setup.output);
  }
  if (!result) return CompileOutcome::kStopped;
  // Only now the main window's data is replaced: a compile a check stopped
  // leaves it, and its file name, as they were. The new dia has no file and
  // no changes of its own yet.
  dia->Replace(std::move(result->file));
  return CompileOutcome::kCompiled;
}

}  // namespace corvane
