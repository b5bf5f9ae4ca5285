#pragma once
// Files dropped on the main window or a display window: import lists are
// imported, sounds and pictures copied into a chosen folder, and a dia data
// file offered for opening. The window hands over the paths; the questions
// go through a prompter and a list chooser. Texts and paths are UTF-8.

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/prompter.h"

namespace corvane {

// The window in the middle of an operation, which refuses a drop.
enum class BusyWindow {
  kNone,
  kMain,
  kBoard,
  kDiaEdit,
  kDiagram,
  kTimetable,
  kPassengers,
  kSection,
  kFormation,
};

inline constexpr const char kBusyCaption[] = "操作エラー";
inline constexpr const char kDropCaption[] = "ファイル受付確認";
inline constexpr const char kDropImportQuestion[] =
    "データ自動インポートを行います。よろしいですか？";
inline constexpr const char kDropOpenDiaQuestion[] = "ダイヤデータを読み込みます。よろしいですか？";
inline constexpr const char kDropUnknownGoOn[] = "この形式は受付できません。続けますか？";
inline constexpr const char kDropUnknownLast[] = "この形式は受付できません。";
inline constexpr const char kDropDestinationTitle[] = "インポート先を選択して下さい";
// A dropped folder, or a link that leads out of its own folder.
inline constexpr const char kDropNotAFile[] = "ファイル'%s'は受付できません。\n";
inline constexpr const char kDropCopyFailed[] = "ファイル'%s'をコピーできませんでした。\n";

// The refusal of a busy window (empty for kNone).
const char* BusyWindowMessage(BusyWindow window);

// Picks one item of a list ("インポート先を選択して下さい"): the item's
// index, or nothing when cancelled.
class ListChooser {
 public:
  virtual ~ListChooser() = default;
  virtual std::optional<int> ChooseItem(std::string_view title,
                                        const std::vector<std::string>& items) = 0;
};

// Answers from a queue (nothing = cancel); records every title asked.
class ScriptedListChooser : public ListChooser {
 public:
  void Queue(std::optional<int> answer) { answers_.push_back(answer); }
  std::optional<int> ChooseItem(std::string_view title,
                                const std::vector<std::string>& items) override;
  const std::vector<std::vector<std::string>>& asked() const { return asked_; }

 private:
  std::deque<std::optional<int>> answers_;
  std::vector<std::vector<std::string>> asked_;
};

// The folders a drop copies into.
struct DropFolders {
  std::string data;   // the data folder: import lists, "image", "image16"
  std::string sound;  // the sound folder: "station", "open", "close", "atc", "warning"
};

struct DropOutcome {
  std::optional<std::string> dia_to_open;  // a dia data file the user chose to open
  int copied = 0;                          // sounds and pictures copied
  int imported_lists = 0;
};

// Takes the dropped files in order. `busy` refuses the whole drop with its
// window's message.
DropOutcome DispatchDrop(const std::vector<std::string>& paths, BusyWindow busy,
                         const DropFolders& folders, Prompter& prompter, ListChooser& chooser);

}  // namespace corvane
