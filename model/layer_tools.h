#pragma once
// Which cells of one layer the drawing tools change: a line and a rectangle between two cells, a
// flood fill from a cell, and the mirrored column. Cells are (column, row) of the layer, inside
// the block at the size in use (0..size-1 each); nothing here touches the grid.
#include <array>
#include <cstdint>

#include "model/grid.h"

namespace kadro {

struct LayerCell {
    int column;
    int row;
    bool operator==(const LayerCell&) const = default;
};

// At most every cell of a 20 x 20 layer, without allocating.
struct LayerCells {
    std::array<LayerCell, kMaxSize * kMaxSize> cells{};
    int count = 0;

    void add(LayerCell cell) { cells[count++] = cell; }
    const LayerCell* begin() const { return cells.data(); }
    const LayerCell* end() const { return cells.data() + count; }
};

// The line from a to b (both inside a size-20 layer): with dc = b.column - a.column, dr = b.row -
// a.row and k = max(|dc|, |dr|), the cells (a.column + round(t dc / k), a.row + round(t dr / k))
// for t = 0..k, halves rounded away from zero; a alone when k = 0.
LayerCells lineCells(LayerCell a, LayerCell b);

// Every cell whose column lies between a's and b's and whose row between a's and b's, both
// included, whichever corner comes first; row by row from the lower one.
LayerCells rectangleCells(LayerCell a, LayerCell b);

// The colour codes of one layer of `size`, codes[column * size + row].
using LayerCodes = std::array<uint8_t, kMaxSize * kMaxSize>;

// `start` and every cell joined to it through cells sharing a side, all of start's colour (empty
// counts as a colour). Nothing when start lies outside the layer.
LayerCells floodCells(const LayerCodes& codes, int size, LayerCell start);

// The cell mirrored about the block's middle column: (size - 1 - column, row).
inline LayerCell mirrored(LayerCell cell, int size) { return {size - 1 - cell.column, cell.row}; }

// Whether a cell lies inside the layer of `size`.
inline bool insideLayer(LayerCell cell, int size) {
    return cell.column >= 0 && cell.column < size && cell.row >= 0 && cell.row < size;
}

// Layer `layer` (1..size) of the block of `size`, as it is now; and writing such codes back.
LayerCodes layerCodes(const CellGrid& grid, int size, int layer);
void setLayerCodes(CellGrid& grid, int size, int layer, const LayerCodes& codes);

// Whether each change is also made at the mirrored cell.
enum class Mirror { Off, On };
// Writes `code` into each cell of `cells` that lies inside the layer and, with the mirror on, into
// its mirrored cell too. Returns how many codes changed.
int paintCells(LayerCodes& codes, int size, const LayerCells& cells, uint8_t code, Mirror mirror);

}  // namespace kadro
