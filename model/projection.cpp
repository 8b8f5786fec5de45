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
    const auto column =
        static_cast<int32_t>(((x - state.originX) - depthShift - size * 0.5) / size);
    const auto rowQuotient =
        static_cast<int32_t>(((y - state.originY) - depthShift + size * 0.5) / size);
    const int32_t row = std::abs(rowQuotient) - layer + 1;
    return Hit{column, row};
}

PressArea pressArea(const ViewState& state, int column, int row) {
    // The presses that select a cell form a rectangle around the centre of its face, within a
    // cell and a half each way. Its edges are found along the row and the column through the
    // centre by asking the hit test itself, so that its truncations hold.
    const Point centre = topFaceCentre(state, column, row);
    auto selects = [&](int x, int y) {
        const std::optional<Hit> hit = hitTest(state, x, y);
        return hit && hit->column == column && hit->row == row;
    };
    if (!selects(centre.x, centre.y)) return {0, 0, 0, 0};
    const int reach = static_cast<int>(state.cellSize * 1.5) + 2;
    PressArea area{centre.x, centre.y, centre.x + 1, centre.y + 1};
    while (area.left > centre.x - reach && selects(area.left - 1, centre.y)) --area.left;
    while (area.right < centre.x + reach && selects(area.right, centre.y)) ++area.right;
    while (area.top > centre.y - reach && selects(centre.x, area.top - 1)) --area.top;
    while (area.bottom < centre.y + reach && selects(centre.x, area.bottom)) ++area.bottom;
    return area;
}

}  // namespace kadro
