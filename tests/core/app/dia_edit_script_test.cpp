#include "app/dia_edit_script.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/test_support.h"

namespace corvane {
namespace {

class DiaEditScriptTest : public ::testing::Test {
 protected:
  DiaEditScriptTest() {
    DiaFile file;
    file.header.start_time = 6 * 3600;
    file.map.prails.Append(PRailRecord{});
    file.map.prails.Append(PRailRecord{});
    model_.Replace(file);
  }

  bool Run(const std::string& script) {
    std::istringstream in(script);
    return script_.Run(in, &error_);
  }

  DiaModel model_;
  ScriptedPrompter shown_;
  QueuedAnswers answers_{shown_};
  int saves_ = 0;
  DiaEditScript script_{model_, answers_, [this] {
                          ++saves_;
                          return true;
                        }};
  std::string error_;
};

TEST_F(DiaEditScriptTest, CommandsByJapaneseEnglishOrIdTakeTheQueuedAnswers) {
  ASSERT_TRUE(
      Run("answer 時=6 分=90 秒=0 ok\n"
          "command 開始時刻設定\n"
          "# refused: the start time stays\n"
          "answer 時=28 分=0 秒=1 ok\n"
          "command Start Time Setting\n"
          "answer 電化方式=交流20000[V] ok\n"
          "command map.electrification_all\n"
          "answer ダイヤタイトル=休日 cancel\n"
          "command ダイヤプロパティ\n"
          "answer ダイヤコメント=\"a b\" ok\n"
          "command Dia Property(P)\n"
          "save\n"))
      << error_;
  EXPECT_EQ(model_.header().start_time, 7 * 3600 + 30 * 60);
  ASSERT_EQ(shown_.shown().size(), 1u);
  EXPECT_EQ(shown_.shown()[0].text, "時刻が不正です。再設定して下さい。\n");
  for (int i = 1; i <= 2; ++i) EXPECT_EQ(model_.map().prails[i].electric, 4);
  EXPECT_TRUE(model_.header().dia_title.empty());
  EXPECT_EQ(model_.header().dia_comment.str(), "a b");
  EXPECT_EQ(saves_, 1);
  EXPECT_FALSE(script_.HasUnusedAnswers());
}

TEST_F(DiaEditScriptTest, TheTrainTypeDialogTakesItsAnswerToo) {
  ASSERT_TRUE(Run("answer press=種別追加 ok\ncommand 列車種別設定\n")) << error_;
  ASSERT_EQ(model_.dia().train_types.count(), 1);
  EXPECT_EQ(model_.dia().train_types[1].name.Utf8(), "新規種別01");
  EXPECT_FALSE(script_.HasUnusedAnswers());
}

TEST_F(DiaEditScriptTest, MistakesStopTheScriptWithTheirLine) {
  EXPECT_FALSE(Run("command 開始時刻設定\nfly away\n"));
  EXPECT_NE(error_.find("line 2: unknown command"), std::string::npos);

  // A menu command that is no dia dialog.
  EXPECT_FALSE(Run("command 終了\n"));
  EXPECT_NE(error_.find("line 1: command: no dia command"), std::string::npos);

  // A field the dialog does not have.
  EXPECT_FALSE(Run("answer 時間=1 ok\ncommand 開始時刻設定\n"));
  EXPECT_EQ(error_.rfind("line 2: ", 0), 0u) << error_;
  EXPECT_EQ(model_.header().start_time, 6 * 3600);

  // An answer left over.
  ASSERT_TRUE(Run("answer yes\n"));
  EXPECT_TRUE(script_.HasUnusedAnswers());
}

}  // namespace
}  // namespace corvane
