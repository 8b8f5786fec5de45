#include "render/fast_frame.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

#include "render/frame.h"

namespace kadro {

namespace {

// The diagonal-cross pixels of row y within one 64-pixel word; 64 is a multiple of the
// pattern's period of 8, so every word of a row has the same bits.
constexpr std::array<uint64_t, 8> makeHatchWords() {
    std::array<uint64_t, 8> words{};
    for (int y = 0; y < 8; ++y)
        for (int bit = 0; bit < 64; ++bit)
            if (isHatchPixel(bit, y)) words[y] |= uint64_t{1} << bit;
    return words;
}
constexpr std::array<uint64_t, 8> kHatchWords = makeHatchWords();
constexpr uint64_t kSolid = ~uint64_t{0};

// Bits [from, to) of a word, 0 <= from < to <= 64.
constexpr uint64_t bitRange(int from, int to) {
    const uint64_t upper = to == 64 ? kSolid : (uint64_t{1} << to) - 1;
    return upper & ~((uint64_t{1} << from) - 1);
}

int squareCount(double half) {
    int count = 0;
    for (float step = 0.0f; half > step; step += 1.0f) ++count;
    return count;
}

}  // namespace

void FrameRenderer::paintSpan(int y, int left, int right, Pixel colour, uint64_t pattern) {
    assert(y >= 0 && y < target_.height && left >= 0 && right <= target_.width);
    uint64_t* covered = &covered_[static_cast<size_t>(y) * kWordsPerRow];
    Pixel* row = target_.pixels + static_cast<long>(y) * target_.stride;
    for (int word = left >> 6, last = (right - 1) >> 6; word <= last; ++word) {
        const int base = word << 6;
        const uint64_t span = bitRange(std::max(left - base, 0), std::min(right - base, 64));
        const uint64_t mask = span & pattern;
        uint64_t fresh = mask & ~covered[word];
        if (!fresh) continue;
        covered[word] |= fresh;
        if (fresh == span) {
            const int from = std::countr_zero(fresh);
            std::fill_n(row + base + from, std::popcount(fresh), colour);
            continue;
        }
        while (fresh) {
            row[base + std::countr_zero(fresh)] = colour;
            fresh &= fresh - 1;
        }
    }
}

void FrameRenderer::paintSolidRow(int y, int left, int right, Pixel colour) {
    if (y < 0 || y >= target_.height) return;
    left = std::max(left, 0);
    right = std::min(right, target_.width);
    if (left >= right) return;
    int32_t& runLeft = solidLeft_[y];
    int32_t& runRight = solidRight_[y];
    if (runLeft <= left && right <= runRight) return;
    paintSpan(y, left, right, colour, kSolid);
    // The span is now wholly painted; it extends the known run when the two touch.
    if (left <= runRight && runLeft <= right) {
        runLeft = std::min(runLeft, left);
        runRight = std::max(runRight, right);
    } else if (right - left > runRight - runLeft) {
        runLeft = left;
        runRight = right;
    }
}

void FrameRenderer::paintRectangle(int x1, int y1, int x2, int y2, Pixel pen, Pixel brush, BrushStyle style) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (x1 == x2 || y1 == y2) return;
    const int top = std::max(y1, 0), bottom = std::min(y2, target_.height);
    const int left = std::max(x1, 0), right = std::min(x2, target_.width);
    if (top >= bottom || left >= right) return;
    const int insideLeft = std::clamp(x1 + 1, left, right), insideRight = std::clamp(x2 - 1, left, right);
    const bool insideIsEmpty = insideLeft >= insideRight;
    for (int y = top; y < bottom; ++y) {
        if (y == y1 || y == y2 - 1 || insideIsEmpty) {
            paintSpan(y, left, right, pen, kSolid);
            continue;
        }
        if (left == x1) paintSpan(y, left, left + 1, pen, kSolid);
        if (right == x2) paintSpan(y, right - 1, right, pen, kSolid);
        paintSpan(y, insideLeft, insideRight, brush, style == BrushStyle::Solid ? kSolid : kHatchWords[y & 7]);
    }
}

