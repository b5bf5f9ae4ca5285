#pragma once
// Help: the local help file and our web pages, and the question asked
// before the program goes onto the internet.

#include <functional>
#include <string>

#include "base/prompter.h"

namespace corvane {

// Our help site; the query below is appended to it.
inline constexpr const char kWebHelpBaseAddress[] = "https://corvane.example/help/";
// Identifiers sent with every page request.
inline constexpr const char kWebVersionId[] = "korv1225";
inline constexpr const char kWebProgramId[] = "korv";
inline constexpr int kWebBetaNumber = 1;

// The help file in the program folder, opened with the default viewer.
inline constexpr const char kLocalHelpFileName[] = "korv_help.htm";

enum class WebPage { kHelp, kFaq, kEnquete, kTop };

// The "mode" value of a page: "help", "faq", "enquete" or "top".
const char* WebPageMode(WebPage page);

// The full address of a page: the base address followed by
// "?app=korv1225&from=soft&soft=korv&beta=0001&mode=<mode>".
std::string WebPageAddress(WebPage page);

// The local help file in `program_folder`.
std::string LocalHelpPath(const std::string& program_folder);

// A help file or page that could not be shown: says so with its place.
void ReportHelpNotShown(const std::string& place, Prompter& prompter);

// Whether a web command may go on: with the confirmation on, asks the user
// (Yes/No) and goes on only on Yes; with it off, goes on without asking.
bool ConfirmInternet(bool confirmation_on, Prompter& prompter);

// The internet-confirmation menu command: returns the new state of the
// flag. Switching it off asks first and stays on unless the user says Yes;
// switching it on asks nothing.
bool ToggleInternetConfirmation(bool current, Prompter& prompter);

// Shows a file or an address with the system's viewer; false when it could
// not.
using ShowWith = std::function<bool(const std::string& place)>;

// "ヘルプ": the local help file of `program_folder` in the default viewer
// (`open_file`); a missing file, or one the viewer did not show, is
// reported. True when shown.
bool ShowLocalHelp(const std::string& program_folder, const ShowWith& open_file,
                   Prompter& prompter);

// A web page command: asks first while the confirmation is on, then opens
// the page's address with `open_address`; a page not shown is reported.
// True when shown.
bool ShowWebPage(WebPage page, bool confirmation_on, const ShowWith& open_address,
                 Prompter& prompter);

}  // namespace corvane
