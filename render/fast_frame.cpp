#include "render/fast_frame.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <cwchar>

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

// Writes the colour to the pixels of a 64-pixel run whose bits are set. The two halves of the
// word are walked as two independent chains, which runs about twice as fast on scattered bits.
inline void writeBits(Pixel* run, uint64_t bits, Pixel colour) {
    auto low = static_cast<uint32_t>(bits), high = static_cast<uint32_t>(bits >> 32);
    while (low | high) {
        if (low) {
            run[std::countr_zero(low)] = colour;
            low &= low - 1;
        }
        if (high) {
            run[32 + std::countr_zero(high)] = colour;
            high &= high - 1;
        }
    }
}

// Same result as writeBits, a run of neighbouring bits at a time: for the few long runs that
// are left of a solid span partly hidden.
inline void writeRuns(Pixel* run, uint64_t bits, Pixel colour) {
    while (bits) {
        const int from = std::countr_zero(bits);
        const int length = std::countr_zero(~(bits >> from));  // at most 64 - from
        std::fill_n(run + from, length, colour);
        bits &= bits + (uint64_t{1} << from);  // clears the lowest run
    }
}

// Fills a run of pixels; one of 4 to 32 with 16-byte stores, the last one overlapping the one
// before, so a short run takes a few stores and no loop over single pixels.
inline void fillRun(Pixel* run, int count, Pixel colour) {
    if (count < 4 || count > 32) {
        std::fill_n(run, count, colour);
        return;
    }
    struct Quad {
        Pixel pixels[4];
    };
    const Quad quad{{colour, colour, colour, colour}};
    for (int i = 0; i + 4 < count; i += 4) std::memcpy(run + i, &quad, sizeof quad);
    std::memcpy(run + count - 4, &quad, sizeof quad);
}

// Fills a long run of pixels. The C library's wide-character fill stores 32-bit units with the
// widest stores the processor has, about twice as fast as the compiler's loop on a row of the
// drawing area; for short runs its call costs more than it saves.
void fillLong(Pixel* run, int count, Pixel colour) {
    if constexpr (sizeof(wchar_t) == sizeof(Pixel)) {
        std::wmemset(reinterpret_cast<wchar_t*>(run), static_cast<wchar_t>(colour), static_cast<size_t>(count));
    } else {
        std::fill_n(run, count, colour);
    }
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
            std::fill_n(row + base + from, 64 - std::countl_zero(fresh) - from, colour);
            continue;
        }
        if (pattern == kSolid) {
            writeRuns(row + base, fresh, colour);
        } else {
            writeBits(row + base, fresh, colour);
        }
    }
}

void FrameRenderer::paintPixel(int y, int x, Pixel colour) {
    uint64_t& word = covered_[static_cast<size_t>(y) * kWordsPerRow + (x >> 6)];
    const uint64_t bit = uint64_t{1} << (x & 63);
    if (word & bit) return;
    word |= bit;
    target_.pixels[static_cast<long>(y) * target_.stride + x] = colour;
}

namespace {

// Adds [left, right) to a run of a row that is known to be wholly covered, when the two touch,
// or keeps the longer of the two.
void extendRun(int32_t& runLeft, int32_t& runRight, int left, int right) {
    if (left <= runRight && runLeft <= right) {
        runLeft = std::min(runLeft, left);
        runRight = std::max(runRight, right);
    } else if (right - left > runRight - runLeft) {
        runLeft = left;
        runRight = right;
    }
}

}  // namespace

void FrameRenderer::paintSolidSpan(int y, int left, int right, Pixel colour) {
    paintSpan(y, left, right, colour, kSolid);
    extendRun(solidLeft_[y], solidRight_[y], left, right);
    extendRun(hatchLeft_[y], hatchRight_[y], left, right);
    bandStale_[y >> kBandShift] = true;
}

void FrameRenderer::updateBand(int band) {
    bandStale_[band] = false;
    const int first = band << kBandShift, last = std::min(first + (1 << kBandShift), target_.height);
    int32_t left = solidLeft_[first], right = solidRight_[first];
    for (int row = first + 1; row < last; ++row) {
        left = std::max(left, solidLeft_[row]);
        right = std::min(right, solidRight_[row]);
    }
    bandLeft_[band] = left;
    bandRight_[band] = right;
}

