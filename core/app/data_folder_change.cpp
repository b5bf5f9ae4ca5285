#include "app/data_folder_change.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/data_folder.h"
#include "app/fs_entry.h"
#include "base/file_io.h"

namespace corvane {

namespace {

constexpr const char kCaptionRefused[] = "変更不可";
constexpr const char kCaptionConfirmFolder[] = "フォルダ作成確認";
constexpr const char kCaptionConfirmExit[] = "終了確認";

constexpr const char kUnchanged[] = "データフォルダが現在の設定と変わっていません。";
constexpr const char kDocumentsItselfRefused[] =
    "データフォルダをマイドキュメント（My Documents）自体に設定することはできません。\n"
    "既に存在するデータフォルダを指定してください。\n";
constexpr const char kDocumentsItselfAsk[] =
    "データフォルダをマイドキュメント（My Documents）自体に設定することはできません。\n"
    "マイドキュメント内に「Corvane」フォルダを作成します。\n"
    "よろしいですか？\n";
constexpr const char kDesktopItselfRefused[] =
    "データフォルダをデスクトップ自体に設定することはできません。\n"
    "既に存在するデータフォルダを指定してください。\n";
constexpr const char kDesktopItselfAsk[] =
    "データフォルダをデスクトップ自体に設定することはできません。\n"
    "デスクトップ内に「Corvane」フォルダを作成します。\n"
    "よろしいですか？\n";
constexpr const char kUnderProgramFiles[] =
    "指定されたフォルダはプログラムフォルダ（Program Files）内となっています。\n"
    "プログラムフォルダ内のデータフォルダは推奨されません。\n"
    "プログラムフォルダ内に指定しますか？\n";
constexpr const char kFileWithSameName[] =
    "指定されたフォルダ名と重複するファイル名のファイルが存在します。\n";
constexpr const char kSubFolderClash[] =
    "指定されたフォルダは既に存在し、その中に重複するフォルダ名が存在します。\n"
    "データフォルダを移行できません。\n";
constexpr const char kMoveIntoFolderWithFiles[] =
    "指定されたフォルダは既に存在し、ファイルが含まれています。\n"
    "現在のデータは、指定されたフォルダに移行します。\n"
    "よろしいですか？\n";
constexpr const char kMoveIntoEmptyFolder[] =
    "指定されたフォルダは既に存在します。\n"
    "現在のデータは、指定されたフォルダに移行します。\n"
    "よろしいですか？\n";
constexpr const char kMoveIntoNewFolder[] =
    "指定されたフォルダは存在しません。\n"
    "フォルダを新規に作成し、現在のデータを移動します。\n"
    "よろしいですか？\n";
constexpr const char kFolderMissing[] = "指定されたフォルダ名は存在しません。\n";
constexpr const char kSubFoldersMissingFormat[] =
    "指定されたフォルダはデータフォルダとして必要なフォルダが不足しています。\n"
    "必要フォルダ数：%d　不足フォルダ数：%d\n"
    "\n"
    "指定されたフォルダはデータフォルダとして推奨されません。\n"
    "データフォルダに指定しますか？\n";
constexpr const char kConfirmExit[] =
    "プログラムを自動的に終了して、データフォルダ変更を実行します。\n"
    "次回のプログラム時から新しいデータフォルダが使用されます。\n"
    "よろしいですか？\n";

// Refusals of our own. A relative path would depend on the folder the
// program happens to run in, and an empty one would put the sub-folders at
// the root of the file system.
constexpr const char kNotAbsolute[] =
    "データフォルダは「/」から始まるフォルダのパスで指定してください。\n";
// The Path file keeps each sub-folder path in 255 bytes; a path that does
// not fit is never cut.
constexpr const char kPathTooLong[] =
    "指定されたフォルダのパスが長すぎます。\n"
    "データフォルダ内のフォルダのパスが255バイトを超えるため、"
    "データフォルダに指定できません。\n";

bool AskYes(Prompter& prompter, std::string_view text, std::string_view caption) {
  return prompter.Ask(text, caption, PromptButtons::kYesNo, PromptIcon::kQuestion) ==
         PromptAnswer::kYes;
}

void Refuse(Prompter& prompter, std::string_view text) {
  prompter.Ask(text, kCaptionRefused, PromptButtons::kOk, PromptIcon::kWarning);
}

// True when the folder holds anything at all. A folder we cannot list counts
// as holding something, so the sub-folder check below still runs.
bool FolderHasEntries(const std::string& folder) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return true;
  return it != std::filesystem::directory_iterator();
}

// Step 2 and 3: the documents or desktop folder itself is no data folder.
// Returns false when the dialog has to stay open; otherwise `folder` may have
// been replaced by a new "Corvane" folder inside `parent`.
bool CheckUserFolderItself(const std::string& parent, const char* refused, const char* ask,
                           const std::string& current_data_folder, Prompter& prompter,
                           std::string& folder, DataFolderChangeResult& result) {
  if (parent.empty() || folder != WithoutTrailingSlash(parent)) return true;
  if (!IsDirectory(current_data_folder)) {
    Refuse(prompter, refused);
    return false;
  }
  if (!AskYes(prompter, ask, kCaptionRefused)) return false;
  folder = FirstFreeDataFolderName(WithoutTrailingSlash(parent));
  result.new_field_text = folder;
  return true;
}

}  // namespace

