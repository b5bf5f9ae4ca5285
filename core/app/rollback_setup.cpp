#include "app/rollback_setup.h"

#include "base/file_io.h"
#include "base/ini_file.h"

namespace corvane {

RollbackSetup RollbackSetupFor(const DataFolder& data_folder, ProgramSettings& settings) {
  RollbackSetup setup;
  setup.spill = settings.roll_back_file;
  setup.min_physical = settings.min_avail_phys;
  setup.min_page_file = settings.min_avail_page_file;
  // Without a data folder there is no settings file to keep the record;
  // automatic backup is asked when a file is spilled (the menu option
  // changes while the program runs).
  if (IsDirectory(data_folder.path)) {
    setup.record_backup = [settings_path = data_folder.SettingsPath(),
                           &settings](const std::string& path) {
      if (!settings.backup_file) return;
      IniFile::Update(settings_path, [&path](IniFile& ini) {
        ini.SetString(kBackupFileSection, kBackupStackKey, path);
      });
      settings.backup_files.stack = path;
    };
  }
  return setup;
}

}  // namespace corvane
