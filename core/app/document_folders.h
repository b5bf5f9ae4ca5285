#pragma once
// The folders the map edit window's and the main window's file commands
// use, from the data folder in use: one place for the folder layout.

#include "app/data_folder.h"
#include "app/dia_document.h"
#include "app/environment.h"
#include "app/map_document.h"

namespace corvane {

// The scratch folder, the map folder ("DataKvm") and the program's default
// signal types.
MapFolders MapFoldersIn(const DataFolder& data_folder, const Environment& env);

// The scratch folder, the dia data folder ("DataKvb"), the built maps
// ("SystemMap") with their record "system_map.ini" in the data folder, and
// the series photos and icons.
DiaFolders DiaFoldersIn(const DataFolder& data_folder);

}  // namespace corvane
