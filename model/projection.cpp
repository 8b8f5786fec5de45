#include "model/projection.h"

#include <cstdlib>

namespace kadro {

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

}  // namespace kadro
