#pragma once
// The messages of file reading and writing, shared by the bundle, map, settings and
// dia data code. Texts are UTF-8; "%s" is a path.

#include <string>
#include <string_view>

#include "base/prompter.h"
#include "base/text_format.h"

namespace corvane {

inline constexpr const char kReadErrorCaption[] = "ファイル読み込みエラー";
inline constexpr const char kWriteErrorCaption[] = "ファイル書き込みエラー";
inline constexpr const char kReadWarningCaption[] = "ファイル読み込み警告";
inline constexpr const char kFileKindErrorCaption[] = "ファイル形式エラー";

inline constexpr const char kCannotOpenForRead[] = "読み込みファイル'%s'は開けませんでした。\n";
inline constexpr const char kCannotCloseRead[] = "読み込みファイル'%s'は閉じられませんでした。\n";
inline constexpr const char kCannotCloseTable[] = "ファイル'%s'は閉じられませんでした。\n";
inline constexpr const char kCannotOpenForWrite[] = "書き込みファイル'%s'は開けませんでした。\n";
inline constexpr const char kCannotCloseWrite[] = "書き込みファイル'%s'は閉じられませんでした。\n";
inline constexpr const char kCannotOpenText[] = "ファイル'%s'は開けませんでした。\n";
inline constexpr const char kCannotCloseText[] = "ファイル'%s'は閉じられませんでした。\n";
// A packed stream without its end code: the file was cut short.
inline constexpr const char kStreamCutShort[] = "読み込みファイル'%s'は途中で切れています。\n";

// An output a command line names that the command must not write: one of
// its inputs (the input's path second), or of a kind it does not write (the
// extensions it writes second, as ".kvb .kvp").
inline constexpr const char kOutputIsInput[] = "出力ファイル'%s'は入力ファイル'%s'と同じです。\n";
inline constexpr const char kOutputKindWrong[] =
    "出力ファイル'%s'の拡張子は %s のどれかにしてください。\n";
// A file chosen to be read that is no map or dia data file at all.
inline constexpr const char kNotMapData[] =
    "読み込みファイル'%s'は、マップデータではありません。\n";
inline constexpr const char kNotDiaData[] =
    "読み込みファイル'%s'は、ダイヤデータではありません。\n";

// A member whose content cannot be used: the path, then what is wrong.
inline constexpr const char kBadMemberData[] =
    "読み込みファイル'%s'の内容が正しくありません。\n%s\n";
// The same as a line of the message window, followed by lines of what is
// wrong.
inline constexpr const char kBadMemberLine[] = "読み込みファイル'%s'の内容が正しくありません。";

// Data written by a newer version of the program.
inline constexpr const char kNewerDataWarning[] =
    "このデータは、現在お使いの当ソフトウェアよりも新しいバージョンで作られています。\n"
    "当ソフトウェアのバージョンアップをおすすめします。\n"
    "読み込みを続けた場合、正しく動作しない可能性があります。\n";

inline void ReportFileError(Prompter& prompter, std::string_view format, std::string_view path,
                            std::string_view caption) {
  prompter.Error(FillIn(format, {path}), caption);
}

}  // namespace corvane
