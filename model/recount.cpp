#include "model/recount.h"

#include "model/visible_block.h"

namespace kadro {

void recount(ViewState& state, const CellGrid& grid) {
    state.colourCounts.fill(0);
    forEachVisibleCell(state, grid, [&state](const GridCell& cell) {
        for (int code = 1; code <= kColourCount; ++code) {
            if (cell.colour == static_cast<float>(code)) ++state.colourCounts[code - 1];
        }
    });
}

}  // namespace kadro