bool FrameRenderer::hidden(int left, int top, int right, int bottom) {
    for (int band = top >> kBandShift, last = (bottom - 1) >> kBandShift; band <= last; ++band) {
        if (bandStale_[band]) updateBand(band);
        if (bandLeft_[band] > left || right > bandRight_[band]) return false;
    }
    return true;
}

void FrameRenderer::paintHatchedRectangle(int x1, int y1, int x2, int y2, Pixel pen, Pixel brush) {
    RectangleArea area;
    if (!clipRectangle(x1, y1, x2, y2, target_.width, target_.height, area)) return;
    const int left = area.left, right = area.right;
    if (hidden(left, area.top, right, area.bottom)) return;
    const int insideLeft = area.insideLeft, insideRight = area.insideRight;
    for (int y = area.top; y < area.bottom; ++y) {
        if (area.isBorderRow(y)) {
            if (!(solidLeft_[y] <= left && right <= solidRight_[y])) paintSolidSpan(y, left, right, pen);
            continue;
        }
        if (area.hasLeftBorder()) paintPixel(y, left, pen);
        if (area.hasRightBorder()) paintPixel(y, right - 1, pen);
        // Every hatch pixel of [left, right) is covered once this row is painted.
        if (!(hatchLeft_[y] <= insideLeft && insideRight <= hatchRight_[y])) {
            paintSpan(y, insideLeft, insideRight, brush, kHatchWords[y & 7]);
        }
        extendRun(hatchLeft_[y], hatchRight_[y], left, right);
    }
}

namespace {

// Calls row(y, left, right) for the rows of a stack of n squares of the given side stepped up
// and right from (x0, y0), clipped to a width x height buffer, bottom row first: on each row
// the squares' union is one span. Square k (1..n) spans x0 + k .. trunc(x0 + k + size) and
// trunc(y0 - k - size) .. y0 - k. With whole x and y, trunc(v + size) is v + floor(size) where
// the sum is not negative and v + ceil(size) where it is; likewise for v - size.
template <typename Row>
void forEachStackRow(int32_t x0, int32_t y0, int squares, double size, int width, int height, Row row) {
    const auto sizeDown = static_cast<int32_t>(size);
    const int32_t sizeUp = static_cast<double>(sizeDown) == size ? sizeDown : sizeDown + 1;
    const int lowest = std::min(y0 - 2, height - 1);
    if (x0 + 1 + size >= 0 && y0 - squares - size >= 0) {
        // Away from negative coordinates every right edge is x0 + k + floor(size) and every top
        // edge y0 - k - ceil(size), so row y0 - d holds the squares max(1, d - ceil(size)) ..
        // min(n, d - 1).
        for (int y = lowest, highest = y0 - squares - sizeUp; y >= highest; --y) {
            const int d = y0 - y;
            const int left = std::max(x0 + std::max(1, d - sizeUp), 0);
            const int right = std::min(x0 + std::min(squares, d - 1) + sizeDown, width);
            if (left < right) row(y, left, right);
        }
        return;
    }
    // A square's edges only move right and up with k, so the squares on a row are a run
    // k = first..last, and the row's span runs from square first's left edge to square last's
    // right edge.
    auto rightOf = [&](int k) { return x0 + k + (x0 + k + size >= 0 ? sizeDown : sizeUp); };
    auto topOf = [&](int k) { return y0 - k - (y0 - k - size >= 0 ? sizeUp : sizeDown); };
    int first = 1;
    for (int y = lowest, highest = std::max(topOf(squares), 0); y >= highest; --y) {
        while (first <= squares && topOf(first) > y) ++first;
        const int last = std::min(squares, y0 - y - 1);
        if (first > last) continue;
        const int left = std::max(x0 + first, 0);
        const int right = std::min(rightOf(last), width);
        if (left < right) row(y, left, right);
    }
}

// The bounding box of such a stack, clipped; false when nothing of it is in the buffer.
bool stackBox(int32_t x0, int32_t y0, int squares, double size, int width, int height, RectangleArea& box) {
    return clipRectangle(x0 + 1, y0 - 1, static_cast<int32_t>(x0 + squares + size),
                         static_cast<int32_t>(y0 - squares - size), width, height, box);
}

}  // namespace

