#include "render/frame.h"

namespace kadro {

void drawFrame(Canvas& canvas, const ViewState& state, const CellGrid& grid, int windowWidth,
               int windowHeight) {
    drawFrameByRectangles(canvas, state, grid, windowWidth, windowHeight);
}

}  // namespace kadro
