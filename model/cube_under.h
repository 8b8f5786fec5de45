#pragma once
// Which cube the picture shows at a point of the drawing area, and which of its faces; and the
// cell beside each face. The picture draws a cube as a stack of squares, each one pixel up and
// right of the one before (model/projection.h): its front face is the first square (lower
// left), its upper face what the stack covers above that square, its right face what it covers
// to that square's right; a pixel on the one-pixel diagonal where those two meet is the upper
// face's. (The rearmost square, where a press selects the cell on the current layer, is another
// thing: the top face of the hit test.)
#include <cstdint>
#include <optional>

#include "model/grid.h"

namespace kadro {

enum class Face { Front, Upper, Right };

// Row y of a stack of `squares` squares of side `size` anchored at (x0, y0): it covers
// [left, right), the front or upper face (`first`) on [left, split) and the right face on
// [split, right). Empty when the stack does not reach the row. The same truncations as the
// picture's: square k spans x0 + k .. trunc(x0 + k + size) and trunc(y0 - k - size) .. y0 - k.
struct StackRow {
    int32_t left = 0, split = 0, right = 0;
    Face first = Face::Front;
    bool empty() const { return right <= left; }
};
StackRow stackRow(int32_t x0, int32_t y0, int squares, double size, int32_t y);

struct CubeCell {
    int column, row, layer;
    bool operator==(const CubeCell&) const = default;
};
struct CubeFace {
    CubeCell cube;
    Face face;
};

// The cube of the visible block that the picture shows at (x, y), and its face: the one drawn
// last there (back to front, then by column and by row), the grid pattern not counted. Nothing
// where no cube shows, also where the preview cube is drawn over one. For a grid as the layout
// pass places it (a cell placed elsewhere is never answered for a point it does not cover).
std::optional<CubeFace> cubeUnder(const ViewState& state, const CellGrid& grid, int x, int y);

// The cell that touches a cube's face: one layer nearer for the front, one row up for the upper
// face, one column right for the right face. It may lie outside the grid.
CubeCell besideFace(const CubeFace& face);
// The cube itself, whatever face.
inline CubeCell faceCube(const CubeFace& face) { return face.cube; }
// Whether a cell lies in the block of `size`: columns and rows 0..size-1, layers 1..size.
inline bool insideBlock(const CubeCell& cell, int size) {
    return cell.column >= 0 && cell.column < size && cell.row >= 0 && cell.row < size &&
           cell.layer >= 1 && cell.layer <= size;
}

}  // namespace kadro
