#include "app/map_document.h"

#include <vector>

#include "app/messages.h"
#include "base/file_io.h"
#include "base/file_messages.h"
#include "base/text_format.h"
#include "mapfile/map_file.h"

namespace corvane {

namespace {

constexpr const char kSaveChangesQuestion[] =
    "%s\n現在のマップは変更されています。\n現在のデータを保存しますか？";
constexpr const char kOpenAction[] = "マップデータを開きます。";
constexpr const char kReadConfirmCaption[] = "読み込み確認";
constexpr const char kNotAMapFile[] = "このファイルは、マップデータではありません。\n";
constexpr const char kOpenedLine[] = "マップデータ「%s」を開きました。";
constexpr const char kSavedLine[] = "マップデータ「%s」を保存しました。";
constexpr const char kNewMapQuestion[] =
    "新規マップの編集を開始します。\n現在のマップの変更は失われます。\nよろしいですか？";
constexpr const char kNewMapCaption[] = "新規確認";

// Clears the loading state whenever a command ends.
class LoadingScope {
 public:
  explicit LoadingScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~LoadingScope() { flag_ = false; }
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

MapFolders MapFoldersOf(const DataFolder& data_folder, const Environment& env) {
  MapFolders folders;
  folders.temp = data_folder.TempFolder();
  folders.map_data = data_folder.table[kSlotDataKvm];
  folders.old_map = OldMapFolder(env);
  return folders;
}

MapDocument::MapDocument(EditMap& map, MapFolders folders, Prompter& prompter, Chooser& chooser,
                         MessageLog& log)
    : map_(map), folders_(std::move(folders)), prompter_(prompter), chooser_(chooser), log_(log) {}

std::string MapDocument::title_name() const {
  return path_.empty() ? std::string() : BaseNameOf(path_);
}

bool MapDocument::IsMapFileName(const std::string& path) const {
  return EqualsIgnoringCase(ExtensionOf(path), kMapFileExtension);
}

bool MapDocument::ConfirmSaveChanges(std::string_view action) {
  if (loading_) return true;
  while (map_.modified()) {
    const PromptAnswer answer =
        prompter_.Ask(FillIn(kSaveChangesQuestion, {action}), kReadConfirmCaption,
                      PromptButtons::kYesNoCancel, PromptIcon::kQuestion);
    if (answer == PromptAnswer::kCancel) return false;
    if (answer == PromptAnswer::kNo) return true;
    SaveAs();
  }
  return true;
}

OpenOutcome MapDocument::Open() {
  // A Retry answer starts the command again from inside the load, where the
  // save question has already been answered: it is asked only once.
  for (bool first = true;; first = false) {
    if (first && !ConfirmSaveChanges(kOpenAction)) return OpenOutcome::kCancelled;
    FileChoice choice;
    choice.must_exist = true;
    choice.filter = FilterFor(FilterUse::kMap, english_).filter;
    choice.default_extension = kMapFileExtension;
    choice.initial_path = folders_.map_data + "." + kMapFileExtension;
    const auto chosen = chooser_.ChooseFile(choice);
    if (!chosen) return OpenOutcome::kCancelled;
    bool retry = false;
    const OpenOutcome outcome = ReadFile(*chosen, &retry);
    if (!retry) return outcome;
  }
}

OpenOutcome MapDocument::OpenChosen(const std::string& path) {
  if (!ConfirmSaveChanges(kOpenAction)) return OpenOutcome::kCancelled;
  return OpenPath(path);
}

OpenOutcome MapDocument::OpenPath(const std::string& path) {
  bool retry = false;
  const OpenOutcome outcome = ReadFile(path, &retry);
  return retry ? OpenOutcome::kFailed : outcome;
}

OpenOutcome MapDocument::ReadFile(const std::string& path, bool* retry) {
  LoadingScope loading(loading_);
  if (!IsMapFileName(path)) {
    prompter_.Error(kNotAMapFile, kFileKindErrorCaption);
    return OpenOutcome::kFailed;
  }
  // Read apart so that a failed read leaves the map as it was. What the
  // read finds wrong goes to the message window before the question about
  // it, and stays there when the user goes on.
  MapContent read;
  std::vector<std::string> problems;
  const ReadReport report = [this, &problems](std::string_view line) {
    problems.emplace_back(line);
    log_.AddLine(line);
  };
  switch (OpenMapFile(path, folders_.temp, folders_.old_map, read, prompter_, report)) {
    case MapReadResult::kRead:
      break;
    case MapReadResult::kRetry:
      *retry = true;
      return OpenOutcome::kFailed;
    case MapReadResult::kCloseWindow:
      return OpenOutcome::kCloseWindow;
    case MapReadResult::kFailed:
      return OpenOutcome::kFailed;
  }
  map_.Replace(std::move(read));
  path_ = path;
  log_.Clear();
  log_.AddLine(FillIn(kOpenedLine, {map_.header().map_name.Utf8()}));
  log_.AddLine("");
  if (!problems.empty()) {
    for (const std::string& line : problems) log_.AddLine(line);
    log_.AddLine("");
  }
  return OpenOutcome::kOpened;
}

bool MapDocument::Save() {
  if (path_.empty() || map_.header().version != kMapVersion) return SaveAs();
  return SaveToPath(path_);
}

bool MapDocument::SaveAs() {
  FileChoice choice;
  choice.save = true;
  choice.overwrite_prompt = true;
  choice.filter = FilterFor(FilterUse::kMap, english_).filter;
  choice.default_extension = kMapFileExtension;
  choice.initial_path = path_.empty() ? folders_.map_data + "." + kMapFileExtension : path_;
  const auto chosen = chooser_.ChooseFile(choice);
  if (!chosen) return false;
  return SaveAsPath(*chosen);
}

bool MapDocument::SaveAsPath(const std::string& path) {
  if (!IsMapFileName(path)) {
    prompter_.Error(kNotAMapFile, kFileKindErrorCaption);
    return false;
  }
  return SaveToPath(path);
}

bool MapDocument::SaveToPath(const std::string& path) {
  // Only a save that got through makes the map current: one that fails on
  // the way leaves it of the version it was loaded in, or the next save would
  // overwrite an older version's file without asking for a name.
  if (!SaveMapFile(map_.content(), path, prompter_)) return false;
  map_.MarkSaved();
  path_ = path;
  log_.AddLine(FillIn(kSavedLine, {map_.header().map_name.Utf8()}));
  log_.AddLine("");
  return true;
}

bool MapDocument::NewMap() {
  LoadingScope loading(loading_);
  const bool ok = ResetToNewMap(map_, folders_.old_map, prompter_);
  path_.clear();
  return ok;
}

bool MapDocument::StartNewMap(bool confirm_changes) {
  if (confirm_changes && map_.modified() &&
      prompter_.Ask(kNewMapQuestion, kNewMapCaption, PromptButtons::kYesNo,
                    PromptIcon::kQuestion) != PromptAnswer::kYes) {
    return false;
  }
  NewMap();
  return true;
}

OpenOutcome OpenRecentMap(MapDocument& document, std::vector<std::string>& recent,
                          const std::string& path) {
  const OpenOutcome outcome = document.OpenChosen(path);
  if (outcome == OpenOutcome::kFailed) std::erase(recent, path);
  return outcome;
}

}  // namespace corvane
