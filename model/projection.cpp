#include "model/projection.h"

#include <algorithm>
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

PressArea pressArea(const ViewState& state, int column, int row) {
    // The presses that select a cell lie around the centre of its face, within a cell and a half
    // each way; they are found by asking the hit test itself, so that its truncations hold.
    const Point centre = topFaceCentre(state, column, row);
    const int reach = static_cast<int>(state.cellSize * 1.5) + 2;
    PressArea area{centre.x + reach, centre.y + reach, centre.x - reach, centre.y - reach};
    const int left = std::max(centre.x - reach, 0), right = std::min(centre.x + reach, kDrawingWidth - 1);
    const int top = std::max(centre.y - reach, 0), bottom = std::min(centre.y + reach, kDrawingHeight - 1);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const std::optional<Hit> hit = hitTest(state, x, y);
            if (!hit || hit->column != column || hit->row != row) continue;
            area.left = std::min(area.left, x);
            area.right = std::max(area.right, x + 1);
            area.top = std::min(area.top, y);
            area.bottom = std::max(area.bottom, y + 1);
        }
    }
    return area;
}

}  // namespace kadro
