#pragma once
// The visible block: the cells with column < gridWidth, row < gridHeight and
// currentLayer <= layer <= gridDepth. It is what a frame draws, what the parts list counts and
// what CLEAR and FILL change.
#include <cstddef>

#include "model/grid.h"

namespace kadro {

// Columns 0..columns-1, rows 0..rows-1, layers firstLayer..lastLayer (none when lastLayer <
// firstLayer). Bounds come from the extents compared as floats, and never reach outside the
// fixed grid whatever the state holds.
struct VisibleBlock {
    int columns;
    int rows;
    int firstLayer;
    int lastLayer;

    int layers() const { return lastLayer >= firstLayer ? lastLayer - firstLayer + 1 : 0; }
};
VisibleBlock visibleBlock(const ViewState& state);

// Calls visit(cell) for every cell of a block, column outermost, layer innermost, each
// counting up. The block must lie inside the grid, as visibleBlock's always does.
template <typename Grid, typename Visit>
void forEachCell(const VisibleBlock& block, Grid& grid, Visit visit) {
    for (int column = 0; column < block.columns; ++column) {
        for (int row = 0; row < block.rows; ++row) {
            for (int layer = block.firstLayer; layer <= block.lastLayer; ++layer)
                visit(grid.at(column, row, layer));
        }
    }
}

// Where cell (column, row, layer) of the block of `size` with layers 1..size comes in
// forEachCell's order: the index of its colour in a design's codes.
inline size_t blockIndex(int size, int column, int row, int layer) {
    return (static_cast<size_t>(column) * size + row) * size + (layer - 1);
}

// The same for the visible block of a view.
template <typename Grid, typename Visit>
void forEachVisibleCell(const ViewState& state, Grid& grid, Visit visit) {
    forEachCell(visibleBlock(state), grid, visit);
}

}  // namespace kadro
