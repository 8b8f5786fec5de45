#include "model/editing.h"

#include <optional>

#include "model/projection.h"
#include "model/visible_block.h"

namespace kadro {

int32_t layerForUpDown(const ViewState& state, int position) {
    int32_t layer = position;
    if (state.gridHeight < static_cast<float>(position))
        layer = static_cast<int32_t>(state.gridHeight);
    if (state.gridDepth < static_cast<float>(layer)) layer = static_cast<int32_t>(state.gridDepth);
    return layer;
}

GridCell* pressedCell(const ViewState& state, CellGrid& grid, int x, int y) {
    const std::optional<Hit> hit = hitTest(state, x, y);
    // The projection can yield columns and rows past either end of the grid near the edges
    // of the accepted window; such a press selects no cell.
    if (!hit || !CellGrid::contains(hit->column, hit->row, state.currentLayer)) return nullptr;
    return &grid.at(hit->column, hit->row, state.currentLayer);
}

void pressOn(const ViewState& state, GridCell& cell) {
    cell.colour = state.eraseMode ? 0.0f : static_cast<float>(state.currentColour);
}

bool editAt(const ViewState& state, CellGrid& grid, int x, int y) {
    GridCell* cell = pressedCell(state, grid, x, y);
    if (!cell) return false;
    pressOn(state, *cell);
    return true;
}

void clearVisibleBlock(const ViewState& state, CellGrid& grid) {
    forEachVisibleCell(state, grid, [](GridCell& cell) { cell.colour = 0.0f; });
}

void fillVisibleBlock(const ViewState& state, CellGrid& grid) {
    const auto colour = static_cast<float>(state.currentColour);
    forEachVisibleCell(state, grid, [colour](GridCell& cell) { cell.colour = colour; });
}

}  // namespace kadro