void FrameRenderer::paintSolidStack(int32_t x0, int32_t y0, int squares, double size, Pixel colour) {
    RectangleArea box;
    if (!stackBox(x0, y0, squares, size, target_.width, target_.height, box) ||
        hidden(box.left, box.top, box.right, box.bottom)) {
        return;
    }
    forEachStackRow(x0, y0, squares, size, target_.width, target_.height, [&](int y, int left, int right) {
        if (solidLeft_[y] <= left && right <= solidRight_[y]) return;
        paintSolidSpan(y, left, right, colour);
    });
}

void FrameRenderer::paintCell(const GridCell& cell, int32_t x0, int32_t y0, float column, float layer,
                              const ViewState& state, int squares, double size) {
    if (cell.colour != 0.0f) {
        paintSolidStack(x0, y0, squares, size, colourOfCode(static_cast<int>(cell.colour)));
        return;
    }
    if (!state.gridVisible) return;
    const bool evenColumn = isEven(column);
    const Pixel pen = evenColumn || isEven(layer) ? colours::white : colours::grey;
    const Pixel brush = evenColumn ? colours::grey : colours::navy;
    const int32_t x = x0 + squares, y = y0 - squares;
    paintHatchedRectangle(x, y, static_cast<int32_t>(x + size), static_cast<int32_t>(y - size), pen, brush);
}

namespace {

// Word masks of one buffer row, for the columns of an empty layer.
struct RowMasks {
    static constexpr int kWords = FrameRenderer::kMaxWidth / 64;
    uint64_t words[kWords];

    void clear() { std::fill(std::begin(words), std::end(words), 0); }
    // Sets bits [from, to) clipped to [0, width).
    void set(int from, int to, int width) {
        from = std::max(from, 0);
        to = std::min(to, width);
        for (int x = from; x < to;) {
            const int word = x >> 6, base = word << 6, end = std::min(to, base + 64);
            words[word] |= bitRange(x - base, end - base);
            x = end;
        }
    }
};

}  // namespace

