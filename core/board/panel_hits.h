#pragma once
// What a click on the operation board meets: the trains, points, station
// frames, route levers and buttons under a window pixel. Every test is
// strict (a click on an edge or at the limit meets nothing), and among the
// objects a click meets the nearest wins, the first in table order on ties.

#include <optional>
#include <vector>

#include "base/canvas.h"
#include "board/board_drawing.h"
#include "board/point_boxes.h"

namespace corvane {

// How far from a train's place a click still meets it.
inline constexpr int kTrainHitHalfWidth = 60;
inline constexpr int kTrainHitHalfHeight = 24;
// A lever's pivot or a signal button is met below this squared distance,
// an end button below the second.
inline constexpr int kLeverHitSquare = 144;
inline constexpr int kEndButtonHitSquare = 64;

// The train met at `click` (its record), 0 none.
int TrainAt(const BoardScene& scene, PixelPoint click);
// The point whose box holds `click`, nearest by its box's centre; 0 none.
int PointAt(const std::vector<std::optional<PixelBox>>& boxes, PixelPoint click);
// The station frame (station_draw record) holding `click`, nearest by its
// centre; 0 none.
int FrameAt(const BoardView& view, const SystemMap& map, PixelPoint click);

// Whether the window draws the interlocking panel: the data uses it and the
// window's interlocking display is not "none".
bool PanelDrawn(const BoardScene& scene);
// The rail carrying the lever, the lever's signal button or the end button
// met at `click`; only what the window draws is met. 0 none.
int LeverAt(const BoardScene& scene, PixelPoint click);
int SignalButtonAt(const BoardScene& scene, PixelPoint click);
int EndButtonAt(const BoardScene& scene, PixelPoint click);

}  // namespace corvane
