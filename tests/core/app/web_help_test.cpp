#include "app/web_help.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/prompter.h"
#include "support/test_support.h"

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

TEST(WebHelpTest, HelpShownOrReported) {
  testing::ScratchFolder folder;
  std::vector<std::string> opened;
  bool viewer_works = true;
  const ShowWith viewer = [&](const std::string& place) {
    opened.push_back(place);
    return viewer_works;
  };
  const std::string help = LocalHelpPath(folder.path());

  // A missing file is not handed to the viewer.
  ScriptedPrompter prompter;
  EXPECT_FALSE(ShowLocalHelp(folder.path(), viewer, prompter));
  EXPECT_TRUE(opened.empty());
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(prompter.shown()[0].text, "ヘルプ'" + help + "'を表示できませんでした。\n");
  EXPECT_EQ(prompter.shown()[0].caption, "ヘルプエラー");

  ASSERT_TRUE(WriteFileBytes(help, "<html>"));
  EXPECT_TRUE(ShowLocalHelp(folder.path(), viewer, prompter));
  EXPECT_EQ(opened, std::vector<std::string>{help});
  viewer_works = false;
  EXPECT_FALSE(ShowLocalHelp(folder.path(), viewer, prompter));
  EXPECT_EQ(prompter.shown().size(), 2u);

  // A web page: nothing opens when the user says No.
  opened.clear();
  ScriptedPrompter no({PromptAnswer::kNo});
  EXPECT_FALSE(ShowWebPage(WebPage::kFaq, true, viewer, no));
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(no.shown().size(), 1u);
  ScriptedPrompter quiet;
  EXPECT_FALSE(ShowWebPage(WebPage::kFaq, false, viewer, quiet));
  EXPECT_EQ(opened, std::vector<std::string>{WebPageAddress(WebPage::kFaq)});
  ASSERT_EQ(quiet.shown().size(), 1u) << "the page not shown is reported";
  EXPECT_EQ(quiet.shown()[0].caption, "ヘルプエラー");
  viewer_works = true;
  EXPECT_TRUE(ShowWebPage(WebPage::kTop, false, viewer, quiet));
  EXPECT_EQ(quiet.shown().size(), 1u);
}

}  // namespace
}  // namespace corvane
