#pragma once
// The series information file (an INI text, Shift-JIS, sections "形式情報"
// and "形式案内") with its acceleration and curve-limit tables beside it:
// reading, the checks a series must pass before a dia data set takes it,
// the conversion of its rates, the rule that matches a file to a record the
// dia data holds, and the description the series dialog shows.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/ini_file.h"
#include "base/prompter.h"
#include "base/table.h"
#include "map/map_settings.h"
#include "stock/series.h"

namespace corvane {

inline constexpr const char kSeriesDataErrorCaption[] = "データエラー";

// The most rows a series table keeps: the width its row count is written
// with in the dia data. Rows past it are cut.
inline constexpr int kMostSeriesTableRows = 9999;

// Where the files of a series lie (each folder ends with a separator or is
// empty for "beside nothing").
struct SeriesFolders {
  std::string series;        // the information files
  std::string acceleration;  // acceleration tables
  std::string curve_limit;   // curve-limit tables
  std::string image;         // photographs
  std::string image16;       // icons
};

// The descriptive texts of "形式案内" (Shift-JIS, as in the file).
struct SeriesGuide {
  std::string use;      // 用途
  std::string cabin;    // 客室
  std::string control;  // 制御方式
  std::string comment;  // コメント
};

// Everything an information file holds. `record` keeps the rates as the
// file writes them (km/h/s × 100) until ConvertSeriesRates.
struct SeriesFile {
  SeriesRecord record;
  SeriesGuide guide;
  std::string acceleration_table;  // file names (Shift-JIS)
  std::string curve_limit_table;
};

// The keys of both sections read over their defaults. A double that does
// not scan as a number in the C locale keeps its default.
SeriesFile ParseSeriesFile(const IniFile& ini);

// The first of the ordered checks that refuses the series (UTF-8 message
// for a box captioned kSeriesDataErrorCaption), or nothing. The ATC-brake
// margin is checked against `map` when a map is loaded and its signal
// version is 1042 or above.
std::optional<std::string> CheckSeries(const SeriesRecord& as_written, const MapSettings* map);

// km/h/s × 100 to 1/1024 km/h/s, truncating toward zero.
int HundredthsToRate(int hundredths);
void ConvertSeriesRates(SeriesRecord& record);

// A table file's rows: the acceleration table's speeds × 1024 (truncated),
// the curve-limit table's as integers. Blank lines hold no row; at most
// kMostSeriesTableRows rows are kept.
std::vector<std::pair<int, int>> ParseSeriesTableText(std::string_view text, bool acceleration);
// The rows of a table file, or nothing when it cannot be read (the message
// shown through `prompter`).
std::optional<std::vector<std::pair<int, int>>> ReadSeriesTableFile(const std::string& path,
                                                                    bool acceleration,
                                                                    Prompter& prompter);

// Year, month, day, hour, minute and second (local time) of a file's last
// write; zeros when it cannot be found.
std::array<int, 6> FileWriteTime(const std::string& path);

// Reads, checks and converts the information file at `path` with its tables
// from `folders`. Nothing when the file cannot be read, a check refuses it
// or a table is unreadable; the message has been shown.
std::optional<SeriesFile> LoadSeriesFile(const std::string& path, const SeriesFolders& folders,
                                         const MapSettings* map, Prompter& prompter);

// The series of the information file at `path` as a dia data set would hold
// it (rates converted, tables, file time) without its checks or messages:
// for comparing and describing. A table that cannot be read is empty;
// nothing when the file cannot be read.
std::optional<SeriesFile> PeekSeriesFile(const std::string& path, const SeriesFolders& folders);

// The identity of a series: abbreviation, name and cars; `exact` adds the
// file's time and both tables row by row.
bool SameSeries(const SeriesRecord& a, const SeriesRecord& b, bool exact);
// The record of `series` (1-based) that `file` is, or 0.
int FindSeriesRecord(const Table<SeriesRecord>& series, const SeriesRecord& file, bool exact);

// The most entries the series dialog lists (files, then records no file
// matched).
inline constexpr int kMostListedSeries = 255;

// The names of the files of `folder` (no folders, no names starting with
// "."), sorted, at most kMostListedSeries; empty when it cannot be searched.
std::vector<std::string> SeriesFileNames(const std::string& folder);

// The file of `folder` whose series is `record` by the plain identity, read
// without its checks and tables (rates as written), with its path.
struct FoundSeriesFile {
  std::string path;
  SeriesFile file;
};
std::optional<FoundSeriesFile> FindSeriesFile(const std::string& folder,
                                              const SeriesRecord& record);

// The smallest ATC brake (1/1024 km/h/s) of the series held, nothing
// without series.
std::optional<int> SmallestAtcBrake(const Table<SeriesRecord>& series);

// The description of the series dialog's information panel (UTF-8 lines).
// `guide` comes from the series' file (absent: empty texts); `owned` and
// `used` are the trainsets of the dia data, `held` whether it holds the
// series at all.
std::string DescribeSeries(const SeriesRecord& record, const SeriesGuide* guide, bool held,
                           int owned, int used);

// "key=value" lines of a converted record under the information file's own
// key names (UTF-8), for listings.
std::string SeriesKeyLines(const SeriesFile& file);

}  // namespace corvane
