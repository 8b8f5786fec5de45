#pragma once
// The oblique projection, both ways: where a cell's cube and the preview cube are drawn on the
// drawing area, and which cell a press on the drawing area selects. The renderer, the reference
// painter of the tests and the hit test all take their geometry from here.
#include <cstdint>
#include <optional>

#include "model/grid.h"

namespace kadro {

// Drawing area of the main window, in pixels.
inline constexpr int kDrawingWidth = 761;
inline constexpr int kDrawingHeight = 417;

// Where the preview cube is stacked from.
inline constexpr int kPreviewX = 360;
inline constexpr int kPreviewY = 400;

// The corner a cell's cube is stacked from: square k (1..squareCount) of the stack spans
// x + k .. trunc(x + k + side) and trunc(y - k - side) .. y - k. Computed from the cell's own
// stored anchor and layer, each coordinate truncated toward zero.
struct StackAnchor {
    int32_t x;
    int32_t y;
};
inline StackAnchor stackAnchor(const GridCell& cell, double cellSize) {
    const double half = cellSize * 0.5;
    return {static_cast<int32_t>(cell.screenX + cell.layer * half),
            static_cast<int32_t>(cell.screenY - (cell.layer - 1.0) * half - cellSize)};
}

// Squares in a stack whose depth shift is `half` (half a side): one per whole step below it.
inline int squareCount(double half) {
    int count = 0;
    for (float step = 0.0f; half > step; step += 1.0f) ++count;
    return count;
}

// A square's side as truncation toward zero turns it into whole pixels: for whole v, trunc(v +
// side) is v + down where the sum is not negative and v + up where it is, and the other way
// round for v - side.
struct TruncatedSide {
    int32_t down;
    int32_t up;
};
inline TruncatedSide truncatedSide(double side) {
    const auto down = static_cast<int32_t>(side);
    return {down, static_cast<double>(down) == side ? down : down + 1};
}

// The pixels a cell's cube covers, its whole stack: a rectangle, half-open (right and bottom
// excluded). For a cell of the grid as the layout pass has placed it.
struct CubeBox {
    int32_t left, top, right, bottom;
};
inline CubeBox cubeBox(const GridCell& cell, double cellSize) {
    const StackAnchor anchor = stackAnchor(cell, cellSize);
    const int squares = squareCount(cellSize * 0.5);
    const TruncatedSide side = truncatedSide(cellSize);
    return {anchor.x + 1, anchor.y - squares - side.up, anchor.x + squares + side.up, anchor.y - 1};
}

// The preview cube: the cell size, halved when cells are larger than 100 pixels (size 2).
struct PreviewStack {
    double side;
    int squares;
};
inline PreviewStack previewStack(double cellSize) {
    const int divisor = cellSize > 100 ? 2 : 1;
    return {cellSize / divisor, squareCount(cellSize * 0.5 / divisor)};
}

// Column and row selected by a press at (x, y) on the drawing area, on the current layer: the
// projection inverted for the top face of each cube. Empty when the press lies outside the
// accepted window. The result may lie outside the grid (negative, or past its end).
struct Hit {
    int32_t column;
    int32_t row;
};
std::optional<Hit> hitTest(const ViewState& state, int x, int y);

// The points of the drawing area whose press selects the cell (column, row) on the current
// layer: a rectangle, half-open (right and bottom excluded); empty when a press at the centre of
// the cell's face selects nothing.
struct PressArea {
    int32_t left, top, right, bottom;
    bool empty() const { return right <= left || bottom <= top; }
};
PressArea pressArea(const ViewState& state, int column, int row);

// The centre of the top face of a cell's cube on the current layer (the last square of its
// stack): a press there selects that very cell at every size and layer.
struct Point {
    int32_t x;
    int32_t y;
};
inline Point topFaceCentre(const ViewState& state, int column, int row) {
    const double s = state.cellSize;
    const int32_t layer = state.currentLayer;
    return {static_cast<int32_t>(state.originX + s * column + layer * s / 2 + s / 2),
            static_cast<int32_t>(state.originY - s * row - layer * s / 2 - s / 2)};
}

}  // namespace kadro