bool FrameRenderer::paintEmptyLayer(const ViewState& state, int index, float layer, int squares, double size) {
    const int columns = static_cast<int>(state.gridWidth), rows = static_cast<int>(state.gridHeight);
    for (int r = 0; r < rows; ++r)
        if (filled_[index][r] != 0) return false;
    constexpr int kMaxCells = kGridSide;
    int lefts[kMaxCells], rights[kMaxCells], tops[kMaxCells], bottoms[kMaxCells];
    for (int c = 0; c < columns; ++c) {
        const int32_t x = x0_[index][c] + squares;
        lefts[c] = x;
        rights[c] = static_cast<int32_t>(x + size);
        if (rights[c] - lefts[c] <= 2) return false;  // too thin to have an inside
        if (c > 0 && lefts[c] < rights[c - 1]) return false;  // overlapping after all
    }
    for (int r = 0; r < rows; ++r) {
        const int32_t y = y0_[index][r] - squares;
        bottoms[r] = y;
        tops[r] = static_cast<int32_t>(y - size);
        if (bottoms[r] - tops[r] <= 2) return false;
        if (r > 0 && bottoms[r] > tops[r - 1]) return false;
    }

    // The pen is white but where column and layer are both odd; the brush grey on even columns.
    // Behind the nearer layers only the last column and the top row show (see scanCells).
    const bool evenLayer = isEven(layer);
    const int width = target_.width;
    struct Masks {
        RowMasks fullWhite, fullGrey, edgeWhite, edgeGrey, insideGrey, insideNavy;
        int firstWord = RowMasks::kWords, lastWord = -1;
    };
    auto build = [&](Masks& m, int firstColumn) {
        for (RowMasks* w : {&m.fullWhite, &m.fullGrey, &m.edgeWhite, &m.edgeGrey, &m.insideGrey, &m.insideNavy})
            w->clear();
        for (int c = firstColumn; c < columns; ++c) {
            const bool evenColumn = isEven(static_cast<float>(c));
            const bool whitePen = evenColumn || evenLayer;
            (whitePen ? m.fullWhite : m.fullGrey).set(lefts[c], rights[c], width);
            (whitePen ? m.edgeWhite : m.edgeGrey).set(lefts[c], lefts[c] + 1, width);
            (whitePen ? m.edgeWhite : m.edgeGrey).set(rights[c] - 1, rights[c], width);
            (evenColumn ? m.insideGrey : m.insideNavy).set(lefts[c] + 1, rights[c] - 1, width);
            const int from = std::max(lefts[c], 0), to = std::min(rights[c], width);
            if (from < to) m.firstWord = std::min(m.firstWord, from >> 6), m.lastWord = std::max(m.lastWord, (to - 1) >> 6);
        }
    };
    Masks all, last;
    build(all, 0);
    if (nearer_[index]) build(last, columns - 1);

    for (int r = 0; r < rows; ++r) {
        const Masks& m = nearer_[index] && r + 1 < rows ? last : all;
        for (int y = std::max(tops[r], 0), end = std::min(bottoms[r], target_.height); y < end; ++y) {
            uint64_t* covered = &covered_[static_cast<size_t>(y) * kWordsPerRow];
            Pixel* row = target_.pixels + static_cast<long>(y) * target_.stride;
            const bool border = y == tops[r] || y == bottoms[r] - 1;
            const RowMasks& white = border ? m.fullWhite : m.edgeWhite;
            const RowMasks& grey = border ? m.fullGrey : m.edgeGrey;
            const uint64_t hatch = border ? 0 : kHatchWords[y & 7];
            for (int word = m.firstWord; word <= m.lastWord; ++word) {
                const uint64_t open = ~covered[word];
                const uint64_t whitePen = white.words[word] & open, greyPen = grey.words[word] & open;
                const uint64_t greyHatch = m.insideGrey.words[word] & hatch & open;
                const uint64_t navyHatch = m.insideNavy.words[word] & hatch & open;
                const uint64_t painted = whitePen | greyPen | greyHatch | navyHatch;
                if (!painted) continue;
                covered[word] |= painted;
                Pixel* run = row + (word << 6);
                if (whitePen) writeBits(run, whitePen, colours::white);
                if (greyPen | greyHatch) writeBits(run, greyPen | greyHatch, colours::grey);
                if (navyHatch) writeBits(run, navyHatch, colours::navy);
            }
        }
    }
    return true;
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
        paintHatchedRectangle(x, y, static_cast<int32_t>(x + previewSize), static_cast<int32_t>(y - previewSize),
                              colours::navy, colours::white);
    }
}

