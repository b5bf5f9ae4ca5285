#pragma once
// The columns of a route lever record and a route button record, as the
// board reads them.

namespace corvane {

enum LeverColumn : int {
  kLeverMode = 0,  // 0 manual, 1 reset, 2 demand
  kLeverNormalRoute = 1,
  kLeverCurrentRoute = 2,
  kLeverDirection = 4,  // 1 leftward, 2 rightward
  kLeverMain = 5,       // shown in the main display
  kLeverRow = 6,
  kLeverX = 7,
  kLeverY = 8,
  kLeverSignalButton = 9,
  kSignalButtonRow = 10,
  kSignalButtonX = 11,
  kSignalButtonY = 12,
};

enum ButtonColumn : int {
  kButtonRouteFrom = 0,  // the lever whose route ends here, 0 none
  kButtonDirection = 2,
  kButtonMain = 3,
  kButtonRow = 4,
  kButtonX = 5,
  kButtonY = 6,
};

}  // namespace corvane
