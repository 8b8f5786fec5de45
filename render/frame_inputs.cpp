#include "render/frame_inputs.h"

#include <cstring>

namespace kadro {

FrameInputs::FrameInputs() : grid_(std::make_unique<CellGrid>()) {}
FrameInputs::~FrameInputs() = default;

bool FrameInputs::unchanged(const ViewState& state, const CellGrid& grid, int windowWidth, int windowHeight) {
    const View view{state.gridWidth,    state.gridHeight,    state.gridDepth,  state.cellSize,
                    state.currentLayer, state.currentColour, state.gridVisible, state.eraseMode,
                    windowWidth,        windowHeight};
    const bool gridSame = std::memcmp(grid_.get(), &grid, sizeof(CellGrid)) == 0;
    if (known_ && gridSame && view == view_) return true;
    known_ = true;
    view_ = view;
    if (!gridSame) std::memcpy(grid_.get(), &grid, sizeof(CellGrid));
    return false;
}

}  // namespace kadro
