#pragma once
#include "model/grid.h"

namespace kadro {

// Rebuilds colourCounts from the visible block: the cubes of each colour that the frame shows.
void recount(ViewState& state, const CellGrid& grid);

}  // namespace kadro
