#include "base/prompter.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Buttons = PromptButtons;
using Answer = PromptAnswer;

TEST(PrompterTest, ScriptedAnswersInOrderThenSafely) {
  ScriptedPrompter prompter({Answer::kYes});
  prompter.Queue(Answer::kIgnore);
  EXPECT_EQ(prompter.Ask("save?", "c", Buttons::kYesNoCancel, PromptIcon::kQuestion), Answer::kYes);
  EXPECT_EQ(prompter.Ask("newer", "c", Buttons::kAbortRetryIgnore, PromptIcon::kWarning),
            Answer::kIgnore);
  // The queue is used up: the answer that changes nothing.
  EXPECT_EQ(prompter.Ask("q", "c", Buttons::kYesNo, PromptIcon::kQuestion), Answer::kNo);
  EXPECT_EQ(prompter.Ask("q", "c", Buttons::kYesNoCancel, PromptIcon::kQuestion), Answer::kCancel);
  EXPECT_EQ(prompter.Ask("q", "c", Buttons::kAbortRetryIgnore, PromptIcon::kWarning),
            Answer::kAbort);
  prompter.Error("失敗しました", "ファイル書き込みエラー");
  prompter.Beep();

  ASSERT_EQ(prompter.shown().size(), 6u);
  EXPECT_EQ(prompter.shown()[0].text, "save?");
  EXPECT_EQ(prompter.shown()[5].text, "失敗しました");
  EXPECT_EQ(prompter.shown()[5].caption, "ファイル書き込みエラー");
  EXPECT_EQ(prompter.shown()[5].buttons, Buttons::kOk);
  EXPECT_EQ(prompter.beeps(), 1);
}

TEST(PrompterTest, ConsoleAnswersByPolicyAndPrintsEachMessageOnce) {
  ConsolePrompter cautious;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(
      cautious.Ask("line one\nline two\n\n", "操作エラー", Buttons::kYesNo, PromptIcon::kQuestion),
      Answer::kNo);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "操作エラー: line one\nline two\n");
  // A name read from a file cannot reach the terminal as a control sequence.
  ::testing::internal::CaptureStderr();
  cautious.Error("'\x1b]2;x\a'\n", "E\x1b[1m");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "E\\x1b[1m: '\\x1b]2;x\\x07'\n");

  ConsolePrompter agreeing({.answer_yes = true});
  ConsolePrompter ignoring({.answer_ignore = true});
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(agreeing.Ask("t", "c", Buttons::kYesNoCancel, PromptIcon::kQuestion), Answer::kYes);
  EXPECT_EQ(agreeing.Ask("t", "c", Buttons::kAbortRetryIgnore, PromptIcon::kWarning),
            Answer::kAbort);
  EXPECT_EQ(ignoring.Ask("t", "c", Buttons::kAbortRetryIgnore, PromptIcon::kWarning),
            Answer::kIgnore);
  EXPECT_EQ(ignoring.Ask("t", "c", Buttons::kYesNo, PromptIcon::kQuestion), Answer::kNo);
  ::testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace corvane
