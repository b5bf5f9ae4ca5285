#include "board/line_items_dialog.h"

#include <gtest/gtest.h>

#include "support/dialog_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::AnswerDialog;
using testing::Sjis;

// Sets field `id` as the user would and tells the dialog.
void Enter(LineItemsDialog& dialog, const std::string& id, const std::string& text) {
  dialog.Find(id)->text = text;
  dialog.Changed(id);
}

void Choose(LineItemsDialog& dialog, const std::string& id, int item) {
  dialog.Find(id)->item = item;
  dialog.Changed(id);
}

TEST(LineItemsDialogTest, EachItemShowsAndKeepsItsOwnValues) {
  LineItemsDialog dialog(DefaultLineItems(), false);
  EXPECT_EQ(dialog.Find("items")->items.size(), 22u);
  EXPECT_EQ(dialog.Find("name")->text, "ジャンプ文字");
  EXPECT_EQ(dialog.Find("colour")->text, "#FFFFFF");
  EXPECT_EQ(dialog.Find("style")->item, 0);
  EXPECT_EQ(dialog.Find("width")->text, "250");

  Choose(dialog, "items", kFollowingTrainBoxItem);
  EXPECT_EQ(dialog.Find("name")->text, "列番強調表示－追従列車");
  EXPECT_EQ(dialog.Find("colour")->text, "#808080");
  EXPECT_EQ(dialog.Find("style")->items[2], "点線");
  EXPECT_EQ(dialog.Find("style")->item, 2);

  Enter(dialog, "name", "追従");
  Enter(dialog, "colour", "#10a0FF");
  Choose(dialog, "style", 1);
  Enter(dialog, "width", "-5");  // never negative: the old width stays
  EXPECT_EQ(dialog.Find("items")->items[kFollowingTrainBoxItem], "追従");

  // Another item and back: each keeps its own.
  Choose(dialog, "items", kPointManualItem);
  EXPECT_EQ(dialog.Find("name")->text, "ポイント－手動制御");
  Choose(dialog, "items", kFollowingTrainBoxItem);
  EXPECT_EQ(dialog.Find("colour")->text, "#10A0FF");
  EXPECT_EQ(dialog.Find("width")->text, "250");

  ScriptedPrompter prompter;
  ASSERT_TRUE(dialog.Accept(prompter));
  LineItems expected = DefaultLineItems();
  LineItem& changed = expected[kFollowingTrainBoxItem];
  changed.name = Sjis("追従");
  changed.colour = {16, 160, 255};
  changed.pen_style = 1;
  EXPECT_EQ(dialog.items(), expected);
  EXPECT_EQ(dialog.Title(true), "Line and Color Setting");
}

TEST(LineItemsDialogTest, WhatTheSettingsFileCannotHoldIsNotTaken) {
  LineItems items = DefaultLineItems();
  items[kStationNameItem].pen_style = 9;  // no style of the list
  LineItemsDialog dialog(items, true);
  Choose(dialog, "items", kStationNameItem);
  EXPECT_EQ(dialog.Find("style")->item, -1);
  EXPECT_EQ(dialog.Find("style")->items[0], "Solid");
  Enter(dialog, "colour", "red");       // not a colour: the old one stays
  Enter(dialog, "name", "two\nlines");  // would break the file's line
  ScriptedPrompter prompter;
  EXPECT_FALSE(dialog.Accept(prompter));
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(dialog.items(), items);
}

TEST(LineItemsDialogTest, EditsOfSeveralItemsAreKeptWhenTheListMovesOn) {
  ScriptedPrompter prompter;
  LineItemsDialog dialog(DefaultLineItems(), false);
  EXPECT_EQ(dialog.Find("name")->text, "ジャンプ文字");
  EXPECT_EQ(dialog.Find("colour")->text, "#FFFFFF");
  EXPECT_EQ(dialog.Find("width")->text, "250");
  ASSERT_TRUE(AnswerDialog(dialog, prompter,
                           "色=#102030 太さ=3 項目=#6 色=#00FF80 線種=点線 項目名=手動 ok"));
  const LineItems& items = dialog.items();
  EXPECT_EQ(items[kJumpLabelItem].colour, (Rgb{16, 32, 48}));
  EXPECT_EQ(items[kJumpLabelItem].point_width, 3);
  EXPECT_EQ(items[kPointManualItem].colour, (Rgb{0, 255, 128}));
  EXPECT_EQ(items[kPointManualItem].pen_style, 2);
  EXPECT_EQ(items[kPointManualItem].name.Utf8(), "手動");
  // The list shows the new name, and the numbers in the section names stay.
  EXPECT_EQ(dialog.Find("items")->items[kPointManualItem], "手動");
  EXPECT_EQ(items[kPointManualItem].number, DefaultLineItems()[kPointManualItem].number);
}

TEST(LineItemsDialogTest, RefusesWidthsAndNamesTheSettingsFileCannotHoldAndKeepsTheDialogOpen) {
  ScriptedPrompter prompter;
  LineItemsDialog dialog(DefaultLineItems(), true);
  EXPECT_EQ(dialog.Find("style")->items.front(), "Solid");
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "太さ=-1 ok"));
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "太さ=10001 ok"));
  EXPECT_FALSE(AnswerDialog(dialog, prompter, "太さ=99999999999 ok"));
  ASSERT_EQ(prompter.shown().size(), 3U);
  EXPECT_EQ(prompter.shown().back().caption, "入力データエラー");
  EXPECT_EQ(dialog.items(), DefaultLineItems());
}

TEST(LineItemsDialogTest, DefaultsRestoreTheChosenItemOnly) {
  ScriptedPrompter prompter;
  LineItems changed = DefaultLineItems();
  changed[kStationFrameItem].colour = {1, 2, 3};
  changed[kStationFrameItem].pen_style = 7;  // no style the list offers
  changed[kStationNameItem].colour = {4, 5, 6};
  LineItemsDialog dialog(changed, false);
  ASSERT_TRUE(AnswerDialog(dialog, prompter, "項目=#3 ok"));
  EXPECT_EQ(dialog.Find("style")->item, -1);
  EXPECT_EQ(dialog.items()[kStationFrameItem].pen_style, 7);  // kept until one is chosen
  ASSERT_TRUE(AnswerDialog(dialog, prompter, "項目=#3 press=初期値 ok"));
  EXPECT_EQ(dialog.items()[kStationFrameItem], DefaultLineItems()[kStationFrameItem]);
  EXPECT_EQ(dialog.items()[kStationNameItem].colour, (Rgb{4, 5, 6}));
}

}  // namespace
}  // namespace corvane
