#pragma once
// Answering a dialog model as an editing script does: "FIELD=VALUE ... ok".

#include <gtest/gtest.h>

#include <string_view>

#include "base/dialog_model.h"

namespace corvane::testing {

// Runs `dialog` with the answer `line`; true when OK was accepted. A step
// that does not fit the dialog fails the test.
inline bool AnswerDialog(DialogModel& dialog, Prompter& prompter, std::string_view line) {
  std::string error;
  std::optional<DialogAnswer> answer = ParseDialogAnswer(line, &error);
  EXPECT_TRUE(answer) << error;
  if (!answer) return false;
  ScriptDialogHost host(prompter);
  host.Queue(std::move(*answer));
  const bool accepted = host.Run(dialog);
  const std::optional<std::string> mistake = host.TakeMistake();
  EXPECT_FALSE(mistake) << *mistake;
  return accepted;
}

}  // namespace corvane::testing
