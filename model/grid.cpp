#include "model/grid.h"

namespace kadro {

void updateExtents(ViewState& state, int sizePosition, int zoomPosition) {
    state.gridHeight = static_cast<float>(sizePosition);
    state.gridWidth = state.gridHeight;
    state.gridDepth = state.gridHeight;
    const int divisor = 11 - zoomPosition;
    state.cellSize =
        static_cast<float>(((200.0 / static_cast<double>(state.gridHeight)) / divisor) * 1.3);
}

float anchorX(const ViewState& state, int column) {
    const double size = state.cellSize;
    return static_cast<float>(state.originX + size * column - size * 0.5);
}

float anchorY(const ViewState& state, int row) {
    const double size = state.cellSize;
    return static_cast<float>(state.originY - size * row + size);
}

namespace {

void placeCell(const ViewState& state, GridCell& cell, int column, int row, int layer) {
    cell.column = static_cast<float>(column);
    cell.row = static_cast<float>(row);
    cell.layer = static_cast<float>(layer);
    cell.screenX = anchorX(state, column);
    cell.screenY = anchorY(state, row);
}

}  // namespace

void resetGrid(ViewState& state, CellGrid& grid, int sizePosition, int zoomPosition) {
    state.originX = 10;
    state.originY = 400;
    updateExtents(state, sizePosition, zoomPosition);
    state.currentLayer = 1;
    state.cyclePhase = 1;
    for (int column = 0; column < kGridSide; ++column) {
        for (int row = 0; row < kGridSide; ++row) {
            for (int layer = 0; layer < kGridSide; ++layer) {
                GridCell& cell = grid.at(column, row, layer);
                placeCell(state, cell, column, row, layer);
                cell.colour = 0.0f;
                if (++state.cyclePhase > 5) state.cyclePhase = 1;
            }
        }
    }
}

void layOutForSize(ViewState& state, CellGrid& grid, int sizePosition, int zoomPosition) {
    updateExtents(state, sizePosition, zoomPosition);
    for (int column = 0; column < kGridSide; ++column) {
        for (int row = 0; row < kGridSide; ++row) {
            for (int layer = 0; layer < kGridSide; ++layer) {
                placeCell(state, grid.at(column, row, layer), column, row, layer);
            }
        }
    }
    state.currentLayer = 1;
}

}  // namespace kadro
