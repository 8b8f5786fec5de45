#include "model/recount.h"

namespace kadro {

ColourCounts countColours(const VisibleBlock& block, const CellGrid& grid) {
    ColourCounts counts{};
    forEachCell(block, grid, [&counts](const GridCell& cell) {
        for (int code = 1; code <= kColourCount; ++code) {
            if (cell.colour == static_cast<float>(code)) ++counts[code - 1];
        }
    });
    return counts;
}

void recount(ViewState& state, const CellGrid& grid) {
    state.colourCounts = countColours(visibleBlock(state), grid);
}

}  // namespace kadro
