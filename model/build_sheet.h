#pragma once
// The build sheet that Ctrl+C offers below the parts list as HTML, for a person building the
// model from loose cubes: a picture of the finished model, a legend, the loose cubes in groups,
// then the model course by course from the bottom row up, each course on a page of its own when
// printed, with a picture of the model up to that course, its counts and the course seen from
// above. Every heading, explanation and count is a cell of a table, so a spreadsheet pasting
// the HTML gets them all, labelled.
#include <string>
#include <vector>

#include "model/grid.h"

namespace kadro {

// Cells of the course grids, in pixels: square, the same in every grid.
inline constexpr int kSheetCellPixels = 16;

// The courses the sheet builds: the rows from the bottom up to the highest cube of the block of
// `size`; 0 when it holds none.
int sheetCourses(const CellGrid& grid, int size);

// The sheet's pictures, each the src of an image (a data: URL), empty for none: the finished
// model, and each course's from the bottom.
// All have the same size in pixels.
struct SheetPictures {
    std::string model;
    std::vector<std::string> courses;
    int width = 0, height = 0;
};
// The size a course's picture is shown at, at most this many pixels each way; the finished
// model's, on the first page with the parts list and the legend, a smaller one.
inline constexpr int kSheetPictureSide = 240;
inline constexpr int kSheetModelPictureSide = 220;

// The sheet for the block at the size in use.
std::string buildSheetHtml(const ViewState& state, const CellGrid& grid,
                           const SheetPictures& pictures);

}  // namespace kadro
