#pragma once
// A design as plain text, to keep outside the program and bring back: every cell of the block at
// the size in use, layer by layer from the front, each row from the top.
//
//   KADRO design
//   size 3
//   layer 1
//   RRR
//   Y.Y
//   YYY
//   layer 2
//   ...
//
// Cells are '.' (empty) or the palette's letters Y L A F R. Lines end with LF, the text too.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/grid.h"
#include "model/visible_block.h"

namespace kadro {

// The block at the size in use: layers 1 to the size, cut away or not.
std::string designText(const ViewState& state, const CellGrid& grid);

// Texts longer than this are refused without being read through.
inline constexpr size_t kMaxDesignTextBytes = size_t{1} << 20;

struct Design {
    int size = 0;
    // Colour codes 0..5 of the block's cells in forEachCell's order: column, row, layer.
    std::array<uint8_t, kMaxSize * kMaxSize * kMaxSize> codes{};

    // Columns and rows 0..size-1, layers 1..size.
    VisibleBlock block() const { return {size, size, 1, size}; }
};

struct DesignReading {
    bool ok = false;
    Design design;
    std::string error;  // one sentence saying why there is no design, naming the line
};

// Finds a design in a text: from the first line reading "KADRO design" (blanks around it
// allowed; everything before it is ignored) to the last layer's rows (everything after them is
// ignored). Tolerated: CR LF line ends, blanks at the ends of lines, empty lines anywhere, and
// lower-case cell letters.
DesignReading readDesign(std::string_view text);

}  // namespace kadro
