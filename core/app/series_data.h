#pragma once
// Where a data folder keeps its series files, and the series listing of the
// headless tool.

#include <string>

#include "app/data_folder.h"
#include "base/prompter.h"
#include "map/map_settings.h"
#include "stock/series_file.h"

namespace corvane {

// The series folders of a data folder's table.
SeriesFolders SeriesFoldersOf(const DataFolderTable& table);

// The folders of the series file at `path` outside a known data folder:
// the table, image and icon folders that the data folder's layout names
// when the file's folder lies in one (the folder above it taken as the data
// folder), else the file's own folder for each.
SeriesFolders SeriesFoldersForFile(const std::string& path);

// Reads the series file at `path` with its tables and checks (the ATC-brake
// margin against `map` when given): its description, an empty line and its
// values as stored (rates in 1/1024 km/h/s) into `out`. False when it was
// refused or unreadable (the message shown).
bool ListSeriesFile(const std::string& path, const SeriesFolders& folders, const MapSettings* map,
                    Prompter& prompter, std::string* out);

}  // namespace corvane
