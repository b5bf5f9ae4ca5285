#include "app/dia_dialogs.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

class DiaDialogsTest : public ::testing::Test {
 protected:
  DiaDialogsTest() {
    DiaFile file;
    file.header.start_time = 5 * 3600 + 4 * 60 + 3;
    file.header.map_code = 42;
    file.header.map_name = Sjis("本線");
    for (int kind : {3, 0, 5}) {
      PRailRecord piece;
      piece.electric = kind;
      file.map.prails.Append(piece);
    }
    model_.Replace(file);
  }

  // Types the three fields and presses OK.
  bool TypeStartTime(const char* hours, const char* minutes, const char* seconds) {
    StartTimeDialog dialog(model_);
    dialog.Find("hour")->text = hours;
    dialog.Find("minute")->text = minutes;
    dialog.Find("second")->text = seconds;
    return dialog.Accept(prompter_);
  }

  DiaModel model_;
  ScriptedPrompter prompter_;
};

TEST_F(DiaDialogsTest, StartTimeOpensWithTheStoredTimeAndCarriesMinutesAndSeconds) {
  StartTimeDialog dialog(model_);
  EXPECT_EQ(dialog.Find("hour")->text, "05");
  EXPECT_EQ(dialog.Find("minute")->text, "04");
  EXPECT_EQ(dialog.Find("second")->text, "03");

  ASSERT_TRUE(TypeStartTime("6", "90", "0"));
  EXPECT_EQ(model_.header().start_time, 7 * 3600 + 30 * 60);
  EXPECT_EQ(model_.run().time, 7 * 3600 + 30 * 60);
  EXPECT_TRUE(model_.modified());

  ASSERT_TRUE(TypeStartTime("28", "00", "00"));
  EXPECT_EQ(model_.header().start_time, 100800);
  // Text that is no number reads as 0.
  ASSERT_TRUE(TypeStartTime("x", "", "12"));
  EXPECT_EQ(model_.header().start_time, 12);
  EXPECT_TRUE(prompter_.shown().empty());
}

TEST_F(DiaDialogsTest, StartTimeOutsideTheDayOrTooLargeIsRefusedAndChangesNothing) {
  const int before = model_.header().start_time;
  for (const auto& [h, m, s] :
       {std::tuple{"28", "0", "1"}, std::tuple{"0", "-1", "0"},
        // Would wrap into range when multiplied in an int.
        std::tuple{"99999999999", "0", "0"}, std::tuple{"1193047", "0", "0"},
        std::tuple{"0", "0", "2147483648"}}) {
    prompter_.ClearShown();
    EXPECT_FALSE(TypeStartTime(h, m, s)) << h << ":" << m << ":" << s;
    ASSERT_EQ(prompter_.shown().size(), 1u);
    EXPECT_EQ(prompter_.shown()[0].text, "時刻が不正です。再設定して下さい。\n");
    EXPECT_EQ(prompter_.shown()[0].caption, "入力データエラー");
  }
  EXPECT_EQ(model_.header().start_time, before);
  EXPECT_FALSE(model_.modified());
}

TEST_F(DiaDialogsTest, DiaPropertyStoresTheTextsAndShowsTheCodeOnly) {
  DiaPropertyDialog dialog(model_);
  EXPECT_EQ(dialog.Find("map_name")->text, "本線");
  EXPECT_EQ(dialog.Find("map_code")->text, "42");
  EXPECT_FALSE(dialog.Find("map_code")->enabled);

  // Unchanged texts are no change of the data.
  ASSERT_TRUE(dialog.Accept(prompter_));
  EXPECT_FALSE(model_.modified());

  dialog.Find("map_name")->text = "支線";
  dialog.Find("title")->text = "平日ダイヤ";
  dialog.Find("comment")->text = std::string(300, 'c');
  ASSERT_TRUE(dialog.Accept(prompter_));
  EXPECT_EQ(model_.header().map_name, Sjis("支線"));
  EXPECT_EQ(model_.header().dia_title, Sjis("平日ダイヤ"));
  EXPECT_EQ(model_.header().dia_comment.view().size(), 255u);
  EXPECT_EQ(model_.header().map_code, 42);
  EXPECT_TRUE(model_.modified());

  // A line break would break the header's line: refused, nothing stored.
  DiaPropertyDialog again(model_);
  again.Find("title")->text = "a\nb";
  EXPECT_FALSE(again.Accept(prompter_));
  EXPECT_EQ(model_.header().dia_title, Sjis("平日ダイヤ"));
}

TEST_F(DiaDialogsTest, ElectrificationSetsEveryPieceFromTheFirstPiecesKind) {
  ChoiceDialog dialog = ElectrificationDialog(model_, false);
  EXPECT_EQ(dialog.Find("list")->item, 3);
  EXPECT_EQ(dialog.Find("list")->items[4], "交流20000[V]");
  dialog.Find("list")->item = 4;
  ASSERT_TRUE(dialog.Accept(prompter_));
  SetElectrificationOfAll(model_, dialog.chosen());
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(model_.map().prails[i].electric, 4) << i;
  EXPECT_TRUE(model_.modified());

  SetElectrificationOfAll(model_, 6);  // no such kind
  EXPECT_EQ(model_.map().prails[1].electric, 4);

  // A stored kind outside the list selects nothing.
  DiaModel odd;
  DiaFile file;
  PRailRecord piece;
  piece.electric = 99;
  file.map.prails.Append(piece);
  odd.Replace(file);
  EXPECT_EQ(ElectrificationDialog(odd, true).Find("list")->item, -1);
}

}  // namespace
}  // namespace corvane
