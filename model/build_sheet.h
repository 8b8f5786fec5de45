#pragma once
// The build sheet that Ctrl+C puts below the parts list as HTML, for a person building the model
// from loose cubes: a picture of the model, a legend, the loose cubes by place, then the model
// course by course from the bottom row up, each course seen from above. Every heading and count
// is a cell of a table, so a spreadsheet pasting the HTML gets them all, labelled.
#include <string>

#include "model/grid.h"

namespace kadro {

// Cells of the course grids, in pixels: square, the same in every grid.
inline constexpr int kSheetCellPixels = 22;

// The sheet for the block at the size in use; `picture` is the src of the model's picture (a
// data: URL), or empty for none.
std::string buildSheetHtml(const ViewState& state, const CellGrid& grid,
                           const std::string& picture);

}  // namespace kadro
