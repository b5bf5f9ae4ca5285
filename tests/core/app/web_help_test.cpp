#include "app/web_help.h"

#include <gtest/gtest.h>

#include <string>

#include "base/prompter.h"

namespace corvane {
namespace {

constexpr const char kConnect[] = "インターネットに接続します。よろしいですか？";
constexpr const char kStopAsking[] =
    "インターネットに接続するときに、確認を行わないようにします。\nよろしいですか？";

TEST(WebHelpTest, AddressCarriesTheQuery) {
  EXPECT_EQ(
      WebPageAddress(WebPage::kHelp),
      std::string(kWebHelpBaseAddress) + "?app=korv1225&from=soft&soft=korv&beta=0001&mode=help");
  const std::string query = "?app=korv1225&from=soft&soft=korv&beta=0001&mode=";
  EXPECT_EQ(WebPageAddress(WebPage::kFaq), kWebHelpBaseAddress + query + "faq");
  EXPECT_EQ(WebPageAddress(WebPage::kEnquete), kWebHelpBaseAddress + query + "enquete");
  EXPECT_EQ(WebPageAddress(WebPage::kTop), kWebHelpBaseAddress + query + "top");
}

TEST(WebHelpTest, LocalHelpFileInProgramFolder) {
  EXPECT_EQ(LocalHelpPath("/opt/corvane"), "/opt/corvane/korv_help.htm");
  EXPECT_EQ(LocalHelpPath("/opt/corvane/"), "/opt/corvane/korv_help.htm");
  EXPECT_EQ(LocalHelpPath(""), "korv_help.htm");
}

TEST(WebHelpTest, ConfirmationAsksOnlyWhenOn) {
  ScriptedPrompter silent;
  EXPECT_TRUE(ConfirmInternet(false, silent));
  EXPECT_TRUE(silent.shown().empty());

  ScriptedPrompter yes({PromptAnswer::kYes});
  EXPECT_TRUE(ConfirmInternet(true, yes));
  ASSERT_EQ(yes.shown().size(), 1u);
  EXPECT_EQ(yes.shown()[0].text, kConnect);
  EXPECT_EQ(yes.shown()[0].caption, "インターネット接続確認");
  EXPECT_EQ(yes.shown()[0].buttons, PromptButtons::kYesNo);

  ScriptedPrompter no({PromptAnswer::kNo});
  EXPECT_FALSE(ConfirmInternet(true, no));
}

TEST(WebHelpTest, ToggleAsksOnlyWhenSwitchingOff) {
  ScriptedPrompter yes({PromptAnswer::kYes});
  EXPECT_FALSE(ToggleInternetConfirmation(true, yes));
  ASSERT_EQ(yes.shown().size(), 1u);
  EXPECT_EQ(yes.shown()[0].text, kStopAsking);
  EXPECT_EQ(yes.shown()[0].caption, "インターネット確認");
  EXPECT_EQ(yes.shown()[0].buttons, PromptButtons::kYesNo);

  ScriptedPrompter no({PromptAnswer::kNo});
  EXPECT_TRUE(ToggleInternetConfirmation(true, no));
  EXPECT_EQ(no.shown().size(), 1u);

  ScriptedPrompter silent;
  EXPECT_TRUE(ToggleInternetConfirmation(false, silent));
  EXPECT_TRUE(silent.shown().empty());
}

}  // namespace
}  // namespace corvane
