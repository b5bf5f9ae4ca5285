#pragma once
// The "変更" button of the data-folder change dialog: checks the folder the
// user typed against the data folder in use, asks what has to be asked and
// decides whether the dialog closes with a requested data folder. The move
// itself happens later, in the close sequence.

#include <optional>
#include <string>
#include <string_view>

#include "app/environment.h"
#include "base/prompter.h"

namespace corvane {

// The dialog's title and the title of its folder chooser.
inline constexpr const char kDataFolderChangeTitle[] = "データフォルダ変更";
inline constexpr const char kDataFolderChooserTitle[] = "フォルダの選択";

struct DataFolderChangeResult {
  // True when the user confirmed the change: the dialog closes with OK and
  // `requested` is the new data folder. False: the dialog stays open and
  // nothing was changed (apart from the folder field, see below).
  bool accepted = false;
  std::string requested;
  // The text the folder field shows from now on, when the checks replaced the
  // typed folder (the documents or desktop folder itself becomes a new
  // "Corvane" folder inside it). Set whether or not the dialog stays open.
  std::optional<std::string> new_field_text;
};

// Runs the checks of the "変更" button in their order. `typed` is the field's
// text, `current_data_folder` the data folder in use. Refusals and questions
// go through `prompter`.
DataFolderChangeResult CheckDataFolderChange(std::string_view typed,
                                             const std::string& current_data_folder,
                                             const Environment& environment, Prompter& prompter);

// Where the "参照(&B)" folder chooser starts: at the typed folder, or at the
// documents folder when the field is empty or names a folder under the
// program-files folder.
std::string DataFolderBrowseStart(std::string_view typed, const Environment& environment);

}  // namespace corvane
