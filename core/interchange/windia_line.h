#pragma once
// A WinDIA timetable turned into a straight line: a station k with its
// target k, rails 2k − 1 (up) and 2k (down) and track piece k, the file's
// train types and every train, with running times and distance marks
// derived from the trains. The result is dia data marked as imported
// ("WdiaMode" 1, "map_code" 99999).

#include <optional>
#include <string>

#include "base/prompter.h"
#include "data/dia_file.h"
#include "interchange/windia_reader.h"

namespace corvane {

inline constexpr const char kNotWindiaCaption[] = "ファイル形式エラー";
inline constexpr const char kNotWindiaText[] =
    "読み込みファイル'%s'はWinDIAのダイヤデータではありません。\n";

// The line and timetable `timetable` describes.
DiaFile BuildWindiaLine(const WindiaTimetable& timetable);

// Reads the WinDIA file at `path` and builds its line; a file that cannot
// be read or holds no "[WinDIA]" line is reported and gives nothing.
std::optional<DiaFile> ImportWindiaFile(const std::string& path, Prompter& prompter);

}  // namespace corvane
