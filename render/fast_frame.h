#pragma once
// The frame drawn front to back: every visible pixel is written once, with the same result as
// drawing rectangle by rectangle from the back.
#include <array>
#include <cstdint>

#include "model/grid.h"
#include "render/canvas.h"

namespace kadro {

class FrameRenderer {
public:
    // Largest buffer the coverage mask holds; a larger one is drawn rectangle by rectangle.
    static constexpr int kMaxWidth = 1024;
    static constexpr int kMaxHeight = 512;

    // Same pixels as drawFrameByRectangles on the same buffer: pixels outside the clearing
    // rectangle that nothing paints keep what they held. Allocates nothing.
    void draw(PixelBuffer target, const ViewState& state, const CellGrid& grid, int windowWidth,
              int windowHeight);

private:
    static constexpr int kWordsPerRow = kMaxWidth / 64;

    // Paints the pixels of [left, right) on row y that the pattern selects and nothing nearer
    // has painted yet. Caller clips the row and the span to the buffer.
    void paintSpan(int y, int left, int right, Pixel colour, uint64_t pattern);
    // One pixel inside the buffer, unless something nearer painted it.
    void paintPixel(int y, int x, Pixel colour);
    // A clipped span painted whole, which then counts as covered in the row's runs.
    void paintSolidSpan(int y, int left, int right, Pixel colour);
    // One diagonal-cross rectangle as Canvas::Rectangle paints it, behind everything painted so far.
    void paintHatchedRectangle(int x1, int y1, int x2, int y2, Pixel pen, Pixel brush);
    // The stack of n squares of one colour stepped up and right from (x0, y0): its union.
    void paintSolidStack(int32_t x0, int32_t y0, int squares, double size, Pixel colour);
    // One cell whose stack starts at (x0, y0): its cube, or its grid rectangle when empty.
    void paintCell(const GridCell& cell, int32_t x0, int32_t y0, float column, float layer, const ViewState& state,
                   int squares, double size);
    void paintPreview(const ViewState& state, double size, double half);
    // Reads the visible block in memory order. True when every cell is anchored by its column,
    // row and layer alone, as the layout pass leaves it; then fills the tables below.
    bool scanCells(const ViewState& state, const CellGrid& grid, double half, double size);
    // Indexed by layer counted from the current one, then by column or row: the stacks' anchors.
    int32_t x0_[kGridSide][kGridSide]{};
    int32_t y0_[kGridSide][kGridSide]{};
    // Per layer and row, bit c for column c: the filled cells, and the cells that sit exactly
    // behind a filled one nearer on the line through the cell one column right, one row up and
    // two layers nearer.
    uint32_t filled_[kGridSide][kGridSide]{};
    uint32_t behind_[kGridSide][kGridSide]{};
    // Per layer: every cell but those of the last column and the top row has such a nearer cell.
    bool nearer_[kGridSide]{};
    // Row spans of a stack by its rows above the anchor, for the back-to-front pass.
    static constexpr int kMaxRise = 512;
    std::array<int32_t, kMaxRise> spanLeft_{}, spanRight_{};
    int layers_ = 0;
    // Back to front over what is there, as the reference does, but each stack one span a row
    // and without the cells that are hidden behind a filled one: the layers from index
    // `nearest` back, and the preview when nearest is 0. Needs scanCells' tables.
    void paintBackToFront(const ViewState& state, const CellGrid& grid, int squares, double size, double half,
                          int nearest);
    // A layer (index from the current one) whose visible cells are all empty, with the grid
    // shown: its hatched rectangles do not overlap, so it is painted a buffer row at a time
    // with word masks. Returns false (and paints nothing) when the layer is not of that form.
    bool paintEmptyLayer(const ViewState& state, int index, float layer, int squares, double size);

    PixelBuffer target_{};
    std::array<uint64_t, kMaxHeight * kWordsPerRow> covered_{};
    // Per row, one run [solidLeft, solidRight) known to be wholly painted: a span inside it
    // is hidden and skipped with two comparisons.
    std::array<int32_t, kMaxHeight> solidLeft_{};
    std::array<int32_t, kMaxHeight> solidRight_{};
    // Likewise a run whose diagonal-cross pixels are all painted.
    std::array<int32_t, kMaxHeight> hatchLeft_{};
    std::array<int32_t, kMaxHeight> hatchRight_{};
    // Per band of 8 rows, the rightmost left end and the leftmost right end of the rows' solid
    // runs: an area inside [bandLeft, bandRight) on every band it touches is wholly painted.
    static constexpr int kBandShift = 3;
    std::array<int32_t, (kMaxHeight >> kBandShift) + 1> bandLeft_{};
    std::array<int32_t, (kMaxHeight >> kBandShift) + 1> bandRight_{};
    std::array<bool, (kMaxHeight >> kBandShift) + 1> bandStale_{};

    void updateBand(int band);
    // True when everything in columns [left, right) of rows [top, bottom) is painted already.
    bool hidden(int left, int top, int right, int bottom);
};

}  // namespace kadro
