#include "board/board_drawing.h"

namespace corvane {

void DrawBoard(const BoardScene& scene, Canvas& canvas) {
  canvas.FillRect(0, 0, scene.view.width, scene.view.height, kBlack);
}

}  // namespace corvane
