#include "app/document_folders.h"

#include "base/file_io.h"

namespace corvane {

MapFolders MapFoldersIn(const DataFolder& data_folder, const Environment& env) {
  MapFolders folders;
  folders.temp = data_folder.TempFolder();
  folders.map_data = data_folder.table[kSlotDataKvm];
  folders.old_map = OldMapFolder(env);
  return folders;
}

DiaFolders DiaFoldersIn(const DataFolder& data_folder) {
  DiaFolders folders;
  folders.temp = data_folder.TempFolder();
  folders.dia_data = data_folder.table[kSlotDataKvb];
  folders.system_map = data_folder.table[kSlotSystemMap];
  folders.system_map_ini = JoinPath(data_folder.path, kSystemMapIniName);
  folders.image = data_folder.table[kSlotImage];
  folders.image16 = data_folder.table[kSlotImage16];
  return folders;
}

}  // namespace corvane
