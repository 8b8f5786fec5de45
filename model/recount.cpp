#include "model/recount.h"

namespace kadro {

void recount(ViewState& state, const CellGrid& grid) {
    state.colourCounts.fill(0);
    for (int layer = static_cast<int>(state.gridDepth); layer >= state.currentLayer; --layer) {
        for (int column = 0; column < state.gridWidth; ++column) {
            for (int row = 0; row < state.gridHeight; ++row) {
                const float colour = grid.at(column, row, layer).colour;
                for (int code = 1; code <= kColourCount; ++code) {
                    if (colour == static_cast<float>(code)) ++state.colourCounts[code - 1];
                }
            }
        }
    }
}

}  // namespace kadro
