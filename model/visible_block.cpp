#include "model/visible_block.h"

#include <algorithm>
#include <cmath>

namespace kadro {

namespace {

// Whole numbers i >= 0 with i < extent, as a float loop counts them: ceil(extent), within the grid.
int countBelow(float extent) {
    return extent > 0.0f
               ? static_cast<int>(std::min(std::ceil(extent), static_cast<float>(kGridSide)))
               : 0;
}

}  // namespace

VisibleBlock visibleBlock(const ViewState& state) {
    const int first = std::max(state.currentLayer, 0);
    // The last whole layer <= gridDepth, within the grid.
    const int last = state.gridDepth >= 0.0f
                         ? static_cast<int>(std::min(std::floor(state.gridDepth),
                                                     static_cast<float>(kGridSide - 1)))
                         : -1;
    return {countBelow(state.gridWidth), countBelow(state.gridHeight), first, last};
}

}  // namespace kadro
