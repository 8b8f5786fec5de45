#include "render/frame_inputs.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "model/projection.h"

namespace kadro {

namespace {

// A cube's box, a pixel wider on every side for the truncations of its squares.
void widenByCube(PixelRect& area, const GridCell& cell, double cellSize) {
    const CubeBox box = cubeBox(cell, cellSize);
    const PixelRect wide{box.left - 2, box.top - 2, box.right + 2, box.bottom + 2};
    area = area.empty()
               ? wide
               : PixelRect{std::min(area.left, wide.left), std::min(area.top, wide.top),
                           std::max(area.right, wide.right), std::max(area.bottom, wide.bottom)};
}

}  // namespace

FrameInputs::FrameInputs() : grid_(std::make_unique<CellGrid>()) {}
FrameInputs::~FrameInputs() = default;

bool FrameInputs::takeChangedCells(const CellGrid& grid, double cellSize, Area area) {
    bool bounding = area == Area::Bounded;
    // Past this many changed stacks (a whole-model operation, the animation) the frame is drawn
    // whole rather than the boxes bounded.
    constexpr int kBoundedStacks = 32;
    int changed = 0;
    for (int c = 0; c < kGridSide; ++c) {
        for (int r = 0; r < kGridSide; ++r) {
            const GridCell* now = &grid.at(c, r, 0);
            GridCell* before = &grid_->at(c, r, 0);
            constexpr size_t stackBytes = sizeof(GridCell) * kGridSide;  // the layers of a stack
            if (std::memcmp(now, before, stackBytes) == 0) continue;
            if (++changed > kBoundedStacks && bounding) bounding = false, area_ = kEverywhere;
            for (int l = 0; bounding && l < kGridSide; ++l) {
                if (std::memcmp(&now[l], &before[l], sizeof(GridCell)) == 0) continue;
                widenByCube(area_, before[l], cellSize);
                widenByCube(area_, now[l], cellSize);
            }
            std::memcpy(before, now, stackBytes);
        }
    }
    return changed > 0;
}

bool FrameInputs::unchanged(const ViewState& state, const CellGrid& grid, uint64_t cellChanges,
                            int windowWidth, int windowHeight, Look look) {
    const View view{state.gridWidth,
                    state.gridHeight,
                    state.gridDepth,
                    state.cellSize,
                    state.currentLayer,
                    state.currentColour,
                    state.gridVisible,
                    state.eraseMode,
                    windowWidth,
                    windowHeight,
                    look};
    const bool counted = known_ && cellChanges == cellChanges_;
    // A change to the cells that was not counted would leave a stale picture.
    assert(!counted || std::memcmp(grid_.get(), &grid, sizeof(CellGrid)) == 0);
    cellChanges_ = cellChanges;
    const bool viewSame = known_ && view == view_;
    // Cells of a size far outside the layout's are not worth bounding.
    const bool bounding = viewSame && state.cellSize >= 0.0f && state.cellSize <= 1000.0f;
    area_ = bounding ? PixelRect{} : kEverywhere;
    const bool cellsChanged =
        !counted &&
        takeChangedCells(grid, state.cellSize, bounding ? Area::Bounded : Area::Everywhere);
    known_ = true;
    view_ = view;
    return viewSame && !cellsChanged;
}

}  // namespace kadro
