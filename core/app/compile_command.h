#pragma once
// The map edit window's compile command: the question before the main
// window's changed dia is replaced, the backup of the map, the checks and
// the compile, and the hand-over of the compiled map and its new dia to the
// main window.

#include <string>

#include "app/data_folder.h"
#include "app/dia_document.h"
#include "app/settings.h"
#include "base/message_log.h"
#include "compiler/map_compiler.h"
#include "editor/edit_session.h"

namespace corvane {

struct CompileCommandSetup {
  bool backup = true;         // the "BackupFile" program setting
  std::string temp_folder;    // where "back.kvm" is written
  std::string settings_path;  // "korv.ini", which records the backup
  // The program's record of its backup files, which takes the map's backup
  // as the settings file does (null: the file only).
  BackupFiles* backups = nullptr;
  CheckOutput output;  // message window, title, boxes
};

// The setup of the desktop program's compile: the backup as the settings
// say, in the data folder's scratch folder, recorded in its settings file
// and in `settings`; none without a data folder.
CompileCommandSetup CompileSetupFor(const DataFolder& data_folder, ProgramSettings& settings);

// The message window's side of a compile's output: emptied when the checks
// start, a line per message, a finding's line with a link to the object it
// marks; the boxes through `prompter`.
CheckOutput MessageLogOutput(MessageLog& log, Prompter& prompter);

enum class CompileOutcome {
  kCancelled,  // no map open, the user kept the main window's dia, or the backup failed
  kStopped,    // a check stage stopped the compile; the main window's data is as it was
  kCompiled,   // the main window holds the compiled map and a new dia
  kChecked,    // no main window to hand a compile to: the checks ran and passed
};

inline constexpr const char kCompileBackupName[] = "back.kvm";

// The checks alone in the map edit window (no main window to hand a compile
// to): the error display is switched on to show what they find, and their
// repairs are one step of the record of changes.
bool CheckForCompile(EditSession& session, const CheckOutput& output);

// Runs the command on the session's map and hands the result to `dia`, the
// main window's data; without a main window (`dia` null) the checks alone.
CompileOutcome RunCompileCommand(EditSession& session, DiaDocument* dia,
                                 const CompileCommandSetup& setup);

}  // namespace corvane
