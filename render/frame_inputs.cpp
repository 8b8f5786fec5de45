#include "render/frame_inputs.h"

#include <cassert>
#include <cstring>

namespace kadro {

FrameInputs::FrameInputs() : grid_(std::make_unique<CellGrid>()) {}
FrameInputs::~FrameInputs() = default;

bool FrameInputs::unchanged(const ViewState& state, const CellGrid& grid, uint64_t cellChanges, int windowWidth,
                            int windowHeight) {
    const View view{state.gridWidth,    state.gridHeight,    state.gridDepth,  state.cellSize,
                    state.currentLayer, state.currentColour, state.gridVisible, state.eraseMode,
                    windowWidth,        windowHeight};
    const bool counted = known_ && cellChanges == cellChanges_;
    // A change to the cells that was not counted would leave a stale picture.
    assert(!counted || std::memcmp(grid_.get(), &grid, sizeof(CellGrid)) == 0);
    const bool gridSame = counted || std::memcmp(grid_.get(), &grid, sizeof(CellGrid)) == 0;
    cellChanges_ = cellChanges;
    if (known_ && gridSame && view == view_) return true;
    known_ = true;
    view_ = view;
    if (!gridSame) std::memcpy(grid_.get(), &grid, sizeof(CellGrid));
    return false;
}

}  // namespace kadro
