#include "model/layer_tools.h"

#include <algorithm>
#include <cstdlib>

namespace kadro {

namespace {

// round(numerator / denominator) for a positive denominator, halves away from zero, in integers.
int roundedQuotient(int numerator, int denominator) {
    const int magnitude = (2 * std::abs(numerator) + denominator) / (2 * denominator);
    return numerator < 0 ? -magnitude : magnitude;
}

}  // namespace

LayerCells lineCells(LayerCell a, LayerCell b) {
    LayerCells line;
    const int dc = b.column - a.column, dr = b.row - a.row;
    const int k = std::max(std::abs(dc), std::abs(dr));
    if (k == 0) {
        line.add(a);
        return line;
    }
    for (int t = 0; t <= k; ++t)
        line.add({a.column + roundedQuotient(t * dc, k), a.row + roundedQuotient(t * dr, k)});
    return line;
}

LayerCells rectangleCells(LayerCell a, LayerCell b) {
    LayerCells box;
    for (int row = std::min(a.row, b.row); row <= std::max(a.row, b.row); ++row)
        for (int column = std::min(a.column, b.column); column <= std::max(a.column, b.column);
             ++column)
            box.add({column, row});
    return box;
}

LayerCells floodCells(const LayerCodes& codes, int size, LayerCell start) {
    LayerCells joined;
    if (start.column < 0 || start.column >= size || start.row < 0 || start.row >= size)
        return joined;
    const uint8_t colour = codes[start.column * size + start.row];
    std::array<bool, kMaxSize * kMaxSize> seen{};
    seen[start.column * size + start.row] = true;
    joined.add(start);
    // The cells found so far are also the queue of cells whose neighbours are still to be looked
    // at.
    for (int next = 0; next < joined.count; ++next) {
        const LayerCell at = joined.cells[next];
        const LayerCell sides[4] = {{at.column - 1, at.row},
                                    {at.column + 1, at.row},
                                    {at.column, at.row - 1},
                                    {at.column, at.row + 1}};
        for (const LayerCell side : sides) {
            if (side.column < 0 || side.column >= size || side.row < 0 || side.row >= size)
                continue;
            const int i = side.column * size + side.row;
            if (seen[i] || codes[i] != colour) continue;
            seen[i] = true;
            joined.add(side);
        }
    }
    return joined;
}

LayerCodes layerCodes(const CellGrid& grid, int size, int layer) {
    LayerCodes codes{};
    for (int column = 0; column < size; ++column)
        for (int row = 0; row < size; ++row)
            codes[column * size + row] = static_cast<uint8_t>(grid.at(column, row, layer).colour);
    return codes;
}

void setLayerCodes(CellGrid& grid, int size, int layer, const LayerCodes& codes) {
    for (int column = 0; column < size; ++column)
        for (int row = 0; row < size; ++row)
            grid.at(column, row, layer).colour = codes[column * size + row];
}

int paintCells(LayerCodes& codes, int size, const LayerCells& cells, uint8_t code, Mirror mirror) {
    int changed = 0;
    const auto paint = [&](LayerCell cell) {
        if (!insideLayer(cell, size)) return;
        uint8_t& at = codes[cell.column * size + cell.row];
        changed += at != code;
        at = code;
    };
    for (const LayerCell cell : cells) {
        paint(cell);
        if (mirror == Mirror::On) paint(mirrored(cell, size));
    }
    return changed;
}

}  // namespace kadro
