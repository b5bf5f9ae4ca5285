#include "interchange/drop_dispatch.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "base/file_io.h"
#include "base/text_format.h"
#include "interchange/import_list.h"

namespace corvane {

namespace fs = std::filesystem;

const char* BusyWindowMessage(BusyWindow window) {
  switch (window) {
    case BusyWindow::kNone:
      return "";
    case BusyWindow::kMain:
      return "メインウインドウが作業中です。\n";
    case BusyWindow::kBoard:
      return "運行管理盤ウインドウが作業中です。\n";
    case BusyWindow::kDiaEdit:
      return "ダイヤ編集ウインドウが作業中です。\n";
    case BusyWindow::kDiagram:
      return "ダイヤグラムウインドウが作業中です。\n";
    case BusyWindow::kTimetable:
      return "時刻表ウインドウが作業中です。\n";
    case BusyWindow::kPassengers:
      return "乗客数設定ウインドウが作業中です。\n";
    case BusyWindow::kSection:
      return "輸送断面ウインドウが作業中です。\n";
    case BusyWindow::kFormation:
      return "編成・仕業設定ダイアログが作業中です。\n";
  }
  return "";
}

std::optional<int> ScriptedListChooser::ChooseItem(std::string_view /*title*/,
                                                   const std::vector<std::string>& items) {
  asked_.push_back(items);
  if (answers_.empty()) return std::nullopt;
  const auto answer = answers_.front();
  answers_.pop_front();
  return answer;
}

namespace {

enum class DropKind { kList, kSound, kPicture, kDia, kOther };

DropKind KindOf(const std::string& path) {
  std::string extension = ExtensionOf(path);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "kvi") return DropKind::kList;
  if (extension == "wav") return DropKind::kSound;
  if (extension == "bmp") return DropKind::kPicture;
  if (extension == "kvb" || extension == "kvp" || extension == "kvd") return DropKind::kDia;
  return DropKind::kOther;
}

struct Destinations {
  std::vector<std::string> names;    // as offered
  std::vector<std::string> folders;  // below the base folder
};

const Destinations& SoundDestinations() {
  static const Destinations kSounds{
      {"発車メロディ", "ドア開け音", "ドア閉め音", "ＡＴＣ音", "警告音"},
      {"station", "open", "close", "atc", "warning"}};
  return kSounds;
}

const Destinations& PictureDestinations() {
  static const Destinations kPictures{{"形式写真", "形式アイコン"}, {"image", "image16"}};
  return kPictures;
}

// A regular file, reached through no link that leaves the file's own folder.
bool IsCopyableFile(const std::string& path) {
  std::error_code error;
  const fs::file_status own = fs::symlink_status(path, error);
  if (error) return false;
  if (fs::is_symlink(own)) {
    const fs::path target = fs::canonical(path, error);
    if (error) return false;
    const fs::path folder = fs::canonical(fs::absolute(path, error).parent_path(), error);
    if (error || target.parent_path() != folder) return false;
  }
  return fs::is_regular_file(path, error) && !error;
}

class Drop {
 public:
  Drop(const DropFolders& folders, Prompter& prompter, ListChooser& chooser)
      : folders_(folders), prompter_(prompter), chooser_(chooser) {}

  // False when the drop ends here.
  bool Take(const std::string& path, bool more_follow) {
    switch (KindOf(path)) {
      case DropKind::kList:
        return TakeList(path);
      case DropKind::kSound:
        return CopyInto(path, SoundDestinations(), folders_.sound, sound_folder_);
      case DropKind::kPicture:
        return CopyInto(path, PictureDestinations(), folders_.data, picture_folder_);
      case DropKind::kDia:
        if (Ask(kDropOpenDiaQuestion, PromptButtons::kYesNo) == PromptAnswer::kYes) {
          outcome_.dia_to_open = path;
        }
        return false;
      case DropKind::kOther:
        if (!more_follow) {
          prompter_.Error(kDropUnknownLast, kDropCaption);
          return false;
        }
        return Ask(kDropUnknownGoOn, PromptButtons::kYesNo) == PromptAnswer::kYes;
    }
    return false;
  }

  const DropOutcome& outcome() const { return outcome_; }

 private:
  PromptAnswer Ask(std::string_view text, PromptButtons buttons) {
    return prompter_.Ask(text, kDropCaption, buttons, PromptIcon::kQuestion);
  }

  bool TakeList(const std::string& path) {
    const PromptAnswer answer = Ask(kDropImportQuestion, PromptButtons::kYesNoCancel);
    if (answer == PromptAnswer::kCancel) return false;
    if (answer == PromptAnswer::kYes && ImportListFile(path, folders_.data, prompter_)) {
      ++outcome_.imported_lists;
    }
    return true;
  }

  // Copies under the file's own name into the destination chosen for this
  // kind, asking for it the first time.
  bool CopyInto(const std::string& path, const Destinations& destinations, const std::string& base,
                std::optional<std::string>& chosen) {
    if (!chosen) {
      const auto item = chooser_.ChooseItem(kDropDestinationTitle, destinations.names);
      if (!item || *item < 0 || *item >= static_cast<int>(destinations.folders.size())) {
        return false;
      }
      chosen = JoinPath(base, destinations.folders[static_cast<std::size_t>(*item)]);
    }
    if (!IsCopyableFile(path)) {
      prompter_.Error(FillIn(kDropNotAFile, {path}), kDropCaption);
      return true;
    }
    const std::string destination = JoinPath(*chosen, FileNameOf(path));
    if (CopyFileKeepingTime(path, destination)) {
      ++outcome_.copied;
    } else {
      prompter_.Error(FillIn(kDropCopyFailed, {path}), kDropCaption);
    }
    return true;
  }

  const DropFolders& folders_;
  Prompter& prompter_;
  ListChooser& chooser_;
  std::optional<std::string> sound_folder_;
  std::optional<std::string> picture_folder_;
  DropOutcome outcome_;
};

}  // namespace

DropOutcome DispatchDrop(const std::vector<std::string>& paths, BusyWindow busy,
                         const DropFolders& folders, Prompter& prompter, ListChooser& chooser) {
  if (busy != BusyWindow::kNone) {
    prompter.Error(BusyWindowMessage(busy), kBusyCaption);
    return {};
  }
  Drop drop(folders, prompter, chooser);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    if (!drop.Take(paths[i], i + 1 < paths.size())) break;
  }
  return drop.outcome();
}

}  // namespace corvane
