#include "board/line_style_dialog.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

// Sets field `id` as the user would and tells the dialog.
void Enter(LineStyleDialog& dialog, const std::string& id, const std::string& text) {
  dialog.Find(id)->text = text;
  dialog.Changed(id);
}

void Choose(LineStyleDialog& dialog, const std::string& id, int item) {
  dialog.Find(id)->item = item;
  dialog.Changed(id);
}

TEST(LineStyleDialogTest, EachItemShowsAndKeepsItsOwnValues) {
  LineStyleDialog dialog(DefaultLineItems(), false);
  EXPECT_EQ(dialog.Find("item")->items.size(), 22u);
  EXPECT_EQ(dialog.Find("name")->text, "ジャンプ文字");
  EXPECT_EQ(dialog.Find("colour")->text, "#FFFFFF");
  EXPECT_EQ(dialog.Find("pen")->item, 0);
  EXPECT_EQ(dialog.Find("width")->text, "250");

  Choose(dialog, "item", kFollowingTrainBoxItem);
  EXPECT_EQ(dialog.Find("name")->text, "列番強調表示－追従列車");
  EXPECT_EQ(dialog.Find("colour")->text, "#808080");
  EXPECT_EQ(dialog.Find("pen")->items[2], "点線");
  EXPECT_EQ(dialog.Find("pen")->item, 2);

  Enter(dialog, "name", "追従");
  Enter(dialog, "colour", "#10a0FF");
  Choose(dialog, "pen", 1);
  Enter(dialog, "width", "-5");  // never negative
  EXPECT_EQ(dialog.Find("item")->items[kFollowingTrainBoxItem], "追従");

  // Another item and back: each keeps its own.
  Choose(dialog, "item", kPointManualItem);
  EXPECT_EQ(dialog.Find("name")->text, "ポイント－手動制御");
  Choose(dialog, "item", kFollowingTrainBoxItem);
  EXPECT_EQ(dialog.Find("colour")->text, "#10A0FF");
  EXPECT_EQ(dialog.Find("width")->text, "0");

  ScriptedPrompter prompter;
  ASSERT_TRUE(dialog.Accept(prompter));
  LineItems expected = DefaultLineItems();
  LineItem& changed = expected[kFollowingTrainBoxItem];
  changed.name = Sjis("追従");
  changed.colour = {16, 160, 255};
  changed.pen_style = 1;
  changed.point_width = 0;
  EXPECT_EQ(dialog.items(), expected);
  EXPECT_EQ(dialog.Title(true), "Line and Color Setting");
}

TEST(LineStyleDialogTest, WhatTheSettingsFileCannotHoldIsNotTaken) {
  LineItems items = DefaultLineItems();
  items[kStationNameItem].pen_style = 9;  // no style of the list
  LineStyleDialog dialog(items, true);
  Choose(dialog, "item", kStationNameItem);
  EXPECT_EQ(dialog.Find("pen")->item, -1);
  EXPECT_EQ(dialog.Find("pen")->items[0], "Solid");
  Enter(dialog, "colour", "red");       // not a colour: the old one stays
  Enter(dialog, "name", "two\nlines");  // would break the file's line
  ScriptedPrompter prompter;
  EXPECT_FALSE(dialog.Accept(prompter));
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(dialog.items(), items);
}

}  // namespace
}  // namespace corvane