bool FrameRenderer::scanCells(const ViewState& state, const CellGrid& grid, double half, double size) {
    const int columns = static_cast<int>(state.gridWidth), rows = static_cast<int>(state.gridHeight);
    const int front = state.currentLayer;
    int layers = 0;
    for (float layer = static_cast<float>(front); layer <= state.gridDepth; layer += 1.0f) ++layers;
    if (columns < 1 || columns >= kGridSide || rows < 1 || rows >= kGridSide || front < 1 ||
        front + layers > kGridSide) {
        return false;
    }
    layers_ = layers;
    // In memory order: the layers of one column and row lie next to each other.
    for (int i = 0; i < layers; ++i) std::fill_n(filled_[i], rows, 0u);
    for (int c = 0; c < columns; ++c) {
        const GridCell* bottom = &grid.at(c, 0, front);
        for (int r = 0; r < rows; ++r) {
            const GridCell* stack = &grid.at(c, r, front);
            const GridCell* left = &grid.at(0, r, front);
            bool moved = false;
            for (int i = 0; i < layers; ++i) {
                const GridCell& cell = stack[i];
                moved |= (cell.layer != static_cast<float>(front + i)) | (cell.screenX != bottom[i].screenX) |
                         (cell.screenY != left[i].screenY);
                filled_[i][r] |= static_cast<uint32_t>(cell.colour != 0.0f) << c;  // no branch on random data
            }
            if (moved) return false;
        }
    }
    for (int i = 0; i < layers; ++i) {
        for (int c = 0; c < columns; ++c) {
            const GridCell& cell = grid.at(c, 0, front + i);
            x0_[i][c] = static_cast<int32_t>(cell.screenX + cell.layer * half);
        }
        for (int r = 0; r < rows; ++r) {
            const GridCell& cell = grid.at(0, r, front + i);
            y0_[i][r] = static_cast<int32_t>(cell.screenY - (cell.layer - 1.0) * half - size);
        }
    }
    // A cell two layers back whose anchor is that of the cell one column right and one row up
    // has the same stack and the same grid rectangle. So its cube is hidden when that cell or
    // one further along the line is filled, and its rectangle, whose pixels are all among
    // those of the nearer cell's cube or rectangle, is hidden in any case.
    for (int i = 0; i < layers; ++i) {
        bool coincide = i >= 2;
        for (int c = 0; coincide && c + 1 < columns; ++c) coincide = x0_[i][c] == x0_[i - 2][c + 1];
        for (int r = 0; coincide && r + 1 < rows; ++r) coincide = y0_[i][r] == y0_[i - 2][r + 1];
        nearer_[i] = coincide;
        for (int r = 0; r < rows; ++r) {
            behind_[i][r] = coincide && r + 1 < rows ? (behind_[i - 2][r + 1] | filled_[i - 2][r + 1]) >> 1 : 0;
        }
    }
    return true;
}

namespace {

// A diagonal-cross rectangle painted over whatever is there, as Canvas::Rectangle paints it.
// The hatch pixels of a row are two runs of every eighth pixel, (x - y) mod 8 = 0 and
// (x + y) mod 8 = 7; on an inside of at most 16 pixels each run has at most two, and the
// writes that fall outside it go to a scratch pixel instead of taking a branch.
void paintHatchedRectangleOver(const PixelBuffer& target, int x1, int y1, int x2, int y2, Pixel pen, Pixel brush) {
    RectangleArea area;
    if (!clipRectangle(x1, y1, x2, y2, target.width, target.height, area)) return;
    const int from = area.insideLeft, to = area.insideRight, width = to - from;
    int top = area.top, bottom = area.bottom;
    auto line = [&](int y) { return target.pixels + static_cast<long>(y) * target.stride; };
    if (area.isBorderRow(top)) fillRun(line(top) + area.left, area.right - area.left, pen), ++top;
    if (bottom > top && area.isBorderRow(bottom - 1)) {
        --bottom;
        fillRun(line(bottom) + area.left, area.right - area.left, pen);
    }
    Pixel scratch;
    for (int y = top; y < bottom; ++y) {
        Pixel* row = line(y);
        if (area.hasLeftBorder()) row[area.left] = pen;
        if (area.hasRightBorder()) row[area.right - 1] = pen;
        const int down = (y - from) & 7, up = (7 - y - from) & 7;
        if (width <= 16) {
            *(down < width ? row + from + down : &scratch) = brush;
            *(down + 8 < width ? row + from + down + 8 : &scratch) = brush;
            *(up < width ? row + from + up : &scratch) = brush;
            *(up + 8 < width ? row + from + up + 8 : &scratch) = brush;
            continue;
        }
        for (int x = from + down; x < to; x += 8) row[x] = brush;
        for (int x = from + up; x < to; x += 8) row[x] = brush;
    }
}

}  // namespace

