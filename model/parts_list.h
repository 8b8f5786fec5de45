#pragma once
// The parts list as text to hand on: the cubes of each colour in the visible block and in the
// whole block at the size in use, as tab-separated plain text and as an HTML table.
#include <array>
#include <cstdint>
#include <string>

#include "model/grid.h"

namespace kadro {

struct PartsList {
    int size;                                   // cells per side in use
    int firstLayer, lastLayer;                  // the layers visible
    std::array<int32_t, kColourCount> visible;  // cubes in the visible block, by code - 1
    std::array<int32_t, kColourCount> whole;    // cubes in every layer at this size
    int32_t looseVisible = 0, looseWhole = 0;   // cubes that would fall off (model/loose.h)
};

// Counted now from the grid, as the recount counts the visible block.
PartsList partsList(const ViewState& state, const CellGrid& grid);

// A header line, a line of column names, one line per colour, a total line and a line of loose
// cubes; columns separated by tabs, lines ended by '\n'.
std::string partsListText(const PartsList& list);
// The same as an HTML table, for rich-text editors and spreadsheets; the header is its first row,
// and numbers stand right-aligned under theirs.
std::string partsListHtml(const PartsList& list);
// A table cell holding a number, right-aligned; in a header row with `tag` "th".
std::string numberCell(long long number, const char* tag = "td");

}  // namespace kadro
