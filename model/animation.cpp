#include "model/animation.h"

namespace kadro {

bool introTick(ViewState& state) {
    ++state.introCounter;
    return state.introCounter != kIntroEnd;
}

namespace {

void paintStripes(ViewState& state, CellGrid& grid) {
    int32_t colour = state.cyclePhase;
    for (int column = 0; column < kGridSide; ++column) {
        for (int row = 0; row < kGridSide; ++row) {
            for (int layer = 0; layer < kGridSide; ++layer) {
                GridCell& cell = grid.at(column, row, layer);
                cell.screenX = anchorX(state, column);
                cell.screenY = anchorY(state, row);
                cell.colour = static_cast<float>(colour);
                if (++colour > 5) colour = 1;
            }
        }
    }
}

}  // namespace

void colourCycleStep(ViewState& state, CellGrid& grid, bool introRunning) {
    if (!introRunning) {
        // Counting stops at the last frame so the counter can never overflow.
        const int32_t ticksBefore = state.cycleTicks;
        if (ticksBefore < kCycleFrames) {
            state.cycleTicks = ticksBefore + 1;
            paintStripes(state, grid);
        }
    }
    if (++state.cyclePhase > 5) state.cyclePhase = 0;
}

}  // namespace kadro
