#pragma once
#include <array>
#include <cstdint>

#include "model/grid.h"
#include "model/visible_block.h"

namespace kadro {

// Cubes of each colour, entry i for code i + 1.
using ColourCounts = std::array<int32_t, kColourCount>;

// The cubes of each colour in a block; a colour that is no code 1..5 counts for none.
ColourCounts countColours(const VisibleBlock& block, const CellGrid& grid);

// Rebuilds colourCounts from the visible block: the cubes of each colour that the frame shows.
void recount(ViewState& state, const CellGrid& grid);

}  // namespace kadro
