#pragma once
// The main window's rollback points as the program settings have them: the
// spill flag, the memory thresholds, and the record of a spilled file in
// the settings file while automatic backup is on, so that a start after an
// abnormal end reads it back with the dia data's backup.

#include "app/data_folder.h"
#include "app/settings.h"
#include "run/rollback_list.h"

namespace corvane {

// `settings` must outlive the setup: while its automatic backup is on, its
// record of the backup files takes every spilled file.
RollbackSetup RollbackSetupFor(const DataFolder& data_folder, ProgramSettings& settings);

}  // namespace corvane