void FrameRenderer::paintBackToFront(const ViewState& state, const CellGrid& grid, int squares, double size,
                                     double half, int nearest) {
    const PixelBuffer target = target_;
    const int columns = static_cast<int>(state.gridWidth), rows = static_cast<int>(state.gridHeight);
    // A stack wholly inside the buffer and away from negative coordinates spans, on the row d
    // above its anchor (2 <= d <= rise), x0 + spanLeft[d] .. x0 + spanRight[d].
    const auto sizeDown = static_cast<int32_t>(size);
    const int32_t sizeUp = static_cast<double>(sizeDown) == size ? sizeDown : sizeDown + 1;
    const int rise = squares + sizeUp;
    const bool tabled = size >= 0 && rise < kMaxRise;
    for (int d = 2; tabled && d <= rise; ++d) {
        spanLeft_[d] = std::max(1, d - sizeUp);
        spanRight_[d] = std::min(squares, d - 1) + sizeDown;
    }
    for (int index = layers_ - 1; index >= nearest; --index) {
        const int layer = state.currentLayer + index;
        const Pixel oddColumnPen = isEven(static_cast<float>(layer)) ? colours::white : colours::grey;
        for (int column = 0; column < columns; ++column) {
            const int32_t x0 = x0_[index][column];
            for (int row = 0; row < rows; ++row) {
                if (behind_[index][row] >> column & 1) continue;
                const float colour = grid.at(column, row, layer).colour;
                const int32_t y0 = y0_[index][row];
                if (colour != 0.0f) {
                    const Pixel fill = colourOfCode(static_cast<int>(colour));
                    if (tabled && x0 >= 0 && x0 + squares + sizeDown <= target.width && y0 - rise >= 0 &&
                        y0 - 2 < target.height) {
                        Pixel* line = target.pixels + static_cast<long>(y0 - 2) * target.stride + x0;
                        for (int d = 2; d <= rise; ++d, line -= target.stride) {
                            fillRun(line + spanLeft_[d], spanRight_[d] - spanLeft_[d], fill);
                        }
                        continue;
                    }
                    forEachStackRow(x0, y0, squares, size, target.width, target.height, [&](int y, int left, int right) {
                        Pixel* line = target.pixels + static_cast<long>(y) * target.stride;
                        fillRun(line + left, right - left, fill);
                    });
                } else if (state.gridVisible && !(nearer_[index] && column + 1 < columns && row + 1 < rows)) {
                    const bool evenColumn = (column & 1) == 0;
                    const Pixel pen = evenColumn ? colours::white : oddColumnPen;
                    const Pixel brush = evenColumn ? colours::grey : colours::navy;
                    const int32_t x = x0 + squares, y = y0 - squares;
                    if (tabled && x >= 0 && x + sizeDown <= target.width && y - sizeUp >= 0 && y <= target.height &&
                        sizeDown >= 3 && sizeDown <= 18 && sizeUp >= 3) {
                        // Whole, with an inside of at most 16 pixels: its top and bottom rows
                        // in the pen, the rows between with a pen pixel at either end and the
                        // hatch between them (see paintHatchedRectangleOver).
                        Pixel* line = target.pixels + static_cast<long>(y - sizeUp) * target.stride + x;
                        fillRun(line, sizeDown, pen);
                        const int inside = sizeDown - 2;
                        Pixel scratch;
                        for (int row = y - sizeUp + 1; row < y - 1; ++row) {
                            line += target.stride;
                            line[0] = pen;
                            line[sizeDown - 1] = pen;
                            const int down = (row - x - 1) & 7, up = (6 - row - x) & 7;
                            *(down < inside ? line + 1 + down : &scratch) = brush;
                            *(down + 8 < inside ? line + 9 + down : &scratch) = brush;
                            *(up < inside ? line + 1 + up : &scratch) = brush;
                            *(up + 8 < inside ? line + 9 + up : &scratch) = brush;
                        }
                        fillRun(line + target.stride, sizeDown, pen);
                        continue;
                    }
                    paintHatchedRectangleOver(target, x, y, static_cast<int32_t>(x + size),
                                              static_cast<int32_t>(y - size), pen, brush);
                }
            }
        }
    }

    if (nearest > 0) return;  // the preview is in front of the nearer layers too
    const int divisor = size > 100 ? 2 : 1;
    const double previewSize = size / divisor;
    const int previewSquares = squareCount(half / divisor);
    if (!state.eraseMode) {
        const Pixel fill = colourOfCode(state.currentColour);
        forEachStackRow(kPreviewX, kPreviewY, previewSquares, previewSize, target.width, target.height,
                        [&](int y, int left, int right) {
                            Pixel* line = target.pixels + static_cast<long>(y) * target.stride;
                            fillRun(line + left, right - left, fill);
                        });
        return;
    }
    for (int k = 1; k <= previewSquares; ++k) {
        const int32_t x = kPreviewX + k, y = kPreviewY - k;
        paintHatchedRectangleOver(target, x, y, static_cast<int32_t>(x + previewSize),
                                  static_cast<int32_t>(y - previewSize), colours::navy, colours::white);
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

    // The clearing rectangle lies behind everything, so it is filled first in either order.
    RectangleArea clear;
    if (clipRectangle(0, 0, windowWidth, windowHeight, target.width, target.height, clear)) {
        for (int y = clear.top; y < clear.bottom; ++y) {
            fillLong(target.pixels + static_cast<long>(y) * target.stride + clear.left, clear.right - clear.left,
                     colours::black);
        }
    }

    const double size = state.cellSize;
    const double half = size * 0.5;
    const int squares = squareCount(half);
    // Where the layout pass puts the cells, the layers from the first with a cube backwards
    // are painted back to front, skipping the cells hidden behind a filled one: spans of a
    // colour are cheap to overpaint. The empty layers in front of them show through each
    // other's hatching, and are painted front to back over that.
    const bool laidOut = scanCells(state, grid, half, size);
    int emptyInFront = 0;
    if (laidOut) {
        while (emptyInFront < layers_ &&
               std::all_of(filled_[emptyInFront], filled_[emptyInFront] + static_cast<int>(state.gridHeight),
                           [](uint32_t columns) { return columns == 0; })) {
            ++emptyInFront;
        }
        if (emptyInFront < layers_) {
            paintBackToFront(state, grid, squares, size, half, emptyInFront);
            if (emptyInFront == 0) return;
        }
    }

    // Front to back: the preview, then the cells in the reverse of the drawing order, the
    // front layer first and within a layer the last column and row first. Whatever this
    // paints goes over what is there, which is left uncovered.
    std::memset(covered_.data(), 0, static_cast<size_t>(target.height) * kWordsPerRow * sizeof(uint64_t));
    std::fill_n(solidLeft_.begin(), target.height, 0);
    std::fill_n(solidRight_.begin(), target.height, 0);
    std::fill_n(hatchLeft_.begin(), target.height, 0);
    std::fill_n(hatchRight_.begin(), target.height, 0);
    bandLeft_.fill(0);
    bandRight_.fill(0);
    bandStale_.fill(false);
    paintPreview(state, size, half);
    const int lastColumn = static_cast<int>(state.gridWidth) - 1;
    const int lastRow = static_cast<int>(state.gridHeight) - 1;
    if (laidOut) {
        // Where the layout pass puts the cells: anchors from the tables, cells behind filled
        // ones skipped, empty layers painted whole.
        for (int index = 0; index < emptyInFront; ++index) {
            const auto layer = static_cast<float>(state.currentLayer + index);
            if (state.gridVisible && paintEmptyLayer(state, index, layer, squares, size)) continue;
            for (int column = lastColumn; column >= 0; --column) {
                for (int row = lastRow; row >= 0; --row) {
                    if (nearer_[index] && column < lastColumn && row < lastRow) continue;  // all empty here
                    paintCell(grid.at(column, row, static_cast<int>(layer)), x0_[index][column], y0_[index][row],
                              static_cast<float>(column), layer, state, squares, size);
                }
            }
        }
        return;
    }
    for (float layer = static_cast<float>(state.currentLayer); layer <= state.gridDepth; layer += 1.0f) {
        for (int column = lastColumn; column >= 0; --column) {
            for (int row = lastRow; row >= 0; --row) {
                const GridCell& cell = grid.at(column, row, static_cast<int>(layer));
                const auto x0 = static_cast<int32_t>(cell.screenX + cell.layer * half);
                const auto y0 = static_cast<int32_t>(cell.screenY - (cell.layer - 1.0) * half - size);
                paintCell(cell, x0, y0, static_cast<float>(column), layer, state, squares, size);
            }
        }
    }

}

}  // namespace kadro