void FrameRenderer::paintSolidStack(int32_t x0, int32_t y0, int squares, double size, Pixel colour) {
    // Square k (1..n) spans x0 + k .. trunc(x0 + k + size) and trunc(y0 - k - size) .. y0 - k.
    // Its edges only grow to the right and up with k, so a row's squares are a run k = a..b and
    // the row's span runs from square a's left edge to square b's right edge.
    constexpr int kMaxSquares = 128;
    int32_t tops[kMaxSquares + 1], rights[kMaxSquares + 1];
    if (squares > kMaxSquares) {
        for (int k = squares; k >= 1; --k) {
            const int32_t x = x0 + k, y = y0 - k;
            paintRectangle(x, y, static_cast<int32_t>(x + size), static_cast<int32_t>(y - size), colour, colour,
                           BrushStyle::Solid);
        }
        return;
    }
    for (int k = 1; k <= squares; ++k) {
        tops[k] = static_cast<int32_t>((y0 - k) - size);
        rights[k] = static_cast<int32_t>((x0 + k) + size);
    }
    int first = 1;  // smallest k whose square reaches up to the row
    const int lowest = std::min(y0 - 2, target_.height - 1);
    const int highest = std::max(tops[squares], 0);
    for (int y = lowest; y >= highest; --y) {
        while (first <= squares && tops[first] > y) ++first;
        const int last = std::min(squares, y0 - y - 1);  // largest k whose square reaches down to it
        if (first > last) continue;
        paintSolidRow(y, x0 + first, rights[last], colour);
    }
}

void FrameRenderer::paintCell(const GridCell& cell, float column, float layer, const ViewState& state,
                              int squares, double size, double half) {
    const auto x0 = static_cast<int32_t>(cell.screenX + cell.layer * half);
    const auto y0 = static_cast<int32_t>(cell.screenY - (cell.layer - 1.0) * half - size);
    if (cell.colour != 0.0f) {
        paintSolidStack(x0, y0, squares, size, colourOfCode(static_cast<int>(cell.colour)));
        return;
    }
    if (!state.gridVisible) return;
    const bool evenColumn = isEven(column);
    const Pixel pen = evenColumn || isEven(layer) ? colours::white : colours::grey;
    const Pixel brush = evenColumn ? colours::grey : colours::navy;
    const int32_t x = x0 + squares, y = y0 - squares;
    paintRectangle(x, y, static_cast<int32_t>(x + size), static_cast<int32_t>(y - size), pen, brush,
                   BrushStyle::DiagonalCross);
}

void FrameRenderer::paintPreview(const ViewState& state, double size, double half) {
    const int divisor = size > 100 ? 2 : 1;
    const double previewSize = size / divisor;
    const int squares = squareCount(half / divisor);
    if (!state.eraseMode) {
        paintSolidStack(kPreviewX, kPreviewY, squares, previewSize, colourOfCode(state.currentColour));
        return;
    }
    for (int k = squares; k >= 1; --k) {  // hatched squares show each other: nearest first
        const int32_t x = kPreviewX + k, y = kPreviewY - k;
        paintRectangle(x, y, static_cast<int32_t>(x + previewSize), static_cast<int32_t>(y - previewSize),
                       colours::navy, colours::white, BrushStyle::DiagonalCross);
    }
}

void FrameRenderer::draw(PixelBuffer target, const ViewState& state, const CellGrid& grid, int windowWidth,
                         int windowHeight) {
    if (target.width > kMaxWidth || target.height > kMaxHeight) {
        Canvas canvas(target);
        drawFrameByRectangles(canvas, state, grid, windowWidth, windowHeight);
        return;
    }
    target_ = target;
    std::memset(covered_.data(), 0, static_cast<size_t>(target.height) * kWordsPerRow * sizeof(uint64_t));
    std::fill_n(solidLeft_.begin(), target.height, 0);
    std::fill_n(solidRight_.begin(), target.height, 0);

    const double size = state.cellSize;
    const double half = size * 0.5;
    paintPreview(state, size, half);

    // The cells in the reverse of the drawing order: the front layer first, and within a
    // layer the last column and row first.
    const int squares = squareCount(half);
    const int lastColumn = static_cast<int>(state.gridWidth) - 1;
    const int lastRow = static_cast<int>(state.gridHeight) - 1;
    for (float layer = static_cast<float>(state.currentLayer); layer <= state.gridDepth; layer += 1.0f) {
        for (int column = lastColumn; column >= 0; --column) {
            for (int row = lastRow; row >= 0; --row) {
                paintCell(grid.at(column, row, static_cast<int>(layer)), static_cast<float>(column), layer, state,
                          squares, size, half);
            }
        }
    }

    // Whatever is still uncovered inside the clearing rectangle is black.
    paintRectangle(0, 0, windowWidth, windowHeight, colours::black, colours::black, BrushStyle::Solid);
}

}  // namespace kadro
