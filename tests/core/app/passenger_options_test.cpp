#include "app/passenger_options.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

constexpr PassengerBox kDetailBoxes[] = {PassengerBox::kGraph, PassengerBox::kHour,
                                         PassengerBox::kTrain};

TEST(PassengerOptionsTest, NewDiaSimulatesInDetail) {
  const PassengerOptions options;
  EXPECT_TRUE(options.graph);
  EXPECT_FALSE(options.hour || options.train || options.avoid);
}

TEST(PassengerOptionsTest, SkippingDisablesTheOtherBoxesButKeepsTheirChecks) {
  PassengerOptionsDialog dialog(PassengerOptions{true, false, true, false});
  for (PassengerBox box : kDetailBoxes) EXPECT_TRUE(dialog.Enabled(box));

  EXPECT_TRUE(dialog.SetChecked(PassengerBox::kAvoid, true));
  for (PassengerBox box : kDetailBoxes) EXPECT_FALSE(dialog.Enabled(box));
  EXPECT_TRUE(dialog.Enabled(PassengerBox::kAvoid));
  // A disabled box does not change.
  EXPECT_FALSE(dialog.SetChecked(PassengerBox::kHour, true));
  EXPECT_FALSE(dialog.SetChecked(PassengerBox::kGraph, false));
  EXPECT_EQ(dialog.options(), (PassengerOptions{true, false, true, true}));

  EXPECT_TRUE(dialog.SetChecked(PassengerBox::kAvoid, false));
  for (PassengerBox box : kDetailBoxes) EXPECT_TRUE(dialog.Enabled(box));
  EXPECT_TRUE(dialog.SetChecked(PassengerBox::kHour, true));
  EXPECT_FALSE(dialog.SetChecked(PassengerBox::kHour, true));
  EXPECT_TRUE(dialog.Checked(PassengerBox::kHour));
  EXPECT_EQ(dialog.options(), (PassengerOptions{true, true, true, false}));
}

TEST(PassengerOptionsTest, OkChangesTheDiaOnlyWhenTheOptionsDiffer) {
  DiaModel dia;
  const PassengerOptions same = dia.header().passengers;
  TakePassengerOptions(dia, same);
  EXPECT_FALSE(dia.modified());
  EXPECT_EQ(dia.LastAction(), nullptr);

  PassengerOptions changed = same;
  changed.avoid = !changed.avoid;
  TakePassengerOptions(dia, changed);
  EXPECT_TRUE(dia.modified());
  EXPECT_EQ(dia.header().passengers, changed);
  ASSERT_NE(dia.LastAction(), nullptr);
  EXPECT_TRUE(dia.LastAction()->Changed(DiaTable::kHeader));
}

TEST(PassengerOptionsTest, DialogTexts) {
  const PassengerOptionsTexts& japanese = PassengerOptionsDialogTexts(false);
  EXPECT_STREQ(japanese.title, "乗客数シミュレート設定");
  EXPECT_STREQ(japanese.avoid, "乗客数シミュレートの省略");
  EXPECT_STREQ(japanese.simple_group, "簡易シミュレート");
  const PassengerOptionsTexts& english = PassengerOptionsDialogTexts(true);
  for (const char* text : {english.title, english.graph, english.hour, english.train,
                           english.simple_group, english.avoid, english.avoid_note}) {
    EXPECT_STRNE(text, "");
    // The English interface shows plain ASCII.
    for (char c : std::string(text)) EXPECT_TRUE(c >= 0x20 && c < 0x7f) << text;
  }
}

}  // namespace
}  // namespace corvane