DataFolderChangeResult CheckDataFolderChange(std::string_view typed,
                                             const std::string& current_data_folder,
                                             const Environment& environment, Prompter& prompter) {
  DataFolderChangeResult result;
  std::string folder = WithoutTrailingSlash(std::string(typed));
  const std::string current = WithoutTrailingSlash(current_data_folder);

  if (folder == current) {
    Refuse(prompter, kUnchanged);
    return result;
  }
  if (folder.empty() || folder.front() != '/') {
    Refuse(prompter, kNotAbsolute);
    return result;
  }
  if (!CheckUserFolderItself(environment.DocumentsFolder(), kDocumentsItselfRefused,
                             kDocumentsItselfAsk, current, prompter, folder, result) ||
      !CheckUserFolderItself(environment.DesktopFolder(), kDesktopItselfRefused, kDesktopItselfAsk,
                             current, prompter, folder, result)) {
    return result;
  }

  const auto table = DataFolderTable::Build(folder);
  if (!table) {
    Refuse(prompter, kPathTooLong);
    return result;
  }

  const std::string program_files = environment.ProgramFilesFolder();
  if (!program_files.empty() && PathIsInside(folder, program_files) &&
      !AskYes(prompter, kUnderProgramFiles, kCaptionConfirmFolder)) {
    return result;
  }

  const FsEntryKind kind = FsEntryKindOf(folder);
  if (IsDirectory(current)) {
    // The current data will move into `folder`.
    const char* question = kMoveIntoNewFolder;
    if (kind == FsEntryKind::kOther) {
      Refuse(prompter, kFileWithSameName);
      return result;
    }
    if (kind == FsEntryKind::kFolder && FolderHasEntries(folder)) {
      for (int slot = 1; slot < kFolderSlotCount; ++slot) {
        if (!(*table)[slot].empty() && FsEntryKindOf((*table)[slot]) != FsEntryKind::kMissing) {
          Refuse(prompter, kSubFolderClash);
          return result;
        }
      }
      question = kMoveIntoFolderWithFiles;
    } else if (kind == FsEntryKind::kFolder) {
      question = kMoveIntoEmptyFolder;
    }
    if (!AskYes(prompter, question, kCaptionConfirmFolder)) return result;
  } else {
    // Nothing to move: `folder` has to be a data folder already.
    if (kind != FsEntryKind::kFolder) {
      Refuse(prompter, kFolderMissing);
      return result;
    }
    int needed = 0;
    int missing = 0;
    for (int slot = 1; slot < kFolderSlotCount; ++slot) {
      if ((*table)[slot].empty()) continue;
      ++needed;
      if (!IsDirectory((*table)[slot])) ++missing;
    }
    if (missing > 0) {
      char text[512];
      std::snprintf(text, sizeof text, kSubFoldersMissingFormat, needed, missing);
      if (!AskYes(prompter, text, kCaptionConfirmFolder)) return result;
    }
  }

  if (!AskYes(prompter, kConfirmExit, kCaptionConfirmExit)) return result;
  result.accepted = true;
  result.requested = folder;
  return result;
}

std::string DataFolderBrowseStart(std::string_view typed, const Environment& environment) {
  const std::string folder = WithoutTrailingSlash(std::string(typed));
  const std::string program_files = environment.ProgramFilesFolder();
  if (folder.empty() || (!program_files.empty() && PathIsInside(folder, program_files))) {
    return environment.DocumentsFolder();
  }
  return folder;
}

}  // namespace corvane
