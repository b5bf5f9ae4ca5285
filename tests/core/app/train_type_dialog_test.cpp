#include "app/train_type_dialog.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

TrainTypeRecord Type(std::string_view name, int width) {
  TrainTypeRecord type;
  type.kind = 0;
  type.line_style = 2;
  type.line_width = width;
  type.red = 10;
  type.green = 20;
  type.blue = 30;
  type.one_char_name = Sjis("普");
  type.short_name = Sjis("普通");
  type.name = Sjis(name);
  return type;
}

class TrainTypeDialogTest : public ::testing::Test {
 protected:
  void Load(int types, int width = 1000) {
    DiaFile file;
    for (int t = 1; t <= types; ++t) file.dia.train_types.Append(Type("普通", width));
    model_.Replace(file);
  }
  void Set(TrainTypeDialog& dialog, const std::string& id, const std::string& text) {
    dialog.Find(id)->text = text;
    dialog.Changed(id);
  }

  DiaModel model_;
  ScriptedPrompter prompter_;
  ScriptDialogHost host_{prompter_};
};

TEST_F(TrainTypeDialogTest, AnEmptyDiaOpensDisabledAndAddsTheFirstType) {
  Load(0);
  TrainTypeDialog dialog(model_, false);
  EXPECT_EQ(dialog.shown(), 0);
  for (const char* id :
       {"one_char_name", "short_name", "name", "passengers", "colour", "style", "width"}) {
    EXPECT_FALSE(dialog.Find(id)->enabled) << id;
  }
  // Typing into nothing shown changes nothing.
  Set(dialog, "name", "x");
  EXPECT_EQ(dialog.work().count(), 0);

  dialog.Press("add", host_);
  ASSERT_EQ(dialog.work().count(), 1);
  const TrainTypeRecord& added = dialog.work()[1];
  EXPECT_EQ(added.name, Sjis("新規種別01"));
  EXPECT_EQ(added.one_char_name, Sjis("新"));
  EXPECT_EQ(added.short_name, Sjis("新規"));
  EXPECT_EQ(added.kind, 1);
  EXPECT_EQ(added.line_width, 500);
  EXPECT_TRUE(dialog.Find("name")->enabled);
  EXPECT_EQ(dialog.Find("types")->items, std::vector<std::string>{"新規種別01"});
  EXPECT_EQ(dialog.Find("types")->item, 0);
  EXPECT_EQ(dialog.Find("width")->items[static_cast<std::size_t>(dialog.Find("width")->item)],
            "0.50");
  EXPECT_EQ(dialog.Find("style")->item, 0);
}

TEST_F(TrainTypeDialogTest, AddingStopsAtTheTableLimit) {
  Load(126);
  TrainTypeDialog dialog(model_, false);
  dialog.Press("add", host_);
  EXPECT_EQ(dialog.work().count(), 127);
  EXPECT_EQ(dialog.work()[127].name, Sjis("新規種別127"));
  EXPECT_EQ(dialog.shown(), 127);
  EXPECT_TRUE(prompter_.shown().empty());

  dialog.Press("add", host_);
  EXPECT_EQ(dialog.work().count(), 127);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, "これ以上増やせません。");
  EXPECT_EQ(prompter_.shown()[0].caption, "制限オーバー");
}

TEST_F(TrainTypeDialogTest, AWidthNotOfferedIsKeptUntilOneIsChosen) {
  Load(2, 300);
  TrainTypeDialog dialog(model_, false);
  EXPECT_EQ(dialog.Find("width")->item, -1);
  dialog.Find("passengers")->checked = true;
  dialog.Changed("passengers");
  ASSERT_TRUE(dialog.Accept(prompter_));
  EXPECT_EQ(model_.dia().train_types[1].line_width, 300);
  EXPECT_EQ(model_.dia().train_types[1].kind, 1);

  TrainTypeDialog again(model_, false);
  again.Find("width")->item = 11;
  again.Changed("width");
  again.Find("style")->item = 3;
  again.Changed("style");
  again.Find("colour")->text = "#FF8000";
  again.Changed("colour");
  ASSERT_TRUE(again.Accept(prompter_));
  const TrainTypeRecord& stored = model_.dia().train_types[1];
  EXPECT_EQ(stored.line_width, 5000);
  EXPECT_EQ(stored.line_style, 3);
  EXPECT_EQ(stored.red, 255);
  EXPECT_EQ(stored.green, 128);
  EXPECT_EQ(stored.blue, 0);
  EXPECT_EQ(model_.dia().train_types[2], Type("普通", 300));
}

