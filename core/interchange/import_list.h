#pragma once
// Import lists (".kvi"): files made elsewhere copied into the data folder.
// A list is an INI file whose section "ファイルリスト" holds, under the keys
// "00" to "99", paths relative to the list's own folder; each file is copied
// to the same relative place under the data folder. Nothing is written
// outside the data folder, nothing read above the list's folder, and no
// existing file is replaced without asking. Texts and paths are UTF-8.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ini_file.h"
#include "base/prompter.h"

namespace corvane {

inline constexpr const char kImportListSection[] = "ファイルリスト";
inline constexpr const char kImportListExtension[] = "kvi";
inline constexpr const char kImportListFilter[] = "インポート情報データ(*.kvi)|*.kvi||";

inline constexpr const char kImportSourceMissing[] = "ファイル'%s'が見つかりません。\n";
inline constexpr const char kImportPresent[] = "ファイル'%s'は、既に存在します。\n";
inline constexpr const char kImportPresentCaption[] = "ファイル存在エラー";
inline constexpr const char kImportOverwrite[] = "ファイル'%s'を上書きします。\nよろしいですか？\n";
inline constexpr const char kImportOverwriteCaption[] = "ファイル上書き確認";
inline constexpr const char kImportSummary[] =
    "インポートが終了しました。\n\nインポートに成功したファイル数：%d\n"
    "インポートに失敗・中止したファイル数：%d\nインポートの前から存在したファイル数：%d\n";
inline constexpr const char kImportSummaryCaption[] = "インポート終了";
// An entry that would leave the data folder (or the list's folder).
inline constexpr const char kImportOutside[] =
    "ファイル'%s'は、データフォルダの外を指しているため、インポートできません。\n";
inline constexpr const char kImportRefusedCaption[] = "インポートエラー";

// The three counters of one import.
struct ImportCounts {
  int copied = 0;
  int failed = 0;   // failed or refused
  int present = 0;  // already there, same time and size
  friend bool operator==(const ImportCounts&, const ImportCounts&) = default;
};

// The list's entries in key order, as stored (Shift-JIS); missing and empty
// keys are skipped.
std::vector<std::string> ImportListEntries(const IniFile& list);

// An entry as a relative path with "/" separators and without "." parts, or
// nothing when it is empty, absolute (also "C:" or "\\server"), or has a ".."
// part.
std::optional<std::string> ImportRelativePath(std::string_view entry);

// Whether both files exist with the same last-write time and size.
bool SameTimeAndSize(const std::string& a, const std::string& b);

// Copies `source` over `destination` through a temporary file, making the
// destination's folders, and gives the copy the source's last-write time.
// Refuses a source that is no regular file.
bool CopyFileKeepingTime(const std::string& source, const std::string& destination);

// Imports the list at `list_path` into `data_folder` (no trailing "/"),
// asking and reporting through `prompter`, and ends with the summary.
// Nothing when the list cannot be read or no data folder is given
// (reported).
std::optional<ImportCounts> ImportListFile(const std::string& list_path,
                                           const std::string& data_folder, Prompter& prompter);

}  // namespace corvane
