#pragma once
// Loose cubes: a cube is held when it lies on the bottom row (row 0) or shares a face with a held
// cube, inside the block at the size in use (every layer, cut away or not); every other cube is
// loose: it, or the island it belongs to, would fall off the real model.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/grid.h"
#include "model/visible_block.h"

namespace kadro {

struct LooseCubes {
    int size = 0;
    int count = 0;  // in the whole block
    // 1 for a loose cube, in forEachCell's order over the block (column, row, layer 1..size).
    std::array<uint8_t, kMaxSize * kMaxSize * kMaxSize> loose{};

    bool at(int column, int row, int layer) const {
        return loose[blockIndex(size, column, row, layer)] != 0;
    }
    // Those in layers `firstLayer` to the size.
    int countFrom(int firstLayer) const;
};

// The loose cubes of the block of `size` (2..20).
LooseCubes looseCubes(const CellGrid& grid, int size);

// Loose cubes joined to each other through faces, and why the group is loose: the first that
// applies of a cube resting on held cubes only along edges or corners, a cube touching other
// loose cubes only that way, and touching no other cube at all.
struct LooseGroup {
    enum class Reason { RestsOnHeldAlongEdges, TouchesLooseAlongEdges, TouchesNothing };
    struct Cell {
        int column, row, layer;
    };
    std::vector<Cell> cells;  // in the block's order: column, row, layer
    Reason reason;
    int lowestRow, highestRow;
};
// The groups, ordered by their first cell in the block's order.
std::vector<LooseGroup> looseGroups(const CellGrid& grid, const LooseCubes& loose);
// "rests on held cubes only along edges or corners", ...
const char* looseReason(LooseGroup::Reason reason);

}  // namespace kadro
