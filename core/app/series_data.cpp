#include "app/series_data.h"

#include "base/file_io.h"

namespace corvane {

SeriesFolders SeriesFoldersOf(const DataFolderTable& table) {
  SeriesFolders folders;
  folders.series = table[kSlotDataSeries];
  folders.acceleration = table[kSlotAcceleration];
  folders.curve_limit = table[kSlotCurveLimit];
  folders.image = table[kSlotImage];
  folders.image16 = table[kSlotImage16];
  return folders;
}

SeriesFolders SeriesFoldersForFile(const std::string& path) {
  const std::string own = DirectoryOf(path).empty() ? "./" : DirectoryOf(path);
  SeriesFolders folders;
  const std::string above = DirectoryOf(WithoutTrailingSlash(own));
  if (const auto table =
          DataFolderTable::Build(WithoutTrailingSlash(above.empty() ? "." : above))) {
    folders = SeriesFoldersOf(*table);
  }
  folders.series = own;
  const auto or_own = [&own](std::string& folder) {
    if (folder.empty() || !IsDirectory(folder)) folder = own;
  };
  or_own(folders.acceleration);
  or_own(folders.curve_limit);
  or_own(folders.image);
  or_own(folders.image16);
  return folders;
}

bool ListSeriesFile(const std::string& path, const SeriesFolders& folders, const MapSettings* map,
                    Prompter& prompter, std::string* out) {
  const std::optional<SeriesFile> file = LoadSeriesFile(path, folders, map, prompter);
  if (!file) return false;
  *out = DescribeSeries(file->record, &file->guide, false, 0, 0);
  *out += "\n";
  *out += SeriesKeyLines(*file);
  return true;
}

}  // namespace corvane
