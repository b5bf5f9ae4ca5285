#include "app/close_sequence.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/fs_entry.h"
#include "app/messages.h"
#include "app/settings.h"
#include "base/encoding.h"
#include "base/file_io.h"
#include "base/file_messages.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

// The change log, line by line.
constexpr const char kLogFirstLine[] =
    "%s　データフォルダ変更記録　%04d/%02d/%02d %02d:%02d:%02d\n";
constexpr const char kLogSettingsChanged[] = "データフォルダの設定を変更しました。\n";
constexpr const char kLogChangedFrom[] = "　変更元：%s\n";
constexpr const char kLogChangedTo[] = "　変更先：%s\n";
constexpr const char kLogFileWithSameName[] =
    "指定されたフォルダ名と重複するファイル名のファイルが存在します。\n";
constexpr const char kLogCopyHeader[] = "下記のファイル・フォルダのコピー・移動をしました。\n";
constexpr const char kLogCopyFrom[] = "コピー元：%s\n";
constexpr const char kLogCopyTo[] = "コピー先：%s\n";
constexpr const char kLogMoveFrom[] = "移動元：%s\n";
constexpr const char kLogMoveTo[] = "移動先：%s\n";
constexpr const char kLogCopied[] = "　%s　をコピーしました。\n";
constexpr const char kLogCopyFailed[] = "　%s　のコピーに失敗しました。\n";
constexpr const char kLogMoved[] = "　%s　を移動しました。\n";
constexpr const char kLogMoveFailed[] = "　%s　の移動に失敗しました。\n";
constexpr const char kLogNoFiles[] = "　対象となるファイルはありませんでした。\n";
constexpr const char kLogRenamed[] = "全てのフォルダ・ファイルを移動しました。\n";
constexpr const char kLogRenameFailed[] = "全てのフォルダ・ファイルの移動に失敗しました。\n";
// The error of rename(2), as errno and its strerror text.
constexpr const char kLogErrorCode[] = "　エラーコード：%d\n";
constexpr const char kLogErrorMessage[] = "　エラーメッセージ：\n";
constexpr const char kLogErrorText[] = "　　%s\n";
constexpr const char kLogRenamedFrom[] = "　移動元：%s\n";
constexpr const char kLogRenamedTo[] = "　移動先：%s\n";
// Failures that would otherwise go unnoticed: a folder that could not be
// made, the Path file that could not be written, a new folder that is no
// absolute path or whose sub-folder paths do not fit the Path file.
constexpr const char kLogCreateFailed[] = "　%s　の作成に失敗しました。\n";
constexpr const char kLogWriteFailed[] = "　%s　の書き込みに失敗しました。\n";
constexpr const char kLogNotAbsolute[] =
    "指定されたフォルダのパスが「/」から始まらないため、データフォルダを変更できません。\n";
constexpr const char kLogPathTooLong[] =
    "指定されたフォルダのパスが長すぎるため、データフォルダを変更できません。\n";

constexpr const char* kPositionPrefixes[] = {"PosLeft=", "PosTop=", "PosRight=", "PosBottom="};

