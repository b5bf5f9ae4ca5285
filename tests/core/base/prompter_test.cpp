#include "base/prompter.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

using Buttons = PromptButtons;
using Answer = PromptAnswer;

TEST(PrompterTest, SafeAnswerChangesNothing) {
  EXPECT_EQ(SafeAnswer(Buttons::kOk), Answer::kOk);
  EXPECT_EQ(SafeAnswer(Buttons::kYesNo), Answer::kNo);
  EXPECT_EQ(SafeAnswer(Buttons::kYesNoCancel), Answer::kCancel);
  EXPECT_EQ(SafeAnswer(Buttons::kAbortRetryIgnore), Answer::kAbort);
}

TEST(PrompterTest, ScriptedAnswersInOrderThenSafely) {
  ScriptedPrompter prompter({Answer::kYes});
  prompter.Queue(Answer::kIgnore);
  EXPECT_EQ(prompter.Ask("save?", "caption", Buttons::kYesNoCancel, PromptIcon::kQuestion),
            Answer::kYes);
  EXPECT_EQ(prompter.Ask("newer", "data", Buttons::kAbortRetryIgnore, PromptIcon::kWarning),
            Answer::kIgnore);
  EXPECT_EQ(prompter.Ask("again?", "c", Buttons::kYesNo, PromptIcon::kQuestion), Answer::kNo);
  prompter.Error("失敗しました", "ファイル書き込みエラー");
  prompter.Beep();
  prompter.Beep();

  ASSERT_EQ(prompter.shown().size(), 4u);
  EXPECT_EQ(prompter.shown()[0].text, "save?");
  EXPECT_EQ(prompter.shown()[1].buttons, Buttons::kAbortRetryIgnore);
  EXPECT_EQ(prompter.shown()[3].text, "失敗しました");
  EXPECT_EQ(prompter.shown()[3].caption, "ファイル書き込みエラー");
  EXPECT_EQ(prompter.shown()[3].buttons, Buttons::kOk);
  EXPECT_EQ(prompter.beeps(), 2);
  prompter.ClearShown();
  EXPECT_TRUE(prompter.shown().empty());
}

TEST(PrompterTest, ConsoleAnswersByPolicyAndPrintsOneLine) {
  ConsolePrompter cautious;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(
      cautious.Ask("line one\nline two\n\n", "操作エラー", Buttons::kYesNo, PromptIcon::kQuestion),
      Answer::kNo);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "操作エラー: line one\nline two\n");

  ConsolePrompter::Policy yes;
  yes.answer_yes = true;
  ConsolePrompter agreeing(yes);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(agreeing.Ask("t", "c", Buttons::kYesNo, PromptIcon::kQuestion), Answer::kYes);
  EXPECT_EQ(agreeing.Ask("t", "c", Buttons::kYesNoCancel, PromptIcon::kQuestion), Answer::kYes);
  EXPECT_EQ(agreeing.Ask("t", "c", Buttons::kAbortRetryIgnore, PromptIcon::kWarning),
            Answer::kAbort);
  EXPECT_EQ(agreeing.Ask("t", "c", Buttons::kOk, PromptIcon::kNone), Answer::kOk);

  ConsolePrompter::Policy ignore;
  ignore.answer_ignore = true;
  ConsolePrompter ignoring(ignore);
  EXPECT_EQ(ignoring.Ask("t", "c", Buttons::kAbortRetryIgnore, PromptIcon::kWarning),
            Answer::kIgnore);
  EXPECT_EQ(ignoring.Ask("t", "c", Buttons::kYesNoCancel, PromptIcon::kQuestion), Answer::kCancel);
  ::testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace corvane
