#pragma once
// The pens and colours of the board ("線種・配色設定"), shared by every
// display window and kept in the settings file (the main window's items,
// "MainWindowLine00" .. "MainWindowLine21").

#include <array>

#include "base/canvas.h"
#include "base/fixed_text.h"

namespace corvane {

// One pen and colour item, kept in the settings file's section "%sLine%02d"
// formed from the owner's name and the item's number.
struct LineItem {
  int number = 0;  // the number in the settings file's section name
  bool for_line = false;
  int pen_style = 0;  // 0 solid, 2 dotted
  int point_width = 250;
  Rgb colour;
  LongText name;  // Shift-JIS
  friend bool operator==(const LineItem&, const LineItem&) = default;
};

// The board's fixed colours beyond black and white; the background is black.
inline constexpr Rgb kGray{128, 128, 128};
inline constexpr Rgb kDarkGray{95, 95, 95};
inline constexpr Rgb kSilver{192, 192, 192};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kCyan{0, 255, 255};
inline constexpr Rgb kOrange{255, 127, 0};

inline constexpr int kLineItemCount = 22;
using LineItems = std::array<LineItem, kLineItemCount>;

// The items in the order the board uses them, with their defaults.
enum LineItemIndex : int {
  kJumpLabelItem = 0,
  kStationNameItem = 1,
  kStationFrameItem = 2,
  kBoardingTrainBoxItem = 3,
  kFollowingTrainBoxItem = 4,
  kPointManualItem = 5,
  kPointResetNormalItem = 6,
  kPointResetReversedItem = 7,
  kPointDemandItem = 8,
  kPointNoticeItem = 9,
  kPointSequenceItem = 10,
  kPointCombinedItem = 11,
  kLeverChosenItem = 12,
  kLeverNotChosenItem = 13,
  kLeverManualItem = 14,
  kLeverResetNormalItem = 15,
  kLeverResetOtherItem = 16,
  kLeverDemandItem = 17,
  kButtonCandidateItem = 18,
  kButtonNotCandidateItem = 19,
  kButtonRouteItem = 20,
  kButtonNoRouteItem = 21,
};
const LineItems& DefaultLineItems();

}  // namespace corvane