class ChangeLog {
 public:
  void Add(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (size > 0) {
      std::string line(static_cast<std::size_t>(size) + 1, '\0');
      std::vsnprintf(line.data(), line.size(), format, again);
      line.pop_back();
      text_ += line;
    }
    va_end(again);
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

std::string TimeStamped(const char* format, const std::tm& now) {
  char name[256];
  std::snprintf(name, sizeof name, format, now.tm_year + 1900, now.tm_mon + 1, now.tm_mday,
                now.tm_hour, now.tm_min, now.tm_sec);
  return name;
}

// The regular files directly in `folder`, by name; none for a missing folder.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code ignored;
    if (it->is_regular_file(ignored)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool CopyWithoutOverwriting(const std::string& from, const std::string& to) {
  std::error_code error;
  if (FsEntryKindOf(to) != FsEntryKind::kMissing) return false;
  return fs::copy_file(from, to, fs::copy_options::none, error) && !error;
}

// A move never replaces what is already there. Between file systems the
// file is copied and the original removed.
bool MoveWithoutOverwriting(const std::string& from, const std::string& to) {
  if (FsEntryKindOf(to) != FsEntryKind::kMissing) return false;
  std::error_code error;
  fs::rename(from, to, error);
  if (!error) return true;
  if (error != std::errc::cross_device_link) return false;
  if (!CopyWithoutOverwriting(from, to)) return false;
  fs::remove(from, error);
  if (!error) return true;
  // Keep the one file rather than two.
  fs::remove(to, error);
  return false;
}

bool MakeFolder(const std::string& folder, ChangeLog& log) {
  std::error_code error;
  fs::create_directories(WithoutTrailingSlash(folder), error);
  if (IsDirectory(folder)) return true;
  log.Add(kLogCreateFailed, folder.c_str());
  return false;
}

enum class Transfer { kCopy, kMove };

// Moves or copies the files `names` from `from` to `to`, one line each.
void TransferFiles(Transfer transfer, const std::string& from, const std::string& to,
                   const std::vector<std::string>& names, ChangeLog& log) {
  for (const std::string& name : names) {
    const std::string source = JoinPath(from, name);
    const std::string target = JoinPath(to, name);
    if (transfer == Transfer::kMove) {
      log.Add(MoveWithoutOverwriting(source, target) ? kLogMoved : kLogMoveFailed, name.c_str());
    } else {
      log.Add(CopyWithoutOverwriting(source, target) ? kLogCopied : kLogCopyFailed, name.c_str());
    }
  }
}

void LogTransferHeader(Transfer transfer, const std::string& from, const std::string& to,
                       ChangeLog& log) {
  log.Add(transfer == Transfer::kMove ? kLogMoveFrom : kLogCopyFrom, from.c_str());
  log.Add(transfer == Transfer::kMove ? kLogMoveTo : kLogCopyTo, to.c_str());
}

// Files of the data folder itself; only those that exist are transferred.
void TransferTopFiles(Transfer transfer, const std::string& from, const std::string& to,
                      std::vector<std::string> names, ChangeLog& log) {
  std::erase_if(names, [&](const std::string& name) { return !FileExists(JoinPath(from, name)); });
  if (names.empty()) return;
  LogTransferHeader(transfer, from, to, log);
  TransferFiles(transfer, from, to, names, log);
}

bool WritePathFile(const std::string& path_file, const std::string& folder, ChangeLog& log) {
  if (WriteDataPath(path_file, folder)) return true;
  log.Add(kLogWriteFailed, path_file.c_str());
  return false;
}

// Copy mode: a fresh set of sub-folders in the new folder; the user's own
// data moves file by file, the system data is copied, scratch files stay.
bool CopyDataFolder(const DataFolder& current, const std::string& new_folder,
                    const DataFolderTable& new_table, bool registry_in_use,
                    Environment& environment, ChangeLog& log) {
  log.Add("%s", kLogCopyHeader);
  MakeFolder(new_folder, log);
  const auto built_old = DataFolderTable::Build(current.path);
  for (int slot = 1; slot < kFolderSlotCount; ++slot) {
    const std::string& target = new_table[slot];
    if (target.empty()) continue;
    MakeFolder(target, log);
    if (IsScratchSlot(slot)) continue;
    std::string source = current.table[slot];
    if (source.empty() && built_old) source = (*built_old)[slot];
    const Transfer transfer = IsUserDataSlot(slot) ? Transfer::kMove : Transfer::kCopy;
    LogTransferHeader(transfer, source, target, log);
    const std::vector<std::string> names =
        source.empty() ? std::vector<std::string>{} : FilesIn(source);
    if (names.empty()) log.Add("%s", kLogNoFiles);
    TransferFiles(transfer, source, target, names, log);
  }

  TransferTopFiles(Transfer::kMove, current.path, new_folder, {kSettingsFileName}, log);
  TransferTopFiles(Transfer::kCopy, current.path, new_folder,
                   {kSystemMapIniName, kLanguageFileName}, log);

  std::string path_file = current.path_file;
  if (registry_in_use) {
    const std::string copy = JoinPath(new_folder, kPathFileName);
    const std::string from = DirectoryOf(current.path_file);
    LogTransferHeader(Transfer::kCopy, WithoutTrailingSlash(from), new_folder, log);
    const bool copied = CopyWithoutOverwriting(current.path_file, copy);
    log.Add(copied ? kLogCopied : kLogCopyFailed, FileNameOf(current.path_file).c_str());
    if (copied) {
      path_file = copy;
      environment.SetDataPathInfo(path_file);
    }
  }
  return WritePathFile(path_file, new_folder, log);
}

// A slot path of the old folder, moved along with it. Paths elsewhere, and
// paths of a sibling folder that merely starts with the same name, stay.
std::string FollowRename(const std::string& path, const std::string& old_folder,
                         const std::string& new_folder) {
  if (path.compare(0, old_folder.size(), old_folder) != 0) return path;
  if (path.size() != old_folder.size() && path[old_folder.size()] != '/') return path;
  return new_folder + path.substr(old_folder.size());
}

// Rename mode: the whole folder moves in one step.
bool RenameDataFolder(const DataFolder& current, const std::string& new_folder,
                      const DataFolderTable& new_table, bool registry_in_use,
                      Environment& environment, ChangeLog& log, std::string& log_folder) {
  // The new folder's parent may not exist yet; rename() makes only the last
  // component.
  std::error_code error;
  fs::create_directories(fs::path(new_folder).parent_path(), error);
  fs::rename(current.path, new_folder, error);
  bool updated = false;
  if (!error) {
    log_folder = new_folder;
    log.Add("%s", kLogRenamed);
    std::string path_file = current.path_file;
    if (PathIsInside(path_file, current.path)) {
      path_file = new_folder + path_file.substr(current.path.size());
      if (registry_in_use) environment.SetDataPathInfo(path_file);
    }
    updated = IniFile::Update(path_file, [&](IniFile& file) {
      file.SetString(kPathFileDataSection, kPathFileDataKey, new_folder);
      DataFolderTable table = DataFolderTable::Read(file);
      for (int slot = 1; slot < kFolderSlotCount; ++slot) {
        std::string moved = FollowRename(table[slot], current.path, new_folder);
        // A path grown past its slot is never cut: the slot takes its usual
        // place in the new folder instead.
        if (moved.size() > kFolderPathMaxBytes) moved = new_table[slot];
        table.Set(slot, std::move(moved));
      }
      table.Write(file);
    });
    if (!updated) log.Add(kLogWriteFailed, path_file.c_str());
  } else {
    const int code = error.value();
    log.Add("%s", kLogRenameFailed);
    log.Add(kLogErrorCode, code);
    log.Add("%s", kLogErrorMessage);
    log.Add(kLogErrorText, std::strerror(code));
  }
  log.Add(kLogRenamedFrom, current.path.c_str());
  log.Add(kLogRenamedTo, new_folder.c_str());
  return updated;
}

}  // namespace

bool ClearBackupKeysInFile(const std::string& settings_path) {
  return IniFile::Update(settings_path, ClearBackupKeys);
}

std::string DataFolderChangeLogName(const std::tm& now) {
  return TimeStamped("データフォルダ変更記録%04d%02d%02d%02d%02d%02d.txt", now);
}

std::string SettingsBackupName(const std::tm& now) {
  return TimeStamped("設定ファイルバックアップ%04d%02d%02d%02d%02d%02d.ini", now);
}

DataFolderMoveReport MoveDataFolder(const DataFolder& current_in, const std::string& new_folder_in,
                                    Environment& environment) {
  DataFolder current = current_in;
  current.path = WithoutTrailingSlash(current.path);
  const std::string new_folder = WithoutTrailingSlash(new_folder_in);
  const std::tm now = environment.LocalTime();

  ChangeLog log;
  // The program's title as the start-mode dialog shows it, in the language
  // of the run.
  log.Add(kLogFirstLine, WindowTitleText(WindowTitle::kProductTitle, current.english),
          now.tm_year + 1900, now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec);
  const auto info = environment.DataPathInfo();
  const bool registry_in_use = info && *info == current.path_file;
  const bool current_exists = !current.path.empty() && IsDirectory(current.path);
  std::string log_folder = current_exists ? current.path : new_folder;

  DataFolderMoveReport report;
  const auto new_table = DataFolderTable::Build(new_folder);
  if (new_folder.empty() || new_folder.front() != '/') {
    // Relative to whatever folder the program runs in; an empty one would
    // put the sub-folders at the root.
    log.Add("%s", kLogNotAbsolute);
    if (!current_exists) log_folder.clear();
  } else if (!new_table) {
    log.Add("%s", kLogPathTooLong);
  } else if (!current_exists) {
    // Nothing to move; a Path file kept in the missing folder is made anew
    // in the new one.
    const std::string path_file =
        registry_in_use ? JoinPath(new_folder, kPathFileName) : current.path_file;
    report.path_file_updated = WritePathFile(path_file, new_folder, log);
    if (report.path_file_updated) {
      if (registry_in_use) environment.SetDataPathInfo(path_file);
      log.Add("%s", kLogSettingsChanged);
    }
    log.Add(kLogChangedFrom, current.path.c_str());
    log.Add(kLogChangedTo, new_folder.c_str());
  } else if (FsEntryKindOf(new_folder) == FsEntryKind::kOther) {
    log.Add("%s", kLogFileWithSameName);
  } else if (PathIsInside(current.path, environment.ProgramFolder()) || IsDirectory(new_folder)) {
    report.path_file_updated =
        CopyDataFolder(current, new_folder, *new_table, registry_in_use, environment, log);
  } else {
    report.path_file_updated = RenameDataFolder(current, new_folder, *new_table, registry_in_use,
                                                environment, log, log_folder);
  }

  report.log_text = log.text();
  const std::string log_path = JoinPath(log_folder, DataFolderChangeLogName(now));
  if (!log_folder.empty() && WriteFileAtomically(log_path, Utf8ToSjis(log.text()))) {
    report.log_path = log_path;
  }
  return report;
}

std::string ResetSettingsText(std::string_view settings, int start_mode) {
  std::string out;
  bool before_sections = true;
  bool in_path_section = false;
  std::size_t start = 0;
  while (start < settings.size()) {
    const std::size_t feed = settings.find('\n', start);
    const std::size_t end = feed == std::string_view::npos ? settings.size() : feed + 1;
    const std::string_view line = settings.substr(start, end - start);
    start = end;
    // The line end as it was: "\r\n", "\n" or nothing on a last line.
    std::string_view content = line;
    if (!content.empty() && content.back() == '\n') content.remove_suffix(1);
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    const std::string_view line_end = line.substr(content.size());

    if (start_mode == 1) {
      const auto prefix =
          std::find_if(std::begin(kPositionPrefixes), std::end(kPositionPrefixes),
                       [&](const char* key) { return content.substr(0, std::strlen(key)) == key; });
      if (prefix != std::end(kPositionPrefixes)) {
        out += *prefix;
        out += line_end;
      } else {
        out += line;
      }
      continue;
    }
    if (!content.empty() && content.front() == '[') {
      before_sections = false;
      std::string_view name = content.substr(1, content.find(']') - 1);
      while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
      while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
      in_path_section = EqualsIgnoringCase(name, "Path");
    }
    if (before_sections || in_path_section) out += line;
  }
  return out;
}

SettingsReset ResetSettingsFile(const std::string& data_folder, int start_mode,
                                const std::tm& now) {
  using Outcome = SettingsReset::Outcome;
  SettingsReset reset;
  const std::string settings_path = JoinPath(data_folder, kSettingsFileName);
  if ((start_mode != 1 && start_mode != 2) ||
      FsEntryKindOf(settings_path) == FsEntryKind::kMissing) {
    return reset;
  }
  reset.outcome = Outcome::kFailed;
  const auto bytes = ReadFileBytes(settings_path);
  if (!bytes) return reset;
  const std::string backup_path = JoinPath(data_folder, SettingsBackupName(now));
  // An older backup of the same second is never replaced.
  if (FsEntryKindOf(backup_path) != FsEntryKind::kMissing) return reset;
  std::error_code error;
  fs::rename(settings_path, backup_path, error);
  if (error) return reset;
  if (!WriteFileAtomically(settings_path, ResetSettingsText(*bytes, start_mode))) {
    fs::rename(backup_path, settings_path, error);
    return reset;
  }
  reset.outcome = Outcome::kReset;
  reset.backup_path = backup_path;
  return reset;
}

bool RunCloseSequence(const CloseRequest& request, CloseWindows& windows, Prompter& prompter) {
  if (!windows.ConfirmMapEditClose() || !windows.ConfirmDiaClose()) return false;
  windows.StopTimer();
  const bool folder_exists = IsDirectory(request.data_folder);
  bool settings_written = true;
  if (request.settings != nullptr) request.settings->backup_files = {};
  if (folder_exists) {
    settings_written = ClearBackupKeysInFile(request.settings_path);
    windows.KeepLayout();
    if (request.settings != nullptr &&
        !SaveSettingsFile(request.settings_path, *request.settings, request.english)) {
      settings_written = false;
    }
  }
  if (request.move_data_folder) windows.MoveDataFolder();
  windows.HideWindows();
  if (folder_exists &&
      ResetSettingsFile(request.data_folder, request.start_mode, request.now).outcome ==
          SettingsReset::Outcome::kFailed) {
    settings_written = false;
  }
  if (!settings_written) {
    ReportFileError(prompter, kCannotOpenForWrite, request.settings_path, kWriteErrorCaption);
  }
  return true;
}

}  // namespace corvane
