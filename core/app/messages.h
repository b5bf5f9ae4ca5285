#pragma once
// The texts the program composes itself that exist in both languages: the
// message table, the file-dialog filters, the up/down suffixes and the window
// titles. Every lookup takes the language flag (`english`, the program's
// EnglishUi) and returns the text of that language. Texts are UTF-8 and are
// returned as stored; a caller that formats one supplies the arguments.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Message ids. The names are the ones the rest of the program uses.
enum MsgId : int {
  MsgDiaChanged,  // "%s" + the dia has changed, save it? (%s = an action below)
  MsgQuit,        // action: quitting
  MsgQuitCaption,
  MsgOpenMap,  // action: opening a map
  MsgOpenDia,  // action: opening dia data
  MsgOpenCaption,
  // Train states as the board writes them; the English ones are six
  // characters wide, blanks included, except "Susp".
  MsgStateHold,
  MsgStateWaitDepart,
  MsgStateWaitSignal,
  MsgStateWaitRoute,
  MsgStateWrongElec,
  MsgStateHolding,
  MsgStateWaitNotice,
  MsgStateDepartBell,
  MsgStateDoorClose,
  MsgStateAccel,
  MsgStateRun,
  MsgStateDecel,
  kMsgIdCount
};

// The text of `id` in the chosen language ("" for an id outside the table).
const char* Message(MsgId id, bool english);

// A question whether to save the changed dia before an action: the text of
// MsgDiaChanged with the action's text put in, and the caption that goes with
// the action (MsgQuitCaption for MsgQuit, MsgOpenCaption for the others).
struct DiaChangedPrompt {
  std::string text;
  std::string caption;
};
DiaChangedPrompt ComposeDiaChangedPrompt(MsgId action, bool english);

// What a file dialog is for; each use has its filter and default extension.
enum class FilterUse {
  kOpenDia,                // ".kvb", ".kvp", ".kvd"
  kOpenDiaTwoGenerations,  // ".kvb", ".kvp"
  kSaveDia,                // ".kvb"
  kDiaKvw,                 // ".kvw"
  kExecutedData,           // ".kve"
  kTextLog,                // ".log", ".csv"
  kImportInfo,             // ".kvi"
  kAnnouncement,           // ".kvc", ".ini"
  kMap,                    // ".kvm"
  kWindia,                 // ".dia" of WinDIA
};

// A filter in the form "description|pattern|...||" and the extension (no
// dot) added to a name typed without one.
struct DialogFilter {
  const char* filter;
  const char* default_extension;
};
DialogFilter FilterFor(FilterUse use, bool english);

// One description and pattern pair of a filter; `pattern` may hold several
// patterns separated by ";".
struct FileFilter {
  std::string description;
  std::string pattern;
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// The pairs of a "desc|pattern|desc|pattern||" filter. The list ends at the
// doubled bar (or at the end of the text); a description left without its
// pattern is dropped.
std::vector<FileFilter> ParseFilter(std::string_view filter);

// The single patterns of a pair ("*.kvb;*.kvp" -> "*.kvb", "*.kvp"), blanks
// around them removed.
std::vector<std::string> SplitPatterns(std::string_view pattern);

// Written after a name to give the running direction: "（上り）"/"（下り）",
// "(Up)"/"(Dn)".
const char* UpSuffix(bool english);
const char* DownSuffix(bool english);

// Window titles, numbered as in the string table.
enum class WindowTitle : int {
  kMessageWindow = 1,
  kTimetableWindow = 2,
  kDiagramWindow = 3,
  kDiaEditWindow = 4,
  kBoardingWindow = 5,
  kTrainInformationWindow = 6,
  kStatusListWindow = 7,
  kPassengerNumberWindow = 8,
  kTransportSectionWindow = 9,
  kLogWindow = 10,
  kOperationPanelWindow = 11,
  kProductTitle = 12,
  kMapCompilerTitle = 13,
  kDiaViewerTitle = 14,
  kMapEditWindow = 15,
  kProductName = 16,
};
inline constexpr int kWindowTitleCount = 16;

// The title in the chosen language ("" for a number outside 1..16).
const char* WindowTitleText(WindowTitle id, bool english);

// The main window's title: the map compiler's, followed by " - " and the
// name of the map the window holds (UTF-8) when it has one.
std::string MainWindowTitle(std::string_view map_name, bool english);

}  // namespace corvane
