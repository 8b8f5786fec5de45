#pragma once
// The frame drawn as the reference draws it, back to front over the clearing, but each stack
// of squares as one span a row and without the cells that a nearer cell hides whole.
#include <array>
#include <cstdint>

#include "model/grid.h"
#include "render/canvas.h"

namespace kadro {

class FrameRenderer {
public:
    // Same pixels as drawFrameByRectangles on the same buffer: pixels outside the clearing
    // rectangle that nothing paints keep what they held. Allocates nothing.
    void draw(PixelBuffer target, const ViewState& state, const CellGrid& grid, int windowWidth,
              int windowHeight);

private:
    // Reads the visible block in memory order. True when every cell is anchored by its column,
    // row and layer alone, as the layout pass leaves it; then fills the tables below.
    bool scanCells(const ViewState& state, const CellGrid& grid, double half, double size);
    // The stack of squares of one colour whose anchor is (x0, y0): its union, a span a row.
    void paintCube(int32_t x0, int32_t y0, Pixel colour);
    // The grid rectangle of an empty cell whose anchor is (x0, y0): where its cube's last
    // square would be.
    void paintGridRectangle(int32_t x0, int32_t y0, Pixel pen, Pixel brush);
    void paintPreview(const ViewState& state);

    PixelBuffer target_{};
    // The squares of this frame: their number, side, and side as the drawing truncates it
    // (x + side to x + sizeDown_ and y - side to y - sizeUp_ for whole x, y >= 0).
    int squares_ = 0;
    double size_ = 0.0;
    int32_t sizeDown_ = 0, sizeUp_ = 0;
    // Row spans of a stack by the row d above its anchor, 2 <= d <= squares + sizeUp: from
    // x0 + spanLeft_[d] to x0 + spanRight_[d], where no coordinate is negative. Valid when
    // tabled_.
    static constexpr int kMaxRise = 512;
    bool tabled_ = false;
    std::array<int32_t, kMaxRise> spanLeft_{}, spanRight_{};

    // Filled by scanCells. Indexed by layer counted from the current one, then by column or
    // row: the stacks' anchors.
    int32_t x0_[kGridSide][kGridSide]{};
    int32_t y0_[kGridSide][kGridSide]{};
    // Per layer and column, bit r for row r: the filled cells; the cells with the anchor of
    // the cell one column right, one row up and two layers nearer, whose grid rectangle that
    // cell hides; and the cells whose cube is hidden by a filled cell along that line.
    uint32_t filled_[kGridSide][kGridSide]{};
    uint32_t lined_[kGridSide][kGridSide]{};
    uint32_t behind_[kGridSide][kGridSide]{};
};

}  // namespace kadro
