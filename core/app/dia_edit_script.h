#pragma once
// Editing loaded dia data from a script of commands, one per line, as the
// headless tool reads them: the main window's dia commands with the answers
// to the dialogs and questions they open.
//
//   command NAME        a command of the main window's menus by its text
//                       without the accelerator, in Japanese or English
//                       ("開始時刻設定", "Start Time Setting"), or by its id
//                       ("dia.start_time"); only the commands that edit the
//                       dia data through a dialog run here
//   answer yes|no       the answer to the next Yes/No question
//   answer [FIELD=VALUE]... ok|cancel
//                       the answer to the next dialog that opens: fields by
//                       their Japanese labels (the start time's 時, 分 and
//                       秒), list items by their text or "#N"; a dialog with
//                       no answer queued is cancelled
//   file PATH|cancel    the answer to the next file dialog ("参照(&B)" of the
//                       station dialog); with none given it is cancelled
//   save                write the data
//   passenger ...       the passenger number window (PassengerScript)
//
// Empty lines and lines starting with "#" are skipped. Names are UTF-8.

#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "app/dia_dialogs.h"
#include "base/chooser.h"
#include "base/dialog_model.h"
#include "base/prompter.h"
#include "base/script_words.h"
#include "run/dia_model.h"

namespace corvane {

class PassengerScript;

class DiaEditScript {
 public:
  // `save` writes the data, reporting any failure itself. Questions are
  // asked through `prompter`, which takes the script's "answer yes|no".
  DiaEditScript(DiaModel& model, QueuedAnswers& prompter, std::function<bool()> save,
                DiaDialogOptions options = {});
  ~DiaEditScript();

  // Where the lines that print (the passenger window's listing) write.
  void SetOutput(std::ostream* out) { out_ = out; }

  using Outcome = ScriptLineOutcome;

  // Runs one line; `*error` says what is wrong with a malformed one.
  Outcome RunLine(std::string_view line, std::string* error);
  // Runs every line of `in`, stopping at a malformed line ("line N: ...")
  // or a failed save. True when every line ran.
  bool Run(std::istream& in, std::string* error);

  // The data folder's station sound folder, where the station dialog's
  // melody files are looked for (no trailing "/"). Nothing plays in a
  // script: "再生" says so.
  void set_sound_folder(std::string folder) { sound_folder_ = std::move(folder); }

  // Whether answers are left that no dialog or question took.
  bool HasUnusedAnswers() const {
    return host_.has_answers() || answers_.has_answers() || chooser_.has_answers();
  }

 private:
  Outcome RunCommand(std::string_view line, std::string* error);
  Outcome RunMenuCommand(std::string_view name, std::string* error);

  DiaModel& model_;
  QueuedAnswers& answers_;
  ScriptDialogHost host_;
  std::function<bool()> save_;
  DiaDialogOptions options_;
  std::ostream* out_ = nullptr;
  // The passenger number window, opened by the first passenger line.
  std::unique_ptr<PassengerScript> passenger_;
  ScriptedChooser chooser_;
  std::string sound_folder_;
};

}  // namespace corvane
