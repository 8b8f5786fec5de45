#include "model/editing.h"

#include <cstdlib>

namespace kadro {

int32_t layerForUpDown(const ViewState& state, int position) {
    int32_t layer = position;
    if (state.gridHeight < static_cast<float>(position)) layer = static_cast<int32_t>(state.gridHeight);
    if (state.gridDepth < static_cast<float>(layer)) layer = static_cast<int32_t>(state.gridDepth);
    return layer;
}

std::optional<Hit> hitTest(const ViewState& state, int x, int y) {
    const double size = state.cellSize;
    const double originX = state.originX;
    const double originY = state.originY;
    const bool accepted = x > originX && x < originX + state.gridWidth * size * 1.5 &&
                          y < originY && y > originY - state.gridHeight * size * 1.5 - 1;
    if (!accepted) return std::nullopt;

    const int32_t layer = state.currentLayer;
    const double depthShift = size * 0.5 * (layer - 1);
    const auto column = static_cast<int32_t>(((x - state.originX) - depthShift - size * 0.5) / size);
    const auto rowQuotient =
        static_cast<int32_t>(((y - state.originY) - depthShift + size * 0.5) / size);
    const int32_t row = std::abs(rowQuotient) - layer + 1;
    return Hit{column, row};
}

bool editAt(const ViewState& state, CellGrid& grid, int x, int y) {
    const std::optional<Hit> hit = hitTest(state, x, y);
    // The projection can yield columns and rows past either end of the grid near the edges
    // of the accepted window; such a press selects no cell.
    if (!hit || !CellGrid::contains(hit->column, hit->row, state.currentLayer)) return false;
    grid.at(hit->column, hit->row, state.currentLayer).colour =
        state.eraseMode ? 0.0f : static_cast<float>(state.currentColour);
    return true;
}

namespace {

template <typename Visit>
void forVisibleBlock(const ViewState& state, CellGrid& grid, Visit visit) {
    for (int column = 0; column < state.gridWidth; ++column) {
        for (int row = 0; row < state.gridHeight; ++row) {
            for (int layer = state.currentLayer; layer <= state.gridDepth; ++layer) {
                visit(grid.at(column, row, layer));
            }
        }
    }
}

}  // namespace

void clearVisibleBlock(const ViewState& state, CellGrid& grid) {
    forVisibleBlock(state, grid, [](GridCell& cell) { cell.colour = 0.0f; });
}

void fillVisibleBlock(const ViewState& state, CellGrid& grid) {
    const auto colour = static_cast<float>(state.currentColour);
    forVisibleBlock(state, grid, [colour](GridCell& cell) { cell.colour = colour; });
}

}  // namespace kadro
