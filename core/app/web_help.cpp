#include "app/web_help.h"

#include <cstdio>

#include "base/file_io.h"

namespace corvane {
namespace {

constexpr const char kConnectQuestion[] = "インターネットに接続します。よろしいですか？";
constexpr const char kConnectCaption[] = "インターネット接続確認";
constexpr const char kStopAskingQuestion[] =
    "インターネットに接続するときに、確認を行わないようにします。\nよろしいですか？";
constexpr const char kStopAskingCaption[] = "インターネット確認";

}  // namespace

const char* WebPageMode(WebPage page) {
  switch (page) {
    case WebPage::kHelp:
      return "help";
    case WebPage::kFaq:
      return "faq";
    case WebPage::kEnquete:
      return "enquete";
    case WebPage::kTop:
      return "top";
  }
  return "top";
}

std::string WebPageAddress(WebPage page) {
  char beta[16];
  std::snprintf(beta, sizeof beta, "%04d", kWebBetaNumber);
  return std::string(kWebHelpBaseAddress) + "?app=" + kWebVersionId + "&from=soft" +
         "&soft=" + kWebProgramId + "&beta=" + beta + "&mode=" + WebPageMode(page);
}

std::string LocalHelpPath(const std::string& program_folder) {
  if (program_folder.empty()) return kLocalHelpFileName;
  if (program_folder.back() == '/') return program_folder + kLocalHelpFileName;
  return program_folder + "/" + kLocalHelpFileName;
}

bool ConfirmInternet(bool confirmation_on, Prompter& prompter) {
  if (!confirmation_on) return true;
  return prompter.Ask(kConnectQuestion, kConnectCaption, PromptButtons::kYesNo,
                      PromptIcon::kQuestion) == PromptAnswer::kYes;
}

bool ToggleInternetConfirmation(bool current, Prompter& prompter) {
  if (!current) return true;
  const PromptAnswer answer = prompter.Ask(kStopAskingQuestion, kStopAskingCaption,
                                           PromptButtons::kYesNo, PromptIcon::kQuestion);
  return answer != PromptAnswer::kYes;
}

void ReportHelpNotShown(const std::string& place, Prompter& prompter) {
  prompter.Error("ヘルプ'" + place + "'を表示できませんでした。\n", "ヘルプエラー");
}

bool ShowLocalHelp(const std::string& program_folder, const ShowWith& open_file,
                   Prompter& prompter) {
  const std::string path = LocalHelpPath(program_folder);
  if (FileExists(path) && open_file(path)) return true;
  ReportHelpNotShown(path, prompter);
  return false;
}

bool ShowWebPage(WebPage page, bool confirmation_on, const ShowWith& open_address,
                 Prompter& prompter) {
  if (!ConfirmInternet(confirmation_on, prompter)) return false;
  const std::string address = WebPageAddress(page);
  if (open_address(address)) return true;
  ReportHelpNotShown(address, prompter);
  return false;
}

}  // namespace corvane