TEST_F(TrainTypeDialogTest, NamesAreCutOnACharacterBoundaryAndListedAtOnce) {
  Load(2);
  TrainTypeDialog dialog(model_, false);
  dialog.Find("types")->item = 1;
  dialog.Changed("types");
  EXPECT_EQ(dialog.shown(), 2);
  // Ten two-byte characters and one more: 21 bytes do not fit in 20.
  Set(dialog, "short_name", "あいうえおかきくけこさ");
  EXPECT_EQ(dialog.work()[2].short_name, Sjis("あいうえおかきくけこ"));
  EXPECT_EQ(dialog.Find("short_name")->text, "あいうえおかきくけこ");
  // A one-byte character first: the twentieth byte would split a character.
  Set(dialog, "one_char_name", "aあいうえおかきくけこ");
  EXPECT_EQ(dialog.work()[2].one_char_name, Sjis("aあいうえおかきくけ"));
  Set(dialog, "name", "快速");
  EXPECT_EQ(dialog.Find("types")->items, (std::vector<std::string>{"普通", "快速"}));
  EXPECT_EQ(dialog.Find("types")->item, 1);
}

TEST_F(TrainTypeDialogTest, ACommaInAnyNameIsRefusedOnOk) {
  Load(2);
  TrainTypeDialog dialog(model_, false);
  Set(dialog, "name", "a,b");
  dialog.Find("types")->item = 1;
  dialog.Changed("types");
  EXPECT_FALSE(dialog.Accept(prompter_));
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].caption, kInputErrorCaption);
  // The offending type is shown again, and nothing was stored.
  EXPECT_EQ(dialog.shown(), 1);
  EXPECT_EQ(model_.dia().train_types[1].name, Sjis("普通"));
  EXPECT_FALSE(model_.modified());
  Set(dialog, "name", "ab");
  EXPECT_TRUE(dialog.Accept(prompter_));
  EXPECT_EQ(model_.dia().train_types[1].name, Sjis("ab"));
  EXPECT_TRUE(model_.modified());
}

TEST_F(TrainTypeDialogTest, CancelLeavesTheTableAndOkIsOneChange) {
  Load(1);
  {
    TrainTypeDialog dialog(model_, false);
    Set(dialog, "name", "特急");
    dialog.Press("add", host_);
    EXPECT_EQ(dialog.Find("types")->items.size(), 2u);
  }  // cancelled: the model was never told
  EXPECT_EQ(model_.dia().train_types.count(), 1);
  EXPECT_EQ(model_.dia().train_types[1], Type("普通", 1000));
  EXPECT_FALSE(model_.modified());

  TrainTypeDialog dialog(model_, false);
  Set(dialog, "name", "特急");
  dialog.Press("add", host_);
  dialog.Press("add", host_);
  int told = 0;
  const DiaModel::Subscription listening = model_.Listen([&told](const DiaEvent&) { ++told; });
  ASSERT_TRUE(dialog.Accept(prompter_));
  EXPECT_EQ(model_.dia().train_types.count(), 3);
  EXPECT_EQ(model_.dia().train_types[1].name, Sjis("特急"));
  EXPECT_EQ(model_.dia().train_types[3].name, Sjis("新規種別03"));
  // One action, told once, so every window redraws once.
  EXPECT_EQ(model_.actions_committed(), 1);
  EXPECT_EQ(told, 1);
  EXPECT_TRUE(model_.modified());
}

}  // namespace
}  // namespace corvane
