#include "model/cube_under.h"

#include <algorithm>

#include "model/projection.h"
#include "model/visible_block.h"

namespace kadro {

StackRow stackRow(int32_t x0, int32_t y0, int squares, double size, int32_t y) {
    const auto [down, up] = truncatedSide(size);
    const auto rightOf = [&](int k) { return x0 + k + (x0 + k + size >= 0 ? down : up); };
    const auto topOf = [&](int k) { return y0 - k - (y0 - k - size >= 0 ? up : down); };
    // The squares on the row are a run first..last: their edges only move right and up with k.
    const int last = std::min(squares, y0 - y - 1);
    int first = std::max(1, y0 - y - up - 1);
    while (first <= last && topOf(first) > y) ++first;
    if (first > last) return {};
    StackRow row{x0 + first, 0, rightOf(last), Face::Front};
    const int32_t frontTop = topOf(1), frontRight = rightOf(1);
    if (y >= frontTop) {
        row.split = std::clamp(frontRight, row.left, row.right);
    } else {
        // Above the front square: the upper face up to the diagonal from its top right corner.
        row.first = Face::Upper;
        row.split = std::clamp(frontRight + (frontTop - y), row.left, row.right);
    }
    return row;
}

std::optional<CubeFace> cubeUnder(const ViewState& state, const CellGrid& grid, int x, int y) {
    const double size = state.cellSize;
    const int squares = squareCount(size * 0.5);
    // Nothing shows through the preview cube.
    const PreviewStack preview = previewStack(size);
    const StackRow over = stackRow(kPreviewX, kPreviewY, preview.squares, preview.side, y);
    if (x >= over.left && x < over.right) return std::nullopt;
    const int reach = squares + truncatedSide(size).up + 1;
    const VisibleBlock block = visibleBlock(state);
    // The layout pass places the cells of a column at one x and the cells of a row at one y on
    // each layer: the columns and rows whose stacks can reach the point are found from the
    // first row and column, and only their cells are looked at.
    int columns[kGridSide], rows[kGridSide];
    for (int layer = block.firstLayer; layer <= block.lastLayer; ++layer) {
        int columnCount = 0, rowCount = 0;
        for (int column = block.columns - 1; column >= 0; --column) {
            const int32_t x0 = stackAnchor(grid.at(column, 0, layer), size).x;
            if (x > x0 && x <= x0 + reach) columns[columnCount++] = column;
        }
        for (int row = block.rows - 1; row >= 0; --row) {
            const int32_t y0 = stackAnchor(grid.at(0, row, layer), size).y;
            if (y < y0 - 1 && y >= y0 - reach) rows[rowCount++] = row;
        }
        for (int i = 0; i < columnCount; ++i) {
            for (int j = 0; j < rowCount; ++j) {
                const int column = columns[i], row = rows[j];
                const GridCell& cell = grid.at(column, row, layer);
                if (cell.colour == 0.0f) continue;
                const StackAnchor anchor = stackAnchor(cell, size);
                const StackRow span = stackRow(anchor.x, anchor.y, squares, size, y);
                if (x < span.left || x >= span.right) continue;
                return CubeFace{{column, row, layer}, x < span.split ? span.first : Face::Right};
            }
        }
    }
    return std::nullopt;
}

CubeCell besideFace(const CubeFace& face) {
    const CubeCell cube = face.cube;
    switch (face.face) {
        case Face::Front:
            return {cube.column, cube.row, cube.layer - 1};
        case Face::Upper:
            return {cube.column, cube.row + 1, cube.layer};
        case Face::Right:
            return {cube.column + 1, cube.row, cube.layer};
    }
    return cube;
}

}  // namespace kadro
