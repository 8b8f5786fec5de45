#pragma once
// The operations by which the user changes the model: the layer, a click on the drawing
// area, CLEAR and FILL.
#include "model/grid.h"

namespace kadro {

// The layer chosen by the up-down at a position (1..20), clamped to the extents.
int32_t layerForUpDown(const ViewState& state, int position);

// The cell that a press at (x, y) on the drawing area would write: the hit cell of the current
// layer. Null when the press lies outside the accepted window or the hit outside the fixed grid.
GridCell* pressedCell(const ViewState& state, CellGrid& grid, int x, int y);

// What a press writes into its cell: currentColour, or empty while erasing.
void pressOn(const ViewState& state, GridCell& cell);

// A press on the drawing area: writes currentColour, or empty while erasing, into the hit
// cell of the current layer. A hit outside the fixed grid changes nothing. Returns whether a
// cell was written.
bool editAt(const ViewState& state, CellGrid& grid, int x, int y);

// CLEAR and FILL over exactly the visible block; FILL ignores erase mode.
void clearVisibleBlock(const ViewState& state, CellGrid& grid);
void fillVisibleBlock(const ViewState& state, CellGrid& grid);

}  // namespace kadro
